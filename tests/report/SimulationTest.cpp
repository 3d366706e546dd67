#include "report/Simulation.h"

#include "engine/Table.h"
#include "platform/Random.h"
#include "platform/TickCount.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

namespace quillory {
namespace {

#ifdef __SANITIZE_ADDRESS__
constexpr std::int64_t kScale = 1;
#else
constexpr std::int64_t kScale = 6;
#endif

// The counting done the plain way: a ten-seat table and one ShowdownDetail per
// table size, each seat looked up in the winner list.
void CountDealByShowdown(const DealtCards& deal, HandStatistics& statistics) {
    Table table(kReportSeats);
    table.SetFlop(deal.board[0], deal.board[1], deal.board[2]);
    table.SetTurn(deal.board[3]);
    table.SetRiver(deal.board[4]);
    for (std::uint32_t s = 0; s < kReportSeats; ++s) {
        table.SetSeat(s, deal.seats[s].first, deal.seats[s].second);
    }
    WinnerList winners;
    std::vector<std::int32_t> categories;
    std::vector<std::int32_t> ranks;
    std::vector<std::int32_t> holeUsed;
    for (int n = kMinTableSize; n <= kMaxTableSize; ++n) {
        table.ShowdownDetail(n, winners, categories, ranks, holeUsed);
        for (std::size_t s = 0; s < static_cast<std::size_t>(n); ++s) {
            const bool won = std::find(winners.begin(), winners.end(),
                                       static_cast<std::int32_t>(s)) != winners.end();
            statistics.Count(categories[s], holeUsed[s], n, won, ranks[s]);
        }
    }
}

HandStatistics Simulate(std::int64_t deals, std::optional<std::uint32_t> seed, int threads,
                        SeedSource ticks = SeedSource::Clock()) {
    SimulationOptions options;
    options.deals = deals;
    options.seed = seed;
    options.threads = threads;
    options.ticks = ticks;
    HandStatistics statistics;
    EXPECT_TRUE(SimulateDeals(options, statistics));
    return statistics;
}

TEST(ReportSimulation, CountingMatchesShowdownDetailDealForDeal) {
    // Both ways over the same deals, compared after every deal so a mismatch
    // names its seed; plus the totals, which cover ties and every hole count.
    HandStatistics fast;
    HandStatistics plain;
    const std::int32_t deals = static_cast<std::int32_t>(500 * kScale);
    for (std::int32_t seed = 1; seed <= deals; ++seed) {
        const DealtCards deal = DealReportHand(static_cast<std::uint32_t>(seed));
        HandStatistics oneFast;
        HandStatistics onePlain;
        CountDeal(deal, oneFast);
        CountDealByShowdown(deal, onePlain);
        ASSERT_EQ(oneFast, onePlain) << "seed " << seed;
        fast += oneFast;
        plain += onePlain;
    }
    EXPECT_EQ(fast, plain);
    for (int u = 0; u < kHoleCounts; ++u) {
        std::int64_t seats = 0;
        for (int c = 0; c < 9; ++c) {
            for (int r = 0; r < 13; ++r) {
                seats += fast.Occurred(c, u, kMaxTableSize, r);
            }
        }
        EXPECT_GT(seats, 0) << "no seat used " << u << " hole cards";
    }
}

TEST(ReportSimulation, DealsBoardThenSeatsByAPartialFisherYatesPass) {
    // The same draws written out: step j swaps position j with j + a number
    // below 52 - j, from the low half of a 64-bit number on even steps and
    // the high half on odd ones.
    for (const std::uint32_t seed : {0U, 41U, 0xFFFFFFFFU}) {
        const DealtCards deal = DealReportHand(seed);
        RandomStream random(seed);
        std::vector<int> cards(kDeckSize);
        for (int i = 0; i < kDeckSize; ++i) {
            cards[static_cast<std::size_t>(i)] = i;
        }
        std::uint64_t bits = 0;
        for (std::uint32_t j = 0; j < 25; ++j) {
            if (j % 2 == 0) {
                bits = random.Next64();
            }
            const auto half = static_cast<std::uint32_t>(j % 2 == 0 ? bits : bits >> 32);
            std::swap(cards[j], cards[j + ScaleToBound(half, kDeckSize - j)]);
        }
        std::uint64_t seen = 0;
        for (std::size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(deal.board[i], CardAtFreshIndex(cards[i]));
            seen |= 1ULL << FreshDeckIndex(deal.board[i]);
        }
        for (std::size_t s = 0; s < kReportSeats; ++s) {
            EXPECT_EQ(deal.seats[s].first, CardAtFreshIndex(cards[5 + 2 * s]));
            EXPECT_EQ(deal.seats[s].second, CardAtFreshIndex(cards[6 + 2 * s]));
            seen |= 1ULL << FreshDeckIndex(deal.seats[s].first);
            seen |= 1ULL << FreshDeckIndex(deal.seats[s].second);
        }
        EXPECT_EQ(std::popcount(seen), 25);
    }
}

TEST(ReportSimulation, EveryCardIsEquallyLikelyInTheFirstAndLastPlace) {
    // 52,000 consecutive seeds: each card about 1000 times as the first flop
    // card and as seat 9's second card; five standard deviations (about 157)
    // either way would be a broken draw.
    std::array<int, kDeckSize> first{};
    std::array<int, kDeckSize> last{};
    for (std::uint32_t seed = 0; seed < 52000; ++seed) {
        const DealtCards deal = DealReportHand(DealSeed(123456789U, seed));
        ++first[static_cast<std::size_t>(FreshDeckIndex(deal.board[0]))];
        ++last[static_cast<std::size_t>(FreshDeckIndex(deal.seats[9].second))];
    }
    for (std::size_t c = 0; c < first.size(); ++c) {
        EXPECT_NEAR(first[c], 1000, 157) << "card " << c;
        EXPECT_NEAR(last[c], 1000, 157) << "card " << c;
    }
}

TEST(ReportSimulation, SeededRunsRepeatWhateverTheThreadCount) {
    const std::int64_t deals = 500 * kScale + 3; // not a multiple of the chunk size
    const HandStatistics one = Simulate(deals, 77, 1);
    EXPECT_EQ(Simulate(deals, 77, 2), one);
    EXPECT_EQ(Simulate(deals, 77, 3), one);
    EXPECT_EQ(Simulate(deals, 77, 64), one);
    EXPECT_NE(Simulate(deals, 78, 2), one);
    EXPECT_EQ(Simulate(0, 77, 4), HandStatistics{});
}

TEST(ReportSimulation, DealSeedsAreBasePlusDeal) {
    EXPECT_EQ(DealSeed(5U, 3), 8U);
    EXPECT_EQ(DealSeed(0xFFFFFFFFU, 2), 1U);
    EXPECT_EQ(Simulate(300, 0, 1), Simulate(300, 0, 2));
}

std::atomic<std::uint32_t> g_ticks{0};
std::uint32_t RunningTicks() {
    return g_ticks.fetch_add(1);
}

TEST(ReportSimulation, WithoutSeedTheTickCountIsTheBase) {
    const std::int64_t deals = 200 * kScale;
    // The source is read once for the base: a clock that stands still gives
    // the seeds 777 + i, the seeded run.
    EXPECT_EQ(Simulate(deals, std::nullopt, 2, SeedSource::Fixed(777)), Simulate(deals, 777, 1));
    // A seed wins over the source.
    EXPECT_EQ(Simulate(deals, 777, 1, SeedSource::Fixed(5)), Simulate(deals, 777, 1));
    {
        // A clock that moves: a run reads it once, at its start, and two runs
        // see different bases.
        const SeedSource running = SeedSource::Ticks(RunningTicks);
        g_ticks.store(900);
        const HandStatistics first = Simulate(deals, std::nullopt, 1, running);
        EXPECT_EQ(first, Simulate(deals, 900, 1));
        EXPECT_NE(Simulate(deals, std::nullopt, 1, running), first);
    }
    // The real clock: runs a few milliseconds apart differ.
    const HandStatistics first = Simulate(deals, std::nullopt, 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_NE(Simulate(deals, std::nullopt, 2), first);
}

TEST(ReportSimulation, ProgressRunsOnTheCallingThreadFromZeroToTotal) {
    for (const int threads : {1, 2}) {
        SimulationOptions options;
        options.deals = 400 * kScale;
        options.seed = 3;
        options.threads = threads;
        std::vector<std::int64_t> seen;
        const auto caller = std::this_thread::get_id();
        options.progress = [&](std::int64_t done, std::int64_t total) {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            EXPECT_EQ(total, options.deals);
            seen.push_back(done);
            return true;
        };
        HandStatistics statistics;
        ASSERT_TRUE(SimulateDeals(options, statistics));
        ASSERT_GE(seen.size(), 2U);
        EXPECT_EQ(seen.front(), 0);
        EXPECT_EQ(seen.back(), options.deals);
        EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
        EXPECT_EQ(statistics.SeatsCounted(2), options.deals * 2);
    }
}

TEST(ReportSimulation, CancelOrFailureInProgressStopsTheRun) {
    for (const int threads : {1, 2}) {
        SimulationOptions options;
        options.deals = 400 * kScale;
        options.seed = 3;
        options.threads = threads;
        int calls = 0;
        options.progress = [&calls](std::int64_t, std::int64_t) { return ++calls < 2; };
        HandStatistics statistics;
        statistics.Count(0, 0, 2, false, 5);
        EXPECT_FALSE(SimulateDeals(options, statistics));
        EXPECT_EQ(calls, 2);
        EXPECT_EQ(statistics, HandStatistics{});

        calls = 0;
        options.progress = [&calls](std::int64_t, std::int64_t) {
            if (++calls == 2) {
                throw std::runtime_error("stop");
            }
            return true;
        };
        EXPECT_THROW(SimulateDeals(options, statistics), std::runtime_error);
    }
}

} // namespace
} // namespace quillory
