#include "PictureCodec.h"

#include "data/Errors.h"
#include "data/PictureChecks.h"
#include "data/PictureField.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

// Larger files are refused before they are read into memory; no photo comes near it.
constexpr qint64 kLargestPictureFile = 256 * 1024 * 1024;

QImage flattenedOnWhite(const QImage& picture) {
    if (!picture.hasAlphaChannel())
        return picture;
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    return flat;
}

const QString kChooseAnother = u"Choose a picture that opens in other programs, in a format "
                               u"such as BMP, PNG, JPEG or GIF."_s;

FileError unreadable(const QString& path, const QString& why,
                     const QString& advice = kChooseAnother) {
    return FileError(u"The picture file %1 cannot be used: %2. %3"_s.arg(
        QDir::toNativeSeparators(path), why, advice));
}

} // namespace

QSize storedPictureSize(const QSize& size) {
    if (size.isEmpty())
        return size;
    const QSize limit = size.width() >= size.height()
                            ? QSize(kStoredPictureLongSide, kStoredPictureShortSide)
                            : QSize(kStoredPictureShortSide, kStoredPictureLongSide);
    if (size.width() <= limit.width() && size.height() <= limit.height())
        return size;
    return size.scaled(limit, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QByteArray pictureFieldValue(const QImage& picture) {
    if (picture.isNull())
        return {};
    QImage stored = flattenedOnWhite(picture);
    const QSize size = storedPictureSize(stored.size());
    if (size != stored.size())
        stored = stored.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QByteArray bitmap;
    QBuffer buffer(&bitmap);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "BMP");
    if (!writer.write(stored))
        return {};
    return framePicture(bitmap);
}

QImage pictureFromField(QByteArrayView stored) {
    const QByteArrayView bitmap = bitmapInPicture(stored);
    if (bitmap.isEmpty() || isTruncatedPicture(bitmap))
        return {};
    // Only the bitmap reader: a field's data is never guessed to be some other format.
    QByteArray bytes = bitmap.toByteArray();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage readPictureFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw unreadable(path, file.errorString());
    if (file.size() > kLargestPictureFile)
        throw unreadable(path, u"it is larger than 256 MB"_s);
    QByteArray data = file.readAll();
    if (isTruncatedPicture(data))
        throw unreadable(path, u"it is cut short or damaged"_s);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && storedPictureSize(size) != size)
        reader.setScaledSize(storedPictureSize(size));
    const QImage picture = reader.read();
    if (!picture.isNull())
        return picture;
    if (reader.error() == QImageReader::UnsupportedFormatError)
        throw unreadable(path, u"it is not a picture format Hoardly reads"_s);
    if (size.isValid() && qint64(size.width()) * size.height() * 4 >
                              qint64(QImageReader::allocationLimit()) * 1024 * 1024)
        throw unreadable(
            path,
            u"at %1 × %2 pixels it is too large to read"_s.arg(size.width()).arg(size.height()),
            u"Make it smaller in a picture program first."_s);
    throw unreadable(path, u"its picture data is damaged"_s);
}

QString pictureFileFilter() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << u"*."_s + QString::fromLatin1(format);
    return u"Bitmaps (*.bmp);;Pictures ("_s + patterns.join(u' ') + u')';
}

} // namespace hoardly
