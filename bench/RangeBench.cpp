// Range equity on one thread: sampled showdowns (ns each, the counter
// ns_per_showdown) and whole exact enumerations, for the spots README's
// "Ranges" section compares with another calculator.
#include "range/RangeEquity.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

using namespace quillory;

HandRange Parsed(const char* text) {
    HandRange range;
    RangeError error;
    ParseRange(text, range, error);
    return range;
}

EquityRequest Spot(std::vector<const char*> seats, std::vector<int> board, EquityMethod method) {
    EquityRequest request;
    for (const char* text : seats) {
        request.seats.push_back(Parsed(text));
    }
    request.board = std::move(board);
    request.method = method;
    request.trials = 1'000'000;
    request.seed = 1;
    request.threads = 1;
    return request;
}

// Kd 7c 2h as fresh-deck indices (4 * rank + suit; ace 0, king 12).
const std::vector<int> kFlop{4 * 12 + 3, 4 * 6 + 2, 4 * 1 + 1};

void Measure(benchmark::State& state, const EquityRequest& request) {
    std::int64_t showdowns = 0;
    EquityResults results;
    for (auto _ : state) {
        if (CalculateEquity(request, results).kind != EquityProblemKind::None) {
            state.SkipWithError("the request cannot run");
            return;
        }
        benchmark::DoNotOptimize(results.equity[0]);
        showdowns += results.showdowns;
    }
    if (request.method == EquityMethod::Sampled) {
        state.counters["ns_per_showdown"] =
            benchmark::Counter(static_cast<double>(showdowns) * 1e-9,
                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    }
}

void BM_RangeSampled_AKs_QQplus(benchmark::State& state) {
    Measure(state, Spot({"AKs", "QQ+"}, {}, EquityMethod::Sampled));
}
void BM_RangeExact_AKs_QQplus(benchmark::State& state) {
    Measure(state, Spot({"AKs", "QQ+"}, {}, EquityMethod::Exact));
}
void BM_RangeSampled_JJplusAKs_77plus(benchmark::State& state) {
    Measure(state, Spot({"JJ+,AKs", "77+,ATs+,KQs"}, {}, EquityMethod::Sampled));
}
void BM_RangeExact_JJplusAKs_77plus(benchmark::State& state) {
    Measure(state, Spot({"JJ+,AKs", "77+,ATs+,KQs"}, {}, EquityMethod::Exact));
}
void BM_RangeSampled_AA_QQplusAK_Random_Flop(benchmark::State& state) {
    Measure(state, Spot({"AA", "QQ+,AK", "random"}, kFlop, EquityMethod::Sampled));
}
void BM_RangeExact_AA_QQplusAK_Random_Flop(benchmark::State& state) {
    Measure(state, Spot({"AA", "QQ+,AK", "random"}, kFlop, EquityMethod::Exact));
}

BENCHMARK(BM_RangeSampled_AKs_QQplus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RangeExact_AKs_QQplus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RangeSampled_JJplusAKs_77plus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RangeExact_JJplusAKs_77plus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RangeSampled_AA_QQplusAK_Random_Flop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RangeExact_AA_QQplusAK_Random_Flop)->Unit(benchmark::kMillisecond);

} // namespace
