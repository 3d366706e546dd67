#pragma once

#include <cstdint>
#include <string>

namespace quillory {

// Numbers as text for reports, records and messages, the same in every locale.

// Fixed notation with `decimals` digits after a '.', rounded as printf("%.*f")
// rounds (an exact tie to even: 0.125 gives "0.12"), in any locale.
// `decimals` 0 to 17.
std::string FixedText(double value, int decimals);

// A whole number with ',' between groups of three digits: 1070190 reads
// "1,070,190"; negative numbers keep their sign.
std::string GroupedText(std::int64_t value);

} // namespace quillory
