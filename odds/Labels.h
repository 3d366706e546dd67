#pragma once

#include "engine/Card.h"

#include <cstdint>
#include <string>

namespace quillory {

// Trials per estimate for a table of n players: 10000 / n (integer division),
// so every estimate evaluates about 10000 seat hands. 0 for n <= 0.
std::int32_t TrialCount(std::int32_t players);

// The winning-rate text: wins * 100.0 / trials with two decimals and a percent
// sign ("49.36%"). Trials must be positive.
std::string FormatWinningRate(std::int32_t wins, std::int32_t trials);

// The reference text of the average winning rate for n players ("25-27 %" for
// 4); "-" outside 2 to 10.
std::string AverageWinningRate(std::int32_t players);

// Short text of a card: rank part ("A", "2".."10", "J", "Q", "K") then suit
// part ("(S)", "(H)", "(C)", "(D)", nothing for other suits). No card is "0".
std::string CardLabel(const Card& card);

// Index of a card's picture in the card strip: suit * 13 + rank (0 the ace of
// spades, 12 its king, 13 the ace of hearts, 51 the king of diamonds).
constexpr std::int32_t CardImageIndex(const Card& card) {
    return card.suit * 13 + card.rank;
}

} // namespace quillory
