#pragma once

#include "drill/Spot.h"
#include "drill/TrueValue.h"
#include "range/HandRange.h"

#include <random>

namespace quillory::drill {

// The drill against opponents who hold a range rather than random cards.
//
// A spot is dealt as the hand would be: every opponent's two cards drawn from
// the range by weight, jointly card-disjoint (a collision redraws the whole
// set, which keeps the joint draw unbiased), then the user's cards (the fixed
// ones when they are free) and the known board from the cards left. The
// spot's `opponents` is the range's normal form. False when no deal was
// found in kRangeDealTries tries (a range too narrow for the table: "AA" for
// four opponents); the table size is drawn anew at each try unless fixed.
inline constexpr int kRangeDealTries = 2000;
bool DrawRangeSpot(std::mt19937_64& generator, const SpotChoice& choice, const HandRange& opponents,
                   Spot& spot);

// How often the user's hand is among the winners against opponents who each
// hold the spot's range (parsed from `spot.opponents`), from the range engine:
// exact where its own time estimate on this machine's processors is at most
// kExactSecondsBudget, otherwise kRangeTrueValueDeals sampled deals, which
// hold the standard error under kMaxStandardError for any value.
inline constexpr std::int64_t kRangeTrueValueDeals = 16 * 16384;
TrueValue ComputeRangeTrueValue(const Spot& spot);

// The true value of any spot: against random cards or against its range.
TrueValue ComputeAnyTrueValue(const Spot& spot);

} // namespace quillory::drill
