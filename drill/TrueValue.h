#pragma once

#include "drill/Spot.h"

#include <cstdint>

namespace quillory::drill {

// The chance, in percent, that the spot's hand is among the winners.
//
// Exact where the full enumeration of the unknown board cards and every
// opponent's holding is small enough to finish at once (heads-up from the
// flop on, three players from the turn on, ...); otherwise a Monte Carlo
// estimate long enough for a standard error of at most 0.1 percentage point
// (up to 250,000 deals). Never the window's short 10,000-hand estimate.
enum class Method { Exact, MonteCarlo };

struct TrueValue {
    double percent{}; // 0 to 100
    Method method{Method::Exact};
    double standardError{}; // percentage points; 0 when exact
    std::int64_t samples{}; // showdowns enumerated, or deals simulated
};

// Enumerations up to this many showdowns are taken exactly. The largest that
// fits, three players on the turn (41 million), takes about 0.15 s on one
// core; the next, four players on the river (733 million), would take
// seconds and is estimated instead.
inline constexpr double kExactShowdownBudget = 50'000'000.0;
// The largest standard error a Monte Carlo value may carry, in points.
inline constexpr double kMaxStandardError = 0.1;

TrueValue ComputeTrueValue(const Spot& spot);

// The Monte Carlo value alone, with exactly `deals` deals (tests and tools).
TrueValue EstimateTrueValue(const Spot& spot, std::int32_t deals);

// A guess against the true value: error = guess - truth in points; a hit
// is an error of at most 5 points either way.
struct Score {
    double error{};
    bool hit{};
};
inline constexpr double kHitWindow = 5.0;
Score ScoreGuess(double guessPercent, double truePercent);

// Reads a guess typed as a whole or decimal percent, "45", "45.5", "45,5" or
// "45 %": 0 to 100, otherwise nothing.
std::optional<double> ParseGuess(std::string_view text);

} // namespace quillory::drill
