// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The night's legs, turn by turn, as the match reports them.
#include "match/ResultRecord.h"

#include <utility>

std::optional<qint32> LegRecord::checkout() const
{
    if (!winner)
        return std::nullopt;
    return turnsOf(*winner)[finishTurn - 1].score;
}

std::optional<int> LegRecord::darts() const
{
    if (!winner || !checkoutDarts)
        return std::nullopt;
    return legDarts(finishTurn, *checkoutDarts);
}

void ResultRecord::turnRecorded(bool player1, qint32 score, qint32 remaining, bool checksOut)
{
    if (m_current.isEmpty())
        m_current.player1Started = player1;
    std::vector<RecordedTurn> &turns = m_current.turns[player1 ? 0 : 1];
    turns.push_back({score, remaining});
    if (checksOut && !m_current.winner) {
        m_current.winner = player1;
        m_current.finishTurn = int(turns.size());
    }
}

void ResultRecord::turnTakenBack(bool player1)
{
    std::vector<RecordedTurn> &turns = m_current.turns[player1 ? 0 : 1];
    if (turns.empty())
        return;
    if (m_current.winner == player1 && m_current.finishTurn == int(turns.size())) {
        m_current.winner.reset();
        m_current.finishTurn = 0;
        m_current.checkoutDarts.reset();
    }
    turns.pop_back();
}

void ResultRecord::leaveLeg(bool opensMatch)
{
    Leaving leaving {.matchWasPending = m_matchPending};
    leaving.openedMatch = opensMatch || std::exchange(m_matchPending, false);
    if (leaving.openedMatch)
        ++m_match;
    if (!m_current.isEmpty()) {
        const bool sameMatch = !m_legs.empty() && m_legs.back().match == m_match;
        m_current.match = m_match;
        m_current.number = sameMatch ? m_legs.back().number + 1 : 1;
        m_legs.push_back(std::move(m_current));
        leaving.filed = true;
    }
    m_current = {};
    m_lastLeaving = leaving;
}

void ResultRecord::startMatch(bool opensMatch)
{
    leaveLeg(opensMatch);
    m_matchPending = true;
    m_lastLeaving.reset();
}

void ResultRecord::restoreLeg()
{
    if (!m_lastLeaving)
        return;
    const Leaving leaving = *m_lastLeaving;
    m_lastLeaving.reset();
    if (leaving.filed) {
        m_current = std::move(m_legs.back());
        m_legs.pop_back();
    } else {
        m_current = {};
    }
    if (leaving.openedMatch)
        --m_match;
    m_matchPending = leaving.matchWasPending;
}

bool ResultRecord::setCheckoutDarts(int darts, FinishRule rule)
{
    const std::optional<qint32> checkout = m_current.checkout();
    if (!checkout || !canCheckOutWith(*checkout, darts, rule))
        return false;
    m_current.checkoutDarts = darts;
    return true;
}
