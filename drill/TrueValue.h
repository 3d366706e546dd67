#pragma once

#include "drill/Spot.h"

#include <cstdint>

namespace quillory::drill {

// The chance, in percent, that the spot's hand is among the winners.
//
// Exact where the full enumeration of the unknown board cards and every
// opponent's holding finishes within about half a second (see
// kExactSecondsBudget); otherwise a Monte Carlo
// estimate long enough for a standard error of at most 0.1 percentage point
// (up to 250,000 deals). Never the window's short 10,000-hand estimate.
enum class Method { Exact, MonteCarlo };

struct TrueValue {
    double percent{}; // 0 to 100
    Method method{Method::Exact};
    double standardError{}; // percentage points; 0 when exact
    std::int64_t samples{}; // showdowns enumerated, or deals simulated
};

// Enumerations that the exact count's own estimate puts at most this many
// seconds of one processor are taken exactly: heads-up from any street (about
// 0.35 s preflop), three players from the flop on, four from the turn on.
// Longer ones (three players preflop takes about a second) are estimated.
inline constexpr double kExactSecondsBudget = 0.5;
// The largest standard error a Monte Carlo value may carry, in points.
inline constexpr double kMaxStandardError = 0.1;

// A call-or-fold spot (one with a stake) is valued by its equity instead:
// see ComputeEquity.
TrueValue ComputeTrueValue(const Spot& spot);

// The hand's equity in percent: its average share of the pot, a pot split k
// ways counting 1/k. Exact heads-up from the flop on (at most 1,070,190
// showdowns); otherwise a Monte Carlo run with a standard error of at most
// 0.1 point, as above.
TrueValue ComputeEquity(const Spot& spot);

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
