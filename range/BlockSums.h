#pragma once

// The sums of one block of sampled trials (RangeSampler.cpp): the count of
// each set of winners, turned into per-seat sums once per block.
#include "range/EquityDetail.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace quillory::equity {

// A block's sums in whole numbers: a pot is kPotUnits, split evenly among up
// to ten winners, so the sums are exact and the same in any order.
constexpr std::int64_t kPotUnits = 2520;
constexpr std::array<std::int64_t, kMaxRangeSeats + 1> kShare = {0,   2520, 1260, 840, 630, 504,
                                                                 420, 360,  315,  280, 252};

// During a block only the set of winners of each trial is counted (one
// counter per set of seats); the per-seat sums follow from those counts once
// per block, in ToTally.
struct BlockSums {
    int seats{0};
    std::int64_t* winners{nullptr}; // by bit set of seats, 2^seats counters

    // Counting into `counters`, 2^seatCount of them, as they are.
    BlockSums(int seatCount, std::int64_t* counters) : seats(seatCount), winners(counters) {}
    // `counters` has room for 2^seatCount counters; they are set to 0.
    BlockSums(int seatCount, std::vector<std::int64_t>& counters) : seats(seatCount) {
        counters.assign(std::size_t{1} << seatCount, 0);
        winners = counters.data();
    }

    void Score(const HandOrdinal* ordinal) {
        HandOrdinal best = 0;
        for (int s = 0; s < seats; ++s) {
            best = std::max(best, ordinal[s]);
        }
        unsigned set = 0;
        for (int s = 0; s < seats; ++s) {
            set |= (ordinal[s] == best ? 1U : 0U) << s;
        }
        ++winners[set];
    }
    // The same for a seat count known when compiling.
    template <int Seats> void Score(const HandOrdinal* ordinal) {
        HandOrdinal best = 0;
#pragma GCC unroll 10
        for (int s = 0; s < Seats; ++s) {
            best = std::max(best, ordinal[s]);
        }
        unsigned set = 0;
#pragma GCC unroll 10
        for (int s = 0; s < Seats; ++s) {
            set |= (ordinal[s] == best ? 1U : 0U) << s;
        }
        ++winners[set];
    }

    Tally ToTally() const {
        std::array<std::int64_t, kMaxRangeSeats> winAlone{};
        std::array<std::int64_t, kMaxRangeSeats> tie{};
        std::array<std::int64_t, kMaxRangeSeats> units{};
        std::int64_t squares0 = 0; // seat 0's units squared
        std::int64_t among0 = 0;
        std::int64_t trials = 0;
        for (unsigned set = 1; set < (1U << seats); ++set) {
            const std::int64_t count = winners[set];
            const auto sharing = static_cast<std::size_t>(std::popcount(set));
            const std::int64_t share = kShare[sharing];
            for (int s = 0; s < seats; ++s) {
                if ((set >> s) & 1U) {
                    (sharing == 1 ? winAlone : tie)[static_cast<std::size_t>(s)] += count;
                    units[static_cast<std::size_t>(s)] += count * share;
                }
            }
            if ((set & 1U) != 0) {
                squares0 += count * share * share;
                among0 += count;
            }
            trials += count;
        }
        Tally t;
        t.total = static_cast<double>(trials);
        for (std::size_t s = 0; s < kMaxRangeSeats; ++s) {
            t.winAlone[s] = static_cast<double>(winAlone[s]);
            t.tie[s] = static_cast<double>(tie[s]);
            t.equity[s] = static_cast<double>(units[s]) / kPotUnits;
        }
        t.equity0Squares = static_cast<double>(squares0) / (kPotUnits * kPotUnits);
        t.showdowns = trials;
        t.among0 = among0;
        return t;
    }
};

} // namespace quillory::equity
