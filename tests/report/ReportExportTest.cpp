#include "report/ReportExport.h"

#include "PathErrors.h"
#include "TempDir.h"
#include "report/ReportFormat.h"

#include <algorithm>
#include <gtest/gtest.h>

#ifndef _WIN32
#include "FileSizeLimit.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

namespace quillory {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

SimulationOptions Seeded(std::int64_t deals, std::uint32_t seed) {
    SimulationOptions options;
    options.deals = deals;
    options.seed = seed;
    options.threads = 2;
    return options;
}

TEST(ReportExport, WritesTheSameReportAsTheLibraryReplacingAnOldFile) {
    const TempDir dir;
    const auto path = dir / "report.txt";
    WriteFile(path, "old");
    const ExportResult result = ExportReportFile(path, Seeded(1500, 11));
    ASSERT_EQ(result.status, ExportStatus::Written) << result.error;
    EXPECT_TRUE(result.error.empty());

    HandStatistics statistics;
    ASSERT_TRUE(SimulateDeals(Seeded(1500, 11), statistics));
    EXPECT_EQ(ReadFile(path), FormatReport(statistics));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});
}

TEST(ReportExport, CancelWritesNothing) {
    const TempDir dir;
    WriteFile(dir / "old.txt", "old");
    for (const char* name : {"new.txt", "old.txt"}) {
        SimulationOptions options = Seeded(1500, 11);
        options.progress = [](std::int64_t done, std::int64_t) { return done == 0; };
        const ExportResult result = ExportReportFile(dir / name, options);
        EXPECT_EQ(result.status, ExportStatus::Cancelled);
    }
    EXPECT_EQ(ReadFile(dir / "old.txt"), "old");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"old.txt"});
}

TEST(ReportExport, UnwritablePathFailsBeforeSimulating) {
    const TempDir dir;
    const auto path = dir / "missing" / "report.txt";
    SimulationOptions options = Seeded(1500, 11);
    int calls = 0;
    options.progress = [&calls](std::int64_t, std::int64_t) { return ++calls > 0; };
    const ExportResult result = ExportReportFile(path, options);
    EXPECT_EQ(result.status, ExportStatus::Failed);
    EXPECT_NE(result.error.find(path.string()), std::string::npos) << result.error;
    EXPECT_NE(result.error.find(test::PathErrorText(test::PathError::MissingFolder)),
              std::string::npos)
        << result.error;
    EXPECT_EQ(calls, 0);
}

#ifndef _WIN32
TEST(ReportExport, AWriteErrorFailsAndLeavesTheOldFile) {
    const TempDir dir;
    const auto path = dir / "report.txt";
    WriteFile(path, "an older report\n");
    ExportResult result;
    {
        const test::FileSizeLimit limit(4096); // the report is far larger
        result = ExportReportFile(path, Seeded(1500, 11));
    }
    EXPECT_EQ(result.status, ExportStatus::Failed);
    EXPECT_NE(result.error.find(path.string()), std::string::npos) << result.error;
    EXPECT_EQ(ReadFile(path), "an older report\n");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});
}

// The window's target (a FIFO without a reader fails at once): a FIFO with a
// reader gets the whole report and stays a FIFO, a link to a device node is
// written through and both stay, a loop of links fails with the system's
// reason.
TEST(ReportExport, TheWindowsTargetWritesFifosAndLinksAsTheToolDoesButNeverWaits) {
    const TempDir dir;
    const ExportTarget window{FifoWithoutReader::Fail, LineEnds::Platform};
    const auto fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // The reading end is opened first, without waiting, and made large
    // enough to hold the whole report, so the test needs no second thread.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ::fcntl(reader, F_SETPIPE_SZ, 1 << 20);
    const ExportResult written = ExportReportFile(fifo, Seeded(1500, 11), window);
    std::string received;
    char buffer[4096];
    for (ssize_t got = 0; (got = ::read(reader, buffer, sizeof buffer)) > 0;) {
        received.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(reader);
    EXPECT_EQ(written.status, ExportStatus::Written) << written.error;
    EXPECT_EQ(std::count(received.begin(), received.end(), '\n'), kReportLines);
    struct stat info {};
    EXPECT_TRUE(::lstat(fifo.c_str(), &info) == 0 && S_ISFIFO(info.st_mode));

    const ExportResult unread = ExportReportFile(fifo, Seeded(1500, 11), window);
    EXPECT_EQ(unread.status, ExportStatus::Failed);
    EXPECT_NE(unread.reason.find("no program is reading"), std::string::npos) << unread.reason;

    const auto device = dir / "null";
    const auto link = dir / "to-null";
    if (::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) {
        std::filesystem::create_symlink(device, link);
        EXPECT_EQ(ExportReportFile(link, Seeded(1500, 11), window).status, ExportStatus::Written);
        EXPECT_TRUE(::stat(device.c_str(), &info) == 0 && S_ISCHR(info.st_mode));
        EXPECT_TRUE(std::filesystem::is_symlink(link));
    }

    const auto loop = dir / "loop";
    std::filesystem::create_symlink(loop, loop);
    const ExportResult looped = ExportReportFile(loop, Seeded(1500, 11), window);
    EXPECT_EQ(looped.status, ExportStatus::Failed);
    EXPECT_NE(looped.reason.find("Too many levels of symbolic links"), std::string::npos)
        << looped.reason;
    EXPECT_TRUE(std::filesystem::is_symlink(loop));
}
#endif

} // namespace
} // namespace quillory
