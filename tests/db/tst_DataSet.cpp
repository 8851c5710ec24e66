// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The dataset base on its own, over the smallest table there is: one integer column in a list,
// buffers holding a position and a value. It shows that the window, the moves and editing need
// nothing of a table beyond the fetching and storing steps.

#include <vector>

#include <QTest>

#include "db/DataSource.h"
#include "tests/support/ListDataSet.h"
#include "tests/support/RecordingLink.h"
#include "tests/support/Texts.h"

class tst_DataSet : public QObject
{
    Q_OBJECT

private slots:
    void windowAndMoves();
    void editingThroughTheBase();
};

void tst_DataSet::windowAndMoves()
{
    ListDataSet list({10, 20, 30, 40, 50, 60, 70});
    TDataSource source;
    source.setDataSet(&list);
    RecordingLink view;
    view.setWindowCapacity(3);
    view.setDataSource(&source);
    list.OpenTable();
    QCOMPARE(view.values(s("v")), QList<QVariant>({10, 20, 30}));
    QCOMPARE(list.ActiveRow(), 0);

    view.clearLogs();
    QCOMPARE(list.MoveRows(4), 4);
    QCOMPARE(view.notifications, texts({"check-browse-mode", "dataset-scroll -2"}));
    QCOMPARE(view.values(s("v")), QList<QVariant>({30, 40, 50}));
    QCOMPARE(list.FieldValue(s("v")), QVariant(50));

    list.MoveLast();
    QCOMPARE(view.values(s("v")), QList<QVariant>({50, 60, 70}));
    QVERIFY(list.AtLastRow());
    QCOMPARE(list.MoveRows(-7), -6);
    QCOMPARE(list.FieldValue(s("v")), QVariant(10));
    QVERIFY(list.AtFirstRow());

    view.setWindowCapacity(5);
    QCOMPARE(view.values(s("v")), QList<QVariant>({10, 20, 30, 40, 50}));
    list.CloseTable();
    QCOMPARE(list.WindowCapacity(), 0);
    QVERIFY(list.FieldValue(s("v")).isNull());
}

void tst_DataSet::editingThroughTheBase()
{
    ListDataSet list({1, 2, 3});
    TDataSource source;
    source.setDataSet(&list);
    RecordingLink view;
    view.setWindowCapacity(2);
    view.setDataSource(&source);
    list.OpenTable();
    list.MoveLast();
    list.EditRow();
    list.setFieldValue(s("V"), 33);
    list.PostRow();
    QCOMPARE(list.m_values, std::vector<qint32>({1, 2, 33}));
    list.AppendRow();
    QVERIFY(list.FieldValue(s("v")).isNull());
    QCOMPARE(view.values(s("v")), QList<QVariant>({33, QVariant()}));
    list.setFieldValue(s("v"), 4);
    list.PostRow();
    QCOMPARE(list.m_values, std::vector<qint32>({1, 2, 33, 4}));
    QCOMPARE(view.values(s("v")), QList<QVariant>({33, 4}));
    list.DeleteRow();
    QCOMPARE(list.FieldValue(s("v")), QVariant(33));
    QCOMPARE(view.values(s("v")), QList<QVariant>({2, 33}));
    try {
        list.FieldNamed(s("w"));
        QFAIL("no error");
    } catch (const EDatabaseError &e) {
        QCOMPARE(e.message(), s("List: Field 'w' not found"));
    }
}

QTEST_GUILESS_MAIN(tst_DataSet)
#include "tst_DataSet.moc"
