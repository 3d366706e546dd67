#pragma once

#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace quillory::drill {

// The drill's two kinds of question: estimate how often the hand wins, or
// decide whether to call a bet.
enum class Question { Estimate, CallOrFold };
enum class Decision { Call, Fold };

std::string_view QuestionName(Question question); // "Estimate", "Call or fold"
std::string_view DecisionName(Decision decision); // "call", "fold" (as stored)
std::optional<Decision> DecisionFromName(std::string_view name);

// A call-or-fold spot's money, in chips: the pot before the bet, and the bet
// the user must call. Every opponent's money is in the pot already and the
// hands go to the showdown.
struct Stake {
    int pot{};
    int bet{};
};

// A pot of 20 to 300 chips (tens) and a bet of a quarter of it to twice it.
Stake DrawStake(std::mt19937_64& generator);

// The share of the final pot a call must win to break even: bet / (pot +
// 2 × bet), 0 to 1.
double EquityNeeded(const Stake& stake);

// The expected chips of calling against folding, for an equity (the share
// of the pot the hand wins on average, ties split) in percent: equity ×
// (pot + 2 × bet) − bet. Positive: calling is right.
double CallValue(const Stake& stake, double equityPercent);

// The right answer: Call when calling gains chips, Fold when it loses them;
// both are right when it is even (nothing here).
std::optional<Decision> RightDecision(const Stake& stake, double equityPercent);

// How one answer scored: right or not, and the chips the answer lost against
// the right one (0 when right).
struct DecisionScore {
    bool right{};
    double chipsLost{};
};
DecisionScore ScoreDecision(Decision decision, const Stake& stake, double equityPercent);

// "You called: right. Equity needed 60 / (120 + 2 × 60) = 25.00%; true
// equity 41.20%; calling is worth +38.90 chips on average."
std::string DecisionVerdictText(Decision decision, const Stake& stake, double equityPercent);

// "Pot 120 chips, bet 60 to call."
std::string StakeText(const Stake& stake);

} // namespace quillory::drill
