#pragma once

// Shared pieces of the exact and the sampled range equity (RangeEquity.h).
#include "engine/FastEval.h"
#include "range/RangeEquity.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace quillory::equity {

using CardMask = std::uint64_t;

constexpr CardMask CardBit(int index) {
    return CardMask{1} << index;
}

// One seat's combos that the known and dead cards leave, with their weights.
struct SeatList {
    std::vector<std::uint16_t> combo;
    std::vector<CardMask> mask;
    std::vector<HandMasks> hand;
    std::vector<float> weight;
    bool random{false}; // every combo at weight 1: dealt from the deck when sampling
};

// The request with its cards checked and each seat's combos listed.
struct Prepared {
    int seats{0};
    int known{0}; // known board cards
    std::array<std::uint8_t, 5> board{};
    CardMask boardMask{0};
    CardMask deadMask{0};
    HandMasks boardHand{};
    std::vector<SeatList> lists;

    CardMask Taken() const { return boardMask | deadMask; }
};

// Checks cards and seats and fills `out`; kind None when good.
EquityProblem Prepare(const EquityRequest& request, Prepared& out);

// Sums over showdowns: weights (exact) or trials (sampled) per seat.
struct Tally {
    double total{0.0};
    std::array<double, kMaxRangeSeats> winAlone{};
    std::array<double, kMaxRangeSeats> tie{};
    std::array<double, kMaxRangeSeats> equity{};
    double equity0Squares{0.0}; // sampled: the sum of seat 0's share squared
    std::int64_t showdowns{0};
    std::int64_t among0{0}; // sampled: trials with seat 0 among the winners

    void Add(const Tally& other);
    // Scores one showdown of `seats` ordinals at weight `w`.
    void Score(const HandOrdinal* ordinal, int seats, double w) {
        HandOrdinal best = 0;
        for (int s = 0; s < seats; ++s) {
            best = std::max(best, ordinal[s]);
        }
        int sharing = 0;
        for (int s = 0; s < seats; ++s) {
            sharing += ordinal[s] == best ? 1 : 0;
        }
        const double share = w / sharing;
        for (int s = 0; s < seats; ++s) {
            if (ordinal[s] == best) {
                (sharing == 1 ? winAlone : tie)[static_cast<std::size_t>(s)] += w;
                equity[static_cast<std::size_t>(s)] += share;
            }
        }
        total += w;
    }
};

// Results from a tally; `exact` leaves the standard errors 0.
EquityResults ResultsOf(const Tally& tally, int seats, EquityMethod method);

// The runs themselves; `out` gets the results, `stopped` whether the stop
// flag ended the run.
void RunExact(const Prepared& prepared, const EquityRequest& request, const EquityControl& control,
              EquityResults& out);
void RunSampled(const Prepared& prepared, const EquityRequest& request,
                const EquityControl& control, EquityResults& out);
double ExactSeconds(const Prepared& prepared, const EquityRequest& request);

// Heads-up preflop without dead cards: the exact sums from the compiled-in
// matchup table (RangePreflop.cpp), in milliseconds.
bool PreflopTableApplies(const Prepared& prepared);
double PreflopTableSeconds(const Prepared& prepared);
void RunPreflopTable(const Prepared& prepared, EquityResults& out);

} // namespace quillory::equity
