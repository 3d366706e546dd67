// The estimator deals exactly the cards of the literal trial procedure and
// decides exactly as the reference showdown: with the same seeds, the fast
// EstimateWins, the table-based EstimateWinsByTable and a word-for-word
// version of the procedure on the reference evaluation count the same wins.
#include "OddsTestSupport.h"
#include "odds/Labels.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

using test::Board;
using test::C;
using test::LiteralEstimate;

// Odd, and a third of it odd too, so that the estimator's trials taken two
// at a time leave one over, in the whole run and in both parts of a split.
#ifdef __SANITIZE_ADDRESS__
constexpr std::int32_t kTrials = 41;
#else
constexpr std::int32_t kTrials = 201;
#endif

// Hole cards and a board of five more, all distinct, drawn from a deck
// shuffled with `seed`.
struct Deal7 {
    Card first;
    Card second;
    BoardCards board;
};

Deal7 RandomKnownCards(std::int32_t seed) {
    Deck deck;
    deck.Shuffle(seed);
    Deal7 d{};
    deck.Deal(d.first);
    deck.Deal(d.second);
    for (Card& c : d.board) {
        deck.Deal(c);
    }
    return d;
}

// Checks all three ways of counting agree for the given input and seed base,
// and that the trials split into two ranges add up to the same count.
void ExpectSameWins(const Card& first, const Card& second, std::int32_t k, const BoardCards& board,
                    std::int32_t n, std::int32_t trials, std::uint32_t base) {
    const SeedSource seeds = SeedSource::Fixed(base);
    const std::int32_t literal = LiteralEstimate(first, second, k, board, n, trials, base);
    EXPECT_EQ(EstimateWins(first, second, k, board, n, trials, seeds), literal)
        << n << " players, " << k << " known, seed " << base;
    EXPECT_EQ(EstimateWinsByTable(first, second, k, board, n, trials, seeds), literal)
        << n << " players, " << k << " known, seed " << base;
    const std::int32_t head = trials / 3;
    EXPECT_EQ(EstimateWinsOfTrials(first, second, k, board, n, 0, head, seeds) +
                  EstimateWinsOfTrials(first, second, k, board, n, head, trials - head, seeds),
              literal);
}

TEST(Estimator, SameWinsAsLiteralProcedureForEveryTableSizeAndBoard) {
    for (std::int32_t n = 2; n <= kMaxPlayers; ++n) {
        for (const std::int32_t k : {0, 1, 2, 3, 4, 5}) {
            const Deal7 d = RandomKnownCards(n * 100 + k + 1);
            ExpectSameWins(d.first, d.second, k, d.board, n, kTrials,
                           static_cast<std::uint32_t>(7919 * n + 31 * k));
        }
    }
}

TEST(Estimator, SeedSourceIsReadOnceAtTheStart) {
    // A clock that moves at every read is read once, so the estimate equals
    // the fixed-base one from its first value.
    const Deal7 d = RandomKnownCards(5);
    const std::int32_t fixed =
        EstimateWins(d.first, d.second, 3, d.board, 6, kTrials, SeedSource::Fixed(500));
    const SeedSource moving = SeedSource::Ticks(test::CountingTicks);
    test::g_ticks.store(500);
    EXPECT_EQ(EstimateWins(d.first, d.second, 3, d.board, 6, kTrials, moving), fixed);
    test::g_ticks.store(500);
    EXPECT_EQ(EstimateWinsByTable(d.first, d.second, 3, d.board, 6, kTrials, moving), fixed);
}

TEST(Estimator, SeedsWrapAroundTheTickCounter) {
    // Seeds run through 0 and the sign change of the 32-bit seed.
    const Deal7 d = RandomKnownCards(99);
    ExpectSameWins(d.first, d.second, 0, d.board, 3, kTrials, 0xFFFFFFFFU - kTrials / 2);
    ExpectSameWins(d.first, d.second, 0, d.board, 3, kTrials, 0x7FFFFFFFU - kTrials / 2);
}

TEST(Estimator, OddKnownCardsPassThroughAsTheyStand) {
    // Entry mode allows duplicates and empty slots; the estimate then follows
    // the procedure literally instead of the shortcut.
    const BoardCards flop = Board("Qh Jh 2c Kd 7s");
    ExpectSameWins(C("As"), C("As"), 0, flop, 4, kTrials, 11); // the same hole card twice
    ExpectSameWins(C("As"), C("Kd"), 3, Board("As Jh 2c"), 3, kTrials, 12); // hole card on board
    ExpectSameWins(C("As"), C("Kd"), 5, Board("Qh Qh 2c 9d 9d"), 2, kTrials, 13);
    ExpectSameWins(C("As"), kNoCard, 3, flop, 5, kTrials, 14); // a hole card still missing
    BoardCards gap = flop;
    gap[1] = kNoCard;
    ExpectSameWins(C("As"), C("Kd"), 4, gap, 2, kTrials, 15); // an empty board slot
    gap = flop;
    gap[0] = kNoCard;
    ExpectSameWins(C("As"), C("Kd"), 3, gap, 3, kTrials, 16);        // an empty first flop card
    ExpectSameWins(Card{kAce, 7}, C("Kd"), 0, flop, 2, kTrials, 17); // a suit out of range
}

TEST(Estimator, OnlyTheKnownBoardCardsAreRead) {
    const SeedSource seeds = SeedSource::Fixed(42);
    const std::int32_t withRiver =
        EstimateWins(C("As"), C("Kd"), 3, Board("Qh Jh 2c Kd 7s"), 4, 500, seeds);
    EXPECT_EQ(EstimateWins(C("As"), C("Kd"), 3, Board("Qh Jh 2c"), 4, 500, seeds), withRiver);
}

TEST(Estimator, SharedFirstPlaceCountsAsAWin) {
    // A royal flush on the board, or four kings with an ace: every seat plays
    // the board, so every trial is a tie.
    for (const char* board : {"As Ks Qs Js Ts", "Ks Kh Kc Kd As"}) {
        for (const std::int32_t n : {2, 10}) {
            const std::int32_t trials = TrialCount(n);
            const std::int32_t wins = EstimateWins(C("2c"), C("3d"), 5, Board(board), n, trials);
            EXPECT_EQ(wins, trials) << board;
            EXPECT_EQ(FormatWinningRate(wins, trials), "100.00%");
        }
    }
}

TEST(Estimator, RangesOutsideTheContract) {
    const SeedSource seeds = SeedSource::Fixed(9);
    const BoardCards board = Board("Qh Jh 2c Kd 7s");
    EXPECT_EQ(EstimateWins(C("As"), C("Kd"), 3, board, 4, 0, seeds), 0);
    EXPECT_EQ(EstimateWins(C("As"), C("Kd"), 3, board, 4, -5, seeds), 0);
    EXPECT_EQ(EstimateWins(C("As"), C("Kd"), 3, board, 0, 100, seeds), 0);
    EXPECT_EQ(EstimateWins(C("As"), C("Kd"), 3, board, -3, 100, seeds), 0);
    EXPECT_EQ(EstimateWins(C("As"), C("Kd"), 3, board, 11, 100, seeds), 0);
    EXPECT_EQ(EstimateWinsByTable(C("As"), C("Kd"), 3, board, 11, 100, seeds), 0);
    // Alone at the table, seat 0 always wins.
    EXPECT_EQ(EstimateWins(C("As"), C("Kd"), 0, board, 1, 100, seeds), 100);
    // k beyond 0-5 acts as the nearest end.
    EXPECT_EQ(EstimateWins(C("As"), C("Kd"), 9, board, 3, 300, seeds),
              EstimateWins(C("As"), C("Kd"), 5, board, 3, 300, seeds));
    EXPECT_EQ(EstimateWins(C("As"), C("Kd"), -4, board, 3, 300, seeds),
              EstimateWins(C("As"), C("Kd"), 0, board, 3, 300, seeds));
}

} // namespace
} // namespace quillory
