// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The one-column list dataset: fetching and storing its values for the dataset base.

#include "tests/support/ListDataSet.h"

#include <utility>

#include "db/Field.h"

ListDataSet::ListDataSet(std::vector<qint32> values)
    : m_values(std::move(values))
{
    setObjectName(QStringLiteral("List"));
    new TIntegerField(this, QStringLiteral("v"));
}

ListDataSet::~ListDataSet()
{
    BeginDestroy();
    CloseTable();
}

qint32 ListDataSet::RowCount() const
{
    CheckActive();
    return qint32(m_values.size());
}

void ListDataSet::InternalOpen()
{
    setFieldBinding(Fields().front(), 0);
    m_cursor = -1;
}

bool ListDataSet::FetchRecord(TRecordBuffer buffer, TGetMode mode)
{
    const qint32 count = qint32(m_values.size());
    if (mode == TGetMode::gmNext) {
        if (m_cursor >= count - 1)
            return false;
        ++m_cursor;
    } else if (mode == TGetMode::gmPrior) {
        if (m_cursor <= 0)
            return false;
        --m_cursor;
    } else if (m_cursor < 0 || m_cursor >= count) {
        return false;
    }
    *of(buffer) = {m_cursor, m_values[size_t(m_cursor)], true, TBookmarkFlag::bfCurrent};
    return true;
}

void ListDataSet::InternalSetToRecord(TRecordBuffer buffer)
{
    const Buffer *b = of(buffer);
    if (b->flag == TBookmarkFlag::bfEOF)
        m_cursor = qint32(m_values.size());
    else if (b->flag == TBookmarkFlag::bfBOF)
        m_cursor = -1;
    else
        m_cursor = b->position;
}

TBookmark ListDataSet::BookmarkOf(TRecordBuffer buffer) const
{
    TBookmark bookmark;
    bookmark.data = QByteArray::number(of(buffer)->position);
    return bookmark;
}

bool ListDataSet::InternalGotoBookmark(const TBookmark &bookmark)
{
    m_cursor = bookmark.data.toInt();
    return true;
}

void ListDataSet::InternalPost()
{
    const Buffer *b = of(ActiveBuffer());
    if (State() == TDataSetState::dsEdit)
        m_values[size_t(m_cursor)] = b->value;
    else
        m_values.push_back(b->value);
}

bool ListDataSet::ReadFieldData(const TField *, TRecordBuffer buffer, qint32 &value) const
{
    value = of(buffer)->value;
    return of(buffer)->hasValue;
}

void ListDataSet::WriteFieldData(const TField *, TRecordBuffer buffer, const qint32 *value)
{
    of(buffer)->hasValue = value != nullptr;
    if (value)
        of(buffer)->value = *value;
}
