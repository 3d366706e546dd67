// A few runs of the built quillory-odds program itself: exit status, where the
// text goes, and that its JSON parses.
#include "JsonCheck.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct ToolRun {
    int status{-1};
    std::string out;
    std::string err;
};

// Runs the program with `args` (already quoted for the shell), capturing
// stdout and stderr separately.
ToolRun RunTool(const std::string& args) {
    // ctest runs each test of this program as its own process, maybe at the
    // same time as another: the process id keeps their files apart.
    const std::string errFile =
        ::testing::TempDir() + "quillory-odds-stderr-" + std::to_string(getpid()) + ".txt";
    const std::string command =
        std::string("'") + QUILLORY_ODDS_PATH + "' " + args + " 2>'" + errFile + "'";
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.out.append(buffer, n);
    }
    const int wait = pclose(pipe);
    run.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
    std::ifstream err(errFile);
    std::ostringstream text;
    text << err.rdbuf();
    run.err = text.str();
    std::remove(errFile.c_str());
    return run;
}

TEST(OddsTool, EstimatePrintsJsonThatParses) {
    const ToolRun run = RunTool("AsKd --board 'Qh, Jh, 2c' --players 3 --seed 17 --json");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto json = quillory::test::JsonObject(run.out);
    ASSERT_TRUE(json.has_value()) << run.out;
    EXPECT_EQ(json->at("players"), "3");
    EXPECT_EQ(json->at("trials"), "3333");
    // The same seed gives the same answer in a new process.
    EXPECT_EQ(RunTool("AsKd --board 'Qh, Jh, 2c' --players 3 --seed 17 --json").out, run.out);
}

TEST(OddsTool, BadInputIsOneLineAndTheHintOnStderrAndStatusTwo) {
    for (const char* args : {"AsKx", "AsKd --players 12", "AsKd --board AsQhJh", "AsKd --what",
                             "AsKd --trials \"$(printf '5\\nquillory-odds: forged')\""}) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(run.out, "") << args;
        EXPECT_EQ(run.err.rfind("quillory-odds: ", 0), 0U) << args << ": " << run.err;
        const std::string hint = "\nTry 'quillory-odds --help'.\n";
        EXPECT_EQ(run.err.find('\n'), run.err.size() - hint.size()) << args << ": " << run.err;
    }
}

TEST(OddsTool, ClosedStandardOutputIsAnError) {
    for (const char* args : {"AsKd --trials 10 >&-", "--version >&-", "--help >&-"}) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(run.err.rfind("quillory-odds: cannot write to standard output", 0), 0U)
            << args << ": " << run.err;
    }
}

TEST(OddsTool, HelpVersionAndExact) {
    EXPECT_EQ(RunTool("--help").status, 0);
    const ToolRun version = RunTool("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("quillory-odds (Quillory) 1.0.0.1\n", 0), 0U);
    const ToolRun exact = RunTool("5c6d --board 2c3d4hKsKh --players 2 --exact");
    EXPECT_EQ(exact.status, 0) << exact.err;
    EXPECT_NE(exact.out.find("97.17% (exact)"), std::string::npos) << exact.out;
}

} // namespace
