// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include <QObject>
#include <QVariant>

#include "db/DataTypes.h"
#include "db/DatabaseError.h"

class TField;
class TDataSource;

// A bookmark: names one stored row, and becomes invalid when that row is deleted or the table
// is emptied. Empty when no row could be named.
struct TBookmark
{
    QByteArray data;
    bool isEmpty() const { return data.isEmpty(); }
};

// The dataset base: field objects addressed by name, a cursor on a current row, the editing
// states, a record window of consecutive rows for bound views, and change notifications to
// those views through data sources. A concrete table supplies the stored rows.
//
// The object name is the dataset's component name; errors raised with the dataset as their
// source are worded "<name>: <text>".
class TDataSet : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDataSet)

public:
    ~TDataSet() override;

    // Fields. The dataset owns its field objects, in field order.
    const std::vector<TField *> &Fields() const;
    TField *FieldNamed(const QString &name) const; // raises "Field '%s' not found"
    TField *FindFieldNamed(const QString &name) const; // nullptr when there is none
    QVariant FieldValue(const QString &name) const;
    void setFieldValue(const QString &name, const QVariant &value);

    // Opening and closing.
    bool Active() const { return m_state != TDataSetState::dsInactive; }
    void setActive(bool value);
    void OpenTable();
    void CloseTable();
    TDataSetState State() const { return m_state; }

    // Rows.
    void AppendRow();
    void InsertRow();
    void EditRow();
    void PostRow();
    void CancelRow();
    void DeleteRow();
    void RefreshTable();
    bool RowModified() const { return m_modified; }
    virtual qint32 RowCount() const;
    virtual qint32 RowNumber() const;
    virtual bool NumbersRows() const;

    // Moving.
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrior();
    qint32 MoveRows(qint32 distance);
    bool AtFirstRow() const { return m_atFirst; }
    bool AtLastRow() const { return m_atLast; }
    bool HasNoRow() const { return m_windowCount == 0; }

    // The record window, as bound views see it.
    int WindowCapacity() const { return m_windowCapacity; }
    int WindowCount() const { return m_windowCount; }
    int ActiveRow() const { return m_activeRow; }
    int CursorBuffer() const { return m_cursorBuffer; }

    // Holding notifications back.
    void HoldNotifications();
    void ReleaseNotifications();
    bool NotificationsHeld() const { return m_holdCount > 0; }

    // Bookmarks.
    TBookmark TakeBookmark() const;
    void ReleaseBookmark(TBookmark &bookmark) const;
    void MoveToBookmark(const TBookmark &bookmark);
    virtual bool BookmarkStillValid(const TBookmark &bookmark) const;
    virtual int BookmarkOrder(const TBookmark &a, const TBookmark &b) const;

    // Dataset events; unassigned ones do nothing.
    using Event = std::function<void(TDataSet *)>;
    using ErrorEvent = std::function<void(TDataSet *, EDatabaseError &, TDataAction &)>;
    Event BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    Event BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
    Event BeforePost, AfterPost, BeforeCancel, AfterCancel;
    Event BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    Event BeforeRefresh, AfterRefresh, OnNewRecord;
    ErrorEvent OnEditError, OnPostError, OnDeleteError;

protected:
    explicit TDataSet(QObject *parent = nullptr);

    // A record buffer: a copy of one row in the concrete table's record format.
    using TRecordBuffer = std::byte *;

    // The concrete table's side: buffers, the cursor, fetching and storing rows.
    virtual TRecordBuffer AllocRecordBuffer() = 0;
    virtual void FreeRecordBuffer(TRecordBuffer buffer) = 0;
    // Builds the table's layout and opens its cursor; the dataset is still inactive meanwhile.
    virtual void InternalOpen() = 0;
    // Discards the table's rows and cursor; the dataset is already inactive meanwhile.
    virtual void InternalClose() = 0;
    // Cursor before the first row, or after the last one.
    virtual void InternalFirst() = 0;
    virtual void InternalLast() = 0;
    // Reads a row into the buffer; false when there is none (the cursor then stays).
    virtual bool FetchRecord(TRecordBuffer buffer, TGetMode mode) = 0;
    // A new row: every field empty.
    virtual void InternalInitRecord(TRecordBuffer buffer) = 0;
    // Stands the cursor on the row the buffer came from, as its bookmark flag says.
    virtual void InternalSetToRecord(TRecordBuffer buffer) = 0;
    virtual TBookmarkFlag BookmarkFlagOf(TRecordBuffer buffer) const = 0;
    virtual void setBookmarkFlagOf(TRecordBuffer buffer, TBookmarkFlag flag) = 0;
    // Makes a new row's buffer name the same stored row as another buffer (insert before it).
    virtual void CopyBookmarkEntry(TRecordBuffer from, TRecordBuffer to) = 0;
    // The bookmark naming the stored row of a fetched buffer.
    virtual TBookmark BookmarkOf(TRecordBuffer buffer) const = 0;
    // Stands the cursor on a bookmarked row; false when the row is not found.
    virtual bool InternalGotoBookmark(const TBookmark &bookmark) = 0;

    virtual void InternalInsert() { }
    virtual void InternalEdit() { }
    // Called with the new row as the active buffer, after OnNewRecord.
    virtual void InternalNewRecord(TRecordBuffer) { }
    // Called after BeforePost, before the stored-data step.
    virtual void InternalBeforePost(TRecordBuffer) { }
    virtual void InternalPost() = 0;
    virtual void InternalCancel() { }
    virtual void InternalDelete() = 0;
    virtual void InternalRefresh() { }
    // After a row has been posted or deleted.
    virtual void InternalDataChanged() { }

    // For a table that numbers its rows: the position of a buffer's row, and reading the row at
    // a position. With these the window is rebuilt from buffers that already hold the wanted
    // rows instead of reading every row again; the window, cursor and cursor buffer end up
    // exactly as reading row by row leaves them.
    virtual bool ReusesWindowRows() const { return false; }
    virtual qint32 RecordPosition(TRecordBuffer) const { return -1; }
    // The position of a buffer fetched from the store, -1 for any other buffer.
    virtual qint32 ReusablePosition(TRecordBuffer) const { return -1; }
    virtual void setRecordPosition(TRecordBuffer, qint32) { }
    virtual bool FetchRecordAt(TRecordBuffer, qint32) { return false; }
    // Turns the reuse off, to compare with reading row by row.
    void setWindowRowReuse(bool enabled) { m_reuseAllowed = enabled; }

    // Held around every operation that fetches or stores rows, so that a store with a lock
    // takes it once per operation rather than once per row.
    virtual void BeginStoreAccess() { }
    virtual void EndStoreAccess() { }

    virtual bool ReadFieldData(const TField *field, TRecordBuffer buffer, qint32 &value) const = 0;
    // nullptr empties the field.
    virtual void WriteFieldData(const TField *field, TRecordBuffer buffer, const qint32 *value) = 0;

    virtual bool CanModify() const { return true; }
    // True while the store's notification block is set.
    virtual bool NotificationsBlocked() const { return false; }

    // Delivers a notification to the data sources (after the dataset's own bookkeeping).
    virtual void DataEvent(TDataEvent event, qintptr info);

    // Helpers for the concrete table.
    // Called first by a table's destructor: it then closes without running the dataset events,
    // whose handlers may belong to objects already gone.
    void BeginDestroy();
    bool Destroying() const { return m_destroying; }
    [[noreturn]] void DatabaseError(const QString &text) const; // "<name>: <text>"
    // The buffer field reads and writes go to; nullptr when there is no row.
    TRecordBuffer ActiveBuffer() const
    {
        const bool reads = m_state == TDataSetState::dsBrowse || m_state == TDataSetState::dsEdit
            || m_state == TDataSetState::dsInsert;
        return reads && m_activeRow < m_windowCount ? bufferAt(m_activeRow) : nullptr;
    }
    bool HasWindowBuffers() const { return !m_buffers.empty(); }
    void setState(TDataSetState state);
    void CheckActive() const;
    // Finishes a pending row: check-browse-mode, then post or cancel a row in edit or insert.
    void FinishPendingRow();
    void Resynchronise(bool exact, bool center);
    // Empties the window and sends dataset-change; used when the store is emptied.
    void ClearWindow();
    void registerField(std::unique_ptr<TField> field);
    static void setFieldBinding(TField *field, int definitionIndex);

private:
    friend class TField;
    friend class TDataSource;
    friend class TDataLink;

    class StoreAccess
    {
    public:
        explicit StoreAccess(TDataSet *dataSet)
            : m_dataSet(dataSet)
        {
            m_dataSet->BeginStoreAccess();
        }
        ~StoreAccess() { m_dataSet->EndStoreAccess(); }
        Q_DISABLE_COPY_MOVE(StoreAccess)

    private:
        TDataSet *const m_dataSet;
    };

    enum class ErrorStep { Edit, Post, Delete };
    // Runs a stored-data step in the error-retry loop; false when the error event said abort.
    template <typename Step> bool runWithRetry(ErrorStep which, Step step);

    void fire(const Event &event);
    bool readField(const TField *field, qint32 &value) const;
    void writeField(TField *field, const qint32 *value);
    void beginNewRow(bool append);
    void finishPostOrCancel();

    // The record window.
    // The buffers form a ring so that the window scrolls by one row without moving buffers;
    // index 0 is the window's top.
    TRecordBuffer &bufferAt(int index)
    {
        const int k = m_ringBase + index;
        return m_buffers[k < int(m_buffers.size()) ? k : k - int(m_buffers.size())];
    }
    TRecordBuffer bufferAt(int index) const { return const_cast<TDataSet *>(this)->bufferAt(index); }
    void turnRing(int step);
    void straightenRing();
    void allocateWindow();
    void releaseWindow();
    void emptyWindow();
    void makeOneRowWindow();
    void standCursorOn(int index);
    bool fetchNextIntoWindow();
    bool fetchPriorIntoWindow();
    void fillWindow();
    void updateWindowSize();
    void keepViewsInsideWindow();

    // Which rows of the old window may be taken over: all but one buffer (the row that was
    // edited, appended or deleted), with the positions from shiftFrom on moved by shiftBy.
    struct Reuse
    {
        int excluded = -1;
        qint32 shiftFrom = std::numeric_limits<qint32>::max();
        int shiftBy = 0;
    };
    bool reuseEnabled() const { return m_reuseAllowed && ReusesWindowRows(); }
    void resynchronise(bool exact, bool center, const Reuse *reuse);
    // Makes the window the rows [top, top + count): from old window buffers still holding them,
    // the buffer at logical index `fetched` for position fetchedPos, the rest read anew.
    void arrangeWindow(qint32 top, int count, const Reuse &reuse, int fetched, qint32 fetchedPos);
    void turnWindow(qint32 top, int count, int excluded, int shift, int fetched, qint32 fetchedPos);
    int wantedWindowCapacity() const;
    void setActiveRow(int row);
    template <typename F> void forEachActiveLink(F f) const;

    void addDataSource(TDataSource *source);
    void removeDataSource(TDataSource *source);

    std::vector<std::unique_ptr<TField>> m_ownedFields;
    std::vector<TField *> m_fields;
    bool m_namesDifferOnlyInCase = false;
    std::vector<TDataSource *> m_dataSources;
    quint32 m_sourcesChanged = 0; // counts attachments and detachments

    TDataSetState m_state = TDataSetState::dsInactive;
    bool m_modified = false;
    bool m_destroying = false;

    std::vector<TRecordBuffer> m_buffers; // WindowCapacity + 1 while open
    int m_ringBase = 0;
    std::vector<TRecordBuffer> m_arranged; // scratch for arrangeWindow
    bool m_reuseAllowed = true;
    int m_windowCapacity = 0;
    int m_windowCount = 0;
    int m_activeRow = 0;
    int m_cursorBuffer = -1;
    bool m_atFirst = true;
    bool m_atLast = true;

    int m_holdCount = 0;
    TDataSetState m_heldState = TDataSetState::dsInactive;
    TDataEvent m_pendingEvent = TDataEvent::deDataSetChange;
};
