#include "files/AtomicFile.h"

#include "report/FileSizeLimit.h"
#include "report/PathErrors.h"
#include "report/TempDir.h"

#include <gtest/gtest.h>
#include <string>

namespace quillory {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;
namespace fs = std::filesystem;

TEST(AtomicFile, ReplacesTheTargetOnlyOnCommit) {
    const TempDir dir;
    const fs::path target = dir / "report.txt";
    WriteFile(target, "old report\n");

    AtomicFile file(target);
    ASSERT_TRUE(file.Open()) << file.Error();
    ASSERT_TRUE(file.Write("new "));
    ASSERT_TRUE(file.Write("report\r\n"));
    EXPECT_EQ(ReadFile(target), "old report\n");
    EXPECT_EQ(dir.Entries().size(), 2U); // the target and the temporary file
    ASSERT_TRUE(file.Commit()) << file.Error();
    EXPECT_EQ(ReadFile(target), "new report\r\n"); // bytes as given
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});
}

TEST(AtomicFile, CreatesANewFileAndDiscardLeavesNothing) {
    const TempDir dir;
    {
        AtomicFile file(dir / "new.txt");
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("x"));
        file.Discard();
        EXPECT_FALSE(file.Commit());
    }
    {
        AtomicFile file(dir / "gone.txt");
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("x"));
    } // destroyed without Commit
    EXPECT_TRUE(dir.Entries().empty());

    AtomicFile file(dir / "new.txt");
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ReadFile(dir / "new.txt"), "");
}

TEST(AtomicFile, UnwritablePathsNameThePathAndTheReason) {
    const TempDir dir;
    WriteFile(dir / "plain", "keep");
    fs::create_directory(dir / "folder");
    const struct {
        fs::path path;
        test::PathError reason;
    } cases[] = {
        {dir / "missing" / "report.txt", test::PathError::MissingFolder},
        {dir / "plain" / "report.txt", test::PathError::FileAsFolder},
        {dir / "folder", test::PathError::IsAFolder},
    };
    for (const auto& c : cases) {
        AtomicFile file(c.path);
        EXPECT_FALSE(file.Open());
        EXPECT_NE(file.Error().find("\"" + c.path.string() + "\""), std::string::npos)
            << file.Error();
        EXPECT_NE(file.Error().find(test::PathErrorText(c.reason)), std::string::npos)
            << file.Error();
        EXPECT_FALSE(file.Write("x"));
        EXPECT_FALSE(file.Commit());
    }
    AtomicFile unnamed{fs::path{}};
    EXPECT_FALSE(unnamed.Open());
    EXPECT_FALSE(unnamed.Error().empty());
    EXPECT_EQ(ReadFile(dir / "plain"), "keep");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"folder", "plain"}));
}

#ifndef _WIN32
// A write that cannot finish keeps the old file, whether it is replaced or,
// having a second name, written in place; the in-place write says so.
TEST(AtomicFile, WriteErrorIsReportedAndKeepsTheOldFile) {
    using test::FileSizeLimit;
    const TempDir dir;
    const fs::path target = dir / "report.txt";
    for (const WriteMethod expected : {WriteMethod::Replace, WriteMethod::InPlace}) {
        WriteFile(target, "old report\n");
        if (expected == WriteMethod::InPlace) {
            fs::create_hard_link(target, dir / "second-name.txt");
        }
        bool ok = true;
        std::string error;
        {
            const FileSizeLimit limit(4096);
            AtomicFile file(target);
            ASSERT_TRUE(file.Open());
            EXPECT_EQ(file.Method(), expected);
            ok = file.Write(std::string(100000, 'x')) && file.Commit();
            error = file.Error();
        }
        EXPECT_FALSE(ok);
        EXPECT_NE(error.find("\"" + target.string() + "\""), std::string::npos) << error;
        EXPECT_NE(error.find("File too large"), std::string::npos) << error;
        EXPECT_EQ(ReadFile(target), "old report\n");
        if (expected == WriteMethod::InPlace) {
            EXPECT_EQ(error, "cannot write \"" + target.string() +
                                 "\": File too large; its old contents were kept");
            EXPECT_EQ(ReadFile(dir / "second-name.txt"), "old report\n");
            EXPECT_EQ(fs::hard_link_count(target), 2U);
        }
    }
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"report.txt", "second-name.txt"}));
}

TEST(AtomicFile, KeepsPermissionsAndWritesThroughSymbolicLinks) {
    const TempDir dir;
    const fs::path real = dir / "real.txt";
    WriteFile(real, "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real.txt", dir / "link.txt");

    AtomicFile file(dir / "link.txt");
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.Write("new"));
    ASSERT_TRUE(file.Commit()) << file.Error();
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(ReadFile(real), "new");
    EXPECT_EQ(fs::status(real).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"link.txt", "real.txt"}));
}
#endif

} // namespace
} // namespace quillory
