#pragma once

#include "OddsCommand.h"

#include <iosfwd>
#include <string>

namespace quillory {

// Runs a request with ranges (OddsRequest::ranges) and prints it as text or
// JSON; false with a one-line message in `error` when it cannot run (a seat
// the known and dead cards leave empty, an exact run above the time limit).
bool RunRanges(const OddsRequest& request, std::int32_t processors, std::ostream& out,
               std::string& error);

} // namespace quillory
