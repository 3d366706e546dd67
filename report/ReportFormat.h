#pragma once

#include "report/HandStatistics.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillory {

// The hand-statistics report as text, lines ended by "\n" (writers that want
// the platform's line ends convert them).
//
// Three sections, for hole cards used 0, 1 and 2, of 127 lines each:
// - the header "<u> cards used from my dealt";
// - for each class from straight flush down to high card, its label
//   (kReportGroupLabels) and 13 rows for the leading ranks Ace, King, Queen,
//   ..., Two (a row carries no label; its place in the group gives its rank);
// - each row holds one cell per table size 2 to 10 and ends with a comma.
// A cell is "---.--," when no such hand occurred, otherwise the rate of hands
// not among the winners, 100 * L / N with two decimals, then L and N, each
// followed by a comma: "33.33,1,3,". Numbers never depend on the C locale.
inline constexpr int kReportLines = 381;
inline constexpr int kReportSectionLines = 127;

// Group labels, best class first.
inline constexpr std::array<std::string_view, 9> kReportGroupLabels{
    "Straight Flush", "Four of Kind", "Full House", "Flush",    "Straight",
    "Three of Kind",  "Two Pair",     "One Pair",   "Highcard",
};

// The whole report.
std::string FormatReport(const HandStatistics& statistics);

// Appends one cell from L (hands not among the winners) and N (all hands).
void AppendReportCell(std::string& out, std::int64_t lost, std::int64_t occurred);

// The leading rank of row r (0 to 12) of a group: Ace, then King down to Two.
constexpr int LeadingRankOfRow(int row) {
    return row == 0 ? 0 : 13 - row;
}

} // namespace quillory
