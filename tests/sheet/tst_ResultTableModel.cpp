// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The result sheet's table: each cell's text for a few nights of legs, worked out by hand, and the
// headers that name the players.
#include <QSignalSpy>
#include <QTest>

#include "match/ResultSheet.h"
#include "sheet/ResultTableModel.h"
#include "tests/support/GameOnTable.h"

using namespace Qt::StringLiterals;

namespace {

// Every row's cells joined by ";".
QStringList tableText(const QAbstractItemModel &model)
{
    QStringList rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model.columnCount(); ++c)
            cells << model.index(r, c).data().toString();
        rows << cells.join(u';');
    }
    return rows;
}

const std::array<QString, 2> Names {u"Anna"_s, u"Béla"_s};

// The sheet of the match a sheet shows first, after the steps (GameOnTable::play) from 301.
void fill(ResultTableModel &model, GameOnTable &game, const QString &steps)
{
    QCOMPARE(game.play(steps), QString());
    const bool decided = game.match.legs().matchDecided();
    model.setSheet(
        ResultSheet(game.match.record(), ResultSheet::lastMatch(game.match.record(), decided), decided), Names);
}

} // namespace

class tst_ResultTableModel : public QObject
{
    Q_OBJECT

private slots:
    void cells_data();
    void cells();
    void headers();
    void dartsColumnComesAndGoes();
};

void tst_ResultTableModel::cells_data()
{
    QTest::addColumn<bool>("darts");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("rows");

    // A row: leg, starter, winner, [darts,] then Anna's and Béla's average, first nine, 100+, 140+,
    // 180 and checkout.
    QTest::newRow("a leg with its darts shown")
        << true << "180 100 60 140 61 d2 n"
        << QStringList {u"1;Anna;Anna;8 nyíl;100;100;0;0;1;61;120;120;1;1;0;–"_s,
               u"Összesen;;1 – 0;;100;100;0;0;1;61;120;120;1;1;0;–"_s};
    QTest::newRow("the same with the darts not shown")
        << false << "180 100 60 140 61 d2 n"
        << QStringList {u"1;Anna;Anna;100;100;0;0;1;61;120;120;1;1;0;–"_s,
               u"Összesen;;1 – 0;100;100;0;0;1;61;120;120;1;1;0;–"_s};
    QTest::newRow("darts not given: empty") << true << "180 100 60 140 61 n"
                                            << QStringList {u"1;Anna;Anna;;100;100;0;0;1;61;120;120;1;1;0;–"_s,
                                                   u"Összesen;;1 – 0;;100;100;0;0;1;61;120;120;1;1;0;–"_s};
    QTest::newRow("the leg in play, started by Béla, after a leg left")
        << false << "180 100 60 140 61 n 60 45"
        << QStringList {u"1;Anna;Anna;100;100;0;0;1;61;120;120;1;1;0;–"_s, u"2;Béla;–;45;45;0;0;0;–;60;60;0;0;0;–"_s,
               u"Összesen;;1 – 0;86;86;0;0;1;61;100;100;1;1;0;–"_s};
    QTest::newRow("the best checkout in the totals, legs won by each")
        << false << "o 180 100 100 140 60 n 100 60 100 60 101 n"
        << QStringList {u"1;Anna;Anna;113;113;1;0;1;60;120;120;1;1;0;–"_s,
               u"2;Béla;Béla;60;60;0;0;0;–;100;100;3;0;0;101"_s, u"Összesen;;1 – 1;92;92;1;0;1;60;108;108;4;1;0;101"_s};
    QTest::newRow("no turn yet: the totals alone")
        << true << "" << QStringList {u"Összesen;;0 – 0;;–;–;0;0;0;–;–;–;0;0;0;–"_s};
}

void tst_ResultTableModel::cells()
{
    QFETCH(bool, darts);
    QFETCH(QString, steps);
    QFETCH(QStringList, rows);
    GameOnTable game(301);
    ResultTableModel model;
    model.setDartsShown(darts);
    fill(model, game, steps);
    QCOMPARE(tableText(model), rows);
    // A missing figure is said, not spelled as a dash; the others are read as shown.
    const int last = model.columnCount() - 1;
    QCOMPARE(model.index(0, last).data(Qt::AccessibleTextRole).toString(),
        rows[0].section(u';', -1) == u"–" ? u"nincs"_s : rows[0].section(u';', -1));
}

// The per-player headers name the player: on two lines on screen, as "Anna: Átlag" when read.
void tst_ResultTableModel::headers()
{
    GameOnTable game(301);
    ResultTableModel model;
    fill(model, game, u"180 100 60 140 61 n 60"_s);
    QStringList read, shown;
    for (int c = 0; c < model.columnCount(); ++c) {
        read << model.headerData(c, Qt::Horizontal, Qt::AccessibleTextRole).toString();
        shown << model.headerData(c, Qt::Horizontal).toString();
    }
    QCOMPARE(read,
        QStringList({u"Leg"_s, u"Kezdett"_s, u"Nyert"_s, u"Anna: Átlag"_s, u"Anna: Első 9"_s, u"Anna: 100+"_s,
            u"Anna: 140+"_s, u"Anna: 180"_s, u"Anna: Kiszálló"_s, u"Béla: Átlag"_s, u"Béla: Első 9"_s, u"Béla: 100+"_s,
            u"Béla: 140+"_s, u"Béla: 180"_s, u"Béla: Kiszálló"_s}));
    QCOMPARE(shown[3], u"Anna\nÁtlag"_s);
    QCOMPARE(shown[0], u"Leg"_s);
    QCOMPARE(model.headerData(0, Qt::Vertical).toString(), u"1. leg"_s);
    QCOMPARE(model.headerData(1, Qt::Vertical).toString(), u"2. leg"_s);
    QCOMPARE(model.headerData(2, Qt::Vertical).toString(), u"Összesen"_s);
    QVERIFY(!model.headerData(3, Qt::Vertical).isValid());
    QVERIFY(!model.headerData(model.columnCount(), Qt::Horizontal).isValid());
    QVERIFY(model.index(2, 0).data(Qt::FontRole).value<QFont>().bold());
}

// The darts column stands fourth while shown; views hear of it coming and going.
void tst_ResultTableModel::dartsColumnComesAndGoes()
{
    GameOnTable game(301);
    ResultTableModel model;
    fill(model, game, u"180 100 60 140 61 d3 n"_s);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QCOMPARE(model.columnCount(), 15);
    model.setDartsShown(true);
    QCOMPARE(model.columnCount(), 16);
    QCOMPARE(model.headerData(3, Qt::Horizontal).toString(), u"Nyíl"_s);
    QCOMPARE(model.index(0, 3).data().toString(), u"9 nyíl"_s);
    model.setDartsShown(true);
    QCOMPARE(resets.size(), 1);
    model.setDartsShown(false);
    QCOMPARE(model.columnCount(), 15);
    QCOMPARE(resets.size(), 2);
}

QTEST_GUILESS_MAIN(tst_ResultTableModel)
#include "tst_ResultTableModel.moc"
