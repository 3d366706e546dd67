#include "platform/NumberText.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace quillory {

std::string FixedText(double value, int decimals) {
    // Large enough for any double in fixed notation with 17 decimals.
    char buffer[352];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::fixed, std::clamp(decimals, 0, 17));
    return std::string(buffer, result.ptr);
}

std::string GroupedText(std::int64_t value) {
    const std::string digits = std::to_string(value);
    const std::size_t sign = value < 0 ? 1 : 0;
    std::string text(digits, 0, sign);
    for (std::size_t i = sign; i < digits.size(); ++i) {
        // A comma before every digit that starts a group of three from the end.
        if (i > sign && (digits.size() - i) % 3 == 0) {
            text += ',';
        }
        text += digits[i];
    }
    return text;
}

WholeNumberRead ReadWholeNumber(std::string_view text, std::int64_t& value) {
    std::int64_t parsed = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, parsed);
    if (text.empty() || result.ec == std::errc::invalid_argument || result.ptr != end) {
        return WholeNumberRead::NotANumber;
    }
    if (result.ec == std::errc::result_out_of_range) {
        return WholeNumberRead::TooLarge;
    }
    value = parsed;
    return WholeNumberRead::Number;
}

namespace {

enum class OutOfRange { Refuse, Saturate };

std::optional<std::int32_t> ReadInteger32(std::string_view text, OutOfRange outOfRange) {
    constexpr std::string_view kBlanks = " \t\n\v\f\r";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    if (text.size() > 1 && text[0] == '+' && text[1] >= '0' && text[1] <= '9') {
        text.remove_prefix(1);
    }
    constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    switch (ReadWholeNumber(text, value)) {
    case WholeNumberRead::NotANumber:
        return std::nullopt;
    case WholeNumberRead::TooLarge:
        if (outOfRange == OutOfRange::Refuse) {
            return std::nullopt;
        }
        value = text[0] == '-' ? kLow : kHigh;
        break;
    case WholeNumberRead::Number:
        break;
    }
    if (outOfRange == OutOfRange::Refuse && (value < kLow || value > kHigh)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(std::clamp(value, kLow, kHigh));
}

} // namespace

std::optional<std::int32_t> ReadFieldInteger(std::string_view text) {
    return ReadInteger32(text, OutOfRange::Refuse);
}

std::optional<std::int32_t> ReadStoredInteger(std::string_view text) {
    return ReadInteger32(text, OutOfRange::Saturate);
}

} // namespace quillory
