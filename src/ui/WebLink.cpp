#include "WebLink.h"

#include <QMouseEvent>

namespace hoardly {

WebLink::WebLink(QWidget* parent) : QLabel(parent) {
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    // On a panel with the base background a label would paint in the text colour instead.
    setForegroundRole(QPalette::WindowText);
    paintAs(Qt::blue);
}

void WebLink::paintAs(const QColor& color) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, color);
    setPalette(palette);
}

void WebLink::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || text().isEmpty())
        return QLabel::mousePressEvent(event);
    pressed_ = true;
    paintAs(Qt::red);
}

void WebLink::mouseReleaseEvent(QMouseEvent* event) {
    if (!pressed_)
        return QLabel::mouseReleaseEvent(event);
    pressed_ = false;
    const bool over = rect().contains(event->position().toPoint());
    if (over)
        opened_ = true;
    paintAs(opened_ ? QColor(Qt::darkBlue) : QColor(Qt::blue));
    if (over)
        emit openRequested(text());
}

} // namespace hoardly
