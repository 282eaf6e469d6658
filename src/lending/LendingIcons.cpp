#include "LendingIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace hoardly {

namespace {

constexpr int kSize = 32;

void drawBack(QPainter& p) {
    QPainterPath arrow;
    arrow.moveTo(4, 16);
    arrow.lineTo(15, 5);
    arrow.lineTo(15, 11);
    arrow.lineTo(28, 11);
    arrow.lineTo(28, 21);
    arrow.lineTo(15, 21);
    arrow.lineTo(15, 27);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(0x1d, 0x4f, 0x91), 1.5));
    p.setBrush(QColor(0x4a, 0x90, 0xd9));
    p.drawPath(arrow);
}

void drawReturned(QPainter& p) {
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

void drawNoReminder(QPainter& p) {
    // A letter, struck out.
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1.5));
    p.setBrush(QColor(0xf4, 0xf1, 0xe4));
    const QRectF letter(3, 8, 26, 17);
    p.drawRect(letter);
    p.drawLine(letter.topLeft(), QPointF(16, 18));
    p.drawLine(QPointF(16, 18), letter.topRight());
    p.setPen(QPen(QColor(0xc6, 0x28, 0x28), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 28), QPointF(27, 4));
}

} // namespace

QIcon lendingIcon(LendingIconKind kind) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case LendingIconKind::Back:
        drawBack(painter);
        break;
    case LendingIconKind::Returned:
        drawReturned(painter);
        break;
    case LendingIconKind::NoReminder:
        drawNoReminder(painter);
        break;
    }
    painter.end();
    return QIcon(pixmap);
}

} // namespace hoardly
