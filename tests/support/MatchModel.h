// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// A plain model of the match rules, for holding the program's match against them.
#pragma once

#include <vector>

#include <QString>

#include "tests/support/TurnTableModel.h"

// The match as its rules tell it, written from the rules alone and kept apart from the program's
// own match: the game state and the turn rows an entry, taking an entry back and a new game leave.
// The starter's entry opens a row (i counting on from the highest number handed out), the other
// player's completes it; a row holds each player's score, remaining score and average per turn,
// the average rounded half to even.
struct MatchModel
{
    enum class Entry {
        Refused, // nothing recorded, nothing changed
        Recorded, // recorded as typed
        RecordedAsZero, // above the remaining score under the exact-checkout rule
    };

    explicit MatchModel(qint32 startScore = 501, bool exactCheckout = true);

    // The score typed, read as referenceEntryScore reads it, for the player to throw. Refused:
    // text that is no whole number, what three darts cannot total (negative scores included) and
    // a remaining score beyond 32 bits.
    Entry enter(const QString &typed);
    Entry enterScore(qint32 score);
    // Takes the most recent entry back; false, changing nothing, when there is no row.
    bool undo();
    // The rows go; the other player starts, both from the start score.
    void newGame();

    qint32 &remaining(bool player1) { return player1 ? remaining1 : remaining2; }

    qint32 startScore;
    bool exactCheckout;
    bool player1Starts = true;
    bool player1ToThrow = true;
    qint32 remaining1;
    qint32 remaining2;
    std::vector<TurnRow> rows;
    qint32 highestNumber = -1; // the highest i handed out
};
