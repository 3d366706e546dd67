// The texts the window shows beside an estimate: the winning rate, the average
// rate for the table size, card labels and picture indices.
#include "odds/Labels.h"

#include "engine/CardNames.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(Labels, WinningRateTextHasTwoDecimalsAndAPercentSign) {
    EXPECT_EQ(FormatWinningRate(2500, 2500), "100.00%");
    EXPECT_EQ(FormatWinningRate(0, 2500), "0.00%");
    EXPECT_EQ(FormatWinningRate(1234, 2500), "49.36%");
    EXPECT_EQ(FormatWinningRate(1, 3), "33.33%");
    EXPECT_EQ(FormatWinningRate(2, 3), "66.67%");
    EXPECT_EQ(FormatWinningRate(1, 1666), "0.06%");
}

TEST(Labels, TrialCountIsTenThousandOverPlayers) {
    const std::int32_t expected[] = {5000, 3333, 2500, 2000, 1666, 1428, 1250, 1111, 1000};
    for (std::int32_t n = 2; n <= 10; ++n) {
        EXPECT_EQ(TrialCount(n), expected[n - 2]) << n << " players";
    }
}

TEST(Labels, AverageRateForEveryTableSizeAndDashOutside) {
    const char* expected[] = {"51-52 %", "34-36 %", "25-27 %", "20-22 %", "17-18 %",
                              "15-16 %", "12-14 %", "11-13 %", "10-12 %"};
    for (std::int32_t n = 2; n <= 10; ++n) {
        EXPECT_EQ(AverageWinningRate(n), expected[n - 2]) << n << " players";
    }
    for (const std::int32_t n : {-1, 0, 1, 11, 100}) {
        EXPECT_EQ(AverageWinningRate(n), "-") << n << " players";
    }
}

TEST(Labels, CardLabelsReadRankThenSuit) {
    EXPECT_EQ(CardLabel(Card{kAce, kSpade}), "A(S)");
    EXPECT_EQ(CardLabel(Card{kTen, kHeart}), "10(H)");
    EXPECT_EQ(CardLabel(Card{kQueen, kDiamond}), "Q(D)");
    EXPECT_EQ(CardLabel(Card{kJack, kClub}), "J(C)");
    EXPECT_EQ(CardLabel(Card{kKing, kClub}), "K(C)");
    EXPECT_EQ(CardLabel(Card{kTwo, kClub}), "2(C)");
    EXPECT_EQ(CardLabel(kNoCard), "0");
    EXPECT_EQ(CardLabel(Card{kNine, kNoSuit}), "9"); // a suit outside 0-3 adds nothing
}

TEST(Labels, PicturesAreNamedInStripOrder) {
    EXPECT_EQ(CardPictureWords(0), "ace of spades");
    EXPECT_EQ(CardPictureWords(22), "10 of hearts");
    EXPECT_EQ(CardPictureWords(26), "ace of clubs");
    EXPECT_EQ(CardPictureWords(51), "king of diamonds");
    EXPECT_EQ(CardPictureWords(52), "");
    EXPECT_EQ(CardPictureWords(-1), "");
}

TEST(Labels, PictureIndexIsSuitTimesThirteenPlusRank) {
    EXPECT_EQ(CardImageIndex(Card{kAce, kSpade}), 0);
    EXPECT_EQ(CardImageIndex(Card{kKing, kSpade}), 12);
    EXPECT_EQ(CardImageIndex(Card{kAce, kHeart}), 13);
    EXPECT_EQ(CardImageIndex(Card{kAce, kClub}), 26);
    EXPECT_EQ(CardImageIndex(Card{kKing, kDiamond}), 51);
    bool seen[52] = {};
    for (int i = 0; i < kDeckSize; ++i) {
        const std::int32_t index = CardImageIndex(CardAtFreshIndex(i));
        ASSERT_GE(index, 0);
        ASSERT_LT(index, 52);
        EXPECT_FALSE(seen[index]) << "two cards share picture " << index;
        seen[index] = true;
    }
}

} // namespace
} // namespace quillory
