// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include <QString>

#include "db/DataTypes.h"

class TxovCustomMemTable;

// The header of a stored record and of a record buffer; the value area follows it in the same
// block of memory.
struct TxovRecord
{
    qint32 IndexPos; // position in the current index it was fetched from; -1 otherwise
    qint32 SlotId; // slot number in the store; -1 until stored
    qint32 UniqueId; // number given when stored, never given again while the store lives
    quint8 RowFlags; // bit 0: held by the store
    quint8 ChangeState; // 0 unmodified, 1 modified
    qint32 TxLevel; // -1 initially
    quint32 RowTag; // 0 initially
    TxovRecord *OlderVersion;
    std::byte *ValueArea;

    // The header of a record not yet stored; the value area is left alone.
    void ResetHeader();
};

struct TxovRecordDeleter
{
    void operator()(TxovRecord *record) const;
};
using TxovRecordPtr = std::unique_ptr<TxovRecord, TxovRecordDeleter>;

// Memory for the stored records of one layout, taken in blocks of many records: a record is
// handed out and taken back one at a time, a freed place is handed out again first, and all of
// them go at once, whatever their number, by releasing the blocks.
class TxovRecordPool
{
    Q_DISABLE_COPY_MOVE(TxovRecordPool)

public:
    static constexpr std::size_t RecordsPerBlock = 1024;

    TxovRecordPool();
    ~TxovRecordPool();

    std::size_t PlaceSize() const { return m_placeSize; }
    // Only while no place is handed out; the size is rounded up to the header's alignment.
    void setPlaceSize(std::size_t size);
    // Uninitialised memory for one record of PlaceSize bytes.
    void *Take();
    void Give(void *place);
    // Frees every block; every place handed out is gone with them.
    void ReleaseAll();
    bool Empty() const { return m_blocks.empty(); }

private:
    struct FreePlace
    {
        FreePlace *next;
    };

    std::size_t m_placeSize = sizeof(TxovRecord);
    std::vector<std::unique_ptr<std::byte[]>> m_blocks;
    std::byte *m_unused = nullptr; // the untouched rest of the newest block
    std::byte *m_unusedEnd = nullptr;
    FreePlace *m_free = nullptr;
};

// One field definition: what the store lays out a value slot for.
struct TxovFieldDef
{
    QString Name;
    TFieldType DataType = TFieldType::ftInteger;
    bool Required = false;
    int Size = 0;
};

// A bookmark entry of a record: which stored record (by slot and unique number, so a removed
// record is recognised) and the bookmark flag.
struct TxovBookmarkEntry
{
    qint32 SlotId;
    qint32 UniqueId;
    TBookmarkFlag Flag;
};

// The record store behind a table: owns the stored records, hands out slot and unique numbers,
// keeps the auto-increment counter and the record layout, and knows the tables attached to it.
// Every store operation holds the store's re-entrant lock.
class TxovCommon
{
    Q_DISABLE_COPY_MOVE(TxovCommon)

public:
    static constexpr int MaxFieldDefs = 256;
    static constexpr int BookmarkEntrySize = 9; // slot number, unique number, flag byte
    // A post that takes a new slot fails once the unique numbers reach this value.
    static constexpr qint32 UniqueIdLimit = 0x7FFFFFD0;

    explicit TxovCommon(TxovCustomMemTable *owner);
    ~TxovCommon();

    std::recursive_mutex &Mutex() const { return m_mutex; }
    // The table's own lock: while it is held, no table of this store sends notifications.
    void Lock();
    void Unlock();
    bool NotificationsBlocked() const;

    // Record layout.
    void BuildLayout(const std::vector<TxovFieldDef> &defs);
    int FieldCount() const { return m_fieldCount; }
    int FieldStart(int index) const { return m_fieldStart[index]; }
    bool FieldVarLength(int index) const { return m_fieldFlags[index] & VarLengthFlag; }
    bool FieldCompressed(int index) const { return m_fieldFlags[index] & CompressedFlag; }
    int CalcAreaStart() const { return m_calcAreaStart; }
    int BookmarkAreaStart() const { return m_bookmarkAreaStart; }
    int VarLengthAreaStart() const { return m_varLengthAreaStart; }
    int ValueAreaSize() const { return m_valueAreaSize; }
    int RecordSize() const { return m_recordSize; }

    // A fresh record in the current layout: header initialised, every value byte zero unless
    // the caller fills the value area itself.
    TxovRecordPtr AllocRecord() const;
    static void CopyRecord(const TxovRecord *from, TxovRecord *to, int valueAreaSize);
    static TxovBookmarkEntry BookmarkEntry(const TxovRecord *record, int bookmarkStart, int attachment)
    {
        const std::byte *at = record->ValueArea + bookmarkStart + attachment * BookmarkEntrySize;
        TxovBookmarkEntry entry;
        std::memcpy(&entry.SlotId, at, 4);
        std::memcpy(&entry.UniqueId, at + 4, 4);
        entry.Flag = static_cast<TBookmarkFlag>(at[8]);
        return entry;
    }
    static void setBookmarkEntry(TxovRecord *record, int bookmarkStart, int attachment, const TxovBookmarkEntry &entry)
    {
        std::byte *at = record->ValueArea + bookmarkStart + attachment * BookmarkEntrySize;
        std::memcpy(at, &entry.SlotId, 4);
        std::memcpy(at + 4, &entry.UniqueId, 4);
        at[8] = static_cast<std::byte>(entry.Flag);
    }

    // Stores a copy of a record in the current layout (header and value area) in a free slot
    // (last freed first) or a new one; returns the stored record.
    TxovRecord *StoreRecord(const TxovRecord &record);
    // Takes a record out of its slot and frees it; the slot number becomes free.
    void RemoveRecord(qint32 slotId);
    // The stored record in a slot, nullptr for an empty or unknown slot.
    TxovRecord *RecordAt(qint32 slotId) const;
    // The stored record with this slot and unique number, nullptr when it is gone.
    TxovRecord *FindRecord(qint32 slotId, qint32 uniqueId) const;
    qint32 RecordCount() const;

    // Every open attached table drops its rows and cursor.
    void ClearAllTables();
    // Frees every record and resets the counters; draws a new content stamp. Costs the same
    // whatever the number of records.
    void ClearRecords();

    const std::vector<TxovRecord *> &Slots() const { return m_slots; }
    const std::vector<qint32> &FreeSlots() const { return m_freeSlots; }
    qint32 NextSlotId() const { return m_nextSlotId; }
    qint32 NextUniqueId() const { return m_nextUniqueId; }
    // For restoring a store's numbering; the next stored record takes this unique number.
    void setNextUniqueId(qint32 value);
    quint32 ContentStamp() const { return m_contentStamp; }

    qint32 AutoIncMinValue() const { return m_autoIncMinValue; }
    void setAutoIncMinValue(qint32 value);
    qint32 HighestAutoInc() const { return m_highestAutoInc; }
    void setHighestAutoInc(qint32 value);

    int AttachMaxCount() const { return m_attachMaxCount; }
    void setAttachMaxCount(int value);
    bool Standalone() const { return m_standalone; }
    void setStandalone(bool value) { m_standalone = value; }
    bool EnableVersioning() const { return m_versioning; }
    void setEnableVersioning(bool value) { m_versioning = value; }
    int TransactionLevel() const { return m_transactionLevel; }
    quint32 LocaleID() const { return m_localeId; }
    void setLocaleID(quint32 value) { m_localeId = value; }

    // Attachments: entry 0 is the owner table.
    int Attach(TxovCustomMemTable *table);
    void Detach(TxovCustomMemTable *table);
    const std::vector<TxovCustomMemTable *> &Attachments() const { return m_attachments; }
    bool AnyTableOpen() const;

private:
    enum : quint8 { VarLengthFlag = 1, CompressedFlag = 2 };

    void drawContentStamp();

    mutable std::recursive_mutex m_mutex;
    int m_blockCount = 0;

    int m_fieldCount = 0;
    std::array<int, MaxFieldDefs> m_fieldStart {};
    std::array<quint8, MaxFieldDefs> m_fieldFlags {};
    int m_calcAreaStart = 0;
    int m_bookmarkAreaStart = 0;
    int m_varLengthAreaStart = 0;
    int m_valueAreaSize = 0;
    int m_recordSize = 0;

    // The stored records live in the pool; a slot of a removed record is nullptr.
    TxovRecordPool m_pool;
    std::vector<TxovRecord *> m_slots;
    std::vector<qint32> m_freeSlots;
    qint32 m_recordCount = 0;
    qint32 m_nextSlotId = 0;
    qint32 m_nextUniqueId = 0;
    quint32 m_contentStamp = 0;

    qint32 m_autoIncMinValue = 0;
    qint32 m_highestAutoInc = 0;

    int m_attachMaxCount = 1;
    bool m_standalone = false;
    bool m_versioning = false;
    int m_transactionLevel = 0;
    quint32 m_localeId = 1024;

    std::vector<TxovCustomMemTable *> m_attachments;
};
