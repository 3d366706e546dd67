#include "drill/Reveal.h"

#include <charconv>
#include <cmath>

namespace quillory::drill {
namespace {

std::string Fixed(double value, int decimals) {
    char buffer[48];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

// 1070190 as "1,070,190".
std::string Grouped(std::int64_t count) {
    std::string digits = std::to_string(count);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

} // namespace

std::string TruthText(const TrueValue& value) {
    const std::string percent = Fixed(value.percent, 2) + "%";
    if (value.method == Method::Exact) {
        return percent + " (exact, " + Grouped(value.samples) + " showdowns)";
    }
    return percent + " \u00b1 " + Fixed(value.standardError, 2) + " (Monte Carlo, " +
           Grouped(value.samples) + " deals)";
}

std::string GuessText(double guessPercent) {
    std::string text = Fixed(guessPercent, 2);
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

std::string VerdictText(double guessPercent, double truePercent) {
    const Score score = ScoreGuess(guessPercent, truePercent);
    const double off = std::round(std::fabs(score.error) * 100.0) / 100.0;
    std::string text = "Your guess " + GuessText(guessPercent) + "%: ";
    if (off == 0.0) {
        text += "spot on.";
    } else {
        text += Fixed(off, 2) + (off == 1.0 ? " point" : " points") +
                (score.error > 0 ? " too high." : " too low.");
    }
    return text + (score.hit ? " Within 5 points: a hit." : " More than 5 points off: a miss.");
}

} // namespace quillory::drill
