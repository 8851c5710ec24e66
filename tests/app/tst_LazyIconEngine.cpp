#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include "app/LazyIconEngine.h"
#include "tests/support/PlainPixels.h"

namespace {

constexpr int FileSizes[] = {16, 32, 48, 64, 72, 96, 128};

QString iconFile(int size)
{
    return QStringLiteral(":/assets/icon/pontix-%1.png").arg(size);
}

QIcon lazyIcon()
{
    auto *engine = new LazyIconEngine;
    for (int size : FileSizes)
        engine->addFile(iconFile(size), QSize(size, size), QIcon::Normal, QIcon::Off);
    return QIcon(engine);
}

// The icon the lazy one stands in for: every file decoded at once.
QIcon decodedIcon()
{
    QIcon icon;
    for (int size : FileSizes)
        icon.addFile(iconFile(size), QSize(size, size));
    return icon;
}

} // namespace

// The window icon's files are read only when a size is asked for, and then give what an icon
// holding them all gives.
class tst_LazyIconEngine : public QObject
{
    Q_OBJECT

private slots:
    void sameAsDecodedIcon_data();
    void sameAsDecodedIcon();
    void availableSizes();
    void readOnlyWhenAsked();
};

void tst_LazyIconEngine::sameAsDecodedIcon_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QIcon::Mode>("mode");
    QTest::newRow("smallest file") << QSize(16, 16) << QIcon::Normal;
    QTest::newRow("below every file") << QSize(8, 8) << QIcon::Normal;
    QTest::newRow("between files") << QSize(40, 40) << QIcon::Normal;
    QTest::newRow("a middle file") << QSize(72, 72) << QIcon::Normal;
    QTest::newRow("not square") << QSize(100, 60) << QIcon::Normal;
    QTest::newRow("largest file") << QSize(128, 128) << QIcon::Normal;
    QTest::newRow("above every file") << QSize(256, 256) << QIcon::Normal;
    QTest::newRow("disabled") << QSize(48, 48) << QIcon::Disabled;
    QTest::newRow("selected") << QSize(24, 24) << QIcon::Selected;
}

void tst_LazyIconEngine::sameAsDecodedIcon()
{
    QFETCH(QSize, size);
    QFETCH(QIcon::Mode, mode);
    const QIcon lazy = lazyIcon();
    const QIcon decoded = decodedIcon();
    QVERIFY(!lazy.isNull());
    QCOMPARE(lazy.actualSize(size, mode), decoded.actualSize(size, mode));
    const QPixmap got = lazy.pixmap(size, mode);
    const QPixmap want = decoded.pixmap(size, mode);
    QCOMPARE(got.size(), want.size());
    QVERIFY(plainPixels(got) == plainPixels(want));

    // Painted into a rectangle as a button paints its icon.
    QImage painted(size, QImage::Format_ARGB32_Premultiplied);
    QImage expected = painted;
    for (auto [icon, image] : {std::pair {&lazy, &painted}, std::pair {&decoded, &expected}}) {
        image->fill(Qt::transparent);
        QPainter painter(image);
        icon->paint(&painter, image->rect(), Qt::AlignCenter, mode);
    }
    QVERIFY(painted == expected);
}

void tst_LazyIconEngine::availableSizes()
{
    const QIcon lazy = lazyIcon();
    QCOMPARE(lazy.availableSizes(), decodedIcon().availableSizes());
    QVERIFY(lazy.availableSizes(QIcon::Disabled).isEmpty());
    QVERIFY(QIcon(new LazyIconEngine).isNull());
}

// A file that does not exist yet when it is added shows once it does: nothing was read before.
void tst_LazyIconEngine::readOnlyWhenAsked()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString later = dir.filePath(QStringLiteral("later.png"));
    auto *engine = new LazyIconEngine;
    engine->addFile(iconFile(16), QSize(16, 16), QIcon::Normal, QIcon::Off);
    engine->addFile(later, QSize(32, 32), QIcon::Normal, QIcon::Off);
    const QIcon icon(engine);
    QCOMPARE(icon.availableSizes().size(), 2);

    QVERIFY(QFile::copy(iconFile(32), later));
    QCOMPARE(plainPixels(icon.pixmap(QSize(32, 32), 1.0)), plainPixels(QPixmap(iconFile(32))));
    // The 16-pixel file, not read for 32 pixels, is read when its own size is asked for.
    QCOMPARE(plainPixels(icon.pixmap(QSize(16, 16), 1.0)), plainPixels(QPixmap(iconFile(16))));
}

QTEST_MAIN(tst_LazyIconEngine)
#include "tst_LazyIconEngine.moc"
