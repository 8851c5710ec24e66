// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The rules of a match on a turn table of its own, without any window: entries, the exact-checkout
// rule, refusals, averages, taking entries back and new games.
#include <limits>

#include <QTest>

#include "db/Field.h"
#include "match/Match.h"
#include "memtable/xovMemTable.h"
#include "tests/support/GameOnTable.h"

namespace {

using Row = QVariantList; // e1, h1, a1, e2, h2, a2; a null value is an empty field
using Rows = QList<Row>;
const QVariant E; // empty

constexpr qint32 Smallest = std::numeric_limits<qint32>::min();
constexpr qint32 Largest = std::numeric_limits<qint32>::max();

using Game = GameOnTable;

// One letter per entry: r recorded, z recorded as 0, x refused.
char letterOf(EntryOutcome outcome)
{
    switch (outcome) {
    case EntryOutcome::Refused:
        return 'x';
    case EntryOutcome::Recorded:
        return 'r';
    case EntryOutcome::RecordedAsZero:
        return 'z';
    }
    return '?';
}

} // namespace

class tst_Match : public QObject
{
    Q_OBJECT

private slots:
    void firstGame();
    void possibleTurns();
    void refused_data();
    void refused();
    void entries_data();
    void entries();
    void takeBack_data();
    void takeBack();
    void newGame_data();
    void newGame();
    void rowNumbers_data();
    void rowNumbers();
    void startScoreReadWhenNeeded();
};

void tst_Match::firstGame()
{
    Game game(301);
    QVERIFY(game.match.Player1Starts);
    QVERIFY(game.match.Player1ToThrow);
    QVERIFY(game.match.nextEntryOpens());
    QCOMPARE(game.match.Remaining1, 301);
    QCOMPARE(game.match.Remaining2, 301);
    QCOMPARE(game.table.RowCount(), 0);
}

// Three darts make every total from 0 to 180 but these nine.
void tst_Match::possibleTurns()
{
    const QList<qint32> impossible {163, 166, 169, 172, 173, 175, 176, 178, 179};
    for (qint32 score = 0; score <= 180; ++score)
        QVERIFY2(Match::isPossibleTurn(score) != impossible.contains(score), qPrintable(QString::number(score)));
    for (qint32 score : {-1, -50, -180, Smallest, 181, 1000, Largest})
        QVERIFY2(!Match::isPossibleTurn(score), qPrintable(QString::number(score)));
}

// A refused score changes nothing, whoever throws and whatever the exact-checkout rule says.
void tst_Match::refused_data()
{
    QTest::addColumn<qint32>("score");
    QTest::addColumn<bool>("completing");
    QTest::addColumn<bool>("exactCheckout");

    for (qint32 score : {-1, -50, Smallest, 163, 166, 169, 172, 173, 175, 176, 178, 179, 181, Largest}) {
        for (const bool completing : {false, true}) {
            for (const bool exactCheckout : {true, false}) {
                QTest::addRow("%d, %s, %s", score, completing ? "completing" : "opening",
                    exactCheckout ? "exact checkout" : "rule cleared")
                    << score << completing << exactCheckout;
            }
        }
    }
}

void tst_Match::refused()
{
    QFETCH(qint32, score);
    QFETCH(bool, completing);
    QFETCH(bool, exactCheckout);

    // A low remaining score: under the exact-checkout rule, a recorded score above it would
    // count as 0.
    Game game(100);
    QCOMPARE(game.match.enterScore(60, exactCheckout), EntryOutcome::Recorded);
    QCOMPARE(game.match.enterScore(60, exactCheckout), EntryOutcome::Recorded);
    if (completing)
        QCOMPARE(game.match.enterScore(20, exactCheckout), EntryOutcome::Recorded);
    const Rows rows = game.rows();
    const bool toThrow = game.match.Player1ToThrow;

    QCOMPARE(game.match.enterScore(score, exactCheckout), EntryOutcome::Refused);
    QCOMPARE(game.rows(), rows);
    QVERIFY(game.onLastRow());
    QCOMPARE(game.match.Remaining1, completing ? 20 : 40);
    QCOMPARE(game.match.Remaining2, 40);
    QCOMPARE(game.match.Player1ToThrow, toThrow);
}

void tst_Match::entries_data()
{
    QTest::addColumn<qint32>("start");
    QTest::addColumn<bool>("player2Starts");
    QTest::addColumn<bool>("exactCheckout");
    QTest::addColumn<QList<qint32>>("scores");
    QTest::addColumn<QByteArray>("outcomes");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<qint32>("remaining1");
    QTest::addColumn<qint32>("remaining2");
    QTest::addColumn<bool>("player1ToThrow");

    // The averages count every entry; 45 then 0 is 22.5, giving 22.
    QTest::newRow("two rows") << 501 << false << true << QList<qint32> {60, 45, 100, 0} << QByteArray("rrrr")
                              << Rows {{60, 441, 60, 45, 456, 45}, {100, 341, 80, 0, 456, 22}} << 341 << 456 << true;
    QTest::newRow("player 2 opens a row") << 501 << true << true << QList<qint32> {60, 45} << QByteArray("rr")
                                          << Rows {{45, 456, 45, 60, 441, 60}} << 456 << 441 << false;
    QTest::newRow("player 2 opens the rows")
        << 501 << true << true << QList<qint32> {60, 45, 100} << QByteArray("rrr")
        << Rows {{45, 456, 45, 60, 441, 60}, {E, E, E, 100, 341, 80}} << 456 << 341 << true;
    QTest::newRow("22.5 rounds to 22") << 501 << false << true << QList<qint32> {1, 45, 1, 0} << QByteArray("rrrr")
                                       << Rows {{1, 500, 1, 45, 456, 45}, {1, 499, 1, 0, 456, 22}} << 499 << 456
                                       << true;
    QTest::newRow("37.5 rounds to 38") << 501 << false << true << QList<qint32> {1, 75, 1, 0} << QByteArray("rrrr")
                                       << Rows {{1, 500, 1, 75, 426, 75}, {1, 499, 1, 0, 426, 38}} << 499 << 426
                                       << true;
    QTest::newRow("181 refused, 180 recorded") << 501 << false << true << QList<qint32> {181, 180} << QByteArray("xr")
                                               << Rows {{180, 321, 180, E, E, E}} << 321 << 501 << false;
    QTest::newRow("refused completing entry")
        << 501 << false << true << QList<qint32> {60, 1000, 45} << QByteArray("rxr")
        << Rows {{60, 441, 60, 45, 456, 45}} << 441 << 456 << true;
    QTest::newRow("negative refused") << 501 << false << true << QList<qint32> {-20, 60} << QByteArray("xr")
                                      << Rows {{60, 441, 60, E, E, E}} << 441 << 501 << false;
    QTest::newRow("impossible totals refused")
        << 501 << false << true << QList<qint32> {179, 60, 163, 45} << QByteArray("xrxr")
        << Rows {{60, 441, 60, 45, 456, 45}} << 441 << 456 << true;

    // The exact-checkout rule: above the remaining score counts 0, in either player's games.
    QTest::newRow("overshoot counts 0") << 40 << false << true << QList<qint32> {60} << QByteArray("z")
                                        << Rows {{0, 40, 0, E, E, E}} << 40 << 40 << false;
    QTest::newRow("exact finish") << 60 << false << true << QList<qint32> {60} << QByteArray("r")
                                  << Rows {{60, 0, 60, E, E, E}} << 0 << 60 << false;
    QTest::newRow("after reaching 0") << 60 << false << true << QList<qint32> {60, 45, 20} << QByteArray("rrz")
                                      << Rows {{60, 0, 60, 45, 15, 45}, {0, 0, 30, E, E, E}} << 0 << 15 << false;
    QTest::newRow("completing overshoot") << 30 << false << true << QList<qint32> {20, 40} << QByteArray("rz")
                                          << Rows {{20, 10, 20, 0, 30, 0}} << 10 << 30 << true;
    QTest::newRow("player 2 starts") << 40 << true << true << QList<qint32> {60} << QByteArray("z")
                                     << Rows {{E, E, E, 0, 40, 0}} << 40 << 40 << true;
    QTest::newRow("rule cleared") << 40 << false << false << QList<qint32> {60} << QByteArray("r")
                                  << Rows {{60, -20, 60, E, E, E}} << -20 << 40 << false;
    QTest::newRow("player 2 starts, rule cleared") << 40 << true << false << QList<qint32> {60} << QByteArray("r")
                                                   << Rows {{E, E, E, 60, -20, 60}} << 40 << -20 << true;
    // Below zero every score of 0 or more is above the remaining score.
    QTest::newRow("below zero") << -20 << false << true << QList<qint32> {0, 10, 20} << QByteArray("zzz")
                                << Rows {{0, -20, 0, 0, -20, 0}, {0, -20, 0, E, E, E}} << -20 << -20 << false;

    // A remaining score outside the 32-bit range is refused, whatever the rule says.
    QTest::newRow("above the largest") << 2147483600 << false << false << QList<qint32> {-100} << QByteArray("x")
                                       << Rows {} << 2147483600 << 2147483600 << true;
    QTest::newRow("smallest score") << 1 << false << false << QList<qint32> {Smallest} << QByteArray("x") << Rows {}
                                    << 1 << 1 << true;
    QTest::newRow("below the smallest") << Smallest + 59 << false << false << QList<qint32> {60, 59} << QByteArray("xr")
                                        << Rows {{59, Smallest, 59, E, E, E}} << Smallest << Smallest + 59 << false;
    QTest::newRow("down to the smallest") << Smallest + 1 << false << false << QList<qint32> {1} << QByteArray("r")
                                          << Rows {{1, Smallest, 1, E, E, E}} << Smallest << Smallest + 1 << false;
}

void tst_Match::entries()
{
    QFETCH(qint32, start);
    QFETCH(bool, player2Starts);
    QFETCH(bool, exactCheckout);
    QFETCH(QList<qint32>, scores);
    QFETCH(QByteArray, outcomes);

    Game game(start);
    if (player2Starts)
        game.match.newGame();
    QByteArray made;
    for (qint32 score : scores) {
        made += letterOf(game.match.enterScore(score, exactCheckout));
        QVERIFY(game.onLastRow());
    }
    QCOMPARE(made, outcomes);
    QTEST(game.rows(), "rows");
    QTEST(game.match.Remaining1, "remaining1");
    QTEST(game.match.Remaining2, "remaining2");
    QTEST(game.match.Player1ToThrow, "player1ToThrow");
    QCOMPARE(game.match.Player1Starts, !player2Starts);
}

void tst_Match::takeBack_data()
{
    QTest::addColumn<qint32>("start");
    QTest::addColumn<bool>("player2Starts");
    QTest::addColumn<QList<qint32>>("scores"); // entered with the exact-checkout rule set
    QTest::addColumn<int>("undos");
    QTest::addColumn<bool>("lastUndone");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<qint32>("remaining1");
    QTest::addColumn<qint32>("remaining2");
    QTest::addColumn<bool>("player1ToThrow");

    QTest::newRow("completing entry") << 501 << false << QList<qint32> {60, 45} << 1 << true
                                      << Rows {{60, 441, 60, E, E, E}} << 441 << 501 << false;
    QTest::newRow("opening entry, the only row")
        << 501 << false << QList<qint32> {60, 45} << 2 << true << Rows {} << 501 << 501 << true;
    QTest::newRow("nothing left") << 501 << false << QList<qint32> {60, 45} << 3 << false << Rows {} << 501 << 501
                                  << true;
    QTest::newRow("empty table") << 501 << false << QList<qint32> {} << 1 << false << Rows {} << 501 << 501 << true;
    QTest::newRow("opening entry, from the row before") << 501 << false << QList<qint32> {60, 45, 100} << 1 << true
                                                        << Rows {{60, 441, 60, 45, 456, 45}} << 441 << 456 << true;
    // A remaining score of exactly 0 in the row before is kept; only an empty field gives the
    // start score.
    QTest::newRow("after reaching 0") << 60 << false << QList<qint32> {60, 45, 20} << 1 << true
                                      << Rows {{60, 0, 60, 45, 15, 45}} << 0 << 15 << true;
    QTest::newRow("entry recorded as 0") << 30 << false << QList<qint32> {20, 40} << 1 << true
                                         << Rows {{20, 10, 20, E, E, E}} << 10 << 30 << false;
    QTest::newRow("player 2 starts, completing")
        << 501 << true << QList<qint32> {60, 45} << 1 << true << Rows {{E, E, E, 60, 441, 60}} << 501 << 441 << true;
    QTest::newRow("player 2 starts, opening")
        << 501 << true << QList<qint32> {60, 45} << 2 << true << Rows {} << 501 << 501 << false;
    QTest::newRow("player 2 starts, from the row before") << 501 << true << QList<qint32> {60, 45, 100} << 1 << true
                                                          << Rows {{45, 456, 45, 60, 441, 60}} << 456 << 441 << false;
}

void tst_Match::takeBack()
{
    QFETCH(qint32, start);
    QFETCH(bool, player2Starts);
    QFETCH(QList<qint32>, scores);
    QFETCH(int, undos);

    Game game(start);
    if (player2Starts)
        game.match.newGame();
    for (qint32 score : scores)
        QVERIFY(game.match.enterScore(score, true) != EntryOutcome::Refused);
    bool undone = false;
    for (int k = 0; k < undos; ++k) {
        undone = game.match.takeBack();
        QVERIFY(game.onLastRow());
    }
    QTEST(undone, "lastUndone");
    QTEST(game.rows(), "rows");
    QTEST(game.match.Remaining1, "remaining1");
    QTEST(game.match.Remaining2, "remaining2");
    QTEST(game.match.Player1ToThrow, "player1ToThrow");
    QCOMPARE(game.match.Player1Starts, !player2Starts);
}

void tst_Match::newGame_data()
{
    QTest::addColumn<QList<qint32>>("scores");
    QTest::addColumn<int>("games");
    QTest::addColumn<bool>("player1Starts");

    QTest::newRow("on an empty table") << QList<qint32> {} << 1 << false;
    QTest::newRow("twice") << QList<qint32> {} << 2 << true;
    QTest::newRow("during a row") << QList<qint32> {60, 45, 100} << 1 << false;
    QTest::newRow("three times") << QList<qint32> {60} << 3 << false;
    QTest::newRow("twice, an entry in each") << QList<qint32> {100} << 2 << true;
}

void tst_Match::newGame()
{
    QFETCH(QList<qint32>, scores);
    QFETCH(int, games);
    QFETCH(bool, player1Starts);

    Game game(501);
    for (int k = 0; k < games; ++k) {
        for (qint32 score : scores)
            game.match.enterScore(score, true);
        game.match.newGame();
        QVERIFY(game.onLastRow());
    }
    QCOMPARE(game.table.RowCount(), 0);
    QCOMPARE(game.match.Remaining1, 501);
    QCOMPARE(game.match.Remaining2, 501);
    QCOMPARE(game.match.Player1Starts, player1Starts);
    QCOMPARE(game.match.Player1ToThrow, player1Starts);
    QCOMPARE(game.match.takeBack(), false);
}

// Each opened row takes the next number of the table, also after rows were taken back.
void tst_Match::rowNumbers_data()
{
    QTest::addColumn<QList<qint32>>("scores");
    QTest::addColumn<int>("undos");
    QTest::addColumn<QList<qint32>>("scoresAfter");
    QTest::addColumn<int>("number");

    QTest::newRow("first row") << QList<qint32> {60} << 0 << QList<qint32> {} << 0;
    QTest::newRow("second row") << QList<qint32> {60, 45, 100, 0} << 0 << QList<qint32> {} << 1;
    QTest::newRow("after every row was taken back") << QList<qint32> {60, 45} << 3 << QList<qint32> {20} << 1;
    QTest::newRow("after the last row was taken back") << QList<qint32> {60, 45, 100} << 1 << QList<qint32> {26} << 2;
}

void tst_Match::rowNumbers()
{
    QFETCH(QList<qint32>, scores);
    QFETCH(int, undos);
    QFETCH(QList<qint32>, scoresAfter);
    QFETCH(int, number);

    Game game(501);
    for (qint32 score : scores)
        QVERIFY(game.match.enterScore(score, true) != EntryOutcome::Refused);
    for (int k = 0; k < undos; ++k)
        game.match.takeBack();
    for (qint32 score : scoresAfter)
        QVERIFY(game.match.enterScore(score, true) != EntryOutcome::Refused);
    QVERIFY(game.onLastRow());
    QCOMPARE(game.i->AsValue(), QVariant(number));
}

// The window builds its match before it reads the start score from the settings file.
void tst_Match::startScoreReadWhenNeeded()
{
    Game game(501);
    game.startScore = 301;
    game.match.startFirstGame();
    QCOMPARE(game.match.Remaining1, 301);
    QCOMPARE(game.match.enterScore(60, true), EntryOutcome::Recorded);
    QCOMPARE(game.match.enterScore(45, true), EntryOutcome::Recorded);
    QCOMPARE(game.rows(), (Rows {{60, 241, 60, 45, 256, 45}}));
    game.startScore = 701;
    game.match.newGame();
    QCOMPARE(game.match.Remaining2, 701);
}

QTEST_GUILESS_MAIN(tst_Match)
#include "tst_Match.moc"
