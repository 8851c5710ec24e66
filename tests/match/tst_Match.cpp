// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The rules of a match on a turn table of its own, without any window: entries, the exact-checkout
// rule, refusals, averages, taking entries back and new games.
#include <limits>
#include <random>

#include <QTest>

#include "db/Field.h"
#include "match/Match.h"
#include "match/MatchStats.h"
#include "memtable/xovMemTable.h"
#include "tests/support/GameOnTable.h"
#include "tests/support/MatchModel.h"

using namespace Qt::StringLiterals;

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
    void doubleOutFinishes();
    void doubleOut_data();
    void doubleOut();
    void previousGame_data();
    void previousGame();
    void previousGameRefused_data();
    void previousGameRefused();
    void newMatch_data();
    void newMatch();
    void randomMatchAgainstModel();
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

// Three darts ending on a double or the bull finish every total from 2 to 170 but these seven.
void tst_Match::doubleOutFinishes()
{
    const QList<qint32> none {159, 162, 163, 165, 166, 168, 169};
    for (qint32 score = 2; score <= 170; ++score)
        QVERIFY2(Match::isDoubleOutFinish(score) != none.contains(score), qPrintable(QString::number(score)));
    for (qint32 score : {Smallest, -2, 0, 1, 171, 177, 180, 181, Largest})
        QVERIFY2(!Match::isDoubleOutFinish(score), qPrintable(QString::number(score)));
}

void tst_Match::doubleOut_data()
{
    QTest::addColumn<qint32>("start");
    QTest::addColumn<bool>("exactCheckout");
    QTest::addColumn<bool>("doubleOut");
    QTest::addColumn<QList<qint32>>("scores"); // player 1 starts
    QTest::addColumn<QByteArray>("outcomes");
    QTest::addColumn<qint32>("remaining1");
    QTest::addColumn<qint32>("remaining2");

    const auto row = [](const char *name, qint32 start, QList<qint32> scores, const char *outcomes, qint32 remaining1,
                         qint32 remaining2, bool exact = true, bool doubleOut = true) {
        QTest::newRow(name) << start << exact << doubleOut << scores << QByteArray(outcomes) << remaining1
                            << remaining2;
    };
    row("a finish on a double", 40, {40}, "r", 0, 40);
    row("the bull finishes", 50, {50}, "r", 0, 50);
    row("170 finishes", 170, {170}, "r", 0, 170);
    row("leaving 2", 42, {40}, "r", 2, 42);
    row("leaving 1 is a bust", 41, {40}, "z", 41, 41);
    row("the second player leaves 1", 41, {20, 40}, "rz", 21, 41);
    row("1 at 1 is a bust", 1, {1}, "z", 1, 1);
    row("1 at 2 leaves 1: a bust", 2, {1}, "z", 2, 2);
    row("a turn of 0 is no bust", 1, {0}, "r", 1, 1);
    row("over the remaining score", 40, {60}, "z", 40, 40);
    for (const qint32 total : {159, 162, 165, 168, 171, 174, 177, 180})
        row(qPrintable(QStringLiteral("%1 to 0 is a bust").arg(total)), total, {total}, "z", total, total);
    // Refused as no turn at all before any rule of the finish is asked.
    for (const qint32 total : {163, 166, 169})
        row(qPrintable(QStringLiteral("%1 refused").arg(total)), total, {total}, "x", total, total);
    row("double out includes the exact checkout", 40, {60}, "z", 40, 40, false);
    row("after a bust the same player throws again next turn", 41, {40, 20, 39}, "zrr", 2, 21);
    // The box cleared: every rule stays as it was.
    row("off: leaving 1 recorded", 41, {40}, "r", 1, 41, true, false);
    row("off: 180 to 0 recorded", 180, {180}, "r", 0, 180, true, false);
    row("off, exact cleared: below 0 recorded", 40, {60}, "r", -20, 40, false, false);
}

// Double out counts a turn as 0 that leaves 1 or reaches 0 with a total no finish on a double
// makes; the entry is recorded as a turn of 0, like one over the remaining score.
void tst_Match::doubleOut()
{
    QFETCH(qint32, start);
    QFETCH(bool, exactCheckout);
    QFETCH(bool, doubleOut);
    QFETCH(QList<qint32>, scores);

    Game game(start);
    QByteArray made;
    for (qint32 score : scores)
        made += letterOf(game.match.enterScore(score, exactCheckout, doubleOut));
    QTEST(made, "outcomes");
    QTEST(game.match.Remaining1, "remaining1");
    QTEST(game.match.Remaining2, "remaining2");
    // A bust finishes nothing.
    if (!made.contains('r'))
        QVERIFY(!game.match.legs().legWinner());
}

namespace {

// Steps: a number records it (exact checkout), u takes the last entry back, n starts a new game,
// p brings the previous game back, f sets first to two legs.
QByteArray playSteps(GameOnTable &game, const QString &steps)
{
    QByteArray outcomes;
    for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
        if (step == u'u') {
            game.match.takeBack();
        } else if (step == u'n') {
            game.match.newGame();
        } else if (step == u'f') {
            game.match.legs().setFirstTo(2);
        } else if (step == u'p') {
            const PreviousGameOutcome outcome = game.match.restorePreviousGame();
            outcomes += outcome == PreviousGameOutcome::Restored ? 'R'
                : outcome == PreviousGameOutcome::NoneKept       ? 'N'
                                                                 : 'E';
        } else {
            game.match.enterScore(step.toInt(), true);
        }
    }
    return outcomes;
}

// What the match shows: the rows with their numbers, the remaining scores, starter and thrower,
// sets, legs, the leg's winner so far and the statistics of the game and of the match.
QString standing(GameOnTable &game, const MatchStats &stats)
{
    QStringList parts;
    for (const TurnRow &row : game.turnRows())
        parts << turnRowText(row);
    const Match &m = game.match;
    const Legs &legs = m.legs();
    parts
        << QStringLiteral("%1/%2 %3%4").arg(m.Remaining1).arg(m.Remaining2).arg(m.Player1Starts).arg(m.Player1ToThrow);
    parts << QStringLiteral("legs %1-%2 sets %3-%4 leg %5")
                 .arg(legs.legsWon(true))
                 .arg(legs.legsWon(false))
                 .arg(legs.setsWon(true))
                 .arg(legs.setsWon(false))
                 .arg(legs.legWinner() ? int(*legs.legWinner()) : -1);
    for (const bool player1 : {true, false}) {
        const PlayerStats &p = stats.player(player1);
        const MatchFigures f = legs.figures(player1);
        parts << QStringLiteral("%1 %2 %3 %4 %5 | %6 %7 %8")
                     .arg(p.turns())
                     .arg(p.average().value_or(-1))
                     .arg(p.firstNine().value_or(-1))
                     .arg(p.highest().value_or(-1))
                     .arg(p.tons())
                     .arg(f.totals.average().value_or(-1))
                     .arg(f.totals.turns)
                     .arg(f.highestCheckout.value_or(-1));
    }
    return parts.join(u'\n');
}

} // namespace

void tst_Match::previousGame_data()
{
    QTest::addColumn<QString>("withNewGame"); // n ... p somewhere in it
    QTest::addColumn<QString>("without"); // the same without the new game taken back

    QTest::newRow("in the middle of a row") << u"60 45 100 n p 26"_s << u"60 45 100 26"_s;
    QTest::newRow("after a complete row") << u"60 45 n p 100 0"_s << u"60 45 100 0"_s;
    QTest::newRow("an empty game") << u"n p 60"_s << u"60"_s;
    QTest::newRow("a finished leg taken back from the tally") << u"f 40 n 10 40 n p 0"_s << u"f 40 n 10 40 0"_s;
    QTest::newRow("a deciding leg: the match undecided again") << u"f 40 n 10 40 n p"_s << u"f 40 n 10 40"_s;
    QTest::newRow("a new match left by the decision taken back")
        << u"f 40 n 10 40 n 40 u n p 30"_s << u"f 40 n 10 40 n 40 u 30"_s;
    QTest::newRow("the second of two new games") << u"60 45 n n p"_s << u"60 45 n"_s;
    QTest::newRow("entries taken back before the new game") << u"60 45 u n p 20"_s << u"60 45 u 20"_s;
}

// Taking back the last new game leaves the match exactly as if it had never been started: rows
// and their numbers, scores, thrower, legs, statistics, and what the entries after it make.
void tst_Match::previousGame()
{
    QFETCH(QString, withNewGame);
    QFETCH(QString, without);

    GameOnTable taken(40);
    MatchStats takenStats;
    taken.match.setFollower(&takenStats);
    GameOnTable plain(40);
    MatchStats plainStats;
    plain.match.setFollower(&plainStats);

    QCOMPARE(playSteps(taken, withNewGame), QByteArray("R"));
    QVERIFY(taken.onLastRow());
    playSteps(plain, without);
    QCOMPARE(standing(taken, takenStats), standing(plain, plainStats));
    // Further entries and new games number and count alike.
    const QString more = u"20 u 20 10 n 40"_s;
    playSteps(taken, more);
    playSteps(plain, more);
    QCOMPARE(standing(taken, takenStats), standing(plain, plainStats));
}

void tst_Match::previousGameRefused_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QByteArray>("outcomes");
    QTest::addColumn<QString>("text");

    const QString entered = u"Az előző játék nem állítható vissza: az új játékban már dobtak"_s;
    const QString none = u"Nincs visszaállítható előző játék"_s;
    QTest::newRow("no new game yet") << u"60 p"_s << QByteArray("N") << none;
    QTest::newRow("only once") << u"60 n p p"_s << QByteArray("RN") << none;
    QTest::newRow("an entry in the new game") << u"60 n 20 p"_s << QByteArray("E") << entered;
    QTest::newRow("an entry taken back still counts") << u"60 n 20 u p"_s << QByteArray("E") << entered;
    QTest::newRow("a refused entry does not")
        << u"60 n 181 p"_s << QByteArray("R") << u"Az előző játék visszaállítva"_s;
}

// The previous game comes back only while nothing has been entered in the new one, and only once;
// the status bar says why not.
void tst_Match::previousGameRefused()
{
    QFETCH(QString, steps);
    QFETCH(QByteArray, outcomes);
    QFETCH(QString, text);

    GameOnTable game(501);
    const QByteArray made = playSteps(game, steps);
    QCOMPARE(made, outcomes);
    const PreviousGameOutcome last = made.endsWith('R') ? PreviousGameOutcome::Restored
        : made.endsWith('N')                            ? PreviousGameOutcome::NoneKept
                                                        : PreviousGameOutcome::EnteredSince;
    QCOMPARE(PreviousGameText(last), text);
}

void tst_Match::newMatch_data()
{
    QTest::addColumn<QString>("steps"); // before the new match, from 40
    QTest::addColumn<int>("bullOff"); // 1, 2, or 0 to keep the current starter
    QTest::addColumn<bool>("player1Starts");

    QTest::newRow("player 1 won the bull-off") << u"n 40"_s << 1 << true;
    QTest::newRow("player 2 won the bull-off") << u"40 n 40"_s << 2 << false;
    QTest::newRow("the current starter kept") << u"40 n 10"_s << 0 << false;
    QTest::newRow("the current starter kept, player 1") << u"40 n 40 n 20"_s << 0 << true;
}

// A new match empties the table, both play from the start score as it is now, no sets, legs or
// figures are left, the bull-off winner starts, and the game left cannot be brought back.
void tst_Match::newMatch()
{
    QFETCH(QString, steps);
    QFETCH(int, bullOff);
    QFETCH(bool, player1Starts);

    GameOnTable game(40);
    MatchStats stats;
    game.match.setFollower(&stats);
    game.match.legs().setFormat({2, 2, false, false});
    playSteps(game, steps);
    game.startScore = 101;
    game.match.newMatch(bullOff == 0 ? std::nullopt : std::optional<bool>(bullOff == 1));
    QVERIFY(game.onLastRow());
    QCOMPARE(game.table.RowCount(), 0);
    QCOMPARE(game.match.Remaining1, 101);
    QCOMPARE(game.match.Remaining2, 101);
    QCOMPARE(game.match.Player1Starts, player1Starts);
    QCOMPARE(game.match.Player1ToThrow, player1Starts);
    const Legs &legs = game.match.legs();
    for (const bool player1 : {true, false}) {
        QCOMPARE(legs.legsWon(player1), 0);
        QCOMPARE(legs.setsWon(player1), 0);
        QCOMPARE(legs.figures(player1).totals.turns, 0);
        QVERIFY(!legs.figures(player1).highestCheckout);
        QCOMPARE(stats.player(player1).turns(), 0);
    }
    QCOMPARE(legs.format(), (MatchFormat {2, 2, false, false}));
    QCOMPARE(game.match.restorePreviousGame(), PreviousGameOutcome::NoneKept);
    // The bull-off winner starts the first leg of each odd set: after two legs won by the starter,
    // the second set's first leg goes to the other player.
    QCOMPARE(game.match.enterScore(101, true), EntryOutcome::Recorded);
    game.match.newGame();
    QCOMPARE(game.match.Player1Starts, !player1Starts);
    QCOMPARE(game.match.enterScore(0, true), EntryOutcome::Recorded);
    QCOMPARE(game.match.enterScore(101, true), EntryOutcome::Recorded);
    game.match.newGame();
    QCOMPARE(legs.setsWon(player1Starts), 1);
    QCOMPARE(game.match.Player1Starts, !player1Starts);
}

// A long seeded run of entries (double out switched on and off), take-backs, new games, previous
// games brought back and new matches in random formats, held against the plain model after every
// step: rows, scores, starter, thrower, sets, legs and the match's result.
void tst_Match::randomMatchAgainstModel()
{
    std::mt19937 random(35);
    std::discrete_distribution<int> kind({60, 10, 8, 3, 2, 2});
    std::uniform_int_distribution<qint32> score(0, 60);
    std::uniform_int_distribution<int> small(0, 4);
    GameOnTable game(41);
    MatchModel model(41, true);
    bool doubleOut = true;
    model.doubleOut = doubleOut;
    for (int step = 0; step < 30000; ++step) {
        switch (kind(random)) {
        case 0: {
            // Low remaining scores come often, so that finishes and busts do.
            const qint32 left = game.match.Player1ToThrow ? game.match.Remaining1 : game.match.Remaining2;
            const qint32 s = small(random) < 2 && left >= 0 && left <= 180 ? left - small(random) % 2 : score(random);
            const EntryOutcome outcome = game.match.enterScore(s, true, doubleOut);
            const MatchModel::Entry expected = model.enterScore(s);
            QVERIFY2(int(outcome) == int(expected),
                qPrintable(
                    QStringLiteral("step %1: %2 at %3, double out %4").arg(step).arg(s).arg(left).arg(doubleOut)));
            break;
        }
        case 1:
            QCOMPARE(game.match.takeBack(), model.undo());
            break;
        case 2:
            game.match.newGame();
            model.newGame();
            break;
        case 3:
            QCOMPARE(int(game.match.restorePreviousGame()), int(model.restorePrevious()));
            break;
        case 4:
            doubleOut = !doubleOut;
            model.doubleOut = doubleOut;
            break;
        default: {
            const MatchFormat format {small(random), small(random) % 3, small(random) < 2, small(random) == 0};
            const int bullOff = small(random) % 3;
            game.startScore = model.startScore = 41 + 60 * small(random);
            game.match.legs().setFormat(format);
            model.format = format;
            const std::optional<bool> winner = bullOff == 0 ? std::nullopt : std::optional<bool>(bullOff == 1);
            game.match.newMatch(winner);
            model.newMatch(winner);
        }
        }
        const QString where = QStringLiteral("step %1").arg(step);
        QVERIFY2(game.turnRows() == model.rows, qPrintable(where));
        QCOMPARE(game.match.Remaining1, model.remaining1);
        QCOMPARE(game.match.Remaining2, model.remaining2);
        QCOMPARE(game.match.Player1Starts, model.player1Starts);
        QCOMPARE(game.match.Player1ToThrow, model.player1ToThrow);
        const Legs &legs = game.match.legs();
        const MatchModel::Tally tally = model.tally();
        QCOMPARE(legs.legWinner(), model.legWinner());
        QCOMPARE(legs.setsWon(true), tally.sets[0]);
        QCOMPARE(legs.setsWon(false), tally.sets[1]);
        QCOMPARE(legs.legsWon(true), tally.legs[0]);
        QCOMPARE(legs.legsWon(false), tally.legs[1]);
        QCOMPARE(legs.matchWinner(), tally.winner);
        QCOMPARE(legs.matchDrawn(), tally.drawn);
    }
}

QTEST_GUILESS_MAIN(tst_Match)
#include "tst_Match.moc"
