#include "tools/cardart/IconFile.h"

#include <QBuffer>
#include <QDataStream>

namespace quillory::cardart {
namespace {

QByteArray EncodeBitmap(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    const int maskStride = ((width + 31) / 32) * 4;

    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    // BITMAPINFOHEADER; the height counts the colour rows and the mask rows.
    out << quint32(40) << qint32(width) << qint32(2 * height) << quint16(1) << quint16(32)
        << quint32(0) << quint32(0) << qint32(0) << qint32(0) << quint32(0) << quint32(0);
    for (int y = height - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            out << quint8(qBlue(line[x])) << quint8(qGreen(line[x])) << quint8(qRed(line[x]))
                << quint8(qAlpha(line[x]));
        }
    }
    for (int y = height - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < width; ++x) {
            if (qAlpha(line[x]) == 0) {
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out.writeRawData(row.constData(), row.size());
    }
    return data;
}

} // namespace

QByteArray EncodeIconFile(const std::vector<QImage>& images) {
    std::vector<QByteArray> bitmaps;
    bitmaps.reserve(images.size());
    for (const QImage& image : images) {
        // The large picture is stored as PNG, as Windows has read it since
        // Vista: as a bitmap it alone would take over 260 kB.
        if (image.width() >= 256) {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            bitmaps.push_back(png);
        } else {
            bitmaps.push_back(EncodeBitmap(image));
        }
    }
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int width = images[i].width();
        const int height = images[i].height();
        out << quint8(width >= 256 ? 0 : width) << quint8(height >= 256 ? 0 : height) << quint8(0)
            << quint8(0) << quint16(1) << quint16(32) << quint32(bitmaps[i].size()) << offset;
        offset += static_cast<quint32>(bitmaps[i].size());
    }
    for (const QByteArray& bitmap : bitmaps) {
        out.writeRawData(bitmap.constData(), bitmap.size());
    }
    return file;
}

} // namespace quillory::cardart
