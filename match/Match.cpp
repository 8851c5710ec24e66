// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The rules of a match on the turn table: entries, taking them back, new games.
#include "match/Match.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "db/Field.h"
#include "match/Checkout.h"
#include "match/MatchStats.h"
#include "match/TurnScores.h"
#include "memtable/xovMemTable.h"

namespace {

// What one dart can score: nothing, a single, double or treble of 1 to 20, the outer bull (25)
// and the bull (50).
constexpr std::array<bool, 61> dartScores()
{
    std::array<bool, 61> possible {};
    possible[0] = possible[25] = possible[50] = true;
    for (int segment = 1; segment <= 20; ++segment)
        possible[segment] = possible[2 * segment] = possible[3 * segment] = true;
    return possible;
}

// What three darts can total.
constexpr std::array<bool, MaximumTurn + 1> turnScores()
{
    constexpr std::array<bool, 61> dart = dartScores();
    std::array<bool, MaximumTurn + 1> possible {};
    for (int a = 0; a <= 60; ++a)
        for (int b = a; b <= 60; ++b)
            for (int c = b; c <= 60; ++c)
                if (dart[a] && dart[b] && dart[c])
                    possible[a + b + c] = true;
    return possible;
}

bool fitsScore(qint64 value)
{
    return value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max();
}

} // namespace

Match::Match(TxovMemTable *table, const PlayerFields &player1, const PlayerFields &player2, const qint32 &startScore)
    : m_table(table)
    , m_player1(player1)
    , m_player2(player2)
    , m_startScore(startScore)
{ }

bool Match::isPossibleTurn(qint32 score)
{
    static constexpr std::array<bool, MaximumTurn + 1> possible = turnScores();
    return score >= 0 && score <= MaximumTurn && possible[score];
}

void Match::startFirstGame()
{
    Player1Starts = true;
    Player1ToThrow = true;
    Remaining1 = m_startScore;
    Remaining2 = m_startScore;
}

EntryOutcome Match::enterScore(qint32 score, bool exactCheckout)
{
    if (!isPossibleTurn(score))
        return EntryOutcome::Refused;

    const bool player1 = Player1ToThrow;
    const bool opening = nextEntryOpens();
    qint32 &remaining = remainingOf(player1);

    // The exact-checkout rule holds in every game while it is set: a score above the remaining
    // score counts as 0.
    const bool overshoot = exactCheckout && score > remaining;
    const qint32 recorded = overshoot ? 0 : score;

    // A remaining score that would leave the 32-bit range cannot be recorded; such an entry is
    // refused like an impossible score.
    if (!fitsScore(qint64(remaining) - recorded))
        return EntryOutcome::Refused;

    if (opening) {
        m_table->AppendRow();
    } else {
        m_table->MoveLast();
        m_table->EditRow();
    }

    const PlayerFields &f = fieldsOf(player1);
    f.score->setAsInteger(recorded);
    f.remaining->setAsInteger(qint32(qint64(remaining) - f.score->AsInteger()));
    remaining = f.remaining->AsInteger();

    // Every entry, zeros included, counts towards the average; the turn rows up to this one are
    // the thrower's entries of the game. The row being appended is not counted yet.
    const qint32 entries = std::max(1, opening ? m_table->RowCount() + 1 : m_table->RowCount());
    const double average = std::nearbyint(double(qint64(m_startScore) - remaining) / entries);
    f.average->setAsInteger(qint32(
        std::clamp(average, double(std::numeric_limits<qint32>::min()), double(std::numeric_limits<qint32>::max()))));
    m_table->PostRow();
    const bool checksOut = hasCheckedOut(remaining, exactCheckout);
    m_legs.turnRecorded(player1, recorded, checksOut);
    m_record.turnRecorded(player1, recorded, remaining, checksOut);
    if (m_follower)
        m_follower->turnRecorded(player1, recorded, f.average->AsInteger());

    Player1ToThrow = !Player1ToThrow;
    return overshoot ? EntryOutcome::RecordedAsZero : EntryOutcome::Recorded;
}

bool Match::takeBack()
{
    if (m_table->RowCount() == 0)
        return false;

    if (nextEntryOpens()) {
        // The last entry completed its row: the row stays with the starter's entry alone, and
        // the remaining score after the entry plus its score is the one before it.
        const bool player1 = !Player1Starts;
        const PlayerFields &f = fieldsOf(player1);
        remainingOf(player1) = qint32(qint64(f.remaining->AsInteger()) + f.score->AsInteger());
        m_legs.turnTakenBack(player1, f.score->AsInteger());
        m_table->EditRow();
        f.score->Clear();
        f.remaining->Clear();
        f.average->Clear();
        m_table->PostRow();
    } else {
        // The last entry opened its row: the row goes, and the starter's remaining score is the
        // one stored in the row before, 0 included; with no row before, the start score.
        const bool player1 = Player1Starts;
        m_legs.turnTakenBack(player1, fieldsOf(player1).score->AsInteger());
        m_table->DeleteRow();
        const TField *before = fieldsOf(player1).remaining;
        remainingOf(player1) = before->IsEmptyValue() ? m_startScore : before->AsInteger();
    }
    m_record.turnTakenBack(!Player1ToThrow);
    if (m_follower)
        m_follower->turnTakenBack(!Player1ToThrow);

    Player1ToThrow = !Player1ToThrow;
    return true;
}

void Match::newGame()
{
    m_table->RemoveAllRows();
    // Before the legs file the leg: a match they count as decided is over, this leg opens the next.
    m_record.leaveLeg(m_legs.matchWinner().has_value());
    m_legs.leaveLeg();
    if (m_follower)
        m_follower->turnsCleared();
    Remaining1 = m_startScore;
    Remaining2 = m_startScore;
    Player1Starts = !Player1Starts;
    Player1ToThrow = Player1Starts;
}
