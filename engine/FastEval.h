#pragma once

#include "engine/Card.h"
#include "engine/EvalTables.h"
#include "engine/HandEval.h"

#include <array>
#include <bit>
#include <cstdint>

namespace quillory {

// Fast hand evaluation: table lookups on sums of per-card masks.
//
// Contract: the cards must be real (rank 0-12, suit 0-3) and pairwise distinct;
// callers check that once with AllRealAndDistinct and fall back to the
// reference evaluation (HandEval.h) otherwise. Under that contract the result
// equals the reference exactly: StrengthOf(best HandKey of the cards).

// A hand's key packed into 24 bits so that comparing two strengths as
// unsigned numbers orders them exactly as CompareKeys orders their keys:
// bits 20-23 the class, then four bits per key k1..k5 holding the key's rank
// value (Two 1 ... King 12, Ace 13). A higher strength is a better hand.
// (HandStrength is declared in EvalTables.h.)

constexpr HandStrength StrengthOf(const HandKey& key) {
    return (static_cast<std::uint32_t>(key.category) << 20) |
           (static_cast<std::uint32_t>(RankValue(key.k1)) << 16) |
           (static_cast<std::uint32_t>(RankValue(key.k2)) << 12) |
           (static_cast<std::uint32_t>(RankValue(key.k3)) << 8) |
           (static_cast<std::uint32_t>(RankValue(key.k4)) << 4) |
           static_cast<std::uint32_t>(RankValue(key.k5));
}

// The class of a strength.
constexpr std::int32_t CategoryOf(HandStrength s) {
    return static_cast<std::int32_t>(s >> 20);
}

// The leading rank k1 of a strength, as a rank number (0 Ace ... 12 King).
constexpr std::int32_t LeadingRankOf(HandStrength s) {
    const auto v = static_cast<std::int32_t>((s >> 16) & 15U);
    return v == 13 ? 0 : v;
}

// The whole key back from a strength.
HandKey KeyOf(HandStrength s);

// The cards of a hand (five to seven of them) as two sums over the cards:
// - `bits`: 16 bits per suit (suit s at bits 16s to 16s+15), bit v of a suit
//   set for rank value v (1 Two ... 13 Ace);
// - `counts`: a 4-bit card count per suit in bits 0-15 and the rank key
//   (kRankWeights) in bits 32-63.
// Add the board once, copy, then add each seat's cards. Two hands of distinct
// cards combine with operator+.
struct HandMasks {
    std::uint64_t bits{0};
    std::uint64_t counts{0};

    // The masks of one card given by its fresh-deck index (4 * rank + suit).
    static constexpr HandMasks OfIndex(int index) {
        const int rank = index / 4;
        const int suit = index % 4;
        const int value = rank == kAce ? 13 : rank;
        return HandMasks{1ULL << (16 * suit + value),
                         (std::uint64_t{kRankWeights[static_cast<std::size_t>(rank)]} << 32) |
                             (1ULL << (4 * suit))};
    }

    void Add(const Card& card) { AddIndex(FreshDeckIndex(card)); }
    inline void AddIndex(int index);

    friend constexpr HandMasks operator+(const HandMasks& x, const HandMasks& y) {
        return HandMasks{x.bits | y.bits, x.counts + y.counts};
    }

    // Strength of the best five-card hand among the five to seven cards added,
    // by table lookup.
    HandStrength Evaluate() const { return Evaluate(GetEvalTables()); }
    // The same with the tables passed in, for loops that look them up once.
    HandStrength Evaluate(const EvalTables& tables) const {
        return tables.strengths[Ordinal(tables)];
    }
    // The hand's ordinal (EvalTables.h): orders as the strength does, and is
    // one load cheaper where only comparisons matter.
    HandOrdinal Ordinal(const EvalTables& tables) const {
        // A suit counter of 5 or more gets bit 3 set once 3 is added to it.
        const std::uint64_t flush = (counts + 0x3333U) & 0x8888U;
        if (flush != 0) [[unlikely]] {
            const auto suit = static_cast<unsigned>(std::countr_zero(flush)) / 4U;
            return tables.flush[(bits >> (16U * suit + 1U)) & 0x1FFFU];
        }
        return tables.OrdinalOfRankKey(static_cast<std::uint32_t>(counts >> 32));
    }

    // The same strength computed from the bit masks alone, without tables: the
    // evaluation the tables are built from.
    HandStrength EvaluateByBits() const;
};

// The masks of every card, by fresh-deck index.
inline constexpr std::array<HandMasks, kDeckSize> kCardMasks = [] {
    std::array<HandMasks, kDeckSize> masks{};
    for (int i = 0; i < kDeckSize; ++i) {
        masks[static_cast<std::size_t>(i)] = HandMasks::OfIndex(i);
    }
    return masks;
}();

// The `counts` half of every card's masks alone, packed densely for the
// counts-first evaluation below.
inline constexpr std::array<std::uint64_t, kDeckSize> kCardCounts = [] {
    std::array<std::uint64_t, kDeckSize> counts{};
    for (int i = 0; i < kDeckSize; ++i) {
        counts[static_cast<std::size_t>(i)] = HandMasks::OfIndex(i).counts;
    }
    return counts;
}();

inline void HandMasks::AddIndex(int index) {
    const HandMasks& card = kCardMasks[static_cast<std::size_t>(index)];
    bits |= card.bits;
    counts += card.counts;
}

// Seven distinct cards by fresh-deck index (0 to 51), evaluated counts first:
// the suit counters and the rank key are summed alone, and a suit's rank bits
// are gathered only when that suit holds five or more cards (about one hand
// in thirty). The same ordinal and strength as HandMasks gives for the cards.
inline HandOrdinal OrdinalOfIndices(const std::uint8_t* index, const EvalTables& tables) {
    // Written out as a tree of sums: the build's -O2 does not unroll loops,
    // and seven independent loads summed in pairs finish sooner than a chain.
    const std::uint64_t counts =
        ((kCardCounts[index[0]] + kCardCounts[index[1]]) +
         (kCardCounts[index[2]] + kCardCounts[index[3]])) +
        ((kCardCounts[index[4]] + kCardCounts[index[5]]) + kCardCounts[index[6]]);
    const std::uint64_t flush = (counts + 0x3333U) & 0x8888U;
    if (flush != 0) [[unlikely]] {
        const auto suit = static_cast<unsigned>(std::countr_zero(flush)) / 4U;
        std::uint64_t bits = 0;
        for (int c = 0; c < 7; ++c) {
            bits |= kCardMasks[index[c]].bits;
        }
        return tables.flush[(bits >> (16U * suit + 1U)) & 0x1FFFU];
    }
    return tables.OrdinalOfRankKey(static_cast<std::uint32_t>(counts >> 32));
}
inline HandStrength EvaluateIndices(const std::uint8_t* index, const EvalTables& tables) {
    return tables.strengths[OrdinalOfIndices(index, tables)];
}

// The ordinal of `hand` with two more cards (fresh-deck indices, distinct
// from each other and from the hand's cards), counts first: the rank bits
// are combined only when a suit holds five or more cards. The same ordinal
// as (hand + both cards' masks).Ordinal(tables).
inline HandOrdinal OrdinalWithTwo(const HandMasks& hand, int first, int second,
                                  const EvalTables& tables) {
    const std::uint64_t counts = hand.counts + (kCardCounts[static_cast<std::size_t>(first)] +
                                                kCardCounts[static_cast<std::size_t>(second)]);
    const std::uint64_t flush = (counts + 0x3333U) & 0x8888U;
    if (flush != 0) [[unlikely]] {
        const auto suit = static_cast<unsigned>(std::countr_zero(flush)) / 4U;
        const std::uint64_t bits = hand.bits | kCardMasks[static_cast<std::size_t>(first)].bits |
                                   kCardMasks[static_cast<std::size_t>(second)].bits;
        return tables.flush[(bits >> (16U * suit + 1U)) & 0x1FFFU];
    }
    return tables.OrdinalOfRankKey(static_cast<std::uint32_t>(counts >> 32));
}

// Strength of the best five-card hand of the given real, distinct cards.
HandStrength EvaluateCards(const Card* cards, int count);

// True when every card is real and no two are equal.
bool AllRealAndDistinct(const Card* cards, int count);

// How many of positions 5 and 6 the earliest combination reaching `best` uses
// (`best` being the strength of the seven cards): the count the reference
// BestOfSeven reports.
std::int32_t HoleCardsUsed(const SevenCards& seven, HandStrength best);

} // namespace quillory
