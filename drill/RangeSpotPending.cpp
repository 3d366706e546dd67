// Stands in for the range engine until range/RangeEquity.h is on this branch:
// no spot is dealt from a range, and every value is against random cards.
#include "drill/RangeSpot.h"

namespace quillory::drill {

bool DrawRangeSpot(std::mt19937_64& /*generator*/, const SpotChoice& /*choice*/,
                   const HandRange& /*opponents*/, Spot& /*spot*/) {
    return false;
}

TrueValue ComputeRangeTrueValue(const Spot& spot) {
    return ComputeTrueValue(spot);
}

TrueValue ComputeAnyTrueValue(const Spot& spot) {
    return ComputeTrueValue(spot);
}

} // namespace quillory::drill
