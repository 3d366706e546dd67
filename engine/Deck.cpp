#include "engine/Deck.h"

#include "platform/Random.h"
#include "platform/TickCount.h"

#include <utility>

namespace quillory {

Deck::Deck() {
    for (int i = 0; i < kDeckSize; ++i) {
        m_cards[static_cast<std::size_t>(i)] = CardAtFreshIndex(i);
    }
}

namespace {

// A fingerprint of the deck's current order. Folding it into the seed makes a
// second shuffle with the same seed a different permutation: a fresh deck
// always has the same fingerprint, a shuffled one almost never does. The top
// eight cards carry enough of the order for that (52^8 possibilities).
std::uint32_t OrderFingerprint(const std::array<Card, kDeckSize>& cards) {
    std::uint64_t h = 0;
    for (int i = 0; i < 8; ++i) {
        const Card& c = cards[static_cast<std::size_t>(i)];
        h = (h << 6) | static_cast<std::uint64_t>((4 * c.rank + c.suit) & 63);
    }
    h *= 0x9E3779B97F4A7C15ULL;
    return static_cast<std::uint32_t>(h >> 32);
}

} // namespace

void Deck::Shuffle(std::int32_t seed) {
    m_position = 0;
    std::uint32_t s = seed == 0 ? GetTickCount() : static_cast<std::uint32_t>(seed);
    s ^= OrderFingerprint(m_cards);

    // Seed twice, the second time with the generator's own first output.
    SeedRandom(s);
    SeedRandom(static_cast<std::uint32_t>(NextRandom()));

    // Fisher-Yates from the top. Each 64-bit draw gives two 32-bit numbers,
    // each scaled into 0..i by a multiply and shift; the bias of that scaling
    // is below 52 / 2^32 per draw, far beneath anything measurable.
    std::uint64_t bits = 0;
    bool haveHalf = false;
    for (int i = kDeckSize - 1; i > 0; --i) {
        std::uint32_t r;
        if (haveHalf) {
            r = static_cast<std::uint32_t>(bits >> 32);
        } else {
            bits = NextRandom64();
            r = static_cast<std::uint32_t>(bits);
        }
        haveHalf = !haveHalf;
        const auto j = static_cast<std::size_t>(
            (static_cast<std::uint64_t>(r) * static_cast<std::uint64_t>(i + 1)) >> 32);
        std::swap(m_cards[static_cast<std::size_t>(i)], m_cards[j]);
    }
}

bool Deck::Deal(Card& out) {
    if (m_position > kDeckSize - 1) {
        return false;
    }
    out = m_cards[static_cast<std::size_t>(m_position++)];
    while (m_reserved.Contains(out)) {
        if (m_position > kDeckSize - 1) {
            out = kNoCard;
            return false;
        }
        out = m_cards[static_cast<std::size_t>(m_position++)];
    }
    return true;
}

bool Deck::Reserve(const Card& card) {
    m_reserved.PushBack(card);
    return true;
}

} // namespace quillory
