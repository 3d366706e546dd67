// The drill against a range: opponents' hands are drawn from the range before
// the user's cards and the board, and the true value against the full range
// is the drill's own value against random cards.
#include "drill/RangeSpot.h"

#include <gtest/gtest.h>
#include <set>

namespace quillory::drill {
namespace {

HandRange Parsed(const char* text) {
    HandRange range;
    RangeError error;
    EXPECT_TRUE(ParseRange(text, range, error)) << error.Message();
    return range;
}

TEST(DrillRangeSpots, OpponentsHoldTheirRangeFirst) {
    std::mt19937_64 generator(7);
    SpotChoice choice;
    choice.street = Street::Flop;
    choice.players = 3;
    // Two opponents holding aces take all four: the user and the board never
    // see one.
    for (int i = 0; i < 200; ++i) {
        Spot spot;
        ASSERT_TRUE(DrawRangeSpot(generator, choice, Parsed("AA"), spot));
        EXPECT_EQ(spot.opponents, "AA");
        EXPECT_EQ(spot.players, 3);
        std::set<int> seen;
        for (const Card& card :
             {spot.hole[0], spot.hole[1], spot.board[0], spot.board[1], spot.board[2]}) {
            EXPECT_NE(card.rank, kAce);
            seen.insert(FreshDeckIndex(card));
        }
        EXPECT_EQ(seen.size(), 5u);
        EXPECT_FALSE(IsRealCard(spot.board[3]));
    }
    // Three opponents cannot all hold aces.
    choice.players = 4;
    Spot spot;
    EXPECT_FALSE(DrawRangeSpot(generator, choice, Parsed("AA"), spot));
    // Fixed cards stay the user's.
    choice.players = 2;
    choice.hole = std::array<Card, 2>{Card{kAce, kSpade}, Card{12, kSpade}};
    ASSERT_TRUE(DrawRangeSpot(generator, choice, Parsed("QQ+, AKs"), spot));
    EXPECT_EQ(spot.hole, *choice.hole);
    EXPECT_EQ(spot.opponents, "QQ+, AKs");
}

TEST(DrillRangeSpots, TheFullRangeIsRandomCards) {
    std::mt19937_64 generator(11);
    for (const Street street : {Street::Flop, Street::River}) {
        SpotChoice choice;
        choice.street = street;
        choice.players = 2;
        Spot spot = DrawSpot(generator, choice);
        const TrueValue random = ComputeTrueValue(spot);
        spot.opponents = "random";
        const TrueValue ranged = ComputeRangeTrueValue(spot);
        EXPECT_EQ(ranged.method, Method::Exact);
        EXPECT_NEAR(ranged.percent, random.percent, 1e-9);
    }
    // A sampled value keeps its standard error under the drill's bound.
    SpotChoice choice;
    choice.street = Street::Preflop;
    choice.players = 6;
    Spot spot;
    ASSERT_TRUE(DrawRangeSpot(generator, choice, Parsed("22+, A2s+, KTs+, ATo+"), spot));
    const TrueValue value = ComputeRangeTrueValue(spot);
    EXPECT_EQ(value.method, Method::MonteCarlo);
    EXPECT_LE(value.standardError, kMaxStandardError);
    EXPECT_EQ(value.samples, kRangeTrueValueDeals);
}

} // namespace
} // namespace quillory::drill
