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
    if (typedScore < 0 || typedScore > 180 || impossible.contains(typedScore))
        return Entry::Refused;
    const bool player1 = player1ToThrow;
    const bool opening = player1ToThrow == player1Starts;
    qint32 &left = remaining(player1);
    const bool overshoot = exactCheckout && typedScore > left;
    const qint32 score = overshoot ? 0 : typedScore;
    const qint64 after = qint64(left) - score;
    if (after != clamped(after))
        return Entry::Refused;
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
    player1ToThrow = !player1ToThrow;
    return true;
}

void MatchModel::newGame()
{
    rows.clear();
    remaining1 = remaining2 = startScore;
    player1Starts = !player1Starts;
    player1ToThrow = player1Starts;
}
