#include "InventoryGenerator.h"

#include "data/Sqlite.h"
#include "ui/PictureCodec.h"

#include <QDate>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace hoardly::bench {

namespace {

const QStringList& things() {
    static const QStringList words{u"Clock"_s, u"Vase"_s,   u"Chair"_s,    u"Ring"_s,
                                   u"Lamp"_s,  u"Mirror"_s, u"Painting"_s, u"Camera"_s,
                                   u"Rug"_s,   u"Bowl"_s,   u"Guitar"_s,   u"Desk"_s};
    return words;
}

// A photo-like picture: a gradient sky, a few shapes, never two alike in a run of 16.
QImage photo(QSize size, int variant) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor::fromHsv(variant * 22 % 360, 90, 230));
    sky.setColorAt(1, QColor::fromHsv((variant * 22 + 120) % 360, 160, 90));
    painter.fillRect(image.rect(), sky);
    QRandomGenerator random{quint32(variant)};
    for (int i = 0; i < 12; ++i) {
        painter.setBrush(QColor::fromHsv(int(random.bounded(360)), 200, 200));
        painter.drawEllipse(
            QPoint(int(random.bounded(size.width())), int(random.bounded(size.height()))),
            int(random.bounded(10, size.width() / 4)), int(random.bounded(10, size.height() / 4)));
    }
    return image;
}

} // namespace

QString generatedObjectName(int i) {
    return things()[i % int(things().size())] + u' ' + QString::number(i);
}

void generateInventory(const QString& directory, int count, QSize pictureSize) {
    constexpr int kDistinctPictures = 16;
    QList<QByteArray> pictures;
    for (int i = 0; i < kDistinctPictures; ++i)
        pictures << pictureFieldValue(photo(pictureSize, i));
    QRandomGenerator random(20261209);
    FileDatabase database(QDir(directory).filePath(u"Value.DB"_s), false);
    database.exec(u"BEGIN"_s);
    Statement insert = database.prepare(
        u"INSERT INTO Value (Benamning, Marknr, Inkopt_Plats, Inkopt_Datum, Pris, "
        "\"Varderad till\", Beskrivning, Kommentar, Bild) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    const QDate start(1990, 1, 1);
    for (int i = 1; i <= count; ++i) {
        const int price = int(random.bounded(50, 20000));
        insert.bindAll({generatedObjectName(i), u"M-%1"_s.arg(i, 5, 10, QChar(u'0')),
                        u"Antique shop %1"_s.arg(random.bounded(40)),
                        start.addDays(random.bounded(12000)).toString(Qt::ISODate),
                        QString::number(price), price + int(random.bounded(5000)),
                        u"A described object, number %1, with its marks and wear."_s.arg(i),
                        u"Kept in room %1."_s.arg(random.bounded(9)),
                        pictures[i % kDistinctPictures]});
        insert.step();
        insert.reset();
    }
    database.exec(u"COMMIT"_s);
}

} // namespace hoardly::bench
