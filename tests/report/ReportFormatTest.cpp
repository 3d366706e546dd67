#include "report/ReportFormat.h"

#include "TempDir.h"
#include "report/Simulation.h"

#include <clocale>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace quillory {
namespace {

using test::SplitLines;

struct Cell {
    bool empty{true};
    std::string rate{};
    long long lost{0};
    long long occurred{0};
};

// Reads the nine cells of a row; fails the test when the row is malformed.
std::vector<Cell> ParseRow(const std::string& row) {
    std::vector<Cell> cells;
    EXPECT_FALSE(row.empty());
    EXPECT_EQ(row.back(), ',') << row;
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t comma; (comma = row.find(',', start)) != std::string::npos;
         start = comma + 1) {
        fields.push_back(row.substr(start, comma - start));
    }
    for (std::size_t i = 0; i < fields.size();) {
        Cell cell;
        if (fields[i] == "---.--") {
            ++i;
        } else if (i + 2 < fields.size()) {
            cell.empty = false;
            cell.rate = fields[i];
            cell.lost = std::stoll(fields[i + 1]);
            cell.occurred = std::stoll(fields[i + 2]);
            i += 3;
        } else {
            ADD_FAILURE() << "truncated cell in: " << row;
            break;
        }
        cells.push_back(cell);
    }
    EXPECT_EQ(cells.size(), 9U) << row;
    return cells;
}

// Line index (0-based) of the row for a section, group and row in the group.
std::size_t RowLine(int holeUsed, int group, int row) {
    return static_cast<std::size_t>(holeUsed * kReportSectionLines + 1 + group * 14 + 1 + row);
}

std::string Printf(long long lost, long long occurred) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%03.02f,%d,%d,",
                  100.0 * static_cast<double>(lost) / static_cast<double>(occurred),
                  static_cast<int>(lost), static_cast<int>(occurred));
    return buffer;
}

std::string CellText(long long lost, long long occurred) {
    std::string out;
    AppendReportCell(out, lost, occurred);
    return out;
}

TEST(ReportCell, Texts) {
    EXPECT_EQ(CellText(1, 3), "33.33,1,3,");
    EXPECT_EQ(CellText(0, 7), "0.00,0,7,");
    EXPECT_EQ(CellText(7, 7), "100.00,7,7,");
    EXPECT_EQ(CellText(2, 3), "66.67,2,3,");
    EXPECT_EQ(CellText(0, 0), "---.--,");
    EXPECT_EQ(CellText(123456, 1000000), "12.35,123456,1000000,");
}

TEST(ReportCell, MatchesPrintfFormatIncludingRounding) {
    // Every L/N pair up to N = 1000 (250 under the sanitizers): the same text as the C formats,
    // ties of binary-exact halves (1/800 = 0.125%) included.
#ifdef __SANITIZE_ADDRESS__
    constexpr long long kLargestN = 250;
#else
    constexpr long long kLargestN = 1000;
#endif
    ASSERT_EQ(CellText(1, 800), Printf(1, 800));
    for (long long n = 1; n <= kLargestN; ++n) {
        for (long long l = 0; l <= n; ++l) {
            ASSERT_EQ(CellText(l, n), Printf(l, n)) << l << "/" << n;
        }
    }
}

TEST(ReportCell, IgnoresTheLocalesDecimalComma) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous != nullptr ? previous : "C";
    bool switched = false;
    // POSIX names first, then the C runtime's names on Windows.
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de-DE",
                             "German_Germany.1252", "French_France.1252"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            switched = true;
            break;
        }
    }
    const std::string text = CellText(1, 3);
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!switched) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    EXPECT_EQ(text, "33.33,1,3,");
}

TEST(ReportText, EmptyCountersGiveTheFullLayout) {
    const auto lines = SplitLines(FormatReport(HandStatistics{}));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kReportLines));
    const std::string empty = "---.--,---.--,---.--,---.--,---.--,---.--,---.--,---.--,---.--,";
    for (int u = 0; u < 3; ++u) {
        const auto start = static_cast<std::size_t>(u * kReportSectionLines);
        EXPECT_EQ(lines[start], std::to_string(u) + " cards used from my dealt");
        for (int g = 0; g < 9; ++g) {
            EXPECT_EQ(lines[start + 1 + static_cast<std::size_t>(g) * 14],
                      kReportGroupLabels[static_cast<std::size_t>(g)]);
            for (int r = 0; r < 13; ++r) {
                EXPECT_EQ(lines[RowLine(u, g, r)], empty);
            }
        }
    }
    EXPECT_EQ(lines[1], "Straight Flush");
    EXPECT_EQ(lines[127 + 1 + 8 * 14], "Highcard");
}

TEST(ReportText, CountersLandInTheirSectionGroupRowAndColumn) {
    HandStatistics statistics;
    statistics.Count(StraightFlush, 1, 4, false, kKing); // group 0, row 1, third cell
    statistics.Count(HighCard, 2, 10, true, kAce);       // group 8, row 0, last cell
    statistics.Count(OnePair, 0, 2, false, kTwo);        // group 7, row 12, first cell
    statistics.Count(OnePair, 0, 2, true, kTwo);
    const auto lines = SplitLines(FormatReport(statistics));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kReportLines));
    const std::string e = "---.--,";
    EXPECT_EQ(lines[RowLine(1, 0, 1)], e + e + "100.00,1,1," + e + e + e + e + e + e);
    EXPECT_EQ(lines[RowLine(2, 8, 0)], e + e + e + e + e + e + e + e + "0.00,0,1,");
    EXPECT_EQ(lines[RowLine(0, 7, 12)], "50.00,1,2," + e + e + e + e + e + e + e + e);
    const std::string empty = e + e + e + e + e + e + e + e + e;
    int filled = 0;
    for (int u = 0; u < 3; ++u) {
        for (int g = 0; g < 9; ++g) {
            for (int r = 0; r < 13; ++r) {
                filled += lines[RowLine(u, g, r)] != empty ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(filled, 3);
}

// The report of a real run: layout, the rows no hand can reach, and the sums.
TEST(ReportText, SimulatedReportHoldsItsInvariants) {
#ifdef __SANITIZE_ADDRESS__
    constexpr std::int64_t kDeals = 1000;
#else
    constexpr std::int64_t kDeals = 8000;
#endif
    SimulationOptions options;
    options.deals = kDeals;
    options.seed = 2024;
    options.threads = 2;
    HandStatistics statistics;
    ASSERT_TRUE(SimulateDeals(options, statistics));
    const auto lines = SplitLines(FormatReport(statistics));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kReportLines));

    // Rows by group: no straight (flush) tops below Five, no flush or high card
    // tops below Seven, no two pair whose higher pair is Twos.
    auto impossible = [](int group, int rank) {
        switch (group) {
        case 0: // Straight Flush
        case 4: // Straight
            return rank >= kTwo && rank <= kFour;
        case 3: // Flush
        case 8: // Highcard
            return rank >= kTwo && rank <= kSix;
        case 6: // Two Pair
            return rank == kTwo;
        default:
            return false;
        }
    };
    std::array<long long, 9> columnSums{};
    int impossibleRows = 0;
    for (int u = 0; u < 3; ++u) {
        for (int g = 0; g < 9; ++g) {
            for (int r = 0; r < 13; ++r) {
                const auto cells = ParseRow(lines[RowLine(u, g, r)]);
                const bool never = impossible(g, LeadingRankOfRow(r));
                impossibleRows += never ? 1 : 0;
                for (std::size_t c = 0; c < cells.size() && c < 9; ++c) {
                    if (never) {
                        EXPECT_TRUE(cells[c].empty)
                            << "section " << u << " group " << g << " row " << r;
                    }
                    columnSums[c] += cells[c].occurred;
                    EXPECT_LE(cells[c].lost, cells[c].occurred);
                }
            }
        }
    }
    EXPECT_EQ(impossibleRows, 3 * 17);
    for (int n = kMinTableSize; n <= kMaxTableSize; ++n) {
        EXPECT_EQ(columnSums[static_cast<std::size_t>(n - kMinTableSize)], kDeals * n);
    }
}

} // namespace
} // namespace quillory
