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

} // namespace quillory
