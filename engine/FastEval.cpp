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

HandStrength HandMasks::EvaluateByBits() const {
    // A suit counter of 5 or more gets bit 3 set once 3 is added to it.
    const std::uint64_t flushFlags = (counts + 0x3333U) & 0x8888U;
    if (flushFlags != 0) {
        // At most seven cards: a flush excludes four of a kind and a full house.
        const auto suit = static_cast<unsigned>(std::countr_zero(flushFlags)) / 4U;
        const auto suitMask = static_cast<std::uint32_t>((bits >> (16U * suit)) & 0xFFFFU);
        if (const std::uint32_t top = StraightTop(suitMask)) {
            return Pack(StraightFlush, top);
        }
        std::uint32_t v[5];
        TopValues(suitMask, 5, v);
        return Pack(Flush, v[0], v[1], v[2], v[3], v[4]);
    }

    const auto a = static_cast<std::uint32_t>(bits & 0xFFFFU);
    const auto b = static_cast<std::uint32_t>((bits >> 16) & 0xFFFFU);
    const auto c = static_cast<std::uint32_t>((bits >> 32) & 0xFFFFU);
    const auto d = static_cast<std::uint32_t>(bits >> 48);
    const std::uint32_t any = a | b | c | d;
    const std::uint32_t ab = a & b;
    const std::uint32_t cd = c & d;
    const std::uint32_t four = ab & cd;
    const std::uint32_t three = (ab & (c | d)) | (cd & (a | b));
    const std::uint32_t two = ab | cd | ((a | b) & (c | d));

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
    if (two != 0) {
        const std::uint32_t high = TopBit(two);
        const std::uint32_t rest = two & ~(1U << high);
        if (rest != 0) {
            const std::uint32_t low = TopBit(rest);
            return Pack(TwoPair, high, low, TopBit(any & ~(1U << high) & ~(1U << low)));
        }
        TopValues(any & ~(1U << high), 3, v);
        return Pack(OnePair, high, v[0], v[1], v[2]);
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
    std::array<HandMasks, 7> single{};
    for (std::size_t i = 0; i < 7; ++i) {
        single[i].Add(seven[i]);
    }
    for (int index = 0; index < kCombinations; ++index) {
        const auto& p = kCombinationPositions[static_cast<std::size_t>(index)];
        const HandMasks five =
            single[static_cast<std::size_t>(p[0])] + single[static_cast<std::size_t>(p[1])] +
            single[static_cast<std::size_t>(p[2])] + single[static_cast<std::size_t>(p[3])] +
            single[static_cast<std::size_t>(p[4])];
        if (five.Evaluate() == best) {
            return (p[3] >= 5 ? 1 : 0) + (p[4] >= 5 ? 1 : 0);
        }
    }
    return 0; // unreachable when `best` is the strength of the seven cards
}

} // namespace quillory
