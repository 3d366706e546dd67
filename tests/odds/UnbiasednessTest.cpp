// The estimate is unbiased: over many trials its winning rate lies within
// three standard errors of the exact probability, found by enumerating every
// deal (from the flop on) or by full preflop enumerations done once with the
// same EnumerateExactOdds (quillory-odds --exact; ExactOddsTest reproduces
// the aces). Seeds are fixed, so every run is the same.
#include "OddsTestSupport.h"
#include "odds/ExactOdds.h"
#include "odds/Labels.h"

#include <cmath>
#include <gtest/gtest.h>

namespace quillory {
namespace {

using test::Board;

#ifdef __SANITIZE_ADDRESS__
constexpr std::int32_t kEstimates = 4;
#else
constexpr std::int32_t kEstimates = 40;
#endif

// Runs `estimates` window-sized estimates (TrialCount(n) trials each) with
// ticks far enough apart that no two trials share a seed, and checks the
// pooled rate against `exact`.
void ExpectWithinThreeStandardErrors(const char* hole, const BoardCards& board, std::int32_t k,
                                     std::int32_t n, double exact) {
    const auto cards = test::ParseCards(hole);
    const std::int32_t trials = TrialCount(n);
    std::int64_t wins = 0;
    for (std::int32_t e = 0; e < kEstimates; ++e) {
        const auto base = static_cast<std::uint32_t>(1'000'003 * (e + 1));
        wins += EstimateWins(cards[0], cards[1], k, board, n, trials, SeedSource::Fixed(base));
    }
    const double total = static_cast<double>(trials) * kEstimates;
    const double rate = static_cast<double>(wins) / total;
    const double standardError = std::sqrt(exact * (1.0 - exact) / total);
    EXPECT_NEAR(rate, exact, 3.0 * standardError)
        << hole << " with " << k << " known, " << n << " players: " << wins << " of " << total;
}

struct PostflopCase {
    const char* hole;
    const char* board;
    std::int32_t known;
    std::int32_t players;
};

TEST(Unbiasedness, FlopTurnAndRiverAgainstExactEnumeration) {
    const PostflopCase cases[] = {
        {"As Ks", "Qs Js 2d", 3, 2},    // a strong draw
        {"7c 2d", "7h 7s Kd", 3, 2},    // trips against a board pair
        {"Td 9d", "8c 7h 2s", 3, 2},    // an open-ended straight draw
        {"9h 9d", "Ah Kh 4c 9s", 4, 2}, // a set against flush draws
        {"Ah Qh", "Kh 7h 2c 2d", 4, 2}, // the nut flush draw on a paired turn
        {"Ah Qh", "Kh 7h 2c 2d 9s", 5, 2}, {"Tc 9c", "Jc 8d 2c 3h 4s", 5, 3},
        {"5c 6d", "2c 3d 4h Ks Kh", 5, 2}, // many ties: the six-high straight
    };
    for (const PostflopCase& c : cases) {
        const auto cards = test::ParseCards(c.hole);
        const BoardCards board = Board(c.board);
        ExactOdds exact;
        ASSERT_TRUE(EnumerateExactOdds(cards[0], cards[1], c.known, board, c.players, exact));
        ExpectWithinThreeStandardErrors(c.hole, board, c.known, c.players, exact.Probability());
    }
}

TEST(Unbiasedness, PreflopAgainstFullEnumeration) {
    // Exact values: (winsAlone + ties) / 2,097,572,400 showdowns each, by
    // EnumerateExactOdds. Pocket aces: 1,781,508,418 wins alone and 11,402,312
    // ties, 84.93 % + 0.54 %, the published figure for aces heads-up.
    constexpr double kShowdowns = 2097572400.0;
    ExpectWithinThreeStandardErrors("As Ah", BoardCards{}, 0, 2,
                                    (1781508418.0 + 11402312.0) / kShowdowns);
    // Seven-deuce offsuit: 31.71 % + 5.75 %.
    ExpectWithinThreeStandardErrors("7c 2d", BoardCards{}, 0, 2,
                                    (665146081.0 + 120541920.0) / kShowdowns);
    // Jack-ten suited: 56.16 % + 2.75 %.
    ExpectWithinThreeStandardErrors("Jh Th", BoardCards{}, 0, 2,
                                    (1177887186.0 + 57602534.0) / kShowdowns);
    // Pocket aces against two opponents: 1,397,306,156,860 wins (10,721,599,644
    // of them tied) in 1,894,107,877,200 showdowns.
    ExpectWithinThreeStandardErrors("As Ah", BoardCards{}, 0, 3, 1397306156860.0 / 1894107877200.0);
}

} // namespace
} // namespace quillory
