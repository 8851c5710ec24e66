// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLineEdit>

#include "controls/Alignment.h"

// A single-line edit box whose text stands left, right or centred. Everything else is the
// plain line edit's: text, keys, colour, selection and focus.
class TEditEx : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TEditEx)

public:
    explicit TEditEx(QWidget *parent = nullptr);
    ~TEditEx() override;

    TAlignment Alignment() const { return m_alignment; }
    void setAlignment(TAlignment value);

private:
    TAlignment m_alignment = taLeftJustify;
};
