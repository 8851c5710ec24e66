// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/DBGridAccessible.h"

#include <algorithm>
#include <optional>

#include <QAccessibleTableCellInterface>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include "controls/DBGrid.h"
#include "db/DataLink.h"

// Hears the grid's table change, and tells the readers once the grid itself has followed: the
// grid's own link hears every notification after this one, so the telling waits for the event
// loop, and a burst of notifications (an entry sends several) is told once.
class TDBGridWatch final : public TDataLink
{
public:
    explicit TDBGridWatch(TDBGrid *grid)
        : m_grid(grid)
    { }
    ~TDBGridWatch() override = default;

    void follow(TDataSource *source)
    {
        if (source != DataSource())
            setDataSource(source);
    }

protected:
    void ActivityChange() override { tellLater(); }
    void TableChange() override { tellLater(); }
    void TableScroll(int) override { tellLater(); }
    void LayoutChange() override { tellLater(); }
    void RowChange(TField *) override { tellLater(); }

private:
    void tellLater()
    {
        if (m_pending || !m_grid)
            return;
        m_pending = true;
        TDBGrid *grid = m_grid;
        QMetaObject::invokeMethod(
            grid,
            [grid] {
                if (auto *table = dynamic_cast<TDBGridAccessible *>(QAccessible::queryAccessibleInterface(grid)))
                    table->tableChanged();
            },
            Qt::QueuedConnection);
    }

    friend class TDBGridAccessible;
    const QPointer<TDBGrid> m_grid;
    bool m_pending = false;
};

namespace {

constexpr int HeaderRow = -1;

quint64 cellKey(int row, int column)
{
    return (quint64(quint32(row)) << 32) | quint32(column);
}

TDBGridAccessible *tableOf(TDBGrid *grid)
{
    return grid ? dynamic_cast<TDBGridAccessible *>(QAccessible::queryAccessibleInterface(grid)) : nullptr;
}

// The grid's data column shown in a visible column, -1 when there is none.
int dataColumnOf(const TDBGrid *grid, int column)
{
    if (!grid || column < 0)
        return -1;
    int visible = -1;
    for (int i = 0; i < grid->Columns()->Count(); ++i) {
        if (grid->Columns()->Items(i)->Visible() && ++visible == column)
            return i;
    }
    return -1;
}

// What a header and a cell share: their place in the grid's table, their window and parent.
class TDBGridPartAccessible : public QAccessibleInterface
{
public:
    TDBGridPartAccessible(TDBGrid *grid, int row, int column)
        : m_grid(grid)
        , m_row(row)
        , m_column(column)
    { }

    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return tableOf(m_grid); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override { }

    // The grid cell in grid coordinates, on the screen; empty while not shown.
    QRect rect() const override
    {
        const int dataCol = dataColumn();
        if (dataCol < 0)
            return {};
        const QRect cell = m_grid->CellRect(
            dataCol + m_grid->IndicatorOffset(), m_row == HeaderRow ? 0 : m_row + m_grid->TitleOffset());
        if (cell.isEmpty() || (m_row == HeaderRow && m_grid->TitleOffset() == 0))
            return {};
        return QRect(m_grid->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    }

protected:
    int dataColumn() const { return dataColumnOf(m_grid, m_column); }

    const QPointer<TDBGrid> m_grid;
    const int m_row;
    const int m_column;
};

// A column's header: its title, read with every cell of the column.
class TDBGridHeaderAccessible final : public TDBGridPartAccessible
{
public:
    using TDBGridPartAccessible::TDBGridPartAccessible;

    bool isValid() const override
    {
        const TDBGridAccessible *table = tableOf(m_grid);
        return table && m_column < table->columnCount();
    }
    QString text(QAccessible::Text t) const override
    {
        const int dataCol = dataColumn();
        if (t != QAccessible::Name || dataCol < 0)
            return {};
        return m_grid->Columns()->Items(dataCol)->TitleCaption();
    }
    QAccessible::Role role() const override { return QAccessible::ColumnHeader; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        state.invisible = rect().isEmpty();
        return state;
    }
};

// One cell of a shown row: the display text of its column's field in that row. A grid that is
// read from the keyboard lets its cells take the focus.
class TDBGridCellAccessible final : public TDBGridPartAccessible, public QAccessibleTableCellInterface
{
public:
    using TDBGridPartAccessible::TDBGridPartAccessible;

    bool isValid() const override
    {
        const TDBGridAccessible *table = tableOf(m_grid);
        return table && m_row < table->rowCount() && m_column < table->columnCount();
    }
    QString text(QAccessible::Text t) const override
    {
        const int dataCol = dataColumn();
        if (t != QAccessible::Name || dataCol < 0)
            return {};
        return m_grid->shownCellText(dataCol, m_row);
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        state.invisible = rect().isEmpty();
        if (m_grid && m_grid->ReadingOnly()) {
            state.focusable = true;
            state.focused = m_grid->hasFocus() && m_grid->readingCell() == QPoint(dataColumn(), m_row);
        }
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this) : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override
    {
        const TDBGridAccessible *table = tableOf(m_grid);
        QAccessibleInterface *header = table ? table->columnHeader(m_column) : nullptr;
        return header ? QList<QAccessibleInterface *> {header} : QList<QAccessibleInterface *> {};
    }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }
};

QAccessibleInterface *makeHeader(TDBGrid *grid, int row, int column)
{
    return new TDBGridHeaderAccessible(grid, row, column);
}

QAccessibleInterface *makeCell(TDBGrid *grid, int row, int column)
{
    return new TDBGridCellAccessible(grid, row, column);
}

QAccessibleInterface *dbGridFactory(const QString &, QObject *object)
{
    if (auto *grid = qobject_cast<TDBGrid *>(object))
        return new TDBGridAccessible(grid);
    return nullptr;
}

} // namespace

TDBGridAccessible::TDBGridAccessible(TDBGrid *grid)
    : QAccessibleWidget(grid, QAccessible::Table)
    , m_watch(std::make_unique<TDBGridWatch>(grid))
    , m_toldRows(grid->shownRowIdentities())
{
    followDataSource();
}

TDBGridAccessible::~TDBGridAccessible()
{
    forgetCells(HeaderRow);
}

TDBGrid *TDBGridAccessible::grid() const
{
    return static_cast<TDBGrid *>(widget());
}

void TDBGridAccessible::followDataSource() const
{
    if (const TDBGrid *g = grid())
        m_watch->follow(g->DataSource());
}

void TDBGridAccessible::tell(QAccessibleTableModelChangeEvent::ModelChangeType change, int firstRow, int lastRow)
{
    QAccessibleTableModelChangeEvent event(grid(), change);
    event.setFirstRow(firstRow);
    event.setLastRow(lastRow);
    event.setFirstColumn(0);
    event.setLastColumn(columnCount() - 1);
    QAccessible::updateAccessibility(&event);
}

// The shown rows before and after are compared by the stored row each shows: rows that left
// the top or the bottom are told as removed, rows that came in as inserted; with the same rows
// shown, their data changed. Shown rows that share no row with those before were all replaced.
void TDBGridAccessible::tableChanged()
{
    using Change = QAccessibleTableModelChangeEvent;
    m_watch->m_pending = false;
    followDataSource();
    const std::vector<QByteArray> before = std::move(m_toldRows);
    m_toldRows = grid()->shownRowIdentities();
    const std::vector<QByteArray> &after = m_toldRows;
    const int was = int(before.size());
    const int now = int(after.size());
    if (was == 0 && now == 0)
        return;
    if (was == 0 || now == 0) {
        tell(now == 0 ? Change::RowsRemoved : Change::RowsInserted, 0, std::max(was, now) - 1);
        return;
    }
    if (before == after) {
        tell(Change::DataChanged, 0, now - 1);
        return;
    }
    // How far the rows kept moved up: a row now at i was at i + shift.
    std::optional<int> shift;
    for (int i = 0; i < now && !shift; ++i) {
        const auto found
            = after[size_t(i)].isEmpty() ? before.end() : std::find(before.begin(), before.end(), after[size_t(i)]);
        if (found != before.end())
            shift = int(found - before.begin()) - i;
    }
    if (!shift) {
        tell(Change::ModelReset, 0, now - 1);
        return;
    }
    int count = was;
    if (*shift > 0) {
        tell(Change::RowsRemoved, 0, *shift - 1);
        count -= *shift;
    } else if (*shift < 0) {
        tell(Change::RowsInserted, 0, -*shift - 1);
        count -= *shift;
    }
    if (now > count)
        tell(Change::RowsInserted, count, now - 1);
    else if (now < count)
        tell(Change::RowsRemoved, now, count - 1);
}

// Cells stand for places in the table, not for stored rows: a cell keeps reading its place while
// the rows move through it, and only the cells of rows no longer shown go.
void TDBGridAccessible::modelChange(QAccessibleTableModelChangeEvent *)
{
    forgetCells(rowCount());
}

void TDBGridAccessible::forgetCells(int fromRow)
{
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        const int row = int(qint32(quint32(it.key() >> 32)));
        if (row >= fromRow) {
            const QAccessible::Id id = it.value();
            it = m_cells.erase(it);
            QAccessible::deleteAccessibleInterface(id);
        } else {
            ++it;
        }
    }
}

void *TDBGridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

int TDBGridAccessible::rowCount() const
{
    followDataSource();
    return grid() ? grid()->shownRowCount() : 0;
}

int TDBGridAccessible::columnCount() const
{
    const TDBGrid *g = grid();
    if (!g)
        return 0;
    int count = 0;
    for (int i = 0; i < g->Columns()->Count(); ++i)
        count += g->Columns()->Items(i)->Visible() ? 1 : 0;
    return count;
}

int TDBGridAccessible::visibleColumnOf(int dataCol) const
{
    const TDBGrid *g = grid();
    if (!g || dataCol < 0 || dataCol >= g->Columns()->Count() || !g->Columns()->Items(dataCol)->Visible())
        return -1;
    int column = 0;
    for (int i = 0; i < dataCol; ++i)
        column += g->Columns()->Items(i)->Visible() ? 1 : 0;
    return column;
}

QString TDBGridAccessible::rowDescription(int) const
{
    return {};
}

QString TDBGridAccessible::columnDescription(int column) const
{
    const int dataCol = dataColumnOf(grid(), column);
    return dataCol < 0 ? QString() : grid()->Columns()->Items(dataCol)->TitleCaption();
}

QAccessibleInterface *TDBGridAccessible::cached(
    int row, int column, QAccessibleInterface *(*make)(TDBGrid *, int, int)) const
{
    const quint64 key = cellKey(row, column);
    if (const auto found = m_cells.constFind(key); found != m_cells.cend())
        return QAccessible::accessibleInterface(found.value());
    QAccessibleInterface *part = make(grid(), row, column);
    m_cells.insert(key, QAccessible::registerAccessibleInterface(part));
    return part;
}

QAccessibleInterface *TDBGridAccessible::columnHeader(int column) const
{
    if (column < 0 || column >= columnCount())
        return nullptr;
    return cached(HeaderRow, column, makeHeader);
}

QAccessibleInterface *TDBGridAccessible::cellAt(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    return cached(row, column, makeCell);
}

int TDBGridAccessible::childCount() const
{
    return (1 + rowCount()) * columnCount();
}

QAccessibleInterface *TDBGridAccessible::child(int index) const
{
    const int columns = columnCount();
    if (index < 0 || columns == 0)
        return nullptr;
    if (index < columns)
        return columnHeader(index);
    return cellAt(index / columns - 1, index % columns);
}

int TDBGridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child || child->parent() != this)
        return -1;
    auto *part = const_cast<QAccessibleInterface *>(child);
    if (part->role() == QAccessible::ColumnHeader) {
        for (int column = 0; column < columnCount(); ++column) {
            if (columnHeader(column) == part)
                return column;
        }
        return -1;
    }
    QAccessibleTableCellInterface *cell = part->tableCellInterface();
    if (!cell)
        return -1;
    return (cell->rowIndex() + 1) * columnCount() + cell->columnIndex();
}

QAccessibleInterface *TDBGridAccessible::childAt(int x, int y) const
{
    const TDBGrid *g = grid();
    if (!g)
        return nullptr;
    const QPoint point = g->viewport()->mapFromGlobal(QPoint(x, y));
    const QPoint cell = g->MouseCoord(point.x(), point.y());
    const int dataRow = cell.y() - g->TitleOffset();
    const int column = visibleColumnOf(cell.x() - g->IndicatorOffset());
    if (cell.x() < 0 || column < 0)
        return nullptr;
    return cell.y() >= 0 && dataRow < 0 ? columnHeader(column) : cellAt(dataRow, column);
}

QAccessibleInterface *TDBGridAccessible::focusChild() const
{
    const TDBGrid *g = grid();
    if (!g || !g->ReadingOnly() || !g->hasFocus())
        return nullptr;
    const QPoint reading = g->readingCell();
    return cellAt(reading.y(), visibleColumnOf(reading.x()));
}

void InstallDBGridAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(dbGridFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void TellFocusedCell(TDBGrid *grid)
{
    if (!QAccessible::isActive() || !grid || !grid->hasFocus())
        return;
    TDBGridAccessible *table = tableOf(grid);
    QAccessibleInterface *cell = table ? table->focusChild() : nullptr;
    if (!cell)
        return;
    QAccessibleEvent event(grid, QAccessible::Focus);
    event.setChild(table->indexOfChild(cell));
    QAccessible::updateAccessibility(&event);
}
