// quillory-odds with ranges: the JSON a range run prints, the refusals, and
// today's single-hand commands printing exactly what they printed before.
#include "JsonCheck.h"
#include "OddsCommand.h"

#include <gtest/gtest.h>
#include <sstream>

namespace quillory {
namespace {

struct Outcome {
    int status{0};
    std::string out;
    std::string err;
};

Outcome Command(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    Outcome run;
    run.status = RunOddsCommand(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

TEST(RangeCommand, TodaysCommandsPrintWhatTheyPrinted) {
    EXPECT_EQ(Command({"AsKd", "--board", "QhJh2c", "--players", "3", "--seed", "42"}).out,
              "Hand:            A(S), K(D)\n"
              "Board:           Q(H), J(H), 2(C)\n"
              "Players:         3\n"
              "Winning rate:    40.77%\n"
              "Wins:            1359 of 3333 trials (seed 42)\n"
              "Standard error:  0.85 percentage points\n"
              "Average rate:    34-36 % (average winning rate for 3 players)\n");
    EXPECT_EQ(
        Command({"AsKd", "--board", "QhJh2c", "--players", "3", "--seed", "42", "--json"}).out,
        "{\"hand\": [\"A(S)\", \"K(D)\"], \"known_board\": [\"Q(H)\", \"J(H)\", \"2(C)\"], "
        "\"players\": 3, \"trials\": 3333, \"wins\": 1359, \"winning_rate\": \"40.77%\", "
        "\"probability\": 0.407740774, \"std_error\": 0.008511975, \"average_rate\": \"34-36 "
        "%\", \"exact\": false, \"seed\": 42, \"wins_alone\": null, \"ties\": null}\n");
}

TEST(RangeCommand, JsonGivesEverySeatWithItsRangeAndShares) {
    const Outcome run = Command({"AA", "--vs", "QQ+, AK", "--players", "3", "--board", "Kd7c2h",
                                 "--dead", "Qs", "--exact", "--json", "--threads", "2"});
    ASSERT_EQ(run.status, 0) << run.err;
    auto json = test::JsonObject(run.out);
    ASSERT_TRUE(json.has_value()) << run.out;
    EXPECT_EQ(json->at("hand"), "\"AA\"");
    EXPECT_EQ(json->at("players"), "3");
    EXPECT_EQ(json->at("dead"), "[\"Q(S)\"]");
    EXPECT_EQ(json->at("exact"), "true");
    EXPECT_EQ(json->at("seed"), "null");
    const double probability = std::stod(json->at("probability"));
    const double win = std::stod(json->at("win"));
    const double tie = std::stod(json->at("tie"));
    const double equity = std::stod(json->at("equity"));
    EXPECT_NEAR(probability, win + tie, 2e-9);
    EXPECT_GT(equity, win);
    EXPECT_LT(equity, probability);
    const std::string seats = json->at("seats");
    EXPECT_EQ(seats.rfind("[{\"range\": \"AA\", \"combos\": 6, ", 0), 0U) << seats;
    EXPECT_NE(seats.find("{\"range\": \"QQ+, AKs, AKo\", \"combos\": 34, "), std::string::npos);
    EXPECT_NE(seats.find("{\"range\": \"random\", \"combos\": 1326, "), std::string::npos);

    // Sampled: the fields keep their meaning, and the seed repeats the run.
    const std::vector<std::string> sampled{"AKs",   "--vs",   "QQ+", "--trials",
                                           "50000", "--seed", "9",   "--json"};
    const auto first = test::JsonObject(Command(sampled).out);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->at("trials"), "50000");
    EXPECT_EQ(first->at("seed"), "9");
    EXPECT_NEAR(std::stod(first->at("probability")), std::stod(first->at("wins")) / 50000.0, 1e-9);
    EXPECT_GT(std::stod(first->at("std_error")), 0.0);
    EXPECT_EQ(Command(sampled).out, Command({"AKs", "--vs", "QQ+", "--trials", "50000", "--seed",
                                             "9", "--json", "--threads", "3"})
                                        .out);
}

TEST(RangeCommand, BadRangesAreOneLineNamingTheProblem) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"AKx"}, "quillory-odds: in the hand: 'AKx' at character 1: unknown suit class 'x'\n"},
        {{"AsKd", "--vs", "QQ+, AKs-QJo"},
         "quillory-odds: in --vs 1: 'AKs-QJo' at character 6: mixed shapes in a span\n"},
        {{"AsKd", "--vs", "QQ", "--vs", "AKo:2"},
         "quillory-odds: in --vs 2: 'AKo:2' at character 1: weight '2' is not a number from 0 "
         "to 1\n"},
        {{"AsKd", "--vs", "AA", "--board", "AhAc7d", "--dead", "Ad"},
         "quillory-odds: the range of seat 2 is empty once the known and dead cards are taken "
         "out\n"},
        {{"AsKd", "--vs", "QQ", "--vs", "JJ", "--players", "2"},
         "quillory-odds: 2 --vs ranges need at least 3 players, not 2\n"},
        {{"AsKd", "--vs", "QQ", "--dead", "Kd"},
         "quillory-odds: card Kd is given twice (in the hand and the board)\n"},
        {{"random", "--vs", "random", "--players", "4", "--exact"},
         "leave out --exact for a Monte Carlo estimate, with --trials for its length\n"},
    };
    for (const auto& [args, message] : cases) {
        const Outcome run = Command(args);
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.ends_with(std::string(message) + "Try 'quillory-odds --help'.\n"))
            << run.err;
    }
}

} // namespace
} // namespace quillory
