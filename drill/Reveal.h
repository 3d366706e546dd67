#pragma once

#include "drill/TrueValue.h"

#include <string>

namespace quillory::drill {

// The words the drill shows once a guess is in.

// The true value and how it was found:
//   "48.95% (exact, 1,070,190 showdowns)"
//   "85.20% ± 0.07 (Monte Carlo, 250,000 deals)"
std::string TruthText(const TrueValue& value);

// The guess against the true value, rounded to two decimals:
//   "Your guess 45%: 3.95 points too low. Within 5 points: a hit."
//   "Your guess 60.5%: 11.55 points too high. More than 5 points off: a miss."
//   "Your guess 49%: spot on. Within 5 points: a hit."
std::string VerdictText(double guessPercent, double truePercent);

// A guess as typed back: "45", "45.5", "45.25" (at most two decimals).
std::string GuessText(double guessPercent);

} // namespace quillory::drill
