// The command-line conventions shared by quillory, quillory-odds and
// quillory-report, on a small option table of their kind.
#include "platform/Arguments.h"

#include <gtest/gtest.h>
#include <vector>

namespace quillory {
namespace {

enum { kOutput, kCount, kJson, kHelp, kVerbose };

constexpr OptionSpec kOptions[] = {
    {kOutput, "output", 'o', OptionValue::Required}, {kCount, "count", 'n', OptionValue::Required},
    {kJson, "json", 0, OptionValue::None},           {kHelp, "help", 'h', OptionValue::None},
    {kVerbose, "", 'v', OptionValue::None},
};
constexpr ForeignOption kForeign[] = {
    {"platform", OptionValue::Required},
    {"reverse", OptionValue::None},
};

struct Result {
    bool ok{};
    ParsedArguments parsed;
    std::string error;
};

Result Parse(std::vector<std::string_view> args, bool withForeign = false) {
    Result r;
    r.ok = ParseArguments(args, kOptions,
                          withForeign ? std::span<const ForeignOption>(kForeign)
                                      : std::span<const ForeignOption>(),
                          r.parsed, r.error);
    return r;
}

TEST(Arguments, ValuesInEveryFormAndOperandsInOrder) {
    const Result r = Parse({"a", "--output=x", "-oy", "-o", "z", "--count", "-3", "-", "-hv", "-n7",
                            "b", "--", "--json", "-o"});
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.parsed.operands, (std::vector<std::string_view>{"a", "-", "b", "--json", "-o"}));
    ASSERT_EQ(r.parsed.Count(kOutput), 3);
    EXPECT_EQ(r.parsed.Last(kOutput)->value, "z");
    EXPECT_EQ(r.parsed.options[0].value, "x");
    EXPECT_EQ(r.parsed.options[0].spelling, "--output");
    EXPECT_EQ(r.parsed.options[1].value, "y");
    EXPECT_EQ(r.parsed.options[1].spelling, "-o");
    EXPECT_EQ(r.parsed.options[3].value, "-3"); // a value may start with a dash
    EXPECT_TRUE(r.parsed.Has(kHelp));
    EXPECT_TRUE(r.parsed.Has(kVerbose));
    EXPECT_EQ(r.parsed.Last(kCount)->value, "7");
    EXPECT_FALSE(r.parsed.Has(kJson)); // it came after --
    EXPECT_EQ(Parse({"--output="}).parsed.Last(kOutput)->value, "");
}

TEST(Arguments, MistakesAreOneQuotedLine) {
    const struct {
        std::vector<std::string_view> args;
        const char* error;
    } cases[] = {
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"--frobnicate=1"}, "unknown option '--frobnicate'"},
        {{"--jso"}, "unknown option '--jso'"},
        {{"-x"}, "unknown option '-x'"},
        {{"-hx"}, "unknown option '-x' in '-hx'"},
        {{"-platform", "x"}, "unknown option '-p'"}, // no foreign options here
        {{"--json=yes"}, "--json takes no value"},
        {{"--output"}, "--output needs a value"},
        {{"-o"}, "-o needs a value"},
        {{"-vo"}, "-o needs a value"},
        {{"--\n\x1b[1m"}, "unknown option '--\\n\\x1b[1m'"},
    };
    for (const auto& c : cases) {
        const Result r = Parse(c.args);
        EXPECT_FALSE(r.ok) << c.error;
        EXPECT_EQ(r.error, c.error);
    }
}

TEST(Arguments, ForeignOptionsAreKeptWithTheirValues) {
    const Result r = Parse({"-platform", "offscreen", "--reverse", "--platform=xcb", "-o", "f",
                            "--platform", "--json"},
                           true);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.parsed.foreign,
              (std::vector<std::string_view>{"-platform", "offscreen", "--reverse",
                                             "--platform=xcb", "--platform", "--json"}));
    EXPECT_EQ(r.parsed.Last(kOutput)->value, "f");
    EXPECT_FALSE(r.parsed.Has(kJson)); // it was the foreign option's value
    EXPECT_EQ(Parse({"-platform"}, true).error, "-platform needs a value");
    EXPECT_EQ(Parse({"--", "-reverse"}, true).parsed.operands,
              std::vector<std::string_view>{"-reverse"});
}

TEST(Arguments, AnOptionGivenTwiceInAnySpellingIsRefused) {
    const struct {
        std::vector<std::string_view> args;
        const char* error; // "" when the line is fine
    } cases[] = {
        {{"-o", "a", "-o", "b"}, "option -o is given twice"},
        {{"-o", "a", "--output=b"}, "option --output is given twice (as -o)"},
        {{"--json", "-vh", "--json"}, "option --json is given twice"},
        {{"-vv"}, "option -v is given twice"},
        {{"-o", "a", "--count", "1", "--", "-o"}, ""}, // after --, an operand
        {{"-platform", "a", "--platform", "b"}, ""},   // foreign: Qt's to judge
    };
    for (const auto& c : cases) {
        const Result r = Parse(c.args, true);
        ASSERT_TRUE(r.ok) << r.error;
        std::string error;
        EXPECT_EQ(RefuseRepeatedOptions(r.parsed, error), *c.error == '\0') << c.error;
        EXPECT_EQ(error, c.error);
    }
}

TEST(Arguments, UsageErrorIsTheMessageThenTheHint) {
    EXPECT_EQ(UsageErrorText("quillory-odds", "unknown option '--x'"),
              "quillory-odds: unknown option '--x'\nTry 'quillory-odds --help'.\n");
    // A message built elsewhere that still holds a control character stays
    // one line.
    EXPECT_EQ(UsageErrorText("quillory-report", "cannot create \"a\nb\": Permission denied"),
              "quillory-report: cannot create \"a\\nb\": Permission denied\n"
              "Try 'quillory-report --help'.\n");
}

} // namespace
} // namespace quillory
