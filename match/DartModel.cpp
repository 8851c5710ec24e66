// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "match/DartModel.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>

namespace DartBoard {

namespace {

constexpr double segmentDegrees = 18.0;

double degrees(double radians)
{
    return radians * 180.0 / std::numbers::pi;
}

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

} // namespace

Dart bedAt(double x, double y)
{
    const double r = std::hypot(x, y);
    if (r >= doubleOuterRadius)
        return {Dart::Ring::Single, 0};
    if (r < bullRadius)
        return {Dart::Ring::Double, 25};
    if (r < outerBullRadius)
        return {Dart::Ring::Single, 25};
    // Clockwise from the top, the 20's segment from -9 to 9 degrees.
    const double angle = degrees(std::atan2(x, y)) + segmentDegrees / 2;
    const int segment = int(std::floor(angle / segmentDegrees) + segments.size()) % int(segments.size());
    const int number = segments[std::size_t(segment)];
    if (r >= trebleInnerRadius && r < trebleOuterRadius)
        return {Dart::Ring::Treble, number};
    if (r >= doubleInnerRadius)
        return {Dart::Ring::Double, number};
    return {Dart::Ring::Single, number};
}

int outcomeIndex(const Dart &bed)
{
    if (bed.number == 25)
        return bed.ring == Dart::Ring::Double ? 62 : 61;
    switch (bed.ring) {
    case Dart::Ring::Single:
        return bed.number;
    case Dart::Ring::Double:
        return 20 + bed.number;
    case Dart::Ring::Treble:
        break;
    }
    return 40 + bed.number;
}

Dart outcomeBed(int index)
{
    if (index == 61)
        return {Dart::Ring::Single, 25};
    if (index == 62)
        return {Dart::Ring::Double, 25};
    if (index > 40)
        return {Dart::Ring::Treble, index - 40};
    if (index > 20)
        return {Dart::Ring::Double, index - 20};
    return {Dart::Ring::Single, index};
}

} // namespace DartBoard

using namespace DartBoard;

std::vector<Target> standardTargets()
{
    std::vector<Target> targets;
    const auto at = [&](Dart bed, double radius, double angle) {
        targets.push_back({bed, radius * std::sin(radians(angle)), radius * std::cos(radians(angle))});
    };
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const int number = segments[i];
        const double angle = double(i) * segmentDegrees;
        at({Dart::Ring::Treble, number}, (trebleInnerRadius + trebleOuterRadius) / 2, angle);
        at({Dart::Ring::Double, number}, (doubleInnerRadius + doubleOuterRadius) / 2, angle);
        at({Dart::Ring::Single, number}, (trebleOuterRadius + doubleInnerRadius) / 2, angle);
        at({Dart::Ring::Single, number}, (outerBullRadius + trebleInnerRadius) / 2, angle);
    }
    at({Dart::Ring::Single, 25}, (bullRadius + outerBullRadius) / 2, 0);
    at({Dart::Ring::Double, 25}, 0, 0);
    return targets;
}

namespace {

// The strips are 0.25 mm high, and 0.01 mm within a millimetre of the top and the bottom of each
// circle, where its edge runs nearly along them.
constexpr double stripHeight = 0.25;
constexpr double fineStripHeight = 0.01;
constexpr double fineReach = 1.0;

// The standard normal distribution function.
double normal(double z)
{
    return 0.5 * std::erfc(-z / std::numbers::sqrt2);
}

} // namespace

ThrowModel::ThrowModel(double spread)
    : m_spread(spread)
{
    // Each strip is cut where its middle line crosses a ring or a segment line; within a strip the
    // beds are taken as they lie on that line.
    const std::array<double, 5> rings {
        bullRadius, outerBullRadius, trebleInnerRadius, trebleOuterRadius, doubleInnerRadius};
    std::vector<double> levels;
    for (int i = 0; i * stripHeight <= 2 * doubleOuterRadius; ++i)
        levels.push_back(-doubleOuterRadius + i * stripHeight);
    const int fine = int(std::lround(fineReach / fineStripHeight));
    for (double radius :
        {bullRadius, outerBullRadius, trebleInnerRadius, trebleOuterRadius, doubleInnerRadius, doubleOuterRadius}) {
        for (double side : {-radius, radius}) {
            for (int i = -fine; i <= fine; ++i) {
                const double level = side + i * fineStripHeight;
                if (std::abs(level) < doubleOuterRadius)
                    levels.push_back(level);
            }
        }
    }
    std::sort(levels.begin(), levels.end());
    levels.erase(
        std::unique(levels.begin(), levels.end(), [](double a, double b) { return b - a < fineStripHeight / 2; }),
        levels.end());
    m_strips.reserve(levels.size());
    for (std::size_t i = 0; i + 1 < levels.size(); ++i) {
        Strip strip {levels[i], levels[i + 1], {}};
        const double y = (strip.low + strip.high) / 2;
        const double edge = std::sqrt(doubleOuterRadius * doubleOuterRadius - y * y);
        std::vector<double> xs {-edge, edge};
        for (double radius : rings) {
            if (radius > std::abs(y)) {
                const double half = std::sqrt(radius * radius - y * y);
                xs.push_back(-half);
                xs.push_back(half);
            }
        }
        for (std::size_t line = 0; line < segments.size(); ++line) {
            const double angle = radians((double(line) + 0.5) * segmentDegrees);
            const double along = y / std::cos(angle); // distance from the centre on the line
            if (along > outerBullRadius && along < doubleOuterRadius)
                xs.push_back(along * std::sin(angle));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t j = 0; j + 1 < xs.size(); ++j) {
            const int outcome = outcomeIndex(bedAt((xs[j] + xs[j + 1]) / 2, y));
            if (strip.crossings.empty() || strip.crossings.back().outcome != outcome)
                strip.crossings.push_back({xs[j], outcome});
        }
        strip.crossings.push_back({edge, 0});
        m_strips.push_back(std::move(strip));
    }
}

ThrowModel::Outcomes ThrowModel::outcomes(double x, double y) const
{
    Outcomes chances {};
    const auto below = [&](double value, double aim) { return normal((value - aim) / m_spread); };
    // Above and below the board.
    chances[0] = below(-doubleOuterRadius, y) + (1 - below(doubleOuterRadius, y));
    for (const Strip &strip : m_strips) {
        const double height = below(strip.high, y) - below(strip.low, y);
        double left = below(strip.crossings.front().x, x);
        chances[0] += height * left;
        for (std::size_t j = 0; j + 1 < strip.crossings.size(); ++j) {
            const double right = below(strip.crossings[j + 1].x, x);
            chances[std::size_t(strip.crossings[j].outcome)] += height * (right - left);
            left = right;
        }
        chances[0] += height * (1 - left);
    }
    return chances;
}

double ThrowModel::expectedScore(double x, double y) const
{
    const Outcomes chances = outcomes(x, y);
    double sum = 0;
    for (int i = 0; i < outcomeCount; ++i)
        sum += chances[std::size_t(i)] * outcomeBed(i).score();
    return sum;
}

const Target &bestScoringTarget(const ThrowModel &model, const std::vector<Target> &targets)
{
    std::size_t best = 0;
    double bestScore = -1;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const double score = model.expectedScore(targets[i].x, targets[i].y);
        if (score > bestScore) {
            bestScore = score;
            best = i;
        }
    }
    return targets[best];
}

namespace {

// Chances this small are counted as a dart off the board: the plan's sums stay whole and run over
// the beds within reach only.
constexpr double negligible = 1e-12;

constexpr Dart outerBull {Dart::Ring::Single, 25};
constexpr Dart bull {Dart::Ring::Double, 25};

std::size_t slot(int start, int score, int dartsLeft)
{
    return std::size_t((dartsLeft - 1) * (start + 1) + score);
}

// The fewest darts that check each score out under the rule, 0 where three cannot, by plain
// enumeration of the beds' scores; without the bull when withBull is false.
std::vector<int> fewestDartsOf(CheckoutRule rule, int highest, bool withBull)
{
    std::vector<bool> any(std::size_t(highest + 1), false);
    std::vector<bool> finishing(std::size_t(highest + 1), false);
    for (int i = 1; i < outcomeCount; ++i) {
        const Dart bed = outcomeBed(i);
        if ((bed == bull && !withBull) || bed.score() > highest)
            continue;
        any[std::size_t(bed.score())] = true;
        if (bed.finishesUnder(rule))
            finishing[std::size_t(bed.score())] = true;
    }
    std::vector<int> fewest(std::size_t(highest + 1), 0);
    for (int score = 1; score <= highest; ++score) {
        if (finishing[std::size_t(score)])
            fewest[std::size_t(score)] = 1;
    }
    for (int darts = 2; darts <= 3; ++darts) {
        for (int score = highest; score >= 1; --score) {
            if (fewest[std::size_t(score)] != 0)
                continue;
            for (int first = 1; first < score; ++first) {
                const int rest = fewest[std::size_t(score - first)];
                if (any[std::size_t(first)] && rest != 0 && rest < darts) {
                    fewest[std::size_t(score)] = darts;
                    break;
                }
            }
        }
    }
    return fewest;
}

} // namespace

FinishPlan::FinishPlan(const ThrowModel &model, std::vector<Target> targets, CheckoutRule rule, int highestScore)
    : m_targets(std::move(targets))
    , m_rule(rule)
    , m_lowest(rule == CheckoutRule::DoubleOut ? 2 : 1)
    , m_highest(highestScore)
    , m_fewestDarts(fewestDartsOf(rule, highestScore, true))
    , m_fewestWithoutBull(fewestDartsOf(rule, highestScore, false))
    , m_expected(std::size_t(highestScore + 1), 0.0)
    , m_visits(std::size_t(highestScore + 1))
    , m_finishChance(std::size_t(3 * (highestScore + 1)), 0.0)
{
    for (const Target &target : m_targets) {
        const ThrowModel::Outcomes chances = model.outcomes(target.x, target.y);
        std::vector<Outcome> outcomes {{0, 0, false, 0.0}};
        for (int i = 0; i < outcomeCount; ++i) {
            const double chance = chances[std::size_t(i)];
            if (i != 0 && chance >= negligible) {
                const Dart bed = outcomeBed(i);
                outcomes.push_back({i, bed.score(), bed.finishesUnder(rule), chance});
            } else {
                outcomes.front().chance += chance;
            }
        }
        m_outcomes.push_back(std::move(outcomes));
    }
    for (int start = m_lowest; start <= m_highest; ++start)
        solveVisit(start);
    solveFinishChances();
}

void FinishPlan::solveVisit(int start)
{
    Visit &visit = m_visits[std::size_t(start)];
    const std::size_t states = slot(start, 0, 4);
    visit.aim.assign(states, -1);
    visit.after.assign(states, 0.0);
    // The expected visits still to come, as a + b * E where E is the expected number of visits
    // from this visit's start: a bust, or a visit that scores nothing, returns there.
    std::vector<double> a(states, 0.0);
    std::vector<double> b(states, 0.0);

    const auto next = [&](int score, int dartsLeft, const Outcome &outcome) -> std::pair<double, double> {
        const int left = score - outcome.score;
        if (left == 0)
            return {0.0, outcome.finishes ? 0.0 : 1.0};
        if (left < m_lowest)
            return {0.0, 1.0};
        if (dartsLeft == 1)
            return left == start ? std::pair {0.0, 1.0} : std::pair {m_expected[std::size_t(left)], 0.0};
        const std::size_t i = slot(start, left, dartsLeft - 1);
        return {a[i], b[i]};
    };

    // Policy iteration on E: the best aims for a guess of E make the visits a line in E, whose
    // fixed point is the next guess; the guesses fall to the solution and stop with the aims.
    double expected = start > m_lowest ? m_expected[std::size_t(start - 1)] : 1.0;
    for (int round = 0; round < 100; ++round) {
        for (int dartsLeft = 1; dartsLeft <= 3; ++dartsLeft) {
            for (int score = dartsLeft == 3 ? start : m_lowest; score <= start; ++score) {
                const std::size_t i = slot(start, score, dartsLeft);
                double best = std::numeric_limits<double>::infinity();
                for (std::size_t target = 0; target < m_targets.size(); ++target) {
                    double sumA = 0;
                    double sumB = 0;
                    for (const Outcome &outcome : m_outcomes[target]) {
                        const auto [nextA, nextB] = next(score, dartsLeft, outcome);
                        sumA += outcome.chance * nextA;
                        sumB += outcome.chance * nextB;
                    }
                    const double value = sumA + sumB * expected;
                    if (value < best) {
                        best = value;
                        visit.aim[i] = int(target);
                        a[i] = sumA;
                        b[i] = sumB;
                    }
                }
            }
        }
        const std::size_t first = slot(start, start, 3);
        const double improved = (1 + a[first]) / (1 - b[first]);
        const bool settled = std::abs(improved - expected) <= 1e-12 * improved;
        expected = improved;
        if (settled)
            break;
    }
    m_expected[std::size_t(start)] = expected;
    for (std::size_t i = 0; i < states; ++i)
        visit.after[i] = a[i] + b[i] * expected;
}

void FinishPlan::solveFinishChances()
{
    for (int dartsLeft = 1; dartsLeft <= 3; ++dartsLeft) {
        for (int score = m_lowest; score <= m_highest; ++score) {
            double best = 0;
            for (std::size_t target = 0; target < m_targets.size(); ++target)
                best = std::max(best, finishAiming(score, dartsLeft, int(target)));
            m_finishChance[std::size_t((dartsLeft - 1) * (m_highest + 1) + score)] = best;
        }
    }
}

double FinishPlan::afterAiming(int start, int score, int dartsLeft, int target) const
{
    const Visit &visit = m_visits[std::size_t(start)];
    double sum = 0;
    for (const Outcome &outcome : m_outcomes[std::size_t(target)]) {
        const int left = score - outcome.score;
        if (left == 0 && outcome.finishes)
            continue;
        if (left < m_lowest || (dartsLeft == 1 && left == start))
            sum += outcome.chance * m_expected[std::size_t(start)];
        else if (dartsLeft == 1)
            sum += outcome.chance * m_expected[std::size_t(left)];
        else
            sum += outcome.chance * visit.after[slot(start, left, dartsLeft - 1)];
    }
    return sum;
}

double FinishPlan::chanceWith(int score, int dartsLeft) const
{
    return m_finishChance[std::size_t((dartsLeft - 1) * (m_highest + 1) + score)];
}

double FinishPlan::finishAiming(int score, int dartsLeft, int target) const
{
    double sum = 0;
    for (const Outcome &outcome : m_outcomes[std::size_t(target)]) {
        const int left = score - outcome.score;
        if (left == 0 && outcome.finishes)
            sum += outcome.chance;
        else if (left >= m_lowest && dartsLeft > 1)
            sum += outcome.chance * chanceWith(left, dartsLeft - 1);
    }
    return sum;
}

// Higher is better: under double out the expected visits to come, counting this one, negated;
// under straight out the chance of checking out in the visit.
double FinishPlan::aimMerit(int start, int score, int dartsLeft, int target) const
{
    if (m_rule == CheckoutRule::StraightOut)
        return finishAiming(score, dartsLeft, target);
    return -(1 + afterAiming(start, score, dartsLeft, target));
}

bool FinishPlan::nearBest(double merit, double best) const
{
    // Both merits are negative under double out, positive under straight out.
    return merit >= best - std::abs(best) * nearEqual;
}

bool FinishPlan::fits(int score, const Dart &bed, Budget budget) const
{
    if (bed == bull && !budget.bull)
        return false;
    const int left = score - bed.score();
    if (left == 0)
        return bed.finishesUnder(m_rule);
    if (left < m_lowest || budget.darts < 2)
        return false;
    const int fewest = (budget.bull ? m_fewestDarts : m_fewestWithoutBull)[std::size_t(left)];
    return fewest != 0 && fewest < budget.darts;
}

double FinishPlan::chanceOf(int target, const Dart &bed) const
{
    const int index = outcomeIndex(bed);
    for (const Outcome &outcome : m_outcomes[std::size_t(target)]) {
        if (outcome.index == index)
            return outcome.chance;
    }
    return 0;
}

// The bed a route names for the target, when it keeps the finish within the budget: the target's
// own, and for an aim at the bull or its outer ring, where a dart lands in either, the ring that
// brings the aim the larger part of its chance of checking out in the visit: the one the plan
// counts on (at 125 the outer ring's 100 left, four times as likely as the bull's 75).
bool FinishPlan::namedBed(int score, int dartsLeft, int target, Budget budget, Dart &bed) const
{
    const Dart &aimed = m_targets[std::size_t(target)].bed;
    if (aimed.number != 25) {
        bed = aimed;
        return fits(score, bed, budget);
    }
    bool found = false;
    double best = 0;
    for (const Dart &ring : {outerBull, bull}) {
        if (!fits(score, ring, budget))
            continue;
        const int left = score - ring.score();
        const double share = chanceOf(target, ring) * (left == 0 ? 1.0 : chanceWith(left, dartsLeft - 1));
        if (!found || share > best) {
            found = true;
            best = share;
            bed = ring;
        }
    }
    return found;
}

CheckoutRoute FinishPlan::plannedRoute(int start, Budget budget, const FinishPlan *tieBreak) const
{
    CheckoutRoute route;
    int score = start;
    for (int dartsLeft = 3; score > 0; --dartsLeft, --budget.darts) {
        struct Aim
        {
            int target;
            Dart bed;
            double merit;
        };
        std::vector<Aim> aims;
        for (std::size_t target = 0; target < m_targets.size(); ++target) {
            // Keeping the bull out of the route, its bed is not aimed at either.
            if (!budget.bull && m_targets[target].bed == bull)
                continue;
            Dart bed;
            if (namedBed(score, dartsLeft, int(target), budget, bed))
                aims.push_back({int(target), bed, aimMerit(start, score, dartsLeft, int(target))});
        }
        if (aims.empty())
            return {};
        std::stable_sort(aims.begin(), aims.end(), [](const Aim &x, const Aim &y) { return x.merit > y.merit; });
        Aim chosen = aims.front();
        if (tieBreak) {
            double best = -std::numeric_limits<double>::infinity();
            for (const Aim &aim : aims) {
                if (!nearBest(aim.merit, aims.front().merit))
                    break;
                const double other = tieBreak->aimMerit(start, score, dartsLeft, aim.target);
                if (other > best) {
                    best = other;
                    chosen = aim;
                }
            }
        }
        route.darts[std::size_t(route.count++)] = chosen.bed;
        score -= chosen.bed.score();
    }
    return route;
}

CheckoutRoute FinishPlan::routeOf(int start, const FinishPlan *tieBreak) const
{
    if (start < m_lowest || start > m_highest || m_fewestDarts[std::size_t(start)] == 0)
        return {};
    const int fewest = m_fewestDarts[std::size_t(start)];
    CheckoutRoute route = plannedRoute(start, {fewest, true}, tieBreak);
    // Where every route of the fewest darts needs the bull, one more dart may keep it out.
    if (m_fewestWithoutBull[std::size_t(start)] == fewest + 1) {
        const CheckoutRoute longer = plannedRoute(start, {fewest + 1, false}, tieBreak);
        const bool better = m_rule == CheckoutRule::StraightOut
            ? routeFinishChance(start, longer) > routeFinishChance(start, route)
            : routeExpectedVisits(start, longer) < routeExpectedVisits(start, route);
        if (better)
            route = longer;
    }
    return route;
}

int FinishPlan::targetFor(int start, int score, int dartsLeft, const Dart &bed, bool chance) const
{
    int chosen = -1;
    double best = -std::numeric_limits<double>::infinity();
    for (std::size_t target = 0; target < m_targets.size(); ++target) {
        const Dart &aimed = m_targets[target].bed;
        if (aimed != bed && !(bed.number == 25 && aimed.number == 25))
            continue;
        const double value
            = chance ? finishAiming(score, dartsLeft, int(target)) : -afterAiming(start, score, dartsLeft, int(target));
        if (value > best) {
            best = value;
            chosen = int(target);
        }
    }
    return chosen;
}

double FinishPlan::followRoute(
    int start, int score, int dartsLeft, const CheckoutRoute &route, int next, bool chance) const
{
    const Visit &visit = m_visits[std::size_t(start)];
    const Dart &planned = route.darts[std::size_t(next)];
    const int target = targetFor(start, score, dartsLeft, planned, chance);
    const double bust = chance ? 0.0 : m_expected[std::size_t(start)];
    if (target < 0)
        return bust;
    double sum = 0;
    for (const Outcome &outcome : m_outcomes[std::size_t(target)]) {
        const int left = score - outcome.score;
        double value = 0;
        if (left == 0)
            value = !outcome.finishes ? bust : chance ? 1.0 : 0.0;
        else if (left < m_lowest)
            value = bust;
        else if (dartsLeft == 1)
            value = chance ? 0.0 : m_expected[std::size_t(left)];
        else if (outcome.index == outcomeIndex(planned) && next + 1 < route.count)
            value = followRoute(start, left, dartsLeft - 1, route, next + 1, chance);
        else if (chance)
            value = chanceWith(left, dartsLeft - 1);
        else
            value = visit.after[slot(start, left, dartsLeft - 1)];
        sum += outcome.chance * value;
    }
    return sum;
}

double FinishPlan::expectedVisits(int score) const
{
    return m_expected[std::size_t(score)];
}

double FinishPlan::finishChance(int score) const
{
    return chanceWith(score, 3);
}

int FinishPlan::fewestDarts(int score) const
{
    return score < 0 || score > m_highest ? 0 : m_fewestDarts[std::size_t(score)];
}

CheckoutRoute FinishPlan::route(int score) const
{
    return routeOf(score, nullptr);
}

CheckoutRoute FinishPlan::route(int score, const FinishPlan &tieBreak) const
{
    return routeOf(score, &tieBreak);
}

bool FinishPlan::startsOnRoute(int score) const
{
    return fits(score, setUpAim(score), {3, true});
}

bool FinishPlan::prefersSetUp(int score, const CheckoutRoute &route) const
{
    return !route.isEmpty() && !startsOnRoute(score)
        && routeExpectedVisits(score, route) > expectedVisits(score) * (1 + nearEqual);
}

Dart FinishPlan::setUpAim(int score) const
{
    const Visit &visit = m_visits[std::size_t(score)];
    const int target = visit.aim[slot(score, score, 3)];
    const Dart &aimed = m_targets[std::size_t(target)].bed;
    const auto playable = [&](const Dart &bed) {
        const int left = score - bed.score();
        return left >= m_lowest || (left == 0 && bed.finishesUnder(m_rule));
    };
    if (aimed.number != 25) {
        // A player of a wide spread aims at a treble that would bust to land in the single
        // beds round it (33 = T13 under straight out, for an average of 40): that is the
        // single the plan counts on.
        const Dart single {Dart::Ring::Single, aimed.number};
        return playable(aimed) || !playable(single) ? aimed : single;
    }
    // Either ring: the one that brings the aim the larger part of the visits it saves against a
    // dart that leaves the score where it was.
    const auto saved = [&](const Dart &ring) {
        const int left = score - ring.score();
        double after = m_expected[std::size_t(score)];
        if (left == 0 && ring.finishesUnder(m_rule))
            after = 0;
        else if (left >= m_lowest)
            after = visit.after[slot(score, left, 2)];
        return chanceOf(target, ring) * (visit.after[slot(score, score, 2)] - after);
    };
    return saved(bull) > saved(outerBull) ? bull : outerBull;
}

double FinishPlan::routeFinishChance(int score, const CheckoutRoute &route) const
{
    return route.isEmpty() ? 0.0 : followRoute(score, score, 3, route, 0, true);
}

double FinishPlan::routeExpectedVisits(int score, const CheckoutRoute &route) const
{
    return route.isEmpty() ? m_expected[std::size_t(score)] : 1 + followRoute(score, score, 3, route, 0, false);
}
