#pragma once

#include "drill/Kind.h"
#include "drill/Record.h"
#include "drill/Spot.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quillory::drill {

// "Focus on my weak spots": the next spot's street, table size and kind are
// drawn with more weight where the user's recent guesses were furthest off.
//
// The rule: take the last kRecentAnswers estimate answers. For each street,
// each table size and each kind group, its weight is the mean absolute error
// of those answers that had it (one with no such answer takes the mean of all
// of them), raised to at least kFloorShare of the largest weight of its set,
// and to at least kLeastWeight points. The street is drawn by its weights
// (unless fixed), then the table size (unless fixed), then a kind group among
// those the street can deal (Kind.h), and spots are drawn until one of that
// group comes (at most kKindTries; with fixed cards a group may never come).
// The floor keeps every street, size and kind coming up: none is drawn less
// than a quarter as often as the weakest. With no answers the draw is even.
inline constexpr std::size_t kRecentAnswers = 60;
inline constexpr double kFloorShare = 0.25;
inline constexpr double kLeastWeight = 0.5;
inline constexpr int kKindTries = 4000;

struct FocusWeights {
    std::array<double, kStreets> streets{};
    std::array<double, 9> players{}; // index players - 2
    std::array<double, kKindGroups> kinds{};
};

FocusWeights WeakSpotWeights(const std::vector<Answer>& answers);

// The next spot under the focus: a pure function of the record, the seed and
// the user's fixed choices.
Spot DrawWeakSpot(const std::vector<Answer>& answers, std::uint64_t seed,
                  const SpotChoice& choice = {});

} // namespace quillory::drill
