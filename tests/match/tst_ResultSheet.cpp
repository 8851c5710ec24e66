// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The result sheet's figures, recorded from the match's reports, held against figures worked out
// by hand and against a recount of the rows the rules give.
#include <random>

#include <QTest>

#include "match/ResultSheet.h"
#include "tests/support/GameOnTable.h"
#include "tests/support/MatchModel.h"

using namespace Qt::StringLiterals;

namespace {

QString figure(std::optional<qint64> value)
{
    return value ? QString::number(*value) : QStringLiteral("-");
}

QString playerText(bool player1)
{
    return player1 ? QStringLiteral("1") : QStringLiteral("2");
}

// Legs won, average, first nine, 100+, 140+, 180s and checkout.
QString figuresText(const SheetFigures &f, bool withLegs)
{
    QStringList parts;
    if (withLegs)
        parts << QString::number(f.legs);
    parts << figure(f.average()) << figure(f.firstNineAverage()) << QString::number(f.totals.tons)
          << QString::number(f.totals.tonForties) << QString::number(f.totals.maximums) << figure(f.checkout);
    return parts.join(u' ');
}

// "match.leg starter winner darts | player 1's figures | player 2's".
QString legText(int match, const SheetLeg &leg)
{
    return QStringLiteral("%1.%2 %3 %4 %5 | %6 | %7")
        .arg(match)
        .arg(leg.number)
        .arg(playerText(leg.player1Started), leg.winner ? playerText(*leg.winner) : QStringLiteral("-"),
            figure(leg.darts), figuresText(leg.player(true), false), figuresText(leg.player(false), false));
}

QStringList sheetText(const ResultSheet &sheet, int match)
{
    QStringList lines;
    for (const SheetLeg &leg : sheet.legs())
        lines << legText(match, leg);
    lines << figuresText(sheet.totals(true), true) + QStringLiteral(" | ") + figuresText(sheet.totals(false), true);
    return lines;
}

QString scoresText(const std::vector<qint32> &scores)
{
    QStringList parts;
    for (const qint32 score : scores)
        parts << QString::number(score);
    return parts.join(u' ');
}

// Plays the steps (GameOnTable::play), each of which must do as it says.
void play(GameOnTable &game, const QString &steps)
{
    const QString failed = game.play(steps);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
}

// num / n rounded to the nearest integer, an exact half to the even one; n > 0, num >= 0.
qint64 roundedMean(qint64 num, qint64 n)
{
    const qint64 q = num / n;
    const qint64 r = num % n;
    return 2 * r > n || (2 * r == n && q % 2 != 0) ? q + 1 : q;
}

// The sheet's lines recounted from the rows the rules leave at each new game.
class SheetModel
{
public:
    explicit SheetModel(int firstTo)
        : m_firstTo(firstTo)
    { }

    // The game on the model is left: its rows become a leg.
    void leave(const MatchModel &game)
    {
        if (m_decided) {
            ++m_match;
            m_number = 0;
            m_won = {};
            m_decided = false;
        }
        if (game.rows.empty())
            return;
        struct Half
        {
            bool player1;
            int base;
        };
        const Half first {game.player1Starts, game.player1Starts ? 1 : 4};
        const Half second {!game.player1Starts, game.player1Starts ? 4 : 1};
        std::optional<bool> winner;
        std::optional<qint32> checkout;
        std::array<QList<qint32>, 2> turns;
        for (const TurnRow &row : game.rows) {
            for (const Half &half : {first, second}) {
                if (!row[half.base])
                    continue;
                turns[half.player1 ? 0 : 1] << *row[half.base];
                if (!winner && *row[half.base + 1] <= 0) {
                    winner = half.player1;
                    checkout = *row[half.base];
                }
            }
        }
        QStringList halves;
        for (const bool player1 : {true, false}) {
            const QList<qint32> &list = turns[player1 ? 0 : 1];
            qint64 sum = 0, nine = 0;
            int tons = 0, tonForties = 0, maximums = 0;
            for (qsizetype i = 0; i < list.size(); ++i) {
                sum += list[i];
                nine += i < 3 ? list[i] : 0;
                tons += list[i] >= 100 && list[i] < 140;
                tonForties += list[i] >= 140 && list[i] < 180;
                maximums += list[i] == 180;
            }
            const bool any = !list.isEmpty();
            const qint64 nineCount = std::min<qint64>(3, list.size());
            halves << QStringList {figure(any ? std::optional(roundedMean(sum, list.size())) : std::nullopt),
                figure(any ? std::optional(roundedMean(nine, nineCount)) : std::nullopt), QString::number(tons),
                QString::number(tonForties), QString::number(maximums),
                figure(winner == player1 ? std::optional<qint64>(*checkout) : std::nullopt)}
                          .join(u' ');
        }
        lines << QStringLiteral("%1.%2 %3 %4 - | %5 | %6")
                     .arg(m_match)
                     .arg(++m_number)
                     .arg(playerText(game.player1Starts), winner ? playerText(*winner) : QStringLiteral("-"), halves[0],
                         halves[1]);
        if (winner && m_firstTo > 0 && ++m_won[*winner ? 0 : 1] >= m_firstTo)
            m_decided = true;
    }

    int match() const { return m_match; }

    QStringList lines; // every leg of the night

private:
    const int m_firstTo;
    int m_match = 1;
    int m_number = 0;
    std::array<int, 2> m_won {};
    bool m_decided = false;
};

} // namespace

class tst_ResultSheet : public QObject
{
    Q_OBJECT

private slots:
    void sheet_data();
    void sheet();
    void legInPlay_data();
    void legInPlay();
    void legInPlayTurns();
    void randomNightAgainstModel_data();
    void randomNightAgainstModel();
};

void tst_ResultSheet::sheet_data()
{
    QTest::addColumn<int>("firstTo");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("chart");

    // Start score 301. A line: match.leg, starter, winner, darts; then each player's average,
    // first nine, 100+, 140+, 180s and checkout; the last line the totals, legs won first. The
    // chart is the last leg's remaining scores, player 1's then player 2's.
    QTest::newRow("the starter checks out, darts given")
        << 0 << "180 100 60 140 61 d2 n"
        << QStringList {u"1.1 1 1 8 | 100 100 0 0 1 61 | 120 120 1 1 0 -"_s,
               u"1 100 100 0 0 1 61 | 0 120 120 1 1 0 -"_s}
        << "301 121 61 0 | 301 201 61";
    QTest::newRow("darts that cannot have made the checkout are refused")
        << 0 << "180 100 60 140 61 !d1 !s1 d3 n"
        << QStringList {u"1.1 1 1 9 | 100 100 0 0 1 61 | 120 120 1 1 0 -"_s,
               u"1 100 100 0 0 1 61 | 0 120 120 1 1 0 -"_s}
        << "301 121 61 0 | 301 201 61";
    QTest::newRow("nobody checked out: no winner, no darts")
        << 0 << "100 100 !d3 n"
        << QStringList {u"1.1 1 - - | 100 100 1 0 0 - | 100 100 1 0 0 -"_s, u"0 100 100 1 0 0 - | 0 100 100 1 0 0 -"_s}
        << "301 201 | 301 201";
    QTest::newRow("the finish taken back takes its darts along")
        << 0 << "180 100 60 140 61 d2 u 0 61 n"
        << QStringList {u"1.1 1 2 - | 80 80 0 0 1 - | 100 100 1 1 0 61"_s, u"0 80 80 0 0 1 - | 1 100 100 1 1 0 61"_s}
        << "301 121 61 61 | 301 201 61 0";
    QTest::newRow("a turn after the checkout counts in the figures, not in the darts")
        << 0 << "180 100 81 140 40 d1 20 n"
        << QStringList {u"1.1 1 1 7 | 100 100 0 0 1 40 | 87 87 1 1 0 -"_s, u"1 100 100 0 0 1 40 | 0 87 87 1 1 0 -"_s}
        << "301 121 40 0 | 301 201 61 41";
    QTest::newRow("exact checkout on: a turn over the rest counts 0")
        << 0 << "180 100 60 140 100 n"
        << QStringList {u"1.1 1 - - | 80 80 0 0 1 - | 120 120 1 1 0 -"_s, u"0 80 80 0 0 1 - | 0 120 120 1 1 0 -"_s}
        << "301 121 61 61 | 301 201 61";
    QTest::newRow("exact checkout off: below 0 checks out, straight out darts")
        << 0 << "o 180 100 100 140 60 !d1 s1 n"
        << QStringList {u"1.1 1 1 7 | 113 113 1 0 1 60 | 120 120 1 1 0 -"_s,
               u"1 113 113 1 0 1 60 | 0 120 120 1 1 0 -"_s}
        << "301 121 21 -39 | 301 201 61";
    QTest::newRow("first nine over the first three turns only")
        << 0 << "100 0 100 0 100 0 1 !d1 s1 0 n"
        << QStringList {u"1.1 1 1 10 | 75 100 3 0 0 1 | 0 0 0 0 0 -"_s, u"1 75 100 3 0 0 1 | 0 0 0 0 0 0 -"_s}
        << "301 201 101 1 0 | 301 301 301 301 301";
    QTest::newRow("two legs: halves go to the even figure, the totals over every turn")
        << 0 << "100 0 25 0 n 0 100 0 35 n"
        << QStringList {u"1.1 1 - - | 62 62 1 0 0 - | 0 0 0 0 0 -"_s, u"1.2 2 - - | 68 68 1 0 0 - | 0 0 0 0 0 -"_s,
               u"0 65 65 2 0 0 - | 0 0 0 0 0 0 -"_s}
        << "301 201 166 | 301 301 301";
    QTest::newRow("totals' first nine over each leg's first three turns")
        << 0 << "100 0 100 0 100 0 1 0 n 45 41 45 n"
        << QStringList {u"1.1 1 1 - | 75 100 3 0 0 1 | 0 0 0 0 0 -"_s, u"1.2 2 - - | 41 41 0 0 0 - | 45 45 0 0 0 -"_s,
               u"1 68 85 3 0 0 1 | 0 15 18 0 0 0 -"_s}
        << "301 260 | 301 256 211";
    QTest::newRow("empty games are no legs, the numbers run on")
        << 0 << "180 100 60 140 61 n n n 60 n"
        << QStringList {u"1.1 1 1 - | 100 100 0 0 1 61 | 120 120 1 1 0 -"_s,
               u"1.2 2 - - | - - 0 0 0 - | 60 60 0 0 0 -"_s, u"1 100 100 0 0 1 61 | 0 100 100 1 1 0 -"_s}
        << "301 | 301 241";
    QTest::newRow("a decided match: the next leg opens the next match")
        << 1 << "180 100 60 140 61 n 60 n"
        << QStringList {u"2.1 2 - - | - - 0 0 0 - | 60 60 0 0 0 -"_s, u"0 - - 0 0 0 - | 0 60 60 0 0 0 -"_s}
        << "301 | 301 241";
    QTest::newRow("an empty game after the decision opens the next match")
        << 1 << "180 100 60 140 61 n n 60 n"
        << QStringList {u"2.1 1 - - | 60 60 0 0 0 - | - - 0 0 0 -"_s, u"0 60 60 0 0 0 - | 0 - - 0 0 0 -"_s}
        << "301 241 | 301";
    QTest::newRow("the previous game brought back is in play again, not filed twice")
        << 0 << "180 100 60 140 61 n p n"
        << QStringList {u"1.1 1 1 - | 100 100 0 0 1 61 | 120 120 1 1 0 -"_s,
               u"1 100 100 0 0 1 61 | 0 120 120 1 1 0 -"_s}
        << "301 121 61 0 | 301 201 61";
    QTest::newRow("the deciding leg brought back: its match is open again")
        << 1 << "180 100 60 140 61 n p n 60 n"
        << QStringList {u"2.1 2 - - | - - 0 0 0 - | 60 60 0 0 0 -"_s, u"0 - - 0 0 0 - | 0 60 60 0 0 0 -"_s}
        << "301 | 301 241";
    QTest::newRow("a new match files the leg in play with its match and cannot be taken back")
        << 0 << "100 60 m p 45 n"
        << QStringList {u"2.1 1 - - | 45 45 0 0 0 - | - - 0 0 0 -"_s, u"0 45 45 0 0 0 - | 0 - - 0 0 0 -"_s}
        << "301 256 | 301";
    QTest::newRow("an undecided match goes on")
        << 2 << "180 100 60 140 61 n 100 60 100 n"
        << QStringList {u"1.1 1 1 - | 100 100 0 0 1 61 | 120 120 1 1 0 -"_s,
               u"1.2 2 - - | 60 60 0 0 0 - | 100 100 2 0 0 -"_s, u"1 90 90 0 0 1 61 | 0 110 110 3 1 0 -"_s}
        << "301 241 | 301 201 101";
}

// The sheet of the last match as the match's reports leave it, and the chart of its last leg.
void tst_ResultSheet::sheet()
{
    QFETCH(int, firstTo);
    QFETCH(QString, steps);
    QFETCH(QStringList, lines);
    QFETCH(QString, chart);
    GameOnTable game(301);
    game.match.legs().setFirstTo(firstTo);
    play(game, steps);
    const bool decided = game.match.legs().matchDecided();
    const int match = ResultSheet::lastMatch(game.match.record(), decided);
    const ResultSheet sheet(game.match.record(), match, decided);
    QCOMPARE(sheetText(sheet, match), lines);
    const qsizetype last = qsizetype(sheet.legs().size()) - 1;
    QCOMPARE(scoresText(sheet.remainingScores(last, true)) + QStringLiteral(" | ")
            + scoresText(sheet.remainingScores(last, false)),
        chart);
}

void tst_ResultSheet::legInPlay_data()
{
    QTest::addColumn<int>("firstTo");
    QTest::addColumn<bool>("allLegs");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("chart");

    // As for sheet(), without the last new game: the leg in play stands last on its match's sheet.
    QTest::newRow("after the legs left, numbered next")
        << 0 << false << "180 100 60 140 61 n 60 45"
        << QStringList {u"1.1 1 1 - | 100 100 0 0 1 61 | 120 120 1 1 0 -"_s,
               u"1.2 2 - - | 45 45 0 0 0 - | 60 60 0 0 0 -"_s, u"1 86 86 0 0 1 61 | 0 100 100 1 1 0 -"_s}
        << "301 256 | 301 241";
    QTest::newRow("the deciding leg checked out, before the new game")
        << 1 << false << "180 100 60 140 61 d2"
        << QStringList {u"1.1 1 1 8 | 100 100 0 0 1 61 | 120 120 1 1 0 -"_s,
               u"1 100 100 0 0 1 61 | 0 120 120 1 1 0 -"_s}
        << "301 121 61 0 | 301 201 61";
    QTest::newRow("after the decision it opens the next match")
        << 1 << false << "180 100 60 140 61 n 60"
        << QStringList {u"2.1 2 - - | - - 0 0 0 - | 60 60 0 0 0 -"_s, u"0 - - 0 0 0 - | 0 60 60 0 0 0 -"_s}
        << "301 | 301 241";
    QTest::newRow("after a draw it opens the next match")
        << 2 << true << "180 100 60 140 61 n 180 100 60 140 61 n 60"
        << QStringList {u"2.1 1 - - | 60 60 0 0 0 - | - - 0 0 0 -"_s, u"0 60 60 0 0 0 - | 0 - - 0 0 0 -"_s}
        << "301 241 | 301";
    QTest::newRow("after a draw the next leg is filed with the next match")
        << 2 << true << "180 100 60 140 61 n 180 100 60 140 61 n 60 n"
        << QStringList {u"2.1 1 - - | 60 60 0 0 0 - | - - 0 0 0 -"_s, u"0 60 60 0 0 0 - | 0 - - 0 0 0 -"_s}
        << "301 241 | 301";
    QTest::newRow("after a new match it opens that match")
        << 0 << false << "100 60 m 45"
        << QStringList {u"2.1 1 - - | 45 45 0 0 0 - | - - 0 0 0 -"_s, u"0 45 45 0 0 0 - | 0 - - 0 0 0 -"_s}
        << "301 256 | 301";
    QTest::newRow("the deciding leg brought back is in play in its match again")
        << 1 << false << "180 100 60 140 61 n p"
        << QStringList {u"1.1 1 1 - | 100 100 0 0 1 61 | 120 120 1 1 0 -"_s,
               u"1 100 100 0 0 1 61 | 0 120 120 1 1 0 -"_s}
        << "301 121 61 0 | 301 201 61";
    QTest::newRow("every turn taken back: no leg in play")
        << 0 << false << "100 60 u u" << QStringList {u"0 - - 0 0 0 - | 0 - - 0 0 0 -"_s} << "";
}

// The leg in play is on its match's sheet from its first turn, numbered and figured as the next new
// game files it.
void tst_ResultSheet::legInPlay()
{
    QFETCH(int, firstTo);
    QFETCH(bool, allLegs);
    QFETCH(QString, steps);
    QFETCH(QStringList, lines);
    QFETCH(QString, chart);
    GameOnTable game(301);
    game.match.legs().setFormat({firstTo, 0, false, allLegs});
    play(game, steps);
    const bool decided = game.match.legs().matchDecided();
    const int match = ResultSheet::lastMatch(game.match.record(), decided);
    const ResultSheet sheet(game.match.record(), match, decided);
    QCOMPARE(sheetText(sheet, match), lines);
    const qsizetype last = qsizetype(sheet.legs().size()) - 1;
    QCOMPARE(last < 0 ? QString()
                      : scoresText(sheet.remainingScores(last, true)) + QStringLiteral(" | ")
                + scoresText(sheet.remainingScores(last, false)),
        chart);
}

// The leg in play is followed turn by turn; nothing is recorded before the first turn.
void tst_ResultSheet::legInPlayTurns()
{
    GameOnTable game(301);
    const ResultRecord &record = game.match.record();
    QCOMPARE(ResultSheet::lastMatch(record, false), 0);
    QVERIFY(RemainingScores(record.currentLeg(), true).empty());
    play(game, QStringLiteral("100 60 u 45 41 u 40"));
    QCOMPARE(scoresText(RemainingScores(record.currentLeg(), true)), QStringLiteral("301 201 161"));
    QCOMPARE(scoresText(RemainingScores(record.currentLeg(), false)), QStringLiteral("301 256"));
    QVERIFY(record.legs().empty());
    QCOMPARE(ResultSheet::lastMatch(record, false), 1);
    QCOMPARE(ResultSheet(record, 1, false).legs().size(), 1u);
    QVERIFY(ResultSheet(record, 1, true).legs().empty());
    QVERIFY(!game.match.record().setCheckoutDarts(3, FinishRule::StraightOut));
}

void tst_ResultSheet::randomNightAgainstModel_data()
{
    QTest::addColumn<bool>("exact");
    QTest::addColumn<int>("firstTo");
    QTest::newRow("exact checkout, no limit") << true << 0;
    QTest::newRow("exact checkout, first to two") << true << 2;
    QTest::newRow("below 0 checks out, first to three") << false << 3;
}

// A long seeded night of entries, undo and new games: each leg stands on its match's sheet as a
// recount of the rows the rules leave gives it, as it is filed and at the end of the night.
void tst_ResultSheet::randomNightAgainstModel()
{
    QFETCH(bool, exact);
    QFETCH(int, firstTo);
    std::mt19937 random(37);
    std::discrete_distribution<int> kind({80, 12, 8});
    std::uniform_int_distribution<qint32> score(0, 60);
    std::uniform_int_distribution<int> small(0, 4);
    GameOnTable game(121);
    game.match.legs().setFirstTo(firstTo);
    MatchModel model(121, exact);
    SheetModel sheets(firstTo);
    int newGames = 0;
    for (int step = 0; step < 6000; ++step) {
        switch (kind(random)) {
        case 0: {
            const qint32 s = score(random) * (small(random) == 0 ? 3 : 1);
            if (!Match::isPossibleTurn(s))
                continue;
            QVERIFY(game.match.enterScore(s, exact) != EntryOutcome::Refused);
            model.enterScore(s);
            break;
        }
        case 1:
            game.match.takeBack();
            model.undo();
            break;
        default: {
            // The leg in play as its sheet shows it, before the new game files it.
            const ResultRecord &record = game.match.record();
            const bool decided = game.match.legs().matchDecided();
            const int playing = ResultSheet::lastMatch(record, decided);
            const ResultSheet before(record, playing, decided);
            const QString inPlay = record.currentLeg().isEmpty() ? QString() : legText(playing, before.legs().back());
            game.match.newGame();
            sheets.leave(model);
            model.newGame();
            ++newGames;
            // The leg just filed stands last on the last match's sheet, as it stood in play.
            const int match = ResultSheet::lastMatch(record, game.match.legs().matchDecided());
            const ResultSheet sheet(record, match, game.match.legs().matchDecided());
            QCOMPARE(sheet.legs().empty() ? QString() : legText(match, sheet.legs().back()),
                sheets.lines.isEmpty() ? QString() : sheets.lines.constLast());
            if (!inPlay.isEmpty())
                QCOMPARE(inPlay, sheets.lines.constLast());
        }
        }
    }
    // The last leg filed too.
    game.match.newGame();
    sheets.leave(model);
    // Every leg of the night on its match's sheet, in order.
    QStringList recorded;
    const bool decided = game.match.legs().matchDecided();
    for (int match = 1; match <= ResultSheet::lastMatch(game.match.record(), decided); ++match) {
        const ResultSheet sheet(game.match.record(), match, decided);
        for (const SheetLeg &leg : sheet.legs()) {
            // The darts are never given here.
            QVERIFY(!leg.darts);
            recorded << legText(match, leg);
        }
    }
    QCOMPARE(recorded, sheets.lines);
    QVERIFY(newGames > 100);
    QVERIFY(sheets.match() > 1 || firstTo == 0);
}

QTEST_GUILESS_MAIN(tst_ResultSheet)
#include "tst_ResultSheet.moc"
