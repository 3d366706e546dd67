#pragma once

#include "engine/Card.h"
#include "engine/InlineVector.h"
#include "platform/TickCount.h"

#include <array>
#include <cstdint>

namespace quillory {

// The cards that dealing skips, in the order they were reserved. A deck that
// reserves a handful of known cards (the usual case) needs no heap.
using ReservedCards = InlineVector<Card, 8>;

// The fresh order as card indices 0 to 51: index i is the card at position i
// of an unshuffled deck (CardAtFreshIndex).
inline constexpr std::array<std::uint8_t, kDeckSize> kFreshOrder = [] {
    std::array<std::uint8_t, kDeckSize> order{};
    for (int i = 0; i < kDeckSize; ++i) {
        order[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    }
    return order;
}();

// A 52-card deck for one deal. Construction lays the cards out in the fresh
// order: the card at index 4 * rank + suit, so dealing an unshuffled deck
// gives the Ace of Spade, Ace of Heart, Ace of Club, Ace of Diamond, Two of
// Spade, ... King of Diamond.
//
// Callers build a deck, shuffle it (twice, by convention), optionally reserve
// the cards known to be elsewhere, and deal what they need. Reserve may come
// before or after Shuffle; Shuffle never touches the reserved list.
class Deck {
public:
    Deck();

    // Puts the cards into a uniformly random order derived from the seed and
    // restarts dealing at position 0. A seed of 0 means: use a read of
    // `ticks` instead, the system's tick count unless the caller passes its
    // own source.
    // The order is a function of the seed and of the deck's current order, so
    // two fresh decks shuffled with equal seeds end in equal orders, while a
    // second shuffle of the same deck with the same seed is a new, independent
    // permutation rather than the first one applied again. Reseeds this
    // thread's generator.
    //
    // The shuffle is a Fisher-Yates pass from the front, carried out lazily:
    // position k is settled only when it is dealt or the order is looked at.
    // A deal of a few cards after the second shuffle thus costs a few steps,
    // not 51; the order is the same either way.
    void Shuffle(std::int32_t seed, const SeedSource& ticks = SeedSource::Clock());

    // Hands out the next card that is not reserved. Returns false when the
    // deck is used up: `out` is left unchanged if no position was left at all,
    // and set to no card if every remaining card was reserved. Each skipped
    // card uses up a position.
    bool Deal(Card& out);

    // Adds a card to the reserved list. Not validated: duplicates, no card and
    // cards already dealt are accepted. Always returns true.
    bool Reserve(const Card& card);

    // Index of the next card to hand out: 0 to 51 while dealing, 52 when used up.
    std::int32_t Position() const { return m_position; }
    // The cards in deal order.
    std::array<Card, kDeckSize> Cards() const;
    const ReservedCards& Reserved() const { return m_reserved; }

private:
    // Runs the pending shuffle's steps up to and including position `last`
    // (and a few beyond, so dealing card by card settles in batches).
    void SettleThrough(int last) const {
        if (m_settled <= last) {
            Settle(last + 7);
        }
    }
    void Settle(int last) const;
    // Shuffles a deck that is still in the fresh order, eagerly.
    void ShuffleFresh();

    std::int32_t m_position{0};
    // The order as fresh-deck indices (4 * rank + suit): a byte per card keeps
    // the shuffle's swaps and the deck's construction cheap.
    mutable std::array<std::uint8_t, kDeckSize> m_order;
    ReservedCards m_reserved{};
    // The reserved real cards as a set of fresh-deck indices. Only real cards
    // lie in the deck, so a dealt card is reserved exactly when its bit is set.
    std::uint64_t m_reservedMask{0};
    // The pending shuffle: positions below m_settled are final; the others are
    // still to be drawn from m_shuffleState.
    mutable std::int32_t m_settled{kDeckSize};
    mutable std::uint64_t m_shuffleState{0};
    mutable std::uint64_t m_shuffleBits{0};
    // True until the first shuffle: the order is then the fresh one.
    bool m_fresh{true};
};

} // namespace quillory
