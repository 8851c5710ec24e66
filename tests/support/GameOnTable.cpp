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

QString GameOnTable::play(const QString &steps)
{
    for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
        const bool refused = step.startsWith(u'!');
        const QString rest = refused ? step.mid(1) : step;
        if (step == u'u') {
            match.takeBack();
        } else if (step == u'n') {
            match.newGame();
        } else if (step == u'p') {
            match.restorePreviousGame();
        } else if (step == u'm') {
            match.newMatch(std::nullopt);
        } else if (step == u'e' || step == u'o') {
            m_exact = step == u'e';
        } else if (rest.startsWith(u'd') || rest.startsWith(u's')) {
            const FinishRule rule = rest.startsWith(u'd') ? FinishRule::DoubleOut : FinishRule::StraightOut;
            if (match.record().setCheckoutDarts(rest.mid(1).toInt(), rule) == refused)
                return step;
        } else if (match.enterScore(step.toInt(), m_exact) == EntryOutcome::Refused) {
            return step;
        }
    }
    return {};
}
