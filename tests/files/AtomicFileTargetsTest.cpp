// What the report writer does with targets that are not plain files: device
// nodes, FIFOs, links, read-only and hard-linked files, files of other users,
// and temporary files left by a killed run. Every node and link is made in
// the test's own temporary folder.
#include "files/AtomicFile.h"
#include "report/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace quillory {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;
namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

bool IsRoot() {
    return ::geteuid() == 0;
}

// Makes a character device node like the system's null (1, 3) or full (1, 7)
// device at `path`; false where the process may not (not root, or a container
// that forbids it).
bool MakeDevice(const fs::path& path, unsigned minor) {
    return ::mknod(path.c_str(), S_IFCHR | 0666, ::makedev(1, minor)) == 0;
}

bool IsCharacterDevice(const fs::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

// Writes `text` to `path` with the writer; the error, or "" on success.
std::string WriteReport(const fs::path& path, const std::string& text,
                        WriteMethod* method = nullptr) {
    AtomicFile file(path);
    if (!file.Open()) {
        return file.Error();
    }
    if (method != nullptr) {
        *method = file.Method();
    }
    if (!file.Write(text) || !file.Commit()) {
        return file.Error();
    }
    return "";
}

TEST(AtomicFileTargets, DevicesAndFifosAreWrittenDirectlyAndStayWhatTheyAre) {
    const TempDir dir;
    const fs::path null = dir / "null";
    const fs::path full = dir / "full";
    if (!MakeDevice(null, 3) || !MakeDevice(full, 7)) {
        GTEST_SKIP() << "cannot make device nodes here (needs root)";
    }
    WriteMethod method{};
    EXPECT_EQ(WriteReport(null, "report\n", &method), "");
    EXPECT_EQ(method, WriteMethod::Direct);
    EXPECT_EQ(WriteReport(full, std::string(100000, 'x')),
              "cannot write \"" + full.string() + "\": No space left on device");
    EXPECT_TRUE(IsCharacterDevice(null));
    EXPECT_TRUE(IsCharacterDevice(full));

    // A FIFO: the writer waits for its reader, then streams into it.
    const fs::path fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = ReadFile(fifo); });
    const std::string sent(200000, 'r'); // more than a pipe holds
    EXPECT_EQ(WriteReport(fifo, sent), "");
    reader.join();
    EXPECT_EQ(received, sent);
    struct stat info {};
    ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"fifo", "full", "null"}));
}

TEST(AtomicFileTargets, LinksAreFollowedAsTheShellFollowsThem) {
    const TempDir dir;
    fs::create_directory(dir / "elsewhere");

    // A dangling link creates the file it points to; the link stays.
    fs::create_symlink("elsewhere/new.txt", dir / "dangling");
    EXPECT_EQ(WriteReport(dir / "dangling", "through the link"), "");
    EXPECT_TRUE(fs::is_symlink(dir / "dangling"));
    EXPECT_EQ(ReadFile(dir / "elsewhere" / "new.txt"), "through the link");
    // ... unless what it points to cannot be created.
    fs::create_symlink("missing/new.txt", dir / "nowhere");
    EXPECT_EQ(WriteReport(dir / "nowhere", "x"),
              "cannot create \"" + (dir / "nowhere").string() + "\": No such file or directory");

    // A loop and a chain longer than the system follows are errors.
    fs::create_symlink("loop", dir / "loop");
    const std::string loopError = WriteReport(dir / "loop", "x");
    EXPECT_NE(loopError.find("Too many levels of symbolic links"), std::string::npos) << loopError;
    WriteFile(dir / "end.txt", "end");
    fs::create_symlink("end.txt", dir / "chain0");
    for (int i = 1; i <= 50; ++i) {
        fs::create_symlink("chain" + std::to_string(i - 1), dir / ("chain" + std::to_string(i)));
    }
    EXPECT_NE(WriteReport(dir / "chain50", "x").find("Too many levels"), std::string::npos);
    EXPECT_EQ(WriteReport(dir / "chain5", "short chain"), "");
    EXPECT_EQ(ReadFile(dir / "end.txt"), "short chain");
    EXPECT_TRUE(fs::is_symlink(dir / "loop"));
    EXPECT_TRUE(fs::is_symlink(dir / "chain50"));

    // Nothing but the links, their files and the folder is left.
    for (const auto& name : dir.Entries()) {
        EXPECT_FALSE(IsTemporaryFileName(name)) << name;
    }
}

TEST(AtomicFileTargets, ReplacingKeepsModeOwnerAndHardLinks) {
    const TempDir dir;
    const fs::path report = dir / "report.txt";
    WriteFile(report, "old");
    ASSERT_EQ(::chmod(report.c_str(), 0640), 0);
    const bool root = IsRoot();
    if (root) {
        ASSERT_EQ(::chown(report.c_str(), 12345, 23456), 0);
    }
    WriteMethod method{};
    EXPECT_EQ(WriteReport(report, "new", &method), "");
    EXPECT_EQ(method, WriteMethod::Replace);
    struct stat info {};
    ASSERT_EQ(::stat(report.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640U);
    if (root) {
        EXPECT_EQ(info.st_uid, 12345U);
        EXPECT_EQ(info.st_gid, 23456U);
    }
    EXPECT_EQ(ReadFile(report), "new");

    // Two names of one file: both see the new report, and stay one file.
    fs::create_hard_link(report, dir / "second-name.txt");
    EXPECT_EQ(WriteReport(dir / "second-name.txt", "shared, longer report", &method), "");
    EXPECT_EQ(method, WriteMethod::InPlace);
    EXPECT_EQ(ReadFile(report), "shared, longer report");
    EXPECT_EQ(WriteReport(report, "short", &method), "");
    EXPECT_EQ(ReadFile(dir / "second-name.txt"), "short"); // cut to the new size
    EXPECT_EQ(fs::hard_link_count(report), 2U);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"report.txt", "second-name.txt"}));
}

// Runs `body` in a child process as the unprivileged user when we are root,
// as ourselves otherwise; returns what it returned.
template <typename Body> int AsOrdinaryUser(Body body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (IsRoot() && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(99);
        }
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(AtomicFileTargets, PermissionsDecideAsForTheShell) {
    const TempDir dir;
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0); // the folder itself would take a new file
    const fs::path report = dir / "report.txt";
    WriteFile(report, "keep me");
    ASSERT_EQ(::chmod(report.c_str(), 0444), 0);
    if (IsRoot()) {
        ASSERT_EQ(::chown(report.c_str(), kNobody, kNobody), 0);
    }
    const int outcome = AsOrdinaryUser([&] {
        const std::string error = WriteReport(report, "replaced");
        return error == "cannot write \"" + report.string() + "\": Permission denied" ? 0 : 1;
    });
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(ReadFile(report), "keep me");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});

    // A file the user may write, in a folder that takes no new file from
    // them, is written in place as the shell would write it.
    ASSERT_EQ(::chmod(report.c_str(), 0644), 0);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    if (!IsRoot()) {
        ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);
    }
    const int inPlace = AsOrdinaryUser([&] {
        WriteMethod method{};
        const std::string error = WriteReport(report, "written in place", &method);
        return error.empty() && method == WriteMethod::InPlace ? 0 : 1;
    });
    ::chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(inPlace, 0);
    EXPECT_EQ(ReadFile(report), "written in place");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});
}

// In a sticky folder (mode 1777, as /tmp) an ordinary user may write another
// user's writable file but not replace it: the writer writes it in place, as
// the shell does, whether it sees that when it opens the file or only when
// the folder refuses the rename.
TEST(AtomicFileTargets, AFolderThatRefusesTheReplaceGetsTheFileWrittenInPlace) {
    if (!IsRoot()) {
        GTEST_SKIP() << "needs root to give the file and the folder another owner";
    }
    const TempDir dir;
    const fs::path report = dir / "report.txt";
    WriteFile(report, "old");
    ASSERT_EQ(::chmod(report.c_str(), 0666), 0);
    struct stat before {};
    ASSERT_EQ(::stat(report.c_str(), &before), 0);
    // The child only lowers its effective ids, so it can raise them again to
    // make the folder sticky between Open() and Commit().
    const auto asNobody = [](auto body) {
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setegid(kNobody) != 0 || ::seteuid(kNobody) != 0) {
                ::_exit(99);
            }
            ::_exit(body());
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };

    ASSERT_EQ(::chmod(dir.Path().c_str(), 01777), 0);
    EXPECT_EQ(asNobody([&] {
                  WriteMethod method{};
                  const std::string error = WriteReport(report, "seen at open", &method);
                  return error.empty() && method == WriteMethod::InPlace ? 0 : 1;
              }),
              0);
    EXPECT_EQ(ReadFile(report), "seen at open");

    ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0);
    EXPECT_EQ(asNobody([&] {
                  AtomicFile file(report);
                  if (!file.Open() || file.Method() != WriteMethod::Replace) {
                      return 1;
                  }
                  if (::seteuid(0) != 0 || ::chmod(dir.Path().c_str(), 01777) != 0 ||
                      ::seteuid(kNobody) != 0) {
                      return 2;
                  }
                  return file.Write("refused at rename") && file.Commit() ? 0 : 3;
              }),
              0);
    EXPECT_EQ(ReadFile(report), "refused at rename");
    struct stat after {};
    ASSERT_EQ(::stat(report.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_uid, 0U);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"report.txt"});
}

TEST(AtomicFileTargets, TemporaryFilesOfKilledRunsAreRemovedOnceStale) {
    const TempDir dir;
    const fs::path report = dir / "report.txt";
    const std::string stale = ".report.txt.quillory-0123abcd.tmp";
    const std::string young = ".report.txt.quillory-89abcdef.tmp";
    const std::string other = ".notes.txt.quillory-00000000.tmp";
    const std::string foreign = ".report.txt.0123abcd.tmp"; // not one of ours
    for (const auto& name : {stale, young, other, foreign}) {
        WriteFile(dir / name, "");
    }
    const auto old = fs::file_time_type::clock::now() - kStaleTemporaryAge - std::chrono::hours(1);
    for (const auto& name : {stale, other, foreign}) {
        fs::last_write_time(dir / name, old);
    }

    AtomicFile file(report);
    ASSERT_TRUE(file.Open()) << file.Error();
    std::vector<std::string> during = dir.Entries();
    ASSERT_EQ(during.size(), 3U); // the two left and this run's own
    const auto own = std::find_if(during.begin(), during.end(), [&](const std::string& name) {
        return name != young && name != foreign && IsTemporaryFileName(name);
    });
    ASSERT_NE(own, during.end());
    EXPECT_EQ(own->rfind(".report.txt.quillory-", 0), 0U) << *own;
    ASSERT_TRUE(file.Write("r") && file.Commit());
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{foreign, young, "report.txt"}));

    EXPECT_TRUE(IsTemporaryFileName(young));
    EXPECT_FALSE(IsTemporaryFileName(foreign));
    EXPECT_FALSE(IsTemporaryFileName(".quillory-0123abcd.tmp"));
    EXPECT_FALSE(IsTemporaryFileName("x.quillory-0123ABCD.tmp"));
}

} // namespace
} // namespace quillory
#endif
