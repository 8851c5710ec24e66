// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "db/FieldDataLink.h"

#include "db/DataSet.h"

TFieldDataLink::TFieldDataLink()
    : TDataLink(true)
{ }

TFieldDataLink::~TFieldDataLink() = default;

const QString &TFieldDataLink::FieldName() const
{
    return m_fieldName;
}

void TFieldDataLink::setFieldName(const QString &name)
{
    if (name == m_fieldName)
        return;
    m_fieldName = name;
    bindField(Active());
}

TField *TFieldDataLink::Field() const
{
    return m_field;
}

void TFieldDataLink::bindField(bool bind)
{
    TField *field = nullptr;
    if (bind && !m_fieldName.isEmpty())
        field = DataSet()->FieldNamed(m_fieldName);
    if (field == m_field)
        return;
    m_field = field;
    // The view shows another field, or none: it must read its value again.
    if (OnDataChange)
        OnDataChange();
}

void TFieldDataLink::DataEvent(TDataEvent event, qintptr info)
{
    if (event == TDataEvent::deDisabledStateChange && Active())
        bindField(info != 0);
    TDataLink::DataEvent(event, info);
}

void TFieldDataLink::ActivityChange()
{
    bindField(Active());
}

void TFieldDataLink::LayoutChange()
{
    bindField(Active());
    TDataLink::LayoutChange();
}

void TFieldDataLink::RowChange(TField *field)
{
    if ((!field || field == m_field) && OnDataChange)
        OnDataChange();
}
