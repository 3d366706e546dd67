#pragma once

#include "engine/Card.h"
#include "engine/Table.h"
#include "report/HandStatistics.h"

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>

namespace quillory {

// The hand-statistics simulation: random deals at a ten-seat table, each seen
// as a table of 2, 3, ..., 10 players (the first n seats of the ten dealt),
// every seat's hand counted by class, hole cards used, table size, outcome and
// leading rank (see HandStatistics).

inline constexpr std::int64_t kReportDeals = 100000;
inline constexpr int kReportSeats = 10;

// The cards of one deal, in the order they were dealt.
struct DealtCards {
    std::array<Card, 5> board{}; // 0-2 the flop, 3 the turn, 4 the river
    std::array<SeatCards, kReportSeats> seats{};
};

// Deals one hand: a fresh deck shuffled with `firstSeed` and then with
// `secondSeed`, three flop cards, the turn, the river, then two cards to each
// seat from 0 to 9. A seed of 0 means the tick count, as for Deck::Shuffle.
DealtCards DealReportHand(std::int32_t firstSeed, std::int32_t secondSeed);

// The seed of one shuffle of deal `deal` (0-based). Without a base it is
// GetTickCount() + deal, the tick count being read anew at every call. With a
// base it is base + deal (modulo 2^32), except that a sum of 0, which the deck
// would take as "use the tick count", becomes kZeroSeedStandIn so that seeded
// runs stay repeatable.
inline constexpr std::int32_t kZeroSeedStandIn = std::numeric_limits<std::int32_t>::min();
std::int32_t ShuffleSeed(const std::optional<std::uint32_t>& base, std::int64_t deal);

// Adds one deal to the counters: for each table size n from 2 to 10 and each
// seat s below n, the seat's best hand (class, leading rank, hole cards used)
// and whether it is among the winners of seats 0 to n-1. Each seat is
// evaluated once for all nine table sizes. The cards must be real and
// distinct, as dealt cards always are.
void CountDeal(const DealtCards& deal, HandStatistics& statistics);

// Told how many deals are counted so far out of the total; returns false to
// cancel the run.
using ProgressCallback = std::function<bool(std::int64_t done, std::int64_t total)>;

struct SimulationOptions {
    // Number of deals, 0 or more.
    std::int64_t deals{kReportDeals};
    // Base of the shuffle seeds (see ShuffleSeed); empty: the tick count.
    std::optional<std::uint32_t> seed{};
    // Worker threads, 1 or more (values below 1 count as 1). With a seed the
    // counters do not depend on this number: deal i is the same deal on
    // whichever thread counts it, and integer sums do not depend on order.
    int threads{1};
    // Optional. Called on the calling thread only: once with 0 before the
    // first deal, about every 30 ms while the deals run, and once with
    // done == total at the end. Any call returning false cancels the run.
    ProgressCallback progress{};
};

// Runs the simulation from zero counters. True when every deal was counted;
// false when the progress callback cancelled the run, and `statistics` is then
// all zero. An exception thrown by the callback stops the workers and passes
// through.
bool SimulateDeals(const SimulationOptions& options, HandStatistics& statistics);

} // namespace quillory
