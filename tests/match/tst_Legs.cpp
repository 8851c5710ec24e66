// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Legs and the match kept beside the turn table: who wins a leg, the "first to N" limit, a new
// match, the operator's corrections and the match's figures, held against a plain recount.
#include <random>

#include <QTest>

#include "match/Checkout.h"
#include "match/Legs.h"
#include "tests/support/GameOnTable.h"

using namespace Qt::StringLiterals;

namespace {

// Steps: a number records it as the thrower's turn, u takes the last entry back, n starts a new
// game, e and o switch the exact-checkout rule on and off for the entries that follow.
void play(GameOnTable &game, const QString &steps, bool exact)
{
    for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
        if (step == u'u')
            game.match.takeBack();
        else if (step == u'n')
            game.match.newGame();
        else if (step == u'e' || step == u'o')
            exact = step == u'e';
        else
            QVERIFY(game.match.enterScore(step.toInt(), exact) != EntryOutcome::Refused);
    }
}

QString tally(const Legs &legs)
{
    return QStringLiteral("%1-%2").arg(legs.legsWon(true)).arg(legs.legsWon(false));
}

QString winnerText(std::optional<bool> player1)
{
    if (!player1)
        return QStringLiteral("-");
    return *player1 ? QStringLiteral("1") : QStringLiteral("2");
}

// The whole match as entered: every leg's turns in entry order, each with whether it finished.
// The rules applied the plain way, walking every turn at every question.
class LegsModel
{
public:
    struct Turn
    {
        bool player1;
        qint32 score;
        bool finishes;
    };

    explicit LegsModel(qint32 start)
        : m_start(start)
        , m_remaining1(start)
        , m_remaining2(start)
    { }

    void enter(qint32 score, bool exact)
    {
        qint32 &left = m_player1ToThrow ? m_remaining1 : m_remaining2;
        const qint32 recorded = exact && score > left ? 0 : score;
        left -= recorded;
        m_leg.append({m_player1ToThrow, recorded, left == 0 || (left < 0 && !exact)});
        m_player1ToThrow = !m_player1ToThrow;
    }

    void undo()
    {
        if (m_leg.isEmpty())
            return;
        const Turn turn = m_leg.takeLast();
        (turn.player1 ? m_remaining1 : m_remaining2) += turn.score;
        m_player1ToThrow = !m_player1ToThrow;
    }

    void newGame()
    {
        if (matchWinner(m_legs)) {
            m_legs.clear();
            m_legs.append(QList<Turn> {}); // a decided match is over: the next one starts here
            m_corrections = {};
        }
        m_legs.last() = m_leg;
        m_legs.append(QList<Turn> {});
        m_leg.clear();
        m_player1Starts = !m_player1Starts;
        m_player1ToThrow = m_player1Starts;
        m_remaining1 = m_remaining2 = m_start;
    }

    void correct(bool player1, int legs) { m_corrections[player1 ? 0 : 1] = legs - won(m_legs, player1, false); }

    int firstTo = 0;

    int legsWon(bool player1) const { return won(m_legs, player1, true); }

    std::optional<bool> matchWinner() const { return matchWinner(m_legs); }

    // Legs, average, 100+, 140+, 180s and highest checkout over the match's legs, the current
    // one included, as one line.
    QString figures(bool player1) const
    {
        qint64 scored = 0, turns = 0;
        int tons = 0, tonForties = 0, maximums = 0;
        std::optional<qint32> highestCheckout;
        QList<QList<Turn>> legs = m_legs;
        legs.last() = m_leg;
        for (const QList<Turn> &leg : std::as_const(legs)) {
            for (const Turn &turn : leg) {
                if (turn.player1 != player1)
                    continue;
                scored += turn.score;
                ++turns;
                tons += turn.score >= 100 && turn.score <= 139;
                tonForties += turn.score >= 140 && turn.score <= 179;
                maximums += turn.score == 180;
            }
        }
        for (qsizetype i = 0; i + 1 < m_legs.size(); ++i) {
            const Turn *finish = firstFinish(m_legs[i]);
            if (finish && finish->player1 == player1)
                highestCheckout = std::max(highestCheckout.value_or(finish->score), finish->score);
        }
        const auto figure
            = [](std::optional<qint64> value) { return value ? QString::number(*value) : QStringLiteral("-"); };
        return QStringList {QString::number(legsWon(player1)),
            figure(
                turns ? std::optional<qint64>(qint64(std::nearbyint(double(scored) / double(turns)))) : std::nullopt),
            QString::number(tons), QString::number(tonForties), QString::number(maximums),
            figure(highestCheckout ? std::optional<qint64>(*highestCheckout) : std::nullopt)}
            .join(u' ');
    }

    static QString figuresOf(const MatchFigures &f)
    {
        const auto average = f.totals.average();
        return QStringList {QString::number(f.legs), average ? QString::number(*average) : QStringLiteral("-"),
            QString::number(f.totals.tons), QString::number(f.totals.tonForties), QString::number(f.totals.maximums),
            f.highestCheckout ? QString::number(*f.highestCheckout) : QStringLiteral("-")}
            .join(u' ');
    }

private:
    static const Turn *firstFinish(const QList<Turn> &leg)
    {
        for (const Turn &turn : leg) {
            if (turn.finishes)
                return &turn;
        }
        return nullptr;
    }

    int won(const QList<QList<Turn>> &legs, bool player1, bool corrected) const
    {
        int count = corrected ? m_corrections[player1 ? 0 : 1] : 0;
        for (qsizetype i = 0; i + 1 < legs.size(); ++i) {
            const Turn *finish = firstFinish(legs[i]);
            count += finish && finish->player1 == player1;
        }
        return std::max(0, count);
    }

    std::optional<bool> matchWinner(const QList<QList<Turn>> &) const
    {
        if (firstTo <= 0)
            return std::nullopt;
        for (const bool player1 : {true, false}) {
            if (legsWon(player1) >= firstTo)
                return player1;
        }
        return std::nullopt;
    }

    const qint32 m_start;
    // The match's legs left so far, then a last, empty place for the current one.
    QList<QList<Turn>> m_legs {QList<Turn> {}};
    QList<Turn> m_leg;
    std::array<int, 2> m_corrections {};
    bool m_player1Starts = true;
    bool m_player1ToThrow = true;
    qint32 m_remaining1;
    qint32 m_remaining2;
};

} // namespace

class tst_Legs : public QObject
{
    Q_OBJECT

private slots:
    void legWinner_data();
    void legWinner();
    void firstToN_data();
    void firstToN();
    void corrections();
    void matchFigures();
    void randomMatchAgainstModel();
    void formats_data();
    void formats();
    void figuresOverSets();
};

void tst_Legs::legWinner_data()
{
    QTest::addColumn<bool>("exact");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("winnerBeforeNewGame");
    QTest::addColumn<QString>("legs");

    // Start score 40 throughout.
    QTest::newRow("exact: the starter checks out") << true << "40"
                                                   << "1"
                                                   << "1-0";
    QTest::newRow("exact: a score over the rest counts 0, no checkout") << true << "60"
                                                                        << "-"
                                                                        << "0-0";
    QTest::newRow("exact off: below 0 checks out") << false << "60"
                                                   << "1"
                                                   << "1-0";
    QTest::newRow("exact off: both past 0, the first in table order wins") << false << "50 60"
                                                                           << "1"
                                                                           << "1-0";
    QTest::newRow("the other player checks out first") << true << "20 40"
                                                       << "2"
                                                       << "0-1";
    QTest::newRow("nobody checked out") << true << "10 10 10"
                                        << "-"
                                        << "0-0";
    QTest::newRow("the finishing turn taken back") << true << "40 u"
                                                   << "-"
                                                   << "0-0";
    QTest::newRow("a turn after the finish taken back") << true << "40 10 u"
                                                        << "1"
                                                        << "1-0";
    QTest::newRow("finish taken back, the other finishes") << true << "40 u 30 40"
                                                           << "2"
                                                           << "0-1";
    QTest::newRow("a 0 at 0 moves no finish") << true << "40 10 0 u"
                                              << "1"
                                              << "1-0";
    QTest::newRow("rule switched off for the finishing turn") << true << "10 10 o 50"
                                                              << "1"
                                                              << "1-0";
    QTest::newRow("rule switched on: an overshoot counts 0") << false << "10 10 e 50 30"
                                                             << "2"
                                                             << "0-1";
}

// Who checked out first in the game, and the legs once a new game leaves it.
void tst_Legs::legWinner()
{
    QFETCH(bool, exact);
    QFETCH(QString, steps);
    QFETCH(QString, winnerBeforeNewGame);
    QFETCH(QString, legs);
    GameOnTable game(40);
    play(game, steps, exact);
    QCOMPARE(winnerText(game.match.legs().legWinner()), winnerBeforeNewGame);
    QCOMPARE(tally(game.match.legs()), QStringLiteral("0-0"));
    game.match.newGame();
    QCOMPARE(tally(game.match.legs()), legs);
    QCOMPARE(winnerText(game.match.legs().legWinner()), QStringLiteral("-"));
}

void tst_Legs::firstToN_data()
{
    QTest::addColumn<int>("firstTo");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("legs");
    QTest::addColumn<QString>("matchWinner");

    // Start score 40; the starter alternates, player 2 starting every second game.
    QTest::newRow("no limit") << 0 << "40 n 10 40 n 40 n"
                              << "3-0"
                              << "-";
    QTest::newRow("one all, first to two") << 2 << "40 n 40 n"
                                           << "1-1"
                                           << "-";
    QTest::newRow("two nil wins first to two") << 2 << "40 n 10 40 n"
                                               << "2-0"
                                               << "1";
    QTest::newRow("player 2 wins first to one") << 1 << "10 40 n"
                                                << "0-1"
                                                << "2";
    QTest::newRow("the next new game opens a new match") << 1 << "40 n n"
                                                         << "0-0"
                                                         << "-";
    QTest::newRow("the leg after the decision opens the next match") << 1 << "40 n 10 40 n"
                                                                     << "1-0"
                                                                     << "1";
    QTest::newRow("a leg with no finish after the decision") << 2 << "40 n 10 40 n 10 n"
                                                             << "0-0"
                                                             << "-";
}

// The match is won by the first player to reach the limit; the game after that decision is the
// first leg of the next match.
void tst_Legs::firstToN()
{
    QFETCH(int, firstTo);
    QFETCH(QString, steps);
    QFETCH(QString, legs);
    QFETCH(QString, matchWinner);
    GameOnTable game(40);
    game.match.legs().setFirstTo(firstTo);
    play(game, steps, true);
    QCOMPARE(tally(game.match.legs()), legs);
    QCOMPARE(winnerText(game.match.legs().matchWinner()), matchWinner);
}

// The operator's corrections replace a player's legs; they count towards the limit like any leg,
// and a count below 0 is 0.
void tst_Legs::corrections()
{
    GameOnTable game(40);
    Legs &legs = game.match.legs();
    legs.setFirstTo(3);
    play(game, QStringLiteral("40 n"), true);
    legs.setLegsWon(false, 2);
    QCOMPARE(tally(legs), QStringLiteral("1-2"));
    QVERIFY(!legs.matchWinner());
    legs.setLegsWon(true, 3);
    QCOMPARE(winnerText(legs.matchWinner()), QStringLiteral("1"));
    legs.setLegsWon(true, -4);
    QCOMPARE(tally(legs), QStringLiteral("0-2"));
    QVERIFY(!legs.matchWinner());
    legs.setFirstTo(-1);
    QCOMPARE(legs.firstTo(), 0);
    legs.setFirstTo(2);
    QCOMPARE(winnerText(legs.matchWinner()), QStringLiteral("2"));
}

// Figures worked out by hand: legs, average, 100+, 140+, 180s, highest checkout.
void tst_Legs::matchFigures()
{
    GameOnTable game(301);
    // Leg 1, player 1 starts: 180 100 | 140 21 (checks out with 21: 301 - 180 - 100).
    play(game, QStringLiteral("180 140 100 60 21"), true);
    QCOMPARE(LegsModel::figuresOf(game.match.legs().figures(true)), QStringLiteral("0 100 1 0 1 -"));
    game.match.newGame();
    QCOMPARE(LegsModel::figuresOf(game.match.legs().figures(true)), QStringLiteral("1 100 1 0 1 21"));
    QCOMPARE(LegsModel::figuresOf(game.match.legs().figures(false)), QStringLiteral("0 100 0 1 0 -"));
    // Leg 2, player 2 starts and checks out 301 in 180 121 (two turns, 121 a ton); player 1
    // throws 60 once.
    play(game, QStringLiteral("180 60 121"), true);
    game.match.newGame();
    QCOMPARE(LegsModel::figuresOf(game.match.legs().figures(false)), QStringLiteral("1 125 1 1 1 121"));
    // The first leg's 21 stays player 1's best checkout; the average counts every turn: 361 / 4.
    QCOMPARE(LegsModel::figuresOf(game.match.legs().figures(true)), QStringLiteral("1 90 1 0 1 21"));
}

// A long seeded match of many legs, against the plain model after every step.
void tst_Legs::randomMatchAgainstModel()
{
    std::mt19937 random(24);
    std::discrete_distribution<int> kind({70, 12, 6, 2, 1, 1});
    std::uniform_int_distribution<qint32> score(0, 60);
    std::uniform_int_distribution<int> small(0, 4);
    GameOnTable game(101);
    LegsModel model(101);
    bool exact = true;
    for (int step = 0; step < 20000; ++step) {
        switch (kind(random)) {
        case 0: {
            const qint32 s = score(random) * (small(random) == 0 ? 3 : 1);
            if (!Match::isPossibleTurn(s))
                continue;
            QVERIFY(game.match.enterScore(s, exact) != EntryOutcome::Refused);
            model.enter(s, exact);
            break;
        }
        case 1:
            game.match.takeBack();
            model.undo();
            break;
        case 2:
            game.match.newGame();
            model.newGame();
            break;
        case 3:
            exact = !exact;
            break;
        case 4: {
            const int limit = small(random);
            game.match.legs().setFirstTo(limit);
            model.firstTo = limit;
            break;
        }
        default: {
            const bool player1 = small(random) % 2 == 0;
            const int legs = small(random);
            game.match.legs().setLegsWon(player1, legs);
            model.correct(player1, legs);
        }
        }
        const Legs &legs = game.match.legs();
        QCOMPARE(tally(legs), QStringLiteral("%1-%2").arg(model.legsWon(true)).arg(model.legsWon(false)));
        QCOMPARE(winnerText(legs.matchWinner()), winnerText(model.matchWinner()));
        for (const bool player1 : {true, false})
            QCOMPARE(LegsModel::figuresOf(legs.figures(player1)), model.figures(player1));
    }
}

namespace {

// "L3 S2 K M": legs 3, sets 2, two clear legs, all legs.
MatchFormat formatOf(const QString &text)
{
    MatchFormat format;
    for (const QString &part : text.split(u' ', Qt::SkipEmptyParts)) {
        if (part.startsWith(u'L'))
            format.legs = part.mid(1).toInt();
        else if (part.startsWith(u'S'))
            format.sets = part.mid(1).toInt();
        else if (part == u'K')
            format.twoClearLegs = true;
        else if (part == u'M')
            format.allLegs = true;
    }
    return format;
}

// Each leg's winner as one character, from 40: 1 or 2 checks out with 40 (after a 0 of the other
// player when that one is to throw), - leaves the leg with nobody checked out. A new game follows
// every leg. The starter of each game, the first included, as 1 or 2.
QString playLegs(GameOnTable &game, const QString &legs)
{
    QString starters;
    const auto starter = [&game] { return game.match.Player1Starts ? u'1' : u'2'; };
    starters += starter();
    for (const QChar leg : legs) {
        if (leg == u'1' || leg == u'2') {
            if (game.match.Player1ToThrow != (leg == u'1'))
                game.match.enterScore(0, true);
            game.match.enterScore(40, true);
        } else {
            game.match.enterScore(10, true);
        }
        game.match.newGame();
        starters += starter();
    }
    return starters;
}

} // namespace

void tst_Legs::formats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("bullOff"); // the player who won it, 0 for none: player 1 starts as ever
    QTest::addColumn<QString>("legs");
    QTest::addColumn<QString>("starters");
    QTest::addColumn<QString>("standing"); // sets, legs, then the winner: 1, 2, draw or -

    // First to N legs, no sets: the starter alternates.
    QTest::newRow("first to 3") << u"L3"_s << 0 << u"121"_s << u"1212"_s << u"0-0 2-1 -"_s;
    QTest::newRow("first to 3 won") << u"L3"_s << 0 << u"1211"_s << u"12121"_s << u"0-0 3-1 1"_s;
    QTest::newRow("no limit: sets do nothing") << u"L0 S2"_s << 0 << u"1111"_s << u"12121"_s << u"0-0 4-0 -"_s;
    QTest::newRow("a leg nobody finished counts for nobody") << u"L2"_s << 0 << u"1-2"_s << u"1212"_s << u"0-0 1-1 -"_s;

    // Sets: the bull-off winner starts the odd legs of odd sets and the even legs of even sets.
    QTest::newRow("sets: the first set") << u"L2 S2"_s << 0 << u"11"_s << u"122"_s << u"1-0 0-0 -"_s;
    QTest::newRow("sets: a set each, the decider won")
        << u"L2 S2"_s << 0 << u"1122121"_s << u"12211212"_s << u"2-1 2-1 1"_s;
    QTest::newRow("sets: player 2 won the bull-off")
        << u"L2 S2"_s << 2 << u"1122121"_s << u"21122121"_s << u"2-1 2-1 1"_s;
    QTest::newRow("sets: a leg nobody finished is played again by its starter")
        << u"L2 S2"_s << 0 << u"1-1"_s << u"1222"_s << u"1-0 0-0 -"_s;
    QTest::newRow("sets of one leg") << u"L1 S3"_s << 0 << u"122"_s << u"1212"_s << u"1-2 0-0 -"_s;
    QTest::newRow("the leg after a decided match opens the next, its starter alternating")
        << u"L1 S2"_s << 0 << u"112"_s << u"1212"_s << u"0-1 0-0 -"_s;
    QTest::newRow("the next match's sets follow its first starter")
        << u"L1 S2"_s << 0 << u"1121"_s << u"12121"_s << u"1-1 0-0 -"_s;

    // Two clear legs: in the deciding set only; at legs + 2 each a sudden-death leg.
    QTest::newRow("two clear: 3-2 is not enough") << u"L3 S1 K"_s << 0 << u"12121"_s << u"121212"_s << u"0-0 3-2 -"_s;
    QTest::newRow("two clear: 4-2 wins") << u"L3 S1 K"_s << 0 << u"121211"_s << u"1212121"_s << u"1-0 4-2 1"_s;
    QTest::newRow("two clear: 5-5, then sudden death")
        << u"L3 S1 K"_s << 0 << u"1212121212"_s << u"12121212121"_s << u"0-0 5-5 -"_s;
    QTest::newRow("two clear: the sudden-death leg wins")
        << u"L3 S1 K"_s << 0 << u"12121212122"_s << u"121212121212"_s << u"0-1 5-6 2"_s;
    QTest::newRow("two clear: not in the sets before the decider")
        << u"L2 S2 K"_s << 0 << u"12122"_s << u"121211"_s << u"1-1 0-0 -"_s;
    QTest::newRow("two clear: the deciding set")
        << u"L2 S2 K"_s << 0 << u"121221211"_s << u"1212112121"_s << u"2-1 3-1 1"_s;
    QTest::newRow("two clear without sets: sudden death at legs + 2")
        << u"L2 K"_s << 0 << u"121212121"_s << u"1212121212"_s << u"0-0 5-4 1"_s;

    // All legs played: one point each, a draw possible; sets and two clear legs do not apply.
    QTest::newRow("all legs: a draw") << u"L4 M"_s << 0 << u"1122"_s << u"12121"_s << u"0-0 2-2 draw"_s;
    QTest::newRow("all legs: won") << u"L4 M"_s << 0 << u"1121"_s << u"12121"_s << u"0-0 3-1 1"_s;
    QTest::newRow("all legs: not decided before the last") << u"L4 M"_s << 0 << u"111"_s << u"1212"_s << u"0-0 3-0 -"_s;
    QTest::newRow("all legs: a leg nobody finished is no point")
        << u"L4 M"_s << 0 << u"11-22"_s << u"121212"_s << u"0-0 2-2 draw"_s;
    QTest::newRow("all legs with sets and two clear")
        << u"L4 S2 K M"_s << 0 << u"1122"_s << u"12121"_s << u"0-0 2-2 draw"_s;
    QTest::newRow("all legs: the next match after a draw") << u"L2 M"_s << 0 << u"122"_s << u"1212"_s << u"0-0 0-1 -"_s;
}

// Each format from its legs: sets and legs, the winner or the draw, and who started every leg.
void tst_Legs::formats()
{
    QFETCH(QString, format);
    QFETCH(int, bullOff);
    QFETCH(QString, legs);

    GameOnTable game(40);
    game.match.legs().setFormat(formatOf(format));
    if (bullOff != 0)
        game.match.newMatch(bullOff == 1);
    const QString starters = playLegs(game, legs);
    QTEST(starters, "starters");
    const Legs &l = game.match.legs();
    const QString winner = l.matchDrawn() ? u"draw"_s : winnerText(l.matchWinner());
    QTEST(QStringLiteral("%1-%2 %3-%4 %5")
              .arg(l.setsWon(true))
              .arg(l.setsWon(false))
              .arg(l.legsWon(true))
              .arg(l.legsWon(false))
              .arg(winner),
        "standing");
    QCOMPARE(l.matchDecided(), winner != u'-');
    QCOMPARE(l.figures(true).sets, l.setsWon(true));
}

// The match's figures run over every set of the match and start again with the next match.
void tst_Legs::figuresOverSets()
{
    GameOnTable game(40);
    game.match.legs().setFormat({1, 2, false, false});
    // Set 1 to player 1 (40 in one turn), set 2 to player 1 (0, then 40): the match, its last
    // set's legs shown as they ended.
    play(game, QStringLiteral("40 n 0 40 n"), true);
    QCOMPARE(LegsModel::figuresOf(game.match.legs().figures(true)), QStringLiteral("1 40 0 0 0 40"));
    QCOMPARE(game.match.legs().figures(true).sets, 2);
    QCOMPARE(game.match.legs().figures(false).totals.turns, 1);
    // The next match's first leg, player 1 to start: player 2 checks out; the figures are the new
    // match's alone.
    play(game, QStringLiteral("0 40 n"), true);
    QCOMPARE(LegsModel::figuresOf(game.match.legs().figures(false)), QStringLiteral("0 40 0 0 0 40"));
    QCOMPARE(LegsModel::figuresOf(game.match.legs().figures(true)), QStringLiteral("0 0 0 0 0 -"));
    QCOMPARE(game.match.legs().figures(false).sets, 1);
}

QTEST_GUILESS_MAIN(tst_Legs)
#include "tst_Legs.moc"
