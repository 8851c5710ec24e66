// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The model of where darts land and the plan worked out from it, held against what can be worked
// out by hand: the board's beds at chosen points, the chance of landing within a circle round the
// aim, the board's mirror image, the averages the two spreads stand for, and the plan from 2.
#include <cmath>
#include <numbers>

#include <QTest>

#include "match/DartModel.h"

namespace {

Dart single(int number)
{
    return {Dart::Ring::Single, number};
}

Dart treble(int number)
{
    return {Dart::Ring::Treble, number};
}

Dart doubleOf(int number)
{
    return {Dart::Ring::Double, number};
}

const Target &targetOf(const std::vector<Target> &targets, const Dart &bed)
{
    for (const Target &target : targets) {
        if (target.bed == bed)
            return target;
    }
    qFatal("no target for the bed");
}

// The chance that a round Gaussian error of the spread stays within the radius.
double withinCircle(double radius, double spread)
{
    return 1 - std::exp(-radius * radius / (2 * spread * spread));
}

} // namespace

Q_DECLARE_METATYPE(Dart)
Q_DECLARE_METATYPE(CheckoutRule)

class tst_DartModel : public QObject
{
    Q_OBJECT

private slots:
    void bedAt_data();
    void bedAt();
    void outcomeNumbering();
    void chancesSumToOne_data();
    void chancesSumToOne();
    void chanceWithinCircle_data();
    void chanceWithinCircle();
    void mirrorImage();
    void spreadAverages_data();
    void spreadAverages();
    void spreadOfEachLevel_data();
    void spreadOfEachLevel();
    void bestScoringAim();
    void largerSpreadNeverHelps();
    void straightOutNeverWorse();
    void finishingFromTwo();
    void routeChanceWithinBest_data();
    void routeChanceWithinBest();
};

void tst_DartModel::bedAt_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<Dart>("bed");

    QTest::newRow("centre") << 0.0 << 0.0 << doubleOf(25);
    QTest::newRow("inside the bull's edge") << 0.0 << 6.3 << doubleOf(25);
    QTest::newRow("outside the bull's edge") << 0.0 << 6.4 << single(25);
    QTest::newRow("inside the outer bull's edge") << 15.8 << 0.0 << single(25);
    QTest::newRow("outside the outer bull's edge") << 0.0 << 16.0 << single(20);
    QTest::newRow("inner single 20") << 0.0 << 98.9 << single(20);
    QTest::newRow("treble 20, inner edge") << 0.0 << 99.1 << treble(20);
    QTest::newRow("treble 20, outer edge") << 0.0 << 106.9 << treble(20);
    QTest::newRow("outer single 20") << 0.0 << 107.1 << single(20);
    QTest::newRow("outer single 20, at the double") << 0.0 << 161.9 << single(20);
    QTest::newRow("double 20, inner edge") << 0.0 << 162.1 << doubleOf(20);
    QTest::newRow("double 20, outer edge") << 0.0 << 169.9 << doubleOf(20);
    QTest::newRow("off the board") << 0.0 << 170.1 << single(0);
    QTest::newRow("far off the board") << -300.0 << 20.0 << single(0);
    // Each segment is 18 degrees wide, the 20 from -9 to 9 degrees clockwise from the top.
    const auto at = [](double radius, double degrees) {
        const double angle = degrees * std::numbers::pi / 180;
        return std::pair {radius * std::sin(angle), radius * std::cos(angle)};
    };
    const auto [x20, y20] = at(50, 8.9);
    QTest::newRow("20 at its right edge") << x20 << y20 << single(20);
    const auto [x1, y1] = at(50, 9.1);
    QTest::newRow("1 at its left edge") << x1 << y1 << single(1);
    const auto [x5, y5] = at(50, -8.9);
    QTest::newRow("20 at its left edge") << x5 << y5 << single(20);
    const auto [x5b, y5b] = at(50, -9.1);
    QTest::newRow("5 at its right edge") << x5b << y5b << single(5);
    const std::array<int, 20> clockwise {20, 1, 18, 4, 13, 6, 10, 15, 2, 17, 3, 19, 7, 16, 8, 11, 14, 9, 12, 5};
    for (std::size_t i = 0; i < clockwise.size(); ++i) {
        const auto [x, y] = at(103, double(i) * 18);
        QTest::newRow(qPrintable(QStringLiteral("treble %1").arg(clockwise[i]))) << x << y << treble(clockwise[i]);
        const auto [dx, dy] = at(166, double(i) * 18 + 8);
        QTest::newRow(qPrintable(QStringLiteral("double %1").arg(clockwise[i]))) << dx << dy << doubleOf(clockwise[i]);
    }
}

void tst_DartModel::bedAt()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(Dart, bed);
    const Dart found = DartBoard::bedAt(x, y);
    QCOMPARE(int(found.ring), int(bed.ring));
    QCOMPARE(found.number, bed.number);
}

// Every bed has its own number and comes back from it; the targets are the centres of the beds
// they are named after.
void tst_DartModel::outcomeNumbering()
{
    QList<int> seen;
    for (int i = 0; i < DartBoard::outcomeCount; ++i) {
        const Dart bed = DartBoard::outcomeBed(i);
        QCOMPARE(DartBoard::outcomeIndex(bed), i);
        seen << i;
    }
    QCOMPARE(seen.size(), 63);
    const std::vector<Target> targets = standardTargets();
    QCOMPARE(targets.size(), std::size_t(82));
    for (const Target &target : targets)
        QVERIFY2(DartBoard::bedAt(target.x, target.y) == target.bed, qPrintable(target.bed.text()));
}

void tst_DartModel::chancesSumToOne_data()
{
    QTest::addColumn<double>("spread");

    QTest::newRow("strong player") << ThrowModel::strongSpread;
    QTest::newRow("club player") << ThrowModel::clubSpread;
    QTest::newRow("beginner") << 40.0;
}

// The chances of every bed and of missing the board add up to one wherever the dart is aimed,
// on the board or off it.
void tst_DartModel::chancesSumToOne()
{
    QFETCH(double, spread);
    const ThrowModel model(spread);
    std::vector<Target> aims = standardTargets();
    aims.push_back({single(0), 175, 20});
    aims.push_back({single(0), -120, -150});
    for (const Target &aim : aims) {
        const ThrowModel::Outcomes chances = model.outcomes(aim.x, aim.y);
        double sum = 0;
        for (double chance : chances) {
            QVERIFY(chance >= 0);
            sum += chance;
        }
        QVERIFY2(std::abs(sum - 1) < 1e-12, qPrintable(QStringLiteral("%1: %2").arg(aim.bed.text()).arg(sum - 1)));
    }
}

void tst_DartModel::chanceWithinCircle_data()
{
    QTest::addColumn<double>("spread");

    QTest::newRow("strong player") << ThrowModel::strongSpread;
    QTest::newRow("club player") << ThrowModel::clubSpread;
    QTest::newRow("beginner") << 40.0;
}

// Aimed at the centre, the chance of landing within a circle round it is known exactly: the bull,
// the bull with its outer ring, and the board.
void tst_DartModel::chanceWithinCircle()
{
    QFETCH(double, spread);
    const ThrowModel::Outcomes chances = ThrowModel(spread).outcomes(0, 0);
    const double bull = chances[std::size_t(DartBoard::outcomeIndex(doubleOf(25)))];
    const double outer = chances[std::size_t(DartBoard::outcomeIndex(single(25)))];
    QVERIFY(std::abs(bull - withinCircle(DartBoard::bullRadius, spread)) < 5e-5);
    QVERIFY(std::abs(bull + outer - withinCircle(DartBoard::outerBullRadius, spread)) < 5e-5);
    QVERIFY(std::abs(1 - chances[0] - withinCircle(DartBoard::doubleOuterRadius, spread)) < 5e-5);
}

// The board is its own mirror image about the line through the 20 and the 3, beds swapped in
// pairs (1 and 5, 18 and 12, ...): aimed on that line, each bed is as likely as its mirror bed.
void tst_DartModel::mirrorImage()
{
    const ThrowModel model(ThrowModel::clubSpread);
    const std::array<int, 20> &segments = DartBoard::segments;
    for (double y : {103.0, 0.0, -60.0, 166.0}) {
        const ThrowModel::Outcomes chances = model.outcomes(0, y);
        for (std::size_t i = 1; i < segments.size(); ++i) {
            const int number = segments[i];
            const int mirror = segments[segments.size() - i];
            for (const Dart::Ring ring : {Dart::Ring::Single, Dart::Ring::Double, Dart::Ring::Treble}) {
                const double here = chances[std::size_t(DartBoard::outcomeIndex({ring, number}))];
                const double there = chances[std::size_t(DartBoard::outcomeIndex({ring, mirror}))];
                QVERIFY2(
                    std::abs(here - there) < 1e-12, qPrintable(QStringLiteral("%1 and %2").arg(number).arg(mirror)));
            }
        }
    }
}

void tst_DartModel::spreadAverages_data()
{
    QTest::addColumn<double>("spread");
    QTest::addColumn<double>("average");

    QTest::newRow("club player") << ThrowModel::clubSpread << 60.0;
    QTest::newRow("strong player") << ThrowModel::strongSpread << 100.0;
}

// Three darts aimed at treble 20 score on average what the spread stands for, to within half a
// point; the average falls as the spread grows.
void tst_DartModel::spreadAverages()
{
    QFETCH(double, spread);
    QFETCH(double, average);
    const std::vector<Target> targets = standardTargets();
    const Target &t20 = targetOf(targets, treble(20));
    const double three = 3 * ThrowModel(spread).expectedScore(t20.x, t20.y);
    QVERIFY2(std::abs(three - average) < 0.5, qPrintable(QString::number(three)));
    QVERIFY(3 * ThrowModel(spread + 0.5).expectedScore(t20.x, t20.y) < three);
    QVERIFY(3 * ThrowModel(0.01).expectedScore(t20.x, t20.y) > 179.9);
}

void tst_DartModel::spreadOfEachLevel_data()
{
    QTest::addColumn<int>("average");
    QTest::addColumn<double>("spread");

    for (std::size_t level = 0; level < levelAverages.size(); ++level)
        QTest::newRow(qPrintable(QString::number(levelAverages[level]))) << levelAverages[level] << levelSpreads[level];
}

// Each level's spread is the tenth of a millimetre at which three darts aimed at treble 20 score
// nearest to the level's average, by the model itself.
void tst_DartModel::spreadOfEachLevel()
{
    QFETCH(int, average);
    QFETCH(double, spread);
    const std::vector<Target> targets = standardTargets();
    const Target &t20 = targetOf(targets, treble(20));
    const auto missBy = [&](double at) { return std::abs(3 * ThrowModel(at).expectedScore(t20.x, t20.y) - average); };
    const double miss = missBy(spread);
    QVERIFY2(miss < 0.5, qPrintable(QString::number(miss)));
    QVERIFY(miss <= missBy(spread - 0.1));
    QVERIFY(miss <= missBy(spread + 0.1));
}

// Treble 20 is the best scoring aim of the club player and the stronger ones; for the weaker levels
// it no longer is.
void tst_DartModel::bestScoringAim()
{
    const std::vector<Target> targets = standardTargets();
    for (std::size_t level = 0; level < levelAverages.size(); ++level) {
        const Dart best = bestScoringTarget(ThrowModel(levelSpreads[level]), targets).bed;
        QVERIFY2((best == treble(20)) == (levelAverages[level] >= 60), qPrintable(best.text()));
    }
}

// A player who throws less accurately never has a better chance of checking out in a visit, nor
// needs fewer visits to finish, from any score.
void tst_DartModel::largerSpreadNeverHelps()
{
    constexpr int highest = 80;
    const std::vector<Target> targets = standardTargets();
    const FinishPlan strong(ThrowModel(ThrowModel::strongSpread), targets, CheckoutRule::DoubleOut, highest);
    const FinishPlan club(ThrowModel(ThrowModel::clubSpread), targets, CheckoutRule::DoubleOut, highest);
    const FinishPlan beginner(ThrowModel(25), targets, CheckoutRule::DoubleOut, highest);
    for (int score = 2; score <= highest; ++score) {
        const QByteArray at = QByteArray::number(score);
        QVERIFY2(club.finishChance(score) <= strong.finishChance(score), at.constData());
        QVERIFY2(beginner.finishChance(score) <= club.finishChance(score), at.constData());
        QVERIFY2(club.expectedVisits(score) >= strong.expectedVisits(score), at.constData());
        QVERIFY2(beginner.expectedVisits(score) >= club.expectedVisits(score), at.constData());
    }
    QVERIFY(club.finishChance(40) < strong.finishChance(40) - 0.2);
}

// Whatever the aims, a dart that busts under double out by leaving 1 or reaching 0 on a single or
// a treble leaves a chance under straight out: the chance of checking out in a visit is never
// smaller there, and from 2 to 60 and 62 or 63 a single dart can finish.
void tst_DartModel::straightOutNeverWorse()
{
    constexpr int highest = 80;
    const std::vector<Target> targets = standardTargets();
    const ThrowModel model(ThrowModel::clubSpread);
    const FinishPlan doubleOut(model, targets, CheckoutRule::DoubleOut, highest);
    const FinishPlan straightOut(model, targets, CheckoutRule::StraightOut, highest);
    QCOMPARE(straightOut.lowestScore(), 1);
    QVERIFY(straightOut.finishChance(1) > 0);
    for (int score = 2; score <= highest; ++score) {
        const QByteArray at = QByteArray::number(score);
        QVERIFY2(straightOut.finishChance(score) >= doubleOut.finishChance(score) - 1e-12, at.constData());
        QVERIFY2(straightOut.fewestDarts(score) <= doubleOut.fewestDarts(score), at.constData());
    }
    QVERIFY(straightOut.finishChance(57) > doubleOut.finishChance(57) + 0.1);
}

// From 2 only double 1 finishes; any other bed busts, back to 2, except a dart off the board,
// which leaves the next dart its chance. Aiming every dart at double 1 checks out in a visit with
// the chance p(1 + m + m^2), p of double 1 and m of missing the board, and needs 1 / that visits.
void tst_DartModel::finishingFromTwo()
{
    const std::vector<Target> targets = standardTargets();
    const ThrowModel model(ThrowModel::clubSpread);
    const Target &d1 = targetOf(targets, doubleOf(1));
    const ThrowModel::Outcomes chances = model.outcomes(d1.x, d1.y);
    const double p = chances[std::size_t(DartBoard::outcomeIndex(doubleOf(1)))];
    const double m = chances[0];
    const double visit = p * (1 + m + m * m);

    const FinishPlan plan(model, targets, CheckoutRule::DoubleOut, 2);
    QVERIFY(std::abs(plan.finishChance(2) - visit) < 1e-12);
    QVERIFY(std::abs(plan.expectedVisits(2) - 1 / visit) < 1e-9);
    QCOMPARE(plan.route(2).text(), QStringLiteral("D1"));
    QVERIFY(std::abs(plan.routeFinishChance(2, plan.route(2)) - visit) < 1e-12);
}

void tst_DartModel::routeChanceWithinBest_data()
{
    QTest::addColumn<CheckoutRule>("rule");
    QTest::addColumn<double>("spread");

    QTest::newRow("double out, club player") << CheckoutRule::DoubleOut << ThrowModel::clubSpread;
    QTest::newRow("straight out, club player") << CheckoutRule::StraightOut << ThrowModel::clubSpread;
    QTest::newRow("double out, average 40") << CheckoutRule::DoubleOut << levelSpreads[1];
    QTest::newRow("straight out, average 40") << CheckoutRule::StraightOut << levelSpreads[1];
}

// Every score up to 60 has a route of its own, and following a route can never beat the best
// chance of checking out in the visit, nor need fewer visits than the plan.
void tst_DartModel::routeChanceWithinBest()
{
    QFETCH(CheckoutRule, rule);
    QFETCH(double, spread);
    constexpr int highest = 60;
    const FinishPlan plan(ThrowModel(spread), standardTargets(), rule, highest);
    for (int score = plan.lowestScore(); score <= highest; ++score) {
        const CheckoutRoute route = plan.route(score);
        QVERIFY2(!route.isEmpty() && route.total() == score, qPrintable(route.text()));
        QVERIFY(plan.routeFinishChance(score, route) <= plan.finishChance(score) + 1e-12);
        QVERIFY(plan.routeExpectedVisits(score, route) >= plan.expectedVisits(score) - 1e-12);
    }
}

QTEST_GUILESS_MAIN(tst_DartModel)
#include "tst_DartModel.moc"
