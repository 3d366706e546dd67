#pragma once

#include "engine/Card.h"

#include <cstdint>
#include <string>

namespace quillory {

// Trials per estimate for a table of n players: 10000 / n (integer division),
// so every estimate evaluates about 10000 seat hands. 0 for n <= 0.
std::int32_t TrialCount(std::int32_t players);

// The winning-rate text: wins * 100.0 / trials with two decimals and a percent
// sign ("49.36%"). Trials must be positive.
std::string FormatWinningRate(std::int32_t wins, std::int32_t trials);

// The reference text of the average winning rate for n players ("25-27 %" for
// 4); "-" outside 2 to 10.
std::string AverageWinningRate(std::int32_t players);

} // namespace quillory
