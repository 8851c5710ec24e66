// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QGuiApplication>
#include <QPalette>
#include <QTest>

#include "controls/Colors.h"

class tst_Colors : public QObject
{
    Q_OBJECT

private slots:
    void conversion_data();
    void conversion();
};

void tst_Colors::conversion_data()
{
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Highlight, QColor(4, 5, 6));
    palette.setColor(QPalette::HighlightedText, QColor(7, 8, 9));
    palette.setColor(QPalette::Text, QColor(13, 14, 15));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(10, 11, 12));
    palette.setColor(QPalette::Button, QColor(16, 17, 18));

    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<TColor>("color");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("highlight pink") << palette << TColor(0xECECFF) << QColor(255, 236, 236);
    QTest::newRow("red in the low byte") << palette << TColor(0x0000FF) << QColor(255, 0, 0);
    QTest::newRow("blue in the high byte") << palette << TColor(0xFF0000) << QColor(0, 0, 255);
    QTest::newRow("silver") << palette << clSilver << QColor(192, 192, 192);
    QTest::newRow("window") << palette << clWindow << QColor(1, 2, 3);
    QTest::newRow("highlight") << palette << clHighlight << QColor(4, 5, 6);
    QTest::newRow("highlighted text") << palette << clHighlightText << QColor(7, 8, 9);
    QTest::newRow("grey text") << palette << clGrayText << QColor(10, 11, 12);
    QTest::newRow("window text") << palette << clWindowText << QColor(13, 14, 15);
    QTest::newRow("button face") << palette << clBtnFace << QColor(16, 17, 18);
}

void tst_Colors::conversion()
{
    QFETCH(QPalette, palette);
    QFETCH(TColor, color);
    QFETCH(QColor, expected);
    QCOMPARE(ColorToQColor(color, palette), expected);
}

QTEST_MAIN(tst_Colors)
#include "tst_Colors.moc"
