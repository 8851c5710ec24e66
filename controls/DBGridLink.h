// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Private to the grid's sources: the link that attaches a grid to its data source, and the
// presenting of one of its rows while the grid reads it.
#pragma once

#include "controls/DBGrid.h"
#include "db/DataLink.h"

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
    void ActivityChange() override { m_grid->linkLayoutChanged(); }
    void TableChange() override { m_grid->linkTableChanged(); }
    void TableScroll(int distance) override { m_grid->linkTableScrolled(distance); }
    void LayoutChange() override { m_grid->linkLayoutChanged(); }
    void RowChange(TField *field) override { m_grid->linkRowChanged(field); }

private:
    TDBGrid *const m_grid;
};

// Presents one row of the link's rows as the table's current row, and gives the real one
// back however the drawing ends.
class PresentedRow
{
    Q_DISABLE_COPY_MOVE(PresentedRow)

public:
    PresentedRow(TDataLink &link, int row);
    ~PresentedRow();

private:
    TDataLink &m_link;
    const int m_saved;
};
