// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include "db/DataSource.h"
#include "db/DataTypes.h"

class TDataSet;
class TDataSource;
class TField;

// A view's attachment to a data source. The view asks for a number of rows (WindowCapacity),
// sees them as rows 0 .. RowCount-1 of its own, and reacts to the dataset's notifications
// through the reaction operations, which a view overrides.
//
// To show its row j a view sets ActiveRow to j, reads fields, and sets ActiveRow back.
class TDataLink
{
    Q_DISABLE_COPY_MOVE(TDataLink)

public:
    TDataLink();
    virtual ~TDataLink(); // detaches from its data source

    TDataSource *DataSource() const { return m_dataSource; }
    void setDataSource(TDataSource *source);
    // Leaves the data source without calling any reaction, as a view being taken apart must:
    // its reactions would reach a view that is partly gone.
    void detach();
    TDataSet *DataSet() const { return m_dataSource ? m_dataSource->DataSet() : nullptr; }

    bool Active() const { return m_active; }
    bool Editing() const { return m_editing; }
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool value);
    bool Visual() const { return m_visual; }

    int WindowCapacity() const { return m_windowCapacity; }
    void setWindowCapacity(int rows);
    int FirstRow() const { return m_firstRow; }
    int ActiveRow() const;
    void setActiveRow(int row);
    int RowCount() const;
    bool AtFirstRow() const;
    bool AtLastRow() const;
    qint32 MoveRows(qint32 distance);

protected:
    explicit TDataLink(bool visual);

    // Every notification the link receives from its data source comes through here first;
    // it updates the link's state and calls the reactions below.
    virtual void DataEvent(TDataEvent event, qintptr info);

    virtual void ActivityChange();
    virtual void EditingChange();
    virtual void TableChange();
    virtual void TableScroll(int distance);
    virtual void LayoutChange();
    virtual void RowChange(TField *field);
    virtual void WriteBack();
    virtual void FinishPending();
    virtual void FocusField(TField *field);

private:
    friend class TDataSource;
    friend class TDataSet;

    void updateState();
    void clampFirstRow();
    TDataSetState sourceState() const { return m_dataSource ? m_dataSource->State() : TDataSetState::dsInactive; }

    TDataSource *m_dataSource = nullptr;
    const bool m_visual = false;
    bool m_active = false;
    bool m_editing = false;
    bool m_readOnly = false;
    bool m_updating = false;
    int m_windowCapacity = 1;
    int m_firstRow = 0;
};
