#include "trainer/Fields.h"

#include "platform/NumberText.h"

#include <string_view>
#include <utility>

namespace quillory {
namespace {

// Reads one numeric field into `value`; false (with the refusal set) when
// the read must stop there.
bool ReadNumber(std::string_view text, Field field, std::int32_t low, std::int32_t high,
                std::optional<std::int32_t>& value, std::optional<FieldRefusal>& refusal) {
    NumberField read = ReadNumberField(text, low, high);
    value = read.value;
    if (!read.refusal.empty()) {
        refusal = FieldRefusal{field, std::move(read.refusal)};
        return false;
    }
    return true;
}

} // namespace

NumberField ReadNumberField(std::string_view text, std::int32_t low, std::int32_t high) {
    NumberField read{ReadFieldInteger(text), {}};
    if (!read.value) {
        read.refusal = "Please enter an integer.";
    } else if (*read.value < low || *read.value > high) {
        read.refusal = "Please enter an integer between " + std::to_string(low) + " and " +
                       std::to_string(high) + ".";
    }
    return read;
}

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
