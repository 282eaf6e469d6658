#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace hoardly {

// The largest picture a picture field stores: it fits 640 × 480 pixels, turned either way.
// That is twice the frames the windows show it in, so it stays sharp on a high-density
// screen, and its bitmap stays under a megabyte, so a photo cannot grow a table by tens.
inline constexpr int kStoredPictureLongSide = 640;
inline constexpr int kStoredPictureShortSide = 480;

// The size a picture of this size is stored at: scaled down to the limit keeping its aspect,
// never up.
QSize storedPictureSize(const QSize& size);

// What a field stores for a picture: flattened onto white (a bitmap has no transparency),
// scaled to `storedPictureSize`, written as a bitmap behind the header. A null image stores
// nothing (empties the field).
QByteArray pictureFieldValue(const QImage& picture);

// The picture in a field's data; a null image when the field is empty or holds nothing a
// bitmap reader can decode in full.
QImage pictureFromField(QByteArrayView stored);

// Reads a picture file of any format Qt reads (its content, not its name, decides how),
// turned upright as a photo's orientation tag says and decoded at most at the stored size.
// A file that cannot be read, is cut short or lies about its size is a FileError that names
// the file and says what to do.
QImage readPictureFile(const QString& path);

// The picture dialog's filter: bitmaps first, then every picture format Qt reads.
QString pictureFileFilter();

} // namespace hoardly
