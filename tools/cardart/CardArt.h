#pragma once

#include <QImage>

namespace quillory::cardart {

// Card pictures are 40 x 60 pixels at scale 1.
inline constexpr int kCardWidth = 40;
inline constexpr int kCardHeight = 60;
inline constexpr int kCards = 52;

// The strip of 52 faces side by side, spades ace to king, then hearts, clubs
// and diamonds, on pure black, which the program treats as transparent. No
// pixel of a face is pure black. Scale 2 draws the same strip at double size.
QImage DrawCardStrip(int scale);

// The program icon, square, with transparency.
QImage DrawProgramIcon(int size);

} // namespace quillory::cardart
