// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "memtable/xovCommon.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include <QRandomGenerator>

#include "db/DatabaseError.h"
#include "memtable/xovMemTable.h"

void TxovRecordDeleter::operator()(TxovRecord *record) const
{
    ::operator delete(static_cast<void *>(record));
}

TxovRecordPool::TxovRecordPool() = default;

TxovRecordPool::~TxovRecordPool() = default;

void TxovRecordPool::setPlaceSize(std::size_t size)
{
    Q_ASSERT(Empty());
    constexpr std::size_t align = alignof(TxovRecord);
    m_placeSize = std::max(sizeof(FreePlace), (size + align - 1) / align * align);
}

void *TxovRecordPool::Take()
{
    if (m_free) {
        FreePlace *place = m_free;
        m_free = place->next;
        return place;
    }
    if (m_unused == m_unusedEnd) {
        // Left uninitialised, so that only the places in use take up memory.
        m_blocks.push_back(std::make_unique_for_overwrite<std::byte[]>(m_placeSize * RecordsPerBlock));
        m_unused = m_blocks.back().get();
        m_unusedEnd = m_unused + m_placeSize * RecordsPerBlock;
    }
    void *place = m_unused;
    m_unused += m_placeSize;
    return place;
}

void TxovRecordPool::Give(void *place)
{
    m_free = new (place) FreePlace {m_free};
}

void TxovRecordPool::ReleaseAll()
{
    m_blocks.clear();
    m_unused = m_unusedEnd = nullptr;
    m_free = nullptr;
}

TxovCommon::TxovCommon(TxovCustomMemTable *owner)
{
    m_attachments.assign(m_attachMaxCount, nullptr);
    drawContentStamp();
    if (owner)
        Attach(owner);
}

TxovCommon::~TxovCommon() = default;

void TxovCommon::Lock()
{
    m_mutex.lock();
    ++m_blockCount;
}

void TxovCommon::Unlock()
{
    --m_blockCount;
    m_mutex.unlock();
}

bool TxovCommon::NotificationsBlocked() const
{
    return m_blockCount > 0;
}

void TxovCommon::BuildLayout(const std::vector<TxovFieldDef> &defs)
{
    std::scoped_lock lock(m_mutex);
    if (defs.empty())
        throw EMemTableError(QStringLiteral("There must be at least one field"));
    // Definitions beyond the layout tables cannot be given a slot.
    if (defs.size() > MaxFieldDefs)
        throw EMemTableError(QStringLiteral("Too many fields"));
    int calcAreaStart = 0;
    for (const TxovFieldDef &def : defs)
        calcAreaStart += 1 + def.Size; // indicator byte, then the value
    // No calculated and no variable-length fields are stored.
    const int varLengthAreaStart = calcAreaStart + m_attachMaxCount * BookmarkEntrySize;
    const int recordSize = int(sizeof(TxovRecord)) + varLengthAreaStart;
    // Stored records are read in the layout they were stored in: another size needs an empty store.
    if (m_recordCount > 0 && recordSize != m_recordSize)
        throw EMemTableError(QStringLiteral("Table must be closed for this operation."));

    int offset = 0;
    for (size_t i = 0; i < defs.size(); ++i) {
        m_fieldStart[i] = offset;
        m_fieldFlags[i] = 0;
        offset += 1 + defs[i].Size;
    }
    m_fieldCount = int(defs.size());
    m_calcAreaStart = calcAreaStart;
    m_bookmarkAreaStart = calcAreaStart;
    m_varLengthAreaStart = varLengthAreaStart;
    m_valueAreaSize = varLengthAreaStart;
    m_recordSize = recordSize;
    if (m_recordCount == 0) {
        m_pool.ReleaseAll();
        m_pool.setPlaceSize(size_t(m_recordSize));
    }
}

void TxovRecord::ResetHeader()
{
    IndexPos = -1;
    SlotId = -1;
    UniqueId = -1;
    RowFlags = 0;
    ChangeState = 0;
    TxLevel = -1;
    RowTag = 0;
    OlderVersion = nullptr;
}

TxovRecordPtr TxovCommon::AllocRecord() const
{
    void *block = ::operator new(size_t(m_recordSize));
    auto *record = new (block) TxovRecord;
    record->ResetHeader();
    record->ValueArea = static_cast<std::byte *>(block) + sizeof(TxovRecord);
    std::memset(record->ValueArea, 0, size_t(m_valueAreaSize));
    return TxovRecordPtr(record);
}

void TxovCommon::CopyRecord(const TxovRecord *from, TxovRecord *to, int valueAreaSize)
{
    std::byte *valueArea = to->ValueArea;
    *to = *from;
    to->ValueArea = valueArea;
    std::memcpy(valueArea, from->ValueArea, size_t(valueAreaSize));
}

TxovRecord *TxovCommon::StoreRecord(const TxovRecord &from)
{
    std::scoped_lock lock(m_mutex);
    const bool reused = !m_freeSlots.empty();
    // A reused slot is let through up to the very last unique number; a new slot stops earlier.
    if ((reused && m_nextUniqueId == std::numeric_limits<qint32>::max())
        || (!reused && m_nextUniqueId + 1 >= UniqueIdLimit))
        throw EMemTableFatalError(QStringLiteral("Bookmark counter is out of range. Please close and reopen table."));
    void *place = m_pool.Take();
    qint32 slot;
    if (reused) {
        slot = m_freeSlots.back();
        m_freeSlots.pop_back();
    } else {
        try {
            m_slots.push_back(nullptr);
        } catch (...) {
            m_pool.Give(place);
            throw;
        }
        slot = m_nextSlotId++;
    }
    auto *record = new (place) TxovRecord(from);
    record->ValueArea = static_cast<std::byte *>(place) + sizeof(TxovRecord);
    std::memcpy(record->ValueArea, from.ValueArea, size_t(m_valueAreaSize));
    record->SlotId = slot;
    record->UniqueId = m_nextUniqueId++;
    record->RowFlags |= 1;
    record->IndexPos = -1;
    m_slots[slot] = record;
    ++m_recordCount;
    return record;
}

void TxovCommon::RemoveRecord(qint32 slotId)
{
    std::scoped_lock lock(m_mutex);
    if (slotId < 0 || slotId >= qint32(m_slots.size()) || !m_slots[slotId])
        return;
    m_pool.Give(m_slots[slotId]);
    m_slots[slotId] = nullptr;
    m_freeSlots.push_back(slotId);
    --m_recordCount;
}

TxovRecord *TxovCommon::RecordAt(qint32 slotId) const
{
    std::scoped_lock lock(m_mutex);
    if (slotId < 0 || slotId >= qint32(m_slots.size()))
        return nullptr;
    return m_slots[slotId];
}

TxovRecord *TxovCommon::FindRecord(qint32 slotId, qint32 uniqueId) const
{
    TxovRecord *record = RecordAt(slotId);
    return record && record->UniqueId == uniqueId ? record : nullptr;
}

qint32 TxovCommon::RecordCount() const
{
    return m_recordCount;
}

void TxovCommon::ClearAllTables()
{
    std::scoped_lock lock(m_mutex);
    for (TxovCustomMemTable *table : m_attachments) {
        if (table && table->Active())
            table->clearForEmptying();
    }
}

void TxovCommon::ClearRecords()
{
    std::scoped_lock lock(m_mutex);
    // The records go with their blocks; the lists hold plain references and are reset in place.
    m_slots.clear();
    m_pool.ReleaseAll();
    m_freeSlots.clear();
    m_recordCount = 0;
    m_nextSlotId = 0;
    m_nextUniqueId = 0;
    drawContentStamp();
}

void TxovCommon::setNextUniqueId(qint32 value)
{
    std::scoped_lock lock(m_mutex);
    m_nextUniqueId = value;
}

void TxovCommon::drawContentStamp()
{
    const quint32 old = m_contentStamp;
    do {
        m_contentStamp = QRandomGenerator::global()->bounded(1073741825u);
    } while (m_contentStamp == old);
}

void TxovCommon::setAutoIncMinValue(qint32 value)
{
    std::scoped_lock lock(m_mutex);
    m_autoIncMinValue = value;
    if (m_highestAutoInc < value)
        m_highestAutoInc = value - 1;
}

void TxovCommon::setHighestAutoInc(qint32 value)
{
    std::scoped_lock lock(m_mutex);
    m_highestAutoInc = value;
}

void TxovCommon::setAttachMaxCount(int value)
{
    std::scoped_lock lock(m_mutex);
    if (value < 1)
        throw ERangeError(QStringLiteral("Invalid argument."));
    if (value == m_attachMaxCount)
        return;
    if (AnyTableOpen())
        throw EMemTableError(QStringLiteral("Table must be closed for this operation."));
    // Tables attached beyond the new count lose their attachment.
    for (size_t i = size_t(value); i < m_attachments.size(); ++i) {
        if (m_attachments[i])
            m_attachments[i]->detachedFromStore();
    }
    m_attachments.resize(size_t(value), nullptr);
    m_attachMaxCount = value;
}

int TxovCommon::Attach(TxovCustomMemTable *table)
{
    std::scoped_lock lock(m_mutex);
    for (size_t i = 0; i < m_attachments.size(); ++i) {
        if (!m_attachments[i]) {
            m_attachments[i] = table;
            return int(i);
        }
    }
    throw EMemTableError(QStringLiteral("No more tables can be attached to this store."));
}

void TxovCommon::Detach(TxovCustomMemTable *table)
{
    std::scoped_lock lock(m_mutex);
    for (auto &entry : m_attachments) {
        if (entry == table)
            entry = nullptr;
    }
}

bool TxovCommon::AnyTableOpen() const
{
    std::scoped_lock lock(m_mutex);
    for (const TxovCustomMemTable *table : m_attachments) {
        if (table && table->Active())
            return true;
    }
    return false;
}
