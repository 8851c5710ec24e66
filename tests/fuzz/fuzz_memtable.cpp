// The memory table driven by a byte string decoded into operations (append, insert, edit,
// field writes, post, cancel, delete, moves, remove-all, close and open, read-only, the
// auto-increment minimum, two views with their row counts). Every operation either succeeds or
// raises one of the EDatabaseError family with the text the table's rules give; after every
// operation the table agrees with a plain model of its rows: the rows in order with their
// values, RowCount, the current row and its state, and the rows each view presents.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <vector>

#include <QString>
#include <QVariant>

#include "db/DataLink.h"
#include "db/DataSource.h"
#include "db/DatabaseError.h"
#include "db/Field.h"
#include "memtable/xovMemTable.h"

namespace {

constexpr int FieldCount = 7; // i, e1, h1, a1, e2, h2, a2
const char *const FieldNames[FieldCount] = {"i", "e1", "h1", "a1", "e2", "h2", "a2"};

using Row = std::array<std::optional<qint32>, FieldCount>;

QString rowText(const Row &row)
{
    QStringList parts;
    for (const auto &value : row)
        parts << (value ? QString::number(*value) : QStringLiteral("-"));
    return QLatin1Char('(') + parts.join(u' ') + QLatin1Char(')');
}

int step = 0;
// PONTIX_FUZZ_TRACE=1 prints every operation with the model's rows, to follow a failing input.
const bool trace = qEnvironmentVariableIsSet("PONTIX_FUZZ_TRACE");

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "fuzz_memtable: step %d: %s\n", step, qUtf8Printable(what));
    std::abort();
}

qint32 wrappedSuccessor(qint32 value)
{
    return qint32(quint32(value) + 1u);
}

qint32 wrappedPredecessor(qint32 value)
{
    return qint32(quint32(value) - 1u);
}

// The table as its rules describe it.
struct Model
{
    enum class State { Inactive, Browse, Edit, Insert };

    State state = State::Inactive;
    std::vector<Row> rows;
    int current = -1; // index into rows in browse and edit, -1 for none
    Row pending; // the row being edited or inserted
    int insertAt = -1; // where the row being inserted stands among the rows
    bool modified = false;
    bool readOnly = false;
    qint32 highestAutoInc = -1;
    qint32 autoIncMinValue = 0;

    bool open() const { return state != State::Inactive; }
    bool editing() const { return state == State::Edit || state == State::Insert; }

    // The rows as views see them: the edited row with its pending values, a row being
    // inserted in its place.
    std::vector<Row> visible() const
    {
        std::vector<Row> result = rows;
        if (state == State::Edit)
            result[current] = pending;
        else if (state == State::Insert)
            result.insert(result.begin() + insertAt, pending);
        return result;
    }
    int visibleCurrent() const { return state == State::Insert ? insertAt : current; }

    std::optional<Row> currentRow() const
    {
        if (editing())
            return pending;
        if (state == State::Browse && current >= 0)
            return rows[current];
        return std::nullopt;
    }

    void post()
    {
        if (pending[0] && *pending[0] > highestAutoInc)
            highestAutoInc = *pending[0];
        if (state == State::Insert) {
            rows.insert(rows.begin() + insertAt, pending);
            current = insertAt;
        } else {
            rows[current] = pending;
        }
        state = State::Browse;
        modified = false;
    }

    void cancel()
    {
        if (state == State::Insert) {
            // An append goes back to the last row; an insert to the row it went before.
            current = rows.empty() ? -1 : std::min(insertAt, int(rows.size()) - 1);
        }
        state = State::Browse;
        modified = false;
    }

    void finishPending()
    {
        if (!editing())
            return;
        if (modified)
            post();
        else
            cancel();
    }

    void beginNewRow(int at)
    {
        state = State::Insert;
        insertAt = at;
        pending = Row();
        pending[0] = wrappedSuccessor(highestAutoInc);
        modified = false;
    }
};

const QString Closed = QStringLiteral("Tbl: Cannot perform this operation on a closed dataset");
const QString Empty = QStringLiteral("Tbl: Cannot perform this operation on an empty dataset");
const QString ReadOnlyTable = QStringLiteral("Tbl: Cannot modify a read-only dataset");
const QString NotEditing = QStringLiteral("Tbl: Dataset not in edit or insert mode");
const QString NotInEditMode = QStringLiteral("Tbl: Dataset is not in edit mode.");

using Expected = std::optional<QString>; // the error the operation must raise, if any

// A bound view: it shows as many rows as it asks for and reads them as a grid paints.
class View final : public TDataLink
{
public:
    View()
        : TDataLink(true)
    { }
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

class Harness
{
public:
    Harness()
    {
        table.setObjectName(QStringLiteral("Tbl"));
        new TAutoIncField(&table, QStringLiteral("i"));
        for (int f = 1; f < FieldCount; ++f)
            new TIntegerField(&table, QString::fromLatin1(FieldNames[f]));
        source.setDataSet(&table);
        views[0].setWindowCapacity(5);
        views[0].setDataSource(&source);
    }

    ~Harness()
    {
        for (View &view : views)
            view.setDataSource(nullptr);
    }

    void run(Input &in);

private:
    template <typename Op> void perform(const char *name, const Expected &expected, Op op);
    void check(const char *after);
    void checkViews(const char *after);
    void walk();
    void writeField(Input &in);

    TxovMemTable table;
    TDataSource source;
    View views[2];
    bool attached[2] = {true, false};
    Model model;
};

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
    if (trace) {
        const std::vector<Row> rows = model.visible();
        QStringList shown;
        for (const Row &row : rows)
            shown << rowText(row);
        std::fprintf(stderr, "%d %s%s: state %d, current %d of [%s], window %d at %d\n", step, name,
            raised ? " (raised)" : "", int(model.state), model.visibleCurrent(), qUtf8Printable(shown.join(u' ')),
            table.WindowCount(), table.ActiveRow());
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
    using State = Model::State;
    const TDataSetState expectedState = model.state == State::Inactive ? TDataSetState::dsInactive
        : model.state == State::Browse                                 ? TDataSetState::dsBrowse
        : model.state == State::Edit                                   ? TDataSetState::dsEdit
                                                                       : TDataSetState::dsInsert;
    if (table.State() != expectedState)
        fail(where(QStringLiteral("state %1, expected %2").arg(int(table.State())).arg(int(expectedState))));

    if (!model.open()) {
        try {
            table.RowCount();
            fail(where(QStringLiteral("RowCount of a closed table raised nothing")));
        } catch (EDatabaseError &error) {
            if (error.message() != Closed)
                fail(where(error.message()));
        }
    } else if (table.RowCount() != qint32(model.rows.size())) {
        fail(where(QStringLiteral("RowCount %1, expected %2").arg(table.RowCount()).arg(model.rows.size())));
    }

    const int number = model.state == State::Browse || model.state == State::Edit ? model.current + 1 : -1;
    if (table.RowNumber() != (number == 0 ? -1 : number))
        fail(where(QStringLiteral("RowNumber %1, expected %2").arg(table.RowNumber()).arg(number)));
    const std::optional<Row> current = model.currentRow();
    if (table.HasNoRow() != !current)
        fail(where(QStringLiteral("HasNoRow %1").arg(table.HasNoRow())));

    Row actual;
    for (int f = 0; f < FieldCount; ++f) {
        const QVariant value = table.FieldValue(QString::fromLatin1(FieldNames[f]));
        if (!value.isNull())
            actual[f] = value.toInt();
        const TField *field = table.Fields()[f];
        if (field->IsEmptyValue() != value.isNull() || field->AsInteger() != value.toInt()
            || field->DisplayText() != (value.isNull() ? QString() : QString::number(value.toInt())))
            fail(where(QStringLiteral("field %1 reads differently by its field object").arg(f)));
    }
    const Row expected = current.value_or(Row());
    if (actual != expected)
        fail(where(QStringLiteral("current row %1, expected %2").arg(rowText(actual), rowText(expected))));

    checkViews(after);
}

void Harness::checkViews(const char *after)
{
    const auto where
        = [after](const QString &what) { return QStringLiteral("after %1: %2").arg(QLatin1String(after), what); };
    if (!model.open())
        return;
    const std::vector<Row> rows = model.visible();
    const int currentAt = model.visibleCurrent();
    int capacity = 1;
    for (int v = 0; v < 2; ++v) {
        if (attached[v])
            capacity = std::max(capacity, views[v].WindowCapacity());
    }
    const int windowRows = std::min(capacity, int(rows.size()));
    if (table.WindowCount() != windowRows)
        fail(where(QStringLiteral("the window holds %1 rows, expected %2").arg(table.WindowCount()).arg(windowRows)));

    for (int v = 0; v < 2; ++v) {
        View &view = views[v];
        if (!attached[v])
            continue;
        if (!view.Active())
            fail(where(QStringLiteral("view %1 is not active").arg(v)));
        const int count = view.RowCount();
        if (count != std::min(view.WindowCapacity(), windowRows))
            fail(where(QStringLiteral("view %1 shows %2 rows").arg(v).arg(count)));
        if (count == 0)
            continue;
        const int active = view.ActiveRow();
        const int first = currentAt - active;
        if (active < 0 || active >= count || first < 0 || first + count > int(rows.size()))
            fail(where(QStringLiteral("view %1: current row at %2 of %3").arg(v).arg(active).arg(count)));
        for (int j = 0; j < count; ++j) {
            view.setActiveRow(j);
            Row shown;
            for (int f = 0; f < FieldCount; ++f) {
                const QVariant value = table.FieldValue(QString::fromLatin1(FieldNames[f]));
                if (!value.isNull())
                    shown[f] = value.toInt();
            }
            if (shown != rows[first + j]) {
                view.setActiveRow(active);
                fail(where(QStringLiteral("view %1 row %2 shows %3, expected %4")
                               .arg(v)
                               .arg(j)
                               .arg(rowText(shown), rowText(rows[first + j]))));
            }
        }
        view.setActiveRow(active);
        if (view.ActiveRow() != active)
            fail(where(QStringLiteral("view %1 did not get its row back").arg(v)));
    }
}

// Reads every row from the first to the last, as a caller walking the table would.
void Harness::walk()
{
    if (!model.open()) {
        perform("MoveFirst", Closed, [this] { table.MoveFirst(); });
        return;
    }
    model.finishPending();
    model.current = model.rows.empty() ? -1 : 0;
    perform("MoveFirst", std::nullopt, [this] { table.MoveFirst(); });
    for (size_t k = 1; k < model.rows.size(); ++k) {
        model.current = int(k);
        perform("MoveNext", std::nullopt, [this] {
            if (table.MoveRows(1) != 1)
                fail(QStringLiteral("MoveRows(1) did not move while walking"));
        });
    }
    perform("MoveRows past the end", std::nullopt, [this] {
        if (table.MoveRows(1) != 0)
            fail(QStringLiteral("MoveRows(1) moved past the last row"));
    });
}

void Harness::writeField(Input &in)
{
    const int which = in.byte() % (FieldCount + 1);
    QString name = which < FieldCount ? QString::fromLatin1(FieldNames[which]) : QStringLiteral("zz");
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

    Expected expected;
    if (which == FieldCount)
        expected = QStringLiteral("Tbl: Field '%1' not found").arg(name);
    else if (!convertible && how != 2)
        expected = QStringLiteral("Invalid value for field '%1'").arg(QString::fromLatin1(FieldNames[which]));
    else if (!model.open())
        expected = std::nullopt;
    else if (!model.editing())
        expected = NotInEditMode;
    else if (model.readOnly)
        expected = QStringLiteral("Field %1 is read only").arg(QString::fromLatin1(FieldNames[which]));
    if (how == 2 && !convertible)
        value.reset(); // Clear
    if (!expected && model.editing()) {
        model.pending[which] = value;
        model.modified = true;
    }

    perform("field write", expected, [&] {
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

void Harness::run(Input &in)
{
    using State = Model::State;
    check("creation");
    while (!in.done() && step < 4000) {
        ++step;
        switch (in.byte() % 18) {
        case 0:
            if (!model.open()) {
                model.state = State::Browse;
                model.rows.clear();
                model.current = -1;
                model.modified = false;
                model.highestAutoInc = wrappedPredecessor(model.autoIncMinValue);
            }
            perform("OpenTable", std::nullopt, [this] { table.OpenTable(); });
            break;
        case 1:
            if (model.open()) {
                model.state = State::Inactive;
                model.rows.clear();
                model.current = -1;
            }
            perform("CloseTable", std::nullopt, [this] { table.CloseTable(); });
            break;
        case 2:
        case 3: {
            Expected expected;
            if (!model.open()) {
                expected = Closed;
            } else {
                model.finishPending();
                if (model.readOnly)
                    expected = ReadOnlyTable;
                else
                    model.beginNewRow(int(model.rows.size()));
            }
            perform("AppendRow", expected, [this] { table.AppendRow(); });
            break;
        }
        case 4: {
            Expected expected;
            if (!model.open()) {
                expected = Closed;
            } else {
                model.finishPending();
                if (model.readOnly)
                    expected = ReadOnlyTable;
                else
                    model.beginNewRow(model.current >= 0 ? model.current : int(model.rows.size()));
            }
            perform("InsertRow", expected, [this] { table.InsertRow(); });
            break;
        }
        case 5: {
            Expected expected;
            if (model.editing()) {
                // Already editing: nothing happens.
            } else if (!model.open()) {
                expected = Closed;
            } else if (model.readOnly) {
                expected = ReadOnlyTable;
            } else if (model.current < 0) {
                model.beginNewRow(int(model.rows.size()));
            } else {
                model.state = State::Edit;
                model.pending = model.rows[model.current];
                model.modified = false;
            }
            perform("EditRow", expected, [this] { table.EditRow(); });
            break;
        }
        case 6:
        case 7:
        case 8:
            writeField(in);
            break;
        case 9: {
            Expected expected;
            if (model.editing())
                model.post();
            else
                expected = NotEditing;
            perform("PostRow", expected, [this] { table.PostRow(); });
            break;
        }
        case 10:
            if (model.editing())
                model.cancel();
            perform("CancelRow", std::nullopt, [this] { table.CancelRow(); });
            break;
        case 11: {
            Expected expected;
            if (!model.open()) {
                expected = Closed;
            } else if (model.state == State::Insert) {
                model.cancel();
            } else if (model.current < 0) {
                expected = Empty;
            } else {
                model.rows.erase(model.rows.begin() + model.current);
                model.current = std::min(model.current, int(model.rows.size()) - 1);
                model.state = State::Browse;
                model.modified = false;
            }
            perform("DeleteRow", expected, [this] { table.DeleteRow(); });
            break;
        }
        case 12: {
            const bool last = in.byte() & 1;
            Expected expected;
            if (!model.open()) {
                expected = Closed;
            } else {
                model.finishPending();
                model.current = model.rows.empty() ? -1 : last ? int(model.rows.size()) - 1 : 0;
            }
            perform(last ? "MoveLast" : "MoveFirst", expected, [this, last] {
                if (last)
                    table.MoveLast();
                else
                    table.MoveFirst();
            });
            break;
        }
        case 13: {
            const std::uint8_t b = in.byte();
            const qint32 distance = b & 0x80 ? in.value() : qint32(b % 9) - 4;
            Expected expected;
            qint32 moved = 0;
            if (!model.open()) {
                expected = Closed;
            } else {
                model.finishPending();
                if (model.current >= 0) {
                    const qint64 target
                        = std::clamp(qint64(model.current) + distance, qint64(0), qint64(model.rows.size()) - 1);
                    moved = qint32(target - model.current);
                    model.current = int(target);
                }
            }
            perform("MoveRows", expected, [&] {
                const qint32 result = table.MoveRows(distance);
                if (result != moved)
                    fail(QStringLiteral("MoveRows(%1) moved %2, expected %3").arg(distance).arg(result).arg(moved));
            });
            break;
        }
        case 14:
            if (model.open()) {
                model.finishPending();
                model.rows.clear();
                model.current = -1;
            }
            perform("RemoveAllRows", std::nullopt, [this] { table.RemoveAllRows(); });
            break;
        case 15: {
            const std::uint8_t b = in.byte();
            const int v = b & 1;
            if (b & 2) {
                attached[v] = !attached[v];
                perform("view attached or detached", std::nullopt,
                    [this, v] { views[v].setDataSource(attached[v] ? &source : nullptr); });
            } else {
                const int rows = 1 + (b >> 2) % 12;
                perform("view row count", std::nullopt, [this, v, rows] { views[v].setWindowCapacity(rows); });
            }
            break;
        }
        case 16: {
            const std::uint8_t b = in.byte();
            if (b & 1) {
                model.readOnly = !model.readOnly;
                perform("ReadOnly", std::nullopt, [this] { table.setReadOnly(model.readOnly); });
            } else {
                const qint32 minimum = in.value();
                model.autoIncMinValue = minimum;
                if (model.highestAutoInc < minimum)
                    model.highestAutoInc = wrappedPredecessor(minimum);
                perform("AutoIncMinValue", std::nullopt, [this, minimum] { table.setAutoIncMinValue(minimum); });
            }
            break;
        }
        default:
            walk();
            break;
        }
    }
    // Afterwards the rows themselves, from the first to the last.
    walk();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    step = 0;
    Input in(data, size);
    Harness harness;
    harness.run(in);
    return 0;
}
