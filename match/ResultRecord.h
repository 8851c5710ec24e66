// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QtGlobal>

#include "match/CheckoutDarts.h"

// The night's record for the result sheet: every leg's turns as the match reports them, kept
// beside the match at the cost of a few bytes a turn; the sheet's figures are worked out from it
// only when asked (ResultSheet.h).

// A turn as recorded: its score and the remaining score after it.
struct RecordedTurn
{
    qint32 score = 0;
    qint32 remaining = 0;
};

// One leg: who started, each player's turns in order, who checked out first and with which turn.
struct LegRecord
{
    int match = 1; // the night's match the leg belongs to, from 1
    int number = 1; // the leg's number in its match, from 1
    bool player1Started = true;
    std::array<std::vector<RecordedTurn>, 2> turns;
    std::optional<bool> winner; // the first player who checked out, none if nobody did
    int finishTurn = 0; // the winner's turn that checked out, from 1
    std::optional<int> checkoutDarts; // the darts of that turn, when the operator gave them

    const std::vector<RecordedTurn> &turnsOf(bool player1) const { return turns[player1 ? 0 : 1]; }
    bool isEmpty() const { return turns[0].empty() && turns[1].empty(); }
    // The score of the checking-out turn.
    std::optional<qint32> checkout() const;
    // The winner's darts in the leg, when the checkout's darts are known.
    std::optional<int> darts() const;
};

// Follows the match: each turn recorded or taken back goes to the leg in play, and a new game
// files that leg, unless it has no turn at all, as the next leg of its match.
class ResultRecord
{
public:
    // A turn of `score` was recorded for the player, leaving `remaining`; checksOut says it took the
    // player to a finish.
    void turnRecorded(bool player1, qint32 score, qint32 remaining, bool checksOut);
    // The player's most recent turn of the leg was taken back.
    void turnTakenBack(bool player1);
    // A new game leaves the leg in play; opensMatch says the leg is the first of a new match (the
    // match before it was decided).
    void leaveLeg(bool opensMatch);
    // A new match: the leg in play is filed with the match it was played in (opensMatch as above),
    // and the next leg filed opens a match of its own.
    void startMatch(bool opensMatch);
    // The previous game brought back: the last leaveLeg is undone, its leg in play again. Only the
    // last one, and not after a new match.
    void restoreLeg();

    // The darts the checking-out turn of the leg in play took; refused (false, nothing changed) when
    // nobody has checked out or that many darts cannot have made the turn under the rule.
    bool setCheckoutDarts(int darts, FinishRule rule);

    // Every leg left so far, in order.
    const std::vector<LegRecord> &legs() const { return m_legs; }
    // The leg in play.
    const LegRecord &currentLeg() const { return m_current; }
    // The match the leg in play belongs to: the one a new game would file it with now. matchDecided
    // says the match of the legs left is decided, so that the leg in play opens the next one.
    int matchInPlay(bool matchDecided) const { return m_match + (matchDecided || m_matchPending ? 1 : 0); }
    // A new match was started and no leg of it left yet.
    bool matchPending() const { return m_matchPending; }

private:
    // What the last leaveLeg did, so that restoreLeg can undo it.
    struct Leaving
    {
        bool openedMatch = false;
        bool filed = false;
        bool matchWasPending = false;
    };

    std::vector<LegRecord> m_legs;
    LegRecord m_current;
    int m_match = 1;
    bool m_matchPending = false; // a new match was started: the next leg filed opens it
    std::optional<Leaving> m_lastLeaving;
};
