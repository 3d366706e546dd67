// The drill's teaching: spot kinds, the record's migration, bias and
// calibration, call-or-fold scoring, the weak-spot focus and the explanation.
#include "drill/Decision.h"
#include "drill/Kind.h"
#include "drill/Record.h"
#include "drill/Summary.h"

#include <filesystem>
#include <gtest/gtest.h>
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
    EXPECT_EQ(ColumnsOf(path).size(), 15u);
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

} // namespace
} // namespace quillory::drill
