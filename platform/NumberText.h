#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillory {

// Numbers as text for reports, records and messages, the same in every locale.

// Fixed notation with `decimals` digits after a '.', rounded as printf("%.*f")
// rounds (an exact tie to even: 0.125 gives "0.12"), in any locale.
// `decimals` 0 to 17.
std::string FixedText(double value, int decimals);

// A whole number with ',' between groups of three digits: 1070190 reads
// "1,070,190"; negative numbers keep their sign.
std::string GroupedText(std::int64_t value);

// The one reader of whole numbers typed by a user, for the programs' options
// and the window's fields: an optional '-', then decimal digits, nothing else
// (no blanks, no '+', no digit separators). TooLarge when the digits exceed
// the 64-bit range; `value` is set only for Number.
enum class WholeNumberRead { Number, NotANumber, TooLarge };
WholeNumberRead ReadWholeNumber(std::string_view text, std::int64_t& value);

// A whole number as typed into a field: ReadWholeNumber's form with blanks
// around it and an optional '+' before the digits, within the signed 32-bit
// range. Nothing for anything else (" 007 " is 7; "", "+-1", "1 2",
// "2147483648" are nothing).
std::optional<std::int32_t> ReadFieldInteger(std::string_view text);

// A whole number kept in a settings file: ReadFieldInteger's form, but one
// beyond the 32-bit range is saturated to it ("-99999999999" is INT32_MIN).
std::optional<std::int32_t> ReadStoredInteger(std::string_view text);

} // namespace quillory
