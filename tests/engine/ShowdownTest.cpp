#include "TestCards.h"
#include "engine/Deck.h"
#include "engine/Table.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

using test::C;
using test::ReferenceWinners;

// Builds a table from a board and the seats' hole cards, seat 0 first.
Table MakeTable(const char* board, std::initializer_list<const char*> seats) {
    const auto b = test::ParseCards(board);
    Table table(static_cast<std::uint32_t>(seats.size()));
    table.SetFlop(b.at(0), b.at(1), b.at(2));
    table.SetTurn(b.at(3));
    table.SetRiver(b.at(4));
    std::uint32_t s = 0;
    for (const char* seat : seats) {
        const auto h = test::ParseCards(seat);
        table.SetSeat(s++, h.at(0), h.at(1));
    }
    return table;
}

TEST(Showdown, OneSeatWinsAlone) {
    WinnerList winners{5, 6, 7};
    MakeTable("2s 7d 9c Jh Kd", {"3c 4c"}).Showdown(winners);
    EXPECT_EQ(winners, (WinnerList{0}));
}

TEST(Showdown, BothPlayingTheBoardTie) {
    WinnerList winners;
    MakeTable("As Ks Qd Jc Th", {"2c 3d", "4h 5h"}).Showdown(winners);
    EXPECT_EQ(winners, (WinnerList{0, 1}));
}

TEST(Showdown, UniqueBestAndSharedBest) {
    WinnerList winners{9};
    MakeTable("2s 7d 9c Jh Kd", {"3c 4c", "Ks Kh", "5c 6c"}).Showdown(winners);
    EXPECT_EQ(winners, (WinnerList{1}));

    MakeTable("2s 7d 9c Jh Kd", {"3c 4c", "As Kc", "5c 6c", "Ah Ks"}).Showdown(winners);
    EXPECT_EQ(winners, (WinnerList{1, 3}));
}

TEST(Showdown, DuplicateCardsTakeTheReferencePath) {
    // The same card on the board and in a hand: evaluated as it stands.
    WinnerList winners;
    Table table = MakeTable("As Ad Ac 2h 3s", {"As Kc", "Qs Qd"});
    table.Showdown(winners);
    EXPECT_EQ(winners, ReferenceWinners(table, 2));
    EXPECT_EQ(winners, (WinnerList{0})); // four aces (counting the ace twice)
}

TEST(Showdown, DetailCoversOnlyTheFirstSeats) {
    const Table table = MakeTable("2s 7d 9c Jh Kd", {"3c 4c", "5c 6c", "Ks Kh", "Kc 2d"});
    WinnerList winners{8};
    std::vector<std::int32_t> categories(7, 9);
    std::vector<std::int32_t> leading;
    std::vector<std::int32_t> hole;
    table.ShowdownDetail(2, winners, categories, leading, hole);
    EXPECT_EQ(winners, (WinnerList{1}));
    EXPECT_EQ(categories.size(), 2U);
    EXPECT_EQ(leading.size(), 2U);
    EXPECT_EQ(hole.size(), 2U);
    EXPECT_EQ(categories[0], HighCard);
    EXPECT_EQ(leading[0], kKing);

    table.ShowdownDetail(4, winners, categories, leading, hole);
    EXPECT_EQ(winners, (WinnerList{2}));
    EXPECT_EQ(categories, (std::vector<std::int32_t>{HighCard, HighCard, ThreeOfKind, TwoPair}));
    EXPECT_EQ(leading, (std::vector<std::int32_t>{kKing, kKing, kKing, kKing}));
    EXPECT_EQ(hole, (std::vector<std::int32_t>{1, 1, 2, 2}));
}

#if defined(__SANITIZE_ADDRESS__)
constexpr std::int32_t kDeals = 300;
#else
constexpr std::int32_t kDeals = 3000;
#endif

TEST(Showdown, RandomFullTablesAgreeWithTheReference) {
    // Ten-seat tables dealt from shuffled decks: the fast showdown, the
    // detailed showdown for every table size and the reference agree.
    int mismatches = 0;
    for (std::int32_t deal = 0; deal < kDeals; ++deal) {
        Deck deck;
        deck.Shuffle(deal + 1);
        deck.Shuffle(deal + 1);
        Table table(10);
        Card a, b, c;
        deck.Deal(a), deck.Deal(b), deck.Deal(c);
        table.SetFlop(a, b, c);
        deck.Deal(a);
        table.SetTurn(a);
        deck.Deal(a);
        table.SetRiver(a);
        for (std::uint32_t s = 0; s < 10; ++s) {
            deck.Deal(a), deck.Deal(b);
            table.SetSeat(s, a, b);
        }
        WinnerList winners;
        table.Showdown(winners);
        mismatches += winners != ReferenceWinners(table, 10) ? 1 : 0;
        for (std::int32_t n = 2; n <= 10; ++n) {
            std::vector<std::int32_t> cat, lead, hole;
            table.ShowdownDetail(n, winners, cat, lead, hole);
            mismatches += winners != ReferenceWinners(table, static_cast<std::uint32_t>(n)) ? 1 : 0;
            for (std::uint32_t s = 0; s < static_cast<std::uint32_t>(n); ++s) {
                FiveCards best{};
                std::int32_t used = 0;
                table.BestHand(s, best, used);
                const HandKey key = Classify(best);
                mismatches +=
                    cat[s] != key.category || lead[s] != key.k1 || hole[s] != used ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

} // namespace
} // namespace quillory
