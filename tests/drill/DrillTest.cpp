#include "drill/Record.h"
#include "drill/Reveal.h"
#include "drill/Summary.h"
#include "drill/TrueValue.h"

#include <chrono>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace quillory::drill {
namespace {

namespace fs = std::filesystem;

Card C(int rank, int suit) {
    return Card{rank, suit};
}

Spot AcesAgainst(Street street, int players) {
    Spot spot;
    spot.hole = {C(0, 0), C(0, 1)}; // As Ah
    spot.street = street;
    spot.players = players;
    spot.board.fill(kNoCard);
    if (street != Street::Preflop) {
        spot.board[0] = C(12, 3); // Kd
        spot.board[1] = C(6, 2);  // 7c
        spot.board[2] = C(1, 1);  // 2h
    }
    return spot;
}

void ExpectWithin(const TrueValue& value, double exact, const char* what) {
    EXPECT_EQ(value.method, Method::MonteCarlo) << what;
    EXPECT_LE(value.standardError, kMaxStandardError) << what;
    EXPECT_NEAR(value.percent, exact, 3 * value.standardError) << what;
}

// Heads-up and three players from the flop are enumerated; longer enumerations
// are estimated to within 0.1 point, and land within three standard errors of
// a longer run.
TEST(DrillTrueValue, ExactWhereCheapAndCloseEstimatesElsewhere) {
    const TrueValue flop = ComputeTrueValue(AcesAgainst(Street::Flop, 2));
    EXPECT_EQ(flop.method, Method::Exact);
    EXPECT_NEAR(flop.percent, 100.0 * 950058 / 1070190, 1e-9);
    Spot turn = AcesAgainst(Street::Turn, 3);
    turn.board[3] = C(9, 0); // 10s
    const TrueValue threeOnTheTurn = ComputeTrueValue(turn);
    EXPECT_EQ(threeOnTheTurn.method, Method::Exact);
    EXPECT_EQ(threeOnTheTurn.samples, 41'122'620);
    const TrueValue threeOnTheFlop = ComputeTrueValue(AcesAgainst(Street::Flop, 3));
    EXPECT_EQ(threeOnTheFlop.method, Method::Exact);
    EXPECT_NEAR(threeOnTheFlop.percent, 100.0 * 760671106.0 / 966381570.0, 1e-9);
    // Three players preflop takes about a second to enumerate (quillory-odds
    // AsAh --players 3 --exact: 1,397,306,156,860 of 1,894,107,877,200).
    ExpectWithin(ComputeTrueValue(AcesAgainst(Street::Preflop, 3)),
                 100.0 * 1397306156860.0 / 1894107877200.0, "three players preflop");

    // Six players on the turn against a run four times as long. Both runs
    // are seeded afresh each time, so the bound is 4 standard errors (a
    // chance failure in about 16,000 runs; at 3 one CI pass in a few hundred
    // failed by chance).
    std::mt19937_64 generator(7);
    const Spot spot = DrawSpot(generator, SpotChoice{Street::Turn, 6});
    const TrueValue value = ComputeTrueValue(spot);
    const TrueValue longer = EstimateTrueValue(spot, 1'000'000);
    EXPECT_NEAR(value.percent, longer.percent,
                4 * std::hypot(value.standardError, longer.standardError));
}

TEST(DrillSpots, DrawnCardsAreDistinctAndChoicesHold) {
    std::mt19937_64 generator(11);
    const std::array<Card, 2> kings{C(12, 0), C(12, 3)};
    int boardKings = 0;
    for (int i = 0; i < 600; ++i) {
        const SpotChoice choice = i % 3 == 0   ? SpotChoice{}
                                  : i % 3 == 1 ? SpotChoice{Street::River, 9}
                                               : SpotChoice{Street::River, {}, kings};
        const Spot spot = DrawSpot(generator, choice);
        if (i % 3 == 2) {
            EXPECT_EQ(spot.hole, kings);
            for (const Card& card : spot.board) {
                boardKings += card.rank == 12 ? 1 : 0;
            }
        }
        std::vector<Card> cards(spot.hole.begin(), spot.hole.end());
        for (int b = 0; b < 5; ++b) {
            EXPECT_EQ(HoldsCard(spot.board[static_cast<std::size_t>(b)]),
                      b < KnownBoardCards(spot.street));
            if (b < KnownBoardCards(spot.street)) {
                cards.push_back(spot.board[static_cast<std::size_t>(b)]);
            }
        }
        for (std::size_t a = 0; a < cards.size(); ++a) {
            for (std::size_t b = a + 1; b < cards.size(); ++b) {
                EXPECT_NE(cards[a], cards[b]);
            }
        }
        EXPECT_GE(spot.players, 2);
        EXPECT_LE(spot.players, 10);
        if (i % 3 == 1) {
            EXPECT_EQ(spot.street, Street::River);
            EXPECT_EQ(spot.players, 9);
        }
    }
    // The other two kings still come on the board: 200 rivers of 5 cards
    // from 50 hold about 40 of them.
    EXPECT_GT(boardKings, 15);
    // Hole cards that are not two distinct real cards are drawn instead.
    const Spot drawn =
        DrawSpot(generator, SpotChoice{{}, {}, std::array<Card, 2>{C(3, 1), C(3, 1)}});
    EXPECT_TRUE(IsValidHole(drawn.hole));
}

TEST(DrillScoring, GuessesScoresAndSummaries) {
    EXPECT_EQ(ParseGuess("45"), 45.0);
    EXPECT_EQ(ParseGuess(" 45.5 %"), 45.5);
    EXPECT_EQ(ParseGuess("45,5"), 45.5);
    EXPECT_EQ(ParseGuess("100"), 100.0);
    EXPECT_EQ(ParseGuess("7%"), 7.0);
    for (const char* bad :
         {"", "-1", "100.1", "abc", "4 5x", "4 5", "%45", "45%%", "1e1", ".5e3", "nan", "inf"}) {
        EXPECT_FALSE(ParseGuess(bad).has_value()) << bad;
    }
    EXPECT_TRUE(ScoreGuess(50, 45).hit);
    EXPECT_FALSE(ScoreGuess(50, 44.9).hit);
    EXPECT_DOUBLE_EQ(ScoreGuess(40, 45).error, -5);
    EXPECT_EQ(VerdictText(45, 48.954),
              "Your guess 45%: 3.95 points too low. Within 5 points: a hit.");
    EXPECT_EQ(VerdictText(60.5, 48.95),
              "Your guess 60.5%: 11.55 points too high. More than 5 points off: a miss.");
    EXPECT_EQ(VerdictText(49, 48.999), "Your guess 49%: spot on. Within 5 points: a hit.");
    EXPECT_EQ(VerdictText(44.9, 50), "Your guess 44.9%: 5.10 points too low. More than 5 points "
                                     "off: a miss.");
    EXPECT_EQ(TruthText(TrueValue{88.7745, Method::Exact, 0, 1070190}),
              "88.77% (exact, 1,070,190 showdowns)");
    EXPECT_EQ(TruthText(TrueValue{85.2, Method::MonteCarlo, 0.0712, 250000}),
              "85.20% \u00b1 0.07 (Monte Carlo, 250,000 deals)");

    std::vector<Answer> answers{
        {1, 1, "A(S) A(H)", "", Street::Preflop, 2, 80, 85, Method::MonteCarlo},
        {2, 1, "A(S) A(H)", "K(D) 7(C) 2(H)", Street::Flop, 2, 70, 88.77, Method::Exact},
        {3, 2, "2(C) 7(D)", "", Street::Preflop, 10, 10, 8, Method::MonteCarlo},
    };
    const Summary summary = Summarize(answers);
    EXPECT_EQ(summary.overall.answers, 3);
    EXPECT_NEAR(summary.overall.meanAbsoluteError, (5 + 18.77 + 2) / 3, 1e-9);
    EXPECT_NEAR(summary.overall.hitRate, 2.0 / 3, 1e-9);
    EXPECT_EQ(summary.byStreet[0].answers, 2);
    EXPECT_EQ(summary.byPlayers[8].answers, 1);
    ASSERT_EQ(summary.recentSessions.size(), 2u);
    EXPECT_EQ(summary.recentSessions[1].accuracy.answers, 1);
    EXPECT_EQ(Describe(summary.overall),
              "3 answers: off by 8.6 points on average, 67% within 5 points");
    const std::string csv = ToCsv(answers);
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "time,session,hole,board,street,players,guess,truth,method,error,kind,question,pot,"
              "bet,decision");
    EXPECT_NE(
        csv.find("2,1,A(S) A(H),K(D) 7(C) 2(H),Flop,2,70.00,88.77,exact,-18.77,,estimate,,,\n"),
        std::string::npos);
}

class DrillRecord : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("quillory-drill-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path Path() const { return m_folder / "sub" / "drill.sqlite"; }
    static Answer Sample(std::int64_t session, double guess) {
        return Answer{1765000000, session, "A(S) 10(H)",      "", Street::Preflop, 4,
                      guess,      30.5,    Method::MonteCarlo};
    }

    fs::path m_folder;
};

// Answers survive a restart and a second copy writing at the same time.
TEST_F(DrillRecord, SurvivesRestartsAndASecondCopy) {
    {
        Record record;
        record.Open(Path());
        EXPECT_TRUE(record.Problem().empty()) << record.Problem();
        EXPECT_EQ(record.NextSession(), 1);
        Record second;
        second.Open(Path());
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(record.Add(Sample(1, 20 + i)));
            EXPECT_TRUE(second.Add(Sample(2, 40 + i)));
        }
    }
    Record reopened;
    reopened.Open(Path());
    ASSERT_EQ(reopened.Answers().size(), 6u);
    EXPECT_EQ(reopened.Answers()[1].session, 2);
    EXPECT_EQ(reopened.Answers()[4].guess, 22);
    EXPECT_EQ(reopened.NextSession(), 3);
}

// Two windows open at once, before either has an answer, take two sessions;
// a later one counts on past both.
TEST_F(DrillRecord, WindowsOpenAtOnceTakeTwoSessions) {
    Record first;
    first.Open(Path());
    Record second;
    second.Open(Path());
    EXPECT_EQ(first.NextSession(), 1);
    EXPECT_EQ(second.NextSession(), 2);
    EXPECT_TRUE(second.Add(Sample(2, 10)));
    Record third;
    third.Open(Path());
    EXPECT_EQ(third.NextSession(), 3);
    EXPECT_TRUE(third.Problem().empty()) << third.Problem();
}

// A process killed while it writes leaves a sound record of what it wrote.
TEST_F(DrillRecord, AKillMidWriteLosesNothingWritten) {
    fs::create_directories(Path().parent_path());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Record record;
        record.Open(Path());
        for (int i = 0;; ++i) {
            record.Add(Sample(1, i % 100));
        }
    }
    for (int tries = 0; tries < 500; ++tries) {
        Record peek;
        peek.Open(Path());
        if (peek.Answers().size() >= 10) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    Record record;
    record.Open(Path());
    EXPECT_TRUE(record.Problem().empty()) << record.Problem();
    EXPECT_GE(record.Answers().size(), 10u);
    EXPECT_TRUE(record.Add(Sample(2, 1)));
}

// A damaged file is set aside, kept as it was, and a new record begins; a
// place that cannot hold a file keeps the answers for the run.
TEST_F(DrillRecord, DamagedOrUnwritableFilesAreReportedOnce) {
    fs::create_directories(Path().parent_path());
    std::ofstream(Path(), std::ios::binary) << "not a database at all, just words";
    Record record;
    record.Open(Path());
    EXPECT_NE(record.Problem().find("damaged"), std::string::npos) << record.Problem();
    EXPECT_TRUE(record.Answers().empty());
    EXPECT_TRUE(record.Add(Sample(1, 10)));
    int asides = 0;
    for (const auto& entry : fs::directory_iterator(Path().parent_path())) {
        if (entry.path().filename().string().find(".damaged-") != std::string::npos) {
            ++asides;
            std::ifstream in(entry.path());
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
                      "not a database at all, just words");
        }
    }
    EXPECT_EQ(asides, 1);

    // A real record damaged inside its pages (the file is a database, but its
    // integrity check fails) is set aside the same way, log files with it.
    fs::remove_all(Path().parent_path());
    {
        Record full;
        full.Open(Path());
        for (int i = 0; i < 300; ++i) {
            ASSERT_TRUE(full.Add(Sample(1, i % 100)));
        }
    }
    {
        std::fstream file(Path(), std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(2 * 4096 + 100); // inside a page of the answers, past the file header
        const std::string noise(1500, '\x5a');
        file.write(noise.data(), static_cast<std::streamsize>(noise.size()));
    }
    Record damaged;
    damaged.Open(Path());
    EXPECT_NE(damaged.Problem().find("damaged"), std::string::npos) << damaged.Problem();
    EXPECT_TRUE(damaged.IsStored());
    EXPECT_TRUE(damaged.Answers().empty());
    int kept = 0;
    for (const auto& entry : fs::directory_iterator(Path().parent_path())) {
        kept += entry.path().filename().string().find(".damaged-") != std::string::npos ? 1 : 0;
    }
    EXPECT_GE(kept, 1);

    const fs::path blocked = m_folder / "plain-file";
    std::ofstream(blocked) << "x";
    Record nowhere;
    nowhere.Open(blocked / "drill.sqlite");
    EXPECT_FALSE(nowhere.Problem().empty());
    EXPECT_FALSE(nowhere.IsStored());
    EXPECT_FALSE(nowhere.Add(Sample(1, 5)));
    EXPECT_EQ(nowhere.Answers().size(), 1u);
}

// A record written before opponents' ranges (tests/drill/data) opens in
// place: every answer kept and counted against random cards, a new answer
// against a range stored beside them, and the column added only once.
TEST_F(DrillRecord, AnOlderRecordGainsTheOpponentsInPlace) {
    fs::create_directories(Path().parent_path());
    fs::copy_file(fs::path(QUILLORY_DRILL_DATA) / "drill-1.0.sqlite", Path());
    for (int run = 0; run < 2; ++run) {
        Record record;
        record.Open(Path());
        ASSERT_TRUE(record.Problem().empty()) << record.Problem();
        ASSERT_EQ(record.Answers().size(), 3u + run);
        EXPECT_EQ(record.Answers()[1].board, "K(D) 7(C) 2(H)");
        EXPECT_DOUBLE_EQ(record.Answers()[2].truth, 47.31);
        EXPECT_EQ(record.NextSession(), 3 + run);
        if (run == 0) {
            Answer ranged = Sample(3, 41);
            ranged.opponents = "QQ+, AKs";
            EXPECT_TRUE(record.Add(ranged));
        }
    }
    Record record;
    record.Open(Path());
    ASSERT_EQ(record.Answers().size(), 4u);
    EXPECT_EQ(record.Answers()[0].opponents, "");
    EXPECT_EQ(record.Answers()[3].opponents, "QQ+, AKs");
    const Summary summary = Summarize(record.Answers());
    EXPECT_EQ(summary.byOpponents[0].answers, 3);
    EXPECT_EQ(summary.byOpponents[1].answers, 1);
    EXPECT_NEAR(summary.byOpponents[1].meanAbsoluteError, 10.5, 1e-9);
    EXPECT_EQ(summary.recentSessions.back().byOpponents[1].answers, 1);
}

} // namespace
} // namespace quillory::drill
