// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "memtable/xovMemTable.h"

#include <cstring>

#include <QtEndian>

#include "db/Field.h"

namespace {

TxovRecord *recordOf(std::byte *buffer)
{
    return reinterpret_cast<TxovRecord *>(buffer);
}

constexpr int BookmarkSize = 12; // slot number, unique number, content stamp

} // namespace

TxovCustomMemTable::TxovCustomMemTable(QObject *parent)
    : TDataSet(parent)
    , m_common(std::make_unique<TxovCommon>(nullptr))
    , m_indexes(std::make_unique<TxovIndexes>())
{
    m_attachNumber = m_common->Attach(this);
    m_currentIndex = m_indexes->RowOrder();
}

TxovCustomMemTable::~TxovCustomMemTable()
{
    BeginDestroy();
    try {
        CloseTable();
    } catch (...) {
        // A table going away cannot report anything; its rows go with it.
    }
    if (m_common)
        m_common->Detach(this);
}

void TxovCustomMemTable::detachedFromStore()
{
    m_attachNumber = -1;
}

// ---------------------------------------------------------------------------------------------
// Properties

void TxovCustomMemTable::addFieldDef(const QString &name, TFieldType dataType, bool required)
{
    if (Active())
        DatabaseError(QStringLiteral("Cannot perform this operation on an open dataset"));
    TxovFieldDef def;
    def.Name = name;
    def.DataType = dataType;
    def.Required = required;
    def.Size = 4;
    m_fieldDefs.push_back(def);
}

void TxovCustomMemTable::clearFieldDefs()
{
    if (Active())
        DatabaseError(QStringLiteral("Cannot perform this operation on an open dataset"));
    m_fieldDefs.clear();
}

int TxovCustomMemTable::AttachMaxCount() const
{
    return m_common->AttachMaxCount();
}

void TxovCustomMemTable::setAttachMaxCount(int value)
{
    m_common->setAttachMaxCount(value);
}

qint32 TxovCustomMemTable::AutoIncMinValue() const
{
    return m_common->AutoIncMinValue();
}

void TxovCustomMemTable::setAutoIncMinValue(qint32 value)
{
    m_common->setAutoIncMinValue(value);
}

qint32 TxovCustomMemTable::HighestAutoInc() const
{
    return m_common->HighestAutoInc();
}

int TxovCustomMemTable::LanguageID() const
{
    return int(m_common->LocaleID() & 0xFF);
}

void TxovCustomMemTable::setLanguageID(int value)
{
    setLocaleID(quint32(value & 0xFF) + 1024u * quint32(SubLanguageID()) + 65536u * quint32(SortID()));
}

int TxovCustomMemTable::SubLanguageID() const
{
    return int((m_common->LocaleID() >> 10) & 0x3F);
}

void TxovCustomMemTable::setSubLanguageID(int value)
{
    setLocaleID(quint32(LanguageID()) + 1024u * quint32(value & 0x3F) + 65536u * quint32(SortID()));
}

int TxovCustomMemTable::SortID() const
{
    return int((m_common->LocaleID() >> 16) & 0xF);
}

void TxovCustomMemTable::setSortID(int value)
{
    setLocaleID(quint32(LanguageID()) + 1024u * quint32(SubLanguageID()) + 65536u * quint32(value & 0xF));
}

quint32 TxovCustomMemTable::LocaleID() const
{
    return m_common->LocaleID();
}

void TxovCustomMemTable::setLocaleID(quint32 value)
{
    m_common->setLocaleID(value);
}

bool TxovCustomMemTable::Standalone() const
{
    return m_common->Standalone();
}

void TxovCustomMemTable::setStandalone(bool value)
{
    m_common->setStandalone(value);
}

bool TxovCustomMemTable::EnableVersioning() const
{
    return m_common->EnableVersioning();
}

void TxovCustomMemTable::setEnableVersioning(bool value)
{
    m_common->setEnableVersioning(value);
}

void TxovCustomMemTable::Lock()
{
    m_common->Lock();
}

void TxovCustomMemTable::Unlock()
{
    m_common->Unlock();
}

void TxovCustomMemTable::BeginStoreAccess()
{
    m_common->Mutex().lock();
}

void TxovCustomMemTable::EndStoreAccess()
{
    m_common->Mutex().unlock();
}

bool TxovCustomMemTable::NotificationsBlocked() const
{
    return m_common->NotificationsBlocked();
}

bool TxovCustomMemTable::CanModify() const
{
    return !m_readOnly;
}

void TxovCustomMemTable::progress(int percent, TxovProgressCode code)
{
    if (OnProgress && m_progressFlags.testFlag(code) && !Destroying())
        OnProgress(this, percent, code);
}

// ---------------------------------------------------------------------------------------------
// Rows and counts

qint32 TxovCustomMemTable::RowCount() const
{
    CheckActive();
    return m_currentIndex->Count();
}

qint32 TxovCustomMemTable::RowNumber() const
{
    if (!Active())
        return -1;
    const TRecordBuffer buffer = ActiveBuffer();
    if (!buffer)
        return -1;
    const qint32 pos = recordOf(buffer)->IndexPos;
    return pos >= 0 ? pos + 1 : -1;
}

bool TxovCustomMemTable::NumbersRows() const
{
    return !m_filtered;
}

void TxovCustomMemTable::RemoveAllRows()
{
    progress(0, TxovProgressCode::mtpcEmpty);
    HoldNotifications();
    try {
        m_common->ClearAllTables();
        m_common->ClearRecords();
    } catch (...) {
        ReleaseNotifications();
        throw;
    }
    ReleaseNotifications();
    progress(100, TxovProgressCode::mtpcEmpty);
}

void TxovCustomMemTable::clearForEmptying()
{
    const TDataSetState state = State();
    if (state == TDataSetState::dsEdit || state == TDataSetState::dsInsert)
        FinishPendingRow();
    ClearWindow();
    m_indexes->EmptyAll();
    m_cursorPos = -1;
}

// ---------------------------------------------------------------------------------------------
// Opening and closing

void TxovCustomMemTable::InternalOpen()
{
    if (Fields().empty()) {
        for (const TxovFieldDef &def : m_fieldDefs) {
            if (def.DataType == TFieldType::ftAutoInc)
                new TAutoIncField(this, def.Name);
            else
                new TIntegerField(this, def.Name);
        }
    }
    std::vector<TxovFieldDef> defs;
    std::vector<TField *> bound;
    for (TField *field : Fields()) {
        if (field->FieldKind() != TFieldKind::fkData && field->FieldKind() != TFieldKind::fkInternalCalc)
            continue;
        TxovFieldDef def;
        def.Name = field->FieldName();
        def.DataType = field->DataType();
        def.Required = field->Required();
        def.Size = field->DataSize();
        defs.push_back(def);
        bound.push_back(field);
    }
    m_common->BuildLayout(defs); // raises when there is no field definition
    m_fieldDefs = defs;

    m_autoIncField = nullptr;
    for (TField *field : Fields()) {
        if (field->DataType() == TFieldType::ftAutoInc) {
            m_autoIncField = field;
            break;
        }
    }
    // Numbers are 32-bit and step round from the largest to the smallest value.
    m_common->setHighestAutoInc(qint32(quint32(m_common->AutoIncMinValue()) - 1u));
    for (TField *field : Fields())
        setFieldBinding(field, -1);
    for (size_t i = 0; i < bound.size(); ++i)
        setFieldBinding(bound[i], int(i));

    m_cursorPos = -1;
    m_indexes->DropAllButRowOrder();
    m_currentIndex = m_indexes->RowOrder();
    m_currentIndex->Rebuild(*m_common);
}

void TxovCustomMemTable::InternalClose()
{
    m_indexes->DropAllButRowOrder();
    m_indexes->RowOrder()->Clear();
    m_currentIndex = m_indexes->RowOrder();
    m_cursorPos = -1;
    if (m_attachNumber == 0) {
        // The owner's rows are the store's: closing discards them, and every other table
        // attached to the store closes with it.
        RemoveAllRows();
        for (TxovCustomMemTable *table : m_common->Attachments()) {
            if (table && table != this)
                table->CloseTable();
        }
    }
    for (TField *field : Fields())
        setFieldBinding(field, -1);
}

// ---------------------------------------------------------------------------------------------
// Buffers and the cursor

TDataSet::TRecordBuffer TxovCustomMemTable::AllocRecordBuffer()
{
    return reinterpret_cast<TRecordBuffer>(m_common->AllocRecord().release());
}

void TxovCustomMemTable::FreeRecordBuffer(TRecordBuffer buffer)
{
    TxovRecordDeleter()(recordOf(buffer));
}

TxovBookmarkEntry TxovCustomMemTable::bookmarkEntry(TRecordBuffer buffer) const
{
    return TxovCommon::BookmarkEntry(recordOf(buffer), m_common->BookmarkAreaStart(), m_attachNumber);
}

void TxovCustomMemTable::setBookmarkEntry(TRecordBuffer buffer, const TxovBookmarkEntry &entry)
{
    TxovCommon::setBookmarkEntry(recordOf(buffer), m_common->BookmarkAreaStart(), m_attachNumber, entry);
}

void TxovCustomMemTable::InternalFirst()
{
    m_cursorPos = -1;
}

void TxovCustomMemTable::InternalLast()
{
    std::scoped_lock lock(m_common->Mutex());
    m_cursorPos = m_currentIndex->Count();
}

bool TxovCustomMemTable::FetchRecord(TRecordBuffer buffer, TGetMode mode)
{
    std::scoped_lock lock(m_common->Mutex());
    const qint32 count = m_currentIndex->Count();
    switch (mode) {
    case TGetMode::gmCurrent:
        if (m_cursorPos < 0 || m_cursorPos >= count)
            return false;
        break;
    case TGetMode::gmNext:
        if (m_cursorPos >= count - 1)
            return false;
        ++m_cursorPos;
        break;
    case TGetMode::gmPrior:
        if (m_cursorPos <= 0)
            return false;
        --m_cursorPos;
        break;
    }
    const TxovRecord *stored = m_currentIndex->At(m_cursorPos);
    TxovRecord *copy = recordOf(buffer);
    TxovCommon::CopyRecord(stored, copy, m_common->ValueAreaSize());
    copy->IndexPos = m_cursorPos;
    copy->RowFlags &= ~quint8(1);
    setBookmarkEntry(buffer, {stored->SlotId, stored->UniqueId, TBookmarkFlag::bfCurrent});
    return true;
}

qint32 TxovCustomMemTable::RecordPosition(TRecordBuffer buffer) const
{
    return recordOf(buffer)->IndexPos;
}

qint32 TxovCustomMemTable::ReusablePosition(TRecordBuffer buffer) const
{
    return BookmarkFlagOf(buffer) == TBookmarkFlag::bfCurrent ? recordOf(buffer)->IndexPos : -1;
}

void TxovCustomMemTable::setRecordPosition(TRecordBuffer buffer, qint32 position)
{
    recordOf(buffer)->IndexPos = position;
}

bool TxovCustomMemTable::FetchRecordAt(TRecordBuffer buffer, qint32 position)
{
    std::scoped_lock lock(m_common->Mutex());
    if (position < 0 || position >= m_currentIndex->Count())
        return false;
    m_cursorPos = position;
    return FetchRecord(buffer, TGetMode::gmCurrent);
}

void TxovCustomMemTable::InternalInitRecord(TRecordBuffer buffer)
{
    TxovRecord *record = recordOf(buffer);
    record->ResetHeader();
    std::memset(record->ValueArea, 0, size_t(m_common->ValueAreaSize()));
    setBookmarkEntry(buffer, {-1, -1, TBookmarkFlag::bfCurrent});
}

qint32 TxovCustomMemTable::positionOf(qint32 slotId, qint32 uniqueId, qint32 hint) const
{
    const qint32 pos = m_currentIndex->FindBySlot(slotId, hint);
    return pos >= 0 && m_currentIndex->At(pos)->UniqueId == uniqueId ? pos : -1;
}

void TxovCustomMemTable::InternalSetToRecord(TRecordBuffer buffer)
{
    std::scoped_lock lock(m_common->Mutex());
    const TxovBookmarkEntry entry = bookmarkEntry(buffer);
    switch (entry.Flag) {
    case TBookmarkFlag::bfCurrent:
    case TBookmarkFlag::bfInserted: {
        const qint32 indexPos = recordOf(buffer)->IndexPos;
        if (indexPos >= 0) {
            m_cursorPos = indexPos;
        } else {
            const qint32 pos = positionOf(entry.SlotId, entry.UniqueId, -1);
            if (pos >= 0)
                m_cursorPos = pos;
        }
        break;
    }
    case TBookmarkFlag::bfEOF:
        m_cursorPos = m_currentIndex->Count();
        break;
    case TBookmarkFlag::bfBOF:
        m_cursorPos = -1;
        break;
    }
}

TBookmarkFlag TxovCustomMemTable::BookmarkFlagOf(TRecordBuffer buffer) const
{
    const int flagAt = m_common->BookmarkAreaStart() + m_attachNumber * TxovCommon::BookmarkEntrySize + 8;
    return static_cast<TBookmarkFlag>(recordOf(buffer)->ValueArea[flagAt]);
}

void TxovCustomMemTable::setBookmarkFlagOf(TRecordBuffer buffer, TBookmarkFlag flag)
{
    TxovBookmarkEntry entry = bookmarkEntry(buffer);
    entry.Flag = flag;
    setBookmarkEntry(buffer, entry);
}

void TxovCustomMemTable::CopyBookmarkEntry(TRecordBuffer from, TRecordBuffer to)
{
    setBookmarkEntry(to, bookmarkEntry(from));
}

// ---------------------------------------------------------------------------------------------
// Bookmarks

TBookmark TxovCustomMemTable::BookmarkOf(TRecordBuffer buffer) const
{
    const TxovBookmarkEntry entry = bookmarkEntry(buffer);
    const quint32 stamp = m_common->ContentStamp();
    TBookmark bookmark;
    bookmark.data.resize(BookmarkSize);
    std::memcpy(bookmark.data.data(), &entry.SlotId, 4);
    std::memcpy(bookmark.data.data() + 4, &entry.UniqueId, 4);
    std::memcpy(bookmark.data.data() + 8, &stamp, 4);
    return bookmark;
}

bool TxovCustomMemTable::decodeBookmark(const TBookmark &bookmark, qint32 &slotId, qint32 &uniqueId) const
{
    if (bookmark.data.size() != BookmarkSize)
        return false;
    quint32 stamp;
    std::memcpy(&slotId, bookmark.data.constData(), 4);
    std::memcpy(&uniqueId, bookmark.data.constData() + 4, 4);
    std::memcpy(&stamp, bookmark.data.constData() + 8, 4);
    return stamp == m_common->ContentStamp() && m_common->FindRecord(slotId, uniqueId) != nullptr;
}

bool TxovCustomMemTable::BookmarkStillValid(const TBookmark &bookmark) const
{
    qint32 slotId, uniqueId;
    return decodeBookmark(bookmark, slotId, uniqueId);
}

int TxovCustomMemTable::BookmarkOrder(const TBookmark &a, const TBookmark &b) const
{
    qint32 slotA, uniqueA, slotB, uniqueB;
    if (!decodeBookmark(a, slotA, uniqueA) || !decodeBookmark(b, slotB, uniqueB))
        return 0;
    return slotA < slotB ? -1 : slotA > slotB ? 1 : 0;
}

bool TxovCustomMemTable::InternalGotoBookmark(const TBookmark &bookmark)
{
    std::scoped_lock lock(m_common->Mutex());
    qint32 slotId, uniqueId;
    if (!decodeBookmark(bookmark, slotId, uniqueId))
        return false;
    qint32 pos = -1;
    if (m_currentIndex->Count() <= 5) {
        pos = m_currentIndex->FindBySlotLinear(slotId);
        if (pos >= 0 && m_currentIndex->At(pos)->UniqueId != uniqueId)
            pos = -1;
    } else {
        pos = positionOf(slotId, uniqueId, -1);
    }
    if (pos < 0)
        return false;
    m_cursorPos = pos;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Editing

void TxovCustomMemTable::InternalInsert()
{
    m_insertPos = RowNumber();
}

void TxovCustomMemTable::InternalNewRecord(TRecordBuffer buffer)
{
    if (m_autoIncField && m_autoIncField->DefinitionIndex() >= 0) {
        // After the largest 32-bit number the numbering goes round to the smallest.
        const qint32 next = qint32(quint32(m_common->HighestAutoInc()) + 1u);
        WriteFieldData(m_autoIncField, buffer, &next);
    }
}

void TxovCustomMemTable::InternalBeforePost(TRecordBuffer buffer)
{
    if (!m_autoIncField || m_autoIncField->DefinitionIndex() < 0)
        return;
    qint32 value;
    if (ReadFieldData(m_autoIncField, buffer, value) && value > m_common->HighestAutoInc())
        m_common->setHighestAutoInc(value);
}

void TxovCustomMemTable::InternalPost()
{
    std::scoped_lock lock(m_common->Mutex());
    TRecordBuffer buffer = ActiveBuffer();
    const TxovRecord *row = recordOf(buffer);
    if (State() == TDataSetState::dsEdit) {
        const TxovBookmarkEntry entry = bookmarkEntry(buffer);
        const qint32 pos = positionOf(entry.SlotId, entry.UniqueId, m_cursorPos);
        if (pos < 0)
            DatabaseError(QStringLiteral("Record not found"));
        TxovRecord *stored = m_currentIndex->At(pos);
        std::memcpy(stored->ValueArea, row->ValueArea, size_t(m_common->ValueAreaSize()));
        if (RowModified())
            stored->ChangeState = 1;
        return;
    }
    const TBookmarkFlag flag = bookmarkEntry(buffer).Flag;
    TxovRecord *stored = m_common->StoreRecord(*row);
    if (flag == TBookmarkFlag::bfEOF || m_insertPos == -1)
        m_currentIndex->Append(stored);
    else
        m_currentIndex->InsertAt(m_insertPos - 1, stored);
}

void TxovCustomMemTable::InternalDelete()
{
    std::scoped_lock lock(m_common->Mutex());
    const TxovBookmarkEntry entry = bookmarkEntry(ActiveBuffer());
    const qint32 pos = positionOf(entry.SlotId, entry.UniqueId, m_cursorPos);
    if (pos < 0)
        DatabaseError(QStringLiteral("Record not found"));
    m_currentIndex->RemoveAt(pos);
    m_common->RemoveRecord(entry.SlotId);
}

void TxovCustomMemTable::InternalDataChanged()
{
    if (!m_attachedAutoRefresh)
        return;
    for (TxovCustomMemTable *table : m_common->Attachments()) {
        if (table && table != this && table->State() == TDataSetState::dsBrowse)
            table->RefreshTable();
    }
}

// ---------------------------------------------------------------------------------------------
// Field values: an indicator byte (0 empty, 2 value), then the value, low byte first.

bool TxovCustomMemTable::ReadFieldData(const TField *field, TRecordBuffer buffer, qint32 &value) const
{
    std::scoped_lock lock(m_common->Mutex());
    const std::byte *slot = recordOf(buffer)->ValueArea + m_common->FieldStart(field->DefinitionIndex());
    if (slot[0] == std::byte {0})
        return false;
    value = qFromLittleEndian<qint32>(slot + 1);
    return true;
}

void TxovCustomMemTable::WriteFieldData(const TField *field, TRecordBuffer buffer, const qint32 *value)
{
    std::scoped_lock lock(m_common->Mutex());
    std::byte *slot = recordOf(buffer)->ValueArea + m_common->FieldStart(field->DefinitionIndex());
    if (!value) {
        slot[0] = std::byte {0}; // the value bytes stay as they were
        return;
    }
    slot[0] = std::byte {2};
    qToLittleEndian<qint32>(*value, slot + 1);
}

TxovMemTable::TxovMemTable(QObject *parent)
    : TxovCustomMemTable(parent)
{ }

TxovMemTable::~TxovMemTable() = default;
