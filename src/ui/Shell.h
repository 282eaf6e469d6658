#pragma once

#include <QStringList>

namespace hoardly {

class Dialogs;
class LendingCommand;
class TDM;
struct RunState;
namespace print {
class ListOutput;
}

// What the application shell offers every window: the shared tips, About and help windows,
// and the main window to come back to.
class Shell {
public:
    virtual ~Shell() = default;
    // Shows the tips window modally with these lines; an empty string is an empty line.
    virtual void showTips(const QStringList& lines) = 0;
    virtual void showAbout() = 0;
    virtual void openHelp() = 0;
    // A register window that closes hands the screen back to the main window.
    virtual void showMainWindow() = 0;
    // Asks the desktop to open a web address with its default action (the user's browser).
    // Nothing is reported when it cannot.
    virtual void openLink(const QString& address) = 0;
};

// The background music as the windows reach it.
class MusicSwitch {
public:
    virtual ~MusicSwitch() = default;
    // "Turn music off" ticked: nothing plays, and nothing starts, until it is unticked.
    virtual void turnMusicOff() = 0;
    // "Turn music off" unticked: the next song starts at the next tick of the music timer.
    virtual void turnMusicOn() = 0;
    // Before a backup or a restore: whatever plays stops.
    virtual void stopMusic() = 0;
    // "&Music on/off": stops what plays, or starts the music when nothing does.
    virtual void musicOnOff() = 0;
};

// Everything a window of the program works with, handed to it when it is built.
struct AppContext {
    Dialogs& dialogs;
    TDM& tdm;
    RunState& run;
    Shell& shell;
    // The lending command the registers share; set once the lending windows are built.
    LendingCommand* lending = nullptr;
    // Where printed lists go; none: Qt's print preview and the default printer.
    print::ListOutput* printing = nullptr;
    // The background music; none where a window is used without it (tests).
    MusicSwitch* music = nullptr;
};

} // namespace hoardly
