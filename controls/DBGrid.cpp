#include "controls/DBGrid.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>

#include "db/DataLink.h"
#include "db/DataSet.h"
#include "db/DataSource.h"
#include "db/DatabaseError.h"
#include "db/Field.h"

// The grid's attachment to its data source: passes every reaction on to the grid.
class TGridDataLink final : public TDataLink
{
public:
    explicit TGridDataLink(TDBGrid *grid)
        : TDataLink(true)
        , m_grid(grid)
    { }
    ~TGridDataLink() override = default;

protected:
    void ActivityChange() override { m_grid->linkActivityChanged(); }
    void TableChange() override { m_grid->linkTableChanged(); }
    void TableScroll(int distance) override { m_grid->linkTableScrolled(distance); }
    void LayoutChange() override { m_grid->linkLayoutChanged(); }
    void RowChange(TField *field) override { m_grid->linkRowChanged(field); }

private:
    TDBGrid *const m_grid;
};

namespace {

constexpr int IndicatorWidth = 11;
constexpr int SizingMargin = 2;

// Presents one row of the link's rows as the table's current row, and gives the real one
// back however the drawing ends.
class PresentedRow
{
    Q_DISABLE_COPY_MOVE(PresentedRow)

public:
    PresentedRow(TDataLink &link, int row)
        : m_link(link)
        , m_saved(link.ActiveRow())
    {
        link.setActiveRow(row);
    }
    ~PresentedRow() { m_link.setActiveRow(m_saved); }

private:
    TDataLink &m_link;
    const int m_saved;
};

// Moving the cursor on behalf of the operator: a table that refuses keeps its state, and the
// grid simply stays where it is.
template <typename Move> void tryMove(Move move)
{
    try {
        move();
    } catch (const EDatabaseError &) { }
}

} // namespace

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

TDBGrid::~TDBGrid()
{
    m_destroying = true;
    m_link.reset();
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
    linkActivityChanged();
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

TDataSet *TDBGrid::activeDataSet() const
{
    return m_link && m_link->Active() ? m_link->DataSet() : nullptr;
}

int TDBGrid::linkActiveRow() const
{
    return activeDataSet() ? m_link->ActiveRow() : -1;
}

// Layout: row heights from the fonts, the rows that fit, the window the link asks for, the
// scroll bars. A scroll bar appearing or going changes the viewport and so the layout again.
void TDBGrid::updateLayout()
{
    if (m_destroying)
        return;
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
        updateRowCount();
        m_currentRow = std::max(0, linkActiveRow());
        updateScrollBars();
        if (!m_layoutAgain)
            break;
    }
    m_inLayout = false;
    m_rowIds = rowIdentities();
    invalidateGrid();
}

void TDBGrid::updateRowCount()
{
    m_rowCount = activeDataSet() ? std::clamp(m_link->RowCount(), 1, m_visibleRows) : 1;
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

std::vector<QByteArray> TDBGrid::rowIdentities()
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

void TDBGrid::linkActivityChanged()
{
    if (m_destroying)
        return;
    m_columns->bindFields(activeDataSet());
    m_rowIds.clear();
    updateLayout();
}

void TDBGrid::linkLayoutChanged()
{
    if (m_destroying)
        return;
    m_columns->bindFields(activeDataSet());
    m_rowIds.clear();
    updateLayout();
}

// The window was rebuilt. Rows are told apart by the stored row they show, so that a window
// that moved by whole rows (a row appended below a full grid, a row posted) moves its picture
// and repaints only the rows that are new or changed, and the current row before and after.
void TDBGrid::linkTableChanged()
{
    if (m_destroying)
        return;
    const int oldCurrent = m_currentRow;
    const int oldCount = m_rowCount;
    const std::vector<QByteArray> oldIds = std::move(m_rowIds);
    updateRowCount();
    m_currentRow = std::max(0, linkActiveRow());
    updateScrollBars();
    m_rowIds = rowIdentities();
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
    if (m_destroying)
        return;
    const int oldCurrent = m_currentRow;
    if (linkActiveRow() >= m_rowCount)
        updateRowCount();
    m_currentRow = std::max(0, linkActiveRow());
    updateScrollBars();
    m_rowIds = rowIdentities();
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
    if (m_destroying)
        return;
    const int oldCount = m_rowCount;
    updateRowCount();
    m_currentRow = std::max(0, linkActiveRow());
    updateScrollBars();
    if (m_rowCount != oldCount) {
        m_rowIds = rowIdentities();
        invalidateGrid();
        return;
    }
    invalidateDataRow(m_currentRow);
}

void TDBGrid::columnsChanged(bool layout)
{
    if (m_destroying)
        return;
    m_selectedIndex = std::clamp(m_selectedIndex, 0, std::max(0, m_columns->Count() - 1));
    if (layout)
        updateLayout();
    else
        invalidateGrid();
}

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
        const bool highlighted = (state & gdSelected) && ((m_options & dgAlwaysShowSelection) || hasFocus());
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
    if ((state & gdSelected) && ((m_options & dgAlwaysShowSelection) || hasFocus()) && !(m_options & dgRowSelect)
        && window()->focusWidget() == this) {
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

void TDBGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateLayout();
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

bool TDBGrid::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave)
        mouseLeave();
    return QAbstractScrollArea::viewportEvent(event);
}

void TDBGrid::scrollContentsBy(int dx, int dy)
{
    Q_UNUSED(dy) // the rows follow the table, never the vertical bar
    if (dx != 0) {
        m_leftCol = horizontalScrollBar()->value();
        invalidateGrid();
    }
}

bool TDBGrid::requestFocusForInput()
{
    if (!hasFocus() && isEnabled() && (focusPolicy() & Qt::ClickFocus))
        setFocus(Qt::MouseFocusReason);
    return hasFocus();
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
    if (!hasFocus()) {
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
    // Coming back to the window is no entering of the control.
    if (event->reason() != Qt::ActiveWindowFocusReason && OnEnter)
        OnEnter(this);
}

void TDBGrid::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    invalidateDataRow(m_currentRow);
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
            if (!hasFocus())
                return true;
            break;
        case QEvent::Wheel:
            if (watched == verticalScrollBar()) {
                wheelEvent(static_cast<QWheelEvent *>(event));
                return true;
            }
            if (!hasFocus())
                return true;
            break;
        default:
            break;
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}
