// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The grid's painting: lines, title and indicator cells, and data cells read from the table with
// the default drawing and the cell-draw handler.

#include "controls/DBGrid.h"

#include <algorithm>
#include <optional>

#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "controls/DBGridLink.h"
#include "db/Field.h"

TGridDrawState TDBGrid::cellState(int col, int row) const
{
    const int k = IndicatorOffset();
    const int t = TitleOffset();
    if (row < t || col < k)
        return gdFixed;
    TGridDrawState state;
    if (!activeDataSet() || row - t != m_link->ActiveRow())
        return state;
    const int dataCol = col - k;
    if ((m_options & dgRowSelect) || dataCol == m_selectedIndex)
        state |= gdSelected;
    if (dataCol == m_selectedIndex && window()->focusWidget() == this)
        state |= gdFocused;
    return state;
}

void TDBGrid::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    m_canvas->begin(&painter);
    const QRegion &region = event->region();
    const int k = IndicatorOffset();
    const int t = TitleOffset();
    const int rows = t + m_rowCount;
    const int cols = k + m_columns->Count();
    const int lineH = lineWidthH();
    const int lineV = lineWidthV();
    const QColor background = m_canvas->toQColor(m_color);
    const QColor dataLine = m_canvas->toQColor(m_color == clSilver ? clGray : clSilver);
    const QColor fixedLine = m_canvas->toQColor(clBlack);

    // The lines first; a line whose option is off leaves its place in the grid's colour.
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const QRect rect = CellRect(c, r);
            if (rect.isEmpty() || !region.intersects(rect.adjusted(0, 0, lineV, lineH)))
                continue;
            const bool fixed = r < t || c < k;
            if (lineV) {
                const bool on = m_gridLines & (fixed ? GridLine::FixedVertical : GridLine::Vertical);
                painter.fillRect(QRect(rect.x() + rect.width(), rect.y(), lineV, rect.height() + lineH),
                    on ? (fixed ? fixedLine : dataLine) : background);
            }
            if (lineH) {
                const bool on = m_gridLines & (fixed ? GridLine::FixedHorizontal : GridLine::Horizontal);
                painter.fillRect(QRect(rect.x(), rect.y() + rect.height(), rect.width(), lineH),
                    on ? (fixed ? fixedLine : dataLine) : background);
            }
        }
    }

    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const QRect rect = CellRect(c, r);
            if (!rect.isEmpty() && region.intersects(rect))
                drawCell(c, r, rect, cellState(c, r));
        }
    }

    const int right = columnsRight();
    const int bottom = m_titleHeight + m_rowCount * m_rowHeight;
    const QRect area = viewport()->rect();
    painter.fillRect(QRect(right, 0, area.width() - right, area.height()), background);
    painter.fillRect(QRect(0, bottom, right, area.height() - bottom), background);
    m_canvas->end();
}

void TDBGrid::drawCell(int col, int row, const QRect &rect, TGridDrawState state)
{
    const int k = IndicatorOffset();
    const int t = TitleOffset();
    if (row < t) {
        if (col < k) {
            m_canvas->Brush().setColor(clBtnFace);
            m_canvas->FillRect(rect);
        } else {
            drawTitleCell(col - k, rect);
        }
    } else if (col < k) {
        drawIndicatorCell(row - t, rect);
    } else {
        drawDataCell(col - k, row - t, rect, state);
    }
}

void TDBGrid::drawTitleCell(int dataCol, const QRect &rect)
{
    const TColumn *column = m_columns->Items(dataCol);
    m_canvas->setFont(TitleFont());
    m_canvas->setFontColor(clBtnText);
    m_canvas->Brush().setColor(clBtnFace);
    m_canvas->TextRect(rect, rect.left() + 2, rect.top() + 2, column ? column->TitleCaption() : QString());
}

void TDBGrid::drawIndicatorCell(int dataRow, const QRect &rect)
{
    m_canvas->Brush().setColor(clBtnFace);
    m_canvas->FillRect(rect);
    if (activeDataSet() && dataRow == m_link->ActiveRow())
        drawIndicatorArrow(rect.topLeft() + QPoint(3, 3), clBlack);
}

void TDBGrid::drawIndicatorArrow(const QPoint &origin, TColor color)
{
    TBrush &brush = m_canvas->Brush();
    TPen &pen = m_canvas->Pen();
    const TBrush savedBrush = brush;
    const TPen savedPen = pen;
    brush.setColor(color);
    pen.setColor(color);
    pen.setWidth(1);
    QPolygon arrow;
    if (isRightToLeft())
        arrow << origin + QPoint(5, 0) << origin + QPoint(0, 5) << origin + QPoint(5, 10);
    else
        arrow << origin << origin + QPoint(5, 5) << origin + QPoint(0, 10);
    m_canvas->Polygon(arrow);
    brush = savedBrush;
    pen = savedPen;
}

void TDBGrid::drawDataCell(int dataCol, int dataRow, const QRect &rect, TGridDrawState state)
{
    TColumn *column = m_columns->Items(dataCol);
    if (!column || !column->Visible())
        return;
    m_canvas->setFont(column->Font());
    m_canvas->setFontColor(column->FontColor());
    m_canvas->Brush().setColor(column->Color());
    if (!activeDataSet()) {
        m_canvas->FillRect(rect);
        return;
    }
    {
        // The blank row of an empty table presents no row: its cells have empty text.
        std::optional<PresentedRow> presented;
        if (dataRow < m_link->RowCount())
            presented.emplace(*m_link, dataRow);
        m_drawingRowPresented = presented.has_value();
        const bool highlighted = (state & gdSelected) && ((m_options & dgAlwaysShowSelection) || drivenByFocus());
        if (highlighted) {
            m_canvas->Brush().setColor(clHighlight);
            m_canvas->setFontColor(clHighlightText);
        }
        if (!isEnabled())
            m_canvas->setFontColor(clGrayText);
        try {
            if (m_defaultDrawing)
                defaultDrawText(rect, column, cellText(column));
            if (OnDrawColumnCell)
                OnDrawColumnCell(this, rect, dataCol, column, state);
        } catch (...) {
            m_drawingRowPresented = false;
            throw;
        }
        m_drawingRowPresented = false;
    }
    const bool focusedCell = (state & gdSelected) && ((m_options & dgAlwaysShowSelection) || drivenByFocus())
        && !(m_options & dgRowSelect) && window()->focusWidget() == this;
    const bool readCell = m_readingOnly && hasFocus() && readingCell() == QPoint(dataCol, dataRow);
    if (focusedCell || readCell) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect;
        option.backgroundColor = m_canvas->toQColor(m_canvas->Brush().Color());
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, m_canvas->Painter(), this);
    }
}

QString TDBGrid::cellText(TColumn *column) const
{
    if (!m_drawingRowPresented || !column || !column->Field())
        return {};
    return column->Field()->DisplayText();
}

int TDBGrid::shownRowCount() const
{
    return activeDataSet() ? std::min(m_link->RowCount(), m_visibleRows) : 0;
}

QString TDBGrid::shownCellText(int dataCol, int dataRow) const
{
    const TColumn *column = m_columns->Items(dataCol);
    if (!column || !column->Field() || dataRow < 0 || dataRow >= shownRowCount())
        return {};
    const PresentedRow presented(*m_link, dataRow);
    return column->Field()->DisplayText();
}

void TDBGrid::defaultDrawText(const QRect &rect, TColumn *column, const QString &text)
{
    const int width = m_canvas->TextWidth(text);
    int x;
    switch (column->Alignment()) {
    case taRightJustify:
        x = rect.x() + rect.width() - width - 3;
        break;
    case taCenter:
        x = rect.x() + rect.width() / 2 - width / 2;
        break;
    case taLeftJustify:
    default:
        x = rect.x() + 2;
        break;
    }
    m_canvas->TextRect(rect, x, rect.y() + 2, text);
}

void TDBGrid::DrawColumnCellDefault(const QRect &Rect, int DataCol, TColumn *Column, TGridDrawState State)
{
    Q_UNUSED(DataCol)
    Q_UNUSED(State)
    if (!m_canvas->Painter() || !Column)
        return;
    defaultDrawText(Rect, Column, cellText(Column));
}
