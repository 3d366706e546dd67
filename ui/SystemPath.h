#pragma once

#include <QFile>
#include <QString>
#include <filesystem>

namespace quillory {

// A file name as the system spells it (wide on Windows, the local 8-bit
// encoding elsewhere), for the Qt-free code that opens files.
inline std::filesystem::path SystemPath(const QString& path) {
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

} // namespace quillory
