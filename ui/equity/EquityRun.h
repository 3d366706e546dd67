#pragma once

#include "range/HandRange.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quillory {

// The question the Equity Calculator asks: one range per seat (seat 0 first;
// a specific hand is a one-combo range, random cards the full range), the
// known board (0, 3, 4 or 5 fresh-deck indices) and the dead cards.
struct EquityQuestion {
    std::vector<HandRange> seats;
    std::vector<int> board;
    std::vector<int> dead;
};

// One seat's result, in percent: the share of the pot it takes on average
// (a pot shared by k players counts 1/k), how often it wins alone and how
// often it shares the pot; and the combos its range has left.
struct SeatEquity {
    double equity{};
    double win{};
    double tie{};
    int combos{};
};

enum class FoundBy { Exact, MonteCarlo };

struct EquityAnswer {
    std::vector<SeatEquity> seats;
    FoundBy method{FoundBy::Exact};
    double standardError{};  // of seat 0's equity in points; 0 when exact
    std::int64_t samples{};  // showdowns enumerated or deals drawn
    bool stopped{};          // Stop came first; the figures are those so far
    double seconds{};        // wall-clock time of the run, the picture aside
    double pictureSeconds{}; // wall-clock time of the class equities
    // Per seat, each class's equity in percent against the other seats, or
    // a negative number for a class outside the seat's range.
    std::vector<std::array<double, kClassCount>> classEquity;
    // Why the engine refused the question (no card-disjoint deal, ...), and
    // the seat it concerns (-1: none); empty when it ran.
    std::string problem;
    int problemSeat{-1};
};

// The largest standard error a Monte Carlo answer may carry, in points.
inline constexpr double kTargetStandardError = 0.1;

// Works out the answer with the range engine: exact where its own time
// estimate allows, otherwise Monte Carlo until the standard error of every
// seat's equity is at most kTargetStandardError or `stop` is set. `progress`
// gets the share done (0 to 1) from the working thread.
EquityAnswer ComputeEquity(const EquityQuestion& question, const std::atomic<bool>& stop,
                           const std::function<void(double)>& progress);

} // namespace quillory
