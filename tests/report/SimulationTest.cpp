#include "report/Simulation.h"

#include "engine/Deck.h"
#include "engine/Table.h"
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

HandStatistics Simulate(std::int64_t deals, std::optional<std::uint32_t> seed, int threads) {
    SimulationOptions options;
    options.deals = deals;
    options.seed = seed;
    options.threads = threads;
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
        const DealtCards deal = DealReportHand(seed, seed);
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

TEST(ReportSimulation, DealsBoardThenSeatsFromOneDoublyShuffledDeck) {
    const DealtCards deal = DealReportHand(41, 97);
    Deck deck;
    deck.Shuffle(41);
    deck.Shuffle(97);
    const auto& order = deck.Cards();
    std::uint64_t seen = 0;
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(deal.board[i], order[i]);
        seen |= 1ULL << FreshDeckIndex(deal.board[i]);
    }
    for (std::size_t s = 0; s < kReportSeats; ++s) {
        EXPECT_EQ(deal.seats[s].first, order[5 + 2 * s]);
        EXPECT_EQ(deal.seats[s].second, order[6 + 2 * s]);
        seen |= 1ULL << FreshDeckIndex(deal.seats[s].first);
        seen |= 1ULL << FreshDeckIndex(deal.seats[s].second);
    }
    EXPECT_EQ(std::popcount(seen), 25);
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

TEST(ReportSimulation, ShuffleSeedsAreBasePlusDealAndNeverZero) {
    EXPECT_EQ(ShuffleSeed(5U, 3), 8);
    EXPECT_EQ(ShuffleSeed(0xFFFFFFFFU, 2), 1);
    // 0 would make the deck read the clock; seeded runs must not.
    EXPECT_EQ(ShuffleSeed(0U, 0), kZeroSeedStandIn);
    EXPECT_EQ(ShuffleSeed(0xFFFFFFFFU, 1), kZeroSeedStandIn);
    EXPECT_EQ(Simulate(300, 0, 1), Simulate(300, 0, 2));
}

std::atomic<std::uint32_t> g_ticks{0};
std::uint32_t FixedTicks() {
    return 777;
}
std::uint32_t RunningTicks() {
    return g_ticks.fetch_add(1);
}

TEST(ReportSimulation, WithoutSeedTheTickCountSeedsEveryShuffle) {
    const std::int64_t deals = 200 * kScale;
    {
        // A clock that stands still gives the seeds 777 + i: the seeded run.
        const ScopedTickSource still(FixedTicks);
        EXPECT_EQ(ShuffleSeed(std::nullopt, 4), 781);
        EXPECT_EQ(Simulate(deals, std::nullopt, 2), Simulate(deals, 777, 1));
    }
    {
        // A clock read anew at each shuffle: the two shuffles of a deal, and
        // two runs, see different ticks.
        const ScopedTickSource running(RunningTicks);
        EXPECT_NE(ShuffleSeed(std::nullopt, 0), ShuffleSeed(std::nullopt, 0));
        const HandStatistics first = Simulate(deals, std::nullopt, 1);
        EXPECT_NE(Simulate(deals, std::nullopt, 1), first);
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
