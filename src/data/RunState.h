#pragma once

#include <QString>

namespace hoardly {

// The kinds of object that can be lent out, by their number.
enum class LendObjectType { Film = 0, Musik = 1, Data = 2, Literatur = 3 };

// The values that exist once for the whole run, shared by every window.
struct RunState {
    QString appDir;           // the executable's directory: all tables lie here
    bool startupDone = false; // the intro has set up the database
    bool reminderScanDone = false;
    bool dataChanged = false;   // a record command changed something in this run
    bool closingBackup = false; // the running backup is part of closing the program
    bool musicStopped = false;
    bool musicRunning = false;
    LendObjectType lendObjectType = LendObjectType::Film;
    QString lendObjectName;
};

} // namespace hoardly
