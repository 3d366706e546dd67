#include "drill/TrueValue.h"

#include "drill/Showdowns.h"
#include "odds/Estimator.h"
#include "odds/ExactOdds.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <thread>

namespace quillory::drill {
namespace {

constexpr std::int32_t kFirstPass = 20'000;
constexpr std::int32_t kMostDeals = 250'000;

} // namespace

TrueValue EstimateTrueValue(const Spot& spot, std::int32_t deals) {
    const std::int32_t wins = EstimateWins(spot.hole[0], spot.hole[1], KnownBoardCards(spot.street),
                                           spot.board, spot.players, deals);
    const double p = deals > 0 ? static_cast<double>(wins) / deals : 0.0;
    TrueValue value;
    value.method = Method::MonteCarlo;
    value.percent = 100.0 * p;
    value.standardError = deals > 0 ? 100.0 * std::sqrt(p * (1.0 - p) / deals) : 0.0;
    value.samples = deals;
    return value;
}

TrueValue ComputeEquity(const Spot& spot) {
    const int known = KnownBoardCards(spot.street);
    if (spot.players == 2 && known >= 3) {
        const Tally tally = CountHeadsUp(spot.hole, spot.board, known);
        return TrueValue{tally.EquityPercent(), Method::Exact, 0.0,
                         static_cast<std::int64_t>(tally.showdowns)};
    }
    // A share lies between 0 and 1, so its variance is at most p (1 - p):
    // the same sizing as the win count's.
    const std::uint64_t seed = std::random_device{}();
    const auto sample = [&](std::int32_t deals, std::uint64_t offset) {
        const Tally tally =
            SampleShowdowns(spot.hole, spot.board, known, spot.players, deals, seed + offset);
        const double p = tally.EquityPercent() / 100.0;
        return TrueValue{100.0 * p, Method::MonteCarlo, 100.0 * std::sqrt(p * (1.0 - p) / deals),
                         deals};
    };
    const TrueValue first = sample(kFirstPass, 0);
    const double p = first.percent / 100.0;
    const double bound = kMaxStandardError / 100.0;
    const double needed = std::ceil(1.1 * std::max(p * (1.0 - p), 0.01) / (bound * bound));
    const auto deals = static_cast<std::int32_t>(std::min<double>(needed, kMostDeals));
    return deals <= kFirstPass ? first : sample(std::max(deals, kFirstPass), 1);
}

TrueValue ComputeTrueValue(const Spot& spot) {
    if (spot.stake) {
        return ComputeEquity(spot);
    }
    const std::int32_t known = KnownBoardCards(spot.street);
    const double seconds =
        ExactSecondsEstimate(spot.hole[0], spot.hole[1], known, spot.board, spot.players);
    if (seconds > 0.0 && seconds <= kExactSecondsBudget) {
        // The value is computed away from the window, so every processor helps.
        const auto threads =
            static_cast<std::int32_t>(std::clamp(std::thread::hardware_concurrency(), 1U, 8U));
        ExactOdds odds;
        if (EnumerateExactOdds(spot.hole[0], spot.hole[1], known, spot.board, spot.players, odds,
                               threads)) {
            return TrueValue{100.0 * odds.Probability(), Method::Exact, 0.0,
                             static_cast<std::int64_t>(odds.showdowns)};
        }
    }
    // A short first pass tells how many deals the standard error needs:
    // p (1 - p) / deals <= (0.1 %)^2, so at most 250,000 for p near one half.
    const TrueValue first = EstimateTrueValue(spot, kFirstPass);
    const double p = first.percent / 100.0;
    const double bound = kMaxStandardError / 100.0;
    // A little margin keeps the final error under the bound when p moves.
    const double needed = std::ceil(1.1 * std::max(p * (1.0 - p), 0.01) / (bound * bound));
    const auto deals = static_cast<std::int32_t>(std::min<double>(needed, kMostDeals));
    return deals <= kFirstPass ? first : EstimateTrueValue(spot, std::max(deals, kFirstPass));
}

Score ScoreGuess(double guessPercent, double truePercent) {
    const double error = guessPercent - truePercent;
    return Score{error, std::fabs(error) <= kHitWindow};
}

std::optional<double> ParseGuess(std::string_view text) {
    // Blanks around the number and one percent sign after it are allowed;
    // nothing inside it ("4 5" is not 45).
    const auto trim = [](std::string_view& part) {
        while (!part.empty() && part.front() == ' ') {
            part.remove_prefix(1);
        }
        while (!part.empty() && part.back() == ' ') {
            part.remove_suffix(1);
        }
    };
    trim(text);
    if (!text.empty() && text.back() == '%') {
        text.remove_suffix(1);
        trim(text);
    }
    std::string digits(text);
    std::replace(digits.begin(), digits.end(), ',', '.');
    if (digits.empty()) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                              std::chars_format::fixed);
    if (error != std::errc() || end != digits.data() + digits.size() || !(value >= 0.0) ||
        value > 100.0 || !std::isdigit(static_cast<unsigned char>(digits.front()))) {
        return std::nullopt;
    }
    return value;
}

} // namespace quillory::drill
