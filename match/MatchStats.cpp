// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The players' statistics, each change of the match applied as a turn added or taken away.
#include "match/MatchStats.h"

#include <algorithm>
#include <cmath>

#include "match/TurnScores.h"

void PlayerStats::push(qint32 score, std::optional<qint32> average)
{
    const qint32 highest = m_turns.empty() ? score : std::max(score, m_turns.back().highest);
    m_turns.push_back({score, average, highest});
    count(score, +1);
}

void PlayerStats::pop()
{
    if (m_turns.empty())
        return;
    count(m_turns.back().score, -1);
    m_turns.pop_back();
}

void PlayerStats::clear()
{
    // The turn list keeps its capacity: a new game costs the same however long the last one was.
    m_turns.clear();
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

std::optional<qint32> PlayerStats::highest() const
{
    if (m_turns.empty())
        return std::nullopt;
    return m_turns.back().highest;
}

void PlayerStats::count(qint32 score, int step)
{
    if (score == MaximumTurn)
        m_maximums += step;
    else if (score >= TonFortyTurn && score < MaximumTurn)
        m_tonForties += step;
    else if (score >= TonTurn && score < TonFortyTurn)
        m_tons += step;
}

void MatchStats::turnRecorded(bool player1, qint32 score, std::optional<qint32> average)
{
    m_players[player1 ? 0 : 1].push(score, average);
}

void MatchStats::turnTakenBack(bool player1)
{
    m_players[player1 ? 0 : 1].pop();
}

void MatchStats::turnsCleared()
{
    for (PlayerStats &player : m_players)
        player.clear();
}
