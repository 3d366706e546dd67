#pragma once

#include <cstdint>

namespace quillory {

// Rank numbers: 0 Ace, 1 Two, ..., 9 Ten, 10 Jack, 11 Queen, 12 King; -1 no card.
// The ace is numbered 0 so a sort by rank number puts aces first; where hands
// are compared the ace counts 13, above the king (see RankValue).
// Suit numbers: 0 Spade, 1 Heart, 2 Club, 3 Diamond; -1 no card.
enum Rank : std::int32_t {
    kNoRank = -1,
    kAce = 0,
    kTwo,
    kThree,
    kFour,
    kFive,
    kSix,
    kSeven,
    kEight,
    kNine,
    kTen,
    kJack,
    kQueen,
    kKing,
};

enum Suit : std::int32_t {
    kNoSuit = -1,
    kSpade = 0,
    kHeart,
    kClub,
    kDiamond,
};

inline constexpr int kRanks = 13;
inline constexpr int kSuits = 4;
inline constexpr int kDeckSize = 52;

// One playing card. A default-constructed Card is no card (rank and suit -1).
// Whether a slot holds a card is told by the suit alone: suit -1 means empty,
// whatever the rank. Two cards are equal when both fields are equal.
struct Card {
    std::int32_t rank{-1};
    std::int32_t suit{-1};

    friend constexpr bool operator==(const Card&, const Card&) = default;
};

inline constexpr Card kNoCard{};

// True when the slot holds a card (its suit is not negative).
constexpr bool HoldsCard(const Card& card) {
    return card.suit >= 0;
}

// True for a real card: rank 0 to 12 and suit 0 to 3.
constexpr bool IsRealCard(const Card& card) {
    return card.rank >= 0 && card.rank < kRanks && card.suit >= 0 && card.suit < kSuits;
}

// Index of a card in a fresh deck: 4 * rank + suit (0 the Ace of Spade, 51 the
// King of Diamond). Only meaningful for real cards.
constexpr int FreshDeckIndex(const Card& card) {
    return 4 * card.rank + card.suit;
}

// The card at a fresh-deck index 0 to 51.
constexpr Card CardAtFreshIndex(int index) {
    return Card{index / 4, index % 4};
}

} // namespace quillory
