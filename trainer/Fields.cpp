#include "trainer/Fields.h"

#include "platform/NumberText.h"

#include <limits>
#include <string_view>

namespace quillory {
namespace {

constexpr std::string_view kBlanks = " \t\n\v\f\r";

// The number of a field's text, or nothing when it is not a whole number in
// the 32-bit range: blanks around it and a '+' before the digits are allowed.
std::optional<std::int32_t> FieldNumber(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    if (text.size() > 1 && text[0] == '+' && text[1] >= '0' && text[1] <= '9') {
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    if (ReadWholeNumber(text, value) != WholeNumberRead::Number ||
        value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

// Reads one numeric field into `value`; false (with the refusal set) when
// the read must stop there.
bool ReadNumber(std::string_view text, Field field, std::int32_t low, std::int32_t high,
                std::optional<std::int32_t>& value, std::optional<FieldRefusal>& refusal) {
    value = FieldNumber(text);
    if (!value) {
        refusal = FieldRefusal{field, "Please enter an integer."};
        return false;
    }
    if (*value < low || *value > high) {
        refusal = FieldRefusal{field, "Please enter an integer between " + std::to_string(low) +
                                          " and " + std::to_string(high) + "."};
        return false;
    }
    return true;
}

} // namespace

FieldRead ReadFields(const FieldTexts& texts) {
    FieldRead read;
    if (!ReadNumber(texts.players, Field::Players, kMinTablePlayers, kMaxTablePlayers, read.players,
                    read.refusal)) {
        return read;
    }
    read.practiceMode = texts.practiceMode;
    if (!ReadNumber(texts.pot, Field::Pot, 0, kMaxTableMoney, read.pot, read.refusal)) {
        return read;
    }
    ReadNumber(texts.invest, Field::Invest, 0, kMaxTableMoney, read.invest, read.refusal);
    return read;
}

} // namespace quillory
