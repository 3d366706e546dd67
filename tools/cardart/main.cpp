// quillory-cardart: draws the card strip and the program icon into a folder.
#include "tools/cardart/CardArt.h"
#include "tools/cardart/IconFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <cstdio>

namespace {

bool Save(const QImage& image, const QString& path) {
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "quillory-cardart: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool SaveBytes(const QByteArray& bytes, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "quillory-cardart: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The scalable icon: the same painting as the pictures of 32 pixels and up,
// recorded as a vector drawing on a 256-unit square.
QByteArray ScalableIcon() {
    constexpr int kSize = 256;
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(kSize, kSize));
    svg.setViewBox(QRect(0, 0, kSize, kSize));
    svg.setTitle(QStringLiteral("Quillory"));
    svg.setDescription(QStringLiteral("Two playing cards on green felt"));
    QPainter painter(&svg);
    quillory::cardart::PaintProgramIcon(painter, kSize);
    painter.end();
    // The generator gives the size in millimetres; icon themes expect pixels.
    QString text = QString::fromUtf8(buffer.data());
    text.replace(QRegularExpression(QStringLiteral("width=\"[0-9.]+mm\" height=\"[0-9.]+mm\"")),
                 QStringLiteral("width=\"%1\" height=\"%1\"").arg(kSize));
    return text.toUtf8();
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
    for (const int size : kIconSizes) {
        ok = ok && Save(DrawProgramIcon(size), folder.filePath(QString("icon-%1.png").arg(size)));
    }
    std::vector<QImage> windowsIcons;
    for (const int size : kWindowsIconSizes) {
        windowsIcons.push_back(DrawProgramIcon(size));
    }
    ok = ok && SaveBytes(EncodeIconFile(windowsIcons), folder.filePath("quillory.ico")) &&
         SaveBytes(ScalableIcon(), folder.filePath("quillory.svg"));
    if (!ok) {
        std::fprintf(stderr, "quillory-cardart: writing failed\n");
        return 1;
    }
    return 0;
}
