#include "Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>

using namespace Qt::StringLiterals;

namespace hoardly {

void Dialogs::info(QWidget* parent, const QString& caption, const QString& text) {
    show(parent, {BoxKind::Info, caption, text, BoxIcon::None, {Answer::Ok}});
}

void Dialogs::message(QWidget* parent, const QString& text) {
    show(parent, {BoxKind::Plain,
                  QString::fromLatin1(kApplicationTitle),
                  text,
                  BoxIcon::None,
                  {Answer::Ok}});
}

bool Dialogs::question(QWidget* parent, const QString& caption, const QString& text, BoxIcon icon) {
    return show(parent, {BoxKind::Question, caption, text, icon, {Answer::Yes, Answer::No}}) ==
           Answer::Yes;
}

void Dialogs::warning(QWidget* parent, const QString& text) {
    show(parent, {BoxKind::Warning, u"Warning"_s, text, BoxIcon::Warning, {Answer::Ok}});
}

void Dialogs::error(QWidget* parent, const QString& text) {
    show(parent, {BoxKind::Error, u"Error"_s, text, BoxIcon::Error, {Answer::Ok}});
}

void Dialogs::information(QWidget* parent, const QString& text) {
    show(parent,
         {BoxKind::Information, u"Information"_s, text, BoxIcon::Information, {Answer::Ok}});
}

bool Dialogs::confirm(QWidget* parent, const QString& text) {
    return show(parent, {BoxKind::Confirm,
                         u"Confirm"_s,
                         text,
                         BoxIcon::Question,
                         {Answer::Yes, Answer::No}}) == Answer::Yes;
}

void Dialogs::errorBox(QWidget* parent, const QString& text) {
    show(parent, {BoxKind::ErrorBox,
                  QString::fromLatin1(kApplicationTitle),
                  text,
                  BoxIcon::Error,
                  {Answer::Ok}});
}

namespace {

QMessageBox::Icon qtIcon(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::Question:
        return QMessageBox::Question;
    case BoxIcon::Exclamation:
    case BoxIcon::Warning:
        return QMessageBox::Warning;
    case BoxIcon::Error:
        return QMessageBox::Critical;
    case BoxIcon::Information:
        return QMessageBox::Information;
    case BoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton qtButton(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::YesToAll:
        return QMessageBox::YesToAll;
    }
    return QMessageBox::Ok;
}

// Room in a frame's title bar beside the caption: the window icon and the frame's buttons.
constexpr int kTitleBarRoom = 160;

bool isOnScreen(const QWidget* widget) {
    return widget && widget->window()->isVisible() && !widget->window()->isMinimized();
}

} // namespace

QWidget* boxOwner(QWidget* requested) {
    if (isOnScreen(requested))
        return requested;
    if (QWidget* modal = QApplication::activeModalWidget(); isOnScreen(modal))
        return modal;
    if (QWidget* active = QApplication::activeWindow(); isOnScreen(active))
        return active;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        const Qt::WindowType type = window->windowType();
        if ((type == Qt::Window || type == Qt::Dialog) && isOnScreen(window))
            return window;
    }
    return requested;
}

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const Box& box) {
    auto dialog = std::make_unique<QMessageBox>(qtIcon(box.icon), box.caption, box.text,
                                                QMessageBox::NoButton, parent);
    for (Answer answer : box.buttons)
        dialog->addButton(qtButton(answer));
    // The box sizes itself to its text; a short text under a long caption would leave the
    // frame too narrow for the caption. A strut under the buttons keeps the caption whole.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout())) {
        QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
        titleFont.setBold(true);
        int width = QFontMetrics(titleFont).horizontalAdvance(box.caption) + kTitleBarRoom;
        if (const QScreen* screen = dialog->screen())
            width = std::min(width, screen->availableGeometry().width() * 9 / 10);
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return dialog;
}

Answer QtDialogs::show(QWidget* parent, const Box& box) {
    const std::unique_ptr<QMessageBox> dialog = makeMessageBox(boxOwner(parent), box);
    dialog->exec();
    const auto clicked = dialog->standardButton(dialog->clickedButton());
    for (Answer answer : box.buttons) {
        if (qtButton(answer) == clicked)
            return answer;
    }
    // The frame's close box: the answer of a box's last button (No, Cancel or OK).
    return box.buttons.isEmpty() ? Answer::Ok : box.buttons.last();
}

QString QtDialogs::askFile(QWidget* parent, const FileRequest& request) {
    parent = boxOwner(parent);
    switch (request.kind) {
    case FileRequestKind::Open:
        return QFileDialog::getOpenFileName(parent, request.caption, request.directory,
                                            request.filter);
    case FileRequestKind::Save: {
        // Saving over an existing file asks first, as the dialog does by default.
        QFileDialog dialog(parent, request.caption,
                           QDir(request.directory).filePath(request.fileName), request.filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(request.defaultSuffix);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    }
    case FileRequestKind::Directory:
        return QFileDialog::getExistingDirectory(parent, request.caption, request.directory);
    }
    return {};
}

std::optional<QString> QtDialogs::askText(QWidget* parent, const TextRequest& request) {
    parent = boxOwner(parent);
    bool ok = false;
    const QString text = QInputDialog::getText(
        parent, request.caption, request.prompt,
        request.password ? QLineEdit::Password : QLineEdit::Normal, request.text, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

} // namespace hoardly
