#pragma once

#include "range/HandRange.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quillory {

// Equity of 2 to 10 seats, each holding a range, over the showdowns the known
// board and dead cards allow.
//
// The deal it measures: each seat's combo is drawn from its range with
// probability proportional to its weight, the seats' combos jointly
// restricted to card-disjoint assignments that avoid the board and the dead
// cards (P(c1..cn) proportional to w1(c1) * ... * wn(cn) over disjoint
// assignments), then the unknown board cards uniformly from the cards left.
// A specific hand is a one-combo range; a seat with HandRange::Random() holds
// random cards.
//
// Per seat: P(wins alone), P(ties: shares the best hand with others) and
// equity (a pot shared by k players counts 1/k to each). For seat 0 also
// P(among the winners) = win + tie, the window's winning rate.

inline constexpr int kMinRangeSeats = 2;
inline constexpr int kMaxRangeSeats = 10;

enum class EquityMethod { Exact, Sampled };

struct EquityRequest {
    std::vector<HandRange> seats{}; // seat 0 first, 2 to 10 of them
    std::vector<int> board{};       // known board cards, fresh-deck indices, 0 to 5
    std::vector<int> dead{};        // cards no seat holds and the board does not show
    EquityMethod method{EquityMethod::Sampled};
    // Sampled: at most this many trials, run in blocks of kEquityBlockTrials;
    // block b (trials b * kEquityBlockTrials on) draws its trials in order
    // from one RandomStream (platform/Random.h) seeded with seed + b, so a
    // seed repeats a run exactly for any threads. Within a trial: the first
    // two ranged seats as one pair from the alias table of their disjoint
    // pairs (when the two ranges make at most 32,768 pairs), each further
    // ranged seat from its own alias table, the whole assignment drawn again
    // on a shared card; then the unknown board cards and two cards per
    // random seat. When one unit (the pair, or the only ranged seat) and at
    // most two random seats are all there is, these cards are distinct
    // positions in the drawn entry's list of cards left, from one 64-bit
    // number per five cards: board cards alone as a set (Floyd's algorithm),
    // otherwise as ordered positions (range/UnitDeal.h). Otherwise each card
    // is drawn from 52, five draws per 64-bit number (the rest of a number
    // is dropped at the end of a trial), and drawn again when already used.
    std::int64_t trials{1'000'000};
    std::uint32_t seed{0};
    // Sampled: stop at the first whole block of kEquityBlockTrials trials
    // after which the standard error of seat 0's equity is at most this; 0
    // runs every trial.
    double targetStdError{0.0};
    int threads{1}; // values below 1 count as 1; results do not depend on it
};

// Trials are run and counted in blocks of this many (the granularity of
// stopping at a standard-error target).
inline constexpr std::int64_t kEquityBlockTrials = 16384;

struct EquityResults {
    int seats{0};
    std::array<double, kMaxRangeSeats> winAlone{};
    std::array<double, kMaxRangeSeats> tie{};
    std::array<double, kMaxRangeSeats> equity{};
    double among0{0.0};         // seat 0 among the winners: winAlone[0] + tie[0]
    double equityStdError{0.0}; // of equity[0]; 0 when exact
    double among0StdError{0.0}; // of among0; 0 when exact
    // Sampled: trials run. Exact: showdowns counted (every disjoint
    // assignment of combos with a weight above 0 and every board completion).
    std::int64_t showdowns{0};
    std::int64_t among0Count{0}; // sampled: trials with seat 0 among the winners
    EquityMethod method{EquityMethod::Sampled};
    double progress{0.0}; // 0 to 1 of the planned work
    bool stopped{false};  // ended by the stop flag before the plan
};

// Why a request cannot run. `seat` is the seat concerned (0-based) or -1.
enum class EquityProblemKind {
    None,
    SeatCount,    // fewer than 2 or more than 10 seats
    BadCards,     // a board or dead card outside 0-51, repeated, or more than 5 board cards
    EmptySeat,    // this seat's range has no combo the known and dead cards leave
    NoDeal,       // no card-disjoint assignment of the ranges exists
    ExactTooLong, // exact: the time estimate exceeds kRangeExactSecondsLimit
};
struct EquityProblem {
    EquityProblemKind kind{EquityProblemKind::None};
    int seat{-1};
    double exactSeconds{0.0}; // for ExactTooLong: the estimate
    std::string Message() const;
};

// The longest exact run accepted, in estimated seconds on one processor
// divided by the threads (as odds/ExactOdds.h's kExactSecondsLimit).
inline constexpr double kRangeExactSecondsLimit = 8.0;

// Estimated seconds the exact enumeration takes on one processor.
double RangeExactSecondsEstimate(const EquityRequest& request);

// Checks the request without running it (for Exact, includes the estimate).
EquityProblem CheckEquityRequest(const EquityRequest& request);

// Called from the calling thread about every `progressSeconds` with the
// results so far (a prefix of whole blocks when sampled).
using EquityProgress = std::function<void(const EquityResults&)>;
struct EquityControl {
    const std::atomic<bool>* stop{nullptr}; // set to end the run early
    EquityProgress progress{};
    double progressSeconds{0.2};
};

// Runs the request on `threads` workers (the calling thread is one of them).
// Returns the problem (and leaves `out` untouched) or kind None with `out` set.
EquityProblem CalculateEquity(const EquityRequest& request, EquityResults& out,
                              const EquityControl& control = {});

} // namespace quillory
