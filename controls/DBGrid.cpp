// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The data-bound grid: its construction and properties, and how it follows its table through the
// link, repainting only the rows that changed.

#include "controls/DBGrid.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include <QEvent>
#include <QScrollBar>

#include "controls/DBGridLink.h"
#include "db/DataSet.h"

PresentedRow::PresentedRow(TDataLink &link, int row)
    : m_link(link)
    , m_saved(link.ActiveRow())
{
    link.setActiveRow(row);
}

PresentedRow::~PresentedRow()
{
    m_link.setActiveRow(m_saved);
}

TDBGrid::TDBGrid(QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_canvas(std::make_unique<TCanvas>(this))
    , m_columns(std::make_unique<TDBGridColumns>(this))
    , m_link(std::make_unique<TGridDataLink>(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Every pixel is painted by the grid itself: cells, lines and the area around them.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    verticalScrollBar()->installEventFilter(this);
    horizontalScrollBar()->installEventFilter(this);
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
        [this](int action) { verticalScrollAction(action); });
    applyOptions();
    updateLayout();
}

// The link is detached before anything of the grid goes, and detaching calls no reaction: no
// notification of a table that outlives the grid reaches a grid being taken apart.
TDBGrid::~TDBGrid()
{
    m_link->detach();
}

TDataSource *TDBGrid::DataSource() const
{
    return m_link->DataSource();
}

void TDBGrid::setDataSource(TDataSource *source)
{
    if (source == m_link->DataSource())
        return;
    m_link->setDataSource(source);
    linkLayoutChanged();
}

void TDBGrid::setOptions(TDBGridOptions options)
{
    if (options & dgRowSelect)
        options &= ~TDBGridOptions(dgEditing | dgAlwaysShowEditor);
    m_options = options;
    applyOptions();
    updateLayout();
}

void TDBGrid::applyOptions()
{
    GridLines lines;
    if (m_options & dgColLines)
        lines |= GridLine::FixedVertical | GridLine::Vertical;
    if (m_options & dgRowLines)
        lines |= GridLine::FixedHorizontal | GridLine::Horizontal;
    m_gridLines = lines;
}

void TDBGrid::setGridLines(GridLines lines)
{
    if (lines == m_gridLines)
        return;
    const int oldH = lineWidthH();
    const int oldV = lineWidthV();
    m_gridLines = lines;
    if (oldH != lineWidthH() || oldV != lineWidthV())
        updateLayout();
}

QFont TDBGrid::TitleFont() const
{
    return m_titleFont ? *m_titleFont : font();
}

void TDBGrid::setTitleFont(const QFont &font)
{
    m_titleFont = font;
    updateLayout();
}

void TDBGrid::setFontColor(TColor color)
{
    m_fontColor = color;
    invalidateGrid();
}

void TDBGrid::setColor(TColor color)
{
    m_color = color;
    invalidateGrid();
}

void TDBGrid::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
        updateLayout();
        break;
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
    case QEvent::LayoutDirectionChange:
        invalidateGrid();
        break;
    default:
        break;
    }
}

TDataSet *TDBGrid::activeDataSet() const
{
    return m_link->Active() ? m_link->DataSet() : nullptr;
}

int TDBGrid::linkActiveRow() const
{
    return activeDataSet() ? m_link->ActiveRow() : -1;
}

std::vector<QByteArray> TDBGrid::shownRowIdentities() const
{
    std::vector<QByteArray> ids;
    TDataSet *dataSet = activeDataSet();
    if (!dataSet)
        return ids;
    const int count = std::min(m_link->RowCount(), m_visibleRows);
    ids.reserve(size_t(std::max(0, count)));
    for (int j = 0; j < count; ++j) {
        PresentedRow presented(*m_link, j);
        TBookmark bookmark = dataSet->TakeBookmark();
        ids.push_back(bookmark.data);
        dataSet->ReleaseBookmark(bookmark);
    }
    return ids;
}

void TDBGrid::invalidateCell(int col, int row)
{
    const QRect rect = CellRect(col, row);
    if (!rect.isEmpty())
        viewport()->update(rect.adjusted(0, 0, lineWidthV(), lineWidthH()));
}

void TDBGrid::invalidateGrid()
{
    viewport()->update();
}

void TDBGrid::invalidateDataRow(int dataRow)
{
    if (dataRow >= 0 && dataRow < m_visibleRows)
        viewport()->update(dataRowRect(dataRow));
}

void TDBGrid::invalidateDataRows(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, m_visibleRows - 1);
    if (first <= last)
        viewport()->update(dataRowRect(first).united(dataRowRect(last)));
}

// Moves the picture of the data rows up by distance rows (down when negative); the strip
// that comes into view is marked for painting.
void TDBGrid::scrollRows(int distance)
{
    viewport()->scroll(0, -distance * m_rowHeight, dataArea());
}

// The table opened or closed, or its fields changed: the columns find their fields again and
// every row is read anew.
void TDBGrid::linkLayoutChanged()
{
    m_columns->bindFields(activeDataSet());
    m_rowIds.clear();
    updateLayout();
}

// The window was rebuilt. Rows are told apart by the stored row they show, so that a window
// that moved by whole rows (a row appended below a full grid, a row posted) moves its picture
// and repaints only the rows that are new or changed, and the current row before and after.
void TDBGrid::linkTableChanged()
{
    const int oldCurrent = m_currentRow;
    const int oldCount = m_rowCount;
    const std::vector<QByteArray> oldIds = std::move(m_rowIds);
    followLink();
    m_rowIds = shownRowIdentities();
    if (!viewport()->isVisible() || oldIds.empty() || m_rowIds.empty()) {
        invalidateGrid();
        return;
    }

    std::optional<int> shift;
    for (size_t i = 0; i < m_rowIds.size() && !shift; ++i) {
        if (m_rowIds[i].isEmpty())
            continue;
        const auto found = std::find(oldIds.begin(), oldIds.end(), m_rowIds[i]);
        if (found != oldIds.end())
            shift = int(found - oldIds.begin()) - int(i);
    }
    if (!shift || std::abs(*shift) >= m_visibleRows) {
        invalidateGrid();
        return;
    }
    const int n = *shift;
    if (n != 0)
        scrollRows(n);
    for (int i = 0; i < m_rowCount; ++i) {
        const int was = i + n;
        const bool kept = size_t(i) < m_rowIds.size() && !m_rowIds[size_t(i)].isEmpty() && was >= 0
            && size_t(was) < oldIds.size() && oldIds[size_t(was)] == m_rowIds[size_t(i)];
        if (!kept)
            invalidateDataRow(i);
    }
    invalidateDataRow(m_currentRow);
    invalidateDataRow(oldCurrent - n);
    if (n != 0 || m_rowCount != oldCount)
        invalidateDataRows(m_rowCount, m_visibleRows);
}

void TDBGrid::linkTableScrolled(int distance)
{
    const int oldCurrent = m_currentRow;
    followLink();
    m_rowIds = shownRowIdentities();
    if (distance == 0) {
        invalidateDataRow(oldCurrent);
        invalidateDataRow(m_currentRow);
        return;
    }
    if (std::abs(distance) > m_rowCount) {
        invalidateGrid();
        return;
    }
    scrollRows(distance);
    if (distance > 0)
        invalidateDataRows(m_rowCount - distance, m_rowCount - 1);
    else
        invalidateDataRows(0, -distance - 1);
    invalidateDataRow(oldCurrent - distance);
    invalidateDataRow(m_currentRow);
}

// A field of the row being edited or appended was written, or that row entered editing. Only
// that row can look different, but all of it: a cell-draw handler may colour a whole row by one
// of its fields.
void TDBGrid::linkRowChanged(TField *field)
{
    Q_UNUSED(field)
    const int oldCount = m_rowCount;
    followLink();
    if (m_rowCount != oldCount) {
        m_rowIds = shownRowIdentities();
        invalidateGrid();
        return;
    }
    invalidateDataRow(m_currentRow);
}

void TDBGrid::columnsChanged(bool layout)
{
    m_selectedIndex = std::clamp(m_selectedIndex, 0, std::max(0, m_columns->Count() - 1));
    if (layout)
        updateLayout();
    else
        invalidateGrid();
}
