// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

#include "settings/Settings.h"

class QComboBox;
class QLabel;

// "Nyelv" and a box of the window's language, in the order of LanguageChoice: automatic (the
// user's locale), Hungarian or English. The choice counts from the next start.
class LanguageBox final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LanguageBox)

public:
    explicit LanguageBox(LanguageChoice choice, QWidget *parent = nullptr);
    ~LanguageBox() override;

    QComboBox *box() const { return m_box; }

signals:
    // The operator chose another language.
    void chosen(LanguageChoice choice);

private:
    QLabel *const m_label;
    QComboBox *const m_box;
};
