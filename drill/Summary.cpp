#include "drill/Summary.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

namespace quillory::drill {

void Accuracy::Add(double error) {
    const double n = answers;
    meanAbsoluteError = (meanAbsoluteError * n + std::fabs(error)) / (n + 1);
    hitRate = (hitRate * n + (std::fabs(error) <= kHitWindow ? 1.0 : 0.0)) / (n + 1);
    meanSignedError = (meanSignedError * n + error) / (n + 1);
    ++answers;
}

Summary Summarize(const std::vector<Answer>& answers, std::size_t sessions) {
    Summary summary;
    for (const Answer& answer : answers) {
        if (answer.question == Question::CallOrFold) {
            if (answer.decision) {
                const DecisionScore score =
                    ScoreDecision(*answer.decision, answer.stake, answer.truth);
                ++summary.decisions.answers;
                summary.decisions.right += score.right ? 1 : 0;
                summary.decisions.chipsLost += score.chipsLost;
            }
            continue;
        }
        const double error = answer.guess - answer.truth;
        if (answer.kind) {
            summary.byKind[static_cast<std::size_t>(*answer.kind)].Add(error);
        }
        CalibrationBand& band =
            summary.calibration[static_cast<std::size_t>(CalibrationBandOf(answer.guess))];
        band.meanTruth = (band.meanTruth * band.answers + answer.truth) / (band.answers + 1);
        ++band.answers;
        summary.overall.Add(error);
        summary.byStreet[static_cast<std::size_t>(answer.street)].Add(error);
        summary.byPlayers[static_cast<std::size_t>(std::clamp(answer.players, 2, 10) - 2)].Add(
            error);
        if (summary.recentSessions.empty() ||
            summary.recentSessions.back().session != answer.session) {
            summary.recentSessions.push_back(SessionAccuracy{answer.session, {}});
        }
        summary.recentSessions.back().accuracy.Add(error);
        summary.recentSessions.back().byOpponents[OpponentsIndex(answer)].Add(error);
        summary.byOpponents[OpponentsIndex(answer)].Add(error);
    }
    if (summary.recentSessions.size() > sessions) {
        summary.recentSessions.erase(summary.recentSessions.begin(),
                                     summary.recentSessions.end() -
                                         static_cast<std::ptrdiff_t>(sessions));
    }
    return summary;
}

Opponents OpponentsOf(const Answer& answer) {
    // Answers recorded before ranges have no opponents' range: random cards.
    return answer.opponents.empty() ? Opponents::Random : Opponents::Range;
}

std::string_view OpponentsName(Opponents opponents) {
    return opponents == Opponents::Random ? "Random hands" : "A range";
}

int CalibrationBandOf(double guessPercent) {
    return std::clamp(static_cast<int>(std::floor(guessPercent / 10.0)), 0, kCalibrationBands - 1);
}

std::vector<std::string> CalibrationSentences(const Summary& summary) {
    std::vector<std::string> sentences;
    for (int band = 0; band < kCalibrationBands; ++band) {
        const CalibrationBand& b = summary.calibration[static_cast<std::size_t>(band)];
        if (b.answers > 0) {
            sentences.push_back("Guesses of " + std::to_string(10 * band) + " to " +
                                std::to_string(10 * band + 10) + " %: true value " +
                                FixedText(b.meanTruth, 0) + " % on average, " +
                                std::to_string(b.answers) +
                                (b.answers == 1 ? " answer" : " answers"));
        }
    }
    return sentences;
}

std::string DescribeBias(const Accuracy& accuracy) {
    if (accuracy.answers == 0) {
        return {};
    }
    const std::string points = FixedText(std::fabs(accuracy.meanSignedError), 1);
    if (points == "0.0") {
        return "On average your guesses are spot on";
    }
    return "On average your guesses are " + points + " points too " +
           (accuracy.meanSignedError > 0 ? "high" : "low");
}

std::string Describe(const DecisionRecord& decisions) {
    if (decisions.answers == 0) {
        return "no decisions yet";
    }
    return std::to_string(decisions.answers) +
           (decisions.answers == 1 ? " decision: " : " decisions: ") +
           FixedText(100.0 * decisions.right / decisions.answers, 0) + "% right, " +
           FixedText(decisions.chipsLost, 2) + " chips lost by wrong answers";
}

std::string Describe(const Accuracy& accuracy) {
    if (accuracy.answers == 0) {
        return "no answers yet";
    }
    return std::to_string(accuracy.answers) + (accuracy.answers == 1 ? " answer" : " answers") +
           ": off by " + FixedText(accuracy.meanAbsoluteError, 1) + " points on average, " +
           FixedText(100.0 * accuracy.hitRate, 0) + "% within 5 points";
}

} // namespace quillory::drill
