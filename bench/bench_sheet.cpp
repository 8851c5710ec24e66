// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The result sheet after a night of 30 legs in one match (seeded turns of club players from 501):
// (a) building the "Eredmény" window and showing it at 1366 x 768, to the end of its first painted
// and flushed frame; (b) drawing the chart of the night's longest leg into a 1920 x 1080 picture.
// Peers in the same run: (a) a window of the same size with the same texts in a
// QStandardItemModel under a QTableView, without a chart; (b) the same chart built and drawn with
// Qt Charts. Each iteration is timed on its own (manual time); the target is one 60 Hz frame,
// 16.7 ms.
#include <cstdio>
#include <random>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>

#include "bench/BenchSupport.h"
#include "match/ResultSheet.h"
#include "sheet/LegChart.h"
#include "sheet/ResultTableModel.h"
#include "sheet/ResultView.h"
#include "sheet/ResultWindow.h"
#include "tests/support/GameOnTable.h"
#include <benchmark/benchmark.h>

namespace {

using bench::Clock;

constexpr int NightLegs = 30;
const QSize WindowSize(1366, 768);
const QSize ChartSize(1920, 1080);

GameOnTable *night = nullptr;
LegCourse longestLeg;

// Three darts of a club player aiming at treble 20 or treble 19: most land in the single, some in
// the treble, a few outside.
qint32 scoringTurn(std::mt19937 &random)
{
    static const std::array<qint32, 9> beds {60, 20, 1, 5, 57, 19, 3, 7, 0};
    std::discrete_distribution<int> bed({12, 30, 12, 12, 5, 15, 5, 5, 4});
    qint32 total = 0;
    for (int dart = 0; dart < 3; ++dart)
        total += beds[std::size_t(bed(random))];
    return total;
}

// Legs played to their checkout, the checkout's darts given, a new game after each.
void playNight(GameOnTable &game, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> chance(0, 1);
    for (int leg = 0; leg < NightLegs; ++leg) {
        while (!game.match.record().currentLeg().winner) {
            const qint32 left = game.match.Player1ToThrow ? game.match.Remaining1 : game.match.Remaining2;
            qint32 score = scoringTurn(random);
            if (Match::isDoubleOutFinish(left) && chance(random) < (left <= 60 ? 0.35 : 0.08))
                score = left;
            else if (score > left - 2)
                score = 0;
            game.match.enterScore(score, true);
        }
        game.match.record().setCheckoutDarts(3, FinishRule::DoubleOut);
        game.match.newGame();
    }
}

// Shows the window and runs the event loop until the widgets watched have painted and every posted
// event is done: the window's first frame, flushed.
void showToFirstFrame(QWidget *window, const bench::PaintCounter &paints, int watched)
{
    window->show();
    while (paints.count() < watched)
        QCoreApplication::processEvents();
    bench::settle();
}

// Each iteration's time, for the benchmark and for the median and upper percentiles, with the first
// iteration on its own: the first window or chart of the process also loads fonts and builds the
// style's caches.
class Timing
{
public:
    void add(benchmark::State &state, Clock::duration elapsed)
    {
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
        m_samples.add(elapsed);
        if (m_samples.size() == 1)
            m_first = elapsed;
    }
    void report(benchmark::State &state) const
    {
        state.counters["first_us"] = std::chrono::duration<double, std::micro>(m_first).count();
        state.counters["median_us"] = m_samples.quantileUs(0.5);
        state.counters["p90_us"] = m_samples.quantileUs(0.9);
        state.counters["max_us"] = m_samples.quantileUs(1.0);
    }

private:
    bench::Samples m_samples;
    Clock::duration m_first {};
};

void BM_OpenSheet(benchmark::State &state)
{
    Timing timing;
    long long painted = 0;
    for (auto _ : state) {
        bench::PaintCounter paints;
        const Clock::time_point start = Clock::now();
        auto *window = new ResultWindow(night->match);
        window->setPlayerNames(QStringLiteral("Kovács"), QStringLiteral("Szabó"));
        window->setDartsShown(true);
        window->resize(WindowSize);
        paints.watch(window->view()->chart());
        paints.watch(window->view()->table()->viewport());
        showToFirstFrame(window, paints, 2);
        timing.add(state, Clock::now() - start);
        painted += paints.count();
        if (window->view()->legCount() != NightLegs)
            state.SkipWithError("the sheet does not hold the night's legs");
        delete window;
        bench::settle();
    }
    timing.report(state);
    state.counters["paints"] = benchmark::Counter(double(painted), benchmark::Counter::kAvgIterations);
}

// The same texts in a QStandardItemModel under a QTableView, with a title, at the same size.
void BM_Peer_ItemModelWindow(benchmark::State &state)
{
    ResultTableModel texts;
    texts.setDartsShown(true);
    const bool decided = night->match.legs().matchDecided();
    const ResultRecord &record = night->match.record();
    texts.setSheet(ResultSheet(record, ResultSheet::lastMatch(record, decided), decided),
        {QStringLiteral("Kovács"), QStringLiteral("Szabó")});
    Timing timing;
    long long painted = 0;
    for (auto _ : state) {
        bench::PaintCounter paints;
        const Clock::time_point start = Clock::now();
        auto *window = new QWidget;
        auto *column = new QVBoxLayout(window);
        column->addWidget(new QLabel(QStringLiteral("Kovács 16 – 14 Szabó"), window));
        auto *model = new QStandardItemModel(texts.rowCount(), texts.columnCount(), window);
        for (int c = 0; c < texts.columnCount(); ++c) {
            model->setHorizontalHeaderItem(c, new QStandardItem(texts.headerData(c, Qt::Horizontal).toString()));
            for (int r = 0; r < texts.rowCount(); ++r)
                model->setItem(r, c, new QStandardItem(texts.index(r, c).data().toString()));
        }
        auto *table = new QTableView(window);
        table->setModel(model);
        table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        column->addWidget(table);
        window->resize(WindowSize);
        paints.watch(table->viewport());
        showToFirstFrame(window, paints, 1);
        timing.add(state, Clock::now() - start);
        painted += paints.count();
        delete window;
        bench::settle();
    }
    timing.report(state);
    state.counters["paints"] = benchmark::Counter(double(painted), benchmark::Counter::kAvgIterations);
}

void BM_DrawChart(benchmark::State &state)
{
    QImage image(ChartSize, QImage::Format_RGB32);
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(0x0B, 0x0E, 0x11));
    palette.setColor(QPalette::Text, Qt::white);
    Timing timing;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        QPainter painter(&image);
        paintLegChart(painter, image.rect(), longestLeg, palette);
        painter.end();
        timing.add(state, Clock::now() - start);
    }
    timing.report(state);
}

// The same chart made with Qt Charts, as choosing a leg would make it, and drawn.
void BM_Peer_QtCharts(benchmark::State &state)
{
    QImage image(ChartSize, QImage::Format_RGB32);
    Timing timing;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        QChartView view;
        view.resize(ChartSize);
        auto *chart = new QChart;
        auto *turns = new QValueAxis;
        auto *scores = new QValueAxis;
        chart->addAxis(turns, Qt::AlignBottom);
        chart->addAxis(scores, Qt::AlignLeft);
        for (std::size_t player = 0; player < 2; ++player) {
            auto *line = new QLineSeries;
            line->setName(longestLeg.names[player]);
            line->setPointsVisible(true);
            for (std::size_t turn = 0; turn < longestLeg.remaining[player].size(); ++turn)
                line->append(qreal(turn), qreal(longestLeg.remaining[player][turn]));
            chart->addSeries(line);
            line->attachAxis(turns);
            line->attachAxis(scores);
        }
        view.setChart(chart);
        QPainter painter(&image);
        view.render(&painter);
        painter.end();
        timing.add(state, Clock::now() - start);
    }
    timing.report(state);
}

BENCHMARK(BM_OpenSheet)->UseManualTime()->Iterations(40)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Peer_ItemModelWindow)->UseManualTime()->Iterations(40)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawChart)->UseManualTime()->Iterations(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Peer_QtCharts)->UseManualTime()->Iterations(40)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    bench::useOffscreenScreen();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    GameOnTable game(501);
    playNight(game, 37);
    night = &game;
    const bool decided = game.match.legs().matchDecided();
    const ResultRecord &record = game.match.record();
    const ResultSheet sheet(record, ResultSheet::lastMatch(record, decided), decided);
    qsizetype longest = 0;
    std::size_t turns = 0;
    for (qsizetype leg = 0; leg < qsizetype(sheet.legs().size()); ++leg) {
        const std::size_t legTurns = sheet.remainingScores(leg, true).size() + sheet.remainingScores(leg, false).size();
        if (legTurns > turns) {
            turns = legTurns;
            longest = leg;
        }
    }
    longestLeg = {{QStringLiteral("Kovács"), QStringLiteral("Szabó")},
        {sheet.remainingScores(longest, true), sheet.remainingScores(longest, false)}};
    std::printf("a night of %zu legs, %d – %d; the longest leg %lld with %zu turns\n", sheet.legs().size(),
        sheet.totals(true).legs, sheet.totals(false).legs, qint64(longest) + 1, turns - 2);

    // The operator's window stands open before the sheet is first asked for, as in Pontix: a
    // window with a table view and a label, shown and painted, so that the first iteration counts
    // what opening the sheet costs the first time, not the process's first window.
    QWidget operatorWindow;
    auto *column = new QVBoxLayout(&operatorWindow);
    column->addWidget(new QLabel(QStringLiteral("Pontix"), &operatorWindow));
    QStandardItemModel rows(20, 3);
    auto *grid = new QTableView(&operatorWindow);
    grid->setModel(&rows);
    column->addWidget(grid);
    operatorWindow.resize(WindowSize);
    bench::PaintCounter shown;
    shown.watch(grid->viewport());
    showToFirstFrame(&operatorWindow, shown, 1);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
