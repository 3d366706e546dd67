#include "report/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace quillory {

namespace {

// A name for the temporary file that no other writer is likely to pick:
// hidden, next to the target, with a random part.
fs::path TemporaryName(const fs::path& destination, std::uint32_t salt) {
    static const char* const kHex = "0123456789abcdef";
    std::string suffix;
    for (int i = 0; i < 8; ++i) {
        suffix += kHex[(salt >> (4 * i)) & 15U];
    }
    fs::path name = destination.parent_path();
    name /= "." + destination.filename().string() + "." + suffix + ".tmp";
    return name;
}

// Opens a new file for writing, failing when it already exists.
std::FILE* CreateExclusive(const fs::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wbx");
#else
    return std::fopen(path.c_str(), "wbx");
#endif
}

} // namespace

AtomicFile::AtomicFile(fs::path target) : m_target(std::move(target)) {}

AtomicFile::~AtomicFile() {
    CloseAndRemove();
}

bool AtomicFile::Fail(std::string_view action, int errorNumber) {
    return Fail(action, std::generic_category().message(errorNumber != 0 ? errorNumber : EIO));
}

bool AtomicFile::Fail(std::string_view action, const std::string& reason) {
    if (!m_failed) {
        m_failed = true;
        m_error = std::string(action) + " \"" + m_target.string() + "\": " + reason;
    }
    CloseAndRemove();
    return false;
}

void AtomicFile::CloseAndRemove() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_temporary.empty()) {
        std::error_code ignored;
        fs::remove(m_temporary, ignored);
        m_temporary.clear();
    }
}

bool AtomicFile::Open() {
    CloseAndRemove();
    m_failed = false;
    m_error.clear();
    if (m_target.empty()) {
        return Fail("cannot create", std::string("no file name given"));
    }

    std::error_code ec;
    m_destination = m_target;
    if (fs::is_symlink(fs::symlink_status(m_target, ec))) {
        const fs::path resolved = fs::weakly_canonical(m_target, ec);
        if (!ec) {
            m_destination = resolved;
        }
    }
    const fs::file_status status = fs::status(m_destination, ec);
    if (fs::is_directory(status) || !m_destination.has_filename()) {
        return Fail("cannot create", EISDIR);
    }

    std::random_device entropy;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const fs::path candidate = TemporaryName(m_destination, entropy());
        errno = 0;
        m_file = CreateExclusive(candidate);
        if (m_file != nullptr) {
            m_temporary = candidate;
            return true;
        }
        if (errno != EEXIST) {
            return Fail("cannot create", errno);
        }
    }
    return Fail("cannot create", EEXIST);
}

bool AtomicFile::Write(std::string_view bytes) {
    if (m_failed) {
        return false;
    }
    if (m_file == nullptr) {
        return Fail("cannot write", EBADF);
    }
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
        return Fail("cannot write", errno);
    }
    return true;
}

bool AtomicFile::Commit() {
    if (m_failed) {
        return false;
    }
    if (m_file == nullptr) {
        return Fail("cannot write", EBADF);
    }
    errno = 0;
    if (std::fflush(m_file) != 0 || std::ferror(m_file) != 0) {
        return Fail("cannot write", errno);
    }
#ifndef _WIN32
    // Get the bytes onto the disk before the rename makes them the target, so
    // a crash cannot leave an empty file where the old one stood.
    if (::fsync(fileno(m_file)) != 0) {
        return Fail("cannot write", errno);
    }
#endif
    errno = 0;
    const int closed = std::fclose(m_file);
    m_file = nullptr;
    if (closed != 0) {
        return Fail("cannot write", errno);
    }

    std::error_code ec;
    const fs::file_status old = fs::status(m_destination, ec);
    if (fs::exists(old)) {
        // Keep the permissions of the file being replaced (best effort).
        fs::permissions(m_temporary, old.permissions(), ec);
    }
    fs::rename(m_temporary, m_destination, ec);
    if (ec) {
        return Fail("cannot replace", ec.message());
    }
    m_temporary.clear();
    return true;
}

void AtomicFile::Discard() {
    CloseAndRemove();
}

} // namespace quillory
