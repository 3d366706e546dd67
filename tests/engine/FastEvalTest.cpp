// The fast evaluation against the reference and against a second, deliberately
// naive evaluator written here from the rules of poker alone.
#include "engine/FastEval.h"

#include "TestCards.h"
#include "engine/HandEval.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <tuple>
#include <vector>

namespace quillory {
namespace {

// A naive score: (class, tie-break values) for five cards, compared
// lexicographically. Ace is 14; the wheel is a five-high straight.
using Score = std::tuple<int, std::vector<int>>;

Score NaiveFive(const std::array<Card, 5>& cards) {
    std::vector<int> values;
    bool flush = true;
    for (const Card& c : cards) {
        values.push_back(c.rank == 0 ? 14 : c.rank + 1);
        flush = flush && c.suit == cards[0].suit;
    }
    std::vector<std::pair<int, int>> groups; // (count, value)
    for (int v = 14; v >= 2; --v) {
        const int n = static_cast<int>(std::count(values.begin(), values.end(), v));
        if (n > 0) {
            groups.emplace_back(n, v);
        }
    }
    std::sort(groups.begin(), groups.end(), std::greater<>());
    std::vector<int> order;
    for (const auto& [n, v] : groups) {
        order.push_back(v);
    }
    std::sort(values.begin(), values.end());
    bool straight = groups.size() == 5 && values[4] - values[0] == 4;
    if (values == std::vector<int>{2, 3, 4, 5, 14}) {
        straight = true;
        order = {5};
    }
    int category = 0;
    if (straight && flush) {
        category = 8;
    } else if (groups[0].first == 4) {
        category = 7;
    } else if (groups[0].first == 3 && groups[1].first == 2) {
        category = 6;
    } else if (flush) {
        category = 5;
    } else if (straight) {
        category = 4;
    } else if (groups[0].first == 3) {
        category = 3;
    } else if (groups[0].first == 2 && groups[1].first == 2) {
        category = 2;
    } else if (groups[0].first == 2) {
        category = 1;
    }
    if (straight) {
        order.resize(1);
    }
    return {category, order};
}

Score NaiveSeven(const SevenCards& seven) {
    Score best{-1, {}};
    for (int i = 0; i < kCombinations; ++i) {
        FiveCards five{};
        std::int32_t hole = 0;
        SelectCombination(seven, i, five, hole);
        best = std::max(best, NaiveFive(five));
    }
    return best;
}

SevenCards RandomSeven(std::mt19937& rng) {
    std::array<int, kDeckSize> idx{};
    for (int i = 0; i < kDeckSize; ++i) {
        idx[static_cast<std::size_t>(i)] = i;
    }
    SevenCards seven{};
    for (int i = 0; i < 7; ++i) {
        std::uniform_int_distribution<int> pick(i, kDeckSize - 1);
        std::swap(idx[static_cast<std::size_t>(i)], idx[static_cast<std::size_t>(pick(rng))]);
        seven[static_cast<std::size_t>(i)] = CardAtFreshIndex(idx[static_cast<std::size_t>(i)]);
    }
    return seven;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr int kSamples = 20000;
#else
constexpr int kSamples = 200000;
#endif

TEST(FastEval, SevenCardHandsMatchTheReference) {
    std::mt19937 rng(20261207);
    int keyMismatches = 0;
    int holeMismatches = 0;
    for (int i = 0; i < kSamples; ++i) {
        const SevenCards seven = RandomSeven(rng);
        FiveCards best{};
        std::int32_t hole = 0;
        BestOfSeven(seven, best, hole);
        const HandStrength reference = StrengthOf(Classify(best));
        const HandStrength fast = EvaluateCards(seven.data(), 7);
        keyMismatches += fast != reference ? 1 : 0;
        holeMismatches += HoleCardsUsed(seven, fast) != hole ? 1 : 0;
    }
    EXPECT_EQ(keyMismatches, 0);
    EXPECT_EQ(holeMismatches, 0);
}

TEST(FastEval, OrdersHandsLikeANaiveEvaluator) {
    std::mt19937 rng(7);
    int mismatches = 0;
    for (int i = 0; i < kSamples / 8; ++i) {
        const SevenCards a = RandomSeven(rng);
        const SevenCards b = RandomSeven(rng);
        const HandStrength fa = EvaluateCards(a.data(), 7);
        const HandStrength fb = EvaluateCards(b.data(), 7);
        const Score na = NaiveSeven(a);
        const Score nb = NaiveSeven(b);
        const int fastOrder = (fa > fb) - (fa < fb);
        const int naiveOrder = (na > nb) - (na < nb);
        mismatches += fastOrder != naiveOrder || CategoryOf(fa) != std::get<0>(na) ? 1 : 0;
    }
    EXPECT_EQ(mismatches, 0);
}

// The lookup tables against the table-free bit-mask evaluation on every
// six-card hand (the five- and seven-card hands are checked exhaustively by
// HandEval.EveryFiveCardHand and the handcount tool).
TEST(FastEval, EverySixCardHandMatchesTheBitMaskEvaluation) {
    long long hands = 0;
    long long mismatches = 0;
    for (int a = 0; a < 47; ++a) {
        for (int b = a + 1; b < 48; ++b) {
            const HandMasks ab = kCardMasks[a] + kCardMasks[b];
            for (int c = b + 1; c < 49; ++c) {
                for (int d = c + 1; d < 50; ++d) {
                    const HandMasks abcd = ab + kCardMasks[c] + kCardMasks[d];
                    for (int e = d + 1; e < 51; ++e) {
                        for (int f = e + 1; f < 52; ++f) {
                            const HandMasks six = abcd + kCardMasks[e] + kCardMasks[f];
                            mismatches += six.Evaluate() != six.EvaluateByBits() ? 1 : 0;
                            ++hands;
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(hands, 20358520);
    EXPECT_EQ(mismatches, 0);
}

TEST(FastEval, SpecialSevenCardShapes) {
    using test::Seven;
    // Three pairs: the third pair's card can be the kicker.
    EXPECT_EQ(KeyOf(EvaluateCards(Seven("As Ad Kc Kh Qs Qd 2c").data(), 7)),
              (HandKey{TwoPair, 0, 12, 11, 0, 0}));
    // Two threes make a full house with the lower three as the pair.
    EXPECT_EQ(KeyOf(EvaluateCards(Seven("9s 9d 9c 5h 5s 5d 2c").data(), 7)),
              (HandKey{FullHouse, 8, 4, 0, 0, 0}));
    // A six-card straight keeps its top; the wheel with a six is six-high.
    EXPECT_EQ(KeyOf(EvaluateCards(Seven("As 2d 3c 4h 5s 6d Kc").data(), 7)),
              (HandKey{Straight, 5, 0, 0, 0, 0}));
    // A straight flush beats the bigger plain straight beside it.
    EXPECT_EQ(KeyOf(EvaluateCards(Seven("4s 5s 6s 7s 8s 9d Th").data(), 7)),
              (HandKey{StraightFlush, 7, 0, 0, 0, 0}));
    // Four of a kind with a pair beside it takes the best kicker.
    EXPECT_EQ(KeyOf(EvaluateCards(Seven("7s 7d 7c 7h 2s 2d Kc").data(), 7)),
              (HandKey{FourOfKind, 6, 12, 0, 0, 0}));
}

TEST(FastEval, DistinctnessCheck) {
    using test::ParseCards;
    const auto good = ParseCards("As Kd 2c");
    EXPECT_TRUE(AllRealAndDistinct(good.data(), 3));
    const auto twice = ParseCards("As Kd As");
    EXPECT_FALSE(AllRealAndDistinct(twice.data(), 3));
    const Card withNone[2] = {Card{0, 0}, kNoCard};
    EXPECT_FALSE(AllRealAndDistinct(withNone, 2));
}

} // namespace
} // namespace quillory
