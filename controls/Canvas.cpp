// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/Canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

void TBrush::setColor(TColor value)
{
    m_color = value;
    m_style = bsSolid;
}

TCanvas::TCanvas(const QWidget *owner)
    : m_owner(owner)
    , m_font(owner->font())
{ }

TCanvas::~TCanvas() = default;

QColor TCanvas::toQColor(TColor color) const
{
    return ColorToQColor(color, m_owner->palette());
}

int TCanvas::TextWidth(const QString &text) const
{
    return QFontMetrics(m_font, m_painter ? m_painter->device() : m_owner).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString &text) const
{
    Q_UNUSED(text) // every line of a font is as high as the font
    return QFontMetrics(m_font, m_painter ? m_painter->device() : m_owner).height();
}

void TCanvas::FillRect(const QRect &rect)
{
    if (!m_painter || m_brush.Style() == bsClear)
        return;
    m_painter->fillRect(rect, toQColor(m_brush.Color()));
}

void TCanvas::TextOut(int x, int y, const QString &text)
{
    if (!m_painter)
        return;
    const QFontMetrics metrics(m_font, m_painter->device());
    if (m_brush.Style() != bsClear)
        m_painter->fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), toQColor(m_brush.Color()));
    m_painter->save();
    m_painter->setFont(m_font);
    m_painter->setPen(toQColor(m_fontColor));
    m_painter->drawText(QPoint(x, y + metrics.ascent()), text);
    m_painter->restore();
}

void TCanvas::TextRect(const QRect &rect, int x, int y, const QString &text)
{
    if (!m_painter)
        return;
    if (m_brush.Style() != bsClear)
        m_painter->fillRect(rect, toQColor(m_brush.Color()));
    if (text.isEmpty())
        return;
    const QFontMetrics metrics(m_font, m_painter->device());
    m_painter->save();
    m_painter->setClipRect(rect, Qt::IntersectClip);
    m_painter->setFont(m_font);
    m_painter->setPen(toQColor(m_fontColor));
    m_painter->drawText(QPoint(x, y + metrics.ascent()), text);
    m_painter->restore();
}

void TCanvas::Polygon(const QPolygon &points)
{
    if (!m_painter)
        return;
    m_painter->save();
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setPen(QPen(toQColor(m_pen.Color()), m_pen.Width()));
    if (m_brush.Style() == bsClear)
        m_painter->setBrush(Qt::NoBrush);
    else
        m_painter->setBrush(toQColor(m_brush.Color()));
    m_painter->drawPolygon(points);
    m_painter->restore();
}

void TCanvas::begin(QPainter *painter)
{
    m_painter = painter;
}

void TCanvas::end()
{
    m_painter = nullptr;
}
