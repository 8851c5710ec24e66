#pragma once

#include <initializer_list>

#include <QString>
#include <QVariant>

#include "db/DataSource.h"
#include "db/Field.h"
#include "memtable/xovMemTable.h"

// The turn table as the main window builds it ("Tbl" with i, e1, h1, a1, e2, h2, a2) and a
// data source on it, for testing the views bound to it.
struct BoundViewTable
{
    BoundViewTable()
    {
        table.setObjectName(QStringLiteral("Tbl"));
        new TAutoIncField(&table, QStringLiteral("i"));
        for (const char *name : {"e1", "h1", "a1", "e2", "h2", "a2"})
            new TIntegerField(&table, QString::fromLatin1(name));
        source.setDataSet(&table);
    }

    // Appends and posts one row per value of e1 (an invalid QVariant leaves e1 empty); h1
    // counts down from 501, so that the two columns differ.
    void addRows(std::initializer_list<QVariant> e1Values)
    {
        for (const QVariant &value : e1Values) {
            table.AppendRow();
            if (value.isValid())
                table.setFieldValue(QStringLiteral("e1"), value);
            table.setFieldValue(QStringLiteral("h1"), 501 - table.RowCount());
            table.PostRow();
        }
    }
    // Appends and posts `count` rows with e1 = 10, 20, 30 ... continuing the row numbers.
    void addCountedRows(int count)
    {
        for (int k = 0; k < count; ++k) {
            table.AppendRow();
            table.setFieldValue(QStringLiteral("e1"), 10 + 10 * table.RowCount());
            table.setFieldValue(QStringLiteral("h1"), 501 - table.RowCount());
            table.PostRow();
        }
    }

    TxovMemTable table;
    TDataSource source;
};
