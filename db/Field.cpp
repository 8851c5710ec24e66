// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "db/Field.h"

#include <memory>

#include "db/DataSet.h"

TField::TField(TDataSet *dataSet, const QString &fieldName, TFieldType dataType)
    : m_dataSet(dataSet)
    , m_fieldName(fieldName)
    , m_dataType(dataType)
{
    if (m_dataSet)
        m_dataSet->registerField(std::unique_ptr<TField>(this));
}

TField::~TField() = default;

void TField::setFieldKind(TFieldKind kind)
{
    m_fieldKind = kind;
}

void TField::setDisplayLabel(const QString &label)
{
    m_displayLabel = label;
}

QString TField::DisplayName() const
{
    return m_displayLabel.isEmpty() ? m_fieldName : m_displayLabel;
}

void TField::setReadOnly(bool value)
{
    m_readOnly = value;
}

void TField::setRequired(bool value)
{
    m_required = value;
}

bool TField::readValue(qint32 &value) const
{
    if (m_validating) {
        if (!m_validatingValue)
            return false;
        value = *m_validatingValue;
        return true;
    }
    return m_dataSet && m_dataSet->readField(this, value);
}

void TField::writeValue(const qint32 *value)
{
    if (m_dataSet)
        m_dataSet->writeField(this, value);
}

bool TField::IsEmptyValue() const
{
    qint32 value;
    return !readValue(value);
}

qint32 TField::AsInteger() const
{
    qint32 value;
    return readValue(value) ? value : 0;
}

void TField::setAsInteger(qint32 value)
{
    writeValue(&value);
}

QVariant TField::AsValue() const
{
    qint32 value;
    return readValue(value) ? QVariant(value) : QVariant();
}

void TField::setAsValue(const QVariant &value)
{
    if (value.typeId() == QMetaType::Int) {
        const qint32 plain = *static_cast<const int *>(value.constData());
        writeValue(&plain);
        return;
    }
    if (!value.isValid() || value.isNull()) {
        writeValue(nullptr);
        return;
    }
    bool ok = false;
    qint32 converted;
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::ULongLong)
        converted = static_cast<qint32>(value.toLongLong(&ok)); // wider integers keep their low 32 bits
    else
        converted = value.toInt(&ok);
    if (!ok)
        throw EDatabaseError(QStringLiteral("Invalid value for field '%1'").arg(DisplayName()));
    writeValue(&converted);
}

QString TField::DisplayText() const
{
    qint32 value;
    return readValue(value) ? QString::number(value) : QString();
}

void TField::Clear()
{
    writeValue(nullptr);
}

TIntegerField::TIntegerField(TDataSet *dataSet, const QString &fieldName)
    : TField(dataSet, fieldName, TFieldType::ftInteger)
{ }

TIntegerField::TIntegerField(TDataSet *dataSet, const QString &fieldName, TFieldType dataType)
    : TField(dataSet, fieldName, dataType)
{ }

TIntegerField::~TIntegerField() = default;

TAutoIncField::TAutoIncField(TDataSet *dataSet, const QString &fieldName)
    : TIntegerField(dataSet, fieldName, TFieldType::ftAutoInc)
{ }

TAutoIncField::~TAutoIncField() = default;
