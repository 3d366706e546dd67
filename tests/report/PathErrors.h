#pragma once

#include "files/AtomicFileDetail.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

namespace quillory::test {

// The ways a path can fail to take a file, and the system's own text for
// each, as the report writer quotes it.
enum class PathError { MissingFolder, FileAsFolder, IsAFolder };

inline std::string PathErrorText(PathError error) {
#ifdef _WIN32
    const unsigned long codes[] = {ERROR_PATH_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_DIRECTORY};
#else
    const unsigned long codes[] = {ENOENT, ENOTDIR, EISDIR};
#endif
    return detail::ErrorMessage(codes[static_cast<int>(error)]);
}

} // namespace quillory::test
