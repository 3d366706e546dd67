// A few runs of the built quillory-odds program itself, without a shell: exit
// status, where the text goes, and that its JSON parses.
#include "JsonCheck.h"
#include "support/ChildProcess.h"
#include "tests/report/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using quillory::test::ChildOptions;
using quillory::test::ChildOutput;
using quillory::test::ChildRun;

// Runs the tool in a folder of its own for the captured output, removed
// afterwards.
class ToolFolder {
public:
    ChildRun Run(const std::vector<std::string>& args, const ChildOptions& options = {}) const {
        return quillory::test::RunChild(QUILLORY_ODDS_PATH, args, m_folder.Path(), options);
    }

private:
    quillory::test::TempDir m_folder;
};

TEST(OddsTool, EstimatePrintsJsonThatParses) {
    const ToolFolder tool;
    const std::vector<std::string> args{"AsKd", "--board", "Qh, Jh, 2c", "--players",
                                        "3",    "--seed",  "17",         "--json"};
    const ChildRun run = tool.Run(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto json = quillory::test::JsonObject(run.out);
    ASSERT_TRUE(json.has_value()) << run.out;
    EXPECT_EQ(json->at("players"), "3");
    EXPECT_EQ(json->at("trials"), "3333");
    // The same seed gives the same answer in a new process.
    EXPECT_EQ(tool.Run(args).out, run.out);
}

TEST(OddsTool, BadInputIsOneLineAndTheHintOnStderrAndStatusTwo) {
    const ToolFolder tool;
    const std::vector<std::string> cases[] = {
        {"AsKx"},
        {"AsKd", "--players", "12"},
        {"AsKd", "--board", "AsQhJh"},
        {"AsKd", "--what"},
        {"AsKd", "--trials", "5\nquillory-odds: forged"},
        {"AsKd", "--", "--board", "QhJh2c"},
    };
    for (const std::vector<std::string>& args : cases) {
        const ChildRun run = tool.Run(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_EQ(run.out, "") << args.back();
        EXPECT_EQ(run.err.rfind("quillory-odds: ", 0), 0U) << args.back() << ": " << run.err;
        const std::string hint = "\nTry 'quillory-odds --help'.\n";
        EXPECT_EQ(run.err.find('\n'), run.err.size() - hint.size())
            << args.back() << ": " << run.err;
    }
}

TEST(OddsTool, ClosedStandardOutputIsAnError) {
    const ToolFolder tool;
    const std::vector<std::string> cases[] = {
        {"AsKd", "--trials", "10"}, {"--version"}, {"--help"}};
    for (const std::vector<std::string>& args : cases) {
        const ChildRun run = tool.Run(args, {ChildOutput::Closed, {}});
        EXPECT_EQ(run.status, 2) << args.front();
        EXPECT_EQ(run.err.rfind("quillory-odds: cannot write to standard output", 0), 0U)
            << args.front() << ": " << run.err;
    }
}

TEST(OddsTool, HelpVersionAndExact) {
    const ToolFolder tool;
    EXPECT_EQ(tool.Run({"--help"}).status, 0);
    const ChildRun version = tool.Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("quillory-odds (Quillory) 1.0.0.1", 0), 0U) << version.out;
    const ChildRun exact = tool.Run({"5c6d", "--board", "2c3d4hKsKh", "--players", "2", "--exact"});
    EXPECT_EQ(exact.status, 0) << exact.err;
    EXPECT_NE(exact.out.find("97.17% (exact)"), std::string::npos) << exact.out;
}

} // namespace
