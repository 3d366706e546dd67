#pragma once

#include "odds/Estimator.h"

#include <cstdint>

namespace quillory {

// Exact odds by full enumeration, the yardstick for the Monte Carlo estimate.
//
// A showdown here is one way to complete the board (an unordered set of the
// 5 - k missing cards) together with one holding (an unordered pair) for each
// opponent seat 1 to n-1, all cards distinct. Every showdown is equally likely
// under a uniform shuffle, so the probability that seat 0 is among the winners
// is (winsAlone + ties) / showdowns.
struct ExactOdds {
    std::uint64_t showdowns{0}; // every completion and assignment of holdings
    std::uint64_t winsAlone{0}; // seat 0 strictly better than every opponent
    std::uint64_t ties{0};      // seat 0 shares the best hand with an opponent

    std::uint64_t Wins() const { return winsAlone + ties; }
    double Probability() const {
        return showdowns == 0 ? 0.0 : static_cast<double>(Wins()) / static_cast<double>(showdowns);
    }
};

// The enumeration size that callers should refuse beyond.
inline constexpr double kExactShowdownLimit = 50'000'000.0;

// Number of showdowns for k known board cards (0 to 5) and n players (1 to 10):
// C(50-k, 5-k) * C(45, 2) * C(43, 2) * ... over the n-1 opponents. A double,
// since ten players preflop run to about 4.6e31; exact below 2^53.
double ExactShowdownCount(std::int32_t k, std::int32_t n);

// Enumerates every showdown and counts seat 0's wins and ties. Needs real,
// distinct cards (the two hole cards and board[0..k-1]), k from 0 to 5 and n
// from 1 to 10; returns false without counting otherwise. Runs as long as the
// count says (tens of millions of showdowns take seconds): check the count
// against kExactShowdownLimit first.
bool EnumerateExactOdds(const Card& first, const Card& second, std::int32_t k,
                        const BoardCards& board, std::int32_t n, ExactOdds& out);

} // namespace quillory
