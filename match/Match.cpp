// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The rules of a match on the turn table: entries, taking them back, new games.
#include "match/Match.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include <QCoreApplication>

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

// What three darts, the last of them a double or the bull, can total.
constexpr std::array<bool, MaximumTurn + 1> doubleOutFinishes()
{
    constexpr std::array<bool, 61> dart = dartScores();
    std::array<bool, MaximumTurn + 1> possible {};
    for (int last = 2; last <= 50; last += 2) {
        if (last > 40 && last != 50)
            continue;
        for (int a = 0; a <= 60; ++a)
            for (int b = a; b <= 60; ++b)
                if (dart[a] && dart[b])
                    possible[a + b + last] = true;
    }
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

bool Match::isDoubleOutFinish(qint32 score)
{
    static constexpr std::array<bool, MaximumTurn + 1> possible = doubleOutFinishes();
    return score >= 0 && score <= MaximumTurn && possible[score];
}

QString PreviousGameText(PreviousGameOutcome outcome)
{
    switch (outcome) {
    case PreviousGameOutcome::Restored:
        return QCoreApplication::translate("Match", "Az előző játék visszaállítva");
    case PreviousGameOutcome::NoneKept:
        return QCoreApplication::translate("Match", "Nincs visszaállítható előző játék");
    case PreviousGameOutcome::EnteredSince:
        break;
    }
    return QCoreApplication::translate("Match", "Az előző játék nem állítható vissza: az új játékban már dobtak");
}

void Match::startFirstGame()
{
    Player1Starts = true;
    Player1ToThrow = true;
    Remaining1 = m_startScore;
    Remaining2 = m_startScore;
    m_rows.clear();
}

EntryOutcome Match::enterScore(qint32 score, bool exactCheckout, bool doubleOut)
{
    if (!isPossibleTurn(score))
        return EntryOutcome::Refused;

    const bool player1 = Player1ToThrow;
    const bool opening = nextEntryOpens();
    qint32 &remaining = remainingOf(player1);

    // The exact-checkout rule holds in every game while it is set: a score above the remaining
    // score counts as 0. Double out includes it, and a leg can only end on a double: a turn that
    // leaves 1, or reaches 0 with a total no finish on a double makes, counts as 0 too.
    exactCheckout = exactCheckout || doubleOut;
    const qint64 left = qint64(remaining) - score;
    const bool overshoot = (exactCheckout && score > remaining)
        || (doubleOut && score > 0 && (left == 1 || (left == 0 && !isDoubleOutFinish(score))));
    const qint32 recorded = overshoot ? 0 : score;

    // A remaining score that would leave the 32-bit range cannot be recorded; such an entry is
    // refused like an impossible score.
    if (!fitsScore(qint64(remaining) - recorded))
        return EntryOutcome::Refused;

    // An entry in the new game keeps it: the game before can no longer come back.
    if (m_previous) {
        m_previous.reset();
        m_enteredSinceNewGame = true;
    }

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
    if (opening) {
        WrittenRow row;
        if (const TField *number = m_table->AutoIncField(); number && !number->IsEmptyValue()) {
            row.values[0] = number->AsInteger();
            row.present = 1;
        }
        m_rows.push_back(row);
    }
    noteFields(player1);
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
        if (!m_rows.empty())
            noteFields(player1);
    } else {
        // The last entry opened its row: the row goes, and the starter's remaining score is the
        // one stored in the row before, 0 included; with no row before, the start score.
        const bool player1 = Player1Starts;
        m_legs.turnTakenBack(player1, fieldsOf(player1).score->AsInteger());
        m_table->DeleteRow();
        if (!m_rows.empty())
            m_rows.pop_back();
        const TField *before = fieldsOf(player1).remaining;
        remainingOf(player1) = before->IsEmptyValue() ? m_startScore : before->AsInteger();
    }
    m_record.turnTakenBack(!Player1ToThrow);
    if (m_follower)
        m_follower->turnTakenBack(!Player1ToThrow);

    Player1ToThrow = !Player1ToThrow;
    return true;
}

void Match::clearGame()
{
    m_table->RemoveAllRows();
    if (m_follower)
        m_follower->turnsCleared();
    Remaining1 = m_startScore;
    Remaining2 = m_startScore;
    m_rows.clear();
}

void Match::newGame()
{
    // The rows go to the kept game whole, without a copy: a new game costs the same however long
    // the game it leaves.
    PreviousGame previous {std::move(m_rows), Player1Starts, Player1ToThrow, Remaining1, Remaining2, m_legs.standing()};
    // Before the legs file the leg: a match they count as decided is over, this leg opens the next.
    m_record.leaveLeg(m_legs.matchDecided());
    m_legs.leaveLeg(Player1Starts);
    clearGame();
    Player1Starts = m_legs.nextLegStarter(!Player1Starts);
    Player1ToThrow = Player1Starts;
    m_previous = std::move(previous);
    m_enteredSinceNewGame = false;
}

void Match::newMatch(std::optional<bool> bullOffWinnerIsPlayer1)
{
    const bool starter = bullOffWinnerIsPlayer1.value_or(Player1Starts);
    m_record.startMatch(m_legs.matchDecided());
    m_legs.startMatch(starter);
    clearGame();
    Player1Starts = starter;
    Player1ToThrow = starter;
    m_previous.reset();
    m_enteredSinceNewGame = false;
}

void Match::noteFields(bool player1)
{
    const PlayerFields &f = fieldsOf(player1);
    const std::size_t base = player1 ? 1 : 4;
    WrittenRow &row = m_rows.back();
    const std::array<const TField *, 3> fields {f.score, f.remaining, f.average};
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const auto bit = quint8(1u << (base + k));
        if (fields[k]->IsEmptyValue()) {
            row.present &= quint8(~bit);
        } else {
            row.values[base + k] = fields[k]->AsInteger();
            row.present |= bit;
        }
    }
}

PreviousGameOutcome Match::restorePreviousGame()
{
    if (!m_previous)
        return m_enteredSinceNewGame ? PreviousGameOutcome::EnteredSince : PreviousGameOutcome::NoneKept;
    PreviousGame game = std::move(*m_previous);
    m_previous.reset();

    clearGame();
    const std::array<TField *, 7> fields {m_table->AutoIncField(), m_player1.score, m_player1.remaining,
        m_player1.average, m_player2.score, m_player2.remaining, m_player2.average};
    for (const WrittenRow &row : game.rows) {
        m_table->AppendRow();
        // Each row keeps its number: the one the table gives a new row is written over.
        for (std::size_t k = 0; k < fields.size(); ++k) {
            if (fields[k] && (row.present & (1u << k)))
                fields[k]->setAsInteger(row.values[k]);
        }
        m_table->PostRow();
        if (m_follower) {
            for (const bool player1 : {true, false}) {
                const std::size_t base = player1 ? 1 : 4;
                if (row.present & (1u << base)) {
                    const bool averaged = row.present & (1u << (base + 2));
                    m_follower->turnRecorded(player1, row.values[base],
                        averaged ? std::optional<qint32>(row.values[base + 2]) : std::nullopt);
                }
            }
        }
    }
    m_rows = std::move(game.rows);
    Player1Starts = game.player1Starts;
    Player1ToThrow = game.player1ToThrow;
    Remaining1 = game.remaining1;
    Remaining2 = game.remaining2;
    m_legs.restore(game.standing);
    m_record.restoreLeg();
    return PreviousGameOutcome::Restored;
}
