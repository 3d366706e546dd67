// Runs the quillory-report program itself: first as any system runs it (no
// shell), then, on POSIX systems, through the shell for what only a shell
// arranges (limits, signals, devices, links).
#include "CommandLine.h"
#include "TempDir.h"
#include "report/HeatMap.h"
#include "report/ReportFormat.h"
#include "report/Simulation.h"
#include "support/ChildProcess.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

#ifndef _WIN32
#include "files/AtomicFile.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#endif

namespace quillory {
namespace {

using test::ChildOptions;
using test::ChildOutput;
using test::ChildRun;
using test::ReadFile;
using test::TempDir;
using test::Utf8Name;
using test::WriteFile;

constexpr const char* kHint = "Try 'quillory-report --help'.\n";

ChildRun RunReport(const TempDir& dir, const std::vector<std::string>& args,
                   const ChildOptions& options = {}) {
    return test::RunChild(QUILLORY_REPORT_TOOL, args, dir.Path(), options);
}

std::string LibraryReport(std::int64_t deals, std::uint32_t seed) {
    SimulationOptions options;
    options.deals = deals;
    options.seed = seed;
    HandStatistics statistics;
    EXPECT_TRUE(SimulateDeals(options, statistics));
    return FormatReport(statistics);
}

TEST(ReportTool, SeededReportIsTheLibrarysWhateverTheThreadsAndTheOutput) {
    const TempDir dir;
    const std::string expected = LibraryReport(1200, 9);
    const ChildRun one = RunReport(dir, {"--seed", "9", "--deals", "1200", "--threads", "1"});
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.err, ""); // no progress when standard error is not a terminal
    EXPECT_EQ(one.out, expected);
    EXPECT_EQ(RunReport(dir, {"--deals=1200", "--threads=3", "--seed=9", "-o", "-"}).out, expected);

    const auto file = dir / "report.txt";
    WriteFile(file, "old");
    const ChildRun toFile =
        RunReport(dir, {"--seed", "9", "--deals", "1200", "--threads", "2", "-o", Utf8Name(file)});
    EXPECT_EQ(toFile.status, 0);
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(ReadFile(file), expected);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});
}

// The picture is drawn from the very counts the report was written from: the
// same seeded run gives the same text with or without it, and the SVG is the
// library's rendering of that run's heat map. A picture that cannot be written
// fails before any deal and leaves the report file alone.
TEST(ReportTool, SvgPictureComesFromTheReportsCounts) {
    const TempDir dir;
    const auto report = dir / "report.txt";
    const auto picture = dir / "picture.svg";
    const ChildRun run =
        RunReport(dir, {"--seed", "4", "--deals", "1500", "--svg", Utf8Name(picture), "--players",
                        "6", "--hole-cards", "2", "-o", Utf8Name(report)});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(report), LibraryReport(1500, 4));

    SimulationOptions options;
    options.deals = 1500;
    options.seed = 4;
    HandStatistics statistics;
    ASSERT_TRUE(SimulateDeals(options, statistics));
    EXPECT_EQ(ReadFile(picture), RenderHeatMapSvg(BuildHeatMap(statistics, 6, HoleCardsUsed::Two)));

    const ChildRun toStdout =
        RunReport(dir, {"--seed", "4", "--deals", "1500", "--svg", Utf8Name(picture)});
    EXPECT_EQ(toStdout.out, LibraryReport(1500, 4));
    EXPECT_EQ(ReadFile(picture),
              RenderHeatMapSvg(BuildHeatMap(statistics, 10, HoleCardsUsed::Any)));

    WriteFile(report, "old");
    const ChildRun refused = RunReport(dir, {"--deals", "10", "-o", Utf8Name(report), "--svg",
                                             Utf8Name(dir / "missing" / "p.svg")});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("cannot create"), std::string::npos) << refused.err;
    EXPECT_EQ(ReadFile(report), "old");
    EXPECT_EQ(RunReport(dir, {"--svg", "x.svg", "--players", "11"}).status, 2);
    EXPECT_EQ(RunReport(dir, {"--svg", "x.svg", "--hole-cards", "3"}).status, 2);

    // "-" is standard output for the picture as for the report.
    const ChildRun svgOut = RunReport(dir, {"--seed", "4", "--deals", "1500", "-o",
                                            Utf8Name(report), "--svg", "-", "--players", "6"});
    EXPECT_EQ(svgOut.status, 0) << svgOut.err;
    EXPECT_EQ(svgOut.out, RenderHeatMapSvg(BuildHeatMap(statistics, 6, HoleCardsUsed::Any)));
    EXPECT_EQ(ReadFile(report), LibraryReport(1500, 4));
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"picture.svg", "report.txt"}));
}

// A file name in any script reaches the file system as typed, also with the
// value attached to -o and after "--" has ended the options.
TEST(ReportTool, FileNamesInAnyScriptAttachedValuesAndTheEndOfOptions) {
    const TempDir dir;
    const std::string expected = LibraryReport(60, 4);
    const std::filesystem::path report = dir.Path() / std::filesystem::path(u8"報告.txt");
    const std::filesystem::path other = dir.Path() / std::filesystem::path(u8"-Ωmega.txt");
    EXPECT_EQ(RunReport(dir, {"--seed", "4", "--deals", "60", "-o", Utf8Name(report)}).status, 0);
    EXPECT_EQ(ReadFile(report), expected);
    EXPECT_EQ(RunReport(dir, {"--seed=4", "--deals=60", "-o" + Utf8Name(other)}).status, 0);
    EXPECT_EQ(ReadFile(other), expected);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"-Ωmega.txt", "報告.txt"}));

    const ChildRun ended = RunReport(dir, {"--deals", "5", "--", "--help"});
    EXPECT_EQ(ended.status, 2);
    EXPECT_EQ(ended.out, "");
    EXPECT_EQ(ended.err,
              std::string("quillory-report: unexpected argument '--help' (use -o FILE)\n") + kHint);
}

TEST(ReportTool, RunsWithoutSeedDiffer) {
    const TempDir dir;
    const ChildRun first = RunReport(dir, {"--deals", "300"});
    const ChildRun second = RunReport(dir, {"--deals", "300"});
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(test::SplitLines(first.out).size(), static_cast<std::size_t>(kReportLines));
    EXPECT_NE(first.out, second.out);
}

TEST(ReportTool, BadArgumentsExitWithStatusTwo) {
    const TempDir dir;
    const ChildRun bad = RunReport(dir, {"--deals", "lots"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err,
              std::string("quillory-report: --deals needs a whole number, not 'lots'\n") + kHint);
    EXPECT_EQ(RunReport(dir, {"extra"}).status, 2);

    const ChildRun help = RunReport(dir, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(test::TextLines(help.out), ReportUsage()); // text mode, unlike the report
    const ChildRun version = RunReport(dir, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("quillory-report ", 0), 0U) << version.out;
}

// A missing folder names the path; a closed standard output is an error with
// status 2, never a silent success, for the report and for --version alike.
TEST(ReportTool, MissingFolderAndClosedOutputExitWithStatusTwo) {
    const TempDir dir;
    const auto missing = dir / "missing" / "report.txt";
    const ChildRun noDir = RunReport(dir, {"--deals", "100", "-o", Utf8Name(missing)});
    EXPECT_EQ(noDir.status, 2);
    const std::string named = "quillory-report: cannot create \"" + Utf8Name(missing) + "\": ";
    EXPECT_EQ(noDir.err.rfind(named, 0), 0U) << noDir.err;
    EXPECT_EQ(noDir.err.find('\n'), noDir.err.size() - std::string(kHint).size() - 1) << noDir.err;
#ifndef _WIN32
    EXPECT_EQ(noDir.err, named + "No such file or directory\n" + kHint);
#endif

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--deals", "100"}, std::vector<std::string>{"--version"}}) {
        const ChildRun closed = RunReport(dir, args, {ChildOutput::Closed, {}});
        EXPECT_EQ(closed.status, 2) << args.front();
        EXPECT_EQ(closed.err.rfind("quillory-report: cannot write to standard output: ", 0), 0U)
            << closed.err;
        EXPECT_NE(closed.err.find(kHint), std::string::npos) << closed.err;
#ifndef _WIN32
        EXPECT_EQ(closed.err, std::string("quillory-report: cannot write to standard output: Bad "
                                          "file descriptor\n") +
                                  kHint);
#endif
    }
}

#ifndef _WIN32

struct Outcome {
    int status{-1};
    std::string out{};
    std::string err{};
};

std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

// Runs `prefix tool arguments` in sh, with standard output and error captured
// in files of `dir`, unless `arguments` redirects standard output itself.
Outcome RunTool(const TempDir& dir, const std::string& arguments, const std::string& prefix = "") {
    const auto out = dir / "stdout.captured";
    const auto err = dir / "stderr.captured";
    const bool ownOutput = arguments.find('>') != std::string::npos;
    const std::string command = prefix + Quoted(QUILLORY_REPORT_TOOL) + " " + arguments +
                                (ownOutput ? "" : " >" + Quoted(out)) + " 2>" + Quoted(err);
    const int raw = std::system(command.c_str());
    Outcome outcome;
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    outcome.out = ReadFile(out);
    outcome.err = ReadFile(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return outcome;
}

TEST(ReportTool, WriteErrorsExitWithStatusTwoAndKeepTheOldFile) {
    const TempDir dir;
    // A file-size limit of 2 kB (sh counts 512-byte blocks) makes the write fail.
    const auto file = dir / "report.txt";
    WriteFile(file, "old");
    const Outcome tooLarge =
        RunTool(dir, "--seed 1 --deals 100 -o " + Quoted(file), "ulimit -f 4; ");
    EXPECT_EQ(tooLarge.status, 2);
    EXPECT_NE(tooLarge.err.find("File too large"), std::string::npos) << tooLarge.err;
    EXPECT_EQ(ReadFile(file), "old");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});

    // With a second name the file is written in place, and still keeps its
    // old contents, as the message says.
    std::filesystem::create_hard_link(file, dir / "second-name.txt");
    const Outcome inPlace =
        RunTool(dir, "--seed 1 --deals 100 -o " + Quoted(file), "ulimit -f 4; ");
    EXPECT_EQ(inPlace.status, 2);
    EXPECT_EQ(inPlace.err, "quillory-report: cannot write \"" + file.string() +
                               "\": File too large; its old contents were kept\n" + kHint);
    EXPECT_EQ(ReadFile(file), "old");
    EXPECT_EQ(ReadFile(dir / "second-name.txt"), "old");
    std::filesystem::remove(dir / "second-name.txt");

    // Standard output on a full device: a node like the system's full device,
    // made in the test's own folder.
    const auto fullDevice = dir / "full-device";
    if (::mknod(fullDevice.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) == 0) {
        const Outcome full = RunTool(dir, "--deals 100 >" + Quoted(fullDevice));
        EXPECT_EQ(full.status, 2);
        EXPECT_EQ(full.err,
                  "quillory-report: cannot write to standard output: No space left on device\n"
                  "Try 'quillory-report --help'.\n");
        std::filesystem::remove(fullDevice);
    } else {
        std::printf("skipped the full device: cannot make a node here (needs root)\n");
    }
}

// Two spellings of one existing file are refused before the run, and a
// picture that fails after the report was written says where the report is.
TEST(ReportTool, OneFileForBothOutputsIsRefusedAndAPartialSuccessIsNamed) {
    const TempDir dir;
    const auto report = dir / "report.txt";
    WriteFile(report, "old");
    std::filesystem::create_hard_link(report, dir / "second-name.txt");
    std::filesystem::create_symlink("report.txt", dir / "link.txt");
    for (const char* other : {"second-name.txt", "link.txt"}) {
        const ChildRun same = RunReport(
            dir, {"--deals", "1000", "-o", Utf8Name(report), "--svg", Utf8Name(dir / other)});
        EXPECT_EQ(same.status, 2);
        EXPECT_NE(same.err.find("the report and the picture would both be written to"),
                  std::string::npos)
            << same.err;
        EXPECT_EQ(ReadFile(report), "old");
    }

    // A picture on a full device (a node like the system's full device, made
    // in the test's own folder): the report is written first, and the message
    // says so.
    const auto full = dir / "full.svg";
    if (::mknod(full.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) != 0) {
        GTEST_SKIP() << "cannot make a device node here (needs root)";
    }
    const Outcome partial =
        RunTool(dir, "--seed 4 --deals 100 -o " + Quoted(report) + " --svg " + Quoted(full));
    EXPECT_EQ(partial.status, 2);
    EXPECT_EQ(partial.err, "quillory-report: cannot write \"" + full.string() +
                               "\": No space left on device; the report was written to \"" +
                               report.string() + "\"\n" + kHint);
    EXPECT_EQ(ReadFile(report), LibraryReport(100, 4));
    std::filesystem::remove(full);
}

TEST(ReportTool, TerminationWritesNothing) {
    const TempDir dir;
    const auto file = dir / "report.txt";
    WriteFile(file, "old");
    // The signal is sent once the temporary file exists, so it always arrives
    // while the (practically endless) run is going.
    const std::string script =
        Quoted(QUILLORY_REPORT_TOOL) + " --deals 1000000000 -o " + Quoted(file) + " 2>" +
        Quoted(dir / "err") + " & pid=$!; i=0; while [ $i -lt 400 ] && ! ls -A " +
        Quoted(dir.Path()) + " | grep -q '[.]tmp$'; do sleep 0.05; i=$((i+1)); done; " +
        "kill -TERM $pid; wait $pid; exit $?";
    const int raw = std::system(script.c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 143);
    EXPECT_EQ(ReadFile(dir / "err"),
              "quillory-report: interrupted; \"" + file.string() + "\" left as it was\n");
    std::filesystem::remove(dir / "err");
    EXPECT_EQ(ReadFile(file), "old");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});
}

// A run waiting for a FIFO's reader ends on a signal as any interrupted run
// ends: with the signal's status and the FIFO left as it was.
TEST(ReportTool, AnInterruptedWaitForAFifosReaderEndsWithTheSignalsStatus) {
    const TempDir dir;
    const auto fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto err = dir / "err";
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Started as a shell starts a foreground job: every signal acts.
            std::signal(signal, SIG_DFL);
            const int fd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(fd, STDERR_FILENO);
            ::execl(QUILLORY_REPORT_TOOL, QUILLORY_REPORT_TOOL, "--deals", "10", "-o", fifo.c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // Long enough to be waiting in open(2); were it not, the signal would
        // end it without the message checked below.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        ::kill(child, signal);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 128 + signal) << signal;
        EXPECT_EQ(ReadFile(err),
                  "quillory-report: interrupted; \"" + fifo.string() + "\" left as it was\n");
        struct stat info {};
        EXPECT_TRUE(::lstat(fifo.c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
    }
}

TEST(ReportTool, DevicesLinksAndStandardOutputAreWrittenAsTheShellWouldWriteThem) {
    const TempDir dir;
    const auto null = dir / "null";
    const auto full = dir / "full";
    if (::mknod(null.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0 &&
        ::mknod(full.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) == 0) {
        EXPECT_EQ(RunTool(dir, "--deals 10 -o " + Quoted(null)).status, 0);
        const Outcome noSpace = RunTool(dir, "--deals 10 -o " + Quoted(full));
        EXPECT_EQ(noSpace.status, 2);
        EXPECT_EQ(noSpace.err, "quillory-report: cannot write \"" + full.string() +
                                   "\": No space left on device\nTry 'quillory-report --help'.\n");
        struct stat info {};
        EXPECT_TRUE(::lstat(null.c_str(), &info) == 0 && S_ISCHR(info.st_mode));
        EXPECT_TRUE(::lstat(full.c_str(), &info) == 0 && S_ISCHR(info.st_mode));
        std::filesystem::remove(null);
        std::filesystem::remove(full);
    } else {
        std::printf("skipped the device nodes: cannot make them here (needs root)\n");
    }

    // A link to the tool's own standard output (what /dev/stdout is), into a
    // pipe and into a file the shell has already written to.
    const std::string expected = LibraryReport(50, 3);
    std::filesystem::create_symlink("/proc/self/fd/1", dir / "stdout");
    const auto link = Quoted(dir / "stdout");
    const Outcome piped =
        RunTool(dir, "--seed 3 --deals 50 -o " + link + " | cat >" + Quoted(dir / "piped.txt"));
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(ReadFile(dir / "piped.txt"), expected);
    const std::string command = "{ echo before; " + Quoted(QUILLORY_REPORT_TOOL) +
                                " --seed 3 --deals 50 -o " + link + "; echo after; } >" +
                                Quoted(dir / "file.txt");
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadFile(dir / "file.txt"), "before\n" + expected + "after\n");

    // A self-loop is an error, and the link stays.
    std::filesystem::create_symlink("loop", dir / "loop");
    const Outcome loop = RunTool(dir, "--deals 10 -o " + Quoted(dir / "loop"));
    EXPECT_EQ(loop.status, 2);
    EXPECT_EQ(loop.err,
              "quillory-report: cannot write \"" + (dir / "loop").string() +
                  "\": Too many levels of symbolic links\nTry 'quillory-report --help'.\n");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "loop"));
}

TEST(ReportTool, ReadOnlyFileIsRefusedForAnOrdinaryUser) {
    const TempDir dir;
    const auto file = dir / "report.txt";
    WriteFile(file, "old");
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    std::string prefix;
    if (::geteuid() == 0) {
        // Root may write any file, as the shell lets it; run as nobody instead.
        ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
        prefix = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    }
    const Outcome refused = RunTool(dir, "--deals 10 -o " + Quoted(file), prefix);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "quillory-report: cannot write \"" + file.string() +
                               "\": Permission denied\nTry 'quillory-report --help'.\n");
    EXPECT_EQ(ReadFile(file), "old");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});
}

TEST(ReportTool, AKilledRunsTemporaryFileIsRemovedByALaterRunOnceStale) {
    const TempDir dir;
    const auto file = dir / "report.txt";
    WriteFile(file, "old");
    const std::string script =
        Quoted(QUILLORY_REPORT_TOOL) + " --deals 1000000000 -o " + Quoted(file) +
        " & pid=$!; i=0; while [ $i -lt 400 ] && ! ls -A " + Quoted(dir.Path()) +
        " | grep -q '[.]tmp$'; do sleep 0.05; i=$((i+1)); done; kill -KILL $pid; wait $pid; " +
        "touch -d '2 days ago' " + Quoted(dir.Path()) + "/.*.tmp";
    // The script's status is touch's: the temporary file was there to age.
    EXPECT_EQ(std::system(script.c_str()), 0);
    EXPECT_EQ(ReadFile(file), "old");
    const std::vector<std::string> left = dir.Entries();
    ASSERT_EQ(left.size(), 2U);
    EXPECT_TRUE(IsTemporaryFileName(left.front())) << left.front();

    EXPECT_EQ(RunTool(dir, "--deals 10 -o " + Quoted(file)).status, 0);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});
}

#endif // _WIN32

} // namespace
} // namespace quillory
