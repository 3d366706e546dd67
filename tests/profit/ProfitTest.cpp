#include "odds/Profit.h"

#include "odds/CallTable.h"
#include "odds/Labels.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace quillory {
namespace {

struct ProfitCase {
    std::int32_t rate, pot, invest, addUpTo, profit;
};

class CalcProfitCases : public ::testing::TestWithParam<ProfitCase> {};

TEST_P(CalcProfitCases, FiguresAreAsComputedInWholeUnits) {
    const ProfitCase& c = GetParam();
    std::int32_t addUpTo = 12345;
    std::int32_t profit = 12345;
    CalcProfit(c.rate, c.pot, c.invest, addUpTo, profit);
    EXPECT_EQ(profit, c.profit);
    EXPECT_EQ(addUpTo, c.addUpTo);
}

INSTANTIATE_TEST_SUITE_P(
    Worked, CalcProfitCases,
    ::testing::Values(ProfitCase{50, 100, 20, 60, 30},        //
                      ProfitCase{33, 100, 10, 34, 23},        // (90 * 33) / 67 - 10
                      ProfitCase{45, 35, 20, -8, -4},         // 15.75 - 20 truncates to -4
                      ProfitCase{20, 100, 50, -38, -30},      // divide before subtracting
                      ProfitCase{100, 200, 50, 1000000, 150}, // the fixed branch at 100
                      ProfitCase{0, 40, 10, -10, -10},        // no estimate yet
                      ProfitCase{99, 100, 10, 8900, 89},      // 99.99% counts as 99
                      ProfitCase{50, 10000000, 10000000, -10000000, -5000000},
                      ProfitCase{99, 10000000, 0, 990000000, 9900000},
                      // A pot left out of range by a failed read is still computed
                      // with, in wide arithmetic: no wrap-around.
                      ProfitCase{99, 20000000, 10, 1980000000 - 990 - 10, 19799990},
                      ProfitCase{99, 2147483647, 0, 2147483647, 2126008810}));

// The money figures use the whole percent of the rate as it is shown: the
// digits before the point of "49.36%". Checked for every estimate a table
// of 2 to 10 players can give, against the shown text read as atoi reads it.
// Some estimates show a whole percent one above the truncated exact rate
// (an exact rate of 49.996% shows "50.00%" and counts 50, not 49).
TEST(Profit, WholePercentIsTheWholePartOfTheShownRate) {
    int roundedUp = 0;
    for (std::int32_t players = 2; players <= 10; ++players) {
        const std::int32_t trials = TrialCount(players);
        for (std::int32_t wins = 0; wins <= trials; ++wins) {
            const std::string shown = FormatWinningRate(wins, trials);
            ASSERT_EQ(WholePercent(wins, trials), std::atoi(shown.c_str()))
                << wins << " of " << trials << " shows " << shown;
            roundedUp += WholePercent(wins, trials) != wins * 100 / trials ? 1 : 0;
        }
    }
    EXPECT_GT(roundedUp, 0);
    EXPECT_EQ(WholePercent(4936, 10000), 49);
    EXPECT_EQ(WholePercent(1666, 1666), 100);
    EXPECT_EQ(WholePercent(0, 1000), 0);
}

TEST(Profit, CallProfitAndItsText) {
    EXPECT_EQ(CalcCallProfit(50, 100, 20, 20), 20);
    EXPECT_EQ(FormatProfit(20, 40), "+$20 (50%)");
    EXPECT_EQ(CalcCallProfit(20, 100, 50, 10), -38);
    EXPECT_EQ(FormatProfit(-38, 60), "-$38 (-63%)");
    EXPECT_EQ(FormatProfit(-30, 60), "-$30 (-50%)");
    EXPECT_EQ(FormatProfit(0, 60), "-");
    EXPECT_EQ(FormatProfit(5, 0), "+$5 (0%)");
    EXPECT_EQ(FormatProfit(-2147483647 - 1, 1), "-$2147483648 (-214748364800%)");
    EXPECT_EQ(FormatAmount(15, 10), "$1.50");
    EXPECT_EQ(FormatAmount(20, 100), "$20.00");
    EXPECT_EQ(FormatAmount(0, 0), "$0.00");
}

TEST(CallTable, TwentyOneRowsWithTheRowOfTheAmountSelected) {
    const CallTable t = BuildCallTable(50, 100, 20, 20, 2);
    EXPECT_EQ(t.prize, "+$20 (50%)");
    ASSERT_EQ(t.rows.size(), 21U);
    EXPECT_EQ(t.selectedRow, 10);
    EXPECT_EQ(t.rows[10].amount, "$20.00");
    EXPECT_EQ(t.rows[10].results, (std::vector<std::string>{"+$20 (50%)", "+$30 (75%)"}));
    EXPECT_EQ(t.rows[0].amount, "$0.00");
    EXPECT_EQ(t.rows[0].results, (std::vector<std::string>{"+$30 (150%)", "+$30 (150%)"}));
    EXPECT_EQ(t.rows[11].amount, "$30.00");
    EXPECT_EQ(t.rows[20].amount, "$200.00");
}

TEST(CallTable, RowAmountsAreTruncatedForTheProfitOnly) {
    const CallTable t = BuildCallTable(50, 100, 20, 15, 1);
    EXPECT_EQ(t.rows[1].amount, "$1.50");
    // X = 1: 50 * 101 * 0.01 - 21 = 29.5, truncated to 29, on a base of 21.
    EXPECT_EQ(t.rows[1].results, (std::vector<std::string>{"+$29 (138%)"}));
}

TEST(CallTable, OthersAmountIsTruncatedAsAWhole) {
    // 15 at 10 %: X = 1, but three further callers add E = 15 * 10 * 3 / 100 = 4, not 3.
    const CallTable t = BuildCallTable(50, 100, 20, 15, 4);
    ASSERT_EQ(t.rows[1].results.size(), 4U);
    EXPECT_EQ(t.rows[1].results[3], FormatProfit(CalcCallProfit(50, 104, 20, 1), 21));
}

TEST(CallTable, NothingToAddGivesOneRowAndNoSelection) {
    const CallTable t = BuildCallTable(50, 100, 20, 0, 5);
    ASSERT_EQ(t.rows.size(), 1U);
    EXPECT_EQ(t.rows[0].results, (std::vector<std::string>{"+$30 (150%)"}));
    EXPECT_EQ(t.selectedRow, -1);
}

TEST(CallTable, NoCallersGivesLabelsOnly) {
    const CallTable t = BuildCallTable(50, 100, 20, 20, 0);
    ASSERT_EQ(t.rows.size(), 21U);
    EXPECT_TRUE(t.rows[5].results.empty());
    EXPECT_EQ(t.selectedRow, 10);
}

// The dialog's column headings and its status line, before and after a
// calculation, with and without a known rate.
TEST(CallTable, HeadingsAndTheSummaryLine) {
    EXPECT_EQ(CallerHeading(0), "Amount");
    EXPECT_EQ(CallerHeading(1), "No caller");
    EXPECT_EQ(CallerHeading(2), "1 caller");
    EXPECT_EQ(CallerHeading(4), "3 callers");
    EXPECT_EQ(CallSummary(WinRate::Known, 50, 20, std::nullopt),
              "Winning rate 50%. Enter the pot, your investment and an amount to add, then "
              "press Calculate.");
    EXPECT_EQ(CallSummary(WinRate::Known, 50, 20, "+$20 (50%)"),
              "Winning rate 50%. Adding $20: expected profit +$20 (50%).");
    EXPECT_EQ(CallSummary(WinRate::Known, 50, 0, "-"),
              "Winning rate 50%. Adding $0 neither wins nor loses on average.");
    EXPECT_EQ(CallSummary(WinRate::Unknown, 0, 20, "-$20 (-50%)"),
              "No winning rate is known yet (press Draw in the main window first); the figures "
              "use 0%. Adding $20: expected profit -$20 (-50%).");
}

TEST(CallTable, HugeAmountsDoNotWrapAround) {
    const CallTable t = BuildCallTable(50, 10000000, 0, 10000000, 9);
    // Row 20: X = 100,000,000 and eight callers add 800,000,000: the profit
    // is 50 % of 910,000,000 less 100,000,000.
    EXPECT_EQ(t.rows[20].results[8], "+$355000000 (355%)");
}

} // namespace
} // namespace quillory
