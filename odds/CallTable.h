#pragma once

// The "Should I Call?" calculation: the expected profit of adding an amount,
// and a table of expected profits for 21 amounts (0 % to 1000 % of it) against
// the number of players who put the same amount in after the user.

#include "odds/Profit.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillory {

struct CallTable {
    // Expected profit of adding the amount, with its percentage of what the
    // user would then have put in ("+$20 (50%)", "-" for 0).
    std::string prize;
    // One row per amount: its label ("$20.00") and the texts of result columns
    // 1, 2, ...: column s is the profit when s - 1 further players add as much.
    struct Row {
        std::string amount;
        std::vector<std::string> results;
    };
    std::vector<Row> rows;
    // The row of exactly the amount to add (10), or -1 when nothing is selected.
    int selectedRow{-1};
};

// Percentage of the amount that row i (0 to 20) stands for: 0, 10, ..., 100,
// 150, 200, 300, ..., 1000.
constexpr std::int32_t CallRowPercent(int row) {
    return row <= 10 ? 10 * row : (row == 11 ? 150 : 100 * row - 1000);
}

// Builds the table for a winning rate (whole percent), the pot, the
// investment so far, the amount considered and the number of result columns.
// An amount of 0 gives one row with one column (the profit of adding nothing)
// and no selection; callers of 0 or less give the 21 amount labels alone.
// Row amounts are truncated to whole units for the profit (X = amount * p /
// 100), and the others' amounts are E = amount * p * (s - 1) / 100, each
// truncated as a whole, not (s - 1) * X.
inline CallTable BuildCallTable(std::int32_t rate, std::int32_t pot, std::int32_t invest,
                                std::int32_t adding, std::int32_t callers) {
    CallTable table;
    table.prize = FormatProfit(CalcCallProfit(rate, pot, invest, adding),
                               static_cast<std::int64_t>(invest) + adding);
    for (int row = 0; row <= 20; ++row) {
        const std::int32_t p = CallRowPercent(row);
        CallTable::Row entry;
        entry.amount = FormatAmount(adding, p);
        if (callers > 0) {
            const std::int64_t x = static_cast<std::int64_t>(adding) * p / 100;
            for (std::int32_t s = 1;; ++s) {
                const std::int64_t e = static_cast<std::int64_t>(adding) * p * (s - 1) / 100;
                entry.results.push_back(FormatProfit(
                    CalcCallProfit(rate, static_cast<std::int64_t>(pot) + e, invest, x),
                    static_cast<std::int64_t>(invest) + x));
                if (adding == 0 || s >= callers) {
                    break;
                }
            }
        }
        table.rows.push_back(std::move(entry));
        if (adding == 0) {
            return table;
        }
    }
    if (adding > 0) {
        table.selectedRow = 10;
    }
    return table;
}

// The heading of result column `column` (1 or more): "No caller", "1 caller",
// "2 callers", ...; column 0 is "Amount".
std::string CallerHeading(std::int32_t column);

// Whether the winning rate is the user's estimate, or unknown because no
// estimate was made yet (the figures then use 0 %).
enum class WinRate { Known, Unknown };

// The status line under the table: the winning rate, then what to do while
// nothing was calculated (`prize` empty), or the expected profit of adding
// the amount ("Adding $20: expected profit +$20 (50%).", or that a prize of
// "-" neither wins nor loses on average).
std::string CallSummary(WinRate known, std::int32_t rate, std::int32_t adding,
                        std::optional<std::string_view> prize);

} // namespace quillory
