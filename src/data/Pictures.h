#pragma once

#include <QByteArray>

namespace hoardly {

// A picture field holds one bitmap in the Windows BMP format behind an 8-byte header: a 16-bit
// count (1), a 16-bit type (0x0100) and a 32-bit size of the bitmap bytes, little-endian.

// The bitmap a picture field holds: what follows the header, or the whole value when its first
// 8 bytes are not exactly such a header.
QByteArray pictureBitmap(const QByteArray& stored);
// The value a picture field stores for a bitmap; empty for no picture.
QByteArray storedPicture(const QByteArray& bitmap);

} // namespace hoardly
