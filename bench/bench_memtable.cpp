// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <chrono>
#include <memory>

#include <QCoreApplication>
#include <QStandardItemModel>

#include "db/DataLink.h"
#include "db/DataSource.h"
#include "db/Field.h"
#include "db/FieldDataLink.h"
#include "memtable/xovMemTable.h"
#include <benchmark/benchmark.h>
#include <sqlite3.h>

// What the scoreboard does on every entry, measured at table sizes from a short evening to far
// beyond any match: append and post a turn row, complete (edit and post) the last row, delete
// the last row, empty the table. Single-row operations are timed in batches of Batch rows (the
// Time column is per batch, ns_per_row per row); the table is brought back to its size outside
// the timing.

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Batch = 100;

double seconds(Clock::time_point from)
{
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// A grid's link as the main window's grids use it: 20 rows, following the table's moves.
class GridLink final : public TDataLink
{
public:
    GridLink()
        : TDataLink(true)
    {
        setWindowCapacity(20);
    }
    long long work = 0;

protected:
    void TableChange() override { recount(); }
    void TableScroll(int distance) override { work += distance, recount(); }
    void RowChange(TField *) override { ++work; }

private:
    // What a grid does at once: recount its rows and set its scroll bar; painting comes later.
    void recount() { work += RowCount() + ActiveRow() + DataSet()->RowCount() + DataSet()->RowNumber(); }
};

// The turn table with the main window's views attached.
struct MemTableFixture
{
    explicit MemTableFixture(int rows, bool withViews = true)
    {
        table.setObjectName(QStringLiteral("Tbl"));
        new TAutoIncField(&table, QStringLiteral("i"));
        for (const char *name : {"e1", "h1", "a1", "e2", "h2", "a2"})
            new TIntegerField(&table, QString::fromLatin1(name));
        source.setDataSet(&table);
        if (withViews) {
            grid1.setDataSource(&source);
            grid2.setDataSource(&source);
            for (auto *label : {&label1, &label2}) {
                label->OnDataChange
                    = [label, this] { caption = label->Field() ? label->Field()->DisplayText() : QString(); };
                label->setDataSource(&source);
            }
            label1.setFieldName(QStringLiteral("a1"));
            label2.setFieldName(QStringLiteral("a2"));
        }
        table.OpenTable();
        fill(rows);
    }

    void appendTurn(int k)
    {
        table.AppendRow();
        table.setFieldValue(e1, k % 181);
        table.setFieldValue(h1, 501 - k % 501);
        table.setFieldValue(a1, k % 97);
        table.PostRow();
    }

    void completeLast(int k)
    {
        table.MoveLast();
        table.EditRow();
        table.setFieldValue(e2, k % 181);
        table.setFieldValue(h2, 501 - k % 501);
        table.setFieldValue(a2, k % 89);
        table.PostRow();
    }

    void deleteLast() { table.DeleteRow(); }
    void emptyAll() { table.RemoveAllRows(); }
    void fill(int rows)
    {
        for (int k = table.RowCount(); k < rows; ++k)
            appendTurn(k);
        table.MoveLast();
    }

    TxovMemTable table;
    TDataSource source;
    GridLink grid1, grid2;
    TFieldDataLink label1, label2;
    QString caption;
    const QString e1 = QStringLiteral("e1"), h1 = QStringLiteral("h1"), a1 = QStringLiteral("a1");
    const QString e2 = QStringLiteral("e2"), h2 = QStringLiteral("h2"), a2 = QStringLiteral("a2");
};

// The turn table alone, for the table's own share of the work.
struct BareMemTableFixture : MemTableFixture
{
    explicit BareMemTableFixture(int rows)
        : MemTableFixture(rows, false)
    { }
};

// The same table in SQLite, in memory, every statement prepared, all inside one transaction.
struct SqliteFixture
{
    explicit SqliteFixture(int rows)
    {
        sqlite3_open(":memory:", &db);
        exec("CREATE TABLE turns(i INTEGER PRIMARY KEY, e1 INTEGER, h1 INTEGER, a1 INTEGER,"
             " e2 INTEGER, h2 INTEGER, a2 INTEGER)");
        exec("BEGIN");
        sqlite3_prepare_v2(db, "INSERT INTO turns(i, e1, h1, a1) VALUES(?, ?, ?, ?)", -1, &insert, nullptr);
        sqlite3_prepare_v2(db, "UPDATE turns SET e2 = ?, h2 = ?, a2 = ? WHERE i = ?", -1, &update, nullptr);
        sqlite3_prepare_v2(db, "DELETE FROM turns WHERE i = ?", -1, &remove, nullptr);
        sqlite3_prepare_v2(db, "DELETE FROM turns", -1, &empty, nullptr);
        fill(rows);
    }
    ~SqliteFixture()
    {
        for (sqlite3_stmt *statement : {insert, update, remove, empty})
            sqlite3_finalize(statement);
        exec("COMMIT");
        sqlite3_close(db);
    }

    void exec(const char *sql) { sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }
    static void run(sqlite3_stmt *statement)
    {
        if (sqlite3_step(statement) != SQLITE_DONE)
            std::abort();
        sqlite3_reset(statement);
    }

    void appendTurn(int k)
    {
        sqlite3_bind_int(insert, 1, ++last);
        sqlite3_bind_int(insert, 2, k % 181);
        sqlite3_bind_int(insert, 3, 501 - k % 501);
        sqlite3_bind_int(insert, 4, k % 97);
        run(insert);
        ++rowCount;
    }
    void completeLast(int k)
    {
        sqlite3_bind_int(update, 1, k % 181);
        sqlite3_bind_int(update, 2, 501 - k % 501);
        sqlite3_bind_int(update, 3, k % 89);
        sqlite3_bind_int(update, 4, last);
        run(update);
    }
    void deleteLast()
    {
        sqlite3_bind_int(remove, 1, last--);
        run(remove);
        --rowCount;
    }
    void emptyAll()
    {
        run(empty);
        rowCount = 0;
    }
    void fill(int rows)
    {
        for (int k = rowCount; k < rows; ++k)
            appendTurn(k);
    }

    sqlite3 *db = nullptr;
    sqlite3_stmt *insert = nullptr, *update = nullptr, *remove = nullptr, *empty = nullptr;
    int last = 0;
    int rowCount = 0;
};

// The same table as a Qt item model: one row of seven items per turn row.
struct ItemModelFixture
{
    explicit ItemModelFixture(int rows)
        : model(0, 7)
    {
        fill(rows);
    }

    void appendTurn(int k)
    {
        QList<QStandardItem *> row;
        row.reserve(7);
        for (int value : {++last, k % 181, 501 - k % 501, k % 97}) {
            auto *item = new QStandardItem;
            item->setData(value, Qt::EditRole);
            row << item;
        }
        for (int c = 0; c < 3; ++c)
            row << new QStandardItem;
        model.appendRow(row);
    }
    void completeLast(int k)
    {
        const int r = model.rowCount() - 1;
        model.setData(model.index(r, 4), k % 181);
        model.setData(model.index(r, 5), 501 - k % 501);
        model.setData(model.index(r, 6), k % 89);
    }
    void deleteLast() { model.removeRow(model.rowCount() - 1); }
    void emptyAll() { model.removeRows(0, model.rowCount()); }
    void fill(int rows)
    {
        for (int k = model.rowCount(); k < rows; ++k)
            appendTurn(k);
    }

    QStandardItemModel model;
    int last = 0;
};

// One fixture per kind, kept while the benchmarks of one table size run.
template <typename Fixture> Fixture &fixture(int rows)
{
    static std::unique_ptr<Fixture> current;
    static int currentRows = -1;
    if (currentRows != rows) {
        current.reset();
        current = std::make_unique<Fixture>(rows);
        currentRows = rows;
    }
    return *current;
}

void reportPerRow(benchmark::State &state, double total, int rowsPerIteration)
{
    state.counters["ns_per_row"] = total * 1e9 / double(rowsPerIteration) / double(state.iterations());
}

template <typename Fixture> void BM_AppendPost(benchmark::State &state)
{
    const int rows = int(state.range(0));
    Fixture &f = fixture<Fixture>(rows);
    int k = 0;
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        for (int b = 0; b < Batch; ++b)
            f.appendTurn(k++);
        const double elapsed = seconds(start);
        state.SetIterationTime(elapsed);
        total += elapsed;
        for (int b = 0; b < Batch; ++b)
            f.deleteLast();
    }
    reportPerRow(state, total, Batch);
}

template <typename Fixture> void BM_EditPostLast(benchmark::State &state)
{
    const int rows = int(state.range(0));
    Fixture &f = fixture<Fixture>(rows);
    int k = 0;
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        for (int b = 0; b < Batch; ++b)
            f.completeLast(k++);
        const double elapsed = seconds(start);
        state.SetIterationTime(elapsed);
        total += elapsed;
    }
    reportPerRow(state, total, Batch);
}

template <typename Fixture> void BM_DeleteLast(benchmark::State &state)
{
    const int rows = int(state.range(0));
    Fixture &f = fixture<Fixture>(rows);
    int k = 0;
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        for (int b = 0; b < Batch; ++b)
            f.deleteLast();
        const double elapsed = seconds(start);
        state.SetIterationTime(elapsed);
        total += elapsed;
        for (int b = 0; b < Batch; ++b)
            f.appendTurn(k++);
    }
    reportPerRow(state, total, Batch);
}

template <typename Fixture> void BM_Empty(benchmark::State &state)
{
    const int rows = int(state.range(0));
    Fixture &f = fixture<Fixture>(rows);
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        f.emptyAll();
        const double elapsed = seconds(start);
        state.SetIterationTime(elapsed);
        total += elapsed;
        f.fill(rows);
    }
    reportPerRow(state, total, rows);
}

template <typename Fixture> void registerAll(const char *peer, int rows)
{
    const std::string suffix = std::string("/") + peer;
    benchmark::RegisterBenchmark(("AppendPost" + suffix).c_str(), BM_AppendPost<Fixture>)
        ->Arg(rows)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("EditPostLast" + suffix).c_str(), BM_EditPostLast<Fixture>)
        ->Arg(rows)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("DeleteLast" + suffix).c_str(), BM_DeleteLast<Fixture>)
        ->Arg(rows)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("Empty" + suffix).c_str(), BM_Empty<Fixture>)
        ->Arg(rows)
        ->Iterations(rows >= 100000 ? 3 : 50)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    // Table size outermost, so every fixture is built once per size.
    for (int rows : {1000, 100000, 1000000}) {
        registerAll<MemTableFixture>("xovMemTable", rows);
        registerAll<BareMemTableFixture>("xovMemTable-no-views", rows);
        registerAll<SqliteFixture>("SQLite", rows);
        registerAll<ItemModelFixture>("QStandardItemModel", rows);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
