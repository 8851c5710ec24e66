// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <vector>

#include <QString>

#include "memtable/xovCommon.h"

// One ordering of the stored records: an ordered list of references into the store.
class TxovIndex
{
    Q_DISABLE_COPY_MOVE(TxovIndex)

public:
    explicit TxovIndex(QString name);
    ~TxovIndex();

    const QString &Name() const { return m_name; }
    const std::vector<TxovRecord *> &Entries() const { return m_entries; }
    qint32 Count() const { return qint32(m_entries.size()); }
    TxovRecord *At(qint32 position) const { return m_entries[position]; }

    void Append(TxovRecord *record);
    void InsertAt(qint32 position, TxovRecord *record);
    void RemoveAt(qint32 position);
    void Clear();
    // Lists the live records of the store in slot order.
    void Rebuild(const TxovCommon &store);

    // Marked from emptying until the next post; the binary searches are skipped meanwhile.
    bool Unordered() const { return m_unordered; }

    // Position of the record with this slot number, -1 when absent. The hint is checked first;
    // then binary search assuming ascending slot numbers, then descending, then a linear scan.
    qint32 FindBySlot(qint32 slotId, qint32 hint = -1) const;
    qint32 FindBySlotLinear(qint32 slotId) const;

private:
    QString m_name;
    std::vector<TxovRecord *> m_entries;
    bool m_unordered = false;
};

// A table's indexes, each under its name; the first is always the row order.
class TxovIndexes
{
    Q_DISABLE_COPY_MOVE(TxovIndexes)

public:
    static inline const QString RowOrderName = QStringLiteral("__MT__ROWORDER");

    TxovIndexes();
    ~TxovIndexes();

    TxovIndex *RowOrder() const { return m_indexes.front().get(); }
    int Count() const { return int(m_indexes.size()); }
    TxovIndex *At(int i) const { return m_indexes[i].get(); }
    TxovIndex *Find(const QString &name) const;
    TxovIndex *Add(const QString &name);
    void DropAllButRowOrder();
    void EmptyAll();

private:
    std::vector<std::unique_ptr<TxovIndex>> m_indexes;
};
