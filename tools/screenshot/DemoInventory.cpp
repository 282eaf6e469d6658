// The home inventory's demo objects, each with a picture drawn here, so the window's pictures
// show real content without shipping photos.
#include "DemoCatalogue.h"

#include "data/TDM.h"
#include "data/Table.h"
#include "ui/PictureCodec.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

QImage drawn(const QColor& background, const std::function<void(QPainter&)>& draw) {
    QImage image(400, 300, QImage::Format_RGB32);
    QLinearGradient wall(0, 0, 0, 300);
    wall.setColorAt(0, background.lighter(130));
    wall.setColorAt(1, background.darker(140));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(image.rect(), wall);
    painter.fillRect(QRect(0, 240, 400, 60), QColor(120, 85, 55));
    draw(painter);
    return image;
}

QImage clock() {
    return drawn(QColor(200, 190, 160), [](QPainter& p) {
        p.setPen(QPen(QColor(60, 35, 20), 3));
        p.setBrush(QColor(110, 60, 30));
        p.drawRoundedRect(QRect(150, 20, 100, 250), 12, 12);
        p.setBrush(QColor(250, 245, 225));
        p.drawEllipse(QPoint(200, 80), 38, 38);
        p.drawLine(200, 80, 200, 54);
        p.drawLine(200, 80, 220, 92);
        p.setBrush(QColor(210, 170, 60));
        p.drawEllipse(QPoint(200, 200), 16, 16);
        p.drawLine(200, 130, 200, 184);
    });
}

QImage vase() {
    return drawn(QColor(170, 190, 210), [](QPainter& p) {
        QPainterPath body;
        body.moveTo(175, 40);
        body.cubicTo(150, 120, 110, 170, 160, 250);
        body.lineTo(240, 250);
        body.cubicTo(290, 170, 250, 120, 225, 40);
        body.closeSubpath();
        QLinearGradient glass(110, 0, 290, 0);
        glass.setColorAt(0, QColor(40, 90, 160));
        glass.setColorAt(0.4, QColor(160, 210, 250));
        glass.setColorAt(1, QColor(30, 70, 130));
        p.setPen(QPen(QColor(20, 50, 90), 2));
        p.setBrush(glass);
        p.drawPath(body);
        p.setPen(QPen(QColor(250, 250, 255, 180), 4));
        p.drawLine(170, 80, 158, 200);
    });
}

QImage painting() {
    return drawn(QColor(150, 60, 60), [](QPainter& p) {
        p.setPen(QPen(QColor(200, 160, 60), 14));
        p.setBrush(QColor(120, 170, 220));
        p.drawRect(QRect(70, 40, 260, 180));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 130, 60));
        p.drawPolygon(QPolygon({QPoint(77, 213), QPoint(160, 120), QPoint(230, 180),
                                QPoint(280, 140), QPoint(323, 213)}));
        p.setBrush(QColor(250, 220, 90));
        p.drawEllipse(QPoint(270, 85), 18, 18);
    });
}

QImage ring() {
    return drawn(QColor(60, 60, 80), [](QPainter& p) {
        p.setPen(QPen(QColor(200, 200, 210), 12));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPoint(200, 170), 70, 50);
        p.setPen(QPen(QColor(120, 120, 140), 2));
        p.setBrush(QColor(180, 230, 255));
        p.drawPolygon(QPolygon({QPoint(180, 110), QPoint(220, 110), QPoint(235, 95),
                                QPoint(200, 70), QPoint(165, 95)}));
    });
}

} // namespace

void addDemoInventory(TDM& tdm) {
    struct Object {
        QString name, mark, from, date, price, value, description, comment;
        QImage picture;
    };
    const QList<Object> objects{
        {u"Grandfather clock"_s, u"GC-1887"_s, u"Inherited from Karl Berg"_s, u"1994-05-14"_s,
         QString(), u"18000"_s, u"Oak case, brass pendulum, strikes every half hour."_s,
         u"Serviced in 2019."_s, clock()},
        {u"Crystal vase"_s, u"KV-204"_s, u"Orrefors shop"_s, u"2003-12-20"_s, u"2400"_s, u"3200"_s,
         u"Blue crystal, 32 cm high."_s, QString(), vase()},
        {u"Oil painting"_s, u"P-07"_s, u"Auction in Lund"_s, u"2011-09-03"_s, u"9500"_s, u"12500"_s,
         u"Landscape with a yellow sun, gilt frame."_s, u"Certificate in the desk drawer."_s,
         painting()},
        {u"Wedding ring"_s, u"R-750"_s, u"Guldsmeden, Göteborg"_s, u"1998-06-20"_s, u"6200"_s,
         u"7000"_s, u"White gold with an aquamarine."_s, QString(), ring()},
    };
    Table& table = tdm.valueTb();
    const bool wasOpen = table.isOpen();
    table.open();
    for (const Object& object : objects) {
        table.append();
        table.setText(u"Benamning"_s, object.name);
        table.setText(u"Marknr"_s, object.mark);
        table.setText(u"Inkopt_Plats"_s, object.from);
        table.setDate(u"Inkopt_Datum"_s, QDate::fromString(object.date, Qt::ISODate));
        table.setText(u"Pris"_s, object.price);
        table.setText(u"Varderad till"_s, object.value);
        table.setText(u"Beskrivning"_s, object.description);
        table.setText(u"Kommentar"_s, object.comment);
        table.setBytes(u"Bild"_s, pictureFieldValue(object.picture));
        table.post();
    }
    if (!wasOpen)
        table.close();
}

} // namespace hoardly
