#include "controls/DBGridAccessible.h"

#include <vector>

#include <QAccessibleTableCellInterface>
#include <QMetaObject>
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

// The grid's visible data columns, in display order: the table's columns.
std::vector<int> visibleColumns(const TDBGrid *grid)
{
    std::vector<int> columns;
    for (int i = 0; i < grid->Columns()->Count(); ++i) {
        if (grid->Columns()->Items(i)->Visible())
            columns.push_back(i);
    }
    return columns;
}

quint64 cellKey(int row, int column)
{
    return (quint64(quint32(row)) << 32) | quint32(column);
}

// One cell of a shown row: the display text of its column's field in that row, the column's
// title as its description.
class TDBGridCellAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    TDBGridCellAccessible(TDBGrid *grid, int row, int column)
        : m_grid(grid)
        , m_row(row)
        , m_column(column)
    { }

    bool isValid() const override
    {
        const TDBGridAccessible *table = tableOf();
        return table && m_row < table->rowCount() && m_column < table->columnCount();
    }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        return m_grid ? QAccessible::queryAccessibleInterface(m_grid) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        const int dataCol = dataColumn();
        if (dataCol < 0)
            return {};
        switch (t) {
        case QAccessible::Name:
            return m_grid->shownCellText(dataCol, m_row);
        case QAccessible::Description:
            return m_grid->Columns()->Items(dataCol)->TitleCaption();
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString &) override { }

    QRect rect() const override
    {
        const int dataCol = dataColumn();
        if (dataCol < 0)
            return {};
        const QRect cell = m_grid->CellRect(dataCol + m_grid->IndicatorOffset(), m_row + m_grid->TitleOffset());
        if (cell.isEmpty())
            return {};
        return QRect(m_grid->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        state.invisible = rect().isEmpty();
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this) : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    TDBGridAccessible *tableOf() const
    {
        return m_grid ? dynamic_cast<TDBGridAccessible *>(QAccessible::queryAccessibleInterface(m_grid)) : nullptr;
    }
    int dataColumn() const
    {
        if (!m_grid)
            return -1;
        const std::vector<int> columns = visibleColumns(m_grid);
        return m_column >= 0 && m_column < int(columns.size()) ? columns[size_t(m_column)] : -1;
    }

    const QPointer<TDBGrid> m_grid;
    const int m_row;
    const int m_column;
};

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
{
    followDataSource();
}

TDBGridAccessible::~TDBGridAccessible()
{
    forgetCells();
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

void TDBGridAccessible::tableChanged()
{
    m_watch->m_pending = false;
    followDataSource();
    QAccessibleTableModelChangeEvent event(grid(), QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
}

void TDBGridAccessible::modelChange(QAccessibleTableModelChangeEvent *)
{
    forgetCells();
}

void TDBGridAccessible::forgetCells()
{
    const QList<QAccessible::Id> ids = m_cells.values();
    m_cells.clear();
    for (const QAccessible::Id id : ids)
        QAccessible::deleteAccessibleInterface(id);
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
    return grid() ? int(visibleColumns(grid()).size()) : 0;
}

QString TDBGridAccessible::rowDescription(int) const
{
    return {};
}

QString TDBGridAccessible::columnDescription(int column) const
{
    if (!grid())
        return {};
    const std::vector<int> columns = visibleColumns(grid());
    if (column < 0 || column >= int(columns.size()))
        return {};
    return grid()->Columns()->Items(columns[size_t(column)])->TitleCaption();
}

QAccessibleInterface *TDBGridAccessible::cellAt(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    const quint64 key = cellKey(row, column);
    if (const auto found = m_cells.constFind(key); found != m_cells.cend())
        return QAccessible::accessibleInterface(found.value());
    auto *cell = new TDBGridCellAccessible(grid(), row, column);
    m_cells.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int TDBGridAccessible::childCount() const
{
    return rowCount() * columnCount();
}

QAccessibleInterface *TDBGridAccessible::child(int index) const
{
    const int columns = columnCount();
    if (index < 0 || columns == 0)
        return nullptr;
    return cellAt(index / columns, index % columns);
}

int TDBGridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child || child->parent() != this)
        return -1;
    auto *cell = const_cast<QAccessibleInterface *>(child)->tableCellInterface();
    if (!cell)
        return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
}

QAccessibleInterface *TDBGridAccessible::childAt(int x, int y) const
{
    const TDBGrid *g = grid();
    if (!g)
        return nullptr;
    const QPoint point = g->viewport()->mapFromGlobal(QPoint(x, y));
    const QPoint cell = g->MouseCoord(point.x(), point.y());
    const int dataRow = cell.y() - g->TitleOffset();
    const int dataCol = cell.x() - g->IndicatorOffset();
    if (cell.x() < 0 || dataRow < 0 || dataCol < 0)
        return nullptr;
    const std::vector<int> columns = visibleColumns(g);
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] == dataCol)
            return cellAt(dataRow, int(i));
    }
    return nullptr;
}

void InstallDBGridAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(dbGridFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
