// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The bound grid as a table for assistive technology: its shown rows and visible columns, each
// cell reading the display text of its field in that row, each column headed by its title.
#pragma once

#include <memory>
#include <vector>

#include <QAccessibleWidget>
#include <QByteArray>
#include <QHash>

class TDBGrid;
class TDBGridWatch;

// The table a screen reader walks: one row per shown row that holds a table row, one column per
// visible grid column. The children are the columns' headers first (the column titles, also
// where the grid shows no title row), then the cells row by row. Cells read the grid as it
// stands when asked; whenever the table behind the grid changes, the readers are told, once the
// grid has followed, which shown rows came and went (or that the rows' data changed).
class TDBGridAccessible final : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit TDBGridAccessible(TDBGrid *grid);
    ~TDBGridAccessible() override;

    TDBGrid *grid() const;

    // The table changed: the readers are told what became of the shown rows.
    void tableChanged();

    void *interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    // The reading cell while a grid that is read holds the focus.
    QAccessibleInterface *focusChild() const override;

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int rowCount() const override;
    int columnCount() const override;
    QString rowDescription(int row) const override;
    QString columnDescription(int column) const override;
    // The header of a visible column, holding its title.
    QAccessibleInterface *columnHeader(int column) const;
    // The visible column showing a data column of the grid, -1 when it is hidden.
    int visibleColumnOf(int dataCol) const;

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
    void forgetCells(int fromRow);
    QAccessibleInterface *cached(int row, int column, QAccessibleInterface *(*make)(TDBGrid *, int, int)) const;
    void tell(QAccessibleTableModelChangeEvent::ModelChangeType change, int firstRow, int lastRow);

    const std::unique_ptr<TDBGridWatch> m_watch;
    // By row in the high half, column in the low; row -1 holds the headers.
    mutable QHash<quint64, QAccessible::Id> m_cells;
    std::vector<QByteArray> m_toldRows; // the identities of the shown rows, as last told
};

// Lets every bound grid answer as a table; calling it again changes nothing.
void InstallDBGridAccessibility();

// Tells the readers which cell of the grid holds the focus: the reading cell, while the grid is
// read and holds the focus.
void TellFocusedCell(TDBGrid *grid);
