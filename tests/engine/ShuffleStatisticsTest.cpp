// Statistical checks that the shuffle is uniform: a chi-square test of card
// against position over many shuffles, for one shuffle and for the two
// shuffles in a row with equal seeds that every caller makes. The same test
// run on a linear-probing shuffle that reseeds identically each time (the
// classic mistake) must fail, which shows the test has the power to notice.
#include "engine/Deck.h"
#include "platform/Random.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace quillory {
namespace {

using Order = std::array<Card, kDeckSize>;
using Counts = std::array<std::array<int, kDeckSize>, kDeckSize>; // [card][position]

// Chi-square statistic of the card-by-position table against the uniform
// expectation, with (52 - 1)^2 = 2601 degrees of freedom.
double ChiSquare(const Counts& counts, int shuffles) {
    const double expected = static_cast<double>(shuffles) / kDeckSize;
    double chi = 0.0;
    for (const auto& row : counts) {
        for (int observed : row) {
            const double d = observed - expected;
            chi += d * d / expected;
        }
    }
    return chi;
}

// Critical value at p = 0.001 for 2601 degrees of freedom (Wilson-Hilferty).
double CriticalValue() {
    const double k = 2601.0;
    const double z = 3.0902;
    const double t = 1.0 - 2.0 / (9.0 * k) + z * std::sqrt(2.0 / (9.0 * k));
    return k * t * t * t;
}

Counts Tally(int shuffles, const std::function<Order(std::int32_t)>& shuffled) {
    Counts counts{};
    for (int s = 0; s < shuffles; ++s) {
        const Order order = shuffled(1000 + s);
        for (int pos = 0; pos < kDeckSize; ++pos) {
            ++counts[static_cast<std::size_t>(FreshDeckIndex(order[static_cast<std::size_t>(pos)]))]
                    [static_cast<std::size_t>(pos)];
        }
    }
    return counts;
}

// Linear probing on rand() % 52 after reseeding with the same seed each time.
void ProbingShuffle(Order& cards, std::int32_t seed) {
    SeedRandom(static_cast<std::uint32_t>(seed));
    SeedRandom(static_cast<std::uint32_t>(NextRandom()));
    std::array<int, kDeckSize> p{};
    std::array<bool, kDeckSize> taken{};
    for (int i = 0; i < kDeckSize; ++i) {
        int r = NextRandom() % kDeckSize;
        while (taken[static_cast<std::size_t>(r)]) {
            r = (r + 1) % kDeckSize;
        }
        taken[static_cast<std::size_t>(r)] = true;
        p[static_cast<std::size_t>(i)] = r;
    }
    const Order before = cards;
    for (int k = 0; k < kDeckSize; ++k) {
        cards[static_cast<std::size_t>(k)] =
            before[static_cast<std::size_t>(p[static_cast<std::size_t>(k)])];
    }
}

constexpr int kShuffles = 20000;

// Mean number, per shuffle, of neighbouring positions whose cards were
// neighbours in the fresh deck (index + 1, cyclically). A uniform order gives
// 51 * 1/51 = 1 on average; probing shuffles cluster and give about twice that.
// Card-by-position counts cannot see this: probing is uniform per position.
double MeanAdjacentPairs(int shuffles, const std::function<Order(std::int32_t)>& shuffled) {
    long total = 0;
    for (int s = 0; s < shuffles; ++s) {
        const Order order = shuffled(5000 + s);
        for (std::size_t k = 0; k + 1 < order.size(); ++k) {
            total +=
                (FreshDeckIndex(order[k]) + 1) % kDeckSize == FreshDeckIndex(order[k + 1]) ? 1 : 0;
        }
    }
    return static_cast<double>(total) / shuffles;
}

TEST(ShuffleStatistics, OneShuffleIsUniform) {
    const Counts counts = Tally(kShuffles, [](std::int32_t seed) {
        Deck deck;
        deck.Shuffle(seed);
        return deck.Cards();
    });
    EXPECT_LT(ChiSquare(counts, kShuffles), CriticalValue());
    EXPECT_NEAR(MeanAdjacentPairs(kShuffles,
                                  [](std::int32_t seed) {
                                      Deck deck;
                                      deck.Shuffle(seed);
                                      return deck.Cards();
                                  }),
                1.0, 0.05);
}

TEST(ShuffleStatistics, TwoShufflesWithEqualSeedsAreUniform) {
    const Counts counts = Tally(kShuffles, [](std::int32_t seed) {
        Deck deck;
        deck.Shuffle(seed);
        deck.Shuffle(seed);
        return deck.Cards();
    });
    EXPECT_LT(ChiSquare(counts, kShuffles), CriticalValue());
    // The Ace of Spade is the first card dealt about once in 52 shuffles.
    const double top = static_cast<double>(counts[0][0]) / kShuffles;
    EXPECT_NEAR(top, 1.0 / 52.0, 0.004);
    EXPECT_NEAR(MeanAdjacentPairs(kShuffles,
                                  [](std::int32_t seed) {
                                      Deck deck;
                                      deck.Shuffle(seed);
                                      deck.Shuffle(seed);
                                      return deck.Cards();
                                  }),
                1.0, 0.05);
}

TEST(ShuffleStatistics, TheTestRejectsAReseededProbingShuffle) {
    const Counts twice = Tally(kShuffles, [](std::int32_t seed) {
        Order cards = Deck().Cards();
        ProbingShuffle(cards, seed);
        ProbingShuffle(cards, seed);
        return cards;
    });
    EXPECT_GT(ChiSquare(twice, kShuffles), CriticalValue());
    EXPECT_GT(MeanAdjacentPairs(kShuffles,
                                [](std::int32_t seed) {
                                    Order cards = Deck().Cards();
                                    ProbingShuffle(cards, seed);
                                    return cards;
                                }),
              1.3);
    // Applied twice, the same permutation leaves the Ace of Spade on top about
    // twice as often as it should.
    EXPECT_GT(static_cast<double>(twice[0][0]) / kShuffles, 1.6 / 52.0);
}

} // namespace
} // namespace quillory
