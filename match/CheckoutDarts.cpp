// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The darts of a checkout, from the scores single darts can make.
#include "match/CheckoutDarts.h"

#include <array>

#include "match/TurnScores.h"

namespace {

constexpr int MaximumDart = 60;

using Totals = std::array<bool, MaximumTurn + 1>;

// What one dart can score, a miss (0) included.
constexpr std::array<bool, MaximumDart + 1> dartScores()
{
    std::array<bool, MaximumDart + 1> possible {};
    possible[0] = possible[25] = possible[50] = true;
    for (int segment = 1; segment <= 20; ++segment)
        possible[segment] = possible[2 * segment] = possible[3 * segment] = true;
    return possible;
}

// What the finishing dart can score under the rule: a double or the bull, or any scoring dart.
constexpr bool finishes(int score, FinishRule rule)
{
    if (rule == FinishRule::StraightOut)
        return score > 0 && dartScores()[score];
    return score == 50 || (score >= 2 && score <= 40 && score % 2 == 0);
}

// The totals of `darts` darts whose last one finishes under the rule.
constexpr Totals checkoutTotals(int darts, FinishRule rule)
{
    constexpr std::array<bool, MaximumDart + 1> dart = dartScores();
    Totals possible {};
    for (int last = 1; last <= MaximumDart; ++last) {
        if (!finishes(last, rule))
            continue;
        for (int first = 0; first <= (darts == 3 ? MaximumDart : 0); ++first) {
            for (int second = 0; second <= (darts >= 2 ? MaximumDart : 0); ++second) {
                if (dart[first] && dart[second])
                    possible[first + second + last] = true;
            }
        }
    }
    return possible;
}

// Worked out on first use rather than by the compiler: the three-dart table takes more steps than
// clang allows a constant expression.
const std::array<Totals, 3> &ruleTotals(FinishRule rule)
{
    static const std::array<Totals, 3> doubleOut {checkoutTotals(1, FinishRule::DoubleOut),
        checkoutTotals(2, FinishRule::DoubleOut), checkoutTotals(3, FinishRule::DoubleOut)};
    static const std::array<Totals, 3> straightOut {checkoutTotals(1, FinishRule::StraightOut),
        checkoutTotals(2, FinishRule::StraightOut), checkoutTotals(3, FinishRule::StraightOut)};
    return rule == FinishRule::DoubleOut ? doubleOut : straightOut;
}

} // namespace

bool canCheckOutWith(qint32 total, int darts, FinishRule rule)
{
    if (total <= 0 || total > MaximumTurn || darts < 1 || darts > 3)
        return false;
    return ruleTotals(rule)[darts - 1][total];
}

int legDarts(int turns, int lastTurnDarts)
{
    return 3 * (turns - 1) + lastTurnDarts;
}
