#pragma once

#include "engine/Card.h"
#include "engine/HandEval.h"
#include "engine/Table.h"

#include <cctype>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quillory::test {

// Parses cards written as rank and suit letters, e.g. "As Th 2c Kd" ("T" is
// the ten). Throws on anything else, which fails the test that wrote it.
inline std::vector<Card> ParseCards(std::string_view text) {
    static constexpr std::string_view kRanks = "A23456789TJQK";
    static constexpr std::string_view kSuits = "shcd";
    std::vector<Card> cards;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        const auto r = kRanks.find(static_cast<char>(std::toupper(text[i])));
        const auto s = i + 1 < text.size() ? kSuits.find(text[i + 1]) : std::string_view::npos;
        if (r == std::string_view::npos || s == std::string_view::npos) {
            throw std::invalid_argument("bad card text: " + std::string(text));
        }
        cards.push_back(Card{static_cast<std::int32_t>(r), static_cast<std::int32_t>(s)});
        i += 2;
    }
    return cards;
}

inline Card C(std::string_view text) {
    return ParseCards(text).at(0);
}

inline FiveCards Five(std::string_view text) {
    const auto cards = ParseCards(text);
    FiveCards five{cards.at(0), cards.at(1), cards.at(2), cards.at(3), cards.at(4)};
    SortByRank(five);
    return five;
}

inline SevenCards Seven(std::string_view text) {
    const auto c = ParseCards(text);
    return SevenCards{c.at(0), c.at(1), c.at(2), c.at(3), c.at(4), c.at(5), c.at(6)};
}

// Winners among seats 0 to n-1 by the reference evaluation alone (BestHand
// and CompareHands, seat by seat), the yardstick for the fast showdown.
inline WinnerList ReferenceWinners(const Table& table, std::uint32_t n) {
    WinnerList winners{0};
    FiveCards best{};
    std::int32_t hole = 0;
    table.BestHand(0, best, hole);
    for (std::uint32_t s = 1; s < n; ++s) {
        FiveCards hand{};
        hand.fill(kNoCard);
        table.BestHand(s, hand, hole);
        const int order = CompareHands(best, hand);
        if (order == 0) {
            winners.push_back(static_cast<std::int32_t>(s));
        } else if (order < 0) {
            best = hand;
            winners.assign(1, static_cast<std::int32_t>(s));
        }
    }
    return winners;
}

} // namespace quillory::test
