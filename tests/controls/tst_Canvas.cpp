// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include "controls/Canvas.h"

class tst_Canvas : public QObject
{
    Q_OBJECT

private slots:
    void brushColourMakesClearBrushSolid();
    void textRectFillsAndClips_data();
    void textRectFillsAndClips();
    void nothingDrawnOutsidePaint();
};

void tst_Canvas::brushColourMakesClearBrushSolid()
{
    QWidget owner;
    TCanvas canvas(&owner);
    canvas.Brush().setStyle(bsClear);
    QCOMPARE(canvas.Brush().Style(), bsClear);
    canvas.Brush().setColor(0xECECFF);
    QCOMPARE(canvas.Brush().Style(), bsSolid);
    QCOMPARE(canvas.Brush().Color(), TColor(0xECECFF));
}

void tst_Canvas::textRectFillsAndClips_data()
{
    QTest::addColumn<TBrushStyle>("style");
    QTest::newRow("solid brush") << bsSolid;
    QTest::newRow("clear brush") << bsClear;
}

// One text output fills the whole rectangle (unless the brush is clear) and writes nothing
// outside it.
void tst_Canvas::textRectFillsAndClips()
{
    QFETCH(TBrushStyle, style);
    QWidget owner;
    TCanvas canvas(&owner);
    QImage image(60, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRect rect(10, 5, 20, 16);
    {
        QPainter painter(&image);
        canvas.begin(&painter);
        canvas.Brush().setColor(0x00FF00);
        canvas.Brush().setStyle(style);
        canvas.setFontColor(clBlack);
        canvas.TextRect(rect, rect.left() + 2, rect.top() + 2, QStringLiteral("WWWWWWWW"));
        canvas.end();
    }
    const QColor fill = style == bsSolid ? QColor(0, 255, 0) : QColor(Qt::white);
    QCOMPARE(image.pixelColor(rect.left(), rect.top()), fill);
    QCOMPARE(image.pixelColor(rect.right(), rect.bottom()), fill);
    bool ink = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (!rect.contains(x, y))
                QCOMPARE(c, QColor(Qt::white));
            else if (c != fill)
                ink = true;
        }
    }
    QVERIFY(ink);
}

void tst_Canvas::nothingDrawnOutsidePaint()
{
    QWidget owner;
    TCanvas canvas(&owner);
    QVERIFY(!canvas.Painter());
    canvas.FillRect(QRect(0, 0, 10, 10));
    canvas.TextRect(QRect(0, 0, 10, 10), 0, 0, QStringLiteral("x"));
    QCOMPARE(canvas.TextHeight(QStringLiteral("Wg")), QFontMetrics(canvas.Font(), &owner).height());
}

QTEST_MAIN(tst_Canvas)
#include "tst_Canvas.moc"
