// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include <QLabel>

#include "controls/Alignment.h"

class TDataSource;
class TFieldDataLink;

// A label showing one field of the current row of a dataset, bound through a data source:
// the field's display text, or nothing while the table is closed, the field is empty or
// there is no row.
class TDBText final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDBText)

public:
    explicit TDBText(QWidget *parent = nullptr);
    ~TDBText() override;

    TDataSource *DataSource() const;
    void setDataSource(TDataSource *source);
    QString DataField() const;
    void setDataField(const QString &name);

    TAlignment Alignment() const { return m_alignment; }
    void setAlignment(TAlignment value);

private:
    void showField();

    const std::unique_ptr<TFieldDataLink> m_link;
    TAlignment m_alignment = taLeftJustify;
};
