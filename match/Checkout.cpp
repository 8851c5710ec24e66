// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The checkout advice, as the model of where darts land gave it when Pontix was built.
#include "match/Checkout.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include <QStringList>

#include "match/AdviceTable.h"
#include "match/CheckoutTable_double.h"
#include "match/CheckoutTable_straight.h"

namespace {

constexpr int highestDoubleOut = 170;
constexpr int highestStraightOut = 180;
// Beyond its own half step, the average a shown level stays for.
constexpr double levelKept = 2.0;

static_assert(doubleOutAdvice.size() == levelAverages.size() && straightOutAdvice.size() == levelAverages.size(),
    "a table for every level");
static_assert(doubleOutAdvice[defaultLevel].scores[170].route.total() == 170
        && doubleOutAdvice[defaultLevel].scores[170].route.count == 3,
    "170 is the highest checkout");
static_assert(doubleOutAdvice[defaultLevel].scores[169].route.isEmpty()
        && doubleOutAdvice[defaultLevel].scores[171].route.isEmpty()
        && doubleOutAdvice[defaultLevel].scores[1].route.isEmpty(),
    "169, 171 and 1 have no double-out checkout");
static_assert(straightOutAdvice[defaultLevel].scores[180].route.count == 3
        && straightOutAdvice[defaultLevel].scores[179].route.isEmpty()
        && straightOutAdvice[defaultLevel].scores[181].route.isEmpty(),
    "180 is the highest straight-out checkout, 179 has none");

const AdviceTable &tableOf(CheckoutRule rule, int level)
{
    const std::size_t index = std::size_t(std::clamp(level, 0, int(levelAverages.size()) - 1));
    return rule == CheckoutRule::DoubleOut ? doubleOutAdvice[index] : straightOutAdvice[index];
}

int lowestScore(CheckoutRule rule)
{
    return rule == CheckoutRule::DoubleOut ? 2 : 1;
}

int highestCheckout(CheckoutRule rule)
{
    return rule == CheckoutRule::DoubleOut ? highestDoubleOut : highestStraightOut;
}

} // namespace

QString Dart::text() const
{
    switch (ring) {
    case Ring::Single:
        return QString::number(number);
    case Ring::Double:
        return number == 25 ? QStringLiteral("Bull") : QStringLiteral("D%1").arg(number);
    case Ring::Treble:
        break;
    }
    return QStringLiteral("T%1").arg(number);
}

QString CheckoutRoute::text() const
{
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts << darts[i].text();
    return parts.join(u' ');
}

QString CheckoutAdvice::text() const
{
    if (hasFinish())
        return route.text();
    if (aim.number == 0)
        return {};
    return QStringLiteral("%1 \u2192 %2").arg(aim.text()).arg(leaves);
}

int levelForAverage(double average)
{
    int nearest = 0;
    for (std::size_t level = 1; level < levelAverages.size(); ++level) {
        if (std::abs(average - levelAverages[level]) < std::abs(average - levelAverages[std::size_t(nearest)]))
            nearest = int(level);
    }
    return nearest;
}

int playerLevel(double average, int dartsThrown, int shownLevel)
{
    if (dartsThrown < levelDarts)
        return defaultLevel;
    const int nearest = levelForAverage(average);
    if (shownLevel < 0 || shownLevel >= int(levelAverages.size()) || shownLevel == nearest)
        return nearest;
    // The shown level's reach: half the way to its neighbours and a little more, and everything
    // beyond the lowest and the highest.
    const std::size_t shown = std::size_t(shownLevel);
    const double below = shown == 0 ? -INFINITY : (levelAverages[shown] + levelAverages[shown - 1]) / 2.0 - levelKept;
    const double above = shown + 1 == levelAverages.size()
        ? INFINITY
        : (levelAverages[shown] + levelAverages[shown + 1]) / 2.0 + levelKept;
    return average >= below && average <= above ? shownLevel : nearest;
}

int PlayerLevels::levelOf(bool player1, qint64 turns, qint64 scored)
{
    int &shown = m_shown[player1 ? 0 : 1];
    const double average = turns > 0 ? double(scored) / double(turns) : 0.0;
    shown = playerLevel(average, int(std::min<qint64>(turns, levelDarts) * 3), shown);
    return shown;
}

void PlayerLevels::clear()
{
    m_shown = {-1, -1};
}

CheckoutAdvice checkoutAdvice(int remaining, CheckoutRule rule, int level)
{
    CheckoutAdvice advice;
    if (remaining < lowestScore(rule))
        return advice;
    const AdviceTable &table = tableOf(rule, level);
    if (remaining > adviceHighestScore) {
        advice.aim = table.bestScoring;
    } else {
        const AdviceEntry &entry = table.scores[std::size_t(remaining)];
        advice.route = entry.route;
        advice.chance = entry.chance;
        advice.setUpFirst = entry.setUpFirst;
        advice.aim = entry.aim;
    }
    advice.leaves = remaining - advice.aim.score();
    return advice;
}

CheckoutRoute checkoutRoute(int remaining, CheckoutRule rule, int level)
{
    if (remaining < lowestScore(rule) || remaining > highestCheckout(rule))
        return {};
    return tableOf(rule, level).scores[std::size_t(remaining)].route;
}

CheckoutRoute checkoutRoute(int remaining)
{
    return checkoutRoute(remaining, CheckoutRule::DoubleOut, defaultLevel);
}

QString checkoutChart(CheckoutRule rule, int level)
{
    QString chart;
    for (int score = lowestScore(rule); score <= highestCheckout(rule); ++score) {
        const CheckoutAdvice advice = checkoutAdvice(score, rule, level);
        if (!advice.route.isEmpty())
            chart += QStringLiteral("%1\t%2\t%3\n")
                         .arg(score)
                         .arg(advice.route.text())
                         .arg(100 * advice.chance, 0, 'f', 1);
    }
    for (int score = lowestScore(rule); score <= adviceHighestScore; ++score) {
        const CheckoutAdvice advice = checkoutAdvice(score, rule, level);
        if (!advice.hasFinish())
            chart += QStringLiteral("%1\t%2\n").arg(score).arg(advice.text());
    }
    return chart;
}

bool hasCheckedOut(qint32 remaining, bool exactCheckout)
{
    return remaining == 0 || (remaining < 0 && !exactCheckout);
}
