#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillory {

// The main window's editable fields as the user left them: the texts of the
// player count, pot and investment edits and the practice-mode check box.
struct FieldTexts {
    std::string players;
    bool practiceMode{};
    std::string pot;
    std::string invest;
};

enum class Field { Players, Pot, Invest };

inline constexpr std::int32_t kMinTablePlayers = 2;
inline constexpr std::int32_t kMaxTablePlayers = 10;
inline constexpr std::int32_t kMaxTableMoney = 10000000;

// A refused field: the message the user is shown, and the field that then
// gets the focus with its text selected.
struct FieldRefusal {
    Field field{};
    std::string message;

    friend bool operator==(const FieldRefusal&, const FieldRefusal&) = default;
};

// What a read of the fields gives. Fields are read in the window's order,
// players, practice mode, pot, investment, and the read stops at the first
// refused field: the fields before it have their values, a refused number
// that is a whole number still has its (out-of-range) value, and the fields
// after it have none (their members keep what they held).
struct FieldRead {
    std::optional<std::int32_t> players;
    std::optional<bool> practiceMode;
    std::optional<std::int32_t> pot;
    std::optional<std::int32_t> invest;
    std::optional<FieldRefusal> refusal;
};

// Reads the fields. A number is blanks, an optional sign, digits, blanks,
// within the signed 32-bit range; anything else is refused with "Please
// enter an integer.". A number outside its field's range (players 2 to 10,
// pot and investment 0 to 10,000,000) is refused with "Please enter an
// integer between 2 and 10." (or 0 and 10000000).
FieldRead ReadFields(const FieldTexts& texts);

// One number field read as ReadFields reads each: its value when it is a
// whole number (even outside low to high), and the message that refuses it,
// empty when the field is accepted.
struct NumberField {
    std::optional<std::int32_t> value;
    std::string refusal;
};
NumberField ReadNumberField(std::string_view text, std::int32_t low, std::int32_t high);

} // namespace quillory
