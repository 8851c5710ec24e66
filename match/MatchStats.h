#pragma once

#include <array>
#include <optional>
#include <set>
#include <vector>

#include <QtGlobal>

// Each player's statistics of the match, kept in step with the turn table's rows one changed row
// at a time.

// One player's half of a turn row: the score `e` and the stored average `a`, empty when the
// player has no turn in the row.
struct TurnHalf
{
    std::optional<qint32> score;
    std::optional<qint32> average;

    friend bool operator==(const TurnHalf &, const TurnHalf &) = default;
};

// What the statistics read of a turn row: player 1's half (e1, a1) and player 2's (e2, a2).
struct TurnRowHalves
{
    TurnHalf player1;
    TurnHalf player2;
};

// The turn scores in order, with the highest at hand. The scores a turn can have, 0 to 180, are
// counted in place, so that emptying costs the same however many turns were counted; any other
// score is kept in a sorted set beside them.
class ScoreCounts
{
public:
    void add(qint32 score);
    void remove(qint32 score);
    void clear();
    std::optional<qint32> highest() const;

private:
    static constexpr qint32 maxCounted = 180;
    std::array<qint32, maxCounted + 1> m_counts {};
    qsizetype m_counted = 0;
    std::multiset<qint32> m_others;
};

// One player's turns of the game and the figures the display shows of them.
class PlayerStats
{
public:
    // Follows a change that left rowCount turn rows, the last one holding `last` as this
    // player's half. False when turns before the last row are missing.
    bool follow(qsizetype rowCount, const TurnHalf &last);
    void clear();

    qsizetype turns() const { return qsizetype(m_turns.size()); }
    // "Átlag": the average stored with the player's last turn.
    std::optional<qint32> average() const;
    // "Első 9": the mean of the first three turns, or of as many as there are, rounded to the
    // nearest integer with a half going to the even one, as the averages are.
    std::optional<qint32> firstNine() const;
    std::optional<qint32> lastTurn() const;
    // Turns of 100 to 139, 140 to 179 and exactly 180.
    int tons() const { return m_tons; }
    int tonForties() const { return m_tonForties; }
    int maximums() const { return m_maximums; }
    std::optional<qint32> highest() const { return m_scores.highest(); }

private:
    void push(const TurnHalf &turn);
    void pop();
    void count(qint32 score, int step);

    struct Turn
    {
        qint32 score;
        std::optional<qint32> average;
    };
    std::vector<Turn> m_turns;
    ScoreCounts m_scores;
    int m_tons = 0;
    int m_tonForties = 0;
    int m_maximums = 0;
};

// Both players' statistics. The turn table changes only at its end: an entry opens or completes
// the last row, an undo empties a half of it or deletes it, a new game deletes every row. Each
// such change is followed from the table's row count and its last row alone; every row before
// the last holds both halves.
class MatchStats
{
public:
    const PlayerStats &player1() const { return m_players[0]; }
    const PlayerStats &player2() const { return m_players[1]; }

    // Follows a change that left rowCount rows, the last one holding `last` (ignored when there
    // are none). False when the statistics lack rows before the last one: they were not kept
    // from the start, and are to be rebuilt by following the rows one by one from an empty
    // table.
    bool followLastRow(qsizetype rowCount, const TurnRowHalves &last);
    void clear();

private:
    std::array<PlayerStats, 2> m_players;
};
