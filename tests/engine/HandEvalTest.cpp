#include "engine/HandEval.h"

#include "TestCards.h"
#include "engine/FastEval.h"
#include "engine/Table.h"

#include <gtest/gtest.h>
#include <set>

namespace quillory {
namespace {

using test::C;
using test::Five;
using test::Seven;

int Sign(int v) {
    return (v > 0) - (v < 0);
}

struct Case {
    const char* better;
    const char* worse;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.better << " > " << c.worse;
}

class HandOrder : public ::testing::TestWithParam<Case> {};

TEST_P(HandOrder, BetterHandWins) {
    const FiveCards a = Five(GetParam().better);
    const FiveCards b = Five(GetParam().worse);
    EXPECT_GT(CompareHands(a, b), 0);
    EXPECT_LT(CompareHands(b, a), 0);
    EXPECT_GT(StrengthOf(Classify(a)), StrengthOf(Classify(b)));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, HandOrder,
    ::testing::Values(
        Case{"As Ks Qs Js Ts", "Ks Qs Js Ts 9s"}, // royal over king-high
        Case{"2h 3d 4s 5c 6h", "Ah 2d 3s 4c 5h"}, // six-high over the wheel
        Case{"As Ad 7c 8h 9s", "Ks Kd Qc Jh 9s"}, // aces over kings
        Case{"As Ad 2c 2h 9s", "Ks Kd Qc Qh 9s"}, // aces and twos over kings up
        Case{"5s 5d 3c 9h Ks", "5h 5c 4d 9s Qs"}, // top kicker decides first
        Case{"3s 3d 3c 2h 2s", "2c 2d 2h As Ad"}, // the three decides a full house
        Case{"Ah 3h 5h 7h 9h", "Kh Qh Jh 9h 7h"}, // ace-high flush over king-high
        Case{"Ah Kh 5h 4h 2h", "Ad Qd Jd 9d 7d"}, // second card decides
        Case{"9s 9d 9c 9h 2s", "8s 8d 8c 8h As"}, Case{"2s 2d 2c 3h 3s", "As Ks Qs Js 9s"},
        Case{"2s 2d 2c Ah Ks", "As Ad Kc Kh Qs"}, Case{"Ts Jd Qc Kh Ah", "9s 9d 9c Kh As"},
        Case{"As Ad Ac 2h 3s", "Ks Kd Kc Ah Qs"}, Case{"As Kd Qc Jh 9s", "Ks Qd Jc Th 8s"}),
    [](const ::testing::TestParamInfo<Case>& info) { return "Case" + std::to_string(info.index); });

TEST(HandEval, StraightKeys) {
    EXPECT_EQ(Classify(Five("As Ks Qs Js Ts")), (HandKey{StraightFlush, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Classify(Five("Ks Qs Js Ts 9s")).k1, kKing);
    EXPECT_EQ(Classify(Five("Ah 2d 3s 4c 5h")), (HandKey{Straight, 4, 0, 0, 0, 0}));
    EXPECT_EQ(Classify(Five("2h 3d 4s 5c 6h")).k1, 5);
    EXPECT_EQ(Classify(Five("Qh Kd As 2c 3h")).category, HighCard); // no wrap-around
}

TEST(HandEval, KeyOrdersWithinClasses) {
    EXPECT_EQ(Classify(Five("3s 3d 3c Ah 9s")), (HandKey{ThreeOfKind, 2, 0, 8, 0, 0}));
    EXPECT_EQ(Classify(Five("As 2d 2c 9h 9s")), (HandKey{TwoPair, 8, 1, 0, 0, 0}));
    EXPECT_EQ(Classify(Five("As Ad 2c 2h Ks")), (HandKey{TwoPair, 0, 1, 12, 0, 0}));
    EXPECT_EQ(Classify(Five("Ks Kd 2c Ah 9s")), (HandKey{OnePair, 12, 0, 8, 1, 0}));
    EXPECT_EQ(Classify(Five("Ah Kh 5h 4h 2h")), (HandKey{Flush, 0, 12, 4, 3, 1}));
    EXPECT_EQ(Classify(Five("9s 9d 9c 9h As")), (HandKey{FourOfKind, 8, 0, 0, 0, 0}));
    EXPECT_EQ(Classify(Five("As Ad Ac Ah 9s")), (HandKey{FourOfKind, 0, 8, 0, 0, 0}));
    EXPECT_EQ(Classify(Five("2s 2d Ac Ah As")), (HandKey{FullHouse, 0, 1, 0, 0, 0}));
}

TEST(HandEval, SuitsNeverDecide) {
    EXPECT_EQ(CompareHands(Five("As Kd Qc Jh 9s"), Five("Ah Kc Qd Js 9h")), 0);
    EXPECT_EQ(CompareHands(Five("2s 3s 4s 5s 7s"), Five("2h 3h 4h 5h 7h")), 0);
}

TEST(HandEval, SelectCombinationOrderAndRefusal) {
    const SevenCards seven = Seven("2s 3s 4s 5s 6s 7h 8h");
    FiveCards five{};
    std::int32_t hole = -1;
    ASSERT_TRUE(SelectCombination(seven, 0, five, hole));
    EXPECT_EQ(hole, 0);
    ASSERT_TRUE(SelectCombination(seven, 9, five, hole));
    EXPECT_EQ(five, (FiveCards{C("2s"), C("3s"), C("6s"), C("7h"), C("8h")}));
    EXPECT_EQ(hole, 2);
    ASSERT_TRUE(SelectCombination(seven, 15, five, hole));
    EXPECT_EQ(hole, 1);
    const FiveCards before = five;
    EXPECT_FALSE(SelectCombination(seven, 21, five, hole));
    EXPECT_EQ(five, before);
    // The table's counts of hole cards: 0, then per row of the published order.
    const int expected[kCombinations] = {0, 1, 1, 1, 1, 2, 1, 1, 2, 2, 1,
                                         1, 2, 2, 2, 1, 1, 2, 2, 2, 2};
    for (int i = 0; i < kCombinations; ++i) {
        SelectCombination(seven, i, five, hole);
        EXPECT_EQ(hole, expected[i]) << "combination " << i;
    }
}

TEST(HandEval, BoardStraightUsesNoHoleCards) {
    Table table(1);
    table.SetFlop(C("5s"), C("6d"), C("7c"));
    table.SetTurn(C("8h"));
    table.SetRiver(C("9s"));
    table.SetSeat(0, C("2c"), C("Kd"));
    FiveCards best{};
    std::int32_t hole = -1;
    ASSERT_TRUE(table.BestHand(0, best, hole));
    EXPECT_EQ(Classify(best), (HandKey{Straight, 8, 0, 0, 0, 0}));
    EXPECT_EQ(hole, 0);
}

TEST(HandEval, EarliestCombinationWinsATie) {
    // The straight to the eight can take the board's eight (combination 2) or
    // the hole eight (combination 5); the earlier one is kept.
    Table table(1);
    table.SetFlop(C("5s"), C("6d"), C("7c"));
    table.SetTurn(C("8h"));
    table.SetRiver(C("Ks"));
    table.SetSeat(0, C("8d"), C("4c"));
    FiveCards best{};
    std::int32_t hole = -1;
    ASSERT_TRUE(table.BestHand(0, best, hole));
    EXPECT_EQ(Classify(best), (HandKey{Straight, 7, 0, 0, 0, 0}));
    EXPECT_EQ(hole, 1);
    EXPECT_EQ(HoleCardsUsed(table.SevenOf(0), StrengthOf(Classify(best))), 1);
}

// Every one of the 2,598,960 five-card hands: the class totals and the number
// of distinct keys are the known ones, and the fast evaluation agrees with the
// reference on every hand.
TEST(HandEval, EveryFiveCardHand) {
    std::array<int, kHandCategories> totals{};
    std::set<HandStrength> distinct;
    int mismatches = 0;
    for (int a = 0; a < 48; ++a) {
        for (int b = a + 1; b < 49; ++b) {
            for (int c = b + 1; c < 50; ++c) {
                for (int d = c + 1; d < 51; ++d) {
                    for (int e = d + 1; e < 52; ++e) {
                        FiveCards five{CardAtFreshIndex(a), CardAtFreshIndex(b),
                                       CardAtFreshIndex(c), CardAtFreshIndex(d),
                                       CardAtFreshIndex(e)};
                        const HandStrength fast = EvaluateCards(five.data(), 5);
                        SortByRank(five);
                        const HandKey key = Classify(five);
                        ++totals[static_cast<std::size_t>(key.category)];
                        distinct.insert(StrengthOf(key));
                        mismatches += fast != StrengthOf(key) ? 1 : 0;
                    }
                }
            }
        }
    }
    const std::array<int, kHandCategories> expected{1302540, 1098240, 123552, 54912, 10200,
                                                    5108,    3744,    624,    40};
    EXPECT_EQ(totals, expected);
    EXPECT_EQ(distinct.size(), 7462U);
    EXPECT_EQ(mismatches, 0);
}

TEST(HandEval, KeysCompareExactlyAsTheirStrengths) {
    // Spot-check the packing against CompareKeys on keys of every class.
    const char* hands[] = {"As Ks Qs Js Ts", "Ah 2d 3s 4c 5h", "9s 9d 9c 9h 2s", "3s 3d 3c 2h 2s",
                           "Ah 3h 5h 7h 9h", "3s 3d 3c Ah 9s", "As 2d 2c 9h 9s", "Ks Kd 2c Ah 9s",
                           "Ah Kd 5h 4h 2c", "7h 5d 4h 3h 2c"};
    for (const char* x : hands) {
        for (const char* y : hands) {
            const HandKey kx = Classify(Five(x));
            const HandKey ky = Classify(Five(y));
            const int bySign = Sign(CompareKeys(kx, ky));
            const HandStrength sx = StrengthOf(kx);
            const HandStrength sy = StrengthOf(ky);
            EXPECT_EQ(bySign, (sx > sy) - (sx < sy)) << x << " vs " << y;
            EXPECT_EQ(KeyOf(sx), kx) << x;
        }
    }
}

} // namespace
} // namespace quillory
