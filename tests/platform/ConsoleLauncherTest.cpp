// The Windows console launcher: a copy named like a program, beside it, runs
// that program with the same arguments and standard handles and ends with its
// exit status. quillory-report stands in for the window program, which this
// build does not have.
#include "report/TempDir.h"
#include "support/ChildProcess.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace quillory {
namespace {

namespace fs = std::filesystem;

TEST(ConsoleLauncher, PassesArgumentsOutputAndExitStatusThrough) {
    const test::TempDir dir;
    const fs::path launcher = dir / "quillory-report.com";
    fs::copy_file(QUILLORY_LAUNCHER, launcher);
    fs::copy_file(QUILLORY_REPORT_TOOL, dir / "quillory-report.exe");

    const test::ChildRun version = test::RunChild(launcher, {"--version"}, dir.Path());
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_EQ(version.out.rfind("quillory-report ", 0), 0U) << version.out;

    const test::ChildRun bad = test::RunChild(launcher, {"--bogus"}, dir.Path());
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "quillory-report: unknown option '--bogus'\n"
                       "Try 'quillory-report --help'.\n");

    // Quoted arguments and names in any script arrive as typed.
    const fs::path report = dir.Path() / fs::path(u8"報告 1.txt");
    const test::ChildRun written = test::RunChild(
        launcher, {"--deals", "10", "--seed", "1", "-o", test::Utf8Name(report)}, dir.Path());
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_TRUE(fs::is_regular_file(report));

    fs::remove(dir / "quillory-report.exe");
    const test::ChildRun missing = test::RunChild(launcher, {"--version"}, dir.Path());
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err.rfind("cannot start \"", 0), 0U) << missing.err;
}

} // namespace
} // namespace quillory
