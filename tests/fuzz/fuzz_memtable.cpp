// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The memory table driven by a byte string decoded into operations (append, insert, edit,
// field writes, post, cancel, delete, moves, remove-all, close and open, read-only, the
// auto-increment minimum, two views with their row counts), drawn from a weighted table. Every
// operation either succeeds or raises one of the EDatabaseError family with the text the
// table's rules give; after every operation the table agrees with the reference model of its
// rows: the rows in order with their values, RowCount, the current row and its state, and the
// rows each view presents; a view whose rows or current row changed has heard of it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include <QString>
#include <QStringList>
#include <QVariant>

#include "db/DataLink.h"
#include "db/DataSource.h"
#include "db/DatabaseError.h"
#include "db/Field.h"
#include "memtable/xovMemTable.h"
#include "tests/support/TurnTable.h"
#include "tests/support/TurnTableModel.h"
#include "tests/support/WeightedTable.h"

namespace {

// A bound view: it shows as many rows as it asks for and reads them as a grid paints. It notes
// whether it heard anything that makes a grid look at its rows again.
class View final : public TDataLink
{
public:
    View()
        : TDataLink(true)
    { }

    bool heard = false;

protected:
    // Table, scroll and layout changes end here too, unless a view overrides them.
    void RowChange(TField *) override { heard = true; }
    void ActivityChange() override { heard = true; }
};

// What a view showed at the last check: its rows and which of them is current.
struct Shown
{
    std::vector<TurnRow> rows;
    int active = -1;
    bool operator==(const Shown &) const = default;
};

class Input
{
public:
    Input(const std::uint8_t *data, std::size_t size)
        : m_data(data)
        , m_size(size)
    { }

    bool done() const { return m_pos >= m_size; }
    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    qint32 int32()
    {
        quint32 value = 0;
        for (int k = 0; k < 4; ++k)
            value = value << 8 | byte();
        return qint32(value);
    }
    qint32 value()
    {
        switch (byte() % 8) {
        case 0:
            return 0;
        case 1:
            return 1;
        case 2:
            return -1;
        case 3:
            return std::numeric_limits<qint32>::max();
        case 4:
            return std::numeric_limits<qint32>::min();
        case 5:
            return qint32(byte()) - 100;
        default:
            return int32();
        }
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// The turn table with two views, the model beside it. The model's own window is not checked
// here: two views of their own sizes share the table's window, and each is checked against the
// rows directly.
class Harness
{
public:
    Harness();
    ~Harness();

    void run(Input &in);

    // The operations, each reading what it needs from the input.
    void open(Input &in);
    void close(Input &in);
    void append(Input &in);
    void insert(Input &in);
    void edit(Input &in);
    void writeField(Input &in);
    void post(Input &in);
    void cancel(Input &in);
    void deleteRow(Input &in);
    void moveToEnd(Input &in);
    void moveRows(Input &in);
    void removeAll(Input &in);
    void changeView(Input &in);
    void changeSetting(Input &in);
    void walk(Input &in);

private:
    [[noreturn]] void fail(const QString &what) const;
    template <typename Op> void perform(const char *name, const Expected &expected, Op op);
    void check(const char *after);
    void checkViews(const char *after);
    // Reads every row from the first to the last, as a caller walking the table would.
    void walkRows();

    TurnTable m_turns;
    View m_views[2];
    bool m_attached[2] = {true, false};
    Shown m_shown[2];
    // The view the operation resized, attached or detached: it lays itself out anew and need not
    // hear of its own change.
    int m_changedView = -1;
    TurnTableModel m_model;
    int m_step = 0;
    // PONTIX_FUZZ_TRACE=1 prints every operation with the model's rows, to follow a failing input.
    const bool m_trace = qEnvironmentVariableIsSet("PONTIX_FUZZ_TRACE");
};

struct Operation
{
    int weight;
    void (Harness::*run)(Input &in);
};

// How often each operation comes: a byte modulo the total picks one.
constexpr Operation Operations[] = {
    {1, &Harness::open},
    {1, &Harness::close},
    {2, &Harness::append},
    {1, &Harness::insert},
    {1, &Harness::edit},
    {3, &Harness::writeField},
    {1, &Harness::post},
    {1, &Harness::cancel},
    {1, &Harness::deleteRow},
    {1, &Harness::moveToEnd},
    {1, &Harness::moveRows},
    {1, &Harness::removeAll},
    {1, &Harness::changeView},
    {1, &Harness::changeSetting},
    {1, &Harness::walk},
};

Harness::Harness()
{
    m_views[0].setWindowCapacity(5);
    m_views[0].setDataSource(&m_turns.source);
}

Harness::~Harness()
{
    for (View &view : m_views)
        view.setDataSource(nullptr);
}

void Harness::fail(const QString &what) const
{
    std::fprintf(stderr, "fuzz_memtable: step %d: %s\n", m_step, qUtf8Printable(what));
    std::abort();
}

template <typename Op> void Harness::perform(const char *name, const Expected &expected, Op op)
{
    std::optional<QString> raised;
    try {
        op();
    } catch (EDatabaseError &error) {
        raised = error.message();
    } catch (std::exception &error) {
        fail(QStringLiteral("%1 raised something else: %2").arg(QLatin1String(name), QString::fromUtf8(error.what())));
    } catch (...) {
        fail(QStringLiteral("%1 raised something else").arg(QLatin1String(name)));
    }
    if (m_trace) {
        QStringList shown;
        for (const TurnRow &row : m_model.visible())
            shown << turnRowText(row);
        std::fprintf(stderr, "%d %s%s: state %d, current %d of [%s], window %d at %d\n", m_step, name,
            raised ? " (raised)" : "", int(m_model.state), m_model.count > 0 ? m_model.currentPos() : -1,
            qUtf8Printable(shown.join(u' ')), m_turns.table.WindowCount(), m_turns.table.ActiveRow());
    }
    if (raised != expected) {
        fail(QStringLiteral("%1 raised \"%2\", expected \"%3\"")
                 .arg(QLatin1String(name), raised.value_or(QStringLiteral("nothing")),
                     expected.value_or(QStringLiteral("nothing"))));
    }
    check(name);
}

void Harness::check(const char *after)
{
    const auto where
        = [after](const QString &what) { return QStringLiteral("after %1: %2").arg(QLatin1String(after), what); };
    const TxovMemTable &table = m_turns.table;
    if (table.State() != m_model.tableState()) {
        fail(where(QStringLiteral("state %1, expected %2").arg(int(table.State())).arg(int(m_model.tableState()))));
    }

    if (!m_model.isOpen()) {
        try {
            table.RowCount();
            fail(where(QStringLiteral("RowCount of a closed table raised nothing")));
        } catch (EDatabaseError &error) {
            if (error.message() != TurnTableErrors::Closed)
                fail(where(error.message()));
        }
    } else if (table.RowCount() != qint32(m_model.rows.size())) {
        fail(where(QStringLiteral("RowCount %1, expected %2").arg(table.RowCount()).arg(m_model.rows.size())));
    }

    const int number = m_model.rowNumber();
    if (table.RowNumber() != number)
        fail(where(QStringLiteral("RowNumber %1, expected %2").arg(table.RowNumber()).arg(number)));
    const std::optional<TurnRow> current = m_model.currentRow();
    if (table.HasNoRow() != !current)
        fail(where(QStringLiteral("HasNoRow %1").arg(table.HasNoRow())));

    TurnRow actual;
    for (int f = 0; f < TurnFieldCount; ++f) {
        const QVariant value = m_turns.value(TurnFieldNames[f]);
        if (!value.isNull())
            actual[size_t(f)] = value.toInt();
        const TField *field = table.Fields()[size_t(f)];
        if (field->IsEmptyValue() != value.isNull() || field->AsInteger() != value.toInt()
            || field->DisplayText() != (value.isNull() ? QString() : QString::number(value.toInt())))
            fail(where(QStringLiteral("field %1 reads differently by its field object").arg(f)));
    }
    const TurnRow expected = current.value_or(TurnRow());
    if (actual != expected)
        fail(where(QStringLiteral("current row %1, expected %2").arg(turnRowText(actual), turnRowText(expected))));

    checkViews(after);
}

void Harness::checkViews(const char *after)
{
    const auto where
        = [after](const QString &what) { return QStringLiteral("after %1: %2").arg(QLatin1String(after), what); };
    const int changedView = std::exchange(m_changedView, -1);
    if (!m_model.isOpen()) {
        for (int v = 0; v < 2; ++v) {
            m_shown[v] = Shown();
            m_views[v].heard = false;
        }
        return;
    }
    const std::vector<TurnRow> rows = m_model.visible();
    const int currentAt = m_model.count > 0 ? m_model.currentPos() : -1;
    int capacity = 1;
    for (int v = 0; v < 2; ++v) {
        if (m_attached[v])
            capacity = std::max(capacity, m_views[v].WindowCapacity());
    }
    const int windowRows = std::min(capacity, int(rows.size()));
    if (m_turns.table.WindowCount() != windowRows) {
        fail(where(
            QStringLiteral("the window holds %1 rows, expected %2").arg(m_turns.table.WindowCount()).arg(windowRows)));
    }

    for (int v = 0; v < 2; ++v) {
        View &view = m_views[v];
        Shown now;
        if (!m_attached[v]) {
            m_shown[v] = now;
            view.heard = false;
            continue;
        }
        if (!view.Active())
            fail(where(QStringLiteral("view %1 is not active").arg(v)));
        const int count = view.RowCount();
        if (count != std::min(view.WindowCapacity(), windowRows))
            fail(where(QStringLiteral("view %1 shows %2 rows").arg(v).arg(count)));
        // A grid paints again only when it hears of a change: a view whose rows or current row
        // changed must have heard something.
        const auto checkHeard = [&] {
            if (now != m_shown[v] && !view.heard && v != changedView)
                fail(where(
                    QStringLiteral("view %1 shows other rows, or another current row, without hearing of it").arg(v)));
            m_shown[v] = now;
            view.heard = false;
        };
        if (count == 0) {
            checkHeard();
            continue;
        }
        const int active = view.ActiveRow();
        now.active = active;
        const int first = currentAt - active;
        if (active < 0 || active >= count || first < 0 || first + count > int(rows.size()))
            fail(where(QStringLiteral("view %1: current row at %2 of %3").arg(v).arg(active).arg(count)));
        for (int j = 0; j < count; ++j) {
            view.setActiveRow(j);
            TurnRow shown;
            for (int f = 0; f < TurnFieldCount; ++f) {
                const QVariant value = m_turns.value(TurnFieldNames[f]);
                if (!value.isNull())
                    shown[size_t(f)] = value.toInt();
            }
            if (shown != rows[size_t(first + j)]) {
                view.setActiveRow(active);
                fail(where(QStringLiteral("view %1 row %2 shows %3, expected %4")
                               .arg(v)
                               .arg(j)
                               .arg(turnRowText(shown), turnRowText(rows[size_t(first + j)]))));
            }
            now.rows.push_back(shown);
        }
        view.setActiveRow(active);
        if (view.ActiveRow() != active)
            fail(where(QStringLiteral("view %1 did not get its row back").arg(v)));
        checkHeard();
    }
}

void Harness::walkRows()
{
    TxovMemTable &table = m_turns.table;
    perform("MoveFirst", m_model.moveFirst(), [&table] { table.MoveFirst(); });
    if (!m_model.isOpen())
        return;
    qint32 moved = 0;
    for (size_t k = 1; k < m_model.rows.size(); ++k) {
        perform("MoveNext", m_model.moveRows(1, moved), [this, &table] {
            if (table.MoveRows(1) != 1)
                fail(QStringLiteral("MoveRows(1) did not move while walking"));
        });
    }
    perform("MoveRows past the end", m_model.moveRows(1, moved), [this, &table] {
        if (table.MoveRows(1) != 0)
            fail(QStringLiteral("MoveRows(1) moved past the last row"));
    });
}

void Harness::open(Input &)
{
    m_model.openTable();
    perform("OpenTable", std::nullopt, [this] { m_turns.table.OpenTable(); });
}

void Harness::close(Input &)
{
    m_model.closeTable();
    perform("CloseTable", std::nullopt, [this] { m_turns.table.CloseTable(); });
}

void Harness::append(Input &)
{
    perform("AppendRow", m_model.append(), [this] { m_turns.table.AppendRow(); });
}

void Harness::insert(Input &)
{
    perform("InsertRow", m_model.insert(), [this] { m_turns.table.InsertRow(); });
}

void Harness::edit(Input &)
{
    perform("EditRow", m_model.edit(), [this] { m_turns.table.EditRow(); });
}

void Harness::writeField(Input &in)
{
    const int which = in.byte() % (TurnFieldCount + 1);
    QString name = which < TurnFieldCount ? QString::fromLatin1(TurnFieldNames[which]) : QStringLiteral("zz");
    if (in.byte() & 1)
        name = name.toUpper();
    const int kind = in.byte() % 6;

    // What is written: a value, nothing (Null or Clear), or text that is or is not a number.
    std::optional<qint32> value;
    QVariant variant;
    bool convertible = true;
    switch (kind) {
    case 0:
    case 1:
    case 2:
        value = in.value();
        variant = *value;
        break;
    case 3:
        variant = QVariant();
        break;
    case 4:
        value = qint32(in.byte()) - 128;
        variant = QString::number(*value);
        break;
    default:
        variant = QStringLiteral("x%1").arg(in.byte());
        convertible = false;
        break;
    }
    const int how = in.byte() % 3; // by name, through the field object, or Clear / AsInteger
    if (how == 2 && !convertible)
        value.reset(); // Clear

    // The name and the value are looked at before the table's state.
    Expected expected;
    if (which == TurnFieldCount)
        expected = QStringLiteral("Tbl: Field '%1' not found").arg(name);
    else if (!convertible && how != 2)
        expected = QStringLiteral("Invalid value for field '%1'").arg(QString::fromLatin1(TurnFieldNames[which]));
    else
        expected = m_model.write(which, value);

    perform("field write", expected, [&] {
        TxovMemTable &table = m_turns.table;
        switch (how) {
        case 0:
            table.setFieldValue(name, variant);
            break;
        case 1:
            table.FieldNamed(name)->setAsValue(variant);
            break;
        default:
            if (value)
                table.FieldNamed(name)->setAsInteger(*value);
            else
                table.FieldNamed(name)->Clear();
            break;
        }
    });
}

void Harness::post(Input &)
{
    perform("PostRow", m_model.post(), [this] { m_turns.table.PostRow(); });
}

void Harness::cancel(Input &)
{
    m_model.cancel();
    perform("CancelRow", std::nullopt, [this] { m_turns.table.CancelRow(); });
}

void Harness::deleteRow(Input &)
{
    perform("DeleteRow", m_model.remove(), [this] { m_turns.table.DeleteRow(); });
}

void Harness::moveToEnd(Input &in)
{
    const bool last = in.byte() & 1;
    const Expected expected = last ? m_model.moveLast() : m_model.moveFirst();
    perform(last ? "MoveLast" : "MoveFirst", expected, [this, last] {
        if (last)
            m_turns.table.MoveLast();
        else
            m_turns.table.MoveFirst();
    });
}

void Harness::moveRows(Input &in)
{
    const std::uint8_t b = in.byte();
    const qint32 distance = b & 0x80 ? in.value() : qint32(b % 9) - 4;
    qint32 moved = 0;
    const Expected expected = m_model.moveRows(distance, moved);
    perform("MoveRows", expected, [&] {
        const qint32 result = m_turns.table.MoveRows(distance);
        if (result != moved)
            fail(QStringLiteral("MoveRows(%1) moved %2, expected %3").arg(distance).arg(result).arg(moved));
    });
}

void Harness::removeAll(Input &)
{
    m_model.removeAll();
    perform("RemoveAllRows", std::nullopt, [this] { m_turns.table.RemoveAllRows(); });
}

void Harness::changeView(Input &in)
{
    const std::uint8_t b = in.byte();
    const int v = b & 1;
    if (b & 2) {
        m_attached[v] = !m_attached[v];
        m_changedView = v;
        perform("view attached or detached", std::nullopt,
            [this, v] { m_views[v].setDataSource(m_attached[v] ? &m_turns.source : nullptr); });
    } else {
        const int rows = 1 + (b >> 2) % 12;
        m_changedView = v;
        perform("view row count", std::nullopt, [this, v, rows] { m_views[v].setWindowCapacity(rows); });
    }
}

void Harness::changeSetting(Input &in)
{
    const std::uint8_t b = in.byte();
    if (b & 1) {
        m_model.setReadOnly(!m_model.readOnly);
        perform("ReadOnly", std::nullopt, [this] { m_turns.table.setReadOnly(m_model.readOnly); });
    } else {
        const qint32 minimum = in.value();
        m_model.setAutoIncMinValue(minimum);
        perform("AutoIncMinValue", std::nullopt, [this, minimum] { m_turns.table.setAutoIncMinValue(minimum); });
    }
}

void Harness::walk(Input &)
{
    walkRows();
}

void Harness::run(Input &in)
{
    check("creation");
    while (!in.done() && m_step < 4000) {
        ++m_step;
        const Operation &operation = entryForRoll(Operations, in.byte() % totalWeight(Operations));
        (this->*operation.run)(in);
    }
    // Afterwards the rows themselves, from the first to the last.
    walkRows();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Input in(data, size);
    Harness harness;
    harness.run(in);
    return 0;
}
