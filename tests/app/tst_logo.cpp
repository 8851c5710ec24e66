// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "app/Main.h"
#include "app/logo.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/OffscreenScreens.h"

// The splash: its window, the hold and the fade, freeing itself, its transparent gray, and
// that it never keeps the program alive.
namespace {

// Whether the splash was open when the window painted its first frame.
class FirstFrame final : public QObject
{
public:
    explicit FirstFrame(const QWidget *window)
        : m_window(window)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    bool painted = false;
    bool splashOpen = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!painted && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == m_window) {
            painted = true;
            splashOpen = frm_Logo != nullptr;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QWidget *const m_window;
};

} // namespace

class tst_logo : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void window();
    void centredOnScreen_data();
    void centredOnScreen();
    void centredOnMainWindowScreen();
    void mainWindowShowsOpeningPicture();
    void openedAfterTheFirstFrame();
    void fadesAndFrees();
    void closesOnItsOwn();
    void transparentColor_data();
    void transparentColor();
    void uncoveredBackgroundIsTransparent();
    void withoutPictureNothingShows();
    void openingPictureHasNoHoles();
    void referenceClearedWhenFreed();
    void mainWindowEndsProgramDuringFade();
};

void tst_logo::cleanup()
{
    delete frm_Logo;
    QCOMPARE(frm_Logo, nullptr);
}

void tst_logo::window()
{
    auto *logo = new Tfrm_Logo;
    QCOMPARE(frm_Logo, logo);
    QCOMPARE(logo->windowType(), Qt::SplashScreen);
    QVERIFY(logo->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(logo->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(logo->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    QVERIFY(logo->testAttribute(Qt::WA_ShowWithoutActivating));
    QVERIFY(!logo->testAttribute(Qt::WA_QuitOnClose));
    QCOMPARE(logo->size(), QSize(600, 400));
    QCOMPARE(logo->minimumSize(), QSize(600, 400));
    QCOMPARE(logo->maximumSize(), QSize(600, 400));
    QCOMPARE(logo->palette().color(QPalette::Window), QColor(128, 128, 128));
    QCOMPARE(logo->Image1->geometry(), QRect(0, 0, 600, 400));
    QCOMPARE(logo->Image1->pixmap().size(), QSize(600, 400));

    QCOMPARE(logo->Timer1->interval(), 1000);
    QCOMPARE(logo->Timer2->interval(), 21);
    QVERIFY(!logo->Timer1->isActive());
    QVERIFY(!logo->Timer2->isActive());
    QCOMPARE(logo->alpha(), quint8(255));

    logo->show();
    QVERIFY(QTest::qWaitForWindowExposed(logo));
    QCOMPARE(logo->frameGeometry().size(), QSize(600, 400));
    QVERIFY(logo->Timer1->isActive());
    QVERIFY(!logo->Timer2->isActive());
}

// main() sets up two screens side by side, 1280 x 1024 and 1920 x 1080; the desktop they span
// is 3200 x 1080, whose centre is on neither screen's.
void tst_logo::centredOnScreen_data()
{
    QTest::addColumn<QRect>("over"); // the window the splash is opened over; none when empty
    QTest::addColumn<QPoint>("position");

    const QPoint left((1280 - 600) / 2, (1024 - 400) / 2);
    const QPoint right(1280 + (1920 - 600) / 2, (1080 - 400) / 2);
    QTest::newRow("over the left screen") << QRect(100, 100, 800, 600) << left;
    QTest::newRow("over the right screen") << QRect(1400, 50, 1000, 700) << right;
    QTest::newRow("mostly over the right screen") << QRect(1000, 0, 1300, 800) << right;
    QTest::newRow("mostly over the left screen") << QRect(300, 0, 1300, 800) << left;
    QTest::newRow("over nothing: the primary screen") << QRect() << left;
}

void tst_logo::centredOnScreen()
{
    QFETCH(QRect, over);
    QFETCH(QPoint, position);

    QCOMPARE(QGuiApplication::screens().size(), 2);
    QWidget window;
    if (!over.isNull()) {
        window.setGeometry(over);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    Tfrm_Logo::Open(over.isNull() ? nullptr : &window);
    QVERIFY(frm_Logo);
    QCOMPARE(frm_Logo->pos(), position);
    QVERIFY(frm_Logo->screen()->geometry().contains(frm_Logo->frameGeometry()));
}

// The main window opens the splash when it is first shown, over itself, once it has drawn its first
// frame.
void tst_logo::centredOnMainWindowScreen()
{
    MainWindowFixture main;
    QVERIFY(main.open());
    const Tfrm_Main &window = *main.window();
    QTRY_VERIFY(frm_Logo);
    const QRect screen = QGuiApplication::screenAt(window.frameGeometry().center())->geometry();
    QCOMPARE(frm_Logo->frameGeometry().center(), screen.center());
}

// Start-up pays for the window first: its first frame is drawn before the splash opens over it.
void tst_logo::openedAfterTheFirstFrame()
{
    Tfrm_Main window;
    const FirstFrame watch(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(frm_Logo);
    QVERIFY(watch.painted);
    QVERIFY(!watch.splashOpen);
}

// The splash the main window opens shows the opening picture.
void tst_logo::mainWindowShowsOpeningPicture()
{
    Tfrm_Main window;
    window.show();
    QTRY_VERIFY(frm_Logo);
    const QImage shown = frm_Logo->Image1->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, QImage(QStringLiteral(":/assets/splash.jpg")).convertToFormat(QImage::Format_RGB32));
}

void tst_logo::fadesAndFrees()
{
    QPointer<Tfrm_Logo> logo = Tfrm_Logo::Open();
    QVERIFY(logo->isVisible());
    QVERIFY(logo->Timer1->isActive());

    logo->Timer1Timer();
    QVERIFY(!logo->Timer1->isActive());
    QVERIFY(logo->Timer2->isActive());

    // 245, 235, ... 35: still up after 22 steps.
    for (int step = 1; step <= 22; ++step) {
        logo->Timer2Timer();
        QCOMPARE(int(logo->alpha()), 255 - 10 * step);
        QCOMPARE(logo->windowOpacity(), logo->alpha() / 255.0);
        QVERIFY(logo->isVisible());
        QVERIFY(logo->Timer2->isActive());
    }
    QCOMPARE(logo->alpha(), quint8(35));

    // The 23rd step reaches 25, at or below 33: the fade stops and the splash closes and
    // frees itself once control is back in the event loop.
    logo->Timer2Timer();
    QCOMPARE(logo->alpha(), quint8(25));
    QVERIFY(!logo->Timer2->isActive());
    QVERIFY(!logo->isVisible());
    QTRY_VERIFY(logo.isNull());
    QCOMPARE(frm_Logo, nullptr);
}

void tst_logo::closesOnItsOwn()
{
    QPointer<Tfrm_Logo> logo = Tfrm_Logo::Open();
    QVERIFY(logo->Timer1->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(logo.isNull() || logo->Timer2->isActive(), 5000);
    QVERIFY(logo); // seen fading, not gone straight from the hold
    QTRY_VERIFY_WITH_TIMEOUT(logo.isNull(), 5000);
    QCOMPARE(frm_Logo, nullptr);
}

void tst_logo::transparentColor_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("hole");

    QTest::newRow("the gray") << QColor(128, 128, 128) << true;
    QTest::newRow("red one more") << QColor(129, 128, 128) << false;
    QTest::newRow("green one less") << QColor(128, 127, 128) << false;
    QTest::newRow("blue one less") << QColor(128, 128, 127) << false;
    QTest::newRow("white") << QColor(Qt::white) << false;
    QTest::newRow("black") << QColor(Qt::black) << false;
}

void tst_logo::transparentColor()
{
    QFETCH(QColor, colour);
    QFETCH(bool, hole);

    QImage picture(600, 400, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 190; y < 210; ++y)
        for (int x = 290; x < 310; ++x)
            picture.setPixelColor(x, y, colour);

    auto *logo = new Tfrm_Logo;
    logo->Image1->setPixmap(QPixmap::fromImage(picture));
    logo->show();
    QVERIFY(QTest::qWaitForWindowExposed(logo));

    // What the operator sees is the gray everywhere in the window's picture ...
    QCOMPARE(logo->grab().toImage().pixelColor(300, 200), colour);
    // ... but the window's shape leaves it out exactly where that is the transparent gray.
    QCOMPARE(logo->mask().contains(QPoint(300, 200)), !hole);
    QCOMPARE(logo->mask().contains(QPoint(289, 200)), true);
    QCOMPARE(logo->mask().contains(QPoint(10, 10)), true);
}

void tst_logo::uncoveredBackgroundIsTransparent()
{
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(Qt::white);

    auto *logo = new Tfrm_Logo;
    logo->Image1->setPixmap(QPixmap::fromImage(picture));
    logo->show();
    QVERIFY(QTest::qWaitForWindowExposed(logo));

    QCOMPARE(logo->mask(), QRegion(0, 0, 300, 200));
    QCOMPARE(logo->grab().toImage().pixelColor(450, 300), QColor(128, 128, 128));
}

void tst_logo::withoutPictureNothingShows()
{
    auto *logo = new Tfrm_Logo;
    logo->Image1->clear();
    logo->show();
    QVERIFY(QTest::qWaitForWindowExposed(logo));

    QVERIFY(!logo->mask().isEmpty()); // an empty mask would show the whole window
    QVERIFY(!logo->mask().intersects(logo->rect()));
}

void tst_logo::openingPictureHasNoHoles()
{
    Tfrm_Logo::Open();
    QVERIFY(frm_Logo);
    QCOMPARE(frm_Logo->mask(), QRegion(0, 0, 600, 400));
}

void tst_logo::referenceClearedWhenFreed()
{
    auto *first = new Tfrm_Logo;
    QCOMPARE(frm_Logo, first);
    delete first;
    QCOMPARE(frm_Logo, nullptr);

    QPointer<Tfrm_Logo> closed = new Tfrm_Logo;
    closed->show();
    QVERIFY(closed->close());
    QTRY_VERIFY(closed.isNull());
    QCOMPARE(frm_Logo, nullptr);
}

void tst_logo::mainWindowEndsProgramDuringFade()
{
    QVERIFY(QGuiApplication::quitOnLastWindowClosed());
    QWidget mainWindow;
    mainWindow.setWindowTitle(QStringLiteral("main"));
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));

    // The alpha the splash had when the program ended: 0 when it was already gone.
    int alphaAtQuit = 0;
    connect(
        qApp, &QCoreApplication::aboutToQuit, this, [&alphaAtQuit] { alphaAtQuit = frm_Logo ? frm_Logo->alpha() : 0; });
    QPointer<Tfrm_Logo> logo = Tfrm_Logo::Open();
    // The operator closes the main window at the first fade step.
    connect(logo->Timer2, &QTimer::timeout, &mainWindow, &QWidget::close);
    // Should the splash keep the program alive, the event loop still ends, and the check fails.
    QTimer::singleShot(10000, qApp, &QCoreApplication::quit);

    QCOMPARE(QApplication::exec(), 0);
    disconnect(qApp, &QCoreApplication::aboutToQuit, this, nullptr);
    QCOMPARE(alphaAtQuit, 245);
    QVERIFY(logo.isNull());
    QCOMPARE(frm_Logo, nullptr);
}

// The splash centres itself on one screen of several, so the test runs on an offscreen desktop
// of two screens.
int main(int argc, char *argv[])
{
    return execOnScreens<tst_logo>(argc, argv, R"({"windowFrameMargins": false, "screens": [
        {"name": "left", "x": 0, "y": 0, "width": 1280, "height": 1024, "logicalDpi": 96},
        {"name": "right", "x": 1280, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96}]})");
}

#include "tst_logo.moc"
