#include "data/Errors.h"
#include "data/PictureField.h"
#include "ui/PictureCodec.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

// A picture whose every pixel differs from its neighbours, so a wrong row or column shows.
QImage pattern(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 37 % 256, y * 53 % 256, (x + y) * 11 % 256));
    return image;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A 4 × 3 GIF of two colours: red, with a blue pixel at (1, 1).
QByteArray tinyGif() {
    static const unsigned char gif[] = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x04, 0x00, 0x03, 0x00, 0xf0, 0x00, 0x00, 0xff, 0x00,
        0x00, 0x00, 0x00, 0xff, 0x21, 0xf9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00,
        0x00, 0x00, 0x04, 0x00, 0x03, 0x00, 0x00, 0x02, 0x04, 0x84, 0x1d, 0x77, 0x05, 0x00, 0x3b};
    return QByteArray(reinterpret_cast<const char*>(gif), sizeof gif);
}

// A bitmap's height, little-endian, where its header holds it.
const QByteArray k30000Rows("\x30\x75\0\0", 4);

const QString kAdvice = u"Choose a picture that opens in other programs, in a format such as BMP, "
                        u"PNG, JPEG or GIF."_s;

} // namespace

class TestPictureCodec : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }

    QString readError(const QString& path) {
        try {
            readPictureFile(path);
        } catch (const FileError& error) {
            return error.text();
        }
        return u"(no error)"_s;
    }

private slots:
    void aPictureIsStoredAtMost640By480TurnedEitherWay_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("stored");
        QTest::newRow("the limit itself") << QSize(640, 480) << QSize(640, 480);
        QTest::newRow("small") << QSize(100, 80) << QSize(100, 80);
        QTest::newRow("a phone's photo") << QSize(4000, 3000) << QSize(640, 480);
        QTest::newRow("upright") << QSize(3000, 4000) << QSize(480, 640);
        QTest::newRow("wide") << QSize(2000, 500) << QSize(640, 160);
        QTest::newRow("tall") << QSize(500, 2000) << QSize(160, 640);
        QTest::newRow("square") << QSize(1000, 1000) << QSize(480, 480);
        QTest::newRow("a line") << QSize(10000, 1) << QSize(640, 1);
        QTest::newRow("one too wide") << QSize(641, 480) << QSize(640, 479);
    }
    void aPictureIsStoredAtMost640By480TurnedEitherWay() {
        QFETCH(QSize, size);
        QFETCH(QSize, stored);
        QCOMPARE(storedPictureSize(size), stored);
    }

    void aPngIsStoredAsABitmapBehindTheHeader() {
        const QImage png = QImage::fromData(encoded(pattern(40, 30), "PNG"), "PNG");
        const QByteArray stored = pictureFieldValue(png);
        QVERIFY(hasPictureHeader(stored));
        QVERIFY(bitmapInPicture(stored).startsWith("BM"));
        const QImage back = pictureFromField(stored);
        QCOMPARE(back.size(), QSize(40, 30));
        QCOMPARE(back.convertToFormat(QImage::Format_RGB32), pattern(40, 30));
    }

    void aLargePhotoIsScaledDownKeepingItsAspect() {
        const QByteArray stored = pictureFieldValue(pattern(1600, 1200));
        QCOMPARE(pictureFromField(stored).size(), QSize(640, 480));
        QVERIFY(stored.size() < 1024 * 1024);
        QCOMPARE(pictureFromField(pictureFieldValue(pattern(900, 1800))).size(), QSize(320, 640));
    }

    void transparencyTurnsWhite() {
        QImage clear(4, 4, QImage::Format_ARGB32);
        clear.fill(Qt::transparent);
        clear.setPixel(1, 1, qRgba(255, 0, 0, 255));
        const QImage back = pictureFromField(pictureFieldValue(clear));
        QCOMPARE(back.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(back.pixel(1, 1), qRgb(255, 0, 0));
    }

    void noPictureStoresNothing() {
        QVERIFY(pictureFieldValue(QImage()).isEmpty());
        QVERIFY(pictureFromField(QByteArray()).isNull());
    }

    void aBitmapStoredWithoutTheHeaderIsRead() {
        const QImage back = pictureFromField(encoded(pattern(5, 4), "BMP"));
        QCOMPARE(back.convertToFormat(QImage::Format_RGB32), pattern(5, 4));
    }

    // A field that holds anything but a whole bitmap shows no picture.
    void aStoredGarbagePictureIsNoPicture_data() {
        QTest::addColumn<QByteArray>("stored");
        const QByteArray whole = pictureFieldValue(pattern(20, 10));
        QTest::newRow("garbage") << QByteArray(5000, 'x');
        QTest::newRow("a header and garbage") << framePicture(QByteArray(100, '\xAB'));
        QTest::newRow("cut short") << whole.chopped(1);
        QTest::newRow("the header lies") << whole.left(8) + whole.mid(8) + "more";
        QTest::newRow("a bitmap's height lies")
            << framePicture(bitmapInPicture(whole).toByteArray().replace(22, 4, k30000Rows));
        QTest::newRow("a PNG, not a bitmap") << framePicture(encoded(pattern(4, 4), "PNG"));
        QTest::newRow("a GIF, not a bitmap") << tinyGif();
        QTest::newRow("a header alone") << whole.left(8);
    }
    void aStoredGarbagePictureIsNoPicture() {
        QFETCH(QByteArray, stored);
        QVERIFY(pictureFromField(stored).isNull());
    }

    void everyFormatQtReadsIsReadByItsContent() {
        const QImage picture = pattern(32, 24);
        for (const char* format : {"BMP", "PNG", "PPM"}) {
            const QImage read = readPictureFile(write(
                u"picture."_s + QString::fromLatin1(format).toLower(), encoded(picture, format)));
            QCOMPARE(read.convertToFormat(QImage::Format_RGB32), picture);
        }
        const QImage jpeg = readPictureFile(write(u"photo.jpg"_s, encoded(picture, "JPEG")));
        QCOMPARE(jpeg.size(), QSize(32, 24));
        const QImage misnamed =
            readPictureFile(write(u"really-a-png.bmp"_s, encoded(picture, "PNG")));
        QCOMPARE(misnamed.convertToFormat(QImage::Format_RGB32), picture);
    }

    void aGifIsRead() {
        const QByteArray bytes = tinyGif();
        const QImage read = readPictureFile(write(u"tiny.gif"_s, bytes));
        QCOMPARE(read.size(), QSize(4, 3));
        QCOMPARE(QColor(read.pixel(1, 1)), QColor(Qt::blue));
        QCOMPARE(QColor(read.pixel(0, 0)), QColor(Qt::red));
        QCOMPARE(readError(write(u"cut.gif"_s, bytes.chopped(1))),
                 u"The picture file %1 cannot be used: it is cut short or damaged. "_s.arg(
                     dir.filePath(u"cut.gif"_s)) +
                     kAdvice);
    }

    void aLargePhotoIsDecodedAtTheStoredSize() {
        const QImage photo =
            readPictureFile(write(u"big.jpg"_s, encoded(pattern(2000, 1500), "JPEG")));
        QCOMPARE(photo.size(), QSize(640, 480));
    }

    void aFileThatCannotBeUsedIsExplained_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("why");
        const QByteArray png = encoded(pattern(64, 48), "PNG");
        const QByteArray jpeg = encoded(pattern(64, 48), "JPEG");
        const QByteArray bmp = encoded(pattern(64, 48), "BMP");
        QByteArray tallBmp = bmp;
        tallBmp.replace(22, 4, k30000Rows);
        QTest::newRow("garbage") << u"notes.bmp"_s << QByteArray(3000, 'x')
                                 << u"it is not a picture format Hoardly reads"_s;
        QTest::newRow("empty") << u"empty.png"_s << QByteArray()
                               << u"it is not a picture format Hoardly reads"_s;
        QTest::newRow("a PNG cut short")
            << u"cut.png"_s << png.left(png.size() / 2) << u"its picture data is damaged"_s;
        QTest::newRow("a JPEG cut short")
            << u"cut.jpg"_s << jpeg.left(jpeg.size() / 2) << u"it is cut short or damaged"_s;
        QTest::newRow("a bitmap cut short")
            << u"cut.bmp"_s << bmp.left(100) << u"it is cut short or damaged"_s;
        QTest::newRow("a bitmap lying about its size")
            << u"tall.bmp"_s << tallBmp << u"it is cut short or damaged"_s;
    }
    void aFileThatCannotBeUsedIsExplained() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, why);
        QCOMPARE(readError(write(name, bytes)),
                 u"The picture file %1 cannot be used: %2. "_s.arg(dir.filePath(name), why) +
                     kAdvice);
    }

    void aMissingFileIsExplained() {
        const QString path = dir.filePath(u"gone.bmp"_s);
        QCOMPARE(readError(path), u"The picture file %1 cannot be used: No such file or "
                                  u"directory. "_s.arg(path) +
                                      kAdvice);
    }

    void theDialogOffersBitmapsFirstThenEveryFormatQtReads() {
        const QString filter = pictureFileFilter();
        QVERIFY2(filter.startsWith(u"Bitmaps (*.bmp);;Pictures ("_s), qPrintable(filter));
        for (const QString& pattern : {u"*.bmp"_s, u"*.png"_s, u"*.jpg"_s, u"*.jpeg"_s, u"*.gif"_s})
            QVERIFY2(filter.section(u";;"_s, 1).contains(pattern), qPrintable(filter));
    }
};

QTEST_MAIN(TestPictureCodec)
#include "test_picture_codec.moc"
