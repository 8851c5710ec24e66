// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <algorithm>
#include <limits>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include "app/Main.h"
#include "controls/uEditEx.h"
#include "memtable/xovMemTable.h"
#include "tests/support/MainWindowFixture.h"

namespace {

using Row = QVariantList; // e1, h1, a1, e2, h2, a2; a null value is an empty field
const QVariant E; // empty

QList<Row> rowsOf(TxovMemTable *table)
{
    QList<Row> rows;
    table->MoveFirst();
    while (!table->HasNoRow()) {
        Row row;
        for (const char *name : {"e1", "h1", "a1", "e2", "h2", "a2"})
            row << table->FieldValue(QString::fromLatin1(name));
        rows << row;
        if (table->AtLastRow() || table->MoveRows(1) == 0)
            break;
    }
    // Undo works on the current row, which every entry leaves on the last row.
    table->MoveLast();
    return rows;
}

QColor boxColor(const Tfrm_Main &w)
{
    return w.EditEx1->palette().color(QPalette::Base);
}

const QColor Red(255, 0, 0);

} // namespace

class tst_Main : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensWithCaption();
    void startState();
    void scoreAboveLimitRefused();
    void typedTexts_data();
    void typedTexts();
    void undoHistoryGoesWithTheText_data();
    void undoHistoryGoesWithTheText();
    void impossibleScoresRefused_data();
    void impossibleScoresRefused();
    void exactCheckout_data();
    void exactCheckout();
    void exactCheckoutBelowZero();
    void okButtonAndEnterInStartScoreBox();
    void markersAndLabels();
    void undoWalksBackToEmpty();
    void undoAfterZeroRestoresZero();
    void undoOfZeroEntry();
    void newGameSwapsStarter();
    void keysWorkFromTheEntryBox();
    void overflowRefused_data();
    void overflowRefused();

private:
    void enter(const QString &text) { m_main.enter(text); }

    MainWindowFixture m_main;
    Tfrm_Main *w = nullptr;
};

void tst_Main::init()
{
    QVERIFY(m_main.open());
    w = m_main.window();
}

void tst_Main::cleanup()
{
    m_main.close();
    w = nullptr;
}

void tst_Main::opensWithCaption()
{
    QCOMPARE(w->windowTitle(), QStringLiteral("Pontix"));
}

void tst_Main::startState()
{
    QVERIFY(w->Player1Starts);
    QVERIFY(w->Player1ToThrow);
    QCOMPARE(w->Remaining1, 501);
    QCOMPARE(w->Remaining2, 501);
    QVERIFY(w->Tbl->Active());
    QCOMPARE(w->Tbl->RowCount(), 0);
    // The figures show the start score from the start.
    QCOMPARE(w->Label1->text(), QStringLiteral("501"));
    QCOMPARE(w->Label2->text(), QStringLiteral("501"));
    QVERIFY(w->Image1->isVisible());
    QVERIFY(!w->Image2->isVisible());
    QVERIFY(!w->Panel4->isVisible());
    QVERIFY(w->CheckBox1->isChecked());
    QCOMPARE(w->Edit1->text(), QStringLiteral("501"));
    QCOMPARE(QApplication::focusWidget(), w->EditEx1);
}

void tst_Main::scoreAboveLimitRefused()
{
    enter(QStringLiteral("181"));
    QCOMPARE(w->Tbl->RowCount(), 0);
    QVERIFY(w->Player1ToThrow);
    QCOMPARE(boxColor(*w), Red);
    QCOMPARE(w->EditEx1->text(), QStringLiteral("181"));
    QCOMPARE(w->EditEx1->selectedText(), QStringLiteral("181"));
    QCOMPARE(w->Label1->text(), QStringLiteral("501")); // no refresh

    // The next key stroke replaces the selected text.
    QTest::keyClicks(w->EditEx1, QStringLiteral("180"));
    QTest::keyClick(w->EditEx1, Qt::Key_Return);
    QCOMPARE(rowsOf(w->Tbl), (QList<Row> {{180, 321, 180, E, E, E}}));
    QCOMPARE(boxColor(*w), QApplication::palette(w->EditEx1).color(QPalette::Base));
    QVERIFY(!w->Player1ToThrow);
}

void tst_Main::typedTexts_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("recorded"); // -1: refused

    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("blanks") << QStringLiteral("  ") << 0;
    QTest::newRow("zero") << QStringLiteral("0") << 0;
    QTest::newRow("spaces around") << QStringLiteral(" 60 ") << 60;
    QTest::newRow("plus sign") << QStringLiteral("+60") << 60;
    QTest::newRow("leading zero") << QStringLiteral("060") << 60;
    // Text that is no whole number would otherwise pass the throw as 0, or as the digits left.
    QTest::newRow("digits split by a space") << QStringLiteral(" 6 0 ") << -1;
    QTest::newRow("letter inside") << QStringLiteral("6a0") << -1;
    QTest::newRow("letters") << QStringLiteral("abc") << -1;
    QTest::newRow("decimal comma") << QStringLiteral("60,5") << -1;
    QTest::newRow("decimal point") << QStringLiteral("6.0") << -1;
    QTest::newRow("trailing point") << QStringLiteral("60.") << -1;
    QTest::newRow("exponent") << QStringLiteral("1e2") << -1;
    QTest::newRow("hexadecimal") << QStringLiteral("0x3C") << -1;
    QTest::newRow("Arabic-Indic three") << QStringLiteral("\u0663") << -1;
    QTest::newRow("full-width three") << QStringLiteral("\uff13") << -1;
    QTest::newRow("eleven nines") << QStringLiteral("99999999999") << -1;
}

// A whole number is recorded; anything else is refused as a score above 180 is: red, the text
// kept and selected, nothing recorded.
void tst_Main::typedTexts()
{
    QFETCH(QString, typed);
    QFETCH(int, recorded);
    // Other scripts' digits come from an input method or the clipboard, not from key codes.
    const bool ascii = std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.unicode() < 128; });
    if (ascii) {
        enter(typed);
    } else {
        w->EditEx1->insert(typed);
        QTest::keyClick(w->EditEx1, Qt::Key_Return);
    }
    if (recorded < 0) {
        QCOMPARE(w->Tbl->RowCount(), 0);
        QVERIFY(w->Player1ToThrow);
        QCOMPARE(boxColor(*w), Red);
        QCOMPARE(w->EditEx1->text(), typed);
        QCOMPARE(w->EditEx1->selectedText(), typed);
        QCOMPARE(w->Label1->text(), QStringLiteral("501"));
        return;
    }
    QCOMPARE(rowsOf(w->Tbl), (QList<Row> {{recorded, 501 - recorded, recorded, E, E, E}}));
    QVERIFY(!w->Player1ToThrow);
    QVERIFY(w->EditEx1->text().isEmpty());
    QCOMPARE(boxColor(*w), QApplication::palette(w->EditEx1).color(QPalette::Base));
}

void tst_Main::undoHistoryGoesWithTheText_data()
{
    QTest::addColumn<QString>("emptiedBy");
    for (const char *how : {"Enter", "OK", "F8", "Ins"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

// Whenever the box is emptied after an entry, undo and new game, its undo history goes too:
// Ctrl+Z cannot bring back a score to be recorded a second time.
void tst_Main::undoHistoryGoesWithTheText()
{
    QFETCH(QString, emptiedBy);
    enter(QStringLiteral("45"));
    QTest::keyClicks(w->EditEx1, QStringLiteral("60"));
    if (emptiedBy == QLatin1String("Enter"))
        QTest::keyClick(w->EditEx1, Qt::Key_Return);
    else if (emptiedBy == QLatin1String("OK"))
        QTest::mouseClick(w->SpeedButton2, Qt::LeftButton);
    else
        QTest::keyClick(w->EditEx1, emptiedBy == QLatin1String("F8") ? Qt::Key_F8 : Qt::Key_Insert);
    QCOMPARE(w->EditEx1->text(), QString());
    QVERIFY(!w->EditEx1->isUndoAvailable());
    QTest::keyClick(w->EditEx1, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w->EditEx1->text(), QString());
    const bool player1 = w->Player1ToThrow;
    QTest::keyClick(w->EditEx1, Qt::Key_Return); // the empty box: a turn of 0
    QCOMPARE(w->Player1ToThrow, !player1);
    QCOMPARE(w->Tbl->FieldValue(player1 ? QStringLiteral("e1") : QStringLiteral("e2")), QVariant(0));
}

// A negative score, or a total no three darts make, is refused like a score above 180.
void tst_Main::impossibleScoresRefused_data()
{
    QTest::addColumn<bool>("completing");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("typed");

    for (const char *typed : {"-20", "-1", "-2147483648", "179", "163", "172", "181"})
        QTest::addRow("%s, opening", typed) << false << true << QString::fromLatin1(typed);
    QTest::newRow("-50, completing") << true << true << QStringLiteral("-50");
    QTest::newRow("178, completing") << true << true << QStringLiteral("178");
    // Under the rule a score above the remaining score counts as 0, but only a possible one.
    QTest::newRow("-5, rule cleared") << false << false << QStringLiteral("-5");
    QTest::newRow("176, rule cleared") << false << false << QStringLiteral("176");
}

void tst_Main::impossibleScoresRefused()
{
    QFETCH(bool, completing);
    QFETCH(bool, ticked);
    QFETCH(QString, typed);

    w->CheckBox1->setChecked(ticked);
    if (completing)
        enter(QStringLiteral("60"));
    const QList<Row> rows = rowsOf(w->Tbl);
    const QString label1 = w->Label1->text();
    const QString label2 = w->Label2->text();

    enter(typed);
    QCOMPARE(rowsOf(w->Tbl), rows);
    QCOMPARE(w->Player1ToThrow, !completing);
    QCOMPARE(w->Remaining1, completing ? 441 : 501);
    QCOMPARE(w->Remaining2, 501);
    QCOMPARE(boxColor(*w), Red);
    QCOMPARE(w->EditEx1->text(), typed);
    QCOMPARE(w->EditEx1->selectedText(), typed);
    QCOMPARE(w->Label1->text(), label1);
    QCOMPARE(w->Label2->text(), label2);
    QVERIFY(w->Image1->isVisible() != completing);

    // The next key stroke replaces the refused text; the empty entry and 0 record a turn of 0.
    QTest::keyClicks(w->EditEx1, QStringLiteral("0"));
    QTest::keyClick(w->EditEx1, Qt::Key_Return);
    QCOMPARE(w->Tbl->FieldValue(completing ? QStringLiteral("e2") : QStringLiteral("e1")), QVariant(0));
    QCOMPARE(boxColor(*w), QApplication::palette(w->EditEx1).color(QPalette::Base));
    enter(QString());
    QCOMPARE(w->Tbl->FieldValue(completing ? QStringLiteral("e1") : QStringLiteral("e2")), QVariant(0));
}

void tst_Main::exactCheckout_data()
{
    QTest::addColumn<bool>("player2Starts");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<int>("remaining");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("recorded");
    QTest::addColumn<int>("remainingAfter");
    QTest::addColumn<bool>("red");

    QTest::newRow("overshoot counts 0") << false << true << 40 << QStringLiteral("60") << 0 << 40 << true;
    QTest::newRow("exact finish") << false << true << 60 << QStringLiteral("60") << 60 << 0 << false;
    QTest::newRow("rule cleared") << false << false << 40 << QStringLiteral("60") << 60 << -20 << false;
    QTest::newRow("after reaching 0") << false << true << 0 << QStringLiteral("20") << 0 << 0 << true;
    // The rule holds in games that player 2 starts as well.
    QTest::newRow("player 2 starts") << true << true << 40 << QStringLiteral("60") << 0 << 40 << true;
    QTest::newRow("player 2 starts, cleared") << true << false << 40 << QStringLiteral("60") << 60 << -20 << false;
}

void tst_Main::exactCheckout()
{
    QFETCH(bool, player2Starts);
    QFETCH(bool, ticked);
    QFETCH(int, remaining);
    QFETCH(QString, typed);
    QFETCH(int, recorded);
    QFETCH(int, remainingAfter);
    QFETCH(bool, red);

    if (player2Starts)
        QTest::keyClick(w->EditEx1, Qt::Key_F3);
    QCOMPARE(w->Player1Starts, !player2Starts);
    w->CheckBox1->setChecked(ticked);
    qint32 &r = player2Starts ? w->Remaining2 : w->Remaining1;
    r = remaining;

    enter(typed);
    const QString suffix = player2Starts ? QStringLiteral("2") : QStringLiteral("1");
    QCOMPARE(w->Tbl->FieldValue(QLatin1Char('e') + suffix), QVariant(recorded));
    QCOMPARE(w->Tbl->FieldValue(QLatin1Char('h') + suffix), QVariant(remainingAfter));
    QCOMPARE(r, remainingAfter);
    // The average counts this entry, whatever was recorded.
    QCOMPARE(w->Tbl->FieldValue(QLatin1Char('a') + suffix), QVariant(501 - remainingAfter));
    QCOMPARE(boxColor(*w) == Red, red);
    QVERIFY(w->EditEx1->text().isEmpty());
    QCOMPARE(w->Player1ToThrow, player2Starts);
}

void tst_Main::exactCheckoutBelowZero()
{
    w->CheckBox1->setChecked(false);
    w->Remaining1 = 40;
    enter(QStringLiteral("60"));
    QCOMPARE(w->Remaining1, -20);
    QCOMPARE(w->Label1->text(), QStringLiteral("-20"));
    enter(QStringLiteral("45"));

    // Ticked now: every score of 0 or more is above -20.
    w->CheckBox1->setChecked(true);
    for (const QString &typed : {QStringLiteral("0"), QStringLiteral("20")}) {
        enter(typed);
        QCOMPARE(w->Tbl->FieldValue(QStringLiteral("e1")), QVariant(0));
        QCOMPARE(w->Remaining1, -20);
        QCOMPARE(boxColor(*w), Red);
        enter(QStringLiteral("10"));
    }
}

void tst_Main::okButtonAndEnterInStartScoreBox()
{
    QTest::keyClicks(w->EditEx1, QStringLiteral("26"));
    QTest::mouseClick(w->SpeedButton2, Qt::LeftButton);
    QCOMPARE(w->Tbl->FieldValue(QStringLiteral("e1")), QVariant(26));
    QCOMPARE(QApplication::focusWidget(), w->EditEx1);

    // Enter in the start-score box records the entry box's score (here: empty, so 0) and
    // leaves the start score alone.
    QTest::keyClick(w->EditEx1, Qt::Key_F6);
    QVERIFY(w->Panel4->isVisible());
    w->Edit1->setFocus();
    w->Edit1->setText(QStringLiteral("301"));
    QTest::keyClick(w->Edit1, Qt::Key_Return);
    QCOMPARE(rowsOf(w->Tbl), (QList<Row> {{26, 475, 26, 0, 501, 0}}));
    QCOMPARE(w->Edit1->text(), QStringLiteral("301"));
    QCOMPARE(StartScore, 501);
}

void tst_Main::markersAndLabels()
{
    QCOMPARE(w->Label1->text(), QStringLiteral("501"));
    QCOMPARE(w->Label2->text(), QStringLiteral("501"));
    enter(QStringLiteral("60"));
    QVERIFY(!w->Image1->isVisible());
    QVERIFY(w->Image2->isVisible());
    enter(QStringLiteral("45"));
    QCOMPARE(w->Label1->text(), QStringLiteral("441"));
    QCOMPARE(w->Label2->text(), QStringLiteral("456"));
    QVERIFY(w->Image1->isVisible());
    QVERIFY(!w->Image2->isVisible());
    enter(QStringLiteral("100"));
    QCOMPARE(w->Label1->text(), QStringLiteral("341"));
    QVERIFY(!w->Image1->isVisible());
    QVERIFY(w->Image2->isVisible());

    // Player 2's figure keeps its right edge as it changes width.
    const int right = w->Label2->geometry().right();
    w->Remaining2 = 5;
    w->RefreshScoreboard();
    QCOMPARE(w->Label2->geometry().right(), right);
    QVERIFY(w->Label2->width() < w->Label1->width());
}

// What taking entries back leaves in the table is the match rules' matter; the window shows
// the remaining score given back, and with nothing left to take back it refreshes nothing.
void tst_Main::undoWalksBackToEmpty()
{
    enter(QStringLiteral("60"));
    enter(QStringLiteral("45"));
    QCOMPARE(w->Label2->text(), QStringLiteral("456"));

    QTest::keyClick(w->EditEx1, Qt::Key_F8);
    QCOMPARE(w->Label2->text(), QStringLiteral("501"));
    QVERIFY(!w->Image1->isVisible());
    QVERIFY(w->Image2->isVisible());

    QTest::keyClick(w->EditEx1, Qt::Key_F8);
    QCOMPARE(w->Tbl->RowCount(), 0);
    QCOMPARE(w->Label1->text(), QStringLiteral("501"));
    QVERIFY(w->Image1->isVisible());

    // Nothing left: undo changes nothing, not even the labels.
    w->Label1->setText(QStringLiteral("x"));
    QTest::keyClick(w->EditEx1, Qt::Key_F8);
    QCOMPARE(w->Tbl->RowCount(), 0);
    QVERIFY(w->Player1ToThrow);
    QCOMPARE(w->Label1->text(), QStringLiteral("x"));
}

void tst_Main::undoAfterZeroRestoresZero()
{
    // Player 1 finishes exactly in a row; the row after it is taken back.
    w->Remaining1 = 60;
    enter(QStringLiteral("60"));
    enter(QStringLiteral("45"));
    enter(QStringLiteral("20")); // recorded as 0 under the rule
    QCOMPARE(w->Tbl->RowCount(), 2);

    QTest::keyClick(w->EditEx1, Qt::Key_F8);
    QCOMPARE(w->Tbl->RowCount(), 1);
    QCOMPARE(w->Remaining1, 0);
    QCOMPARE(w->Label1->text(), QStringLiteral("0"));
    QVERIFY(w->Player1ToThrow);

    // With the rule cleared his next 20 goes on from 0.
    w->CheckBox1->setChecked(false);
    enter(QStringLiteral("20"));
    QCOMPARE(w->Tbl->FieldValue(QStringLiteral("h1")), QVariant(-20));
}

void tst_Main::undoOfZeroEntry()
{
    enter(QStringLiteral("60"));
    w->Remaining2 = 30;
    enter(QStringLiteral("40")); // over 30: recorded as 0
    QCOMPARE(w->Tbl->FieldValue(QStringLiteral("e2")), QVariant(0));
    QTest::keyClick(w->EditEx1, Qt::Key_F8);
    QCOMPARE(w->Remaining2, 30);
    QCOMPARE(boxColor(*w), Red); // undo leaves the colour alone
}

// What a new game leaves in the table is the match rules' matter; the window shows both start
// scores again and the marker at the player who starts.
void tst_Main::newGameSwapsStarter()
{
    QTest::keyClick(w->EditEx1, Qt::Key_Insert);
    QVERIFY(!w->Player1Starts);
    QCOMPARE(w->Label1->text(), QStringLiteral("501"));
    QVERIFY(w->Image2->isVisible());
    QVERIFY(!w->Image1->isVisible());

    enter(QStringLiteral("60"));
    QCOMPARE(w->Label2->text(), QStringLiteral("441"));
    QTest::keyClick(w->EditEx1, Qt::Key_Insert);
    QVERIFY(w->Player1Starts);
    QCOMPARE(w->Label2->text(), QStringLiteral("501"));
    QVERIFY(w->Image1->isVisible());
    QVERIFY(!w->Image2->isVisible());
}

void tst_Main::keysWorkFromTheEntryBox()
{
    QTest::keyClicks(w->EditEx1, QStringLiteral("12"));
    QTest::keyClick(w->EditEx1, Qt::Key_Insert);
    QVERIFY(!w->Player1Starts);
    QVERIFY(w->EditEx1->text().isEmpty()); // the box did not take the key

    QTest::keyClick(w->EditEx1, Qt::Key_F6);
    QVERIFY(w->Panel4->isVisible());
    QTest::mouseClick(w->SpeedButton1, Qt::LeftButton);
    QVERIFY(!w->Panel4->isVisible());
    QTest::keyClick(w->EditEx1, Qt::Key_F6);
    QTest::keyClick(w->EditEx1, Qt::Key_F6);
    QVERIFY(!w->Panel4->isVisible());
}

void tst_Main::overflowRefused_data()
{
    QTest::addColumn<qint32>("remaining");
    QTest::addColumn<QString>("typed");

    QTest::newRow("above the largest") << qint32(2147483600) << QStringLiteral("-100");
    QTest::newRow("smallest score") << qint32(1) << QStringLiteral("-2147483648");
    QTest::newRow("below the smallest") << std::numeric_limits<qint32>::min() << QStringLiteral("1");
    QTest::newRow("60 below the smallest") << std::numeric_limits<qint32>::min() + 59 << QStringLiteral("60");
}

void tst_Main::overflowRefused()
{
    QFETCH(qint32, remaining);
    QFETCH(QString, typed);
    w->CheckBox1->setChecked(false);
    w->Remaining1 = remaining;
    enter(typed);
    QCOMPARE(w->Tbl->RowCount(), 0);
    QCOMPARE(w->Remaining1, remaining);
    QVERIFY(w->Player1ToThrow);
    QCOMPARE(boxColor(*w), Red);
    QCOMPARE(w->EditEx1->selectedText(), typed);
}

QTEST_MAIN(tst_Main)
#include "tst_Main.moc"
