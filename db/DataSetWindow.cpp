// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The dataset's record window: the ring of buffers, fetching rows into it, arranging and turning
// it when rows change, fitting it to the views, and moving the cursor through it.

#include "db/DataSet.h"

#include <algorithm>
#include <utility>

#include <QVarLengthArray>

#include "db/DataLink.h"
#include "db/DataSource.h"

// ---------------------------------------------------------------------------------------------
// Moving

void TDataSet::MoveFirst()
{
    StoreAccess access(this);
    FinishPendingRow();
    fire(BeforeScroll);
    emptyWindow();
    InternalFirst();
    if (fetchNextIntoWindow())
        fillWindow();
    m_atFirst = true;
    DataEvent(TDataEvent::deDataSetChange, 0);
    fire(AfterScroll);
}

void TDataSet::MoveLast()
{
    StoreAccess access(this);
    FinishPendingRow();
    fire(BeforeScroll);
    if (m_windowCount > 0 && reuseEnabled()) {
        const qint32 rows = RowCount();
        const int count = std::min(m_windowCapacity, int(rows));
        arrangeWindow(rows - count, count, Reuse(), -1, -1);
        m_activeRow = count - 1;
        m_atFirst = false;
        InternalSetToRecord(bufferAt(0));
        m_cursorBuffer = count == m_windowCapacity ? 0 : -1;
    } else {
        emptyWindow();
        InternalLast();
        if (fetchPriorIntoWindow())
            fillWindow();
    }
    m_atLast = true;
    DataEvent(TDataEvent::deDataSetChange, 0);
    fire(AfterScroll);
}

void TDataSet::MoveNext()
{
    MoveRows(1);
}

void TDataSet::MovePrior()
{
    MoveRows(-1);
}

qint32 TDataSet::MoveRows(qint32 distance)
{
    StoreAccess access(this);
    FinishPendingRow();
    fire(BeforeScroll);
    if (distance == 0 || (distance > 0 && m_atLast) || (distance < 0 && m_atFirst))
        return 0;
    m_atFirst = false;
    m_atLast = false;
    const int rowsBefore = m_windowCount;
    int scrolled = 0;
    qint32 moved = 0;
    if (distance > 0) {
        while (moved < distance) {
            if (m_activeRow < m_windowCount - 1) {
                ++m_activeRow;
            } else {
                const bool full = m_windowCount >= m_windowCapacity;
                if (!fetchNextIntoWindow()) {
                    m_atLast = true;
                    break;
                }
                if (full)
                    --scrolled;
                if (m_activeRow < m_windowCount - 1)
                    ++m_activeRow;
            }
            ++moved;
        }
    } else {
        while (moved > distance) {
            if (m_activeRow > 0) {
                --m_activeRow;
            } else {
                const bool full = m_windowCount >= m_windowCapacity;
                if (!fetchPriorIntoWindow()) {
                    m_atFirst = true;
                    break;
                }
                if (full)
                    ++scrolled;
                if (m_activeRow > 0)
                    --m_activeRow;
            }
            --moved;
        }
    }
    if (m_windowCount == rowsBefore)
        DataEvent(TDataEvent::deDataSetScroll, scrolled);
    else
        DataEvent(TDataEvent::deDataSetChange, 0);
    fire(AfterScroll);
    return moved;
}

// ---------------------------------------------------------------------------------------------
// The record window

void TDataSet::setActiveRow(int row)
{
    // Only buffers that exist can be presented; a view asking for another row reads no row.
    if (row >= 0 && row < int(m_buffers.size()))
        m_activeRow = row;
}

int TDataSet::wantedWindowCapacity() const
{
    int wanted = 1;
    for (const TDataSource *source : m_dataSources) {
        for (const TDataLink *link : source->m_links)
            wanted = std::max(wanted, link->m_windowCapacity);
    }
    return wanted;
}

template <typename F> void TDataSet::forEachActiveLink(F f) const
{
    for (const TDataSource *source : m_dataSources) {
        for (TDataLink *link : source->m_links) {
            if (link->m_active)
                f(link);
        }
    }
}

void TDataSet::allocateWindow()
{
    m_windowCapacity = wantedWindowCapacity();
    m_ringBase = 0;
    m_buffers.reserve(m_windowCapacity + 1);
    while (int(m_buffers.size()) < m_windowCapacity + 1)
        m_buffers.push_back(AllocRecordBuffer());
    emptyWindow();
}

void TDataSet::releaseWindow()
{
    for (TRecordBuffer buffer : m_buffers)
        FreeRecordBuffer(buffer);
    m_buffers.clear();
    m_ringBase = 0;
    m_windowCapacity = 0;
    emptyWindow();
}

void TDataSet::turnRing(int step)
{
    const int n = int(m_buffers.size());
    m_ringBase += step;
    if (m_ringBase >= n)
        m_ringBase -= n;
    else if (m_ringBase < 0)
        m_ringBase += n;
}

void TDataSet::straightenRing()
{
    if (m_ringBase != 0) {
        std::rotate(m_buffers.begin(), m_buffers.begin() + m_ringBase, m_buffers.end());
        m_ringBase = 0;
    }
}

void TDataSet::emptyWindow()
{
    m_windowCount = 0;
    m_activeRow = 0;
    m_cursorBuffer = -1;
    m_atFirst = true;
    m_atLast = true;
}

void TDataSet::makeOneRowWindow()
{
    m_windowCount = 1;
    m_activeRow = 0;
    m_cursorBuffer = 0;
    m_atFirst = false;
    m_atLast = false;
}

void TDataSet::ClearWindow()
{
    emptyWindow();
    DataEvent(TDataEvent::deDataSetChange, 0);
}

void TDataSet::standCursorOn(int index)
{
    if (m_cursorBuffer != index) {
        InternalSetToRecord(bufferAt(index));
        m_cursorBuffer = index;
    }
}

bool TDataSet::fetchNextIntoWindow()
{
    TGetMode mode = TGetMode::gmNext;
    if (m_windowCount > 0) {
        standCursorOn(m_windowCount - 1);
        // The cursor of a row being inserted stands on the row it goes before, which is the
        // one to show below it.
        if (m_state == TDataSetState::dsInsert && m_cursorBuffer == m_activeRow) {
            const TBookmarkFlag flag = BookmarkFlagOf(bufferAt(m_activeRow));
            if (flag == TBookmarkFlag::bfCurrent || flag == TBookmarkFlag::bfInserted)
                mode = TGetMode::gmCurrent;
        }
    }
    if (!FetchRecord(bufferAt(m_windowCount), mode)) {
        m_cursorBuffer = -1;
        return false;
    }
    if (m_windowCount == 0) {
        makeOneRowWindow();
    } else if (m_windowCount < m_windowCapacity) {
        ++m_windowCount;
    } else {
        // Full window: the top buffer becomes the fetch buffer, every row moves up by one.
        turnRing(1);
    }
    m_cursorBuffer = m_windowCount - 1;
    return true;
}

bool TDataSet::fetchPriorIntoWindow()
{
    if (m_windowCount > 0)
        standCursorOn(0);
    if (!FetchRecord(bufferAt(m_windowCount), TGetMode::gmPrior)) {
        m_cursorBuffer = -1;
        return false;
    }
    if (m_windowCount == 0) {
        makeOneRowWindow();
    } else {
        // The fetch buffer goes to the top, every row moves down by one; a buffer beyond the
        // fetch buffer holds no row, so it may trade places with the fetch buffer first.
        const int last = int(m_buffers.size()) - 1;
        if (m_windowCount != last)
            std::swap(bufferAt(m_windowCount), bufferAt(last));
        turnRing(-1);
        if (m_windowCount < m_windowCapacity) {
            ++m_windowCount;
            ++m_activeRow;
        }
    }
    m_cursorBuffer = 0;
    return true;
}

void TDataSet::fillWindow()
{
    while (m_windowCount < m_windowCapacity && fetchNextIntoWindow()) { }
    while (m_windowCount < m_windowCapacity && fetchPriorIntoWindow()) { }
}

void TDataSet::Resynchronise(bool exact, bool center)
{
    resynchronise(exact, center, nullptr);
}

void TDataSet::arrangeWindow(qint32 top, int count, const Reuse &reuse, int fetched, qint32 fetchedPos)
{
    // The old window's rows are consecutive. When its first and last rows that may be taken
    // over say that nothing moved between them, the new window is the old one turned by a
    // number of rows, with the rows it lacks read anew.
    const int first = reuse.excluded == 0 ? 1 : 0;
    const int last = reuse.excluded == m_windowCount - 1 ? m_windowCount - 2 : m_windowCount - 1;
    if (first < last) {
        const qint32 firstAt = ReusablePosition(bufferAt(first));
        const qint32 lastAt = ReusablePosition(bufferAt(last));
        if (firstAt >= 0 && lastAt >= 0 && lastAt < reuse.shiftFrom && lastAt - firstAt == last - first) {
            turnWindow(top, count, reuse.excluded, top + first - firstAt, fetched, fetchedPos);
            return;
        }
    }

    const int n = int(m_buffers.size());
    QVarLengthArray<int, 64> chosen(count, -1);
    QVarLengthArray<bool, 64> used(n, false);
    QVarLengthArray<bool, 64> moved(count, false);
    if (fetched >= 0 && fetchedPos >= top && fetchedPos < top + count) {
        chosen[fetchedPos - top] = fetched;
        used[fetched] = true;
    }
    for (int old = 0; old < m_windowCount; ++old) {
        if (old == reuse.excluded)
            continue;
        qint32 at = ReusablePosition(bufferAt(old));
        if (at < 0)
            continue;
        const bool shifted = at >= reuse.shiftFrom;
        if (shifted)
            at += reuse.shiftBy;
        if (at < top || at >= top + count || chosen[at - top] >= 0)
            continue;
        chosen[at - top] = old;
        moved[at - top] = shifted;
        used[old] = true;
    }
    QVarLengthArray<int, 64> spare;
    for (int k = 0; k < n; ++k) {
        if (!used[k])
            spare.push_back(k);
    }
    int nextSpare = 0;
    m_arranged.clear();
    for (int j = 0; j < count; ++j) {
        if (chosen[j] < 0) {
            chosen[j] = spare[nextSpare++];
            if (!FetchRecordAt(bufferAt(chosen[j]), top + j))
                DatabaseError(QStringLiteral("Record not found"));
        } else if (moved[j]) {
            setRecordPosition(bufferAt(chosen[j]), top + j);
        }
        m_arranged.push_back(bufferAt(chosen[j]));
    }
    for (; nextSpare < spare.size(); ++nextSpare)
        m_arranged.push_back(bufferAt(spare[nextSpare]));
    m_buffers.swap(m_arranged);
    m_ringBase = 0;
    m_windowCount = count;
}

void TDataSet::turnWindow(qint32 top, int count, int excluded, int shift, int fetched, qint32 fetchedPos)
{
    // Old window row i is new window row i - shift.
    const int oldCount = m_windowCount;
    const int n = int(m_buffers.size());
    auto takenOver = [&](int j) {
        const int old = j + shift;
        return old >= 0 && old < oldCount && old != excluded;
    };
    turnRing(((shift % n) + n) % n);
    if (fetched >= 0 && fetchedPos >= top && fetchedPos < top + count && !takenOver(fetchedPos - top)) {
        const int from = (((fetched - shift) % n) + n) % n;
        std::swap(bufferAt(fetchedPos - top), bufferAt(from));
    }
    // Rows not taken over: those beyond either end of the old window, and the excluded one.
    auto readAnew = [&](int j) {
        if (takenOver(j) || (fetched >= 0 && top + j == fetchedPos))
            return;
        if (!FetchRecordAt(bufferAt(j), top + j))
            DatabaseError(QStringLiteral("Record not found"));
    };
    const int above = std::clamp(-shift, 0, count);
    const int below = std::clamp(oldCount - shift, above, count);
    for (int j = 0; j < above; ++j)
        readAnew(j);
    if (excluded >= 0 && excluded - shift >= above && excluded - shift < below)
        readAnew(excluded - shift);
    for (int j = below; j < count; ++j)
        readAnew(j);
    m_windowCount = count;
}

void TDataSet::resynchronise(bool exact, bool center, const Reuse *reuse)
{
    TRecordBuffer fetch = bufferAt(m_windowCount);
    if (exact) {
        m_cursorBuffer = -1;
        if (!FetchRecord(fetch, TGetMode::gmCurrent))
            DatabaseError(QStringLiteral("Record not found"));
    } else if (!FetchRecord(fetch, TGetMode::gmCurrent) && !FetchRecord(fetch, TGetMode::gmNext)
        && !FetchRecord(fetch, TGetMode::gmPrior)) {
        emptyWindow();
        DataEvent(TDataEvent::deDataSetChange, 0);
        return;
    }
    const int keep = center ? (m_windowCapacity - 1) / 2 : m_activeRow;
    const qint32 current = reuse && !exact && !center && reuseEnabled() ? RecordPosition(fetch) : -1;
    if (current >= 0) {
        // The same window as reading row by row gives: `keep` rows above the current one
        // where there are so many, then the rows below, then more rows above.
        const int capacity = m_windowCapacity;
        const qint32 rows = RowCount();
        const int before = std::min(keep, int(current));
        const int after = std::min(capacity - 1 - before, int(rows - 1 - current));
        const int extra = std::min(capacity - 1 - before - after, int(current) - before);
        const int count = before + extra + 1 + after;
        arrangeWindow(current - before - extra, count, *reuse, m_windowCount, current);
        m_activeRow = before + extra;
        m_atFirst = false;
        m_atLast = false;
        // Where reading row by row leaves the cursor: on the top row, or on the bottom row
        // when the rows below filled the window.
        int cursorIndex = 0;
        int cursorBuffer = -1;
        if (before + 1 == capacity) {
            cursorBuffer = 0;
        } else if (after > 0 && before + 1 + after == capacity) {
            cursorIndex = count - 1;
            cursorBuffer = count - 1;
        } else if (count == capacity) {
            cursorBuffer = 0;
        }
        InternalSetToRecord(bufferAt(cursorIndex));
        m_cursorBuffer = cursorBuffer;
        DataEvent(TDataEvent::deDataSetChange, 0);
        return;
    }
    std::swap(bufferAt(0), bufferAt(m_windowCount));
    makeOneRowWindow();
    try {
        for (int added = 0; added < keep && fetchPriorIntoWindow(); ++added) { }
        fillWindow();
    } catch (...) {
        DataEvent(TDataEvent::deDataSetChange, 0);
        throw;
    }
    DataEvent(TDataEvent::deDataSetChange, 0);
}

void TDataSet::updateWindowSize()
{
    if (!Active() || m_buffers.empty())
        return;
    const int wanted = wantedWindowCapacity();
    if (wanted == m_windowCapacity)
        return;
    StoreAccess access(this);
    straightenRing();
    const bool cut = wanted < m_windowCapacity && m_windowCount > 0;
    if (cut) {
        int drop = m_activeRow;
        forEachActiveLink([&drop](TDataLink *link) { drop = std::min(drop, link->m_firstRow); });
        drop = std::min(drop, int(m_buffers.size()) - wanted - 1);
        // The current row must stay inside the smaller window whatever the links say.
        drop = std::max(drop, m_activeRow - wanted + 1);
        std::rotate(m_buffers.begin(), m_buffers.begin() + drop, m_buffers.end());
        m_activeRow -= drop;
        if (m_cursorBuffer != -1)
            m_cursorBuffer -= drop;
        m_windowCount = std::min(m_windowCount - drop, wanted);
        if (m_cursorBuffer >= m_windowCount)
            m_cursorBuffer = -1;
        forEachActiveLink([drop](TDataLink *link) { link->m_firstRow = std::max(0, link->m_firstRow - drop); });
    }
    while (int(m_buffers.size()) > wanted + 1) {
        FreeRecordBuffer(m_buffers.back());
        m_buffers.pop_back();
    }
    while (int(m_buffers.size()) < wanted + 1)
        m_buffers.push_back(AllocRecordBuffer());
    m_windowCapacity = wanted;
    if (m_windowCount > 0) {
        while (m_windowCount < m_windowCapacity && fetchNextIntoWindow()) { }
        int added = 0;
        while (m_windowCount < m_windowCapacity && fetchPriorIntoWindow())
            ++added;
        if (added)
            forEachActiveLink([added](TDataLink *link) { link->m_firstRow += added; });
    }
    // A growing window keeps every view's rows; only the view that grew is placed anew, by its
    // link, afterwards.
    if (cut)
        keepViewsInsideWindow();
}

void TDataSet::keepViewsInsideWindow()
{
    // Views of different sizes may lie apart further than a window cut down to the largest of
    // them reaches: one of them then ran past the window's end and would read a row it no longer
    // holds. It moves up as far as the window needs (its current row stays among its rows, since
    // that row is in the window), and hears of it so that it shows its new rows.
    QVarLengthArray<TDataLink *, 8> moved;
    forEachActiveLink([this, &moved](TDataLink *link) {
        const int inside = std::min(link->m_firstRow, std::max(0, m_windowCount - link->m_windowCapacity));
        if (inside != link->m_firstRow) {
            link->m_firstRow = inside;
            moved.push_back(link);
        }
    });
    // Held notifications end in a dataset-change to every view, blocked ones reach no view.
    if (moved.isEmpty() || NotificationsBlocked() || m_holdCount > 0 || m_state == TDataSetState::dsBlockRead)
        return;
    auto attached = [this](const TDataLink *link) {
        return std::any_of(m_dataSources.begin(), m_dataSources.end(), [link](const TDataSource *source) {
            return std::find(source->m_links.begin(), source->m_links.end(), link) != source->m_links.end();
        });
    };
    for (TDataLink *link : moved) {
        // A view's reaction may have detached another one that has not heard yet.
        if (attached(link) && link->m_active)
            link->DataEvent(TDataEvent::deDataSetChange, 0);
    }
}
