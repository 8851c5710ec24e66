// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>

#include "controls/DBGrid.h"

// The bound grid with the desktop's look on its fixed cells. While styled drawing is in
// force, title cells are drawn as header sections (normal, hot under the pointer, pressed
// while pressed) and indicator cells on the header background with an arrow at the table's
// current row, and the base grid's black lines along fixed cells are removed. Every other
// cell gets the base grid's default drawing followed by OnDrawColumnCell, whatever
// DefaultDrawing says. Pointer moves and presses repaint only the cells concerned.
//
// The state fields hold grid columns, -1 standing for none; LastMouseCell is (column, row).
class TCustomThemeDBGrid : public TDBGrid
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCustomThemeDBGrid)

public:
    explicit TCustomThemeDBGrid(QWidget *parent = nullptr);
    ~TCustomThemeDBGrid() override;

    int HotCol() const { return m_hotCol; }
    bool TitlePressed() const { return m_titlePressed; }
    int PressedCol() const { return m_pressedCol; }
    bool SizingActive() const { return m_sizingActive; }
    bool ColumnDragging() const { return m_columnDragging; }
    QPoint LastMouseCell() const { return m_lastMouseCell; }

    // Whether styled drawing is in force for this grid: true while the current style draws
    // the fixed cells. Switched off, the fixed cells are drawn plainly by the base grid.
    bool ThemesActive() const { return m_themesActive; }
    void setThemesActive(bool value);

protected:
    bool AllowTitleClick() const { return m_allowTitleClick; }
    void setAllowTitleClick(bool value) { m_allowTitleClick = value; }

    void paintEvent(QPaintEvent *event) override;
    void drawCell(int col, int row, const QRect &rect, TGridDrawState state) override;
    bool beginColumnDrag(int &origin, int &destination, const QPoint &point) override;
    void mouseLeave() override;
    void colExit() override;
    void columnMoved(int fromIndex, int toIndex) override;
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) override;
    void mouseMove(Qt::KeyboardModifiers modifiers, int x, int y) override;
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) override;
    void titleClick(TColumn *column) override;

private:
    enum class HeaderLook : quint8 { Normal, Hot, Pressed };

    void drawHeader(const QRect &rect, HeaderLook look, bool background);
    void drawThemedTitle(int col, const QRect &rect);
    void drawThemedIndicator(int row, const QRect &rect);
    void invalidateLastMouseCell();

    int m_hotCol = -1;
    bool m_titlePressed = false;
    int m_pressedCol = -1;
    bool m_sizingActive = false;
    bool m_columnDragging = false;
    QPoint m_lastMouseCell {-1, -1};
    bool m_allowTitleClick = true;
    bool m_themesActive = true;
};

// The themed grid as forms use it, with AllowTitleClick (default true) published.
class TThemeDBGrid final : public TCustomThemeDBGrid
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TThemeDBGrid)

public:
    explicit TThemeDBGrid(QWidget *parent = nullptr);
    ~TThemeDBGrid() override;

    using TCustomThemeDBGrid::AllowTitleClick;
    using TCustomThemeDBGrid::setAllowTitleClick;
};
