#include "odds/Labels.h"

#include "engine/CardNames.h"

#include <array>
#include <cstdio>

namespace quillory {

std::int32_t TrialCount(std::int32_t players) {
    return players > 0 ? 10000 / players : 0;
}

std::string FormatWinningRate(std::int32_t wins, std::int32_t trials) {
    char text[32];
    std::snprintf(text, sizeof text, "%.02f%%", static_cast<double>(wins) * 100.0 / trials);
    return text;
}

std::string AverageWinningRate(std::int32_t players) {
    static const std::array<const char*, 9> kRates{
        "51-52 %", "34-36 %", "25-27 %", "20-22 %", "17-18 %",
        "15-16 %", "12-14 %", "11-13 %", "10-12 %",
    };
    if (players < 2 || players > 10) {
        return "-";
    }
    return kRates[static_cast<std::size_t>(players - 2)];
}

std::string CardLabel(const Card& card) {
    // A number outside the table reads as rank + 1, so no card (-1) is "0".
    std::string text = IsRankNumber(card.rank)
                           ? std::string(kRankNames[static_cast<std::size_t>(card.rank)].label)
                           : std::to_string(card.rank + 1);
    if (IsSuitNumber(card.suit)) {
        text += kSuitNames[static_cast<std::size_t>(card.suit)].label;
    }
    return text;
}

} // namespace quillory
