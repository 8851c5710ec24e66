// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The spectator display's pictures: where the parts of each half go, and drawing what changed from
// pictures of its texts made once per size.
#include <algorithm>
#include <vector>

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QVarLengthArray>

#include "display/Display.h"
#include "match/TurnScores.h"
#include "sheet/ResultView.h"

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

// Text that would shrink below this share of its height is elided with "…" instead: a long name
// stays readable across the room.
constexpr qreal SmallestTextShare = 0.6;

// Fitted fonts are kept by their texts, and a pasted name may be long: so many are kept at most.
constexpr size_t FittedKept = 128;

} // namespace

// The counts' labels are figures alone in the game's half.
std::array<QString, 12> SpectatorDisplay::statisticLabels()
{
    return {tr("Átlag"), tr("Első 9"), tr("Utolsó"), tr("Legjobb"), QString::number(TonTurn) + u'+',
        QString::number(TonFortyTurn) + u'+', QString::number(MaximumTurn), tr("Meccsátlag"), tr("Legjobb kiszálló"),
        tr("Meccs %1+").arg(TonTurn), tr("Meccs %1+").arg(TonFortyTurn), tr("Meccs %1").arg(MaximumTurn)};
}

QString SpectatorDisplay::statisticLabel(int index)
{
    const std::array<QString, 12> labels = statisticLabels();
    return index >= 0 && size_t(index) < labels.size() ? labels[size_t(index)] : QString();
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
    if (m_sheet)
        m_sheet->setGeometry(sheetArea());
    update();
}

// Under the band across the top, over both halves.
QRect SpectatorDisplay::sheetArea() const
{
    return QRect(0, m_matchBandRect.bottom() + 1, width(), height() - m_matchBandRect.height());
}

// The display's own colours for the sheet: its ground, white text, the resting band's colour for the
// table's headers.
QPalette SpectatorDisplay::sheetPalette()
{
    QPalette palette;
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::AlternateBase})
        palette.setColor(role, background);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::BrightText})
        palette.setColor(role, figureText);
    palette.setColor(QPalette::Button, restingBand);
    palette.setColor(QPalette::Mid, divider);
    palette.setColor(QPalette::Dark, divider);
    palette.setColor(QPalette::Light, restingBand);
    return palette;
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
    // The sheet covers the halves while it shows.
    if (showsSheet())
        return;
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
    const QString &widestLabel = m_statLabels[3]; // "Legjobb"
    for (size_t i = 0; i < half.stats.size(); ++i) {
        const QRect label = layout.labels[i];
        const QRect value = layout.values[i];
        if (dirty.intersects(label)) {
            drawText(painter, label, m_statLabels[i],
                fitted(labelFont, m_statLabels[i], widestLabel, label.height() * 0.5, label.width() * 0.92), labelText,
                background, TextPieces::Whole);
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

// The sets and legs across the top; once the match is decided, its winner or the draw in the
// checked-out colour.
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
    if (fit->elided && m_matchDecided && !m_matchDrawn) {
        // A long winner's name gives way; the legs stay whole.
        // The words round the name, whichever side of it they stand in the language shown.
        const QStringList around = winnerBandText().split(QStringLiteral("%1"));
        const QString before = QString(around.constFirst()).replace(QStringLiteral("%2"), m_matchLegs);
        const QString after = QString(around.constLast()).replace(QStringLiteral("%2"), m_matchLegs);
        const QFontMetrics metrics(fit->font);
        band = before
            + metrics.elidedText(
                m_matchWinner, Qt::ElideRight, inner.width() - metrics.horizontalAdvance(before + after))
            + after;
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
