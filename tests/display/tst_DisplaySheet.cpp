// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The spectator display and the result sheet: the sheet in place of the halves from the new game
// that decides a match until the next leg's first turn, read by a screen reader as a table.
#include <QAccessible>
#include <QTableView>
#include <QTest>

#include "display/Display.h"
#include "display/DisplayAccessible.h"
#include "sheet/ResultView.h"
#include "tests/support/Accessibility.h"
#include "tests/support/GameOnTable.h"

using namespace Qt::StringLiterals;

class tst_DisplaySheet : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void shownWhenDecided_data();
    void shownWhenDecided();
    void readAsATable();

private:
    // The display catches up with the match, as after each of the operator's changes.
    void refresh();

    std::unique_ptr<GameOnTable> m_game;
    std::unique_ptr<SpectatorDisplay> m_display;
};

void tst_DisplaySheet::init()
{
    InstallDisplayAccessibility();
    m_game = std::make_unique<GameOnTable>(301);
    m_game->match.legs().setFirstTo(2);
    const TurnFields fields {m_game->e1, m_game->a1, m_game->e2, m_game->a2};
    // The view as the main window makes it, from the match as it stands.
    const auto view = [this] {
        const Legs &legs = m_game->match.legs();
        return MatchView {{{{u"Anna"_s, m_game->match.Remaining1, legs.figures(true)},
                              {u"Béla"_s, m_game->match.Remaining2, legs.figures(false)}}},
            m_game->match.Player1ToThrow, m_game->match.Player1Starts, true, legs.firstTo(), legs.matchWinner(), 0,
            false, legs.matchDrawn(), true};
    };
    m_display = std::make_unique<SpectatorDisplay>(m_game->match, &m_game->turns.source, fields, view);
    m_display->resize(1280, 720);
    m_display->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_display.get()));
}

void tst_DisplaySheet::cleanup()
{
    m_display.reset();
    m_game.reset();
}

void tst_DisplaySheet::refresh()
{
    m_display->refreshLater();
    QCoreApplication::processEvents();
}

void tst_DisplaySheet::shownWhenDecided_data()
{
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("shown");

    QTest::newRow("the next leg's first turn") << u"60"_s << false;
    QTest::newRow("that turn taken back") << u"60 u"_s << true;
    QTest::newRow("a new game on the empty leg") << u"n"_s << false;
    QTest::newRow("a new match") << u"m"_s << false;
    QTest::newRow("the deciding leg brought back") << u"p"_s << false;
}

// Until a match is decided the display builds no sheet; from the new game that decides it, the
// sheet of that match stands in place of the halves, with the totals and the chart of the deciding
// leg, until the match goes on.
void tst_DisplaySheet::shownWhenDecided()
{
    QFETCH(QString, after);
    QFETCH(bool, shown);
    QCOMPARE(m_game->play(u"180 100 60 140 61 d2 n 100 180 60 100 141 n 180 100 60 140 61"_s), QString());
    refresh();
    QVERIFY(!m_display->showsSheet());
    QVERIFY(!m_display->sheetView());

    QCOMPARE(m_game->play(u"n"_s), QString());
    refresh();
    QVERIFY(m_display->showsSheet());
    ResultView *sheet = m_display->sheetView();
    QVERIFY(sheet && sheet->isVisible());
    QCOMPARE(
        sheet->geometry(), QRect(0, m_display->matchBand().bottom() + 1, 1280, 720 - m_display->matchBand().height()));
    QCOMPARE(sheet->title(), u"Anna 2 – 1 Béla"_s);
    QCOMPARE(sheet->legCount(), 3);
    QCOMPARE(sheet->chosenLeg(), 2);
    QCOMPARE(sheet->chart()->course().remaining[0], std::vector<qint32>({301, 121, 61, 0}));
    // The room sees the totals, a row for each player, and never gets the keyboard.
    const QAbstractItemModel *totals = sheet->table()->model();
    QCOMPARE(totals->rowCount(), 2);
    QCOMPARE(totals->headerData(0, Qt::Vertical).toString(), u"Anna"_s);
    QCOMPARE(totals->index(0, 0).data().toString(), u"2"_s);
    QCOMPARE(sheet->table()->focusPolicy(), Qt::NoFocus);
    QVERIFY(m_display->matchBandText().startsWith(u"Anna nyerte a meccset"_s));

    QCOMPARE(m_game->play(after), QString());
    refresh();
    QCOMPARE(m_display->showsSheet(), shown);
    QCOMPARE(sheet->isVisible(), shown);
}

// While the sheet shows, a screen reader finds it after the band, its totals as a table with
// headers, and the halves it covers as invisible.
void tst_DisplaySheet::readAsATable()
{
    if (!SwitchAccessibilityOn())
        QSKIP("the platform has no accessibility");
    QAccessibleInterface *display = QAccessible::queryAccessibleInterface(m_display.get());
    QVERIFY(display);
    QCOMPARE(display->childCount(), 3);
    QCOMPARE(m_game->play(u"180 100 60 140 61 n 100 180 60 100 141 n 180 100 60 140 61 n"_s), QString());
    refresh();
    QCOMPARE(display->childCount(), 4);
    QVERIFY(display->child(1)->state().invisible);
    QVERIFY(!display->child(0)->state().invisible);
    QAccessibleInterface *sheet = display->child(3);
    QVERIFY(sheet);
    QCOMPARE(sheet->object(), m_display->sheetView());
    QCOMPARE(sheet->parent()->object(), m_display.get());
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(m_display->sheetView()->table());
    QCOMPARE(table->parent()->object(), m_display->sheetView());
    QVERIFY(table->tableInterface());
    QAccessibleInterface *cell = table->tableInterface()->cellAt(1, 1);
    QCOMPARE(cell->text(QAccessible::Name), u"112"_s);
    QCOMPARE(TakeHeaderNames(cell->tableCellInterface()->columnHeaderCells()), QStringList {u"Átlag"_s});
    QCOMPARE(TakeHeaderNames(cell->tableCellInterface()->rowHeaderCells()), QStringList {u"Béla"_s});

    QCOMPARE(m_game->play(u"60"_s), QString());
    refresh();
    QCOMPARE(display->childCount(), 3);
    QVERIFY(!display->child(1)->state().invisible);
}

QTEST_MAIN(tst_DisplaySheet)
#include "tst_DisplaySheet.moc"
