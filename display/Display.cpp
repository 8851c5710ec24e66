// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The spectator display: what it shows of the match, its place on the screens and its keys.
#include "display/Display.h"

#include <algorithm>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <QAccessible>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWindow>

#include "match/Checkout.h"
#include "match/Match.h"
#include "sheet/ResultView.h"

namespace {

// The game's statistics, then the match's.
constexpr int GameStats = 7;

// The window manager may hand the keyboard to the display once it maps it, after the display
// has handed it back, and may do so more than once (as it maps it, as it puts it full screen); an
// activation this soon after opening is taken for that.
constexpr int KeyboardGraceMs = 2500;

QString figureOf(std::optional<qint32> value)
{
    return value ? QString::number(*value) : QStringLiteral("–");
}

} // namespace

SpectatorDisplay::SpectatorDisplay(const Match &match, TDataSource *source, const TurnFields &fields,
    std::function<MatchView()> view, QWidget *operatorWindow)
    // A dialog of the operator's window to the window manager, so that it stays over that window
    // when the keyboard goes back there; full screen or a normal window as any other.
    : QWidget(operatorWindow, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
    , m_match(match)
    , m_source(source)
    , m_fields(fields)
    , m_view(std::move(view))
    , m_operatorWindow(operatorWindow)
{
    // The desktop adds the program's name: "Kijelző — Pontix".
    setWindowTitle(tr("Kijelző"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(320, 180);
    m_font = QFont(QStringLiteral("Liberation Sans"));
    m_font.setStyleHint(QFont::SansSerif);
    m_font.setBold(true);
    m_acceptKeyboard.setSingleShot(true);
    connect(&m_acceptKeyboard, &QTimer::timeout, this, [this] {
        if (QWindow *window = windowHandle())
            window->setFlag(Qt::WindowDoesNotAcceptFocus, false);
    });
    connect(qGuiApp, &QGuiApplication::screenAdded, this, &SpectatorDisplay::screenAdded);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &SpectatorDisplay::screenRemoved);
}

SpectatorDisplay::~SpectatorDisplay()
{
    m_match.setFollower(nullptr);
}

QScreen *SpectatorDisplay::operatorScreen() const
{
    return m_operatorWindow ? m_operatorWindow->screen() : QGuiApplication::primaryScreen();
}

// The first screen other than the operator's, if any.
QScreen *SpectatorDisplay::roomScreen() const
{
    const QScreen *home = operatorScreen();
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen != home)
            return screen;
    }
    return nullptr;
}

// A 16:9 window over two thirds of the screen's work area, in its middle.
QRect SpectatorDisplay::normalPlacement(const QScreen *screen) const
{
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
    QSize size(work.width() * 2 / 3, work.width() * 2 / 3 * 9 / 16);
    size = size.boundedTo(work.size());
    return QRect(work.center() - QPoint(size.width() / 2, size.height() / 2), size);
}

void SpectatorDisplay::open()
{
    m_withdrawn = false;
    // Its window is made on the operator's screen: the screen it was on may have gone since.
    setScreen(operatorScreen());
    create();
    refuseKeyboardForAWhile();
    // Full screen goes off first: a window manager puts a window full screen on the screen its
    // normal place is on.
    if (isFullScreen())
        setWindowState(windowState() & ~Qt::WindowFullScreen);
    if (QScreen *room = roomScreen()) {
        setScreen(room);
        setGeometry(room->geometry());
        showFullScreenQuietly();
        m_fullScreenOn = room;
    } else {
        // Where it was last may be on a screen that has gone since (where the window manager may
        // have pushed it anywhere), or reach off one.
        const QList<QScreen *> screens = QGuiApplication::screens();
        const bool placed = testAttribute(Qt::WA_Resized)
            && std::any_of(screens.begin(), screens.end(),
                [this](const QScreen *screen) { return screen->availableGeometry().contains(frameGeometry()); });
        if (!isVisible() && (m_placeAfresh || !placed))
            setGeometry(normalPlacement(operatorScreen()));
        showNormal();
        m_fullScreenOn = nullptr;
    }
    m_placeAfresh = false;
    handBackKeyboard();
}

// A window manager gives the keyboard to a window it maps, unless the window takes none; the
// display takes none until the window manager is done with it. Should the window manager give it
// the keyboard all the same, it hands it straight back (changeEvent).
void SpectatorDisplay::refuseKeyboardForAWhile()
{
    if (QWindow *window = windowHandle())
        window->setFlag(Qt::WindowDoesNotAcceptFocus, true);
    m_acceptKeyboard.start(KeyboardGraceMs);
}

void SpectatorDisplay::toggle()
{
    m_withdrawn = false;
    if (isVisible())
        hide();
    else
        open();
}

// As showFullScreen(), without asking for the keyboard as that does.
void SpectatorDisplay::showFullScreenQuietly()
{
    setWindowState((windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)) | Qt::WindowFullScreen);
    show();
}

// Left full screen, the display becomes a normal window on the screen it was on, never where it
// stood before on a screen that may have gone.
void SpectatorDisplay::leaveFullScreen()
{
    const QScreen *here = screen();
    showNormal();
    setGeometry(normalPlacement(here));
    m_fullScreenOn = nullptr;
}

// A projector plugged in while the display is open, or again after it was pulled, takes the
// display full screen, unless it is full screen on a room's screen already.
void SpectatorDisplay::screenAdded(QScreen *screen)
{
    Q_UNUSED(screen);
    if (!m_withdrawn && !isVisible())
        return;
    if (isVisible() && isFullScreen() && m_fullScreenOn && m_fullScreenOn != operatorScreen())
        return;
    if (roomScreen())
        open();
}

// With its screen gone, the window manager would move the display, full screen, over the
// operator's window; with the operator's screen gone, the operator's window would come under
// it. It withdraws instead.
void SpectatorDisplay::screenRemoved(QScreen *screen)
{
    if (!isVisible())
        return;
    if (screen == this->screen() || screen == m_fullScreenOn || screen == operatorScreen()) {
        hide();
        m_withdrawn = true;
        m_placeAfresh = true;
    }
}

void SpectatorDisplay::refreshLater()
{
    if (m_refreshQueued || !isVisible())
        return;
    m_refreshQueued = true;
    QMetaObject::invokeMethod(this, &SpectatorDisplay::refresh, Qt::QueuedConnection);
}

QStringList SpectatorDisplay::shownTexts(int player) const
{
    const Half &half = m_halves[player - 1];
    QStringList texts {half.name, half.remaining, half.route};
    for (int i = 0; i < GameStats; ++i)
        texts << half.stats[i];
    return texts;
}

QStringList SpectatorDisplay::matchTexts(int player) const
{
    const Half &half = m_halves[player - 1];
    QStringList texts;
    for (size_t i = GameStats; i < half.stats.size(); ++i)
        texts << half.stats[i];
    return texts;
}

QString SpectatorDisplay::checkedOutCaption()
{
    return tr("Kiszállt!");
}

QString SpectatorDisplay::winnerBandText()
{
    return tr("%1 nyerte a meccset  %2");
}

// The winner's name or the draw with the result, or the sets and legs with the limit.
QString SpectatorDisplay::matchBandText() const
{
    if (m_matchDrawn)
        return tr("Döntetlen  %1").arg(m_matchLegs);
    return m_matchDecided ? winnerBandText().arg(m_matchWinner, m_matchLegs) : m_matchLegs;
}

void SpectatorDisplay::refresh()
{
    m_refreshQueued = false;
    if (!isVisible())
        return;
    const MatchView view = m_view ? m_view() : MatchView {};
    const auto tally = [&view](auto count) {
        return QStringLiteral("%1 – %2").arg(count(view.players[0].match)).arg(count(view.players[1].match));
    };
    const QString legTally = tally([](const MatchFigures &f) { return f.legs; });
    const QString setTally = tally([](const MatchFigures &f) { return f.sets; });
    const bool decided = view.matchWinner || view.drawn;
    QString legs;
    if (decided)
        legs = view.sets > 0 ? setTally : legTally;
    else if (view.sets > 0)
        legs = tr("Szett %1  ·  Leg %2").arg(setTally, legTally);
    else
        legs = legTally;
    if (!decided && view.firstTo > 0) {
        if (view.allLegs)
            legs += tr("  ·  mind a %n leg", nullptr, view.firstTo);
        else if (view.sets > 0)
            legs += tr("  ·  első %n nyert szettig", nullptr, view.sets);
        else
            legs += tr("  ·  első %n nyert legig", nullptr, view.firstTo);
    }
    m_matchSets = !decided && view.sets > 0;
    const QString winner = view.matchWinner ? view.players[*view.matchWinner ? 0 : 1].name : QString();
    if (legs != m_matchLegs || winner != m_matchWinner || m_matchDecided != decided || m_matchDrawn != view.drawn) {
        m_matchLegs = legs;
        m_matchWinner = winner;
        m_matchDecided = decided;
        m_matchDrawn = view.drawn;
        update(m_matchBandRect);
    }
    // The sheet of the match just decided, while its next leg has no turn: the sheet's last leg is
    // then the deciding one. A new match without a leg left has no sheet of its own yet.
    const ResultRecord &record = m_match.record();
    showSheet(decided && record.currentLeg().isEmpty() && !record.legs().empty() && !record.matchPending(), view);
    for (int player = 1; player <= 2; ++player) {
        Half next = halfFor(player, view);
        updateChanged(player, m_halves[player - 1], next);
        m_halves[player - 1] = std::move(next);
    }
    // Asked for first, so that a screen reader's account of the display exists to hear of it.
    if (QAccessible::isActive() && QAccessible::queryAccessibleInterface(this))
        emit shownTextsChanged();
}

bool SpectatorDisplay::showsSheet() const
{
    return m_sheet && !m_sheet->isHidden();
}

// Made the first time it is needed: a display that never shows a decided match never builds it.
void SpectatorDisplay::showSheet(bool show, const MatchView &view)
{
    if (!show) {
        if (showsSheet()) {
            m_sheet->hide();
            update(sheetArea());
        }
        return;
    }
    if (!m_sheet) {
        m_sheet = new ResultView(m_match, ResultView::Layout::Room, this);
        m_sheet->setObjectName(QStringLiteral("displaySheet"));
        m_sheet->setPalette(sheetPalette());
        QFont font(m_font.family());
        font.setStyleHint(QFont::SansSerif);
        m_sheet->setFont(font);
        m_sheet->setAutoFillBackground(true);
        m_sheet->hide();
    }
    m_sheet->setPlayerNames(view.players[0].name, view.players[1].name);
    m_sheet->setDartsShown(view.dartsShown);
    m_sheet->refresh();
    m_sheet->setGeometry(sheetArea());
    m_sheet->show();
}

SpectatorDisplay::Half SpectatorDisplay::halfFor(int player, const MatchView &view) const
{
    const bool player1 = player == 1;
    const qint32 remaining = view.players[player - 1].remaining;
    const PlayerStats &stats = m_stats.player(player1);
    Half half;
    half.name = view.players[player - 1].name;
    half.toThrow = player1 == view.player1ToThrow;
    half.starter = player1 == view.player1Starts;
    half.checkedOut = hasCheckedOut(remaining, view.exactCheckout);
    half.remaining = QString::number(remaining);
    if (half.checkedOut)
        half.route = checkedOutCaption();
    else if (view.exactCheckout)
        half.route = view.players[player - 1].advice;
    const MatchFigures &match = view.players[player - 1].match;
    half.stats = {figureOf(stats.average()), figureOf(stats.firstNine()), figureOf(stats.lastTurn()),
        figureOf(stats.highest()), QString::number(stats.tons()), QString::number(stats.tonForties()),
        QString::number(stats.maximums()), figureOf(match.totals.average()), figureOf(match.highestCheckout),
        QString::number(match.totals.tons), QString::number(match.totals.tonForties),
        QString::number(match.totals.maximums)};
    return half;
}

void SpectatorDisplay::updateChanged(int player, const Half &before, const Half &after)
{
    const Parts &layout = m_layout[player - 1];
    if (before.toThrow != after.toThrow)
        update(markerRegion(player));
    else if (before.name != after.name || before.starter != after.starter)
        update(layout.band);
    if (before.remaining != after.remaining || before.checkedOut != after.checkedOut)
        update(layout.figure);
    if (before.route != after.route || before.checkedOut != after.checkedOut)
        update(layout.route);
    for (size_t i = 0; i < after.stats.size(); ++i) {
        if (before.stats[i] != after.stats[i])
            update(layout.values[i]);
    }
}
// The main window's actions reach their keys here through the shortcuts of the actions added to
// the display. Of the other keys, F11 and Esc are the display's own; anything else hands the
// keyboard back to the operator's window, and what it typed goes on to the entry box.
void SpectatorDisplay::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F11 && event->modifiers() == Qt::NoModifier) {
        if (isFullScreen()) {
            leaveFullScreen();
        } else {
            showFullScreenQuietly();
            m_fullScreenOn = screen();
        }
        handBackKeyboard();
        return;
    }
    if (event->key() == Qt::Key_Escape && isFullScreen()) {
        leaveFullScreen();
        handBackKeyboard();
        return;
    }
    if (!m_operatorWindow) {
        QWidget::keyPressEvent(event);
        return;
    }
    handBackKeyboard();
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString text = event->text();
    const bool printable
        = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
    if (OnTyped && (enter || printable))
        OnTyped(*event);
}

void SpectatorDisplay::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    layoutHalves();
    m_stats.turnsCleared();
    ReadTurnRows(m_source, m_fields, m_stats);
    m_match.setFollower(&m_stats);
    m_halves = {};
    m_refreshQueued = false;
    refresh();
    update();
}

// Closed, it follows nothing and keeps no pictures nor window: opened again, it reads the rows
// afresh and draws what it shows then.
void SpectatorDisplay::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        m_match.setFollower(nullptr);
        m_stats.turnsCleared();
        dropPictures();
        // The window goes too, and with it the picture of the whole window behind it (33 MB at a
        // 4K projector's size); showing the display makes it again. Once the hiding is done.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isHidden())
                    destroy();
#ifdef __GLIBC__
                // The allocator keeps freed memory for the process; tens of megabytes at a
                // projector's size go back to the system.
                malloc_trim(0);
#endif
            },
            Qt::QueuedConnection);
    }
}

void SpectatorDisplay::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && handsBackActivation())
        handBackKeyboard();
}

void SpectatorDisplay::handBackKeyboard()
{
    if (!m_operatorWindow)
        return;
    m_operatorWindow->activateWindow();
    if (QWidget *focus = m_operatorWindow->focusWidget())
        focus->setFocus(Qt::ActiveWindowFocusReason);
}
