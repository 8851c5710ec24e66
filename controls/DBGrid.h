// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QAbstractScrollArea>
#include <QFlags>
#include <QPoint>
#include <QRect>

#include "controls/Alignment.h"
#include "controls/Canvas.h"
#include "controls/Colors.h"
#include "controls/DBGridColumns.h"

class TDataSet;
class TDataSource;
class TField;
class TGridDataLink;

enum TDBGridOption : quint32 {
    dgEditing = 0x0001,
    dgAlwaysShowEditor = 0x0002,
    dgTitles = 0x0004,
    dgIndicator = 0x0008,
    dgColumnResize = 0x0010,
    dgColLines = 0x0020,
    dgRowLines = 0x0040,
    dgTabs = 0x0080,
    dgRowSelect = 0x0100,
    dgAlwaysShowSelection = 0x0200,
    dgConfirmDelete = 0x0400,
    dgCancelOnExit = 0x0800,
    dgMultiSelect = 0x1000,
};
Q_DECLARE_FLAGS(TDBGridOptions, TDBGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TDBGridOptions)

inline constexpr TDBGridOptions DefaultDBGridOptions = dgEditing | dgTitles | dgIndicator | dgColumnResize | dgColLines
    | dgRowLines | dgTabs | dgConfirmDelete | dgCancelOnExit;

enum TGridDrawStateFlag : quint32 { gdSelected = 0x1, gdFocused = 0x2, gdFixed = 0x4 };
Q_DECLARE_FLAGS(TGridDrawState, TGridDrawStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridDrawState)

// A grid showing the rows of a dataset through a data source: one grid row per row of the
// table's record window, the cursor's row as the current row, a title row and an indicator
// column when the options ask for them. The grid keeps no copy of field values; every paint
// reads them from the table, presenting the painted row as the table's current row while its
// cells are drawn. It never moves the table's cursor unless it holds the keyboard focus.
//
// Grid coordinates: column 0 is the indicator column when dgIndicator is on, row 0 the title
// row when dgTitles is on; (-1, -1) stands for no cell. Rectangles are in the coordinates of
// the drawing area (the viewport).
//
// The vertical scroll bar shows where the cursor stands: for a table that numbers its rows
// its minimum is 1, its maximum the row count (at least 1), its page the rows the grid shows
// and its value the current row number; it is disabled while there is nothing to scroll.
class TDBGrid : public QAbstractScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDBGrid)

public:
    using TDrawColumnCellEvent
        = std::function<void(QObject *Sender, const QRect &Rect, int DataCol, TColumn *Column, TGridDrawState State)>;
    using TNotifyEvent = std::function<void(QObject *Sender)>;
    using TDBGridClickEvent = std::function<void(TColumn *Column)>;
    using TMovedEvent = std::function<void(QObject *Sender, int FromIndex, int ToIndex)>;

    // The grid's own line options, derived from Options: lines along fixed cells (black) and
    // along data cells.
    enum class GridLine : quint8 { FixedVertical = 0x1, FixedHorizontal = 0x2, Vertical = 0x4, Horizontal = 0x8 };
    Q_DECLARE_FLAGS(GridLines, GridLine)

    explicit TDBGrid(QWidget *parent = nullptr);
    ~TDBGrid() override;

    TDataSource *DataSource() const;
    void setDataSource(TDataSource *source);

    TDBGridOptions Options() const { return m_options; }
    // dgRowSelect takes dgEditing and dgAlwaysShowEditor out of the set.
    void setOptions(TDBGridOptions options);

    TDBGridColumns *Columns() const { return m_columns.get(); }

    // The cell font is the widget's font (font()/setFont()); the title font follows it until
    // set on its own.
    QFont TitleFont() const;
    void setTitleFont(const QFont &font);
    TColor FontColor() const { return m_fontColor; }
    void setFontColor(TColor color);
    TColor Color() const { return m_color; }
    void setColor(TColor color);

    bool DefaultDrawing() const { return m_defaultDrawing; }
    void setDefaultDrawing(bool value) { m_defaultDrawing = value; }

    // The canvas the cell-draw handler paints on; bound to a painter only during a paint.
    TCanvas *Canvas() const { return m_canvas.get(); }

    // The default cell drawing: fills Rect with the canvas brush (unless clear) and writes the
    // display text of Column's field in the row being drawn, placed by Column's alignment,
    // 2 pixels below the top, clipped to Rect. Does nothing outside a paint.
    void DrawColumnCellDefault(const QRect &Rect, int DataCol, TColumn *Column, TGridDrawState State);

    TDrawColumnCellEvent OnDrawColumnCell;
    TNotifyEvent OnEnter;
    TDBGridClickEvent OnTitleClick;
    TMovedEvent OnColumnMoved;
    TNotifyEvent OnColExit;
    TDBGridClickEvent OnCellClick;

    // Layout, in pixels and grid coordinates.
    int IndicatorOffset() const; // k: 1 with an indicator column, else 0
    int TitleOffset() const; // t: 1 with a title row, else 0
    int RowHeight() const { return m_rowHeight; } // a data row, its line included
    int TitleRowHeight() const { return m_titleHeight; } // the title row, its line included; 0 without
    int VisibleRowCount() const { return m_visibleRows; } // data rows that fit entirely
    int DataRowCount() const { return m_rowCount; } // data rows shown (at least 1)
    int Row() const; // grid row of the current row
    int SelectedIndex() const { return m_selectedIndex; } // current data column
    int LeftCol() const { return m_leftCol; } // first data column shown
    QRect CellRect(int col, int row) const; // empty when the cell is not shown
    QPoint MouseCoord(int x, int y) const;

    // The shown rows as text, for readers other than the painting (assistive technology): the
    // shown data rows that hold a table row (0 while the table is closed or empty), and the
    // display text of a data column's field in one of them. Reading moves no cursor.
    int shownRowCount() const;
    QString shownCellText(int dataCol, int dataRow) const;
    // Which stored row each shown row is, top to bottom: rows that stay the same when the table
    // changes keep their identity, whatever row of the grid shows them. A row being appended has
    // none yet (an empty identity).
    std::vector<QByteArray> shownRowIdentities() const;

    // A grid that is read but never driven: while ReadingOnly is set, no key, press, wheel turn
    // or scroll-bar action moves the table's cursor or sizes a column, and the cursor's row is
    // not highlighted for the focus. Holding the focus, the grid is read cell by cell instead: the
    // arrow keys, Home, End, Page Up and Page Down move a reading cell over the shown rows and the
    // visible columns, marked with a focus frame and told to assistive technology as the focused
    // cell. Keys it does not read go on to the grid's parent.
    bool ReadingOnly() const { return m_readingOnly; }
    void setReadingOnly(bool value);
    // The reading cell as (data column, shown data row), kept within the shown rows; (-1, -1)
    // while no row is shown.
    QPoint readingCell() const;
    void setReadingCell(int dataCol, int dataRow);

protected:
    // The draw-cell step, called for every visible cell that needs painting, row by row from
    // the top and left to right. The base version draws title and indicator cells plainly
    // and data cells with the default drawing (while DefaultDrawing) and OnDrawColumnCell.
    virtual void drawCell(int col, int row, const QRect &rect, TGridDrawState state);

    // Hooks of pointer and column handling, for a layer on top.
    virtual void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    virtual void mouseMove(Qt::KeyboardModifiers modifiers, int x, int y);
    virtual void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    virtual void mouseLeave();
    virtual void titleClick(TColumn *column);
    virtual void colExit();
    virtual void columnMoved(int fromIndex, int toIndex);
    virtual bool beginColumnDrag(int &origin, int &destination, const QPoint &point);

    // Whether a press at (x, y) is taken for sizing a column; also true while the grid is
    // already sizing or moving a column.
    bool isSizingPress(int x, int y) const;

    GridLines gridLines() const { return m_gridLines; }
    void setGridLines(GridLines lines);

    // Marks a cell (its lines included) or the whole grid for the next paint.
    void invalidateCell(int col, int row);
    void invalidateGrid();

    // The current-row arrow of the indicator column, origin at its top-left corner.
    void drawIndicatorArrow(const QPoint &origin, TColor color);
    // The dataset the grid shows while its link is active, else nullptr.
    TDataSet *activeDataSet() const;
    // The row of the window the link presents (for the indicator), -1 when inactive.
    int linkActiveRow() const;

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class TGridDataLink;
    friend class TDBGridColumns;
    friend class TColumn;

    enum class GridState : quint8 { Normal, Sizing, Moving };

    // Reactions to the table, through the link.
    void linkTableChanged();
    void linkTableScrolled(int distance);
    void linkLayoutChanged();
    void linkRowChanged(TField *field);

    void columnsChanged(bool layout);
    void applyOptions();
    void updateLayout();
    // The rows shown, the current row and the scroll bars, as the link has them now.
    void followLink();
    void updateScrollBars();
    void repaintRowsChanged(int oldCurrent);
    void scrollRows(int distance);
    void invalidateDataRow(int dataRow);
    void invalidateDataRows(int first, int last);

    TGridDrawState cellState(int col, int row) const;
    void drawTitleCell(int col, const QRect &rect);
    void drawIndicatorCell(int row, const QRect &rect);
    void drawDataCell(int dataCol, int dataRow, const QRect &rect, TGridDrawState state);
    void verticalScrollAction(int action);
    int sizingColumnAt(int x, int y) const;
    int columnAt(int x) const;
    int columnsRight() const;
    QRect dataRowRect(int dataRow) const;
    int dataLeft() const; // x where data columns start
    int columnLeft(int dataCol) const; // x of a shown data column, -1 when scrolled away
    int lineWidthH() const;
    int lineWidthV() const;
    QRect dataArea() const;
    void defaultDrawText(const QRect &rect, TColumn *column, const QString &text);
    QString cellText(TColumn *column) const;
    bool requestFocusForInput();
    // The operator drives the grid: it holds the focus and is not only read.
    bool drivenByFocus() const { return hasFocus() && !m_readingOnly; }
    void readKey(QKeyEvent *event);
    void readColumnFrom(int start, int step);
    void invalidateReadingCell();
    void moveToDataRow(int dataRow);
    void selectColumn(int dataCol);

    const std::unique_ptr<TCanvas> m_canvas;
    const std::unique_ptr<TDBGridColumns> m_columns;
    const std::unique_ptr<TGridDataLink> m_link;
    TDBGridOptions m_options = DefaultDBGridOptions;
    GridLines m_gridLines;
    std::optional<QFont> m_titleFont;
    TColor m_fontColor = clWindowText;
    TColor m_color = clWindow;
    bool m_defaultDrawing = true;

    int m_rowHeight = 0;
    int m_titleHeight = 0;
    int m_visibleRows = 1;
    int m_rowCount = 1;
    int m_currentRow = 0; // data row of the cursor as last painted
    int m_selectedIndex = 0;
    int m_leftCol = 0;
    std::vector<QByteArray> m_rowIds; // which stored row each shown row was, for shifting

    bool m_drawingRowPresented = false;
    GridState m_state = GridState::Normal;
    bool m_pressTaken = false;
    int m_sizingCol = -1;
    int m_sizingOffset = 0;
    int m_moveFrom = -1;
    int m_moveTo = -1;
    bool m_inLayout = false;
    bool m_layoutAgain = false;
    bool m_readingOnly = false;
    int m_readingCol = 0;
    int m_readingRow = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TDBGrid::GridLines)
