// The parts of the report writer that are the same on every system; the
// system calls are in AtomicFilePosix.cpp and AtomicFileWindows.cpp.
#include "files/AtomicFile.h"

#include "files/AtomicFileDetail.h"

namespace quillory {

namespace {

constexpr std::string_view kTemporaryMarker = ".quillory-";
constexpr std::string_view kTemporaryEnd = ".tmp";
constexpr std::size_t kSaltDigits = 8;
// Leaves room for the dot, the marker, the digits and the ending within the
// 255 bytes that most file systems allow for one name.
constexpr std::size_t kLongestBaseName = 200;

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

} // namespace

namespace detail {

std::string TemporaryFileName(std::string_view name, std::uint32_t salt) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string result = ".";
    result += name.substr(0, kLongestBaseName);
    result += kTemporaryMarker;
    for (std::size_t i = 0; i < kSaltDigits; ++i) {
        result += kHex[(salt >> (4 * i)) & 15U];
    }
    result += kTemporaryEnd;
    return result;
}

} // namespace detail

bool IsTemporaryFileName(std::string_view name) {
    const std::size_t tail = kTemporaryMarker.size() + kSaltDigits + kTemporaryEnd.size();
    if (name.size() < 2 + tail || name.front() != '.') {
        return false;
    }
    const std::string_view end = name.substr(name.size() - tail);
    if (end.substr(0, kTemporaryMarker.size()) != kTemporaryMarker ||
        end.substr(end.size() - kTemporaryEnd.size()) != kTemporaryEnd) {
        return false;
    }
    for (const char c : end.substr(kTemporaryMarker.size(), kSaltDigits)) {
        if (!IsHexDigit(c)) {
            return false;
        }
    }
    return true;
}

AtomicFile::AtomicFile(std::filesystem::path target, FifoWithoutReader fifo)
    : m_target(std::move(target)), m_fifo(fifo) {}

AtomicFile::~AtomicFile() {
    CloseAndRemove();
}

bool AtomicFile::Fail(std::string_view action, unsigned long systemError) {
    return Fail(action, detail::ErrorMessage(systemError));
}

bool AtomicFile::Fail(std::string_view action, const std::string& reason) {
    if (!m_failed) {
        m_failed = true;
        m_reason = reason;
        m_error = std::string(action) + " \"" + detail::Utf8Text(m_target) + "\": " + reason;
    }
    CloseAndRemove();
    return false;
}

bool AtomicFile::Write(std::string_view bytes) {
    if (m_failed) {
        return false;
    }
    switch (m_method) {
    case WriteMethod::None:
        return Fail("cannot write", detail::BadHandleError());
    case WriteMethod::InPlace:
        m_pending.append(bytes);
        return true;
    case WriteMethod::Replace:
    case WriteMethod::Direct:
        break;
    }
    if (const unsigned long error = detail::WriteAll(m_handle, bytes); error != 0) {
        return Fail("cannot write", error);
    }
    return true;
}

bool AtomicFile::Commit() {
    if (m_failed) {
        return false;
    }
    switch (m_method) {
    case WriteMethod::None:
        return Fail("cannot write", detail::BadHandleError());
    case WriteMethod::Replace:
        return CommitReplace();
    case WriteMethod::InPlace:
        return CommitInPlace();
    case WriteMethod::Direct:
        break;
    }
    // A device or pipe has nothing to sync or rename; closing it reports the
    // last error a device may hold back.
    if (!CloseHandle()) {
        return false;
    }
    m_method = WriteMethod::None;
    return true;
}

void AtomicFile::Discard() {
    CloseAndRemove();
}

} // namespace quillory
