// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Legs and the match: each turn added to the current leg, each leg left added to the match.
#include "match/Legs.h"

#include <algorithm>
#include <cmath>

#include "match/TurnScores.h"

void TurnTotals::add(qint32 score, int step)
{
    scored += step * qint64(score);
    turns += step;
    if (score == MaximumTurn)
        maximums += step;
    else if (score >= TonFortyTurn && score < MaximumTurn)
        tonForties += step;
    else if (score >= TonTurn && score < TonFortyTurn)
        tons += step;
}

TurnTotals &TurnTotals::operator+=(const TurnTotals &other)
{
    scored += other.scored;
    turns += other.turns;
    tons += other.tons;
    tonForties += other.tonForties;
    maximums += other.maximums;
    return *this;
}

std::optional<qint32> TurnTotals::average() const
{
    if (turns == 0)
        return std::nullopt;
    // Turns score at most 180 each, so the mean stays far inside 32 bits; a half goes to the
    // even figure, as in the game's averages.
    return qint32(std::nearbyint(double(scored) / double(turns)));
}

void Legs::turnRecorded(bool player1, qint32 score, bool checksOut)
{
    Player &player = m_players[index(player1)];
    player.leg.add(score, +1);
    if (checksOut && !m_finish)
        m_finish = Finish {player1, player.leg.turns, score};
}

void Legs::turnTakenBack(bool player1, qint32 score)
{
    Player &player = m_players[index(player1)];
    if (player.leg.turns == 0)
        return;
    if (m_finish && m_finish->player1 == player1 && m_finish->turn == player.leg.turns)
        m_finish.reset();
    player.leg.add(score, -1);
}

void Legs::leaveLeg()
{
    // A match decided at an earlier new game is over: the game now left is the next match's
    // first leg.
    if (matchWinner()) {
        for (Player &player : m_players) {
            player.legs = 0;
            player.done = {};
            player.highestCheckout.reset();
        }
    }
    if (m_finish) {
        Player &winner = m_players[index(m_finish->player1)];
        ++winner.legs;
        winner.highestCheckout = std::max(winner.highestCheckout.value_or(m_finish->score), m_finish->score);
    }
    for (Player &player : m_players) {
        player.done += player.leg;
        player.leg = {};
    }
    m_finish.reset();
}

std::optional<bool> Legs::legWinner() const
{
    if (!m_finish)
        return std::nullopt;
    return m_finish->player1;
}

std::optional<bool> Legs::matchWinner() const
{
    if (m_firstTo <= 0)
        return std::nullopt;
    for (const bool player1 : {true, false}) {
        if (legsWon(player1) >= m_firstTo)
            return player1;
    }
    return std::nullopt;
}

void Legs::setLegsWon(bool player1, int legs)
{
    m_players[index(player1)].legs = std::max(0, legs);
}

void Legs::setFirstTo(int legs)
{
    m_firstTo = std::max(0, legs);
}

MatchFigures Legs::figures(bool player1) const
{
    const Player &player = m_players[index(player1)];
    MatchFigures figures {player.legs, player.done, player.highestCheckout};
    figures.totals += player.leg;
    return figures;
}
