// Exact seeded results, pinned. Every seeded output of the programs (an
// estimate under quillory-odds --seed, a report under quillory-report --seed,
// the window's practice deal under a fixed clock) follows from the dealing
// code; a change to how cards are drawn changes these numbers, so such a
// change is always deliberate and shows up here first. When it is meant,
// update the values below and the examples in the README together.
#include "../engine/TestCards.h"
#include "engine/CardNames.h"
#include "engine/Deck.h"
#include "odds/Estimator.h"
#include "odds/Labels.h"
#include "report/ReportFormat.h"
#include "report/Simulation.h"

#include <gtest/gtest.h>
#include <string>

namespace quillory {
namespace {

using test::C;

std::string Text(const Card* cards, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += (i > 0 ? " " : "") + CardLabel(cards[i]);
    }
    return text;
}

// 64-bit FNV-1a of a text: a short fingerprint of a whole report.
std::uint64_t Fingerprint(const std::string& text) {
    std::uint64_t h = 0xCBF29CE484222325ULL;
    for (const char c : text) {
        h = (h ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
    }
    return h;
}

TEST(PinnedResults, SeededEstimates) {
    const BoardCards none{};
    const BoardCards flop{C("8c"), C("7h"), C("2s"), Card{}, Card{}};
    // The strength path, preflop and from the flop, and the table path for a
    // repeated card (entry mode).
    EXPECT_EQ(EstimateWins(C("As"), C("Kd"), 0, none, 4, 2500, SeedSource::Fixed(12345)), 1032);
    EXPECT_EQ(EstimateWins(C("Td"), C("9d"), 3, flop, 3, 3333, SeedSource::Fixed(4000000000U)),
              1451);
    EXPECT_EQ(EstimateWins(C("As"), C("As"), 3, flop, 10, 1000, SeedSource::Fixed(7)), 318);
}

TEST(PinnedResults, SeededDeals) {
    const DealtCards deal = DealReportHand(1);
    EXPECT_EQ(Text(deal.board.data(), 5), "4(D) Q(C) 6(C) 6(H) Q(D)");
    EXPECT_EQ(CardLabel(deal.seats[0].first) + " " + CardLabel(deal.seats[0].second), "J(H) K(C)");
    EXPECT_EQ(CardLabel(deal.seats[9].first) + " " + CardLabel(deal.seats[9].second), "J(S) A(C)");

    // The practice deal: a fresh deck shuffled twice with one seed.
    Deck deck;
    deck.Shuffle(1000);
    deck.Shuffle(1000);
    const auto cards = deck.Cards();
    EXPECT_EQ(Text(cards.data(), 7), "7(S) 10(D) 6(C) 4(H) 6(H) 8(C) 8(D)");
}

TEST(PinnedResults, SeededShortReport) {
    SimulationOptions options;
    options.deals = 2000;
    options.seed = 2024;
    options.threads = 2;
    HandStatistics statistics;
    ASSERT_TRUE(SimulateDeals(options, statistics));
    // Seat hands of a full house with kings up, at ten players.
    EXPECT_EQ(statistics.Occurred(FullHouse, 2, 10, kKing), 16);
    EXPECT_EQ(Fingerprint(FormatReport(statistics)), 11955246825382062689U);
}

} // namespace
} // namespace quillory
