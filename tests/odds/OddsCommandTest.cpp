// The quillory-odds command line, called in process: card typing, every kind
// of bad input, repeatable seeds, JSON output and the exact mode.
#include "OddsCommand.h"

#include "JsonCheck.h"
#include "OddsTestSupport.h"
#include "engine/CardText.h"
#include "odds/Labels.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <streambuf>

namespace quillory {
namespace {

using test::C;

struct CommandRun {
    int status{0};
    std::string out;
    std::string err;
};

CommandRun RunCommand(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    CommandRun run;
    run.status = RunOddsCommand(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::vector<Card> Cards(std::string_view text) {
    std::vector<Card> cards;
    std::string error;
    EXPECT_TRUE(ParseCardText(text, cards, error)) << text << ": " << error;
    return cards;
}

TEST(OddsCardText, RankThenSuitInAnyCaseWithOrWithoutSeparators) {
    const std::vector<Card> aceKing{C("As"), C("Kd")};
    EXPECT_EQ(Cards("AsKd"), aceKing);
    EXPECT_EQ(Cards("as kd"), aceKing);
    EXPECT_EQ(Cards("AS,KD"), aceKing);
    EXPECT_EQ(Cards(" As ,  Kd "), aceKing);
    const std::vector<Card> tens{C("Th"), C("Tc"), C("Jh")};
    EXPECT_EQ(Cards("10h tC Jh"), tens);
    EXPECT_EQ(Cards("10hTc,jh"), tens);
    EXPECT_EQ(Cards("Qh,Jh,2c"), (std::vector<Card>{C("Qh"), C("Jh"), C("2c")}));
    EXPECT_TRUE(Cards("").empty());
    EXPECT_TRUE(Cards(" , ").empty());
    for (int i = 0; i < kDeckSize; ++i) {
        const Card card = CardAtFreshIndex(i);
        EXPECT_EQ(Cards(CardText(card)), std::vector<Card>{card});
    }
}

TEST(OddsCardText, BadCardsAreNamed) {
    struct Bad {
        const char* text;
        const char* message;
    };
    const Bad cases[] = {
        {"Xs", "unknown rank 'X' in 'Xs'"},
        {"1s", "unknown rank '1' in '1s'"},
        {"As 11h", "unknown rank '1' in '11h'"},
        {"Ax", "unknown suit 'x' in 'Ax'"},
        {"A", "card 'A' has no suit"},
        {"As K d", "card 'K' has no suit"},
        {"10", "card '10' has no suit"},
        {"A\xE2\x99\xA0", "unknown suit byte 0xe2 in 'A\xE2\x99\xA0'"},
        {"'s", "unknown rank '\\'' in '\\'s'"},
        {"A\x1b[2J", "unknown suit byte 0x1b in 'A\\x1b[2J'"},
    };
    for (const Bad& bad : cases) {
        std::vector<Card> cards;
        std::string error;
        EXPECT_FALSE(ParseCardText(bad.text, cards, error)) << bad.text;
        EXPECT_NE(error.find(bad.message), std::string::npos) << bad.text << ": " << error;
    }
}

TEST(OddsCommand, DefaultsFollowTheWindow) {
    const OddsArguments parsed = ParseOddsArguments({"As", "Kd"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.request.first, C("As"));
    EXPECT_EQ(parsed.request.second, C("Kd"));
    EXPECT_EQ(parsed.request.known, 0);
    EXPECT_EQ(parsed.request.players, 4);
    EXPECT_EQ(parsed.request.trials, 2500);
    EXPECT_FALSE(parsed.request.seeded);
    EXPECT_FALSE(parsed.request.exact);
    EXPECT_EQ(parsed.request.threads, DefaultOddsThreads());

    const OddsArguments six = ParseOddsArguments({"--players=6", "10h Jh", "--board", "QhKh2c7s"});
    ASSERT_EQ(six.error, "");
    EXPECT_EQ(six.request.trials, 1666);
    EXPECT_EQ(six.request.known, 4);
    EXPECT_EQ(six.request.board[3], C("7s"));
}

TEST(OddsCommand, EveryBadInputIsOneLineAndStatusTwo) {
    struct Bad {
        std::vector<std::string> args;
        const char* message;
    };
    const Bad cases[] = {
        {{"XsKd"}, "in the hand: unknown rank 'X'"},
        {{"AsKd", "--board", "QhJy2c"}, "in the board: unknown suit 'y'"},
        {{"AsAs"}, "card As is given twice in the hand"},
        {{"AsKd", "--board", "QhQhJc"}, "card Qh is given twice in the board"},
        {{"AsKd", "--board", "Qh Jc Kd"}, "card Kd is given twice (in the hand and the board)"},
        {{}, "no hand given"},
        {{"--players", "3"}, "no hand given"},
        {{"As"}, "the hand needs exactly 2 cards, got 1"},
        {{"AsKdQh"}, "the hand needs exactly 2 cards, got 3"},
        {{"AsKd", "--board", "Qh"}, "the board needs 3, 4 or 5 cards"},
        {{"AsKd", "--board", "QhJh"}, "got 2"},
        {{"AsKd", "--board", "2c3c4c5c6c7c"}, "got 6"},
        {{"AsKd", "--board", ""}, "--board names no cards"},
        {{"AsKd", "--board=,,,"}, "--board names no cards"},
        {{"AsKd", "--board", " "}, "--board names no cards"},
        {{"AsKd", "--players", "1"}, "--players must be from 2 to 10, not '1'"},
        {{"AsKd", "--players", "11"}, "--players must be from 2 to 10, not '11'"},
        {{"AsKd", "--players", "4x"}, "--players needs a whole number, not '4x'"},
        {{"AsKd", "--players="}, "--players needs a whole number, not ''"},
        {{"AsKd", "--trials", "0"}, "--trials must be from 1 to 100000000, not '0'"},
        {{"AsKd", "--trials", "-5"}, "--trials must be from 1 to 100000000, not '-5'"},
        {{"AsKd", "--trials", "100000001"}, "trials must be from 1 to 100000000"},
        {{"AsKd", "--trials", "99999999999999999999999"}, "trials must be from 1 to 100000000"},
        {{"AsKd", "--seed", "-1"}, "--seed must be from 0 to 4294967295, not '-1'"},
        {{"AsKd", "--seed", "4294967296"}, "seed must be from 0 to 4294967295"},
        {{"AsKd", "--seed", "0x10"}, "--seed needs a whole number"},
        {{"AsKd", "--threads", "0"}, "--threads must be from 1 to 256, not '0'"},
        {{"AsKd", "--threads", "257"}, "--threads must be from 1 to 256, not '257'"},
        {{"AsKd", "--frobnicate"}, "unknown option '--frobnicate'"},
        {{"AsKd", "--players4"}, "unknown option '--players4'"},
        {{"AsKd", "-p", "4"}, "unknown option '-p'"},
        {{"AsKd", "--exact=yes"}, "--exact takes no value"},
        {{"AsKd", "--board"}, "--board needs a value"},
        {{"AsKd", "--players", "3", "--players", "4"}, "option --players is given twice"},
        {{"AsKd", "--json", "--json"}, "option --json is given twice"},
        {{"AsKd", "--exact", "--trials", "10"}, "--trials and --seed do not apply"},
        {{"AsKd", "--exact", "--players", "4", "--threads", "1"},
         "(1553168459304000 showdowns); leave out --exact for a Monte Carlo estimate"},
        {{"AsKd", "--exact", "--players", "10"},
         "--exact would take far too long here (about 4.5e+31 showdowns); leave out --exact for a "
         "Monte Carlo estimate, with --trials for its length"},
        {{"AsKd", "--", "--json"}, "in the hand: unknown rank '-' in '--json'"},
        {{"AsKd", "-hx"}, "unknown option '-x' in '-hx'"},
        {{"AsKd", "--trials", "5\nquillory-odds: forged line"},
         "--trials needs a whole number, not '5\\nquillory-odds: forged line'"},
        {{"AsKd", "--players", "\x1b[2J\x1b[31mX"},
         "--players needs a whole number, not '\\x1b[2J\\x1b[31mX'"},
        {{"AsKd", "--\x1b]0;title\x07"}, "unknown option '--\\x1b]0;title\\x07'"},
    };
    for (const Bad& bad : cases) {
        const CommandRun run = RunCommand(bad.args);
        std::string shown;
        for (const std::string& a : bad.args) {
            shown += a + " ";
        }
        EXPECT_EQ(run.status, 2) << shown;
        EXPECT_EQ(run.out, "") << shown;
        // One line naming the problem, then the hint; no byte of the input
        // reaches the terminal unescaped.
        const std::string hint = "\nTry 'quillory-odds --help'.\n";
        EXPECT_EQ(run.err.rfind("quillory-odds: ", 0), 0U) << shown << ": " << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - hint.size()) << shown << ": " << run.err;
        EXPECT_TRUE(run.err.ends_with(hint)) << shown << ": " << run.err;
        EXPECT_EQ(run.err.find('\x1b'), std::string::npos) << shown;
        EXPECT_NE(run.err.find(bad.message), std::string::npos) << shown << ": " << run.err;
    }
}

TEST(OddsCommand, HelpAndVersion) {
    const CommandRun help = RunCommand({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: quillory-odds HOLE"), std::string::npos);
    EXPECT_EQ(RunCommand({"AsKd", "-h"}).status, 0);
    const CommandRun version = RunCommand({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, OddsVersion());
    EXPECT_EQ(version.out.rfind("quillory-odds (Quillory) ", 0), 0U);
}

// A stream that refuses every byte, as a closed or full standard output does.
class RefusingBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(OddsCommand, OutputThatCannotBeWrittenIsAnError) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"AsKd", "--trials", "10"}, {"--version"}, {"--help"}}) {
        RefusingBuffer refusing;
        std::ostream out(&refusing);
        std::ostringstream err;
        EXPECT_EQ(RunOddsCommand(args, out, err), 2) << args[0];
        EXPECT_EQ(err.str().rfind("quillory-odds: cannot write to standard output", 0), 0U)
            << err.str();
    }
}

TEST(OddsCommand, OptionsEndAtDoubleDashAndTakeValuesEitherWay) {
    const OddsArguments parsed = ParseOddsArguments({"--players", "3", "--", "As", "Kd"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.request.players, 3);
    EXPECT_EQ(parsed.request.second, C("Kd"));
    EXPECT_EQ(ParseOddsArguments({"AsKd", "--players=3"}).request.players, 3);
    EXPECT_EQ(ParseOddsArguments({"AsKd", "--players", "3", "-h"}).action, OddsAction::Help);
    EXPECT_EQ(ParseOddsArguments({"AsKd", "--players", "x", "--version"}).action,
              OddsAction::Version);
}

std::map<std::string, std::string> JsonOf(const CommandRun& run) {
    EXPECT_EQ(run.status, 0) << run.err;
    const auto members = test::JsonObject(run.out);
    EXPECT_TRUE(members.has_value()) << "not one JSON object: " << run.out;
    return members.value_or(std::map<std::string, std::string>{});
}

TEST(OddsCommand, SeedMakesTrialTUseSeedPlusT) {
    const std::vector<std::string> args{"Td9d", "--board", "8c 7h 2s",   "--players",
                                        "3",    "--seed",  "4000000000", "--json"};
    const CommandRun first = RunCommand(args);
    EXPECT_EQ(RunCommand(args).out, first.out);
    auto json = JsonOf(first);
    EXPECT_EQ(json["seed"], "4000000000");
    EXPECT_EQ(json["trials"], "3333");
    // The same wins as the estimator with the seed base 4000000000, on any
    // number of threads.
    const std::int32_t wins = EstimateWins(C("Td"), C("9d"), 3, test::Board("8c 7h 2s"), 3,
                                           TrialCount(3), SeedSource::Fixed(4000000000U));
    EXPECT_EQ(json["wins"], std::to_string(wins));
    EXPECT_EQ(json["winning_rate"], "\"" + FormatWinningRate(wins, TrialCount(3)) + "\"");

    // A long run split over threads counts the same wins as on one thread.
    std::vector<std::string> longRun{"Td9d", "--trials", "90000", "--seed", "7", "--json"};
    const std::string oneThread = JsonOf(RunCommand(longRun))["wins"];
    for (const char* threads : {"1", "3"}) {
        longRun.insert(longRun.end(), {"--threads", threads});
        EXPECT_EQ(JsonOf(RunCommand(longRun))["wins"], oneThread) << threads << " threads";
        longRun.resize(6);
    }
    EXPECT_EQ(oneThread, std::to_string(EstimateWins(C("Td"), C("9d"), 0, BoardCards{}, 4, 90000,
                                                     SeedSource::Fixed(7))));
}

TEST(OddsCommand, JsonCarriesEveryField) {
    auto json = JsonOf(RunCommand(
        {"10h", "Jh", "--board=Qh,Kh,2c", "--players=6", "--trials=600", "--seed=5", "--json"}));
    EXPECT_EQ(json["hand"], "[\"10(H)\", \"J(H)\"]");
    EXPECT_EQ(json["known_board"], "[\"Q(H)\", \"K(H)\", \"2(C)\"]");
    EXPECT_EQ(json["players"], "6");
    EXPECT_EQ(json["trials"], "600");
    EXPECT_EQ(json["average_rate"], "\"17-18 %\"");
    EXPECT_EQ(json["exact"], "false");
    EXPECT_EQ(json["ties"], "null");
    const double p = std::stod(json["probability"]);
    EXPECT_NEAR(p, std::stod(json["wins"]) / 600.0, 1e-9);
    EXPECT_NEAR(std::stod(json["std_error"]), std::sqrt(p * (1 - p) / 600.0), 1e-9);

    auto preflop = JsonOf(RunCommand({"2c7d", "--json"}));
    EXPECT_EQ(preflop["known_board"], "[]");
    EXPECT_EQ(preflop["seed"], "null");
}

TEST(OddsCommand, ExactAgreesWithTheHandCountedRiver) {
    // 5c 6d on 2c 3d 4h Ks Kh: 953 wins and 9 ties among 990 holdings.
    auto json = JsonOf(
        RunCommand({"5c6d", "--board", "2c3d4hKsKh", "--players", "2", "--exact", "--json"}));
    EXPECT_EQ(json["exact"], "true");
    EXPECT_EQ(json["trials"], "990");
    EXPECT_EQ(json["wins"], "962");
    EXPECT_EQ(json["wins_alone"], "953");
    EXPECT_EQ(json["ties"], "9");
    EXPECT_EQ(json["winning_rate"], "\"97.17%\"");
    EXPECT_EQ(json["std_error"], "0.000000000");

    const CommandRun text =
        RunCommand({"5c6d", "--board", "2c3d4hKsKh", "--players", "2", "--exact"});
    EXPECT_NE(text.out.find("97.17% (exact)"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("962 of 990 showdowns: 96.26% alone, 0.91% tied"), std::string::npos)
        << text.out;
}

TEST(OddsCommand, TextShowsLabelsRateAndAverage) {
    const CommandRun run =
        RunCommand({"As", "Kd", "--board", "Qh Jh 2c", "--seed", "1", "--trials", "400"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::int32_t wins =
        EstimateWins(C("As"), C("Kd"), 3, test::Board("Qh Jh 2c"), 4, 400, SeedSource::Fixed(1));
    EXPECT_NE(run.out.find("Hand:            A(S), K(D)\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Board:           Q(H), J(H), 2(C)\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Winning rate:    " + FormatWinningRate(wins, 400) + "\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find(std::to_string(wins) + " of 400 trials (seed 1)"), std::string::npos);
    EXPECT_NE(run.out.find("Average rate:    25-27 %"), std::string::npos) << run.out;
}

TEST(OddsCommand, RunsWithoutSeedAreIndependentEvenOnTheSameTick) {
    // Runs started together see about the same tick count; without --seed
    // the base comes from the system's random source, so it still differs.
    std::set<std::string> wins;
    for (int run = 0; run < 3; ++run) {
        wins.insert(JsonOf(RunCommand({"AsKd", "--trials", "20000", "--json"}))["wins"]);
    }
    EXPECT_GT(wins.size(), 1U);
}

} // namespace
} // namespace quillory
