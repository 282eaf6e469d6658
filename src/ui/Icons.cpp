#include "Icons.h"

#include <QCoreApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace hoardly {

namespace {

// Every icon is drawn on a 32 x 32 grid and scaled to the size asked for.
constexpr int kGrid = 32;

const QColor kInk(0x33, 0x3a, 0x44);
const QColor kPaper(0xfb, 0xfb, 0xf7);
const QColor kBlue(0x2f, 0x6f, 0xc0);
const QColor kGreen(0x2e, 0x9a, 0x4a);
const QColor kRed(0xc8, 0x3a, 0x32);
const QColor kAmber(0xe8, 0xa3, 0x1c);

QPen ink(qreal width = 1.6) {
    return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void page(QPainter& p, const QRectF& r) {
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - 6, r.top());
    path.lineTo(r.right(), r.top() + 6);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(ink());
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 6, r.top()), QPointF(r.right() - 6, r.top() + 6));
    p.drawLine(QPointF(r.right() - 6, r.top() + 6), QPointF(r.right(), r.top() + 6));
}

void lines(QPainter& p, qreal left, qreal right, qreal top, int count) {
    p.setPen(QPen(kInk.lighter(170), 1.4));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + i * 4), QPointF(right, top + i * 4));
}

void magnifier(QPainter& p, QPointF centre, qreal radius, const QColor& glass) {
    p.setPen(QPen(kInk, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(radius * 0.7, radius * 0.7),
               centre + QPointF(radius * 1.7, radius * 1.7));
    p.setPen(ink(2));
    p.setBrush(glass);
    p.drawEllipse(centre, radius, radius);
}

void badge(QPainter& p, const QColor& colour, QPointF centre, qreal radius) {
    p.setPen(QPen(colour.darker(130), 1.2));
    p.setBrush(colour);
    p.drawEllipse(centre, radius, radius);
}

void plus(QPainter& p, QPointF c, qreal half) {
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c - QPointF(half, 0), c + QPointF(half, 0));
    p.drawLine(c - QPointF(0, half), c + QPointF(0, half));
}

void cross(QPainter& p, QPointF c, qreal half, const QColor& colour, qreal width) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c - QPointF(half, half), c + QPointF(half, half));
    p.drawLine(c + QPointF(-half, half), c + QPointF(half, -half));
}

void triangle(QPainter& p, qreal tipX, qreal baseX, const QColor& colour) {
    QPolygonF shape{QPointF(tipX, 16), QPointF(baseX, 7), QPointF(baseX, 25)};
    p.setPen(QPen(colour.darker(140), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour);
    p.drawPolygon(shape);
}

void bar(QPainter& p, qreal x, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(x - 2, 7, 4, 18), 1, 1);
}

void pencil(QPainter& p) {
    p.save();
    p.translate(16, 16);
    p.rotate(45);
    p.setPen(ink(1.4));
    p.setBrush(kAmber);
    p.drawRect(QRectF(-3.5, -13, 7, 19));
    p.setBrush(QColor(0xf2, 0xc9, 0x9a));
    QPolygonF tip{QPointF(-3.5, 6), QPointF(3.5, 6), QPointF(0, 13)};
    p.drawPolygon(tip);
    p.setBrush(kRed.lighter(130));
    p.drawRect(QRectF(-3.5, -13, 7, 4));
    p.restore();
}

void printer(QPainter& p) {
    p.setPen(ink());
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(QColor(0x8a, 0x95, 0xa5));
    p.drawRoundedRect(QRectF(4, 12, 24, 11), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 19, 14, 9));
    lines(p, 11.5, 20.5, 22.5, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(24, 15.5), 1.4, 1.4);
}

void grid(QPainter& p) {
    p.setPen(ink());
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 6, 24, 20));
    p.setBrush(kBlue.lighter(150));
    p.drawRect(QRectF(4, 6, 24, 5));
    p.setPen(QPen(kInk, 1.1));
    for (qreal y : {16.0, 21.0})
        p.drawLine(QPointF(4, y), QPointF(28, y));
    for (qreal x : {11.0, 19.0})
        p.drawLine(QPointF(x, 6), QPointF(x, 26));
}

void arrowLeft(QPainter& p, const QColor& colour) {
    QPainterPath path;
    path.moveTo(4, 16);
    path.lineTo(14, 6);
    path.lineTo(14, 12);
    path.lineTo(27, 12);
    path.lineTo(27, 20);
    path.lineTo(14, 20);
    path.lineTo(14, 26);
    path.closeSubpath();
    p.setPen(QPen(colour.darker(140), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour);
    p.drawPath(path);
}

void house(QPainter& p) {
    p.setPen(ink());
    p.setBrush(kRed);
    QPolygonF roof{QPointF(3, 16), QPointF(16, 4), QPointF(29, 16)};
    p.drawPolygon(roof);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 16, 18, 12));
    p.setBrush(kBlue);
    p.drawRect(QRectF(13.5, 20, 5, 8));
}

void lending(QPainter& p) {
    // A box with an object going out of it.
    p.setPen(ink());
    p.setBrush(QColor(0xc9, 0x9a, 0x5b));
    p.drawRect(QRectF(4, 15, 15, 12));
    p.drawLine(QPointF(4, 19), QPointF(19, 19));
    QPainterPath arrow;
    arrow.moveTo(14, 12);
    arrow.cubicTo(16, 5, 22, 5, 25, 8);
    p.setPen(QPen(kGreen, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arrow);
    QPolygonF head{QPointF(28, 5), QPointF(27, 12), QPointF(21, 8)};
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPolygon(head);
}

void refresh(QPainter& p) {
    p.setPen(QPen(kBlue, 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(7, 7, 18, 18), 60 * 16, 290 * 16);
    QPolygonF head{QPointF(17, 3), QPointF(24, 8), QPointF(16, 11.5)};
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(head);
}

void tip(QPainter& p) {
    badge(p, kAmber, QPointF(16, 16), 12);
    p.setPen(Qt::white);
    QFont font;
    font.setBold(true);
    font.setPixelSize(18);
    p.setFont(font);
    p.drawText(QRectF(4, 4, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
}

void note(QPainter& p) {
    p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 23), QPointF(12, 6));
    p.drawLine(QPointF(24, 20), QPointF(24, 4));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    QPolygonF beam{QPointF(11, 5), QPointF(25, 2), QPointF(25, 7), QPointF(11, 10)};
    p.drawPolygon(beam);
    p.drawEllipse(QPointF(9, 24), 4, 3);
    p.drawEllipse(QPointF(21, 21), 4, 3);
}

void returned(QPainter& p) {
    // A box on the shelf with a tick: the object is home again.
    p.setPen(QPen(QColor(0x6b, 0x4a, 0x1f), 1.5));
    p.setBrush(QColor(0xd9, 0xa4, 0x5b));
    p.drawRect(QRectF(4, 12, 20, 15));
    p.drawLine(QPointF(4, 17), QPointF(24, 17));
    QPen tick(QColor(0x1e, 0x8a, 0x2e), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(tick);
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(14, 10);
    path.lineTo(19, 15);
    path.lineTo(28, 4);
    p.drawPath(path);
}

void letter(QPainter& p) {
    // A closed envelope.
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1.5));
    p.setBrush(QColor(0xf4, 0xf1, 0xe4));
    const QRectF envelope(3, 8, 26, 17);
    p.drawRect(envelope);
    p.drawLine(envelope.topLeft(), QPointF(16, 18));
    p.drawLine(QPointF(16, 18), envelope.topRight());
}

void noReminder(QPainter& p) {
    // A letter, struck out.
    letter(p);
    p.setPen(QPen(QColor(0xc6, 0x28, 0x28), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 28), QPointF(27, 4));
}

void draw(QPainter& p, Icon icon) {
    switch (icon) {
    case Icon::None:
        break;
    case Icon::MainMenu:
        house(p);
        break;
    case Icon::PrintPreview:
        page(p, QRectF(5, 3, 18, 24));
        lines(p, 8, 19, 9, 3);
        magnifier(p, QPointF(19, 19), 6, kBlue.lighter(170));
        break;
    case Icon::Print:
        printer(p);
        break;
    case Icon::PrintToFile:
        page(p, QRectF(6, 3, 20, 26));
        p.setPen(kBlue);
        {
            QFont font;
            font.setBold(true);
            font.setPixelSize(8);
            p.setFont(font);
        }
        p.drawText(QRectF(6, 12, 20, 10), Qt::AlignCenter, QStringLiteral("<>"));
        break;
    case Icon::Add:
        page(p, QRectF(4, 3, 18, 24));
        lines(p, 7, 18, 9, 3);
        badge(p, kGreen, QPointF(22, 22), 7.5);
        plus(p, QPointF(22, 22), 4);
        break;
    case Icon::Edit:
        page(p, QRectF(4, 3, 18, 24));
        lines(p, 7, 18, 9, 4);
        pencil(p);
        break;
    case Icon::Delete:
        page(p, QRectF(4, 3, 18, 24));
        lines(p, 7, 18, 9, 3);
        badge(p, kRed, QPointF(22, 22), 7.5);
        cross(p, QPointF(22, 22), 3.2, Qt::white, 2.6);
        break;
    case Icon::Lending:
        lending(p);
        break;
    case Icon::Search:
        page(p, QRectF(4, 3, 18, 24));
        lines(p, 7, 18, 9, 3);
        magnifier(p, QPointF(18, 17), 7, kAmber.lighter(150));
        break;
    case Icon::MasterList:
        grid(p);
        break;
    case Icon::Back:
        arrowLeft(p, kBlue);
        break;
    case Icon::Tip:
        tip(p);
        break;
    case Icon::First:
        bar(p, 8, kBlue);
        triangle(p, 11, 25, kBlue);
        break;
    case Icon::Prior:
        triangle(p, 8, 23, kBlue);
        break;
    case Icon::Next:
        triangle(p, 24, 9, kBlue);
        break;
    case Icon::Last:
        triangle(p, 21, 7, kBlue);
        bar(p, 24, kBlue);
        break;
    case Icon::Post:
        p.setPen(QPen(kGreen, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF{QPointF(6, 17), QPointF(13, 24), QPointF(26, 8)});
        break;
    case Icon::Cancel:
        cross(p, QPointF(16, 16), 8, kRed, 4);
        break;
    case Icon::Refresh:
        refresh(p);
        break;
    case Icon::Music:
        note(p);
        break;
    case Icon::Returned:
        returned(p);
        break;
    case Icon::NoReminder:
        noReminder(p);
        break;
    }
}

QPixmap render(Icon icon, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(qreal(size) / kGrid, qreal(size) / kGrid);
    draw(p, icon);
    return pixmap;
}

void filmPicture(QPainter& p) {
    // A film strip crossing a reel.
    p.setPen(ink(1.4));
    p.setBrush(QColor(0x4a, 0x50, 0x5a));
    p.drawEllipse(QPointF(13, 13), 11, 11);
    p.setBrush(kPaper);
    for (int i = 0; i < 5; ++i) {
        const qreal angle = i * 72.0 * M_PI / 180.0;
        p.drawEllipse(QPointF(13 + 6 * std::cos(angle), 13 + 6 * std::sin(angle)), 2.4, 2.4);
    }
    p.drawEllipse(QPointF(13, 13), 1.2, 1.2);
    p.save();
    p.translate(19, 23);
    p.rotate(-18);
    p.setBrush(QColor(0x2b, 0x2f, 0x36));
    p.drawRect(QRectF(-9, -5, 21, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    for (int i = 0; i < 5; ++i) {
        p.drawRect(QRectF(-8 + i * 4, -4, 2, 1.6));
        p.drawRect(QRectF(-8 + i * 4, 2.4, 2, 1.6));
    }
    p.setBrush(kAmber);
    p.drawRect(QRectF(-6, -1.6, 6, 3.2));
    p.setBrush(kBlue.lighter(140));
    p.drawRect(QRectF(2, -1.6, 6, 3.2));
    p.restore();
}

QPixmap drawPicture(Picture picture, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(qreal(size) / kGrid, qreal(size) / kGrid);
    switch (picture) {
    case Picture::Film:
        filmPicture(p);
        break;
    case Picture::Music:
        note(p);
        break;
    case Picture::Book:
        page(p, QRectF(6, 3, 20, 26));
        lines(p, 9, 22, 9, 4);
        break;
    case Picture::Software:
        grid(p);
        break;
    case Picture::Inventory:
        house(p);
        break;
    case Picture::Codes:
        tip(p);
        break;
    case Picture::Mail:
        letter(p);
        break;
    }
    return pixmap;
}

// What was drawn, kept until the application ends; the pixmaps go with it, not after it.
template <class Key, class Drawing> QHash<Key, Drawing>& drawnOnce() {
    static auto* drawn = [] {
        auto* made = new QHash<Key, Drawing>;
        qAddPostRoutine([] { drawnOnce<Key, Drawing>().clear(); });
        return made;
    }();
    return *drawn;
}

} // namespace

QIcon registerIcon(Icon icon) {
    if (icon == Icon::None)
        return {};
    // Drawn once a run: every window opened shows the same icons again.
    QIcon& result = drawnOnce<int, QIcon>()[int(icon)];
    if (result.isNull()) {
        for (int size : {16, 24, 32, 48})
            result.addPixmap(render(icon, size));
    }
    return result;
}

QPixmap registerPicture(Picture picture, int size) {
    QPixmap& cached = drawnOnce<std::pair<int, int>, QPixmap>()[{int(picture), size}];
    if (cached.isNull())
        cached = drawPicture(picture, size);
    return cached;
}

} // namespace hoardly
