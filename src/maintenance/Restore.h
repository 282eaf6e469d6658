#pragma once

#include <functional>

class QWidget;

namespace hoardly {

struct AppContext;

// What the restore needs from the rest of the program.
struct RestoreSteps {
    std::function<void()> chooseDirectory; // the backup directory dialog, modal
    std::function<void()> untick;          // "Restore backup" is unticked
    std::function<void()> stopMusic;       // while the background music plays
    std::function<void()> endProgram;      // without the closing question or backup
};

// Copies the backup in the backup directory back over the application directory's files and
// ends the program, after the user has confirmed it. A backup whose table files do not all open
// as their tables is refused before anything is closed or replaced.
void runRestore(AppContext& context, QWidget* parent, const RestoreSteps& steps);

} // namespace hoardly
