// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <vector>

#include <QFont>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QWidget>

class QPainter;
class QPalette;

// How a leg went: both players' remaining scores, the start score first, then after each turn.
struct LegCourse
{
    std::array<QString, 2> names; // player 1, player 2
    std::array<std::vector<qint32>, 2> remaining;

    bool isEmpty() const { return remaining[0].empty() && remaining[1].empty(); }
};

// Where the chart of a leg goes in a rectangle: the plot inside the axes, each player's points in
// turn order (turn 0 the start score), and the scores and turns the axes span. Its type is in
// proportion to the rectangle's height, so that the same chart reads in a window and across a room.
struct LegChartGeometry
{
    QRectF plot;
    std::array<QPolygonF, 2> points;
    qint32 highest = 0; // at the plot's top
    qint32 lowest = 0; // at its bottom: 0, or below where a turn went below 0
    int turns = 0; // at the plot's right
    qreal textHeight = 0; // the type's pixel size
};

// The type, of the family of `font`, is a share of the rectangle's height, but never below
// smallestText pixels nor above largestText.
LegChartGeometry legChartGeometry(const LegCourse &course, const QRectF &rect, qreal smallestText = 11,
    qreal largestText = 1e6, const QFont &font = QFont());

// Draws the chart into the rectangle, in the painter's font family: a line with a mark at every turn for each player (a
// round mark for player 1, a square one for player 2, in colours that read on the palette's base, light or dark), axes
// with the turns and the scores, and a legend of the names. The one drawing for the window, the spectator display and
// the saved files.
void paintLegChart(QPainter &painter, const QRectF &rect, const LegCourse &course, const QPalette &palette,
    qreal smallestText = 11, qreal largestText = 1e6);

// The chart of a leg as a widget.
class LegChart final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LegChart)

public:
    explicit LegChart(QWidget *parent = nullptr);
    ~LegChart() override;

    void setCourse(const LegCourse &course);
    const LegCourse &course() const { return m_course; }
    // The type's least and greatest size in pixels, between which it follows the height; never
    // below the widget's own font.
    void setTextRange(qreal smallest, qreal largest);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LegCourse m_course;
    qreal m_smallestText = 0;
    qreal m_largestText = 1e6;
};
