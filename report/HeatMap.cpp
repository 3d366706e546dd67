#include "report/HeatMap.h"

#include "engine/CardNames.h"
#include "platform/NumberText.h"
#include "report/ReportFormat.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace quillory {
namespace {

// The rank number (engine/CardNames.h) of a column: Ace, then King down to Two.
std::size_t RankOfColumn(int column) {
    const int clamped = std::clamp(column, 0, kHeatColumns - 1);
    return static_cast<std::size_t>(clamped == 0 ? kAce : kRanks - clamped);
}

// Viridis at five stops: perceptually even, and still ordered in grey.
constexpr std::array<std::uint32_t, 5> kScale{0x440154, 0x3B528B, 0x21918C, 0x5EC962, 0xFDE725};

std::string Colour(std::uint32_t rgb) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text = "#";
    for (int shift = 20; shift >= 0; shift -= 4) {
        text += kDigits[(rgb >> shift) & 0xF];
    }
    return text;
}

// Dark text on the light end of the scale, light text on the dark end.
std::uint32_t TextOn(std::uint32_t rgb) {
    const double luminance =
        0.2126 * ((rgb >> 16) & 0xFF) + 0.7152 * ((rgb >> 8) & 0xFF) + 0.0722 * (rgb & 0xFF);
    return luminance > 140.0 ? 0x000000 : 0xFFFFFF;
}

void Text(std::string& svg, int x, int y, std::string_view anchor, std::uint32_t colour,
          std::string_view content, int size = 12) {
    svg += "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" text-anchor=\"" +
           std::string(anchor) + "\" font-size=\"" + std::to_string(size) + "\" fill=\"" +
           Colour(colour) + "\">" + std::string(content) + "</text>\n";
}

} // namespace

double HeatCell::LostPercent() const {
    return occurred == 0 ? 0.0 : 100.0 * static_cast<double>(lost) / static_cast<double>(occurred);
}

HeatMap BuildHeatMap(const HandStatistics& statistics, int tableSize, HoleCardsUsed holeCards) {
    HeatMap map;
    map.tableSize = std::clamp(tableSize, kMinTableSize, kMaxTableSize);
    map.holeCards = holeCards;
    for (int row = 0; row < kHeatRows; ++row) {
        const int category = 8 - row;
        for (int column = 0; column < kHeatColumns; ++column) {
            const int rank = LeadingRankOfRow(column);
            HeatCell& cell =
                map.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            for (int used = 0; used < kHoleCounts; ++used) {
                if (holeCards != HoleCardsUsed::Any && used != static_cast<int>(holeCards)) {
                    continue;
                }
                cell.lost += statistics.Lost(category, used, map.tableSize, rank);
                cell.occurred += statistics.Occurred(category, used, map.tableSize, rank);
            }
        }
    }
    return map;
}

std::string_view HeatRowLabel(int row) {
    return kReportGroupLabels[static_cast<std::size_t>(std::clamp(row, 0, kHeatRows - 1))];
}

std::string_view HeatColumnLabel(int column) {
    return kRankNames[RankOfColumn(column)].label;
}

std::string HeatCellDescription(const HeatMap& map, int row, int column) {
    const HeatCell& cell = map.At(row, column);
    // The rank as a word, capitalised after the comma: "Ace", "King", "10".
    std::string rank(kRankNames[RankOfColumn(column)].word);
    rank[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(rank[0])));
    std::string text = std::string(HeatRowLabel(row)) + ", " + rank + " high: ";
    if (cell.IsEmpty()) {
        return text + "no hands";
    }
    return text + std::to_string(cell.lost) + " of " + std::to_string(cell.occurred) +
           " did not win (" + FixedText(cell.LostPercent(), 2) + "%)";
}

std::string HeatMapTitle(const HeatMap& map) {
    return "Hands that did not win, " + std::to_string(map.tableSize) + " players, " +
           std::string(HoleCardsUsedLabel(map.holeCards));
}

std::uint32_t HeatColour(double lostPercent) {
    const double position = std::clamp(lostPercent, 0.0, 100.0) / 100.0 * (kScale.size() - 1);
    const auto low = static_cast<std::size_t>(std::floor(position));
    const std::size_t high = std::min(low + 1, kScale.size() - 1);
    const double t = position - static_cast<double>(low);
    std::uint32_t rgb = 0;
    for (int shift = 16; shift >= 0; shift -= 8) {
        const double a = (kScale[low] >> shift) & 0xFF;
        const double b = (kScale[high] >> shift) & 0xFF;
        rgb |= static_cast<std::uint32_t>(std::lround(a + (b - a) * t)) << shift;
    }
    return rgb;
}

std::string_view HoleCardsUsedLabel(HoleCardsUsed holeCards) {
    switch (holeCards) {
    case HoleCardsUsed::None:
        return "No hole card";
    case HoleCardsUsed::One:
        return "One hole card";
    case HoleCardsUsed::Two:
        return "Both hole cards";
    case HoleCardsUsed::Any:
        break;
    }
    return "All hole cards";
}

std::string RenderHeatMapSvg(const HeatMap& map, const HeatMapStyle& style) {
    constexpr int kCellWidth = 44;
    constexpr int kCellHeight = 30;
    constexpr int kLeft = 120;
    constexpr int kTop = 64;
    constexpr int kLegendWidth = 13 * kCellWidth;
    const int width = kLeft + kHeatColumns * kCellWidth + 20;
    const int gridBottom = kTop + kHeatRows * kCellHeight;
    const int height = gridBottom + 74;

    std::string svg;
    svg.reserve(48 * 1024);
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) +
           "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(width) +
           " " + std::to_string(height) + "\" font-family=\"DejaVu Sans, Verdana, sans-serif\">\n";
    const std::string title = HeatMapTitle(map);
    svg += "<title>" + title + "</title>\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"" + Colour(style.background) + "\"/>\n";
    Text(svg, kLeft, 24, "start", style.text, title, 15);
    for (int column = 0; column < kHeatColumns; ++column) {
        Text(svg, kLeft + column * kCellWidth + kCellWidth / 2, kTop - 10, "middle", style.text,
             HeatColumnLabel(column));
    }
    for (int row = 0; row < kHeatRows; ++row) {
        const int y = kTop + row * kCellHeight;
        Text(svg, kLeft - 8, y + kCellHeight / 2 + 4, "end", style.text, HeatRowLabel(row));
        for (int column = 0; column < kHeatColumns; ++column) {
            const HeatCell& cell = map.At(row, column);
            const int x = kLeft + column * kCellWidth;
            const std::string box = "x=\"" + std::to_string(x + 1) + "\" y=\"" +
                                    std::to_string(y + 1) + "\" width=\"" +
                                    std::to_string(kCellWidth - 2) + "\" height=\"" +
                                    std::to_string(kCellHeight - 2) + "\"";
            svg += "<g><title>" + HeatCellDescription(map, row, column) + "</title>";
            if (cell.IsEmpty()) {
                svg += "<rect " + box + " fill=\"none\" stroke=\"" + Colour(style.grid) +
                       "\" stroke-dasharray=\"3 3\"/></g>\n";
                continue;
            }
            const std::uint32_t fill = HeatColour(cell.LostPercent());
            svg += "<rect " + box + " fill=\"" + Colour(fill) + "\"/>";
            svg += "</g>\n";
            Text(svg, x + kCellWidth / 2, y + kCellHeight / 2 + 4, "middle", TextOn(fill),
                 FixedText(cell.LostPercent(), 0), 11);
        }
    }

    // The scale: a gradient bar with its ends and middle labelled.
    const int legendY = gridBottom + 24;
    svg += "<defs><linearGradient id=\"scale\">";
    for (std::size_t stop = 0; stop < kScale.size(); ++stop) {
        svg += "<stop offset=\"" + std::to_string(stop * 25) + "%\" stop-color=\"" +
               Colour(kScale[stop]) + "\"/>";
    }
    svg += "</linearGradient></defs>\n";
    svg += "<rect x=\"" + std::to_string(kLeft) + "\" y=\"" + std::to_string(legendY) +
           "\" width=\"" + std::to_string(kLegendWidth) +
           "\" height=\"14\" fill=\"url(#scale)\"/>\n";
    for (int percent = 0; percent <= 100; percent += 25) {
        Text(svg, kLeft + kLegendWidth * percent / 100, legendY + 30, "middle", style.text,
             std::to_string(percent) + "%", 11);
    }
    Text(svg, kLeft - 8, legendY + 12, "end", style.text, "did not win", 11);
    svg += "</svg>\n";
    return svg;
}

} // namespace quillory
