// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <limits>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QtGui/private/qguiapplication_p.h>

#include "app/BullOffDialog.h"
#include "app/CallerControls.h"
#include "app/LanguageBox.h"
#include "app/Main.h"
#include "app/MatchControls.h"
#include "app/Seged.h"
#include "app/TurnLook.h"
#include "controls/DBText.h"
#include "controls/ThemeDBGrid.h"
#include "controls/uEditEx.h"
#include "memtable/xovMemTable.h"
#include "sheet/ResultTableModel.h"
#include "sheet/ResultView.h"
#include "sheet/ResultWindow.h"
#include "tests/support/MainWindowFixture.h"
#include <qpa/qplatformtheme.h>
#include <qpa/qwindowsysteminterface.h>

namespace {

// A dark desktop palette: light text on dark grey.
QPalette darkPalette()
{
    QPalette palette;
    const QColor light(252, 252, 252);
    for (auto role : {QPalette::Window, QPalette::Button})
        palette.setColor(role, QColor(49, 54, 59));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::BrightText})
        palette.setColor(role, light);
    palette.setColor(QPalette::Base, QColor(35, 38, 41));
    palette.setColor(QPalette::AlternateBase, QColor(44, 48, 52));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(161, 169, 177));
    return palette;
}

// The pixel of the area that stands out most from its background: the colour of what is
// written or drawn on it.
QColor inkOf(const QImage &image, const QRect &area, const QColor &background)
{
    QColor ink = background;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (contrastRatio(pixel, background) > contrastRatio(ink, background))
                ink = pixel;
        }
    }
    return ink;
}

// The desktop's settings as the platform reports them, with a system font of the test's choosing:
// a change of it reaches the program as the platform delivers a desktop's change, as a theme
// change. Everything else comes from the platform's own settings, which are back in force when
// it goes.
class DesktopFont final : public QPlatformTheme
{
public:
    explicit DesktopFont(const QFont &font)
        : m_platform(QGuiApplicationPrivate::platform_theme)
        , m_font(font)
    {
        QGuiApplicationPrivate::platform_theme = this;
        announce();
    }
    ~DesktopFont() override
    {
        QGuiApplicationPrivate::platform_theme = m_platform;
        announce();
    }
    Q_DISABLE_COPY_MOVE(DesktopFont)

    void change(const QFont &font)
    {
        m_font = font;
        announce();
    }

    const QFont *font(Font type) const override
    {
        return type == SystemFont ? &m_font : m_platform ? m_platform->font(type) : nullptr;
    }
    const QPalette *palette(Palette type) const override { return m_platform ? m_platform->palette(type) : nullptr; }
    QVariant themeHint(ThemeHint hint) const override
    {
        return m_platform ? m_platform->themeHint(hint) : QPlatformTheme::themeHint(hint);
    }

private:
    static void announce()
    {
        QWindowSystemInterface::handleThemeChange();
        QCoreApplication::processEvents();
    }

    QPlatformTheme *const m_platform;
    QFont m_font;
};

} // namespace

using namespace Qt::StringLiterals;

// The main window as the operator sees it: tool bar, layout, grids, average labels, settings.
class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void toolBarActions();
    void toolTipsNameKeys_data();
    void toolTipsNameKeys();
    void placedOnWorkArea();
    void formResize_data();
    void formResize();
    void narrowStrip_data();
    void narrowStrip();
    void figuresShowEveryDigit_data();
    void figuresShowEveryDigit();
    void settingsPanelMovesGrids();
    void desktopFontFollowed();
    void gridsReadFromKeyboardOnly();
    void tabOrder_data();
    void tabOrder();
    void keyboardButtonsHandBack();
    void averageLabels();
    void highTurnsHighlighted();
    void highTurnsLegible_data();
    void highTurnsLegible();
    void settingsPanelCross_data();
    void settingsPanelCross();
    void entryBoxFollowsPalette();
    void statusBar();
    void checkoutRoutePanel_data();
    void checkoutRoutePanel();
    void adviceAtPlayerLevel();
    void settingsReadAndWrittenBack();
    void typedStartScoreSaved_data();
    void typedStartScoreSaved();
    void typedStartScoreWaitsForNextStart();
    void missingSettingsFolder();
    void legsAndTheMatch();
    void keypadSlashTakesBack();
    void doubleOut();
    void matchInSets();
    void newMatch_data();
    void newMatch();
    void previousGame();
    void checkoutDarts();
    void resultSheet();

private:
    void open();
    void enter(const QString &text) { m_main.enter(text); }
    void layOut();
    MainWindowFixture m_main;
    Tfrm_Main *w = nullptr;
    void useDarkPalette();
    QPalette m_palette = QApplication::palette();
    QPalette m_lineEditPalette = QApplication::palette("QLineEdit");
};

void tst_MainWindow::init()
{
    QApplication::setPalette(m_palette);
    QApplication::setPalette(m_lineEditPalette, "QLineEdit");
    QCoreApplication::processEvents();
}

// As a desktop switching to a dark theme does: for every widget, edit boxes included, which
// the platform gives a palette of their own.
void tst_MainWindow::useDarkPalette()
{
    QApplication::setPalette(darkPalette());
    QApplication::setPalette(darkPalette(), "QLineEdit");
    // The widgets hear of it through posted events.
    QCoreApplication::processEvents();
}

void tst_MainWindow::open()
{
    QVERIFY(m_main.open());
    w = m_main.window();
}

void tst_MainWindow::cleanup()
{
    m_main.close();
    w = nullptr;
}

void tst_MainWindow::layOut()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void tst_MainWindow::toolBarActions()
{
    open();
    const QList<QAction *> actions = w->ToolBar1->actions();
    QCOMPARE(actions.size(), 11);
    QCOMPARE(actions[0], w->aUj);
    QCOMPARE(actions[1], w->aMeccs);
    QCOMPARE(actions[2], w->aElozo);
    QCOMPARE(actions[3], w->aTorol);
    QVERIFY(actions[4]->isSeparator());
    QCOMPARE(actions[5], w->aBeallit);
    QVERIFY(actions[6]->isSeparator());
    QCOMPARE(actions[7], w->aBezar);
    QVERIFY(actions[8]->isSeparator());
    QCOMPARE(actions[9], w->aKijelzo);
    QCOMPARE(actions[10], w->aEredmeny);

    QCOMPARE(w->aUj->text(), QStringLiteral("Új játék"));
    QCOMPARE(w->aMeccs->text(), QStringLiteral("Új meccs"));
    QCOMPARE(w->aElozo->text(), QStringLiteral("Előző játék"));
    QCOMPARE(w->aMeccs->shortcuts(), QList<QKeySequence> {QKeySequence(Qt::CTRL | Qt::Key_N)});
    QCOMPARE(w->aElozo->shortcuts(), QList<QKeySequence> {QKeySequence(Qt::Key_F9)});
    QCOMPARE(w->aTorol->text(), QStringLiteral("Töröl"));
    QCOMPARE(w->aBeallit->text(), QStringLiteral("Beállítások"));
    QCOMPARE(w->aBezar->text(), QStringLiteral("Bezár"));
    QCOMPARE(w->aKijelzo->text(), QStringLiteral("Kijelző"));
    QCOMPARE(w->aUj->shortcuts(), (QList<QKeySequence> {QKeySequence(Qt::Key_Insert), QKeySequence(Qt::Key_F3)}));
    QCOMPARE(w->aTorol->shortcuts(), QList<QKeySequence> {QKeySequence(Qt::Key_F8)});
    QCOMPARE(w->aBeallit->shortcuts(), QList<QKeySequence> {QKeySequence(Qt::Key_F6)});
    QVERIFY(w->aBezar->shortcuts().isEmpty());
    QCOMPARE(w->aKijelzo->shortcuts(), QList<QKeySequence> {QKeySequence(Qt::Key_F11)});
    QCOMPARE(w->aEredmeny->text(), QStringLiteral("Eredmény"));
    QCOMPARE(w->aEredmeny->shortcuts(), QList<QKeySequence> {QKeySequence(Qt::Key_F7)});
    for (QAction *action :
        {w->aUj, w->aMeccs, w->aElozo, w->aTorol, w->aBeallit, w->aBezar, w->aKijelzo, w->aEredmeny}) {
        QVERIFY(!action->icon().isNull());
        auto *button = qobject_cast<QToolButton *>(w->ToolBar1->widgetForAction(action));
        QVERIFY(button);
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(button->size(), QSize(68, 40));
    }
}

void tst_MainWindow::toolTipsNameKeys_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("new game") << QStringLiteral("aUj") << QStringLiteral("Új játék (Ins, F3)");
    QTest::newRow("new match") << QStringLiteral("aMeccs") << QStringLiteral("Új meccs (Ctrl+N)");
    QTest::newRow("previous game") << QStringLiteral("aElozo") << QStringLiteral("Előző játék (F9)");
    QTest::newRow("take back") << QStringLiteral("aTorol") << QStringLiteral("Töröl (F8, Num+/)");
    QTest::newRow("settings") << QStringLiteral("aBeallit") << QStringLiteral("Beállítások (F6)");
    QTest::newRow("close, no key") << QStringLiteral("aBezar") << QStringLiteral("Bezár");
    QTest::newRow("display") << QStringLiteral("aKijelzo") << QStringLiteral("Kijelző (F11)");
    QTest::newRow("result sheet") << QStringLiteral("aEredmeny") << QStringLiteral("Eredmény (F7)");
}

// The tool bar's tool tips tell the operator the keys that do the same.
void tst_MainWindow::toolTipsNameKeys()
{
    QFETCH(QString, action);
    open();
    const QMap<QString, QAction *> actions {{QStringLiteral("aUj"), w->aUj}, {QStringLiteral("aMeccs"), w->aMeccs},
        {QStringLiteral("aElozo"), w->aElozo}, {QStringLiteral("aTorol"), w->aTorol},
        {QStringLiteral("aBeallit"), w->aBeallit}, {QStringLiteral("aBezar"), w->aBezar},
        {QStringLiteral("aKijelzo"), w->aKijelzo}, {QStringLiteral("aEredmeny"), w->aEredmeny}};
    QAction *shown = actions.value(action);
    QVERIFY(shown);
    QTEST(shown->toolTip(), "toolTip");
    // The tool button shows the action's tool tip.
    QCOMPARE(w->ToolBar1->widgetForAction(shown)->toolTip(), shown->toolTip());
}

void tst_MainWindow::placedOnWorkArea()
{
    open();
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(w->frameGeometry(), QRect(0, 0, work.x() + work.width(), work.y() + work.height()));
    QVERIFY(!w->isMaximized());
}

void tst_MainWindow::formResize_data()
{
    QTest::addColumn<int>("clientWidth");
    QTest::addColumn<int>("grid1");
    QTest::addColumn<int>("entryLeft");
    QTest::addColumn<QRect>("marker1");
    QTest::addColumn<QRect>("marker2");
    QTest::addColumn<int>("column1");
    QTest::addColumn<int>("column2");

    QTest::newRow("1366") << 1366 << 683 << 623 << QRect(488, 8, 125, 30) << QRect(753, 8, 125, 30) << 319 << 319;
    QTest::newRow("odd 1365") << 1365 << 682 << 622 << QRect(487, 8, 125, 30) << QRect(752, 8, 125, 30) << 319 << 319;
    QTest::newRow("1920") << 1920 << 960 << 900 << QRect(765, 8, 125, 30) << QRect(1030, 8, 125, 30) << 458 << 458;
    // Narrower, the markers give way to the figures' panels (354 pixels from the left edge, 355
    // from the right), scaled down to the room between them and the entry box.
    QTest::newRow("1000") << 1000 << 500 << 440 << QRect(354, 14, 76, 18) << QRect(570, 14, 75, 18) << 228 << 228;
    QTest::newRow("odd 1001") << 1001 << 500 << 440 << QRect(354, 14, 76, 18) << QRect(570, 14, 76, 18) << 228 << 228;
}

void tst_MainWindow::formResize()
{
    QFETCH(int, clientWidth);
    QFETCH(int, grid1);
    QFETCH(int, entryLeft);
    QFETCH(QRect, marker1);
    QFETCH(QRect, marker2);
    QFETCH(int, column1);
    QFETCH(int, column2);

    open();
    w->resize(clientWidth, 700);
    layOut();
    QCOMPARE(w->width(), clientWidth);
    QCOMPARE(w->DBGrid1->width(), grid1);
    QCOMPARE(w->DBGrid2->width(), clientWidth - grid1);
    QCOMPARE(w->DBGrid2->x(), grid1);
    QCOMPARE(w->EditEx1->geometry(), QRect(entryLeft, 8, 121, 32));
    QCOMPARE(w->SpeedButton2->geometry(), QRect(entryLeft, 40, 121, 29));
    const auto inStrip
        = [this](QWidget *widget) { return QRect(widget->mapTo(w->Panel1, QPoint(0, 0)), widget->size()); };
    QCOMPARE(inStrip(w->Image1), marker1);
    QCOMPARE(inStrip(w->Image2), marker2);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(w->DBGrid1->Columns()->Items(i)->Width(), column1);
        QCOMPARE(w->DBGrid2->Columns()->Items(i)->Width(), column2);
    }
    QCOMPARE(w->Panel1->width(), clientWidth);
}

// No control of the strip covers a remaining-score figure at any width the window allows, and
// the markers still show; at 1366 pixels and above the strip is laid out as ever (formResize).
void tst_MainWindow::narrowStrip_data()
{
    QTest::addColumn<int>("clientWidth"); // 0: as placed on the screen; -1: the narrowest

    QTest::newRow("as placed on the screen") << 0;
    QTest::newRow("1024") << 1024;
    QTest::newRow("960, 1920 at 200 %") << 960;
    QTest::newRow("910, 1366 at 150 %") << 910;
    QTest::newRow("the narrowest") << -1;
    QTest::newRow("narrower than allowed") << 700;
    QTest::newRow("1366") << 1366;
}

void tst_MainWindow::narrowStrip()
{
    QFETCH(int, clientWidth);

    open();
    if (clientWidth != 0)
        w->resize(clientWidth < 0 ? w->minimumWidth() : clientWidth, 700);
    layOut();
    QVERIFY(w->width() >= w->minimumWidth());
    QVERIFY(w->minimumWidth() <= 910);

    // Figures as wide as their panels let them be.
    w->Remaining1 = w->Remaining2 = -1000000;
    w->RefreshScoreboard();
    const auto inStrip
        = [this](QWidget *widget) { return QRect(widget->mapTo(w->Panel1, QPoint(0, 0)), widget->size()); };
    const QRect figure1 = inStrip(w->Label1) & inStrip(w->Panel2);
    const QRect figure2 = inStrip(w->Label2) & inStrip(w->Panel3);
    QVERIFY(!figure1.isEmpty());
    QVERIFY(!figure2.isEmpty());
    for (QWidget *control : std::initializer_list<QWidget *> {w->Image1, w->Image2, w->EditEx1, w->SpeedButton2}) {
        const QRect rect = inStrip(control);
        QVERIFY2(!rect.intersects(figure1) && !rect.intersects(figure2),
            qPrintable(QStringLiteral("%1 at %2, %3 wide, window %4")
                           .arg(QLatin1String(control->metaObject()->className()))
                           .arg(rect.x())
                           .arg(rect.width())
                           .arg(w->width())));
    }
    // Each marker keeps a recognisable size and its picture's proportions.
    for (QLabel *image : {w->Image1, w->Image2}) {
        QVERIFY2(image->width() >= 24, qPrintable(QString::number(image->width())));
        QCOMPARE(image->height(), 30 * image->width() / 125);
    }
}

void tst_MainWindow::figuresShowEveryDigit_data()
{
    QTest::addColumn<int>("clientWidth");
    QTest::addColumn<qint32>("remaining");

    for (const int width : {1024, 1366, 1920}) {
        for (const qint32 remaining : {501, -180, 1001, 2147483647, std::numeric_limits<qint32>::min()})
            QTest::addRow("%d, %d", width, remaining) << width << remaining;
    }
}

// Both remaining-score figures show every digit of any 32-bit score inside their panels, at full
// size when three characters or fewer, else at the largest size that fits; no control of the
// strip covers them.
void tst_MainWindow::figuresShowEveryDigit()
{
    QFETCH(int, clientWidth);
    QFETCH(qint32, remaining);

    open();
    w->resize(clientWidth, 700);
    layOut();
    const int fullSize = w->Label1->font().pixelSize();
    w->Remaining1 = w->Remaining2 = remaining;
    w->RefreshScoreboard();
    const QString text = QString::number(remaining);
    const auto inStrip
        = [this](QWidget *widget) { return QRect(widget->mapTo(w->Panel1, QPoint(0, 0)), widget->size()); };
    for (const auto &[figure, panel] : {std::pair {w->Label1, w->Panel2}, std::pair {w->Label2, w->Panel3}}) {
        QCOMPARE(figure->text(), text);
        const QRect shown = inStrip(figure);
        QVERIFY2(inStrip(panel).contains(shown),
            qPrintable(QStringLiteral("%1 at %2 to %3").arg(text).arg(shown.left()).arg(shown.right())));
        const QFontMetrics metrics(figure->font());
        QVERIFY(metrics.horizontalAdvance(text) <= figure->width());
        if (text.size() <= 3) {
            QCOMPARE(figure->font().pixelSize(), fullSize);
        } else {
            // As large as the room lets it be: one pixel larger would not fit.
            QFont larger = figure->font();
            larger.setPixelSize(larger.pixelSize() + 1);
            const int room = figure == w->Label1 ? inStrip(panel).right() - shown.left() + 1
                                                 : shown.right() - inStrip(panel).left() + 1;
            QVERIFY(QFontMetrics(larger).boundingRect(0, 0, 0, 0, Qt::AlignLeft, text).width() > room);
        }
        for (QWidget *control : std::initializer_list<QWidget *> {w->Image1, w->Image2, w->EditEx1, w->SpeedButton2,
                 w->ComboBox1, w->ComboBox2, w->DBText1, w->DBText2, legsLabelOf(*w, 1), legsLabelOf(*w, 2)})
            QVERIFY(!inStrip(control).intersects(shown));
    }
    // The figures of the start score read from the settings file, before any entry.
    m_main.close();
    {
        QFile file(IniPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("[Def]\nIndul=%1\n").arg(remaining).toLatin1());
    }
    if (remaining <= 0)
        return; // not a start score
    open();
    w->resize(clientWidth, 700);
    layOut();
    QCOMPARE(w->Label1->text(), text);
    QVERIFY(inStrip(w->Panel2).contains(inStrip(w->Label1)));
    QVERIFY(inStrip(w->Panel3).contains(inStrip(w->Label2)));
}

void tst_MainWindow::settingsPanelMovesGrids()
{
    open();
    const int top = w->DBGrid1->mapTo(w, QPoint(0, 0)).y();
    QCOMPARE(top, w->Panel1->mapTo(w, QPoint(0, w->Panel1->height())).y());
    QVERIFY(!w->Panel4->isVisible());

    QTest::keyClick(w->EditEx1, Qt::Key_F6);
    layOut();
    QVERIFY(w->Panel4->isVisible());
    // Its labels take their text's size, none cut short.
    for (QLabel *label : {w->Label3, w->Label4, w->Label5, w->Label6})
        QCOMPARE(label->size(), label->sizeHint());
    QCOMPARE(w->DBGrid1->mapTo(w, QPoint(0, 0)).y(), top + 125);
    QCOMPARE(w->DBGrid2->mapTo(w, QPoint(0, 0)).y(), top + 125);

    QTest::mouseClick(w->SpeedButton1, Qt::LeftButton);
    layOut();
    QVERIFY(!w->Panel4->isVisible());
    QCOMPARE(w->DBGrid1->mapTo(w, QPoint(0, 0)).y(), top);
}

// The window's controls are in the window's fonts, while what opens outside it (tool tips, edit
// boxes' menus) stays in the desktop's, also when the desktop names fonts for such classes.
// The window shows its controls in fonts of its own; the desktop's font stays the program's for
// everything else, also when the desktop changes it while Pontix runs: tool tips follow it. The
// fonts the desktop names for classes of controls stay as they are.
void tst_MainWindow::desktopFontFollowed()
{
    QFont atStart(QStringLiteral("DejaVu Serif"));
    atStart.setPixelSize(11);
    QFont menus(QStringLiteral("DejaVu Sans Mono"));
    menus.setPixelSize(10);
    const QFont previousMenus = QApplication::font("QMenu");
    QApplication::setFont(menus, "QMenu");
    DesktopFont desktop(atStart);
    QCOMPARE(QGuiApplication::font(), atStart);

    open();
    QCOMPARE(QGuiApplication::font(), atStart);
    QCOMPARE(QApplication::font("QMenu"), menus);
    for (QWidget *box : {static_cast<QWidget *>(w->ComboBox1->lineEdit()), static_cast<QWidget *>(w->Edit1)}) {
        QCOMPARE(box->font().family(), w->font().family());
        QVERIFY(box->font().pixelSize() > 0);
    }
    QCOMPARE(w->Edit1->font().pixelSize(), 13);
    QCOMPARE(w->EditEx1->font().pixelSize(), 21);
    QCOMPARE(w->ComboBox1->lineEdit()->font().pixelSize(), 15);

    QFont changed(QStringLiteral("Liberation Mono"));
    changed.setPixelSize(17);
    desktop.change(changed);
    QCOMPARE(QGuiApplication::font(), changed);
    QCOMPARE(QToolTip::font(), changed);
    // The tool tip of a tool bar button opens in it.
    QWidget *button = w->ToolBar1->widgetForAction(w->aUj);
    QToolTip::showText(button->mapToGlobal(button->rect().center()), w->aUj->toolTip(), button);
    QVERIFY(QToolTip::isVisible());
    QWidget *tip = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->inherits("QTipLabel") && window->isVisible())
            tip = window;
    }
    QVERIFY(tip);
    QCOMPARE(tip->font(), changed);
    QToolTip::hideText();
    // The window's own fonts stay as they were.
    QCOMPARE(w->EditEx1->font().pixelSize(), 21);
    QCOMPARE(w->EditEx1->font().family(), w->font().family());

    QApplication::setFont(previousMenus, "QMenu");
}

// A click on a grid leaves the keyboard in the entry box; Tab reaches a grid, which is then read
// from the keyboard. Neither ever moves the table's cursor, and typing goes back to the entry box.
void tst_MainWindow::gridsReadFromKeyboardOnly()
{
    open();
    for (int i = 0; i < 30; ++i)
        enter(QStringLiteral("20"));
    const qint32 row = w->Tbl->RowNumber();
    QCOMPARE(row, 15);

    for (TThemeDBGrid *grid : {w->DBGrid1, w->DBGrid2}) {
        const QRect cell = grid->CellRect(0, 0);
        QVERIFY(cell.isValid());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(QApplication::focusWidget(), w->EditEx1);
        QTest::mouseClick(grid->verticalScrollBar(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(QApplication::focusWidget(), w->EditEx1);
        QTest::keyClick(w->EditEx1, Qt::Key_Up);
        QCOMPARE(w->Tbl->RowNumber(), row);
    }

    // Reached by Tab, a grid keeps the focus and is read from its newest turn.
    w->ComboBox2->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w->DBGrid1);
    const int newest = w->DBGrid1->shownRowCount() - 1;
    QCOMPARE(w->DBGrid1->readingCell(), QPoint(0, newest));
    QTest::keyClick(w->DBGrid1, Qt::Key_Up);
    QTest::keyClick(w->DBGrid1, Qt::Key_Right);
    QCOMPARE(w->DBGrid1->readingCell(), QPoint(1, newest - 1));
    QTest::mouseClick(w->DBGrid1->viewport(), Qt::LeftButton, {}, w->DBGrid1->CellRect(0, 0).center());
    QTest::keyClick(w->DBGrid1, Qt::Key_PageUp);
    QCOMPARE(w->Tbl->RowNumber(), row);

    // A score typed there goes into the entry box, and Enter records it.
    QTest::keyClicks(w->DBGrid1, QStringLiteral("6"));
    QCOMPARE(QApplication::focusWidget(), w->EditEx1);
    QTest::keyClicks(w->EditEx1, QStringLiteral("0"));
    QCOMPARE(w->EditEx1->text(), QStringLiteral("60"));
    QTest::keyClick(w->EditEx1, Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w->EditEx1);
    w->DBGrid2->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w->DBGrid2, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w->EditEx1);
    QCOMPARE(w->Tbl->RowNumber(), 16);
    QCOMPARE(w->Remaining1, 501 - 15 * 20 - 60);
    // Esc goes back as well.
    w->DBGrid2->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w->DBGrid2, Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), w->EditEx1);
}

void tst_MainWindow::tabOrder_data()
{
    QTest::addColumn<bool>("settingsShown");
    QTest::newRow("settings panel hidden") << false;
    QTest::newRow("settings panel shown") << true;
}

// Tab goes round every control from the entry box, in the order of the work; Shift+Tab goes
// the same way back.
void tst_MainWindow::tabOrder()
{
    QFETCH(bool, settingsShown);
    open();
    if (settingsShown)
        w->aBeallit->trigger();
    QList<QWidget *> order {w->EditEx1, w->SpeedButton2, w->ComboBox1, w->ComboBox2};
    if (settingsShown) {
        const MatchControls *match = matchControlsOf(*w);
        QVERIFY(match);
        auto *levelBox = w->findChild<QCheckBox *>(QStringLiteral("adviceLevelBox"));
        QVERIFY(levelBox);
        order << QList<QWidget *> {w->CheckBox1, doubleOutBoxOf(*w), callerBoxOf(*w)->box(), levelBox, w->Edit1,
            match->firstToBox(), match->legsBox(1), match->legsBox(2), match->setsToBox(), match->twoClearLegsBox(),
            match->allLegsBox(), w->findChild<QCheckBox *>(QStringLiteral("checkoutDartsBox")),
            w->findChild<QCheckBox *>(QStringLiteral("displayRoutesBox")), languageBoxOf(*w)->box(), w->SpeedButton1};
    }
    order << w->DBGrid1 << w->DBGrid2;
    for (QAction *action : {w->aUj, w->aMeccs, w->aElozo, w->aTorol, w->aBeallit, w->aBezar, w->aKijelzo, w->aEredmeny})
        order << w->ToolBar1->widgetForAction(action);
    order << w->EditEx1;

    const auto holds = [](QWidget *control) {
        QWidget *focus = QApplication::focusWidget();
        return focus && (focus == control || control->isAncestorOf(focus));
    };
    QCOMPARE(QApplication::focusWidget(), w->EditEx1);
    for (qsizetype i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY2(holds(order[i]),
            qPrintable(QStringLiteral("step %1: %2")
                           .arg(i)
                           .arg(QString::fromLatin1(QApplication::focusWidget()->metaObject()->className()))));
    }
    for (qsizetype i = order.size() - 2; i >= 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY2(holds(order[i]), qPrintable(QStringLiteral("back to %1").arg(i)));
    }
}

// A button pressed from the keyboard does its work and hands the keyboard back to the entry box;
// clicked, it never takes it.
void tst_MainWindow::keyboardButtonsHandBack()
{
    open();
    QTest::mouseClick(w->SpeedButton2, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), w->EditEx1);
    QCOMPARE(w->Tbl->RowCount(), 1);

    w->EditEx1->setText(QStringLiteral("45"));
    QTest::keyClick(w->EditEx1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w->SpeedButton2);
    QTest::keyClick(w->SpeedButton2, Qt::Key_Space);
    QCOMPARE(QApplication::focusWidget(), w->EditEx1);
    QCOMPARE(w->Remaining2, 456);

    QWidget *undo = w->ToolBar1->widgetForAction(w->aTorol);
    undo->setFocus(Qt::TabFocusReason);
    QTest::keyClick(undo, Qt::Key_Space);
    QCOMPARE(QApplication::focusWidget(), w->EditEx1);
    QCOMPARE(w->Remaining2, 501);
}

void tst_MainWindow::averageLabels()
{
    open();
    QCOMPARE(w->DBText1->text(), QString());
    QCOMPARE(w->DBText2->text(), QString());
    enter(QStringLiteral("60"));
    enter(QStringLiteral("45"));
    QCOMPARE(w->DBText1->text(), QStringLiteral("60"));
    QCOMPARE(w->DBText2->text(), QStringLiteral("45"));

    // An opening entry leaves the other player's half of the new row empty.
    enter(QStringLiteral("100"));
    QCOMPARE(w->DBText1->text(), QStringLiteral("80"));
    QCOMPARE(w->DBText2->text(), QString());

    QTest::keyClick(w->EditEx1, Qt::Key_F8);
    QCOMPARE(w->DBText1->text(), QStringLiteral("60"));
    QCOMPARE(w->DBText2->text(), QStringLiteral("45"));
    QTest::keyClick(w->EditEx1, Qt::Key_F8); // player 2's completing entry
    QCOMPARE(w->DBText1->text(), QStringLiteral("60"));
    QCOMPARE(w->DBText2->text(), QString());

    enter(QStringLiteral("45"));
    QTest::keyClick(w->EditEx1, Qt::Key_Insert);
    QCOMPARE(w->DBText1->text(), QString());
    QCOMPARE(w->DBText2->text(), QString());
    QCOMPARE(w->DBText2->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

void tst_MainWindow::highTurnsHighlighted()
{
    open();
    // Rows: (100 | 99), (5 | 180), (0 | empty).
    w->CheckBox1->setChecked(false);
    for (const char *score : {"100", "99", "5", "180", "0"})
        enter(QString::fromLatin1(score));

    const QColor high(255, 236, 236);
    const QColor plain = w->DBGrid1->palette().color(QPalette::Base);
    const auto background = [](TThemeDBGrid *grid, int row) {
        const QImage image = grid->viewport()->grab().toImage();
        const QRect cell = grid->CellRect(1, row);
        return image.pixelColor(cell.left() + 3, cell.top() + 1);
    };
    const QList<bool> highlighted1 {true, false, false};
    const QList<bool> highlighted2 {false, true, false};
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(background(w->DBGrid1, row), highlighted1[row] ? high : plain);
        QCOMPARE(background(w->DBGrid2, row), highlighted2[row] ? high : plain);
    }

    // A new game leaves one blank row in the window colour.
    QTest::keyClick(w->EditEx1, Qt::Key_Insert);
    QCOMPARE(w->DBGrid1->DataRowCount(), 1);
    QCOMPARE(background(w->DBGrid1, 0), plain);
}

// Whatever the palette, the text of a highlighted row reads against its background, and the
// row stands out from the others; on the light palette it is the pale pink of old.
void tst_MainWindow::highTurnsLegible_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<bool>("switched"); // the palette changes while the window is open

    QTest::newRow("light palette") << false << false;
    QTest::newRow("dark palette") << true << false;
    QTest::newRow("dark palette after start") << true << true;
}

void tst_MainWindow::highTurnsLegible()
{
    QFETCH(bool, dark);
    QFETCH(bool, switched);

    if (dark && !switched)
        useDarkPalette();
    open();
    // Rows: (100 | 99), (5 | 180).
    for (const char *score : {"100", "99", "5", "180"})
        enter(QString::fromLatin1(score));
    if (switched)
        useDarkPalette();

    for (const auto &[grid, high, plain] : {std::tuple {w->DBGrid1, 0, 1}, std::tuple {w->DBGrid2, 1, 0}}) {
        const QImage image = grid->viewport()->grab().toImage();
        for (int column = 0; column < 2; ++column) {
            const QRect cell = grid->CellRect(column, high);
            const QColor background = image.pixelColor(cell.left() + 3, cell.top() + 1);
            const QColor text = inkOf(image, cell, background);
            const QColor others = image.pixelColor(grid->CellRect(column, plain).topLeft() + QPoint(3, 1));
            QVERIFY2(contrastRatio(text, background) >= 4.5,
                qPrintable(QStringLiteral("%1 on %2: %3:1")
                               .arg(text.name(), background.name())
                               .arg(contrastRatio(text, background))));
            QVERIFY2(colorDistance(background, others) >= 24,
                qPrintable(QStringLiteral("%1 among %2").arg(background.name(), others.name())));
            QCOMPARE(others, grid->palette().color(QPalette::Base));
            if (!dark) {
                QCOMPARE(background, QColor(255, 236, 236));
                QCOMPARE(text, grid->palette().color(QPalette::Text));
            }
        }
    }
}

// The settings panel's close cross shows on any palette: black on the light one.
void tst_MainWindow::settingsPanelCross_data()
{
    highTurnsLegible_data();
}

void tst_MainWindow::settingsPanelCross()
{
    QFETCH(bool, dark);
    QFETCH(bool, switched);

    if (dark && !switched)
        useDarkPalette();
    open();
    QTest::keyClick(w->EditEx1, Qt::Key_F6);
    layOut();
    if (switched)
        useDarkPalette();

    const QImage image = w->SpeedButton1->grab().toImage();
    const QColor background = image.pixelColor(0, 0);
    const QColor cross = inkOf(image, image.rect(), background);
    QCOMPARE(background, w->Panel5->palette().color(QPalette::Window));
    QVERIFY2(contrastRatio(cross, background) >= 4.5,
        qPrintable(QStringLiteral("%1 on %2").arg(cross.name(), background.name())));
    if (!dark)
        QCOMPARE(cross, QColor(Qt::black));
}

// Out of the red, the entry box takes the palette's colours, also when the desktop changes it.
void tst_MainWindow::entryBoxFollowsPalette()
{
    open();
    enter(QStringLiteral("181"));
    enter(QStringLiteral("60"));
    useDarkPalette();
    QCOMPARE(w->EditEx1->palette().color(QPalette::Base), QColor(35, 38, 41));
    QCOMPARE(w->EditEx1->palette().color(QPalette::Text), QColor(252, 252, 252));
    enter(QStringLiteral("181"));
    QCOMPARE(w->EditEx1->palette().color(QPalette::Base), QColor(255, 0, 0));
}

void tst_MainWindow::statusBar()
{
    open();
    const QList<QLabel *> panels = w->statusBar()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
    // The maker's line, an empty panel, the notice ("Túldobás", empty until there is one), the
    // winner of the match (empty until it is decided) and the checkout route.
    QCOMPARE(panels.size(), 5);
    QCOMPARE(panels[0]->width(), 150);
    QVERIFY(!panels[0]->text().isEmpty());
    QCOMPARE(panels[0]->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(panels[1]->width(), 50);
    QVERIFY(panels[1]->text().isEmpty());
    QCOMPARE(panels[2], noticeOf(*w));
    QVERIFY(panels[2]->text().isEmpty());
    QCOMPARE(panels[3], matchWinnerOf(*w));
    QVERIFY(panels[3]->text().isEmpty());
    // The checkout advice's panel, on the right: at 501 what to aim at, named in words.
    QCOMPARE(panels[4]->objectName(), QStringLiteral("routePanel"));
    QCOMPARE(panels[4]->text(), QStringLiteral("T20 \u2192 441"));
    QCOMPARE(panels[4]->accessibleName(), QStringLiteral("Előkészítés: T20, marad 441"));
    QVERIFY(panels[4]->x() > panels[1]->x() + panels[1]->width());
    QVERIFY(panels[4]->geometry().right() >= w->statusBar()->width() - 30);
}

void tst_MainWindow::checkoutRoutePanel_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("route");

    // Entries as typed, "u" F8, "n" Ins, "x" the exact-checkout box clicked; start score 501.
    // Exact checkout is straight out: any dart that reaches 0 finishes.
    QTest::newRow("start") << QString() << QStringLiteral("T20 \u2192 441");
    QTest::newRow("player 1 at 141") << QStringLiteral("180 100 180 180") << QStringLiteral("T16 T19 D18");
    QTest::newRow("player 2 to throw, 221") << QStringLiteral("180 100 180 180 0") << QStringLiteral("T20 \u2192 161");
    QTest::newRow("player 2 at 101") << QStringLiteral("180 100 180 180 0 120 0") << QStringLiteral("Bull T17");
    QTest::newRow("player 2 at 41") << QStringLiteral("180 100 180 180 0 180 41") << QStringLiteral("T13 2");
    QTest::newRow("taken back to the other player")
        << QStringLiteral("180 100 180 180 u") << QStringLiteral("T20 \u2192 341");
    QTest::newRow("exact checkout cleared") << QStringLiteral("180 100 180 180 x") << QString();
    QTest::newRow("ticked again") << QStringLiteral("180 100 180 180 x x") << QStringLiteral("T16 T19 D18");
    QTest::newRow("new game") << QStringLiteral("180 100 180 180 n") << QStringLiteral("T20 \u2192 441");
    QTest::newRow("159 has a straight-out route") << QStringLiteral("180 0 162 0") << QStringLiteral("T20 T13 T20");
    QTest::newRow("player 1 checked out") << QStringLiteral("180 0 180 0 141 0") << QString();
}

// The route for the player to throw, while exact checkout is ticked, whatever step got there.
void tst_MainWindow::checkoutRoutePanel()
{
    QFETCH(QString, steps);
    QFETCH(QString, route);
    open();
    auto *panel = w->statusBar()->findChild<QLabel *>(QStringLiteral("routePanel"));
    QVERIFY(panel);
    QVERIFY(w->CheckBox1->isChecked());
    for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
        if (step == u'u')
            QTest::keyClick(w->EditEx1, Qt::Key_F8);
        else if (step == u'n')
            QTest::keyClick(w->EditEx1, Qt::Key_Insert);
        else if (step == u'x')
            w->CheckBox1->click();
        else
            enter(step);
    }
    QCOMPARE(panel->text(), route);
}

// "Útvonal a játékos szintjén": the advice of the player to throw follows their average once they
// have thrown nine darts, back to the default level when cleared; the setting is written once
// changed.
void tst_MainWindow::adviceAtPlayerLevel()
{
    open();
    auto *panel = w->statusBar()->findChild<QLabel *>(QStringLiteral("routePanel"));
    QVERIFY(panel);
    w->aBeallit->trigger();
    auto *levelBox = w->findChild<QCheckBox *>(QStringLiteral("adviceLevelBox"));
    QVERIFY(levelBox);
    QCOMPARE(levelBox->text(), QStringLiteral("Útvonal a játékos szintjén"));
    QVERIFY(!levelBox->isChecked());
    levelBox->click();
    // Two visits of 26: six darts, still the default level's advice.
    for (const char *score : {"26", "0", "26", "0"})
        enter(QString::fromLatin1(score));
    QCOMPARE(panel->text(), QStringLiteral("T20 \u2192 389"));
    // The third: an average of 26, the weakest level, whose best scoring aim is the single 16.
    enter(QStringLiteral("26"));
    enter(QStringLiteral("0"));
    QCOMPARE(panel->text(), QStringLiteral("16 \u2192 407"));
    levelBox->click();
    QCOMPARE(panel->text(), QStringLiteral("T20 \u2192 363"));
    w->close();
    QFile file(IniPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("UtvonalSzint=0\n"));
}

void tst_MainWindow::settingsReadAndWrittenBack()
{
    {
        QFile file(IniPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[def]\nINDUL = $12D\nKellKiszallo=0\n");
    }
    open();
    QCOMPARE(StartScore, 301);
    QCOMPARE(w->Remaining1, 301);
    QCOMPARE(w->Label1->text(), QStringLiteral("301"));
    QCOMPARE(w->Label2->text(), QStringLiteral("301"));
    QCOMPARE(w->Edit1->text(), QStringLiteral("301"));
    QVERIFY(!w->CheckBox1->isChecked());

    w->CheckBox1->setChecked(true);
    w->Edit1->setText(QStringLiteral("170"));
    w->aBezar->trigger();
    QVERIFY(!w->isVisible());
    QCOMPARE(StartScore, 170);

    QFile file(IniPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("[def]\nIndul=170\nKellKiszallo=1\n"));
}

// A start score typed in the settings panel that reads as 0 or less is not saved: the previous
// one stays, instead of every later game starting from 0.
void tst_MainWindow::typedStartScoreSaved_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint32>("saved");

    QTest::newRow("a start score") << QStringLiteral("301") << 301;
    QTest::newRow("blanks around it") << QStringLiteral(" 701 ") << 701;
    QTest::newRow("letters") << QStringLiteral("abc") << 501;
    QTest::newRow("empty") << QString() << 501;
    QTest::newRow("zero") << QStringLiteral("0") << 501;
    QTest::newRow("negative") << QStringLiteral("-301") << 501;
    QTest::newRow("a number too long") << QStringLiteral("50100000000") << 501;
}

void tst_MainWindow::typedStartScoreSaved()
{
    QFETCH(QString, typed);
    QFETCH(qint32, saved);
    {
        QFile file(IniPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Def]\nIndul=501\nKellKiszallo=0\n");
    }
    open();
    w->Edit1->setText(typed);
    w->close();
    QCOMPARE(StartScore, saved);

    QFile file(IniPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QStringLiteral("[Def]\nIndul=%1\nKellKiszallo=0\n").arg(saved).toUtf8());
}

void tst_MainWindow::typedStartScoreWaitsForNextStart()
{
    open();
    QTest::keyClick(w->EditEx1, Qt::Key_F6);
    w->Edit1->setText(QStringLiteral("301"));
    QTest::keyClick(w->EditEx1, Qt::Key_Insert);
    QCOMPARE(w->Remaining1, 501);
    enter(QStringLiteral("60"));
    QCOMPARE(w->Tbl->FieldValue(QStringLiteral("a2")), QVariant(60));
    QCOMPARE(w->Remaining2, 441);
}

void tst_MainWindow::missingSettingsFolder()
{
    IniPath = m_main.folder() + QStringLiteral("/no-such-folder/Pontix.ini");
    open();
    QCOMPARE(StartScore, 501);
    QVERIFY(w->CheckBox1->isChecked());
    w->close();
    QVERIFY(!w->isVisible());
    QVERIFY(!QFile::exists(IniPath));
    QVERIFY(!QFile::exists(m_main.folder() + QStringLiteral("/no-such-folder")));
}

// A checkout counts at the new game: the legs stand under the names, the limit decides the
// match, whose winner the status bar names; the correction boxes follow and correct the tally.
void tst_MainWindow::legsAndTheMatch()
{
    open();
    const std::array<LegsLabel *, 2> legs {legsLabelOf(*w, 1), legsLabelOf(*w, 2)};
    QLabel *const winner = matchWinnerOf(*w);
    QVERIFY(legs[0] && legs[1] && winner);
    QCOMPARE(legs[0]->text(), QStringLiteral("Leg: 0"));
    // Player 1 checks out 501 in three turns; player 2 scores nothing.
    for (const char *score : {"180", "0", "180", "0", "141"})
        enter(QString::fromLatin1(score));
    QCOMPARE(w->Remaining1, 0);
    QCOMPARE(legs[0]->text(), QStringLiteral("Leg: 0"));
    QTest::keyClick(w->EditEx1, Qt::Key_Insert);
    QCOMPARE(legs[0]->text(), QStringLiteral("Leg: 1"));
    QCOMPARE(legs[1]->text(), QStringLiteral("Leg: 0"));
    QVERIFY(winner->text().isEmpty());
    QCOMPARE(legs[0]->accessibleName(), QStringLiteral("1. játékos, nyert leg: 1"));
    // The settings panel's match controls, made when it first shows, show the legs as they stand.
    QVERIFY(!matchControlsOf(*w));
    QTest::keyClick(w->EditEx1, Qt::Key_F6);
    MatchControls *const controls = matchControlsOf(*w);
    QVERIFY(controls);
    QCOMPARE(controls->legsBox(1)->value(), 1);
    QCOMPARE(controls->legsBox(2)->value(), 0);
    QCOMPARE(controls->firstToBox()->value(), 0);

    controls->firstToBox()->setValue(1);
    QCOMPARE(winner->text(), QStringLiteral("Játékos 1. nyerte a meccset (1 – 0)"));
    QVERIFY(legs[0]->font().underline());
    QVERIFY(!legs[1]->font().underline());

    controls->firstToBox()->setValue(3);
    // A name with the marks of a text template in it is shown as typed.
    w->ComboBox2->setEditText(QStringLiteral("Kiss %1%2"));
    controls->legsBox(2)->setValue(3);
    QCOMPARE(w->match().legs().legsWon(false), 3);
    QCOMPARE(legs[1]->text(), QStringLiteral("Leg: 3"));
    // A screen reader hears the corrected legs at once.
    QCOMPARE(legs[1]->accessibleName(), QStringLiteral("2. játékos, nyert leg: 3"));
    QCOMPARE(winner->text(), QStringLiteral("Kiss %1%2 nyerte a meccset (1 – 3)"));
    QVERIFY(!legs[0]->font().underline());

    // The next new game opens a new match at 0 – 0.
    QTest::keyClick(w->EditEx1, Qt::Key_Insert);
    QCOMPARE(legs[0]->text(), QStringLiteral("Leg: 0"));
    QCOMPARE(controls->legsBox(2)->value(), 0);
    QVERIFY(winner->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), w->EditEx1);
}

// With a keypad alone: its "/" takes the last entry back as F8 does, and types nothing.
void tst_MainWindow::keypadSlashTakesBack()
{
    open();
    enter(QStringLiteral("60"));
    enter(QStringLiteral("45"));
    QTest::keyClick(w->EditEx1, Qt::Key_Slash, Qt::KeypadModifier);
    QCOMPARE(w->Remaining2, 501);
    QCOMPARE(w->Remaining1, 441);
    QVERIFY(!w->Player1ToThrow);
    QVERIFY(w->EditEx1->text().isEmpty());
    // The "/" of the main keyboard is only a character: typed, nothing taken back.
    QTest::keyClick(w->EditEx1, Qt::Key_Slash);
    QCOMPARE(w->EditEx1->text(), QStringLiteral("/"));
    QVERIFY(!w->Player1ToThrow);
    QCOMPARE(w->Remaining1, 441);
}

namespace {

QString fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeSettings(const QByteArray &text)
{
    QFile file(IniPath);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
}

// Answers the bull-off question once it is asked: Enter, Esc, or a click on the button so named.
void answerBullOff(QObject *context, const QString &answer, bool *asked)
{
    QTimer::singleShot(0, context, [answer, asked] {
        auto *dialog = qobject_cast<BullOffDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        *asked = true;
        if (answer == u"Enter") {
            QTest::keyClick(dialog, Qt::Key_Return);
            return;
        }
        if (answer == u"Esc") {
            QTest::keyClick(dialog, Qt::Key_Escape);
            return;
        }
        for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
            if (button->text() == answer)
                QTest::mouseClick(button, Qt::LeftButton);
        }
    });
}

} // namespace

// "Dupla kiszálló" includes the exact checkout both ways; a bust is a turn of 0, named in the
// status bar until the next entry; the setting is written once changed.
void tst_MainWindow::doubleOut()
{
    writeSettings("[Def]\nIndul=41\nKellKiszallo=0\n");
    open();
    QTest::keyClick(w->EditEx1, Qt::Key_F6);
    QCheckBox *const box = doubleOutBoxOf(*w);
    QLabel *const notice = noticeOf(*w);
    QVERIFY(box && notice);
    QCOMPARE(box->text(), QStringLiteral("Dupla kiszálló"));
    QVERIFY(!box->isChecked());
    box->click();
    QVERIFY(w->CheckBox1->isChecked());

    enter(QStringLiteral("40"));
    QCOMPARE(w->Remaining1, 41);
    QCOMPARE(w->Tbl->FieldValue(QStringLiteral("e1")), QVariant(0));
    QCOMPARE(notice->text(), QStringLiteral("Túldobás"));
    QCOMPARE(w->EditEx1->palette().color(QPalette::Base), QColor(255, 0, 0));
    enter(QStringLiteral("39"));
    QCOMPARE(w->Remaining2, 2);
    QVERIFY(notice->text().isEmpty());
    enter(QStringLiteral("60"));
    QCOMPARE(w->Remaining1, 41);
    QCOMPARE(notice->text(), QStringLiteral("Túldobás"));
    enter(QStringLiteral("2"));
    QCOMPARE(w->Remaining2, 0);

    // Clearing the exact checkout clears double out; ticking it again leaves double out off.
    w->CheckBox1->click();
    QVERIFY(!box->isChecked());
    w->CheckBox1->click();
    QVERIFY(!box->isChecked());
    w->close();
    QCOMPARE(fileText(IniPath), QStringLiteral("[Def]\nIndul=41\nKellKiszallo=1\nDuplaKiszallo=0\n"));
}

// A match in sets from the settings file: the sets and legs under the names, the bull-off
// winner's pattern of starters, the winner named; a format changed in the panel is written back.
void tst_MainWindow::matchInSets()
{
    writeSettings("[Def]\nIndul=40\nLegek=1\nSzettek=2\n");
    open();
    const std::array<LegsLabel *, 2> legs {legsLabelOf(*w, 1), legsLabelOf(*w, 2)};
    QCOMPARE(legs[0]->text(), QStringLiteral("Szett: 0 Leg: 0"));
    // Set 1: player 1 (the bull-off winner) starts and checks out.
    enter(QStringLiteral("40"));
    QTest::keyClick(w->EditEx1, Qt::Key_Insert);
    QCOMPARE(legs[0]->text(), QStringLiteral("Szett: 1 Leg: 0"));
    QCOMPARE(legs[0]->accessibleName(), QStringLiteral("1. játékos, nyert szett: 1, nyert leg: 0"));
    // Set 2: the other player starts its first leg, and checks out.
    QVERIFY(!w->Player1Starts);
    enter(QStringLiteral("40"));
    QTest::keyClick(w->EditEx1, Qt::Key_Insert);
    QCOMPARE(legs[1]->text(), QStringLiteral("Szett: 1 Leg: 0"));
    // Set 3: player 1 starts again; player 2 throws 0 after player 1's 0, then player 1 wins.
    QVERIFY(w->Player1Starts);
    for (const char *score : {"0", "0", "40"})
        enter(QString::fromLatin1(score));
    QTest::keyClick(w->EditEx1, Qt::Key_Insert);
    QCOMPARE(matchWinnerOf(*w)->text(), QStringLiteral("Játékos 1. nyerte a meccset (2 – 1)"));
    QVERIFY(legs[0]->font().underline());

    QTest::keyClick(w->EditEx1, Qt::Key_F6);
    MatchControls *const controls = matchControlsOf(*w);
    QVERIFY(controls);
    QCOMPARE(controls->firstToBox()->value(), 1);
    QCOMPARE(controls->setsToBox()->value(), 2);
    controls->twoClearLegsBox()->click();
    w->close();
    QCOMPARE(fileText(IniPath), QStringLiteral("[Def]\nIndul=40\nLegek=1\nSzettek=2\nKellKiszallo=1\nKetLeg=1\n"));
}

void tst_MainWindow::newMatch_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("started");
    QTest::addColumn<bool>("player1Starts");

    // Player 2 starts the game being played.
    QTest::newRow("Enter keeps the starter") << u"Enter"_s << true << false;
    QTest::newRow("player 1 won the bull-off") << u"Játékos 1."_s << true << true;
    QTest::newRow("player 2 won the bull-off") << u"Játékos 2."_s << true << false;
    QTest::newRow("Esc starts nothing") << u"Esc"_s << false << false;
}

// "Új meccs" asks who won the bull-off, then starts from the start score typed in the panel with
// sets and legs at 0; cancelled, it changes nothing.
void tst_MainWindow::newMatch()
{
    QFETCH(QString, answer);
    QFETCH(bool, started);
    writeSettings("[Def]\nIndul=40\n");
    open();
    enter(QStringLiteral("40"));
    QTest::keyClick(w->EditEx1, Qt::Key_Insert);
    enter(QStringLiteral("20"));
    QTest::keyClick(w->EditEx1, Qt::Key_F6);
    w->Edit1->setText(QStringLiteral("301"));
    QTest::keyClick(w->EditEx1, Qt::Key_F6);

    bool asked = false;
    answerBullOff(this, answer, &asked);
    QTest::keyClick(w->EditEx1, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(asked);
    QTEST(w->Player1Starts, "player1Starts");
    if (!started) {
        QCOMPARE(w->Remaining2, 20);
        QCOMPARE(w->match().legs().legsWon(true), 1);
        QCOMPARE(StartScore, 40);
        return;
    }
    QCOMPARE(w->Player1ToThrow, w->Player1Starts);
    QCOMPARE(w->Tbl->RowCount(), 0);
    QCOMPARE(StartScore, 301);
    QCOMPARE(w->Remaining1, 301);
    QCOMPARE(w->Label2->text(), QStringLiteral("301"));
    QCOMPARE(legsLabelOf(*w, 1)->text(), QStringLiteral("Leg: 0"));
    // The keyboard is back in the entry box.
    QTRY_COMPARE(QApplication::focusWidget(), w->EditEx1);
    // Every later new game plays from it too.
    QTest::keyClick(w->EditEx1, Qt::Key_Insert);
    QCOMPARE(w->Remaining1, 301);
}

// "Előző játék" brings back the game the last new game left while nothing was entered since; the
// status bar says what it did.
void tst_MainWindow::previousGame()
{
    open();
    QLabel *const notice = noticeOf(*w);
    enter(QStringLiteral("60"));
    enter(QStringLiteral("45"));
    enter(QStringLiteral("100"));
    QTest::keyClick(w->EditEx1, Qt::Key_Insert);
    QTest::keyClick(w->EditEx1, Qt::Key_F9);
    QCOMPARE(notice->text(), QStringLiteral("Az előző játék visszaállítva"));
    QCOMPARE(w->Tbl->RowCount(), 2);
    QCOMPARE(w->Remaining1, 341);
    QCOMPARE(w->Remaining2, 456);
    QVERIFY(!w->Player1ToThrow);
    QVERIFY(w->Player1Starts);
    QCOMPARE(w->Label1->text(), QStringLiteral("341"));
    QCOMPARE(w->DBText1->text(), QStringLiteral("80"));
    QTest::keyClick(w->EditEx1, Qt::Key_F9);
    QCOMPARE(notice->text(), QStringLiteral("Nincs visszaállítható előző játék"));

    QTest::keyClick(w->EditEx1, Qt::Key_Insert);
    enter(QStringLiteral("20"));
    QTest::keyClick(w->EditEx1, Qt::Key_F9);
    QCOMPARE(notice->text(), QStringLiteral("Az előző játék nem állítható vissza: az új játékban már dobtak"));
    QCOMPARE(w->Tbl->RowCount(), 1);
    QCOMPARE(w->Remaining2, 481);
}

// "Kiszálló nyilai": the turn that checks out makes the entry box ask for its darts. A count that
// cannot have made the checkout is refused and the question stands; Enter alone means 3; Esc, or
// any change to the game, ends the question with the darts unknown. Cleared, nothing asks.
void tst_MainWindow::checkoutDarts()
{
    writeSettings("[Def]\nIndul=141\nDuplaKiszallo=1\nKiszalloNyil=1\n");
    open();
    QLabel *const notice = noticeOf(*w);
    const LegRecord &leg = w->match().record().currentLeg();
    const QString question = QStringLiteral("Hány nyíllal szállt ki? 1, 2 vagy 3 (Enter: 3)");
    enter(QStringLiteral("100"));
    QVERIFY(notice->text().isEmpty());
    enter(QStringLiteral("141"));
    QCOMPARE(notice->text(), question);
    QCOMPARE(w->SpeedButton2->text(), QStringLiteral("Nyíl? 1–3"));
    // A screen reader hears the question in the entry box too.
    QCOMPARE(w->EditEx1->accessibleDescription(), question);

    // Two darts make at most 110 under double out; a score is no answer.
    for (const QString &answer : {QStringLiteral("2"), QStringLiteral("60"), QStringLiteral("x")}) {
        enter(answer);
        QCOMPARE(notice->text(),
            answer == u'2' ? QStringLiteral("2 nyíllal nem lehet. %1").arg(question)
                           : QStringLiteral("Elutasítva. %1").arg(question));
        QCOMPARE(w->EditEx1->palette().color(QPalette::Base), QColor(255, 0, 0));
        QCOMPARE(w->EditEx1->selectedText(), answer);
        QVERIFY(!leg.checkoutDarts);
    }
    QCOMPARE(w->Tbl->RowCount(), 1);
    enter(QString());
    QCOMPARE(leg.checkoutDarts, std::optional<int>(3));
    QCOMPARE(leg.darts(), std::optional<int>(3));
    QCOMPARE(notice->text(), QStringLiteral("A leg: 3 nyíl"));
    QCOMPARE(w->SpeedButton2->text(), QStringLiteral("OK"));
    QVERIFY(w->EditEx1->accessibleDescription().startsWith(QStringLiteral("Játékos 2.: 141")));
    QCOMPARE(w->EditEx1->palette().color(QPalette::Base), QPalette().color(QPalette::Base));

    // Taken back, the checkout's darts go with it; asked again, F8 ends the question.
    QTest::keyClick(w->EditEx1, Qt::Key_F8);
    QVERIFY(!leg.checkoutDarts);
    enter(QStringLiteral("141"));
    QCOMPARE(notice->text(), question);
    QTest::keyClick(w->EditEx1, Qt::Key_F8);
    QCOMPARE(w->SpeedButton2->text(), QStringLiteral("OK"));
    QCOMPARE(w->Remaining2, 141);
    // Esc leaves the darts unknown, and the next entry is a score again.
    enter(QStringLiteral("141"));
    QTest::keyClick(w->EditEx1, Qt::Key_Escape);
    QVERIFY(notice->text().isEmpty());
    enter(QStringLiteral("3"));
    QCOMPARE(w->Remaining1, 38);
    QVERIFY(!leg.checkoutDarts);

    // Cleared in the settings panel: a checkout asks nothing, and the key is written.
    QTest::keyClick(w->EditEx1, Qt::Key_Insert);
    QTest::keyClick(w->EditEx1, Qt::Key_F6);
    auto *box = w->findChild<QCheckBox *>(QStringLiteral("checkoutDartsBox"));
    QVERIFY(box && box->isChecked());
    QCOMPARE(box->text(), QStringLiteral("Kiszálló nyilai"));
    box->click();
    enter(QStringLiteral("141"));
    QVERIFY(notice->text().isEmpty());
    QCOMPARE(w->SpeedButton2->text(), QStringLiteral("OK"));
    w->close();
    QVERIFY(fileText(IniPath).contains(QStringLiteral("KiszalloNyil=0\n")));
}

// "Eredmény" (F7): nothing of the sheet exists until it is first asked for; then it shows the match
// with the names as typed, follows the entries while it shows, and shows the darts while they are
// asked for.
void tst_MainWindow::resultSheet()
{
    writeSettings("[Def]\nIndul=101\nKiszalloNyil=1\n");
    open();
    QVERIFY(!w->findChild<ResultWindow *>());
    QVERIFY(!w->findChild<ResultView *>());
    w->ComboBox1->setEditText(QStringLiteral("Kovács"));
    enter(QStringLiteral("60"));
    enter(QStringLiteral("45"));
    enter(QStringLiteral("41"));
    enter(QStringLiteral("2"));

    QTest::keyClick(w->EditEx1, Qt::Key_F7);
    auto *sheet = w->findChild<ResultWindow *>();
    QVERIFY(sheet);
    QVERIFY(QTest::qWaitForWindowExposed(sheet));
    QCOMPARE(sheet->windowTitle(), QStringLiteral("Eredmény"));
    const ResultTableModel &table = sheet->view()->model();
    QVERIFY(table.dartsShown());
    QCOMPARE(table.legCount(), 1);
    QCOMPARE(table.headerData(table.legColumns(), Qt::Horizontal, Qt::AccessibleTextRole).toString(),
        QStringLiteral("Kovács: Átlag"));
    QCOMPARE(table.index(0, 3).data().toString(), QStringLiteral("5 nyíl"));

    // The next leg's first turn shows at once; a new name too.
    QTest::keyClick(w->EditEx1, Qt::Key_Insert);
    enter(QStringLiteral("100"));
    QCOMPARE(table.legCount(), 2);
    w->ComboBox1->setEditText(QStringLiteral("Szabó"));
    QCOMPARE(table.headerData(table.legColumns(), Qt::Horizontal, Qt::AccessibleTextRole).toString(),
        QStringLiteral("Szabó: Átlag"));
    // "Kiszálló nyilai" cleared: the darts go from the sheet.
    QTest::keyClick(w->EditEx1, Qt::Key_F6);
    w->findChild<QCheckBox *>(QStringLiteral("checkoutDartsBox"))->click();
    QVERIFY(!table.dartsShown());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
