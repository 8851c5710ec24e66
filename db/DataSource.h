// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <vector>

#include <QObject>
#include <QVarLengthArray>

#include "db/DataTypes.h"

class TDataSet;
class TDataLink;
class TField;

// Connects bound views (through their links) to one dataset and passes its notifications on.
class TDataSource final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDataSource)

public:
    explicit TDataSource(QObject *parent = nullptr);
    ~TDataSource() override;

    TDataSet *DataSet() const { return m_dataSet; }
    void setDataSet(TDataSet *dataSet);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool value);
    bool AutoEdit() const { return m_autoEdit; }
    void setAutoEdit(bool value);
    // The dataset's state while enabled, otherwise inactive.
    TDataSetState State() const { return m_state; }
    // Puts the dataset into state edit when AutoEdit is set and the state is browse.
    void EditRow();

    std::function<void(TDataSource *)> OnStateChange;
    std::function<void(TDataSource *, TField *)> OnDataChange;
    std::function<void(TDataSource *)> OnUpdateData;

private:
    friend class TDataSet;
    friend class TDataLink;

    void addLink(TDataLink *link);
    void removeLink(TDataLink *link);
    // The links in delivery order: non-visual first, then visual, each group last attached first.
    using LinkList = QVarLengthArray<TDataLink *, 8>;
    void orderLinks();
    bool isAttached(const TDataLink *link) const;
    void deliver(TDataEvent event, qintptr info);
    void updateState();
    void dataEvent(TDataEvent event, qintptr info);
    void dataSetDestroyed();

    TDataSet *m_dataSet = nullptr;
    std::vector<TDataLink *> m_links; // in the order they were attached
    // The links in delivery order: non-visual first, then visual, each group last attached first.
    std::vector<TDataLink *> m_deliveryOrder;
    quint32 m_linksChanged = 0; // counts attachments and detachments
    TDataSetState m_state = TDataSetState::dsInactive;
    bool m_enabled = true;
    bool m_autoEdit = true;
    bool m_destroying = false;
};
