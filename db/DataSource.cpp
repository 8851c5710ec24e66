// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "db/DataSource.h"

#include <algorithm>

#include "db/DataLink.h"
#include "db/DataSet.h"

TDataSource::TDataSource(QObject *parent)
    : QObject(parent)
{ }

TDataSource::~TDataSource()
{
    // Links still hear that they lost their data; the source's own handlers may belong to
    // objects already gone.
    m_destroying = true;
    const auto links = m_links;
    for (TDataLink *link : links)
        link->setDataSource(nullptr);
    setDataSet(nullptr);
}

void TDataSource::setDataSet(TDataSet *dataSet)
{
    if (dataSet == m_dataSet)
        return;
    if (m_dataSet)
        m_dataSet->removeDataSource(this);
    m_dataSet = dataSet;
    if (m_dataSet)
        m_dataSet->addDataSource(this);
    const TDataSetState before = m_state;
    updateState();
    // Views that stay active now show another dataset's rows: they must read them again.
    if (m_state == before && m_state != TDataSetState::dsInactive)
        dataEvent(TDataEvent::deDataSetChange, 0);
}

void TDataSource::dataSetDestroyed()
{
    m_dataSet = nullptr;
    updateState();
}

void TDataSource::setEnabled(bool value)
{
    if (value == m_enabled)
        return;
    m_enabled = value;
    updateState();
}

void TDataSource::setAutoEdit(bool value)
{
    m_autoEdit = value;
}

void TDataSource::EditRow()
{
    if (m_autoEdit && m_state == TDataSetState::dsBrowse)
        m_dataSet->EditRow();
}

void TDataSource::addLink(TDataLink *link)
{
    m_links.push_back(link);
    orderLinks();
    if (m_dataSet)
        m_dataSet->updateWindowSize();
}

void TDataSource::removeLink(TDataLink *link)
{
    std::erase(m_links, link);
    orderLinks();
    if (m_dataSet)
        m_dataSet->updateWindowSize();
}

void TDataSource::orderLinks()
{
    m_deliveryOrder.clear();
    for (auto it = m_links.rbegin(); it != m_links.rend(); ++it) {
        if (!(*it)->m_visual)
            m_deliveryOrder.push_back(*it);
    }
    for (auto it = m_links.rbegin(); it != m_links.rend(); ++it) {
        if ((*it)->m_visual)
            m_deliveryOrder.push_back(*it);
    }
    ++m_linksChanged;
}

void TDataSource::deliver(TDataEvent event, qintptr info)
{
    const LinkList links(m_deliveryOrder.begin(), m_deliveryOrder.end());
    const quint32 changes = m_linksChanged;
    for (TDataLink *link : links) {
        // A reaction may have detached a link that has not heard yet.
        if (m_linksChanged == changes || isAttached(link))
            link->DataEvent(event, info);
    }
}

bool TDataSource::isAttached(const TDataLink *link) const
{
    return std::find(m_links.begin(), m_links.end(), link) != m_links.end();
}

void TDataSource::updateState()
{
    const TDataSetState state = m_enabled && m_dataSet ? m_dataSet->State() : TDataSetState::dsInactive;
    if (state == m_state)
        return;
    const TDataSetState old = m_state;
    m_state = state;
    deliver(TDataEvent::deUpdateState, 0);
    if (m_destroying)
        return;
    if (OnStateChange)
        OnStateChange(this);
    if (old == TDataSetState::dsInactive && OnDataChange)
        OnDataChange(this, nullptr);
}

void TDataSource::dataEvent(TDataEvent event, qintptr info)
{
    if (event == TDataEvent::deUpdateState) {
        updateState();
        return;
    }
    if (m_state == TDataSetState::dsInactive)
        return;
    deliver(event, info);
    switch (event) {
    case TDataEvent::deFieldChange:
        if (OnDataChange)
            OnDataChange(this, reinterpret_cast<TField *>(info));
        break;
    case TDataEvent::deRecordChange:
    case TDataEvent::deDataSetChange:
    case TDataEvent::deDataSetScroll:
    case TDataEvent::deLayoutChange:
        if (OnDataChange)
            OnDataChange(this, nullptr);
        break;
    case TDataEvent::deUpdateRecord:
        if (OnUpdateData)
            OnUpdateData(this);
        break;
    default:
        break;
    }
}
