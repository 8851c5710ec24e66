// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The turn-table fixture: the table built as the main window builds it, and rows to fill it.

#include "tests/support/TurnTable.h"

void defineTurnTable(TDataSet &table)
{
    table.setObjectName(QStringLiteral("Tbl"));
    new TAutoIncField(&table, QString::fromLatin1(TurnFieldNames[0]));
    for (int f = 1; f < TurnFieldCount; ++f)
        new TIntegerField(&table, QString::fromLatin1(TurnFieldNames[f]));
}

TurnTable::TurnTable()
{
    defineTurnTable(table);
    source.setDataSet(&table);
}

TField *TurnTable::field(const char *name) const
{
    return table.FieldNamed(QString::fromLatin1(name));
}

QVariant TurnTable::value(const char *name) const
{
    return table.FieldValue(QString::fromLatin1(name));
}

void TurnTable::addRows(int count)
{
    for (int k = 0; k < count; ++k) {
        table.AppendRow();
        const int number = table.RowCount() + 1;
        field("e1")->setAsInteger(10 * number);
        field("h1")->setAsInteger(502 - number);
        field("a1")->setAsInteger(number);
        table.PostRow();
    }
}

void TurnTable::addScores(std::initializer_list<QVariant> e1Values)
{
    for (const QVariant &e1 : e1Values) {
        table.AppendRow();
        const int number = table.RowCount() + 1;
        if (e1.isValid())
            field("e1")->setAsValue(e1);
        field("h1")->setAsInteger(502 - number);
        field("a1")->setAsInteger(number);
        table.PostRow();
    }
}

QList<QVariant> TurnTable::column(const char *name)
{
    QList<QVariant> values;
    table.MoveFirst();
    while (!table.HasNoRow()) {
        values << value(name);
        if (table.MoveRows(1) == 0)
            break;
    }
    return values;
}

ViewedTurnTable::ViewedTurnTable(int viewRows)
{
    view.setWindowCapacity(viewRows);
    view.setDataSource(&source);
}
