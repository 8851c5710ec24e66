// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Random sequences of table operations, drawn from weighted tables, each step checked against
// the reference model of the turn table: its rows, the current row, the state, the counts and
// the rows a view shows; and the window's reuse of rows checked against reading row by row.

#include <algorithm>
#include <optional>
#include <random>

#include <QTest>
#include <QtEndian>

#include "db/DataSource.h"
#include "db/Field.h"
#include "db/FieldDataLink.h"
#include "memtable/xovMemTable.h"
#include "tests/support/RecordingLink.h"
#include "tests/support/Texts.h"
#include "tests/support/TurnTable.h"
#include "tests/support/TurnTableModel.h"
#include "tests/support/WeightedTable.h"

namespace {

QString errorText(const Expected &error)
{
    return error.value_or(s("nothing"));
}

// One random sequence: the turn table with a view and a label attached, and the model beside
// it. Every operation draws what it needs, runs on the model and on the table, and names itself.
class Sequence
{
public:
    explicit Sequence(quint32 seed);

    // Runs `steps` operations; false once the table and the model part (the test has failed).
    bool run(int steps);

    void append();
    void write();
    void post();
    void cancel();
    void edit();
    void insert();
    void remove();
    void moveFirst();
    void moveLast();
    void moveRows();
    void refresh();
    void removeAll();
    void closeOrOpen();
    // A closed table is opened again; an open one gets a view of another size.
    void openOrResize();
    void resize();

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_random); }
    // Runs an action on the table, keeping the error it raises.
    template <typename Action> void onTable(Action action);
    bool check(int step);
    template <typename T> bool same(int step, const T &actual, const T &expected, const char *what);
    bool fail(int step, const QString &what);

    const quint32 m_seed;
    std::mt19937 m_random;
    TurnTable m_turns;
    RecordingLink m_view;
    QString m_caption;
    TFieldDataLink m_label;
    TurnTableModel m_model;

    QString m_operation;
    QStringList m_history;
    Expected m_expectedError;
    Expected m_actualError;
    qint32 m_expectedMoved = 0;
    qint32 m_actualMoved = 0;
};

struct SequenceOperation
{
    int weight;
    void (Sequence::*run)();
};

// How often each operation comes, out of 100.
constexpr SequenceOperation SequenceOperations[] = {
    {18, &Sequence::append},
    {22, &Sequence::write},
    {14, &Sequence::post},
    {4, &Sequence::cancel},
    {7, &Sequence::edit},
    {3, &Sequence::insert},
    {7, &Sequence::remove},
    {2, &Sequence::moveFirst},
    {2, &Sequence::moveLast},
    {11, &Sequence::moveRows},
    {2, &Sequence::refresh},
    {2, &Sequence::removeAll},
    {1, &Sequence::closeOrOpen},
    {2, &Sequence::openOrResize},
    {3, &Sequence::resize},
};
static_assert(totalWeight(SequenceOperations) == 100);

Sequence::Sequence(quint32 seed)
    : m_seed(seed)
    , m_random(seed)
{
    m_model.capacity = pick(1, 8);
    m_view.setWindowCapacity(m_model.capacity);
    m_view.setDataSource(&m_turns.source);
    m_label.OnDataChange = [this] { m_caption = m_label.Field() ? m_label.Field()->DisplayText() : QString(); };
    m_label.setFieldName(s("a1"));
    m_label.setDataSource(&m_turns.source);
}

template <typename Action> void Sequence::onTable(Action action)
{
    try {
        action();
    } catch (const EDatabaseError &e) {
        m_actualError = e.message();
    }
}

void Sequence::append()
{
    m_operation = s("AppendRow");
    m_expectedError = m_model.append();
    onTable([this] { m_turns.table.AppendRow(); });
}

void Sequence::write()
{
    const int field = pick(0, 12) == 0 ? 0 : pick(1, TurnFieldCount - 1);
    std::optional<qint32> value;
    if (pick(0, 5) != 0)
        value = field == 0 ? pick(-5, 60) : pick(-200, 200);
    m_operation = QStringLiteral("write %1 = %2")
                      .arg(QString::fromLatin1(TurnFieldNames[field]), value ? QString::number(*value) : s("empty"));
    m_expectedError = m_model.write(field, value);
    onTable([&] {
        if (value)
            m_turns.field(TurnFieldNames[field])->setAsInteger(*value);
        else
            m_turns.field(TurnFieldNames[field])->Clear();
    });
}

void Sequence::post()
{
    m_operation = s("PostRow");
    m_expectedError = m_model.post();
    onTable([this] { m_turns.table.PostRow(); });
}

void Sequence::cancel()
{
    m_operation = s("CancelRow");
    m_model.cancel();
    onTable([this] { m_turns.table.CancelRow(); });
}

void Sequence::edit()
{
    m_operation = s("EditRow");
    m_expectedError = m_model.edit();
    onTable([this] { m_turns.table.EditRow(); });
}

void Sequence::insert()
{
    m_operation = s("InsertRow");
    m_expectedError = m_model.insert();
    onTable([this] { m_turns.table.InsertRow(); });
}

void Sequence::remove()
{
    m_operation = s("DeleteRow");
    m_expectedError = m_model.remove();
    onTable([this] { m_turns.table.DeleteRow(); });
}

void Sequence::moveFirst()
{
    m_operation = s("MoveFirst");
    m_expectedError = m_model.moveFirst();
    onTable([this] { m_turns.table.MoveFirst(); });
}

void Sequence::moveLast()
{
    m_operation = s("MoveLast");
    m_expectedError = m_model.moveLast();
    onTable([this] { m_turns.table.MoveLast(); });
}

void Sequence::moveRows()
{
    const int distance = pick(-9, 9);
    m_operation = QStringLiteral("MoveRows(%1)").arg(distance);
    m_expectedError = m_model.moveRows(distance, m_expectedMoved);
    onTable([&] { m_actualMoved = m_turns.table.MoveRows(distance); });
}

void Sequence::refresh()
{
    m_operation = s("RefreshTable");
    m_expectedError = m_model.refresh();
    onTable([this] { m_turns.table.RefreshTable(); });
}

void Sequence::removeAll()
{
    m_operation = s("RemoveAllRows");
    m_model.removeAll();
    onTable([this] { m_turns.table.RemoveAllRows(); });
}

void Sequence::closeOrOpen()
{
    if (m_model.isOpen()) {
        m_operation = s("CloseTable");
        m_model.closeTable();
        onTable([this] { m_turns.table.CloseTable(); });
    } else {
        m_operation = s("OpenTable");
        m_model.openTable();
        onTable([this] { m_turns.table.OpenTable(); });
    }
}

void Sequence::openOrResize()
{
    if (m_model.isOpen()) {
        resize();
    } else {
        m_operation = s("OpenTable");
        m_model.openTable();
        onTable([this] { m_turns.table.OpenTable(); });
    }
}

void Sequence::resize()
{
    const int wanted = pick(1, 8);
    m_operation = QStringLiteral("view capacity %1").arg(wanted);
    m_model.setCapacity(wanted);
    onTable([&] { m_view.setWindowCapacity(wanted); });
}

bool Sequence::run(int steps)
{
    for (int step = 0; step < steps; ++step) {
        m_expectedError.reset();
        m_actualError.reset();
        m_expectedMoved = m_actualMoved = 0;
        const SequenceOperation &operation
            = entryForRoll(SequenceOperations, pick(0, totalWeight(SequenceOperations) - 1));
        (this->*operation.run)();
        m_history << m_operation;
        if (!check(step))
            return false;
    }
    return true;
}

bool Sequence::fail(int step, const QString &what)
{
    const QString message
        = QStringLiteral("seed %1, step %2: %3\nlast operations:\n  %4")
              .arg(m_seed)
              .arg(step)
              .arg(what, m_history.mid(std::max<qsizetype>(0, m_history.size() - 12)).join(s("\n  ")));
    QTest::qFail(qPrintable(message), __FILE__, __LINE__);
    return false;
}

template <typename T> bool Sequence::same(int step, const T &actual, const T &expected, const char *what)
{
    if (actual == expected)
        return true;
    QString detail;
    QDebug(&detail) << what << "is" << actual << "but should be" << expected;
    return fail(step, detail);
}

bool Sequence::check(int step)
{
    const TxovMemTable &table = m_turns.table;
    const TurnTableModel &model = m_model;
    if (m_actualError != m_expectedError) {
        return fail(step,
            QStringLiteral("the error is \"%1\" but should be \"%2\"")
                .arg(errorText(m_actualError), errorText(m_expectedError)));
    }
    if (!same(step, m_actualMoved, m_expectedMoved, "rows moved")
        || !same(step, int(table.State()), int(model.tableState()), "the state")
        || !same(step, table.Active(), model.isOpen(), "Active"))
        return false;
    if (!model.isOpen())
        return same(step, table.RowNumber(), -1, "RowNumber of a closed table")
            && same(step, m_view.Active(), false, "the view's activity");
    if (!same(step, table.RowCount(), qint32(model.rows.size()), "RowCount")
        || !same(step, table.WindowCapacity(), model.capacity, "WindowCapacity")
        || !same(step, table.WindowCount(), model.count, "WindowCount")
        || !same(step, table.HasNoRow(), model.count == 0, "HasNoRow")
        || (model.count > 0 && !same(step, table.ActiveRow(), model.active, "ActiveRow"))
        || !same(step, table.AtFirstRow(), model.atFirst, "AtFirstRow")
        || !same(step, table.AtLastRow(), model.atLast, "AtLastRow")
        || !same(step, table.RowNumber(), model.rowNumber(), "RowNumber")
        || !same(step, m_view.FirstRow(), 0, "the view's FirstRow")
        || !same(step, m_label.FirstRow(), table.ActiveRow(), "the label's FirstRow"))
        return false;

    // What the view shows: every row of the window, the row being edited as edited.
    QList<int> expectedNumbers;
    QStringList expectedRows;
    for (int j = 0; j < model.count; ++j) {
        expectedNumbers << model.rowNumberAt(model.top + j);
        expectedRows << turnRowText(model.rowAt(model.top + j));
    }
    if (!same(step, m_view.rowNumbers(), expectedNumbers, "the view's rows"))
        return false;
    QStringList shownRows;
    const int saved = m_view.ActiveRow();
    for (int j = 0; j < m_view.RowCount(); ++j) {
        m_view.setActiveRow(j);
        TurnRow row;
        for (int f = 0; f < TurnFieldCount; ++f) {
            const QVariant v = m_turns.value(TurnFieldNames[f]);
            if (!v.isNull())
                row[size_t(f)] = v.toInt();
        }
        shownRows << turnRowText(row);
    }
    m_view.setActiveRow(saved);
    const TurnRow current = model.currentRow().value_or(TurnRow {});
    if (!same(step, shownRows, expectedRows, "the view's values")
        || !same(step, m_caption, current[3] ? QString::number(*current[3]) : QString(), "the label's caption"))
        return false;

    // The stored rows, in row order.
    const TxovCommon *store = table.Common();
    QStringList storedRows;
    for (const TxovRecord *record : table.CurrentIndex()->Entries()) {
        TurnRow row;
        for (int f = 0; f < TurnFieldCount; ++f) {
            const std::byte *slot = record->ValueArea + store->FieldStart(f);
            if (slot[0] != std::byte {0})
                row[size_t(f)] = qFromLittleEndian<qint32>(slot + 1);
        }
        storedRows << turnRowText(row);
    }
    QStringList modelRows;
    for (const TurnRow &row : model.rows)
        modelRows << turnRowText(row);
    return same(step, storedRows, modelRows, "the stored rows")
        && same(step, store->RecordCount(), qint32(model.rows.size()), "the store's record count");
}

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
        defineTurnTable(table);
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
            for (const char *name : TurnFieldNames)
                row << table.FieldNamed(QString::fromLatin1(name))->DisplayText();
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

// What every step draws, whichever operation it runs.
struct Draw
{
    int field;
    int value;
    int distance;
    int wanted;
};

struct ReuseOperation
{
    int weight;
    void (*run)(TxovCustomMemTable &table, RecordingLink &view, const Draw &draw, qint32 &moved);
};

// How often each operation comes, out of 100.
constexpr ReuseOperation ReuseOperations[] = {
    {22, [](TxovCustomMemTable &table, RecordingLink &, const Draw &, qint32 &) { table.AppendRow(); }},
    {20,
        [](TxovCustomMemTable &table, RecordingLink &, const Draw &draw, qint32 &) {
            table.FieldNamed(QString::fromLatin1(TurnFieldNames[draw.field]))->setAsInteger(draw.value);
        }},
    {14, [](TxovCustomMemTable &table, RecordingLink &, const Draw &, qint32 &) { table.PostRow(); }},
    {4, [](TxovCustomMemTable &table, RecordingLink &, const Draw &, qint32 &) { table.CancelRow(); }},
    {6, [](TxovCustomMemTable &table, RecordingLink &, const Draw &, qint32 &) { table.EditRow(); }},
    {3, [](TxovCustomMemTable &table, RecordingLink &, const Draw &, qint32 &) { table.InsertRow(); }},
    {10, [](TxovCustomMemTable &table, RecordingLink &, const Draw &, qint32 &) { table.DeleteRow(); }},
    {3, [](TxovCustomMemTable &table, RecordingLink &, const Draw &, qint32 &) { table.MoveLast(); }},
    {2, [](TxovCustomMemTable &table, RecordingLink &, const Draw &, qint32 &) { table.MoveFirst(); }},
    {9,
        [](TxovCustomMemTable &table, RecordingLink &, const Draw &draw, qint32 &moved) {
            moved = table.MoveRows(draw.distance);
        }},
    {2, [](TxovCustomMemTable &table, RecordingLink &, const Draw &, qint32 &) { table.RemoveAllRows(); }},
    {1, [](TxovCustomMemTable &table, RecordingLink &, const Draw &, qint32 &) { table.RefreshTable(); }},
    {4,
        [](TxovCustomMemTable &, RecordingLink &view, const Draw &draw, qint32 &) {
            view.setWindowCapacity(draw.wanted);
        }},
};
static_assert(totalWeight(ReuseOperations) == 100);

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
        Sequence sequence(seed);
        if (!sequence.run(steps))
            return;
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
            const int roll = pick(0, totalWeight(ReuseOperations) - 1);
            Draw draw;
            draw.field = pick(1, TurnFieldCount - 1);
            draw.value = pick(-50, 200);
            draw.distance = pick(-9, 9);
            draw.wanted = pick(1, 8);
            const ReuseOperation &operation = entryForRoll(ReuseOperations, roll);
            auto apply = [&](auto &setup, QString &error, qint32 &moved) {
                try {
                    operation.run(setup.table, setup.view, draw, moved);
                } catch (const EDatabaseError &e) {
                    error = e.message();
                }
            };
            QString errorA, errorB;
            qint32 movedA = 0, movedB = 0;
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
