// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "db/DataLink.h"

class TField;

// A view's link for tests: logs every notification it receives ("dataset-scroll -1",
// "field-change e1", ...) and every reaction it makes ("TableScroll(-1)", "RowChange(e1)"),
// optionally into a journal shared by several links to see the delivery order.
class RecordingLink : public TDataLink
{
public:
    explicit RecordingLink(bool visual = true, QString name = QString());

    static QString EventName(TDataEvent event);

    QStringList notifications; // notifications, in the order received
    QStringList reactions; // reactions, in the order made
    QStringList *journal = nullptr; // "<name>: <notification>" for every notification
    QString name;

    void clearLogs();
    // What the view would show: RowNumber and a field's value of each of its rows, read by
    // presenting the row as the table's current row and returning to the real one after.
    QList<int> rowNumbers() const;
    QList<QVariant> values(const QString &fieldName) const;

protected:
    void DataEvent(TDataEvent event, qintptr info) override;
    void ActivityChange() override;
    void EditingChange() override;
    void TableChange() override;
    void TableScroll(int distance) override;
    void LayoutChange() override;
    void RowChange(TField *field) override;
    void WriteBack() override;
    void FinishPending() override;
    void FocusField(TField *field) override;
};
