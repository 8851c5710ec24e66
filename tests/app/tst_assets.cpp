#include <cstring>

#include <QDirIterator>
#include <QImage>
#include <QImageReader>
#include <QResource>
#include <QTest>

#include "app/Picture.h"
#include "app/Pixels.h"

// The pictures reach every program that links the application library, at the sizes the
// windows lay them out for, with transparency where they sit on the window's background.
class tst_assets : public QObject
{
    Q_OBJECT

private slots:
    void loads_data();
    void loads();
    void markersMirrorEachOther();
    void builtInPixelsAreTheDecodedPictures();
    void pixelsKeepWhatTheDecoderGave_data();
    void pixelsKeepWhatTheDecoderGave();
    void malformedPixelsAreRefused_data();
    void malformedPixelsAreRefused();
    void pictureWithoutPixelsIsDecoded();
};

namespace {

QByteArray pixelsOfSplash()
{
    return pixelsOf(QImage(QStringLiteral(":/assets/splash.jpg")));
}

} // namespace

void tst_assets::loads_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("transparentCorner");

    QTest::newRow("splash") << QStringLiteral(":/assets/splash.jpg") << QByteArray("jpeg") << QSize(600, 400) << false;
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
    QTest::newRow("panel cross") << QStringLiteral(":/assets/cross.png") << QByteArray("png") << QSize(10, 10) << true;
    QTest::newRow("about dartboard") << QStringLiteral(":/assets/dartboard64.png") << QByteArray("png") << QSize(64, 64)
                                     << true;
    // The twins for screens with a scale factor of 2, twice the size.
    QTest::newRow("splash @2x") << QStringLiteral(":/assets/splash@2x.jpg") << QByteArray("jpeg") << QSize(1200, 800)
                                << false;
    for (const char *name : {"dart_left", "dart_right"})
        QTest::addRow("%s @2x", name) << QStringLiteral(":/assets/%1@2x.png").arg(QLatin1StringView(name))
                                      << QByteArray("png") << QSize(250, 60) << true;
    for (const char *name : {"tb_new", "tb_settings", "tb_close", "tb_delete", "tb_display"})
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

// Every picture built in as pixels reads back as the same image its file decodes to (pixels,
// format and scale), uncompressed; the pictures shown at start are among them.
void tst_assets::builtInPixelsAreTheDecodedPictures()
{
    QStringList pictures;
    QDirIterator it(QStringLiteral(":/pixels/assets"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        pictures << QStringLiteral(":") + it.next().mid(QStringLiteral(":/pixels").size());
    for (const char *shown : {"splash.jpg", "dart_left.png", "tb_new.png", "cross@2x.png", "icon/pontix-32.png"})
        QVERIFY2(pictures.contains(QStringLiteral(":/assets/") + QLatin1StringView(shown)), shown);

    for (const QString &picture : std::as_const(pictures)) {
        const QResource pixels(QStringLiteral(":/pixels") + picture.mid(1));
        QCOMPARE(pixels.compressionAlgorithm(), QResource::NoCompression);
        const QImage decoded(picture);
        const QImage read = imageFromPixels(QByteArrayView(pixels.data(), pixels.size()));
        QVERIFY2(!read.isNull(), qPrintable(picture));
        QCOMPARE(read.format(), decoded.format());
        QCOMPARE(read.devicePixelRatio(), decoded.devicePixelRatio());
        QVERIFY2(read == decoded, qPrintable(picture));
        QVERIFY2(readPicture(picture) == decoded, qPrintable(picture));
    }
}

void tst_assets::pixelsKeepWhatTheDecoderGave_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QImage::Format>("format");

    QImage opaque(7, 3, QImage::Format_RGB32);
    opaque.fill(QColor(10, 20, 30));
    QTest::newRow("opaque") << opaque << QImage::Format_RGB32;
    QImage twin(5, 4, QImage::Format_ARGB32);
    twin.fill(QColor(200, 100, 50, 128));
    twin.setDevicePixelRatio(2);
    QTest::newRow("translucent, drawn at 2") << twin << QImage::Format_ARGB32;
    QImage premultiplied = twin.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QTest::newRow("premultiplied") << premultiplied << QImage::Format_ARGB32_Premultiplied;
    // Other formats are held as ARGB32.
    QImage indexed(3, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(255, 0, 0), qRgba(0, 0, 255, 0)});
    indexed.fill(1);
    indexed.setPixel(0, 0, 0);
    QTest::newRow("indexed") << indexed << QImage::Format_ARGB32;
}

void tst_assets::pixelsKeepWhatTheDecoderGave()
{
    QFETCH(QImage, image);
    QFETCH(QImage::Format, format);

    const QImage read = imageFromPixels(pixelsOf(image));
    QCOMPARE(read.format(), format);
    QCOMPARE(read.size(), image.size());
    QCOMPARE(read.devicePixelRatio(), image.devicePixelRatio());
    QCOMPARE(read, image.convertToFormat(format));
}

void tst_assets::malformedPixelsAreRefused_data()
{
    QTest::addColumn<QByteArray>("pixels");

    const QByteArray good = pixelsOfSplash();
    QVERIFY(!imageFromPixels(good).isNull());
    // The header's fields: the mark (8 bytes), width, height, format and scale (4 bytes each).
    const auto withField = [&good](int offset, quint32 value) {
        QByteArray changed = good;
        std::memcpy(changed.data() + offset, &value, sizeof value);
        return changed;
    };
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header cut short") << good.left(10);
    QTest::newRow("a row missing") << good.left(good.size() - 600 * 4);
    QTest::newRow("a byte too many") << good + '\0';
    QTest::newRow("another mark") << QByteArray(good).replace(0, 6, "NOTPIX");
    QTest::newRow("no width") << withField(8, 0);
    QTest::newRow("width beyond any picture") << withField(8, 1u << 31);
    QTest::newRow("height not matching the rows") << withField(12, 401);
    QTest::newRow("format of one byte a pixel") << withField(16, quint32(QImage::Format_Grayscale8));
    QTest::newRow("unknown format") << withField(16, 9999);
    QTest::newRow("no scale") << withField(20, 0);
}

void tst_assets::malformedPixelsAreRefused()
{
    QFETCH(QByteArray, pixels);
    QVERIFY(imageFromPixels(pixels).isNull());
}

// A picture without pixels of its own is decoded from its file, scale included.
void tst_assets::pictureWithoutPixelsIsDecoded()
{
    const QString twin = QStringLiteral(":/assets/dart_left@2x.png");
    QVERIFY(!QResource(QStringLiteral(":/pixels/assets/dart_left@2x.png")).isValid());
    const QImage read = readPicture(twin);
    QCOMPARE(read, QImage(twin));
    QCOMPARE(read.devicePixelRatio(), 2.0);
    QVERIFY(readPicture(QStringLiteral(":/assets/none.png")).isNull());
}

QTEST_GUILESS_MAIN(tst_assets)
#include "tst_assets.moc"
