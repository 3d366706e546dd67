// The exact enumeration: hand-counted cases, its size formula, published
// values, agreement with a plain loop over every opponent holding decided by
// Table::Showdown, and with a brute-force count over every board (no suit
// symmetry, no rank shortcut, no formula) where flushes, ties and symmetric
// starting hands all occur.
#include "odds/ExactOdds.h"

#include "OddsTestSupport.h"
#include "engine/FastEval.h"

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

// Every completion of the board, every holding evaluated on its own, and the
// ordered choices of card-disjoint holdings counted by nested loops over the
// holdings that do not beat seat 0 (n from 2 to 4).
ExactOdds BruteForce(const Card& first, const Card& second, std::int32_t k, const BoardCards& board,
                     std::int32_t n) {
    std::vector<int> rest;
    for (int i = 0; i < kDeckSize; ++i) {
        const Card c = CardAtFreshIndex(i);
        if (c != first && c != second &&
            std::find(board.begin(), board.begin() + k, c) == board.begin() + k) {
            rest.push_back(i);
        }
    }
    struct Holding {
        std::uint64_t mask;
        HandStrength strength;
    };
    ExactOdds out;
    std::vector<int> pick(static_cast<std::size_t>(5 - k));
    auto boards = [&](auto&& self, std::size_t depth, std::size_t from) -> void {
        if (depth < pick.size()) {
            for (std::size_t i = from; i < rest.size(); ++i) {
                pick[depth] = rest[i];
                self(self, depth + 1, i + 1);
            }
            return;
        }
        std::vector<Card> full(board.begin(), board.begin() + k);
        for (const int c : pick) {
            full.push_back(CardAtFreshIndex(c));
        }
        std::uint64_t used = 0;
        for (const Card& c : full) {
            used |= 1ULL << FreshDeckIndex(c);
        }
        std::vector<Card> seven(full);
        seven.push_back(first);
        seven.push_back(second);
        const HandStrength own = EvaluateCards(seven.data(), 7);
        std::vector<Holding> notBeating;
        std::uint64_t holdings = 0;
        for (std::size_t i = 0; i < rest.size(); ++i) {
            for (std::size_t j = i + 1; j < rest.size(); ++j) {
                const std::uint64_t mask = (1ULL << rest[i]) | (1ULL << rest[j]);
                if ((mask & used) != 0) {
                    continue;
                }
                ++holdings;
                seven[5] = CardAtFreshIndex(rest[i]);
                seven[6] = CardAtFreshIndex(rest[j]);
                const HandStrength theirs = EvaluateCards(seven.data(), 7);
                if (theirs <= own) {
                    notBeating.push_back(Holding{mask, theirs});
                }
            }
        }
        auto seats = [&](auto&& next, std::int32_t s, std::uint64_t taken, bool tied) -> void {
            if (s == n) {
                ++(tied ? out.ties : out.winsAlone);
                return;
            }
            for (const Holding& h : notBeating) {
                if ((h.mask & taken) == 0) {
                    next(next, s + 1, taken | h.mask, tied || h.strength == own);
                }
            }
        };
        seats(seats, 1, 0, false);
        std::uint64_t all = 1;
        for (std::int32_t s = 1; s < n; ++s) {
            all *= (45 - 2 * (s - 1)) * (44 - 2 * (s - 1)) / 2;
        }
        out.showdowns += all;
        (void)holdings;
    };
    boards(boards, 0, 0);
    return out;
}

TEST(ExactOdds, AgreesWithBruteForceOnFlushesTiesAndSymmetricHands) {
    struct Case {
        const char* hole;
        const char* board;
        std::int32_t players;
    };
    const Case cases[] = {
        {"As Ah", "Kd 7c 2h", 2},       // a pair: two pairs of suits swap
        {"As Ks", "Qs 7s 2d 3c", 3},    // suited: the three other suits permute
        {"Ah Qd", "Kh 7h 2h 9h", 3},    // four hearts: rivers give five
        {"3d 4d", "Ah Kh Qh Jh Th", 3}, // five hearts: the board plays
#ifndef __SANITIZE_ADDRESS__
        {"5c 6d", "2c 3d 4h Ks", 3}, // straights and many ties
        {"7c 2d", "Kh 7h 2h Kd", 3}, // two pair against a flush draw
        {"Jc Tc", "9c 8c 2c 2d 2h", 4},
#endif
    };
    for (const Case& c : cases) {
        const auto hole = test::ParseCards(c.hole);
        const BoardCards board = Board(c.board);
        const auto k = static_cast<std::int32_t>(test::ParseCards(c.board).size());
        const ExactOdds expected = BruteForce(hole[0], hole[1], k, board, c.players);
        for (const std::int32_t threads : {1, 3}) {
            ExactOdds odds;
            ASSERT_TRUE(EnumerateExactOdds(hole[0], hole[1], k, board, c.players, odds, threads));
            EXPECT_EQ(odds, expected)
                << c.hole << " | " << c.board << ", " << c.players << " players, " << threads
                << " threads: " << odds.winsAlone << "+" << odds.ties << " against "
                << expected.winsAlone << "+" << expected.ties;
        }
    }
}

TEST(ExactOdds, PublishedValuesFromTheFlopAndPreflop) {
    const BoardCards flop = Board("Kd 7c 2h");
    ExactOdds headsUp;
    ASSERT_TRUE(EnumerateExactOdds(C("As"), C("Ah"), 3, flop, 2, headsUp, 2));
    EXPECT_EQ(headsUp.Wins(), 950'058U);
    EXPECT_EQ(headsUp.showdowns, 1'070'190U);
    ExactOdds three;
    ASSERT_TRUE(EnumerateExactOdds(C("As"), C("Ah"), 3, flop, 3, three, 2));
    EXPECT_EQ(three.Wins(), 760'671'106U);
    EXPECT_EQ(three.showdowns, 966'381'570U);
#if !defined(__SANITIZE_ADDRESS__) && defined(NDEBUG)
    // Two billion showdowns: a third of a second in an optimised build.
    ExactOdds preflop;
    ASSERT_TRUE(EnumerateExactOdds(C("As"), C("Ah"), 0, BoardCards{}, 2, preflop, 2));
    EXPECT_EQ(preflop.Wins(), 1'792'910'730U);
    EXPECT_EQ(preflop.winsAlone, 1'781'508'418U);
    EXPECT_EQ(preflop.showdowns, 2'097'572'400U);
#endif
}

TEST(ExactOdds, CostEstimateAcceptsTheFewSecondCasesOnly) {
    const BoardCards flop = Board("Kd 7c 2h");
    const BoardCards none{};
    EXPECT_LT(ExactSecondsEstimate(C("As"), C("Ah"), 0, none, 2), 1.0);
    EXPECT_LT(ExactSecondsEstimate(C("As"), C("Kd"), 0, none, 3), kExactSecondsLimit);
    EXPECT_LT(ExactSecondsEstimate(C("As"), C("Ah"), 3, flop, 4), 1.0);
    EXPECT_GT(ExactSecondsEstimate(C("As"), C("Ah"), 0, none, 4), kExactSecondsLimit);
    EXPECT_GT(ExactSecondsEstimate(C("As"), C("Ah"), 3, flop, 5), kExactSecondsLimit);
    EXPECT_GT(ExactSecondsEstimate(C("As"), C("Kd"), 0, none, 10), 1e15);
    EXPECT_EQ(ExactSecondsEstimate(C("As"), C("As"), 0, none, 2), 0.0);
}

} // namespace
} // namespace quillory
