#pragma once

// The pieces of the range notation shared by its readers (RangeParse.cpp
// reads the text and its terms, RangeHands.cpp the hands a term names).
#include "range/HandRange.h"

#include <bitset>
#include <optional>
#include <string>
#include <string_view>

namespace quillory::range_terms {

using ComboSet = std::bitset<kComboCount>;

// A failed step: what is wrong, for RangeError::reason.
struct Refusal {
    std::string reason;
};

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
inline char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
inline char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The combos of a hand term without blanks or weight into `set`: a class or
// a combo ("AKs", "AKo", "AK", "TT", "AhKh"), a plus form ("TT+", "A9s+") or
// a span of one shape ("TT-66", "A5s-A2s"); a refusal when it is none.
std::optional<Refusal> ReadHands(std::string_view s, ComboSet& set);

} // namespace quillory::range_terms
