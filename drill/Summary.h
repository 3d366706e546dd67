#pragma once

#include "drill/Record.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quillory::drill {

// How close the guesses came: the mean absolute error in points (lower is
// better) and the share of guesses within 5 points (higher is better).
struct Accuracy {
    int answers{};
    double meanAbsoluteError{};
    double hitRate{}; // 0 to 1

    void Add(double error);
};

struct SessionAccuracy {
    std::int64_t session{};
    Accuracy accuracy;
    std::array<Accuracy, 2> byOpponents{}; // OpponentsIndex: random, a range
};

// 0 for answers against random cards, 1 against a range.
inline std::size_t OpponentsIndex(const Answer& answer) {
    return answer.opponents.empty() ? 0 : 1;
}

struct Summary {
    Accuracy overall;
    std::array<Accuracy, kStreets> byStreet{};
    std::array<Accuracy, 9> byPlayers{};         // index players - 2
    std::array<Accuracy, 2> byOpponents{};       // OpponentsIndex: random, a range
    std::vector<SessionAccuracy> recentSessions; // oldest first, at most `sessions`
};

Summary Summarize(const std::vector<Answer>& answers, std::size_t sessions = 12);

// "12 answers: off by 4.3 points on average, 67% within 5 points", or
// "no answers yet".
std::string Describe(const Accuracy& accuracy);

} // namespace quillory::drill
