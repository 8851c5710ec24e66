// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/DBText.h"

#include "db/DataSource.h"
#include "db/Field.h"
#include "db/FieldDataLink.h"

TDBText::TDBText(QWidget *parent)
    : QLabel(parent)
    , m_link(std::make_unique<TFieldDataLink>())
{
    QLabel::setAlignment(AlignmentToQt(m_alignment));
    m_link->OnDataChange = [this] { showField(); };
}

TDBText::~TDBText()
{
    m_link->OnDataChange = nullptr;
}

TDataSource *TDBText::DataSource() const
{
    return m_link->DataSource();
}

void TDBText::setDataSource(TDataSource *source)
{
    m_link->setDataSource(source);
    showField();
}

QString TDBText::DataField() const
{
    return m_link->FieldName();
}

void TDBText::setDataField(const QString &name)
{
    m_link->setFieldName(name);
    showField();
}

void TDBText::setAlignment(TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    QLabel::setAlignment(AlignmentToQt(value));
}

void TDBText::showField()
{
    const TField *field = m_link->Field();
    setText(field ? field->DisplayText() : QString());
}
