#pragma once

// The sampled trial written out for the commonest requests (RangeSampler.cpp):
// one draw unit (RangeDraw.h: the first two ranged seats as one pair from
// their pair table, or the only ranged seat) and at most two seats holding
// random cards. A trial draws the unit's entry, then deals the unknown board
// cards and the random seats' cards from the cards the entry, the board and
// the dead cards leave, without any rejection: the n cards are n distinct
// positions in that entry's list of cards left: a uniform set of positions
// when only board cards are dealt (DrawSet), uniform ordered n-tuples when
// random seats take their two cards from them (DrawDistinct). An entry with
// its list fills one cache line. Hands are evaluated counts first; a suit's
// rank bits are gathered only when the suit counters show five of a suit.
#include "range/RangeDraw.h"

#include <algorithm>
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

// `N` distinct positions 0 to left - 1 as a uniform set of N (Floyd's
// algorithm): step k takes t uniform in 0 to j = left - N + k, or j itself
// when t is already taken. Their order is not uniform, so only a deal whose
// order does not matter (board cards alone) uses it. Digit k of the 64-bit
// number is hi(r * P_k) - m_k * hi(r * P_(k-1)), with m_k = j + 1 its bound
// and P_k the product of m_0..m_k (`product`), the same digits as a chain of
// multiplications, without any digit waiting on the one before it.
template <int N>
inline void DrawSet(RandomStream& stream, const std::uint64_t* product, const std::uint32_t* bound,
                    std::uint32_t* position) {
    static_assert(N <= 5, "one 64-bit number per set");
    const std::uint64_t bits = stream.Next64();
    std::uint64_t taken = 0;
    std::uint32_t previous = 0;
#pragma GCC unroll 8
    for (int k = 0; k < N; ++k) {
        const auto high = static_cast<std::uint32_t>((static_cast<Wide>(bits) * product[k]) >> 64);
        const std::uint32_t t = high - bound[k] * previous;
        previous = high;
        const std::uint32_t v = ((taken >> t) & 1U) != 0 ? bound[k] - 1 : t;
        taken |= std::uint64_t{1} << v;
        position[k] = v;
    }
}

// One drawable entry of a unit of `Width` seats in one cache line: per seat
// its two cards' HandMasks::counts, with the two cards themselves (fresh-deck
// indices) in bits 16-21 and 22-27, which the counts leave free (the suit
// counters end at bit 15 and never carry into them, the rank key starts at
// bit 32), so sums with board cards keep them; then the cards the entry, the
// board and the dead cards leave, in increasing order.
template <int Width> struct alignas(64) UnitEntry {
    std::array<std::uint64_t, Width> counts;
    std::array<std::uint8_t, 64 - 8 * Width> left;
};

// The two cards a seat's counts carry (see UnitEntry), as six bits each.
constexpr std::uint64_t kHoleShift = 16;

// A unit's table laid out for the trial: the entries and their alias
// columns.
struct UnitDeal {
    std::vector<UnitEntry<1>> singles; // a single seat's entries
    std::vector<UnitEntry<2>> pairs;   // or a pair's
    // Per alias column: keep it when the high half of the draw is below the
    // low half, else take the entry in the high half. The threshold 2^32 of
    // a full column is stored as 2^32 - 1: a full column is its own alias.
    std::vector<std::uint64_t> columns;
    std::uint32_t columnCount{0};
    std::uint32_t leftCount{0};
    std::array<int, 2> seat{0, 0};
    std::uint64_t boardCounts{0}; // the known board's HandMasks::counts
    std::uint64_t boardBits{0};   // and its HandMasks::bits
    std::array<std::uint64_t, kMaxUnitDealt> scale{};
    std::array<std::uint32_t, kMaxUnitDealt> bound{};
    std::array<std::array<std::uint64_t, 5>, 6> setProduct{}; // DrawSet's, by board cards dealt
    std::array<std::array<std::uint32_t, 5>, 6> setBound{};

    // From the draw unit `unit`, with `taken` the known and dead cards.
    UnitDeal(const DrawUnit& unit, CardMask taken, const HandMasks& board) {
        leftCount = static_cast<std::uint32_t>(kDeckSize - std::popcount(taken) - 2 * unit.width);
        if (unit.width == 2) {
            Fill(unit, taken, pairs);
        } else {
            Fill(unit, taken, singles);
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
        for (std::uint32_t n = 1; n < setBound.size() && n <= leftCount; ++n) {
            product = 1;
            for (std::uint32_t k = 0; k < n; ++k) {
                setBound[n][k] = leftCount - n + k + 1;
                product *= setBound[n][k];
                setProduct[n][k] = product;
            }
        }
    }

    template <int Width>
    void Fill(const DrawUnit& unit, CardMask taken, std::vector<UnitEntry<Width>>& entries) {
        constexpr CardMask kDeck = (CardMask{1} << kDeckSize) - 1;
        const auto size = unit.mask.size();
        entries.resize(size);
        columns.resize(size);
        columnCount = static_cast<std::uint32_t>(size);
        for (std::size_t i = 0; i < size; ++i) {
            UnitEntry<Width>& e = entries[i];
            columns[i] = std::min<std::uint64_t>(unit.table.threshold[i], 0xFFFFFFFFU) |
                         (std::uint64_t{unit.table.alias[i]} << 32);
            for (std::size_t s = 0; s < Width; ++s) {
                e.counts[s] = unit.hand[s][i].counts;
            }
            std::array<unsigned, Width> held{};
            for (CardMask cards = unit.mask[i]; cards != 0; cards &= cards - 1) {
                const int c = std::countr_zero(cards);
                const bool first =
                    (unit.hand[0][i].bits & kCardMasks[static_cast<std::size_t>(c)].bits) != 0;
                const std::size_t s = first ? 0 : 1;
                e.counts[s] |= std::uint64_t(c) << (kHoleShift + 6 * held[s]++);
            }
            std::size_t k = 0;
            for (CardMask free = kDeck & ~(taken | unit.mask[i]); free != 0; free &= free - 1) {
                e.left[k++] = static_cast<std::uint8_t>(std::countr_zero(free));
            }
        }
    }

    template <int Width> const UnitEntry<Width>& Draw(std::uint64_t bits) const {
        const std::uint64_t column =
            (std::uint64_t{static_cast<std::uint32_t>(bits)} * columnCount) >> 32;
        const std::uint64_t entry = columns[column];
        const std::uint64_t i =
            (bits >> 32) < static_cast<std::uint32_t>(entry) ? column : entry >> 32;
        if constexpr (Width == 2) {
            return pairs[i];
        } else {
            return singles[i];
        }
    }

    // The ordinal of a hand whose counts are `counts`: the known board, the
    // `Dealt` board cards in `card` and the hole cards in `hole` (six bits
    // each).
    template <int Dealt>
    static HandOrdinal Showdown(std::uint64_t counts, std::uint64_t boardBits,
                                const std::uint8_t* card, std::uint64_t hole) {
        const std::uint64_t flush = (counts + 0x3333U) & 0x8888U;
        if (flush != 0) [[unlikely]] {
            std::uint64_t bits =
                boardBits | kCardMasks[hole & 63U].bits | kCardMasks[(hole >> 6) & 63U].bits;
            for (int k = 0; k < Dealt; ++k) {
                bits |= kCardMasks[card[k]].bits;
            }
            const auto suit = static_cast<unsigned>(std::countr_zero(flush)) / 4U;
            return kFlushOrdinals[(bits >> (16U * suit + 1U)) & 0x1FFFU];
        }
        return EvalTables::OrdinalOfRankKey(static_cast<std::uint32_t>(counts >> 32));
    }

    // One trial of a unit of `Width` seats with `Dealt` unknown board cards
    // and `Random` random seats: the ordinals of the unit's seats, then of the
    // random seats, into `ordinal`.
    template <int Width, int Dealt, int Random>
    void Trial(RandomStream& stream, HandOrdinal* ordinal) const {
        constexpr int kCards = Dealt + 2 * Random;
        const UnitEntry<Width>& e = Draw<Width>(stream.Next64());
        std::uint32_t position[kCards > 0 ? kCards : 1];
        if constexpr (Random == 0 && kCards > 0) {
            DrawSet<kCards>(stream, setProduct[kCards].data(), setBound[kCards].data(), position);
        } else {
            DrawDistinct<kCards>(stream, scale.data(), bound.data(), position);
        }
        std::uint8_t card[kCards > 0 ? kCards : 1];
#pragma GCC unroll 16
        for (int k = 0; k < kCards; ++k) {
            card[k] = e.left[position[k]];
        }
        std::uint64_t board = boardCounts;
#pragma GCC unroll 8
        for (int k = 0; k < Dealt; ++k) {
            board += kCardCounts[card[k]];
        }
#pragma GCC unroll 2
        for (int s = 0; s < Width; ++s) {
            ordinal[s] =
                Showdown<Dealt>(board + e.counts[s], boardBits, card, e.counts[s] >> kHoleShift);
        }
#pragma GCC unroll 4
        for (int r = 0; r < Random; ++r) {
            const unsigned first = card[Dealt + 2 * r];
            const unsigned second = card[Dealt + 2 * r + 1];
            ordinal[Width + r] = Showdown<Dealt>(board + kCardCounts[first] + kCardCounts[second],
                                                 boardBits, card, first | (second << 6));
        }
    }
};

} // namespace quillory::equity
