#include "engine/Deck.h"

#include "platform/Random.h"
#include "platform/TickCount.h"

#include <utility>

namespace quillory {

namespace {

constexpr std::array<Card, kDeckSize> kCardOfIndex = [] {
    std::array<Card, kDeckSize> cards{};
    for (int i = 0; i < kDeckSize; ++i) {
        cards[static_cast<std::size_t>(i)] = CardAtFreshIndex(i);
    }
    return cards;
}();

// A fingerprint of the deck's current order. Folding it into the seed makes a
// second shuffle with the same seed a different permutation: a fresh deck
// always has the same fingerprint, a shuffled one almost never does. The top
// eight cards carry enough of the order for that (52^8 possibilities).
constexpr std::uint32_t OrderFingerprint(const std::array<std::uint8_t, kDeckSize>& order) {
    std::uint64_t h = 0;
    for (int i = 0; i < 8; ++i) {
        h = (h << 6) | order[static_cast<std::size_t>(i)];
    }
    h *= 0x9E3779B97F4A7C15ULL;
    return static_cast<std::uint32_t>(h >> 32);
}

constexpr std::uint32_t kFreshFingerprint = OrderFingerprint(kFreshOrder);

} // namespace

Deck::Deck() : m_order(kFreshOrder) {}

std::array<Card, kDeckSize> Deck::Cards() const {
    SettleThrough(kDeckSize - 1);
    std::array<Card, kDeckSize> cards{};
    for (std::size_t i = 0; i < cards.size(); ++i) {
        cards[i] = kCardOfIndex[m_order[i]];
    }
    return cards;
}

void Deck::Shuffle(std::int32_t seed, const SeedSource& ticks) {
    SettleThrough(kDeckSize - 1); // this shuffle applies to the current order
    m_position = 0;
    std::uint32_t s = seed == 0 ? ticks.Read() : static_cast<std::uint32_t>(seed);
    s ^= m_fresh ? kFreshFingerprint : OrderFingerprint(m_order);

    // Seed twice, the second time with the generator's own first output.
    SeedRandom(s);
    SeedRandom(static_cast<std::uint32_t>(NextRandom()));
    m_shuffleState = RandomState();
    if (m_fresh) {
        ShuffleFresh();
        m_fresh = false;
    } else {
        m_settled = 0;
    }
}

void Deck::ShuffleFresh() {
    // The inside-out form of Fisher-Yates builds a uniform order of the fresh
    // cards without first laying them out: step i places card i at a position
    // drawn uniformly from 0..i and moves what stood there to position i. It
    // reads one byte per step where a swap reads two, which matters because
    // every trial of an estimate shuffles a fresh deck in full.
    std::uint64_t state = m_shuffleState;
    std::uint8_t* order = m_order.data();
    auto place = [order](int i, std::uint32_t r) {
        const auto j =
            static_cast<std::size_t>((std::uint64_t{r} * static_cast<std::uint64_t>(i + 1)) >> 32);
        order[i] = order[j];
        order[j] = static_cast<std::uint8_t>(i);
    };
    order[0] = 0;
    for (int i = 1; i + 1 < kDeckSize; i += 2) {
        state += detail::kGolden;
        const std::uint64_t bits = detail::Mix64(state);
        place(i, static_cast<std::uint32_t>(bits));
        place(i + 1, static_cast<std::uint32_t>(bits >> 32));
    }
    state += detail::kGolden;
    place(kDeckSize - 1, static_cast<std::uint32_t>(detail::Mix64(state)));
    m_shuffleState = state;
    m_settled = kDeckSize;
}

void Deck::Settle(int last) const {
    // Step k swaps position k with a position drawn uniformly from k..51. Each
    // 64-bit number of the generator serves two steps (even steps take the low half, odd steps
    // the high half); a half is scaled into 0..51-k by a multiply and shift,
    // whose bias is below 52 / 2^32, far beneath anything measurable.
    if (last > kDeckSize - 2) {
        last = kDeckSize - 2; // the last position has no choice left
    }
    std::uint64_t state = m_shuffleState;
    std::uint64_t bits = m_shuffleBits;
    std::uint8_t* order = m_order.data();
    auto step = [order](int k, std::uint32_t r) {
        const auto j = static_cast<std::size_t>(k) +
                       static_cast<std::size_t>(
                           (std::uint64_t{r} * static_cast<std::uint64_t>(kDeckSize - k)) >> 32);
        std::swap(order[k], order[j]);
    };
    int k = m_settled;
    if ((k & 1) != 0 && k <= last) {
        step(k++, static_cast<std::uint32_t>(bits >> 32));
    }
    for (; k + 1 <= last; k += 2) {
        state += detail::kGolden;
        bits = detail::Mix64(state);
        step(k, static_cast<std::uint32_t>(bits));
        step(k + 1, static_cast<std::uint32_t>(bits >> 32));
    }
    if (k <= last) {
        state += detail::kGolden;
        bits = detail::Mix64(state);
        step(k, static_cast<std::uint32_t>(bits));
    }
    m_shuffleState = state;
    m_shuffleBits = bits;
    m_settled = last + 1 >= kDeckSize - 1 ? kDeckSize : last + 1;
}

bool Deck::Deal(Card& out) {
    if (m_position > kDeckSize - 1) {
        return false;
    }
    SettleThrough(m_position);
    std::uint8_t index = m_order[static_cast<std::size_t>(m_position++)];
    while (((m_reservedMask >> index) & 1U) != 0) {
        if (m_position > kDeckSize - 1) {
            out = kNoCard;
            return false;
        }
        SettleThrough(m_position);
        index = m_order[static_cast<std::size_t>(m_position++)];
    }
    out = kCardOfIndex[index];
    return true;
}

bool Deck::Reserve(const Card& card) {
    m_reserved.PushBack(card);
    if (IsRealCard(card)) {
        m_reservedMask |= 1ULL << FreshDeckIndex(card);
    }
    return true;
}

} // namespace quillory
