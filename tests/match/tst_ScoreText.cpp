// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include "match/ScoreText.h"

class tst_ScoreText : public QObject
{
    Q_OBJECT

private slots:
    void scoreFromText_data();
    void scoreFromText();
    void numericText_data();
    void numericText();
    void scoreFromTextNeverFails();
    void entryScore_data();
    void entryScore();
    void varToIntDef();
    void varToScoreText_data();
    void varToScoreText();
    void chooseVar();
};

void tst_ScoreText::scoreFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint32>("score");

    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("spaces only") << QStringLiteral("   ") << 0;
    QTest::newRow("letters") << QStringLiteral("abc") << 0;
    QTest::newRow("lone minus") << QStringLiteral("-") << 0;
    QTest::newRow("spaces around") << QStringLiteral("  60  ") << 60;
    QTest::newRow("spaces inside") << QStringLiteral("1 8 0") << 180;
    QTest::newRow("letter inside") << QStringLiteral("6a0") << 60;
    QTest::newRow("letters after") << QStringLiteral("12abc") << 12;
    QTest::newRow("exponent letter") << QStringLiteral("1e3") << 13;
    QTest::newRow("leading zeros") << QStringLiteral("007") << 7;
    QTest::newRow("plus sign") << QStringLiteral("+5") << 5;
    QTest::newRow("minus after spaces") << QStringLiteral("   -12") << -12;
    QTest::newRow("two minus signs") << QStringLiteral("--5") << -5;
    QTest::newRow("minus inside") << QStringLiteral("1-2") << 12;
    QTest::newRow("minus not first") << QStringLiteral("a-5") << 5;
    QTest::newRow("comma") << QStringLiteral("1,5") << 0;
    QTest::newRow("point") << QStringLiteral("1.5") << 0;
    QTest::newRow("trailing point") << QStringLiteral("5.") << 0;
    QTest::newRow("two points") << QStringLiteral("1.2.3") << 0;
    QTest::newRow("largest") << QStringLiteral("2147483647") << 2147483647;
    QTest::newRow("one above largest") << QStringLiteral("2147483648") << 0;
    QTest::newRow("smallest") << QStringLiteral("-2147483648") << qint32(-2147483647 - 1);
    QTest::newRow("one below smallest") << QStringLiteral("-2147483649") << 0;
    QTest::newRow("eleven nines") << QStringLiteral("99999999999") << 0;
    QTest::newRow("many leading zeros") << (QString(300, u'0') + QStringLiteral("42")) << 42;
    QTest::newRow("control characters around") << QStringLiteral("\t\r\n 45\x01\x1f") << 45;
    QTest::newRow("non-ASCII digits ignored") << QStringLiteral("4\u0663\u00e95") << 45;
    QTest::newRow("tab inside") << QStringLiteral("1\t2") << 12;
}

void tst_ScoreText::scoreFromText()
{
    QFETCH(QString, text);
    QFETCH(qint32, score);
    QCOMPARE(ScoreFromText(text), score);
}

void tst_ScoreText::numericText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("numeric");

    QTest::newRow("first separator kept") << QStringLiteral("1.2.3") << QStringLiteral("1.23");
    QTest::newRow("comma before point") << QStringLiteral("1,2.3") << QStringLiteral("1,23");
    QTest::newRow("minus only first") << QStringLiteral(" -1-2 ") << QStringLiteral("-12");
    QTest::newRow("plus dropped") << QStringLiteral("+5") << QStringLiteral("5");
    QTest::newRow("nothing usable") << QStringLiteral("abc") << QString();
}

void tst_ScoreText::numericText()
{
    QFETCH(QString, text);
    QFETCH(QString, numeric);
    QCOMPARE(NumericText(text), numeric);
}

void tst_ScoreText::scoreFromTextNeverFails()
{
    // Every byte value, and a long text, go through without trouble.
    QString all;
    for (int b = 0; b < 256; ++b)
        all += QChar(b);
    QCOMPARE(ScoreFromText(all), 0); // holds "," and "."
    QString longDigits(1 << 20, u'9');
    QCOMPARE(ScoreFromText(longDigits), 0);
    QCOMPARE(ScoreFromText(QString::fromLatin1(QByteArray("\0"
                                                          "12\0",
                 4))),
        12);
}

// The entry takes whole numbers only.
void tst_ScoreText::entryScore_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("number");
    QTest::addColumn<qint32>("score");

    QTest::newRow("empty") << QString() << true << 0;
    QTest::newRow("blanks only") << QStringLiteral(" \t ") << true << 0;
    QTest::newRow("zero") << QStringLiteral("0") << true << 0;
    QTest::newRow("spaces and controls around") << QStringLiteral("\t 60 \x01") << true << 60;
    QTest::newRow("leading zeros") << QStringLiteral("007") << true << 7;
    QTest::newRow("plus sign") << QStringLiteral("+5") << true << 5;
    QTest::newRow("minus sign") << QStringLiteral("-20") << true << -20;
    QTest::newRow("largest") << QStringLiteral("2147483647") << true << 2147483647;
    QTest::newRow("smallest") << QStringLiteral("-2147483648") << true << qint32(-2147483647 - 1);
    QTest::newRow("many leading zeros") << (QString(300, u'0') + QStringLiteral("42")) << true << 42;
    QTest::newRow("letters") << QStringLiteral("abc") << false << 0;
    QTest::newRow("letter inside") << QStringLiteral("6a0") << false << 0;
    QTest::newRow("exponent") << QStringLiteral("1e2") << false << 0;
    QTest::newRow("hexadecimal") << QStringLiteral("0x3C") << false << 0;
    QTest::newRow("decimal point") << QStringLiteral("6.0") << false << 0;
    QTest::newRow("decimal comma") << QStringLiteral("60,5") << false << 0;
    QTest::newRow("trailing point") << QStringLiteral("60.") << false << 0;
    QTest::newRow("space inside") << QStringLiteral("6 0") << false << 0;
    QTest::newRow("lone sign") << QStringLiteral("-") << false << 0;
    QTest::newRow("two signs") << QStringLiteral("--5") << false << 0;
    QTest::newRow("sign after blank") << QStringLiteral("- 20") << false << 0;
    QTest::newRow("Arabic-Indic three") << QStringLiteral("\u0663") << false << 0;
    QTest::newRow("full-width three") << QStringLiteral("\uff13") << false << 0;
    QTest::newRow("superscript two") << QStringLiteral("\u00b2") << false << 0;
    QTest::newRow("no-break space after") << QStringLiteral("5\u00a0") << false << 0;
    QTest::newRow("eleven nines") << QStringLiteral("99999999999") << false << 0;
    QTest::newRow("one above largest") << QStringLiteral("2147483648") << false << 0;
    QTest::newRow("one below smallest") << QStringLiteral("-2147483649") << false << 0;
}

void tst_ScoreText::entryScore()
{
    QFETCH(QString, text);
    QFETCH(bool, number);
    QFETCH(qint32, score);
    QCOMPARE(EntryScore(text), number ? std::optional<qint32>(score) : std::nullopt);
}

void tst_ScoreText::varToIntDef()
{
    QCOMPARE(VarToIntDef(QVariant(), 0), 0);
    QCOMPARE(VarToIntDef(QVariant(), 501), 501);
    QCOMPARE(VarToIntDef(QVariant(-20), 501), -20);
    QCOMPARE(VarToIntDef(QVariant(0), 501), 0);
}

void tst_ScoreText::varToScoreText_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QVariant() << QStringLiteral("0");
    QTest::newRow("negative") << QVariant(-20) << QStringLiteral("-20");
    QTest::newRow("zero") << QVariant(0) << QStringLiteral("0");
    QTest::newRow("no grouping") << QVariant(1234567) << QStringLiteral("1234567");
    QTest::newRow("smallest") << QVariant(qint32(-2147483647 - 1)) << QStringLiteral("-2147483648");
}

void tst_ScoreText::varToScoreText()
{
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QCOMPARE(VarToScoreText(value), text);
}

void tst_ScoreText::chooseVar()
{
    QCOMPARE(ChooseVar(true, 501, 40), QVariant(501));
    QCOMPARE(ChooseVar(false, 501, 40), QVariant(40));
    QVERIFY(ChooseVar(false, 501, QVariant()).isNull());
}

QTEST_GUILESS_MAIN(tst_ScoreText)
#include "tst_ScoreText.moc"
