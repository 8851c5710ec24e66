// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// A long run of seeded random operator actions on the real main window, offscreen: entries of
// every kind of text, Enter in the entry box or in the start-score box, the OK button, undo,
// new game, the previous game brought back, the exact-checkout and double-out boxes, the settings
// panel. After every action the window must agree with a plain model of the match (turn rows,
// remaining scores, averages, the player to throw, labels, markers, the entry box) and the
// resident memory must stay flat.
//
// PONTIX_SOAK_ACTIONS sets the number of actions (default 20000), PONTIX_SOAK_SEED the seed
// (default 1). Every 5000 actions a new window starts, from a settings file of its own; each
// window is one row of the test. A failure names the seed and the step, so that the run can be
// repeated.

#include <cstdio>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QRandomGenerator>
#include <QTest>
#include <QToolButton>

#include "app/Main.h"
#include "controls/DBText.h"
#include "controls/uEditEx.h"
#include "memtable/xovMemTable.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/MatchModel.h"
#include <unistd.h>

namespace {

const QColor Red(255, 0, 0);

// Actions per window: every session starts a new window from a settings file of its own.
constexpr int SessionLength = 5000;

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}

// The window as the operator's actions leave it: the match as its rules tell it, and what the
// window shows around it.
struct WindowModel
{
    MatchModel match;
    bool red = false;
    QString box; // the entry box's text
    bool boxSelected = false; // all of it selected
    bool panelShown = false;
    QString startScoreBox;

    void refresh()
    {
        box.clear();
        boxSelected = false;
    }

    void typed(const QString &text)
    {
        if (text.isEmpty())
            return; // no key, nothing changes
        box = boxSelected ? text : box + text;
        boxSelected = false;
    }

    void enter()
    {
        const MatchModel::Entry entry = match.enter(box);
        if (entry == MatchModel::Entry::Refused) {
            red = true;
            boxSelected = true;
            return;
        }
        red = entry == MatchModel::Entry::RecordedAsZero;
        refresh();
    }

    void undo()
    {
        if (match.undo())
            refresh();
    }

    void newGame()
    {
        match.newGame();
        refresh();
    }
};

// What an operator may type or paste into the entry box.
QString someText(QRandomGenerator &random)
{
    auto pick = [&random](std::initializer_list<const char16_t *> items) {
        return QString::fromUtf16(items.begin()[random.bounded(int(items.size()))]);
    };
    switch (random.bounded(12)) {
    case 0:
    case 1:
    case 2:
        return QString::number(random.bounded(181));
    case 3:
        return QString::number(random.bounded(2) ? 181 + random.bounded(820) : random.bounded(181, 1000000000));
    case 4:
        return u'-' + QString::number(random.bounded(2) ? random.bounded(200) : random.bounded(2147483647));
    case 5:
        return pick({u"2147483647", u"2147483648", u"-2147483648", u"-2147483649", u"99999999999", u"-0",
            u"00000000000000000000060", u"18446744073709551617"});
    case 6:
        return pick({u"", u" ", u"   "});
    case 7:
        return pick({u"abc", u"x", u"6a0", u"1e3", u"12abc", u"+5", u"--5", u"1-2", u"a-5", u"- 20"});
    case 8:
        return pick({u"1,5", u"60.", u".", u"1.2.3", u",", u"1,", u"-.5", u"1.0"});
    case 9:
        return pick({u" 6 0 ", u"  45", u"1 8 0", u"\t100\t"});
    case 10:
        return pick({u"\t60\u0001", u"\u007f", u"\u000b12", u"\n", u"\r20", u"2\u00000", u"\u001b"});
    default:
        // Digits and signs that are not ASCII make no number.
        return pick({u"\uff16\uff10", u"\u0663", u"\u00e9", u"\u221220", u"\u00b2", u"5\u00a0"});
    }
}

// The offscreen platform says, every time, that it cannot do what only a real window system
// does (size hints, masks, opacity); over thousands of actions that would bury the report.
QtMessageHandler forwardMessage = nullptr;

void quietPlatform(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QStringLiteral("This plugin does not support")))
        return;
    forwardMessage(type, context, message);
}

bool plainAscii(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 32 && c.unicode() < 127; });
}

} // namespace

class tst_soak : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void soak_data();
    void soak();

private:
    void openWindow(int session);
    void act();
    void check();
    void checkRows();
    QString where() const;

    QRandomGenerator random;
    int actions = 20000;
    quint32 seed = 1;
    int step = 0;
    // Resident memory after the first window's life is the baseline; later windows and games
    // may not grow it beyond a bound. Under AddressSanitizer freed memory is held in
    // quarantine, so there the leak checker at exit does this job instead.
#if defined(__SANITIZE_ADDRESS__)
    static constexpr bool measureMemory = false;
#else
    static constexpr bool measureMemory = true;
#endif
    static constexpr qint64 MemoryBound = 16 * 1024 * 1024;
    qint64 baseline = -1;
    qint64 peak = 0;
    std::size_t longestGame = 0;
    QString action;
    MainWindowFixture main;
    Tfrm_Main *w = nullptr;
    WindowModel m;
};

void tst_soak::initTestCase()
{
    if (qEnvironmentVariableIsSet("PONTIX_SOAK_ACTIONS"))
        actions = qEnvironmentVariableIntValue("PONTIX_SOAK_ACTIONS");
    if (qEnvironmentVariableIsSet("PONTIX_SOAK_SEED"))
        seed = quint32(qEnvironmentVariableIntValue("PONTIX_SOAK_SEED"));
    random.seed(seed);
    forwardMessage = qInstallMessageHandler(quietPlatform);
    QVERIFY(main.isValid());
}

void tst_soak::cleanupTestCase()
{
    main.close();
    w = nullptr;
    std::printf("soak: %d actions, seed %u, longest game %zu rows, resident memory %lld KiB after the first window, "
                "peak %lld KiB\n",
        actions, seed, longestGame, baseline / 1024, peak / 1024);
}

QString tst_soak::where() const
{
    return QStringLiteral("seed %1, step %2, after %3").arg(seed).arg(step).arg(action);
}

// Each session reads its start score and exact-checkout option from the settings file; the
// first one plays with the defaults.
void tst_soak::openWindow(int session)
{
    main.close();
    w = nullptr;
    m = WindowModel();
    if (session > 0) {
        static const qint32 starts[] = {501, 301, 701, 170, 0, -60, 2147483647, -2147483647 - 1};
        const qint32 start = starts[random.bounded(int(std::size(starts)))];
        const bool ticked = random.bounded(3) != 0;
        m.match = MatchModel(start, ticked);
        QFile ini(main.settingsPath());
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("[Def]\nIndul=%1\nKellKiszallo=%2\n").arg(start).arg(ticked).toUtf8());
    }
    m.startScoreBox = QString::number(m.match.startScore);

    QVERIFY(main.open());
    w = main.window();
    action = QStringLiteral("opening the window (start score %1)").arg(m.match.startScore);
}

void tst_soak::act()
{
    TEditEx *box = w->EditEx1;
    const int roll = random.bounded(100);
    // Long games are cut short now and then so that the table's rows stay bounded.
    if (roll < 1 || (m.match.rows.size() > 60 && roll < 10)) {
        const bool f3 = random.bounded(2);
        action = f3 ? QStringLiteral("F3") : QStringLiteral("Ins");
        QTest::keyClick(box, f3 ? Qt::Key_F3 : Qt::Key_Insert);
        m.newGame();
    } else if (roll < 35) {
        if (m.box.size() > 60) {
            action = QStringLiteral("clearing the box");
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Backspace);
            m.box.clear();
            m.boxSelected = false;
            return;
        }
        // Now and then the operator types the thrower's remaining score, or one either side of
        // it: games reach exactly 0 and go past it.
        const qint32 left = m.match.remaining(m.match.player1ToThrow);
        const QString text
            = random.bounded(8) == 0 ? QString::number(qint64(left) + random.bounded(-1, 2)) : someText(random);
        if (plainAscii(text) && (text.isEmpty() || random.bounded(2))) {
            action = QStringLiteral("typing \"%1\"").arg(text);
            QTest::keyClicks(box, text);
        } else {
            action = QStringLiteral("pasting \"%1\"").arg(text.toHtmlEscaped());
            box->insert(text);
        }
        m.typed(text);
    } else if (roll < 55) {
        const bool keypad = random.bounded(4) == 0;
        action = keypad ? QStringLiteral("keypad Enter in the entry box") : QStringLiteral("Enter in the entry box");
        QTest::keyClick(box, keypad ? Qt::Key_Enter : Qt::Key_Return);
        m.enter();
    } else if (roll < 60) {
        if (m.panelShown) {
            action = QStringLiteral("Enter in the start-score box");
            QTest::keyClick(w->Edit1, Qt::Key_Return);
        } else {
            action = QStringLiteral("OK");
            QTest::mouseClick(w->SpeedButton2, Qt::LeftButton);
        }
        m.enter();
    } else if (roll < 68) {
        action = QStringLiteral("OK");
        QTest::mouseClick(w->SpeedButton2, Qt::LeftButton);
        m.enter();
    } else if (roll < 78) {
        action = QStringLiteral("F8");
        QTest::keyClick(box, Qt::Key_F8);
        m.undo();
    } else if (roll < 82) {
        action = QStringLiteral("F6");
        QTest::keyClick(box, Qt::Key_F6);
        m.panelShown = !m.panelShown;
    } else if (roll < 88) {
        if (!m.panelShown) {
            action = QStringLiteral("the settings tool button");
            w->aBeallit->trigger();
            m.panelShown = true;
            return;
        }
        const int what = random.bounded(5);
        if (what == 4) {
            // Double out brings the exact checkout with it.
            QCheckBox *const doubleOut = doubleOutBoxOf(*w);
            QVERIFY2(doubleOut, qPrintable(where()));
            action = QStringLiteral("clicking the double-out box");
            QTest::mouseClick(doubleOut, Qt::LeftButton, {}, QPoint(8, doubleOut->height() / 2));
            m.match.doubleOut = !m.match.doubleOut;
            if (m.match.doubleOut)
                m.match.exactCheckout = true;
            box->setFocus();
            m.boxSelected = false;
        } else if (what < 2) {
            action = QStringLiteral("clicking the exact-checkout box");
            QTest::mouseClick(w->CheckBox1, Qt::LeftButton, {}, QPoint(8, w->CheckBox1->height() / 2));
            m.match.exactCheckout = !m.match.exactCheckout;
            // Clearing the exact checkout clears double out, which includes it.
            if (!m.match.exactCheckout)
                m.match.doubleOut = false;
            // The click took the focus, and the entry box's selection with it; the operator
            // goes back to the entry box.
            box->setFocus();
            m.boxSelected = false;
        } else if (what == 2) {
            const QString typed = QString::number(random.bounded(-100, 1000));
            action = QStringLiteral("typing %1 as the start score").arg(typed);
            QTest::keyClick(w->Edit1, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(w->Edit1, typed);
            m.startScoreBox = typed;
        } else {
            action = QStringLiteral("closing the settings panel");
            QTest::mouseClick(w->SpeedButton1, Qt::LeftButton);
            m.panelShown = false;
        }
    } else if (roll < 92) {
        action = QStringLiteral("clearing the box");
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
        m.box.clear();
        m.boxSelected = false;
    } else if (roll < 94) {
        action = QStringLiteral("F9");
        QTest::keyClick(box, Qt::Key_F9);
        if (m.match.restorePrevious() == MatchModel::Previous::Restored)
            m.refresh();
    } else {
        // Time passes: the window repaints, timers tick.
        action = QStringLiteral("a pause");
        QCoreApplication::processEvents();
    }
}

void tst_soak::check()
{
    const auto fail = [this](const QString &what) { return qPrintable(where() + QStringLiteral(": ") + what); };
    QVERIFY2(w->Player1Starts == m.match.player1Starts, fail(QStringLiteral("Player1Starts")));
    QVERIFY2(w->Player1ToThrow == m.match.player1ToThrow, fail(QStringLiteral("Player1ToThrow")));
    QVERIFY2(w->Remaining1 == m.match.remaining1,
        fail(QStringLiteral("Remaining1 %1, expected %2").arg(w->Remaining1).arg(m.match.remaining1)));
    QVERIFY2(w->Remaining2 == m.match.remaining2,
        fail(QStringLiteral("Remaining2 %1, expected %2").arg(w->Remaining2).arg(m.match.remaining2)));
    QVERIFY2(StartScore == m.match.startScore, fail(QStringLiteral("StartScore %1").arg(StartScore)));

    const QString label1 = QString::number(m.match.remaining1);
    const QString label2 = QString::number(m.match.remaining2);
    QVERIFY2(
        w->Label1->text() == label1, fail(QStringLiteral("Label1 \"%1\", expected %2").arg(w->Label1->text(), label1)));
    QVERIFY2(
        w->Label2->text() == label2, fail(QStringLiteral("Label2 \"%1\", expected %2").arg(w->Label2->text(), label2)));
    QVERIFY2(w->Image1->isHidden() == !m.match.player1ToThrow, fail(QStringLiteral("player 1's marker")));
    QVERIFY2(w->Image2->isHidden() == m.match.player1ToThrow, fail(QStringLiteral("player 2's marker")));

    const QColor color = w->EditEx1->palette().color(QPalette::Base);
    QVERIFY2((color == Red) == m.red, fail(QStringLiteral("entry box colour %1").arg(color.name())));
    QVERIFY2(w->EditEx1->text() == m.box,
        fail(QStringLiteral("entry box \"%1\", expected \"%2\"").arg(w->EditEx1->text(), m.box).toHtmlEscaped()));
    const QString selected = m.boxSelected ? m.box : QString();
    QVERIFY2(w->EditEx1->selectedText() == selected,
        fail(QStringLiteral("selected \"%1\", expected \"%2\"").arg(w->EditEx1->selectedText(), selected)));
    QVERIFY2(w->Panel4->isVisible() == m.panelShown, fail(QStringLiteral("settings panel")));
    QVERIFY2(w->CheckBox1->isChecked() == m.match.exactCheckout, fail(QStringLiteral("exact-checkout box")));
    QVERIFY2(w->Edit1->text() == m.startScoreBox, fail(QStringLiteral("start-score box \"%1\"").arg(w->Edit1->text())));

    // The average labels show the newest row's averages.
    const TurnRow last = m.match.rows.empty() ? TurnRow() : m.match.rows.back();
    const QString average1 = last[3] ? QString::number(*last[3]) : QString();
    const QString average2 = last[6] ? QString::number(*last[6]) : QString();
    QVERIFY2(w->DBText1->text() == average1,
        fail(QStringLiteral("DBText1 \"%1\", expected \"%2\"").arg(w->DBText1->text(), average1)));
    QVERIFY2(w->DBText2->text() == average2,
        fail(QStringLiteral("DBText2 \"%1\", expected \"%2\"").arg(w->DBText2->text(), average2)));

    checkRows();
}

void tst_soak::checkRows()
{
    const auto fail = [this](const QString &what) { return qPrintable(where() + QStringLiteral(": ") + what); };
    TxovMemTable *table = w->Tbl;
    const qint32 count = qint32(m.match.rows.size());
    QVERIFY2(table->State() == TDataSetState::dsBrowse, fail(QStringLiteral("table not in browse state")));
    QVERIFY2(
        table->RowCount() == count, fail(QStringLiteral("%1 rows, expected %2").arg(table->RowCount()).arg(count)));
    // Every action leaves the cursor on the last row, which undo relies on.
    QVERIFY2(table->RowNumber() == (count ? count : -1),
        fail(QStringLiteral("current row %1 of %2").arg(table->RowNumber()).arg(count)));

    const auto rowHere = [table] {
        TurnRow row;
        for (int f = 0; f < TurnFieldCount; ++f) {
            const QVariant value = table->FieldValue(QString::fromLatin1(TurnFieldNames[f]));
            if (!value.isNull())
                row[f] = value.toInt();
        }
        return row;
    };
    if (count == 0)
        return;
    // An action changes at most the last two rows; all of them are read now and then, the
    // last two after every action.
    const qint32 first = step % 32 == 0 ? 0 : std::max(0, count - 2);
    if (first == 0)
        table->MoveFirst();
    else
        QVERIFY2(table->MoveRows(first - (count - 1)) == first - (count - 1), fail(QStringLiteral("cannot move back")));
    for (qint32 k = first; k < count; ++k) {
        const TurnRow row = rowHere();
        QVERIFY2(row == m.match.rows[k],
            fail(QStringLiteral("row %1 is %2, expected %3")
                     .arg(k + 1)
                     .arg(turnRowText(row), turnRowText(m.match.rows[k]))));
        if (k + 1 < count)
            QVERIFY2(table->MoveRows(1) == 1, fail(QStringLiteral("cannot move past row %1").arg(k + 1)));
    }
    QVERIFY2(table->RowNumber() == count, fail(QStringLiteral("walk ended on row %1").arg(table->RowNumber())));
}

// One row per window, so that a long run is many short test functions, each well within the
// test runner's time limit per function.
void tst_soak::soak_data()
{
    QTest::addColumn<int>("session");
    for (int session = 0; session * SessionLength < actions; ++session)
        QTest::addRow("window %d", session + 1) << session;
}

void tst_soak::soak()
{
    QFETCH(int, session);
    const int end = std::min(actions, (session + 1) * SessionLength);
    for (step = session * SessionLength; step < end; ++step) {
        if (step == session * SessionLength) {
            if (session == 1 && measureMemory)
                baseline = residentBytes();
            openWindow(session);
            if (QTest::currentTestFailed())
                return;
        } else {
            act();
        }
        check();
        if (QTest::currentTestFailed())
            return;
        longestGame = std::max(longestGame, m.match.rows.size());
        if (baseline >= 0 && step % 64 == 0) {
            const qint64 resident = residentBytes();
            peak = std::max(peak, resident);
            QVERIFY2(resident - baseline <= MemoryBound,
                qPrintable(
                    where() + QStringLiteral(": resident memory grew by %1 KiB").arg((resident - baseline) / 1024)));
        }
    }
}

QTEST_MAIN(tst_soak)
#include "tst_soak.moc"
