// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// A reference model of the turn table's rows, for checking the table against its rules.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QString>

#include "db/DataTypes.h"
#include "tests/support/TurnTable.h"

// A row of the turn table: the values of i, e1, h1, a1, e2, h2, a2, empty ones absent.
using TurnRow = std::array<std::optional<qint32>, TurnFieldCount>;
// The error an operation must raise, if any.
using Expected = std::optional<QString>;

// "(1 10 501 - - - -)"
QString turnRowText(const TurnRow &row);

// The texts the table "Tbl" raises.
namespace TurnTableErrors {
inline const QString Closed = QStringLiteral("Tbl: Cannot perform this operation on a closed dataset");
inline const QString Empty = QStringLiteral("Tbl: Cannot perform this operation on an empty dataset");
inline const QString ReadOnlyTable = QStringLiteral("Tbl: Cannot modify a read-only dataset");
inline const QString NotEditing = QStringLiteral("Tbl: Dataset not in edit or insert mode");
inline const QString NotInEditMode = QStringLiteral("Tbl: Dataset is not in edit mode.");
} // namespace TurnTableErrors

// What the turn table must hold after each operation, written plainly from its rules: the
// stored rows in row order, the state with the row being edited or inserted, the row numbers
// handed out, and the record window of one view asking for `capacity` rows.
//
// The rows a view sees form the sequence V: the stored rows, with the row being appended or
// inserted placed where it will go. The window is the run V[top, top + count), the current row
// V[top + active]. Each operation returns the error the table must raise.
struct TurnTableModel
{
    enum class State { Inactive, Browse, Edit, Insert };
    // How the row being edited or inserted came about.
    enum class Pending { None, Append, BeforeFirst, Before, Edit };

    // The operations, named after the table's.
    void openTable();
    void closeTable();
    Expected append();
    Expected insert();
    Expected edit();
    Expected write(int field, std::optional<qint32> value);
    Expected post();
    void cancel();
    Expected remove();
    Expected moveFirst();
    Expected moveLast();
    Expected moveRows(qint32 distance, qint32 &moved);
    Expected refresh();
    void removeAll();
    // The view asks for another number of rows.
    void setCapacity(int wanted);
    void setReadOnly(bool value) { readOnly = value; }
    void setAutoIncMinValue(qint32 minimum);

    // What the table shows.
    bool isOpen() const { return state != State::Inactive; }
    bool editing() const { return state == State::Edit || state == State::Insert; }
    TDataSetState tableState() const;
    int sequenceSize() const;
    TurnRow rowAt(int v) const; // V[v], the edited row with its pending values
    int rowNumberAt(int v) const; // RowNumber of V[v]: -1 for a row being inserted
    std::vector<TurnRow> visible() const; // V
    int currentPos() const { return top + active; }
    std::optional<TurnRow> currentRow() const;
    int rowNumber() const;

    int capacity = 5;
    State state = State::Inactive;
    std::vector<TurnRow> rows;
    Pending pending = Pending::None;
    int pendingPos = -1; // the edited row, or the row an insert goes before
    TurnRow buffer {}; // the row being edited or inserted
    bool modified = false;
    bool readOnly = false;
    qint32 autoIncMinValue = 0;
    qint32 highest = -1; // the highest i posted since opening
    int top = 0;
    int count = 0;
    int active = 0;
    bool atFirst = true;
    bool atLast = true;

private:
    int newIndex() const;
    TurnRow newRow() const;
    void emptyWindow();
    // The window around V[cursor] (or the nearest row) after the rows changed, keeping `keep`
    // rows above it where there are.
    void resync(int cursor, int keep);
    void finishPending();
    void beginBeforeFirst();
};
