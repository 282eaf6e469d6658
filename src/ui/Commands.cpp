#include "Commands.h"

#include "Dialogs.h"
#include "data/Errors.h"

#include <QTimer>
#include <QWidget>

namespace hoardly {

FaultReporter::FaultReporter(Dialogs& dialogs, QWidget* window)
    : QObject(window), dialogs_(dialogs), window_(window) {}

void FaultReporter::report(const QString& text) {
    if (!shownThisTurn_.contains(text))
        show(text);
}

void FaultReporter::reportCommandFault(const QString& text) {
    show(text);
}

void FaultReporter::show(const QString& text) {
    // A control that fails again while the box is up is the same fault.
    if (showing_)
        return;
    shownThisTurn_.insert(text);
    showing_ = true;
    dialogs_.errorBox(window_, text);
    showing_ = false;
    // The turn ends when the event loop runs again; a later failure is news to the user.
    if (!clearing_) {
        clearing_ = true;
        QTimer::singleShot(0, this, [this] {
            shownThisTurn_.clear();
            clearing_ = false;
        });
    }
}

namespace {

FaultReporter* reporterOf(QWidget* parent) {
    QWidget* window = parent ? parent->window() : nullptr;
    return window ? window->findChild<FaultReporter*>(QString(), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

} // namespace

bool runCommand(Dialogs& dialogs, QWidget* parent, const std::function<void()>& command) {
    QString fault;
    try {
        command();
        return true;
    } catch (const StoreError& error) {
        fault = error.text();
    } catch (const FileError& error) {
        fault = error.text();
    }
    reportFault(dialogs, parent, fault);
    return false;
}

void reportFault(Dialogs& dialogs, QWidget* parent, const QString& fault) {
    if (FaultReporter* reporter = reporterOf(parent))
        reporter->reportCommandFault(fault);
    else
        dialogs.errorBox(parent, fault);
}

} // namespace hoardly
