#pragma once

#include "engine/Card.h"

#include <array>
#include <string>
#include <string_view>

namespace quillory {

// The one table of rank and suit names. Every text that names a card is built
// from it: the typed form of the command-line tools ("As", "Th"), the hands
// list's labels ("A(S)", "10(H)"), the card picker's lists ("A", "Spade") and
// the pictures' readable names ("ace of spades").

struct RankName {
    char letter{};            // typed form, one character: A 2-9 T J Q K
    std::string_view label{}; // short text: "A", "2" to "10", "J", "Q", "K"
    std::string_view word{};  // in a sentence: "ace", "2" to "10", "jack", ...
};

struct SuitName {
    char letter{};               // typed form, lower case: s h c d
    std::string_view label{};    // short text after the rank: "(S)", "(H)", ...
    std::string_view singular{}; // "Spade", "Heart", "Club", "Diamond"
    std::string_view plural{};   // "spades", "hearts", "clubs", "diamonds"
};

// Indexed by rank number (0 ace to 12 king).
inline constexpr std::array<RankName, kRanks> kRankNames{{
    {'A', "A", "ace"},
    {'2', "2", "2"},
    {'3', "3", "3"},
    {'4', "4", "4"},
    {'5', "5", "5"},
    {'6', "6", "6"},
    {'7', "7", "7"},
    {'8', "8", "8"},
    {'9', "9", "9"},
    {'T', "10", "10"},
    {'J', "J", "jack"},
    {'Q', "Q", "queen"},
    {'K', "K", "king"},
}};

// Indexed by suit number (0 spade to 3 diamond).
inline constexpr std::array<SuitName, kSuits> kSuitNames{{
    {'s', "(S)", "Spade", "spades"},
    {'h', "(H)", "Heart", "hearts"},
    {'c', "(C)", "Club", "clubs"},
    {'d', "(D)", "Diamond", "diamonds"},
}};

// True when the rank or suit number indexes the table.
constexpr bool IsRankNumber(std::int32_t rank) {
    return rank >= 0 && rank < kRanks;
}
constexpr bool IsSuitNumber(std::int32_t suit) {
    return suit >= 0 && suit < kSuits;
}

// Short text of a card: rank part ("A", "2".."10", "J", "Q", "K") then suit
// part ("(S)", "(H)", "(C)", "(D)", nothing for other suits). A rank number
// outside the table reads as rank + 1, so no card (-1) is "0".
inline std::string CardLabel(const Card& card) {
    std::string text = IsRankNumber(card.rank)
                           ? std::string(kRankNames[static_cast<std::size_t>(card.rank)].label)
                           : std::to_string(card.rank + 1);
    if (IsSuitNumber(card.suit)) {
        text += kSuitNames[static_cast<std::size_t>(card.suit)].label;
    }
    return text;
}

// Index of a card's picture in the card strip: suit * 13 + rank (0 the ace of
// spades, 12 its king, 13 the ace of hearts, 51 the king of diamonds).
constexpr std::int32_t CardImageIndex(const Card& card) {
    return card.suit * 13 + card.rank;
}

// A readable name of the picture at a strip index (CardImageIndex): "ace of
// spades", "10 of hearts". Empty outside 0 to 51.
inline std::string CardPictureWords(std::int32_t index) {
    if (index < 0 || index >= kSuits * kRanks) {
        return {};
    }
    std::string words(kRankNames[static_cast<std::size_t>(index % kRanks)].word);
    return words.append(" of ").append(kSuitNames[static_cast<std::size_t>(index / kRanks)].plural);
}

} // namespace quillory
