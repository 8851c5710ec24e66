#include <memory>

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/AppStyle.h"
#include "tests/support/PlainPixels.h"

namespace {

bool isOverflowArrow(QStyle::StandardPixmap which)
{
    return which == QStyle::SP_ToolBarHorizontalExtensionButton || which == QStyle::SP_ToolBarVerticalExtensionButton;
}

// The desktop's style, counting how often it is asked for a tool bar's overflow arrow.
class CountingStyle final : public QProxyStyle
{
public:
    CountingStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    { }

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const override
    {
        if (isOverflowArrow(which))
            ++arrowsAsked;
        return QProxyStyle::standardIcon(which, option, widget);
    }

    mutable int arrowsAsked = 0;
};

} // namespace

// The program's style draws as the desktop's does, and asks it for a tool bar's overflow arrow
// only when the arrow is drawn.
class tst_AppStyle : public QObject
{
    Q_OBJECT

private slots:
    void sameIconsAsWrappedStyle_data();
    void sameIconsAsWrappedStyle();
    void overflowArrowAskedWhenShown();
};

void tst_AppStyle::sameIconsAsWrappedStyle_data()
{
    QTest::addColumn<QStyle::StandardPixmap>("which");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QSize>("size");
    QTest::newRow("horizontal arrow") << QStyle::SP_ToolBarHorizontalExtensionButton << Qt::LeftToRight
                                      << QSize(16, 16);
    QTest::newRow("horizontal arrow, right to left")
        << QStyle::SP_ToolBarHorizontalExtensionButton << Qt::RightToLeft << QSize(16, 16);
    QTest::newRow("vertical arrow") << QStyle::SP_ToolBarVerticalExtensionButton << Qt::LeftToRight << QSize(16, 16);
    QTest::newRow("arrow, larger") << QStyle::SP_ToolBarHorizontalExtensionButton << Qt::LeftToRight << QSize(32, 32);
    QTest::newRow("another icon") << QStyle::SP_DialogOkButton << Qt::LeftToRight << QSize(16, 16);
}

void tst_AppStyle::sameIconsAsWrappedStyle()
{
    QFETCH(QStyle::StandardPixmap, which);
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QSize, size);
    const std::unique_ptr<QStyle> own(QStyleFactory::create(QStringLiteral("Fusion")));
    AppStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
    QStyleOption option;
    option.direction = direction;

    const QIcon got = style.standardIcon(which, &option);
    const QIcon want = own->standardIcon(which, &option);
    QVERIFY(!got.isNull());
    QCOMPARE(got.actualSize(size), want.actualSize(size));
    QCOMPARE(got.availableSizes(), want.availableSizes());
    QCOMPARE(plainPixels(got.pixmap(size, 1.0)), plainPixels(want.pixmap(size, 1.0)));
    QCOMPARE(plainPixels(got.pixmap(size, 1.0, QIcon::Disabled)), plainPixels(want.pixmap(size, 1.0, QIcon::Disabled)));
}

// A tool bar wide enough for its buttons never draws the arrow: building and showing it asks
// for none. Narrowed until its buttons overflow, it shows the arrow, asked for then.
void tst_AppStyle::overflowArrowAskedWhenShown()
{
    auto *counting = new CountingStyle;
    QApplication::setStyle(new AppStyle(counting));

    QMainWindow window;
    auto *bar = new QToolBar(&window);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (int i = 0; i < 5; ++i)
        bar->addAction(QStringLiteral("Gomb %1").arg(i));
    window.addToolBar(bar);
    window.resize(800, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.grab();
    auto *arrow = bar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"));
    QVERIFY(arrow);
    QVERIFY(!arrow->isVisible());
    QCOMPARE(counting->arrowsAsked, 0);

    window.resize(120, 200);
    QTRY_VERIFY(arrow->isVisible());
    arrow->grab();
    QVERIFY(counting->arrowsAsked > 0);
    // The arrow drawn is the desktop style's own.
    const QIcon own = counting->baseStyle()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    QCOMPARE(
        plainPixels(arrow->icon().pixmap(arrow->iconSize(), 1.0)), plainPixels(own.pixmap(arrow->iconSize(), 1.0)));

    window.close();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

QTEST_MAIN(tst_AppStyle)
#include "tst_AppStyle.moc"
