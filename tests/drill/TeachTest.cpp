// The drill's teaching: spot kinds, the record's migration, bias and
// calibration, call-or-fold scoring, the weak-spot focus and the explanation.
#include "drill/Decision.h"
#include "drill/Focus.h"
#include "drill/Kind.h"
#include "drill/Record.h"
#include "drill/Summary.h"
#include "drill/Why.h"
#include "odds/ExactOdds.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sqlite3.h>
#include <unistd.h>

namespace quillory::drill {
namespace {

namespace fs = std::filesystem;

// "Ah 5h" and "Kh 9h 2c": the cards of a test spot; the street follows from
// the number of board cards.
Spot SpotOf(std::string_view hole, std::string_view board, int players = 2) {
    const auto card = [](std::string_view text) {
        const std::string_view ranks = "A23456789TJQK";
        const std::string_view suits = "shcd";
        return Card{static_cast<std::int32_t>(ranks.find(text[0])),
                    static_cast<std::int32_t>(suits.find(text[1]))};
    };
    Spot spot;
    spot.players = players;
    spot.board.fill(kNoCard);
    spot.hole = {card(hole.substr(0, 2)), card(hole.substr(3, 2))};
    int known = 0;
    for (std::size_t at = 0; at < board.size(); at += 3) {
        spot.board[static_cast<std::size_t>(known++)] = card(board.substr(at, 2));
    }
    spot.street = known == 0   ? Street::Preflop
                  : known == 3 ? Street::Flop
                  : known == 4 ? Street::Turn
                               : Street::River;
    return spot;
}

// Each spot's kind, worked out by hand.
TEST(DrillKinds, SpotsAndTheirKinds) {
    struct Case {
        const char* hole;
        const char* board;
        SpotKind kind;
    };
    const Case cases[] = {
        {"Qh Qd", "", SpotKind::OnePair},                // a pocket pair preflop
        {"Ah Kh", "", SpotKind::Nothing},                // no draws preflop
        {"As Kd", "Ac 7h 2s", SpotKind::OnePair},        // top pair
        {"9s 8d", "Kc Kh 2s", SpotKind::Nothing},        // the board's pair is everyone's
        {"Kd Ks", "Ac Ah 2s", SpotKind::TwoPair},        // a pair under the board's pair
        {"Ah 9d", "Ac 9h 2s", SpotKind::TwoPair},        //
        {"7s 7d", "Kc 7h 2s", SpotKind::ThreeOfAKind},   // a set
        {"9s 8d", "7c 6h 5s", SpotKind::Straight},       //
        {"Ks Kd", "Kc 7h 7s", SpotKind::FullHouse},      //
        {"7s 7d", "7c 7h Ks", SpotKind::FourOfAKind},    //
        {"9h 8h", "7h 6h 5h", SpotKind::StraightFlush},  //
        {"Ah 5h", "Kh 9h 2c", SpotKind::FlushDraw},      // nine hearts to come
        {"Ah 2c", "Kh 9h 4h 7s", SpotKind::FlushDraw},   // one heart of the user's
        {"5h 5c", "9h 2h 6c", SpotKind::OnePair},        // a made hand comes first
        {"9s 8d", "7c 6h 2s", SpotKind::OpenEnded},      // a five or a ten
        {"Js Td", "Ks Qd 2h 7c", SpotKind::OpenEnded},   // an ace or a nine
        {"9s 5d", "7c 6h 3s", SpotKind::OpenEnded},      // double gutshot: a four or an eight
        {"9s 8d", "Jc 7h 2s", SpotKind::Gutshot},        // a ten alone
        {"As Qd", "Kh Jc 2s", SpotKind::Gutshot},        // a ten, not two overcards
        {"As 2d", "3c 4h 9s", SpotKind::Gutshot},        // the wheel's five
        {"4s 3d", "Kc 7h 2s", SpotKind::Nothing},        // a five alone is no straight
        {"As Kd", "9c 7h 2s", SpotKind::Overcards},      //
        {"As Kd", "9c 7h 2s Qd", SpotKind::Overcards},   // a queen on the turn: still above
        {"As Kd", "Qc 7h 2s Jd", SpotKind::Gutshot},     // the turn adds a ten to hope for
        {"Jh Jc", "7s Th 7h 5d", SpotKind::TwoPair},     // higher pairs than the board's
        {"Ah 3c", "7s Th 7h Td", SpotKind::Nothing},     // the board's two pair, an ace kicker
        {"Ah 5h", "Kh 9h 2c 3h 7d", SpotKind::Flush},    // the river
        {"9s 8d", "Jc 7h 2s 3d 4c", SpotKind::Nothing},  // no draws on the river
        {"Ac 2d", "5s 6h 7c 8d 9s", SpotKind::Nothing},  // playing the board's straight
        {"Tc 2d", "5s 6h 7c 8d 9s", SpotKind::Straight}, // a higher straight than the board's
        {"Ac 2d", "5s 5h 7c 7d 9s", SpotKind::Nothing},  // an ace kicker to the board's pairs
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KindName(KindOf(SpotOf(c.hole, c.board))), KindName(c.kind))
            << c.hole << " on " << c.board;
    }
    EXPECT_EQ(GroupOf(SpotKind::FullHouse), KindGroup::MadeHand);
    EXPECT_EQ(GroupOf(SpotKind::Gutshot), KindGroup::Gutshot);
    EXPECT_EQ(GroupOf(SpotKind::Nothing), KindGroup::Nothing);
    for (int k = 0; k < kSpotKinds; ++k) {
        EXPECT_EQ(KindFromName(KindName(static_cast<SpotKind>(k))), static_cast<SpotKind>(k));
    }
}

class DrillMigration : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() / ("quillory-teach-" + std::to_string(::getpid()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path m_folder;
};

// The columns of the answers table, read straight from the file.
std::vector<std::string> ColumnsOf(const fs::path& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.string().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* info = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA table_info(answers)", -1, &info, nullptr);
    std::vector<std::string> columns;
    while (sqlite3_step(info) == SQLITE_ROW) {
        columns.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(info, 1)));
    }
    sqlite3_finalize(info);
    sqlite3_close(db);
    return columns;
}

// A record written before kinds and call-or-fold answers existed opens in
// place: every answer is kept as it was, kinds are filled from the cards, and
// the file takes new answers of both questions.
TEST_F(DrillMigration, AnEarlierRecordOpensInPlace) {
    const fs::path path = m_folder / "drill.sqlite";
    fs::copy_file(fs::path(QUILLORY_DRILL_DATA) / "drill-v1.sqlite", path);
    ASSERT_EQ(ColumnsOf(path).size(), 10u);
    Answer call;
    {
        Record record;
        record.Open(path);
        ASSERT_TRUE(record.Problem().empty()) << record.Problem();
        const std::vector<Answer>& answers = record.Answers();
        ASSERT_EQ(answers.size(), 12u);
        // The hand-picked answer: a flush draw heads-up on the flop.
        EXPECT_EQ(answers[1].hole, "A(H) 5(H)");
        EXPECT_EQ(answers[1].board, "K(H) 9(H) 2(C)");
        EXPECT_EQ(answers[1].street, Street::Flop);
        EXPECT_EQ(answers[1].guess, 35.0);
        EXPECT_DOUBLE_EQ(answers[1].truth, 68.2772218017361);
        EXPECT_EQ(answers[1].kind, SpotKind::FlushDraw);
        EXPECT_EQ(answers[0].session, 1);
        EXPECT_EQ(answers[11].session, 2);
        EXPECT_EQ(answers[11].kind, SpotKind::TwoPair); // J(H) J(C) on a board pairing 7s and 10s
        for (const Answer& answer : answers) {
            EXPECT_EQ(answer.question, Question::Estimate);
            EXPECT_FALSE(answer.decision.has_value());
            const auto spot =
                SpotOfAnswerCards(answer.hole, answer.board, answer.street, answer.players);
            ASSERT_TRUE(spot.has_value()) << answer.hole << " " << answer.board;
            EXPECT_EQ(answer.kind, KindOf(*spot)) << answer.hole << " " << answer.board;
        }
        EXPECT_EQ(record.NextSession(), 3);
        call = answers[1];
        call.session = 3;
        call.question = Question::CallOrFold;
        call.guess = 0;
        call.stake = Stake{120, 60};
        call.decision = Decision::Fold;
        EXPECT_TRUE(record.Add(call));
    }
    EXPECT_EQ(ColumnsOf(path).size(), 16u);
    Record again; // a second opening changes nothing
    again.Open(path);
    ASSERT_EQ(again.Answers().size(), 13u);
    const Answer& back = again.Answers().back();
    EXPECT_EQ(back.question, Question::CallOrFold);
    EXPECT_EQ(back.stake.pot, 120);
    EXPECT_EQ(back.stake.bet, 60);
    EXPECT_EQ(back.decision, Decision::Fold);
    EXPECT_EQ(back.kind, SpotKind::FlushDraw);
    const Summary summary = Summarize(again.Answers());
    EXPECT_EQ(summary.overall.answers, 12);
    EXPECT_EQ(summary.decisions.answers, 1);
    EXPECT_EQ(summary.decisions.right, 0); // 68 % equity against 25 % needed
}

Answer Estimate(Street street, int players, double guess, double truth,
                SpotKind kind = SpotKind::Nothing) {
    Answer answer;
    answer.street = street;
    answer.players = players;
    answer.guess = guess;
    answer.truth = truth;
    answer.kind = kind;
    return answer;
}

// Signed errors beside absolute ones, the calibration bands and their
// sentences, worked by hand.
TEST(DrillTeachSummary, BiasAndCalibration) {
    const std::vector<Answer> answers{
        Estimate(Street::Flop, 2, 50, 36, SpotKind::FlushDraw),  // 14 too high
        Estimate(Street::Flop, 2, 45, 35, SpotKind::FlushDraw),  // 10 too high
        Estimate(Street::Turn, 6, 10, 16, SpotKind::Nothing),    // 6 too low
        Estimate(Street::River, 6, 100, 97.5, SpotKind::Flush),  // 2.5 too high
        Estimate(Street::River, 6, 40, 40.2, SpotKind::OnePair), // 0.2 too low
    };
    const Summary summary = Summarize(answers);
    EXPECT_NEAR(summary.overall.meanSignedError, (14 + 10 - 6 + 2.5 - 0.2) / 5, 1e-9);
    EXPECT_NEAR(summary.overall.meanAbsoluteError, (14 + 10 + 6 + 2.5 + 0.2) / 5, 1e-9);
    EXPECT_NEAR(summary.byKind[static_cast<std::size_t>(SpotKind::FlushDraw)].meanSignedError, 12,
                1e-9);
    EXPECT_NEAR(summary.byStreet[2].meanSignedError, -6, 1e-9);
    EXPECT_NEAR(summary.byPlayers[4].meanSignedError, (-6 + 2.5 - 0.2) / 3, 1e-9);
    EXPECT_EQ(summary.byOpponents[0].answers, 5);
    EXPECT_EQ(DescribeBias(summary.byKind[static_cast<std::size_t>(SpotKind::FlushDraw)]),
              "On average your guesses are 12.0 points too high");
    EXPECT_EQ(DescribeBias(summary.byStreet[2]), "On average your guesses are 6.0 points too low");
    const std::vector<std::string> expected{
        "Guesses of 10 to 20 %: true value 16 % on average, 1 answer",
        "Guesses of 40 to 50 %: true value 38 % on average, 2 answers",
        "Guesses of 50 to 60 %: true value 36 % on average, 1 answer",
        "Guesses of 90 to 100 %: true value 98 % on average, 1 answer"};
    EXPECT_EQ(CalibrationSentences(summary), expected);
}

// Call or fold on worked cases: 60 to call into 120 needs 60 / 240 = 25 %.
TEST(DrillTeachDecisions, WorkedCases) {
    const Stake stake{120, 60};
    EXPECT_DOUBLE_EQ(EquityNeeded(stake), 0.25);
    EXPECT_DOUBLE_EQ(CallValue(stake, 40), 0.40 * 240 - 60); // +36
    EXPECT_DOUBLE_EQ(CallValue(stake, 20), 0.20 * 240 - 60); // -12
    EXPECT_EQ(RightDecision(stake, 40), Decision::Call);
    EXPECT_EQ(RightDecision(stake, 20), Decision::Fold);
    EXPECT_FALSE(RightDecision(stake, 25).has_value()); // even: either is right
    EXPECT_EQ(DecisionVerdictText(Decision::Call, stake, 41.2),
              "You called: right. Equity needed 60 / (120 + 2 \u00d7 60) = 25.00%; true equity "
              "41.20%; calling is worth +38.88 chips on average.");
    EXPECT_EQ(DecisionVerdictText(Decision::Call, Stake{100, 100}, 20),
              "You called: wrong, Fold was right. Equity needed 100 / (100 + 2 \u00d7 100) = "
              "33.33%; true equity 20.00%; calling is worth -40.00 chips on average.");
    std::vector<Answer> answers;
    const auto decide = [&](Decision decision, Stake s, double equity) {
        Answer answer;
        answer.question = Question::CallOrFold;
        answer.stake = s;
        answer.decision = decision;
        answer.truth = equity;
        answers.push_back(answer);
    };
    decide(Decision::Call, stake, 40);           // right
    decide(Decision::Fold, stake, 40);           // wrong: gives up 36
    decide(Decision::Call, Stake{100, 100}, 20); // wrong: loses 40
    decide(Decision::Fold, Stake{100, 100}, 20); // right
    answers.push_back(Estimate(Street::Flop, 2, 50, 40));
    const Summary summary = Summarize(answers);
    EXPECT_EQ(summary.overall.answers, 1); // decisions are not guesses
    EXPECT_EQ(summary.decisions.answers, 4);
    EXPECT_EQ(summary.decisions.right, 2);
    EXPECT_DOUBLE_EQ(summary.decisions.chipsLost, 76);
    EXPECT_EQ(Describe(summary.decisions),
              "4 decisions: 50% right, 76.00 chips lost by wrong answers");
    // Drawn stakes stay in their documented bounds.
    std::mt19937_64 generator(5);
    for (int i = 0; i < 200; ++i) {
        const Stake drawn = DrawStake(generator);
        EXPECT_TRUE(drawn.pot >= 20 && drawn.pot <= 300 && drawn.pot % 10 == 0);
        EXPECT_TRUE(drawn.bet * 4 >= drawn.pot - 2 && drawn.bet <= 2 * drawn.pot);
    }
}

// A record bad only at turns brings turns at least twice as often as an even
// record, and every street and kind group still comes up.
TEST(DrillTeachFocus, WeakTurnsComeUpMoreAndNothingVanishes) {
    std::vector<Answer> even;
    std::vector<Answer> badTurns;
    for (int i = 0; i < 60; ++i) {
        const auto street = static_cast<Street>(i % kStreets);
        even.push_back(Estimate(street, 2 + i % 9, 50, 45));
        badTurns.push_back(Estimate(street, 2 + i % 9, 50, street == Street::Turn ? 30 : 48));
    }
    const auto count = [](const std::vector<Answer>& record) {
        std::array<int, kStreets> streets{};
        std::array<int, kKindGroups> groups{};
        for (std::uint64_t seed = 0; seed < 2000; ++seed) {
            const Spot spot = DrawWeakSpot(record, seed);
            ++streets[static_cast<std::size_t>(spot.street)];
            ++groups[static_cast<std::size_t>(GroupOf(KindOf(spot)))];
        }
        return std::pair(streets, groups);
    };
    const auto [evenStreets, evenGroups] = count(even);
    const auto [weakStreets, weakGroups] = count(badTurns);
    const auto turn = static_cast<std::size_t>(Street::Turn);
    EXPECT_GE(weakStreets[turn], 2 * evenStreets[turn]);
    for (int street = 0; street < kStreets; ++street) {
        EXPECT_GT(weakStreets[static_cast<std::size_t>(street)], 100) << street;
    }
    for (int group = 0; group < kKindGroups; ++group) {
        EXPECT_GT(weakGroups[static_cast<std::size_t>(group)], 20) << group;
        EXPECT_GT(evenGroups[static_cast<std::size_t>(group)], 20) << group;
    }
    // A pure function of the record and the seed.
    const Spot a = DrawWeakSpot(badTurns, 42);
    const Spot b = DrawWeakSpot(badTurns, 42);
    EXPECT_EQ(a.hole, b.hole);
    EXPECT_EQ(a.board, b.board);
    EXPECT_EQ(a.players, b.players);
    // Fixed choices hold under the focus.
    const Spot fixed = DrawWeakSpot(badTurns, 7, SpotChoice{Street::River, 9});
    EXPECT_EQ(fixed.street, Street::River);
    EXPECT_EQ(fixed.players, 9);
}

// The mean over cards of the exact heads-up odds once each card is dealt,
// by the project's counting enumeration.
double ExactMean(const Spot& spot, const std::vector<int>& cards) {
    const int known = KnownBoardCards(spot.street);
    double sum = 0;
    for (const int card : cards) {
        BoardCards board = spot.board;
        board[static_cast<std::size_t>(known)] = CardAtFreshIndex(card);
        ExactOdds odds;
        EXPECT_TRUE(EnumerateExactOdds(spot.hole[0], spot.hole[1], known + 1, board, 2, odds));
        sum += odds.Probability();
    }
    return 100.0 * sum / static_cast<double>(cards.size());
}

// The outs sentences heads-up against the exact enumeration.
TEST(DrillTeachWhy, OutsAgainstAnExactCount) {
    struct Case {
        const char* hole;
        const char* board;
        const char* firstGroup; // the best group's opening words
    };
    const Case cases[] = {
        {"Ah 5h", "Kh 9h 2c", "9 hearts make your flush"},
        {"9s 8d", "7c 6h 2s Kd", "8 cards make your straight"},
        {"As Kd", "Qc 7h 2s", "6 cards give you one pair"},
    };
    for (const Case& c : cases) {
        const Spot spot = SpotOf(c.hole, c.board);
        const NextCards next = CountNextCards(spot);
        ASSERT_TRUE(next.exact);
        std::vector<int> all;
        for (const NextCardGroup& group : next.groups) {
            all.insert(all.end(), group.cards.begin(), group.cards.end());
        }
        EXPECT_EQ(all.size(), static_cast<std::size_t>(52 - 2 - KnownBoardCards(spot.street)));
        for (const NextCardGroup& group : next.groups) {
            std::vector<int> others;
            for (const int card : all) {
                if (std::find(group.cards.begin(), group.cards.end(), card) == group.cards.end()) {
                    others.push_back(card);
                }
            }
            EXPECT_NEAR(group.winWhenComes, ExactMean(spot, group.cards), 1e-9) << c.hole;
            if (!others.empty()) {
                EXPECT_NEAR(group.winOtherwise, ExactMean(spot, others), 1e-9) << c.hole;
            }
        }
        const std::string why = Explain(spot);
        EXPECT_EQ(why.rfind("Why: ", 0), 0u) << why;
        EXPECT_NE(why.find(c.firstGroup), std::string::npos) << why;
        const NextCardGroup& best = next.groups.front();
        EXPECT_NE(why.find(": you win " + FixedText(best.winWhenComes, 0) + " % when one comes, " +
                           FixedText(best.winOtherwise, 0) + " % otherwise."),
                  std::string::npos)
            << why;
    }
}

// Every street has its explanation; preflop names the class and its place.
TEST(DrillTeachWhy, EveryStreetExplains) {
    const std::string preflop = Explain(SpotOf("Ah Kh", ""));
    EXPECT_EQ(preflop.rfind("Why: AKs: among the best 3 % of starting hands (6 of 169).", 0), 0u)
        << preflop;
    EXPECT_NE(preflop.find("Against one random hand it wins 6"), std::string::npos) << preflop;
    const std::string river = Explain(SpotOf("Ah 5h", "Kh 9h 2c 3h 7d", 4));
    EXPECT_EQ(river, "Why: River, your best hand is a flush. Of the 990 hands one opponent can "
                     "hold, 0 beat it and 0 tie it. Each of your 3 opponents must miss them all.");
    const std::string flop = Explain(SpotOf("Ah 5h", "Kh 9h 2c", 6));
    EXPECT_EQ(flop.rfind("Why: Flop, you hold a flush draw. 9 hearts make your flush", 0), 0u)
        << flop;
}

} // namespace
} // namespace quillory::drill
