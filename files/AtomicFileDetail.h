#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// What the report writer needs of the operating system, implemented once for
// POSIX systems (AtomicFilePosix.cpp) and once for Windows
// (AtomicFileWindows.cpp). Handles are file descriptors or HANDLEs, -1 when
// there is none; errors are errno values or GetLastError() codes.
namespace quillory::detail {

// Writes every byte, resuming after partial writes and interruptions.
// Returns 0 or the system error.
unsigned long WriteAll(std::intptr_t handle, std::string_view bytes);

// The system's text for an error, e.g. "Permission denied".
std::string ErrorMessage(unsigned long error);

// The error numbers the shared code reports itself.
unsigned long BadHandleError();
unsigned long IsDirectoryError();

// A path as UTF-8 text (on POSIX systems the bytes as they are).
inline std::string Utf8Text(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The temporary file's name for a target called `name` (no directory), with
// `salt` as its random part. Long names are shortened so that the result
// still fits a file system's 255-byte limit.
std::string TemporaryFileName(std::string_view name, std::uint32_t salt);

} // namespace quillory::detail
