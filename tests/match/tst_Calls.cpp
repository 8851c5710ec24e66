// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// What the caller says, in Hungarian and English: numbers in words, and the call after each
// entry and new game of a match played on the turn table.
#include <limits>

#include <QRegularExpression>
#include <QTest>

#include "match/Calls.h"
#include "tests/support/GameOnTable.h"

using namespace Qt::StringLiterals;

class tst_Calls : public QObject
{
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void hungarianSpelling();
    void ordinals_data();
    void ordinals();
    void calls_data();
    void calls();
    void wordsOnly();
};

namespace {

// Plays the steps and returns the call after the last one, which is an entry or a new game.
// Steps: a number records it as the thrower's turn, u takes the last entry back, n starts a new
// game, e and o switch exact checkout on and off
// for what follows, d switches double out on, fN sets "first to N legs", sN "first to N sets", m
// plays all legs.
QString callAfter(GameOnTable &game, const QStringList &steps, const PlayerNames &names, CallLanguage language)
{
    bool exact = true;
    bool doubleOut = false;
    QString call;
    for (const QString &step : steps) {
        call.clear();
        MatchFormat format = game.match.legs().format();
        if (step == u'u') {
            game.match.takeBack();
        } else if (step == u'n') {
            game.match.newGame();
            call = callAfterNewLeg(game.match, exact, names, language);
        } else if (step == u'e' || step == u'o') {
            exact = step == u'e';
        } else if (step == u'd') {
            doubleOut = true;
        } else if (step.startsWith(u'f')) {
            game.match.legs().setFirstTo(step.mid(1).toInt());
        } else if (step.startsWith(u's')) {
            format.sets = step.mid(1).toInt();
            game.match.legs().setFormat(format);
        } else if (step == u'm') {
            format.allLegs = true;
            game.match.legs().setFormat(format);
        } else {
            const EntryOutcome outcome = game.match.enterScore(step.toInt(), exact, doubleOut);
            if (outcome == EntryOutcome::Refused)
                return u"refused "_s + step;
            const qint32 recorded = outcome == EntryOutcome::RecordedAsZero ? 0 : step.toInt();
            call = callAfterEntry(game.match, recorded, exact, names, language);
        }
    }
    return call;
}

} // namespace

void tst_Calls::numbers_data()
{
    QTest::addColumn<qint64>("number");
    QTest::addColumn<QString>("hungarian");
    QTest::addColumn<QString>("english");

    QTest::newRow("0") << qint64(0) << u"nulla"_s << u"zero"_s;
    QTest::newRow("1") << qint64(1) << u"egy"_s << u"one"_s;
    QTest::newRow("2 alone") << qint64(2) << u"kettő"_s << u"two"_s;
    QTest::newRow("10") << qint64(10) << u"tíz"_s << u"ten"_s;
    QTest::newRow("11") << qint64(11) << u"tizenegy"_s << u"eleven"_s;
    QTest::newRow("12") << qint64(12) << u"tizenkettő"_s << u"twelve"_s;
    QTest::newRow("19") << qint64(19) << u"tizenkilenc"_s << u"nineteen"_s;
    QTest::newRow("20") << qint64(20) << u"húsz"_s << u"twenty"_s;
    QTest::newRow("21") << qint64(21) << u"huszonegy"_s << u"twenty-one"_s;
    QTest::newRow("22") << qint64(22) << u"huszonkettő"_s << u"twenty-two"_s;
    QTest::newRow("40") << qint64(40) << u"negyven"_s << u"forty"_s;
    QTest::newRow("45") << qint64(45) << u"negyvenöt"_s << u"forty-five"_s;
    QTest::newRow("61") << qint64(61) << u"hatvanegy"_s << u"sixty-one"_s;
    QTest::newRow("77") << qint64(77) << u"hetvenhét"_s << u"seventy-seven"_s;
    QTest::newRow("99") << qint64(99) << u"kilencvenkilenc"_s << u"ninety-nine"_s;
    QTest::newRow("100") << qint64(100) << u"száz"_s << u"one hundred"_s;
    QTest::newRow("101") << qint64(101) << u"százegy"_s << u"one hundred and one"_s;
    QTest::newRow("110") << qint64(110) << u"száztíz"_s << u"one hundred and ten"_s;
    QTest::newRow("140") << qint64(140) << u"száznegyven"_s << u"one hundred and forty"_s;
    QTest::newRow("170") << qint64(170) << u"százhetven"_s << u"one hundred and seventy"_s;
    QTest::newRow("180") << qint64(180) << u"száznyolcvan"_s << u"one hundred and eighty"_s;
    QTest::newRow("200") << qint64(200) << u"kétszáz"_s << u"two hundred"_s;
    QTest::newRow("222") << qint64(222) << u"kétszázhuszonkettő"_s << u"two hundred and twenty-two"_s;
    QTest::newRow("501") << qint64(501) << u"ötszázegy"_s << u"five hundred and one"_s;
    QTest::newRow("1000") << qint64(1000) << u"ezer"_s << u"one thousand"_s;
    QTest::newRow("1001") << qint64(1001) << u"ezeregy"_s << u"one thousand and one"_s;
    QTest::newRow("1999 in one word") << qint64(1999) << u"ezerkilencszázkilencvenkilenc"_s
                                      << u"one thousand nine hundred and ninety-nine"_s;
    QTest::newRow("2000 in one word") << qint64(2000) << u"kétezer"_s << u"two thousand"_s;
    QTest::newRow("2001 hyphenated") << qint64(2001) << u"kétezer-egy"_s << u"two thousand and one"_s;
    QTest::newRow("2002") << qint64(2002) << u"kétezer-kettő"_s << u"two thousand and two"_s;
    QTest::newRow("12345") << qint64(12345) << u"tizenkétezer-háromszáznegyvenöt"_s
                           << u"twelve thousand three hundred and forty-five"_s;
    QTest::newRow("20000 round") << qint64(20000) << u"húszezer"_s << u"twenty thousand"_s;
    QTest::newRow("22000 round") << qint64(22000) << u"huszonkétezer"_s << u"twenty-two thousand"_s;
    QTest::newRow("100000") << qint64(100000) << u"százezer"_s << u"one hundred thousand"_s;
    QTest::newRow("1000000") << qint64(1000000) << u"egymillió"_s << u"one million"_s;
    QTest::newRow("1000001") << qint64(1000001) << u"egymillió-egy"_s << u"one million and one"_s;
    QTest::newRow("1001000") << qint64(1001000) << u"egymillió-egyezer"_s << u"one million one thousand"_s;
    QTest::newRow("1200000") << qint64(1200000) << u"egymillió-kétszázezer"_s << u"one million two hundred thousand"_s;
    QTest::newRow("largest score") << qint64(std::numeric_limits<qint32>::max())
                                   << u"kétmilliárd-száznegyvenhétmillió-négyszáznyolcvanháromezer-hatszáznegyvenhét"_s
                                   << u"two billion one hundred and forty-seven million four hundred and eighty-three "
                                      u"thousand six hundred and forty-seven"_s;
    QTest::newRow("-40") << qint64(-40) << u"mínusz negyven"_s << u"minus forty"_s;
    QTest::newRow("smallest 64-bit")
        << std::numeric_limits<qint64>::min()
        << u"mínusz kilenctrillió-kétszázhuszonhárombilliárd-háromszázhetvenkétbillió-harminchatmilliárd-"
           u"nyolcszázötvennégymillió-hétszázhetvenötezer-nyolcszáznyolc"_s
        << u"minus nine quintillion two hundred and twenty-three quadrillion three hundred and seventy-two "
           u"trillion thirty-six billion eight hundred and fifty-four million seven hundred and seventy-five "
           u"thousand eight hundred and eight"_s;
}

void tst_Calls::numbers()
{
    QFETCH(qint64, number);
    QFETCH(QString, hungarian);
    QFETCH(QString, english);

    QCOMPARE(numberInWords(number, CallLanguage::Hungarian), hungarian);
    QCOMPARE(numberInWords(number, CallLanguage::English), english);
}

// Every number up to 2000 is one word; above it a number is hyphenated between its groups of three
// unless it is a round number of one group ("hatvanezer", "kétmillió").
void tst_Calls::hungarianSpelling()
{
    static const QRegularExpression letters(u"^\\p{Ll}+$"_s);
    for (qint64 n = 0; n <= 2000; ++n) {
        const QString words = numberInWords(n, CallLanguage::Hungarian);
        QVERIFY2(letters.match(words).hasMatch(), qPrintable(QString::number(n) + u' ' + words));
    }
    for (const qint64 n : {2001LL, 2010LL, 2100LL, 9999LL, 60001LL, 999999LL, 1000999LL, 123456789LL}) {
        const QString words = numberInWords(n, CallLanguage::Hungarian);
        QVERIFY2(words.contains(u'-') && !words.contains(u' '), qPrintable(words));
    }
    for (const qint64 n : {3000LL, 60000LL, 900000LL, 2000000LL, 40000000LL, 7000000000LL}) {
        const QString words = numberInWords(n, CallLanguage::Hungarian);
        QVERIFY2(letters.match(words).hasMatch(), qPrintable(words));
    }
}

void tst_Calls::calls_data()
{
    QTest::addColumn<qint32>("start");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("hungarian");
    QTest::addColumn<QString>("english");

    // Player 1 is Anna, player 2 Béla; player 1 starts the first game.
    QTest::newRow("a turn's total") << 501 << u"60"_s << u"hatvan"_s << u"sixty"_s;
    QTest::newRow("the maximum") << 501 << u"180"_s << u"száznyolcvan!"_s << u"one hundred and eighty!"_s;
    QTest::newRow("typed 0") << 501 << u"0"_s << u"nincs pont"_s << u"no score"_s;
    QTest::newRow("over the remaining under exact checkout: a turn of 0")
        << 301 << u"100 140 81 100 180"_s << u"nincs pont. hatvanegy kell"_s << u"no score. you require sixty-one"_s;
    QTest::newRow("the next player has a checkout route")
        << 301 << u"100 140 81"_s << u"nyolcvanegy. százhatvanegy kell"_s
        << u"eighty-one. you require one hundred and sixty-one"_s;
    QTest::newRow("the maximum, then the route") << 301 << u"141 180"_s << u"száznyolcvan! százhatvan kell"_s
                                                 << u"one hundred and eighty! you require one hundred and sixty"_s;
    QTest::newRow("the next player has no route (169)") << 301 << u"100 132 60"_s << u"hatvan"_s << u"sixty"_s;
    QTest::newRow("no route is called without exact checkout")
        << 301 << u"o 100 140 81"_s << u"nyolcvanegy"_s << u"eighty-one"_s;
    QTest::newRow("a turn of 0 with the route")
        << 40 << u"60"_s << u"nincs pont. negyven kell"_s << u"no score. you require forty"_s;
    QTest::newRow("a checkout wins the leg")
        << 40 << u"40"_s << u"kiszálló! Anna nyerte a leget"_s << u"game shot and the leg, Anna"_s;
    QTest::newRow("below zero without exact checkout wins the leg")
        << 40 << u"o 60"_s << u"kiszálló! Anna nyerte a leget"_s << u"game shot and the leg, Anna"_s;
    QTest::newRow("the second player's leg")
        << 40 << u"0 40"_s << u"kiszálló! Béla nyerte a leget"_s << u"game shot and the leg, Béla"_s;
    QTest::newRow("a checkout after the leg is gone") << 40 << u"40 40"_s << u"kiszálló!"_s << u"game shot"_s;
    QTest::newRow("no route called once the leg is gone")
        << 100 << u"60 100 20 0"_s << u"nincs pont"_s << u"no score"_s;
    QTest::newRow("a checkout taken back leaves the leg open")
        << 40 << u"40 u 20"_s << u"húsz. negyven kell"_s << u"twenty. you require forty"_s;
    QTest::newRow("the leg that wins the match")
        << 40 << u"f1 40"_s << u"kiszálló! Anna nyerte a meccset"_s << u"game shot and the match, Anna"_s;
    QTest::newRow("first to 2: a leg each")
        << 40 << u"f2 40 n 40"_s << u"kiszálló! Béla nyerte a leget"_s << u"game shot and the leg, Béla"_s;
    QTest::newRow("first to 2: the second leg wins the match")
        << 40 << u"f2 40 n 0 40"_s << u"kiszálló! Anna nyerte a meccset"_s << u"game shot and the match, Anna"_s;
    QTest::newRow("a decided match: the next leg opens a new one")
        << 40 << u"f1 40 n 40"_s << u"kiszálló! Béla nyerte a meccset"_s << u"game shot and the match, Béla"_s;

    // Double out: a bust is no score.
    QTest::newRow("double out: leaving 1 is no score")
        << 41 << u"d 40"_s << u"nincs pont. negyvenegy kell"_s << u"no score. you require forty-one"_s;
    QTest::newRow("double out: 180 to 0 is no score") << 180 << u"d 180"_s << u"nincs pont"_s << u"no score"_s;
    QTest::newRow("double out: a finish on a double")
        << 40 << u"d 40"_s << u"kiszálló! Anna nyerte a leget"_s << u"game shot and the leg, Anna"_s;

    // Sets and legs.
    QTest::newRow("a leg within a set") << 40 << u"f2 s2 40"_s << u"kiszálló! Anna nyerte a leget"_s
                                        << u"game shot and the leg, Anna"_s;
    QTest::newRow("the first set") << 40 << u"f1 s2 40"_s << u"kiszálló! Anna nyerte az első szettet"_s
                                   << u"game shot and the first set, Anna"_s;
    QTest::newRow("the second set") << 40 << u"f1 s3 40 n 0 40"_s << u"kiszálló! Anna nyerte a második szettet"_s
                                    << u"game shot and the second set, Anna"_s;
    QTest::newRow("the set that wins the match")
        << 40 << u"f1 s2 40 n 0 40"_s << u"kiszálló! Anna nyerte a meccset"_s << u"game shot and the match, Anna"_s;
    QTest::newRow("the next match's first set")
        << 40 << u"f1 s1 40 n 40"_s << u"kiszálló! Béla nyerte a meccset"_s << u"game shot and the match, Béla"_s;
    QTest::newRow("all legs: the last leg levels the match")
        << 40 << u"f2 m 40 n 40"_s << u"kiszálló! Béla nyerte a leget. A meccs döntetlen"_s
        << u"game shot and the leg, Béla. The match is drawn"_s;
    QTest::newRow("all legs: the last leg wins it")
        << 40 << u"f2 m 40 n 0 40"_s << u"kiszálló! Anna nyerte a meccset"_s << u"game shot and the match, Anna"_s;

    // A new leg: its number and its starter.
    QTest::newRow("the second leg") << 40 << u"o 40 n"_s << u"második leg, Béla kezd. Játék!"_s
                                    << u"second leg, Béla to throw first, game on"_s;
    QTest::newRow("a leg nobody won is played again")
        << 501 << u"60 n"_s << u"első leg, Béla kezd. Játék!"_s << u"first leg, Béla to throw first, game on"_s;
    QTest::newRow("the new leg with the starter's route")
        << 40 << u"40 n"_s << u"második leg, Béla kezd. Játék! negyven kell"_s
        << u"second leg, Béla to throw first, game on. you require forty"_s;
    QTest::newRow("a new set") << 40 << u"o f1 s3 40 n"_s << u"második szett, első leg, Béla kezd. Játék!"_s
                               << u"second set, first leg, Béla to throw first, game on"_s;
    QTest::newRow("the second leg of a set") << 40 << u"o f2 s2 40 n"_s << u"második leg, Béla kezd. Játék!"_s
                                             << u"second leg, Béla to throw first, game on"_s;
    QTest::newRow("after a decided match, its next one")
        << 40 << u"o f1 40 n"_s << u"első leg, Béla kezd. Játék!"_s << u"first leg, Béla to throw first, game on"_s;
}

void tst_Calls::ordinals_data()
{
    QTest::addColumn<qint64>("number");
    QTest::addColumn<QString>("hungarian");
    QTest::addColumn<QString>("english");

    QTest::newRow("1") << qint64(1) << u"első"_s << u"first"_s;
    QTest::newRow("2") << qint64(2) << u"második"_s << u"second"_s;
    QTest::newRow("3") << qint64(3) << u"harmadik"_s << u"third"_s;
    QTest::newRow("4") << qint64(4) << u"negyedik"_s << u"fourth"_s;
    QTest::newRow("5") << qint64(5) << u"ötödik"_s << u"fifth"_s;
    QTest::newRow("6") << qint64(6) << u"hatodik"_s << u"sixth"_s;
    QTest::newRow("7") << qint64(7) << u"hetedik"_s << u"seventh"_s;
    QTest::newRow("8") << qint64(8) << u"nyolcadik"_s << u"eighth"_s;
    QTest::newRow("9") << qint64(9) << u"kilencedik"_s << u"ninth"_s;
    QTest::newRow("10") << qint64(10) << u"tizedik"_s << u"tenth"_s;
    QTest::newRow("11") << qint64(11) << u"tizenegyedik"_s << u"eleventh"_s;
    QTest::newRow("12") << qint64(12) << u"tizenkettedik"_s << u"twelfth"_s;
    QTest::newRow("20") << qint64(20) << u"huszadik"_s << u"twentieth"_s;
    QTest::newRow("21") << qint64(21) << u"huszonegyedik"_s << u"twenty-first"_s;
    QTest::newRow("22") << qint64(22) << u"huszonkettedik"_s << u"twenty-second"_s;
    QTest::newRow("30") << qint64(30) << u"harmincadik"_s << u"thirtieth"_s;
    QTest::newRow("40") << qint64(40) << u"negyvenedik"_s << u"fortieth"_s;
    QTest::newRow("53") << qint64(53) << u"ötvenharmadik"_s << u"fifty-third"_s;
    QTest::newRow("60") << qint64(60) << u"hatvanadik"_s << u"sixtieth"_s;
    QTest::newRow("70") << qint64(70) << u"hetvenedik"_s << u"seventieth"_s;
    QTest::newRow("80") << qint64(80) << u"nyolcvanadik"_s << u"eightieth"_s;
    QTest::newRow("99") << qint64(99) << u"kilencvenkilencedik"_s << u"ninety-ninth"_s;
    QTest::newRow("100") << qint64(100) << u"századik"_s << u"one hundredth"_s;
    QTest::newRow("101") << qint64(101) << u"százegyedik"_s << u"one hundred and first"_s;
    QTest::newRow("112") << qint64(112) << u"száztizenkettedik"_s << u"one hundred and twelfth"_s;
    QTest::newRow("200") << qint64(200) << u"kétszázadik"_s << u"two hundredth"_s;
    QTest::newRow("1000") << qint64(1000) << u"ezredik"_s << u"one thousandth"_s;
    QTest::newRow("2000") << qint64(2000) << u"kétezredik"_s << u"two thousandth"_s;
    QTest::newRow("2001") << qint64(2001) << u"kétezer-egyedik"_s << u"two thousand and first"_s;
}

void tst_Calls::ordinals()
{
    QFETCH(qint64, number);
    QTEST(ordinalInWords(number, CallLanguage::Hungarian), "hungarian");
    QTEST(ordinalInWords(number, CallLanguage::English), "english");
}

void tst_Calls::calls()
{
    QFETCH(qint32, start);
    QFETCH(QString, steps);
    QFETCH(QString, hungarian);
    QFETCH(QString, english);

    const PlayerNames names {u"Anna"_s, u" Béla "_s};
    const QStringList list = steps.split(u' ', Qt::SkipEmptyParts);
    GameOnTable inHungarian(start);
    QCOMPARE(callAfter(inHungarian, list, names, CallLanguage::Hungarian), hungarian);
    GameOnTable inEnglish(start);
    QCOMPARE(callAfter(inEnglish, list, names, CallLanguage::English), english);
}

// A call holds words, never figures or dart names, whatever the game: every turn total and every
// remaining score of long random games, players without names called by their number, every leg
// and set.
void tst_Calls::wordsOnly()
{
    static const QRegularExpression word(u"^[\\p{L}!.,\\- ]+$"_s);
    for (const CallLanguage language : {CallLanguage::Hungarian, CallLanguage::English}) {
        GameOnTable game(501);
        game.match.legs().setFormat({2, 3, true, false});
        quint32 seed = 25;
        for (int step = 0; step < 4000; ++step) {
            seed = seed * 1664525u + 1013904223u;
            QString call;
            if (seed % 97 == 0) {
                game.match.newGame();
                call = callAfterNewLeg(game.match, true, {}, language);
            } else {
                const qint32 score = qint32(seed >> 8) % 181;
                const EntryOutcome outcome = game.match.enterScore(score, (seed >> 4) % 5 != 0);
                if (outcome == EntryOutcome::Refused)
                    continue;
                call = callAfterEntry(game.match, outcome == EntryOutcome::RecordedAsZero ? 0 : score,
                    (seed >> 4) % 5 != 0, {}, language);
            }
            QVERIFY2(word.match(call).hasMatch(), qPrintable(call));
        }
    }
}

QTEST_GUILESS_MAIN(tst_Calls)
#include "tst_Calls.moc"
