// Speed of the hand-statistics report: one deal dealt and counted, the whole
// 100,000-deal simulation on one and on two threads, a million deals on one
// thread (the goal is 0.5 s of processor time), and the formatting of the
// report text.
#include "report/ReportFormat.h"
#include "report/Simulation.h"

#include <benchmark/benchmark.h>

namespace quillory {
namespace {

void BM_ReportDealOnly(benchmark::State& state) {
    std::uint32_t seed = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DealReportHand(seed));
        ++seed;
    }
}
BENCHMARK(BM_ReportDealOnly);

void BM_ReportCountDeal(benchmark::State& state) {
    std::vector<DealtCards> deals;
    for (std::uint32_t i = 1; i <= 1024; ++i) {
        deals.push_back(DealReportHand(i));
    }
    HandStatistics statistics;
    std::size_t i = 0;
    for (auto _ : state) {
        CountDeal(deals[i++ & 1023], statistics);
    }
    benchmark::DoNotOptimize(statistics.Counters().data());
}
BENCHMARK(BM_ReportCountDeal);

// The full report's simulation; the argument is the thread count.
void BM_ReportSimulate100k(benchmark::State& state) {
    SimulationOptions options;
    options.deals = kReportDeals;
    options.seed = 12345;
    options.threads = static_cast<int>(state.range(0));
    HandStatistics statistics;
    for (auto _ : state) {
        SimulateDeals(options, statistics);
        benchmark::DoNotOptimize(statistics.Counters().data());
    }
}
BENCHMARK(BM_ReportSimulate100k)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

// A million deals on one thread, CPU time: the goal is 0.5 s.
void BM_ReportSimulate1M(benchmark::State& state) {
    SimulationOptions options;
    options.deals = 1'000'000;
    options.seed = 12345;
    options.threads = 1;
    HandStatistics statistics;
    for (auto _ : state) {
        SimulateDeals(options, statistics);
        benchmark::DoNotOptimize(statistics.Counters().data());
    }
}
BENCHMARK(BM_ReportSimulate1M)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReportFormat(benchmark::State& state) {
    SimulationOptions options;
    options.deals = 20000;
    options.seed = 1;
    HandStatistics statistics;
    SimulateDeals(options, statistics);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatReport(statistics));
    }
}
BENCHMARK(BM_ReportFormat)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace quillory
