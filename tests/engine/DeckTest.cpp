#include "engine/Deck.h"

#include "TestCards.h"
#include "platform/TickCount.h"

#include <gtest/gtest.h>
#include <set>

namespace quillory {
namespace {

using test::C;

TEST(Deck, FreshDeckDealsInIndexOrder) {
    Deck deck;
    EXPECT_EQ(deck.Position(), 0);
    for (int i = 0; i < kDeckSize; ++i) {
        Card card;
        ASSERT_TRUE(deck.Deal(card));
        EXPECT_EQ(card, CardAtFreshIndex(i)) << "index " << i;
    }
    EXPECT_EQ(deck.Cards()[0], C("As"));
    EXPECT_EQ(deck.Cards()[4], C("2s"));
    EXPECT_EQ(deck.Cards()[51], C("Kd"));
}

TEST(Deck, UsedUpDeckLeavesOutputUnchanged) {
    Deck deck;
    Card card;
    for (int i = 0; i < kDeckSize; ++i) {
        ASSERT_TRUE(deck.Deal(card));
    }
    card = C("7h");
    EXPECT_FALSE(deck.Deal(card));
    EXPECT_EQ(card, C("7h"));
    EXPECT_EQ(deck.Position(), 52);
}

TEST(Deck, ReservedCardsAreSkippedInAnyOrder) {
    Deck deck;
    deck.Reserve(C("As"));
    Card card;
    ASSERT_TRUE(deck.Deal(card));
    EXPECT_EQ(card, C("Ah"));
    EXPECT_EQ(deck.Position(), 2);

    Deck other;
    other.Reserve(C("Ah"));
    other.Reserve(C("As"));
    ASSERT_TRUE(other.Deal(card));
    EXPECT_EQ(card, C("Ac"));
}

TEST(Deck, EveryCardLeftReservedGivesNoCard) {
    Deck deck;
    Card card;
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(deck.Deal(card));
    }
    deck.Reserve(C("Kc"));
    deck.Reserve(C("Kd"));
    EXPECT_FALSE(deck.Deal(card));
    EXPECT_EQ(card, kNoCard);
    EXPECT_EQ(deck.Position(), 52);
}

TEST(Deck, LastCardIsDealtWhileOthersAreReserved) {
    Deck deck;
    Card card;
    for (int i = 0; i < 51; ++i) {
        ASSERT_TRUE(deck.Deal(card));
    }
    deck.Reserve(C("2h"));
    ASSERT_TRUE(deck.Deal(card));
    EXPECT_EQ(card, C("Kd"));
}

TEST(Deck, ManyReservedCardsSpillOverAndStillWork) {
    Deck deck;
    for (int i = 0; i < 20; ++i) {
        deck.Reserve(CardAtFreshIndex(i));
    }
    deck.Reserve(kNoCard);
    deck.Reserve(C("As")); // duplicates are accepted
    EXPECT_EQ(deck.Reserved().Size(), 22U);
    Card card;
    ASSERT_TRUE(deck.Deal(card));
    EXPECT_EQ(card, CardAtFreshIndex(20));
}

TEST(Deck, EqualSeedsGiveEqualOrdersOnFreshDecks) {
    Deck a;
    Deck b;
    a.Shuffle(12345);
    b.Shuffle(12345);
    EXPECT_EQ(a.Cards(), b.Cards());
    a.Shuffle(777);
    b.Shuffle(777);
    EXPECT_EQ(a.Cards(), b.Cards());

    Deck c;
    c.Shuffle(12346);
    EXPECT_NE(a.Cards(), c.Cards());
}

TEST(Deck, ShuffleIsAPermutation) {
    Deck deck;
    deck.Shuffle(99);
    deck.Shuffle(99);
    std::set<int> seen;
    for (const Card& c : deck.Cards()) {
        ASSERT_TRUE(IsRealCard(c));
        seen.insert(FreshDeckIndex(c));
    }
    EXPECT_EQ(seen.size(), 52U);
}

TEST(Deck, SecondShuffleWithSameSeedIsNotTheFirstPermutationAgain) {
    // Applying the first permutation p twice would give q[k] = p[p[k]].
    Deck once;
    once.Shuffle(4242);
    std::array<Card, kDeckSize> twiceSame{};
    for (int k = 0; k < kDeckSize; ++k) {
        const int pk = FreshDeckIndex(once.Cards()[static_cast<std::size_t>(k)]);
        twiceSame[static_cast<std::size_t>(k)] = once.Cards()[static_cast<std::size_t>(pk)];
    }
    Deck twice;
    twice.Shuffle(4242);
    twice.Shuffle(4242);
    EXPECT_NE(twice.Cards(), twiceSame);
    EXPECT_NE(twice.Cards(), once.Cards());
}

TEST(Deck, OrderDoesNotDependOnWhenItIsLookedAt) {
    // The shuffle settles positions as they are dealt; looking at the whole
    // order early, or dealing with reserved cards skipped, must not change it.
    Deck looked;
    looked.Shuffle(2024);
    looked.Shuffle(2024);
    const auto order = looked.Cards();

    Deck dealt;
    dealt.Shuffle(2024);
    dealt.Shuffle(2024);
    dealt.Reserve(order[3]);
    Card card;
    for (int pos = 0; pos < kDeckSize; ++pos) {
        if (pos == 3) {
            continue;
        }
        ASSERT_TRUE(dealt.Deal(card));
        EXPECT_EQ(card, order[static_cast<std::size_t>(pos)]) << "position " << pos;
    }
    EXPECT_EQ(dealt.Cards(), order);
}

TEST(Deck, SeedZeroUsesTheTickCount) {
    Deck a;
    Deck b;
    a.Shuffle(0, SeedSource::Fixed(31337));
    b.Shuffle(31337);
    EXPECT_EQ(a.Cards(), b.Cards());
    // A nonzero seed never reads the source.
    a.Shuffle(5, SeedSource::Fixed(99));
    b.Shuffle(5, SeedSource::Fixed(31337));
    EXPECT_EQ(a.Cards(), b.Cards());
}

TEST(Deck, ShuffleRestartsDealingAndKeepsReservedCards) {
    Deck deck;
    deck.Reserve(C("Qh"));
    Card card;
    for (int i = 0; i < 10; ++i) {
        deck.Deal(card);
    }
    deck.Shuffle(5);
    EXPECT_EQ(deck.Position(), 0);
    EXPECT_EQ(deck.Reserved().Size(), 1U);
    for (int i = 0; i < 51; ++i) {
        ASSERT_TRUE(deck.Deal(card));
        EXPECT_NE(card, C("Qh"));
    }
    EXPECT_FALSE(deck.Deal(card));
}

TEST(TickCount, RealClockDoesNotGoBackwards) {
    const std::uint32_t a = GetTickCount();
    const std::uint32_t b = GetTickCount();
    EXPECT_LE(a, b);
}

} // namespace
} // namespace quillory
