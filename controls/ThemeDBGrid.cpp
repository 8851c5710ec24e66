// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/ThemeDBGrid.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionHeader>

#include "db/DataLink.h"

namespace {

bool isValidCell(const QPoint &cell)
{
    return cell.x() != -1 && cell.y() != -1;
}

} // namespace

TCustomThemeDBGrid::TCustomThemeDBGrid(QWidget *parent)
    : TDBGrid(parent)
{ }

TCustomThemeDBGrid::~TCustomThemeDBGrid() = default;

void TCustomThemeDBGrid::setThemesActive(bool value)
{
    if (value == m_themesActive)
        return;
    m_themesActive = value;
    invalidateGrid();
}

// The black lines along fixed cells would cross the header sections; the lines' widths stay
// counted while the data-cell lines are on. They come back only with a change of Options.
void TCustomThemeDBGrid::paintEvent(QPaintEvent *event)
{
    if (m_themesActive) {
        setGridLines(gridLines() & ~GridLines(GridLine::FixedVertical));
        setGridLines(gridLines() & ~GridLines(GridLine::FixedHorizontal));
    }
    TDBGrid::paintEvent(event);
}

void TCustomThemeDBGrid::drawCell(int col, int row, const QRect &rect, TGridDrawState state)
{
    const int k = IndicatorOffset();
    const int t = TitleOffset();
    if (m_themesActive && row == 0 && col - k >= 0 && t == 1) {
        drawThemedTitle(col, rect);
    } else if (m_themesActive && col == 0 && k == 1) {
        drawThemedIndicator(row, rect);
    } else {
        // The default drawing always comes before the cell-draw event.
        setDefaultDrawing(true);
        TDBGrid::drawCell(col, row, rect, state);
        setDefaultDrawing(false);
    }
}

void TCustomThemeDBGrid::drawHeader(const QRect &rect, HeaderLook look, bool background)
{
    QPainter *painter = Canvas()->Painter();
    if (!painter)
        return;
    QStyleOptionHeader option;
    option.initFrom(this);
    // The look follows the grid's own tracking, not the widget as a whole.
    option.state &= ~(QStyle::State_MouseOver | QStyle::State_HasFocus | QStyle::State_Sunken);
    option.rect = rect;
    option.orientation = Qt::Horizontal;
    option.position = QStyleOptionHeader::Middle;
    switch (look) {
    case HeaderLook::Normal:
        option.state |= QStyle::State_Raised;
        break;
    case HeaderLook::Hot:
        option.state |= QStyle::State_Raised | QStyle::State_MouseOver;
        break;
    case HeaderLook::Pressed:
        option.state |= QStyle::State_Sunken;
        break;
    }
    painter->save();
    style()->drawControl(background ? QStyle::CE_HeaderEmptyArea : QStyle::CE_Header, &option, painter, this);
    painter->restore();
}

void TCustomThemeDBGrid::drawThemedTitle(int col, const QRect &rect)
{
    QRect text = rect;
    QRect element = rect;
    HeaderLook look;
    if (!m_titlePressed || col != m_pressedCol) {
        look = m_hotCol != -1 && col == m_hotCol ? HeaderLook::Hot : HeaderLook::Normal;
        element.adjust(0, 0, 1, 1);
    } else if (m_allowTitleClick) {
        look = HeaderLook::Pressed;
        text.adjust(1, -1, -1, 1);
    } else {
        look = col == m_hotCol ? HeaderLook::Hot : HeaderLook::Normal;
    }
    drawHeader(element, look, false);

    TCanvas *canvas = Canvas();
    canvas->Brush().setStyle(bsClear);
    canvas->setFont(TitleFont());
    canvas->setFontColor(clBtnText);
    const TColumn *column = Columns()->Items(col - IndicatorOffset());
    const QString caption = column ? column->TitleCaption() : QString();
    const int h = canvas->TextHeight(caption);
    // The title row starts at the top of the drawing area, so its height centres the caption.
    const int y = text.height() / 2 - h / 2;
    canvas->TextOut(text.left() + 2, y, caption);
}

void TCustomThemeDBGrid::drawThemedIndicator(int row, const QRect &rect)
{
    const int t = TitleOffset();
    const QRect element = rect.adjusted(0, 0, 1, 1);
    if (row < t)
        drawHeader(element, HeaderLook::Normal, false);
    else
        drawHeader(element, HeaderLook::Normal, true);
    if (activeDataSet() && row - t == linkActiveRow()) {
        drawIndicatorArrow(rect.topLeft() + QPoint(4, 3), clWhite);
        drawIndicatorArrow(rect.topLeft() + QPoint(3, 3), clBlack);
    }
}

void TCustomThemeDBGrid::invalidateLastMouseCell()
{
    if (isValidCell(m_lastMouseCell))
        invalidateCell(m_lastMouseCell.x(), m_lastMouseCell.y());
}

void TCustomThemeDBGrid::mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y)
{
    m_sizingActive = isSizingPress(x, y);
    if (!m_sizingActive) {
        m_pressedCol = -1;
        m_titlePressed = false;
        if (m_allowTitleClick)
            m_hotCol = -1;
        const QPoint cell = MouseCoord(x, y);
        if (button == Qt::LeftButton && cell.x() >= IndicatorOffset() && cell.y() >= 0 && m_allowTitleClick) {
            m_titlePressed = cell.y() < TitleOffset();
            if (m_titlePressed) {
                m_pressedCol = cell.x();
                invalidateCell(cell.x(), cell.y());
            }
            invalidateLastMouseCell();
            m_lastMouseCell = cell;
        }
    }
    TDBGrid::mouseDown(button, modifiers, x, y);
}

void TCustomThemeDBGrid::mouseMove(Qt::KeyboardModifiers modifiers, int x, int y)
{
    if (!m_sizingActive && !m_columnDragging) {
        m_hotCol = -1;
        const QPoint cell = MouseCoord(x, y);
        if (cell.x() >= IndicatorOffset() && cell.y() >= 0 && cell.y() < TitleOffset()) {
            m_hotCol = cell.x();
            invalidateCell(cell.x(), cell.y());
        }
        invalidateLastMouseCell();
        m_lastMouseCell = cell;
    }
    TDBGrid::mouseMove(modifiers, x, y);
}

void TCustomThemeDBGrid::mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y)
{
    TDBGrid::mouseUp(button, modifiers, x, y);
    m_sizingActive = false;
    m_columnDragging = false;
    m_pressedCol = -1;
    invalidateGrid();
}

void TCustomThemeDBGrid::mouseLeave()
{
    TDBGrid::mouseLeave();
    invalidateLastMouseCell();
    m_lastMouseCell = QPoint(-1, -1);
    m_hotCol = -1;
    m_pressedCol = -1;
}

void TCustomThemeDBGrid::titleClick(TColumn *column)
{
    TDBGrid::titleClick(column);
    if (m_allowTitleClick) {
        m_titlePressed = false;
        m_pressedCol = -1;
        invalidateLastMouseCell();
    }
}

void TCustomThemeDBGrid::colExit()
{
    TDBGrid::colExit();
    m_hotCol = -1;
    invalidateLastMouseCell();
}

void TCustomThemeDBGrid::columnMoved(int fromIndex, int toIndex)
{
    TDBGrid::columnMoved(fromIndex, toIndex);
    m_columnDragging = false;
    invalidateGrid();
}

bool TCustomThemeDBGrid::beginColumnDrag(int &origin, int &destination, const QPoint &point)
{
    m_columnDragging = TDBGrid::beginColumnDrag(origin, destination, point);
    return m_columnDragging;
}

TThemeDBGrid::TThemeDBGrid(QWidget *parent)
    : TCustomThemeDBGrid(parent)
{ }

TThemeDBGrid::~TThemeDBGrid() = default;
