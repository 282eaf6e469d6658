#include "EpostForm.h"

#include "ui/Dialogs.h"
#include "ui/Icons.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {
constexpr int kPictureSize = 48;
}

TEpostForm::TEpostForm(Dialogs& dialogs, QWidget* mainWindow)
    // A window of its own: as a child of the main window it would be disabled with it.
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      dialogs_(dialogs), mainWindow_(mainWindow) {
    setObjectName(u"EpostForm"_s);
    setWindowTitle(u"Reminders by E-mail"_s);
    setAttribute(Qt::WA_DeleteOnClose);

    statusLabel_ = new QLabel(QString::fromUtf8(reminderText::kInitial), this);
    statusLabel_->setObjectName(u"StatusLabel"_s);
    statusLabel_->setTextFormat(Qt::PlainText);
    statusLabel_->setWordWrap(true);
    statusLabel_->setMinimumWidth(440); // the longest status on one line
    auto* picture = new QLabel(this);
    picture->setObjectName(u"Picture"_s);
    picture->setPixmap(registerPicture(Picture::Mail, kPictureSize));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(u"ProgressBar"_s);
    bar_->setRange(0, 100);
    bar_->setValue(0);

    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addWidget(statusLabel_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addWidget(bar_);
}

TEpostForm::~TEpostForm() {
    // However the window goes, the main window is usable again.
    enableMainWindow(true);
}

QString TEpostForm::statusText() const {
    return statusLabel_->text();
}

int TEpostForm::barValue() const {
    return bar_->value();
}

void TEpostForm::begin() {
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    enableMainWindow(false);
    setCursor(Qt::WaitCursor);
}

void TEpostForm::setStatus(const QString& text) {
    statusLabel_->setText(text);
}

void TEpostForm::setBar(int value) {
    bar_->setValue(value);
}

void TEpostForm::tell(const QString& text) {
    dialogs_.message(this, text);
}

void TEpostForm::end() {
    unsetCursor();
    enableMainWindow(true);
    ending_ = true;
    close();
}

void TEpostForm::closeEvent(QCloseEvent* event) {
    // No close control: only the end of the sending closes the window.
    if (ending_)
        event->accept();
    else
        event->ignore();
}

void TEpostForm::enableMainWindow(bool enabled) {
    if (!mainWindow_ || mainDisabled_ == !enabled)
        return;
    mainWindow_->setEnabled(enabled);
    mainDisabled_ = !enabled;
}

} // namespace hoardly
