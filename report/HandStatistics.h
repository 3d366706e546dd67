#pragma once

#include <array>
#include <cassert>
#include <cstdint>

namespace quillory {

// The hand-statistics counters: how often a seat's best hand of a given class
// and leading rank, using a given number of its hole cards, occurred at a
// given table size, split by whether the seat was among the winners (a seat
// that shares the win counts as a winner).
//
// Index ranges:
// - category: the HandCategory, 0 (high card) to 8 (straight flush);
// - holeUsed: 0 to 2, hole cards the best five-card hand contains;
// - tableSize: kMinTableSize (2) to kMaxTableSize (10) players;
// - leadingRank: k1 as a rank number, 0 (Ace) to 12 (King).
// Arguments outside these ranges are undefined behaviour (checked in debug
// builds only: Count sits in the simulation's innermost loop).
//
// Counters are 64-bit so that long command-line runs cannot overflow them;
// a standard 100,000-deal report stays far below 2^31 in every counter.
inline constexpr int kMinTableSize = 2;
inline constexpr int kMaxTableSize = 10;
inline constexpr int kTableSizes = kMaxTableSize - kMinTableSize + 1;
inline constexpr int kHoleCounts = 3;

class HandStatistics {
public:
    // 9 classes x 3 hole-card counts x 9 table sizes x 2 outcomes x 13 ranks.
    static constexpr int kCounters = 9 * kHoleCounts * kTableSizes * 2 * 13;

    // Adds one seat's hand at one table size.
    void Count(int category, int holeUsed, int tableSize, bool won, int leadingRank) {
        ++m_counters[Index(category, holeUsed, tableSize, won, leadingRank)];
    }

    // Adds one seat's hand at every table size from `fromSize` to
    // kMaxTableSize; bit n of `wonAt` is set when the seat was among the
    // winners at table size n. The same as Count for each size, in one pass.
    void CountSeat(int category, int holeUsed, int leadingRank, int fromSize, std::uint32_t wonAt) {
        const std::size_t base = Index(category, holeUsed, kMinTableSize, false, leadingRank);
        for (int n = fromSize; n <= kMaxTableSize; ++n) {
            const std::size_t won = (wonAt >> n) & 1U;
            ++m_counters[base + static_cast<std::size_t>(n - kMinTableSize) * 26 + won * 13];
        }
    }

    // Hands of this kind that were not among the winners.
    std::int64_t Lost(int category, int holeUsed, int tableSize, int leadingRank) const {
        return m_counters[Index(category, holeUsed, tableSize, false, leadingRank)];
    }
    // Hands of this kind that were among the winners.
    std::int64_t Won(int category, int holeUsed, int tableSize, int leadingRank) const {
        return m_counters[Index(category, holeUsed, tableSize, true, leadingRank)];
    }
    // All hands of this kind: Lost + Won.
    std::int64_t Occurred(int category, int holeUsed, int tableSize, int leadingRank) const {
        return Lost(category, holeUsed, tableSize, leadingRank) +
               Won(category, holeUsed, tableSize, leadingRank);
    }

    // Sum of every counter of one table size: deals x tableSize after a run.
    std::int64_t SeatsCounted(int tableSize) const;

    void Clear() { m_counters.fill(0); }

    // Adds another run's counters (used to merge per-thread results).
    HandStatistics& operator+=(const HandStatistics& other);

    friend bool operator==(const HandStatistics&, const HandStatistics&) = default;

    // The counters in their natural order (class, hole cards, table size,
    // outcome lost then won, leading rank), for tests and diagnostics.
    const std::array<std::int64_t, kCounters>& Counters() const { return m_counters; }

private:
    static std::size_t Index(int category, int holeUsed, int tableSize, bool won, int leadingRank);

    std::array<std::int64_t, kCounters> m_counters{};
};

inline std::size_t HandStatistics::Index(int category, int holeUsed, int tableSize, bool won,
                                         int leadingRank) {
    assert(category >= 0 && category < 9 && holeUsed >= 0 && holeUsed < kHoleCounts);
    assert(tableSize >= kMinTableSize && tableSize <= kMaxTableSize);
    assert(leadingRank >= 0 && leadingRank < 13);
    const int index =
        (((category * kHoleCounts + holeUsed) * kTableSizes + (tableSize - kMinTableSize)) * 2 +
         (won ? 1 : 0)) *
            13 +
        leadingRank;
    return static_cast<std::size_t>(index);
}

} // namespace quillory
