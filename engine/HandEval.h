#pragma once

#include "engine/Card.h"

#include <array>
#include <cstdint>

namespace quillory {

// Reference hand evaluation: plain, table-free, exactly the rules of the game
// as this program defines them. Faster paths (FastEval.h) are checked against
// it and must agree with it on every hand.

using FiveCards = std::array<Card, 5>;
using SevenCards = std::array<Card, 7>;

// Hand classes; a higher number is a better class.
enum HandCategory : std::int32_t {
    HighCard = 0,
    OnePair = 1,
    TwoPair = 2,
    ThreeOfKind = 3,
    Straight = 4,
    Flush = 5,
    FullHouse = 6,
    FourOfKind = 7,
    StraightFlush = 8,
};

inline constexpr int kHandCategories = 9;

// A hand reduced to its class and up to five key ranks (rank numbers, 0 Ace to
// 12 King). A key the class does not use is 0. k1 is the leading rank: the
// pair, the higher pair, the three, the four, the top card of a straight (4 for
// Five-high, 0 for Ace-high) or the highest card of a flush or high card.
struct HandKey {
    std::int32_t category{0};
    std::int32_t k1{0};
    std::int32_t k2{0};
    std::int32_t k3{0};
    std::int32_t k4{0};
    std::int32_t k5{0};

    friend constexpr bool operator==(const HandKey&, const HandKey&) = default;
};

// Value of a rank number when hands are compared: the number itself, except
// the Ace (0), which is worth 13. No card (-1) is worth -1.
constexpr std::int32_t RankValue(std::int32_t rank) {
    return rank == kAce ? 13 : rank;
}

// Rank number of the first card minus that of the second (aces sort first).
int CompareCardsByRank(const Card& a, const Card& b);

// Value of the first rank minus value of the second (positive: first is higher).
int CompareRanks(std::int32_t a, std::int32_t b);

// Sorts five cards by rank number, lowest first (so aces come first). Stable:
// cards of equal rank keep their order.
void SortByRank(FiveCards& cards);

// The 21 ways of choosing five of the seven positions (0-4 board, 5 and 6 the
// seat's hole cards), numbered in lexicographic order of their position lists.
inline constexpr int kCombinations = 21;
extern const std::array<std::array<std::int8_t, 5>, kCombinations> kCombinationPositions;

// Writes combination `index` of the seven cards, in the order of its positions,
// and how many of positions 5 and 6 it uses. False for an index above 20
// (nothing written).
bool SelectCombination(const SevenCards& seven, int index, FiveCards& out, std::int32_t& holeUsed);

// Classifies five cards sorted by rank number (lowest number first).
HandKey Classify(const FiveCards& sorted);

// The detectors that Classify tries, best class first. Each fills `key` with
// its class's key values when the sorted hand matches.
bool IsStraightFlush(const FiveCards& sorted, HandKey& key);
bool IsFourOfKind(const FiveCards& sorted, HandKey& key);
bool IsFullHouse(const FiveCards& sorted, HandKey& key);
bool IsFlush(const FiveCards& sorted, HandKey& key);
bool IsStraight(const FiveCards& sorted, HandKey& key);
bool IsThreeOfKind(const FiveCards& sorted, HandKey& key);
bool IsTwoPair(const FiveCards& sorted, HandKey& key);
bool IsOnePair(const FiveCards& sorted, HandKey& key);
void HighCardKeys(const FiveCards& sorted, HandKey& key);

// Positive when the first key is better, negative when the second is, 0 when
// equal: class first, then k1 to k5 in order, by rank value (ace high).
int CompareKeys(const HandKey& a, const HandKey& b);

// CompareKeys of the two hands' classifications; both sorted by rank number.
// Suits never decide between hands of one class.
int CompareHands(const FiveCards& a, const FiveCards& b);

// The best five of seven cards (board 0-4, hole cards 5 and 6), sorted by rank
// number, and how many hole cards it uses. Of equally good combinations the
// earliest in combination order is kept.
void BestOfSeven(const SevenCards& seven, FiveCards& best, std::int32_t& holeUsed);

} // namespace quillory
