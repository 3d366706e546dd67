#include "ui/CardImages.h"

#include "engine/CardNames.h"

#include <QBitmap>
#include <QPixmapCache>

namespace quillory {
namespace {

// The strip with its pure black pixels transparent.
QPixmap MaskBlack(const QImage& strip) {
    QPixmap masked = QPixmap::fromImage(strip);
    masked.setMask(QBitmap::fromImage(strip.createMaskFromColor(qRgb(0, 0, 0))));
    return masked;
}

} // namespace

int CardImages::Add(const QImage& strip, const QImage& doubleDensity) {
    const QSize size = kPictureSize;
    const int count = strip.height() >= size.height() ? strip.width() / size.width() : 0;
    const bool hasDouble =
        doubleDensity.width() >= 2 * strip.width() && doubleDensity.height() >= 2 * size.height();
    const QPixmap normal = MaskBlack(strip);
    const QPixmap twice = hasDouble ? MaskBlack(doubleDensity) : QPixmap();
    for (int i = 0; i < count; ++i) {
        const QRect cut(QPoint(i * size.width(), 0), size);
        QPixmap doubled = twice.copy(QRect(cut.topLeft() * 2, size * 2)); // null without a strip
        doubled.setDevicePixelRatio(2.0);
        m_pictures.push_back({normal.copy(cut), doubled});
    }
    return count;
}

// QIcon with both densities does not do this: Qt 6.4 takes the nearer density
// and never enlarges it, so at 1.25, 1.5 or 3 its picture is stretched again
// when painted.
QPixmap CardImages::Picture(int index, qreal ratio) const {
    if (index < 0 || index >= Count()) {
        return {};
    }
    const auto& [normal, doubled] = m_pictures[static_cast<std::size_t>(index)];
    if (ratio <= 1.0) {
        return normal;
    }
    const QPixmap& source = doubled.isNull() ? normal : doubled;
    if (qFuzzyCompare(source.devicePixelRatio(), ratio)) {
        return source;
    }
    const QString key = QStringLiteral("quillory card %1 %2").arg(source.cacheKey()).arg(ratio);
    QPixmap scaled;
    if (!QPixmapCache::find(key, &scaled)) {
        scaled =
            source.scaled(kPictureSize * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(ratio);
        QPixmapCache::insert(key, scaled);
    }
    return scaled;
}

CardStrip LoadCardStrip() {
    return CardStrip{QImage(QStringLiteral(":/quillory/cards.png")),
                     QImage(QStringLiteral(":/quillory/cards@2x.png"))};
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/quillory/icon-%1.png").arg(size));
    }
    return icon;
}

QString CardPictureName(int index) {
    return QString::fromStdString(CardPictureWords(index));
}

} // namespace quillory
