// Speed of the exact enumeration on one thread, for the cases quillory-odds
// --exact is meant to answer at once: pocket aces heads-up and against two
// opponents, preflop and with the flop Kd 7c 2h known. Goals on the reference
// machine: heads-up flop 2.5 ms, three players flop 20 ms, heads-up preflop
// (a sum of 1,225 table lookups) 5 ms, three players preflop 3 s. Also one
// matchup from the heads-up preflop table.
#include "odds/ExactOdds.h"
#include "odds/HeadsUpPreflop.h"

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
        odds); // brings the evaluator's tables into the cache outside the timing
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

// One heads-up preflop matchup from the table, cycling over opponents.
void BM_HeadsUpPreflopLookup(benchmark::State& state) {
    const int aces = HeadsUpCombo(0, 1);
    int opponent = HeadsUpCombo(4, 8);
    HeadsUpCounts counts;
    for (auto _ : state) {
        HeadsUpPreflop(aces, opponent, counts);
        benchmark::DoNotOptimize(counts.wins);
        opponent = opponent == kHeadsUpCombos - 1 ? HeadsUpCombo(4, 8) : opponent + 1;
    }
}
BENCHMARK(BM_HeadsUpPreflopLookup);

} // namespace
} // namespace quillory
