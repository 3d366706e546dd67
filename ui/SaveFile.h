#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace quillory {

// Writes `bytes` to `path` whole (QSaveFile: the old file stays until the new
// one is complete). On failure says so in a message box over `owner`, naming
// the file and the reason, and returns false. `text` writes with the
// platform's line ends.
bool SaveBytes(QWidget* owner, const QString& path, const QByteArray& bytes, bool text);

// Asks for a file name (offering `suggestedName` in the documents folder) and
// saves `picture` there: as SVG from `svg` when the name ends in .svg,
// otherwise as PNG of the widget as drawn (".png" is added to a name without
// a suffix). False when the user cancels or the file cannot be written.
bool SavePictureAs(QWidget* owner, const QString& suggestedName, QWidget& picture,
                   const std::function<std::string()>& svg);

} // namespace quillory
