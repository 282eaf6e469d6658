#include "Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <functional>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

// Every icon is drawn on a 100 x 100 canvas and scaled to the size asked for.
using Drawing = std::function<void(QPainter&)>;

QPixmap render(const Drawing& draw, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 100.0, size / 100.0);
    draw(painter);
    return pixmap;
}

QIcon iconOf(const Drawing& draw) {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 96})
        icon.addPixmap(render(draw, size));
    return icon;
}

QPen outline(const QColor& color, qreal width = 3) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QLinearGradient vertical(qreal top, qreal bottom, const QColor& light, const QColor& dark) {
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, light);
    gradient.setColorAt(1, dark);
    return gradient;
}

void drawClose(QPainter& p) {
    QRadialGradient fill(40, 35, 60);
    fill.setColorAt(0, QColor(0xf2, 0x6d, 0x5b));
    fill.setColorAt(1, QColor(0xb0, 0x1e, 0x14));
    p.setPen(outline(QColor(0x7a, 0x12, 0x0c)));
    p.setBrush(fill);
    p.drawEllipse(QRectF(8, 8, 84, 84));
    // The power symbol: an open ring with a bar through its gap.
    p.setPen(QPen(Qt::white, 9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(28, 30, 44, 44), 120 * 16, 300 * 16);
    p.drawLine(QPointF(50, 22), QPointF(50, 50));
}

void drawFilm(QPainter& p) {
    const QColor dark(0x2b, 0x2b, 0x33);
    // The board.
    p.setPen(outline(QColor(0x11, 0x11, 0x16)));
    p.setBrush(vertical(40, 90, QColor(0x4a, 0x4a, 0x55), dark));
    p.drawRoundedRect(QRectF(12, 40, 76, 48), 4, 4);
    p.setPen(outline(QColor(0xe8, 0xe8, 0xe8), 2.5));
    p.drawLine(QPointF(20, 58), QPointF(80, 58));
    p.drawLine(QPointF(20, 70), QPointF(66, 70));
    // The clapper, lifted a little, with its stripes.
    p.save();
    p.translate(12, 36);
    p.rotate(-14);
    QPainterPath clapper;
    clapper.addRoundedRect(QRectF(0, -14, 78, 14), 2, 2);
    p.setPen(outline(QColor(0x11, 0x11, 0x16)));
    p.setBrush(Qt::white);
    p.drawPath(clapper);
    p.setClipPath(clapper);
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    for (int x = -10; x < 90; x += 20) {
        QPolygonF stripe{
            {QPointF(x, 0), QPointF(x + 10, 0), QPointF(x + 20, -14), QPointF(x + 10, -14)}};
        p.drawPolygon(stripe);
    }
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf0, 0xc0, 0x40));
    p.drawEllipse(QPointF(15, 38), 4, 4);
}

void drawMusic(QPainter& p) {
    QRadialGradient vinyl(42, 40, 55);
    vinyl.setColorAt(0, QColor(0x50, 0x50, 0x58));
    vinyl.setColorAt(1, QColor(0x10, 0x10, 0x14));
    p.setPen(outline(Qt::black, 2));
    p.setBrush(vinyl);
    p.drawEllipse(QRectF(6, 6, 88, 88));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x70, 0x70, 0x78), 1.2));
    for (qreal r : {38.0, 33.0, 28.0, 23.0})
        p.drawEllipse(QPointF(50, 50), r, r);
    // A glint across the grooves.
    p.setPen(QPen(QColor(255, 255, 255, 90), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(16, 16, 68, 68), 100 * 16, 50 * 16);
    p.setPen(outline(QColor(0x8c, 0x10, 0x10), 1.5));
    p.setBrush(vertical(34, 66, QColor(0xf0, 0x50, 0x40), QColor(0xb8, 0x18, 0x18)));
    p.drawEllipse(QPointF(50, 50), 16, 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf4, 0xf0, 0xe0));
    p.drawEllipse(QPointF(50, 50), 3.5, 3.5);
}

void drawSoftware(QPainter& p) {
    QPainterPath disk;
    disk.moveTo(12, 14);
    disk.lineTo(80, 14);
    disk.lineTo(88, 22);
    disk.lineTo(88, 86);
    disk.lineTo(12, 86);
    disk.closeSubpath();
    p.setPen(outline(QColor(0x10, 0x2a, 0x5c)));
    p.setBrush(vertical(14, 86, QColor(0x3d, 0x7c, 0xd8), QColor(0x1c, 0x45, 0x9a)));
    p.drawPath(disk);
    // The metal shutter.
    p.setPen(outline(QColor(0x70, 0x76, 0x80), 2));
    p.setBrush(vertical(14, 44, QColor(0xf4, 0xf6, 0xf8), QColor(0xa8, 0xae, 0xb8)));
    p.drawRect(QRectF(28, 14, 44, 28));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1c, 0x45, 0x9a));
    p.drawRect(QRectF(58, 19, 9, 18));
    // The label.
    p.setPen(outline(QColor(0xb0, 0xb0, 0xa8), 1.5));
    p.setBrush(QColor(0xfb, 0xfa, 0xf2));
    p.drawRoundedRect(QRectF(22, 52, 56, 30), 2, 2);
    p.setPen(QPen(QColor(0xd0, 0x50, 0x40), 2));
    p.drawLine(QPointF(27, 60), QPointF(73, 60));
    p.setPen(QPen(QColor(0x90, 0x90, 0x98), 2));
    p.drawLine(QPointF(27, 68), QPointF(73, 68));
    p.drawLine(QPointF(27, 75), QPointF(60, 75));
}

void drawBookSpine(QPainter& p, const QRectF& rect, const QColor& color) {
    p.setPen(outline(color.darker(170), 2));
    QLinearGradient fill(rect.left(), 0, rect.right(), 0);
    fill.setColorAt(0, color.lighter(130));
    fill.setColorAt(0.6, color);
    fill.setColorAt(1, color.darker(140));
    p.setBrush(fill);
    p.drawRoundedRect(rect, 2, 2);
    p.setPen(QPen(QColor(0xf2, 0xd0, 0x60), 2));
    p.drawLine(QPointF(rect.left() + 3, rect.top() + 9), QPointF(rect.right() - 3, rect.top() + 9));
    p.drawLine(QPointF(rect.left() + 3, rect.bottom() - 9),
               QPointF(rect.right() - 3, rect.bottom() - 9));
}

void drawLiterature(QPainter& p) {
    drawBookSpine(p, QRectF(10, 20, 20, 70), QColor(0x2e, 0x7d, 0x32));
    drawBookSpine(p, QRectF(31, 12, 22, 78), QColor(0xb7, 0x1c, 0x1c));
    drawBookSpine(p, QRectF(54, 26, 16, 64), QColor(0x1e, 0x55, 0xa8));
    // One book leaning on the others.
    p.save();
    p.translate(71, 90);
    p.rotate(16);
    drawBookSpine(p, QRectF(0, -66, 17, 66), QColor(0x8d, 0x5a, 0x2b));
    p.restore();
    p.setPen(outline(QColor(0x5d, 0x40, 0x20), 3));
    p.drawLine(QPointF(6, 91), QPointF(94, 91));
}

void drawCodes(QPainter& p) {
    // The shackle.
    p.setPen(QPen(QColor(0x60, 0x66, 0x70), 11, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    shackle.moveTo(30, 48);
    shackle.lineTo(30, 32);
    shackle.arcTo(QRectF(30, 10, 40, 44), 180, -180);
    shackle.lineTo(70, 48);
    p.drawPath(shackle);
    p.setPen(QPen(QColor(0xc8, 0xcc, 0xd4), 4, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(shackle);
    // The body.
    p.setPen(outline(QColor(0x8a, 0x5a, 0x00)));
    p.setBrush(vertical(44, 92, QColor(0xff, 0xd5, 0x4f), QColor(0xd8, 0x92, 0x10)));
    p.drawRoundedRect(QRectF(16, 44, 68, 48), 8, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4a, 0x30, 0x00));
    p.drawEllipse(QPointF(50, 62), 7, 7);
    p.drawPolygon(QPolygonF{{QPointF(46, 64), QPointF(54, 64), QPointF(57, 82), QPointF(43, 82)}});
}

void drawInventory(QPainter& p) {
    // Walls, roof, chimney, door and window.
    p.setPen(outline(QColor(0x8a, 0x6a, 0x40)));
    p.setBrush(vertical(46, 90, QColor(0xfb, 0xe9, 0xc6), QColor(0xe4, 0xc4, 0x8c)));
    p.drawRect(QRectF(20, 46, 60, 44));
    p.setPen(outline(QColor(0x6a, 0x1a, 0x10)));
    p.setBrush(QColor(0x9a, 0x3a, 0x2a));
    p.drawRect(QRectF(64, 16, 10, 22));
    p.setBrush(vertical(10, 52, QColor(0xe0, 0x50, 0x38), QColor(0xa8, 0x28, 0x18)));
    p.drawPolygon(QPolygonF{{QPointF(8, 52), QPointF(50, 12), QPointF(92, 52)}});
    p.setPen(outline(QColor(0x4a, 0x2c, 0x12), 2));
    p.setBrush(QColor(0x7a, 0x4a, 0x22));
    p.drawRect(QRectF(29, 62, 16, 28));
    p.setBrush(vertical(58, 78, QColor(0xd8, 0xf0, 0xff), QColor(0x7c, 0xb8, 0xe8)));
    p.drawRect(QRectF(54, 58, 18, 18));
    p.drawLine(QPointF(63, 58), QPointF(63, 76));
    p.drawLine(QPointF(54, 67), QPointF(72, 67));
}

void drawAddresses(QPainter& p) {
    // A card with its index tab, a person and the lines of an address.
    p.setPen(outline(QColor(0x3c, 0x5a, 0x7a)));
    p.setBrush(vertical(18, 86, QColor(0xff, 0xff, 0xff), QColor(0xdc, 0xe6, 0xf0)));
    p.drawRoundedRect(QRectF(8, 20, 84, 64), 6, 6);
    p.setBrush(QColor(0x3c, 0x7a, 0xc0));
    p.drawRoundedRect(QRectF(8, 20, 84, 14), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0x5f, 0x96));
    p.drawEllipse(QPointF(30, 50), 8, 8);
    QPainterPath shoulders;
    shoulders.moveTo(15, 77);
    shoulders.cubicTo(15, 60, 45, 60, 45, 77);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    p.setPen(QPen(QColor(0x80, 0x8c, 0x98), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(53, 48), QPointF(83, 48));
    p.drawLine(QPointF(53, 60), QPointF(83, 60));
    p.drawLine(QPointF(53, 72), QPointF(74, 72));
}

void drawProperties(QPainter& p) {
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 4; ++i) {
        const qreal angle = 2 * M_PI * i / (teeth * 4);
        const qreal radius = (i % 4 == 0 || i % 4 == 1) ? 44 : 33;
        const QPointF point(50 + radius * qCos(angle), 50 + radius * qSin(angle));
        if (i == 0)
            gear.moveTo(point);
        else
            gear.lineTo(point);
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(50, 50), 13, 13);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(outline(QColor(0x3a, 0x40, 0x48), 2.5));
    QRadialGradient fill(40, 38, 60);
    fill.setColorAt(0, QColor(0xd8, 0xdc, 0xe2));
    fill.setColorAt(1, QColor(0x70, 0x78, 0x84));
    p.setBrush(fill);
    p.rotate(0);
    p.drawPath(gear);
}

void drawHelp(QPainter& p) {
    QRadialGradient fill(40, 35, 60);
    fill.setColorAt(0, QColor(0x6a, 0xb0, 0xf4));
    fill.setColorAt(1, QColor(0x16, 0x5a, 0xb4));
    p.setPen(outline(QColor(0x0e, 0x3c, 0x7a)));
    p.setBrush(fill);
    p.drawEllipse(QRectF(8, 8, 84, 84));
    QFont font(u"Liberation Sans"_s);
    font.setPixelSize(62);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(8, 8, 84, 86), Qt::AlignCenter, u"?"_s);
}

void drawProgram(QPainter& p) {
    p.setPen(outline(QColor(0x6a, 0x30, 0x08)));
    p.setBrush(vertical(4, 96, QColor(0xff, 0xb3, 0x47), QColor(0xd0, 0x5a, 0x10)));
    p.drawRoundedRect(QRectF(4, 4, 92, 92), 18, 18);
    p.save();
    p.translate(14, 10);
    p.scale(0.72, 0.72);
    drawLiterature(p);
    p.restore();
}

Drawing drawingOf(MainButton button) {
    switch (button) {
    case MainButton::Close:
        return drawClose;
    case MainButton::Film:
        return drawFilm;
    case MainButton::Music:
        return drawMusic;
    case MainButton::Software:
        return drawSoftware;
    case MainButton::Literature:
        return drawLiterature;
    case MainButton::Codes:
        return drawCodes;
    case MainButton::Inventory:
        return drawInventory;
    case MainButton::Addresses:
        return drawAddresses;
    case MainButton::Properties:
        return drawProperties;
    case MainButton::Help:
        return drawHelp;
    }
    return drawHelp;
}

} // namespace

QIcon mainButtonIcon(MainButton button) {
    return iconOf(drawingOf(button));
}

QIcon programIcon() {
    return iconOf(drawProgram);
}

QPixmap programPixmap(int size) {
    return render(drawProgram, size);
}

void paintProgramIcon(QPainter& painter, int size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 100.0, size / 100.0);
    drawProgram(painter);
    painter.restore();
}

QPixmap introPicture() {
    const QSize size(520, 260);
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(pixmap.rect(),
               vertical(0, size.height(), QColor(0x1b, 0x2a, 0x4a), QColor(0x4a, 0x2a, 0x3a)));
    // A shelf holding the kinds of things the catalogue keeps.
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(196, 214, QColor(0xa0, 0x6a, 0x38), QColor(0x6a, 0x40, 0x1c)));
    p.drawRect(QRectF(24, 196, 472, 16));
    const auto place = [&p](MainButton button, qreal x, qreal y, qreal scale) {
        p.save();
        p.translate(x, y);
        p.scale(scale, scale);
        drawingOf(button)(p);
        p.restore();
    };
    // Each drawing's foot lands on the shelf's top edge.
    place(MainButton::Literature, 34, 94, 1.12);
    place(MainButton::Music, 160, 102, 1.0);
    place(MainButton::Film, 268, 110, 0.98);
    place(MainButton::Software, 380, 122, 0.86);
    // The title, with a soft shadow.
    QFont title(u"Liberation Serif"_s);
    title.setPixelSize(58);
    title.setBold(true);
    title.setItalic(true);
    p.setFont(title);
    const QRectF titleRect(0, 12, size.width(), 70);
    p.setPen(QColor(0, 0, 0, 140));
    p.drawText(titleRect.translated(3, 3), Qt::AlignCenter, u"Hoardly"_s);
    p.setPen(QColor(0xff, 0xd8, 0x80));
    p.drawText(titleRect, Qt::AlignCenter, u"Hoardly"_s);
    QFont subtitle(u"Liberation Sans"_s);
    subtitle.setPixelSize(15);
    p.setFont(subtitle);
    p.setPen(QColor(0xe8, 0xe0, 0xf0));
    p.drawText(QRectF(0, 222, size.width(), 28), Qt::AlignCenter,
               u"Films, music, books, software and everything else you keep"_s);
    return pixmap;
}

} // namespace hoardly
