#include "engine/Table.h"

#include "TestCards.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

using test::C;

TEST(Table, NewTableHoldsNoCards) {
    Table table(4);
    EXPECT_EQ(table.SeatCount(), 4U);
    for (std::uint32_t s = 0; s < 4; ++s) {
        EXPECT_EQ(table.Seat(s), SeatCards{});
    }
    for (const Card& c : table.Board()) {
        EXPECT_FALSE(HoldsCard(c));
    }
}

TEST(Table, SetSeatRefusesIndicesOutOfRange) {
    Table empty(0);
    EXPECT_FALSE(empty.SetSeat(0, C("As"), C("Ks")));

    Table table(4);
    EXPECT_FALSE(table.SetSeat(4, C("As"), C("Ks")));
    EXPECT_FALSE(table.SetSeat(static_cast<std::uint32_t>(-1), C("As"), C("Ks")));
    EXPECT_TRUE(table.SetSeat(3, C("As"), C("Ks")));
    EXPECT_EQ(table.Seat(3), (SeatCards{C("As"), C("Ks")}));
    EXPECT_TRUE(table.SetSeat(3, C("2c"), C("3c")));
    EXPECT_EQ(table.Seat(3), (SeatCards{C("2c"), C("3c")}));
}

TEST(Table, LargeTablesWork) {
    Table table(23);
    EXPECT_EQ(table.SeatCount(), 23U);
    EXPECT_TRUE(table.SetSeat(22, C("As"), C("Ks")));
    EXPECT_EQ(table.Seat(22).first, C("As"));
    EXPECT_EQ(table.Seat(10), SeatCards{});
}

TEST(Table, BoardFillsOnlyInOrder) {
    Table table(2);
    EXPECT_FALSE(table.SetTurn(C("5h")));
    EXPECT_FALSE(table.SetRiver(C("6h")));
    ASSERT_TRUE(table.SetFlop(C("2s"), C("3s"), C("4s")));
    EXPECT_FALSE(table.SetRiver(C("6h")));
    EXPECT_FALSE(table.SetFlop(C("Ks"), C("Qs"), C("Js")));
    ASSERT_TRUE(table.SetTurn(C("5h")));
    EXPECT_FALSE(table.SetTurn(C("9h")));
    ASSERT_TRUE(table.SetRiver(C("6h")));
    EXPECT_FALSE(table.SetRiver(C("7h")));
    const std::array<Card, 5> expected{C("2s"), C("3s"), C("4s"), C("5h"), C("6h")};
    EXPECT_EQ(table.Board(), expected);
}

TEST(Table, FlopStartingWithNoCardCountsAsNoFlop) {
    Table table(2);
    ASSERT_TRUE(table.SetFlop(kNoCard, C("3s"), C("4s")));
    EXPECT_FALSE(HoldsCard(table.Board()[0]));
    EXPECT_FALSE(table.SetTurn(C("5h")));
    EXPECT_TRUE(table.SetFlop(C("2s"), C("3s"), C("4s")));
    EXPECT_TRUE(table.SetTurn(C("5h")));
}

TEST(Table, BestHandRefusesSeatOutOfRangeAndKeepsOutputs) {
    Table table(2);
    FiveCards best{C("As"), C("As"), C("As"), C("As"), C("As")};
    std::int32_t hole = 7;
    EXPECT_FALSE(table.BestHand(2, best, hole));
    EXPECT_EQ(best[0], C("As"));
    EXPECT_EQ(hole, 7);
}

} // namespace
} // namespace quillory
