#include "Application.h"

#include "AboutBox.h"
#include "BackgroundMusic.h"
#include "DatabaseSetup.h"
#include "HelpForm.h"
#include "MainForm.h"
#include "MusicPlayer.h"
#include "TipsForm.h"
#include "Version.h"
#include "lending/EmailReminders.h"
#include "lending/LendingWindows.h"
#include "maintenance/BackUpForm.h"
#include "maintenance/ConfigForm.h"
#include "maintenance/Restore.h"
#include "registers/AdressForm.h"
#include "registers/FilmForm.h"
#include "registers/LiteratureForm.h"
#include "registers/MusikForm.h"
#include "registers/SoftwareForm.h"
#include "registers/ValueForm.h"
#include "security/CodeStoreForm.h"
#include "security/PasswordPrompt.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace hoardly {

Application::Application(Dialogs& dialogs, const QString& executableDirectory, AppOptions options)
    : dialogs_(dialogs), executableDirectory_(executableDirectory),
      options_(std::move(options)), context_{dialogs_, tdm_, run_, *this} {
    if (options_.helpDirectory.isEmpty())
        options_.helpDirectory = QDir(appDirFrom(executableDirectory_)).filePath(u"help"_s);
    if (!options_.quit)
        options_.quit = [] { QCoreApplication::quit(); };

    // The long-lived windows, in the order the program has always built them.
    mainForm_ = std::make_unique<TMainForm>(context_);
    // The music sounds through the main window's timer, which the set-up enables.
    player_ = std::make_unique<MusicPlayer>();
    music_ = std::make_unique<BackgroundMusic>(context_, mainForm_->mainTimer(), *player_);
    context_.music = music_.get();
    mainForm_->setMusicTick([this] { music_->songStart(); });
    intro_ = new TIntroForm(
        context_, executableDirectory_, [this] { mainForm_->mainTimer().start(); }, options_.intro,
        mainForm_.get());
    // Tips and About are called from register windows while the main window is hidden, so
    // they stand on their own.
    aboutBox_ = std::make_unique<TAboutBox>();
    tipsForm_ = std::make_unique<TTipsForm>();
    lending_ = std::make_unique<LendingWindows>(context_);
    context_.lending = lending_.get();
    // The address book lives for the whole run: the main window shows it again at each
    // opening, and the lend-out dialog files borrowers through it.
    adressForm_ = &addWindow<TAdressForm>(context_);
    lending_->setAddressBook(adressForm_);
    mainForm_->setRegisterOpener(MainButton::Addresses,
                                 [this]() -> QWidget* { return adressForm_; });
    // The properties window, modal over the main window, and the prompt it asks the current
    // password with.
    auto& currentPasswordPrompt = addWindow<TPwForm2>(context_);
    backUpForm_ = &addWindow<TBackUpForm>(context_);
    configForm_ =
        &addWindow<TConfigForm>(PropertiesParts{context_, currentPasswordPrompt, backupActions()});
    mainForm_->setClosingBackup([this](const QString& backupPath, const QString& applicationPath) {
        runBackup(
            context_, mainForm_.get(), backupPath, applicationPath, [this] { music_->stopMusic(); },
            options_.backup);
    });
    mainForm_->setDialogOpener(MainButton::Properties, [this] { configForm_->exec(); });

    mainForm_->setIntro([this] { showIntro(); });
    ReminderOptions reminderOptions;
    reminderOptions.downloadAddress = QString::fromLatin1(kDownloadAddress);
    reminders_ = std::make_unique<EmailReminders>(context_, mainForm_.get(), reminderOptions);
    mainForm_->setReminderScan([this] { reminders_->scan(); });
    mainForm_->setRegisterOpener(MainButton::Film,
                                 [this] { return new TFilmForm(context_, nullptr); });
    mainForm_->setRegisterOpener(MainButton::Literature,
                                 [this] { return new TBokForm(context_, nullptr); });
    mainForm_->setRegisterOpener(MainButton::Music,
                                 [this] { return new TMusikForm(context_, nullptr); });
    mainForm_->setRegisterOpener(MainButton::Software,
                                 [this] { return new TSoftwareForm(context_, nullptr); });
    // The code store asks its own prompt before a scramble pass.
    auto& codeStorePrompt = addWindow<TPwForm>(context_);
    mainForm_->setRegisterOpener(MainButton::Codes, [this, &codeStorePrompt] {
        return new TLosenOrdForm(context_, [&codeStorePrompt] { return codeStorePrompt.ask(); });
    });
    mainForm_->setRegisterOpener(MainButton::Inventory,
                                 [this] { return new TValueForm(context_, nullptr); });
    connect(mainForm_.get(), &TMainForm::programEnded, this, [this] { options_.quit(); });
}

Application::~Application() {
    // A register window still open at the end uses the tables: it goes before them, and so
    // does a reminder still on its way.
    mainForm_->destroyOpenRegisters();
    reminders_.reset();
    mainForm_->setMusicTick({});
    context_.music = nullptr;
    music_.reset();
    player_.reset();
    // The intro, when it never ran, goes with the main window; the others in reverse order.
    helpForm_.reset();
    lending_->setAddressBook(nullptr);
    adressForm_ = nullptr;
    configForm_ = nullptr;
    backUpForm_ = nullptr;
    while (!windows_.empty())
        windows_.pop_back();
    context_.lending = nullptr;
    lending_.reset();
    tipsForm_.reset();
    aboutBox_.reset();
    delete intro_.data();
    mainForm_.reset();
}

BackupActions Application::backupActions() {
    BackupActions actions;
    actions.backup = [this](QWidget* parent, const QString& backupPath,
                            const QString& applicationPath) {
        runBackup(
            context_, parent, backupPath, applicationPath, [this] { music_->stopMusic(); },
            options_.backup);
    };
    actions.chooseDirectory = [this](QWidget* parent,
                                     const std::function<void(const QString&)>& showPath) {
        chooseBackupDirectory(parent, showPath);
    };
    actions.restore = [this](QWidget* parent, const std::function<void()>& untick,
                             const std::function<void(const QString&)>& showPath) {
        RestoreSteps steps;
        steps.chooseDirectory = [this, parent, showPath] {
            chooseBackupDirectory(parent, showPath);
        };
        steps.untick = untick;
        steps.stopMusic = [this] { music_->stopMusic(); };
        // The restored tables are opened by the next start: this run ends without asking and
        // without a closing backup.
        steps.endProgram = [this] {
            configForm_->reject();
            mainForm_->close();
        };
        runRestore(context_, parent, steps);
    };
    return actions;
}

void Application::chooseBackupDirectory(QWidget*,
                                        const std::function<void(const QString&)>& showPath) {
    // The dialog lives for the whole run on its own, application-modal while it is shown.
    backUpForm_->setPathShown(showPath);
    backUpForm_->exec();
}

void Application::start() {
    mainForm_->show();
}

void Application::showIntro() {
    if (intro_)
        intro_->showModal();
}

THelpForm& Application::helpForm() {
    if (!helpForm_)
        helpForm_ = std::make_unique<THelpForm>(options_.helpDirectory);
    return *helpForm_;
}

void Application::showTips(const QStringList& lines) {
    tipsForm_->showTips(lines);
}

void Application::showAbout() {
    aboutBox_->adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        aboutBox_->move(screen->availableGeometry().center() - aboutBox_->rect().center());
    aboutBox_->exec();
}

void Application::openHelp() {
    helpForm().openContents();
}

void Application::openLink(const QString& address) {
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

void Application::showMainWindow() {
    mainForm_->show();
    mainForm_->raise();
    mainForm_->activateWindow();
}

} // namespace hoardly
