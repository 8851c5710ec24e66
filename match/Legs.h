// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <optional>

#include <QtGlobal>

// The match beyond the current game: legs won, the "first to N legs" limit and each player's
// figures over the match's legs. A game is a leg; it counts only when a new game leaves it, for
// the first player who checked out in it, so reaching zero still ends nothing.

// One player's turns of a leg, or of several, summed: what the match figures are made of.
struct TurnTotals
{
    qint64 scored = 0;
    qint64 turns = 0;
    int tons = 0; // 100 to 139
    int tonForties = 0; // 140 to 179
    int maximums = 0; // 180

    void add(qint32 score, int step);
    TurnTotals &operator+=(const TurnTotals &other);
    // The average per turn, rounded as the game's averages are; none without turns.
    std::optional<qint32> average() const;
};

// One player's part of the match so far, the current leg included.
struct MatchFigures
{
    int legs = 0;
    TurnTotals totals;
    // The score of the best turn that won a leg.
    std::optional<qint32> highestCheckout;
};

class Legs
{
public:
    // A turn was recorded for the player; checksOut says it took the player to a finish (0, or
    // below 0 where the exact-checkout rule did not hold for the turn).
    void turnRecorded(bool player1, qint32 score, bool checksOut);
    // The player's most recent turn, which scored `score`, was taken back.
    void turnTakenBack(bool player1, qint32 score);
    // A new game leaves the current one: the leg counts for the first player who checked out in
    // it, if anyone did. Once the match is decided, the leg left opens a new match at 0 – 0.
    void leaveLeg();

    // Who checked out first in the current game, if anyone did.
    std::optional<bool> legWinner() const;
    // Who won the match: the first to reach the limit, while there is one.
    std::optional<bool> matchWinner() const;

    int legsWon(bool player1) const { return m_players[index(player1)].legs; }
    // The operator's correction of a player's legs; never below 0.
    void setLegsWon(bool player1, int legs);
    // Legs needed to win the match; 0 is no limit. Negative counts as 0.
    int firstTo() const { return m_firstTo; }
    void setFirstTo(int legs);

    // The player's legs and figures over the match's legs, the current one included.
    MatchFigures figures(bool player1) const;

private:
    static int index(bool player1) { return player1 ? 0 : 1; }

    struct Player
    {
        int legs = 0;
        TurnTotals done; // the legs already left
        TurnTotals leg; // the current leg
        std::optional<qint32> highestCheckout;
    };
    struct Finish
    {
        bool player1;
        qint64 turn; // the player's turn of the leg that finished it, from 1
        qint32 score;
    };
    std::array<Player, 2> m_players;
    std::optional<Finish> m_finish;
    int m_firstTo = 0;
};
