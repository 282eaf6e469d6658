#include "PictureField.h"

#include <QtEndian>
#include <limits>

namespace hoardly {

namespace {

constexpr quint16 kCount = 1;
constexpr quint16 kType = 0x0100;

} // namespace

QByteArray framePicture(QByteArrayView bitmap) {
    if (bitmap.isEmpty() || bitmap.size() > std::numeric_limits<quint32>::max())
        return {};
    QByteArray stored(kPictureHeaderSize, Qt::Uninitialized);
    qToLittleEndian<quint16>(kCount, stored.data());
    qToLittleEndian<quint16>(kType, stored.data() + 2);
    qToLittleEndian<quint32>(quint32(bitmap.size()), stored.data() + 4);
    stored.append(bitmap);
    return stored;
}

bool hasPictureHeader(QByteArrayView stored) {
    if (stored.size() < kPictureHeaderSize)
        return false;
    const char* header = stored.data();
    return qFromLittleEndian<quint16>(header) == kCount &&
           qFromLittleEndian<quint16>(header + 2) == kType &&
           qFromLittleEndian<quint32>(header + 4) == quint64(stored.size() - kPictureHeaderSize);
}

QByteArrayView bitmapInPicture(QByteArrayView stored) {
    return hasPictureHeader(stored) ? stored.sliced(kPictureHeaderSize) : stored;
}

} // namespace hoardly
