#include "MainForm.h"

#include "Artwork.h"
#include "Version.h"
#include "data/RunState.h"
#include "data/SharedRoutines.h"
#include "data/TDM.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/Shell.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScopedValueRollback>
#include <QScreen>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

bool needsDatabase(MainButton button) {
    return button != MainButton::Close && button != MainButton::Help;
}

} // namespace

TMainForm::TMainForm(AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      context_(context) {
    setObjectName(u"MainForm"_s);
    setWindowTitle(QString::fromLatin1(kMainWindowCaption));
    setWindowIcon(programIcon());
    buildButtons();

    // The pop-up menu's one entry; F4 works without opening the menu too.
    avsluta_ = new QAction(u"Avsluta"_s, this);
    avsluta_->setObjectName(u"avslutaAction"_s);
    avsluta_->setShortcut(Qt::Key_F4);
    avsluta_->setShortcutContext(Qt::WindowShortcut);
    connect(avsluta_, &QAction::triggered, this, &QWidget::close);
    addAction(avsluta_);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    mainTimer_.setObjectName(u"MainTimer"_s);
    mainTimer_.setInterval(1000);
    connect(&mainTimer_, &QTimer::timeout, this, [this] {
        if (musicTick_)
            musicTick_();
        else
            mainTimer_.stop();
    });
    updateButtons();
}

void TMainForm::buildButtons() {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    for (const MainButtonInfo& info : kMainButtons) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(info.objectName));
        button->setToolTip(QString::fromLatin1(info.hint));
        button->setAccessibleName(QString::fromLatin1(info.hint));
        button->setIcon(mainButtonIcon(info.button));
        button->setIconSize(QSize(40, 40));
        button->setFixedSize(58, 58);
        button->setFocusPolicy(Qt::TabFocus);
        const MainButton which = info.button;
        connect(button, &QToolButton::clicked, this, [this, which] { buttonClicked(which); });
        layout->addWidget(button);
        buttons_.insert(info.button, button);
        if (info.button == MainButton::Close)
            layout->addSpacing(8); // the close button stands apart from the registers
        if (info.button == MainButton::Addresses)
            layout->addSpacing(8); // and the registers apart from properties and help
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QToolButton* TMainForm::button(MainButton button) const {
    return buttons_.value(button);
}

void TMainForm::setRegisterOpener(MainButton button, std::function<QWidget*()> open) {
    registerOpeners_.insert(button, std::move(open));
    updateButtons();
}

void TMainForm::setDialogOpener(MainButton button, std::function<void()> showModally) {
    dialogOpeners_.insert(button, std::move(showModally));
    updateButtons();
}

void TMainForm::updateButtons() {
    for (auto it = buttons_.cbegin(); it != buttons_.cend(); ++it) {
        const MainButton which = it.key();
        const bool hasWindow = !needsDatabase(which) || registerOpeners_.contains(which) ||
                               dialogOpeners_.contains(which);
        it.value()->setEnabled(hasWindow && (!needsDatabase(which) || context_.run.startupDone));
    }
}

void TMainForm::buttonClicked(MainButton button) {
    switch (button) {
    case MainButton::Close:
        CloseKnpClick();
        return;
    case MainButton::Help:
        runCommand(context_.dialogs, this, [this] { context_.shell.openHelp(); });
        return;
    default:
        break;
    }
    if (registerOpeners_.contains(button))
        openRegister(button);
    else if (dialogOpeners_.contains(button))
        runCommand(context_.dialogs, this, dialogOpeners_.value(button));
}

void TMainForm::destroyOpenRegisters() {
    for (const QPointer<QWidget>& window : std::as_const(builtRegisters_))
        delete window.data();
    builtRegisters_.clear();
}

void TMainForm::openRegister(MainButton button) {
    runCommand(context_.dialogs, this, [this, button] {
        QWidget* window = registerOpeners_.value(button)();
        if (!window)
            return;
        if (window->testAttribute(Qt::WA_DeleteOnClose)) {
            builtRegisters_.removeAll(nullptr);
            builtRegisters_ << window;
        }
        window->setWindowTitle(randomCaptionText(context_.run.appDir));
        // The inventory window is shown after the main window hides; the others before.
        if (button == MainButton::Inventory) {
            hide();
            window->show();
        } else {
            window->show();
            hide();
        }
    });
}

void TMainForm::FormActivate() {
    if (activating_)
        return;
    const QScopedValueRollback guard(activating_, true);
    // Only one intro a run: after a failed set-up the program stays usable for closing.
    if (!context_.run.startupDone && !introShown_) {
        introShown_ = true;
        if (showIntro_)
            showIntro_();
    }
    if (context_.run.startupDone && !context_.run.reminderScanDone && reminderScan_)
        runCommand(context_.dialogs, this, reminderScan_);
    context_.run.reminderScanDone = true;
    updateButtons();
}

void TMainForm::CloseKnpClick() {
    runCommand(context_.dialogs, this, [this] {
        if (!context_.dialogs.question(this, u"Close"_s,
                                       u"This action will close Hoardly. Is that what you want?"_s))
            return;
        runClosingBackup();
        close();
    });
}

void TMainForm::runClosingBackup() {
    Table& config = context_.tdm.configTb();
    // Without an open settings table the start-up failed and nothing can have changed.
    if (!context_.run.dataChanged || !config.isOpen() || !config.asLogical(u"Backup"_s))
        return;
    const QString backupPath = config.asText(u"Backuppath"_s);
    if (backupPath.isEmpty()) {
        context_.dialogs.error(
            this, u"You have not select a backup directory. Closing down without backup"_s);
        return;
    }
    if (!closingBackup_)
        return;
    context_.run.closingBackup = true;
    closingBackup_(backupPath, config.asText(u"Applikationpath"_s));
}

void TMainForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        queueActivation();
}

void TMainForm::queueActivation() {
    // The activation's work opens modal windows; it runs once the event that asked for it is
    // delivered.
    if (activationQueued_)
        return;
    activationQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            activationQueued_ = false;
            FormActivate();
        },
        Qt::QueuedConnection);
}

void TMainForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (placed_)
        return;
    placed_ = true;
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // A desktop without a window manager never activates the window; the start-up must not
    // depend on it.
    queueActivation();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    event->accept();
    mainTimer_.stop();
    emit programEnded();
}

} // namespace hoardly
