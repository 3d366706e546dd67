#pragma once

#include "engine/Card.h"

#include <array>
#include <cstdint>

namespace quillory::drill {

// Counts of the user's showdowns from a known board, the counting behind the
// call-or-fold equity and the explanation of a value.
//
// `wins` counts showdowns where the user is among the winners (a shared pot
// counts whole, the drill's true value); `share` adds the user's part of each
// pot (1/k of a pot split k ways, the equity). Both divided by `showdowns`.
struct Tally {
    double showdowns{};
    double wins{};
    double share{};

    double WinPercent() const { return showdowns > 0 ? 100.0 * wins / showdowns : 0.0; }
    double EquityPercent() const { return showdowns > 0 ? 100.0 * share / showdowns : 0.0; }
    Tally& operator+=(const Tally& other);
};

// Heads-up, every remaining board and every opponent holding once: exact.
// `known` (3 to 5) board cards; the cards must be real and distinct. About
// 45,000 showdowns from the turn, a million from the flop.
Tally CountHeadsUp(const std::array<Card, 2>& hole, const std::array<Card, 5>& board, int known);

// `deals` random deals of the missing board cards and every opponent's two
// cards, from a generator seeded with `seed`: the same counts for the same
// arguments. `known` 0 to 5, players 2 to 10.
Tally SampleShowdowns(const std::array<Card, 2>& hole, const std::array<Card, 5>& board, int known,
                      int players, std::int32_t deals, std::uint64_t seed);

} // namespace quillory::drill
