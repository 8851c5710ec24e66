// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Checkout routes held against the darts rules worked out here by plain enumeration, and against
// the public checkout charts of tests/match/checkout_charts.txt.
#include <algorithm>
#include <tuple>

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTest>

#include "match/Checkout.h"

namespace {

// What one written dart is worth, and whether it is a double or the bull; score 0 when the text
// names no dart.
struct ReadDart
{
    int score = 0;
    bool narrow = false; // a double or the bull
    bool bull = false;
};

ReadDart readDart(const QString &text)
{
    if (text == QStringLiteral("Bull"))
        return {50, true, true};
    if (text == QStringLiteral("25"))
        return {25, false, false};
    bool ok = false;
    const QChar ring = text.isEmpty() ? QChar() : text.front();
    const int factor = ring == u'T' ? 3 : ring == u'D' ? 2 : 1;
    const int number = (factor == 1 ? text : text.mid(1)).toInt(&ok);
    if (!ok || number < 1 || number > 20 || (factor == 1 && !text.front().isDigit()))
        return {};
    return {factor * number, factor == 2, false};
}

bool finishes(const ReadDart &dart, CheckoutRule rule)
{
    return dart.score != 0 && (rule == CheckoutRule::StraightOut || dart.narrow);
}

int lowestScore(CheckoutRule rule)
{
    return rule == CheckoutRule::DoubleOut ? 2 : 1;
}

// The fewest darts that check out the score under the rule, 0 when no route of three darts or
// fewer exists; without the bull when withBull is false.
int countFewestDarts(int score, CheckoutRule rule, bool withBull)
{
    QList<ReadDart> any {{25, false, false}};
    if (withBull)
        any.append({50, true, true});
    for (int n = 1; n <= 20; ++n)
        any << ReadDart {n, false, false} << ReadDart {2 * n, true, false} << ReadDart {3 * n, false, false};
    for (const ReadDart &last : any) {
        if (finishes(last, rule) && last.score == score)
            return 1;
    }
    for (const ReadDart &last : any) {
        for (const ReadDart &a : any) {
            if (finishes(last, rule) && a.score + last.score == score)
                return 2;
        }
    }
    for (const ReadDart &last : any) {
        for (const ReadDart &a : any) {
            for (const ReadDart &b : any) {
                if (finishes(last, rule) && a.score + b.score + last.score == score)
                    return 3;
            }
        }
    }
    return 0;
}

int fewestDarts(int score, CheckoutRule rule, bool withBull = true)
{
    static QMap<std::tuple<int, CheckoutRule, bool>, int> counted;
    const auto key = std::tuple {score, rule, withBull};
    if (!counted.contains(key))
        counted.insert(key, countFewestDarts(score, rule, withBull));
    return counted.value(key);
}

// Whether the text is a route that checks the score out under the rule: at most three darts
// adding up to it, the last one allowed to finish.
bool checksOut(const QString &route, int score, CheckoutRule rule = CheckoutRule::DoubleOut)
{
    const QStringList darts = route.split(u' ', Qt::SkipEmptyParts);
    if (darts.isEmpty() || darts.size() > 3)
        return false;
    int sum = 0;
    for (const QString &text : darts) {
        const ReadDart dart = readDart(text);
        if (dart.score == 0)
            return false;
        sum += dart.score;
    }
    return sum == score && finishes(readDart(darts.last()), rule);
}

struct Chart
{
    QString source;
    QMap<int, QString> routes; // the routes that check their score out
};

QList<Chart> readCharts()
{
    QFile file(QStringLiteral(":/charts/checkout_charts.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QList<Chart> charts;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(QStringLiteral("chart "))) {
            charts.append({line.mid(6), {}});
            continue;
        }
        const qsizetype space = line.indexOf(u' ');
        const int score = line.left(space).toInt();
        const QString route = line.mid(space + 1);
        if (!charts.isEmpty() && checksOut(route, score))
            charts.last().routes.insert(score, route);
    }
    return charts;
}

// The route that more than half of the charts giving one for the score give.
QMap<int, QString> chartsAgreement(const QList<Chart> &charts)
{
    QMap<int, QString> agreed;
    for (int score = 2; score <= 170; ++score) {
        QMap<QString, int> votes;
        int voters = 0;
        for (const Chart &chart : charts) {
            if (chart.routes.contains(score)) {
                ++votes[chart.routes.value(score)];
                ++voters;
            }
        }
        for (auto it = votes.cbegin(); it != votes.cend(); ++it) {
            if (2 * it.value() > voters)
                agreed.insert(score, it.key());
        }
    }
    return agreed;
}

} // namespace

Q_DECLARE_METATYPE(CheckoutRule)

class tst_Checkout : public QObject
{
    Q_OBJECT

private slots:
    void everyScoreFollowsTheRules_data();
    void everyScoreFollowsTheRules();
    void chart_data();
    void chart();
    void noRoute_data();
    void noRoute();
    void fixedRoutes_data();
    void fixedRoutes();
    void setUp_data();
    void setUp();
    void playerLevel_data();
    void playerLevel();
    void levelsThroughAMatch();
    void chartsAsRead();
    void agreesWithCharts();
    void checkedOut_data();
    void checkedOut();
};

// Each player's level over the visits of a match: the default for the first two visits, then
// their average's, steady while it wavers about a boundary, and each player's apart.
void tst_Checkout::levelsThroughAMatch()
{
    const auto of = [](int average) {
        return int(std::find(levelAverages.begin(), levelAverages.end(), average) - levelAverages.begin());
    };
    PlayerLevels levels;
    QCOMPARE(levels.levelOf(true, 1, 26), defaultLevel);
    QCOMPARE(levels.levelOf(true, 2, 52), defaultLevel);
    QCOMPARE(levels.levelOf(true, 3, 78), of(30));
    QCOMPARE(levels.levelOf(false, 3, 300), of(100));
    // 35.5 lies nearer to 40, but within 2 points past the half step of the 30 shown.
    QCOMPARE(levels.levelOf(true, 4, 142), of(30));
    QCOMPARE(levels.levelOf(true, 5, 190), of(40));
    QCOMPARE(levels.levelOf(true, 6, 204), of(40));
    // A turn taken back below nine darts: the default again.
    QCOMPARE(levels.levelOf(true, 2, 80), defaultLevel);
    QCOMPARE(levels.levelOf(false, 4, 344), of(90));
    levels.clear();
    QCOMPARE(levels.levelOf(false, 4, 344), of(90));
    QCOMPARE(levels.levelOf(false, 0, 0), defaultLevel);
}

void tst_Checkout::everyScoreFollowsTheRules_data()
{
    QTest::addColumn<CheckoutRule>("rule");
    QTest::addColumn<int>("level");

    for (int level = 0; level < int(levelAverages.size()); ++level) {
        const QByteArray average = QByteArray::number(levelAverages[std::size_t(level)]);
        QTest::newRow("double out, average " + average) << CheckoutRule::DoubleOut << level;
        QTest::newRow("straight out, average " + average) << CheckoutRule::StraightOut << level;
    }
}

// From -5 to 230: a route exactly when three darts can check the score out under the rule, adding
// up to the score and ending on a dart the rule lets finish, of the fewest darts, or one more
// where every route of the fewest needs the bull and this one keeps it out; the route's own fields
// agree with its text, and the advice gives it unless it sets up.
void tst_Checkout::everyScoreFollowsTheRules()
{
    QFETCH(CheckoutRule, rule);
    QFETCH(int, level);
    for (int score = -5; score <= 230; ++score) {
        const CheckoutRoute route = checkoutRoute(score, rule, level);
        const int fewest = fewestDarts(score, rule);
        const QString context = QStringLiteral("score %1, route \"%2\"").arg(score).arg(route.text());
        QCOMPARE(checkoutAdvice(score, rule, level).route.text(), route.text());
        if (fewest == 0) {
            QVERIFY2(route.isEmpty() && route.text().isEmpty(), qPrintable(context));
            continue;
        }
        const bool keepsBullOut = !route.text().contains(QStringLiteral("Bull"));
        const bool longerForBull = fewestDarts(score, rule, false) == fewest + 1 && keepsBullOut;
        QVERIFY2(route.count == fewest || (route.count == fewest + 1 && longerForBull), qPrintable(context));
        QVERIFY2(checksOut(route.text(), score, rule), qPrintable(context));
        QVERIFY2(route.text().split(u' ').size() == route.count, qPrintable(context));
        QVERIFY2(route.total() == score, qPrintable(context));
        QVERIFY2(route.darts[std::size_t(route.count - 1)].finishesUnder(rule), qPrintable(context));
    }
}

void tst_Checkout::chart_data()
{
    everyScoreFollowsTheRules_data();
}

// The printed chart: a line for every score three darts can check out, its route as the advice
// gives it and its chance in percent with one decimal; then a line for every score up to 220
// without a finish in hand, its aim and what a hit leaves, a score that does not bust.
void tst_Checkout::chart()
{
    QFETCH(CheckoutRule, rule);
    QFETCH(int, level);
    const QStringList lines = checkoutChart(rule, level).split(u'\n');
    QCOMPARE(lines.last(), QString());
    QMap<int, QString> routes;
    QMap<int, QString> setUps;
    static const QRegularExpression routeLine(QStringLiteral("^(\\d+)\t([^\t]+)\t(\\d+\\.\\d)$"));
    static const QRegularExpression setUpLine(QStringLiteral("^(\\d+)\t(\\S+) \u2192 (\\d+)$"));
    for (const QString &line : lines.mid(0, lines.size() - 1)) {
        const QRegularExpressionMatch asRoute = routeLine.match(line);
        const QRegularExpressionMatch asSetUp = setUpLine.match(line);
        QVERIFY2(asRoute.hasMatch() != asSetUp.hasMatch(), qPrintable(line));
        if (asRoute.hasMatch()) {
            const int score = asRoute.captured(1).toInt();
            QVERIFY2(setUps.isEmpty() && !routes.contains(score), qPrintable(line));
            QVERIFY2(checksOut(asRoute.captured(2), score, rule), qPrintable(line));
            QVERIFY2(asRoute.captured(3).toDouble() <= 100, qPrintable(line));
            routes.insert(score, asRoute.captured(2));
        } else {
            const int score = asSetUp.captured(1).toInt();
            const ReadDart aim = readDart(asSetUp.captured(2));
            QVERIFY2(!setUps.contains(score) && aim.score != 0, qPrintable(line));
            QVERIFY2(asSetUp.captured(3).toInt() == score - aim.score, qPrintable(line));
            QVERIFY2(score - aim.score >= lowestScore(rule), qPrintable(line));
            setUps.insert(score, line);
        }
    }
    for (int score = lowestScore(rule); score <= 220; ++score) {
        const CheckoutAdvice advice = checkoutAdvice(score, rule, level);
        const QByteArray at = QByteArray::number(score);
        QCOMPARE(routes.value(score), checkoutRoute(score, rule, level).text());
        QVERIFY2(setUps.contains(score) == !advice.hasFinish(), at.constData());
        QVERIFY2(routes.contains(score) == (fewestDarts(score, rule) != 0), at.constData());
    }
    QCOMPARE(routes.firstKey(), lowestScore(rule));
    QCOMPARE(routes.lastKey(), rule == CheckoutRule::DoubleOut ? 170 : 180);
}

void tst_Checkout::noRoute_data()
{
    QTest::addColumn<int>("score");

    for (int score : {-5, -1, 0, 1, 159, 162, 163, 165, 166, 168, 169, 171, 180, 200, 501})
        QTest::newRow(qPrintable(QString::number(score))) << score;
}

void tst_Checkout::noRoute()
{
    QFETCH(int, score);
    QVERIFY(checkoutRoute(score).isEmpty());
    QCOMPARE(checkoutRoute(score).text(), QString());
}

// The routes every player and every chart agree on, the names of the aims at the bull, and the
// straight-out routes of one dart.
void tst_Checkout::fixedRoutes_data()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<CheckoutRule>("rule");
    QTest::addColumn<QString>("route");

    const CheckoutRule doubleOut = CheckoutRule::DoubleOut;
    const CheckoutRule straightOut = CheckoutRule::StraightOut;
    QTest::newRow("170") << 170 << doubleOut << QStringLiteral("T20 T20 Bull");
    QTest::newRow("100") << 100 << doubleOut << QStringLiteral("T20 D20");
    QTest::newRow("40") << 40 << doubleOut << QStringLiteral("D20");
    QTest::newRow("32") << 32 << doubleOut << QStringLiteral("D16");
    QTest::newRow("3") << 3 << doubleOut << QStringLiteral("1 D1");
    QTest::newRow("2") << 2 << doubleOut << QStringLiteral("D1");
    // Aimed at the bull, the ring the plan counts on: two darts, as the charts have them.
    QTest::newRow("61, the outer bull") << 61 << doubleOut << QStringLiteral("25 D18");
    QTest::newRow("65, the outer bull") << 65 << doubleOut << QStringLiteral("25 D20");
    QTest::newRow("85, without the bull") << 85 << doubleOut << QStringLiteral("T15 D20");
    QTest::newRow("125, the outer bull's 100") << 125 << doubleOut << QStringLiteral("25 T20 D20");
    QTest::newRow("101, a third dart for the bull") << 101 << doubleOut << QStringLiteral("T19 12 D16");
    QTest::newRow("straight 60") << 60 << straightOut << QStringLiteral("T20");
    QTest::newRow("straight 1") << 1 << straightOut << QStringLiteral("1");
    QTest::newRow("straight 180") << 180 << straightOut << QStringLiteral("T20 T20 T20");
}

void tst_Checkout::fixedRoutes()
{
    QFETCH(int, score);
    QFETCH(CheckoutRule, rule);
    QFETCH(QString, route);
    QCOMPARE(checkoutRoute(score, rule, defaultLevel).text(), route);
    QCOMPARE(checkoutAdvice(score, rule, defaultLevel).text(), route);
    if (rule == CheckoutRule::DoubleOut)
        QCOMPARE(checkoutRoute(score).text(), route);
}

void tst_Checkout::setUp_data()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<CheckoutRule>("rule");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("advice");

    const CheckoutRule doubleOut = CheckoutRule::DoubleOut;
    const CheckoutRule straightOut = CheckoutRule::StraightOut;
    QTest::newRow("200") << 200 << doubleOut << defaultLevel << QStringLiteral("T20 \u2192 140");
    QTest::newRow("501") << 501 << doubleOut << defaultLevel << QStringLiteral("T20 \u2192 441");
    QTest::newRow("501, straight out") << 501 << straightOut << defaultLevel << QStringLiteral("T20 \u2192 441");
    QTest::newRow("below the lowest") << 1 << doubleOut << defaultLevel << QString();
    QTest::newRow("nothing left") << 0 << straightOut << defaultLevel << QString();
    QTest::newRow("below zero") << -7 << straightOut << defaultLevel << QString();
}

// Where no finish is in hand: what to aim at and what a hit leaves; nothing below the lowest
// score a visit may leave.
void tst_Checkout::setUp()
{
    QFETCH(int, score);
    QFETCH(CheckoutRule, rule);
    QFETCH(int, level);
    QFETCH(QString, advice);
    const CheckoutAdvice given = checkoutAdvice(score, rule, level);
    QCOMPARE(given.text(), advice);
    QVERIFY(!given.hasFinish());
}

void tst_Checkout::playerLevel_data()
{
    QTest::addColumn<double>("average");
    QTest::addColumn<int>("darts");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("level");

    const auto of = [](int average) {
        return int(std::find(levelAverages.begin(), levelAverages.end(), average) - levelAverages.begin());
    };
    QTest::newRow("six darts") << 95.0 << 6 << -1 << defaultLevel;
    QTest::newRow("eight darts, shown level") << 35.0 << 8 << of(40) << defaultLevel;
    QTest::newRow("nine darts") << 95.0 << 9 << -1 << of(90);
    QTest::newRow("nearest") << 43.0 << 30 << -1 << of(40);
    QTest::newRow("above the highest") << 140.0 << 30 << -1 << of(100);
    QTest::newRow("below the lowest") << 12.0 << 30 << -1 << of(30);
    QTest::newRow("kept past the half step") << 56.5 << 30 << of(50) << of(50);
    QTest::newRow("kept below its half step") << 63.5 << 30 << of(70) << of(70);
    QTest::newRow("left beyond the margin") << 57.5 << 30 << of(50) << of(60);
    QTest::newRow("left far away") << 91.0 << 30 << of(50) << of(90);
    QTest::newRow("highest kept far above") << 160.0 << 30 << of(100) << of(100);
    QTest::newRow("no such shown level") << 71.0 << 30 << 99 << of(70);
}

// The level a player's advice is worked out at: the default until nine darts, then the nearest
// to their average, the shown one kept while the average moves about their boundary.
void tst_Checkout::playerLevel()
{
    QFETCH(double, average);
    QFETCH(int, darts);
    QFETCH(int, shown);
    QFETCH(int, level);
    QCOMPARE(::playerLevel(average, darts, shown), level);
}

// The charts as read: seven of them, each with the routes of most of the scores it covers, their
// slips left out (a route of 39 that adds up to 41, one of 129 that adds up to 132), and agreeing
// on the highest checkout and on none for 169.
void tst_Checkout::chartsAsRead()
{
    const QList<Chart> charts = readCharts();
    QCOMPARE(charts.size(), 7);
    for (const Chart &chart : charts)
        QVERIFY2(chart.routes.size() >= 75, qPrintable(chart.source));
    QVERIFY(!charts[1].routes.contains(39));
    QVERIFY(!charts[2].routes.contains(129));
    const QMap<int, QString> agreed = chartsAgreement(charts);
    QCOMPARE(agreed.value(170), QStringLiteral("T20 T20 Bull"));
    QCOMPARE(agreed.value(129), QStringLiteral("T19 T16 D12"));
    QVERIFY(!agreed.contains(169));
}

// Where most of the charts give the same route, Pontix gives it too, except at the scores where
// the model prefers another route (the README lists them, with what each route is worth).
void tst_Checkout::agreesWithCharts()
{
    const QMap<int, QString> departures {
        {61, QStringLiteral("25 D18")},
        {66, QStringLiteral("T14 D12")},
        {68, QStringLiteral("T12 D16")},
        {84, QStringLiteral("Bull D17")},
        {88, QStringLiteral("T16 D20")},
        {90, QStringLiteral("Bull D20")},
        {101, QStringLiteral("T19 12 D16")},
        {105, QStringLiteral("T19 16 D16")},
        {115, QStringLiteral("T19 18 D20")},
        {116, QStringLiteral("T19 19 D20")},
        {119, QStringLiteral("T19 T10 D16")},
        {121, QStringLiteral("25 T20 D18")},
        {122, QStringLiteral("25 T19 D20")},
        {123, QStringLiteral("25 T20 D19")},
        {124, QStringLiteral("T20 T16 D8")},
        {129, QStringLiteral("T20 T19 D6")},
        {130, QStringLiteral("T20 20 Bull")},
        {131, QStringLiteral("T19 T14 D16")},
        {135, QStringLiteral("T19 T18 D12")},
        {139, QStringLiteral("T19 Bull D16")},
        {141, QStringLiteral("Bull T17 D20")},
        {142, QStringLiteral("T20 Bull D16")},
        {143, QStringLiteral("T18 T19 D16")},
        {144, QStringLiteral("T19 T17 D18")},
        {146, QStringLiteral("T19 T19 D16")},
        {150, QStringLiteral("T19 T19 D18")},
        {164, QStringLiteral("T19 T19 Bull")},
    };
    const QMap<int, QString> agreed = chartsAgreement(readCharts());
    int same = 0;
    for (auto it = agreed.cbegin(); it != agreed.cend(); ++it) {
        const int score = it.key();
        const QString route = checkoutRoute(score).text();
        const QString context = QStringLiteral("%1: Pontix %2, the charts %3").arg(score).arg(route, it.value());
        if (departures.contains(score)) {
            QVERIFY2(route == departures.value(score) && route != it.value(), qPrintable(context));
        } else {
            QVERIFY2(route == it.value(), qPrintable(context));
            ++same;
        }
    }
    for (int score : departures.keys())
        QVERIFY2(agreed.contains(score), qPrintable(QString::number(score)));
    qInfo("Pontix gives the charts' route at %d of the %d scores where most of them agree", same, int(agreed.size()));
}

void tst_Checkout::checkedOut_data()
{
    QTest::addColumn<qint32>("remaining");
    QTest::addColumn<bool>("exactCheckout");
    QTest::addColumn<bool>("checkedOut");

    QTest::newRow("zero, exact") << 0 << true << true;
    QTest::newRow("zero, not exact") << 0 << false << true;
    QTest::newRow("below zero, not exact") << -20 << false << true;
    QTest::newRow("below zero, exact") << -20 << true << false;
    QTest::newRow("one left") << 1 << false << false;
    QTest::newRow("start score") << 501 << true << false;
}

void tst_Checkout::checkedOut()
{
    QFETCH(qint32, remaining);
    QFETCH(bool, exactCheckout);
    QFETCH(bool, checkedOut);
    QCOMPARE(hasCheckedOut(remaining, exactCheckout), checkedOut);
}

QTEST_GUILESS_MAIN(tst_Checkout)
#include "tst_Checkout.moc"
