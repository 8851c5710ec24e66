// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// States of a dataset. Only inactive, browse, edit and insert occur in normal use; the others
// are the dataset base's own internal states, which field writes and posting also accept.
enum class TDataSetState {
    dsInactive,
    dsBrowse,
    dsEdit,
    dsInsert,
    dsSetKey,
    dsCalcFields,
    dsFilter,
    dsNewValue,
    dsInternalCalc,
    dsBlockRead,
};

// Change notifications from a dataset to its bound views; the numbers are fixed.
enum class TDataEvent : int {
    deFieldChange = 0,
    deRecordChange = 1,
    deDataSetChange = 2,
    deDataSetScroll = 3,
    deLayoutChange = 4,
    deUpdateRecord = 5,
    deUpdateState = 6,
    deCheckBrowseMode = 7,
    dePropertyChange = 8,
    deFieldListChange = 9,
    deFocusControl = 10,
    deParentScroll = 11,
    deConnectChange = 12,
    deReconcileError = 13,
    deDisabledStateChange = 14,
};

enum class TFieldType { ftUnknown, ftInteger, ftAutoInc };

enum class TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc };

// The answer of an error event: raise the error again, end the operation silently, or retry.
enum class TDataAction { daFail, daAbort, daRetry };

// How a concrete table fetches a row into a record buffer: the row at the cursor, the one after
// it or the one before it.
enum class TGetMode { gmCurrent, gmNext, gmPrior };

// What a record buffer holds, as the flag byte of its bookmark entry: a row fetched from the
// store, a new row begun on a table without rows, a row being appended, a row being inserted.
enum class TBookmarkFlag : quint8 { bfCurrent = 0, bfBOF = 1, bfEOF = 2, bfInserted = 3 };
