// quillory-cardart: draws the card strip and the program icon into a folder.
#include "tools/cardart/CardArt.h"
#include "tools/cardart/IconFile.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

namespace {

bool Save(const QImage& image, const QString& path) {
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "quillory-cardart: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    // Drawing needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillory-cardart <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) {
        std::fprintf(stderr, "quillory-cardart: no folder %s\n", argv[1]);
        return 1;
    }
    using namespace quillory::cardart;
    bool ok = Save(DrawCardStrip(1), folder.filePath("cards.png")) &&
              Save(DrawCardStrip(2), folder.filePath("cards@2x.png"));
    for (int size : {16, 32, 64}) {
        ok = ok && Save(DrawProgramIcon(size), folder.filePath(QString("icon-%1.png").arg(size)));
    }
    QFile ico(folder.filePath("quillory.ico"));
    ok = ok && ico.open(QIODevice::WriteOnly) &&
         ico.write(EncodeIconFile({DrawProgramIcon(32), DrawProgramIcon(16)})) > 0;
    if (!ok) {
        std::fprintf(stderr, "quillory-cardart: writing failed\n");
        return 1;
    }
    return 0;
}
