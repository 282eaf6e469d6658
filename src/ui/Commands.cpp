#include "Commands.h"

#include "Dialogs.h"
#include "data/Errors.h"

namespace hoardly {

bool runCommand(Dialogs& dialogs, QWidget* parent, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const StoreError& error) {
        dialogs.errorBox(parent, error.text());
    } catch (const FileError& error) {
        dialogs.errorBox(parent, error.text());
    }
    return false;
}

} // namespace hoardly
