#pragma once

#include "DataSet.h"

// Declared fully by the memory table's implementation; what the program uses:
//
// class TxovCustomMemTable : public TDataSet
// {
// public:
//     explicit TxovCustomMemTable(QObject *parent = nullptr);
//     void RemoveAllRows();
//     ... (properties of the memory table: AttachMaxCount, AutoIncMinValue, ReadOnly, ...)
// };
//
// class TxovMemTable final : public TxovCustomMemTable
// {
// public:
//     explicit TxovMemTable(QObject *parent = nullptr);
// };
