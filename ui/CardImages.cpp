#include "ui/CardImages.h"

#include <array>

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
        QPixmap picture = QPixmap::fromImage(normal.copy(i * width, 0, width, height));
        QIcon icon(picture);
        if (hasDouble) {
            icon.addPixmap(QPixmap::fromImage(twice.copy(2 * i * width, 0, 2 * width, 2 * height)));
        }
        m_pictures.push_back(picture);
        m_icons.push_back(icon);
    }
    return count;
}

void CardImages::Clear() {
    m_icons.clear();
    m_pictures.clear();
}

QIcon CardImages::Icon(int index) const {
    if (index < 0 || index >= Count()) {
        return {};
    }
    return m_icons[static_cast<std::size_t>(index)];
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
    for (const char* name : {"icon-16.png", "icon-32.png", "icon-64.png"}) {
        icon.addFile(QStringLiteral(":/quillory/") + QLatin1String(name));
    }
    return icon;
}

QString CardPictureName(int index) {
    static constexpr std::array<const char*, 13> kRanks{
        "ace", "2", "3", "4", "5", "6", "7", "8", "9", "10", "jack", "queen", "king"};
    static constexpr std::array<const char*, 4> kSuits{"spades", "hearts", "clubs", "diamonds"};
    if (index < 0 || index >= 52) {
        return {};
    }
    return QStringLiteral("%1 of %2")
        .arg(QLatin1String(kRanks[static_cast<std::size_t>(index % 13)]),
             QLatin1String(kSuits[static_cast<std::size_t>(index / 13)]));
}

} // namespace quillory
