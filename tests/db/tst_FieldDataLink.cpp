// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// A field link as labels use it: it follows its field by name, hears of writes to it, and shows
// the row being appended.

#include <QTest>

#include "db/DataSource.h"
#include "db/Field.h"
#include "db/FieldDataLink.h"
#include "tests/support/LabelLink.h"
#include "tests/support/ListDataSet.h"
#include "tests/support/RecordingLink.h"
#include "tests/support/Texts.h"
#include "tests/support/TurnTable.h"

class tst_FieldDataLink : public QObject
{
    Q_OBJECT

private slots:
    void fieldLinkFollowsItsField();
    void fieldWriteReachesLabels();
    void labelAfterAppend();
};

void tst_FieldDataLink::fieldLinkFollowsItsField()
{
    ListDataSet list({5, 6});
    TDataSource source;
    source.setDataSet(&list);
    TFieldDataLink label;
    QStringList shown;
    label.OnDataChange = [&] { shown << (label.Field() ? label.Field()->DisplayText() : s("(none)")); };
    label.setDataSource(&source);
    label.setFieldName(s("v")); // inactive: no field yet
    QCOMPARE(label.Field(), nullptr);
    list.OpenTable();
    QCOMPARE(label.Field(), list.Fields().front());
    list.MoveLast();
    label.setFieldName(QString());
    label.setFieldName(s("V"));
    QCOMPARE(shown, texts({"5", "5", "6", "(none)", "6"}));
    list.CloseTable();
    QCOMPARE(label.Field(), nullptr);
}

void tst_FieldDataLink::fieldWriteReachesLabels()
{
    ViewedTurnTable b;
    LabelLink a1(&b.source, "a1");
    LabelLink e1(&b.source, "e1");
    RecordingLink other(false, s("other"));
    other.setDataSource(&b.source);
    b.table.OpenTable();
    b.addRows(2);
    b.table.AppendRow();
    b.table.setFieldValue(s("a1"), 9);
    const int e1Updates = e1.updates;
    b.view.clearLogs();
    other.clearLogs();

    b.table.setFieldValue(s("e1"), 60);
    QCOMPARE(b.view.notifications, texts({"field-change e1"}));
    QCOMPARE(other.notifications, texts({"field-change e1"}));
    QCOMPARE(e1.caption, s("60"));
    QCOMPARE(e1.updates, e1Updates + 1);
    QCOMPARE(a1.caption, s("9"));
    QVERIFY(b.table.RowModified());
}

void tst_FieldDataLink::labelAfterAppend()
{
    ViewedTurnTable b;
    LabelLink a1(&b.source, "a1");
    QCOMPARE(a1.link.Field(), nullptr);
    b.table.OpenTable();
    QCOMPARE(a1.link.Field(), b.table.FieldNamed(s("a1")));
    QCOMPARE(a1.caption, QString());
    b.addRows(3);
    QCOMPARE(a1.caption, s("3"));
    b.table.AppendRow();
    QCOMPARE(a1.caption, QString());
    b.table.setFieldValue(s("a1"), 4);
    QCOMPARE(a1.caption, s("4"));
    b.table.CloseTable();
    QCOMPARE(a1.link.Field(), nullptr);
    QCOMPARE(a1.caption, QString());
}

QTEST_GUILESS_MAIN(tst_FieldDataLink)
#include "tst_FieldDataLink.moc"
