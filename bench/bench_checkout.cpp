// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Switching the checkout rule or the level of the advice: the advice texts of both players worked
// out anew at every score a match passes through, against the frame of a 60 Hz screen (16.7 ms).
// The advice comes from the tables written when Pontix was built; the peers, in the same run, are
// the lookup of the single table of routes Pontix had before (the default level under double out),
// and working one level's plan out from the model when the switch is made, which the tables spare.
#include <QString>

#include "match/Checkout.h"
#include "match/DartModel.h"
#include <benchmark/benchmark.h>

namespace {

// The remaining scores of two players, one pair for each visit of a leg from 501.
constexpr int Remaining[][2] = {{501, 501}, {441, 456}, {360, 401}, {300, 341}, {241, 281}, {170, 221}, {130, 161},
    {92, 121}, {61, 85}, {40, 50}, {16, 32}, {2, 3}};

// Every switch of rule and level, then both players' advice at every pair of scores.
void SwitchRuleAndLevel(benchmark::State &state)
{
    int level = 0;
    int rule = 0;
    for (auto _ : state) {
        level = (level + 1) % int(levelAverages.size());
        rule = 1 - rule;
        for (const auto &pair : Remaining) {
            for (int remaining : pair) {
                const QString text = checkoutAdvice(remaining, CheckoutRule(rule), level).text();
                benchmark::DoNotOptimize(text.constData());
            }
        }
    }
}
BENCHMARK(SwitchRuleAndLevel)->Unit(benchmark::kMicrosecond);

// The peer: the same texts from the single table of double-out routes at the default level.
void SingleTablePeer(benchmark::State &state)
{
    for (auto _ : state) {
        for (const auto &pair : Remaining) {
            for (int remaining : pair) {
                const QString text = checkoutRoute(remaining).text();
                benchmark::DoNotOptimize(text.constData());
            }
        }
    }
}
BENCHMARK(SingleTablePeer)->Unit(benchmark::kMicrosecond);

// The other peer: one level's plan worked out from the model at the switch, up to 170.
void PlanAtSwitchPeer(benchmark::State &state)
{
    const std::vector<Target> targets = standardTargets();
    for (auto _ : state) {
        const FinishPlan plan(ThrowModel(levelSpreads[1]), targets, CheckoutRule::DoubleOut, 170);
        benchmark::DoNotOptimize(plan.route(170).count);
    }
}
BENCHMARK(PlanAtSwitchPeer)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
