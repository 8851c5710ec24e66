// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The colours of a highlighted turn row on palettes light and dark: legible and marked on all,
// the pale pink of old wherever it suits.
#include <QPalette>
#include <QTest>

#include "app/TurnLook.h"

namespace {

// A palette whose rows are `base` with `text`.
QPalette rows(const QColor &base, const QColor &text)
{
    QPalette palette(Qt::black, Qt::lightGray, Qt::white, Qt::darkGray, Qt::gray, text, Qt::white, base, Qt::lightGray);
    return palette;
}

} // namespace

class tst_TurnLook : public QObject
{
    Q_OBJECT

private slots:
    void contrast_data();
    void contrast();
    void highTurn_data();
    void highTurn();
};

void tst_TurnLook::contrast_data()
{
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("ratio");

    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("white on black") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
    QTest::newRow("same colour") << QColor(120, 30, 45) << QColor(120, 30, 45) << 1.0;
    // The grey that just reaches 4.5:1 on white.
    QTest::newRow("#767676 on white") << QColor(0x76, 0x76, 0x76) << QColor(Qt::white) << 4.54;
    QTest::newRow("white on pale pink") << QColor(Qt::white) << QColor(255, 236, 236) << 1.14;
}

void tst_TurnLook::contrast()
{
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, ratio);
    QVERIFY2(qAbs(contrastRatio(a, b) - ratio) < 0.01, qPrintable(QString::number(contrastRatio(a, b))));
}

void tst_TurnLook::highTurn_data()
{
    QTest::addColumn<QColor>("base");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<bool>("palePink"); // the light look of old, text unchanged

    QTest::newRow("light") << QColor(Qt::white) << QColor(Qt::black) << true;
    QTest::newRow("light, grey text") << QColor(Qt::white) << QColor(0x40, 0x40, 0x40) << true;
    QTest::newRow("light, grey rows") << QColor(128, 128, 128) << QColor(Qt::black) << true;
    QTest::newRow("off-white rows") << QColor(250, 250, 250) << QColor(Qt::black) << false;
    QTest::newRow("pale pink rows") << QColor(255, 236, 236) << QColor(Qt::black) << false;
    QTest::newRow("dark") << QColor(35, 38, 41) << QColor(252, 252, 252) << false;
    QTest::newRow("black, white text") << QColor(Qt::black) << QColor(Qt::white) << false;
    QTest::newRow("high contrast yellow") << QColor(Qt::black) << QColor(Qt::yellow) << false;
    QTest::newRow("dark, grey text") << QColor(35, 38, 41) << QColor(128, 128, 128) << false;
    QTest::newRow("dark teal") << QColor(0, 43, 54) << QColor(131, 148, 150) << false;
    QTest::newRow("deep rose rows") << QColor(120, 30, 45) << QColor(Qt::white) << false;
    QTest::newRow("white on white") << QColor(Qt::white) << QColor(Qt::white) << false;
}

void tst_TurnLook::highTurn()
{
    QFETCH(QColor, base);
    QFETCH(QColor, text);
    QFETCH(bool, palePink);

    const QPalette palette = rows(base, text);
    const TurnLook look = highTurnLook(palette, clWindowText);
    const QColor background = ColorToQColor(look.background, palette);
    const QColor written = ColorToQColor(look.text, palette);
    QVERIFY2(contrastRatio(background, written) >= MinimumTextContrast,
        qPrintable(QStringLiteral("%1 on %2").arg(written.name(), background.name())));
    QVERIFY2(colorDistance(background, base) >= MinimumRowDistance,
        qPrintable(QStringLiteral("%1 among %2").arg(background.name(), base.name())));
    QCOMPARE(look.background == 0xECECFF && look.text == clWindowText, palePink);
}

QTEST_MAIN(tst_TurnLook)
#include "tst_TurnLook.moc"
