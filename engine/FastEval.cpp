#include "engine/FastEval.h"

namespace quillory {

namespace {

constexpr std::uint32_t kUnused = 13; // an unused key is rank 0, whose value is 13

constexpr HandStrength Pack(std::uint32_t category, std::uint32_t v1, std::uint32_t v2 = kUnused,
                            std::uint32_t v3 = kUnused, std::uint32_t v4 = kUnused,
                            std::uint32_t v5 = kUnused) {
    return (category << 20) | (v1 << 16) | (v2 << 12) | (v3 << 8) | (v4 << 4) | v5;
}

inline std::uint32_t TopBit(std::uint32_t mask) {
    return 31U - static_cast<std::uint32_t>(std::countl_zero(mask));
}

// Top value of a straight in the mask (4 Five-high ... 13 Ace-high), or 0.
inline std::uint32_t StraightTop(std::uint32_t mask) {
    const std::uint32_t m = mask | ((mask >> 13) & 1U); // the ace also plays low, at bit 0
    const std::uint32_t runs = m & (m << 1) & (m << 2) & (m << 3) & (m << 4);
    return runs != 0 ? TopBit(runs) : 0;
}

// The `count` highest values of the mask, highest first, into v.
inline void TopValues(std::uint32_t mask, int count, std::uint32_t* v) {
    for (int i = 0; i < count; ++i) {
        v[i] = TopBit(mask);
        mask &= ~(1U << v[i]);
    }
}

} // namespace

HandKey KeyOf(HandStrength s) {
    auto rank = [](std::uint32_t v) { return static_cast<std::int32_t>(v == 13 ? 0 : v); };
    return HandKey{CategoryOf(s),        rank((s >> 16) & 15U), rank((s >> 12) & 15U),
                   rank((s >> 8) & 15U), rank((s >> 4) & 15U),  rank(s & 15U)};
}

HandStrength HandMasks::Evaluate() const {
    const std::uint32_t a = suits[0];
    const std::uint32_t b = suits[1];
    const std::uint32_t c = suits[2];
    const std::uint32_t d = suits[3];

    for (const std::uint32_t suitMask : {a, b, c, d}) {
        if (std::popcount(suitMask) >= 5) {
            // At most seven cards: a flush excludes four of a kind and a full house.
            if (const std::uint32_t top = StraightTop(suitMask)) {
                return Pack(StraightFlush, top);
            }
            std::uint32_t v[5];
            TopValues(suitMask, 5, v);
            return Pack(Flush, v[0], v[1], v[2], v[3], v[4]);
        }
    }

    const std::uint32_t any = a | b | c | d;
    const std::uint32_t four = a & b & c & d;
    const std::uint32_t three = ((a & b) & (c | d)) | ((c & d) & (a | b));
    const std::uint32_t two = (a & b) | (a & c) | (a & d) | (b & c) | (b & d) | (c & d);

    if (four != 0) {
        const std::uint32_t quad = TopBit(four);
        return Pack(FourOfKind, quad, TopBit(any & ~(1U << quad)));
    }
    if (three != 0) {
        const std::uint32_t trips = TopBit(three);
        const std::uint32_t pairs = two & ~(1U << trips);
        if (pairs != 0) {
            return Pack(FullHouse, trips, TopBit(pairs));
        }
    }
    if (const std::uint32_t top = StraightTop(any)) {
        return Pack(Straight, top);
    }
    std::uint32_t v[5];
    if (three != 0) {
        const std::uint32_t trips = TopBit(three);
        TopValues(any & ~(1U << trips), 2, v);
        return Pack(ThreeOfKind, trips, v[0], v[1]);
    }
    if (std::popcount(two) >= 2) {
        std::uint32_t p[2];
        TopValues(two, 2, p);
        return Pack(TwoPair, p[0], p[1], TopBit(any & ~(1U << p[0]) & ~(1U << p[1])));
    }
    if (two != 0) {
        const std::uint32_t pair = TopBit(two);
        TopValues(any & ~(1U << pair), 3, v);
        return Pack(OnePair, pair, v[0], v[1], v[2]);
    }
    TopValues(any, 5, v);
    return Pack(HighCard, v[0], v[1], v[2], v[3], v[4]);
}

HandStrength EvaluateCards(const Card* cards, int count) {
    HandMasks masks;
    for (int i = 0; i < count; ++i) {
        masks.Add(cards[i]);
    }
    return masks.Evaluate();
}

bool AllRealAndDistinct(const Card* cards, int count) {
    std::uint64_t seen = 0;
    for (int i = 0; i < count; ++i) {
        if (!IsRealCard(cards[i])) {
            return false;
        }
        const std::uint64_t bit = 1ULL << FreshDeckIndex(cards[i]);
        if ((seen & bit) != 0) {
            return false;
        }
        seen |= bit;
    }
    return true;
}

std::int32_t HoleCardsUsed(const SevenCards& seven, HandStrength best) {
    for (int index = 0; index < kCombinations; ++index) {
        const auto& positions = kCombinationPositions[static_cast<std::size_t>(index)];
        Card five[5];
        std::int32_t hole = 0;
        for (std::size_t i = 0; i < 5; ++i) {
            const auto p = static_cast<std::size_t>(positions[i]);
            five[i] = seven[p];
            hole += p >= 5 ? 1 : 0;
        }
        if (EvaluateCards(five, 5) == best) {
            return hole;
        }
    }
    return 0; // unreachable when `best` is the strength of the seven cards
}

} // namespace quillory
