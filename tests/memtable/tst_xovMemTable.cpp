#include <QTest>
#include <memory>

#include "DataSource.h"
#include "Field.h"
#include "FieldDataLink.h"
#include "RecordingLink.h"
#include "xovMemTable.h"

namespace {

// The turn table as the main window builds it: "Tbl" with i, e1, h1, a1, e2, h2, a2.
struct TurnTable
{
    TurnTable()
    {
        table.setObjectName(QStringLiteral("Tbl"));
        new TAutoIncField(&table, QStringLiteral("i"));
        for (const char *name : {"e1", "h1", "a1", "e2", "h2", "a2"})
            new TIntegerField(&table, QString::fromLatin1(name));
        source.setDataSet(&table);
    }

    // Appends and posts rows with e1 = 10, 20, 30 ...
    void addRows(int count)
    {
        for (int k = 0; k < count; ++k) {
            table.AppendRow();
            table.setFieldValue(QStringLiteral("e1"), 10 * (table.RowCount() + 1));
            table.PostRow();
        }
    }

    TxovMemTable table;
    TDataSource source;
};

QStringList texts(std::initializer_list<const char *> items)
{
    QStringList result;
    for (const char *item : items)
        result << QString::fromUtf8(item);
    return result;
}

QList<int> range(int first, int last)
{
    QList<int> result;
    for (int k = first; k <= last; ++k)
        result << k;
    return result;
}

} // namespace

class tst_xovMemTable : public QObject
{
    Q_OBJECT

private slots:
    void smoke();
};

void tst_xovMemTable::smoke()
{
    TurnTable t;
    RecordingLink view;
    view.setWindowCapacity(5);
    view.setDataSource(&t.source);
    t.table.OpenTable();
    QCOMPARE(view.notifications, texts({"state-change", "check-browse-mode", "dataset-change"}));
    QCOMPARE(t.table.WindowCount(), 0);
    t.addRows(7);
    QCOMPARE(t.table.RowCount(), 7);
    QCOMPARE(view.rowNumbers(), range(3, 7));
    QCOMPARE(t.table.ActiveRow(), 4);
    t.table.AppendRow();
    QCOMPARE(view.rowNumbers(), QList<int>({4, 5, 6, 7, -1}));
    QCOMPARE(t.table.FieldValue(QStringLiteral("i")), QVariant(7));
    t.table.PostRow();
    QCOMPARE(view.rowNumbers(), range(4, 8));
    t.table.DeleteRow();
    QCOMPARE(view.rowNumbers(), range(3, 7));
    QCOMPARE(t.table.ActiveRow(), 4);
    t.table.MoveFirst();
    QCOMPARE(view.rowNumbers(), range(1, 5));
    QCOMPARE(t.table.ActiveRow(), 0);
    view.clearLogs();
    QCOMPARE(t.table.MoveRows(6), 6);
    QCOMPARE(t.table.RowNumber(), 7);
    QCOMPARE(view.rowNumbers(), range(3, 7));
    t.table.RemoveAllRows();
    QCOMPARE(t.table.RowCount(), 0);
    QCOMPARE(t.table.WindowCount(), 0);
    t.table.AppendRow();
    QCOMPARE(t.table.FieldValue(QStringLiteral("i")), QVariant(8));
    t.table.CloseTable();
    t.table.OpenTable();
    t.table.AppendRow();
    QCOMPARE(t.table.FieldValue(QStringLiteral("i")), QVariant(0));
}

QTEST_GUILESS_MAIN(tst_xovMemTable)
#include "tst_xovMemTable.moc"
