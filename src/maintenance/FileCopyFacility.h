#pragma once

#include "FileCopy.h"

#include <QString>
#include <functional>

class QWidget;

namespace hoardly {

class Dialogs;

struct FileCopyRequest {
    QString sourceDirectory;
    QString destinationDirectory;
    QString mask;
    // A missing destination is made without asking; otherwise the user is asked first.
    bool createDirectory = false;
    // Each file that exists at the destination is replaced only when the user says so.
    bool askBeforeReplacing = true;
};

// Copies the files of a directory that match a mask into another directory under their own
// names, each one safely (see copyFileSafely), on a thread of the pool while a progress window
// shows which file is copied and can break the copy off. A failure or a break ends in one
// "Error" box. `done` hears, on the GUI thread, whether every file meant to be copied was.
void copyFiles(Dialogs& dialogs, QWidget* parent, const FileCopyRequest& request,
               std::function<void(bool copied)> done);

} // namespace hoardly
