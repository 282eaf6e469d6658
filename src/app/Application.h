#pragma once

#include "IntroForm.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "maintenance/BackupProcessForm.h"
#include "maintenance/BackupsGroup.h"
#include "ui/Shell.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

namespace hoardly {

class EmailReminders;
class LendingWindows;
class BackgroundMusic;
class MusicPlayer;
class TAboutBox;
class TAdressForm;
class TBackUpForm;
class TConfigForm;
class THelpForm;
class TMainForm;
class TTipsForm;

struct AppOptions {
    IntroTimings intro;
    BackupTimings backup;
    QString helpDirectory;      // empty: the "help" folder beside the executable
    std::function<void()> quit; // ends the program; empty: leave the event loop
};

// The running program: the run-wide values, the table holder and the windows that live for
// the whole run, created in start-up order. It is the Shell every window is handed.
class Application final : public QObject, public Shell {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Application)
public:
    // The program takes nothing from its command line: the executable's directory is all it
    // needs to find its tables (tests hand it a directory of their own).
    Application(Dialogs& dialogs, const QString& executableDirectory, AppOptions options = {});
    ~Application() override;

    // Shows the main window; its first activation brings up the intro.
    void start();

    AppContext& context() { return context_; }
    RunState& run() { return run_; }
    TDM& tdm() { return tdm_; }
    Dialogs& dialogs() { return dialogs_; }
    TMainForm& mainForm() { return *mainForm_; }
    // The intro until it has done the set-up and closed; null afterwards.
    TIntroForm* introForm() const { return intro_.data(); }
    TTipsForm& tipsForm() { return *tipsForm_; }
    TAboutBox& aboutBox() { return *aboutBox_; }
    THelpForm& helpForm();
    LendingWindows& lending() { return *lending_; }
    // The reminder scan that the main window's first activation runs.
    EmailReminders& reminders() { return *reminders_; }
    // The address book, built at start-up and kept for the whole run.
    TAdressForm& adressForm() { return *adressForm_; }
    // The properties window, built at start-up and kept for the whole run.
    TConfigForm& configForm() { return *configForm_; }
    // The backup directory dialog, built at start-up; it opens again where it was left.
    TBackUpForm& backUpForm() { return *backUpForm_; }
    // The background music and the player it sounds through.
    BackgroundMusic& music() { return *music_; }
    MusicPlayer& musicPlayer() { return *player_; }

    // Keeps a window that lives for the whole run; windows are destroyed in reverse order.
    template <typename Window, typename... Args> Window& addWindow(Args&&... args) {
        auto window = std::make_unique<Window>(std::forward<Args>(args)...);
        Window& made = *window;
        windows_.push_back(std::move(window));
        return made;
    }

    // Shell
    void showTips(const QStringList& lines) override;
    void showAbout() override;
    void openHelp() override;
    void showMainWindow() override;
    void openLink(const QString& address) override;

private:
    void showIntro();
    BackupActions backupActions();
    void chooseBackupDirectory(QWidget* parent,
                               const std::function<void(const QString&)>& showPath);

    Dialogs& dialogs_;
    QString executableDirectory_;
    AppOptions options_;
    RunState run_;
    TDM tdm_;
    AppContext context_;
    std::unique_ptr<TMainForm> mainForm_;
    std::unique_ptr<MusicPlayer> player_;
    std::unique_ptr<BackgroundMusic> music_;
    QPointer<TIntroForm> intro_;
    std::unique_ptr<TAboutBox> aboutBox_;
    std::unique_ptr<TTipsForm> tipsForm_;
    std::unique_ptr<LendingWindows> lending_;
    std::unique_ptr<EmailReminders> reminders_;
    std::vector<std::unique_ptr<QObject>> windows_;
    TAdressForm* adressForm_ = nullptr; // one of windows_
    TConfigForm* configForm_ = nullptr; // one of windows_
    TBackUpForm* backUpForm_ = nullptr; // one of windows_
    std::unique_ptr<THelpForm> helpForm_;
};

} // namespace hoardly
