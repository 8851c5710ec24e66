// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/GameOnTable.h"

GameOnTable::GameOnTable(qint32 start)
    : startScore(start)
{
    turns.table.OpenTable();
    match.startFirstGame();
}

QList<QVariantList> GameOnTable::rows()
{
    QList<QVariantList> result;
    if (table.RowCount() == 0)
        return result;
    table.MoveFirst();
    for (;;) {
        QVariantList row;
        for (const TField *field : {e1, h1, a1, e2, h2, a2})
            row << field->AsValue();
        result << row;
        if (table.AtLastRow() || table.MoveRows(1) == 0)
            break;
    }
    return result;
}

std::vector<TurnRow> GameOnTable::turnRows()
{
    std::vector<TurnRow> result;
    if (table.RowCount() == 0)
        return result;
    table.MoveFirst();
    for (;;) {
        TurnRow row;
        const std::array<const TField *, TurnFieldCount> fields {i, e1, h1, a1, e2, h2, a2};
        for (int k = 0; k < TurnFieldCount; ++k) {
            if (!fields[k]->IsEmptyValue())
                row[k] = fields[k]->AsInteger();
        }
        result.push_back(row);
        if (table.AtLastRow() || table.MoveRows(1) == 0)
            break;
    }
    return result;
}

bool GameOnTable::onLastRow() const
{
    return table.State() == TDataSetState::dsBrowse && table.RowNumber() == (table.RowCount() ? table.RowCount() : -1);
}
