// The estimate allocates nothing per trial. This program replaces the global
// allocation functions with counting ones, so it is kept apart from the other
// tests.
#include "OddsTestSupport.h"
#include "odds/Labels.h"

#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <new>

namespace {
std::atomic<long> g_allocations{0};
} // namespace

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
// The standard library's temporary buffers (stable_sort) use the nothrow form.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace quillory {
namespace {

using test::Board;
using test::C;

using Estimate = std::int32_t (*)(const Card&, const Card&, std::int32_t, const BoardCards&,
                                  std::int32_t, std::int32_t, const SeedSource&);

long AllocationsDuring(Estimate estimate, const Card& first, const Card& second, std::int32_t k,
                       const BoardCards& board, std::int32_t n, const SeedSource& seeds) {
    // The evaluator builds its lookup tables once, at first use; that one
    // build is not a per-trial cost, so a one-trial run comes first.
    estimate(first, second, k, board, n, 1, seeds);
    const long before = g_allocations.load();
    const std::int32_t wins = estimate(first, second, k, board, n, TrialCount(n), seeds);
    const long after = g_allocations.load();
    EXPECT_GE(wins, 0);
    return after - before;
}

TEST(EstimatorAllocation, NoAllocationAtAllOnTheStrengthPath) {
    const SeedSource seeds = SeedSource::Fixed(77);
    const BoardCards board = Board("Qh Jh 2c Kd 7s");
    for (const std::int32_t n : {2, 4, 10}) {
        for (const std::int32_t k : {0, 3, 5}) {
            EXPECT_EQ(AllocationsDuring(EstimateWins, C("As"), C("Ks"), k, board, n, seeds), 0)
                << n << " players, " << k << " known";
        }
    }
}

TEST(EstimatorAllocation, TablePathAllocatesOnlyItsWinnerListOnce) {
    // Duplicate known cards take the table path; its thousands of trials share
    // one winner list, and the decks' reserved lists stay inline.
    const SeedSource seeds = SeedSource::Fixed(78);
    const BoardCards board = Board("As Jh 2c Kd 7s");
    for (const std::int32_t n : {2, 10}) {
        EXPECT_LE(AllocationsDuring(EstimateWins, C("As"), C("Ks"), 5, board, n, seeds), 1);
        EXPECT_LE(AllocationsDuring(EstimateWinsByTable, C("As"), C("Ks"), 0, board, n, seeds), 1);
    }
}

} // namespace
} // namespace quillory
