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

namespace {

// Chances this small are counted as a dart off the board: the plan's sums stay whole and run over
// the beds within reach only.
constexpr double negligible = 1e-12;

std::size_t slot(int start, int score, int dartsLeft)
{
    return std::size_t((dartsLeft - 1) * (start + 1) + score);
}

} // namespace

FinishPlan::FinishPlan(const ThrowModel &model, std::vector<Target> targets, int highestScore)
    : m_targets(std::move(targets))
    , m_highest(highestScore)
    , m_fewestDarts(std::size_t(highestScore + 1), 0)
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
                outcomes.push_back({i, bed.score(), bed.finishes(), chance});
            } else {
                outcomes.front().chance += chance;
            }
        }
        m_outcomes.push_back(std::move(outcomes));
    }

    // The fewest darts that check each score out, by plain enumeration of the beds.
    std::vector<int> scores;
    std::vector<int> finishing;
    for (int i = 1; i < outcomeCount; ++i) {
        const Dart bed = outcomeBed(i);
        scores.push_back(bed.score());
        if (bed.finishes())
            finishing.push_back(bed.score());
    }
    for (int score = 2; score <= m_highest; ++score) {
        int &fewest = m_fewestDarts[std::size_t(score)];
        for (int last : finishing) {
            const int before = score - last;
            if (before == 0)
                fewest = 1;
            for (int first : scores) {
                if (first == before && fewest != 1)
                    fewest = 2;
                for (int second : scores) {
                    if (first + second == before && fewest == 0)
                        fewest = 3;
                }
            }
        }
    }

    for (int start = 2; start <= m_highest; ++start)
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
        if (left < 2)
            return {0.0, 1.0};
        if (dartsLeft == 1)
            return left == start ? std::pair {0.0, 1.0} : std::pair {m_expected[std::size_t(left)], 0.0};
        const std::size_t i = slot(start, left, dartsLeft - 1);
        return {a[i], b[i]};
    };

    // Policy iteration on E: the best aims for a guess of E make the visits a line in E, whose
    // fixed point is the next guess; the guesses fall to the solution and stop with the aims.
    double expected = start > 2 ? m_expected[std::size_t(start - 1)] : 1.0;
    for (int round = 0; round < 100; ++round) {
        for (int dartsLeft = 1; dartsLeft <= 3; ++dartsLeft) {
            for (int score = dartsLeft == 3 ? start : 2; score <= start; ++score) {
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
        for (int score = 2; score <= m_highest; ++score) {
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
        if (left < 2 || (dartsLeft == 1 && left == start))
            sum += outcome.chance * m_expected[std::size_t(start)];
        else if (dartsLeft == 1)
            sum += outcome.chance * m_expected[std::size_t(left)];
        else
            sum += outcome.chance * visit.after[slot(start, left, dartsLeft - 1)];
    }
    return sum;
}

double FinishPlan::finishAiming(int score, int dartsLeft, int target) const
{
    double sum = 0;
    for (const Outcome &outcome : m_outcomes[std::size_t(target)]) {
        const int left = score - outcome.score;
        if (left == 0 && outcome.finishes)
            sum += outcome.chance;
        else if (left >= 2 && dartsLeft > 1)
            sum += outcome.chance * m_finishChance[std::size_t((dartsLeft - 2) * (m_highest + 1) + left)];
    }
    return sum;
}

bool FinishPlan::keepsCheckout(int score, int dartsLeft, const Dart &bed) const
{
    const int left = score - bed.score();
    if (left == 0)
        return bed.finishes();
    return left >= 2 && m_fewestDarts[std::size_t(left)] != 0 && m_fewestDarts[std::size_t(left)] < dartsLeft;
}

CheckoutRoute FinishPlan::routeOf(int start, const FinishPlan *tieBreak) const
{
    CheckoutRoute route;
    if (start < 2 || start > m_highest || m_fewestDarts[std::size_t(start)] == 0)
        return route;
    int score = start;
    for (int dartsLeft = 3; score > 0; --dartsLeft) {
        std::vector<std::pair<double, int>> aims; // the expected visits after, and the target
        for (std::size_t target = 0; target < m_targets.size(); ++target) {
            if (keepsCheckout(score, dartsLeft, m_targets[target].bed))
                aims.push_back({afterAiming(start, score, dartsLeft, int(target)), int(target)});
        }
        std::stable_sort(aims.begin(), aims.end(), [](const auto &x, const auto &y) { return x.first < y.first; });
        int chosen = aims.front().second;
        if (tieBreak) {
            // Counting this visit, so that the margin is a fraction of all the visits to come.
            const double limit = (1 + aims.front().first) * (1 + nearEqual);
            double best = std::numeric_limits<double>::infinity();
            for (const auto &[after, target] : aims) {
                if (1 + after > limit)
                    break;
                const double other = tieBreak->afterAiming(start, score, dartsLeft, target);
                if (other < best) {
                    best = other;
                    chosen = target;
                }
            }
        }
        const Dart &bed = m_targets[std::size_t(chosen)].bed;
        route.darts[std::size_t(route.count++)] = bed;
        score -= bed.score();
    }
    return route;
}

int FinishPlan::targetFor(int start, int score, int dartsLeft, const Dart &bed) const
{
    int chosen = -1;
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t target = 0; target < m_targets.size(); ++target) {
        if (m_targets[target].bed != bed)
            continue;
        const double value = afterAiming(start, score, dartsLeft, int(target));
        if (value < best) {
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
    const int target = targetFor(start, score, dartsLeft, planned);
    const double bust = chance ? 0.0 : m_expected[std::size_t(start)];
    if (target < 0)
        return bust;
    double sum = 0;
    for (const Outcome &outcome : m_outcomes[std::size_t(target)]) {
        const int left = score - outcome.score;
        double value = 0;
        if (left == 0)
            value = !outcome.finishes ? bust : chance ? 1.0 : 0.0;
        else if (left < 2)
            value = bust;
        else if (dartsLeft == 1)
            value = chance ? 0.0 : m_expected[std::size_t(left)];
        else if (outcome.index == outcomeIndex(planned) && next + 1 < route.count)
            value = followRoute(start, left, dartsLeft - 1, route, next + 1, chance);
        else if (chance)
            value = m_finishChance[std::size_t((dartsLeft - 2) * (m_highest + 1) + left)];
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
    return m_finishChance[std::size_t(2 * (m_highest + 1) + score)];
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
    const int aim = m_visits[std::size_t(score)].aim[slot(score, score, 3)];
    return keepsCheckout(score, 3, m_targets[std::size_t(aim)].bed);
}

double FinishPlan::routeFinishChance(int score, const CheckoutRoute &route) const
{
    return route.isEmpty() ? 0.0 : followRoute(score, score, 3, route, 0, true);
}

double FinishPlan::routeExpectedVisits(int score, const CheckoutRoute &route) const
{
    return route.isEmpty() ? m_expected[std::size_t(score)] : 1 + followRoute(score, score, 3, route, 0, false);
}
