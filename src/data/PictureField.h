#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace hoardly {

// A picture field holds one bitmap behind an 8-byte header: a 16-bit count (1), a 16-bit type
// (0x0100) and the 32-bit size of the bitmap that follows, all little-endian. Fields written
// without the header hold the bitmap alone.
inline constexpr qsizetype kPictureHeaderSize = 8;

// Header and bitmap together, as the field stores them. An empty bitmap gives an empty field;
// so does one too large for the header to count (no picture we store comes near that).
QByteArray framePicture(QByteArrayView bitmap);

// Whether the data starts with exactly such a header: count 1, type 0x0100 and a size equal
// to the number of bytes after it.
bool hasPictureHeader(QByteArrayView stored);

// The bitmap inside a field's data: what follows a header that is exactly right, otherwise
// the data itself from its first byte. A view into `stored`.
QByteArrayView bitmapInPicture(QByteArrayView stored);

} // namespace hoardly
