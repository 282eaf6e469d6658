#pragma once

#include <functional>

namespace hoardly {

class Table;

// Changes the one settings record at once, as every setting is changed: edit, write the
// fields, post. A failure cancels the edit, so the table object keeps what the file says, and
// reaches the caller.
void changeSettings(Table& config, const std::function<void()>& write);

} // namespace hoardly
