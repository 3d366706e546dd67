#include "engine/FastEval.h"
#include "platform/Random.h"
#include "platform/TickCount.h"
#include "range/ClassRanking.h"

#include <algorithm>
#include <utility>

namespace quillory {

namespace {

// Shares of a pot in units that divide evenly among 1 to 10 winners.
constexpr std::int64_t kPotUnits = 2520;

// The first combo of a class, in combo order.
int ComboOfClass(int handClass) {
    for (int combo = 0; combo < kComboCount; ++combo) {
        if (ClassOfCombo(combo) == handClass) {
            return combo;
        }
    }
    return 0;
}

} // namespace

double ClassEquityVsRandom(int handClass, int opponents, std::int64_t trials, std::uint32_t seed) {
    opponents = std::clamp(opponents, 1, 9);
    if (trials <= 0) {
        return 0.0;
    }
    const ComboCards hole = CardsOfCombo(ComboOfClass(handClass));
    std::array<std::uint8_t, kDeckSize> deck{};
    std::uint32_t count = 0;
    for (int c = 0; c < kDeckSize; ++c) {
        if (c != hole.low && c != hole.high) {
            deck[count++] = static_cast<std::uint8_t>(c);
        }
    }
    const HandMasks holeMasks = kCardMasks[static_cast<std::size_t>(hole.low)] +
                                kCardMasks[static_cast<std::size_t>(hole.high)];
    const EvalTables& tables = GetEvalTables();
    const auto needed = static_cast<std::uint32_t>(5 + 2 * opponents);
    std::int64_t units = 0;
    for (std::int64_t t = 0; t < trials; ++t) {
        RandomStream random(SeedSource::SeedOf(seed, t));
        std::array<std::uint8_t, kDeckSize> cards = deck;
        for (std::uint32_t j = 0; j < needed; ++j) {
            const auto bits = static_cast<std::uint32_t>(random.Next64());
            std::swap(cards[j], cards[j + ScaleToBound(bits, count - j)]);
        }
        HandMasks board{};
        for (std::uint32_t j = 0; j < 5; ++j) {
            board.AddIndex(cards[j]);
        }
        const HandOrdinal own = (board + holeMasks).Ordinal(tables);
        int sharing = 1;
        bool beaten = false;
        for (int s = 0; s < opponents && !beaten; ++s) {
            HandMasks theirs = board;
            theirs.AddIndex(cards[5 + 2 * s]);
            theirs.AddIndex(cards[6 + 2 * s]);
            const HandOrdinal ordinal = theirs.Ordinal(tables);
            beaten = ordinal > own;
            sharing += ordinal == own ? 1 : 0;
        }
        units += beaten ? 0 : kPotUnits / sharing;
    }
    return static_cast<double>(units) / static_cast<double>(kPotUnits * trials);
}

} // namespace quillory
