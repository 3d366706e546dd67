// The range notation read into a HandRange: every term is checked and a bad
// one refuses the whole text, so a typing mistake never yields a smaller range.
#include "platform/MessageText.h"
#include "range/RangeTerms.h"

#include <algorithm>
#include <bitset>
#include <charconv>
#include <optional>
#include <vector>

namespace quillory {

namespace {

using namespace range_terms;

// A plain decimal number ("15", "0.25", ".5") from 0 to `max`.
std::optional<double> ReadNumber(std::string_view s, double max) {
    const std::size_t digits = static_cast<std::size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }));
    const std::size_t dots = static_cast<std::size_t>(std::count(s.begin(), s.end(), '.'));
    if (digits == 0 || dots > 1 || digits + dots != s.size()) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc{} || end != s.data() + s.size() || value > max) {
        return std::nullopt;
    }
    return value;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == y; });
}

// The combos a term names, without its weight.
std::optional<Refusal> ReadBody(std::string_view s, ComboSet& set) {
    if (s.empty()) {
        return Refusal{"no hand before the weight"};
    }
    if (EqualsIgnoringCase(s, "random")) {
        set.set();
        return std::nullopt;
    }
    if (s.back() == '%') {
        const std::string_view number = s.substr(0, s.size() - 1);
        const std::optional<double> percent = ReadNumber(number, 100.0);
        if (!percent) {
            return Refusal{"percent " + Quoted(number) + " is not a number from 0 to 100"};
        }
        const HandRange top = TopPercent(*percent);
        for (int combo = 0; combo < kComboCount; ++combo) {
            set[static_cast<std::size_t>(combo)] = top.Weight(combo) > 0.0;
        }
        return std::nullopt;
    }
    return ReadHands(s, set);
}

// A term without its blanks; blanks are allowed only beside ':' and '-'.
std::optional<Refusal> Compact(std::string_view term, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < term.size(); ++i) {
        if (!IsBlank(term[i])) {
            out += term[i];
            continue;
        }
        std::size_t next = i;
        while (next < term.size() && IsBlank(term[next])) {
            ++next;
        }
        const char before = out.back(); // a term starts and ends with non-blanks
        const char after = term[next];
        if (before != ':' && before != '-' && after != ':' && after != '-') {
            return Refusal{"a blank inside a term (terms are separated by commas)"};
        }
        i = next - 1;
    }
    return std::nullopt;
}

// One term with its optional weight, applied to `range`.
std::optional<Refusal> ReadTerm(std::string_view term, HandRange& range) {
    std::string s;
    if (auto refusal = Compact(term, s)) {
        return refusal;
    }
    double weight = 1.0;
    std::string_view body = s;
    if (const std::size_t colon = s.find(':'); colon != std::string::npos) {
        const std::string_view text = body.substr(colon + 1);
        const std::optional<double> w = ReadNumber(text, 1.0);
        if (!w) {
            return Refusal{"weight " + Quoted(text) + " is not a number from 0 to 1"};
        }
        weight = *w;
        body = body.substr(0, colon);
    }
    ComboSet set;
    if (auto refusal = ReadBody(body, set)) {
        return refusal;
    }
    for (int combo = 0; combo < kComboCount; ++combo) {
        if (set[static_cast<std::size_t>(combo)]) {
            range.SetWeight(combo, weight);
        }
    }
    return std::nullopt;
}

} // namespace

std::string RangeError::Message() const {
    return Quoted(term) + " at character " + std::to_string(position) + ": " + reason;
}

bool ParseRange(std::string_view text, HandRange& out, RangeError& error) {
    HandRange range;
    if (std::all_of(text.begin(), text.end(), IsBlank)) {
        out = range;
        return true;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        std::size_t begin = start;
        std::size_t end = comma;
        while (begin < end && IsBlank(text[begin])) {
            ++begin;
        }
        while (end > begin && IsBlank(text[end - 1])) {
            --end;
        }
        const std::string_view term = text.substr(begin, end - begin);
        std::optional<Refusal> refusal;
        if (term.empty()) {
            refusal = Refusal{"empty term (a comma with nothing before or after it)"};
        } else {
            refusal = ReadTerm(term, range);
        }
        if (refusal) {
            error = RangeError{std::string(term), static_cast<int>(begin) + 1, refusal->reason};
            return false;
        }
        if (comma == text.size()) {
            break;
        }
        start = comma + 1;
    }
    out = range;
    return true;
}

} // namespace quillory
