// Checkout routes held against the darts rules worked out here by plain enumeration.
#include <QTest>

#include "match/Checkout.h"

namespace {

// What one written dart is worth, and whether it may end a leg; score 0 when the text names no dart.
struct ReadDart
{
    int score = 0;
    bool finishes = false;
    bool narrow = false; // a double or the bull
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
    return {factor * number, factor == 2, factor == 2};
}

// The fewest darts that check out the score, 0 when no route of three darts or fewer exists.
int fewestDarts(int score)
{
    QList<int> any {25, 50};
    QList<int> finishing {50};
    for (int n = 1; n <= 20; ++n) {
        any << n << 2 * n << 3 * n;
        finishing << 2 * n;
    }
    for (int last : finishing) {
        if (last == score)
            return 1;
    }
    for (int last : finishing) {
        for (int a : any) {
            if (a + last == score)
                return 2;
        }
    }
    for (int last : finishing) {
        for (int a : any) {
            for (int b : any) {
                if (a + b + last == score)
                    return 3;
            }
        }
    }
    return 0;
}

} // namespace

class tst_Checkout : public QObject
{
    Q_OBJECT

private slots:
    void everyScoreFollowsTheRules();
    void noRoute_data();
    void noRoute();
    void routesPlayersUse_data();
    void routesPlayersUse();
    void setUpDartsAvoidNarrowTargets();
    void checkedOut_data();
    void checkedOut();
};

// From -5 to 200: a route exactly when one exists, of the fewest darts, summing to the score and
// ending on a double or the bull; the route's own fields agree with its text.
void tst_Checkout::everyScoreFollowsTheRules()
{
    for (int score = -5; score <= 200; ++score) {
        const CheckoutRoute route = checkoutRoute(score);
        const int fewest = fewestDarts(score);
        const QString context = QStringLiteral("score %1, route \"%2\"").arg(score).arg(route.text());
        QVERIFY2(route.count == fewest, qPrintable(context));
        if (fewest == 0) {
            QVERIFY2(route.text().isEmpty(), qPrintable(context));
            continue;
        }
        const QStringList darts = route.text().split(u' ');
        QVERIFY2(darts.size() == fewest, qPrintable(context));
        int sum = 0;
        for (const QString &text : darts) {
            const ReadDart dart = readDart(text);
            QVERIFY2(dart.score > 0, qPrintable(context));
            sum += dart.score;
        }
        QVERIFY2(sum == score, qPrintable(context));
        QVERIFY2(route.total() == score, qPrintable(context));
        QVERIFY2(readDart(darts.last()).finishes, qPrintable(context));
    }
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

// The routes the rules fix, and the common ones that the stated order yields.
void tst_Checkout::routesPlayersUse_data()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<QString>("route");

    QTest::newRow("170") << 170 << QStringLiteral("T20 T20 Bull");
    QTest::newRow("100") << 100 << QStringLiteral("T20 D20");
    QTest::newRow("50") << 50 << QStringLiteral("Bull");
    QTest::newRow("40") << 40 << QStringLiteral("D20");
    QTest::newRow("3") << 3 << QStringLiteral("1 D1");
    QTest::newRow("2") << 2 << QStringLiteral("D1");
    QTest::newRow("32") << 32 << QStringLiteral("D16");
    QTest::newRow("single before the treble of the same score") << 43 << QStringLiteral("3 D20");
    QTest::newRow("41") << 41 << QStringLiteral("1 D20");
    QTest::newRow("60") << 60 << QStringLiteral("20 D20");
    QTest::newRow("70") << 70 << QStringLiteral("T10 D20");
    QTest::newRow("D16 when D20 cannot be left") << 62 << QStringLiteral("T10 D16");
    QTest::newRow("even double before a set-up bull") << 90 << QStringLiteral("T18 D18");
    QTest::newRow("96") << 96 << QStringLiteral("T20 D18");
    QTest::newRow("97") << 97 << QStringLiteral("T19 D20");
    QTest::newRow("odd double when nothing else") << 98 << QStringLiteral("T20 D19");
    QTest::newRow("110") << 110 << QStringLiteral("T20 Bull");
    QTest::newRow("120") << 120 << QStringLiteral("T20 20 D20");
    QTest::newRow("140") << 140 << QStringLiteral("T20 T16 D16");
    QTest::newRow("150") << 150 << QStringLiteral("T20 T18 D18");
    QTest::newRow("160") << 160 << QStringLiteral("T20 T20 D20");
    QTest::newRow("161") << 161 << QStringLiteral("T20 T17 Bull");
    QTest::newRow("164") << 164 << QStringLiteral("T20 T18 Bull");
    QTest::newRow("167") << 167 << QStringLiteral("T20 T19 Bull");
}

void tst_Checkout::routesPlayersUse()
{
    QFETCH(int, score);
    QFETCH(QString, route);
    QCOMPARE(checkoutRoute(score).text(), route);
}

// Whenever a route of the fewest darts exists whose set-up darts are all singles or trebles, the
// route given has no set-up dart on a double or the bull.
void tst_Checkout::setUpDartsAvoidNarrowTargets()
{
    QList<int> wide {25};
    for (int n = 1; n <= 20; ++n)
        wide << n << 3 * n;
    QList<int> finishing {50};
    for (int n = 1; n <= 20; ++n)
        finishing << 2 * n;

    for (int score = 2; score <= 170; ++score) {
        const CheckoutRoute route = checkoutRoute(score);
        if (route.count < 2)
            continue;
        bool wideRouteExists = false;
        for (int last : finishing) {
            for (int a : wide) {
                if (route.count == 2 && a + last == score)
                    wideRouteExists = true;
                for (int b : wide) {
                    if (route.count == 3 && a + b + last == score)
                        wideRouteExists = true;
                }
            }
        }
        if (!wideRouteExists)
            continue;
        const QStringList darts = route.text().split(u' ');
        for (qsizetype i = 0; i + 1 < darts.size(); ++i)
            QVERIFY2(!readDart(darts[i]).narrow, qPrintable(QStringLiteral("%1: %2").arg(score).arg(route.text())));
    }
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
