// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <optional>

#include <QString>
#include <QVariant>

#include "db/DataTypes.h"

class TDataSet;

// A field object: one column of a dataset, addressed by name, reading and writing the value
// of the dataset's current row (or of the row a view presents while it paints).
// The dataset owns its field objects; a field is created for a dataset and lives with it.
class TField
{
    Q_DISABLE_COPY_MOVE(TField)

public:
    virtual ~TField();

    TDataSet *DataSet() const { return m_dataSet; }
    const QString &FieldName() const { return m_fieldName; }
    TFieldType DataType() const { return m_dataType; }
    TFieldKind FieldKind() const { return m_fieldKind; }
    void setFieldKind(TFieldKind kind);

    const QString &DisplayLabel() const { return m_displayLabel; }
    void setDisplayLabel(const QString &label);
    // The display label when one is set, else the field name.
    QString DisplayName() const;

    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool value);
    bool Required() const { return m_required; }
    void setRequired(bool value);

    // Bytes the value takes in a record slot (4 for 32-bit integers).
    virtual int DataSize() const = 0;

    bool IsEmptyValue() const;
    qint32 AsInteger() const;
    void setAsInteger(qint32 value);
    // Null when empty; writing Null empties the field.
    QVariant AsValue() const;
    void setAsValue(const QVariant &value);
    // The value in decimal, empty text when the field is empty.
    QString DisplayText() const;
    void Clear();

    // Runs before a written value is stored; reading the field meanwhile gives the new value,
    // and an exception leaves the stored value as it was.
    std::function<void(TField *)> OnValidate;

    // Position among the table's field definitions while the table is open, else -1.
    int DefinitionIndex() const { return m_definitionIndex; }

protected:
    TField(TDataSet *dataSet, const QString &fieldName, TFieldType dataType);

private:
    friend class TDataSet;

    bool readValue(qint32 &value) const;
    void writeValue(const qint32 *value);

    int m_definitionIndex = -1;
    bool m_validating = false;
    std::optional<qint32> m_validatingValue;
    TDataSet *const m_dataSet;
    const QString m_fieldName;
    const TFieldType m_dataType;
    TFieldKind m_fieldKind = TFieldKind::fkData;
    QString m_displayLabel;
    bool m_readOnly = false;
    bool m_required = false;
};

// A 32-bit signed integer field.
class TIntegerField : public TField
{
public:
    TIntegerField(TDataSet *dataSet, const QString &fieldName);
    ~TIntegerField() override;
    int DataSize() const override { return 4; }

protected:
    TIntegerField(TDataSet *dataSet, const QString &fieldName, TFieldType dataType);
};

// An integer field numbered by the dataset itself when a row is begun.
class TAutoIncField final : public TIntegerField
{
public:
    TAutoIncField(TDataSet *dataSet, const QString &fieldName);
    ~TAutoIncField() override;
};
