// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The grid's input: presses, drags, the wheel, keys and the scroll bars move the table's cursor
// or size and move columns, only while the grid holds the keyboard focus; a grid that is only
// read moves a reading cell with its keys instead.

#include "controls/DBGrid.h"

#include <algorithm>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "controls/DBGridAccessible.h"
#include "controls/DBGridLink.h"
#include "db/DataSet.h"
#include "db/DatabaseError.h"

namespace {

// Moving the cursor on behalf of the operator: a table that refuses keeps its state, and the
// grid simply stays where it is.
template <typename Move> void tryMove(Move move)
{
    try {
        move();
    } catch (const EDatabaseError &) { }
}

} // namespace

bool TDBGrid::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave)
        mouseLeave();
    return QAbstractScrollArea::viewportEvent(event);
}

bool TDBGrid::requestFocusForInput()
{
    if (!hasFocus() && isEnabled() && (focusPolicy() & Qt::ClickFocus))
        setFocus(Qt::MouseFocusReason);
    return drivenByFocus();
}

void TDBGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    mouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
    event->accept();
}

void TDBGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void TDBGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    mouseMove(event->modifiers(), pos.x(), pos.y());
    event->accept();
}

void TDBGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    mouseUp(event->button(), event->modifiers(), pos.x(), pos.y());
    event->accept();
}

// A press first asks for the keyboard focus; when the grid does not hold it afterwards (an
// OnEnter handler passed it on), the press is ignored.
void TDBGrid::mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y)
{
    Q_UNUSED(modifiers)
    m_pressTaken = false;
    if (!requestFocusForInput())
        return;
    m_pressTaken = true;
    if (button != Qt::LeftButton || m_state != GridState::Normal)
        return;
    const int sizing = sizingColumnAt(x, y);
    if (sizing >= 0) {
        m_state = GridState::Sizing;
        m_sizingCol = sizing;
        m_sizingOffset = columnLeft(sizing) + m_columns->Items(sizing)->Width() - x;
        return;
    }
    const QPoint cell = MouseCoord(x, y);
    if (cell.x() < 0)
        return;
    const int k = IndicatorOffset();
    const int t = TitleOffset();
    if (cell.y() < t) {
        if (cell.x() >= k && (m_options & dgColumnResize)) {
            int origin = cell.x();
            int destination = cell.x();
            if (beginColumnDrag(origin, destination, QPoint(x, y))) {
                m_state = GridState::Moving;
                m_moveFrom = origin;
                m_moveTo = destination;
            }
        }
        return;
    }
    if (cell.x() >= k)
        selectColumn(cell.x() - k);
    moveToDataRow(cell.y() - t);
}

void TDBGrid::mouseMove(Qt::KeyboardModifiers modifiers, int x, int y)
{
    Q_UNUSED(modifiers)
    Q_UNUSED(y)
    if (m_state == GridState::Sizing) {
        const int left = columnLeft(m_sizingCol);
        if (left >= 0)
            m_columns->Items(m_sizingCol)->setWidth(std::max(1, x + m_sizingOffset - left));
    } else if (m_state == GridState::Moving) {
        const int col = columnAt(x);
        if (col >= IndicatorOffset())
            m_moveTo = col;
    }
}

void TDBGrid::mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y)
{
    Q_UNUSED(modifiers)
    const GridState state = m_state;
    m_state = GridState::Normal;
    const bool pressTaken = m_pressTaken;
    m_pressTaken = false;
    if (state == GridState::Sizing) {
        m_sizingCol = -1;
        return;
    }
    const int k = IndicatorOffset();
    const int t = TitleOffset();
    if (state == GridState::Moving) {
        const int from = m_moveFrom - k;
        const int to = m_moveTo - k;
        m_moveFrom = m_moveTo = -1;
        if (from != to && from >= 0 && to >= 0)
            columnMoved(from, to);
    }
    if (!pressTaken || button != Qt::LeftButton)
        return;
    const QPoint cell = MouseCoord(x, y);
    if (cell.x() < k || cell.y() < 0)
        return;
    TColumn *column = m_columns->Items(cell.x() - k);
    if (cell.y() < t)
        titleClick(column);
    else if (OnCellClick && column)
        OnCellClick(column);
}

void TDBGrid::mouseLeave()
{ }

void TDBGrid::titleClick(TColumn *column)
{
    if (OnTitleClick && column)
        OnTitleClick(column);
}

void TDBGrid::colExit()
{
    if (OnColExit)
        OnColExit(this);
}

void TDBGrid::columnMoved(int fromIndex, int toIndex)
{
    if (m_selectedIndex == fromIndex)
        m_selectedIndex = toIndex;
    m_columns->Move(fromIndex, toIndex);
    if (OnColumnMoved)
        OnColumnMoved(this, fromIndex, toIndex);
}

bool TDBGrid::beginColumnDrag(int &origin, int &destination, const QPoint &point)
{
    Q_UNUSED(origin)
    Q_UNUSED(destination)
    Q_UNUSED(point)
    return (m_options & dgColumnResize) && TitleOffset();
}

void TDBGrid::selectColumn(int dataCol)
{
    if (dataCol == m_selectedIndex || dataCol < 0 || dataCol >= m_columns->Count())
        return;
    colExit();
    m_selectedIndex = dataCol;
    invalidateDataRow(m_currentRow);
}

void TDBGrid::moveToDataRow(int dataRow)
{
    if (!activeDataSet())
        return;
    const int distance = dataRow - m_link->ActiveRow();
    if (distance != 0)
        tryMove([&] { m_link->MoveRows(distance); });
}

void TDBGrid::verticalScrollAction(int action)
{
    TDataSet *dataSet = activeDataSet();
    if (!dataSet)
        return;
    tryMove([&] {
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            dataSet->MoveNext();
            break;
        case QAbstractSlider::SliderSingleStepSub:
            dataSet->MovePrior();
            break;
        case QAbstractSlider::SliderPageStepAdd:
            dataSet->MoveRows(m_visibleRows);
            break;
        case QAbstractSlider::SliderPageStepSub:
            dataSet->MoveRows(-m_visibleRows);
            break;
        case QAbstractSlider::SliderToMinimum:
            dataSet->MoveFirst();
            break;
        case QAbstractSlider::SliderToMaximum:
            dataSet->MoveLast();
            break;
        case QAbstractSlider::SliderMove: {
            const int position = verticalScrollBar()->sliderPosition();
            if (dataSet->NumbersRows()) {
                if (dataSet->RowNumber() >= 1 && position != dataSet->RowNumber())
                    dataSet->MoveRows(position - dataSet->RowNumber());
            } else if (position <= 0) {
                dataSet->MoveFirst();
            } else if (position >= 4) {
                dataSet->MoveLast();
            }
            break;
        }
        default:
            break;
        }
    });
    // The bar shows where the cursor stands, not where it was pushed.
    updateScrollBars();
    verticalScrollBar()->setSliderPosition(verticalScrollBar()->value());
}

void TDBGrid::wheelEvent(QWheelEvent *event)
{
    // Wheel turns belong to the control holding the focus.
    if (!drivenByFocus()) {
        event->ignore();
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0 && activeDataSet())
        tryMove([&] { m_link->MoveRows(-steps); });
    event->accept();
}

void TDBGrid::keyPressEvent(QKeyEvent *event)
{
    if (m_readingOnly) {
        readKey(event);
        return;
    }
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        moveToDataRow(m_link->ActiveRow() - 1);
        break;
    case Qt::Key_Down:
        if (activeDataSet())
            tryMove([&] { m_link->MoveRows(1); });
        break;
    case Qt::Key_PageUp:
        if (activeDataSet())
            tryMove([&] { m_link->MoveRows(-m_visibleRows); });
        break;
    case Qt::Key_PageDown:
        if (activeDataSet())
            tryMove([&] { m_link->MoveRows(m_visibleRows); });
        break;
    case Qt::Key_Home:
        if (control) {
            if (TDataSet *dataSet = activeDataSet())
                tryMove([&] { dataSet->MoveFirst(); });
        } else {
            selectColumn(0);
        }
        break;
    case Qt::Key_End:
        if (control) {
            if (TDataSet *dataSet = activeDataSet())
                tryMove([&] { dataSet->MoveLast(); });
        } else {
            selectColumn(m_columns->Count() - 1);
        }
        break;
    case Qt::Key_Left:
        selectColumn(m_selectedIndex - 1);
        break;
    case Qt::Key_Right:
        selectColumn(m_selectedIndex + 1);
        break;
    default:
        event->ignore();
        return;
    }
    event->accept();
}

void TDBGrid::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    invalidateDataRow(m_currentRow);
    invalidateReadingCell();
    // Coming back to the window is no entering of the control.
    if (event->reason() != Qt::ActiveWindowFocusReason && OnEnter)
        OnEnter(this);
    // The readers hear of the grid's focus once this event is over; the cell's comes after it.
    if (m_readingOnly && hasFocus())
        QMetaObject::invokeMethod(
            this, [this] { TellFocusedCell(this); }, Qt::QueuedConnection);
}

void TDBGrid::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    invalidateDataRow(m_currentRow);
    invalidateReadingCell();
}

void TDBGrid::setReadingOnly(bool value)
{
    if (value == m_readingOnly)
        return;
    m_readingOnly = value;
    invalidateGrid();
}

QPoint TDBGrid::readingCell() const
{
    const int rows = shownRowCount();
    const int columns = m_columns->Count();
    if (rows == 0 || columns == 0)
        return {-1, -1};
    int col = std::clamp(m_readingCol, 0, columns - 1);
    // A column hidden meanwhile gives way to the first visible one.
    if (!m_columns->Items(col)->Visible()) {
        col = -1;
        for (int i = 0; i < columns && col < 0; ++i) {
            if (m_columns->Items(i)->Visible())
                col = i;
        }
        if (col < 0)
            return {-1, -1};
    }
    return {col, std::clamp(m_readingRow, 0, rows - 1)};
}

void TDBGrid::setReadingCell(int dataCol, int dataRow)
{
    const int rows = shownRowCount();
    if (rows == 0 || dataCol < 0 || dataCol >= m_columns->Count() || !m_columns->Items(dataCol)->Visible())
        return;
    dataRow = std::clamp(dataRow, 0, rows - 1);
    if (QPoint(dataCol, dataRow) == readingCell())
        return;
    invalidateReadingCell();
    m_readingCol = dataCol;
    m_readingRow = dataRow;
    invalidateReadingCell();
    if (hasFocus())
        TellFocusedCell(this);
}

// Reads the first visible column from `start` on in the direction of step (1 or -1); the
// reading cell stays where it is when there is none.
void TDBGrid::readColumnFrom(int start, int step)
{
    const QPoint cell = readingCell();
    for (int col = start; col >= 0 && col < m_columns->Count(); col += step) {
        if (m_columns->Items(col)->Visible()) {
            setReadingCell(col, cell.y());
            return;
        }
    }
}

void TDBGrid::readKey(QKeyEvent *event)
{
    const QPoint cell = readingCell();
    const int last = shownRowCount() - 1;
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        setReadingCell(cell.x(), cell.y() - 1);
        break;
    case Qt::Key_Down:
        setReadingCell(cell.x(), cell.y() + 1);
        break;
    case Qt::Key_PageUp:
        setReadingCell(cell.x(), 0);
        break;
    case Qt::Key_PageDown:
        setReadingCell(cell.x(), last);
        break;
    case Qt::Key_Home:
        if (control)
            setReadingCell(cell.x(), 0);
        else
            readColumnFrom(0, 1);
        break;
    case Qt::Key_End:
        if (control)
            setReadingCell(cell.x(), last);
        else
            readColumnFrom(m_columns->Count() - 1, -1);
        break;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int step = (event->key() == Qt::Key_Right) != isRightToLeft() ? 1 : -1;
        readColumnFrom(cell.x() + step, step);
        break;
    }
    default:
        event->ignore();
        return;
    }
    event->accept();
}

void TDBGrid::invalidateReadingCell()
{
    if (!m_readingOnly)
        return;
    const QPoint cell = readingCell();
    if (cell.x() >= 0)
        invalidateCell(cell.x() + IndicatorOffset(), cell.y() + TitleOffset());
}

// Presses, wheel turns and menus on the scroll bars follow the same rule as presses on the
// cells: nothing happens unless the grid holds the focus.
bool TDBGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == verticalScrollBar() || watched == horizontalScrollBar()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (!requestFocusForInput())
                return true;
            break;
        case QEvent::ContextMenu:
            if (!drivenByFocus())
                return true;
            break;
        case QEvent::Wheel:
            if (watched == verticalScrollBar()) {
                wheelEvent(static_cast<QWheelEvent *>(event));
                return true;
            }
            if (!drivenByFocus())
                return true;
            break;
        default:
            break;
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}
