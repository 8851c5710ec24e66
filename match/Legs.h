// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <optional>

#include <QtGlobal>

// The match beyond the current game: legs and sets won, the format that decides the match and
// each player's figures over the match's legs. A game is a leg; it counts only when a new game
// leaves it, for the first player who checked out in it, so reaching zero still ends nothing.

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
    int legs = 0; // in the set being played, or in the match without sets
    TurnTotals totals;
    // The score of the best turn that won a leg.
    std::optional<qint32> highestCheckout;
    int sets = 0;
};

// How a match is decided. Without a leg limit nothing decides it and the other fields do not
// matter. "All legs" plays the limit's legs whatever else is set; sets need a leg limit.
struct MatchFormat
{
    int legs = 0; // first to this many legs (of the match, or of each set); 0: no limit
    int sets = 0; // first to this many sets of `legs` legs; 0: no sets
    // The deciding set, or the match without sets, is won by two clear legs; at `legs` + 2 legs
    // each, one sudden-death leg decides.
    bool twoClearLegs = false;
    // All `legs` legs are played, each a point; equal points are a draw.
    bool allLegs = false;

    friend bool operator==(const MatchFormat &, const MatchFormat &) = default;
};

// Where a leg stands in its match: the set (0 without sets) and the leg within it, from 1.
struct LegNumber
{
    int set = 0;
    int leg = 1;

    friend bool operator==(const LegNumber &, const LegNumber &) = default;
};

class Legs
{
public:
    // Where the match stands, without its format: what a new game may have to give back. Its parts
    // are read through the operations below.
    struct Player
    {
        int legs = 0;
        int sets = 0; // sets closed
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
    struct Standing
    {
        std::array<Player, 2> players;
        std::optional<Finish> finish;
        bool bullOffWinnerIsPlayer1 = true;
    };

    // A turn was recorded for the player; checksOut says it took the player to a finish (0, or
    // below 0 where the exact-checkout rule did not hold for the turn).
    void turnRecorded(bool player1, qint32 score, bool checksOut);
    // The player's most recent turn, which scored `score`, was taken back.
    void turnTakenBack(bool player1, qint32 score);
    // A new game leaves the current one, which `legStarter` started: the leg counts for the first
    // player who checked out in it, if anyone did, and a set it decides is added to the winner's
    // sets, the next set starting at 0 – 0 in legs. Once the match is decided, the leg left opens
    // a new match at 0 – 0, its starter counting as the winner of the bull-off.
    void leaveLeg(bool legStarter);
    // A new match at 0 – 0 in sets and legs, its figures empty, the current leg's turns dropped;
    // the bull-off winner starts its first leg.
    void startMatch(bool bullOffWinnerIsPlayer1);

    // Who checked out first in the current game, if anyone did.
    std::optional<bool> legWinner() const;
    // Who won the match as the format decides it, once it is decided.
    std::optional<bool> matchWinner() const;
    // All legs played with equal points.
    bool matchDrawn() const;
    bool matchDecided() const { return matchWinner() || matchDrawn(); }
    // In a match with sets, who has won the set being played, once it is decided.
    std::optional<bool> setWinner() const;
    // Whether the format plays sets: sets and a leg limit, without "all legs".
    bool playsSets() const;

    // Legs in the set being played (or in the match without sets).
    int legsWon(bool player1) const { return m_standing.players[index(player1)].legs; }
    // Sets won, the set being played included once it is decided.
    int setsWon(bool player1) const;
    // The operator's correction of a player's legs; never below 0.
    void setLegsWon(bool player1, int legs);

    const MatchFormat &format() const { return m_format; }
    // Negative counts as 0.
    void setFormat(const MatchFormat &format);
    // Legs needed to win the match (or a set); 0 is no limit. Negative counts as 0.
    int firstTo() const { return m_format.legs; }
    void setFirstTo(int legs);

    // The leg being played: after a decided match, the first of the next.
    LegNumber currentLeg() const;
    // Who starts the next leg once the current one has been left: in a match with sets, the
    // bull-off winner starts the odd legs of each odd set and the even legs of each even set, the
    // other player the rest; otherwise, and for the first leg after a decided match, `alternated`
    // (the other player than the one who started the leg left).
    bool nextLegStarter(bool alternated) const;

    // The player's legs, sets and figures over the match's legs, the current one included.
    MatchFigures figures(bool player1) const;

    const Standing &standing() const { return m_standing; }
    void restore(const Standing &standing) { m_standing = standing; }

private:
    static int index(bool player1) { return player1 ? 0 : 1; }
    // Who has won a run of legs that is first to `target`, by two clear legs when `twoClear` asks.
    static std::optional<bool> runWinner(int legs1, int legs2, int target, bool twoClear);
    bool decidingSet() const;
    // A decided set goes into its winner's sets; the next set starts at 0 – 0.
    void closeSet();

private:
    Standing m_standing;
    MatchFormat m_format;
};
