#include "ui/SaveFile.h"

#include "ui/ModalSeam.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QSaveFile>
#include <QWidget>

namespace quillory {

bool SaveBytes(QWidget* owner, const QString& path, const QByteArray& bytes, bool text) {
    QSaveFile file(path);
    const QIODevice::OpenMode mode =
        text ? QIODevice::WriteOnly | QIODevice::Text : QIODevice::WriteOnly;
    if (!file.open(mode) || file.write(bytes) != bytes.size() || !file.commit()) {
        ShowMessageBox(owner,
                       QStringLiteral("\"%1\" could not be saved.\n\n%2")
                           .arg(QDir::toNativeSeparators(path), file.errorString()),
                       MessageIcon::Warning);
        return false;
    }
    return true;
}

bool SavePictureAs(QWidget* owner, const QString& suggestedName, QWidget& picture,
                   const std::function<std::string()>& svg) {
    QString path = ChooseSaveFile(
        owner, SaveFileRequest{QStringLiteral("Save Picture (PNG, or SVG when named .svg)"),
                               suggestedName});
    if (path.isEmpty()) {
        return false;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg")) {
        return SaveBytes(owner, path, QByteArray::fromStdString(svg()), false);
    }
    if (suffix.isEmpty()) {
        path += QStringLiteral(".png");
    }
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    picture.grab().save(&png, "PNG");
    return SaveBytes(owner, path, png.data(), false);
}

} // namespace quillory
