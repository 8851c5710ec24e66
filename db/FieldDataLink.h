// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QString>

#include "db/DataLink.h"

// A link bound to one field by name, for a view that shows a single value.
class TFieldDataLink final : public TDataLink
{
public:
    TFieldDataLink();
    ~TFieldDataLink() override;

    const QString &FieldName() const;
    void setFieldName(const QString &name);
    // The bound field while the link is active, else nullptr.
    TField *Field() const;

    // Called when the value the view shows may have changed: read Field()->DisplayText(),
    // or show empty text when Field() is nullptr.
    std::function<void()> OnDataChange;

protected:
    void DataEvent(TDataEvent event, qintptr info) override;
    void ActivityChange() override;
    void LayoutChange() override;
    void RowChange(TField *field) override;

private:
    void bindField(bool bind);

    QString m_fieldName;
    TField *m_field = nullptr;
};
