// Speed of one win-rate estimate as the window runs it: TrialCount(n) trials
// seeded from the real tick counter, for 2, 4 and 10 players with 0, 3 and 5
// known board cards. Goals on one thread, preflop: 0.15 ms at 2 players,
// 0.11 ms at 4, 0.06 ms at 10; with the flop or river known no slower.
// BM_EstimatePerTrial gives the time of one trial, ace of spades and king of
// diamonds preflop, the row compared with OMPEval's plain Monte Carlo loop.
#include "odds/Estimator.h"
#include "odds/Labels.h"

#include <benchmark/benchmark.h>

namespace quillory {
namespace {

// Ace-king of spades against a board of queen and jack of spades, two of
// hearts, nine of clubs, four of diamonds: no card is shared with the hand.
constexpr Card kFirst{kAce, kSpade};
constexpr Card kSecond{kKing, kSpade};
constexpr BoardCards kBoard{Card{kQueen, kSpade}, Card{kJack, kSpade}, Card{kTwo, kHeart},
                            Card{kNine, kClub}, Card{kFour, kDiamond}};

void EstimateArgs(benchmark::internal::Benchmark* b) {
    for (const int players : {2, 4, 10}) {
        for (const int known : {0, 3, 5}) {
            b->Args({players, known});
        }
    }
    b->ArgNames({"players", "known"})->Unit(benchmark::kMicrosecond);
}

void BM_EstimateWins(benchmark::State& state) {
    const auto players = static_cast<std::int32_t>(state.range(0));
    const auto known = static_cast<std::int32_t>(state.range(1));
    const std::int32_t trials = TrialCount(players);
    for (auto _ : state) {
        benchmark::DoNotOptimize(EstimateWins(kFirst, kSecond, known, kBoard, players, trials));
    }
    state.counters["trials/s"] = benchmark::Counter(static_cast<double>(trials),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_EstimateWins)->Apply(EstimateArgs);

// The same estimate with a fixed seed base (quillory-odds --seed): no clock
// read per trial.
void BM_EstimateWinsFixedSeed(benchmark::State& state) {
    const auto players = static_cast<std::int32_t>(state.range(0));
    const auto known = static_cast<std::int32_t>(state.range(1));
    const std::int32_t trials = TrialCount(players);
    std::uint32_t base = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            EstimateWins(kFirst, kSecond, known, kBoard, players, trials, SeedSource::Fixed(base)));
        base += static_cast<std::uint32_t>(trials);
    }
}
BENCHMARK(BM_EstimateWinsFixedSeed)->Apply(EstimateArgs);

// The same estimate through a Table and its Showdown in every trial, for
// comparison: what the shortcut in EstimateWins saves.
void BM_EstimateWinsByTable(benchmark::State& state) {
    const auto players = static_cast<std::int32_t>(state.range(0));
    const auto known = static_cast<std::int32_t>(state.range(1));
    const std::int32_t trials = TrialCount(players);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            EstimateWinsByTable(kFirst, kSecond, known, kBoard, players, trials));
    }
}
BENCHMARK(BM_EstimateWinsByTable)->Apply(EstimateArgs);

// One trial of a long fixed-seed estimate, As Kd preflop, for 2, 4 and 10
// players: the counter ns/trial is the figure the speed goal is stated in
// (at most 0.9 times OMPEval's loop of a partial Fisher-Yates pass, its
// evaluator and a stop at the first opponent that beats seat 0).
void BM_EstimatePerTrial(benchmark::State& state) {
    const auto players = static_cast<std::int32_t>(state.range(0));
    constexpr std::int32_t kTrials = 100'000;
    std::uint32_t base = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EstimateWins(Card{kAce, kSpade}, Card{kKing, kDiamond}, 0,
                                              BoardCards{}, players, kTrials,
                                              SeedSource::Fixed(base)));
        base += static_cast<std::uint32_t>(kTrials);
    }
    // Trials per nanosecond, inverted: nanoseconds of processor time per
    // trial (the library prints an inverted rate with an "s" after it).
    state.counters["ns/trial"] = benchmark::Counter(static_cast<double>(kTrials) * 1e-9,
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}
BENCHMARK(BM_EstimatePerTrial)
    ->Arg(2)
    ->Arg(4)
    ->Arg(10)
    ->ArgName("players")
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quillory
