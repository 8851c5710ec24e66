// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QtGlobal>

// Each player's statistics of the game, kept in step with the match one change at a time.

// Told of every change the match makes to the turns, as it makes it.
class MatchFollower
{
public:
    virtual ~MatchFollower() = default;
    // A turn of `score` was recorded for the player, with the average per turn stored with it.
    virtual void turnRecorded(bool player1, qint32 score, std::optional<qint32> average) = 0;
    // The player's most recent turn was taken back.
    virtual void turnTakenBack(bool player1) = 0;
    // Every turn of the game is gone: a new game.
    virtual void turnsCleared() = 0;
};

// One player's turns of the game and the figures the display shows of them.
class PlayerStats
{
public:
    void push(qint32 score, std::optional<qint32> average);
    // Takes the most recent turn away; nothing when there is none.
    void pop();
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
    std::optional<qint32> highest() const;

private:
    void count(qint32 score, int step);

    // Each turn keeps the highest score up to it, so that taking turns back restores it.
    struct Turn
    {
        qint32 score;
        std::optional<qint32> average;
        qint32 highest;
    };
    std::vector<Turn> m_turns;
    int m_tons = 0;
    int m_tonForties = 0;
    int m_maximums = 0;
};

// Both players' statistics of the game, following the match change by change.
class MatchStats final : public MatchFollower
{
public:
    const PlayerStats &player1() const { return m_players[0]; }
    const PlayerStats &player2() const { return m_players[1]; }
    const PlayerStats &player(bool player1) const { return m_players[player1 ? 0 : 1]; }

    void turnRecorded(bool player1, qint32 score, std::optional<qint32> average) override;
    void turnTakenBack(bool player1) override;
    void turnsCleared() override;

private:
    std::array<PlayerStats, 2> m_players;
};
