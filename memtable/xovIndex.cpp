// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "memtable/xovIndex.h"

#include <algorithm>

TxovIndex::TxovIndex(QString name)
    : m_name(std::move(name))
{ }

TxovIndex::~TxovIndex() = default;

void TxovIndex::Append(TxovRecord *record)
{
    m_entries.push_back(record);
    m_unordered = false;
}

void TxovIndex::InsertAt(qint32 position, TxovRecord *record)
{
    position = std::clamp(position, 0, Count());
    m_entries.insert(m_entries.begin() + position, record);
    m_unordered = false;
}

void TxovIndex::RemoveAt(qint32 position)
{
    m_entries.erase(m_entries.begin() + position);
}

void TxovIndex::Clear()
{
    m_entries.clear();
    m_unordered = true;
}

void TxovIndex::Rebuild(const TxovCommon &store)
{
    m_entries.clear();
    for (TxovRecord *record : store.Slots()) {
        if (record)
            m_entries.push_back(record);
    }
    m_unordered = false;
}

qint32 TxovIndex::FindBySlot(qint32 slotId, qint32 hint) const
{
    const qint32 count = Count();
    if (hint >= 0 && hint < count && m_entries[hint]->SlotId == slotId)
        return hint;
    if (!m_unordered) {
        // Slot numbers ascend along the row order until a freed slot is reused.
        qint32 lo = 0;
        qint32 hi = count - 1;
        while (lo <= hi) {
            const qint32 mid = lo + (hi - lo) / 2;
            const qint32 at = m_entries[mid]->SlotId;
            if (at == slotId)
                return mid;
            if (at < slotId)
                lo = mid + 1;
            else
                hi = mid - 1;
        }
        lo = 0;
        hi = count - 1;
        while (lo <= hi) {
            const qint32 mid = lo + (hi - lo) / 2;
            const qint32 at = m_entries[mid]->SlotId;
            if (at == slotId)
                return mid;
            if (at > slotId)
                lo = mid + 1;
            else
                hi = mid - 1;
        }
    }
    return FindBySlotLinear(slotId);
}

qint32 TxovIndex::FindBySlotLinear(qint32 slotId) const
{
    for (qint32 i = 0; i < Count(); ++i) {
        if (m_entries[i]->SlotId == slotId)
            return i;
    }
    return -1;
}

TxovIndexes::TxovIndexes()
{
    m_indexes.push_back(std::make_unique<TxovIndex>(RowOrderName));
}

TxovIndexes::~TxovIndexes() = default;

TxovIndex *TxovIndexes::Find(const QString &name) const
{
    for (const auto &index : m_indexes) {
        if (index->Name().compare(name, Qt::CaseInsensitive) == 0)
            return index.get();
    }
    return nullptr;
}

TxovIndex *TxovIndexes::Add(const QString &name)
{
    m_indexes.push_back(std::make_unique<TxovIndex>(name));
    return m_indexes.back().get();
}

void TxovIndexes::DropAllButRowOrder()
{
    m_indexes.resize(1);
}

void TxovIndexes::EmptyAll()
{
    for (const auto &index : m_indexes)
        index->Clear();
}
