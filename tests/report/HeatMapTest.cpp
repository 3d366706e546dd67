#include "report/HeatMap.h"

#include "TempDir.h"
#include "report/ReportFormat.h"
#include "report/Simulation.h"

#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace quillory {
namespace {

using test::SplitLines;

// The cells of one report row, each as the report writes it ("33.33,1,3," or
// "---.--,").
std::vector<std::string> RowCells(const std::string& row) {
    static const std::regex kCell(R"(---\.--,|[0-9]+\.[0-9]{2},[0-9]+,[0-9]+,)");
    std::vector<std::string> cells;
    for (auto it = std::sregex_iterator(row.begin(), row.end(), kCell);
         it != std::sregex_iterator(); ++it) {
        cells.push_back(it->str());
    }
    return cells;
}

std::string CellText(const HeatCell& cell) {
    std::string text;
    AppendReportCell(text, cell.lost, cell.occurred);
    return text;
}

HandStatistics SeededRun() {
    SimulationOptions options;
    options.deals = 4000;
    options.seed = 20261207u;
    HandStatistics statistics;
    EXPECT_TRUE(SimulateDeals(options, statistics));
    return statistics;
}

// Every cell of the picture is the text report's cell for the same counts:
// section by section, table size by table size, and the "all" picture is the
// three sections added up.
TEST(HeatMap, CellsAreTheTextReportsCells) {
    const HandStatistics statistics = SeededRun();
    const std::vector<std::string> lines = SplitLines(FormatReport(statistics));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kReportLines));
    for (int n = kMinTableSize; n <= kMaxTableSize; ++n) {
        HeatMap all = BuildHeatMap(statistics, n, HoleCardsUsed::Any);
        for (int used = 0; used < kHoleCounts; ++used) {
            const HeatMap map = BuildHeatMap(statistics, n, static_cast<HoleCardsUsed>(used));
            for (int row = 0; row < kHeatRows; ++row) {
                for (int column = 0; column < kHeatColumns; ++column) {
                    const std::size_t line = static_cast<std::size_t>(used * kReportSectionLines +
                                                                      1 + row * 14 + 1 + column);
                    const std::vector<std::string> cells = RowCells(lines[line]);
                    ASSERT_EQ(cells.size(), 9u) << lines[line];
                    EXPECT_EQ(CellText(map.At(row, column)),
                              cells[static_cast<std::size_t>(n - kMinTableSize)])
                        << "section " << used << ", n " << n << ", row " << row;
                    HeatCell& sum =
                        all.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
                    sum.lost -= map.At(row, column).lost;
                    sum.occurred -= map.At(row, column).occurred;
                }
            }
        }
        for (const auto& row : all.cells) {
            for (const HeatCell& rest : row) {
                EXPECT_EQ(rest.lost, 0);
                EXPECT_EQ(rest.occurred, 0);
            }
        }
    }
}

// The picture shows every cell once with its tooltip, draws the empty ones as
// outlines, and labels rows, columns and the scale.
TEST(HeatMap, SvgShowsEveryCellAndTheScale) {
    const HeatMap map = BuildHeatMap(SeededRun(), 6, HoleCardsUsed::Any);
    const std::string svg = RenderHeatMapSvg(map);
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    int empty = 0;
    std::size_t tooltips = 0;
    for (int row = 0; row < kHeatRows; ++row) {
        for (int column = 0; column < kHeatColumns; ++column) {
            empty += map.At(row, column).IsEmpty() ? 1 : 0;
            const std::string tip = "<title>" + HeatCellDescription(map, row, column) + "</title>";
            tooltips += svg.find(tip) != std::string::npos ? 1 : 0;
        }
    }
    EXPECT_EQ(tooltips, static_cast<std::size_t>(kHeatRows * kHeatColumns));
    EXPECT_GT(empty, 0); // a straight flush headed by a two, for one, cannot occur
    std::size_t dashed = 0;
    for (std::size_t at = svg.find("stroke-dasharray"); at != std::string::npos;
         at = svg.find("stroke-dasharray", at + 1)) {
        ++dashed;
    }
    EXPECT_EQ(dashed, static_cast<std::size_t>(empty));
    for (const char* label :
         {"Straight Flush", "Highcard", ">A<", ">2<", ">100%<", "6 players, All hole cards"}) {
        EXPECT_NE(svg.find(label), std::string::npos) << label;
    }
    EXPECT_EQ(HeatMapTitle(map), "Hands that did not win, 6 players, All hole cards");
    EXPECT_EQ(HeatCellDescription(map, 0, 12), "Straight Flush, 2 high: no hands");
    EXPECT_EQ(HeatColour(0), 0x440154u);
    EXPECT_EQ(HeatColour(100), 0xFDE725u);
}

} // namespace
} // namespace quillory
