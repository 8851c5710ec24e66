// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// A match on the turn table as the main window builds it, without any window.
#pragma once

#include <QList>
#include <QVariantList>

#include "match/Match.h"
#include "tests/support/TurnTable.h"
#include "tests/support/TurnTableModel.h"

// The table is open and the first game started, from `start`.
struct GameOnTable
{
    explicit GameOnTable(qint32 start);

    // Every row's e1, h1, a1, e2, h2, a2, a null value for an empty field; leaves the cursor on
    // the last row.
    QList<QVariantList> rows();
    // Every row whole, i included, as the model of the match keeps them; leaves the cursor on the
    // last row.
    std::vector<TurnRow> turnRows();
    // Every operation of the match leaves the table in browse state on its last row.
    bool onLastRow() const;
    // Plays the steps, separated by blanks: a number records it as the thrower's turn, u takes the
    // last entry back, n starts a new game, p brings back the game the last new game left, m starts
    // a new match with the same starter, e and o switch the exact-checkout rule on and off; dN and
    // sN give the checkout's darts under double out and straight out, !dN and !sN such a count
    // that must be refused. Returns the first step that did not do so, empty when all did.
    QString play(const QString &steps);

    qint32 startScore;
    TurnTable turns;
    TxovMemTable &table = turns.table;
    TField *const i = turns.field("i");
    TField *const e1 = turns.field("e1");
    TField *const h1 = turns.field("h1");
    TField *const a1 = turns.field("a1");
    TField *const e2 = turns.field("e2");
    TField *const h2 = turns.field("h2");
    TField *const a2 = turns.field("a2");
    Match match {&table, {e1, h1, a1}, {e2, h2, a2}, startScore};

private:
    bool m_exact = true; // the exact-checkout rule of play()
};
