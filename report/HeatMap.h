#pragma once

#include "report/HandStatistics.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillory {

// The hand statistics of one table size as a picture: a grid of 9 rows, the
// hand classes from straight flush (row 0) down to high card (row 8), by 13
// columns, the leading ranks Ace (column 0), King, Queen, ..., Two (column 12)
// — the order of the text report's groups and rows. Each cell holds the hands
// of its class and leading rank that did not win (L) and all of them (N), the
// same two numbers as the report's cell; a cell with N = 0 is empty.
//
// The hole-cards section picks the report's section with 0, 1 or 2 of the
// seat's own cards in its best hand, or all three added up.
enum class HoleCardsUsed { None = 0, One = 1, Two = 2, Any = 3 };

inline constexpr int kHeatRows = 9;
inline constexpr int kHeatColumns = 13;

struct HeatCell {
    std::int64_t lost{};     // L: hands of this kind that did not win
    std::int64_t occurred{}; // N: all hands of this kind

    bool IsEmpty() const { return occurred == 0; }
    // 100 * L / N, the report's rate; 0 for an empty cell.
    double LostPercent() const;
};

struct HeatMap {
    int tableSize{kMinTableSize};
    HoleCardsUsed holeCards{HoleCardsUsed::Any};
    std::array<std::array<HeatCell, kHeatColumns>, kHeatRows> cells{};

    const HeatCell& At(int row, int column) const {
        return cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
};

// The cells of one table size (2 to 10) and section.
HeatMap BuildHeatMap(const HandStatistics& statistics, int tableSize, HoleCardsUsed holeCards);

// The hand class of a row ("Straight Flush" ... "Highcard", as the report
// labels its groups) and the rank of a column ("A", "K", ..., "2").
std::string_view HeatRowLabel(int row);
std::string_view HeatColumnLabel(int column);
// "Full House, Ace high: 3 of 40 did not win (7.50%)", or "... no hands".
std::string HeatCellDescription(const HeatMap& map, int row, int column);
// "Hands that did not win, 6 players, Both hole cards": the picture's title.
std::string HeatMapTitle(const HeatMap& map);

// The colour of a share of hands that did not win, 0 to 100 percent, on a
// sequential scale that stays readable for colour-blind readers and in print:
// dark blue (few lost) through green to yellow (most lost). As 0xRRGGBB.
std::uint32_t HeatColour(double lostPercent);

// Colours of the parts of the picture that are not cells.
struct HeatMapStyle {
    std::uint32_t background{0xFFFFFF};
    std::uint32_t text{0x202020};
    std::uint32_t grid{0xB0B0B0};
};

// The picture as a standalone SVG document: title, row and column labels,
// the cells (each with a tooltip from HeatCellDescription), empty cells as
// dashed outlines, and the colour scale with its legend.
std::string RenderHeatMapSvg(const HeatMap& map, const HeatMapStyle& style = {});

// "All hole cards", "No hole card", "One hole card", "Both hole cards".
std::string_view HoleCardsUsedLabel(HoleCardsUsed holeCards);

} // namespace quillory
