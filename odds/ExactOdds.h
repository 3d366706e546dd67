#pragma once

#include "odds/Estimator.h"

#include <cstdint>

namespace quillory {

// Exact odds by full enumeration, the yardstick for the Monte Carlo estimate.
//
// A showdown here is one way to complete the board (an unordered set of the
// 5 - k missing cards) together with one holding (an unordered pair) for each
// opponent seat 1 to n-1, all cards distinct. Every showdown is equally likely
// under a uniform deal, so the probability that seat 0 is among the winners
// is (winsAlone + ties) / showdowns.
struct ExactOdds {
    std::uint64_t showdowns{0}; // every completion and assignment of holdings
    std::uint64_t winsAlone{0}; // seat 0 strictly better than every opponent
    std::uint64_t ties{0};      // seat 0 shares the best hand with an opponent

    std::uint64_t Wins() const { return winsAlone + ties; }
    double Probability() const {
        return showdowns == 0 ? 0.0 : static_cast<double>(Wins()) / static_cast<double>(showdowns);
    }

    friend bool operator==(const ExactOdds&, const ExactOdds&) = default;
};

// Number of showdowns for k known board cards (0 to 5) and n players (1 to 10):
// C(50-k, 5-k) * C(45, 2) * C(43, 2) * ... over the n-1 opponents. A double,
// since ten players preflop run to about 4.6e31; exact below 2^53.
double ExactShowdownCount(std::int32_t k, std::int32_t n);

// Estimated seconds that EnumerateExactOdds takes on one processor of an
// ordinary desktop machine for these cards, from the number of distinct
// boards it visits and the work per board. Callers refuse runs above
// kExactSecondsLimit. Cards must be as EnumerateExactOdds needs them;
// otherwise the result is 0.
double ExactSecondsEstimate(const Card& first, const Card& second, std::int32_t k,
                            const BoardCards& board, std::int32_t n);

// The longest estimated run (seconds on one processor) that callers accept:
// heads-up and three players from any street, and more players from later
// streets.
inline constexpr double kExactSecondsLimit = 8.0;

// Enumerates every showdown and counts seat 0's wins and ties. Needs real,
// distinct cards (the two hole cards and board[0..k-1]), k from 0 to 5 and n
// from 1 to 10; returns false without counting otherwise. Runs as long as
// ExactSecondsEstimate says (divided by the threads); check it first.
//
// How it counts: boards that a suit permutation fixing the known cards maps
// onto each other give the same counts, so only one board per such class is
// visited, weighted by the size of its class. Per board, every opponent
// holding is sorted into "does not beat seat 0" (X) and "is below seat 0"
// (Y); holdings without a flush are sorted by their two ranks alone. Seat 0
// is among the winners of a showdown exactly when every opponent's holding
// lies in X, and wins alone when every one lies in Y, so the counts are the
// numbers of ordered choices of pairwise disjoint holdings from X and from Y:
// |X| for one opponent, |X|^2 - sum over cards c of d(c)^2 + |X| for two (d(c)
// the holdings of X that hold c), and for more the same formula over the
// holdings left after the first n-3 opponents are chosen one by one.
//
// Heads-up preflop (k 0, n 2) is instead a sum over the opponent's 1,225
// holdings of the compiled-in matchup table (odds/HeadsUpPreflop.h), counted
// once by the same kind of enumeration: the same counts in about a
// millisecond.
//
// `threads` workers (values below 1 count as 1) share the boards; the counts
// are the same for every number of threads.
bool EnumerateExactOdds(const Card& first, const Card& second, std::int32_t k,
                        const BoardCards& board, std::int32_t n, ExactOdds& out,
                        std::int32_t threads = 1);

} // namespace quillory
