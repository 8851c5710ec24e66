// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The spectator display on its own: a bound view of a turn table, its pixels and its screens.
// Its texts are drawn in Liberation Sans, from fonts-liberation2, which scripts/setup installs.
#include <cmath>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QWindow>

#include "app/Main.h"
#include "app/Seged.h"
#include "controls/uEditEx.h"
#include "display/Display.h"
#include "display/DisplayAccessible.h"
#include "match/Checkout.h"
#include "match/Match.h"
#include "memtable/xovMemTable.h"
#include "tests/support/Accessibility.h"
#include "tests/support/Contrast.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/OffscreenScreens.h"
#include "tests/support/TurnTable.h"

using namespace Qt::StringLiterals;

namespace {

// As a click on the display does: it becomes the active window and takes the keys. Activations
// still on their way (the display hands the keyboard back after a key) arrive first.
bool giveKeyboardTo(QWidget *display)
{
    QCoreApplication::processEvents();
    display->activateWindow();
    if (!QTest::qWaitForWindowActive(display))
        return false;
    QCoreApplication::processEvents();
    return QApplication::activeWindow() == display;
}

// Every text the display shows stands 7:1 or more from what it is drawn on.
void checkContrast(SpectatorDisplay &display)
{
    const QImage image = display.grab().toImage();
    for (int player = 1; player <= 2; ++player) {
        const SpectatorDisplay::Parts &parts = display.parts(player);
        QList<QRect> texts {parts.band, parts.figure};
        if (!display.shownTexts(player)[2].isEmpty())
            texts << parts.route;
        for (size_t i = 0; i < parts.labels.size(); ++i)
            texts << parts.labels[i] << parts.values[i];
        for (const QRect &rect : texts) {
            const double ratio = textContrast(image, rect);
            QVERIFY2(ratio >= 7, qPrintable(QStringLiteral("%1 at %2,%3").arg(ratio).arg(rect.x()).arg(rect.y())));
        }
    }
}

QString figureText(std::optional<qint32> value)
{
    return value ? QString::number(*value) : QStringLiteral("–");
}

// The statistics of one player counted afresh from every row of the window's turn table, in
// the display's order: average, first nine, last, highest, 100+, 140+, 180. Reads the rows by
// walking the cursor and leaves it on the last row, where the window keeps it.
QStringList recount(Tfrm_Main &w, bool player1)
{
    TField *score = player1 ? w.Tble1 : w.Tble2;
    TField *average = player1 ? w.Tbla1 : w.Tbla2;
    QList<qint32> scores;
    std::optional<qint32> lastAverage;
    if (w.Tbl->RowCount() > 0) {
        w.Tbl->MoveFirst();
        for (qint32 row = 0; row < w.Tbl->RowCount(); ++row) {
            if (!score->IsEmptyValue()) {
                scores << score->AsInteger();
                lastAverage = average->AsInteger();
            }
            w.Tbl->MoveNext();
        }
        w.Tbl->MoveLast();
    }
    if (scores.isEmpty())
        return {QStringLiteral("–"), QStringLiteral("–"), QStringLiteral("–"), QStringLiteral("–"), QStringLiteral("0"),
            QStringLiteral("0"), QStringLiteral("0")};
    const qsizetype first = std::min<qsizetype>(3, scores.size());
    qint64 firstSum = 0;
    for (qsizetype i = 0; i < first; ++i)
        firstSum += scores[i];
    int tons = 0, tonForties = 0, maximums = 0;
    for (const qint32 s : scores) {
        tons += s >= 100 && s < 140;
        tonForties += s >= 140 && s < 180;
        maximums += s == 180;
    }
    return {figureText(lastAverage), figureText(qint32(std::nearbyint(double(firstSum) / double(first)))),
        figureText(scores.last()), figureText(*std::max_element(scores.begin(), scores.end())), QString::number(tons),
        QString::number(tonForties), QString::number(maximums)};
}

int screensWanted()
{
    return qEnvironmentVariableIntValue("PONTIX_TEST_SCREENS") == 1 ? 1 : 2;
}

// The operator's laptop alone, with the room's projector to its right, and with a projector of
// a lower resolution there.
const QByteArray LaptopAlone = R"({"windowFrameMargins": false, "screens": [
    {"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96}]})";
const QByteArray LaptopAndRoom = R"({"windowFrameMargins": false, "screens": [
    {"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96},
    {"name": "room", "x": 1366, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96}]})";
const QByteArray LaptopAndSmallerRoom = R"({"windowFrameMargins": false, "screens": [
    {"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96},
    {"name": "room", "x": 1366, "y": 0, "width": 1280, "height": 720, "logicalDpi": 96}]})";

const QByteArray &screensOfTheRun()
{
    return screensWanted() == 1 ? LaptopAlone : LaptopAndRoom;
}

// Whether the rectangle lies wholly on one screen's work area.
bool onAScreen(const QRect &rect)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
        [&rect](QScreen *screen) { return screen->availableGeometry().contains(rect); });
}

} // namespace

class tst_Display : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void followsTheTable();
    void hiddenFollowsNothing();
    void figuresFillTheWindow_data();
    void figuresFillTheWindow();
    void contrastWhateverThePalette_data();
    void contrastWhateverThePalette();
    void markerAndCheckedOut();
    void opensOnTheRoomScreen();
    void fullScreenKeys();
    void followsTheMatch_data();
    void followsTheMatch();
    void closedDisplayRunsNothing();
    void keysTypedIntoTheDisplay();
    void legsAndTheMatch();
    void setsAndTheDraw_data();
    void setsAndTheDraw();
    void readByScreenReader();
    void picturesKeptWithinBudget();
    void longNamesElided_data();
    void longNamesElided();
    void projectorPulledAndPluggedBack();
    void projectorPluggedWhileOpenOnTheLaptop();
    void leavingFullScreenStaysOnTheScreen();

private:
    // Entries as the scoreboard makes them, through the match: the starter (player 1) opens a
    // row, player 2 completes it.
    void open(qint32 score);
    void complete(qint32 score);
    void takeBackCompleting();
    void takeBackOpening();
    // Shows the main window with the entry box focused and opens the display, built then, with
    // F11 there; the entry box keeps the keyboard, also when the display is activated as a window
    // manager activates a window it maps.
    void openFromEntryBox(MainWindowFixture &main, SpectatorDisplay *&display);

    std::unique_ptr<TurnTable> m_table;
    const qint32 m_startScore = 501;
    std::unique_ptr<Match> m_match;
    std::unique_ptr<QWidget> m_operator;
    std::unique_ptr<SpectatorDisplay> m_display;
    MatchView m_view;
};

void tst_Display::init()
{
    InstallDisplayAccessibility();
    m_table = std::make_unique<TurnTable>();
    m_table->table.OpenTable();
    m_match = std::make_unique<Match>(&m_table->table,
        PlayerFields {m_table->field("e1"), m_table->field("h1"), m_table->field("a1")},
        PlayerFields {m_table->field("e2"), m_table->field("h2"), m_table->field("a2")}, m_startScore);
    m_match->startFirstGame();
    m_operator = std::make_unique<QWidget>();
    m_operator->resize(800, 600);
    m_operator->show();
    m_view = {{{{QStringLiteral("Anna"), 501, {}}, {QStringLiteral("Béla"), 501, {}}}}, true, true, true, 0, {}};
    const TurnFields fields {m_table->field("e1"), m_table->field("a1"), m_table->field("e2"), m_table->field("a2")};
    m_display = std::make_unique<SpectatorDisplay>(
        *m_match, &m_table->source, fields, [this] { return m_view; }, m_operator.get());
}

void tst_Display::cleanup()
{
    m_display.reset();
    m_operator.reset();
    m_match.reset();
    m_table.reset();
    QVERIFY(changeOffscreenScreens(screensOfTheRun()));
}

void tst_Display::open(qint32 score)
{
    QVERIFY(m_match->Player1ToThrow);
    QCOMPARE(m_match->enterScore(score, false), EntryOutcome::Recorded);
}

void tst_Display::complete(qint32 score)
{
    QVERIFY(!m_match->Player1ToThrow);
    QCOMPARE(m_match->enterScore(score, false), EntryOutcome::Recorded);
}

void tst_Display::takeBackCompleting()
{
    QVERIFY(m_match->Player1ToThrow);
    QVERIFY(m_match->takeBack());
}

void tst_Display::takeBackOpening()
{
    QVERIFY(!m_match->Player1ToThrow);
    QVERIFY(m_match->takeBack());
}

void tst_Display::followsTheTable()
{
    m_display->resize(960, 540);
    m_display->show();
    open(100);
    complete(140);
    open(180);
    complete(26);
    QCOMPARE(m_display->stats().player1().turns(), 2);
    QCOMPARE(m_display->stats().player1().maximums(), 1);
    QCOMPARE(m_display->stats().player2().tonForties(), 1);
    takeBackCompleting();
    QCOMPARE(m_display->stats().player2().lastTurn(), 140);
    takeBackOpening();
    QCOMPARE(m_display->stats().player1().highest(), 100);
    QCOMPARE(m_display->stats().player1().maximums(), 0);
    m_match->newGame();
    QCOMPARE(m_display->stats().player1().turns(), 0);
    QCOMPARE(m_display->stats().player2().turns(), 0);
}

// Closed, the display hears nothing of the table; opened again, it starts from all the rows.
void tst_Display::hiddenFollowsNothing()
{
    m_display->resize(960, 540);
    m_display->show();
    open(60);
    m_display->hide();
    complete(45);
    open(180);
    QCOMPARE(m_display->stats().player1().turns(), 0);
    m_display->show();
    QCOMPARE(m_display->stats().player1().turns(), 2);
    QCOMPARE(m_display->stats().player1().highest(), 180);
    QCOMPARE(m_display->stats().player2().lastTurn(), 45);
    complete(100);
    QCOMPARE(m_display->stats().player2().average(), m_table->value("a2").toInt());
    QCOMPARE(m_display->stats().player2().average(), 72); // 145 in two turns, the half to even
}

void tst_Display::figuresFillTheWindow_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("remaining");

    for (const QSize size : {QSize(1920, 1080), QSize(1366, 768), QSize(1280, 720)}) {
        for (const char *remaining : {"501", "170", "40", "-20"}) {
            const QString name
                = QStringLiteral("%1x%2 %3").arg(size.width()).arg(size.height()).arg(QLatin1String(remaining));
            QTest::newRow(qPrintable(name)) << size << QString::fromLatin1(remaining);
        }
    }
}

// At 16:9 a remaining score of up to three characters stands at least 30 % of the window high.
void tst_Display::figuresFillTheWindow()
{
    QFETCH(QSize, size);
    QFETCH(QString, remaining);
    m_view.players[0].remaining = remaining.toInt();
    m_view.exactCheckout = false;
    m_display->resize(size);
    m_display->show();
    m_display->refreshLater();
    QCoreApplication::processEvents();
    const QImage image = m_display->grab().toImage();
    const int height = inkHeight(image, m_display->parts(1).figure);
    QVERIFY2(height >= 0.30 * size.height(), qPrintable(QString::number(height)));
    // The other half's 501 stands as high as any other three figures.
    QVERIFY(std::abs(inkHeight(image, m_display->parts(2).figure) - height) <= height / 10 || remaining.size() < 3);
}

void tst_Display::contrastWhateverThePalette_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light desktop") << false;
    QTest::newRow("dark desktop") << true;
}

// Every text of the window, on whatever it is drawn on, at 7:1 or more.
void tst_Display::contrastWhateverThePalette()
{
    QFETCH(bool, dark);
    const QPalette saved = QApplication::palette();
    QPalette palette;
    if (dark) {
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            palette.setColor(role, QColor(0x20, 0x20, 0x20));
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, Qt::white);
    }
    QApplication::setPalette(palette);
    m_view.players[0].remaining = 170;
    m_view.players[0].advice = QStringLiteral("T20 T20 Bull");
    m_view.players[1].remaining = 40;
    m_view.players[1].advice = QStringLiteral("D20");
    m_display->resize(1366, 768);
    m_display->show();
    open(140);
    QCoreApplication::processEvents();
    const QImage image = m_display->grab().toImage();
    QApplication::setPalette(saved);

    // The name bands (one marked), figures, routes and every statistic with its label.
    QList<QRect> texts;
    for (int player = 1; player <= 2; ++player) {
        const SpectatorDisplay::Parts &parts = m_display->parts(player);
        texts << parts.band << parts.figure << parts.route;
        for (size_t i = 0; i < parts.labels.size(); ++i)
            texts << parts.labels[i] << parts.values[i];
    }
    for (const QRect &rect : texts) {
        const double ratio = textContrast(image, rect);
        QVERIFY2(ratio >= 7, qPrintable(QStringLiteral("%1 at %2,%3").arg(ratio).arg(rect.x()).arg(rect.y())));
    }
}

// The marker goes with the turn; a player at 0 shows "Kiszállt!" in place of a route.
void tst_Display::markerAndCheckedOut()
{
    m_display->resize(1280, 720);
    m_display->show();
    QCoreApplication::processEvents();
    const int y = m_display->parts(1).band.top() + 2;
    const auto bandColour = [this, y](int x) { return m_display->grab().toImage().pixelColor(x, y); };
    const QColor marked = bandColour(100);
    const QColor resting = bandColour(740);
    QVERIFY(marked != resting);

    m_view.player1ToThrow = false;
    m_view.players[0].remaining = 0;
    m_display->refreshLater();
    QCoreApplication::processEvents();
    QCOMPARE(bandColour(100), resting);
    QCOMPARE(bandColour(740), marked);
    const QImage image = m_display->grab().toImage();
    // The route row of a player at 0 holds "Kiszállt!"; that of a player with 501 to go is empty.
    QVERIFY(textContrast(image, m_display->parts(1).route) >= 7);
    QCOMPARE(textContrast(image, m_display->parts(2).route), 1.0);
}

// With two screens the display takes the one the operator does not use, full screen; with one
// it is a normal window. Either way the operator's window keeps the keyboard.
void tst_Display::opensOnTheRoomScreen()
{
    QCOMPARE(QGuiApplication::screens().size(), screensWanted());
    m_operator->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_operator.get()));
    m_display->open();
    QVERIFY(QTest::qWaitForWindowExposed(m_display.get()));
    if (screensWanted() == 2) {
        QVERIFY(m_display->screen() != m_operator->screen());
        QVERIFY(m_display->isFullScreen());
        QCOMPARE(m_display->geometry(), m_display->screen()->geometry());
    } else {
        QVERIFY(!m_display->isFullScreen());
        QVERIFY(m_display->width() < m_operator->screen()->geometry().width());
    }
    QCOMPARE(QApplication::activeWindow(), m_operator.get());
    m_display->toggle();
    QVERIFY(!m_display->isVisible());
    m_display->toggle();
    QVERIFY(m_display->isVisible());
}

void tst_Display::fullScreenKeys()
{
    m_display->resize(800, 450);
    m_display->showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(m_display.get()));
    QTest::keyClick(m_display.get(), Qt::Key_F11);
    QVERIFY(m_display->isFullScreen());
    QTest::keyClick(m_display.get(), Qt::Key_Escape);
    QVERIFY(!m_display->isFullScreen());
    QTest::keyClick(m_display.get(), Qt::Key_F11);
    QVERIFY(m_display->isFullScreen());
    QTest::keyClick(m_display.get(), Qt::Key_F11);
    QVERIFY(!m_display->isFullScreen());
    QTRY_COMPARE(QApplication::activeWindow(), m_operator.get());
    m_display->close();
    QVERIFY(!m_display->isVisible());
}

void tst_Display::followsTheMatch_data()
{
    QTest::addColumn<QString>("steps");

    // Entries as typed, "u" F8, "n" Ins, "x" the exact-checkout box clicked, "r" player 1 renamed,
    // "e" player 1's name emptied but for blanks, "h" "Útvonal a kijelzőn" clicked.
    QTest::newRow("entries") << QStringLiteral("60 45 100 140 180 26 81 100");
    QTest::newRow("undo") << QStringLiteral("180 140 u u u 100 u 60");
    QTest::newRow("new game") << QStringLiteral("100 140 n 180 60 n");
    QTest::newRow("refused and zero") << QStringLiteral("181 -5 179 0 100");
    QTest::newRow("checked out") << QStringLiteral("180 0 180 0 141 0 u");
    QTest::newRow("exact checkout cleared below zero") << QStringLiteral("x 180 0 180 0 180 0");
    QTest::newRow("renamed") << QStringLiteral("60 r 45");
    QTest::newRow("name emptied") << QStringLiteral("60 e 45");
    QTest::newRow("routes hidden on the display") << QStringLiteral("180 h 180 141 0 u h 60");
}

void tst_Display::openFromEntryBox(MainWindowFixture &main, SpectatorDisplay *&display)
{
    QVERIFY(main.open());
    Tfrm_Main &w = *main.window();
    QVERIFY(!w.findChild<SpectatorDisplay *>());
    QTest::keyClick(w.EditEx1, Qt::Key_F11);
    display = w.findChild<SpectatorDisplay *>();
    QVERIFY(display && display->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(display));
    QTRY_COMPARE(QApplication::focusWidget(), w.EditEx1);
    // The display takes no keyboard while a window manager maps it; should the window manager
    // give it the keyboard all the same, it hands it straight back, so that the next F11 closes it
    // again.
    QVERIFY(display->handsBackActivation());
    QVERIFY(display->windowHandle()->flags().testFlag(Qt::WindowDoesNotAcceptFocus));
    QCoreApplication::processEvents();
    activateAsWindowManager(display->windowHandle());
    QTRY_COMPARE(QApplication::activeWindow(), &w);
    QCOMPARE(QApplication::focusWidget(), w.EditEx1);
}

// Opened with F11 from the entry box, the display takes the room's screen, leaves the keyboard
// to the entry box, and after every step of the operator shows what the main window shows and
// the statistics of the rows counted afresh.
void tst_Display::followsTheMatch()
{
    QFETCH(QString, steps);
    MainWindowFixture main;
    SpectatorDisplay *display = nullptr;
    openFromEntryBox(main, display);
    if (QTest::currentTestFailed())
        return;
    Tfrm_Main &w = *main.window();
    if (screensWanted() == 2) {
        QVERIFY(display->screen() != w.screen());
        QVERIFY(display->isFullScreen());
    }

    for (const QString &step : steps.split(u' ')) {
        if (step == u'u') {
            QTest::keyClick(w.EditEx1, Qt::Key_F8);
        } else if (step == u'n') {
            QTest::keyClick(w.EditEx1, Qt::Key_Insert);
        } else if (step == u'x') {
            w.CheckBox1->click();
        } else if (step == u'r') {
            w.ComboBox1->setEditText(QStringLiteral("Kovács Éva"));
        } else if (step == u'e') {
            w.ComboBox1->setEditText(QStringLiteral("  "));
        } else if (step == u'h') {
            if (!w.findChild<QCheckBox *>(QStringLiteral("displayRoutesBox")))
                w.aBeallit->trigger();
            w.findChild<QCheckBox *>(QStringLiteral("displayRoutesBox"))->click();
            w.EditEx1->setFocus(Qt::OtherFocusReason);
        } else {
            QTest::keyClicks(w.EditEx1, step);
            QTest::keyClick(w.EditEx1, Qt::Key_Return);
        }
        QCoreApplication::processEvents();
        const bool exact = w.CheckBox1->isChecked();
        const auto *routesBox = w.findChild<QCheckBox *>(QStringLiteral("displayRoutesBox"));
        const bool routesShown = !routesBox || routesBox->isChecked();
        for (int player = 1; player <= 2; ++player) {
            const qint32 remaining = player == 1 ? w.Remaining1 : w.Remaining2;
            const QString advice = checkoutAdvice(remaining, CheckoutRule::StraightOut, defaultLevel).text();
            const QString route = hasCheckedOut(remaining, exact) ? QStringLiteral("Kiszállt!")
                : exact && routesShown                            ? advice
                                                                  : QString();
            // The operator's status bar keeps the route of the player to throw either way.
            if (exact && player == (w.Player1ToThrow ? 1 : 2) && !hasCheckedOut(remaining, exact))
                QCOMPARE(w.statusBar()->findChild<QLabel *>(QStringLiteral("routePanel"))->text(), advice);
            // An empty name is the player's number, as a screen reader hears it.
            const QString typed = (player == 1 ? w.ComboBox1 : w.ComboBox2)->currentText().trimmed();
            QStringList expected {typed.isEmpty() ? QStringLiteral("%1. játékos").arg(player) : typed,
                (player == 1 ? w.Label1 : w.Label2)->text(), route};
            expected << recount(w, player == 1);
            QCOMPARE(display->shownTexts(player), expected);
        }
        QCOMPARE(QApplication::focusWidget(), w.EditEx1);
    }

    // The room's screen, 1920 x 1080 (or the normal window on the laptop's): figures of three
    // characters at least 30 % of the height, every text 7:1.
    const QImage image = display->grab().toImage();
    for (int player = 1; player <= 2; ++player) {
        if (display->shownTexts(player)[1].size() == 3) {
            const int height = inkHeight(image, display->parts(player).figure);
            QVERIFY2(height >= 0.30 * display->height(), qPrintable(QString::number(height)));
        }
    }
    checkContrast(*display);
}

// Closed, the display follows nothing; opened again, it shows the match as it now stands.
void tst_Display::closedDisplayRunsNothing()
{
    MainWindowFixture main;
    SpectatorDisplay *display = nullptr;
    openFromEntryBox(main, display);
    if (QTest::currentTestFailed())
        return;
    Tfrm_Main &w = *main.window();
    QTest::keyClick(w.EditEx1, Qt::Key_F11);
    QVERIFY(!display->isVisible());
    for (const char *score : {"100", "140", "180"}) {
        QTest::keyClicks(w.EditEx1, QLatin1String(score));
        QTest::keyClick(w.EditEx1, Qt::Key_Return);
    }
    QCoreApplication::processEvents();
    QCOMPARE(display->stats().player1().turns(), 0);
    QCOMPARE(display->stats().player2().turns(), 0);
    QTest::keyClick(w.EditEx1, Qt::Key_F11);
    QVERIFY(display->isVisible());
    QCOMPARE(display->stats().player1().turns(), 2);
    QCOMPARE(display->shownTexts(1).mid(3), recount(w, true));
    QCOMPARE(display->shownTexts(2).mid(3), recount(w, false));
    QCOMPARE(display->shownTexts(1)[1], QStringLiteral("221"));
}

// Keys typed while the display has the keyboard, as after a click on it: Ins, F3, F8 and F6 reach
// the main window's actions, digits with Enter record a turn as typed in the entry box, and F11
// and Esc put the display's own full screen on and off.
void tst_Display::keysTypedIntoTheDisplay()
{
    MainWindowFixture main;
    SpectatorDisplay *display = nullptr;
    openFromEntryBox(main, display);
    if (QTest::currentTestFailed())
        return;
    Tfrm_Main &w = *main.window();
    // Once the window manager is done with it, a click gives the display the keyboard.
    QTRY_VERIFY_WITH_TIMEOUT(!display->handsBackActivation(), 10000);

    QVERIFY(giveKeyboardTo(display));
    QTest::keyClicks(display, QStringLiteral("60"));
    QTest::keyClick(display, Qt::Key_Return);
    QCOMPARE(w.Remaining1, 441);
    QVERIFY(giveKeyboardTo(display));
    QTest::keyClicks(display, QStringLiteral("45"));
    QTest::keyClick(display, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(w.Remaining2, 456);
    QCOMPARE(w.EditEx1->text(), QString());
    QTRY_COMPARE(QApplication::focusWidget(), w.EditEx1);

    QVERIFY(giveKeyboardTo(display));
    QTest::keyClick(display, Qt::Key_F8);
    QCOMPARE(w.Remaining2, 501);
    QCOMPARE(w.Remaining1, 441);
    // The keypad's "/" takes back here as in the entry box, and types nothing.
    QVERIFY(giveKeyboardTo(display));
    QTest::keyClick(display, Qt::Key_Slash, Qt::KeypadModifier);
    QCOMPARE(w.Remaining1, 501);
    QCOMPARE(w.EditEx1->text(), QString());
    QVERIFY(giveKeyboardTo(display));
    QTest::keyClicks(display, QStringLiteral("60"));
    QTest::keyClick(display, Qt::Key_Return);
    QCOMPARE(w.Remaining1, 441);

    QVERIFY(giveKeyboardTo(display));
    QTest::keyClick(display, Qt::Key_Insert);
    QCOMPARE(w.Remaining1, 501);
    QVERIFY(!w.Player1ToThrow);
    QVERIFY(giveKeyboardTo(display));
    QTest::keyClicks(display, QStringLiteral("100"));
    QTest::keyClick(display, Qt::Key_Return);
    QCOMPARE(w.Remaining2, 401);
    QVERIFY(giveKeyboardTo(display));
    QTest::keyClick(display, Qt::Key_F3);
    QCOMPARE(w.Remaining2, 501);
    QVERIFY(w.Player1ToThrow);

    const bool panelShown = w.Panel4->isVisible();
    QVERIFY(giveKeyboardTo(display));
    QTest::keyClick(display, Qt::Key_F6);
    QCOMPARE(w.Panel4->isVisible(), !panelShown);

    // F11 here is the display's own: full screen changes, the display stays open.
    const bool fullScreen = display->isFullScreen();
    QVERIFY(giveKeyboardTo(display));
    QTest::keyClick(display, Qt::Key_F11);
    QVERIFY(display->isVisible());
    QCOMPARE(display->isFullScreen(), !fullScreen);
    QVERIFY(giveKeyboardTo(display));
    QTest::keyClick(display, fullScreen ? Qt::Key_F11 : Qt::Key_Escape);
    QVERIFY(display->isVisible());
    QCOMPARE(display->isFullScreen(), fullScreen);
    QTRY_COMPARE(QApplication::focusWidget(), w.EditEx1);
}

namespace {
// The names the readers were told changed, by text.
QStringList renamed;
void recordRenames(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::NameChanged)
        renamed << event->accessibleInterface()->text(QAccessible::Name);
}
} // namespace

// A screen reader finds what the display shows as texts: the band across the top, and in each
// half named after its player the name with its marks, the remaining score, the route or
// "Kiszállt!" and every statistic with its label, each where it is painted.
void tst_Display::readByScreenReader()
{
    QVERIFY(SwitchAccessibilityOn());
    m_view.players[0].remaining = 170;
    m_view.players[0].advice = QStringLiteral("T20 T20 Bull");
    m_view.players[1].remaining = 0;
    m_view.firstTo = 3;
    m_display->open();
    QVERIFY(QTest::qWaitForWindowExposed(m_display.get()));
    open(60);
    complete(45);
    m_display->refreshLater();
    QCoreApplication::processEvents();

    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(m_display.get());
    QVERIFY(iface);
    QCOMPARE(iface->childCount(), 3);
    QCOMPARE(iface->child(0)->role(), QAccessible::StaticText);
    QCOMPARE(iface->child(0)->text(QAccessible::Name), QStringLiteral("Legek: 0 – 0, első 3 nyert legig"));

    const QStringList expected[2] = {
        {QStringLiteral("Anna, következik, kezdte a leget"), QStringLiteral("Kell még: 170"),
            QStringLiteral("Kiszálló: T20 T20 Bull"), QStringLiteral("Átlag: 60"), QStringLiteral("Első 9: 60"),
            QStringLiteral("Utolsó: 60"), QStringLiteral("Legjobb: 60"), QStringLiteral("100+: 0"),
            QStringLiteral("140+: 0"), QStringLiteral("180: 0"), QStringLiteral("Meccsátlag: nincs"),
            QStringLiteral("Legjobb kiszálló: nincs"), QStringLiteral("Meccs 100+: 0"), QStringLiteral("Meccs 140+: 0"),
            QStringLiteral("Meccs 180: 0")},
        {QStringLiteral("Béla"), QStringLiteral("Kell még: 0"), QStringLiteral("Kiszállt!"),
            QStringLiteral("Átlag: 45"), QStringLiteral("Első 9: 45"), QStringLiteral("Utolsó: 45"),
            QStringLiteral("Legjobb: 45"), QStringLiteral("100+: 0"), QStringLiteral("140+: 0"),
            QStringLiteral("180: 0"), QStringLiteral("Meccsátlag: nincs"), QStringLiteral("Legjobb kiszálló: nincs"),
            QStringLiteral("Meccs 100+: 0"), QStringLiteral("Meccs 140+: 0"), QStringLiteral("Meccs 180: 0")},
    };
    for (int player = 1; player <= 2; ++player) {
        QAccessibleInterface *half = iface->child(player);
        QCOMPARE(half->role(), QAccessible::Grouping);
        QCOMPARE(half->parent(), iface);
        QCOMPARE(iface->indexOfChild(half), player);
        QCOMPARE(half->text(QAccessible::Name), player == 1 ? QStringLiteral("Anna") : QStringLiteral("Béla"));
        QStringList read;
        for (int i = 0; i < half->childCount(); ++i) {
            QAccessibleInterface *text = half->child(i);
            QCOMPARE(text->role(), QAccessible::StaticText);
            QCOMPARE(text->parent(), half);
            QCOMPARE(half->indexOfChild(text), i);
            read << text->text(QAccessible::Name);
            // Where it is painted, inside its half; a point in it finds it again.
            const QRect rect = text->rect();
            QVERIFY(!rect.isEmpty());
            QVERIFY(half->rect().contains(rect));
            QCOMPARE(half->childAt(rect.center().x(), rect.center().y()), text);
        }
        QCOMPARE(read, expected[player - 1]);
        const QRect figure = half->child(1)->rect();
        QCOMPARE(iface->childAt(figure.center().x(), figure.center().y()), half);
    }

    // What changes is told as changed, nothing else.
    QAccessible::installUpdateHandler(recordRenames);
    renamed.clear();
    m_view.players[0].remaining = 200;
    m_view.players[0].advice = QStringLiteral("T20 \u2192 140");
    m_display->refreshLater();
    QCoreApplication::processEvents();
    QAccessible::installUpdateHandler(nullptr);
    QCOMPARE(renamed, (QStringList {QStringLiteral("Kell még: 200"), QStringLiteral("Előkészítés: T20, marad 140")}));

    m_view.players[0].match.legs = 3;
    m_view.matchWinner = true;
    m_display->refreshLater();
    QCoreApplication::processEvents();
    QCOMPARE(iface->child(0)->text(QAccessible::Name), QStringLiteral("Anna nyerte a meccset 3 – 0"));
}

// A night of changing figures, routes and names at 1920 x 1080: the pictures of the texts stay
// within their budget (what is shown at once fits in it), drawing from them stays right, and
// closing the display gives them all up.
void tst_Display::picturesKeptWithinBudget()
{
    m_display->resize(1920, 1080);
    m_display->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_display.get()));
    qint64 most = 0;
    for (int turn = 0; turn < 300; ++turn) {
        m_view.players[0].remaining = 501 - turn;
        m_view.players[1].remaining = 170 - turn % 200;
        for (MatchView::Player &player : m_view.players)
            player.advice = checkoutAdvice(player.remaining, CheckoutRule::StraightOut, defaultLevel).text();
        // Names typed letter by letter.
        m_view.players[turn % 2].name = QStringLiteral("Kovács Éva Nagy %1").arg(turn).left(1 + turn % 19);
        m_display->refreshLater();
        QCoreApplication::processEvents();
        QVERIFY2(m_display->pictureBytes() <= m_display->pictureBudget(),
            qPrintable(QStringLiteral("%1 bytes at turn %2").arg(m_display->pictureBytes()).arg(turn)));
        most = std::max(most, m_display->pictureBytes());
    }
    // Pictures did have to go.
    QVERIFY2(most > m_display->pictureBudget() / 2, qPrintable(QString::number(most)));

    m_display->update();
    QCoreApplication::processEvents();
    const QImage kept = m_display->grab().toImage();
    m_display->hide();
    QCOMPARE(m_display->pictureBytes(), 0);
    // The window and the picture of it behind it go as well, once the hiding is done.
    QTRY_VERIFY(!m_display->windowHandle());
    m_display->show();
    QCoreApplication::processEvents();
    QCOMPARE(m_display->grab().toImage(), kept);
}

void tst_Display::longNamesElided_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("10000 characters") << QString(10000, u'W');
    QTest::newRow("many words") << QStringLiteral("Kovács Éva ").repeated(40);
}

// A name too long for its band is elided with "…" at a readable size, not shrunk to a hairline;
// as the winner of the match, the legs beside it stay whole.
void tst_Display::longNamesElided()
{
    QFETCH(QString, name);
    m_display->resize(1366, 768);
    m_display->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_display.get()));
    const QRect place = m_display->parts(1).name;
    const auto shown = [this, &place](int *width = nullptr) {
        m_display->refreshLater();
        QCoreApplication::processEvents();
        const QImage image = m_display->grab().toImage();
        if (width) {
            const QRgb ground = commonColour(image, place);
            int left = place.right() + 1;
            int right = place.left() - 1;
            for (int y = place.top(); y <= place.bottom(); ++y) {
                for (int x = place.left(); x <= place.right(); ++x) {
                    if (contrast(image.pixel(x, y), ground) >= 3) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
                }
            }
            *width = right - left + 1;
        }
        return inkHeight(image, place);
    };
    m_view.players[0].name = QStringLiteral("Anna");
    const int readable = shown();
    m_view.players[0].name = name;
    int width = 0;
    const int height = shown(&width);
    QVERIFY2(height >= 0.55 * readable, qPrintable(QStringLiteral("%1 against %2").arg(height).arg(readable)));
    QVERIFY2(width >= 0.8 * place.width() && width <= place.width(), qPrintable(QString::number(width)));

    // Won the match: the band across the top keeps its size and shows the legs.
    m_view.players[0].match.legs = 3;
    m_view.players[1].match.legs = 1;
    m_view.matchWinner = true;
    m_display->refreshLater();
    QCoreApplication::processEvents();
    QVERIFY(m_display->matchBandText().endsWith(QStringLiteral("3 – 1")));
    const QImage image = m_display->grab().toImage();
    const QRect band = m_display->matchBand();
    QVERIFY2(inkHeight(image, band) >= band.height() * 0.5 * 0.55, qPrintable(QString::number(inkHeight(image, band))));
    // The legs, at the band's right end, are drawn: the band's last quarter holds text.
    const QRect end(band.x() + band.width() * 3 / 4, band.y(), band.width() / 4 - band.height() / 2, band.height());
    QVERIFY(textContrast(image, end) >= 7);
}

// The projector pulled while the display is full screen on it: the display withdraws rather than
// cover the operator's window, and comes back full screen when the projector is plugged back,
// showing the match as it stands then. A display the operator closed stays closed.
void tst_Display::projectorPulledAndPluggedBack()
{
    QVERIFY(changeOffscreenScreens(LaptopAndRoom));
    MainWindowFixture main;
    SpectatorDisplay *display = nullptr;
    openFromEntryBox(main, display);
    if (QTest::currentTestFailed())
        return;
    Tfrm_Main &w = *main.window();
    QCOMPARE(display->screen()->name(), QStringLiteral("room"));
    QVERIFY(display->isFullScreen());

    QVERIFY(changeOffscreenScreens(LaptopAlone));
    QCoreApplication::processEvents();
    QVERIFY(!display->isVisible());
    QVERIFY(display->isWithdrawn());
    QVERIFY(w.isVisible());
    QCOMPARE(QApplication::focusWidget(), w.EditEx1);
    main.enter(QStringLiteral("60"));

    QVERIFY(changeOffscreenScreens(LaptopAndRoom));
    QTRY_VERIFY(display->isVisible());
    QVERIFY(!display->isWithdrawn());
    QVERIFY(display->isFullScreen());
    QCOMPARE(display->screen()->name(), QStringLiteral("room"));
    QCOMPARE(display->geometry(), display->screen()->geometry());
    QCOMPARE(display->shownTexts(1)[1], QStringLiteral("441"));
    QTRY_COMPARE(QApplication::focusWidget(), w.EditEx1);

    // Withdrawn and closed with F11 meanwhile, it stays closed.
    QVERIFY(changeOffscreenScreens(LaptopAlone));
    QCoreApplication::processEvents();
    QVERIFY(display->isWithdrawn());
    QTest::keyClick(w.EditEx1, Qt::Key_F11);
    QTest::keyClick(w.EditEx1, Qt::Key_F11);
    QVERIFY(!display->isVisible());
    QVERIFY(!display->isWithdrawn());
    QVERIFY(changeOffscreenScreens(LaptopAndRoom));
    QCoreApplication::processEvents();
    QVERIFY(!display->isVisible());
}

// Opened on the laptop alone it is a normal window there; a projector plugged in then takes it
// full screen.
void tst_Display::projectorPluggedWhileOpenOnTheLaptop()
{
    QVERIFY(changeOffscreenScreens(LaptopAlone));
    MainWindowFixture main;
    SpectatorDisplay *display = nullptr;
    openFromEntryBox(main, display);
    if (QTest::currentTestFailed())
        return;
    Tfrm_Main &w = *main.window();
    QVERIFY(!display->isFullScreen());
    QVERIFY(w.screen()->availableGeometry().contains(display->geometry()));

    QVERIFY(changeOffscreenScreens(LaptopAndRoom));
    QTRY_VERIFY(display->isFullScreen());
    QCOMPARE(display->screen()->name(), QStringLiteral("room"));
    QCOMPARE(display->geometry(), display->screen()->geometry());
    QTRY_COMPARE(QApplication::focusWidget(), w.EditEx1);
}

// Leaving full screen with Esc or F11 in the display makes it a normal window on the screen it
// was on, also when that screen has changed since the display went full screen there.
void tst_Display::leavingFullScreenStaysOnTheScreen()
{
    QVERIFY(changeOffscreenScreens(LaptopAndRoom));
    MainWindowFixture main;
    SpectatorDisplay *display = nullptr;
    openFromEntryBox(main, display);
    if (QTest::currentTestFailed())
        return;
    QTRY_VERIFY_WITH_TIMEOUT(!display->handsBackActivation(), 10000);
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_F11}) {
        QVERIFY(changeOffscreenScreens(LaptopAndRoom));
        QCoreApplication::processEvents();
        if (!display->isFullScreen()) {
            QVERIFY(giveKeyboardTo(display));
            QTest::keyClick(display, Qt::Key_F11);
        }
        QTRY_VERIFY(display->isFullScreen());
        QCOMPARE(display->screen()->name(), QStringLiteral("room"));
        // A projector of a lower resolution: what stood on the larger one would reach off it.
        QVERIFY(changeOffscreenScreens(LaptopAndSmallerRoom));
        QCoreApplication::processEvents();
        QVERIFY(giveKeyboardTo(display));
        QTest::keyClick(display, key);
        QTRY_VERIFY(!display->isFullScreen());
        QVERIFY(display->isVisible());
        QCOMPARE(display->screen()->name(), QStringLiteral("room"));
        QVERIFY2(onAScreen(display->geometry()),
            qPrintable(QStringLiteral("%1,%2 %3x%4")
                           .arg(display->x())
                           .arg(display->y())
                           .arg(display->width())
                           .arg(display->height())));
    }
}

// The operator's laptop on the left, the room's screen on the right; PONTIX_TEST_SCREENS=1
// leaves the laptop alone.
void tst_Display::setsAndTheDraw_data()
{
    QTest::addColumn<int>("sets"); // sets to win, 0 for none
    QTest::addColumn<bool>("allLegs");
    QTest::addColumn<QList<int>>("tally"); // sets and legs of each player
    QTest::addColumn<int>("result"); // 0 undecided, 1 or 2 the winner, 3 a draw
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("read"); // as a screen reader reads the band

    QTest::newRow("sets") << 2 << false << QList<int> {1, 2, 0, 1} << 0
                          << u"Szett 1 – 0  ·  Leg 2 – 1  ·  első 2 nyert szettig"_s
                          << u"Szett 1 – 0, Leg 2 – 1, első 2 nyert szettig"_s;
    QTest::newRow("sets won") << 2 << false << QList<int> {2, 3, 1, 1} << 1 << u"Anna nyerte a meccset  2 – 1"_s
                              << u"Anna nyerte a meccset 2 – 1"_s;
    QTest::newRow("all legs") << 0 << true << QList<int> {0, 2, 0, 1} << 0 << u"2 – 1  ·  mind a 4 leg"_s
                              << u"Legek: 2 – 1, mind a 4 leg"_s;
    QTest::newRow("a draw") << 0 << true << QList<int> {0, 2, 0, 2} << 3 << u"Döntetlen  2 – 2"_s
                            << u"Döntetlen 2 – 2"_s;
}

// The band shows the sets and legs of a match of sets, the legs of all legs played, and the
// result: the winner with the sets, or the draw, on the checked-out colour.
void tst_Display::setsAndTheDraw()
{
    QFETCH(int, sets);
    QFETCH(bool, allLegs);
    QFETCH(QList<int>, tally);
    QFETCH(int, result);

    m_display->resize(1280, 720);
    m_display->show();
    QCoreApplication::processEvents();
    const QColor undecided = m_display->grab().toImage().pixelColor(m_display->matchBand().topLeft() + QPoint(2, 2));
    m_view.firstTo = allLegs ? 4 : 3;
    m_view.sets = sets;
    m_view.allLegs = allLegs;
    for (int player = 0; player < 2; ++player) {
        m_view.players[player].match.sets = tally[player * 2];
        m_view.players[player].match.legs = tally[player * 2 + 1];
    }
    if (result == 1 || result == 2)
        m_view.matchWinner = result == 1;
    m_view.drawn = result == 3;
    m_display->refreshLater();
    QCoreApplication::processEvents();
    QTEST(m_display->matchBandText(), "band");
    const QImage shown = m_display->grab().toImage();
    QCOMPARE(shown.pixelColor(m_display->matchBand().topLeft() + QPoint(2, 2)) != undecided, result != 0);
    QVERIFY(textContrast(shown, m_display->matchBand()) >= 7);
    QVERIFY(SwitchAccessibilityOn());
    QAccessibleInterface *display = QAccessible::queryAccessibleInterface(m_display.get());
    QVERIFY(display);
    QAccessibleInterface *band = display->child(0);
    QVERIFY(band);
    QTEST(band->text(QAccessible::Name), "read");
}

// The legs across the top, the limit while there is one and the winner once the match is
// decided, on the checked-out colour; the first thrower's dot; the match's figures.
void tst_Display::legsAndTheMatch()
{
    m_display->resize(1280, 720);
    m_display->show();
    QCoreApplication::processEvents();
    QCOMPARE(m_display->matchBandText(), QStringLiteral("0 – 0"));
    QVERIFY(m_display->marksStarter(1));
    QVERIFY(!m_display->marksStarter(2));
    const QImage before = m_display->grab().toImage();
    const QPoint dot = m_display->parts(1).starter.center();
    QVERIFY(before.pixelColor(dot) != before.pixelColor(m_display->parts(1).band.topLeft() + QPoint(1, 1)));
    QCOMPARE(before.pixelColor(m_display->parts(2).starter.center()),
        before.pixelColor(m_display->parts(2).band.topLeft() + QPoint(1, 1)));

    m_view.players[0].match = {2, {}, {}, 0};
    m_view.players[1].match.legs = 1;
    m_view.firstTo = 3;
    m_view.player1Starts = false;
    m_display->refreshLater();
    QCoreApplication::processEvents();
    QCOMPARE(m_display->matchBandText(), QStringLiteral("2 – 1  ·  első 3 nyert legig"));
    QVERIFY(m_display->marksStarter(2));
    const QColor undecided = m_display->grab().toImage().pixelColor(m_display->matchBand().topLeft() + QPoint(2, 2));

    m_view.players[0].match.legs = 3;
    m_view.matchWinner = true;
    m_display->refreshLater();
    QCoreApplication::processEvents();
    QCOMPARE(m_display->matchBandText(), QStringLiteral("Anna nyerte a meccset  3 – 1"));
    const QImage decided = m_display->grab().toImage();
    const QColor ground = decided.pixelColor(m_display->matchBand().topLeft() + QPoint(2, 2));
    QVERIFY(ground != undecided);
    QVERIFY(textContrast(decided, m_display->matchBand()) >= 7);

    // The match's average, best checkout and counts, after the game's seven figures.
    TurnTotals totals;
    for (const qint32 score : {180, 140, 100, 60})
        totals.add(score, +1);
    m_view.players[1].match = {1, totals, 121};
    m_display->refreshLater();
    QCoreApplication::processEvents();
    QCOMPARE(m_display->matchTexts(2),
        QStringList({QStringLiteral("120"), QStringLiteral("121"), QStringLiteral("1"), QStringLiteral("1"),
            QStringLiteral("1")}));
    QCOMPARE(m_display->matchTexts(1),
        QStringList(
            {QStringLiteral("–"), QStringLiteral("–"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
}

int main(int argc, char *argv[])
{
    return execOnScreens<tst_Display>(argc, argv, screensOfTheRun());
}

#include "tst_Display.moc"
