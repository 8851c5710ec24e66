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
    Player &player = m_standing.players[index(player1)];
    player.leg.add(score, +1);
    if (checksOut && !m_standing.finish)
        m_standing.finish = Finish {player1, player.leg.turns, score};
}

void Legs::turnTakenBack(bool player1, qint32 score)
{
    Player &player = m_standing.players[index(player1)];
    if (player.leg.turns == 0)
        return;
    const std::optional<Finish> &finish = m_standing.finish;
    if (finish && finish->player1 == player1 && finish->turn == player.leg.turns)
        m_standing.finish.reset();
    player.leg.add(score, -1);
}

void Legs::leaveLeg(bool legStarter)
{
    // A match decided at an earlier new game is over: the game now left is the next match's
    // first leg, its starter as good as the bull-off winner.
    if (matchDecided()) {
        for (Player &player : m_standing.players)
            player = Player {{}, {}, {}, player.leg, {}};
        m_standing.bullOffWinnerIsPlayer1 = legStarter;
    } else if (setWinner()) {
        // Decided by the operator's correction meanwhile.
        closeSet();
    }
    if (const std::optional<Finish> finish = m_standing.finish) {
        Player &winner = m_standing.players[index(finish->player1)];
        ++winner.legs;
        winner.highestCheckout = std::max(winner.highestCheckout.value_or(finish->score), finish->score);
    }
    for (Player &player : m_standing.players) {
        player.done += player.leg;
        player.leg = {};
    }
    m_standing.finish.reset();
    // The set's last leg: the next set starts, unless the set also decided the match, which then
    // shows as it ended until its next leg is left.
    if (setWinner() && !matchDecided())
        closeSet();
}

void Legs::startMatch(bool bullOffWinnerIsPlayer1)
{
    m_standing = Standing {};
    m_standing.bullOffWinnerIsPlayer1 = bullOffWinnerIsPlayer1;
}

void Legs::closeSet()
{
    const std::optional<bool> winner = setWinner();
    if (!winner)
        return;
    ++m_standing.players[index(*winner)].sets;
    for (Player &player : m_standing.players)
        player.legs = 0;
}

std::optional<bool> Legs::legWinner() const
{
    if (!m_standing.finish)
        return std::nullopt;
    return m_standing.finish->player1;
}

std::optional<bool> Legs::runWinner(int legs1, int legs2, int target, bool twoClear)
{
    for (const bool player1 : {true, false}) {
        const int own = player1 ? legs1 : legs2;
        const int other = player1 ? legs2 : legs1;
        if (own < target)
            continue;
        if (!twoClear)
            return player1;
        // Two clear legs, or the sudden-death leg once both have reached two beyond the target.
        if (own - other >= 2 || (own > other && other >= target + 2))
            return player1;
    }
    return std::nullopt;
}

bool Legs::playsSets() const
{
    return m_format.sets > 0 && m_format.legs > 0 && !m_format.allLegs;
}

bool Legs::decidingSet() const
{
    const int last = m_format.sets - 1;
    return m_standing.players[0].sets == last && m_standing.players[1].sets == last;
}

std::optional<bool> Legs::setWinner() const
{
    if (!playsSets())
        return std::nullopt;
    return runWinner(legsWon(true), legsWon(false), m_format.legs, m_format.twoClearLegs && decidingSet());
}

int Legs::setsWon(bool player1) const
{
    return m_standing.players[index(player1)].sets + (setWinner() == player1 ? 1 : 0);
}

std::optional<bool> Legs::matchWinner() const
{
    if (m_format.legs <= 0)
        return std::nullopt;
    if (m_format.allLegs) {
        if (legsWon(true) + legsWon(false) < m_format.legs || legsWon(true) == legsWon(false))
            return std::nullopt;
        return legsWon(true) > legsWon(false);
    }
    if (playsSets()) {
        for (const bool player1 : {true, false}) {
            if (setsWon(player1) >= m_format.sets)
                return player1;
        }
        return std::nullopt;
    }
    return runWinner(legsWon(true), legsWon(false), m_format.legs, m_format.twoClearLegs);
}

bool Legs::matchDrawn() const
{
    return m_format.legs > 0 && m_format.allLegs && legsWon(true) + legsWon(false) >= m_format.legs
        && legsWon(true) == legsWon(false);
}

void Legs::setLegsWon(bool player1, int legs)
{
    m_standing.players[index(player1)].legs = std::max(0, legs);
}

void Legs::setFormat(const MatchFormat &format)
{
    m_format = format;
    m_format.legs = std::max(0, format.legs);
    m_format.sets = std::max(0, format.sets);
}

void Legs::setFirstTo(int legs)
{
    m_format.legs = std::max(0, legs);
}

LegNumber Legs::currentLeg() const
{
    if (matchDecided())
        return {playsSets() ? 1 : 0, 1};
    if (!playsSets())
        return {0, legsWon(true) + legsWon(false) + 1};
    // A set decided by a correction is as good as closed.
    if (setWinner())
        return {setsWon(true) + setsWon(false) + 1, 1};
    return {setsWon(true) + setsWon(false) + 1, legsWon(true) + legsWon(false) + 1};
}

bool Legs::nextLegStarter(bool alternated) const
{
    if (!playsSets() || matchDecided())
        return alternated;
    const LegNumber next = currentLeg();
    const bool bullOffWinner = m_standing.bullOffWinnerIsPlayer1;
    return (next.set + next.leg) % 2 == 0 ? bullOffWinner : !bullOffWinner;
}

MatchFigures Legs::figures(bool player1) const
{
    const Player &player = m_standing.players[index(player1)];
    MatchFigures figures {player.legs, player.done, player.highestCheckout, setsWon(player1)};
    figures.totals += player.leg;
    return figures;
}
