// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The result sheet's view and window: what they show of a match as it goes on, the leg the chart
// shows, and the table as a screen reader reads it.
#include <QAccessible>
#include <QComboBox>
#include <QTableView>
#include <QTest>

#include "match/ResultSheet.h"
#include "sheet/ResultTableModel.h"
#include "sheet/ResultView.h"
#include "sheet/ResultWindow.h"
#include "tests/support/Accessibility.h"
#include "tests/support/GameOnTable.h"

using namespace Qt::StringLiterals;

namespace {

QString chartText(const LegCourse &course)
{
    QStringList players;
    for (const std::vector<qint32> &scores : course.remaining) {
        QStringList texts;
        for (const qint32 score : scores)
            texts << QString::number(score);
        players << texts.join(u' ');
    }
    return players.join(u" | "_s);
}

} // namespace

class tst_ResultView : public QObject
{
    Q_OBJECT

private slots:
    void followsTheMatch();
    void chosenLegKept();
    void namesAndTitle();
    void readAsATable();
    void window();
};

// Refreshed, the view shows the match in play: the leg in play from its first turn, the decided
// match until the next leg's first turn, then the new match.
void tst_ResultView::followsTheMatch()
{
    GameOnTable game(301);
    game.match.legs().setFirstTo(2);
    ResultView view(game.match);
    view.setPlayerNames(u"Anna"_s, u"Béla"_s);
    QCOMPARE(view.shownMatch(), 0);
    QCOMPARE(view.legCount(), 0);
    QCOMPARE(view.chosenLeg(), -1);
    QVERIFY(view.chart()->course().isEmpty());

    QCOMPARE(game.play(u"180 100 60 140 61"_s), QString());
    view.refresh();
    QCOMPARE(view.legCount(), 1);
    QCOMPARE(view.title(), u"Anna 1 – 0 Béla"_s);
    QCOMPARE(chartText(view.chart()->course()), u"301 121 61 0 | 301 201 61"_s);

    QCOMPARE(game.play(u"n 100 180 60 100 61 u"_s), QString());
    view.refresh();
    QCOMPARE(view.legCount(), 2);
    QCOMPARE(view.chosenLeg(), 1);
    QCOMPARE(view.legChooser()->currentText(), u"2. leg"_s);
    QCOMPARE(chartText(view.chart()->course()), u"301 121 21 | 301 201 141"_s);

    // Béla's finish takes the second leg; Anna's the third and the match.
    QCOMPARE(game.play(u"141 n 180 100 60 140 61 n"_s), QString());
    QVERIFY(game.match.legs().matchDecided());
    view.refresh();
    QCOMPARE(view.shownMatch(), 1);
    QCOMPARE(view.legCount(), 3);
    QCOMPARE(view.title(), u"Anna 2 – 1 Béla"_s);
    QCOMPARE(view.model().rowCount(), 4);

    QCOMPARE(game.play(u"60"_s), QString());
    view.refresh();
    QCOMPARE(view.shownMatch(), 2);
    QCOMPARE(view.legCount(), 1);
    QCOMPARE(view.title(), u"Anna 0 – 0 Béla"_s);
}

// A leg chosen from the keyboard stays chosen as the match goes on; the last one chosen follows
// the legs that come.
void tst_ResultView::chosenLegKept()
{
    GameOnTable game(301);
    QCOMPARE(game.play(u"180 100 60 140 61 n 100 100 n 45"_s), QString());
    ResultView view(game.match);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.chosenLeg(), 2);
    view.legChooser()->setFocus();
    QTest::keyClick(view.legChooser(), Qt::Key_Home);
    QCOMPARE(view.chosenLeg(), 0);
    QCOMPARE(chartText(view.chart()->course()), u"301 121 61 0 | 301 201 61"_s);
    QCOMPARE(game.play(u"60 n 20"_s), QString());
    view.refresh();
    QCOMPARE(view.legCount(), 4);
    QCOMPARE(view.chosenLeg(), 0);
    QTest::keyClick(view.legChooser(), Qt::Key_End);
    QCOMPARE(view.chosenLeg(), 3);
    QCOMPARE(game.play(u"n 40"_s), QString());
    view.refresh();
    QCOMPARE(view.chosenLeg(), 4);
    QVERIFY(!view.legChooser()->accessibleName().isEmpty());
}

void tst_ResultView::namesAndTitle()
{
    GameOnTable game(301);
    QCOMPARE(game.play(u"60 45"_s), QString());
    ResultView view(game.match);
    QCOMPARE(view.title(), u"1. játékos 0 – 0 2. játékos"_s);
    QCOMPARE(view.model().index(0, 1).data().toString(), u"1. játékos"_s);
    view.setPlayerNames(u"  Kovács "_s, u"Szabó"_s);
    QCOMPARE(view.title(), u"Kovács 0 – 0 Szabó"_s);
    QCOMPARE(view.model().headerData(3, Qt::Horizontal, Qt::AccessibleTextRole).toString(), u"Kovács: Átlag"_s);
    QCOMPARE(view.chart()->course().names[1], u"Szabó"_s);
}

// A screen reader finds the table with its column headers, each cell read with the header naming
// the player and the figure.
void tst_ResultView::readAsATable()
{
    if (!SwitchAccessibilityOn())
        QSKIP("the platform has no accessibility");
    GameOnTable game(301);
    QCOMPARE(game.play(u"180 100 60 140 61 n"_s), QString());
    ResultView view(game.match);
    view.setPlayerNames(u"Anna"_s, u"Béla"_s);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(view.table());
    QVERIFY(table);
    QCOMPARE(table->role(), QAccessible::Table);
    QAccessibleTableInterface *cells = table->tableInterface();
    QVERIFY(cells);
    QCOMPARE(cells->rowCount(), 2);
    QCOMPARE(cells->columnCount(), 15);
    QAccessibleInterface *average = cells->cellAt(0, 3);
    QVERIFY(average && average->tableCellInterface());
    QCOMPARE(average->text(QAccessible::Name), u"100"_s);
    QCOMPARE(TakeHeaderNames(average->tableCellInterface()->columnHeaderCells()), QStringList {u"Anna: Átlag"_s});
    QCOMPARE(cells->cellAt(0, 14)->text(QAccessible::Name), u"nincs"_s);
    QCOMPARE(cells->cellAt(1, 0)->text(QAccessible::Name), u"Összesen"_s);
}

// The "Eredmény" window: its title, and the view's names and darts passed on.
void tst_ResultView::window()
{
    GameOnTable game(301);
    QCOMPARE(game.play(u"180 100 60 140 61 d2"_s), QString());
    ResultWindow window(game.match);
    QCOMPARE(window.windowTitle(), u"Eredmény"_s);
    QVERIFY(window.isWindow());
    window.setPlayerNames(u"Anna"_s, u"Béla"_s);
    window.setDartsShown(true);
    window.refresh();
    QCOMPARE(window.view()->model().index(0, 3).data().toString(), u"8 nyíl"_s);
    QCOMPARE(window.view()->title(), u"Anna 1 – 0 Béla"_s);
    QVERIFY(window.message().isEmpty());
}

QTEST_MAIN(tst_ResultView)
#include "tst_ResultView.moc"
