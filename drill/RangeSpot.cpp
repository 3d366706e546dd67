#include "drill/RangeSpot.h"

#include "range/RangeEquity.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <thread>

namespace quillory::drill {
namespace {

int Threads() {
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1U, 8U));
}

Card CardAt(int index) {
    return CardAtFreshIndex(index);
}

} // namespace

bool DrawRangeSpot(std::mt19937_64& generator, const SpotChoice& choice, const HandRange& opponents,
                   Spot& spot) {
    std::vector<double> weights(kComboCount);
    for (int combo = 0; combo < kComboCount; ++combo) {
        weights[static_cast<std::size_t>(combo)] = opponents.Weight(combo);
    }
    if (opponents.Empty()) {
        return false;
    }
    std::discrete_distribution<int> comboOf(weights.begin(), weights.end());
    const bool fixed = choice.hole.has_value() && IsValidHole(*choice.hole);
    for (int attempt = 0; attempt < kRangeDealTries; ++attempt) {
        Spot drawn = DrawSpot(generator, choice); // street, table size and a hand
        std::array<bool, kDeckSize> used{};
        if (fixed) {
            for (const Card& card : *choice.hole) {
                used[static_cast<std::size_t>(FreshDeckIndex(card))] = true;
            }
        }
        bool disjoint = true;
        for (int seat = 1; seat < drawn.players && disjoint; ++seat) {
            const ComboCards cards = CardsOfCombo(comboOf(generator));
            disjoint = !used[static_cast<std::size_t>(cards.low)] &&
                       !used[static_cast<std::size_t>(cards.high)];
            used[static_cast<std::size_t>(cards.low)] = true;
            used[static_cast<std::size_t>(cards.high)] = true;
        }
        if (!disjoint) {
            continue;
        }
        // The user's cards (unless fixed) and the board from the cards left.
        std::vector<int> left;
        for (int index = 0; index < kDeckSize; ++index) {
            if (!used[static_cast<std::size_t>(index)]) {
                left.push_back(index);
            }
        }
        std::shuffle(left.begin(), left.end(), generator);
        std::size_t next = 0;
        if (!fixed) {
            drawn.hole = {CardAt(left[next]), CardAt(left[next + 1])};
            next += 2;
        }
        for (int i = 0; i < KnownBoardCards(drawn.street); ++i) {
            drawn.board[static_cast<std::size_t>(i)] = CardAt(left[next++]);
        }
        drawn.opponents = FormatRange(opponents);
        spot = drawn;
        return true;
    }
    return false;
}

TrueValue ComputeRangeTrueValue(const Spot& spot) {
    HandRange opponents;
    RangeError error;
    if (!ParseRange(spot.opponents, opponents, error)) {
        opponents = HandRange::Random();
    }
    EquityRequest request;
    request.seats.push_back(
        HandRange::Single(ComboIndex(FreshDeckIndex(spot.hole[0]), FreshDeckIndex(spot.hole[1]))));
    request.seats.insert(request.seats.end(), static_cast<std::size_t>(spot.players - 1),
                         opponents);
    for (int i = 0; i < KnownBoardCards(spot.street); ++i) {
        request.board.push_back(FreshDeckIndex(spot.board[static_cast<std::size_t>(i)]));
    }
    request.threads = Threads();
    request.method = EquityMethod::Exact;
    if (CheckEquityRequest(request).kind != EquityProblemKind::None ||
        RangeExactSecondsEstimate(request) / request.threads > kExactSecondsBudget) {
        request.method = EquityMethod::Sampled;
        request.trials = kRangeTrueValueDeals;
        request.seed = static_cast<std::uint32_t>(std::random_device{}());
    }
    EquityResults results;
    if (CalculateEquity(request, results).kind != EquityProblemKind::None) {
        return {};
    }
    const bool exact = results.method == EquityMethod::Exact;
    // A call-or-fold spot is valued by its equity (split pots shared), an
    // estimate spot by the share of showdowns won or tied.
    const bool equity = spot.stake.has_value();
    const double value = equity ? results.equity[0] : results.among0;
    const double spread = equity ? results.equityStdError : results.among0StdError;
    return TrueValue{100.0 * value, exact ? Method::Exact : Method::MonteCarlo,
                     exact ? 0.0 : 100.0 * spread, results.showdowns};
}

TrueValue ComputeAnyTrueValue(const Spot& spot) {
    return spot.opponents.empty() ? ComputeTrueValue(spot) : ComputeRangeTrueValue(spot);
}

} // namespace quillory::drill
