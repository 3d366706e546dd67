#include "ui/CardImages.h"

#include "engine/CardNames.h"

namespace quillory {

QImage MaskBlack(const QImage& image) {
    QImage masked = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == 0) {
                line[x] = 0;
            }
        }
    }
    return masked;
}

int CardImages::Add(const QImage& strip, const QImage& doubleDensity) {
    const int width = kPictureSize.width();
    const int height = kPictureSize.height();
    if (strip.isNull() || strip.height() < height) {
        return 0;
    }
    const bool hasDouble = !doubleDensity.isNull() && doubleDensity.width() >= 2 * strip.width() &&
                           doubleDensity.height() >= 2 * height;
    const QImage normal = MaskBlack(strip);
    const QImage twice = hasDouble ? MaskBlack(doubleDensity) : QImage();
    const int count = strip.width() / width;
    for (int i = 0; i < count; ++i) {
        QPixmap doubled;
        if (hasDouble) {
            doubled = QPixmap::fromImage(twice.copy(2 * i * width, 0, 2 * width, 2 * height));
            doubled.setDevicePixelRatio(2.0);
        }
        m_pictures.push_back(QPixmap::fromImage(normal.copy(i * width, 0, width, height)));
        m_doubles.push_back(doubled);
    }
    m_scaled.clear();
    return count;
}

void CardImages::Clear() {
    m_pictures.clear();
    m_doubles.clear();
    m_scaled.clear();
}

QPixmap CardImages::PictureFor(int index, qreal ratio) const {
    if (index < 0 || index >= Count()) {
        return {};
    }
    const auto at = static_cast<std::size_t>(index);
    if (ratio <= 1.0) {
        return m_pictures[at];
    }
    const QPixmap& source = m_doubles[at].isNull() ? m_pictures[at] : m_doubles[at];
    if (qFuzzyCompare(ratio, 2.0) && !m_doubles[at].isNull()) {
        return source;
    }
    if (!qFuzzyCompare(ratio, m_scaledRatio)) {
        m_scaled.assign(m_pictures.size(), QPixmap());
        m_scaledRatio = ratio;
    }
    QPixmap& scaled = m_scaled[at];
    if (scaled.isNull()) {
        const QSize size(qRound(kPictureSize.width() * ratio),
                         qRound(kPictureSize.height() * ratio));
        // Premultiplied, so the transparent corners do not darken the edges.
        const QImage image = source.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        scaled =
            QPixmap::fromImage(image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        scaled.setDevicePixelRatio(ratio);
    }
    return scaled;
}

QPixmap CardImages::Picture(int index) const {
    if (index < 0 || index >= Count()) {
        return {};
    }
    return m_pictures[static_cast<std::size_t>(index)];
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
