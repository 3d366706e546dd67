#include "CommandLine.h"

#include <gtest/gtest.h>
#include <vector>

namespace quillory {
namespace {

bool Parse(std::vector<std::string_view> args, ReportCommand& command, std::string& error) {
    return ParseReportCommandLine(args, command, error);
}

TEST(ReportCommandLine, Defaults) {
    ReportCommand command;
    std::string error;
    ASSERT_TRUE(Parse({}, command, error));
    EXPECT_EQ(command.action, ReportCommand::Action::Run);
    EXPECT_TRUE(command.ToStandardOutput());
    EXPECT_EQ(command.options.deals, 100000);
    EXPECT_FALSE(command.options.seed.has_value());
    EXPECT_EQ(command.options.threads, DefaultReportThreads());
    EXPECT_GE(command.options.threads, 1);
}

TEST(ReportCommandLine, OptionsInBothForms) {
    ReportCommand command;
    std::string error;
    ASSERT_TRUE(Parse({"-o", "out.txt", "--deals", "0", "--seed=4294967295", "--threads=3"},
                      command, error))
        << error;
    EXPECT_EQ(command.output, "out.txt");
    EXPECT_FALSE(command.ToStandardOutput());
    EXPECT_EQ(command.options.deals, 0);
    EXPECT_EQ(command.options.seed, 4294967295U);
    EXPECT_EQ(command.options.threads, 3);

    ASSERT_TRUE(Parse({"--output", "-", "--deals=1000000000", "--seed", "0"}, command, error));
    EXPECT_TRUE(command.ToStandardOutput());
    EXPECT_EQ(command.options.deals, 1000000000);
    EXPECT_EQ(command.options.seed, 0U);

    ASSERT_TRUE(Parse({"--deals", "5", "--help"}, command, error));
    EXPECT_EQ(command.action, ReportCommand::Action::Help);
    ASSERT_TRUE(Parse({"--version"}, command, error));
    EXPECT_EQ(command.action, ReportCommand::Action::Version);
    EXPECT_EQ(ReportVersion().rfind("quillory-report (Quillory) ", 0), 0U);
    EXPECT_NE(ReportUsage().find("--threads K"), std::string::npos);
}

TEST(ReportCommandLine, ShortValuesAttachAndDoubleDashEndsTheOptions) {
    ReportCommand command;
    std::string error;
    ASSERT_TRUE(Parse({"-oout.txt", "--deals", "-0"}, command, error)) << error;
    EXPECT_EQ(command.output, "out.txt");
    EXPECT_EQ(command.options.deals, 0);
    ASSERT_TRUE(Parse({"-o", "-", "--"}, command, error)) << error;
    EXPECT_TRUE(command.ToStandardOutput());
    ASSERT_TRUE(Parse({"-o", "--deals"}, command, error)) << error; // a value may start with -
    EXPECT_EQ(command.output, "--deals");
    ASSERT_TRUE(Parse({"--deals", "x", "-h"}, command, error)); // help wins over bad values
    EXPECT_EQ(command.action, ReportCommand::Action::Help);
}

TEST(ReportCommandLine, BadArgumentsAreRefusedWithAClearMessage) {
    const struct {
        std::vector<std::string_view> args;
        const char* message;
    } cases[] = {
        {{"--deals", "-1"}, "--deals must be from 0 to 1000000000, not '-1'"},
        {{"--deals", "1000000001"}, "--deals must be from 0 to 1000000000"},
        {{"--deals", "1e5"}, "--deals needs a whole number, not '1e5'"},
        {{"--deals="}, "--deals needs a whole number, not ''"},
        {{"--deals", "99999999999999999999"}, "--deals must be from 0"},
        {{"--seed", "4294967296"}, "--seed must be from 0 to 4294967295"},
        {{"--seed", " 5"}, "--seed needs a whole number"},
        {{"--threads", "0"}, "--threads must be from 1 to 256, not '0'"},
        {{"--threads"}, "--threads needs a value"},
        {{"-o"}, "-o needs a value"},
        {{"--output="}, "--output needs a file name"},
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"-x"}, "unknown option '-x'"},
        {{"report.txt"}, "unexpected argument 'report.txt' (use -o FILE)"},
        {{"--", "-o", "x"}, "unexpected argument '-o'"},
        {{"-ho"}, "-o needs a value"},
        {{"--output"}, "--output needs a value"},
        {{"--help=yes"}, "--help takes no value"},
        {{"--deals", "5\nquillory-report: forged"}, "not '5\\nquillory-report: forged'"},
        {{"-o", "a", "\x1b[2J"}, "unexpected argument '\\x1b[2J'"},
        // Nothing given is silently dropped or overridden.
        {{"-o", "a.txt", "-o", "b.txt"}, "option -o is given twice"},
        {{"--deals", "5", "--deals", "6"}, "option --deals is given twice"},
        {{"-oa", "--output=b"}, "option --output is given twice (as -o)"},
        {{"--players", "4"}, "--players and --hole-cards choose the picture's section"},
        {{"-o", "r.txt", "--hole-cards", "2"}, "they go with --svg"},
        // The report and the picture need places of their own.
        {{"--svg", "-"}, "cannot both go to standard output"},
        {{"-o", "-", "--svg", "-"}, "cannot both go to standard output"},
        {{"-o", "same.x", "--svg", "same.x"}, "would both be written to 'same.x'"},
        {{"-o", "d/../same.x", "--svg", "./same.x"}, "would both be written to './same.x'"},
    };
    for (const auto& c : cases) {
        ReportCommand command;
        std::string error;
        EXPECT_FALSE(Parse(c.args, command, error)) << c.message;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
}

} // namespace
} // namespace quillory
