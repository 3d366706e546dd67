#pragma once

// The draws of the Monte Carlo range equity (RangeSampler.cpp): alias tables
// for weighted combos and pairs of combos, and uniform cards from those left.
#include "platform/Random.h"
#include "range/EquityDetail.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quillory::equity {

// Walker's alias method over any weights: one 64-bit number per draw, its
// low half choosing a column and its high half keeping the column or taking
// its alias.
struct AliasTable {
    std::vector<std::uint64_t> threshold; // keep the column when the high half is below
    std::vector<std::uint32_t> alias;

    explicit AliasTable(const std::vector<double>& weight) {
        const auto size = static_cast<std::uint32_t>(weight.size());
        threshold.assign(size, std::uint64_t{1} << 32);
        alias.resize(size);
        double sum = 0.0;
        for (const double w : weight) {
            sum += w;
        }
        std::vector<double> scaled(size);
        std::vector<std::uint32_t> small;
        std::vector<std::uint32_t> large;
        for (std::uint32_t i = 0; i < size; ++i) {
            alias[i] = i;
            scaled[i] = weight[i] * size / sum;
            (scaled[i] < 1.0 ? small : large).push_back(i);
        }
        while (!small.empty() && !large.empty()) {
            const std::uint32_t s = small.back();
            const std::uint32_t l = large.back();
            small.pop_back();
            threshold[s] = static_cast<std::uint64_t>(scaled[s] * 4294967296.0);
            alias[s] = l;
            scaled[l] -= 1.0 - scaled[s];
            if (scaled[l] < 1.0) {
                large.pop_back();
                small.push_back(l);
            }
        }
    }
};

// What one draw deals: one ranged seat's combo, or for the first two ranged
// seats together one of their card-disjoint pairs of combos (weighted by the
// product of both weights, so the pair is the one a draw of each followed by
// the rejection of shared cards would accept, without the rejections).
struct DrawUnit {
    std::vector<CardMask> mask;     // every card the entry deals
    std::vector<HandMasks> hand[2]; // per seat of the unit, its two cards
    AliasTable table;
    std::array<int, 2> seat{0, 0};
    int width{1};
};

// A unit's arrays gathered so that a trial follows no vector.
struct FlatUnit {
    const CardMask* mask{nullptr};
    std::array<const HandMasks*, 2> hand{};
    const std::uint64_t* threshold{nullptr};
    const std::uint32_t* alias{nullptr};
    std::uint32_t size{0};
    std::array<int, 2> seat{0, 0};
    int width{1};

    std::uint32_t Draw(std::uint64_t bits) const {
        const std::uint32_t i = ScaleToBound(static_cast<std::uint32_t>(bits), size);
        return (bits >> 32) < threshold[i] ? i : alias[i];
    }
};

// Pair tables up to this many entries (about 0.5 MB at the limit).
constexpr std::size_t kMaxPairEntries = 1U << 15;

inline std::vector<double> WeightsOf(const SeatList& list) {
    return {list.weight.begin(), list.weight.end()};
}

inline DrawUnit SingleUnit(const SeatList& list, int seat) {
    DrawUnit unit{list.mask, {list.hand, {}}, AliasTable(WeightsOf(list)), {seat, 0}, 1};
    return unit;
}

// The pair unit of two seats, or width 0 when it would be too large.
inline DrawUnit PairUnit(const SeatList& a, int seatA, const SeatList& b, int seatB) {
    if (a.mask.size() * b.mask.size() > kMaxPairEntries) {
        return DrawUnit{{}, {}, AliasTable({}), {seatA, seatB}, 0};
    }
    std::vector<CardMask> mask;
    std::vector<HandMasks> handA;
    std::vector<HandMasks> handB;
    std::vector<double> weight;
    for (std::size_t i = 0; i < a.mask.size(); ++i) {
        for (std::size_t j = 0; j < b.mask.size(); ++j) {
            if ((a.mask[i] & b.mask[j]) == 0) {
                mask.push_back(a.mask[i] | b.mask[j]);
                handA.push_back(a.hand[i]);
                handB.push_back(b.hand[j]);
                weight.push_back(static_cast<double>(a.weight[i]) * b.weight[j]);
            }
        }
    }
    return DrawUnit{std::move(mask),
                    {std::move(handA), std::move(handB)},
                    AliasTable(weight),
                    {seatA, seatB},
                    2};
}

// Cards dealt uniformly from those not yet used: a 64-bit number gives five
// draws from 52 by repeated multiplication (its top bits times 52 are the
// card, the rest times 52 the next number), the granularity staying far
// below 2^-32; a card already used is drawn again.
__extension__ using Wide = unsigned __int128;

class CardDealer {
public:
    explicit CardDealer(RandomStream& stream) : m_stream(stream) {}

    int Deal(CardMask& used) {
        while (true) {
            if (m_left == 0) {
                m_bits = m_stream.Next64();
                m_left = 5;
            }
            const Wide product = static_cast<Wide>(m_bits) * static_cast<unsigned>(kDeckSize);
            const auto card = static_cast<int>(product >> 64);
            m_bits = static_cast<std::uint64_t>(product);
            --m_left;
            if ((used & CardBit(card)) == 0) {
                used |= CardBit(card);
                return card;
            }
        }
    }

private:
    RandomStream& m_stream;
    std::uint64_t m_bits{0};
    int m_left{0};
};

} // namespace quillory::equity
