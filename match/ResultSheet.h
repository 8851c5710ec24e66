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
    // The sheet of the night's match number `match` (from 1): its legs left so far, then the leg in
    // play once it has a turn, when it belongs to that match. matchDecided says the match of the
    // legs left is decided (Legs::matchDecided()): the leg in play then opens the next match. The
    // sheet is read as the record stands: it must outlive the sheet and change no more meanwhile.
    ResultSheet(const ResultRecord &record, int match, bool matchDecided);

    // The match a sheet shows first: the leg in play's once it has a turn, else the last leg
    // left's; 0 before any turn.
    static int lastMatch(const ResultRecord &record, bool matchDecided);

    const std::vector<SheetLeg> &legs() const { return m_legs; }
    // Each player's figures over the match's legs.
    const SheetFigures &totals(bool player1) const { return m_totals[player1 ? 0 : 1]; }
    // The player's remaining scores in the sheet's leg `leg` (from 0), what its chart draws: the
    // start score, then the remaining score after each of the player's turns.
    std::vector<qint32> remainingScores(qsizetype leg, bool player1) const;

private:
    const ResultRecord &m_record;
    // Where each line's leg stands in the record's legs left; the leg in play comes after them.
    std::vector<std::size_t> m_indexes;
    std::vector<SheetLeg> m_legs;
    std::array<SheetFigures, 2> m_totals;
};

// The player's remaining scores in the leg: the start score, then the remaining score after each
// of the player's turns; empty while the leg has no turn.
std::vector<qint32> RemainingScores(const LegRecord &leg, bool player1);
