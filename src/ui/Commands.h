#pragma once

#include <functional>

class QWidget;

namespace hoardly {

class Dialogs;

// Runs one command. A store or file error stops it and shows its text in the default error
// box; the window keeps running. Returns whether the command ran to its end.
bool runCommand(Dialogs& dialogs, QWidget* parent, const std::function<void()>& command);

} // namespace hoardly
