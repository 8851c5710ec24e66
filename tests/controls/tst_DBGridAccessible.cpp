// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <functional>
#include <vector>

#include <QAccessible>
#include <QAccessibleTableCellInterface>
#include <QTest>

#include "controls/DBGrid.h"
#include "controls/DBGridAccessible.h"
#include "tests/support/Accessibility.h"
#include "tests/support/GridForm.h"

using namespace GridTest;
using Form = GridForm<TDBGrid>;

namespace {

// Every table-model event the readers are told: what changed, which rows, and what the table
// held at that moment.
struct ToldChange
{
    QObject *object;
    QAccessibleTableModelChangeEvent::ModelChangeType change;
    int firstRow;
    int lastRow;
    int rows;
    QString lastScore;
};
std::vector<ToldChange> told;
// The cells told as focused, by their text.
QStringList focused;

void recordUpdate(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::Focus) {
        QAccessibleInterface *iface = event->accessibleInterface();
        if (iface && iface->role() == QAccessible::Cell)
            focused << iface->text(QAccessible::Name);
    }
    if (event->type() != QAccessible::TableModelChanged)
        return;
    const auto *change = static_cast<QAccessibleTableModelChangeEvent *>(event);
    QAccessibleTableInterface *table = event->accessibleInterface()->tableInterface();
    const int rows = table->rowCount();
    QAccessibleInterface *last = rows > 0 ? table->cellAt(rows - 1, 0) : nullptr;
    told.push_back({event->object(), change->modelChangeType(), change->firstRow(), change->lastRow(), rows,
        last ? last->text(QAccessible::Name) : QString()});
}

QAccessibleTableInterface *tableOf(QWidget *grid)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(grid);
    return iface ? iface->tableInterface() : nullptr;
}

// The display texts of e1 and h1 in the table's last `count` rows, oldest first, read by moving
// the cursor; the cursor ends on the last row again.
std::vector<std::pair<QString, QString>> lastRows(TxovMemTable &table, int count)
{
    std::vector<std::pair<QString, QString>> rows;
    table.MoveLast();
    for (int k = 0; k < count; ++k) {
        rows.insert(rows.begin(),
            {table.FieldNamed(QStringLiteral("e1"))->DisplayText(),
                table.FieldNamed(QStringLiteral("h1"))->DisplayText()});
        table.MovePrior();
    }
    table.MoveLast();
    return rows;
}

} // namespace

// The bound grid read as a table by assistive technology: the shown rows and visible columns,
// cells with the field texts, readers told when the table changes, the cursor never moved.
class tst_DBGridAccessible : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void shownRowsAsTable_data();
    void shownRowsAsTable();
    void cellsKnowTheirPlace();
    void hiddenColumnLeftOut();
    void readingMovesNoCursor();
    void headersBeforeCells();
    void rowChangesTold_data();
    void rowChangesTold();
    void toldOnceGridFollowed();
    void closedTableHasNoRows();
    void readingCellFocused();
};

void tst_DBGridAccessible::initTestCase()
{
    InstallDBGridAccessibility();
    QAccessible::installUpdateHandler(recordUpdate);
    QVERIFY(SwitchAccessibilityOn());
}

void tst_DBGridAccessible::init()
{
    told.clear();
    focused.clear();
}

void tst_DBGridAccessible::cleanupTestCase()
{
    QAccessible::installUpdateHandler(nullptr);
}

void tst_DBGridAccessible::shownRowsAsTable_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("visibleRows");
    QTest::addColumn<int>("expectedRows");

    QTest::newRow("empty table") << 0 << 4 << 0;
    QTest::newRow("one row") << 1 << 4 << 1;
    QTest::newRow("grid not full") << 3 << 4 << 3;
    QTest::newRow("grid exactly full") << 4 << 4 << 4;
    QTest::newRow("more rows than shown") << 11 << 4 << 4;
    QTest::newRow("one row shown of many") << 7 << 1 << 1;
}

void tst_DBGridAccessible::shownRowsAsTable()
{
    QFETCH(int, rows);
    QFETCH(int, visibleRows);
    QFETCH(int, expectedRows);

    Form f(visibleRows);
    f.t.addRows(rows);
    flushPaints();

    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(f.grid);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Table);
    QAccessibleTableInterface *table = iface->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), expectedRows);
    QCOMPARE(table->columnCount(), 2);
    // The two columns' headers, then the cells.
    QCOMPARE(iface->childCount(), (1 + expectedRows) * 2);
    QCOMPARE(table->columnDescription(0), QStringLiteral("e1"));
    QCOMPARE(table->columnDescription(1), QStringLiteral("h1"));
    QCOMPARE(iface->child(0)->text(QAccessible::Name), QStringLiteral("e1"));
    QCOMPARE(iface->child(1)->text(QAccessible::Name), QStringLiteral("h1"));

    // The newest rows are the ones shown, the newest at the bottom.
    const auto expected = lastRows(f.t.table, expectedRows);
    for (int r = 0; r < expectedRows; ++r) {
        QCOMPARE(table->cellAt(r, 0)->text(QAccessible::Name), expected[size_t(r)].first);
        QCOMPARE(table->cellAt(r, 1)->text(QAccessible::Name), expected[size_t(r)].second);
    }
    QVERIFY(!table->cellAt(expectedRows, 0));
    QVERIFY(!table->cellAt(0, 2));
    QVERIFY(!table->cellAt(-1, 0));
}

void tst_DBGridAccessible::cellsKnowTheirPlace()
{
    Form f(4);
    f.t.table.FieldNamed(QStringLiteral("e1"))->setDisplayLabel(QStringLiteral("Dobás"));
    f.t.addScores({60, 140, QVariant()});
    flushPaints();

    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(f.grid);
    QAccessibleTableInterface *table = iface->tableInterface();
    QCOMPARE(table->columnDescription(0), QStringLiteral("Dobás"));
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            QAccessibleInterface *cell = table->cellAt(row, column);
            QVERIFY(cell && cell->isValid());
            QCOMPARE(cell->role(), QAccessible::Cell);
            QCOMPARE(cell->parent(), iface);
            const int index = iface->indexOfChild(cell);
            QCOMPARE(index, (row + 1) * 2 + column);
            QCOMPARE(iface->child(index), cell);
            QAccessibleTableCellInterface *place = cell->tableCellInterface();
            QVERIFY(place);
            QCOMPARE(place->rowIndex(), row);
            QCOMPARE(place->columnIndex(), column);
            QCOMPARE(place->table(), iface);
            // Read with its column's header.
            const QList<QAccessibleInterface *> headers = place->columnHeaderCells();
            QCOMPARE(headers.size(), 1);
            QCOMPARE(headers.front(), iface->child(column));
            QCOMPARE(headers.front()->text(QAccessible::Name), table->columnDescription(column));

            // Where the cell stands on the screen, inside the grid; a point in it finds it again.
            const QRect rect = cell->rect();
            QVERIFY2(!rect.isEmpty(), qPrintable(QStringLiteral("cell %1, %2").arg(row).arg(column)));
            QVERIFY(iface->rect().contains(rect));
            QCOMPARE(iface->childAt(rect.center().x(), rect.center().y()), cell);
        }
    }
    QCOMPARE(table->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("60"));
    QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("140"));
    QCOMPARE(table->cellAt(2, 0)->text(QAccessible::Name), QString());
}

// The headers are the first children, one per visible column, holding the columns' titles;
// without a title row on the screen they have no place there, with one they are its cells.
void tst_DBGridAccessible::headersBeforeCells()
{
    for (const bool titles : {false, true}) {
        Form f(4, titles ? ProgramOptions | dgTitles : ProgramOptions);
        f.t.table.FieldNamed(QStringLiteral("h1"))->setDisplayLabel(QStringLiteral("Kell még"));
        f.t.addRows(2);
        flushPaints();
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(f.grid);
        for (int column = 0; column < 2; ++column) {
            QAccessibleInterface *header = iface->child(column);
            QVERIFY(header && header->isValid());
            QCOMPARE(header->role(), QAccessible::ColumnHeader);
            QCOMPARE(header->parent(), iface);
            QCOMPARE(iface->indexOfChild(header), column);
            QCOMPARE(header->state().invisible, !titles);
            QCOMPARE(header->rect().isEmpty(), !titles);
            if (titles)
                QCOMPARE(iface->childAt(header->rect().center().x(), header->rect().center().y()), header);
        }
        QCOMPARE(iface->child(1)->text(QAccessible::Name), QStringLiteral("Kell még"));
        // A hidden column has no header.
        f.grid->Columns()->Items(0)->setVisible(false);
        QCOMPARE(iface->child(0)->text(QAccessible::Name), QStringLiteral("Kell még"));
        QCOMPARE(iface->childCount(), 3);
    }
}

void tst_DBGridAccessible::hiddenColumnLeftOut()
{
    Form f(4);
    f.t.addScores({60, 45});
    f.grid->Columns()->Items(0)->setVisible(false);
    flushPaints();

    QAccessibleTableInterface *table = tableOf(f.grid);
    QCOMPARE(table->columnCount(), 1);
    QCOMPARE(table->columnDescription(0), QStringLiteral("h1"));
    QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name), lastRows(f.t.table, 1).front().second);
}

void tst_DBGridAccessible::readingMovesNoCursor()
{
    Form f(3);
    f.t.addRows(6);
    f.t.table.MovePrior();
    flushPaints();
    const qint32 number = f.t.table.RowNumber();
    const QString current = f.t.table.FieldNamed(QStringLiteral("e1"))->DisplayText();
    const QImage before = f.picture();
    QAccessibleTableInterface *table = tableOf(f.grid);
    told.clear();

    for (int r = 0; r < table->rowCount(); ++r)
        table->cellAt(r, 0)->text(QAccessible::Name);
    flushPaints();

    QCOMPARE(f.t.table.RowNumber(), number);
    QCOMPARE(f.t.table.FieldNamed(QStringLiteral("e1"))->DisplayText(), current);
    QCOMPARE(f.picture(), before);
    QVERIFY(told.empty());
}

using Change = QAccessibleTableModelChangeEvent::ModelChangeType;
struct Told
{
    Change change;
    int firstRow;
    int lastRow;
};
using ToldList = std::vector<Told>;
using TableStep = std::function<void(TxovMemTable &)>;
Q_DECLARE_METATYPE(ToldList)
Q_DECLARE_METATYPE(TableStep)

void tst_DBGridAccessible::rowChangesTold_data()
{
    QTest::addColumn<int>("rows"); // before the step
    QTest::addColumn<TableStep>("step");
    QTest::addColumn<ToldList>("expected");
    QTest::addColumn<int>("rowsAfter");

    const TableStep append = [](TxovMemTable &table) {
        table.AppendRow();
        table.setFieldValue(QStringLiteral("e1"), 99);
        table.setFieldValue(QStringLiteral("h1"), 402);
        table.PostRow();
    };
    const TableStep edit = [](TxovMemTable &table) {
        table.EditRow();
        table.setFieldValue(QStringLiteral("e1"), 7);
        table.PostRow();
    };
    const TableStep deleteLast = [](TxovMemTable &table) { table.DeleteRow(); };
    const TableStep removeAll = [](TxovMemTable &table) { table.RemoveAllRows(); };

    // The grid shows three rows.
    QTest::newRow("first row") << 0 << append << ToldList {{Change::RowsInserted, 0, 0}} << 1;
    QTest::newRow("row added below") << 2 << append << ToldList {{Change::RowsInserted, 2, 2}} << 3;
    QTest::newRow("row added to a full grid")
        << 3 << append << ToldList {{Change::RowsRemoved, 0, 0}, {Change::RowsInserted, 2, 2}} << 3;
    QTest::newRow("row completed") << 2 << edit << ToldList {{Change::DataChanged, 0, 1}} << 2;
    QTest::newRow("last row deleted") << 2 << deleteLast << ToldList {{Change::RowsRemoved, 1, 1}} << 1;
    QTest::newRow("only row deleted") << 1 << deleteLast << ToldList {{Change::RowsRemoved, 0, 0}} << 0;
    QTest::newRow("last row deleted, an older one shows again")
        << 5 << deleteLast << ToldList {{Change::RowsInserted, 0, 0}, {Change::RowsRemoved, 3, 3}} << 3;
    QTest::newRow("table emptied") << 5 << removeAll << ToldList {{Change::RowsRemoved, 0, 2}} << 0;
}

// The readers hear which rows came and went, told once the grid has followed the table, so that
// the table reads as the grid shows it when they hear of it.
void tst_DBGridAccessible::rowChangesTold()
{
    QFETCH(int, rows);
    QFETCH(TableStep, step);
    QFETCH(ToldList, expected);
    QFETCH(int, rowsAfter);

    Form f(3);
    f.t.addRows(rows);
    flushPaints();
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(f.grid);
    QCOMPARE(iface->tableInterface()->rowCount(), std::min(rows, 3));
    told.clear();

    step(f.t.table);
    flushPaints();
    QCOMPARE(int(told.size()), int(expected.size()));
    for (size_t i = 0; i < told.size(); ++i) {
        QCOMPARE(told[i].object, f.grid);
        QCOMPARE(told[i].change, expected[i].change);
        QCOMPARE(told[i].firstRow, expected[i].firstRow);
        QCOMPARE(told[i].lastRow, expected[i].lastRow);
    }
    QCOMPARE(iface->tableInterface()->rowCount(), rowsAfter);
    const auto shown = lastRows(f.t.table, rowsAfter);
    for (int r = 0; r < rowsAfter; ++r)
        QCOMPARE(iface->tableInterface()->cellAt(r, 0)->text(QAccessible::Name), shown[size_t(r)].first);
    // The cells of rows no longer shown are gone; the others stay the same objects.
    QVERIFY(!iface->tableInterface()->cellAt(rowsAfter, 0));
}

void tst_DBGridAccessible::toldOnceGridFollowed()
{
    Form f(3);
    f.t.addRows(3);
    flushPaints();
    QAccessibleTableInterface *table = tableOf(f.grid);
    QCOMPARE(table->rowCount(), 3);
    QAccessibleInterface *kept = table->cellAt(1, 0);
    told.clear();

    // An entry: several notifications, told once, after the grid has taken the new row.
    f.t.table.AppendRow();
    f.t.table.setFieldValue(QStringLiteral("e1"), 99);
    f.t.table.setFieldValue(QStringLiteral("h1"), 402);
    f.t.table.PostRow();
    QVERIFY(told.empty());
    flushPaints();
    QCOMPARE(int(told.size()), 2);
    QCOMPARE(told.back().rows, 3);
    QCOMPARE(told.back().lastScore, QStringLiteral("99"));
    // A cell stands for its place: the middle one now reads the row that moved into it.
    QCOMPARE(table->cellAt(1, 0), kept);
    QCOMPARE(kept->text(QAccessible::Name), lastRows(f.t.table, 2).front().first);
}

void tst_DBGridAccessible::closedTableHasNoRows()
{
    Form f(4);
    f.t.addScores({60});
    flushPaints();
    QAccessibleTableInterface *table = tableOf(f.grid);
    QCOMPARE(table->rowCount(), 1);
    f.t.table.CloseTable();
    flushPaints();
    QCOMPARE(table->rowCount(), 0);
    QVERIFY(!table->cellAt(0, 0));
}

// A grid read from the keyboard tells the readers its reading cell as the focused cell: when
// it takes the focus and at every move, never moving the table's cursor.
void tst_DBGridAccessible::readingCellFocused()
{
    Form f(4);
    f.t.addScores({60, 140, 26});
    f.grid->setReadingOnly(true);
    f.grid->OnEnter = nullptr;
    QVERIFY(f.activate());
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(f.grid);
    QAccessibleTableInterface *table = iface->tableInterface();
    QVERIFY(table->cellAt(0, 0)->state().focusable);
    QVERIFY(!table->cellAt(0, 0)->state().focused);
    QVERIFY(!iface->focusChild());

    f.grid->setReadingCell(0, 2);
    f.grid->setFocus(Qt::TabFocusReason);
    QVERIFY(focused.isEmpty()); // the grid's own focus comes first
    flushPaints();
    QCOMPARE(focused, QStringList {QStringLiteral("26")});
    QCOMPARE(iface->focusChild(), table->cellAt(2, 0));
    QVERIFY(table->cellAt(2, 0)->state().focused);

    QTest::keyClick(f.grid, Qt::Key_Up);
    QTest::keyClick(f.grid, Qt::Key_Right);
    QCOMPARE(focused, (QStringList {QStringLiteral("26"), QStringLiteral("140"), lastRows(f.t.table, 2)[0].second}));
    QVERIFY(table->cellAt(1, 1)->state().focused);
    QVERIFY(!table->cellAt(2, 0)->state().focused);
    QCOMPARE(f.t.table.RowNumber(), 3);

    // Away from the grid no cell has the focus.
    f.edit->setFocus();
    QVERIFY(!table->cellAt(1, 1)->state().focused);
    QVERIFY(!iface->focusChild());
}

QTEST_MAIN(tst_DBGridAccessible)
#include "tst_DBGridAccessible.moc"
