// The exact enumeration: hand-counted cases, its size formula, and agreement
// with a plain loop over every opponent holding decided by Table::Showdown.
#include "odds/ExactOdds.h"

#include "OddsTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace quillory {
namespace {

using test::Board;
using test::C;

TEST(ExactOdds, HandCountedRiverHeadsUp) {
    // 5c 6d on 2c 3d 4h Ks Kh holds a six-high straight. Of the 990 holdings
    // of the 45 cards left, 28 beat it (a king with a 2, 3 or 4: 2 x 9 full
    // houses; Kc Kd: four kings; 22, 33 or 44: 9 full houses) and 9 tie it (a
    // five and a six: 3 x 3 six-high straights).
    ExactOdds odds;
    ASSERT_TRUE(EnumerateExactOdds(C("5c"), C("6d"), 5, Board("2c 3d 4h Ks Kh"), 2, odds));
    EXPECT_EQ(odds.showdowns, 990U);
    EXPECT_EQ(odds.ties, 9U);
    EXPECT_EQ(odds.winsAlone, 990U - 28U - 9U);
    EXPECT_DOUBLE_EQ(odds.Probability(), 962.0 / 990.0);
}

TEST(ExactOdds, BoardThatEverySeatPlaysIsAllTies) {
    ExactOdds odds;
    ASSERT_TRUE(EnumerateExactOdds(C("2c"), C("3d"), 5, Board("As Ks Qs Js Ts"), 3, odds));
    EXPECT_EQ(odds.showdowns, 990U * 903U);
    EXPECT_EQ(odds.ties, odds.showdowns);
    EXPECT_EQ(odds.winsAlone, 0U);
}

TEST(ExactOdds, ShowdownCountIsBoardCompletionsTimesOrderedHoldings) {
    EXPECT_DOUBLE_EQ(ExactShowdownCount(0, 2), 2118760.0 * 990.0);
    EXPECT_DOUBLE_EQ(ExactShowdownCount(3, 2), 1081.0 * 990.0);
    EXPECT_DOUBLE_EQ(ExactShowdownCount(4, 3), 46.0 * 990.0 * 903.0);
    EXPECT_DOUBLE_EQ(ExactShowdownCount(5, 4), 990.0 * 903.0 * 820.0);
    EXPECT_DOUBLE_EQ(ExactShowdownCount(5, 1), 1.0);
    EXPECT_GT(ExactShowdownCount(0, 10), 1e31); // far beyond any 64-bit count
    ExactOdds odds;
    ASSERT_TRUE(EnumerateExactOdds(C("As"), C("Kd"), 4, Board("Qh Jh 2c 7s"), 2, odds));
    EXPECT_EQ(static_cast<double>(odds.showdowns), ExactShowdownCount(4, 2));
}

TEST(ExactOdds, RefusesCardsThatAreNotRealAndDistinct) {
    ExactOdds odds;
    odds.showdowns = 7;
    const BoardCards board = Board("Qh Jh 2c 7s 8d");
    EXPECT_FALSE(EnumerateExactOdds(C("As"), C("As"), 5, board, 2, odds));
    EXPECT_FALSE(EnumerateExactOdds(C("Qh"), C("As"), 5, board, 2, odds));
    EXPECT_FALSE(EnumerateExactOdds(C("Ad"), C("As"), 5, Board("Qh Qh 2c 7s 8d"), 2, odds));
    EXPECT_FALSE(EnumerateExactOdds(C("Ad"), kNoCard, 5, board, 2, odds));
    EXPECT_FALSE(EnumerateExactOdds(C("Ad"), C("As"), 6, board, 2, odds));
    EXPECT_FALSE(EnumerateExactOdds(C("Ad"), C("As"), 5, board, 11, odds));
    EXPECT_FALSE(EnumerateExactOdds(C("Ad"), C("As"), 5, board, 0, odds));
    EXPECT_EQ(odds.showdowns, 7U); // untouched
}

// Every ordered choice of holdings for the opponents, decided by a Table and
// its Showdown: the plain loop the enumeration must agree with.
void CountByTables(const Card& first, const Card& second, const BoardCards& board, std::int32_t n,
                   ExactOdds& out) {
    std::vector<Card> rest;
    for (int i = 0; i < kDeckSize; ++i) {
        const Card c = CardAtFreshIndex(i);
        if (c != first && c != second && std::find(board.begin(), board.end(), c) == board.end()) {
            rest.push_back(c);
        }
    }
    Table table(static_cast<std::uint32_t>(n));
    table.SetSeat(0, first, second);
    table.SetFlop(board[0], board[1], board[2]);
    table.SetTurn(board[3]);
    table.SetRiver(board[4]);
    WinnerList winners;
    std::vector<bool> used(rest.size(), false);
    auto seat = [&](auto&& self, std::int32_t s) -> void {
        if (s == n) {
            table.Showdown(winners);
            ++out.showdowns;
            if (winners.front() == 0) {
                ++(winners.size() == 1 ? out.winsAlone : out.ties);
            }
            return;
        }
        for (std::size_t i = 0; i < rest.size(); ++i) {
            for (std::size_t j = i + 1; j < rest.size() && !used[i]; ++j) {
                if (!used[j]) {
                    used[i] = used[j] = true;
                    table.SetSeat(static_cast<std::uint32_t>(s), rest[i], rest[j]);
                    self(self, s + 1);
                    used[i] = used[j] = false;
                }
            }
        }
    };
    seat(seat, 1);
}

TEST(ExactOdds, AgreesWithAPlainLoopOverTables) {
    struct Case {
        const char* hole;
        const char* board;
        std::int32_t players;
    };
    const Case cases[] = {
        {"Ah Qh", "Kh 7h 2c 2d 9s", 2},
        {"9c 9d", "9h 5s 5c Jd 2h", 2},
        {"Tc 8c", "Jc 9c 2d 3h Qs", 2},
#ifndef __SANITIZE_ADDRESS__
        {"As Kd", "Qs Js 2d 3c 7h", 3},
#endif
    };
    for (const Case& c : cases) {
        const auto hole = test::ParseCards(c.hole);
        ExactOdds fast;
        ASSERT_TRUE(EnumerateExactOdds(hole[0], hole[1], 5, Board(c.board), c.players, fast));
        ExactOdds plain;
        CountByTables(hole[0], hole[1], Board(c.board), c.players, plain);
        EXPECT_EQ(fast.showdowns, plain.showdowns) << c.hole << " on " << c.board;
        EXPECT_EQ(fast.winsAlone, plain.winsAlone) << c.hole << " on " << c.board;
        EXPECT_EQ(fast.ties, plain.ties) << c.hole << " on " << c.board;
    }
}

} // namespace
} // namespace quillory
