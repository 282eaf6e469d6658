#include "data/PictureChecks.h"
#include "data/PictureField.h"

#include <QtEndian>
#include <QtTest>

using namespace hoardly;

namespace {

QByteArray header(quint16 count, quint16 type, quint32 size) {
    QByteArray bytes(8, Qt::Uninitialized);
    qToLittleEndian<quint16>(count, bytes.data());
    qToLittleEndian<quint16>(type, bytes.data() + 2);
    qToLittleEndian<quint32>(size, bytes.data() + 4);
    return bytes;
}

QByteArray le16(quint16 value) {
    QByteArray bytes(2, Qt::Uninitialized);
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray le32(quint32 value) {
    QByteArray bytes(4, Qt::Uninitialized);
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A bitmap's two headers as a writer puts them down, followed by `pixelBytes` bytes.
QByteArray bitmap(qint32 width, qint32 height, quint16 bits, quint32 compression,
                  qsizetype pixelBytes) {
    QByteArray info = le32(40) + le32(quint32(width)) + le32(quint32(height)) + le16(1) +
                      le16(bits) + le32(compression) + QByteArray(20, '\0');
    const quint32 offset = 14 + quint32(info.size());
    return "BM" + le32(offset + quint32(pixelBytes)) + le32(0) + le32(offset) + info +
           QByteArray(pixelBytes, '\x7f');
}

// A 3 × 2 bitmap of 24-bit pixels: rows of 9 bytes padded to 12.
QByteArray wholeBitmap() {
    return bitmap(3, 2, 24, 0, 24);
}

QByteArray segment(quint8 code, const QByteArray& body) {
    QByteArray bytes("\xFF");
    bytes += char(code);
    bytes += char((body.size() + 2) >> 8);
    bytes += char((body.size() + 2) & 0xFF);
    return bytes + body;
}

// SOI, a header segment, a scan whose data holds a stuffed 0xFF and a restart marker, EOI.
QByteArray wholeJpeg() {
    return QByteArray("\xFF\xD8") + segment(0xE0, "JFIF") + segment(0xDA, "scan") +
           QByteArray("\x12\xFF\x00\x34\xFF\xD0\x56", 7) + "\xFF\xD9";
}

// The smallest GIF a drawing program writes: 4 × 3 pixels, two colours, one image.
QByteArray wholeGif() {
    static const unsigned char gif[] = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x04, 0x00, 0x03, 0x00, 0xf0, 0x00, 0x00, 0xff, 0x00,
        0x00, 0x00, 0x00, 0xff, 0x21, 0xf9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00,
        0x00, 0x00, 0x04, 0x00, 0x03, 0x00, 0x00, 0x02, 0x04, 0x84, 0x1d, 0x77, 0x05, 0x00, 0x3b};
    return QByteArray(reinterpret_cast<const char*>(gif), sizeof gif);
}

} // namespace

class TestPictureField : public QObject {
    Q_OBJECT

private slots:
    void theHeaderCountsTheBitmapLittleEndian() {
        const QByteArray stored = framePicture("BMabc");
        QCOMPARE(stored, QByteArray("\x01\x00\x00\x01\x05\x00\x00\x00"
                                    "BMabc",
                                    13));
        QVERIFY(hasPictureHeader(stored));
        QCOMPARE(bitmapInPicture(stored), QByteArrayView("BMabc"));
    }

    void anEmptyBitmapStoresNothing() {
        QVERIFY(framePicture(QByteArrayView()).isEmpty());
        QVERIFY(bitmapInPicture(QByteArrayView()).isEmpty());
    }

    void aHeaderCountingNothingHoldsAnEmptyBitmap() {
        const QByteArray stored = header(1, 0x0100, 0);
        QVERIFY(hasPictureHeader(stored));
        QVERIFY(bitmapInPicture(stored).isEmpty());
    }

    // Data whose first 8 bytes are not exactly the header is a bitmap from its first byte.
    void dataWithoutAnExactHeaderIsReadFromItsFirstByte_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("a bitmap alone") << wholeBitmap();
        QTest::newRow("count 2") << header(2, 0x0100, 3) + "abc";
        QTest::newRow("count 0") << header(0, 0x0100, 3) + "abc";
        QTest::newRow("type big-endian") << header(1, 0x0001, 3) + "abc";
        QTest::newRow("size one too large") << header(1, 0x0100, 4) + "abc";
        QTest::newRow("size one too small") << header(1, 0x0100, 2) + "abc";
        QTest::newRow("size far beyond") << header(1, 0x0100, 0xFFFFFFFF) + "abc";
        QTest::newRow("shorter than a header") << QByteArray("\x01\x00\x00\x01\x00", 5);
        QTest::newRow("seven bytes") << header(1, 0x0100, 0).left(7);
    }
    void dataWithoutAnExactHeaderIsReadFromItsFirstByte() {
        QFETCH(QByteArray, stored);
        QVERIFY(!hasPictureHeader(stored));
        QCOMPARE(bitmapInPicture(stored), QByteArrayView(stored));
    }

    void aBitmapIsWholeWhenItsRowsFit() {
        QVERIFY(!isTruncatedPicture(wholeBitmap()));
        QVERIFY(!isTruncatedPicture(QByteArray(wholeBitmap() + "trailing")));
        QVERIFY(!isTruncatedPicture(bitmap(3, -2, 24, 0, 24))); // top-down rows
        QVERIFY(!isTruncatedPicture(bitmap(17, 1, 1, 0, 4)));   // 17 bits padded to 4 bytes
        QVERIFY(!isTruncatedPicture(bitmap(2, 2, 32, 3, 16)));  // bit fields
    }

    void aBitmapCutShortOrLyingIsTruncated_data() {
        QTest::addColumn<QByteArray>("bmp");
        QTest::newRow("one byte short") << wholeBitmap().chopped(1);
        QTest::newRow("headers only") << bitmap(3, 2, 24, 0, 0);
        QTest::newRow("file header only") << wholeBitmap().left(14);
        QTest::newRow("two bytes") << QByteArray("BM");
        QTest::newRow("height lies") << bitmap(3, 30000, 24, 0, 24);
        QTest::newRow("width lies") << bitmap(100000, 2, 24, 0, 24);
        QTest::newRow("largest height") << bitmap(3, qint32(0x80000000), 24, 0, 24);
        QTest::newRow("no width") << bitmap(0, 2, 24, 0, 24);
        QTest::newRow("negative width") << bitmap(-3, 2, 24, 0, 24);
        QTest::newRow("no height") << bitmap(3, 0, 24, 0, 24);
        QTest::newRow("no bits") << bitmap(3, 2, 0, 0, 24);
        QByteArray offsetLies = wholeBitmap();
        offsetLies.replace(10, 4, le32(0xFFFFFFF0));
        QTest::newRow("pixel offset past the end") << offsetLies;
        QByteArray infoLies = wholeBitmap();
        infoLies.replace(14, 4, le32(0x7FFFFFFF));
        QTest::newRow("info header past the end") << infoLies;
        QByteArray infoOdd = wholeBitmap();
        infoOdd.replace(14, 4, le32(20));
        QTest::newRow("info header of no known size") << infoOdd;
        QByteArray rle = bitmap(3, 2, 8, 1, 0);
        rle.replace(10, 4, le32(quint32(rle.size())));
        QTest::newRow("compressed rows start past the end") << rle;
    }
    void aBitmapCutShortOrLyingIsTruncated() {
        QFETCH(QByteArray, bmp);
        QVERIFY(isTruncatedPicture(bmp));
    }

    void theOldOs2BitmapHeaderIsMeasuredToo() {
        const QByteArray core = le32(12) + le16(3) + le16(2) + le16(1) + le16(24);
        const QByteArray os2 = "BM" + le32(0) + le32(0) + le32(26) + core + QByteArray(24, 'x');
        QVERIFY(!isTruncatedPicture(os2));
        QVERIFY(isTruncatedPicture(os2.chopped(1)));
    }

    void aCompressedBitmapIsLeftToItsReader() {
        QVERIFY(!isTruncatedPicture(bitmap(3, 2, 8, 1, 4)));
    }

    void aJpegIsWholeWithItsEndMarker() {
        QVERIFY(!isTruncatedPicture(wholeJpeg()));
        QVERIFY(!isTruncatedPicture(QByteArray(wholeJpeg() + "an appended video")));
        const QByteArray progressive = QByteArray("\xFF\xD8") + segment(0xDA, "one") + "\x01\x02" +
                                       segment(0xC4, "table") + segment(0xDA, "two") + "\x03" +
                                       "\xFF\xFF\xD9";
        QVERIFY(!isTruncatedPicture(progressive));
        QVERIFY(!isTruncatedPicture(QByteArray("\xFF\xD8\xFF\xD9junk\xFF\xD9")));
    }

    void aJpegCutShortIsTruncated() {
        const QByteArray jpeg = wholeJpeg();
        for (qsizetype length = 3; length < jpeg.size(); ++length)
            QVERIFY2(isTruncatedPicture(jpeg.left(length)), qPrintable(QString::number(length)));
        QVERIFY(isTruncatedPicture(QByteArray("\xFF\xD8\xFF\xE0\x00\x01", 6))); // length < 2
        QVERIFY(isTruncatedPicture(QByteArray("\xFF\xD8\xFF\xE0\xFF\xFF", 6))); // length lies
    }

    void aGifIsWholeWithItsTrailer() {
        QVERIFY(!isTruncatedPicture(wholeGif()));
        const QByteArray gif = wholeGif();
        for (qsizetype length = 6; length < gif.size(); ++length)
            QVERIFY2(isTruncatedPicture(gif.left(length)), qPrintable(QString::number(length)));
        QByteArray unknownBlock = gif;
        unknownBlock[19] = '\x55';
        QVERIFY(isTruncatedPicture(unknownBlock));
    }

    void otherDataIsLeftToThePictureReader() {
        QVERIFY(!isTruncatedPicture(QByteArrayView()));
        QVERIFY(!isTruncatedPicture("\x89PNG\r\n\x1A\n"));
        QVERIFY(!isTruncatedPicture("garbage"));
        QVERIFY(!isTruncatedPicture("B"));
    }
};

QTEST_APPLESS_MAIN(TestPictureField)
#include "test_picture_field.moc"
