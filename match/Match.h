// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The rules of a match, without any widget: which scores an entry records, what it writes into
// the turn table, taking entries back and starting a new game.
#pragma once

#include <QtGlobal>

#include "match/Legs.h"

class MatchFollower;
class TField;
class TxovMemTable;

// One player's three fields of a turn row: the score recorded for a turn, the remaining score
// after it and the average per turn so far.
struct PlayerFields
{
    TField *score;
    TField *remaining;
    TField *average;
};

// What an entry did to the match.
enum class EntryOutcome {
    Refused, // nothing recorded, nothing changed
    Recorded, // recorded as typed
    RecordedAsZero, // above the thrower's remaining score under the exact-checkout rule: a turn of 0
};

// The match between two players on the turn table: the game state and the operations that
// change it. The starter's entry opens a turn row, the other player's entry completes it; every
// operation leaves the table in browse state with the cursor on its last row, which taking an
// entry back relies on. The table must be open; the start score is read whenever a rule needs
// it, so it must outlive the match.
class Match
{
    Q_DISABLE_COPY_MOVE(Match)

public:
    Match(TxovMemTable *table, const PlayerFields &player1, const PlayerFields &player2, const qint32 &startScore);

    // Game state.
    bool Player1Starts = true;
    bool Player1ToThrow = true;
    qint32 Remaining1 = 0;
    qint32 Remaining2 = 0;

    // Player 1 starts the first game and is to throw; both have the start score to go. The
    // table is left as it is.
    void startFirstGame();

    // Records the score of the player to throw and hands the turn to the other player. A score
    // no turn of three darts can make is refused (see isPossibleTurn), and so is one whose
    // remaining score would not fit in 32 bits. While exactCheckout is set, a score above the
    // thrower's remaining score counts as 0.
    EntryOutcome enterScore(qint32 score, bool exactCheckout);

    // Takes the most recent entry back and hands the turn back; false, changing nothing, when
    // the table has no row.
    bool takeBack();

    // Empties the table; the other player starts the new game and is to throw, both from the
    // start score. The game left counts as a leg for the first player who checked out in it.
    void newGame();

    // The legs and the match's figures, kept beside the table.
    const Legs &legs() const { return m_legs; }
    Legs &legs() { return m_legs; }

    // Whether three darts can total the score: 0 to 180, but for 163, 166, 169, 172, 173, 175,
    // 176, 178 and 179. A negative score is never possible.
    static bool isPossibleTurn(qint32 score);

    // Tells the follower of every change to the turns from now on; nullptr tells nobody. Following
    // changes nothing of the match, so that a reader given the match as const may follow it.
    void setFollower(MatchFollower *follower) const { m_follower = follower; }

    qint32 startScore() const { return m_startScore; }
    // The next entry opens a turn row (it is the starter's).
    bool nextEntryOpens() const { return Player1ToThrow == Player1Starts; }

private:
    qint32 &remainingOf(bool player1) { return player1 ? Remaining1 : Remaining2; }
    const PlayerFields &fieldsOf(bool player1) const { return player1 ? m_player1 : m_player2; }

    TxovMemTable *const m_table;
    const PlayerFields m_player1;
    const PlayerFields m_player2;
    const qint32 &m_startScore;
    mutable MatchFollower *m_follower = nullptr;
    Legs m_legs;
};
