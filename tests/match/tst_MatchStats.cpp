// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The players' statistics followed change by change, held against a recount from the turn rows.
#include <cmath>
#include <random>

#include <QTest>

#include "match/MatchStats.h"

namespace {

// One player's half of a turn row: the score and the stored average, empty when the player has
// no turn in the row.
struct TurnHalf
{
    std::optional<qint32> score;
    std::optional<qint32> average;
};

struct TurnRowHalves
{
    TurnHalf player1;
    TurnHalf player2;
};

// The turn rows of a match as entries, undo and new game leave them, start score 501, without the
// exact-checkout rule, telling the follower of each change as the match does.
class RowModel
{
public:
    explicit RowModel(MatchFollower &follower)
        : m_follower(follower)
    { }

    QList<TurnRowHalves> rows;

    void enter(qint32 score)
    {
        const bool opening = m_player1ToThrow == m_player1Starts;
        if (opening)
            rows.append(TurnRowHalves {});
        qint32 &remaining = m_player1ToThrow ? m_remaining1 : m_remaining2;
        remaining -= score;
        const double average = std::nearbyint(double(501 - remaining) / double(rows.size()));
        half(m_player1ToThrow) = {score, qint32(average)};
        m_follower.turnRecorded(m_player1ToThrow, score, qint32(average));
        m_player1ToThrow = !m_player1ToThrow;
    }

    void undo()
    {
        if (rows.isEmpty())
            return;
        const bool completing = m_player1ToThrow == m_player1Starts;
        const bool player1 = !m_player1ToThrow;
        qint32 &remaining = player1 ? m_remaining1 : m_remaining2;
        remaining += *half(player1).score;
        if (completing)
            half(player1) = {};
        else
            rows.removeLast();
        m_follower.turnTakenBack(player1);
        m_player1ToThrow = !m_player1ToThrow;
    }

    void newGame()
    {
        rows.clear();
        m_follower.turnsCleared();
        m_remaining1 = m_remaining2 = 501;
        m_player1Starts = !m_player1Starts;
        m_player1ToThrow = m_player1Starts;
    }

    void apply(const QString &step)
    {
        if (step == u'u')
            undo();
        else if (step == u'n')
            newGame();
        else
            enter(step.toInt());
    }

private:
    TurnHalf &half(bool player1) { return player1 ? rows.last().player1 : rows.last().player2; }

    MatchFollower &m_follower;
    bool m_player1Starts = true;
    bool m_player1ToThrow = true;
    qint32 m_remaining1 = 501;
    qint32 m_remaining2 = 501;
};

QString figure(std::optional<qint32> value)
{
    return value ? QString::number(*value) : QStringLiteral("-");
}

// Average, first nine, last turn, 100+, 140+, 180s and highest turn, as one line.
QString figuresOf(const PlayerStats &stats)
{
    return QStringList {figure(stats.average()), figure(stats.firstNine()), figure(stats.lastTurn()),
        QString::number(stats.tons()), QString::number(stats.tonForties()), QString::number(stats.maximums()),
        figure(stats.highest())}
        .join(u' ');
}

// The same figures counted afresh from every row, the plain way.
QString recount(const QList<TurnRowHalves> &rows, bool player1)
{
    QList<TurnHalf> turns;
    for (const TurnRowHalves &row : rows) {
        const TurnHalf &half = player1 ? row.player1 : row.player2;
        if (half.score)
            turns.append(half);
    }
    if (turns.isEmpty())
        return QStringLiteral("- - - 0 0 0 -");
    qint64 firstSum = 0;
    const qsizetype first = std::min<qsizetype>(3, turns.size());
    for (qsizetype i = 0; i < first; ++i)
        firstSum += *turns[i].score;
    int tons = 0, tonForties = 0, maximums = 0;
    qint32 highest = *turns.first().score;
    for (const TurnHalf &turn : turns) {
        const qint32 score = *turn.score;
        tons += score >= 100 && score <= 139;
        tonForties += score >= 140 && score <= 179;
        maximums += score == 180;
        highest = std::max(highest, score);
    }
    return QStringList {figure(turns.last().average), figure(qint32(std::nearbyint(double(firstSum) / first))),
        figure(turns.last().score), QString::number(tons), QString::number(tonForties), QString::number(maximums),
        figure(highest)}
        .join(u' ');
}

} // namespace

class tst_MatchStats : public QObject
{
    Q_OBJECT

private slots:
    void followsTheRows_data();
    void followsTheRows();
    void figures_data();
    void figures();
    void randomMatchFollowsTheRows();
    void takingBackNothingChangesNothing();
};

void tst_MatchStats::followsTheRows_data()
{
    QTest::addColumn<QString>("steps");

    QTest::newRow("entries") << QStringLiteral("60 45 100 0 26 81");
    QTest::newRow("undo of both halves") << QStringLiteral("60 45 100 u u u 26");
    QTest::newRow("undo past the start") << QStringLiteral("60 u u u 45 100");
    QTest::newRow("new game swaps the starter") << QStringLiteral("60 45 n 100 140 u 41 n");
    QTest::newRow("new game on an empty table") << QStringLiteral("n n 180 u n");
    QTest::newRow("repeated maximums, one taken back") << QStringLiteral("180 180 180 180 u 180 u u u");
    QTest::newRow("edges of the bands") << QStringLiteral("99 100 139 140 179 180 0 u u u 140");
    QTest::newRow("highest taken back leaves the next") << QStringLiteral("100 20 140 20 u u 60");
    QTest::newRow("scores outside 0 to 180") << QStringLiteral("-50 200 -20 u u 181 u 5");
    QTest::newRow("first nine once past three turns") << QStringLiteral("60 1 57 2 41 3 100 4 u u u u");
}

// After every step the followed figures are those a recount of the rows gives, and statistics
// started late catch up by being told the rows' turns one by one.
void tst_MatchStats::followsTheRows()
{
    QFETCH(QString, steps);
    MatchStats stats;
    RowModel model(stats);
    for (const QString &step : steps.split(u' ')) {
        model.apply(step);
        QCOMPARE(figuresOf(stats.player1()), recount(model.rows, true));
        QCOMPARE(figuresOf(stats.player2()), recount(model.rows, false));
    }

    MatchStats late;
    for (const TurnRowHalves &row : std::as_const(model.rows)) {
        for (const bool player1 : {true, false}) {
            const TurnHalf &half = player1 ? row.player1 : row.player2;
            if (half.score)
                late.turnRecorded(player1, *half.score, half.average);
        }
    }
    QCOMPARE(figuresOf(late.player1()), recount(model.rows, true));
    QCOMPARE(figuresOf(late.player2()), recount(model.rows, false));
}

// Figures worked out by hand: average, first nine, last turn, 100+, 140+, 180s, highest.
void tst_MatchStats::figures_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("player1");
    QTest::addColumn<QString>("player2");

    QTest::newRow("no turns") << QStringLiteral("n") << QStringLiteral("- - - 0 0 0 -")
                              << QStringLiteral("- - - 0 0 0 -");
    QTest::newRow("a half rounds to even")
        << QStringLiteral("60 45 100 0") << QStringLiteral("80 80 100 1 0 0 100") << QStringLiteral("22 22 0 0 0 0 45");
    QTest::newRow("a half rounds up to even")
        << QStringLiteral("60 47 60 0") << QStringLiteral("60 60 60 0 0 0 60") << QStringLiteral("24 24 0 0 0 0 47");
    QTest::newRow("completing turn taken back")
        << QStringLiteral("140 180 100 26 u") << QStringLiteral("120 120 100 1 1 0 140")
        << QStringLiteral("180 180 180 0 0 1 180");
    QTest::newRow("first nine of the first three only")
        << QStringLiteral("60 0 57 0 41 0 100 0") << QStringLiteral("64 53 100 1 0 0 100")
        << QStringLiteral("0 0 0 0 0 0 0");
    QTest::newRow("opening turn taken back")
        << QStringLiteral("180 60 180 u") << QStringLiteral("180 180 180 0 0 1 180")
        << QStringLiteral("60 60 60 0 0 0 60");
    QTest::newRow("after a new game") << QStringLiteral("180 60 n 100") << QStringLiteral("- - - 0 0 0 -")
                                      << QStringLiteral("100 100 100 1 0 0 100");
}

void tst_MatchStats::figures()
{
    QFETCH(QString, steps);
    QFETCH(QString, player1);
    QFETCH(QString, player2);
    MatchStats stats;
    RowModel model(stats);
    for (const QString &step : steps.split(u' '))
        model.apply(step);
    QCOMPARE(figuresOf(stats.player1()), player1);
    QCOMPARE(figuresOf(stats.player2()), player2);
}

// A long seeded match of entries (mostly), undos and new games.
void tst_MatchStats::randomMatchFollowsTheRows()
{
    std::mt19937 random(16);
    std::discrete_distribution<int> kind({80, 15, 2});
    std::uniform_int_distribution<qint32> score(0, 180);
    MatchStats stats;
    RowModel model(stats);
    for (int step = 0; step < 20000; ++step) {
        switch (kind(random)) {
        case 0:
            model.enter(score(random));
            break;
        case 1:
            model.undo();
            break;
        default:
            model.newGame();
        }
        QCOMPARE(figuresOf(stats.player1()), recount(model.rows, true));
        QCOMPARE(figuresOf(stats.player2()), recount(model.rows, false));
    }
}

// A turn taken back from a player with none leaves the figures empty, and the next turn counts
// from scratch.
void tst_MatchStats::takingBackNothingChangesNothing()
{
    MatchStats stats;
    stats.turnTakenBack(true);
    QCOMPARE(figuresOf(stats.player1()), QStringLiteral("- - - 0 0 0 -"));
    stats.turnRecorded(true, 140, 140);
    stats.turnTakenBack(true);
    stats.turnTakenBack(true);
    stats.turnRecorded(true, 60, 60);
    QCOMPARE(figuresOf(stats.player1()), QStringLiteral("60 60 60 0 0 0 60"));
    QCOMPARE(figuresOf(stats.player2()), QStringLiteral("- - - 0 0 0 -"));
}

QTEST_GUILESS_MAIN(tst_MatchStats)
#include "tst_MatchStats.moc"
