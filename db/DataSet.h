#pragma once

#include <QObject>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

#include "DataTypes.h"
#include "DatabaseError.h"

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
    TField *FieldNamed(const QString &name) const;     // raises "Field '%s' not found"
    TField *FindFieldNamed(const QString &name) const; // nullptr when there is none
    QVariant FieldValue(const QString &name) const;
    void setFieldValue(const QString &name, const QVariant &value);

    // Opening and closing.
    bool Active() const;
    void setActive(bool value);
    void OpenTable();
    void CloseTable();
    TDataSetState State() const;

    // Rows.
    void AppendRow();
    void InsertRow();
    void EditRow();
    void PostRow();
    void CancelRow();
    void DeleteRow();
    void RefreshTable();
    bool RowModified() const;
    virtual qint32 RowCount() const;
    virtual qint32 RowNumber() const;
    virtual bool NumbersRows() const;

    // Moving.
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrior();
    qint32 MoveRows(qint32 distance);
    bool AtFirstRow() const;
    bool AtLastRow() const;
    bool HasNoRow() const;

    // The record window, as bound views see it.
    int WindowCapacity() const;
    int WindowCount() const;
    int ActiveRow() const;
    int CursorBuffer() const;

    // Holding notifications back.
    void HoldNotifications();
    void ReleaseNotifications();
    bool NotificationsHeld() const;

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

    // The concrete table's side (buffers, fetching, storing) is declared here by the
    // implementation.
};
