#pragma once

#include "drill/Record.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quillory::drill {

// How close the guesses came: the mean absolute error in points (lower is
// better), the share of guesses within 5 points (higher is better) and the
// mean signed error, guess minus true value (the bias: above 0 the guesses
// rate the hands too high, below 0 too low; 0 is best).
struct Accuracy {
    int answers{};
    double meanAbsoluteError{};
    double hitRate{}; // 0 to 1
    double meanSignedError{};

    void Add(double error);
};

struct SessionAccuracy {
    std::int64_t session{};
    Accuracy accuracy;
    std::array<Accuracy, 2> byOpponents{}; // OpponentsIndex: random, a range
};

// Whom the user's hand met: random cards, or opponents holding a range.
enum class Opponents { Random, Range };
inline constexpr int kOpponentKinds = 2;
Opponents OpponentsOf(const Answer& answer);
std::string_view OpponentsName(Opponents opponents); // "Random hands", "A range"
// The same as an index: 0 random cards, 1 a range.
inline std::size_t OpponentsIndex(const Answer& answer) {
    return static_cast<std::size_t>(OpponentsOf(answer));
}

// One 10-point band of guesses (0 to 10, ..., 90 to 100; a guess of exactly
// 10 falls in the band 10 to 20, 100 in the last): how many guesses fell in
// it and the mean true value of their spots. Calibrated guesses have a mean
// true value inside their band.
struct CalibrationBand {
    int answers{};
    double meanTruth{};
};
inline constexpr int kCalibrationBands = 10;
int CalibrationBandOf(double guessPercent);

// The call-or-fold answers: how many, how many right, and the chips the wrong
// ones lost against the right answer in total (lower is better).
struct DecisionRecord {
    int answers{};
    int right{};
    double chipsLost{};
};

// Estimate answers count in the accuracies and the calibration; call-or-fold
// answers in `decisions` alone.
struct Summary {
    Accuracy overall;
    std::array<Accuracy, kStreets> byStreet{};
    std::array<Accuracy, 9> byPlayers{};       // index players - 2
    std::array<Accuracy, kSpotKinds> byKind{}; // answers without a kind in none
    std::array<Accuracy, kOpponentKinds> byOpponents{};
    std::vector<SessionAccuracy> recentSessions; // oldest first, at most `sessions`
    std::array<CalibrationBand, kCalibrationBands> calibration{};
    DecisionRecord decisions;
};

Summary Summarize(const std::vector<Answer>& answers, std::size_t sessions = 12);

// One sentence per band with answers, lowest band first: "Guesses of 40 to
// 50 %: true value 36 % on average, 12 answers".
std::vector<std::string> CalibrationSentences(const Summary& summary);

// "On average your guesses are 3.2 points too high" / "too low" / "spot on
// on average"; empty with no answers.
std::string DescribeBias(const Accuracy& accuracy);

// "8 decisions: 75% right, 34.50 chips lost by wrong answers", or "no
// decisions yet".
std::string Describe(const DecisionRecord& decisions);

// "12 answers: off by 4.3 points on average, 67% within 5 points", or
// "no answers yet".
std::string Describe(const Accuracy& accuracy);

} // namespace quillory::drill
