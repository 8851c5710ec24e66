// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "db/DataLink.h"

#include <algorithm>

#include "db/DataSet.h"
#include "db/DataSource.h"

TDataLink::TDataLink()
    : TDataLink(false)
{ }

TDataLink::TDataLink(bool visual)
    : m_visual(visual)
{ }

// No reactions any more: the derived view is already gone.
TDataLink::~TDataLink()
{
    detach();
}

void TDataLink::detach()
{
    if (!m_dataSource)
        return;
    m_dataSource->removeLink(this);
    m_dataSource = nullptr;
    m_active = false;
    m_editing = false;
    m_firstRow = 0;
}

void TDataLink::setDataSource(TDataSource *source)
{
    if (source == m_dataSource)
        return;
    if (m_dataSource)
        m_dataSource->removeLink(this);
    m_dataSource = source;
    if (m_dataSource)
        m_dataSource->addLink(this);
    updateState();
}

void TDataLink::setReadOnly(bool value)
{
    if (value == m_readOnly)
        return;
    m_readOnly = value;
    updateState();
}

void TDataLink::setWindowCapacity(int rows)
{
    rows = std::max(1, rows);
    if (rows == m_windowCapacity)
        return;
    m_windowCapacity = rows;
    if (m_active)
        clampFirstRow();
    if (TDataSet *dataSet = DataSet())
        dataSet->updateWindowSize();
    if (m_active)
        clampFirstRow();
}

void TDataLink::clampFirstRow()
{
    const TDataSet *dataSet = DataSet();
    if (!dataSet)
        return;
    const int activeRow = dataSet->m_activeRow;
    const int lo = std::max(0, activeRow - m_windowCapacity + 1);
    const int hi = std::min(activeRow, std::max(0, dataSet->m_windowCount - m_windowCapacity));
    m_firstRow = std::min(std::max(m_firstRow, lo), hi);
    if (m_firstRow != 0 && activeRow - m_firstRow < m_windowCapacity - 1)
        --m_firstRow;
}

int TDataLink::ActiveRow() const
{
    const TDataSet *dataSet = DataSet();
    if (!dataSet || sourceState() == TDataSetState::dsSetKey)
        return 0;
    return dataSet->m_activeRow - m_firstRow;
}

void TDataLink::setActiveRow(int row)
{
    TDataSet *dataSet = DataSet();
    if (!dataSet || sourceState() == TDataSetState::dsSetKey)
        return;
    dataSet->setActiveRow(row + m_firstRow);
}

int TDataLink::RowCount() const
{
    const TDataSet *dataSet = DataSet();
    if (!dataSet || !dataSet->Active())
        return 0;
    if (sourceState() == TDataSetState::dsSetKey)
        return 1;
    return std::min(m_windowCapacity, dataSet->m_windowCount);
}

bool TDataLink::AtFirstRow() const
{
    const TDataSet *dataSet = DataSet();
    return dataSet && dataSet->AtFirstRow();
}

bool TDataLink::AtLastRow() const
{
    const TDataSet *dataSet = DataSet();
    return dataSet && dataSet->AtLastRow();
}

qint32 TDataLink::MoveRows(qint32 distance)
{
    TDataSet *dataSet = DataSet();
    return dataSet ? dataSet->MoveRows(distance) : 0;
}

void TDataLink::updateState()
{
    const TDataSetState state = sourceState();
    const bool active = m_dataSource && state != TDataSetState::dsInactive;
    if (active != m_active) {
        m_active = active;
        if (active)
            clampFirstRow();
        else
            m_firstRow = 0;
        ActivityChange();
    }
    const bool editing
        = (state == TDataSetState::dsEdit || state == TDataSetState::dsInsert || state == TDataSetState::dsSetKey)
        && !m_readOnly;
    if (editing != m_editing) {
        m_editing = editing;
        EditingChange();
    }
}

void TDataLink::DataEvent(TDataEvent event, qintptr info)
{
    if (event == TDataEvent::deUpdateState) {
        updateState();
        return;
    }
    if (!m_active)
        return;
    switch (event) {
    case TDataEvent::deFieldChange:
    case TDataEvent::deRecordChange:
        if (!m_updating)
            RowChange(event == TDataEvent::deFieldChange ? reinterpret_cast<TField *>(info) : nullptr);
        break;
    case TDataEvent::deDataSetChange:
    case TDataEvent::deDataSetScroll:
    case TDataEvent::deLayoutChange: {
        int moved = 0;
        if (sourceState() != TDataSetState::dsSetKey) {
            const int activeRow = DataSet()->m_activeRow;
            const int first = m_firstRow + (event == TDataEvent::deDataSetScroll ? int(info) : 0);
            const int last = first + m_windowCapacity - 1;
            moved = activeRow > last ? activeRow - last : activeRow < first ? activeRow - first : 0;
            // A window that lost rows (a cancelled append, a deleted row) must not leave this
            // view reading past its end: the view moves up as far as the window's rows need.
            // The current row stays among the view's rows, since it is inside the window.
            const int inside = std::min(first + moved, std::max(0, DataSet()->m_windowCount - m_windowCapacity));
            moved += inside - (first + moved);
            m_firstRow = inside;
        }
        if (event == TDataEvent::deDataSetChange)
            TableChange();
        else if (event == TDataEvent::deDataSetScroll)
            TableScroll(moved);
        else
            LayoutChange();
        break;
    }
    case TDataEvent::deUpdateRecord:
        m_updating = true;
        try {
            WriteBack();
        } catch (...) {
            m_updating = false;
            throw;
        }
        m_updating = false;
        break;
    case TDataEvent::deCheckBrowseMode:
        FinishPending();
        break;
    case TDataEvent::deFocusControl:
        FocusField(reinterpret_cast<TField *>(info));
        break;
    default:
        break;
    }
}

void TDataLink::ActivityChange()
{ }

void TDataLink::EditingChange()
{ }

void TDataLink::TableChange()
{
    RowChange(nullptr);
}

void TDataLink::TableScroll(int)
{
    TableChange();
}

void TDataLink::LayoutChange()
{
    TableChange();
}

void TDataLink::RowChange(TField *)
{ }

void TDataLink::WriteBack()
{ }

void TDataLink::FinishPending()
{ }

void TDataLink::FocusField(TField *)
{ }
