// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The turn table as the main window builds it, shared by every test that works on it.
#pragma once

#include <initializer_list>

#include <QList>
#include <QString>
#include <QVariant>

#include "db/DataSource.h"
#include "db/Field.h"
#include "memtable/xovMemTable.h"
#include "tests/support/RecordingLink.h"

class TDataSet;

// The turn table's fields in field order: the row number, then each player's score, remaining
// score and average.
inline constexpr int TurnFieldCount = 7;
inline constexpr const char *TurnFieldNames[TurnFieldCount] = {"i", "e1", "h1", "a1", "e2", "h2", "a2"};

// Names a table "Tbl" and gives it the turn table's fields: the auto-increment i and the
// integers e1, h1, a1, e2, h2, a2.
void defineTurnTable(TDataSet &table);

// The turn table on a memory table, closed, with a data source on it for views to attach to.
struct TurnTable
{
    TurnTable();

    TField *field(const char *name) const;
    QVariant value(const char *name) const;

    // Appends and posts `count` rows. Each new row has e1 = 10 times its row number, h1 counting
    // down from 501 (so that the columns differ) and a1 = its row number.
    void addRows(int count);
    // Appends and posts one row per value of e1 (an invalid QVariant leaves e1 empty), with h1
    // and a1 as addRows gives them.
    void addScores(std::initializer_list<QVariant> e1Values);
    // One field's values from the first row to the last; leaves the cursor on the last row.
    QList<QVariant> column(const char *name);

    TxovMemTable table;
    TDataSource source;
};

// The turn table with a recording view asking for `viewRows` rows, attached before opening as
// the main window's grids are.
struct ViewedTurnTable : TurnTable
{
    explicit ViewedTurnTable(int viewRows = 5);

    RecordingLink view {true, QStringLiteral("view")};
};
