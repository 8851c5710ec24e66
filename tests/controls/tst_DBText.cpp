// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include "controls/DBText.h"
#include "tests/support/TurnTable.h"

class tst_DBText : public QObject
{
    Q_OBJECT

private slots:
    void followsCurrentRow();
    void blankWhenClosedOrUnbound();
    void alignment_data();
    void alignment();
};

void tst_DBText::followsCurrentRow()
{
    TurnTable t;
    TDBText a1;
    TDBText a2;
    a1.setDataSource(&t.source);
    a1.setDataField(QStringLiteral("a1"));
    a2.setDataSource(&t.source);
    a2.setDataField(QStringLiteral("a2"));
    t.table.OpenTable();
    QCOMPARE(a1.text(), QString());

    // Blank after appending until the field is written, then its display text at once.
    t.table.AppendRow();
    QCOMPARE(a1.text(), QString());
    t.table.setFieldValue(QStringLiteral("a1"), 60);
    QCOMPARE(a1.text(), QStringLiteral("60"));
    QCOMPARE(a2.text(), QString()); // another field's write leaves it alone
    t.table.PostRow();
    QCOMPARE(a1.text(), QStringLiteral("60"));

    t.table.EditRow();
    t.table.setFieldValue(QStringLiteral("a2"), 45);
    t.table.PostRow();
    QCOMPARE(a2.text(), QStringLiteral("45"));

    t.table.AppendRow();
    QCOMPARE(a1.text(), QString());
    QCOMPARE(a2.text(), QString());
    t.table.setFieldValue(QStringLiteral("a1"), -7);
    t.table.PostRow();
    QCOMPARE(a1.text(), QStringLiteral("-7"));

    // Moving shows the other row's values.
    t.table.MovePrior();
    QCOMPARE(a1.text(), QStringLiteral("60"));
    QCOMPARE(a2.text(), QStringLiteral("45"));

    t.table.RemoveAllRows();
    QCOMPARE(a1.text(), QString());
    QCOMPARE(a2.text(), QString());
}

void tst_DBText::blankWhenClosedOrUnbound()
{
    TurnTable t;
    t.table.OpenTable();
    t.addScores({100});
    t.table.EditRow();
    t.table.setFieldValue(QStringLiteral("a1"), 100);
    t.table.PostRow();

    TDBText label;
    label.setDataField(QStringLiteral("a1"));
    QCOMPARE(label.text(), QString());
    label.setDataSource(&t.source);
    QCOMPARE(label.text(), QStringLiteral("100"));
    label.setDataField(QStringLiteral("e1"));
    QCOMPARE(label.text(), QStringLiteral("100"));
    label.setDataField(QStringLiteral("h1"));
    QCOMPARE(label.text(), QStringLiteral("501"));
    t.table.CloseTable();
    QCOMPARE(label.text(), QString());
    t.table.OpenTable();
    QCOMPARE(label.text(), QString()); // the memory table starts empty again
    label.setDataSource(nullptr);
    QCOMPARE(label.text(), QString());
}

void tst_DBText::alignment_data()
{
    QTest::addColumn<TAlignment>("alignment");
    QTest::addColumn<Qt::Alignment>("horizontal");
    QTest::newRow("left") << taLeftJustify << Qt::Alignment(Qt::AlignLeft);
    QTest::newRow("right") << taRightJustify << Qt::Alignment(Qt::AlignRight);
    QTest::newRow("centre") << taCenter << Qt::Alignment(Qt::AlignHCenter);
}

void tst_DBText::alignment()
{
    QFETCH(TAlignment, alignment);
    QFETCH(Qt::Alignment, horizontal);
    TDBText label;
    QCOMPARE(label.Alignment(), taLeftJustify);
    label.setAlignment(alignment);
    QCOMPARE(label.Alignment(), alignment);
    QCOMPARE(label.QLabel::alignment() & Qt::AlignHorizontal_Mask, horizontal);
}

QTEST_MAIN(tst_DBText)
#include "tst_DBText.moc"
