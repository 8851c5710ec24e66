// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The grid's geometry: where its cells lie, which cell a point falls in, how many rows fit, and
// its scroll bars.

#include "controls/DBGrid.h"

#include <algorithm>
#include <cstdlib>

#include <QFontMetrics>
#include <QScrollBar>

#include "controls/DBGridLink.h"
#include "db/DataSet.h"

namespace {

constexpr int IndicatorWidth = 11;
constexpr int SizingMargin = 2;

} // namespace

int TDBGrid::IndicatorOffset() const
{
    return (m_options & dgIndicator) ? 1 : 0;
}

int TDBGrid::TitleOffset() const
{
    return (m_options & dgTitles) ? 1 : 0;
}

int TDBGrid::Row() const
{
    return TitleOffset() + m_currentRow;
}

int TDBGrid::lineWidthH() const
{
    return (m_gridLines & (GridLine::FixedHorizontal | GridLine::Horizontal)) ? 1 : 0;
}

int TDBGrid::lineWidthV() const
{
    return (m_gridLines & (GridLine::FixedVertical | GridLine::Vertical)) ? 1 : 0;
}

int TDBGrid::dataLeft() const
{
    return IndicatorOffset() ? IndicatorWidth + lineWidthV() : 0;
}

int TDBGrid::columnLeft(int dataCol) const
{
    const TColumn *column = m_columns->Items(dataCol);
    if (!column || !column->Visible() || dataCol < m_leftCol)
        return -1;
    int x = dataLeft();
    for (int j = m_leftCol; j < dataCol; ++j) {
        const TColumn *before = m_columns->Items(j);
        if (before->Visible())
            x += before->Width() + lineWidthV();
    }
    return x;
}

int TDBGrid::columnsRight() const
{
    int x = dataLeft();
    for (int j = m_leftCol; j < m_columns->Count(); ++j) {
        const TColumn *column = m_columns->Items(j);
        if (column->Visible())
            x += column->Width() + lineWidthV();
    }
    return x;
}

QRect TDBGrid::CellRect(int col, int row) const
{
    const int k = IndicatorOffset();
    const int t = TitleOffset();
    if (col < 0 || row < 0)
        return {};
    int top;
    int height;
    if (row < t) {
        top = 0;
        height = m_titleHeight - lineWidthH();
    } else {
        const int d = row - t;
        if (d >= m_rowCount)
            return {};
        top = m_titleHeight + d * m_rowHeight;
        height = m_rowHeight - lineWidthH();
    }
    if (col < k)
        return QRect(0, top, IndicatorWidth, height);
    const int left = columnLeft(col - k);
    if (left < 0)
        return {};
    return QRect(left, top, m_columns->Items(col - k)->Width(), height);
}

QRect TDBGrid::dataRowRect(int dataRow) const
{
    return QRect(0, m_titleHeight + dataRow * m_rowHeight, viewport()->width(), m_rowHeight);
}

QRect TDBGrid::dataArea() const
{
    return QRect(0, m_titleHeight, viewport()->width(), m_visibleRows * m_rowHeight);
}

int TDBGrid::columnAt(int x) const
{
    if (x < 0 || x >= viewport()->width())
        return -1;
    if (IndicatorOffset() && x < dataLeft())
        return 0;
    for (int j = m_leftCol; j < m_columns->Count(); ++j) {
        const int left = columnLeft(j);
        if (left >= 0 && x >= left && x < left + m_columns->Items(j)->Width() + lineWidthV())
            return IndicatorOffset() + j;
    }
    return -1;
}

QPoint TDBGrid::MouseCoord(int x, int y) const
{
    if (y < 0 || y >= viewport()->height())
        return {-1, -1};
    int row;
    if (TitleOffset() && y < m_titleHeight) {
        row = 0;
    } else {
        const int d = (y - m_titleHeight) / m_rowHeight;
        if (d >= m_rowCount)
            return {-1, -1};
        row = TitleOffset() + d;
    }
    const int col = columnAt(x);
    if (col < 0)
        return {-1, -1};
    return {col, row};
}

int TDBGrid::sizingColumnAt(int x, int y) const
{
    if (!(m_options & dgColumnResize) || !TitleOffset() || y < 0 || y >= m_titleHeight)
        return -1;
    for (int j = m_leftCol; j < m_columns->Count(); ++j) {
        const int left = columnLeft(j);
        if (left < 0)
            continue;
        const int right = left + m_columns->Items(j)->Width();
        if (std::abs(x - right) <= SizingMargin)
            return j;
    }
    return -1;
}

bool TDBGrid::isSizingPress(int x, int y) const
{
    return m_state != GridState::Normal || sizingColumnAt(x, y) >= 0;
}

// Layout: row heights from the fonts, the rows that fit, the window the link asks for, the
// scroll bars. A scroll bar appearing or going changes the viewport and so the layout again.
void TDBGrid::updateLayout()
{
    if (m_inLayout) {
        m_layoutAgain = true;
        return;
    }
    m_inLayout = true;
    for (int pass = 0; pass < 3; ++pass) {
        m_layoutAgain = false;
        m_rowHeight = QFontMetrics(font(), viewport()).height() + 3 + lineWidthH();
        m_titleHeight = TitleOffset() ? QFontMetrics(TitleFont(), viewport()).height() + 4 + lineWidthH() : 0;
        m_visibleRows = std::max(1, (viewport()->height() - m_titleHeight) / m_rowHeight);
        if (m_link->WindowCapacity() != m_visibleRows)
            m_link->setWindowCapacity(m_visibleRows);
        followLink();
        if (!m_layoutAgain)
            break;
    }
    m_inLayout = false;
    m_rowIds = shownRowIdentities();
    invalidateGrid();
}

void TDBGrid::followLink()
{
    m_rowCount = activeDataSet() ? std::clamp(m_link->RowCount(), 1, m_visibleRows) : 1;
    m_currentRow = std::max(0, linkActiveRow());
    updateScrollBars();
}

void TDBGrid::updateScrollBars()
{
    QScrollBar *bar = verticalScrollBar();
    int minimum = 0;
    int maximum = 0;
    int value = 0;
    bool enabled = false;
    if (TDataSet *dataSet = activeDataSet()) {
        if (dataSet->NumbersRows()) {
            const int count = dataSet->RowCount();
            minimum = 1;
            maximum = std::max(1, count);
            // A row being appended has no number yet: the bar stays where it was.
            const int number = dataSet->RowNumber();
            value = number >= 1 ? number : bar->value();
            enabled = count > 1;
        } else {
            maximum = 4;
            value = dataSet->AtFirstRow() ? 0 : dataSet->AtLastRow() ? 4 : 2;
            enabled = !(dataSet->AtFirstRow() && dataSet->AtLastRow());
        }
    }
    bar->setRange(minimum, maximum);
    bar->setPageStep(m_visibleRows);
    bar->setSingleStep(1);
    bar->setValue(value);
    bar->setEnabled(enabled);

    // Whole columns scroll sideways, only when they do not fit.
    QScrollBar *hbar = horizontalScrollBar();
    const int available = viewport()->width() - dataLeft();
    int maxLeft = 0;
    int remaining = 0;
    for (int j = m_columns->Count() - 1; j >= 0; --j) {
        const TColumn *column = m_columns->Items(j);
        if (!column->Visible())
            continue;
        remaining += column->Width() + lineWidthV();
        if (remaining > available) {
            maxLeft = std::min(j + 1, m_columns->Count() - 1);
            break;
        }
    }
    m_leftCol = std::min(m_leftCol, maxLeft);
    hbar->setRange(0, maxLeft);
    hbar->setPageStep(1);
    hbar->setValue(m_leftCol);
}

void TDBGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateLayout();
}

void TDBGrid::scrollContentsBy(int dx, int dy)
{
    Q_UNUSED(dy) // the rows follow the table, never the vertical bar
    if (dx != 0) {
        m_leftCol = horizontalScrollBar()->value();
        invalidateGrid();
    }
}
