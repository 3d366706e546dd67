#include "drill/Decision.h"

#include "platform/NumberText.h"

#include <array>
#include <cmath>

namespace quillory::drill {

std::string_view QuestionName(Question question) {
    return question == Question::Estimate ? "Estimate" : "Call or fold";
}

std::string_view DecisionName(Decision decision) {
    return decision == Decision::Call ? "call" : "fold";
}

std::optional<Decision> DecisionFromName(std::string_view name) {
    if (name == "call") {
        return Decision::Call;
    }
    if (name == "fold") {
        return Decision::Fold;
    }
    return std::nullopt;
}

Stake DrawStake(std::mt19937_64& generator) {
    static constexpr std::array<double, 8> kFractions{0.25, 1.0 / 3, 0.5, 2.0 / 3,
                                                      0.75, 1.0,     1.5, 2.0};
    Stake stake;
    stake.pot = 10 * std::uniform_int_distribution<int>(2, 30)(generator);
    const double fraction =
        kFractions[std::uniform_int_distribution<std::size_t>(0, kFractions.size() - 1)(generator)];
    stake.bet = std::max(1, static_cast<int>(std::lround(stake.pot * fraction)));
    return stake;
}

double EquityNeeded(const Stake& stake) {
    const double total = stake.pot + 2.0 * stake.bet;
    return total > 0 ? stake.bet / total : 0.0;
}

double CallValue(const Stake& stake, double equityPercent) {
    return equityPercent / 100.0 * (stake.pot + 2.0 * stake.bet) - stake.bet;
}

std::optional<Decision> RightDecision(const Stake& stake, double equityPercent) {
    const double value = CallValue(stake, equityPercent);
    if (value == 0.0) {
        return std::nullopt;
    }
    return value > 0 ? Decision::Call : Decision::Fold;
}

DecisionScore ScoreDecision(Decision decision, const Stake& stake, double equityPercent) {
    const std::optional<Decision> right = RightDecision(stake, equityPercent);
    if (!right || *right == decision) {
        return DecisionScore{true, 0.0};
    }
    return DecisionScore{false, std::fabs(CallValue(stake, equityPercent))};
}

std::string DecisionVerdictText(Decision decision, const Stake& stake, double equityPercent) {
    const DecisionScore score = ScoreDecision(decision, stake, equityPercent);
    std::string text = decision == Decision::Call ? "You called: " : "You folded: ";
    text += score.right                  ? "right."
            : decision == Decision::Call ? "wrong, Fold was right."
                                         : "wrong, Call was right.";
    const double value = CallValue(stake, equityPercent);
    const std::string chips = FixedText(std::fabs(value), 2);
    text += " Equity needed " + std::to_string(stake.bet) + " / (" + std::to_string(stake.pot) +
            " + 2 \u00d7 " + std::to_string(stake.bet) +
            ") = " + FixedText(100.0 * EquityNeeded(stake), 2) + "%; true equity " +
            FixedText(equityPercent, 2) + "%; calling is worth " +
            (value < 0 && chips != "0.00" ? "-" : "+") + chips + " chips on average.";
    return text;
}

std::string StakeText(const Stake& stake) {
    return "Pot " + std::to_string(stake.pot) + " chips, bet " + std::to_string(stake.bet) +
           " to call.";
}

} // namespace quillory::drill
