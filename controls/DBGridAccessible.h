// The bound grid as a table for assistive technology: its shown rows and visible columns, each
// cell reading the display text of its field in that row.
#pragma once

#include <memory>

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

class TDBGrid;
class TDBGridWatch;

// The table a screen reader walks: one row per shown row that holds a table row, one column per
// visible grid column. Cells read the grid as it stands when asked; whenever the table behind
// the grid changes, the readers are told once the grid has followed (a model reset).
class TDBGridAccessible final : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit TDBGridAccessible(TDBGrid *grid);
    ~TDBGridAccessible() override;

    TDBGrid *grid() const;

    // The whole table changed: cells are built again when next asked for.
    void tableChanged();

    void *interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int rowCount() const override;
    int columnCount() const override;
    QString rowDescription(int row) const override;
    QString columnDescription(int column) const override;

    // The grid keeps no selection of its own while it is read: nothing is selected.
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }

    void modelChange(QAccessibleTableModelChangeEvent *event) override;

private:
    void followDataSource() const;
    void forgetCells();

    const std::unique_ptr<TDBGridWatch> m_watch;
    mutable QHash<quint64, QAccessible::Id> m_cells; // by row in the high half, column in the low
};

// Lets every bound grid answer as a table; calling it again changes nothing.
void InstallDBGridAccessibility();
