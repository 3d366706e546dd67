// Speed of the exact enumeration on one thread, for the cases quillory-odds
// --exact is meant to answer at once: pocket aces heads-up and against two
// opponents, preflop and with the flop Kd 7c 2h known. Goals on the reference
// machine: heads-up flop 2.5 ms, three players flop 20 ms, heads-up preflop
// 1 s, three players preflop 3 s.
#include "odds/ExactOdds.h"

#include <benchmark/benchmark.h>

namespace quillory {
namespace {

constexpr Card kAceSpade{kAce, kSpade};
constexpr Card kAceHeart{kAce, kHeart};
constexpr BoardCards kFlop{Card{kKing, kDiamond}, Card{kSeven, kClub}, Card{kTwo, kHeart}, Card{},
                           Card{}};

// Arguments: players, known board cards (0 or 3).
void BM_ExactAces(benchmark::State& state) {
    const auto players = static_cast<std::int32_t>(state.range(0));
    const auto known = static_cast<std::int32_t>(state.range(1));
    ExactOdds odds;
    EnumerateExactOdds(
        kAceSpade, kAceHeart, 5,
        BoardCards{kFlop[0], kFlop[1], kFlop[2], Card{kNine, kSpade}, Card{kFour, kClub}}, 2,
        odds); // builds the evaluator's tables outside the timing
    for (auto _ : state) {
        EnumerateExactOdds(kAceSpade, kAceHeart, known, kFlop, players, odds);
        benchmark::DoNotOptimize(odds.winsAlone);
    }
    state.counters["showdowns"] = static_cast<double>(odds.showdowns);
}
BENCHMARK(BM_ExactAces)
    ->ArgNames({"players", "known"})
    ->Args({2, 3})
    ->Args({3, 3})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactAces)
    ->ArgNames({"players", "known"})
    ->Args({2, 0})
    ->Args({3, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

} // namespace
} // namespace quillory
