#include "PictureChecks.h"

#include <QtEndian>

namespace hoardly {

namespace {

// Reads past the end answer 0, so a walk over short data ends without reading out of bounds.
class Bytes {
public:
    explicit Bytes(QByteArrayView data) : data_(data) {}
    qsizetype size() const { return data_.size(); }
    bool has(qsizetype at, qsizetype count) const { return at >= 0 && count <= size() - at; }
    quint8 u8(qsizetype at) const { return has(at, 1) ? quint8(data_[at]) : 0; }
    quint16 le16(qsizetype at) const {
        return has(at, 2) ? qFromLittleEndian<quint16>(data_.data() + at) : 0;
    }
    quint32 le32(qsizetype at) const {
        return has(at, 4) ? qFromLittleEndian<quint32>(data_.data() + at) : 0;
    }
    quint16 be16(qsizetype at) const {
        return has(at, 2) ? qFromBigEndian<quint16>(data_.data() + at) : 0;
    }
    bool startsWith(QByteArrayView prefix) const { return data_.startsWith(prefix); }

private:
    QByteArrayView data_;
};

// A bitmap is whole when its uncompressed pixel rows, where the file header says they start,
// fit in the data. Compressed bitmaps end where their codes say; their start must be inside.
bool isTruncatedBitmap(const Bytes& bmp) {
    constexpr qsizetype kFileHeader = 14;
    const quint32 infoSize = bmp.le32(kFileHeader);
    if (!bmp.has(0, kFileHeader + 4) || !bmp.has(kFileHeader, infoSize))
        return true;
    const qint64 offset = bmp.le32(10);
    qint64 width = 0;
    qint64 height = 0;
    quint16 bitsPerPixel = 0;
    quint32 compression = 0;
    if (infoSize == 12) { // the old OS/2 header
        width = bmp.le16(18);
        height = bmp.le16(20);
        bitsPerPixel = bmp.le16(24);
    } else if (infoSize >= 40) {
        width = qint32(bmp.le32(18));
        height = qint32(bmp.le32(22));
        bitsPerPixel = bmp.le16(28);
        compression = bmp.le32(30);
    } else {
        return true;
    }
    constexpr quint32 kRgb = 0;
    constexpr quint32 kBitFields = 3;
    constexpr quint32 kAlphaBitFields = 6;
    if (compression != kRgb && compression != kBitFields && compression != kAlphaBitFields)
        return offset >= bmp.size();
    if (width <= 0 || height == 0 || bitsPerPixel == 0 || bitsPerPixel > 32)
        return true;
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    const qint64 rows = height < 0 ? -height : height;
    // Both factors are below 2^32, so the product fits; compared by division all the same.
    const qint64 room = bmp.size() - offset;
    return offset < 0 || room < 0 || rows > room / rowBytes;
}

// Walks the JPEG's marker segments and entropy-coded scans (one or, when progressive, many)
// looking for the end-of-image marker; bytes after it (a phone's appended video) are ignored.
bool isTruncatedJpeg(const Bytes& jpeg) {
    constexpr quint8 kMarker = 0xFF;
    constexpr quint8 kEndOfImage = 0xD9;
    constexpr quint8 kStartOfScan = 0xDA;
    const auto standsAlone = [](quint8 code) {
        return code == 0x01 || (code >= 0xD0 && code <= 0xD8);
    };
    qsizetype at = 2;
    while (jpeg.has(at, 2)) {
        if (jpeg.u8(at) != kMarker) { // stray bytes before a marker, which readers skip
            ++at;
            continue;
        }
        const quint8 code = jpeg.u8(at + 1);
        if (code == kMarker) { // fill byte
            ++at;
            continue;
        }
        at += 2;
        if (code == kEndOfImage)
            return false;
        if (standsAlone(code))
            continue;
        const quint16 length = jpeg.be16(at);
        if (length < 2 || !jpeg.has(at, length))
            return true;
        at += length;
        if (code != kStartOfScan)
            continue;
        // Entropy-coded data runs to the next marker that is neither a stuffed 0xFF nor a
        // restart marker.
        while (jpeg.has(at, 2)) {
            const quint8 next = jpeg.u8(at + 1);
            if (jpeg.u8(at) == kMarker && next != 0 && next != kMarker &&
                !(next >= 0xD0 && next <= 0xD7))
                break;
            ++at;
        }
    }
    return true;
}

// Walks a GIF's blocks to its trailer: extensions and images are runs of sub-blocks, each a
// length byte and that many bytes, ended by a zero length.
bool isTruncatedGif(const Bytes& gif) {
    const auto colourTable = [](quint8 flags) -> qsizetype {
        return (flags & 0x80) ? 3 * (qsizetype(2) << (flags & 0x07)) : 0;
    };
    const auto skipSubBlocks = [&gif](qsizetype at) -> qsizetype {
        while (gif.has(at, 1)) {
            const quint8 length = gif.u8(at);
            at += 1 + length;
            if (length == 0)
                return at;
        }
        return -1;
    };
    qsizetype at = 13 + colourTable(gif.u8(10));
    while (gif.has(at, 1)) {
        switch (gif.u8(at)) {
        case 0x3B: // trailer
            return false;
        case 0x21: // extension: label, then sub-blocks
            at = skipSubBlocks(at + 2);
            break;
        case 0x2C: // image: descriptor, local colours, code size, then sub-blocks
            if (!gif.has(at, 10))
                return true;
            at = skipSubBlocks(at + 10 + colourTable(gif.u8(at + 9)) + 1);
            break;
        default:
            return true;
        }
        if (at < 0)
            return true;
    }
    return true;
}

} // namespace

bool isTruncatedPicture(QByteArrayView data) {
    const Bytes bytes(data);
    if (bytes.startsWith("BM"))
        return isTruncatedBitmap(bytes);
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return isTruncatedJpeg(bytes);
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return isTruncatedGif(bytes);
    return false;
}

} // namespace hoardly
