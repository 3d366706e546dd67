// Stands in for the range engine until range/RangeEquity.h is on this branch:
// every run ends at once with no results.
#include "ui/equity/EquityRun.h"

namespace quillory {

EquityAnswer ComputeEquity(const EquityQuestion& /*question*/, const std::atomic<bool>& /*stop*/,
                           const std::function<void(double)>& /*progress*/) {
    return {};
}

} // namespace quillory
