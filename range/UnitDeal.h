#pragma once

// The sampled trial written out for the commonest requests (RangeSampler.cpp):
// one draw unit (RangeDraw.h: the first two ranged seats as one pair from
// their pair table, or the only ranged seat) and at most two seats holding
// random cards. A trial draws the unit's entry, then deals the unknown board
// cards and the random seats' cards from the cards the entry, the board and
// the dead cards leave, without any rejection: the n cards are n distinct
// positions in that entry's list of cards left, drawn uniformly over ordered
// n-tuples (DrawDistinct). Hands are evaluated counts first; a suit's rank
// bits are gathered only when the suit counters show five of a suit.
#include "range/RangeDraw.h"

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace quillory::equity {

// The most cards one trial of this kind deals: the whole board and two
// random seats.
constexpr int kMaxUnitDealt = 9;

// `N` distinct positions 0 to left - 1, uniform over ordered N-tuples. Digit
// k is uniform in 0 to left - k - 1 (five digits per 64-bit number, in mixed
// radix; `scale[k]` is the product of the earlier digits' bounds in the same
// number, so every digit is one multiplication away from the number). The
// digits are then made distinct from the last to the first: digit k is
// placed and every later position at or above it moves up one, a one-to-one
// map from the digits onto the ordered tuples of distinct positions.
template <int N>
inline void DrawDistinct(RandomStream& stream, const std::uint64_t* scale,
                         const std::uint32_t* bound, std::uint32_t* position) {
    std::uint64_t bits = 0;
#pragma GCC unroll 16
    for (int k = 0; k < N; ++k) {
        if (k % 5 == 0) {
            bits = stream.Next64();
        }
        const std::uint64_t digit = bits * scale[k];
        position[k] = static_cast<std::uint32_t>((static_cast<Wide>(digit) * bound[k]) >> 64);
    }
#pragma GCC unroll 16
    for (int k = N - 2; k >= 0; --k) {
#pragma GCC unroll 16
        for (int j = k + 1; j < N; ++j) {
            position[j] += position[j] >= position[k] ? 1U : 0U;
        }
    }
}

// A unit's table with each entry's cards left, laid out for the trial.
struct UnitDeal {
    // One drawable entry: its alias column and each seat's two cards (the
    // second seat's unused for a single seat).
    struct Entry {
        std::uint64_t threshold; // keep the column when the high half is below
        std::uint32_t alias;
        std::array<std::uint8_t, 4> cards;   // the first seat's two, the second's two
        std::array<std::uint64_t, 2> counts; // per seat, its two cards' HandMasks::counts
    };

    std::vector<Entry> entries;
    std::vector<std::uint8_t> left; // per entry, the cards left in increasing order
    std::uint32_t leftCount{0};
    std::array<int, 2> seat{0, 0};
    std::uint64_t boardCounts{0}; // the known board's HandMasks::counts
    std::uint64_t boardBits{0};   // and its HandMasks::bits
    std::array<std::uint64_t, kMaxUnitDealt> scale{};
    std::array<std::uint32_t, kMaxUnitDealt> bound{};

    // From the draw unit `unit`, with `taken` the known and dead cards.
    UnitDeal(const DrawUnit& unit, CardMask taken, const HandMasks& board) {
        const auto size = unit.mask.size();
        entries.resize(size);
        leftCount = static_cast<std::uint32_t>(kDeckSize - std::popcount(taken) - 2 * unit.width);
        left.resize(size * leftCount);
        constexpr CardMask kDeck = (CardMask{1} << kDeckSize) - 1;
        std::uint8_t* out = left.data();
        for (std::size_t i = 0; i < size; ++i) {
            Entry& e = entries[i];
            e.threshold = unit.table.threshold[i];
            e.alias = unit.table.alias[i];
            int a = 0;
            int b = 2;
            for (CardMask held = unit.mask[i]; held != 0; held &= held - 1) {
                const int c = std::countr_zero(held);
                const bool first =
                    (unit.hand[0][i].bits & kCardMasks[static_cast<std::size_t>(c)].bits) != 0;
                e.cards[static_cast<std::size_t>(first ? a++ : b++)] = static_cast<std::uint8_t>(c);
            }
            for (CardMask free = kDeck & ~(taken | unit.mask[i]); free != 0; free &= free - 1) {
                *out++ = static_cast<std::uint8_t>(std::countr_zero(free));
            }
            e.counts = {unit.hand[0][i].counts, unit.width == 2 ? unit.hand[1][i].counts : 0};
        }
        seat = unit.seat;
        boardCounts = board.counts;
        boardBits = board.bits;
        std::uint64_t product = 1;
        for (std::size_t k = 0; k < kMaxUnitDealt; ++k) {
            if (k % 5 == 0) {
                product = 1;
            }
            scale[k] = product;
            bound[k] = leftCount - static_cast<std::uint32_t>(k);
            product *= bound[k];
        }
    }

    std::uint32_t Draw(std::uint64_t bits) const {
        const auto i = ScaleToBound(static_cast<std::uint32_t>(bits),
                                    static_cast<std::uint32_t>(entries.size()));
        return (bits >> 32) < entries[i].threshold ? i : entries[i].alias;
    }

    // The ordinal of a hand whose counts are `counts`: the known board, the
    // `Dealt` board cards in `card` and the hole cards `first` and `second`.
    template <int Dealt>
    static HandOrdinal Showdown(std::uint64_t counts, std::uint64_t boardBits,
                                const std::uint8_t* card, int first, int second) {
        const std::uint64_t flush = (counts + 0x3333U) & 0x8888U;
        if (flush != 0) [[unlikely]] {
            std::uint64_t bits = boardBits | kCardMasks[static_cast<std::size_t>(first)].bits |
                                 kCardMasks[static_cast<std::size_t>(second)].bits;
            for (int k = 0; k < Dealt; ++k) {
                bits |= kCardMasks[card[k]].bits;
            }
            const auto suit = static_cast<unsigned>(std::countr_zero(flush)) / 4U;
            return kFlushOrdinals[(bits >> (16U * suit + 1U)) & 0x1FFFU];
        }
        return EvalTables::OrdinalOfRankKey(static_cast<std::uint32_t>(counts >> 32));
    }

    // One trial of a unit of `Width` seats with `Dealt` unknown board cards
    // and `Random` random seats (seat numbers in `random`): each seat's
    // ordinal into `ordinal`.
    template <int Width, int Dealt, int Random>
    void Trial(RandomStream& stream, const int* random, HandOrdinal* ordinal) const {
        constexpr int kCards = Dealt + 2 * Random;
        const std::uint32_t i = Draw(stream.Next64());
        const Entry& e = entries[i];
        const std::uint8_t* cardsLeft = left.data() + std::size_t{i} * leftCount;
        std::uint32_t position[kCards > 0 ? kCards : 1];
        DrawDistinct<kCards>(stream, scale.data(), bound.data(), position);
        std::uint8_t card[kCards > 0 ? kCards : 1];
#pragma GCC unroll 16
        for (int k = 0; k < kCards; ++k) {
            card[k] = cardsLeft[position[k]];
        }
        std::uint64_t board = boardCounts;
#pragma GCC unroll 8
        for (int k = 0; k < Dealt; ++k) {
            board += kCardCounts[card[k]];
        }
        ordinal[seat[0]] =
            Showdown<Dealt>(board + e.counts[0], boardBits, card, e.cards[0], e.cards[1]);
        if constexpr (Width == 2) {
            ordinal[seat[1]] =
                Showdown<Dealt>(board + e.counts[1], boardBits, card, e.cards[2], e.cards[3]);
        }
#pragma GCC unroll 4
        for (int r = 0; r < Random; ++r) {
            const int first = card[Dealt + 2 * r];
            const int second = card[Dealt + 2 * r + 1];
            ordinal[random[r]] =
                Showdown<Dealt>(board + kCardCounts[static_cast<std::size_t>(first)] +
                                    kCardCounts[static_cast<std::size_t>(second)],
                                boardBits, card, first, second);
        }
    }
};

} // namespace quillory::equity
