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

// Every table-model event the readers are told, with what the table held at that moment.
struct ToldReset
{
    QObject *object;
    int rows;
    QString lastScore;
};
std::vector<ToldReset> told;

void recordUpdate(QAccessibleEvent *event)
{
    if (event->type() != QAccessible::TableModelChanged)
        return;
    QAccessibleTableInterface *table = event->accessibleInterface()->tableInterface();
    const int rows = table->rowCount();
    QAccessibleInterface *last = rows > 0 ? table->cellAt(rows - 1, 0) : nullptr;
    told.push_back({event->object(), rows, last ? last->text(QAccessible::Name) : QString()});
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
    void readersToldOnceGridFollowed();
    void closedTableHasNoRows();
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
    QCOMPARE(iface->childCount(), expectedRows * 2);
    QCOMPARE(table->columnDescription(0), QStringLiteral("e1"));
    QCOMPARE(table->columnDescription(1), QStringLiteral("h1"));

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
    for (int index = 0; index < iface->childCount(); ++index) {
        QAccessibleInterface *cell = iface->child(index);
        QVERIFY(cell && cell->isValid());
        QCOMPARE(cell->role(), QAccessible::Cell);
        QCOMPARE(cell->parent(), iface);
        QCOMPARE(iface->indexOfChild(cell), index);
        QAccessibleTableCellInterface *place = cell->tableCellInterface();
        QVERIFY(place);
        QCOMPARE(place->rowIndex(), index / 2);
        QCOMPARE(place->columnIndex(), index % 2);
        QCOMPARE(place->table(), iface);
        QCOMPARE(cell, table->cellAt(place->rowIndex(), place->columnIndex()));
        QCOMPARE(cell->text(QAccessible::Description), table->columnDescription(place->columnIndex()));

        // Where the cell stands on the screen, inside the grid; a point in it finds it again.
        const QRect rect = cell->rect();
        QVERIFY2(!rect.isEmpty(), qPrintable(QStringLiteral("cell %1").arg(index)));
        QVERIFY(iface->rect().contains(rect));
        QCOMPARE(iface->childAt(rect.center().x(), rect.center().y()), cell);
    }
    QCOMPARE(table->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("60"));
    QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("140"));
    QCOMPARE(table->cellAt(2, 0)->text(QAccessible::Name), QString());
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

void tst_DBGridAccessible::readersToldOnceGridFollowed()
{
    Form f(3);
    f.t.addRows(3);
    flushPaints();
    QAccessibleTableInterface *table = tableOf(f.grid);
    QCOMPARE(table->rowCount(), 3);
    told.clear();

    // An entry: several notifications, one telling, after the grid has taken the new row.
    f.t.table.AppendRow();
    f.t.table.setFieldValue(QStringLiteral("e1"), 99);
    f.t.table.setFieldValue(QStringLiteral("h1"), 402);
    f.t.table.PostRow();
    QVERIFY(told.empty());
    flushPaints();
    QCOMPARE(int(told.size()), 1);
    QCOMPARE(told.front().object, f.grid);
    QCOMPARE(told.front().rows, 3);
    QCOMPARE(told.front().lastScore, QStringLiteral("99"));

    // Deleting the last row and emptying the table are told as well.
    told.clear();
    f.t.table.DeleteRow();
    flushPaints();
    QCOMPARE(int(told.size()), 1);
    QCOMPARE(told.front().lastScore, lastRows(f.t.table, 1).front().first);
    told.clear();
    f.t.table.RemoveAllRows();
    flushPaints();
    QCOMPARE(int(told.size()), 1);
    QCOMPARE(told.front().rows, 0);
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

QTEST_MAIN(tst_DBGridAccessible)
#include "tst_DBGridAccessible.moc"
