#include "Pictures.h"

#include <QtEndian>

namespace hoardly {

namespace {

constexpr int kHeaderSize = 8;
constexpr quint16 kCount = 1;
constexpr quint16 kType = 0x0100;

} // namespace

QByteArray pictureBitmap(const QByteArray& stored) {
    if (stored.size() < kHeaderSize)
        return stored;
    const auto* bytes = reinterpret_cast<const uchar*>(stored.constData());
    const bool header =
        qFromLittleEndian<quint16>(bytes) == kCount &&
        qFromLittleEndian<quint16>(bytes + 2) == kType &&
        qFromLittleEndian<quint32>(bytes + 4) == quint32(stored.size() - kHeaderSize);
    return header ? stored.mid(kHeaderSize) : stored;
}

QByteArray storedPicture(const QByteArray& bitmap) {
    if (bitmap.isEmpty())
        return {};
    QByteArray stored(kHeaderSize, '\0');
    auto* bytes = reinterpret_cast<uchar*>(stored.data());
    qToLittleEndian<quint16>(kCount, bytes);
    qToLittleEndian<quint16>(kType, bytes + 2);
    qToLittleEndian<quint32>(quint32(bitmap.size()), bytes + 4);
    return stored + bitmap;
}

} // namespace hoardly
