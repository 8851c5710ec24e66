// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// A view's link to its data source: the reactions it makes of notifications, read-only links,
// writing pending input back, presenting a row, a link without a source, and tables and sources
// going away under it.

#include <memory>

#include <QTest>

#include "db/DataSource.h"
#include "db/Field.h"
#include "memtable/xovMemTable.h"
#include "tests/support/LabelLink.h"
#include "tests/support/RecordingLink.h"
#include "tests/support/Texts.h"
#include "tests/support/TurnTable.h"

namespace {

// A view with pending input, written back when the table asks for it.
class EditorLink : public RecordingLink
{
public:
    using RecordingLink::RecordingLink;
    int pending = 0;

protected:
    void WriteBack() override
    {
        RecordingLink::WriteBack();
        if (pending)
            DataSet()->setFieldValue(QStringLiteral("e1"), pending);
    }
};

} // namespace

class tst_DataLink : public QObject
{
    Q_OBJECT

private slots:
    void reactions();
    void readOnlyLinkIsNotEditing();
    void writeBackDoesNotEchoToWriter();
    void viewPresentsRow();
    void linkWithoutSource();
    void detachingAndDestroying();
    void detachCallsNoReaction();
};

void tst_DataLink::reactions()
{
    ViewedTurnTable b;
    b.table.OpenTable();
    b.addRows(2);
    b.view.clearLogs();
    b.table.AppendRow();
    b.table.setFieldValue(s("e1"), 1);
    b.table.PostRow();
    b.table.EditRow();
    b.table.CancelRow();
    QCOMPARE(b.view.reactions,
        texts({"FinishPending", "EditingChange(1)", "TableChange", "RowChange(e1)", "WriteBack", "FinishPending",
            "EditingChange(0)", "TableChange", "FinishPending", "EditingChange(1)", "RowChange(-)", "FinishPending",
            "EditingChange(0)", "TableChange"}));
}

void tst_DataLink::readOnlyLinkIsNotEditing()
{
    ViewedTurnTable b;
    b.table.OpenTable();
    b.addRows(1);
    b.view.setReadOnly(true);
    b.table.EditRow();
    QVERIFY(!b.view.Editing());
    QVERIFY(b.view.ReadOnly());
    b.view.setReadOnly(false);
    QVERIFY(b.view.Editing());
    QCOMPARE(b.view.reactions.last(), s("EditingChange(1)"));
}

void tst_DataLink::writeBackDoesNotEchoToWriter()
{
    ViewedTurnTable b;
    EditorLink editor(true, s("editor"));
    editor.setDataSource(&b.source);
    b.table.OpenTable();
    b.table.AppendRow();
    editor.pending = 45;
    editor.clearLogs();
    b.view.clearLogs();
    b.table.PostRow();
    QCOMPARE(b.table.FieldValue(s("e1")), QVariant(45));
    QCOMPARE(editor.notifications.mid(0, 2), texts({"update-record", "field-change e1"}));
    QVERIFY(!editor.reactions.contains(s("RowChange(e1)")));
    QVERIFY(b.view.reactions.contains(s("RowChange(e1)")));
}

void tst_DataLink::viewPresentsRow()
{
    ViewedTurnTable b;
    b.table.OpenTable();
    b.addRows(7);
    b.table.MoveRows(-1);
    const int before = b.table.ActiveRow();
    b.view.setActiveRow(2);
    QCOMPARE(b.table.FieldValue(s("e1")), QVariant(50)); // rows 3 to 7 shown: the third is row 5
    QCOMPARE(b.table.RowNumber(), 5);
    b.view.setActiveRow(before);
    QCOMPARE(b.table.RowNumber(), 6);
    QCOMPARE(b.table.FieldValue(s("e1")), QVariant(60));
    // The table's cursor did not move: the next step goes on from row 6.
    b.table.MoveRows(1);
    QCOMPARE(b.table.RowNumber(), 7);
}

void tst_DataLink::linkWithoutSource()
{
    RecordingLink link;
    QCOMPARE(link.DataSet(), nullptr);
    QVERIFY(!link.Active());
    QCOMPARE(link.RowCount(), 0);
    QCOMPARE(link.ActiveRow(), 0);
    QCOMPARE(link.MoveRows(3), 0);
    QVERIFY(!link.AtFirstRow());
    link.setWindowCapacity(0);
    QCOMPARE(link.WindowCapacity(), 1); // at least one row
    link.setActiveRow(2); // nothing to present: nothing happens
    QVERIFY(link.notifications.isEmpty());
}

void tst_DataLink::detachingAndDestroying()
{
    auto table = std::make_unique<TxovMemTable>();
    new TIntegerField(table.get(), s("e1"));
    auto source = std::make_unique<TDataSource>();
    source->setDataSet(table.get());
    RecordingLink view;
    view.setWindowCapacity(4);
    view.setDataSource(source.get());
    LabelLink label(source.get(), "e1");
    table->OpenTable();
    QVERIFY(view.Active());
    table.reset(); // views hear that the table is gone
    QVERIFY(!view.Active());
    QCOMPARE(source->DataSet(), nullptr);
    QCOMPARE(label.link.Field(), nullptr);
    QCOMPARE(view.RowCount(), 0);
    source.reset();
    QCOMPARE(view.DataSource(), nullptr);
    QCOMPARE(label.link.DataSource(), nullptr);
}

// A view being taken apart leaves its source without a reaction; the table keeps a window only
// for the views that stay, and its later changes reach only them.
void tst_DataLink::detachCallsNoReaction()
{
    ViewedTurnTable t(3);
    RecordingLink leaving;
    leaving.setWindowCapacity(6);
    leaving.setDataSource(&t.source);
    t.table.OpenTable();
    t.addRows(8);
    QCOMPARE(t.table.WindowCapacity(), 6);
    leaving.clearLogs();
    t.view.clearLogs();

    leaving.detach();
    QVERIFY(leaving.reactions.isEmpty());
    QVERIFY(!leaving.Active());
    QCOMPARE(leaving.DataSource(), nullptr);
    QCOMPARE(leaving.RowCount(), 0);
    QCOMPARE(t.table.WindowCapacity(), 3);

    t.addRows(1);
    t.table.CloseTable();
    QVERIFY(leaving.notifications.isEmpty());
    QVERIFY(t.view.reactions.contains(QStringLiteral("ActivityChange(0)")));
    leaving.detach(); // already detached: nothing to do
    QVERIFY(leaving.reactions.isEmpty());
}

QTEST_GUILESS_MAIN(tst_DataLink)
#include "tst_DataLink.moc"
