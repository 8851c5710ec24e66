// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The chart of a leg: where its points go for legs of several shapes and sizes, and that its
// drawing stays inside its rectangle.
#include <QImage>
#include <QPainter>
#include <QTest>

#include "sheet/LegChart.h"

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(LegCourse)

class tst_LegChart : public QObject
{
    Q_OBJECT

private slots:
    void geometry_data();
    void geometry();
    void typeGrowsWithTheHeight();
    void drawsInsideItsRectangle();
};

void tst_LegChart::geometry_data()
{
    QTest::addColumn<LegCourse>("course");
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<int>("lowest");

    const LegCourse leg {{u"Anna"_s, u"Béla"_s}, {{{501, 441, 301, 161, 40, 0}, {501, 401, 360, 220}}}};
    QTest::newRow("a leg checked out, in a window") << leg << QRectF(0, 0, 900, 320) << 0;
    QTest::newRow("the same across a room") << leg << QRectF(40, 90, 1840, 900) << 0;
    QTest::newRow("below 0 with exact checkout cleared")
        << LegCourse {{u"Anna"_s, u"Béla"_s}, {{{301, 121, 21, -39}, {301, 201, 61}}}} << QRectF(10, 10, 640, 360)
        << -39;
    QTest::newRow("a long leg of many turns of 0")
        << LegCourse {{u"Anna"_s, u"Béla"_s}, {{std::vector<qint32>(40, 501), std::vector<qint32>(40, 501)}}}
        << QRectF(0, 0, 1366, 300) << 0;
    QTest::newRow("one turn") << LegCourse {{u"A"_s, u"B"_s}, {{{501, 441}, {501}}}} << QRectF(0, 0, 300, 200) << 0;
}

// Each player's points in turn order: one for the start and each turn, from the plot's left edge
// rightwards at equal steps, never rising (a remaining score only falls), inside the plot and the
// rectangle; the start score at the plot's top, the lowest score at its bottom.
void tst_LegChart::geometry()
{
    QFETCH(LegCourse, course);
    QFETCH(QRectF, rect);
    QFETCH(int, lowest);
    const LegChartGeometry g = legChartGeometry(course, rect);
    QVERIFY(rect.contains(g.plot));
    QCOMPARE(g.lowest, lowest);
    const qreal step = g.plot.width() / g.turns;
    for (std::size_t player = 0; player < 2; ++player) {
        const QPolygonF &points = g.points[player];
        QCOMPARE(points.size(), qsizetype(course.remaining[player].size()));
        QCOMPARE(points.first().x(), g.plot.left());
        QCOMPARE(points.first().y(), g.plot.top());
        for (qsizetype i = 0; i < points.size(); ++i) {
            QVERIFY(g.plot.adjusted(-0.01, -0.01, 0.01, 0.01).contains(points[i]));
            if (i > 0) {
                QVERIFY(qAbs(points[i].x() - points[i - 1].x() - step) < 1e-6);
                QVERIFY(points[i].y() >= points[i - 1].y());
            }
            if (course.remaining[player][std::size_t(i)] == lowest)
                QCOMPARE(points[i].y(), g.plot.bottom());
        }
    }
}

// The type is a share of the height, so that the chart reads as well across a room as in a window,
// and never falls below what a window can read.
void tst_LegChart::typeGrowsWithTheHeight()
{
    const LegCourse leg {{u"Anna"_s, u"Béla"_s}, {{{501, 401}, {501, 441}}}};
    const qreal window = legChartGeometry(leg, QRectF(0, 0, 800, 400)).textHeight;
    const qreal room = legChartGeometry(leg, QRectF(0, 0, 1600, 800)).textHeight;
    QVERIFY(qAbs(room - 2 * window) < 1e-6);
    QVERIFY(legChartGeometry(leg, QRectF(0, 0, 300, 60)).textHeight >= 11);
}

// Drawn into a rectangle of a larger picture, the chart touches nothing outside it, and the line
// of each player shows between its points.
void tst_LegChart::drawsInsideItsRectangle()
{
    const LegCourse leg {{u"Anna"_s, u"Béla"_s}, {{{501, 441, 301, 161, 40, 0}, {501, 401, 360, 220}}}};
    const QRect rect(50, 40, 700, 400);
    QImage image(800, 500, QImage::Format_RGB32);
    const QRgb outside = qRgb(0x12, 0x34, 0x56);
    image.fill(outside);
    QPainter painter(&image);
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    paintLegChart(painter, rect, leg, palette);
    painter.end();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!rect.contains(x, y))
                QVERIFY2(image.pixel(x, y) == outside, qPrintable(u"%1,%2"_s.arg(x).arg(y)));
        }
    }
    const LegChartGeometry g = legChartGeometry(leg, rect);
    for (const QPolygonF &points : g.points) {
        const QPoint middle = ((points[1] + points[2]) / 2).toPoint();
        QVERIFY(image.pixel(middle) != qRgb(255, 255, 255));
    }
}

QTEST_MAIN(tst_LegChart)
#include "tst_LegChart.moc"
