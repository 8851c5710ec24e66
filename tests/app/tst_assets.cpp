// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QImage>
#include <QImageReader>
#include <QTest>

// The pictures reach every program that links the application library, at the sizes the
// windows lay them out for, with transparency where they sit on the window's background.
class tst_assets : public QObject
{
    Q_OBJECT

private slots:
    void loads_data();
    void loads();
    void markersMirrorEachOther();
};

void tst_assets::loads_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("transparentCorner");

    QTest::newRow("splash") << QStringLiteral(":/assets/splash.jpg") << QByteArray("jpeg") << QSize(600, 400) << false;
    QTest::newRow("English splash") << QStringLiteral(":/assets/splash_en.jpg") << QByteArray("jpeg") << QSize(600, 400)
                                    << false;
    QTest::newRow("player 1 marker") << QStringLiteral(":/assets/dart_left.png") << QByteArray("png") << QSize(125, 30)
                                     << true;
    QTest::newRow("player 2 marker") << QStringLiteral(":/assets/dart_right.png") << QByteArray("png") << QSize(125, 30)
                                     << true;
    QTest::newRow("new game") << QStringLiteral(":/assets/tb_new.png") << QByteArray("png") << QSize(16, 16) << true;
    QTest::newRow("settings") << QStringLiteral(":/assets/tb_settings.png") << QByteArray("png") << QSize(16, 16)
                              << true;
    QTest::newRow("close") << QStringLiteral(":/assets/tb_close.png") << QByteArray("png") << QSize(16, 16) << true;
    QTest::newRow("delete") << QStringLiteral(":/assets/tb_delete.png") << QByteArray("png") << QSize(16, 16) << true;
    QTest::newRow("display") << QStringLiteral(":/assets/tb_display.png") << QByteArray("png") << QSize(16, 16) << true;
    QTest::newRow("new match") << QStringLiteral(":/assets/tb_match.png") << QByteArray("png") << QSize(16, 16) << true;
    QTest::newRow("previous game") << QStringLiteral(":/assets/tb_previous.png") << QByteArray("png") << QSize(16, 16)
                                   << true;
    QTest::newRow("result sheet") << QStringLiteral(":/assets/tb_sheet.png") << QByteArray("png") << QSize(16, 16)
                                  << true;
    QTest::newRow("panel cross") << QStringLiteral(":/assets/cross.png") << QByteArray("png") << QSize(10, 10) << true;
    QTest::newRow("about dartboard") << QStringLiteral(":/assets/dartboard64.png") << QByteArray("png") << QSize(64, 64)
                                     << true;
    // The twins for screens with a scale factor of 2, twice the size.
    QTest::newRow("splash @2x") << QStringLiteral(":/assets/splash@2x.jpg") << QByteArray("jpeg") << QSize(1200, 800)
                                << false;
    QTest::newRow("English splash @2x") << QStringLiteral(":/assets/splash_en@2x.jpg") << QByteArray("jpeg")
                                        << QSize(1200, 800) << false;
    for (const char *name : {"dart_left", "dart_right"})
        QTest::addRow("%s @2x", name) << QStringLiteral(":/assets/%1@2x.png").arg(QLatin1StringView(name))
                                      << QByteArray("png") << QSize(250, 60) << true;
    for (const char *name :
        {"tb_new", "tb_settings", "tb_close", "tb_delete", "tb_display", "tb_match", "tb_previous", "tb_sheet"})
        QTest::addRow("%s @2x", name) << QStringLiteral(":/assets/%1@2x.png").arg(QLatin1StringView(name))
                                      << QByteArray("png") << QSize(32, 32) << true;
    QTest::newRow("panel cross @2x") << QStringLiteral(":/assets/cross@2x.png") << QByteArray("png") << QSize(20, 20)
                                     << true;
    QTest::newRow("about dartboard @2x") << QStringLiteral(":/assets/dartboard64@2x.png") << QByteArray("png")
                                         << QSize(128, 128) << true;
    for (const int n : {16, 32, 48, 64, 72, 96, 128})
        QTest::addRow("icon %d", n) << QStringLiteral(":/assets/icon/pontix-%1.png").arg(n) << QByteArray("png")
                                    << QSize(n, n) << true;
}

void tst_assets::loads()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    QFETCH(bool, transparentCorner);

    QImageReader reader(path);
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
    // A twin is drawn at half its size in pixels, by its name alone.
    QCOMPARE(image.devicePixelRatio(), path.contains(QStringLiteral("@2x")) ? 2.0 : 1.0);
    QCOMPARE(image.hasAlphaChannel(), transparentCorner);
    if (transparentCorner) {
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        // Something is drawn: the picture is not transparent all over.
        QCOMPARE(qAlpha(image.pixel(size.width() / 2, size.height() / 2)), 255);
    }
}

void tst_assets::markersMirrorEachOther()
{
    const QImage left(QStringLiteral(":/assets/dart_left.png"));
    const QImage right(QStringLiteral(":/assets/dart_right.png"));
    QVERIFY(!left.isNull());
    QCOMPARE(right.convertToFormat(QImage::Format_ARGB32),
        left.mirrored(true, false).convertToFormat(QImage::Format_ARGB32));
    QVERIFY(left != right.convertToFormat(left.format()));
}

QTEST_GUILESS_MAIN(tst_assets)
#include "tst_assets.moc"
