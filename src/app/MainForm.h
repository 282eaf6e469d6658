#pragma once

#include "MainButtons.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

class QAction;
class QToolButton;

namespace hoardly {

struct AppContext;

// The main window: a bar of ten picture buttons that open the registers, the properties and
// the help, and close the program. It hides while a register window is shown.
class TMainForm final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMainForm)
public:
    explicit TMainForm(AppContext& context, QWidget* parent = nullptr);

    // What a register button opens: the function builds (or, for the address book, hands
    // back) the window. The button is enabled once the database is set up; pressing it gives
    // the window a random caption, shows it and hides the main window.
    void setRegisterOpener(MainButton button, std::function<QWidget*()> open);
    // Destroys the register windows that are still open, while the tables they use exist.
    void destroyOpenRegisters();
    // What a button shows modally over the main window, which stays (the properties window).
    void setDialogOpener(MainButton button, std::function<void()> showModally);

    // The first activation shows the intro through this; later ones never do.
    void setIntro(std::function<void()> showIntro) { showIntro_ = std::move(showIntro); }
    // Run once, at the first activation after the database was set up.
    void setReminderScan(std::function<void()> scan) { reminderScan_ = std::move(scan); }
    // Runs the closing backup: the backup directory and the directory the tables were
    // first recorded in. Called by "Close" after changes when the automatic backup is on.
    void setClosingBackup(std::function<void(const QString&, const QString&)> backup) {
        closingBackup_ = std::move(backup);
    }
    // Each tick of the music timer (MainTimer) runs this; without it a tick just stops the
    // timer again.
    void setMusicTick(std::function<void()> tick) { musicTick_ = std::move(tick); }

    // The music timer: 1000 ms, disabled until the database set-up enables it.
    QTimer& mainTimer() { return mainTimer_; }
    QToolButton* button(MainButton button) const;
    QAction* avslutaAction() const { return avsluta_; }

    // Runs at every activation; acts only at the first ones.
    void FormActivate();
    // The "Close" button: asks, makes the closing backup where due, ends the program.
    void CloseKnpClick();
    // Enables the buttons whose windows exist once the database is open.
    void updateButtons();

signals:
    // The main window has closed: the program ends.
    void programEnded();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QList<QPointer<QWidget>> builtRegisters_; // windows built per opening, destroyed on close
    void buildButtons();
    void queueActivation();
    void buttonClicked(MainButton button);
    void openRegister(MainButton button);
    void runClosingBackup();

    AppContext& context_;
    QMap<MainButton, QToolButton*> buttons_;
    QMap<MainButton, std::function<QWidget*()>> registerOpeners_;
    QMap<MainButton, std::function<void()>> dialogOpeners_;
    std::function<void()> showIntro_;
    std::function<void()> reminderScan_;
    std::function<void(const QString&, const QString&)> closingBackup_;
    std::function<void()> musicTick_;
    QTimer mainTimer_;
    QAction* avsluta_ = nullptr;
    bool introShown_ = false;
    bool activating_ = false;
    bool activationQueued_ = false;
    bool placed_ = false;
};

} // namespace hoardly
