// The heads-up preflop table: the combo numbering the ranges share, the
// symmetries the table folds away, and a sample of entries recounted over
// every board by the enumeration they were made with.
#include "odds/HeadsUpPreflop.h"

#include "OddsTestSupport.h"
#include "engine/Card.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

using test::C;

int Combo(const char* a, const char* b) {
    return HeadsUpCombo(FreshDeckIndex(C(a)), FreshDeckIndex(C(b)));
}

TEST(HeadsUpPreflop, CombosAreNumberedByLowThenHighCard) {
    EXPECT_EQ(HeadsUpCombo(0, 1), 0);
    EXPECT_EQ(HeadsUpCombo(1, 0), 0);
    EXPECT_EQ(HeadsUpCombo(0, 51), 50);
    EXPECT_EQ(HeadsUpCombo(1, 2), 51);
    EXPECT_EQ(HeadsUpCombo(50, 51), kHeadsUpCombos - 1);
    EXPECT_EQ(HeadsUpCombo(3, 3), -1);
    EXPECT_EQ(HeadsUpCombo(-1, 3), -1);
    EXPECT_EQ(HeadsUpCombo(3, 52), -1);
    for (int combo = 0; combo < kHeadsUpCombos; ++combo) {
        int low = 0;
        int high = 0;
        CardsOfHeadsUpCombo(combo, low, high);
        ASSERT_LT(low, high);
        ASSERT_EQ(HeadsUpCombo(low, high), combo);
    }
}

TEST(HeadsUpPreflop, RefusesSharedCardsAndOutOfRangeCombos) {
    HeadsUpCounts counts{1, 2, 3};
    EXPECT_FALSE(HeadsUpPreflop(Combo("As", "Ah"), Combo("Ah", "Kd"), counts));
    EXPECT_FALSE(CountHeadsUpPreflop(Combo("As", "Ah"), Combo("As", "Ah"), counts));
    EXPECT_FALSE(HeadsUpPreflop(-1, 5, counts));
    EXPECT_FALSE(HeadsUpPreflop(5, kHeadsUpCombos, counts));
    EXPECT_EQ(counts, (HeadsUpCounts{1, 2, 3}));
}

TEST(HeadsUpPreflop, TableHoldsEveryClassAndFoldsSuitsAndSeats) {
    ASSERT_TRUE(HeadsUpPreflopTableComplete());
    HeadsUpCounts aces;
    HeadsUpCounts permuted;
    HeadsUpCounts swapped;
    ASSERT_TRUE(HeadsUpPreflop(Combo("As", "Ah"), Combo("Kc", "Qd"), aces));
    ASSERT_TRUE(HeadsUpPreflop(Combo("Ac", "Ad"), Combo("Ks", "Qh"), permuted));
    ASSERT_TRUE(HeadsUpPreflop(Combo("Kc", "Qd"), Combo("As", "Ah"), swapped));
    EXPECT_EQ(aces.wins + aces.ties + aces.losses, kHeadsUpBoards);
    EXPECT_EQ(aces, permuted);
    EXPECT_EQ(swapped, (HeadsUpCounts{aces.losses, aces.ties, aces.wins}));
    // A matchup that a suit swap maps onto itself with the seats exchanged
    // is even.
    HeadsUpCounts mirror;
    ASSERT_TRUE(HeadsUpPreflop(Combo("As", "Kh"), Combo("Ah", "Ks"), mirror));
    EXPECT_EQ(mirror.wins, mirror.losses);
}

TEST(HeadsUpPreflop, SampledEntriesMatchTheBoardEnumeration) {
    // Pairs, suited hands sharing and not sharing a suit, domination, and a
    // spread of pseudo-random matchups.
    std::vector<std::pair<int, int>> sample{
        {Combo("As", "Ah"), Combo("Kc", "Qd")}, {Combo("Ks", "Kh"), Combo("As", "Qs")},
        {Combo("7c", "6c"), Combo("Ac", "Kh")}, {Combo("2d", "2c"), Combo("3h", "4s")},
        {Combo("Ad", "Kd"), Combo("Ah", "Qh")}, {Combo("Ts", "9s"), Combo("Js", "8s")},
    };
#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
    const int spread = 24; // about ten milliseconds each
#else
    const int spread = 2;
#endif
    std::uint32_t x = 12345;
    while (static_cast<int>(sample.size()) < 6 + spread) {
        x = x * 1664525U + 1013904223U;
        const auto a = static_cast<int>((x >> 8) % kHeadsUpCombos);
        x = x * 1664525U + 1013904223U;
        const auto b = static_cast<int>((x >> 8) % kHeadsUpCombos);
        int a0 = 0;
        int a1 = 0;
        int b0 = 0;
        int b1 = 0;
        CardsOfHeadsUpCombo(a, a0, a1);
        CardsOfHeadsUpCombo(b, b0, b1);
        if (a0 != b0 && a0 != b1 && a1 != b0 && a1 != b1) {
            sample.emplace_back(a, b);
        }
    }
    for (const auto& [a, b] : sample) {
        HeadsUpCounts table;
        HeadsUpCounts counted;
        ASSERT_TRUE(HeadsUpPreflop(a, b, table));
        ASSERT_TRUE(CountHeadsUpPreflop(a, b, counted));
        EXPECT_EQ(table, counted) << "combos " << a << " and " << b;
    }
}

} // namespace
} // namespace quillory
