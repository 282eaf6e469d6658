#include "SettingsRecord.h"

#include "Table.h"

namespace hoardly {

void changeSettings(Table& config, const std::function<void()>& write) {
    try {
        config.edit();
        write();
        config.post();
    } catch (...) {
        config.cancel();
        throw;
    }
}

} // namespace hoardly
