#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <array>
#include <vector>

namespace quillory {

// The card pictures, cut from the card strip: picture i is the card with
// CardImageIndex i (suit * 13 + rank), so 0 is the ace of spades and 51 the
// king of diamonds. Black is the mask colour: pure black pixels of the strip
// become transparent. A strip of double density, when given, keeps the
// pictures crisp on high-density screens.
class CardImages {
public:
    static constexpr QSize kPictureSize{40, 60};

    // Cuts a strip into pictures of kPictureSize, left to right, and appends
    // them. The double-density strip, if not null, must be twice as wide and
    // high. Returns the number of pictures added (0 for a null strip).
    int Add(const QImage& strip, const QImage& doubleDensity = {});

    int Count() const { return static_cast<int>(m_pictures.size()); }

    // The picture for a screen of `ratio` device pixels per logical pixel:
    // exactly kPictureSize * ratio device pixels (rounded), with that ratio
    // set, so it is painted one to one. At ratio 1 and below it is the normal
    // picture; at 2 the double-density one as it is; between and above it is
    // scaled smoothly from the double-density one (from the normal one when
    // there is none), never pixel-doubled, and kept in QPixmapCache. Null
    // outside 0 to Count() - 1.
    QPixmap Picture(int index, qreal ratio = 1.0) const;

private:
    // Per card, the normal picture and the double-density one (null where no
    // double-density strip was given).
    std::vector<std::array<QPixmap, 2>> m_pictures;
};

// The program's card strip (resource 133) at normal and double density.
struct CardStrip {
    QImage normal;
    QImage doubleDensity;
};
CardStrip LoadCardStrip();

// The program icon (resource 128) at 16, 24, 32, 48, 64, 128 and 256 pixels.
QIcon ProgramIcon();

// CardPictureWords (engine/CardNames.h) as a QString: "ace of spades".
QString CardPictureName(int index);

} // namespace quillory
