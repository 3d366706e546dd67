// The report writer on Windows: wide paths, CreateFileW and MoveFileExW.
#ifdef _WIN32
#include "files/AtomicFile.h"
#include "files/AtomicFileDetail.h"

#include <random>
#include <string>
#include <system_error>
#include <vector>
#include <windows.h>

namespace fs = std::filesystem;

namespace quillory {

namespace detail {

unsigned long WriteAll(std::intptr_t handle, std::string_view bytes) {
    const auto file = reinterpret_cast<HANDLE>(handle);
    while (!bytes.empty()) {
        const DWORD chunk =
            bytes.size() > 0x40000000U ? 0x40000000U : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
            return ::GetLastError();
        }
        if (written == 0) {
            return ERROR_WRITE_FAULT;
        }
        bytes.remove_prefix(written);
    }
    return 0;
}

std::string ErrorMessage(unsigned long error) {
    std::string text = std::system_category().message(static_cast<int>(error));
    // FormatMessage ends its texts with a full stop and a line end.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.')) {
        text.pop_back();
    }
    return text;
}

unsigned long BadHandleError() {
    return ERROR_INVALID_HANDLE;
}

unsigned long IsDirectoryError() {
    return ERROR_DIRECTORY;
}

} // namespace detail

namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000; // FILETIME counts 100 ns

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::intptr_t AsInteger(HANDLE handle) {
    return reinterpret_cast<std::intptr_t>(handle);
}

std::uint64_t Ticks(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Opens an existing file for writing; the system follows links itself.
HANDLE OpenForWriting(const fs::path& path, DWORD disposition) {
    return ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The file's final path, links resolved by the system ("\\?\C:\dir\name"),
// or empty.
fs::path ResolvedPath(HANDLE file) {
    std::vector<wchar_t> name(MAX_PATH + 1);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = ::GetFinalPathNameByHandleW(
            file, name.data(), static_cast<DWORD>(name.size()), FILE_NAME_NORMALIZED);
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            return fs::path(std::wstring(name.data(), length));
        }
        name.resize(length + 1);
    }
    return {};
}

// Removes temporary files in `directory` that a killed run left.
void RemoveStaleTemporaries(const fs::path& directory) {
    const fs::path pattern =
        (directory.empty() ? fs::path(L".") : directory) / L".*.quillory-*.tmp";
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    FILETIME nowTime{};
    ::GetSystemTimeAsFileTime(&nowTime);
    const std::uint64_t now = Ticks(nowTime);
    const std::uint64_t staleAge =
        static_cast<std::uint64_t>(std::chrono::seconds(kStaleTemporaryAge).count()) *
        kTicksPerSecond;
    do {
        const fs::path name(found.cFileName);
        const bool plainFile = (found.dwFileAttributes &
                                (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
        if (plainFile && IsTemporaryFileName(detail::Utf8Text(name)) &&
            now > Ticks(found.ftLastWriteTime) + staleAge) {
            ::DeleteFileW((directory / name).c_str());
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

// Creates a new temporary file beside `destination`. CREATE_NEW fails when
// the name exists, which the "x" mode of older C libraries does not ensure.
HANDLE CreateTemporary(const fs::path& destination, fs::path& created) {
    std::random_device entropy;
    const std::string name = detail::Utf8Text(destination.filename());
    for (int attempt = 0; attempt < 16; ++attempt) {
        const fs::path candidate =
            destination.parent_path() / PathFromUtf8(detail::TemporaryFileName(name, entropy()));
        const HANDLE file = ::CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            created = candidate;
            return file;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) {
            return INVALID_HANDLE_VALUE;
        }
    }
    ::SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

} // namespace

std::filesystem::path PathFromUtf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) {
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    }
    return fs::path(wide);
}

bool AtomicFile::Open() {
    CloseAndRemove();
    m_failed = false;
    m_error.clear();
    m_reason.clear();
    if (m_target.empty()) {
        return Fail("cannot create", std::string("no file name given"));
    }
    const DWORD attributes = ::GetFileAttributesW(m_target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return Fail("cannot write", detail::IsDirectoryError());
    }
    HANDLE file = OpenForWriting(m_target, OPEN_EXISTING);
    if (file != INVALID_HANDLE_VALUE) {
        return OpenExisting(AsInteger(file));
    }
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
        return Fail("cannot write", error);
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        // A dangling link: create the file it points to, as the shell does.
        file = OpenForWriting(m_target, OPEN_ALWAYS);
        if (file == INVALID_HANDLE_VALUE) {
            return Fail("cannot create", ::GetLastError());
        }
        m_createdThroughLink = true;
        return OpenExisting(AsInteger(file));
    }
    if (!m_target.has_filename()) {
        return Fail("cannot create", detail::IsDirectoryError());
    }
    return StartReplacing(m_target, -1);
}

bool AtomicFile::OpenExisting(std::intptr_t handle) {
    m_handle = handle;
    const HANDLE file = AsHandle(handle);
    if (::GetFileType(file) != FILE_TYPE_DISK) {
        // NUL, CON, a pipe: write straight to it.
        m_method = WriteMethod::Direct;
        return true;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(file, &information)) {
        return Fail("cannot write", ::GetLastError());
    }
    const fs::path resolved = ResolvedPath(file);
    if (m_createdThroughLink) {
        m_destination = resolved;
    }
    if (information.nNumberOfLinks > 1 || resolved.empty()) {
        m_method = WriteMethod::InPlace;
        return true;
    }
    return StartReplacing(resolved, handle);
}

bool AtomicFile::StartReplacing(const fs::path& destination, std::intptr_t existing) {
    RemoveStaleTemporaries(destination.parent_path());
    fs::path temporary;
    const HANDLE file = CreateTemporary(destination, temporary);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (existing != -1 && error == ERROR_ACCESS_DENIED) {
            // The folder takes no new file, but the file itself may be
            // written: write it in place.
            m_method = WriteMethod::InPlace;
            return true;
        }
        return Fail("cannot create", error);
    }
    if (existing != -1) {
        ::CloseHandle(AsHandle(existing));
    }
    m_handle = AsInteger(file);
    m_temporary = temporary;
    m_destination = destination;
    m_method = WriteMethod::Replace;
    return true;
}

bool AtomicFile::CommitReplace() {
    if (!::FlushFileBuffers(AsHandle(m_handle))) {
        return Fail("cannot write", ::GetLastError());
    }
    if (!CloseHandle()) {
        return false;
    }
    const DWORD attributes = ::GetFileAttributesW(m_destination.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
        return Fail("cannot replace", std::string("it is no longer a regular file"));
    }
    if (!::MoveFileExW(m_temporary.c_str(), m_destination.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return Fail("cannot replace", ::GetLastError());
    }
    m_temporary.clear();
    m_createdThroughLink = false;
    m_method = WriteMethod::None;
    return true;
}

bool AtomicFile::CommitInPlace() {
    const HANDLE file = AsHandle(m_handle);
    // The file grows to its new size first, so a full disk fails before any
    // old byte is overwritten.
    LARGE_INTEGER old{};
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(m_pending.size());
    if (::GetFileSizeEx(file, &old) && end.QuadPart > old.QuadPart &&
        (!::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) || !::SetEndOfFile(file))) {
        const unsigned long error = ::GetLastError();
        ::SetFilePointerEx(file, old, nullptr, FILE_BEGIN);
        ::SetEndOfFile(file);
        Fail("cannot write", error);
        m_error += "; its old contents were kept";
        return false;
    }
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) {
        return Fail("cannot write", ::GetLastError());
    }
    if (const unsigned long error = detail::WriteAll(m_handle, m_pending); error != 0) {
        return Fail("cannot write", error);
    }
    if (!::SetEndOfFile(file) || !::FlushFileBuffers(file)) {
        return Fail("cannot write", ::GetLastError());
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
    if (m_handle == -1) {
        return true;
    }
    const HANDLE file = AsHandle(m_handle);
    m_handle = -1;
    if (!::CloseHandle(file)) {
        return Fail("cannot write", ::GetLastError());
    }
    return true;
}

void AtomicFile::CloseAndRemove() {
    if (m_handle != -1) {
        ::CloseHandle(AsHandle(m_handle));
        m_handle = -1;
    }
    if (!m_temporary.empty()) {
        ::DeleteFileW(m_temporary.c_str());
        m_temporary.clear();
    }
    if (m_createdThroughLink) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!m_destination.empty() &&
            ::GetFileAttributesExW(m_destination.c_str(), GetFileExInfoStandard, &data) &&
            data.nFileSizeHigh == 0 && data.nFileSizeLow == 0 &&
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            ::DeleteFileW(m_destination.c_str());
        }
        m_createdThroughLink = false;
    }
    m_pending.clear();
    m_method = WriteMethod::None;
}

} // namespace quillory
#endif
