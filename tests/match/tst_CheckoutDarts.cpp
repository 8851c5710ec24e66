// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The darts a checkout can have taken under either finishing rule, and the darts of a leg.
#include <QTest>

#include "match/CheckoutDarts.h"

Q_DECLARE_METATYPE(FinishRule)

class tst_CheckoutDarts : public QObject
{
    Q_OBJECT

private slots:
    void darts_data();
    void darts();
    void legDarts_data();
    void legDarts();
};

void tst_CheckoutDarts::darts_data()
{
    QTest::addColumn<qint32>("total");
    QTest::addColumn<FinishRule>("rule");
    QTest::addColumn<QString>("counts");

    const FinishRule doubleOut = FinishRule::DoubleOut;
    const FinishRule straight = FinishRule::StraightOut;
    QTest::newRow("double out: D1 in one") << 2 << doubleOut << "1 2 3";
    QTest::newRow("double out: D20 in one") << 40 << doubleOut << "1 2 3";
    QTest::newRow("double out: the bull in one") << 50 << doubleOut << "1 2 3";
    QTest::newRow("double out: 1 cannot be finished") << 1 << doubleOut << "";
    QTest::newRow("double out: 3 needs a single first") << 3 << doubleOut << "2 3";
    QTest::newRow("double out: 42 is no double") << 42 << doubleOut << "2 3";
    QTest::newRow("double out: 60 is a treble, not a finish") << 60 << doubleOut << "2 3";
    QTest::newRow("double out: 110, T20 and the bull") << 110 << doubleOut << "2 3";
    QTest::newRow("double out: 107, T19 and the bull") << 107 << doubleOut << "2 3";
    QTest::newRow("double out: 109 no two darts make") << 109 << doubleOut << "3";
    QTest::newRow("double out: 99 no two darts make") << 99 << doubleOut << "3";
    QTest::newRow("double out: 111 over two darts") << 111 << doubleOut << "3";
    QTest::newRow("double out: 170") << 170 << doubleOut << "3";
    QTest::newRow("double out: 159 no three darts finish") << 159 << doubleOut << "";
    QTest::newRow("double out: 171 over three darts") << 171 << doubleOut << "";
    QTest::newRow("double out: 180") << 180 << doubleOut << "";
    QTest::newRow("straight out: 1 in one") << 1 << straight << "1 2 3";
    QTest::newRow("straight out: 25 in one") << 25 << straight << "1 2 3";
    QTest::newRow("straight out: T19 in one") << 57 << straight << "1 2 3";
    QTest::newRow("straight out: T20 in one") << 60 << straight << "1 2 3";
    QTest::newRow("straight out: 23 no one dart scores") << 23 << straight << "2 3";
    QTest::newRow("straight out: 61 over one dart") << 61 << straight << "2 3";
    QTest::newRow("straight out: 110 in two") << 110 << straight << "2 3";
    QTest::newRow("straight out: 120, T20 T20") << 120 << straight << "2 3";
    QTest::newRow("straight out: 119 no two darts make") << 119 << straight << "3";
    QTest::newRow("straight out: 121 over two darts") << 121 << straight << "3";
    QTest::newRow("straight out: 180") << 180 << straight << "3";
    QTest::newRow("straight out: 179 no three darts make") << 179 << straight << "";
    QTest::newRow("straight out: 181") << 181 << straight << "";
    QTest::newRow("0 is no checkout") << 0 << straight << "";
    QTest::newRow("a negative total") << -20 << doubleOut << "";
}

// The counts of darts that can have made each checking-out total; no other count, 0 and 4
// included, is ever possible.
void tst_CheckoutDarts::darts()
{
    QFETCH(qint32, total);
    QFETCH(FinishRule, rule);
    QFETCH(QString, counts);
    QStringList possible;
    for (int darts = 0; darts <= 4; ++darts) {
        if (canCheckOutWith(total, darts, rule))
            possible << QString::number(darts);
    }
    QCOMPARE(possible.join(u' '), counts);
}

void tst_CheckoutDarts::legDarts_data()
{
    QTest::addColumn<int>("turns");
    QTest::addColumn<int>("lastTurnDarts");
    QTest::addColumn<int>("darts");

    QTest::newRow("a nine-darter") << 3 << 3 << 9;
    QTest::newRow("five turns, the last all three") << 5 << 3 << 15;
    QTest::newRow("five turns, one dart at the double") << 5 << 1 << 13;
    QTest::newRow("one dart, one turn") << 1 << 1 << 1;
    QTest::newRow("two darts of the first turn") << 1 << 2 << 2;
}

void tst_CheckoutDarts::legDarts()
{
    QFETCH(int, turns);
    QFETCH(int, lastTurnDarts);
    QFETCH(int, darts);
    QCOMPARE(::legDarts(turns, lastTurnDarts), darts);
}

QTEST_GUILESS_MAIN(tst_CheckoutDarts)
#include "tst_CheckoutDarts.moc"
