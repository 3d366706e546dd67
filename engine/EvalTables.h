#pragma once

#include <array>
#include <cstdint>

namespace quillory {

// The lookup tables behind HandMasks::Evaluate (FastEval.h), built once on
// first use from the table-free evaluation.
//
// A hand's cards are summarised by two sums that stay valid under addition:
// - a rank key, the sum of one weight per card chosen by its rank, such that
//   every multiset of at most seven ranks (at most four of each) has its own
//   sum; it indexes the strength of the hand's best five cards when no suit
//   holds five of them;
// - a 4-bit counter per suit, from which a flush is seen at once; the suit's
//   13-bit rank mask then indexes the flush table.
// The rank key space (about 2^25 values) is folded into 2^17 two-byte slots by
// a perfect hash with displacements: keys are hashed into buckets, and each
// bucket gets a value that moves its keys onto free slots. A slot holds the
// ordinal of the hand: its place among the 7462 distinct strengths.

using HandStrength = std::uint32_t;

// Weight of each rank number (0 Ace ... 12 King) in the rank key.
inline constexpr std::array<std::uint32_t, 13> kRankWeights{
    1, 5, 24, 112, 521, 2247, 9244, 30823, 103066, 250154, 667453, 1526359, 8107796};

// The largest rank key of seven cards: four of the heaviest rank and three of
// the next.
inline constexpr std::uint32_t kMaxRankKey = 4 * kRankWeights[12] + 3 * kRankWeights[11];

// The hash of a rank key: the key times an odd multiplier (chosen by the build
// so that no two keys of one bucket share a slot) in 64 bits; the top
// kBucketBits choose the bucket, the next kSlotBits the slot before the
// bucket's displacement is applied.
inline constexpr unsigned kBucketBits = 13;
inline constexpr unsigned kSlotBits = 17;
inline constexpr std::size_t kRankSlots = std::size_t{1} << kSlotBits;

// The position of a strength in the increasing list of every distinct
// strength (flushes included): comparing ordinals orders hands exactly as
// comparing their strengths does, one table load sooner.
using HandOrdinal = std::uint16_t;

struct EvalTables {
    // Multiplier of the rank-key hash.
    std::uint64_t multiplier{0};
    // Per bucket, the value XORed into the slot of its keys.
    std::array<std::uint32_t, std::size_t{1} << kBucketBits> displacement{};
    // Per slot, the ordinal of the hand's strength.
    std::array<HandOrdinal, kRankSlots> ranks{};
    // Every distinct strength of a best five-card hand, in increasing order.
    std::array<HandStrength, 8192> strengths{};
    // Ordinal by flush suit rank mask (bit r - 1 for rank value r, 1 Two ... 13
    // Ace), for masks of five to seven ranks.
    std::array<HandOrdinal, 1U << 13> flush{};

    // The ordinal of a non-flush hand by its rank key.
    HandOrdinal OrdinalOfRankKey(std::uint32_t key) const {
        const std::uint64_t h = key * multiplier;
        const auto bucket = static_cast<std::size_t>(h >> (64 - kBucketBits));
        const auto slot =
            static_cast<std::size_t>(h >> (64 - kBucketBits - kSlotBits)) & (kRankSlots - 1);
        return ranks[slot ^ displacement[bucket]];
    }
    // The strength of a non-flush hand by its rank key.
    HandStrength OfRankKey(std::uint32_t key) const { return strengths[OrdinalOfRankKey(key)]; }
};

// Builds the tables; called once, by GetEvalTables.
const EvalTables& BuildEvalTables();

// The tables, built on the first call (thread-safe). Inline, so that a hot
// loop pays one predictable test rather than a call.
inline const EvalTables& GetEvalTables() {
    static const EvalTables& tables = BuildEvalTables();
    return tables;
}

} // namespace quillory
