// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The spectator display: layout, painting of what changed, and its place on the screens.
#include "app/Display.h"

#include <algorithm>
#include <cmath>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <QAccessible>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QVarLengthArray>
#include <QWindow>

#include "app/DisplayAccessible.h"
#include "match/Checkout.h"
#include "match/Match.h"
#include "match/TurnScores.h"

namespace {

// Its own colours, whatever the desktop's palette: every text reaches at least 7:1 against what
// it is drawn on.
const QColor background(0x0B, 0x0E, 0x11);
const QColor restingBand(0x1C, 0x23, 0x2B);
const QColor marker(0xFF, 0xD2, 0x1F);
const QColor figureText(0xFF, 0xFF, 0xFF);
const QColor routeText(0x8B, 0xE9, 0xFD);
const QColor checkedOutText(0x5E, 0xF3, 0x8C);
const QColor labelText(0xB8, 0xC0, 0xC8);
const QColor divider(0x3A, 0x44, 0x4F);

// The game's statistics, then the match's.
constexpr int GameStats = 7;
const std::array<QString, 12> statLabels {QStringLiteral("Átlag"), QStringLiteral("Első 9"), QStringLiteral("Utolsó"),
    QStringLiteral("Legjobb"), QString::number(TonTurn) + u'+', QString::number(TonFortyTurn) + u'+',
    QString::number(MaximumTurn), QStringLiteral("Meccsátlag"), QStringLiteral("Legjobb kiszálló"),
    QStringLiteral("Meccs %1+").arg(TonTurn), QStringLiteral("Meccs %1+").arg(TonFortyTurn),
    QStringLiteral("Meccs %1").arg(MaximumTurn)};

// Text that would shrink below this share of its height is elided with "…" instead: a long name
// stays readable across the room.
constexpr qreal SmallestTextShare = 0.6;

// The window manager may hand the keyboard to the display once it maps it, after the display
// has handed it back, and may do so more than once (as it maps it, as it puts it full screen); an
// activation this soon after opening is taken for that.
constexpr int KeyboardGraceMs = 2500;

// Fitted fonts are kept by their texts, and a pasted name may be long: so many are kept at most.
constexpr size_t FittedKept = 128;

QString figureOf(std::optional<qint32> value)
{
    return value ? QString::number(*value) : QStringLiteral("–");
}

} // namespace

QString SpectatorDisplay::statisticLabel(int index)
{
    return index >= 0 && size_t(index) < statLabels.size() ? statLabels[size_t(index)] : QString();
}

SpectatorDisplay::SpectatorDisplay(Match &match, TDataSource *source, const TurnFields &fields,
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
    setWindowTitle(QStringLiteral("Kijelző"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(320, 180);
    InstallDisplayAccessibility();
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

// The winner's name with the legs, or the legs with the limit.
QString SpectatorDisplay::matchBandText() const
{
    return m_matchDecided ? QStringLiteral("%1 nyerte a meccset  %2").arg(m_matchWinner, m_matchLegs) : m_matchLegs;
}

void SpectatorDisplay::refresh()
{
    m_refreshQueued = false;
    if (!isVisible())
        return;
    const MatchView view = m_view ? m_view() : MatchView {};
    QString legs = QStringLiteral("%1 – %2").arg(view.players[0].match.legs).arg(view.players[1].match.legs);
    if (!view.matchWinner && view.firstTo > 0)
        legs += QStringLiteral("  ·  első %1 nyert legig").arg(view.firstTo);
    const QString winner = view.matchWinner ? view.players[*view.matchWinner ? 0 : 1].name : QString();
    if (legs != m_matchLegs || winner != m_matchWinner || m_matchDecided != view.matchWinner.has_value()) {
        m_matchLegs = legs;
        m_matchWinner = winner;
        m_matchDecided = view.matchWinner.has_value();
        update(m_matchBandRect);
    }
    for (int player = 1; player <= 2; ++player) {
        Half next = halfFor(player, view);
        updateChanged(player, m_halves[player - 1], next);
        m_halves[player - 1] = std::move(next);
    }
    if (QAccessible::isActive()) {
        if (auto *readers = dynamic_cast<SpectatorDisplayAccessible *>(QAccessible::queryAccessibleInterface(this)))
            readers->shownTextsChanged();
    }
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
        half.route = QStringLiteral("Kiszállt!");
    else if (view.exactCheckout)
        half.route = checkoutRoute(remaining).text();
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

// The marker of the player to throw: the name band in the marker's colour and a frame round the half.
QRegion SpectatorDisplay::markerRegion(int player) const
{
    const QRect area = m_layout[player - 1].area;
    return QRegion(area) - QRegion(area.adjusted(m_frameWidth, m_frameWidth, -m_frameWidth, -m_frameWidth))
        + QRegion(m_layout[player - 1].band);
}

void SpectatorDisplay::layoutHalves()
{
    const int w = width() / 2;
    const int h = height();
    m_frameWidth = std::max(3, h / 90);
    const int top = int(h * 0.07);
    m_matchBandRect = QRect(0, 0, width(), top);
    for (int i = 0; i < 2; ++i) {
        Parts &layout = m_layout[i];
        layout.area = QRect(i * w, top, i == 0 ? w : width() - w, h - top);
        const QRect inner = layout.area.adjusted(m_frameWidth, m_frameWidth, -m_frameWidth, -m_frameWidth);
        const int margin = std::max(4, inner.width() / 25);
        const auto row = [&](qreal top, qreal bottom) {
            return QRect(inner.x() + margin, int(h * top), inner.width() - 2 * margin, int(h * bottom) - int(h * top));
        };
        layout.band = QRect(inner.x(), inner.y(), inner.width(), int(h * 0.18) - inner.y());
        // The first thrower's mark, a dot as high as the name's capitals, before the name.
        const int dot = layout.band.height() * 2 / 5;
        layout.starter = QRect(layout.band.x() + margin, layout.band.center().y() - dot / 2, dot, dot);
        layout.name = layout.band.adjusted(margin + dot + margin / 2, 0, -margin, 0);
        layout.figure = row(0.19, 0.60);
        layout.route = row(0.60, 0.69);
        const QRect stats = row(0.70, 0.985);
        const int rowHeight = stats.height() / 3;
        // Rows of four and three for the game, of five for the match.
        constexpr std::array<int, 3> firstOfRow {0, 4, 7};
        constexpr std::array<int, 3> columnsOfRow {4, 3, 5};
        for (int cell = 0; cell < int(layout.labels.size()); ++cell) {
            const int statRow = cell < 4 ? 0 : cell < 7 ? 1 : 2;
            const int column = cell - firstOfRow[statRow];
            const int cellWidth = stats.width() / columnsOfRow[statRow];
            const QRect whole(stats.x() + column * cellWidth, stats.y() + statRow * rowHeight, cellWidth, rowHeight);
            layout.labels[cell] = QRect(whole.x(), whole.y(), whole.width(), whole.height() * 2 / 5);
            layout.values[cell] = QRect(whole.x(), layout.labels[cell].bottom() + 1, whole.width(),
                whole.height() - layout.labels[cell].height());
        }
    }
}

void SpectatorDisplay::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    dropPictures();
    layoutHalves();
    update();
}

void SpectatorDisplay::paintEvent(QPaintEvent *event)
{
    ++m_paints;
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // A rectangle at a time: clipped to one rectangle, the raster engine fills and copies rows
    // directly, where a clip of several sends every fill and copy through its span path, split
    // between threads (a new game took some 2 ms more with the display open).
    for (const QRect &rect : event->region()) {
        painter.setClipRect(rect);
        paintRect(painter, rect);
    }
    painter.end();
    trimPictures();
}

// What is shown at once covers less than the window: one and a half windows' worth of pictures
// holds it and the figures' characters not shown just now, so that an entry draws none afresh.
qint64 SpectatorDisplay::pictureBudget() const
{
    return qint64(width()) * height() * 4 * 3 / 2;
}

// The pictures used least recently go until the rest fit the budget; none drawn by the last
// paint goes.
void SpectatorDisplay::trimPictures() const
{
    const qint64 budget = pictureBudget();
    if (m_pictureBytes <= budget)
        return;
    std::vector<decltype(m_pictures)::iterator> old;
    for (auto it = m_pictures.begin(); it != m_pictures.end(); ++it) {
        if (it->second.lastPaint != m_paints)
            old.push_back(it);
    }
    std::sort(old.begin(), old.end(), [](auto a, auto b) { return a->second.lastPaint < b->second.lastPaint; });
    for (auto it : old) {
        if (m_pictureBytes <= budget)
            break;
        m_pictureBytes -= it->second.image.sizeInBytes();
        m_pictures.erase(it);
    }
}

void SpectatorDisplay::dropPictures()
{
    m_pictures.clear();
    m_pictureBytes = 0;
    m_fitted.clear();
}

void SpectatorDisplay::paintRect(QPainter &painter, const QRect &dirty) const
{
    // The name bands are filled in their own colour below, and the figures' pictures cover most of
    // their parts, around which they fill themselves; the rest starts from the ground.
    QRegion ground(dirty);
    ground -= m_matchBandRect;
    for (const Parts &parts : m_layout) {
        ground -= QRegion(parts.band) + QRegion(parts.figure);
        for (const QRect &value : parts.values)
            ground -= value;
    }
    for (const QRect &rect : ground)
        painter.fillRect(rect, background);
    if (dirty.intersects(m_matchBandRect))
        paintMatchBand(painter);
    for (int player = 1; player <= 2; ++player)
        paintHalf(painter, player, dirty);
    const QRect seam(width() / 2 - 1, m_matchBandRect.bottom() + 1, 2, height());
    if (dirty.intersects(seam))
        painter.fillRect(seam, divider);
}

void SpectatorDisplay::paintHalf(QPainter &painter, int player, const QRect &dirty) const
{
    const Half &half = m_halves[player - 1];
    const Parts &layout = m_layout[player - 1];
    const int h = height();

    if (half.toThrow && dirty.intersects(layout.area)) {
        const QRegion frame = markerRegion(player) - QRegion(layout.band);
        for (const QRect &rect : frame)
            painter.fillRect(rect, marker);
    }
    if (dirty.intersects(layout.band)) {
        const QColor bandColour = half.toThrow ? marker : restingBand;
        painter.fillRect(layout.band, bandColour);
        if (half.starter) {
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            painter.setBrush(half.toThrow ? background : figureText);
            painter.drawEllipse(layout.starter);
            painter.restore();
        }
        drawText(painter, layout.name, half.name,
            fitted(m_font, half.name, QString(), h * 0.045, layout.name.width(), h * 0.045 * SmallestTextShare),
            half.toThrow ? background : figureText, half.toThrow ? marker : restingBand, TextPieces::Whole);
    }
    if (dirty.intersects(layout.figure)) {
        const Fitted &fit = fitted(
            m_font, half.remaining, QStringLiteral("888"), layout.figure.height() * 0.86, layout.figure.width() * 0.96);
        const QRect pictured = drawText(painter, layout.figure, half.remaining, fit,
            half.checkedOut ? checkedOutText : figureText, background, TextPieces::Characters);
        for (const QRect &rect : QRegion(layout.figure) - QRegion(pictured))
            painter.fillRect(rect, background);
    }
    if (dirty.intersects(layout.route) && !half.route.isEmpty()) {
        drawText(painter, layout.route, half.route,
            fitted(m_font, half.route, QString(), layout.route.height() * 0.6, layout.route.width()),
            half.checkedOut ? checkedOutText : routeText, background, TextPieces::Whole);
    }
    QFont labelFont = m_font;
    labelFont.setBold(false);
    for (size_t i = 0; i < half.stats.size(); ++i) {
        const QRect label = layout.labels[i];
        const QRect value = layout.values[i];
        if (dirty.intersects(label)) {
            drawText(painter, label, statLabels[i],
                fitted(labelFont, statLabels[i], QStringLiteral("Legjobb"), label.height() * 0.5, label.width() * 0.92),
                labelText, background, TextPieces::Whole);
        }
        if (dirty.intersects(value)) {
            const QRect pictured = drawText(painter, value, half.stats[i],
                fitted(m_font, half.stats[i], QStringLiteral("888"), value.height() * 0.55, value.width() * 0.9),
                figureText, background, TextPieces::Characters);
            for (const QRect &rect : QRegion(value) - QRegion(pictured))
                painter.fillRect(rect, background);
        }
    }
}

// The legs across the top; once the match is decided, its winner in the checked-out colour.
void SpectatorDisplay::paintMatchBand(QPainter &painter) const
{
    const QColor ground = m_matchDecided ? checkedOutText : background;
    const QColor text = m_matchDecided ? background : figureText;
    painter.fillRect(m_matchBandRect, ground);
    const QRect inner = m_matchBandRect.adjusted(m_matchBandRect.height() / 2, 0, -m_matchBandRect.height() / 2, 0);
    const qreal capHeight = m_matchBandRect.height() * 0.5;
    const qreal smallest = capHeight * SmallestTextShare;
    QString band = matchBandText();
    const Fitted *fit = &fitted(m_font, band, QString(), capHeight, inner.width(), smallest);
    if (fit->elided && m_matchDecided) {
        // A long winner's name gives way; the legs stay whole.
        const QString rest = QStringLiteral(" nyerte a meccset  %1").arg(m_matchLegs);
        const QFontMetrics metrics(fit->font);
        band
            = metrics.elidedText(m_matchWinner, Qt::ElideRight, inner.width() - metrics.horizontalAdvance(rest)) + rest;
        fit = &fitted(m_font, band, QString(), capHeight, inner.width(), smallest);
    }
    drawText(painter, inner, band, *fit, text, ground, TextPieces::Whole);
}

// The font at the pixel size whose capital height fills capHeight and whose text (or, when
// wider, `widest`) fits into width, but for capitals no lower than smallestCapHeight: there the
// text is elided to the width. Worked out once per text and place.
const SpectatorDisplay::Fitted &SpectatorDisplay::fitted(const QFont &base, const QString &text, const QString &widest,
    qreal capHeight, qreal width, qreal smallestCapHeight) const
{
    const FitKey key {text, widest, qRound(capHeight), qRound(width), base.bold(), qRound(smallestCapHeight)};
    if (const auto known = m_fitted.find(key); known != m_fitted.end())
        return known->second;
    constexpr int probe = 100;
    QFont font = base;
    font.setPixelSize(probe);
    const QFontMetricsF probed(font);
    const qreal textWidth = std::max(probed.horizontalAdvance(text), probed.horizontalAdvance(widest));
    qreal size = probe * capHeight / probed.capHeight();
    const qreal smallest = probe * smallestCapHeight / probed.capHeight();
    if (textWidth > 0)
        size = std::min(size, probe * width / textWidth);
    Fitted fit {font, 0, text, false};
    if (size < smallest) {
        fit.font.setPixelSize(std::max(1, qRound(smallest)));
        fit.text = QFontMetrics(fit.font).elidedText(text, Qt::ElideRight, int(width));
        fit.elided = true;
    } else {
        fit.font.setPixelSize(std::max(1, int(size)));
    }
    fit.capHeight = qRound(QFontMetricsF(fit.font).capHeight());
    if (m_fitted.size() >= FittedKept)
        m_fitted.clear();
    return m_fitted.emplace(key, std::move(fit)).first->second;
}

// Text is drawn from pictures of it, made once per font, colour and ground: large text is drawn
// from the glyphs' outlines, which costs far more than copying a picture. Figures are pictured
// character by character (their digits come back in every number), other texts whole. The text
// is centred in rect, its capitals on the rect's middle. Returns the rectangle the pictures cover.
QRect SpectatorDisplay::drawText(QPainter &painter, const QRect &rect, const QString &text, const Fitted &fit,
    const QColor &color, const QColor &ground, TextPieces pieces) const
{
    const bool whole = pieces == TextPieces::Whole;
    const auto pictureOf = [&](const QString &piece) -> const Picture & {
        const TextKey key {piece, color.rgb(), ground.rgb(), fit.font.pixelSize(), fit.font.bold()};
        if (const auto cached = m_pictures.find(key); cached != m_pictures.end()) {
            cached->second.lastPaint = m_paints;
            return cached->second;
        }
        // A whole text keeps the font's full height and a margin for glyphs reaching out of their
        // advance. A figure's characters stay inside their advance and within the capitals'
        // height (with a little for round digits' overshoot): their pictures abut.
        const QFontMetrics metrics(fit.font);
        const int overshoot = fit.capHeight / 16 + 1;
        const int rise = whole ? metrics.ascent() : fit.capHeight + overshoot;
        const int height = rise + (whole ? metrics.descent() : overshoot);
        const int margin = whole ? height / 4 : 0;
        const int advance = metrics.horizontalAdvance(piece);
        QImage image(std::max(1, advance + 2 * margin), std::max(1, height), QImage::Format_RGB32);
        image.fill(ground);
        QPainter p(&image);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(fit.font);
        p.setPen(color);
        p.drawText(QPoint(margin, rise), piece);
        p.end();
        m_pictureBytes += image.sizeInBytes();
        return m_pictures.emplace(key, Picture {image, advance, margin, rise, m_paints}).first->second;
    };
    // Pictures go only after the paint (trimPictures): those collected here stay valid.
    const QString &drawn = fit.elided ? fit.text : text;
    QVarLengthArray<const Picture *, 8> shown;
    int textWidth = 0;
    if (whole) {
        shown.append(&pictureOf(drawn));
    } else {
        for (const QChar c : drawn)
            shown.append(&pictureOf(QString(c)));
    }
    for (const Picture *picture : shown)
        textWidth += picture->advance;
    int x = rect.x() + (rect.width() - textWidth) / 2;
    const int baseline = rect.y() + (rect.height() + fit.capHeight) / 2;
    QRect pictured;
    for (const Picture *picture : shown) {
        const QRect at(QPoint(x - picture->margin, baseline - picture->rise), picture->image.size());
        painter.drawImage(at.topLeft(), picture->image);
        pictured |= at;
        x += picture->advance;
    }
    return pictured;
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
