// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QFlags>
#include <QString>

#include "db/DataSet.h"
#include "memtable/xovCommon.h"
#include "memtable/xovIndex.h"

class TField;

// Progress codes of the table's long operations; OnProgress hears those in ProgressFlags.
enum class TxovProgressCode : quint32 {
    mtpcLoad = 0x001,
    mtpcSave = 0x002,
    mtpcEmpty = 0x004,
    mtpcPack = 0x008,
    mtpcCheckPoint = 0x010,
    mtpcSearch = 0x020,
    mtpcCopy = 0x040,
    mtpcUpdate = 0x080,
    mtpcSort = 0x100,
};
Q_DECLARE_FLAGS(TxovProgressFlags, TxovProgressCode)
Q_DECLARE_OPERATORS_FOR_FLAGS(TxovProgressFlags)

enum class TxovSortOption : quint32 {
    mtcoDescending = 0x01,
    mtcoCaseInsensitive = 0x02,
    mtcoPartialKey = 0x04,
    mtcoIgnoreNullKey = 0x08,
    mtcoUnique = 0x10,
};
Q_DECLARE_FLAGS(TxovSortOptions, TxovSortOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TxovSortOptions)

enum class TxovFilterOption : quint32 {
    foCaseInsensitive = 0x1,
    foNoPartialCompare = 0x2,
};
Q_DECLARE_FLAGS(TxovFilterOptions, TxovFilterOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TxovFilterOptions)

// The memory table: a dataset whose rows live in a record store (TxovCommon) and are seen in
// the order of the row-order index. Rows are numbered by the auto-increment field when one
// exists; posted rows stay in the order they were posted.
class TxovCustomMemTable : public TDataSet
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TxovCustomMemTable)

public:
    explicit TxovCustomMemTable(QObject *parent = nullptr);
    ~TxovCustomMemTable() override;

    // Removes every row of the store; the auto-increment numbering goes on.
    void RemoveAllRows();

    qint32 RowCount() const override;
    qint32 RowNumber() const override;
    bool NumbersRows() const override;
    bool BookmarkStillValid(const TBookmark &bookmark) const override;
    int BookmarkOrder(const TBookmark &a, const TBookmark &b) const override;

    // The table's own lock on its store: while held, no table of the store sends notifications.
    void Lock();
    void Unlock();

    TxovCommon *Common() const { return m_common.get(); }
    int AttachNumber() const { return m_attachNumber; }
    TxovIndexes *Indexes() const { return m_indexes.get(); }
    TxovIndex *CurrentIndex() const { return m_currentIndex; }
    qint32 CursorPos() const { return m_cursorPos; }
    qint32 InsertPos() const { return m_insertPos; }
    TField *AutoIncField() const { return m_autoIncField; }

    // Field definitions: rebuilt from the field objects at opening; a table without field
    // objects creates its fields from them.
    const std::vector<TxovFieldDef> &FieldDefs() const { return m_fieldDefs; }
    void addFieldDef(const QString &name, TFieldType dataType, bool required = false);
    void clearFieldDefs();

    // Properties.
    int AttachMaxCount() const;
    void setAttachMaxCount(int value);
    qint32 AutoIncMinValue() const;
    void setAutoIncMinValue(qint32 value);
    qint32 HighestAutoInc() const;
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool value) { m_readOnly = value; }
    bool DesignActivation() const { return m_designActivation; }
    void setDesignActivation(bool value) { m_designActivation = value; }
    bool AttachedAutoRefresh() const { return m_attachedAutoRefresh; }
    void setAttachedAutoRefresh(bool value) { m_attachedAutoRefresh = value; }
    // Kept for the form; they do not order the rows.
    const QString &SortFields() const { return m_sortFields; }
    void setSortFields(const QString &value) { m_sortFields = value; }
    TxovSortOptions SortOptions() const { return m_sortOptions; }
    void setSortOptions(TxovSortOptions value) { m_sortOptions = value; }
    bool PersistentBackup() const { return m_persistentBackup; }
    void setPersistentBackup(bool value) { m_persistentBackup = value; }
    bool Persistent() const { return m_persistent; }
    TxovProgressFlags ProgressFlags() const { return m_progressFlags; }
    void setProgressFlags(TxovProgressFlags value) { m_progressFlags = value; }
    bool LoadedCompletely() const { return m_loadedCompletely; }
    void setLoadedCompletely(bool value) { m_loadedCompletely = value; }
    bool SavedCompletely() const { return m_savedCompletely; }
    void setSavedCompletely(bool value) { m_savedCompletely = value; }
    TxovFilterOptions FilterOptions() const { return m_filterOptions; }
    void setFilterOptions(TxovFilterOptions value) { m_filterOptions = value; }
    bool Filtered() const { return m_filtered; }
    void setFiltered(bool value) { m_filtered = value; }
    QString Version() const { return QStringLiteral("5.02b"); }
    void setVersion(const QString &) { }
    int LanguageID() const;
    void setLanguageID(int value);
    int SortID() const;
    void setSortID(int value);
    int SubLanguageID() const;
    void setSubLanguageID(int value);
    // LanguageID + 1024 * SubLanguageID + 65536 * SortID.
    quint32 LocaleID() const;
    void setLocaleID(quint32 value);
    bool EnableIndexes() const { return m_enableIndexes; }
    void setEnableIndexes(bool value) { m_enableIndexes = value; }
    bool AutoReposition() const { return m_autoReposition; }
    void setAutoReposition(bool value) { m_autoReposition = value; }
    bool RecalcOnFetch() const { return m_recalcOnFetch; }
    void setRecalcOnFetch(bool value) { m_recalcOnFetch = value; }
    bool Standalone() const;
    void setStandalone(bool value);
    bool EnableVersioning() const;
    void setEnableVersioning(bool value);

    std::function<void(TxovCustomMemTable *, int percent, TxovProgressCode code)> OnProgress;

protected:
    TRecordBuffer AllocRecordBuffer() override;
    void FreeRecordBuffer(TRecordBuffer buffer) override;
    void InternalOpen() override;
    void InternalClose() override;
    void InternalFirst() override;
    void InternalLast() override;
    bool FetchRecord(TRecordBuffer buffer, TGetMode mode) override;
    void InternalInitRecord(TRecordBuffer buffer) override;
    void InternalSetToRecord(TRecordBuffer buffer) override;
    TBookmarkFlag BookmarkFlagOf(TRecordBuffer buffer) const override;
    void setBookmarkFlagOf(TRecordBuffer buffer, TBookmarkFlag flag) override;
    void CopyBookmarkEntry(TRecordBuffer from, TRecordBuffer to) override;
    TBookmark BookmarkOf(TRecordBuffer buffer) const override;
    bool InternalGotoBookmark(const TBookmark &bookmark) override;
    void InternalInsert() override;
    void InternalNewRecord(TRecordBuffer buffer) override;
    void InternalBeforePost(TRecordBuffer buffer) override;
    void InternalPost() override;
    void InternalDelete() override;
    void InternalDataChanged() override;
    bool ReusesWindowRows() const override { return !m_filtered; }
    qint32 RecordPosition(TRecordBuffer buffer) const override;
    qint32 ReusablePosition(TRecordBuffer buffer) const override;
    void setRecordPosition(TRecordBuffer buffer, qint32 position) override;
    bool FetchRecordAt(TRecordBuffer buffer, qint32 position) override;
    void BeginStoreAccess() override;
    void EndStoreAccess() override;
    bool ReadFieldData(const TField *field, TRecordBuffer buffer, qint32 &value) const override;
    void WriteFieldData(const TField *field, TRecordBuffer buffer, const qint32 *value) override;
    bool CanModify() const override;
    bool NotificationsBlocked() const override;

private:
    friend class TxovCommon;

    // Called by the store when it is emptied while this table is open.
    void clearForEmptying();
    void detachedFromStore();
    void progress(int percent, TxovProgressCode code);
    TxovBookmarkEntry bookmarkEntry(TRecordBuffer buffer) const;
    void setBookmarkEntry(TRecordBuffer buffer, const TxovBookmarkEntry &entry);
    // Position of a stored record in the current index, -1 when it is not there.
    qint32 positionOf(qint32 slotId, qint32 uniqueId, qint32 hint) const;
    bool decodeBookmark(const TBookmark &bookmark, qint32 &slotId, qint32 &uniqueId) const;

    std::unique_ptr<TxovCommon> m_common;
    int m_attachNumber = -1;
    std::unique_ptr<TxovIndexes> m_indexes;
    TxovIndex *m_currentIndex = nullptr;
    qint32 m_cursorPos = -1;
    qint32 m_insertPos = -1;
    TField *m_autoIncField = nullptr;
    std::vector<TxovFieldDef> m_fieldDefs;

    bool m_readOnly = false;
    bool m_designActivation = true;
    bool m_attachedAutoRefresh = true;
    QString m_sortFields;
    TxovSortOptions m_sortOptions;
    bool m_persistentBackup = false;
    bool m_persistent = false;
    TxovProgressFlags m_progressFlags
        = TxovProgressCode::mtpcLoad | TxovProgressCode::mtpcSave | TxovProgressCode::mtpcCopy;
    bool m_loadedCompletely = false;
    bool m_savedCompletely = false;
    TxovFilterOptions m_filterOptions;
    bool m_filtered = false;
    bool m_enableIndexes = true;
    bool m_autoReposition = false;
    bool m_recalcOnFetch = true;
};

// The memory table as placed on a form.
class TxovMemTable final : public TxovCustomMemTable
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TxovMemTable)

public:
    explicit TxovMemTable(QObject *parent = nullptr);
    ~TxovMemTable() override;
};
