// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The chart of a leg: both players' remaining scores turn by turn, drawn with QPainter.
#include "sheet/LegChart.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>

namespace {

// The type's height as a share of the chart's.
constexpr qreal TextShare = 0.045;

// The type of the painter or widget the chart is drawn for, at the chart's size: a window's own
// family is loaded already, where another would cost its loading the first time.
QFont chartFont(const QFont &base, qreal pixelSize)
{
    QFont font = base;
    font.setPixelSize(std::max(1, qRound(pixelSize)));
    return font;
}

// A step between marks on an axis of `span` units that gives at most `marks` marks: 1, 2, 2.5 or 5
// times a power of ten, whole units only.
qint64 markStep(qint64 span, qreal marks)
{
    const qreal raw = std::max<qreal>(1, qreal(span) / std::max<qreal>(1, marks));
    const qreal power = std::pow(10, std::floor(std::log10(raw)));
    for (const qreal factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        const qreal step = factor * power;
        if (step >= raw && step == std::floor(step))
            return qint64(step);
    }
    return qint64(10 * power);
}

// The two players' colours: on a light base darker ones, on a dark base lighter ones, each at 4.5:1
// or more against the base.
std::array<QColor, 2> playerColours(const QPalette &palette)
{
    if (palette.color(QPalette::Base).lightness() < 128)
        return {QColor(0x5F, 0xB0, 0xFF), QColor(0xFF, 0xB3, 0x47)};
    return {QColor(0x0A, 0x5B, 0xB5), QColor(0xB5, 0x4A, 0x00)};
}

void drawMark(QPainter &painter, const QPointF &at, qreal radius, bool player1)
{
    const QRectF box(at.x() - radius, at.y() - radius, 2 * radius, 2 * radius);
    if (player1)
        painter.drawEllipse(box);
    else
        painter.drawRect(box.adjusted(radius / 8, radius / 8, -radius / 8, -radius / 8));
}

QString noTurnText()
{
    return QCoreApplication::translate("LegChart", "Még nincs dobás a legben");
}

QString scoreAxisText()
{
    return QCoreApplication::translate("LegChart", "Kell még");
}

QString turnAxisText()
{
    return QCoreApplication::translate("LegChart", "Kör");
}

} // namespace

LegChartGeometry legChartGeometry(
    const LegCourse &course, const QRectF &rect, qreal smallestText, qreal largestText, const QFont &font)
{
    LegChartGeometry geometry;
    geometry.textHeight = std::max(smallestText, std::min(largestText, rect.height() * TextShare));
    const qreal t = geometry.textHeight;
    std::optional<qint32> highest, lowest;
    for (const std::vector<qint32> &scores : course.remaining) {
        for (const qint32 score : scores) {
            highest = std::max(highest.value_or(score), score);
            lowest = std::min(lowest.value_or(score), score);
        }
        geometry.turns = std::max(geometry.turns, int(scores.size()) - 1);
    }
    geometry.highest = highest.value_or(1);
    geometry.lowest = std::min<qint32>(0, lowest.value_or(0));
    if (geometry.highest <= geometry.lowest)
        geometry.highest = geometry.lowest + 1;
    geometry.turns = std::max(1, geometry.turns);

    const QFontMetricsF metrics(chartFont(font, t));
    const qreal labelWidth = std::max({metrics.horizontalAdvance(QString::number(geometry.highest)),
        metrics.horizontalAdvance(QString::number(geometry.lowest)), metrics.horizontalAdvance(scoreAxisText()) / 2});
    // The legend and the score axis's title above the plot, the turns and their title below it.
    geometry.plot = rect.adjusted(labelWidth + t * 0.9, t * 2.6, -t * 1.2, -t * 3.2);
    if (geometry.plot.width() < 1 || geometry.plot.height() < 1)
        geometry.plot = QRectF(rect.center(), QSizeF(1, 1));

    const QRectF &plot = geometry.plot;
    const qreal span = qreal(geometry.highest) - geometry.lowest;
    for (std::size_t player = 0; player < 2; ++player) {
        const std::vector<qint32> &scores = course.remaining[player];
        for (std::size_t turn = 0; turn < scores.size(); ++turn) {
            geometry.points[player] << QPointF(plot.left() + plot.width() * qreal(turn) / geometry.turns,
                plot.bottom() - plot.height() * (qreal(scores[turn]) - geometry.lowest) / span);
        }
    }
    return geometry;
}

void paintLegChart(QPainter &painter, const QRectF &rect, const LegCourse &course, const QPalette &palette,
    qreal smallestText, qreal largestText)
{
    const LegChartGeometry geometry = legChartGeometry(course, rect, smallestText, largestText, painter.font());
    const QRectF &plot = geometry.plot;
    const qreal t = geometry.textHeight;
    const QColor text = palette.color(QPalette::Text);
    QColor grid = text;
    grid.setAlphaF(0.18);
    const std::array<QColor, 2> colours = playerColours(palette);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(rect, palette.color(QPalette::Base));
    painter.setFont(chartFont(painter.font(), t));

    // The scores: a mark and a line across the plot at each step, 0 drawn as the axis.
    const qint64 scoreStep = markStep(qint64(geometry.highest) - geometry.lowest, plot.height() / (t * 2.2));
    const qreal span = qreal(geometry.highest) - geometry.lowest;
    for (qint64 score = qint64(std::ceil(qreal(geometry.lowest) / scoreStep)) * scoreStep; score <= geometry.highest;
         score += scoreStep) {
        const qreal y = plot.bottom() - plot.height() * (qreal(score) - geometry.lowest) / span;
        painter.setPen(QPen(score == 0 ? text : grid, score == 0 ? std::max(1.0, t / 12) : 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(text);
        painter.drawText(QRectF(rect.left(), y - t, plot.left() - rect.left() - t * 0.4, 2 * t),
            Qt::AlignRight | Qt::AlignVCenter, QString::number(score));
    }
    // The turns along the bottom, 0 being the start.
    const qint64 turnStep = markStep(geometry.turns, plot.width() / (t * 2.5));
    painter.setPen(text);
    for (qint64 turn = 0; turn <= geometry.turns; turn += turnStep) {
        const qreal x = plot.left() + plot.width() * qreal(turn) / geometry.turns;
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + t * 0.3));
        painter.drawText(
            QRectF(x - t * 2, plot.bottom() + t * 0.35, t * 4, t * 1.3), Qt::AlignCenter, QString::number(turn));
    }
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawText(
        QRectF(plot.left(), plot.bottom() + t * 1.7, plot.width(), t * 1.4), Qt::AlignCenter, turnAxisText());
    painter.drawText(
        QRectF(rect.left(), rect.top(), plot.width(), t * 1.4), Qt::AlignLeft | Qt::AlignVCenter, scoreAxisText());

    // The legend, right above the plot: each player's mark and line, then the name.
    const qreal radius = std::max(3.0, t * 0.28);
    const QPen linePen(Qt::black, std::max(1.5, t * 0.14), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const QFontMetricsF metrics(painter.font());
    qreal x = plot.right();
    for (int player = 1; player >= 0; --player) {
        const QString name = metrics.elidedText(course.names[std::size_t(player)], Qt::ElideRight, plot.width() / 3);
        x -= metrics.horizontalAdvance(name);
        painter.setPen(text);
        painter.drawText(QRectF(x, rect.top(), metrics.horizontalAdvance(name) + 1, t * 1.4),
            Qt::AlignLeft | Qt::AlignVCenter, name);
        x -= t * 2.4;
        QPen pen = linePen;
        pen.setColor(colours[std::size_t(player)]);
        painter.setPen(pen);
        painter.setBrush(colours[std::size_t(player)]);
        const qreal y = rect.top() + t * 0.7;
        painter.drawLine(QPointF(x, y), QPointF(x + t * 2, y));
        drawMark(painter, QPointF(x + t, y), radius, player == 0);
        x -= t * 1.5;
    }

    if (course.isEmpty()) {
        painter.setPen(text);
        painter.drawText(plot, Qt::AlignCenter, noTurnText());
    }
    for (std::size_t player = 0; player < 2; ++player) {
        QPen pen = linePen;
        pen.setColor(colours[player]);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(geometry.points[player]);
        painter.setBrush(colours[player]);
        painter.setPen(QPen(palette.color(QPalette::Base), 1));
        for (const QPointF &point : geometry.points[player])
            drawMark(painter, point, radius, player == 0);
    }
    painter.restore();
}

LegChart::LegChart(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(240, 160);
}

LegChart::~LegChart() = default;

void LegChart::setCourse(const LegCourse &course)
{
    m_course = course;
    update();
}

void LegChart::setTextRange(qreal smallest, qreal largest)
{
    m_smallestText = smallest;
    m_largestText = largest;
    update();
}

void LegChart::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    // In a window, no smaller than the window's own type.
    const qreal own = QFontInfo(font()).pixelSize();
    paintLegChart(painter, rect(), m_course, palette(), std::max(m_smallestText, own), std::max(m_largestText, own));
}
