// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The turn table's record window as views see it: opening, the notifications of each operation,
// the window following the rows and the views' sizes, held notifications, the store's lock and
// bookmarks.

#include <QTest>

#include "db/DataSource.h"
#include "memtable/xovMemTable.h"
#include "tests/support/LabelLink.h"
#include "tests/support/RecordingLink.h"
#include "tests/support/Texts.h"
#include "tests/support/TurnTable.h"

class tst_RecordWindow : public QObject
{
    Q_OBJECT

private slots:
    void openingActivatesViews();
    void notifications_data();
    void notifications();
    void windowFollowsRows();
    void deletingSecondOfTwoRows();
    void removeAllRowsSendsOneChange();
    void removeAllRowsWithPendingEdit();
    void holdingNotifications();
    void moveRowsScrolls();
    void moveRowsAtTheEnd();
    void growingWindow();
    void shrinkingWindow();
    void twoViewsOfDifferentSize();
    void smallerViewAfterTheWindowLostRows();
    void shrinkingWindowPastAnotherView_data();
    void shrinkingWindowPastAnotherView();
    void lockBlocksNotifications();
    void bookmarks();
    void bookmarkOfDeletedRow();
    void bookmarkWithoutRows();
};

void tst_RecordWindow::openingActivatesViews()
{
    ViewedTurnTable b;
    QVERIFY(!b.view.Active());
    QCOMPARE(b.view.RowCount(), 0);
    QCOMPARE(b.table.WindowCapacity(), 0);
    b.table.OpenTable();
    QCOMPARE(b.view.notifications, texts({"state-change", "check-browse-mode", "dataset-change"}));
    QCOMPARE(b.view.reactions, texts({"ActivityChange(1)", "FinishPending", "TableChange"}));
    QVERIFY(b.view.Active());
    QVERIFY(!b.view.Editing());
    QCOMPARE(b.table.WindowCapacity(), 5);
    QCOMPARE(b.table.WindowCount(), 0);
    QCOMPARE(b.table.CursorBuffer(), -1);
    QVERIFY(b.table.AtFirstRow());
    QVERIFY(b.table.AtLastRow());
    QVERIFY(b.view.AtFirstRow());
    QVERIFY(b.view.AtLastRow());
    QCOMPARE(b.view.RowCount(), 0);

    b.addRows(7);
    b.view.clearLogs();
    b.table.CloseTable();
    QCOMPARE(b.view.notifications, texts({"state-change"}));
    QCOMPARE(b.view.reactions, texts({"ActivityChange(0)"}));
    QCOMPARE(b.view.FirstRow(), 0);
    QCOMPARE(b.table.WindowCapacity(), 0);
    QCOMPARE(b.table.WindowCount(), 0);
}

namespace {

enum class Op {
    Append,
    Edit,
    WriteField,
    Post,
    CancelEdit,
    CancelAppend,
    DeleteBrowse,
    DeleteEdit,
    DeleteInsert,
    MoveFirst,
    MoveLast,
    MoveRowsInside,
    MoveRowsPastEnd,
    RemoveAll,
    Refresh,
    AppendOverModifiedEdit,
    AppendOverUnmodifiedAppend,
    PostEdit,
};

} // namespace
Q_DECLARE_METATYPE(Op)

void tst_RecordWindow::notifications_data()
{
    QTest::addColumn<Op>("op");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("append") << Op::Append << texts({"check-browse-mode", "state-change", "dataset-change"});
    QTest::newRow("edit") << Op::Edit << texts({"check-browse-mode", "state-change", "record-change"});
    QTest::newRow("field write") << Op::WriteField << texts({"field-change e1"});
    QTest::newRow("post append") << Op::Post
                                 << texts({"update-record", "check-browse-mode", "state-change", "dataset-change"});
    QTest::newRow("post edit") << Op::PostEdit
                               << texts({"update-record", "check-browse-mode", "state-change", "dataset-change"});
    QTest::newRow("cancel edit") << Op::CancelEdit << texts({"check-browse-mode", "state-change", "dataset-change"});
    QTest::newRow("cancel append") << Op::CancelAppend
                                   << texts({"check-browse-mode", "state-change", "dataset-change"});
    QTest::newRow("delete in browse") << Op::DeleteBrowse << texts({"check-browse-mode", "dataset-change"});
    QTest::newRow("delete in edit") << Op::DeleteEdit << texts({"check-browse-mode", "state-change", "dataset-change"});
    QTest::newRow("delete in insert cancels")
        << Op::DeleteInsert << texts({"check-browse-mode", "state-change", "dataset-change"});
    QTest::newRow("move first") << Op::MoveFirst << texts({"check-browse-mode", "dataset-change"});
    QTest::newRow("move last") << Op::MoveLast << texts({"check-browse-mode", "dataset-change"});
    QTest::newRow("move rows inside") << Op::MoveRowsInside << texts({"check-browse-mode", "dataset-scroll 0"});
    QTest::newRow("move rows past the end") << Op::MoveRowsPastEnd << texts({"check-browse-mode"});
    QTest::newRow("remove all rows") << Op::RemoveAll << texts({"dataset-change"});
    QTest::newRow("refresh") << Op::Refresh << texts({"check-browse-mode", "dataset-change"});
    QTest::newRow("append over a modified edit")
        << Op::AppendOverModifiedEdit
        << texts({"check-browse-mode", "update-record", "update-record", "check-browse-mode", "state-change",
               "dataset-change", "state-change", "dataset-change"});
    QTest::newRow("append over an unmodified append")
        << Op::AppendOverUnmodifiedAppend
        << texts({"check-browse-mode", "update-record", "check-browse-mode", "state-change", "dataset-change",
               "state-change", "dataset-change"});
}

void tst_RecordWindow::notifications()
{
    QFETCH(Op, op);
    QFETCH(QStringList, expected);

    ViewedTurnTable b;
    b.table.OpenTable();
    b.addRows(3);
    switch (op) {
    case Op::WriteField:
    case Op::Post:
    case Op::CancelAppend:
    case Op::DeleteInsert:
    case Op::AppendOverUnmodifiedAppend:
        b.table.AppendRow();
        break;
    case Op::CancelEdit:
    case Op::DeleteEdit:
    case Op::PostEdit:
    case Op::AppendOverModifiedEdit:
        b.table.EditRow();
        break;
    case Op::MoveRowsInside:
        b.table.MoveFirst();
        break;
    default:
        break;
    }
    if (op == Op::Post || op == Op::PostEdit || op == Op::AppendOverModifiedEdit)
        b.table.setFieldValue(s("h1"), 5);
    b.view.clearLogs();

    switch (op) {
    case Op::Append:
    case Op::AppendOverModifiedEdit:
    case Op::AppendOverUnmodifiedAppend:
        b.table.AppendRow();
        break;
    case Op::Edit:
        b.table.EditRow();
        break;
    case Op::WriteField:
        b.table.setFieldValue(s("e1"), 60);
        break;
    case Op::Post:
    case Op::PostEdit:
        b.table.PostRow();
        break;
    case Op::CancelEdit:
    case Op::CancelAppend:
        b.table.CancelRow();
        break;
    case Op::DeleteBrowse:
    case Op::DeleteEdit:
    case Op::DeleteInsert:
        b.table.DeleteRow();
        break;
    case Op::MoveFirst:
        b.table.MoveFirst();
        break;
    case Op::MoveLast:
        b.table.MoveLast();
        break;
    case Op::MoveRowsInside:
        QCOMPARE(b.table.MoveRows(2), 2);
        break;
    case Op::MoveRowsPastEnd:
        QCOMPARE(b.table.MoveRows(1), 0); // the first try finds the end and reports it
        b.view.clearLogs();
        QCOMPARE(b.table.MoveRows(1), 0);
        break;
    case Op::RemoveAll:
        b.table.RemoveAllRows();
        break;
    case Op::Refresh:
        b.table.RefreshTable();
        break;
    }
    QCOMPARE(b.view.notifications, expected);
}

void tst_RecordWindow::windowFollowsRows()
{
    ViewedTurnTable b;
    b.table.OpenTable();
    b.addRows(7);
    QCOMPARE(b.view.rowNumbers(), range(3, 7));
    QCOMPARE(b.table.ActiveRow(), 4);
    QCOMPARE(b.view.ActiveRow(), 4);
    QCOMPARE(b.table.RowNumber(), 7);

    b.table.AppendRow();
    QCOMPARE(b.view.rowNumbers(), QList<int>({4, 5, 6, 7, -1}));
    QCOMPARE(b.table.ActiveRow(), 4);
    QCOMPARE(b.table.RowNumber(), -1);
    QCOMPARE(b.table.RowCount(), 7);
    QVERIFY(!b.table.AtFirstRow());
    QVERIFY(b.table.AtLastRow());

    b.table.PostRow();
    QCOMPARE(b.view.rowNumbers(), range(4, 8));
    QCOMPARE(b.table.ActiveRow(), 4);
    QCOMPARE(b.table.RowNumber(), 8);

    b.table.DeleteRow();
    QCOMPARE(b.view.rowNumbers(), range(3, 7));
    QCOMPARE(b.table.ActiveRow(), 4);
    QCOMPARE(b.table.RowNumber(), 7);

    // Editing leaves the window as it is.
    b.table.EditRow();
    QCOMPARE(b.view.rowNumbers(), range(3, 7));
    b.table.CancelRow();

    b.table.MoveFirst();
    QCOMPARE(b.view.rowNumbers(), range(1, 5));
    QCOMPARE(b.table.ActiveRow(), 0);
    QVERIFY(b.table.AtFirstRow());
    QVERIFY(!b.table.AtLastRow());
    b.table.MoveLast();
    QCOMPARE(b.view.rowNumbers(), range(3, 7));
    QCOMPARE(b.table.ActiveRow(), 4);
    QVERIFY(b.table.AtLastRow());

    // A row in the middle keeps its place in the window when enough rows precede it.
    b.table.MoveRows(-2);
    QCOMPARE(b.table.RowNumber(), 5);
    QCOMPARE(b.table.ActiveRow(), 2);
    b.table.DeleteRow();
    QCOMPARE(b.table.RowNumber(), 5);
    QCOMPARE(b.table.ActiveRow(), 3); // two rows above it, then the window filled downwards and up
    QCOMPARE(b.view.rowNumbers(), range(2, 6));
    QCOMPARE(b.view.values(s("e1")), QList<QVariant>({20, 30, 40, 60, 70}));
}

void tst_RecordWindow::deletingSecondOfTwoRows()
{
    ViewedTurnTable b;
    b.table.OpenTable();
    b.addRows(2);
    b.table.DeleteRow();
    QCOMPARE(b.table.WindowCount(), 1);
    QCOMPARE(b.table.ActiveRow(), 0);
    QCOMPARE(b.view.rowNumbers(), QList<int>({1}));
    b.table.DeleteRow();
    QCOMPARE(b.table.WindowCount(), 0);
    QVERIFY(b.table.HasNoRow());
    QVERIFY(b.table.AtFirstRow());
    QVERIFY(b.table.AtLastRow());
}

void tst_RecordWindow::removeAllRowsSendsOneChange()
{
    ViewedTurnTable b;
    LabelLink label(&b.source, "a1");
    b.table.OpenTable();
    b.addRows(7);
    QCOMPARE(label.caption, s("7"));
    b.view.clearLogs();
    b.table.RemoveAllRows();
    QCOMPARE(b.view.notifications, texts({"dataset-change"}));
    QCOMPARE(b.table.WindowCount(), 0);
    QCOMPARE(b.view.RowCount(), 0);
    QCOMPARE(label.caption, QString());
    QVERIFY(!b.table.NotificationsHeld());
}

void tst_RecordWindow::removeAllRowsWithPendingEdit()
{
    ViewedTurnTable b;
    LabelLink label(&b.source, "a1");
    b.table.OpenTable();
    b.addRows(3);
    b.table.EditRow();
    b.table.setFieldValue(s("a1"), 42);
    b.view.clearLogs();
    b.table.RemoveAllRows();
    QCOMPARE(b.view.notifications, texts({"disabled-state-change 1", "state-change", "layout-change"}));
    QCOMPARE(b.view.reactions, texts({"EditingChange(0)", "LayoutChange"}));
    QVERIFY(label.link.Field());
    QCOMPARE(label.caption, QString());
    QCOMPARE(b.table.State(), TDataSetState::dsBrowse);
}

void tst_RecordWindow::holdingNotifications()
{
    ViewedTurnTable b;
    b.table.OpenTable();
    b.addRows(2);
    b.view.clearLogs();
    b.table.HoldNotifications();
    b.table.HoldNotifications();
    QVERIFY(b.table.NotificationsHeld());
    b.table.MoveFirst();
    b.table.ReleaseNotifications();
    QVERIFY(b.table.NotificationsHeld());
    QVERIFY(b.view.notifications.isEmpty());
    b.table.ReleaseNotifications();
    QVERIFY(!b.table.NotificationsHeld());
    QCOMPARE(b.view.notifications, texts({"dataset-change"}));
    b.table.ReleaseNotifications(); // nothing held: nothing happens
    QCOMPARE(b.view.notifications.size(), 1);

    // A state change while held shows as disabled-state-change and ends in layout-change.
    b.view.clearLogs();
    b.table.HoldNotifications();
    b.table.AppendRow();
    b.table.CancelRow();
    b.table.ReleaseNotifications();
    QCOMPARE(b.view.notifications, texts({"disabled-state-change 1", "disabled-state-change 1", "layout-change"}));

    // Nothing is released into a closed table.
    b.view.clearLogs();
    b.table.HoldNotifications();
    b.table.CloseTable();
    b.table.ReleaseNotifications();
    QCOMPARE(b.view.notifications, texts({"disabled-state-change 0", "state-change"}));
    QVERIFY(!b.view.Active());
}

void tst_RecordWindow::moveRowsScrolls()
{
    ViewedTurnTable b;
    b.table.OpenTable();
    b.addRows(20);
    b.table.MoveFirst();
    b.view.clearLogs();
    QCOMPARE(b.table.MoveRows(7), 7);
    QCOMPARE(b.view.notifications, texts({"check-browse-mode", "dataset-scroll -3"}));
    QCOMPARE(b.view.reactions, texts({"FinishPending", "TableScroll(3)"}));
    QCOMPARE(b.view.rowNumbers(), range(4, 8));
    QCOMPARE(b.view.FirstRow(), 0);
    QCOMPARE(b.table.ActiveRow(), 4);
    QCOMPARE(b.table.RowNumber(), 8);

    b.view.clearLogs();
    QCOMPARE(b.table.MoveRows(-6), -6);
    QCOMPARE(b.view.notifications, texts({"check-browse-mode", "dataset-scroll 2"}));
    QCOMPARE(b.view.reactions, texts({"FinishPending", "TableScroll(-2)"}));
    QCOMPARE(b.view.rowNumbers(), range(2, 6));
    QCOMPARE(b.table.ActiveRow(), 0);

    // Inside the window only the current row moves.
    b.view.clearLogs();
    QCOMPARE(b.table.MoveRows(3), 3);
    QCOMPARE(b.view.notifications, texts({"check-browse-mode", "dataset-scroll 0"}));
    QCOMPARE(b.view.rowNumbers(), range(2, 6));
    QCOMPARE(b.table.RowNumber(), 5);

    // Further than there are rows: stops at the first row.
    QCOMPARE(b.table.MoveRows(-100), -4);
    QVERIFY(b.table.AtFirstRow());
    QCOMPARE(b.table.RowNumber(), 1);
    QCOMPARE(b.view.rowNumbers(), range(1, 5));
    QCOMPARE(b.view.MoveRows(0), 0);
    QCOMPARE(b.view.MoveRows(25), 19);
    QCOMPARE(b.table.RowNumber(), 20);
    QVERIFY(b.view.AtLastRow());
}

void tst_RecordWindow::moveRowsAtTheEnd()
{
    ViewedTurnTable b;
    QStringList scrolls;
    b.table.AfterScroll = [&scrolls](TDataSet *) { scrolls << s("AfterScroll"); };
    b.table.OpenTable();
    b.addRows(7);
    QVERIFY(!b.table.AtLastRow());
    b.view.clearLogs();
    scrolls.clear();
    QCOMPARE(b.table.MoveRows(1), 0);
    QVERIFY(b.table.AtLastRow());
    QCOMPARE(b.view.notifications, texts({"check-browse-mode", "dataset-scroll 0"}));
    QCOMPARE(scrolls, texts({"AfterScroll"}));
    b.view.clearLogs();
    QCOMPARE(b.table.MoveRows(1), 0);
    QCOMPARE(b.view.notifications, texts({"check-browse-mode"}));
    QCOMPARE(scrolls.size(), 1);
    QCOMPARE(b.table.RowNumber(), 7);
}

void tst_RecordWindow::growingWindow()
{
    ViewedTurnTable b(3);
    b.table.OpenTable();
    b.addRows(7);
    QCOMPARE(b.view.rowNumbers(), range(5, 7));
    QCOMPARE(b.table.ActiveRow(), 2);
    b.view.clearLogs();
    b.view.setWindowCapacity(5);
    QCOMPARE(b.table.WindowCapacity(), 5);
    QCOMPARE(b.table.WindowCount(), 5);
    QCOMPARE(b.view.rowNumbers(), range(3, 7));
    QCOMPARE(b.table.ActiveRow(), 4);
    QCOMPARE(b.view.FirstRow(), 0);
    QCOMPARE(b.table.RowNumber(), 7);
    QVERIFY(b.view.notifications.isEmpty());

    // Growing at the top of the table fetches following rows.
    b.table.MoveFirst();
    b.view.setWindowCapacity(6);
    QCOMPARE(b.view.rowNumbers(), range(1, 6));
    QCOMPARE(b.table.ActiveRow(), 0);
}

void tst_RecordWindow::shrinkingWindow()
{
    ViewedTurnTable b;
    b.table.OpenTable();
    b.addRows(7);
    b.view.setWindowCapacity(2);
    QCOMPARE(b.table.WindowCapacity(), 2);
    QCOMPARE(b.view.rowNumbers(), range(6, 7));
    QCOMPARE(b.table.ActiveRow(), 1);
    QCOMPARE(b.view.FirstRow(), 0);
    QCOMPARE(b.table.RowNumber(), 7);

    b.view.setWindowCapacity(5);
    b.table.MoveFirst();
    b.table.MoveRows(2);
    b.view.setWindowCapacity(1);
    QCOMPARE(b.view.rowNumbers(), QList<int>({3}));
    QCOMPARE(b.table.RowNumber(), 3);
    b.table.MoveRows(1);
    QCOMPARE(b.table.RowNumber(), 4);
    b.table.AppendRow();
    QCOMPARE(b.view.rowNumbers(), QList<int>({-1}));
}

void tst_RecordWindow::twoViewsOfDifferentSize()
{
    ViewedTurnTable b(20);
    LabelLink a1(&b.source, "a1");
    b.table.OpenTable();
    b.addRows(25);
    QCOMPARE(b.table.WindowCapacity(), 20);
    QCOMPARE(b.view.rowNumbers(), range(6, 25));
    QCOMPARE(a1.link.RowCount(), 1);
    QCOMPARE(a1.link.FirstRow(), 19);
    QCOMPARE(a1.link.ActiveRow(), 0);
    QCOMPARE(a1.caption, s("25"));
    b.table.MoveRows(-10);
    QCOMPARE(a1.link.FirstRow(), 9);
    QCOMPARE(a1.caption, s("15"));
    b.table.MoveFirst();
    QCOMPARE(a1.link.FirstRow(), 0);
    QCOMPARE(a1.caption, s("1"));
    QCOMPARE(b.view.rowNumbers(), range(1, 20));

    // When the big view goes, the window shrinks to what is left.
    b.view.setDataSource(nullptr);
    QCOMPARE(b.table.WindowCapacity(), 1);
    QCOMPARE(b.table.WindowCount(), 1);
    QCOMPARE(b.table.RowNumber(), 1);
    QCOMPARE(a1.caption, s("1"));
}

void tst_RecordWindow::smallerViewAfterTheWindowLostRows()
{
    // A 5-row view under a 6-row window: while a sixth row is appended it shows rows 2 to 5
    // and the new one; once the append is cancelled the window holds rows 1 to 5 only, and the
    // view must show those instead of reading past the window.
    ViewedTurnTable b(6);
    RecordingLink small {true, s("small")};
    small.setWindowCapacity(5);
    small.setDataSource(&b.source);
    b.table.OpenTable();
    b.addRows(5);
    b.table.AppendRow();
    QCOMPARE(small.rowNumbers(), QList<int>({2, 3, 4, 5, -1}));
    b.table.CancelRow();
    QCOMPARE(b.table.WindowCount(), 5);
    QCOMPARE(small.rowNumbers(), range(1, 5));
    QCOMPARE(small.ActiveRow(), 4);

    // The same when the last row is deleted.
    b.addRows(1);
    QCOMPARE(small.rowNumbers(), range(2, 6));
    b.table.DeleteRow();
    QCOMPARE(small.rowNumbers(), range(1, 5));
    QCOMPARE(small.ActiveRow(), 4);
}

void tst_RecordWindow::shrinkingWindowPastAnotherView_data()
{
    QTest::addColumn<bool>("appendFirst");
    QTest::addColumn<bool>("held");
    QTest::newRow("moved up") << false << false;
    QTest::newRow("append cancelled by the move") << true << false;
    QTest::newRow("notifications held") << false << true;
}

void tst_RecordWindow::shrinkingWindowPastAnotherView()
{
    // A 10-row view and a 5-row view over 10 rows with row 7 current: the small view shows rows
    // 6 to 10. When the big view shrinks to 9 rows the window keeps rows 1 to 9, so the small
    // view must move up to rows 5 to 9 and hear of it, instead of showing an empty row where
    // row 10 was.
    QFETCH(bool, appendFirst);
    QFETCH(bool, held);
    ViewedTurnTable b(10);
    RecordingLink small {true, s("small")};
    small.setWindowCapacity(5);
    small.setDataSource(&b.source);
    b.table.OpenTable();
    b.addRows(10);
    if (appendFirst) {
        b.table.AppendRow();
        QCOMPARE(small.rowNumbers(), QList<int>({7, 8, 9, 10, -1}));
    }
    b.table.MoveRows(-3);
    QCOMPARE(b.table.RowNumber(), 7);
    QCOMPARE(b.table.WindowCount(), 10);
    QCOMPARE(small.rowNumbers(), range(6, 10));
    QCOMPARE(small.ActiveRow(), 1);
    small.clearLogs();

    if (held)
        b.table.HoldNotifications();
    b.view.setWindowCapacity(9);
    QCOMPARE(b.table.WindowCount(), 9);
    QCOMPARE(b.table.RowNumber(), 7);
    QCOMPARE(b.view.rowNumbers(), range(1, 9));
    QCOMPARE(small.rowNumbers(), range(5, 9));
    QCOMPARE(small.values(s("e1")), QVariantList({50, 60, 70, 80, 90}));
    QCOMPARE(small.ActiveRow(), 2);
    if (held) {
        QVERIFY(small.notifications.isEmpty());
        b.table.ReleaseNotifications();
    }
    QCOMPARE(small.notifications, texts({"dataset-change"}));
    QCOMPARE(small.reactions, texts({"TableChange"}));
}

void tst_RecordWindow::lockBlocksNotifications()
{
    ViewedTurnTable b;
    b.table.OpenTable();
    b.addRows(1);
    b.view.clearLogs();
    b.table.Lock();
    QVERIFY(b.table.Common()->NotificationsBlocked());
    b.table.MoveFirst();
    b.table.EditRow();
    b.table.setFieldValue(s("e1"), 5);
    QVERIFY(b.table.RowModified()); // the write counts even though nobody hears of it
    b.table.PostRow();
    b.table.Unlock();
    QVERIFY(b.view.notifications.isEmpty());
    QCOMPARE(b.table.FieldValue(s("e1")), QVariant(5));
    b.table.MoveFirst();
    QCOMPARE(b.view.notifications, texts({"check-browse-mode", "dataset-change"}));
}

void tst_RecordWindow::bookmarks()
{
    ViewedTurnTable b;
    b.table.OpenTable();
    b.addRows(12);
    b.table.MoveFirst();
    b.table.MoveRows(2);
    TBookmark third = b.table.TakeBookmark();
    QVERIFY(!third.isEmpty());
    QVERIFY(b.table.BookmarkStillValid(third));
    b.table.MoveLast();
    TBookmark last = b.table.TakeBookmark();
    QCOMPARE(b.table.BookmarkOrder(third, last), -1);
    QCOMPARE(b.table.BookmarkOrder(last, third), 1);
    QCOMPARE(b.table.BookmarkOrder(last, last), 0);

    b.view.clearLogs();
    b.table.MoveToBookmark(third);
    QCOMPARE(b.table.RowNumber(), 3);
    QCOMPARE(b.table.ActiveRow(), 2); // centred: (5 - 1) / 2 rows before it
    QCOMPARE(b.view.rowNumbers(), range(1, 5));
    QCOMPARE(b.view.notifications, texts({"check-browse-mode", "dataset-change"}));

    b.table.MoveToBookmark(last);
    QCOMPARE(b.table.RowNumber(), 12);
    QCOMPARE(b.view.rowNumbers(), range(8, 12));

    b.table.MoveToBookmark(TBookmark()); // none: nothing
    QCOMPARE(b.table.RowNumber(), 12);

    // A row being appended has no bookmark; nor has a closed table.
    b.table.AppendRow();
    QVERIFY(b.table.TakeBookmark().isEmpty());
    b.table.CancelRow();

    // Emptying the store invalidates every bookmark.
    b.table.RemoveAllRows();
    b.addRows(12);
    QVERIFY(!b.table.BookmarkStillValid(third));
    QCOMPARE(b.table.BookmarkOrder(third, last), 0);
    b.table.ReleaseBookmark(third);
    QVERIFY(third.isEmpty());
    QVERIFY(!b.table.BookmarkStillValid(third));
    b.table.CloseTable();
    QVERIFY(b.table.TakeBookmark().isEmpty());
}

void tst_RecordWindow::bookmarkOfDeletedRow()
{
    ViewedTurnTable b;
    b.table.OpenTable();
    b.addRows(8);
    b.table.MoveFirst();
    b.table.MoveRows(3);
    const TBookmark gone = b.table.TakeBookmark();
    b.table.DeleteRow();
    QVERIFY(!b.table.BookmarkStillValid(gone));
    // Its slot is taken by a new row: the bookmark must not name that one.
    b.addRows(1);
    QVERIFY(b.table.Common()->Slots()[3]);
    QVERIFY(!b.table.BookmarkStillValid(gone));
    const TBookmark fresh = b.table.TakeBookmark();
    QCOMPARE(b.table.BookmarkOrder(gone, fresh), 0);

    b.table.MoveFirst();
    b.table.MoveRows(1);
    b.table.MoveToBookmark(gone);
    QCOMPARE(b.table.RowNumber(), 2); // the current row stays
    QCOMPARE(b.table.FieldValue(s("e1")), QVariant(20));
}

void tst_RecordWindow::bookmarkWithoutRows()
{
    ViewedTurnTable b;
    b.table.OpenTable();
    b.addRows(1);
    const TBookmark only = b.table.TakeBookmark();
    b.table.DeleteRow();
    b.view.clearLogs();
    try {
        b.table.MoveToBookmark(only);
        QFAIL("no error");
    } catch (const EDatabaseError &e) {
        QCOMPARE(e.message(), s("Tbl: Record not found"));
    }
    QCOMPARE(b.view.notifications, texts({"check-browse-mode"}));
    QCOMPARE(b.table.WindowCount(), 0);
}

QTEST_GUILESS_MAIN(tst_RecordWindow)
#include "tst_RecordWindow.moc"
