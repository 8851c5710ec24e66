// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The smallest table there is, for testing the dataset base, its data sources and its links
// without the memory table.
#pragma once

#include <vector>

#include "db/DataSet.h"

// A dataset "List" with one integer field "v" over a list of values; its buffers hold a
// position and a value. It needs nothing of a table beyond the fetching and storing steps.
class ListDataSet final : public TDataSet
{
public:
    struct Buffer
    {
        qint32 position;
        qint32 value;
        bool hasValue;
        TBookmarkFlag flag;
    };

    explicit ListDataSet(std::vector<qint32> values);
    ~ListDataSet() override;

    qint32 RowCount() const override;

    std::vector<qint32> m_values;

protected:
    static Buffer *of(TRecordBuffer buffer) { return reinterpret_cast<Buffer *>(buffer); }

    TRecordBuffer AllocRecordBuffer() override { return reinterpret_cast<TRecordBuffer>(new Buffer {}); }
    void FreeRecordBuffer(TRecordBuffer buffer) override { delete of(buffer); }
    void InternalOpen() override;
    void InternalClose() override { setFieldBinding(Fields().front(), -1); }
    void InternalFirst() override { m_cursor = -1; }
    void InternalLast() override { m_cursor = qint32(m_values.size()); }
    bool FetchRecord(TRecordBuffer buffer, TGetMode mode) override;
    void InternalInitRecord(TRecordBuffer buffer) override { *of(buffer) = {-1, 0, false, TBookmarkFlag::bfCurrent}; }
    void InternalSetToRecord(TRecordBuffer buffer) override;
    TBookmarkFlag BookmarkFlagOf(TRecordBuffer buffer) const override { return of(buffer)->flag; }
    void setBookmarkFlagOf(TRecordBuffer buffer, TBookmarkFlag flag) override { of(buffer)->flag = flag; }
    void CopyBookmarkEntry(TRecordBuffer from, TRecordBuffer to) override { of(to)->position = of(from)->position; }
    TBookmark BookmarkOf(TRecordBuffer buffer) const override;
    bool InternalGotoBookmark(const TBookmark &bookmark) override;
    void InternalPost() override;
    void InternalDelete() override { m_values.erase(m_values.begin() + m_cursor); }
    bool ReadFieldData(const TField *, TRecordBuffer buffer, qint32 &value) const override;
    void WriteFieldData(const TField *, TRecordBuffer buffer, const qint32 *value) override;

private:
    qint32 m_cursor = -1;
};
