#include "report/ReportExport.h"

#include "PathErrors.h"
#include "TempDir.h"
#include "report/ReportFormat.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace quillory
