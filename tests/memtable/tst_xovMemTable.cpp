// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The memory table under the turn table's rules: numbering, field values, editing, errors and
// events, deleting and emptying, the record store and its format.

#include <cstring>
#include <functional>

#include <QTest>
#include <QtEndian>

#include "db/DataSource.h"
#include "db/Field.h"
#include "memtable/xovMemTable.h"
#include "tests/support/TurnTable.h"

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

QStringList texts(std::initializer_list<const char *> items)
{
    QStringList result;
    for (const char *item : items)
        result << s(item);
    return result;
}

QList<QVariant> ints(std::initializer_list<int> items)
{
    QList<QVariant> result;
    for (int item : items)
        result << QVariant(item);
    return result;
}

} // namespace

class tst_xovMemTable : public QObject
{
    Q_OBJECT

private slots:
    void numberingWhileAppending();
    void fieldValues_data();
    void fieldValues();
    void writingValues_data();
    void writingValues();
    void clearLeavesOtherFields();
    void editWithoutRowsBeginsRow();
    void closedTableIgnoresWritesAndReadsNull();
    void lookupIgnoresCase();
    void finishingPendingRow();
    void rowsKeepPostOrder();
    void insertRowGoesBeforeCurrent();
    void errors_data();
    void errors();
    void failedPostKeepsRow();
    void validateSeesNewValueAndCanRefuse();
    void errorEvents_data();
    void errorEvents();
    void datasetEvents_data();
    void datasetEvents();
    void deleting_data();
    void deleting();
    void deleteInInsertCancels();
    void deleteInEditDropsChanges();
    void removeAllRowsKeepsNumbering();
    void removeAllRowsPostsPendingRow();
    void closeAndReopenStartsAgain();
    void autoIncMinValue();
    void recordFormat();
    void storeReusesSlotsLastInFirstOut();
    void emptyingStoreResetsCounters();
    void storeKeepsRowsOfManyBlocks();
    void uniqueNumberLimit();
    void findBySlot_data();
    void findBySlot();
    void deleteFindsRowAfterSlotReuse();
    void properties();
    void progressReportsEmptying();
};

void tst_xovMemTable::numberingWhileAppending()
{
    TurnTable t;
    t.table.OpenTable();
    QCOMPARE(t.table.State(), TDataSetState::dsBrowse);
    t.addRows(5);
    QCOMPARE(t.column("i"), ints({0, 1, 2, 3, 4}));
    t.table.MoveLast();
    QCOMPARE(t.table.RowCount(), 5);
    QCOMPARE(t.table.RowNumber(), 5);

    t.table.AppendRow();
    QCOMPARE(t.table.State(), TDataSetState::dsInsert);
    QCOMPARE(t.table.RowCount(), 5);
    QCOMPARE(t.table.RowNumber(), -1);
    QCOMPARE(t.value("i"), QVariant(5));
    QVERIFY(!t.table.RowModified());
    for (const char *name : {"e1", "h1", "a1", "e2", "h2", "a2"})
        QVERIFY2(t.value(name).isNull(), name);

    t.table.CancelRow();
    QCOMPARE(t.table.State(), TDataSetState::dsBrowse);
    QCOMPARE(t.table.RowNumber(), 5);
    QCOMPARE(t.value("i"), QVariant(4));
    t.table.AppendRow();
    QCOMPARE(t.value("i"), QVariant(5));
    t.table.PostRow();
    QCOMPARE(t.table.RowNumber(), 6);
    QCOMPARE(t.table.RowCount(), 6);
}

void tst_xovMemTable::fieldValues_data()
{
    QTest::addColumn<QVariant>("written");
    QTest::addColumn<bool>("empty");
    QTest::addColumn<int>("asInteger");
    QTest::addColumn<QString>("displayText");

    QTest::newRow("empty") << QVariant() << true << 0 << QString();
    QTest::newRow("zero") << QVariant(0) << false << 0 << s("0");
    QTest::newRow("positive") << QVariant(501) << false << 501 << s("501");
    QTest::newRow("negative") << QVariant(-7) << false << -7 << s("-7");
    QTest::newRow("no grouping") << QVariant(1234567) << false << 1234567 << s("1234567");
    QTest::newRow("largest") << QVariant(2147483647) << false << 2147483647 << s("2147483647");
    QTest::newRow("smallest") << QVariant(int(-2147483647 - 1)) << false << int(-2147483647 - 1) << s("-2147483648");
}

void tst_xovMemTable::fieldValues()
{
    QFETCH(QVariant, written);
    QFETCH(bool, empty);
    QFETCH(int, asInteger);
    QFETCH(QString, displayText);

    TurnTable t;
    t.table.OpenTable();
    t.table.AppendRow();
    t.table.setFieldValue(s("h1"), written);
    t.table.PostRow();

    TField *field = t.field("h1");
    QCOMPARE(field->IsEmptyValue(), empty);
    QCOMPARE(field->AsInteger(), asInteger);
    QCOMPARE(field->DisplayText(), displayText);
    QCOMPARE(field->AsValue(), empty ? QVariant() : QVariant(asInteger));
    QCOMPARE(t.value("h1").isNull(), empty);
    if (!empty)
        QCOMPARE(t.value("h1").typeId(), QMetaType::Int);
}

void tst_xovMemTable::writingValues_data()
{
    QTest::addColumn<QVariant>("written");
    QTest::addColumn<QVariant>("read");
    QTest::addColumn<QString>("error");

    QTest::newRow("integer") << QVariant(180) << QVariant(180) << QString();
    QTest::newRow("null empties") << QVariant() << QVariant() << QString();
    QTest::newRow("64-bit keeps low 32 bits") << QVariant(qlonglong(0x100000005LL)) << QVariant(5) << QString();
    QTest::newRow("numeric text") << QVariant(s("60")) << QVariant(60) << QString();
    QTest::newRow("text") << QVariant(s("sixty")) << QVariant(7) << s("Invalid value for field 'e1'");
}

void tst_xovMemTable::writingValues()
{
    QFETCH(QVariant, written);
    QFETCH(QVariant, read);
    QFETCH(QString, error);

    TurnTable t;
    t.table.OpenTable();
    t.table.AppendRow();
    t.field("e1")->setAsInteger(7);
    if (error.isEmpty()) {
        t.table.setFieldValue(s("e1"), written);
    } else {
        try {
            t.field("e1")->setAsValue(written);
            QFAIL("no error");
        } catch (const EDatabaseError &e) {
            QCOMPARE(e.message(), error);
        }
    }
    QCOMPARE(t.value("e1"), read);
    QCOMPARE(t.table.State(), TDataSetState::dsInsert);
}

void tst_xovMemTable::clearLeavesOtherFields()
{
    TurnTable t;
    t.table.OpenTable();
    t.table.AppendRow();
    t.table.setFieldValue(s("e2"), 60);
    t.table.setFieldValue(s("h2"), 441);
    t.table.PostRow();
    t.addRows(1);

    t.table.MoveLast();
    t.table.MoveRows(-1);
    t.table.EditRow();
    QCOMPARE(t.table.State(), TDataSetState::dsEdit);
    t.field("e2")->Clear();
    QVERIFY(t.table.RowModified());
    t.table.PostRow();
    QVERIFY(t.value("e2").isNull());
    QCOMPARE(t.value("h2"), QVariant(441));
    QCOMPARE(t.table.RowNumber(), 1);
    QCOMPARE(t.table.RowCount(), 2);
    QCOMPARE(t.table.Common()->Slots()[0]->ChangeState, quint8(1));
}

void tst_xovMemTable::editWithoutRowsBeginsRow()
{
    TurnTable t;
    t.table.OpenTable();
    t.table.EditRow();
    QCOMPARE(t.table.State(), TDataSetState::dsInsert);
    QCOMPARE(t.table.InsertPos(), -1);
    QCOMPARE(t.value("i"), QVariant(0));
    t.table.setFieldValue(s("e1"), 26);
    t.table.PostRow();
    QCOMPARE(t.table.RowCount(), 1);
    QCOMPARE(t.table.RowNumber(), 1);
    QCOMPARE(t.value("e1"), QVariant(26));
}

void tst_xovMemTable::closedTableIgnoresWritesAndReadsNull()
{
    TurnTable t;
    t.table.setFieldValue(s("e1"), 5);
    t.field("e1")->Clear();
    QVERIFY(t.value("e1").isNull());
    QVERIFY(t.field("e1")->IsEmptyValue());
    QCOMPARE(t.field("e1")->DisplayText(), QString());
    QCOMPARE(t.table.RowNumber(), -1);
    QVERIFY(t.table.HasNoRow());
    t.table.CancelRow(); // nothing to cancel, nothing raised
}

void tst_xovMemTable::lookupIgnoresCase()
{
    TurnTable t;
    QCOMPARE(t.table.FieldNamed(s("E1")), t.table.Fields()[1]);
    QCOMPARE(t.table.FindFieldNamed(s("A2")), t.table.Fields()[6]);
    QCOMPARE(t.table.FindFieldNamed(s("x")), nullptr);
    // The first field in field order whose name matches wins.
    auto *twin = new TIntegerField(&t.table, s("E1"));
    QVERIFY(twin != t.table.Fields()[1]);
    QCOMPARE(t.table.FieldNamed(s("e1")), t.table.Fields()[1]);
}

void tst_xovMemTable::finishingPendingRow()
{
    TurnTable t;
    t.table.OpenTable();
    t.addRows(2);

    // A modified row in edit is posted before the new row begins.
    t.table.EditRow();
    t.table.setFieldValue(s("h1"), 321);
    t.table.AppendRow();
    QCOMPARE(t.table.RowCount(), 2);
    t.table.CancelRow();
    QCOMPARE(t.value("h1"), QVariant(321));

    // An unmodified new row is cancelled: it neither counts nor uses up its number.
    t.table.AppendRow();
    QCOMPARE(t.value("i"), QVariant(2));
    t.table.AppendRow();
    QCOMPARE(t.table.RowCount(), 2);
    QCOMPARE(t.value("i"), QVariant(2));

    // A modified new row is posted by a move.
    t.table.setFieldValue(s("e1"), 99);
    t.table.MoveFirst();
    QCOMPARE(t.table.RowCount(), 3);
    t.table.MoveLast();
    QCOMPARE(t.value("e1"), QVariant(99));
    QCOMPARE(t.value("i"), QVariant(2));
}

void tst_xovMemTable::rowsKeepPostOrder()
{
    TurnTable t;
    t.table.setSortFields(s("i"));
    t.table.OpenTable();
    for (int e : {50, 10, 40}) {
        t.table.AppendRow();
        t.table.setFieldValue(s("e1"), e);
        t.table.PostRow();
    }
    t.table.MoveFirst();
    t.table.EditRow();
    t.table.setFieldValue(s("e1"), 5);
    t.table.PostRow();
    QCOMPARE(t.column("e1"), ints({5, 10, 40}));
    QCOMPARE(t.column("i"), ints({0, 1, 2}));
}

void tst_xovMemTable::insertRowGoesBeforeCurrent()
{
    TurnTable t;
    t.table.OpenTable();
    t.addRows(3);
    t.table.MoveFirst();
    t.table.MoveRows(1);
    QCOMPARE(t.table.RowNumber(), 2);
    t.table.InsertRow();
    QCOMPARE(t.table.InsertPos(), 2);
    QCOMPARE(t.table.RowNumber(), -1);
    t.table.setFieldValue(s("e1"), 15);
    t.table.PostRow();
    QCOMPARE(t.table.RowNumber(), 2);
    QCOMPARE(t.value("e1"), QVariant(15));
    QCOMPARE(t.column("e1"), ints({10, 15, 20, 30}));

    // Cancelling an insert returns to the row it was begun on.
    t.table.MoveFirst();
    t.table.MoveRows(2);
    t.table.InsertRow();
    t.table.CancelRow();
    QCOMPARE(t.table.RowNumber(), 3);
    QCOMPARE(t.value("e1"), QVariant(20));
}

namespace {

enum class Misuse {
    WriteInBrowse,
    AppendClosed,
    EditClosed,
    DeleteClosed,
    MoveFirstClosed,
    MoveLastClosed,
    MoveRowsClosed,
    RowCountClosed,
    PostInBrowse,
    UnknownField,
    AppendReadOnly,
    EditReadOnly,
    WriteReadOnlyField,
    WriteReadOnlyFieldLabel,
    WriteReadOnlyTable,
    RequiredEmpty,
    DeleteEmpty,
    OpenWithoutFields,
    AttachMaxCountZero,
    AttachMaxCountWhileOpen,
};

} // namespace
Q_DECLARE_METATYPE(Misuse)

void tst_xovMemTable::errors_data()
{
    QTest::addColumn<Misuse>("misuse");
    QTest::addColumn<QString>("errorClass");
    QTest::addColumn<QString>("message");

    const QString closed = s("Tbl: Cannot perform this operation on a closed dataset");
    QTest::newRow("write in browse") << Misuse::WriteInBrowse << s("EDatabaseError")
                                     << s("Tbl: Dataset is not in edit mode.");
    QTest::newRow("append, closed") << Misuse::AppendClosed << s("EDatabaseError") << closed;
    QTest::newRow("edit, closed") << Misuse::EditClosed << s("EDatabaseError") << closed;
    QTest::newRow("delete, closed") << Misuse::DeleteClosed << s("EDatabaseError") << closed;
    QTest::newRow("move first, closed") << Misuse::MoveFirstClosed << s("EDatabaseError") << closed;
    QTest::newRow("move last, closed") << Misuse::MoveLastClosed << s("EDatabaseError") << closed;
    QTest::newRow("move rows, closed") << Misuse::MoveRowsClosed << s("EDatabaseError") << closed;
    QTest::newRow("row count, closed") << Misuse::RowCountClosed << s("EDatabaseError") << closed;
    QTest::newRow("post in browse") << Misuse::PostInBrowse << s("EDatabaseError")
                                    << s("Tbl: Dataset not in edit or insert mode");
    QTest::newRow("unknown field") << Misuse::UnknownField << s("EDatabaseError") << s("Tbl: Field 'x' not found");
    QTest::newRow("append, read-only") << Misuse::AppendReadOnly << s("EDatabaseError")
                                       << s("Tbl: Cannot modify a read-only dataset");
    QTest::newRow("edit, read-only") << Misuse::EditReadOnly << s("EDatabaseError")
                                     << s("Tbl: Cannot modify a read-only dataset");
    QTest::newRow("read-only field") << Misuse::WriteReadOnlyField << s("EDatabaseError") << s("Field e1 is read only");
    QTest::newRow("read-only field, label")
        << Misuse::WriteReadOnlyFieldLabel << s("EDatabaseError") << s("Field Dobás is read only");
    QTest::newRow("write, read-only table")
        << Misuse::WriteReadOnlyTable << s("EDatabaseError") << s("Field e1 is read only");
    QTest::newRow("required field empty")
        << Misuse::RequiredEmpty << s("EDatabaseError") << s("Field 'h1' must have a value");
    QTest::newRow("delete, no row") << Misuse::DeleteEmpty << s("EDatabaseError")
                                    << s("Tbl: Cannot perform this operation on an empty dataset");
    QTest::newRow("open without fields") << Misuse::OpenWithoutFields << s("EMemTableError")
                                         << s("There must be at least one field");
    QTest::newRow("attach max count 0") << Misuse::AttachMaxCountZero << s("ERangeError") << s("Invalid argument.");
    QTest::newRow("attach max count while open")
        << Misuse::AttachMaxCountWhileOpen << s("EMemTableError") << s("Table must be closed for this operation.");
}

void tst_xovMemTable::errors()
{
    QFETCH(Misuse, misuse);
    QFETCH(QString, errorClass);
    QFETCH(QString, message);

    TurnTable t;
    TxovMemTable bare;
    bare.setObjectName(s("Bare"));
    const bool opens = misuse != Misuse::AppendClosed && misuse != Misuse::EditClosed && misuse != Misuse::DeleteClosed
        && misuse != Misuse::MoveFirstClosed && misuse != Misuse::MoveLastClosed && misuse != Misuse::MoveRowsClosed
        && misuse != Misuse::RowCountClosed && misuse != Misuse::AttachMaxCountZero
        && misuse != Misuse::OpenWithoutFields;
    if (opens) {
        t.table.OpenTable();
        t.addRows(1);
    }
    const TDataSetState stateBefore = [&] {
        switch (misuse) {
        case Misuse::AppendReadOnly:
        case Misuse::EditReadOnly:
            t.table.setReadOnly(true);
            break;
        case Misuse::WriteReadOnlyField:
            t.field("e1")->setReadOnly(true);
            t.table.AppendRow();
            break;
        case Misuse::WriteReadOnlyFieldLabel:
            t.field("e1")->setReadOnly(true);
            t.field("e1")->setDisplayLabel(s("Dobás"));
            t.table.EditRow();
            break;
        case Misuse::WriteReadOnlyTable:
            t.table.EditRow();
            t.table.setReadOnly(true);
            break;
        case Misuse::RequiredEmpty:
            t.field("h1")->setRequired(true);
            t.table.AppendRow();
            break;
        case Misuse::DeleteEmpty:
            t.table.DeleteRow();
            break;
        default:
            break;
        }
        return t.table.State();
    }();
    const qint32 rowsBefore = t.table.Active() ? t.table.RowCount() : -1;

    auto misuseIt = [&] {
        switch (misuse) {
        case Misuse::WriteInBrowse:
        case Misuse::WriteReadOnlyField:
        case Misuse::WriteReadOnlyFieldLabel:
        case Misuse::WriteReadOnlyTable:
            t.table.setFieldValue(s("e1"), 1);
            break;
        case Misuse::AppendClosed:
        case Misuse::AppendReadOnly:
            t.table.AppendRow();
            break;
        case Misuse::EditClosed:
        case Misuse::EditReadOnly:
            t.table.EditRow();
            break;
        case Misuse::DeleteClosed:
        case Misuse::DeleteEmpty:
            t.table.DeleteRow();
            break;
        case Misuse::MoveFirstClosed:
            t.table.MoveFirst();
            break;
        case Misuse::MoveLastClosed:
            t.table.MoveLast();
            break;
        case Misuse::MoveRowsClosed:
            t.table.MoveRows(1);
            break;
        case Misuse::RowCountClosed:
            t.table.RowCount();
            break;
        case Misuse::PostInBrowse:
        case Misuse::RequiredEmpty:
            t.table.PostRow();
            break;
        case Misuse::UnknownField:
            t.table.FieldValue(s("x"));
            break;
        case Misuse::OpenWithoutFields:
            bare.OpenTable();
            break;
        case Misuse::AttachMaxCountZero:
            t.table.setAttachMaxCount(0);
            break;
        case Misuse::AttachMaxCountWhileOpen:
            t.table.setAttachMaxCount(2);
            break;
        }
    };

    QString caughtClass;
    QString caught;
    try {
        misuseIt();
    } catch (const EMemTableError &e) {
        caughtClass = s("EMemTableError");
        caught = e.message();
    } catch (const EDatabaseError &e) {
        caughtClass = s("EDatabaseError");
        caught = e.message();
    } catch (const ERangeError &e) {
        caughtClass = s("ERangeError");
        caught = e.message();
    }
    QCOMPARE(caughtClass, errorClass);
    QCOMPARE(caught, message);
    // A refused operation changes neither the state nor the rows.
    QCOMPARE(t.table.State(), stateBefore);
    if (rowsBefore >= 0)
        QCOMPARE(t.table.RowCount(), rowsBefore);
    QVERIFY(!bare.Active());
}

void tst_xovMemTable::failedPostKeepsRow()
{
    TurnTable t;
    t.field("h1")->setRequired(true);
    t.table.OpenTable();
    t.table.AppendRow();
    t.table.setFieldValue(s("e1"), 100);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, t.table.PostRow());
    QCOMPARE(t.table.State(), TDataSetState::dsInsert);
    QCOMPARE(t.value("e1"), QVariant(100));
    QCOMPARE(t.table.RowCount(), 0);
    t.table.setFieldValue(s("h1"), 401);
    t.table.PostRow();
    QCOMPARE(t.table.RowCount(), 1);
    QCOMPARE(t.value("h1"), QVariant(401));
    // A read-only required field is not demanded.
    t.field("h2")->setRequired(true);
    t.field("h2")->setReadOnly(true);
    t.table.AppendRow();
    t.table.setFieldValue(s("h1"), 1);
    t.table.PostRow();
    QCOMPARE(t.table.RowCount(), 2);
}

void tst_xovMemTable::validateSeesNewValueAndCanRefuse()
{
    TurnTable t;
    t.table.OpenTable();
    t.table.AppendRow();
    t.table.setFieldValue(s("e1"), 60);
    QList<QVariant> seen;
    t.field("e1")->OnValidate = [&seen](TField *field) {
        seen << field->AsValue();
        if (field->AsInteger() > 180)
            throw EDatabaseError(s("too much"));
    };
    t.table.setFieldValue(s("e1"), 100);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, t.table.setFieldValue(s("e1"), 181));
    t.field("e1")->Clear();
    QCOMPARE(seen, QList<QVariant>({QVariant(100), QVariant(181), QVariant()}));
    QVERIFY(t.value("e1").isNull());
    t.table.setFieldValue(s("e1"), 100);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, t.table.setFieldValue(s("e1"), 200));
    QCOMPARE(t.value("e1"), QVariant(100)); // the refused value never reached the row
    QCOMPARE(t.table.State(), TDataSetState::dsInsert);
}

void tst_xovMemTable::errorEvents_data()
{
    QTest::addColumn<int>("answer"); // TDataAction
    QTest::addColumn<bool>("raises");
    QTest::addColumn<int>("rows");
    QTest::addColumn<TDataSetState>("state");

    QTest::newRow("no handler") << -1 << true << 0 << TDataSetState::dsInsert;
    QTest::newRow("fail") << int(TDataAction::daFail) << true << 0 << TDataSetState::dsInsert;
    QTest::newRow("abort") << int(TDataAction::daAbort) << false << 0 << TDataSetState::dsInsert;
    QTest::newRow("retry after mending") << int(TDataAction::daRetry) << false << 1 << TDataSetState::dsBrowse;
}

void tst_xovMemTable::errorEvents()
{
    QFETCH(int, answer);
    QFETCH(bool, raises);
    QFETCH(int, rows);
    QFETCH(TDataSetState, state);

    int calls = 0;
    QStringList events;
    TurnTable t;
    t.field("h1")->setRequired(true);
    t.table.OpenTable();
    t.table.AfterPost = [&events](TDataSet *) { events << s("AfterPost"); };
    if (answer >= 0) {
        t.table.OnPostError = [&](TDataSet *dataSet, EDatabaseError &error, TDataAction &action) {
            ++calls;
            QCOMPARE(dataSet, &t.table);
            QCOMPARE(error.message(), s("Field 'h1' must have a value"));
            QCOMPARE(action, TDataAction::daFail);
            action = TDataAction(answer);
            if (action == TDataAction::daRetry)
                t.table.setFieldValue(s("h1"), 441);
        };
    }
    t.table.AppendRow();
    bool raised = false;
    try {
        t.table.PostRow();
    } catch (const EDatabaseError &) {
        raised = true;
    }
    QCOMPARE(raised, raises);
    QCOMPARE(calls, answer >= 0 ? 1 : 0);
    QCOMPARE(t.table.RowCount(), rows);
    QCOMPARE(t.table.State(), state);
    QCOMPARE(events, rows ? texts({"AfterPost"}) : QStringList());
}

namespace {

enum class Operation { Open, Append, Post, Edit, Cancel, CancelAppend, Delete, MoveFirst, MoveRows, Close, Refresh };

} // namespace
Q_DECLARE_METATYPE(Operation)

void tst_xovMemTable::datasetEvents_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QStringList>("events");

    QTest::newRow("open") << Operation::Open << texts({"BeforeOpen", "BeforeRefresh", "AfterRefresh", "AfterOpen"});
    QTest::newRow("append") << Operation::Append
                            << texts({"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll"});
    QTest::newRow("post") << Operation::Post << texts({"BeforePost", "AfterPost"});
    QTest::newRow("edit") << Operation::Edit << texts({"BeforeEdit", "AfterEdit"});
    QTest::newRow("cancel edit") << Operation::Cancel << texts({"BeforeCancel", "AfterCancel"});
    QTest::newRow("cancel append") << Operation::CancelAppend
                                   << texts({"BeforeCancel", "BeforeScroll", "AfterCancel", "AfterScroll"});
    QTest::newRow("delete") << Operation::Delete
                            << texts({"BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll"});
    QTest::newRow("move first") << Operation::MoveFirst << texts({"BeforeScroll", "AfterScroll"});
    QTest::newRow("move rows") << Operation::MoveRows << texts({"BeforeScroll", "AfterScroll"});
    QTest::newRow("refresh") << Operation::Refresh << texts({"BeforeRefresh", "AfterRefresh"});
    QTest::newRow("close") << Operation::Close << texts({"BeforeClose", "AfterClose"});
}

void tst_xovMemTable::datasetEvents()
{
    QFETCH(Operation, operation);
    QFETCH(QStringList, events);

    QStringList log; // outlives the table, whose closing still reports
    TurnTable t;
    auto record = [&log](const char *name) { return [&log, name](TDataSet *) { log << s(name); }; };
    t.table.BeforeOpen = record("BeforeOpen");
    t.table.AfterOpen = record("AfterOpen");
    t.table.BeforeClose = record("BeforeClose");
    t.table.AfterClose = record("AfterClose");
    t.table.BeforeInsert = record("BeforeInsert");
    t.table.AfterInsert = record("AfterInsert");
    t.table.BeforeEdit = record("BeforeEdit");
    t.table.AfterEdit = record("AfterEdit");
    t.table.BeforePost = record("BeforePost");
    t.table.AfterPost = record("AfterPost");
    t.table.BeforeCancel = record("BeforeCancel");
    t.table.AfterCancel = record("AfterCancel");
    t.table.BeforeDelete = record("BeforeDelete");
    t.table.AfterDelete = record("AfterDelete");
    t.table.BeforeScroll = record("BeforeScroll");
    t.table.AfterScroll = record("AfterScroll");
    t.table.BeforeRefresh = record("BeforeRefresh");
    t.table.AfterRefresh = record("AfterRefresh");
    t.table.OnNewRecord = record("OnNewRecord");

    if (operation != Operation::Open) {
        t.table.OpenTable();
        t.addRows(3);
        t.table.MoveFirst();
        if (operation == Operation::Post || operation == Operation::CancelAppend)
            t.table.AppendRow();
        if (operation == Operation::Cancel)
            t.table.EditRow();
        if (operation == Operation::Post)
            t.table.setFieldValue(s("e1"), 1);
    }
    log.clear();
    switch (operation) {
    case Operation::Open:
        t.table.OpenTable();
        break;
    case Operation::Append:
        t.table.AppendRow();
        break;
    case Operation::Post:
        t.table.PostRow();
        break;
    case Operation::Edit:
        t.table.EditRow();
        break;
    case Operation::Cancel:
    case Operation::CancelAppend:
        t.table.CancelRow();
        break;
    case Operation::Delete:
        t.table.DeleteRow();
        break;
    case Operation::MoveFirst:
        t.table.MoveFirst();
        break;
    case Operation::MoveRows:
        t.table.MoveRows(2);
        break;
    case Operation::Close:
        t.table.CloseTable();
        break;
    case Operation::Refresh:
        t.table.RefreshTable();
        break;
    }
    QCOMPARE(log, events);
}

void tst_xovMemTable::deleting_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("deleted"); // row number
    QTest::addColumn<int>("currentAfter"); // i of the current row, -1 for none

    QTest::newRow("last row") << 5 << 5 << 3;
    QTest::newRow("middle row") << 5 << 3 << 3;
    QTest::newRow("first row") << 5 << 1 << 1;
    QTest::newRow("only row") << 1 << 1 << -1;
}

void tst_xovMemTable::deleting()
{
    QFETCH(int, rows);
    QFETCH(int, deleted);
    QFETCH(int, currentAfter);

    TurnTable t;
    t.table.OpenTable();
    t.addRows(rows);
    t.table.MoveFirst();
    t.table.MoveRows(deleted - 1);
    QCOMPARE(t.table.RowNumber(), deleted);
    const qint32 freedSlot = deleted - 1;
    t.table.DeleteRow();

    QCOMPARE(t.table.State(), TDataSetState::dsBrowse);
    QCOMPARE(t.table.RowCount(), rows - 1);
    if (currentAfter < 0) {
        QVERIFY(t.table.HasNoRow());
        QCOMPARE(t.table.RowNumber(), -1);
        for (TField *field : t.table.Fields())
            QVERIFY(field->AsValue().isNull());
        try {
            t.table.DeleteRow();
            QFAIL("no error");
        } catch (const EDatabaseError &e) {
            QCOMPARE(e.message(), s("Tbl: Cannot perform this operation on an empty dataset"));
        }
    } else {
        QCOMPARE(t.value("i"), QVariant(currentAfter));
    }
    QCOMPARE(t.table.Common()->FreeSlots(), std::vector<qint32>({freedSlot}));

    // The next row is numbered on, takes the freed slot and goes to the end.
    t.table.AppendRow();
    QCOMPARE(t.value("i"), QVariant(rows));
    t.table.PostRow();
    QCOMPARE(t.table.RowNumber(), rows);
    QCOMPARE(t.table.Common()->Slots()[freedSlot]->UniqueId, rows);
    QVERIFY(t.table.Common()->FreeSlots().empty());
    QCOMPARE(t.column("i").last(), QVariant(rows));
}

void tst_xovMemTable::deleteInInsertCancels()
{
    TurnTable t;
    t.table.OpenTable();
    t.addRows(2);
    t.table.AppendRow();
    t.table.setFieldValue(s("e1"), 1);
    t.table.DeleteRow();
    QCOMPARE(t.table.State(), TDataSetState::dsBrowse);
    QCOMPARE(t.table.RowCount(), 2);
    QCOMPARE(t.value("i"), QVariant(1));
    QVERIFY(t.table.Common()->FreeSlots().empty());
}

void tst_xovMemTable::deleteInEditDropsChanges()
{
    TurnTable t;
    t.table.OpenTable();
    t.addRows(3);
    t.table.MoveFirst();
    t.table.EditRow();
    t.table.setFieldValue(s("e1"), 1);
    t.table.DeleteRow();
    QCOMPARE(t.table.State(), TDataSetState::dsBrowse);
    QCOMPARE(t.table.RowCount(), 2);
    QCOMPARE(t.value("i"), QVariant(1));
    QCOMPARE(t.column("e1"), ints({20, 30}));
}

void tst_xovMemTable::removeAllRowsKeepsNumbering()
{
    TurnTable t;
    t.table.OpenTable();
    t.addRows(8);
    t.table.RemoveAllRows();
    QCOMPARE(t.table.State(), TDataSetState::dsBrowse);
    QCOMPARE(t.table.RowCount(), 0);
    QVERIFY(t.table.HasNoRow());
    QCOMPARE(t.table.CursorPos(), -1);
    QVERIFY(t.table.CurrentIndex()->Unordered());
    t.table.AppendRow();
    QCOMPARE(t.value("i"), QVariant(8));
    t.table.PostRow();
    QCOMPARE(t.table.Common()->Slots()[0]->SlotId, 0);
    QVERIFY(!t.table.CurrentIndex()->Unordered());
}

void tst_xovMemTable::removeAllRowsPostsPendingRow()
{
    TurnTable t;
    t.table.OpenTable();
    t.addRows(2);
    t.table.AppendRow();
    t.table.setFieldValue(s("e1"), 1);
    t.table.RemoveAllRows();
    QCOMPARE(t.table.State(), TDataSetState::dsBrowse);
    QCOMPARE(t.table.RowCount(), 0);
    // The pending row was posted before the store was emptied, so its number is used up.
    t.table.AppendRow();
    QCOMPARE(t.value("i"), QVariant(3));

    // On a closed table emptying raises nothing.
    t.table.CloseTable();
    t.table.RemoveAllRows();
    QVERIFY(!t.table.Active());
}

void tst_xovMemTable::closeAndReopenStartsAgain()
{
    TurnTable t;
    t.table.OpenTable();
    t.addRows(3);
    t.table.AppendRow();
    t.table.setFieldValue(s("e1"), 1);
    t.table.CloseTable();
    QCOMPARE(t.table.State(), TDataSetState::dsInactive);
    QVERIFY(!t.table.Active());
    QCOMPARE(t.table.Common()->RecordCount(), 0);
    QCOMPARE(t.table.WindowCapacity(), 0);
    QCOMPARE(t.field("e1")->DefinitionIndex(), -1);
    t.table.CloseTable(); // nothing happens

    t.table.setActive(true);
    QCOMPARE(t.table.RowCount(), 0);
    t.table.AppendRow();
    QCOMPARE(t.value("i"), QVariant(0));
    t.table.PostRow();
    t.table.setActive(false);
    QVERIFY(!t.table.Active());
}

void tst_xovMemTable::autoIncMinValue()
{
    TurnTable t;
    t.table.setAutoIncMinValue(10);
    t.table.OpenTable();
    QCOMPARE(t.table.HighestAutoInc(), 9);
    t.addRows(2);
    QCOMPARE(t.column("i"), ints({10, 11}));
    // A posted number above the high mark raises it.
    t.table.AppendRow();
    t.table.setFieldValue(s("i"), 40);
    t.table.PostRow();
    t.table.AppendRow();
    QCOMPARE(t.value("i"), QVariant(41));
    t.table.CancelRow();
    // Raising the minimum above the high mark moves the mark; lowering it does not.
    t.table.setAutoIncMinValue(100);
    QCOMPARE(t.table.HighestAutoInc(), 99);
    t.table.setAutoIncMinValue(0);
    QCOMPARE(t.table.HighestAutoInc(), 99);

    // 32-bit numbers: after the largest the numbering goes round to the smallest.
    t.table.AppendRow();
    t.table.setFieldValue(s("i"), 2147483647);
    t.table.PostRow();
    t.table.AppendRow();
    QCOMPARE(t.value("i"), QVariant(qint32(-2147483647 - 1)));
    t.table.CancelRow();
    t.table.CloseTable();
    t.table.setAutoIncMinValue(-2147483647 - 1);
    t.table.OpenTable();
    QCOMPARE(t.table.HighestAutoInc(), 2147483647);
}

void tst_xovMemTable::recordFormat()
{
    TurnTable t;
    t.table.OpenTable();
    const TxovCommon *store = t.table.Common();
    QCOMPARE(store->FieldCount(), 7);
    for (int k = 0; k < 7; ++k)
        QCOMPARE(store->FieldStart(k), 5 * k);
    QCOMPARE(store->CalcAreaStart(), 35);
    QCOMPARE(store->BookmarkAreaStart(), 35);
    QCOMPARE(store->ValueAreaSize(), 35 + TxovCommon::BookmarkEntrySize);
    QCOMPARE(store->RecordSize(), int(sizeof(TxovRecord)) + store->ValueAreaSize());
    QVERIFY(!store->FieldVarLength(1));
    QVERIFY(!store->FieldCompressed(1));

    t.table.AppendRow();
    t.table.setFieldValue(s("e1"), 0x01020304);
    t.table.setFieldValue(s("h1"), -2);
    t.table.setFieldValue(s("a1"), 77);
    t.field("a1")->Clear();
    t.table.PostRow();

    const TxovRecord *record = store->Slots()[0];
    QCOMPARE(record->SlotId, 0);
    QCOMPARE(record->UniqueId, 0);
    QCOMPARE(record->RowFlags & 1, 1);
    QCOMPARE(record->ChangeState, quint8(0));
    QCOMPARE(record->OlderVersion, nullptr);
    const auto *bytes = reinterpret_cast<const unsigned char *>(record->ValueArea);
    QCOMPARE(bytes[0], 2); // i = 0
    QCOMPARE(qFromLittleEndian<qint32>(bytes + 1), 0);
    const unsigned char e1[] = {2, 0x04, 0x03, 0x02, 0x01};
    QVERIFY(std::memcmp(bytes + 5, e1, 5) == 0);
    QCOMPARE(bytes[10], 2);
    QCOMPARE(qFromLittleEndian<qint32>(bytes + 11), -2);
    QCOMPARE(bytes[15], 0); // a1 cleared: indicator 0, the value bytes stay
    QCOMPARE(qFromLittleEndian<qint32>(bytes + 16), 77);
    for (int k = 20; k < 35; k += 5)
        QCOMPARE(bytes[k], 0);
}

void tst_xovMemTable::storeReusesSlotsLastInFirstOut()
{
    TurnTable t;
    t.table.OpenTable();
    t.addRows(5);
    const TxovCommon *store = t.table.Common();
    // Delete rows 2 and 4 (slots 1 and 3), in that order.
    t.table.MoveFirst();
    t.table.MoveRows(1);
    t.table.DeleteRow();
    t.table.MoveRows(1);
    QCOMPARE(t.value("i"), QVariant(3));
    t.table.DeleteRow();
    QCOMPARE(store->FreeSlots(), std::vector<qint32>({1, 3}));
    QCOMPARE(store->Slots().size(), size_t(5));
    QVERIFY(!store->Slots()[1]);
    QCOMPARE(store->RecordCount(), 3);

    t.addRows(3);
    QCOMPARE(store->Slots()[3]->UniqueId, 5); // the slot freed last is taken first
    QCOMPARE(store->Slots()[1]->UniqueId, 6);
    QCOMPARE(store->Slots()[5]->UniqueId, 7);
    QCOMPARE(store->NextSlotId(), 6);
    QCOMPARE(store->NextUniqueId(), 8);
    QCOMPARE(t.column("i"), ints({0, 2, 4, 5, 6, 7}));
}

// The store takes its records in blocks; rows on both sides of block boundaries, places given
// back by deletes and a store emptied and filled again all keep their own values.
void tst_xovMemTable::storeKeepsRowsOfManyBlocks()
{
    constexpr int rows = 2 * int(TxovRecordPool::RecordsPerBlock) + 10;
    TurnTable t;
    t.table.OpenTable();
    for (int round = 0; round < 2; ++round) {
        t.addRows(rows);
        // Take back the last row of the first block and the first of the second, then refill
        // them: the places freed last are taken first and hold the new values.
        const int boundary = int(TxovRecordPool::RecordsPerBlock);
        t.table.MoveFirst();
        t.table.MoveRows(boundary - 1);
        t.table.DeleteRow();
        t.table.DeleteRow();
        t.addRows(2);
        QList<QVariant> expected;
        for (int k = 1; k <= rows; ++k) {
            if (k != boundary && k != boundary + 1)
                expected << QVariant(10 * k);
        }
        expected << QVariant(10 * (rows - 1)) << QVariant(10 * rows);
        QCOMPARE(t.column("e1"), expected);
        QCOMPARE(t.table.Common()->RecordCount(), rows);
        t.table.RemoveAllRows();
        QCOMPARE(t.table.RowCount(), 0);
    }
}

void tst_xovMemTable::emptyingStoreResetsCounters()
{
    TurnTable t;
    t.table.OpenTable();
    t.addRows(4);
    TxovCommon *store = t.table.Common();
    const quint32 stamp = store->ContentStamp();
    QVERIFY(stamp <= 1073741824u);
    t.table.RemoveAllRows();
    QVERIFY(store->Slots().empty());
    QVERIFY(store->FreeSlots().empty());
    QCOMPARE(store->NextSlotId(), 0);
    QCOMPARE(store->NextUniqueId(), 0);
    QVERIFY(store->ContentStamp() != stamp);
    QVERIFY(store->ContentStamp() <= 1073741824u);
    QCOMPARE(store->HighestAutoInc(), 3);
}

void tst_xovMemTable::uniqueNumberLimit()
{
    TurnTable t;
    t.table.OpenTable();
    t.addRows(2);
    TxovCommon *store = t.table.Common();
    store->setNextUniqueId(TxovCommon::UniqueIdLimit - 1);

    t.table.AppendRow();
    t.table.setFieldValue(s("e1"), 5);
    try {
        t.table.PostRow();
        QFAIL("no error");
    } catch (const EMemTableFatalError &e) {
        QCOMPARE(e.message(), s("Bookmark counter is out of range. Please close and reopen table."));
    }
    // Nothing of the refused row stays in the store; the row is still being appended.
    QCOMPARE(t.table.State(), TDataSetState::dsInsert);
    QCOMPARE(t.value("e1"), QVariant(5));
    QCOMPARE(store->Slots().size(), size_t(2));
    QCOMPARE(store->RecordCount(), 2);
    QCOMPARE(store->NextUniqueId(), TxovCommon::UniqueIdLimit - 1);
    t.table.CancelRow();
    QCOMPARE(t.table.RowCount(), 2);

    // A freed slot is reused without the check, up to the last number there is.
    t.table.DeleteRow();
    t.addRows(1);
    QCOMPARE(t.table.RowCount(), 2);
    store->setNextUniqueId(std::numeric_limits<qint32>::max());
    t.table.DeleteRow();
    t.table.AppendRow();
    t.table.setFieldValue(s("e1"), 5);
    QVERIFY_THROWS_EXCEPTION(EMemTableFatalError, t.table.PostRow());
    t.table.CancelRow();

    // Emptying the store starts the numbers again.
    t.table.RemoveAllRows();
    t.addRows(1);
    QCOMPARE(store->Slots()[0]->UniqueId, 0);
}

void tst_xovMemTable::findBySlot_data()
{
    QTest::addColumn<QList<int>>("slotIds");
    QTest::addColumn<bool>("unordered");

    QTest::newRow("ascending") << QList<int>({0, 1, 2, 5, 8, 9, 13}) << false;
    QTest::newRow("descending") << QList<int>({13, 9, 8, 5, 2, 1, 0}) << false;
    QTest::newRow("reused slotIds") << QList<int>({0, 2, 3, 1, 4, 6, 5}) << false;
    QTest::newRow("unordered after emptying") << QList<int>({0, 1, 2, 3}) << true;
    QTest::newRow("single") << QList<int>({4}) << false;
}

void tst_xovMemTable::findBySlot()
{
    QFETCH(QList<int>, slotIds);
    QFETCH(bool, unordered);

    std::vector<TxovRecord> records(slotIds.size());
    TxovIndex index(TxovIndexes::RowOrderName);
    if (unordered)
        index.Clear();
    QCOMPARE(index.Unordered(), unordered);
    for (int k = 0; k < slotIds.size(); ++k) {
        records[k] = TxovRecord {};
        records[k].SlotId = slotIds[k];
        index.Append(&records[k]);
    }
    for (int k = 0; k < slotIds.size(); ++k) {
        QCOMPARE(index.FindBySlot(slotIds[k]), k);
        QCOMPARE(index.FindBySlot(slotIds[k], k), k);
        QCOMPARE(index.FindBySlot(slotIds[k], (k + 1) % slotIds.size()), k);
    }
    QCOMPARE(index.FindBySlot(99), -1);
    QCOMPARE(index.FindBySlot(7, 0), -1);
}

void tst_xovMemTable::deleteFindsRowAfterSlotReuse()
{
    TurnTable t;
    t.table.OpenTable();
    t.addRows(6);
    // Free slots 1 and 2, then reuse them at the end: the slot numbers no longer ascend.
    t.table.MoveFirst();
    t.table.MoveRows(1);
    t.table.DeleteRow();
    t.table.DeleteRow();
    t.addRows(2);
    QCOMPARE(t.column("i"), ints({0, 3, 4, 5, 6, 7}));
    // Delete every row from the middle out and check each time that the right one went.
    QList<QVariant> expected = ints({0, 3, 4, 5, 6, 7});
    while (!expected.isEmpty()) {
        const int at = expected.size() / 2;
        t.table.MoveFirst();
        t.table.MoveRows(at);
        QCOMPARE(t.value("i"), expected[at]);
        t.table.DeleteRow();
        expected.removeAt(at);
        QCOMPARE(t.column("i"), expected);
    }
}

void tst_xovMemTable::properties()
{
    TxovMemTable table;
    QCOMPARE(table.AttachMaxCount(), 1);
    QCOMPARE(table.AutoIncMinValue(), 0);
    QVERIFY(!table.ReadOnly());
    QVERIFY(!table.Filtered());
    QVERIFY(table.NumbersRows());
    QVERIFY(table.EnableIndexes());
    QVERIFY(!table.AutoReposition());
    QVERIFY(table.RecalcOnFetch());
    QVERIFY(!table.Standalone());
    QVERIFY(!table.EnableVersioning());
    QVERIFY(table.DesignActivation());
    QVERIFY(table.AttachedAutoRefresh());
    QVERIFY(!table.Persistent());
    QCOMPARE(
        table.ProgressFlags(), TxovProgressCode::mtpcLoad | TxovProgressCode::mtpcSave | TxovProgressCode::mtpcCopy);
    QCOMPARE(table.Indexes()->Count(), 1);
    QCOMPARE(table.CurrentIndex()->Name(), s("__MT__ROWORDER"));
    QCOMPARE(table.Common()->Attachments().front(), &table);
    QCOMPARE(table.AttachNumber(), 0);

    table.setVersion(s("1.0"));
    QCOMPARE(table.Version(), s("5.02b"));

    QCOMPARE(table.LocaleID(), 1024u);
    QCOMPARE(table.LanguageID(), 0);
    QCOMPARE(table.SubLanguageID(), 1);
    QCOMPARE(table.SortID(), 0);
    table.setLocaleID(0x5140E);
    QCOMPARE(table.LanguageID(), 0x0E);
    QCOMPARE(table.SubLanguageID(), 5);
    QCOMPARE(table.SortID(), 5);
    table.setSortID(0);
    table.setLanguageID(7);
    QCOMPARE(table.LocaleID(), 7u + 1024u * 5u);

    table.setAttachMaxCount(1); // the same value: nothing happens
    table.setAttachMaxCount(3);
    QCOMPARE(table.AttachMaxCount(), 3);
    QCOMPARE(table.Common()->Attachments().size(), size_t(3));

    // A table without field objects makes them from its definitions.
    table.addFieldDef(s("n"), TFieldType::ftAutoInc);
    table.addFieldDef(s("v"), TFieldType::ftInteger);
    table.OpenTable();
    QCOMPARE(int(table.Fields().size()), 2);
    QCOMPARE(table.AutoIncField(), table.FieldNamed(s("n")));
    // With three attachment entries the bookmark area holds three entries.
    QCOMPARE(table.Common()->ValueAreaSize(), 10 + 3 * TxovCommon::BookmarkEntrySize);
    table.AppendRow();
    QCOMPARE(table.FieldValue(s("n")), QVariant(0));
    table.PostRow();
    QCOMPARE(table.RowCount(), 1);
}

void tst_xovMemTable::progressReportsEmptying()
{
    TurnTable t;
    t.table.OpenTable();
    t.addRows(2);
    QList<int> reported;
    t.table.OnProgress = [&reported](TxovCustomMemTable *, int percent, TxovProgressCode code) {
        QCOMPARE(code, TxovProgressCode::mtpcEmpty);
        reported << percent;
    };
    t.table.RemoveAllRows();
    QVERIFY(reported.isEmpty()); // mtpcEmpty is not among the flags
    t.table.setProgressFlags(t.table.ProgressFlags() | TxovProgressCode::mtpcEmpty);
    t.table.RemoveAllRows();
    QCOMPARE(reported, QList<int>({0, 100}));
}

QTEST_GUILESS_MAIN(tst_xovMemTable)
#include "tst_xovMemTable.moc"
