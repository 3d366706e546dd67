// The report writer on POSIX systems: file descriptors, open(2) and rename(2).
#ifndef _WIN32
#include "files/AtomicFile.h"
#include "files/AtomicFileDetail.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace quillory {

namespace detail {

unsigned long WriteAll(std::intptr_t handle, std::string_view bytes) {
    const int fd = static_cast<int>(handle);
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return static_cast<unsigned long>(errno);
        }
        if (written == 0) {
            return EIO;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

std::string ErrorMessage(unsigned long error) {
    return std::generic_category().message(static_cast<int>(error));
}

unsigned long BadHandleError() {
    return EBADF;
}

unsigned long IsDirectoryError() {
    return EISDIR;
}

} // namespace detail

namespace {

constexpr int kWriteFlags = O_WRONLY | O_NOCTTY | O_CLOEXEC;

unsigned long LastError() {
    return static_cast<unsigned long>(errno);
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The standard stream (output or error) that is this very file, or -1.
int StandardStreamOf(const struct stat& file) {
    for (const int stream : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat info {};
        if (::fstat(stream, &info) == 0 && SameFile(info, file)) {
            return stream;
        }
    }
    return -1;
}

bool IsFile(const fs::path& path, const struct stat& file) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && SameFile(info, file);
}

// The path of the open file with every link resolved: on Linux the kernel's
// own name for the descriptor, otherwise (or without /proc) realpath(3).
// Empty when neither leads to this very file.
fs::path ResolvedPath(int fd, const fs::path& target, const struct stat& file) {
#ifdef __linux__
    char name[PATH_MAX];
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(self.c_str(), name, sizeof name);
    if (length > 0 && static_cast<std::size_t>(length) < sizeof name) {
        const fs::path resolved(std::string(name, static_cast<std::size_t>(length)));
        if (resolved.is_absolute() && IsFile(resolved, file)) {
            return resolved;
        }
    }
#endif
    if (char* real = ::realpath(target.c_str(), nullptr)) {
        const fs::path resolved(real);
        std::free(real);
        if (IsFile(resolved, file)) {
            return resolved;
        }
    }
    return {};
}

// Removes this user's temporary files in `directory` that a killed run left.
void RemoveStaleTemporaries(const fs::path& directory) {
    DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
    if (dir == nullptr) {
        return;
    }
    const int dirFd = ::dirfd(dir);
    const uid_t user = ::geteuid();
    const std::time_t now = std::time(nullptr);
    const auto staleAge = std::chrono::seconds(kStaleTemporaryAge).count();
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryFileName(entry->d_name)) {
            continue;
        }
        struct stat info {};
        if (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_uid == user && now - info.st_mtime > staleAge) {
            ::unlinkat(dirFd, entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

// Creates a new temporary file beside `destination`, never opening one that
// exists. When it replaces `old`, it takes the old file's owner and group
// where the process may, then its permission bits (in that order, because a
// change of owner clears the set-ID bits). Returns the descriptor, or -1 with
// errno set.
int CreateTemporary(const fs::path& destination, const struct stat* old, fs::path& created) {
    std::random_device entropy;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const fs::path candidate =
            destination.parent_path() /
            detail::TemporaryFileName(destination.filename().native(), entropy());
        const int fd = ::open(candidate.c_str(), kWriteFlags | O_CREAT | O_EXCL | O_NOFOLLOW,
                              old != nullptr ? 0600 : 0666);
        if (fd >= 0) {
            if (old != nullptr) {
                if (::fchown(fd, old->st_uid, old->st_gid) != 0) {
                    [[maybe_unused]] const int groupOnly =
                        ::fchown(fd, static_cast<uid_t>(-1), old->st_gid);
                }
                ::fchmod(fd, old->st_mode & 07777);
            }
            created = candidate;
            return fd;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    errno = EEXIST;
    return -1;
}

// Makes a finished rename survive a crash (best effort).
void SyncDirectory(const fs::path& directory) {
    const int fd =
        ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool SyncFile(int fd) {
    while (::fsync(fd) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

// True when `directory` is sticky (mode 1777, as /tmp is) and the process may
// therefore not rename or remove `file` there: it owns neither the file nor
// the folder and is not root. Such a file is written in place, as the shell
// writes it.
bool StickyFolderRefuses(const fs::path& directory, const struct stat& file) {
    struct stat folder {};
    const uid_t user = ::geteuid();
    return ::stat(directory.empty() ? "." : directory.c_str(), &folder) == 0 &&
           (folder.st_mode & S_ISVTX) != 0 && user != 0 && file.st_uid != user &&
           folder.st_uid != user;
}

// Makes sure that `size` bytes fit into the open file before any of its old
// contents is overwritten: the file-size limit allows them, and the space
// beyond the old end is allocated. Returns 0 or the error; on an error the
// file is cut back to its old size, so its old contents are all there.
int ReserveSpace(int fd, off_t size) {
    struct stat file {};
    if (::fstat(fd, &file) != 0) {
        return errno;
    }
    if (size <= file.st_size) {
        return 0;
    }
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        static_cast<rlim_t>(size) > limit.rlim_cur) {
        return EFBIG;
    }
    const int error = ::posix_fallocate(fd, file.st_size, size - file.st_size);
    if (error != 0) {
        // A partial allocation may have moved the end of the file.
        [[maybe_unused]] const int cut = ::ftruncate(fd, file.st_size);
    }
    return error;
}

// The whole contents of the file at `path`; false with errno set.
bool ReadWholeFile(const fs::path& path, std::string& contents) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        return false;
    }
    char buffer[65536];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno != EINTR) {
            const int error = errno;
            ::close(fd);
            errno = error;
            return false;
        }
        contents.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    }
    ::close(fd);
    return true;
}

} // namespace

std::filesystem::path PathFromUtf8(std::string_view text) {
    return fs::path(std::string(text));
}

bool AtomicFile::Open() {
    CloseAndRemove();
    m_failed = false;
    m_error.clear();
    m_reason.clear();
    if (m_target.empty()) {
        return Fail("cannot create", std::string("no file name given"));
    }

    // Open what is there as the shell would, but without creating or emptying
    // it; the kernel follows the links and applies its checks.
    const char* path = m_target.c_str();
    int fd = ::open(path, kWriteFlags | O_NONBLOCK);
    if (fd < 0 && errno == ENXIO) {
        struct stat info {};
        if (::stat(path, &info) == 0 && S_ISFIFO(info.st_mode)) {
            if (m_fifo == FifoWithoutReader::Fail) {
                return Fail("cannot write", std::string("no program is reading from this FIFO"));
            }
            // A FIFO that nobody reads yet: wait for a reader, as the shell does.
            fd = ::open(path, kWriteFlags);
        } else {
            errno = ENXIO;
        }
    }
    if (fd >= 0) {
        return OpenExisting(fd);
    }
    if (errno != ENOENT) {
        return Fail("cannot write", LastError());
    }
    struct stat link {};
    if (::lstat(path, &link) == 0 && S_ISLNK(link.st_mode)) {
        // A dangling link: create the file it points to, as the shell does.
        fd = ::open(path, kWriteFlags | O_CREAT, 0666);
        if (fd < 0) {
            return Fail("cannot create", LastError());
        }
        m_createdThroughLink = true;
        return OpenExisting(fd);
    }
    if (!m_target.has_filename()) {
        return Fail("cannot create", detail::IsDirectoryError());
    }
    return StartReplacing(m_target, -1);
}

bool AtomicFile::OpenExisting(std::intptr_t handle) {
    m_handle = handle;
    const int fd = static_cast<int>(handle);
    struct stat file {};
    if (::fstat(fd, &file) != 0) {
        return Fail("cannot write", LastError());
    }
    // Writes wait for a slow reader rather than fail.
    if (const int flags = ::fcntl(fd, F_GETFL); flags != -1) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    if (!S_ISREG(file.st_mode)) {
        m_method = WriteMethod::Direct;
        return true;
    }
    if (const int stream = StandardStreamOf(file); stream >= 0) {
        // Our own standard output or error, say through /dev/stdout: write at
        // its current position, so whatever the shell set up (even >>) holds.
        const int copy = ::fcntl(stream, F_DUPFD_CLOEXEC, 0);
        if (copy < 0) {
            return Fail("cannot write", LastError());
        }
        ::close(fd);
        m_handle = copy;
        m_method = WriteMethod::Direct;
        return true;
    }
    const fs::path resolved = ResolvedPath(fd, m_target, file);
    if (m_createdThroughLink) {
        m_destination = resolved; // so that a failure can remove the new file again
    }
    if (file.st_nlink > 1 || resolved.empty() ||
        StickyFolderRefuses(resolved.parent_path(), file)) {
        m_method = WriteMethod::InPlace;
        return true;
    }
    return StartReplacing(resolved, handle);
}

bool AtomicFile::StartReplacing(const fs::path& destination, std::intptr_t existing) {
    struct stat old {};
    const bool replacing = existing >= 0 && ::fstat(static_cast<int>(existing), &old) == 0;
    RemoveStaleTemporaries(destination.parent_path());
    fs::path temporary;
    const int fd = CreateTemporary(destination, replacing ? &old : nullptr, temporary);
    if (fd < 0) {
        if (existing >= 0 && (errno == EACCES || errno == EPERM)) {
            // The folder takes no new file, but the file itself may be
            // written: write it in place, as the shell would.
            m_method = WriteMethod::InPlace;
            return true;
        }
        return Fail("cannot create", LastError());
    }
    if (existing >= 0) {
        ::close(static_cast<int>(existing));
    }
    m_handle = fd;
    m_temporary = temporary;
    m_destination = destination;
    m_method = WriteMethod::Replace;
    return true;
}

bool AtomicFile::CommitReplace() {
    // The bytes reach the disk before the rename makes them the target, so a
    // crash cannot leave an empty file where the old one stood.
    if (!SyncFile(static_cast<int>(m_handle))) {
        return Fail("cannot write", LastError());
    }
    if (!CloseHandle()) {
        return false;
    }
    struct stat now {};
    if (::lstat(m_destination.c_str(), &now) == 0 && !S_ISREG(now.st_mode)) {
        // Something else took the file's place while we wrote: leave it be.
        return Fail("cannot replace", std::string("it is no longer a regular file"));
    }
    if (::rename(m_temporary.c_str(), m_destination.c_str()) != 0) {
        const int error = errno;
        if (error == EPERM || error == EACCES) {
            // The folder keeps the file from being replaced (a sticky folder
            // of another user, a security module): write it in place instead.
            return FallBackToInPlace(error);
        }
        return Fail("cannot replace", static_cast<unsigned long>(error));
    }
    m_temporary.clear();
    m_createdThroughLink = false;
    m_method = WriteMethod::None;
    SyncDirectory(m_destination.parent_path());
    return true;
}

bool AtomicFile::FallBackToInPlace(int renameError) {
    std::string contents;
    const bool read = ReadWholeFile(m_temporary, contents);
    ::unlink(m_temporary.c_str());
    m_temporary.clear();
    const int fd = read ? ::open(m_destination.c_str(), kWriteFlags | O_NONBLOCK) : -1;
    struct stat file {};
    if (fd < 0 || ::fstat(fd, &file) != 0 || !S_ISREG(file.st_mode)) {
        if (fd >= 0) {
            ::close(fd);
        }
        return Fail("cannot replace", static_cast<unsigned long>(renameError));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_handle = fd;
    m_pending = std::move(contents);
    m_method = WriteMethod::InPlace;
    return CommitInPlace();
}

bool AtomicFile::CommitInPlace() {
    const int fd = static_cast<int>(m_handle);
    const auto size = static_cast<off_t>(m_pending.size());
    if (const int error = ReserveSpace(fd, size); error != 0) {
        Fail("cannot write", static_cast<unsigned long>(error));
        m_error += "; its old contents were kept";
        return false;
    }
    if (::lseek(fd, 0, SEEK_SET) != 0) {
        return Fail("cannot write", LastError());
    }
    if (const unsigned long error = detail::WriteAll(m_handle, m_pending); error != 0) {
        // The space was there, so this is a fault of the device itself.
        Fail("cannot write", error);
        m_error += "; it may now hold part of the new contents";
        return false;
    }
    if (::ftruncate(fd, size) != 0 || !SyncFile(fd)) {
        return Fail("cannot write", LastError());
    }
    m_pending.clear();
    m_createdThroughLink = false;
    if (!CloseHandle()) {
        return false;
    }
    m_method = WriteMethod::None;
    return true;
}

bool AtomicFile::CloseHandle() {
    if (m_handle < 0) {
        return true;
    }
    const int fd = static_cast<int>(m_handle);
    m_handle = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        return Fail("cannot write", LastError());
    }
    return true;
}

void AtomicFile::CloseAndRemove() {
    if (m_handle >= 0) {
        ::close(static_cast<int>(m_handle));
        m_handle = -1;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
    if (m_createdThroughLink) {
        // Remove the empty file that Open() created through a dangling link.
        struct stat info {};
        if (!m_destination.empty() && ::lstat(m_destination.c_str(), &info) == 0 &&
            S_ISREG(info.st_mode) && info.st_size == 0) {
            ::unlink(m_destination.c_str());
        }
        m_createdThroughLink = false;
    }
    m_pending.clear();
    m_method = WriteMethod::None;
}

} // namespace quillory
#endif
