// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The dataset base: fields, states, opening and closing, editing rows, notifications and
// bookmarks; the record window and the moves through it are in DataSetWindow.cpp.

#include "db/DataSet.h"

#include <algorithm>
#include <cstring>

#include <QVarLengthArray>

#include "db/DataLink.h"
#include "db/DataSource.h"
#include "db/Field.h"

namespace {

bool isEditingState(TDataSetState state)
{
    return state == TDataSetState::dsEdit || state == TDataSetState::dsInsert;
}

// The states in which fields accept writes: editing, and the base's own internal states.
bool acceptsFieldWrites(TDataSetState state)
{
    switch (state) {
    case TDataSetState::dsEdit:
    case TDataSetState::dsInsert:
    case TDataSetState::dsSetKey:
    case TDataSetState::dsCalcFields:
    case TDataSetState::dsFilter:
    case TDataSetState::dsNewValue:
    case TDataSetState::dsInternalCalc:
        return true;
    default:
        return false;
    }
}

} // namespace

TDataSet::TDataSet(QObject *parent)
    : QObject(parent)
{ }

TDataSet::~TDataSet()
{
    // The concrete table has closed itself; data sources must not keep pointing here.
    const auto sources = m_dataSources;
    for (TDataSource *source : sources)
        source->dataSetDestroyed();
    // Fields go before the rest of the dataset, which they may still name.
    m_fields.clear();
    m_ownedFields.clear();
}

// ---------------------------------------------------------------------------------------------
// Fields

void TDataSet::registerField(std::unique_ptr<TField> field)
{
    if (Active()) {
        field.release(); // the caller's new-expression frees it when the exception leaves the ctor
        DatabaseError(QStringLiteral("Cannot perform this operation on an open dataset"));
    }
    for (const TField *other : m_fields) {
        if (other->FieldName().compare(field->FieldName(), Qt::CaseInsensitive) == 0)
            m_namesDifferOnlyInCase = true;
    }
    m_fields.push_back(field.get());
    m_ownedFields.push_back(std::move(field));
}

void TDataSet::setFieldBinding(TField *field, int definitionIndex)
{
    field->m_definitionIndex = definitionIndex;
}

const std::vector<TField *> &TDataSet::Fields() const
{
    return m_fields;
}

TField *TDataSet::FindFieldNamed(const QString &name) const
{
    // Names are usually written as declared; unless two names differ only in case, the field
    // spelled exactly so is the first that matches.
    if (!m_namesDifferOnlyInCase) {
        for (TField *field : m_fields) {
            const QString &fieldName = field->FieldName();
            if (fieldName.size() == name.size()
                && std::memcmp(fieldName.constData(), name.constData(), size_t(name.size()) * sizeof(QChar)) == 0)
                return field;
        }
    }
    for (TField *field : m_fields) {
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return field;
    }
    return nullptr;
}

TField *TDataSet::FieldNamed(const QString &name) const
{
    TField *field = FindFieldNamed(name);
    if (!field)
        DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    return field;
}

QVariant TDataSet::FieldValue(const QString &name) const
{
    return FieldNamed(name)->AsValue();
}

void TDataSet::setFieldValue(const QString &name, const QVariant &value)
{
    FieldNamed(name)->setAsValue(value);
}

bool TDataSet::readField(const TField *field, qint32 &value) const
{
    if (field->m_definitionIndex < 0)
        return false;
    TRecordBuffer buffer = ActiveBuffer();
    return buffer && ReadFieldData(field, buffer, value);
}

void TDataSet::writeField(TField *field, const qint32 *value)
{
    if (m_state == TDataSetState::dsInactive)
        return;
    if (!acceptsFieldWrites(m_state))
        DatabaseError(QStringLiteral("Dataset is not in edit mode."));
    if ((!CanModify() || field->ReadOnly()) && m_state != TDataSetState::dsSetKey
        && m_state != TDataSetState::dsCalcFields)
        throw EDatabaseError(QStringLiteral("Field %1 is read only").arg(field->DisplayName()));
    TRecordBuffer buffer = bufferAt(m_activeRow);
    if (field->OnValidate) {
        // The handler sees the new value; if it refuses it, the row keeps the old one.
        field->m_validatingValue = value ? std::optional<qint32>(*value) : std::nullopt;
        field->m_validating = true;
        try {
            field->OnValidate(field);
        } catch (...) {
            field->m_validating = false;
            throw;
        }
        field->m_validating = false;
    }
    WriteFieldData(field, buffer, value);
    if (m_state != TDataSetState::dsCalcFields && m_state != TDataSetState::dsFilter
        && m_state != TDataSetState::dsNewValue)
        DataEvent(TDataEvent::deFieldChange, reinterpret_cast<qintptr>(field));
}

// ---------------------------------------------------------------------------------------------
// Errors, events and states

void TDataSet::fire(const Event &event)
{
    if (event && !m_destroying)
        event(this);
}

void TDataSet::BeginDestroy()
{
    m_destroying = true;
}

void TDataSet::DatabaseError(const QString &text) const
{
    const QString name = objectName();
    throw EDatabaseError(name.isEmpty() ? text : QStringLiteral("%1: %2").arg(name, text));
}

void TDataSet::CheckActive() const
{
    if (m_state == TDataSetState::dsInactive)
        DatabaseError(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void TDataSet::setActive(bool value)
{
    if (value)
        OpenTable();
    else
        CloseTable();
}

void TDataSet::setState(TDataSetState state)
{
    if (state == m_state)
        return;
    m_state = state;
    m_modified = false;
    DataEvent(TDataEvent::deUpdateState, 0);
}

template <typename Step> bool TDataSet::runWithRetry(ErrorStep which, Step step)
{
    for (;;) {
        try {
            InternalSetToRecord(bufferAt(m_activeRow));
            m_cursorBuffer = m_activeRow;
            step();
            return true;
        } catch (EDatabaseError &error) {
            const ErrorEvent &handler = which == ErrorStep::Edit ? OnEditError
                : which == ErrorStep::Post                       ? OnPostError
                                                                 : OnDeleteError;
            TDataAction action = TDataAction::daFail;
            if (handler)
                handler(this, error, action);
            if (action == TDataAction::daFail)
                throw;
            if (action == TDataAction::daAbort)
                return false;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Opening and closing

void TDataSet::OpenTable()
{
    if (Active())
        return;
    fire(BeforeOpen);
    InternalOpen();
    StoreAccess access(this);
    try {
        allocateWindow();
        InternalFirst();
        if (fetchNextIntoWindow())
            fillWindow();
    } catch (...) {
        releaseWindow();
        InternalClose();
        throw;
    }
    setState(TDataSetState::dsBrowse);
    RefreshTable();
    fire(AfterOpen);
    if (m_windowCount > 0)
        fire(AfterScroll);
}

void TDataSet::CloseTable()
{
    StoreAccess access(this);
    if (!Active())
        return;
    if (isEditingState(m_state))
        CancelRow();
    fire(BeforeClose);
    setState(TDataSetState::dsInactive);
    InternalClose();
    releaseWindow();
    fire(AfterClose);
}

// ---------------------------------------------------------------------------------------------
// Rows

void TDataSet::FinishPendingRow()
{
    CheckActive();
    DataEvent(TDataEvent::deCheckBrowseMode, 0);
    if (isEditingState(m_state)) {
        DataEvent(TDataEvent::deUpdateRecord, 0);
        if (m_modified)
            PostRow();
        else
            CancelRow();
    }
}

void TDataSet::beginNewRow(bool append)
{
    StoreAccess access(this);
    FinishPendingRow();
    if (!CanModify())
        DatabaseError(QStringLiteral("Cannot modify a read-only dataset"));
    const bool onRow = !append && m_windowCount > 0;
    InternalInsert();
    fire(BeforeInsert);
    fire(BeforeScroll);

    if (onRow) {
        // The new row takes the current row's place; the rows from there move one down and,
        // in a full window, the bottom one drops out.
        straightenRing();
        auto first = m_buffers.begin() + m_activeRow;
        std::rotate(first, m_buffers.begin() + m_windowCount, m_buffers.begin() + m_windowCount + 1);
        if (m_windowCount < m_windowCapacity)
            ++m_windowCount;
        TRecordBuffer buffer = bufferAt(m_activeRow);
        InternalInitRecord(buffer);
        CopyBookmarkEntry(bufferAt(m_activeRow + 1), buffer); // the row it goes before
        setBookmarkFlagOf(buffer, TBookmarkFlag::bfInserted);
        m_cursorBuffer = -1;
    } else if (append && m_windowCount > 0 && reuseEnabled()) {
        // The rows above the new one are the last rows, mostly in the window already.
        const qint32 rows = RowCount();
        const int above = std::min(m_windowCapacity - 1, int(rows));
        arrangeWindow(rows - above, above, Reuse(), -1, -1);
        TRecordBuffer buffer = bufferAt(above);
        InternalInitRecord(buffer);
        setBookmarkFlagOf(buffer, TBookmarkFlag::bfEOF);
        m_windowCount = above + 1;
        m_activeRow = above;
        m_atFirst = false;
        m_atLast = true;
        InternalSetToRecord(bufferAt(0));
        m_cursorBuffer = above == m_windowCapacity - 1 ? 0 : -1;
    } else {
        emptyWindow();
        InternalInitRecord(bufferAt(0));
        setBookmarkFlagOf(bufferAt(0), append ? TBookmarkFlag::bfEOF : TBookmarkFlag::bfBOF);
        makeOneRowWindow();
        if (append) {
            m_atLast = true;
            // The cursor goes after the last row and the rows before the new one are read
            // backwards into the window above it.
            InternalSetToRecord(bufferAt(0));
            m_cursorBuffer = 0;
            while (m_windowCount < m_windowCapacity && fetchPriorIntoWindow()) { }
        }
    }

    setState(TDataSetState::dsInsert);
    fire(OnNewRecord);
    InternalNewRecord(bufferAt(m_activeRow));
    m_modified = false;
    DataEvent(TDataEvent::deDataSetChange, 0);
    fire(AfterInsert);
    fire(AfterScroll);
}

void TDataSet::AppendRow()
{
    beginNewRow(true);
}

void TDataSet::InsertRow()
{
    beginNewRow(false);
}

void TDataSet::EditRow()
{
    StoreAccess access(this);
    if (isEditingState(m_state))
        return;
    if (m_windowCount == 0) {
        beginNewRow(false);
        return;
    }
    FinishPendingRow();
    if (!CanModify())
        DatabaseError(QStringLiteral("Cannot modify a read-only dataset"));
    fire(BeforeEdit);
    if (!runWithRetry(ErrorStep::Edit, [this] { InternalEdit(); }))
        return;
    setState(TDataSetState::dsEdit);
    DataEvent(TDataEvent::deRecordChange, 0);
    fire(AfterEdit);
}

void TDataSet::PostRow()
{
    StoreAccess access(this);
    if (!isEditingState(m_state) && m_state != TDataSetState::dsSetKey)
        DatabaseError(QStringLiteral("Dataset not in edit or insert mode"));
    DataEvent(TDataEvent::deUpdateRecord, 0);
    if (m_state == TDataSetState::dsSetKey)
        return;
    DataEvent(TDataEvent::deCheckBrowseMode, 0);
    fire(BeforePost);
    InternalBeforePost(bufferAt(m_activeRow));
    // An inserted row moves the rows after it; only then is the old window not taken over.
    const bool reusable
        = m_state == TDataSetState::dsEdit || BookmarkFlagOf(bufferAt(m_activeRow)) != TBookmarkFlag::bfInserted;
    const bool posted = runWithRetry(ErrorStep::Post, [this] {
        for (TField *field : m_fields) {
            if (field->Required() && !field->ReadOnly() && field->FieldKind() == TFieldKind::fkData
                && field->IsEmptyValue())
                throw EDatabaseError(QStringLiteral("Field '%1' must have a value").arg(field->DisplayName()));
        }
        InternalPost();
    });
    if (!posted)
        return;
    Reuse reuse;
    reuse.excluded = m_activeRow;
    setState(TDataSetState::dsBrowse);
    resynchronise(false, false, reusable ? &reuse : nullptr);
    InternalDataChanged();
    fire(AfterPost);
}

void TDataSet::CancelRow()
{
    StoreAccess access(this);
    if (!isEditingState(m_state))
        return;
    const bool inserting = m_state == TDataSetState::dsInsert;
    DataEvent(TDataEvent::deCheckBrowseMode, 0);
    fire(BeforeCancel);
    if (inserting)
        fire(BeforeScroll);
    InternalSetToRecord(bufferAt(m_activeRow));
    m_cursorBuffer = m_activeRow;
    InternalCancel();
    Reuse reuse;
    reuse.excluded = m_activeRow;
    setState(TDataSetState::dsBrowse);
    resynchronise(false, false, &reuse);
    fire(AfterCancel);
    if (inserting)
        fire(AfterScroll);
}

void TDataSet::DeleteRow()
{
    StoreAccess access(this);
    CheckActive();
    if (m_state == TDataSetState::dsInsert) {
        CancelRow();
        return;
    }
    if (m_windowCount == 0)
        DatabaseError(QStringLiteral("Cannot perform this operation on an empty dataset"));
    DataEvent(TDataEvent::deCheckBrowseMode, 0);
    fire(BeforeDelete);
    fire(BeforeScroll);
    Reuse reuse;
    reuse.excluded = m_activeRow;
    const qint32 deletedPos = RecordPosition(bufferAt(m_activeRow));
    reuse.shiftFrom = deletedPos + 1;
    reuse.shiftBy = -1;
    if (!runWithRetry(ErrorStep::Delete, [this] { InternalDelete(); }))
        return;
    setState(TDataSetState::dsBrowse);
    resynchronise(false, false, deletedPos >= 0 ? &reuse : nullptr);
    InternalDataChanged();
    fire(AfterDelete);
    fire(AfterScroll);
}

void TDataSet::RefreshTable()
{
    StoreAccess access(this);
    FinishPendingRow();
    fire(BeforeRefresh);
    // The rows are read again around the current row, wherever the last fetch left the cursor.
    if (m_windowCount > 0)
        standCursorOn(m_activeRow);
    InternalRefresh();
    Resynchronise(false, false);
    fire(AfterRefresh);
}

qint32 TDataSet::RowCount() const
{
    CheckActive();
    return m_windowCount;
}

qint32 TDataSet::RowNumber() const
{
    return -1;
}

bool TDataSet::NumbersRows() const
{
    return false;
}

// ---------------------------------------------------------------------------------------------
// Notifications

void TDataSet::DataEvent(TDataEvent event, qintptr info)
{
    if (event == TDataEvent::deFieldChange) {
        // A written field marks the row modified even while views hear nothing of it, so a
        // later finish posts the row instead of dropping it.
        const auto *field = reinterpret_cast<const TField *>(info);
        if (field && (field->FieldKind() == TFieldKind::fkData || field->FieldKind() == TFieldKind::fkInternalCalc))
            m_modified = true;
    }
    if (NotificationsBlocked())
        return;
    bool passes = m_holdCount == 0 && m_state != TDataSetState::dsBlockRead;
    if (!passes) {
        if (event == TDataEvent::deUpdateState) {
            event = TDataEvent::deDisabledStateChange;
            info = Active() ? 1 : 0;
            m_pendingEvent = TDataEvent::deLayoutChange;
            passes = true;
        } else if (event == TDataEvent::deLayoutChange) {
            m_pendingEvent = TDataEvent::deLayoutChange;
        }
    }
    if (!passes)
        return;
    const QVarLengthArray<TDataSource *, 4> sources(m_dataSources.begin(), m_dataSources.end());
    const quint32 changes = m_sourcesChanged;
    for (TDataSource *source : sources) {
        // A view's reaction may have detached a source that has not heard yet.
        if (m_sourcesChanged == changes
            || std::find(m_dataSources.begin(), m_dataSources.end(), source) != m_dataSources.end())
            source->dataEvent(event, info);
    }
}

void TDataSet::HoldNotifications()
{
    if (m_holdCount++ == 0) {
        m_heldState = m_state;
        m_pendingEvent = TDataEvent::deDataSetChange;
    }
}

void TDataSet::ReleaseNotifications()
{
    if (m_holdCount == 0)
        return;
    if (--m_holdCount > 0)
        return;
    if (m_state != m_heldState)
        DataEvent(TDataEvent::deUpdateState, 0);
    if (m_heldState != TDataSetState::dsInactive && m_state != TDataSetState::dsInactive)
        DataEvent(m_pendingEvent, 0);
}

void TDataSet::addDataSource(TDataSource *source)
{
    m_dataSources.push_back(source);
    ++m_sourcesChanged;
    updateWindowSize();
}

void TDataSet::removeDataSource(TDataSource *source)
{
    std::erase(m_dataSources, source);
    ++m_sourcesChanged;
    updateWindowSize();
}

// ---------------------------------------------------------------------------------------------
// Bookmarks

TBookmark TDataSet::TakeBookmark() const
{
    if (m_state != TDataSetState::dsBrowse && !isEditingState(m_state))
        return {};
    TRecordBuffer buffer = ActiveBuffer();
    if (!buffer || BookmarkFlagOf(buffer) != TBookmarkFlag::bfCurrent)
        return {};
    return BookmarkOf(buffer);
}

void TDataSet::ReleaseBookmark(TBookmark &bookmark) const
{
    bookmark.data.clear();
}

void TDataSet::MoveToBookmark(const TBookmark &bookmark)
{
    StoreAccess access(this);
    if (bookmark.isEmpty())
        return;
    FinishPendingRow();
    fire(BeforeScroll);
    // A bookmark whose row is gone leaves the current row where it is (or, with no rows,
    // fails below) instead of landing wherever the cursor happened to stand.
    if (m_windowCount > 0)
        standCursorOn(m_activeRow);
    InternalGotoBookmark(bookmark);
    Resynchronise(true, true);
    fire(AfterScroll);
}

bool TDataSet::BookmarkStillValid(const TBookmark &bookmark) const
{
    return !bookmark.isEmpty();
}

int TDataSet::BookmarkOrder(const TBookmark &, const TBookmark &) const
{
    return 0;
}
