// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QtGlobal>

#include "match/Legs.h"

class ResultRecord;
struct LegRecord;

// The result sheet of a match: for each leg its number, starter, winner, darts and each player's
// figures, the match's totals, and the remaining scores a chart of a leg draws. Worked out from
// the night's record when the sheet is opened; nothing of it exists before.

// One player's figures over a leg or over the match's legs.
struct SheetFigures
{
    int legs = 0; // legs won
    TurnTotals totals; // every turn: the average, 100+, 140+ and 180 turns
    TurnTotals firstNine; // the first three turns of each leg, for their mean alone
    // A leg's checkout score; over the match, the highest.
    std::optional<qint32> checkout;

    std::optional<qint32> average() const { return totals.average(); }
    // The mean of the first three turns, rounded as the averages are.
    std::optional<qint32> firstNineAverage() const { return firstNine.average(); }
};

// A line of the sheet.
struct SheetLeg
{
    int number = 1;
    bool player1Started = true;
    std::optional<bool> winner;
    std::optional<int> darts; // the winner's darts, when known
    std::array<SheetFigures, 2> players;

    const SheetFigures &player(bool player1) const { return players[player1 ? 0 : 1]; }
};

class ResultSheet
{
public:
    // The sheet of the night's match number `match` (from 1), its legs left so far. The record
    // must outlive the sheet; legs it files later are not on it.
    ResultSheet(const ResultRecord &record, int match);

    // The match of the last leg left, the one a sheet shows first; 0 before any leg was left.
    static int lastMatch(const ResultRecord &record);

    const std::vector<SheetLeg> &legs() const { return m_legs; }
    // Each player's figures over the match's legs.
    const SheetFigures &totals(bool player1) const { return m_totals[player1 ? 0 : 1]; }
    // The player's remaining scores in the sheet's leg `leg` (from 0), what its chart draws: the
    // start score, then the remaining score after each of the player's turns.
    std::vector<qint32> remainingScores(qsizetype leg, bool player1) const;

private:
    const ResultRecord &m_record;
    // Where each line's leg stands in the record, which only ever appends legs.
    std::vector<std::size_t> m_indexes;
    std::vector<SheetLeg> m_legs;
    std::array<SheetFigures, 2> m_totals;
};

// The player's remaining scores in the leg: the start score, then the remaining score after each
// of the player's turns; empty while the leg has no turn.
std::vector<qint32> RemainingScores(const LegRecord &leg, bool player1);
