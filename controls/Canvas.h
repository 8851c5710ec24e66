// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QPolygon>
#include <QRect>
#include <QString>

#include "controls/Colors.h"

class QPainter;
class QWidget;

enum TBrushStyle : quint8 { bsSolid, bsClear };

// Fill of a canvas: a colour, drawn solid or not at all (clear).
class TBrush
{
public:
    TColor Color() const { return m_color; }
    // Setting the colour makes a clear brush solid again.
    void setColor(TColor value);
    TBrushStyle Style() const { return m_style; }
    void setStyle(TBrushStyle value) { m_style = value; }

private:
    TColor m_color = clWhite;
    TBrushStyle m_style = bsSolid;
};

// Outline of shapes drawn on a canvas.
class TPen
{
public:
    TColor Color() const { return m_color; }
    void setColor(TColor value) { m_color = value; }
    int Width() const { return m_width; }
    void setWidth(int value) { m_width = value; }

private:
    TColor m_color = clBlack;
    int m_width = 1;
};

// The drawing surface a control hands to its paint handlers: brush, font with its colour and
// pen, kept between paints, and a painter bound only while the control paints. Outside a paint
// the drawing operations do nothing; the settings and measurements still work.
class TCanvas
{
    Q_DISABLE_COPY_MOVE(TCanvas)

public:
    // The owner resolves system colours (its palette) and measures text (its device).
    explicit TCanvas(const QWidget *owner);
    ~TCanvas();

    TBrush &Brush() { return m_brush; }
    const TBrush &Brush() const { return m_brush; }
    TPen &Pen() { return m_pen; }
    const TPen &Pen() const { return m_pen; }
    QFont &Font() { return m_font; }
    const QFont &Font() const { return m_font; }
    void setFont(const QFont &font) { m_font = font; }
    TColor FontColor() const { return m_fontColor; }
    void setFontColor(TColor value) { m_fontColor = value; }

    // The painter while the owner paints, else nullptr.
    QPainter *Painter() const { return m_painter; }
    QColor toQColor(TColor color) const;

    int TextWidth(const QString &text) const;
    int TextHeight(const QString &text) const;

    // Fills the rectangle with the brush unless the brush is clear.
    void FillRect(const QRect &rect);
    // Writes text with its top-left corner at (x, y); a solid brush fills the text's extent.
    void TextOut(int x, int y, const QString &text);
    // One opaque, clipped text output: fills the whole rectangle with the brush (unless
    // clear) and writes the text with its top-left corner at (x, y), clipped to the rectangle.
    void TextRect(const QRect &rect, int x, int y, const QString &text);
    // A closed shape filled with the brush and outlined with the pen.
    void Polygon(const QPolygon &points);

    // Binds the painter for the duration of one paint.
    void begin(QPainter *painter);
    void end();

private:
    const QWidget *const m_owner;
    QPainter *m_painter = nullptr;
    TBrush m_brush;
    TPen m_pen;
    QFont m_font;
    TColor m_fontColor = clWindowText;
};
