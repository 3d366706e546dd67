#pragma once

#include "engine/Card.h"
#include "engine/HandEval.h"

#include <array>
#include <bit>
#include <cstdint>

namespace quillory {

// Fast hand evaluation on bit masks, with no tables and no sorting.
//
// Contract: the cards must be real (rank 0-12, suit 0-3) and pairwise distinct;
// callers check that once with AllRealAndDistinct and fall back to the
// reference evaluation (HandEval.h) otherwise. Under that contract the result
// equals the reference exactly: StrengthOf(best HandKey of the cards).

// A hand's key packed into 24 bits so that comparing two strengths as
// unsigned numbers orders them exactly as CompareKeys orders their keys:
// bits 20-23 the class, then four bits per key k1..k5 holding the key's rank
// value (Two 1 ... King 12, Ace 13). A higher strength is a better hand.
using HandStrength = std::uint32_t;

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

// The cards of a hand as bit masks: 16 bits per suit (suit s at bits 16s to
// 16s+15), bit v of a suit set for rank value v (1 Two ... 13 Ace), and a
// count of cards per suit in 8-bit fields. Add the board once, copy, then add
// each seat's cards. Two hands of distinct cards combine with operator+.
struct HandMasks {
    std::uint64_t bits{0};
    std::uint32_t suitCounts{0};

    void Add(const Card& card) {
        const int value = card.rank == kAce ? 13 : card.rank;
        bits |= 1ULL << (16 * card.suit + value);
        suitCounts += 1U << (8 * card.suit);
    }

    friend HandMasks operator+(const HandMasks& x, const HandMasks& y) {
        return HandMasks{x.bits | y.bits, x.suitCounts + y.suitCounts};
    }

    // Strength of the best five-card hand among the five to seven cards added.
    HandStrength Evaluate() const;
};

// Strength of the best five-card hand of the given real, distinct cards.
HandStrength EvaluateCards(const Card* cards, int count);

// True when every card is real and no two are equal.
bool AllRealAndDistinct(const Card* cards, int count);

// How many of positions 5 and 6 the earliest combination reaching `best` uses
// (`best` being the strength of the seven cards): the count the reference
// BestOfSeven reports.
std::int32_t HoleCardsUsed(const SevenCards& seven, HandStrength best);

} // namespace quillory
