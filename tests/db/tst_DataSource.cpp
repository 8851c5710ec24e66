// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Data sources between a dataset and its views: the order in which views hear of changes, a
// disabled source, the source's own events, automatic editing, switching datasets, and a view
// that fails.

#include <stdexcept>

#include <QTest>

#include "db/DataSource.h"
#include "db/Field.h"
#include "tests/support/ListDataSet.h"
#include "tests/support/RecordingLink.h"
#include "tests/support/Texts.h"
#include "tests/support/TurnTable.h"

namespace {

// A view that fails when the table changes.
class ThrowingLink : public RecordingLink
{
public:
    using RecordingLink::RecordingLink;

protected:
    void TableChange() override
    {
        RecordingLink::TableChange();
        throw std::runtime_error("view failed");
    }
};

} // namespace

class tst_DataSource : public QObject
{
    Q_OBJECT

private slots:
    void deliveryOrder();
    void disabledSource();
    void dataSourceEvents();
    void autoEdit();
    void switchingDataSets();
    void failingViewStopsDelivery();
};

void tst_DataSource::deliveryOrder()
{
    ViewedTurnTable b;
    QStringList journal;
    TDataSource second;
    RecordingLink nv1(false, s("nv1")), v1(true, s("v1")), nv2(false, s("nv2")), v2(true, s("v2"));
    RecordingLink w(true, s("w"));
    b.view.journal = &journal;
    for (RecordingLink *link : {&nv1, &v1, &nv2, &v2}) {
        link->journal = &journal;
        link->setDataSource(&b.source);
    }
    w.journal = &journal;
    w.setDataSource(&second);
    second.setDataSet(&b.table);
    b.table.OpenTable();
    journal.clear();
    b.table.MoveFirst();
    QCOMPARE(journal,
        texts({"nv2: check-browse-mode", "nv1: check-browse-mode", "v2: check-browse-mode", "v1: check-browse-mode",
            "view: check-browse-mode", "w: check-browse-mode", "nv2: dataset-change", "nv1: dataset-change",
            "v2: dataset-change", "v1: dataset-change", "view: dataset-change", "w: dataset-change"}));
}

void tst_DataSource::disabledSource()
{
    ViewedTurnTable b;
    b.table.OpenTable();
    b.addRows(2);
    b.view.clearLogs();
    b.source.setEnabled(false);
    QCOMPARE(b.source.State(), TDataSetState::dsInactive);
    QCOMPARE(b.view.notifications, texts({"state-change"}));
    QVERIFY(!b.view.Active());
    b.view.clearLogs();
    b.addRows(1);
    QVERIFY(b.view.notifications.isEmpty());
    b.source.setEnabled(true);
    QCOMPARE(b.view.notifications, texts({"state-change"}));
    QVERIFY(b.view.Active());
    QCOMPARE(b.view.rowNumbers(), range(1, 3));
}

void tst_DataSource::dataSourceEvents()
{
    ViewedTurnTable b;
    QStringList log;
    b.source.OnStateChange = [&log](TDataSource *) { log << s("state"); };
    b.source.OnDataChange
        = [&log](TDataSource *, TField *field) { log << s("data ") + (field ? field->FieldName() : s("-")); };
    b.source.OnUpdateData = [&log](TDataSource *) { log << s("update"); };
    b.table.OpenTable();
    QCOMPARE(log, texts({"state", "data -", "data -"}));
    log.clear();
    b.table.AppendRow();
    b.table.setFieldValue(s("e1"), 3);
    b.table.PostRow();
    QCOMPARE(log, texts({"state", "data -", "data e1", "update", "state", "data -"}));
    QCOMPARE(b.source.DataSet(), &b.table);
    QCOMPARE(b.source.State(), TDataSetState::dsBrowse);
}

void tst_DataSource::autoEdit()
{
    ViewedTurnTable b;
    b.table.OpenTable();
    b.addRows(1);
    QVERIFY(b.source.AutoEdit());
    b.source.setAutoEdit(false);
    b.source.EditRow();
    QCOMPARE(b.table.State(), TDataSetState::dsBrowse);
    b.source.setAutoEdit(true);
    b.source.EditRow();
    QCOMPARE(b.table.State(), TDataSetState::dsEdit);
    QVERIFY(b.view.Editing());
}

void tst_DataSource::switchingDataSets()
{
    ListDataSet first({1, 2, 3});
    ListDataSet second({7});
    TDataSource source;
    RecordingLink view;
    view.setWindowCapacity(4);
    view.setDataSource(&source);
    first.OpenTable();
    second.OpenTable();
    QCOMPARE(first.WindowCapacity(), 1);
    source.setDataSet(&first);
    QCOMPARE(first.WindowCapacity(), 4);
    QCOMPARE(view.values(s("v")), QList<QVariant>({1, 2, 3}));
    QVERIFY(view.Active());
    view.clearLogs();
    source.setDataSet(&second);
    QCOMPARE(view.notifications, texts({"dataset-change"}));
    QCOMPARE(first.WindowCapacity(), 1);
    QCOMPARE(second.WindowCapacity(), 4);
    QCOMPARE(view.values(s("v")), QList<QVariant>({7}));
    source.setDataSet(nullptr);
    QVERIFY(!view.Active());
    QCOMPARE(view.RowCount(), 0);
}

void tst_DataSource::failingViewStopsDelivery()
{
    ViewedTurnTable b;
    ThrowingLink failing(true, s("failing")); // attached last, so it hears first
    b.table.OpenTable();
    b.addRows(1);
    failing.setDataSource(&b.source);
    b.view.clearLogs();
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, b.table.MoveFirst());
    QCOMPARE(failing.notifications, texts({"check-browse-mode", "dataset-change"}));
    QCOMPARE(b.view.notifications, texts({"check-browse-mode"}));
}

QTEST_GUILESS_MAIN(tst_DataSource)
#include "tst_DataSource.moc"
