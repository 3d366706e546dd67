#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

namespace quillory::cardart {

// A Windows icon file holding the images (each at most 256 pixels square):
// those under 256 pixels as 32-bit bitmaps with an AND mask, the form every
// resource compiler and every Windows version reads, the 256-pixel one as PNG.
QByteArray EncodeIconFile(const std::vector<QImage>& images);

} // namespace quillory::cardart
