#include "drill/Reveal.h"

#include "platform/NumberText.h"

#include <cmath>

namespace quillory::drill {

std::string TruthText(const TrueValue& value) {
    const std::string percent = FixedText(value.percent, 2) + "%";
    if (value.method == Method::Exact) {
        return percent + " (exact, " + GroupedText(value.samples) + " showdowns)";
    }
    return percent + " \u00b1 " + FixedText(value.standardError, 2) + " (Monte Carlo, " +
           GroupedText(value.samples) + " deals)";
}

std::string GuessText(double guessPercent) {
    std::string text = FixedText(guessPercent, 2);
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
        text += FixedText(off, 2) + (off == 1.0 ? " point" : " points") +
                (score.error > 0 ? " too high." : " too low.");
    }
    return text + (score.hit ? " Within 5 points: a hit." : " More than 5 points off: a miss.");
}

} // namespace quillory::drill
