// The checks before the settings file is opened: what may stand at the file's
// and the lock's paths, the folder that a write creates, and the notes with
// their causes and paths. Every node and link is made in the test's own
// temporary folder.
#include "files/SettingsFileGuard.h"

#include "report/TempDir.h"

#include <gtest/gtest.h>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

namespace quillory {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::WriteFile;

// The path between quotes as the notes show it.
std::string Shown(fs::path path) {
    return '"' + test::Utf8Name(path.make_preferred()) + '"';
}

std::string NotUsedNote(const fs::path& file) {
    return Shown(file) + " is not a regular file; the default settings are used and not saved";
}

fs::path LockOf(const fs::path& file) {
    return fs::path(file) += ".lock";
}

TEST(SettingsFileGuard, AMissingOrRegularFileIsUsedAndItsFolderMade) {
    const TempDir dir;
    const fs::path file = dir / "Company" / "Program" / "settings.ini";
    EXPECT_EQ(SettingsFileFault(""), std::nullopt); // the registry
    EXPECT_EQ(SettingsFileFault(file), std::nullopt);
    EXPECT_EQ(PrepareSettingsWrite(file), std::nullopt);
    EXPECT_TRUE(fs::is_directory(file.parent_path()));

    WriteFile(file, "[Setting]\n");
    WriteFile(LockOf(file), ""); // a lock left by an earlier run
    EXPECT_EQ(SettingsFileFault(file), std::nullopt);
    EXPECT_EQ(PrepareSettingsWrite(file), std::nullopt);
}

TEST(SettingsFileGuard, ALockOrFolderThatCannotBeUsedIsNamed) {
    const TempDir dir;
    const fs::path file = dir / "settings.ini";
    fs::create_directory(LockOf(file));
    EXPECT_EQ(SettingsFileFault(file), std::nullopt); // reading takes no lock
    EXPECT_EQ(PrepareSettingsWrite(file),
              "the settings were not saved: " + Shown(LockOf(file)) + " is not a regular file");
    EXPECT_TRUE(fs::is_directory(LockOf(file)));

    // A file where a folder belongs.
    WriteFile(dir / "blocker", "");
    EXPECT_EQ(PrepareSettingsWrite(dir / "blocker" / "sub" / "settings.ini"),
              "the settings were not saved: cannot create the folder " +
                  Shown(dir / "blocker" / "sub"));
}

TEST(SettingsFileGuard, FailedWritesSayTheirCauseAndPath) {
    const fs::path file = fs::path("home") / "user" / ".config" / "settings.ini";
    const std::string lock = Shown(LockOf(file));
    const std::string prefix = "the settings were not saved: ";
    EXPECT_EQ(SettingsNotSavedNote(SettingsWriteFailure::LockHeld, file),
              prefix + lock + " stayed locked");
    EXPECT_EQ(SettingsNotSavedNote(SettingsWriteFailure::LockDenied, file),
              prefix + "cannot create " + lock + ": permission denied");
    EXPECT_EQ(SettingsNotSavedNote(SettingsWriteFailure::LockNotCreated, file),
              prefix + "cannot create " + lock);
    EXPECT_EQ(SettingsNotSavedNote(SettingsWriteFailure::FileDenied, file),
              prefix + "cannot write " + Shown(file) + ": permission denied");
}

#ifndef _WIN32
// The mode and inode that lstat sees: a node left as it was keeps both.
std::pair<mode_t, ino_t> Node(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return {info.st_mode, info.st_ino};
}

TEST(SettingsFileGuard, NodesThatAreNotRegularFilesAreRefusedWithoutOpeningThem) {
    const TempDir dir;
    WriteFile(dir / "regular", "");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_directory(dir / "folder");
    fs::create_symlink(dir / "regular", dir / "link to a file");
    fs::create_symlink(dir / "fifo", dir / "link to a fifo");
    fs::create_symlink(dir / "folder", dir / "link to a folder");
    fs::create_symlink(dir / "missing", dir / "dangling link");
    fs::create_symlink(dir / "link loop", dir / "link loop");
    const bool device = ::mknod((dir / "device").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
    if (device) {
        fs::create_symlink(dir / "device", dir / "link to a device");
    }

    EXPECT_EQ(SettingsFileFault(dir / "link to a file"), std::nullopt);
    for (const char* name : {"fifo", "folder", "link to a fifo", "link to a folder",
                             "dangling link", "link loop", "device", "link to a device"}) {
        const fs::path file = dir / name;
        if (!fs::exists(fs::symlink_status(file))) {
            continue; // no device node here (needs root)
        }
        const auto before = Node(file);
        EXPECT_EQ(SettingsFileFault(file), NotUsedNote(file)) << name;
        EXPECT_EQ(PrepareSettingsWrite(file), NotUsedNote(file)) << name;
        EXPECT_EQ(Node(file), before) << name;
    }
    EXPECT_FALSE(fs::exists(dir / "missing"));

    // A lock is created and removed by name, so even a link to a regular file
    // is refused; so is a FIFO.
    for (const char* lock : {"link to a file", "fifo"}) {
        const fs::path file = dir / (std::string(lock) + "-settings.ini");
        fs::rename(dir / lock, LockOf(file));
        EXPECT_EQ(PrepareSettingsWrite(file),
                  "the settings were not saved: " + Shown(LockOf(file)) + " is not a regular file");
    }
    if (!device) {
        GTEST_SKIP() << "cannot make a device node here (needs root)";
    }
}
#endif

} // namespace
} // namespace quillory
