// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include "app/LazyIconEngine.h"
#include "tests/support/Pictures.h"

namespace {

constexpr int FileSizes[] = {16, 32, 48, 64, 72, 96, 128};

QString iconFile(int size)
{
    return QStringLiteral(":/assets/icon/pontix-%1.png").arg(size);
}

// With `meanwhile`, the files are decoded on a thread of their own from the start.
QIcon lazyIcon(bool meanwhile = false)
{
    auto *engine = new LazyIconEngine;
    for (int size : FileSizes)
        engine->addFile(iconFile(size), QSize(size, size), QIcon::Normal, QIcon::Off);
    if (meanwhile)
        engine->readAllMeanwhile();
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

// The window icon's files are read only when a size is asked for, or all at once on a thread of
// their own, and then give what an icon holding them all gives.
class tst_LazyIconEngine : public QObject
{
    Q_OBJECT

private slots:
    void sameAsDecodedIcon_data();
    void sameAsDecodedIcon();
    void availableSizes();
    void readOnlyWhenAsked();
    void everySizeDecodedMeanwhile();
};

void tst_LazyIconEngine::sameAsDecodedIcon_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QIcon::Mode>("mode");
    QTest::addColumn<bool>("meanwhile");
    for (bool meanwhile : {false, true}) {
        const char *how = meanwhile ? "decoded meanwhile" : "decoded when asked";
        QTest::addRow("smallest file, %s", how) << QSize(16, 16) << QIcon::Normal << meanwhile;
        QTest::addRow("below every file, %s", how) << QSize(8, 8) << QIcon::Normal << meanwhile;
        QTest::addRow("between files, %s", how) << QSize(40, 40) << QIcon::Normal << meanwhile;
        QTest::addRow("a middle file, %s", how) << QSize(72, 72) << QIcon::Normal << meanwhile;
        QTest::addRow("not square, %s", how) << QSize(100, 60) << QIcon::Normal << meanwhile;
        QTest::addRow("largest file, %s", how) << QSize(128, 128) << QIcon::Normal << meanwhile;
        QTest::addRow("above every file, %s", how) << QSize(256, 256) << QIcon::Normal << meanwhile;
        QTest::addRow("disabled, %s", how) << QSize(48, 48) << QIcon::Disabled << meanwhile;
        QTest::addRow("selected, %s", how) << QSize(24, 24) << QIcon::Selected << meanwhile;
    }
}

void tst_LazyIconEngine::sameAsDecodedIcon()
{
    QFETCH(QSize, size);
    QFETCH(QIcon::Mode, mode);
    QFETCH(bool, meanwhile);
    const QIcon lazy = lazyIcon(meanwhile);
    const QIcon decoded = decodedIcon();
    QVERIFY(!lazy.isNull());
    QCOMPARE(lazy.actualSize(size, mode), decoded.actualSize(size, mode));
    const QPixmap got = lazy.pixmap(size, mode);
    const QPixmap want = decoded.pixmap(size, mode);
    QCOMPARE(got.size(), want.size());
    QCOMPARE(pictureDifference(got, want), QString());

    // Painted into a rectangle as a button paints its icon.
    QImage painted(size, QImage::Format_ARGB32_Premultiplied);
    QImage expected = painted;
    for (auto [icon, image] : {std::pair {&lazy, &painted}, std::pair {&decoded, &expected}}) {
        image->fill(Qt::transparent);
        QPainter painter(image);
        icon->paint(&painter, image->rect(), Qt::AlignCenter, mode);
    }
    QCOMPARE(pictureDifference(painted, expected), QString());
}

void tst_LazyIconEngine::availableSizes()
{
    const QIcon lazy = lazyIcon();
    QCOMPARE(lazy.availableSizes(), decodedIcon().availableSizes());
    QCOMPARE(lazyIcon(true).availableSizes(), decodedIcon().availableSizes());
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
    QCOMPARE(pictureDifference(icon.pixmap(QSize(32, 32), 1.0), QPixmap(iconFile(32))), QString());
    // The 16-pixel file, not read for 32 pixels, is read when its own size is asked for.
    QCOMPARE(pictureDifference(icon.pixmap(QSize(16, 16), 1.0), QPixmap(iconFile(16))), QString());
}

// As a platform asks when a window opens: every size in turn, each from its own file, and again
// once all are taken.
void tst_LazyIconEngine::everySizeDecodedMeanwhile()
{
    const QIcon icon = lazyIcon(true);
    for (int round = 0; round < 2; ++round) {
        for (int size : FileSizes)
            QCOMPARE(pictureDifference(icon.pixmap(QSize(size, size), 1.0), QPixmap(iconFile(size))), QString());
    }
}

QTEST_MAIN(tst_LazyIconEngine)
#include "tst_LazyIconEngine.moc"
