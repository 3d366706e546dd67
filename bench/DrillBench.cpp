// How long the drill's reveal waits for a true value: drill::ComputeTrueValue
// (exact enumeration where it is small, otherwise Monte Carlo to a standard
// error of 0.1 point) for 2, 6 and 10 players on every street. The spots are
// the same in every run (a seeded draw per table size and street). Target:
// within about a second, so that working the value out while the user
// thinks hides it.
#include "drill/Spot.h"
#include "drill/TrueValue.h"
#include "drill/Why.h"

#include <benchmark/benchmark.h>

namespace quillory::drill {
namespace {

void RevealArgs(benchmark::internal::Benchmark* b) {
    for (const int players : {2, 6, 10}) {
        for (int street = 0; street < kStreets; ++street) {
            b->Args({players, street});
        }
    }
    b->ArgNames({"players", "street"})->Unit(benchmark::kMillisecond)->UseRealTime();
}

void BM_ComputeTrueValue(benchmark::State& state) {
    std::mt19937_64 generator(static_cast<std::uint64_t>(1000 * state.range(0) + state.range(1)));
    const Spot spot = DrawSpot(generator, SpotChoice{static_cast<Street>(state.range(1)),
                                                     static_cast<int>(state.range(0))});
    TrueValue value;
    for (auto _ : state) {
        value = ComputeTrueValue(spot);
        benchmark::DoNotOptimize(value);
    }
    state.counters["exact"] = value.method == Method::Exact ? 1 : 0;
    state.counters["samples"] = static_cast<double>(value.samples);
    state.counters["percent"] = value.percent;
}
BENCHMARK(BM_ComputeTrueValue)->Apply(RevealArgs);

// The reveal with its explanation: the true value and then drill::Explain on
// the same background thread, as the window works them out.
void BM_RevealWithExplanation(benchmark::State& state) {
    std::mt19937_64 generator(static_cast<std::uint64_t>(1000 * state.range(0) + state.range(1)));
    const Spot spot = DrawSpot(generator, SpotChoice{static_cast<Street>(state.range(1)),
                                                     static_cast<int>(state.range(0))});
    for (auto _ : state) {
        const TrueValue value = ComputeTrueValue(spot);
        const std::string why = Explain(spot);
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(why.data());
    }
}
BENCHMARK(BM_RevealWithExplanation)->Apply(RevealArgs);

// The call-or-fold reveal: the equity (ties split) and the explanation.
void BM_CallOrFoldReveal(benchmark::State& state) {
    std::mt19937_64 generator(static_cast<std::uint64_t>(1000 * state.range(0) + state.range(1)));
    Spot spot = DrawSpot(generator, SpotChoice{static_cast<Street>(state.range(1)),
                                               static_cast<int>(state.range(0))});
    spot.stake = DrawStake(generator);
    for (auto _ : state) {
        const TrueValue value = ComputeTrueValue(spot);
        const std::string why = Explain(spot);
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(why.data());
    }
}
BENCHMARK(BM_CallOrFoldReveal)->Apply(RevealArgs);

} // namespace
} // namespace quillory::drill
