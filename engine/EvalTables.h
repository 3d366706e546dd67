#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quillory {

// The lookup tables behind HandMasks::Evaluate (FastEval.h): constant arrays
// compiled into the program (engine/EvalTablesData.cpp, written by
// tools/evaltables from the table-free evaluation), so no evaluation pays for
// building them.
//
// A hand's cards are summarised by two sums that stay valid under addition:
// - a rank key, the sum of one weight per card chosen by its rank, such that
//   every multiset of five to seven ranks (at most four of each) has its own
//   sum; it indexes the ordinal of the hand's best five cards when no suit
//   holds five of them;
// - a 4-bit counter per suit, from which a flush is seen at once; the suit's
//   13-bit rank mask then indexes the flush table.
// The rank key is hashed by a multiplication modulo 2^25, which is one-to-one
// on the keys (the generator checks it), folded into the card weights. The hash's top 13 bits
// choose a row, its low 12 bits a column; each row's keys are moved by the row's offset onto free
// slots of one dense array (row displacement), so a lookup is one multiplication, one offset load
// and one table load.

using HandStrength = std::uint32_t;

// The rank-key hash: the plain key (a sum of kRankBaseWeights) times
// kRankMultiplier modulo 2^kRankHashBits, split into kRankRowBits of row and
// kRankColumnBits of column.
inline constexpr std::uint32_t kRankMultiplier = 0x9E3779B1U;
inline constexpr unsigned kRankHashBits = 25;
inline constexpr unsigned kRankColumnBits = 12;
inline constexpr unsigned kRankRowBits = kRankHashBits - kRankColumnBits;
inline constexpr std::size_t kRankRows = std::size_t{1} << kRankRowBits;

// Plain weight of each rank number (0 Ace ... 12 King): every multiset of
// five to seven ranks, at most four of each, has its own sum.
inline constexpr std::array<std::uint32_t, 13> kRankBaseWeights{
    1, 5, 24, 112, 521, 2247, 9244, 30823, 103066, 250154, 667453, 1526359, 8107796};

// Weight of each rank number in the rank key: the plain weight times the
// hash's multiplier, shifted so that the hash lands in the top 25 bits,
// modulo 2^32. A rank key is the sum of its cards' weights modulo 2^32; it is
// already hashed (multiplication distributes over the sum), so a lookup needs
// no multiplication. Sums stay one per multiset, since an odd multiplier is
// one-to-one modulo 2^32.
inline constexpr std::array<std::uint32_t, 13> kRankWeights = [] {
    std::array<std::uint32_t, 13> w{};
    for (std::size_t r = 0; r < w.size(); ++r) {
        w[r] = kRankBaseWeights[r] * (kRankMultiplier << (32 - kRankHashBits));
    }
    return w;
}();

// The position of a strength in the increasing list of every distinct
// strength (flushes included): comparing ordinals orders hands exactly as
// comparing their strengths does, one table load sooner.
using HandOrdinal = std::uint16_t;

// The number of distinct strengths of a best five-card hand.
inline constexpr std::size_t kDistinctStrengths = 7462;

// The generated arrays (their sizes are the generator's; see
// EvalTablesData.cpp). Per row, the row's offset less the row's first hash
// (row << kRankColumnBits), modulo 2^32: added to a hash it gives the slot.
extern const std::uint32_t kRankRowOffsets[kRankRows];
// Per slot, the ordinal of the non-flush hand whose key lands there.
extern const HandOrdinal kRankOrdinals[];
// Ordinal by flush suit rank mask (bit r - 1 for rank value r, 1 Two ... 13
// Ace), for masks of five to seven ranks.
extern const HandOrdinal kFlushOrdinals[8192];
// Every distinct strength, in increasing order; 8192 entries, the ones past
// kDistinctStrengths zero.
extern const HandStrength kOrdinalStrengths[8192];

// The slot of a rank key in kRankOrdinals: the key's top 25 bits are the
// hash, its top 13 the row; the offset table folds the column's mask away.
inline std::size_t RankSlotOf(std::uint32_t key) {
    return (key >> (32 - kRankHashBits)) + kRankRowOffsets[key >> (32 - kRankRowBits)];
}

// A view of the tables; the type older callers pass around. It holds no data.
struct EvalTables {
    // Every distinct strength, by ordinal.
    static constexpr const HandStrength* strengths = kOrdinalStrengths;
    // Ordinal by flush suit rank mask.
    static constexpr const HandOrdinal* flush = kFlushOrdinals;

    // The ordinal of a non-flush hand by its rank key.
    static HandOrdinal OrdinalOfRankKey(std::uint32_t key) {
        return kRankOrdinals[RankSlotOf(key)];
    }
    // The strength of a non-flush hand by its rank key.
    static HandStrength OfRankKey(std::uint32_t key) { return strengths[OrdinalOfRankKey(key)]; }
};

// The tables: always ready, nothing is built.
inline const EvalTables& GetEvalTables() {
    static constexpr EvalTables tables{};
    return tables;
}

} // namespace quillory
