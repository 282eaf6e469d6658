#include "PictureBox.h"

#include "PictureCodec.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>

namespace hoardly {

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setScaledContents(true);
    setFrameShape(QFrame::StyledPanel);
    setMinimumSize(120, 90);
}

void PictureBox::setImage(const QImage& image) {
    image_ = image;
    if (image_.isNull())
        clear();
    else
        setPixmap(QPixmap::fromImage(image_));
}

void PictureBox::setFieldValue(const QByteArray& stored) {
    setImage(pictureFromField(stored));
}

QByteArray PictureBox::fieldValue() const {
    return pictureFieldValue(image_);
}

PictureBox::Action PictureBox::actionOf(const QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if ((modifiers == Qt::ControlModifier && key == Qt::Key_V) ||
        (modifiers == Qt::ShiftModifier && key == Qt::Key_Insert))
        return Action::Paste;
    if ((modifiers == Qt::ControlModifier && key == Qt::Key_C) ||
        (modifiers == Qt::ControlModifier && key == Qt::Key_Insert))
        return Action::Copy;
    if ((modifiers == Qt::ControlModifier && key == Qt::Key_X) ||
        (modifiers == Qt::ShiftModifier && key == Qt::Key_Delete))
        return Action::Cut;
    return Action::None;
}

bool PictureBox::event(QEvent* event) {
    // The box's keys win over the window's shortcuts while it has the focus.
    if (event->type() == QEvent::ShortcutOverride &&
        actionOf(static_cast<QKeyEvent*>(event)) != Action::None) {
        event->accept();
        return true;
    }
    return QLabel::event(event);
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    switch (actionOf(event)) {
    case Action::Paste:
        if (const QImage image = clipboard->image(); !image.isNull())
            setImage(image);
        break;
    case Action::Copy:
        if (!image_.isNull())
            clipboard->setImage(image_);
        break;
    case Action::Cut:
        if (!image_.isNull())
            clipboard->setImage(image_);
        setImage({});
        break;
    case Action::None:
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace hoardly
