// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws every picture of Pontix into the folder named on the command line:
// the turn markers, the tool bar images (the spectator display's among them), the panel's cross,
// the about box's dartboard, the application icon in all its sizes and the opening picture of the
// splash screen.
//
// Everything is drawn with QPainter at the size it is shown, so small images stay crisp, and
// once more at twice that size ("@2x") for screens with a scale factor of 2: the same drawing
// in the same units, on a painter scaled by 2.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <tuple>
#include <utility>

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

constexpr double Pi = std::numbers::pi;

// Dartboard colours: singles black and cream, doubles and trebles red and green.
const QColor BoardBlack(26, 24, 30);
const QColor BoardCream(243, 231, 203);
const QColor BoardRed(214, 38, 52);
const QColor BoardGreen(28, 135, 70);
const QColor RingBlack(34, 31, 40);
const QColor WireColour(214, 200, 160);

// Clockwise from the top.
const int BoardNumbers[20] = {20, 1, 18, 4, 13, 6, 10, 15, 2, 17, 3, 19, 7, 16, 8, 11, 14, 9, 12, 5};

QImage transparentImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A transparent picture of width x height units at `scale` pixels per unit, drawn by `paint`
// in units.
template <typename Paint> QImage drawn(int width, int height, int scale, Paint paint)
{
    QImage image = transparentImage(width * scale, height * scale);
    QPainter p(&image);
    // Even a scale of 1 would move some antialiased edges by a shade.
    if (scale != 1)
        p.scale(scale, scale);
    paint(p);
    return image;
}

// The annular sector between radii r1 < r2 from angle a1 to a2 (degrees, counter-clockwise
// from three o'clock, as QPainterPath counts them).
QPainterPath sector(QPointF c, double r1, double r2, double a1, double a2)
{
    QPainterPath path;
    const QRectF outer(c.x() - r2, c.y() - r2, 2 * r2, 2 * r2);
    const QRectF inner(c.x() - r1, c.y() - r1, 2 * r1, 2 * r1);
    path.arcMoveTo(outer, a1);
    path.arcTo(outer, a1, a2 - a1);
    if (r1 > 0)
        path.arcTo(inner, a2, a1 - a2);
    else
        path.lineTo(c);
    path.closeSubpath();
    return path;
}

QPainterPath annulus(QPointF c, double r1, double r2)
{
    QPainterPath path;
    path.addEllipse(c, r2, r2);
    QPainterPath hole;
    hole.addEllipse(c, r1, r1);
    return path.subtracted(hole);
}

struct BoardStyle
{
    // Radii as fractions of the outer edge of the double ring.
    double bull = 0.0374;
    double outerBull = 0.0935;
    double trebleIn = 0.582;
    double trebleOut = 0.629;
    double doubleIn = 0.953;
    int segments = 20; // fewer wedges read better at icon sizes
    bool wires = false;
    bool numbers = false;
    bool shading = true;
};

// A dartboard: the number ring of radius R around the scoring area of radius r.
void paintBoard(QPainter &p, QPointF c, double R, double r, const BoardStyle &s)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    // Number ring, slightly lit from the top left.
    QRadialGradient ring(c - QPointF(R * 0.3, R * 0.3), R * 1.6);
    ring.setColorAt(0, RingBlack.lighter(140));
    ring.setColorAt(1, RingBlack.darker(130));
    p.setBrush(ring);
    p.drawEllipse(c, R, R);

    // Singles: cream ground with the black wedges on top, so neighbouring edges never let
    // the background through.
    const double step = 360.0 / s.segments;
    p.setBrush(BoardCream);
    p.drawEllipse(c, r, r);
    p.setBrush(BoardBlack);
    for (int k = 0; k < s.segments; k += 2) {
        const double mid = 90 - k * step;
        p.drawPath(sector(c, 0, r, mid - step / 2, mid + step / 2));
    }

    // Doubles and trebles: green rings with the red sectors of the black wedges.
    for (const auto &[inner, outer] : {std::pair {s.trebleIn, s.trebleOut}, std::pair {s.doubleIn, 1.0}}) {
        if (outer <= inner)
            continue;
        p.setBrush(BoardGreen);
        p.drawPath(annulus(c, inner * r, outer * r));
        p.setBrush(BoardRed);
        for (int k = 0; k < s.segments; k += 2) {
            const double mid = 90 - k * step;
            p.drawPath(sector(c, inner * r, outer * r, mid - step / 2, mid + step / 2));
        }
    }
    p.setBrush(BoardGreen);
    p.drawEllipse(c, s.outerBull * r, s.outerBull * r);
    p.setBrush(BoardRed);
    p.drawEllipse(c, s.bull * r, s.bull * r);

    if (s.wires) {
        QPen wire(WireColour, std::max(0.6, r * 0.0065));
        p.setPen(wire);
        p.setBrush(Qt::NoBrush);
        for (const double f : {s.outerBull, s.trebleIn, s.trebleOut, s.doubleIn, 1.0})
            p.drawEllipse(c, f * r, f * r);
        p.drawEllipse(c, s.bull * r, s.bull * r);
        for (int k = 0; k < s.segments; ++k) {
            const double a = (90 - k * step + step / 2) * Pi / 180;
            const QPointF dir(std::cos(a), -std::sin(a));
            p.drawLine(c + dir * s.outerBull * r, c + dir * r);
        }
        p.setPen(Qt::NoPen);
    }

    if (s.numbers) {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setBold(true);
        font.setPixelSize(std::lround((R - r) * 0.62));
        p.setFont(font);
        p.setPen(QColor(250, 243, 222));
        const double mid = (R + r) / 2;
        for (int k = 0; k < 20; ++k) {
            const double a = (90 - k * 18.0) * Pi / 180;
            const QPointF pos(c.x() + mid * std::cos(a), c.y() - mid * std::sin(a));
            const QRectF box(pos.x() - (R - r), pos.y() - (R - r) / 2, 2 * (R - r), R - r);
            p.drawText(box, Qt::AlignCenter, QString::number(BoardNumbers[k]));
        }
        p.setPen(Qt::NoPen);
    }

    if (s.shading) {
        // A soft highlight at the top left and a darker rim give the board some depth.
        QRadialGradient light(c - QPointF(R * 0.35, R * 0.45), R * 1.5);
        light.setColorAt(0, QColor(255, 255, 255, 46));
        light.setColorAt(0.55, QColor(255, 255, 255, 0));
        light.setColorAt(1, QColor(0, 0, 20, 60));
        p.setBrush(light);
        p.drawEllipse(c, R, R);
    }
    p.restore();
}

// The application icon and the about box's dartboard: the whole board, transparent outside.
// The board's detail follows the size in units; `scale` only sharpens it.
QImage dartboardIcon(int size, int scale = 1)
{
    QImage image = transparentImage(size * scale, size * scale);
    QPainter p(&image);
    if (scale != 1)
        p.scale(scale, scale);
    const QPointF c(size / 2.0, size / 2.0);
    const double R = size / 2.0 - (size >= 48 ? 1.0 : 0.5);
    BoardStyle s;
    double r = R * 0.80;
    if (size <= 16) {
        // At 16 pixels the true proportions blur into brown: eight wide wedges, a broad
        // double ring and the bull keep it a dartboard.
        r = R * 0.86;
        s.segments = 8;
        s.bull = 0.17;
        s.outerBull = 0.34;
        s.trebleIn = 0.0;
        s.trebleOut = 0.0;
        s.doubleIn = 0.72;
        s.shading = false;
    } else if (size <= 32) {
        r = R * 0.84;
        s.segments = 16;
        s.bull = 0.09;
        s.outerBull = 0.2;
        s.trebleIn = 0.56;
        s.trebleOut = 0.68;
        s.doubleIn = 0.86;
    } else if (size <= 48) {
        r = R * 0.83;
        s.segments = 20;
        s.bull = 0.06;
        s.outerBull = 0.14;
        s.trebleIn = 0.57;
        s.trebleOut = 0.66;
        s.doubleIn = 0.90;
    } else {
        s.bull = 0.05;
        s.outerBull = 0.115;
        s.trebleIn = 0.575;
        s.trebleOut = 0.645;
        s.doubleIn = 0.925;
        s.wires = size >= 72;
    }
    paintBoard(p, c, R, r, s);
    return image;
}

// A steel-tip dart pointing left in the box (0, 0) to (125, 30): needle, knurled tungsten barrel, shaft and flights.
void paintDart(QPainter &p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const double cy = 15.0;

    auto metal = [&](double top, double bottom, QColor light, QColor mid, QColor dark) {
        QLinearGradient g(0, top, 0, bottom);
        g.setColorAt(0, mid);
        g.setColorAt(0.3, light);
        g.setColorAt(0.55, mid);
        g.setColorAt(1, dark);
        return g;
    };

    // Flights first, the shaft runs over their root.
    QPainterPath wing;
    wing.moveTo(89, cy - 1);
    wing.cubicTo(96, cy - 6, 101, cy - 12, 106, cy - 13.5);
    wing.lineTo(121.5, cy - 13.5);
    wing.quadTo(123.5, cy - 13.5, 123.5, cy - 11.5);
    wing.lineTo(123.5, cy - 1);
    wing.closeSubpath();
    QTransform flip;
    flip.translate(0, 2 * cy);
    flip.scale(1, -1);
    const QPainterPath flights = wing.united(flip.map(wing));
    QLinearGradient flightFill(89, 0, 124, 0);
    flightFill.setColorAt(0, QColor(232, 60, 52));
    flightFill.setColorAt(1, QColor(186, 24, 36));
    p.setBrush(flightFill);
    p.setPen(QPen(QColor(120, 14, 24), 1.0));
    p.drawPath(flights);
    // A white stripe along each wing.
    p.setPen(QPen(QColor(255, 255, 255, 220), 1.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(104, cy - 9.5), QPointF(121.5, cy - 9.5));
    p.drawLine(QPointF(104, cy + 9.5), QPointF(121.5, cy + 9.5));
    p.setPen(Qt::NoPen);

    // Shaft.
    QPainterPath shaft;
    shaft.addRoundedRect(QRectF(70, cy - 2.4, 38, 4.8), 1.2, 1.2);
    p.setBrush(metal(cy - 2.4, cy + 2.4, QColor(110, 116, 130), QColor(44, 48, 58), QColor(16, 18, 24)));
    p.drawPath(shaft);
    // Rings at the shaft's top and its thread.
    p.setBrush(metal(cy - 3, cy + 3, QColor(235, 238, 242), QColor(160, 166, 176), QColor(90, 95, 104)));
    p.drawRoundedRect(QRectF(104, cy - 3, 3, 6), 0.8, 0.8);

    // Needle: a long taper to a point.
    QPainterPath needle;
    needle.moveTo(1, cy);
    needle.lineTo(34, cy - 2.0);
    needle.lineTo(34, cy + 2.0);
    needle.closeSubpath();
    p.setBrush(metal(cy - 2.0, cy + 2.0, QColor(214, 220, 228), QColor(120, 128, 140), QColor(62, 68, 80)));
    p.drawPath(needle);

    // Barrel: torpedo shaped tungsten.
    QPainterPath barrel;
    barrel.moveTo(33, cy - 2.6);
    barrel.cubicTo(40, cy - 4.8, 48, cy - 5.0, 56, cy - 4.8);
    barrel.cubicTo(64, cy - 4.6, 70, cy - 3.8, 72, cy - 3.2);
    barrel.lineTo(72, cy + 3.2);
    barrel.cubicTo(70, cy + 3.8, 64, cy + 4.6, 56, cy + 4.8);
    barrel.cubicTo(48, cy + 5.0, 40, cy + 4.8, 33, cy + 2.6);
    barrel.closeSubpath();
    p.setBrush(metal(cy - 5, cy + 5, QColor(226, 230, 236), QColor(122, 130, 140), QColor(52, 58, 66)));
    p.drawPath(barrel);

    // Knurled grip: dark rings clipped to the barrel.
    p.save();
    p.setClipPath(barrel);
    p.setPen(QPen(QColor(36, 40, 48, 200), 1.1));
    for (double x = 40.5; x <= 54; x += 2.4)
        p.drawLine(QPointF(x, cy - 6), QPointF(x, cy + 6));
    for (double x = 60.5; x <= 69; x += 2.4)
        p.drawLine(QPointF(x, cy - 6), QPointF(x, cy + 6));
    p.restore();
    p.setPen(QPen(QColor(40, 44, 52, 160), 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(barrel);
    p.restore();
}

QImage dartLeft(int scale)
{
    return drawn(125, 30, scale, [](QPainter &p) { paintDart(p); });
}

// The table of the "new game" and "delete" images: a sheet with a blue heading row.
void paintTable(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 12, 11);
    QLinearGradient head(0, 2, 0, 5);
    head.setColorAt(0, QColor(104, 160, 230));
    head.setColorAt(1, QColor(46, 108, 196));
    p.setBrush(head);
    p.drawRect(1, 2, 12, 3);
    p.setPen(QColor(166, 182, 204));
    for (const int y : {7, 10})
        p.drawLine(2, y, 12, y);
    for (const int x : {5, 9})
        p.drawLine(x, 5, x, 12);
    p.setPen(QColor(58, 78, 110));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 1, 13, 12);
}

void paintToolNew(QPainter &p)
{
    paintTable(p);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    // A plus sign of 3-pixel bars with a dark green rim, centred on pixel (11, 11).
    p.setBrush(QColor(22, 100, 40));
    p.drawRect(9, 7, 5, 9);
    p.drawRect(7, 9, 9, 5);
    QLinearGradient g(0, 8, 0, 15);
    g.setColorAt(0, QColor(120, 214, 100));
    g.setColorAt(1, QColor(40, 160, 60));
    p.setBrush(g);
    p.drawRect(10, 8, 3, 7);
    p.drawRect(8, 10, 7, 3);
    p.setPen(QColor(190, 245, 170));
    p.drawPoint(10, 8);
    p.drawLine(8, 10, 9, 10);
}

// A red cross drawn as two strokes with a darker rim, from (a, a) to (b, b).
void paintRedCross(QPainter &p, double a, double b, double width)
{
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath cross;
    cross.moveTo(a, a);
    cross.lineTo(b, b);
    cross.moveTo(b, a);
    cross.lineTo(a, b);
    QPainterPathStroker outer;
    outer.setWidth(width + 2.0);
    outer.setCapStyle(Qt::SquareCap);
    outer.setJoinStyle(Qt::MiterJoin);
    QPainterPathStroker inner;
    inner.setWidth(width);
    inner.setCapStyle(Qt::SquareCap);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(128, 16, 20));
    p.drawPath(outer.createStroke(cross).simplified());
    QLinearGradient g(a, a, b, b);
    g.setColorAt(0, QColor(250, 96, 84));
    g.setColorAt(1, QColor(206, 28, 32));
    p.setBrush(g);
    p.drawPath(inner.createStroke(cross).simplified());
}

void paintToolClose(QPainter &p)
{
    paintRedCross(p, 3.5, 12.5, 2.6);
}

void paintToolDelete(QPainter &p)
{
    paintTable(p);
    paintRedCross(p, 9.5, 13.5, 1.8);
}

// A wrench (bottom left to top right, open jaw at the top) crossed by a screwdriver
// (blade at the top left, handle at the bottom right).
QImage toolSettings(int scale)
{
    QImage image = transparentImage(16 * scale, 16 * scale);
    {
        QImage wrench = transparentImage(16 * scale, 16 * scale);
        QPainter w(&wrench);
        w.scale(scale, scale);
        w.setRenderHint(QPainter::Antialiasing);
        QPainterPath body;
        body.addEllipse(QPointF(11.2, 4.8), 3.6, 3.6);
        QPainterPath handle;
        handle.moveTo(11.2, 4.8);
        handle.lineTo(2.6, 13.4);
        QPainterPathStroker stroker;
        stroker.setWidth(3.0);
        stroker.setCapStyle(Qt::RoundCap);
        body = body.united(stroker.createStroke(handle));
        // The jaw: a slot cut from the head towards the top right.
        QPainterPath jaw;
        jaw.addRect(QRectF(-1.05, -6, 2.1, 6));
        QTransform t;
        t.translate(11.2, 4.8);
        t.rotate(45);
        body = body.subtracted(t.map(jaw)).simplified();
        QLinearGradient steel(4, 4, 12, 12);
        steel.setColorAt(0, QColor(226, 232, 240));
        steel.setColorAt(1, QColor(120, 130, 146));
        w.setPen(QPen(QColor(58, 66, 82), 1.0));
        w.setBrush(steel);
        w.drawPath(body);
        w.end();

        QPainter p(&image);
        p.drawImage(0, 0, wrench);
    }
    QPainter p(&image);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    // Screwdriver blade and shank.
    p.setPen(QPen(QColor(58, 66, 82), 2.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(2.2, 2.2), QPointF(9.0, 9.0));
    p.setPen(QPen(QColor(200, 208, 220), 1.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(2.7, 2.7), QPointF(9.0, 9.0));
    // Handle.
    QPainterPath grip;
    grip.moveTo(9.0, 9.0);
    grip.lineTo(13.6, 13.6);
    QPainterPathStroker stroker;
    stroker.setWidth(3.8);
    stroker.setCapStyle(Qt::RoundCap);
    QLinearGradient yellow(8, 12, 12, 8);
    yellow.setColorAt(0, QColor(196, 118, 0));
    yellow.setColorAt(1, QColor(255, 204, 64));
    p.setPen(QPen(QColor(120, 66, 0), 1.0));
    p.setBrush(yellow);
    p.drawPath(stroker.createStroke(grip).simplified());
    return image;
}

// A screen on a stand showing the two halves of the spectator display, the left one marked.
void paintToolDisplay(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    // Stand and foot.
    p.setBrush(QColor(96, 104, 118));
    p.drawRect(7, 12, 2, 2);
    p.drawRect(4, 14, 8, 1);
    // Case and screen.
    p.setBrush(QColor(58, 66, 82));
    p.drawRect(0, 1, 16, 11);
    p.setBrush(QColor(11, 14, 17));
    p.drawRect(1, 2, 14, 9);
    // The marked half's band, then a large figure in each half.
    p.setBrush(QColor(255, 210, 31));
    p.drawRect(1, 2, 7, 2);
    p.setBrush(Qt::white);
    p.drawRect(3, 5, 3, 4);
    p.drawRect(10, 5, 3, 4);
    p.setBrush(QColor(11, 14, 17));
    p.drawRect(4, 6, 1, 2);
    p.drawRect(11, 6, 1, 2);
}

// A new match: a small board, black and cream beds between red and green rings, the bull red.
void paintToolMatch(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(8, 8);
    p.setPen(QPen(QColor(30, 30, 30), 1.0));
    p.setBrush(QColor(20, 20, 20));
    p.drawEllipse(c, 7.2, 7.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(206, 40, 36));
    p.drawEllipse(c, 6.0, 6.0);
    p.setBrush(QColor(242, 226, 188));
    p.drawEllipse(c, 4.9, 4.9);
    p.setBrush(QColor(34, 140, 60));
    p.drawEllipse(c, 3.6, 3.6);
    p.setBrush(QColor(20, 20, 20));
    p.drawEllipse(c, 2.5, 2.5);
    p.setBrush(QColor(34, 140, 60));
    p.drawEllipse(c, 1.7, 1.7);
    p.setBrush(QColor(216, 44, 40));
    p.drawEllipse(c, 0.9, 0.9);
}

// The result sheet: a white page with a folded corner and the chart of a leg on it, each player's
// remaining score falling turn by turn, one line red and one blue.
void paintToolSheet(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath page;
    page.moveTo(2.5, 0.5);
    page.lineTo(10.5, 0.5);
    page.lineTo(13.5, 3.5);
    page.lineTo(13.5, 15.5);
    page.lineTo(2.5, 15.5);
    page.closeSubpath();
    p.setPen(QPen(QColor(58, 78, 110), 1.0));
    p.setBrush(QColor(252, 252, 248));
    p.drawPath(page);
    p.setBrush(QColor(210, 218, 230));
    p.drawPolygon(QPolygonF({QPointF(10.5, 0.5), QPointF(10.5, 3.5), QPointF(13.5, 3.5)}));
    // The chart's axes, then the two legs of scores.
    p.setPen(QPen(QColor(120, 132, 150), 1.0));
    p.drawLine(QPointF(4.5, 5.0), QPointF(4.5, 13.5));
    p.drawLine(QPointF(4.5, 13.5), QPointF(12.0, 13.5));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(206, 28, 32), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(5.5, 5.5), QPointF(7.5, 8.0), QPointF(9.5, 9.0), QPointF(11.5, 12.5)}));
    p.setPen(QPen(QColor(30, 90, 190), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(5.5, 5.5), QPointF(7.5, 7.0), QPointF(9.5, 10.5), QPointF(11.5, 11.0)}));
}

// The previous game: the table with a blue arrow bending back to the left over its corner.
void paintToolPrevious(QPainter &p)
{
    paintTable(p);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath bend;
    bend.moveTo(14.5, 15.0);
    bend.cubicTo(14.5, 9.5, 12.0, 8.5, 8.5, 8.5);
    QPainterPathStroker stroker;
    stroker.setWidth(2.2);
    stroker.setCapStyle(Qt::FlatCap);
    QPainterPath arrow = stroker.createStroke(bend);
    QPainterPath head;
    head.moveTo(5.0, 8.5);
    head.lineTo(9.0, 5.0);
    head.lineTo(9.0, 12.0);
    head.closeSubpath();
    arrow = arrow.united(head).simplified();
    QLinearGradient blue(5, 5, 15, 15);
    blue.setColorAt(0, QColor(110, 180, 250));
    blue.setColorAt(1, QColor(30, 90, 190));
    p.setPen(QPen(QColor(16, 48, 110), 0.8));
    p.setBrush(blue);
    p.drawPath(arrow);
}

// The settings panel's close button: a thin black cross.
void paintPanelCross(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0), 1.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(1.5, 1.5), QPointF(8.5, 8.5));
    p.drawLine(QPointF(8.5, 1.5), QPointF(1.5, 8.5));
}

// The opening picture, 600 x 400 on white. The splash window makes pixels of exactly
// RGB(128, 128, 128) transparent, so nothing in the picture is neutral mid-gray: every dark
// colour carries a tint, which keeps antialiased edges and JPEG noise off that gray. Its words
// are Hungarian with the English tagline under them, or, for the English window, the other way
// round.
QImage splash(int scale, bool english)
{
    QImage image(600 * scale, 400 * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    const QColor navy(22, 50, 86);
    const QColor slate(70, 96, 130);

    // Thin frame and a strip of the board's ring colours along the bottom.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 30; ++i) {
        p.setBrush(i % 2 ? BoardGreen : BoardRed);
        p.drawRect(QRectF(i * 20.0, 392, 20, 8));
    }
    p.setPen(QPen(QColor(176, 196, 222), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 599, 391));

    // The board with a soft bluish shadow.
    const QPointF c(188, 196);
    const double R = 160;
    p.setPen(Qt::NoPen);
    QRadialGradient shadow(c + QPointF(7, 9), R + 14);
    shadow.setColorAt(0.88, QColor(20, 40, 90, 90));
    shadow.setColorAt(1.0, QColor(20, 40, 90, 0));
    p.setBrush(shadow);
    p.drawEllipse(c + QPointF(7, 9), R + 14, R + 14);
    BoardStyle s;
    s.wires = true;
    s.numbers = true;
    paintBoard(p, c, R, R * 0.77, s);

    // A dart flying in from the right at the treble 20, with speed lines behind it.
    p.save();
    p.translate(338, 94);
    p.rotate(-9);
    p.setPen(QPen(QColor(150, 180, 220), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (const auto &[y, from, to] :
        {std::tuple {-9.0, 204.0, 236.0}, std::tuple {0.0, 208.0, 250.0}, std::tuple {9.0, 204.0, 232.0}})
        p.drawLine(QPointF(from, y), QPointF(to, y));
    p.translate(0, -24);
    p.scale(1.6, 1.6);
    paintDart(p);
    p.restore();

    // Name, tagline and version.
    QFont title(QStringLiteral("Liberation Sans"));
    title.setBold(true);
    title.setPixelSize(76);
    title.setLetterSpacing(QFont::AbsoluteSpacing, -1.5);
    p.setFont(title);
    p.setPen(navy);
    p.drawText(QRectF(364, 150, 236, 90), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Pontix"));

    p.setPen(Qt::NoPen);
    for (int i = 0; i < 9; ++i) {
        p.setBrush(i % 2 ? BoardGreen : BoardRed);
        p.drawRect(QRectF(368 + i * 22.0, 250, 22, 5));
    }

    QFont tag(QStringLiteral("Liberation Sans"));
    tag.setPixelSize(24);
    p.setFont(tag);
    p.setPen(navy);
    const QString hungarianTag = QStringLiteral("Darts pontszámláló");
    const QString englishTag = QStringLiteral("Darts scoreboard");
    p.drawText(QRectF(368, 266, 230, 30), Qt::AlignLeft | Qt::AlignVCenter, english ? englishTag : hungarianTag);
    QFont sub(QStringLiteral("Liberation Sans"));
    sub.setPixelSize(16);
    sub.setItalic(true);
    p.setFont(sub);
    p.setPen(slate);
    p.drawText(QRectF(368, 296, 230, 24), Qt::AlignLeft | Qt::AlignVCenter, english ? hungarianTag : englishTag);

    QFont version(QStringLiteral("Liberation Sans"));
    version.setPixelSize(13);
    p.setFont(version);
    p.drawText(QRectF(368, 356, 220, 24), Qt::AlignRight | Qt::AlignVCenter,
        (english ? QStringLiteral("Version %1") : QStringLiteral("Verzió %1")).arg(QLatin1StringView(PONTIX_VERSION)));
    return image;
}

// Pixels within `slack` of the splash window's transparent gray in every channel.
int nearKey(const QImage &image, int slack)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = image.pixel(x, y);
            if (std::abs(qRed(px) - 128) <= slack && std::abs(qGreen(px) - 128) <= slack
                && std::abs(qBlue(px) - 128) <= slack)
                ++count;
        }
    return count;
}

bool save(const QImage &image, const QString &path, const char *format, int quality = -1)
{
    if (!image.save(path, format, quality)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_art <assets folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("icon")))
        return 1;

    // Each picture at 1x under its own name and at 2x with "@2x" before the extension, where
    // the toolkit looks for it on screens with a scale factor of 2.
    bool ok = true;
    int grayPixels = 0;
    for (const int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
        const auto path = [&](const char *name, const char *extension) {
            return out.filePath(QString::fromLatin1(name) + suffix + QLatin1Char('.') + QLatin1StringView(extension));
        };
        const QImage left = dartLeft(scale);
        ok = ok && save(left, path("dart_left", "png"), "PNG")
            && save(left.mirrored(true, false), path("dart_right", "png"), "PNG")
            && save(drawn(16, 16, scale, paintToolNew), path("tb_new", "png"), "PNG")
            && save(toolSettings(scale), path("tb_settings", "png"), "PNG")
            && save(drawn(16, 16, scale, paintToolClose), path("tb_close", "png"), "PNG")
            && save(drawn(16, 16, scale, paintToolDelete), path("tb_delete", "png"), "PNG")
            && save(drawn(16, 16, scale, paintToolDisplay), path("tb_display", "png"), "PNG")
            && save(drawn(16, 16, scale, paintToolMatch), path("tb_match", "png"), "PNG")
            && save(drawn(16, 16, scale, paintToolPrevious), path("tb_previous", "png"), "PNG")
            && save(drawn(16, 16, scale, paintToolSheet), path("tb_sheet", "png"), "PNG")
            && save(drawn(10, 10, scale, paintPanelCross), path("cross", "png"), "PNG")
            && save(dartboardIcon(64, scale), path("dartboard64", "png"), "PNG");

        for (const bool english : {false, true}) {
            const QString splashPath = path(english ? "splash_en" : "splash", "jpg");
            ok = ok && save(splash(scale, english), splashPath, "JPEG", 92);
            if (!ok)
                return 1;
            // The transparent gray must not appear by accident once the JPEG is decoded.
            const QImage decoded(splashPath);
            const int exact = nearKey(decoded, 0);
            std::printf("%s: %d pixels of the transparent gray, %d within 3 of it\n",
                qPrintable(QFileInfo(splashPath).fileName()), exact, nearKey(decoded, 3));
            grayPixels += exact;
        }
    }
    for (const int size : {16, 32, 48, 64, 72, 96, 128, 256})
        ok = ok && save(dartboardIcon(size), out.filePath(QStringLiteral("icon/pontix-%1.png").arg(size)), "PNG");
    if (!ok)
        return 1;
    return grayPixels == 0 ? 0 : 1;
}
