#include <algorithm>
#include <array>
#include <optional>
#include <random>
#include <vector>

#include <QTest>
#include <QtEndian>

#include "db/DataSource.h"
#include "db/Field.h"
#include "db/FieldDataLink.h"
#include "memtable/xovMemTable.h"
#include "tests/support/RecordingLink.h"

// Random sequences of table operations, each step checked against a plain model of what the
// table must hold: its rows, the current row, the state, the counts and the rows a view shows.

namespace {

constexpr int FieldCount = 7; // i, e1, h1, a1, e2, h2, a2
const char *const FieldNames[FieldCount] = {"i", "e1", "h1", "a1", "e2", "h2", "a2"};

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

using Row = std::array<std::optional<qint32>, FieldCount>;

enum class State { Inactive, Browse, Edit, Insert };
enum class Pending { None, Append, BeforeFirst, Before, Edit };

// The model. The rows a view sees form the sequence V: the posted rows, with the row being
// appended or inserted placed where it will go. The window is the run V[top, top + count).
struct Model
{
    int capacity = 5;
    bool open = false;
    std::vector<Row> rows;
    State state = State::Inactive;
    Pending pending = Pending::None;
    int pendingPos = -1;
    Row buffer {};
    bool modified = false;
    qint32 highest = 0;
    int top = 0;
    int count = 0;
    int active = 0;
    bool atFirst = true;
    bool atLast = true;

    static QString closedError() { return s("Tbl: Cannot perform this operation on a closed dataset"); }

    bool editing() const { return state == State::Edit || state == State::Insert; }
    int newIndex() const { return pending == Pending::Before ? pendingPos : int(rows.size()); }
    int sequenceSize() const { return int(rows.size()) + (state == State::Insert ? 1 : 0); }
    int rowNumberAt(int v) const
    {
        if (state == State::Insert) {
            const int n = newIndex();
            if (v == n)
                return -1;
            return (v < n ? v : v - 1) + 1;
        }
        return v + 1;
    }
    Row rowAt(int v) const
    {
        if (state == State::Insert) {
            const int n = newIndex();
            if (v == n)
                return buffer;
            return rows[v < n ? v : v - 1];
        }
        if (state == State::Edit && v == pendingPos)
            return buffer;
        return rows[v];
    }
    int currentPos() const { return top + active; }

    void emptyWindow()
    {
        top = count = active = 0;
        atFirst = atLast = true;
    }

    void resync(int cursor, int keep)
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

    Row newRow() const
    {
        Row row {};
        row[0] = highest + 1;
        return row;
    }

    QString post()
    {
        if (!editing())
            return s("Tbl: Dataset not in edit or insert mode");
        if (buffer[0] && *buffer[0] > highest)
            highest = *buffer[0];
        int cursor;
        if (state == State::Edit) {
            rows[pendingPos] = buffer;
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
        return {};
    }

    void cancel()
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

    void finishPending()
    {
        if (editing()) {
            if (modified)
                post();
            else
                cancel();
        }
    }

    void beginBeforeFirst()
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

    QString append()
    {
        if (!open)
            return closedError();
        finishPending();
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
        return {};
    }

    QString insert()
    {
        if (!open)
            return closedError();
        finishPending();
        if (count == 0) {
            beginBeforeFirst();
            return {};
        }
        pendingPos = currentPos();
        state = State::Insert;
        pending = Pending::Before;
        buffer = newRow();
        modified = false;
        count = std::min(count + 1, capacity);
        return {};
    }

    QString edit()
    {
        if (editing())
            return {};
        if (count == 0) {
            if (!open)
                return closedError();
            beginBeforeFirst();
            return {};
        }
        state = State::Edit;
        pending = Pending::Edit;
        pendingPos = currentPos();
        buffer = rows[pendingPos];
        modified = false;
        return {};
    }

    QString write(int field, std::optional<qint32> value)
    {
        if (!open)
            return {};
        if (!editing())
            return s("Tbl: Dataset is not in edit mode.");
        buffer[field] = value;
        modified = true;
        return {};
    }

    QString remove()
    {
        if (!open)
            return closedError();
        if (state == State::Insert) {
            cancel();
            return {};
        }
        if (count == 0)
            return s("Tbl: Cannot perform this operation on an empty dataset");
        const int pos = currentPos();
        rows.erase(rows.begin() + pos);
        const int keep = active;
        state = State::Browse;
        pending = Pending::None;
        modified = false;
        resync(pos, keep);
        return {};
    }

    QString moveFirst()
    {
        if (!open)
            return closedError();
        finishPending();
        const int n = int(rows.size());
        emptyWindow();
        if (n > 0) {
            count = std::min(capacity, n);
            atLast = false;
        }
        return {};
    }

    QString moveLast()
    {
        if (!open)
            return closedError();
        finishPending();
        const int n = int(rows.size());
        emptyWindow();
        if (n > 0) {
            count = std::min(capacity, n);
            top = n - count;
            active = count - 1;
            atFirst = false;
        }
        return {};
    }

    QString moveRows(int distance, int &moved)
    {
        moved = 0;
        if (!open)
            return closedError();
        finishPending();
        if (distance == 0 || (distance > 0 && atLast) || (distance < 0 && atFirst))
            return {};
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
        return {};
    }

    QString refresh()
    {
        if (!open)
            return closedError();
        finishPending();
        resync(count > 0 ? currentPos() : -1, active);
        return {};
    }

    void removeAll()
    {
        if (!open)
            return;
        finishPending();
        rows.clear();
        emptyWindow();
    }

    void close()
    {
        if (!open)
            return;
        cancel();
        rows.clear();
        open = false;
        state = State::Inactive;
        emptyWindow();
    }

    void openTable()
    {
        if (open)
            return;
        open = true;
        state = State::Browse;
        rows.clear();
        highest = -1;
        emptyWindow();
    }

    void setCapacity(int wanted)
    {
        if (!open || wanted == capacity) {
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
};

State stateOf(TDataSetState state)
{
    switch (state) {
    case TDataSetState::dsBrowse:
        return State::Browse;
    case TDataSetState::dsEdit:
        return State::Edit;
    case TDataSetState::dsInsert:
        return State::Insert;
    default:
        return State::Inactive;
    }
}

QString showRow(const Row &row)
{
    QStringList parts;
    for (const auto &value : row)
        parts << (value ? QString::number(*value) : s("-"));
    return parts.join(QLatin1Char(' '));
}

} // namespace

namespace {

// A table that reads every window row from the store one by one, as the window's own steps
// describe, without taking rows over from the old window.
class RowByRowTable final : public TxovCustomMemTable
{
public:
    RowByRowTable() { setWindowRowReuse(false); }
};

// A turn table with a view and a label attached, for running the same steps on two tables.
template <typename Table> struct Setup
{
    explicit Setup(int capacity)
    {
        table.setObjectName(s("Tbl"));
        new TAutoIncField(&table, s("i"));
        for (int f = 1; f < FieldCount; ++f)
            new TIntegerField(&table, s(FieldNames[f]));
        source.setDataSet(&table);
        view.setWindowCapacity(capacity);
        view.setDataSource(&source);
        label.setFieldName(s("a1"));
        label.setDataSource(&source);
    }

    // Everything a view or a caller can see of the table and its window.
    QString snapshot(const QString &error, int moved)
    {
        QStringList parts;
        parts << QStringLiteral("error=%1 moved=%2 state=%3").arg(error).arg(moved).arg(int(table.State()));
        if (!table.Active())
            return parts.join(s("; "));
        parts << QStringLiteral("rows=%1 number=%2 window=%3/%4 active=%5 cursor=%6/%7 first=%8 last=%9")
                     .arg(table.RowCount())
                     .arg(table.RowNumber())
                     .arg(table.WindowCount())
                     .arg(table.WindowCapacity())
                     .arg(table.ActiveRow())
                     .arg(table.CursorPos())
                     .arg(table.CursorBuffer())
                     .arg(table.AtFirstRow())
                     .arg(table.AtLastRow());
        parts << QStringLiteral("view first=%1 label first=%2").arg(view.FirstRow()).arg(label.FirstRow());
        const int saved = view.ActiveRow();
        for (int j = 0; j < view.RowCount(); ++j) {
            view.setActiveRow(j);
            QStringList row;
            row << QString::number(table.RowNumber());
            for (int f = 0; f < FieldCount; ++f)
                row << table.FieldNamed(s(FieldNames[f]))->DisplayText();
            parts << row.join(QLatin1Char(','));
        }
        view.setActiveRow(saved);
        return parts.join(s("; "));
    }

    Table table;
    TDataSource source;
    RecordingLink view;
    TFieldDataLink label;
};

} // namespace

class tst_MemTableModel : public QObject
{
    Q_OBJECT

private slots:
    void randomSequences_data();
    void randomSequences();
    void windowReuseMatchesRowByRow();
};

void tst_MemTableModel::randomSequences_data()
{
    QTest::addColumn<quint32>("firstSeed");
    QTest::addColumn<int>("sequences");
    QTest::addColumn<int>("steps");

    QTest::newRow("short sequences") << 1u << 300 << 60;
    QTest::newRow("long sequences") << 10001u << 40 << 1500;
}

void tst_MemTableModel::randomSequences()
{
    QFETCH(quint32, firstSeed);
    QFETCH(int, sequences);
    QFETCH(int, steps);

    for (quint32 seed = firstSeed; seed < firstSeed + quint32(sequences); ++seed) {
        std::mt19937 random(seed);
        auto pick = [&random](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };

        TxovMemTable table;
        table.setObjectName(s("Tbl"));
        new TAutoIncField(&table, s("i"));
        for (int f = 1; f < FieldCount; ++f)
            new TIntegerField(&table, s(FieldNames[f]));
        TDataSource source;
        source.setDataSet(&table);
        RecordingLink view;
        Model model;
        model.capacity = pick(1, 8);
        view.setWindowCapacity(model.capacity);
        view.setDataSource(&source);
        TFieldDataLink label;
        QString caption;
        label.OnDataChange = [&] { caption = label.Field() ? label.Field()->DisplayText() : QString(); };
        label.setFieldName(s("a1"));
        label.setDataSource(&source);

        QStringList history;
        auto fail = [&](int step, const QString &what) {
            return QStringLiteral("seed %1, step %2: %3\nlast operations:\n  %4")
                .arg(seed)
                .arg(step)
                .arg(what, history.mid(std::max<qsizetype>(0, history.size() - 12)).join(s("\n  ")));
        };

        for (int step = 0; step < steps; ++step) {
            QString expectedError;
            QString actualError;
            int expectedMoved = 0;
            int actualMoved = 0;
            auto run = [&actualError](auto action) {
                try {
                    action();
                } catch (const EDatabaseError &e) {
                    actualError = e.message();
                }
            };

            const int roll = pick(0, 99);
            QString op;
            if (roll < 18) {
                op = s("AppendRow");
                expectedError = model.append();
                run([&] { table.AppendRow(); });
            } else if (roll < 40) {
                const int field = pick(0, 12) == 0 ? 0 : pick(1, FieldCount - 1);
                std::optional<qint32> value;
                if (pick(0, 5) != 0)
                    value = field == 0 ? pick(-5, 60) : pick(-200, 200);
                op = QStringLiteral("write %1 = %2")
                         .arg(s(FieldNames[field]), value ? QString::number(*value) : s("empty"));
                expectedError = model.write(field, value);
                run([&] {
                    if (value)
                        table.FieldNamed(s(FieldNames[field]))->setAsInteger(*value);
                    else
                        table.FieldNamed(s(FieldNames[field]))->Clear();
                });
            } else if (roll < 54) {
                op = s("PostRow");
                expectedError = model.post();
                run([&] { table.PostRow(); });
            } else if (roll < 58) {
                op = s("CancelRow");
                model.cancel();
                run([&] { table.CancelRow(); });
            } else if (roll < 65) {
                op = s("EditRow");
                expectedError = model.edit();
                run([&] { table.EditRow(); });
            } else if (roll < 68) {
                op = s("InsertRow");
                expectedError = model.insert();
                run([&] { table.InsertRow(); });
            } else if (roll < 75) {
                op = s("DeleteRow");
                expectedError = model.remove();
                run([&] { table.DeleteRow(); });
            } else if (roll < 77) {
                op = s("MoveFirst");
                expectedError = model.moveFirst();
                run([&] { table.MoveFirst(); });
            } else if (roll < 79) {
                op = s("MoveLast");
                expectedError = model.moveLast();
                run([&] { table.MoveLast(); });
            } else if (roll < 90) {
                const int distance = pick(-9, 9);
                op = QStringLiteral("MoveRows(%1)").arg(distance);
                expectedError = model.moveRows(distance, expectedMoved);
                run([&] { actualMoved = table.MoveRows(distance); });
            } else if (roll < 92) {
                op = s("RefreshTable");
                expectedError = model.refresh();
                run([&] { table.RefreshTable(); });
            } else if (roll < 94) {
                op = s("RemoveAllRows");
                model.removeAll();
                run([&] { table.RemoveAllRows(); });
            } else if (roll < 95) {
                op = model.open ? s("CloseTable") : s("OpenTable");
                if (model.open) {
                    model.close();
                    run([&] { table.CloseTable(); });
                } else {
                    model.openTable();
                    run([&] { table.OpenTable(); });
                }
            } else if (roll < 97 && !model.open) {
                op = s("OpenTable");
                model.openTable();
                run([&] { table.OpenTable(); });
            } else {
                const int wanted = pick(1, 8);
                op = QStringLiteral("view capacity %1").arg(wanted);
                model.setCapacity(wanted);
                run([&] { view.setWindowCapacity(wanted); });
            }
            history << op;

            auto same = [&](const auto &actual, const auto &expected, const char *what) {
                if (!(actual == expected)) {
                    QString detail;
                    QDebug(&detail) << what << "is" << actual << "but should be" << expected;
                    QFAIL(qPrintable(fail(step, detail)));
                }
            };

            same(actualError, expectedError, "the error");
            same(actualMoved, expectedMoved, "rows moved");
            same(int(stateOf(table.State())), int(model.state), "the state");
            same(table.Active(), model.open, "Active");
            if (QTest::currentTestFailed())
                return;
            if (!model.open) {
                same(table.RowNumber(), -1, "RowNumber of a closed table");
                same(view.Active(), false, "the view's activity");
                continue;
            }
            same(table.RowCount(), qint32(model.rows.size()), "RowCount");
            same(table.WindowCapacity(), model.capacity, "WindowCapacity");
            same(table.WindowCount(), model.count, "WindowCount");
            same(table.HasNoRow(), model.count == 0, "HasNoRow");
            if (model.count > 0)
                same(table.ActiveRow(), model.active, "ActiveRow");
            same(table.AtFirstRow(), model.atFirst, "AtFirstRow");
            same(table.AtLastRow(), model.atLast, "AtLastRow");
            same(table.RowNumber(), model.count > 0 ? model.rowNumberAt(model.currentPos()) : -1, "RowNumber");
            same(view.FirstRow(), 0, "the view's FirstRow");
            same(label.FirstRow(), table.ActiveRow(), "the label's FirstRow");
            if (QTest::currentTestFailed())
                return;

            // What the view shows: every row of the window, the row being edited as edited.
            QList<int> expectedNumbers;
            QStringList expectedRows;
            for (int j = 0; j < model.count; ++j) {
                expectedNumbers << model.rowNumberAt(model.top + j);
                expectedRows << showRow(model.rowAt(model.top + j));
            }
            same(view.rowNumbers(), expectedNumbers, "the view's rows");
            QStringList shownRows;
            const int saved = view.ActiveRow();
            for (int j = 0; j < view.RowCount(); ++j) {
                view.setActiveRow(j);
                Row row;
                for (int f = 0; f < FieldCount; ++f) {
                    const QVariant v = table.FieldValue(s(FieldNames[f]));
                    if (!v.isNull())
                        row[f] = v.toInt();
                }
                shownRows << showRow(row);
            }
            view.setActiveRow(saved);
            same(shownRows, expectedRows, "the view's values");
            const Row current = model.count > 0 ? model.rowAt(model.currentPos()) : Row {};
            same(caption, current[3] ? QString::number(*current[3]) : QString(), "the label's caption");

            // The stored rows, in row order.
            const TxovCommon *store = table.Common();
            QStringList storedRows;
            for (const TxovRecord *record : table.CurrentIndex()->Entries()) {
                Row row;
                for (int f = 0; f < FieldCount; ++f) {
                    const std::byte *slot = record->ValueArea + store->FieldStart(f);
                    if (slot[0] != std::byte {0})
                        row[f] = qFromLittleEndian<qint32>(slot + 1);
                }
                storedRows << showRow(row);
            }
            QStringList modelRows;
            for (const Row &row : model.rows)
                modelRows << showRow(row);
            same(storedRows, modelRows, "the stored rows");
            same(store->RecordCount(), qint32(model.rows.size()), "the store's record count");
            if (QTest::currentTestFailed())
                return;
        }
    }
}

void tst_MemTableModel::windowReuseMatchesRowByRow()
{
    for (quint32 seed = 500; seed < 620; ++seed) {
        std::mt19937 random(seed);
        auto pick = [&random](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
        const int capacity = pick(1, 8);
        Setup<TxovMemTable> reusing(capacity);
        Setup<RowByRowTable> reading(capacity);
        reusing.table.OpenTable();
        reading.table.OpenTable();
        QStringList history;

        for (int step = 0; step < 400; ++step) {
            const int roll = pick(0, 99);
            const int field = pick(1, FieldCount - 1);
            const int value = pick(-50, 200);
            const int distance = pick(-9, 9);
            const int wanted = pick(1, 8);
            auto apply = [&](auto &setup, QString &error, int &moved) {
                auto &table = setup.table;
                try {
                    if (roll < 22)
                        table.AppendRow();
                    else if (roll < 42)
                        table.FieldNamed(s(FieldNames[field]))->setAsInteger(value);
                    else if (roll < 56)
                        table.PostRow();
                    else if (roll < 60)
                        table.CancelRow();
                    else if (roll < 66)
                        table.EditRow();
                    else if (roll < 69)
                        table.InsertRow();
                    else if (roll < 79)
                        table.DeleteRow();
                    else if (roll < 82)
                        table.MoveLast();
                    else if (roll < 84)
                        table.MoveFirst();
                    else if (roll < 93)
                        moved = table.MoveRows(distance);
                    else if (roll < 95)
                        table.RemoveAllRows();
                    else if (roll < 96)
                        table.RefreshTable();
                    else
                        setup.view.setWindowCapacity(wanted);
                } catch (const EDatabaseError &e) {
                    error = e.message();
                }
            };
            QString errorA, errorB;
            int movedA = 0, movedB = 0;
            apply(reusing, errorA, movedA);
            apply(reading, errorB, movedB);
            history << QStringLiteral("roll %1").arg(roll);
            const QString a = reusing.snapshot(errorA, movedA);
            const QString b = reading.snapshot(errorB, movedB);
            if (a != b) {
                QFAIL(
                    qPrintable(QStringLiteral("seed %1, step %2 (%3):\n  reusing: %4\n  reading: %5")
                                   .arg(seed)
                                   .arg(step)
                                   .arg(history.mid(std::max<qsizetype>(0, history.size() - 8)).join(s(", ")), a, b)));
            }
        }
    }
}

QTEST_GUILESS_MAIN(tst_MemTableModel)
#include "tst_MemTableModel.moc"
