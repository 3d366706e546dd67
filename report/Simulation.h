#pragma once

#include "engine/Card.h"
#include "engine/Table.h"
#include "platform/TickCount.h"
#include "report/HandStatistics.h"

#include <array>
#include <cstdint>
#include <functional>
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

// Deals one hand from one seed: a RandomStream seeded with `seed` draws 25
// cards without replacement by a partial Fisher-Yates pass over the 52 cards
// in fresh-deck order (each 64-bit number serving two steps, the low half
// first), giving three flop cards, the turn, the river, then two cards to each
// seat from 0 to 9.
DealtCards DealReportHand(std::uint32_t seed);

// The same deal as fresh-deck indices (4 * rank + suit) in dealing order:
// the board at 0-4, seat s's cards at 5 + 2s and 6 + 2s. The simulation deals
// and counts in this form, which spares converting every card twice.
inline constexpr int kDealtCards = 5 + 2 * kReportSeats;
using DealtIndices = std::array<std::uint8_t, kDealtCards>;
DealtIndices DealReportIndices(std::uint32_t seed);

// The seed of deal `deal` (0-based) of a run whose seed base is `base`:
// base + deal, modulo 2^32. A run with a seed uses it as the base; a run
// without one reads its tick source once, at its start.
constexpr std::uint32_t DealSeed(std::uint32_t base, std::int64_t deal) {
    return base + static_cast<std::uint32_t>(deal);
}

// Adds one deal to the counters: for each table size n from 2 to 10 and each
// seat s below n, the seat's best hand (class, leading rank, hole cards used)
// and whether it is among the winners of seats 0 to n-1. Each seat is
// evaluated once for all nine table sizes. The cards must be real and
// distinct, as dealt cards always are.
void CountDeal(const DealtCards& deal, HandStatistics& statistics);
void CountDeal(const DealtIndices& deal, HandStatistics& statistics);

// Told how many deals are counted so far out of the total; returns false to
// cancel the run.
using ProgressCallback = std::function<bool(std::int64_t done, std::int64_t total)>;

struct SimulationOptions {
    // Number of deals, 0 or more.
    std::int64_t deals{kReportDeals};
    // Base of the deal seeds (see DealSeed); empty: a read of `ticks` at the
    // start of the run.
    std::optional<std::uint32_t> seed{};
    // Where the base of a run without a seed comes from, read once: the
    // system's tick count unless the caller passes its own source.
    SeedSource ticks{SeedSource::Clock()};
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
