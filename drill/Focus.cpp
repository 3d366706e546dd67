#include "drill/Focus.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace quillory::drill {
namespace {

// Mean absolute errors per value, the missing ones set to `fallback`, then
// floored as the rule says.
template <std::size_t N>
std::array<double, N> Weights(const std::array<double, N>& sums, const std::array<int, N>& counts,
                              double fallback) {
    std::array<double, N> weights{};
    for (std::size_t i = 0; i < N; ++i) {
        weights[i] = counts[i] > 0 ? sums[i] / counts[i] : fallback;
    }
    const double largest = *std::max_element(weights.begin(), weights.end());
    for (double& weight : weights) {
        weight = std::max({weight, kFloorShare * largest, kLeastWeight});
    }
    return weights;
}

template <std::size_t N>
int DrawIndex(std::mt19937_64& generator, const std::array<double, N>& weights) {
    std::discrete_distribution<int> draw(weights.begin(), weights.end());
    return draw(generator);
}

} // namespace

FocusWeights WeakSpotWeights(const std::vector<Answer>& answers) {
    std::array<double, kStreets> streetSums{};
    std::array<int, kStreets> streetCounts{};
    std::array<double, 9> playerSums{};
    std::array<int, 9> playerCounts{};
    std::array<double, kKindGroups> kindSums{};
    std::array<int, kKindGroups> kindCounts{};
    double total = 0;
    int counted = 0;
    for (auto it = answers.rbegin();
         it != answers.rend() && static_cast<std::size_t>(counted) < kRecentAnswers; ++it) {
        if (it->question != Question::Estimate) {
            continue;
        }
        const double error = std::fabs(it->guess - it->truth);
        const auto street = static_cast<std::size_t>(it->street);
        const auto players = static_cast<std::size_t>(std::clamp(it->players, 2, 10) - 2);
        streetSums[street] += error;
        ++streetCounts[street];
        playerSums[players] += error;
        ++playerCounts[players];
        if (it->kind) {
            const auto group = static_cast<std::size_t>(GroupOf(*it->kind));
            kindSums[group] += error;
            ++kindCounts[group];
        }
        total += error;
        ++counted;
    }
    const double mean = counted > 0 ? total / counted : 1.0;
    return FocusWeights{Weights(streetSums, streetCounts, mean),
                        Weights(playerSums, playerCounts, mean),
                        Weights(kindSums, kindCounts, mean)};
}

Spot DrawWeakSpot(const std::vector<Answer>& answers, std::uint64_t seed,
                  const SpotChoice& choice) {
    const FocusWeights weights = WeakSpotWeights(answers);
    std::mt19937_64 generator(seed);
    SpotChoice focused = choice;
    if (!focused.street) {
        focused.street = static_cast<Street>(DrawIndex(generator, weights.streets));
    }
    if (!focused.players) {
        focused.players = 2 + DrawIndex(generator, weights.players);
    }
    std::array<double, kKindGroups> kinds = weights.kinds;
    for (int group = 0; group < kKindGroups; ++group) {
        if (!GroupFitsStreet(static_cast<KindGroup>(group), *focused.street)) {
            kinds[static_cast<std::size_t>(group)] = 0.0;
        }
    }
    const auto group = static_cast<KindGroup>(DrawIndex(generator, kinds));
    Spot spot = DrawSpot(generator, focused);
    for (int tries = 1; tries < kKindTries && GroupOf(KindOf(spot)) != group; ++tries) {
        spot = DrawSpot(generator, focused);
    }
    return spot;
}

} // namespace quillory::drill
