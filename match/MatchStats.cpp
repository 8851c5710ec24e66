// The players' statistics, each change of the turn table applied as turns added and taken away.
#include "match/MatchStats.h"

#include <algorithm>
#include <cmath>

void ScoreCounts::add(qint32 score)
{
    if (score >= 0 && score <= maxCounted) {
        ++m_counts[score];
        ++m_counted;
    } else {
        m_others.insert(score);
    }
}

void ScoreCounts::remove(qint32 score)
{
    if (score >= 0 && score <= maxCounted) {
        if (m_counts[score] > 0) {
            --m_counts[score];
            --m_counted;
        }
    } else if (const auto it = m_others.find(score); it != m_others.end()) {
        m_others.erase(it);
    }
}

void ScoreCounts::clear()
{
    m_counts.fill(0);
    m_counted = 0;
    m_others.clear();
}

std::optional<qint32> ScoreCounts::highest() const
{
    // Scores above the counted range are higher than any counted one, those below lower.
    if (!m_others.empty() && *m_others.rbegin() > maxCounted)
        return *m_others.rbegin();
    if (m_counted > 0) {
        for (qint32 score = maxCounted; score >= 0; --score) {
            if (m_counts[score] > 0)
                return score;
        }
    }
    if (!m_others.empty())
        return *m_others.rbegin();
    return std::nullopt;
}

bool PlayerStats::follow(qsizetype rowCount, const TurnHalf &last)
{
    if (rowCount <= 0) {
        clear();
        return true;
    }
    const bool inLastRow = last.score.has_value();
    const qsizetype target = inLastRow ? rowCount : rowCount - 1;
    while (turns() > target)
        pop();
    if (!inLastRow)
        return turns() == target;

    if (turns() == target) {
        const Turn &top = m_turns.back();
        if (top.score == *last.score && top.average == last.average)
            return true;
        pop();
    }
    if (turns() != target - 1)
        return false;
    push(last);
    return true;
}

void PlayerStats::clear()
{
    // The turn list keeps its capacity: a new game costs the same however long the last one was.
    m_turns.clear();
    m_scores.clear();
    m_tons = m_tonForties = m_maximums = 0;
}

std::optional<qint32> PlayerStats::average() const
{
    if (m_turns.empty())
        return std::nullopt;
    return m_turns.back().average;
}

std::optional<qint32> PlayerStats::firstNine() const
{
    if (m_turns.empty())
        return std::nullopt;
    const auto first = std::min<qsizetype>(3, turns());
    qint64 sum = 0;
    for (qsizetype i = 0; i < first; ++i)
        sum += m_turns[i].score;
    // Three 32-bit scores sum exactly in a double, and their mean stays within 32 bits.
    return qint32(std::nearbyint(double(sum) / double(first)));
}

std::optional<qint32> PlayerStats::lastTurn() const
{
    if (m_turns.empty())
        return std::nullopt;
    return m_turns.back().score;
}

void PlayerStats::push(const TurnHalf &turn)
{
    m_turns.push_back({*turn.score, turn.average});
    m_scores.add(*turn.score);
    count(*turn.score, +1);
}

void PlayerStats::pop()
{
    const qint32 score = m_turns.back().score;
    m_turns.pop_back();
    m_scores.remove(score);
    count(score, -1);
}

void PlayerStats::count(qint32 score, int step)
{
    if (score == 180)
        m_maximums += step;
    else if (score >= 140 && score < 180)
        m_tonForties += step;
    else if (score >= 100 && score < 140)
        m_tons += step;
}

bool MatchStats::followLastRow(qsizetype rowCount, const TurnRowHalves &last)
{
    const bool first = m_players[0].follow(rowCount, last.player1);
    const bool second = m_players[1].follow(rowCount, last.player2);
    return first && second;
}

void MatchStats::clear()
{
    for (PlayerStats &player : m_players)
        player.clear();
}
