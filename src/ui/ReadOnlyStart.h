#pragma once

class QLineEdit;

namespace hoardly {

// Keeps a read-only box showing the start of a value wider than itself, where a person begins
// to read (a box shows the end of what was put into it); made editable, its caret goes after
// the text, where typing usually goes on.
void showStartWhileReadOnly(QLineEdit* edit);

} // namespace hoardly
