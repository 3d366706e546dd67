// The quillory command line as parsed: the actions, --rate and --callers in
// both forms, Qt's own options left alone, and every refusal naming its cause.
#include "app/CommandLine.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quillory {
namespace {

using Action = ProgramCommand::Action;

struct Parsed {
    bool ok{};
    ProgramCommand command;
    std::string error;
};

Parsed Parse(std::vector<std::string_view> args) {
    Parsed parsed;
    parsed.ok = ParseProgramCommandLine(args, parsed.command, parsed.error);
    return parsed;
}

TEST(ProgramCommandLine, AdvisorValuesInBothFormsAndDefaults) {
    Parsed p = Parse({"--call-advisor"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.command.action, Action::CallAdvisor);
    EXPECT_EQ(p.command.rate, 50);
    EXPECT_EQ(p.command.callers, 3);

    p = Parse({"--rate", "0", "--call-advisor", "--callers=9", "-platform", "offscreen"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.command.action, Action::CallAdvisor);
    EXPECT_EQ(p.command.rate, 0);
    EXPECT_EQ(p.command.callers, 9);

    p = Parse({"--call-advisor", "--rate=100", "--callers", "0"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.command.rate, 100);
    EXPECT_EQ(p.command.callers, 0);

    EXPECT_EQ(Parse({"-style", "fusion"}).command.action, Action::MainWindow);
    EXPECT_EQ(Parse({"-style", "fusion", "--drill"}).command.action, Action::Drill);
    EXPECT_EQ(Parse({"--equity"}).command.action, Action::Equity);
}

TEST(ProgramCommandLine, QtOptionsAreLeftToQtAndDoubleDashEndsTheOptions) {
    for (const std::vector<std::string_view>& args : std::vector<std::vector<std::string_view>>{
             {"-platform", "offscreen", "-style=fusion", "-reverse"},
             {"--platform", "offscreen", "--style", "fusion"},
             {"-qwindowtitle", "--call-advisor"}, // a Qt value, not ours
             {"--"}}) {
        const Parsed p = Parse(args);
        ASSERT_TRUE(p.ok) << p.error;
        EXPECT_EQ(p.command.action, Action::MainWindow);
    }
    const Parsed advisor = Parse({"--callers=2", "-style", "fusion", "--call-advisor"});
    ASSERT_TRUE(advisor.ok) << advisor.error;
    EXPECT_EQ(advisor.command.action, Action::CallAdvisor);
    EXPECT_EQ(advisor.command.callers, 2);
}

// Each refused line, and what its one-line message must name.
TEST(ProgramCommandLine, BadValuesAreRefusedNamingTheirCause) {
    const struct {
        std::vector<std::string_view> args;
        std::string named;
    } cases[] = {
        {{"--call-advisor", "--rate", "101"}, "--rate"},
        {{"--call-advisor", "--rate=-1"}, "--rate"},
        {{"--call-advisor", "--rate", "50%"}, "--rate"},
        {{"--call-advisor", "--rate="}, "--rate"},
        {{"--call-advisor", "--rate", "99999999999999999999"}, "--rate"},
        {{"--call-advisor", "--rate"}, "--rate"},
        {{"--call-advisor", "--callers", "10"}, "--callers"},
        {{"--call-advisor", "--callers=x"}, "--callers"},
        {{"--rate", "50"}, "--call-advisor"},
        {{"--drill", "--rate=5"}, "--call-advisor"},
        {{"--drill", "--call-advisor"}, "--drill"},
        {{"--drill", "--equity"}, "--equity"},
        {{"--equity", "--rate=5"}, "--call-advisor"},
        {{"--frobnicate"}, "'--frobnicate'"},
        {{"-x"}, "'-x'"},
        {{"hand.txt"}, "'hand.txt'"},
        {{"--", "-platform"}, "'-platform'"},
        {{"-platform"}, "-platform"},
        {{"--rate\x1b[2J"}, "'--rate\\x1b[2J'"},
        {{"--call-advisor", "--rate", "5", "--rate", "6"}, " is given twice"},
        {{"--drill", "--drill"}, " is given twice"},
        {{"--call-advisor", "--callers=1", "--callers", "2"}, " is given twice"},
    };
    for (const auto& [args, named] : cases) {
        const Parsed p = Parse(args);
        EXPECT_FALSE(p.ok) << named;
        EXPECT_NE(p.error.find(named), std::string::npos) << p.error;
        EXPECT_EQ(p.error.find('\x1b'), std::string::npos) << p.error;
    }
}

TEST(ProgramCommandLine, HelpAndVersionWinOverEverythingElse) {
    EXPECT_EQ(Parse({"--rate", "x", "--help"}).command.action, Action::Help);
    EXPECT_EQ(Parse({"--call-advisor", "-v"}).command.action, Action::Version);
}

} // namespace
} // namespace quillory
