// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// A plain model of the match rules, for holding the program's match against them.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QString>

#include "match/Legs.h"
#include "tests/support/TurnTableModel.h"

// The match as its rules tell it, written from the rules alone and kept apart from the program's
// own match: the game state and the turn rows an entry, taking an entry back and a new game leave.
// The starter's entry opens a row (i counting on from the highest number handed out), the other
// player's completes it; a row holds each player's score, remaining score and average per turn,
// the average rounded half to even.
//
// Beyond the game: double out (a turn leaving 1, or reaching 0 with a total no finish on a double
// makes, counts as 0), the legs of the match kept as the list of who won each leg left, and the
// sets, legs, winner and next starter worked out afresh from that list whenever asked.
struct MatchModel
{
    enum class Entry {
        Refused, // nothing recorded, nothing changed
        Recorded, // recorded as typed
        RecordedAsZero, // a bust: above the remaining score under the exact-checkout rule, or by double out
    };
    enum class Previous { Restored, NoneKept, EnteredSince };

    // Where the match stands after the legs left.
    struct Tally
    {
        std::array<int, 2> sets {};
        std::array<int, 2> legs {};
        std::optional<bool> winner;
        bool drawn = false;
        bool decided() const { return winner || drawn; }
    };

    explicit MatchModel(qint32 startScore = 501, bool exactCheckout = true);

    // The score typed, read as referenceEntryScore reads it, for the player to throw. Refused:
    // text that is no whole number, what three darts cannot total (negative scores included) and
    // a remaining score beyond 32 bits.
    Entry enter(const QString &typed);
    Entry enterScore(qint32 score);
    // Takes the most recent entry back; false, changing nothing, when there is no row.
    bool undo();
    // The rows go, the game left a leg of the first player who finished in it; the next starter
    // starts, both from the start score.
    void newGame();
    // A new match from the start score, no legs left; the bull-off winner, none for the current
    // starter, starts.
    void newMatch(std::optional<bool> bullOffWinner);
    // The game the last new game left comes back, unless a score was entered since.
    Previous restorePrevious();

    Tally tally() const;
    // The first player to finish in the current game.
    std::optional<bool> legWinner() const;

    qint32 &remaining(bool player1) { return player1 ? remaining1 : remaining2; }

    qint32 startScore;
    bool exactCheckout;
    bool player1Starts = true;
    bool player1ToThrow = true;
    qint32 remaining1;
    qint32 remaining2;
    std::vector<TurnRow> rows;
    qint32 highestNumber = -1; // the highest i handed out

    bool doubleOut = false;
    MatchFormat format;
    std::vector<std::optional<bool>> legsLeft; // of the match: who finished first in each leg
    bool bullOffWinner = true;

private:
    struct Game
    {
        bool player1Starts;
        bool player1ToThrow;
        qint32 remaining1;
        qint32 remaining2;
        std::vector<TurnRow> rows;
        std::vector<std::pair<bool, bool>> entries;
        std::vector<std::optional<bool>> legsLeft;
        bool bullOffWinner;
    };
    Game game() const;

    // The game's entries in order: whose, and whether it finished.
    std::vector<std::pair<bool, bool>> m_entries;
    std::optional<Game> m_previous;
    bool m_enteredSince = false;
};
