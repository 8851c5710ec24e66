// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/MatchModel.h"

#include <algorithm>
#include <limits>

#include <QList>

#include "tests/support/ReferenceScore.h"

namespace {

qint32 clamped(qint64 value)
{
    return qint32(std::clamp<qint64>(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

// num / n rounded to the nearest integer, an exact half to the even neighbour; n > 0.
qint64 roundedHalfToEven(qint64 num, qint64 n)
{
    qint64 q = num / n;
    qint64 r = num % n;
    if (r < 0) {
        r += n;
        --q;
    }
    if (2 * r > n || (2 * r == n && q % 2 != 0))
        ++q;
    return q;
}

} // namespace

MatchModel::MatchModel(qint32 start, bool exact)
    : startScore(start)
    , exactCheckout(exact)
    , remaining1(start)
    , remaining2(start)
{ }

MatchModel::Entry MatchModel::enter(const QString &typed)
{
    const std::optional<qint32> score = referenceEntryScore(typed);
    return score ? enterScore(*score) : Entry::Refused;
}

MatchModel::Entry MatchModel::enterScore(qint32 typedScore)
{
    static const QList<qint32> impossible {163, 166, 169, 172, 173, 175, 176, 178, 179};
    static const QList<qint32> noDoubleFinish {159, 162, 163, 165, 166, 168, 169};
    if (typedScore < 0 || typedScore > 180 || impossible.contains(typedScore))
        return Entry::Refused;
    const bool player1 = player1ToThrow;
    const bool opening = player1ToThrow == player1Starts;
    qint32 &left = remaining(player1);
    const bool exact = exactCheckout || doubleOut;
    const qint64 leaves = qint64(left) - typedScore;
    bool overshoot = exact && typedScore > left;
    if (doubleOut && typedScore != 0) {
        if (leaves == 1)
            overshoot = true;
        if (leaves == 0 && (typedScore == 1 || typedScore > 170 || noDoubleFinish.contains(typedScore)))
            overshoot = true;
    }
    const qint32 score = overshoot ? 0 : typedScore;
    const qint64 after = qint64(left) - score;
    if (after != clamped(after))
        return Entry::Refused;
    if (m_previous) {
        m_previous.reset();
        m_enteredSince = true;
    }
    m_entries.emplace_back(player1, after == 0 || (after < 0 && !exact));
    if (opening) {
        TurnRow row;
        row[0] = ++highestNumber;
        rows.push_back(row);
    }
    const int base = player1 ? 1 : 4;
    TurnRow &row = rows.back();
    row[base] = score;
    row[base + 1] = qint32(after);
    row[base + 2] = clamped(roundedHalfToEven(qint64(startScore) - after, qint64(rows.size())));
    left = qint32(after);
    player1ToThrow = !player1ToThrow;
    return overshoot ? Entry::RecordedAsZero : Entry::Recorded;
}

bool MatchModel::undo()
{
    if (rows.empty())
        return false;
    if (player1ToThrow == player1Starts) {
        const bool player1 = !player1Starts;
        const int base = player1 ? 1 : 4;
        TurnRow &row = rows.back();
        remaining(player1) = qint32(qint64(row[base + 1].value_or(0)) + row[base].value_or(0));
        row[base] = row[base + 1] = row[base + 2] = std::nullopt;
    } else {
        const bool player1 = player1Starts;
        rows.pop_back();
        remaining(player1) = rows.empty() ? startScore : rows.back()[player1 ? 2 : 5].value_or(0);
    }
    m_entries.pop_back();
    player1ToThrow = !player1ToThrow;
    return true;
}

std::optional<bool> MatchModel::legWinner() const
{
    for (const auto &[player1, finished] : m_entries) {
        if (finished)
            return player1;
    }
    return std::nullopt;
}

MatchModel::Tally MatchModel::tally() const
{
    // First to `target`; with two clear legs, by two, or by one once the loser has two beyond it.
    const auto wins = [](int own, int other, int target, bool twoClear) {
        return own >= target && (!twoClear || own - other >= 2 || (other >= target + 2 && own == other + 1));
    };
    const int target = format.legs;
    const bool allLegs = target > 0 && format.allLegs;
    const bool sets = target > 0 && !allLegs && format.sets > 0;
    Tally t;
    for (const std::optional<bool> &leg : legsLeft) {
        if (t.decided())
            break;
        if (leg)
            ++t.legs[*leg ? 0 : 1];
        if (target == 0)
            continue;
        if (allLegs) {
            if (t.legs[0] + t.legs[1] >= target) {
                t.drawn = t.legs[0] == t.legs[1];
                if (!t.drawn)
                    t.winner = t.legs[0] > t.legs[1];
            }
            continue;
        }
        const bool deciding = !sets || (t.sets[0] == format.sets - 1 && t.sets[1] == format.sets - 1);
        const bool twoClear = format.twoClearLegs && deciding;
        for (const int i : {0, 1}) {
            if (!wins(t.legs[i], t.legs[1 - i], target, twoClear))
                continue;
            if (!sets) {
                t.winner = i == 0;
            } else if (++t.sets[i] >= format.sets) {
                t.winner = i == 0;
            } else {
                t.legs = {};
            }
            break;
        }
    }
    return t;
}

MatchModel::Game MatchModel::game() const
{
    return {player1Starts, player1ToThrow, remaining1, remaining2, rows, m_entries, legsLeft, bullOffWinner};
}

void MatchModel::newGame()
{
    Game left = game();
    const std::optional<bool> winner = legWinner();
    if (tally().decided()) {
        legsLeft.clear();
        bullOffWinner = player1Starts;
    }
    legsLeft.push_back(winner);
    rows.clear();
    m_entries.clear();
    remaining1 = remaining2 = startScore;
    const Tally t = tally();
    const bool sets = format.legs > 0 && !format.allLegs && format.sets > 0;
    if (!sets || t.decided()) {
        player1Starts = !player1Starts;
    } else {
        // Odd legs of odd sets and even legs of even sets go to the bull-off winner.
        const int set = t.sets[0] + t.sets[1] + 1;
        const int leg = t.legs[0] + t.legs[1] + 1;
        player1Starts = (set % 2 == leg % 2) ? bullOffWinner : !bullOffWinner;
    }
    player1ToThrow = player1Starts;
    m_previous = std::move(left);
    m_enteredSince = false;
}

void MatchModel::newMatch(std::optional<bool> bullOff)
{
    bullOffWinner = bullOff.value_or(player1Starts);
    player1Starts = player1ToThrow = bullOffWinner;
    rows.clear();
    m_entries.clear();
    legsLeft.clear();
    remaining1 = remaining2 = startScore;
    m_previous.reset();
    m_enteredSince = false;
}

MatchModel::Previous MatchModel::restorePrevious()
{
    if (!m_previous)
        return m_enteredSince ? Previous::EnteredSince : Previous::NoneKept;
    const Game g = *m_previous;
    m_previous.reset();
    player1Starts = g.player1Starts;
    player1ToThrow = g.player1ToThrow;
    remaining1 = g.remaining1;
    remaining2 = g.remaining2;
    rows = g.rows;
    m_entries = g.entries;
    legsLeft = g.legsLeft;
    bullOffWinner = g.bullOffWinner;
    return Previous::Restored;
}
