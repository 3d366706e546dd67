#pragma once

#include <QImage>

class QPainter;

namespace quillory::cardart {

// Card pictures are 40 x 60 pixels at scale 1.
inline constexpr int kCardWidth = 40;
inline constexpr int kCardHeight = 60;
inline constexpr int kCards = 52;

// The strip of 52 faces side by side, spades ace to king, then hearts, clubs
// and diamonds, on pure black, which the program treats as transparent. No
// pixel of a face is pure black. Scale 2 draws the same strip at double size.
QImage DrawCardStrip(int scale);

// The program icon, square, with transparency. At 16 pixels and below it is
// one large card, above that two cards fanned on the felt.
QImage DrawProgramIcon(int size);

// Paints the icon of `size` pixels onto any paint device from its top left:
// an image, or a vector drawing for the scalable icon.
void PaintProgramIcon(QPainter& painter, int size);

// The sizes of the program icon that are drawn as pictures: the desktop's
// icon theme sizes, and the sizes of the Windows icon file (16, 24, 32, 48
// and 256).
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
inline constexpr int kWindowsIconSizes[] = {256, 48, 32, 24, 16};

} // namespace quillory::cardart
