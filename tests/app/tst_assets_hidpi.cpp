// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/Main.h"
#include "app/Seged.h"
#include "app/logo.h"
#include "controls/uEditEx.h"
#include "tests/support/MainWindowFixture.h"

namespace {

QImage plain(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The picture a widget shows, in device pixels, against the picture's "@2x" twin.
void compareWithTwin(const QPixmap &shown, const QString &twin, QSize units)
{
    QCOMPARE(shown.devicePixelRatio(), 2.0);
    QCOMPARE(shown.size(), units * 2);
    const QImage expected(twin);
    QVERIFY2(!expected.isNull(), qPrintable(twin));
    QCOMPARE(expected.size(), units * 2);
    QImage got = plain(shown.toImage());
    got.setDevicePixelRatio(1);
    QImage want = plain(expected);
    want.setDevicePixelRatio(1);
    QVERIFY2(got == want, qPrintable(twin + QStringLiteral(" is not what is shown")));
}

} // namespace

// On a screen with a scale factor of 2 (QT_SCALE_FACTOR=2 for this program), the window's and
// the tool bar's pictures are drawn from their twice-as-large twins, not enlarged.
class tst_assets_hidpi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void toolBar_data();
    void toolBar();
    void windowPictures();
    void splash();
    void windowIcon();

private:
    MainWindowFixture m_main;
};

void tst_assets_hidpi::initTestCase()
{
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
}

void tst_assets_hidpi::cleanup()
{
    m_main.close();
}

void tst_assets_hidpi::toolBar_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("new game") << QStringLiteral("tb_new");
    QTest::newRow("delete") << QStringLiteral("tb_delete");
    QTest::newRow("settings") << QStringLiteral("tb_settings");
    QTest::newRow("close") << QStringLiteral("tb_close");
    QTest::newRow("display") << QStringLiteral("tb_display");
}

void tst_assets_hidpi::toolBar()
{
    QFETCH(QString, name);
    Tfrm_Main &window = m_main.make();
    const QList<QAction *> actions {window.aUj, window.aTorol, window.aBeallit, window.aBezar, window.aKijelzo};
    const QStringList names {QStringLiteral("tb_new"), QStringLiteral("tb_delete"), QStringLiteral("tb_settings"),
        QStringLiteral("tb_close"), QStringLiteral("tb_display")};
    auto *button = qobject_cast<QToolButton *>(window.ToolBar1->widgetForAction(actions[names.indexOf(name)]));
    QVERIFY(button);
    const QPixmap shown = button->icon().pixmap(button->iconSize());
    compareWithTwin(shown, QStringLiteral(":/assets/%1@2x.png").arg(name), QSize(16, 16));
}

void tst_assets_hidpi::windowPictures()
{
    Tfrm_Main &window = m_main.make();
    compareWithTwin(window.Image1->pixmap(), QStringLiteral(":/assets/dart_left@2x.png"), QSize(125, 30));
    compareWithTwin(window.Image2->pixmap(), QStringLiteral(":/assets/dart_right@2x.png"), QSize(125, 30));
    // The settings panel's pictures are read when it first shows.
    QVERIFY(window.Image3->pixmap().isNull());
    QVERIFY(m_main.open());
    QTest::keyClick(m_main.window()->EditEx1, Qt::Key_F6);
    QVERIFY(m_main.window()->Panel4->isVisible());
    compareWithTwin(m_main.window()->Image3->pixmap(), QStringLiteral(":/assets/dartboard64@2x.png"), QSize(64, 64));
    compareWithTwin(m_main.window()->SpeedButton1->icon().pixmap(QSize(10, 10)),
        QStringLiteral(":/assets/cross@2x.png"), QSize(10, 10));
}

void tst_assets_hidpi::splash()
{
    Tfrm_Logo logo;
    compareWithTwin(logo.Image1->pixmap(), QStringLiteral(":/assets/splash@2x.jpg"), QSize(600, 400));
    // As the main window opens it, after its first frame.
    Tfrm_Main window;
    window.show();
    QTRY_VERIFY(frm_Logo && frm_Logo != &logo);
    compareWithTwin(frm_Logo->Image1->pixmap(), QStringLiteral(":/assets/splash@2x.jpg"), QSize(600, 400));
}

// The window icon offers the task switcher's 64 units as 128 pixels.
void tst_assets_hidpi::windowIcon()
{
    InitApplication();
    const QPixmap icon = QApplication::windowIcon().pixmap(QSize(64, 64));
    QCOMPARE(icon.size(), QSize(128, 128));
    QImage got = plain(icon.toImage());
    got.setDevicePixelRatio(1);
    QCOMPARE(got, plain(QImage(QStringLiteral(":/assets/icon/pontix-128.png"))));
}

QTEST_MAIN(tst_assets_hidpi)
#include "tst_assets_hidpi.moc"
