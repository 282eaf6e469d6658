#pragma once

#include <QIcon>

namespace hoardly {

enum class LendingIconKind { Back, Returned, NoReminder };

// The pictures of the lending tool bars, drawn here so they need no image files.
QIcon lendingIcon(LendingIconKind kind);

} // namespace hoardly
