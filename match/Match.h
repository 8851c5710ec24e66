// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The rules of a match, without any widget: which scores an entry records, what it writes into
// the turn table, taking entries back and starting a new game.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QString>
#include <QtGlobal>

#include "match/Legs.h"
#include "match/ResultRecord.h"

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
    // A bust, recorded as a turn of 0: above the thrower's remaining score under the exact-checkout
    // rule, or under double out a turn that leaves 1 or reaches 0 without a finish on a double.
    RecordedAsZero,
};

// What taking back the last new game did.
enum class PreviousGameOutcome {
    Restored, // the game the last new game left is back
    NoneKept, // no new game to take back: none since the start or the last new match, or taken back
    EnteredSince, // a score has been entered in the new game: it stays
};

// What the status bar says of it: the game back, or why it is not.
QString PreviousGameText(PreviousGameOutcome outcome);

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
    // thrower's remaining score counts as 0. Double out includes the exact checkout, and a turn
    // that leaves 1, or that reaches 0 with a total no three darts ending on a double or the bull
    // make, counts as 0 too.
    EntryOutcome enterScore(qint32 score, bool exactCheckout, bool doubleOut = false);

    // Takes the most recent entry back and hands the turn back; false, changing nothing, when
    // the table has no row.
    bool takeBack();

    // Empties the table; the next starter (the other player, or in a match with sets the one the
    // sets name) starts the new game and is to throw, both from the start score. The game left
    // counts as a leg for the first player who checked out in it, and is kept until the next new
    // game or entry, so that restorePreviousGame can bring it back.
    void newGame();
    // A new match: empties the table, both players from the start score, 0 – 0 in sets and legs,
    // the match's figures empty. The bull-off winner starts, none keeping the current starter.
    // The game left counts for nothing and cannot be brought back.
    void newMatch(std::optional<bool> bullOffWinnerIsPlayer1);
    // Brings back the game the last new game left, as it stood: its turn rows, remaining scores,
    // starter and player to throw, legs and sets, and the statistics told to the follower; only
    // while no score has been entered in the new game, and only once.
    PreviousGameOutcome restorePreviousGame();

    // The legs and the match's figures, kept beside the table.
    const Legs &legs() const { return m_legs; }
    Legs &legs() { return m_legs; }
    // Every leg of the night turn by turn, for the result sheet.
    const ResultRecord &record() const { return m_record; }
    ResultRecord &record() { return m_record; }

    // Whether three darts can total the score: 0 to 180, but for 163, 166, 169, 172, 173, 175,
    // 176, 178 and 179. A negative score is never possible.
    static bool isPossibleTurn(qint32 score);
    // Whether three darts, the last a double or the bull, can total the score: 2 to 170, but for
    // 159, 162, 163, 165, 166, 168 and 169.
    static bool isDoubleOutFinish(qint32 score);

    // Tells the follower of every change to the turns from now on; nullptr tells nobody. Following
    // changes nothing of the match, so that a reader given the match as const may follow it.
    void setFollower(MatchFollower *follower) const { m_follower = follower; }

    qint32 startScore() const { return m_startScore; }
    // The next entry opens a turn row (it is the starter's).
    bool nextEntryOpens() const { return Player1ToThrow == Player1Starts; }

private:
    qint32 &remainingOf(bool player1) { return player1 ? Remaining1 : Remaining2; }
    const PlayerFields &fieldsOf(bool player1) const { return player1 ? m_player1 : m_player2; }

    // Leaves the table empty and both players at the start score, the followers told.
    void clearGame();

    // One turn row as the match wrote it: i, e1, h1, a1, e2, h2, a2, and which of them hold a
    // value. Kept beside the table so that a new game can keep the game it leaves without reading
    // the table again.
    struct WrittenRow
    {
        std::array<qint32, 7> values {};
        quint8 present = 0;
    };
    // The game a new game left, and the game state around it.
    struct PreviousGame
    {
        std::vector<WrittenRow> rows;
        bool player1Starts;
        bool player1ToThrow;
        qint32 remaining1;
        qint32 remaining2;
        Legs::Standing standing;
    };
    // Copies the thrower's fields of the current row into the last written row.
    void noteFields(bool player1);

    TxovMemTable *const m_table;
    const PlayerFields m_player1;
    const PlayerFields m_player2;
    const qint32 &m_startScore;
    mutable MatchFollower *m_follower = nullptr;
    Legs m_legs;
    ResultRecord m_record;
    std::vector<WrittenRow> m_rows; // the current game's rows, as in the table
    std::optional<PreviousGame> m_previous;
    bool m_enteredSinceNewGame = false;
};
