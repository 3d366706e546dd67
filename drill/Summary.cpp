#include "drill/Summary.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

namespace quillory::drill {

void Accuracy::Add(double error) {
    const double n = answers;
    meanAbsoluteError = (meanAbsoluteError * n + std::fabs(error)) / (n + 1);
    hitRate = (hitRate * n + (std::fabs(error) <= kHitWindow ? 1.0 : 0.0)) / (n + 1);
    ++answers;
}

Summary Summarize(const std::vector<Answer>& answers, std::size_t sessions) {
    Summary summary;
    for (const Answer& answer : answers) {
        const double error = answer.guess - answer.truth;
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

std::string Describe(const Accuracy& accuracy) {
    if (accuracy.answers == 0) {
        return "no answers yet";
    }
    return std::to_string(accuracy.answers) + (accuracy.answers == 1 ? " answer" : " answers") +
           ": off by " + FixedText(accuracy.meanAbsoluteError, 1) + " points on average, " +
           FixedText(100.0 * accuracy.hitRate, 0) + "% within 5 points";
}

} // namespace quillory::drill
