// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The reference model of the turn table's rows and of one view's window over them.

#include "tests/support/TurnTableModel.h"

#include <algorithm>

#include <QStringList>

namespace {

// The table's numbering goes on past the largest value as two's complement does.
qint32 wrappedSuccessor(qint32 value)
{
    return qint32(quint32(value) + 1u);
}

qint32 wrappedPredecessor(qint32 value)
{
    return qint32(quint32(value) - 1u);
}

} // namespace

QString turnRowText(const TurnRow &row)
{
    QStringList parts;
    for (const auto &value : row)
        parts << (value ? QString::number(*value) : QStringLiteral("-"));
    return QLatin1Char('(') + parts.join(QLatin1Char(' ')) + QLatin1Char(')');
}

TDataSetState TurnTableModel::tableState() const
{
    switch (state) {
    case State::Browse:
        return TDataSetState::dsBrowse;
    case State::Edit:
        return TDataSetState::dsEdit;
    case State::Insert:
        return TDataSetState::dsInsert;
    default:
        return TDataSetState::dsInactive;
    }
}

int TurnTableModel::newIndex() const
{
    return pending == Pending::Before ? pendingPos : int(rows.size());
}

int TurnTableModel::sequenceSize() const
{
    return int(rows.size()) + (state == State::Insert ? 1 : 0);
}

int TurnTableModel::rowNumberAt(int v) const
{
    if (state == State::Insert) {
        const int n = newIndex();
        if (v == n)
            return -1;
        return (v < n ? v : v - 1) + 1;
    }
    return v + 1;
}

TurnRow TurnTableModel::rowAt(int v) const
{
    if (state == State::Insert) {
        const int n = newIndex();
        if (v == n)
            return buffer;
        return rows[size_t(v < n ? v : v - 1)];
    }
    if (state == State::Edit && v == pendingPos)
        return buffer;
    return rows[size_t(v)];
}

std::vector<TurnRow> TurnTableModel::visible() const
{
    std::vector<TurnRow> result;
    for (int v = 0; v < sequenceSize(); ++v)
        result.push_back(rowAt(v));
    return result;
}

std::optional<TurnRow> TurnTableModel::currentRow() const
{
    if (count == 0)
        return std::nullopt;
    return rowAt(currentPos());
}

int TurnTableModel::rowNumber() const
{
    return count > 0 ? rowNumberAt(currentPos()) : -1;
}

void TurnTableModel::emptyWindow()
{
    top = count = active = 0;
    atFirst = atLast = true;
}

void TurnTableModel::resync(int cursor, int keep)
{
    const int n = int(rows.size());
    int r;
    if (cursor >= 0 && cursor < n)
        r = cursor;
    else if (cursor < n - 1)
        r = cursor + 1;
    else if (cursor > 0)
        r = cursor - 1;
    else {
        emptyWindow();
        return;
    }
    const int before = std::min(keep, r);
    const int after = std::min(capacity - 1 - before, n - 1 - r);
    const int extra = std::min(capacity - 1 - before - after, r - before);
    top = r - before - extra;
    count = before + extra + 1 + after;
    active = before + extra;
    atFirst = atLast = false;
}

TurnRow TurnTableModel::newRow() const
{
    TurnRow row {};
    row[0] = wrappedSuccessor(highest);
    return row;
}

Expected TurnTableModel::post()
{
    if (!editing())
        return TurnTableErrors::NotEditing;
    if (buffer[0] && *buffer[0] > highest)
        highest = *buffer[0];
    int cursor;
    if (state == State::Edit) {
        rows[size_t(pendingPos)] = buffer;
        cursor = pendingPos;
    } else if (pending == Pending::Before) {
        rows.insert(rows.begin() + pendingPos, buffer);
        cursor = pendingPos;
    } else {
        cursor = pending == Pending::Append ? int(rows.size()) : -1;
        rows.push_back(buffer);
    }
    const int keep = active;
    state = State::Browse;
    pending = Pending::None;
    modified = false;
    resync(cursor, keep);
    return std::nullopt;
}

void TurnTableModel::cancel()
{
    if (!editing())
        return;
    int cursor = pendingPos;
    if (pending == Pending::Append)
        cursor = int(rows.size());
    else if (pending == Pending::BeforeFirst)
        cursor = -1;
    const int keep = active;
    state = State::Browse;
    pending = Pending::None;
    modified = false;
    resync(cursor, keep);
}

void TurnTableModel::finishPending()
{
    if (editing()) {
        if (modified)
            post();
        else
            cancel();
    }
}

void TurnTableModel::beginBeforeFirst()
{
    state = State::Insert;
    pending = Pending::BeforeFirst;
    buffer = newRow();
    modified = false;
    top = 0;
    count = 1;
    active = 0;
    atFirst = atLast = false;
}

Expected TurnTableModel::append()
{
    if (!isOpen())
        return TurnTableErrors::Closed;
    finishPending();
    if (readOnly)
        return TurnTableErrors::ReadOnlyTable;
    const int n = int(rows.size());
    const int above = std::min(capacity - 1, n);
    state = State::Insert;
    pending = Pending::Append;
    buffer = newRow();
    modified = false;
    top = n - above;
    count = above + 1;
    active = above;
    atFirst = false;
    atLast = true;
    return std::nullopt;
}

Expected TurnTableModel::insert()
{
    if (!isOpen())
        return TurnTableErrors::Closed;
    finishPending();
    if (readOnly)
        return TurnTableErrors::ReadOnlyTable;
    if (count == 0) {
        beginBeforeFirst();
        return std::nullopt;
    }
    pendingPos = currentPos();
    state = State::Insert;
    pending = Pending::Before;
    buffer = newRow();
    modified = false;
    count = std::min(count + 1, capacity);
    return std::nullopt;
}

Expected TurnTableModel::edit()
{
    if (editing())
        return std::nullopt;
    if (!isOpen())
        return TurnTableErrors::Closed;
    if (readOnly)
        return TurnTableErrors::ReadOnlyTable;
    if (count == 0) {
        beginBeforeFirst();
        return std::nullopt;
    }
    state = State::Edit;
    pending = Pending::Edit;
    pendingPos = currentPos();
    buffer = rows[size_t(pendingPos)];
    modified = false;
    return std::nullopt;
}

Expected TurnTableModel::write(int field, std::optional<qint32> value)
{
    if (!isOpen())
        return std::nullopt;
    if (!editing())
        return TurnTableErrors::NotInEditMode;
    if (readOnly)
        return QStringLiteral("Field %1 is read only").arg(QString::fromLatin1(TurnFieldNames[field]));
    buffer[size_t(field)] = value;
    modified = true;
    return std::nullopt;
}

Expected TurnTableModel::remove()
{
    if (!isOpen())
        return TurnTableErrors::Closed;
    if (state == State::Insert) {
        cancel();
        return std::nullopt;
    }
    if (count == 0)
        return TurnTableErrors::Empty;
    const int pos = currentPos();
    rows.erase(rows.begin() + pos);
    const int keep = active;
    state = State::Browse;
    pending = Pending::None;
    modified = false;
    resync(pos, keep);
    return std::nullopt;
}

Expected TurnTableModel::moveFirst()
{
    if (!isOpen())
        return TurnTableErrors::Closed;
    finishPending();
    const int n = int(rows.size());
    emptyWindow();
    if (n > 0) {
        count = std::min(capacity, n);
        atLast = false;
    }
    return std::nullopt;
}

Expected TurnTableModel::moveLast()
{
    if (!isOpen())
        return TurnTableErrors::Closed;
    finishPending();
    const int n = int(rows.size());
    emptyWindow();
    if (n > 0) {
        count = std::min(capacity, n);
        top = n - count;
        active = count - 1;
        atFirst = false;
    }
    return std::nullopt;
}

Expected TurnTableModel::moveRows(qint32 distance, qint32 &moved)
{
    moved = 0;
    if (!isOpen())
        return TurnTableErrors::Closed;
    finishPending();
    if (distance == 0 || (distance > 0 && atLast) || (distance < 0 && atFirst))
        return std::nullopt;
    atFirst = atLast = false;
    const int n = int(rows.size());
    while (moved < distance) {
        if (active < count - 1) {
            ++active;
        } else {
            if (top + count >= n) {
                atLast = true;
                break;
            }
            if (count < capacity)
                ++count;
            else
                ++top;
            if (active < count - 1)
                ++active;
        }
        ++moved;
    }
    while (moved > distance) {
        if (active > 0) {
            --active;
        } else {
            if (top == 0) {
                atFirst = true;
                break;
            }
            --top;
            if (count < capacity) {
                ++count;
                ++active;
            }
            if (active > 0)
                --active;
        }
        --moved;
    }
    return std::nullopt;
}

Expected TurnTableModel::refresh()
{
    if (!isOpen())
        return TurnTableErrors::Closed;
    finishPending();
    resync(count > 0 ? currentPos() : -1, active);
    return std::nullopt;
}

void TurnTableModel::removeAll()
{
    if (!isOpen())
        return;
    finishPending();
    rows.clear();
    emptyWindow();
}

void TurnTableModel::closeTable()
{
    if (!isOpen())
        return;
    cancel();
    rows.clear();
    state = State::Inactive;
    emptyWindow();
}

void TurnTableModel::openTable()
{
    if (isOpen())
        return;
    state = State::Browse;
    rows.clear();
    modified = false;
    highest = wrappedPredecessor(autoIncMinValue);
    emptyWindow();
}

void TurnTableModel::setAutoIncMinValue(qint32 minimum)
{
    autoIncMinValue = minimum;
    if (highest < minimum)
        highest = wrappedPredecessor(minimum);
}

void TurnTableModel::setCapacity(int wanted)
{
    if (!isOpen() || wanted == capacity) {
        capacity = wanted;
        return;
    }
    if (wanted < capacity && count > 0) {
        // The view's first row, clamped for its new size.
        const int lo = std::max(0, active - wanted + 1);
        const int hi = std::min(active, std::max(0, count - wanted));
        int first = std::min(std::max(0, lo), hi);
        if (first != 0 && active - first < wanted - 1)
            --first;
        int drop = std::min({active, first, capacity - wanted});
        drop = std::max(drop, active - wanted + 1);
        top += drop;
        active -= drop;
        count = std::min(count - drop, wanted);
    }
    capacity = wanted;
    if (count > 0) {
        while (count < capacity && top + count < sequenceSize())
            ++count;
        while (count < capacity && top > 0) {
            --top;
            ++count;
            ++active;
        }
    }
}
