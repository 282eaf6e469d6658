#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <functional>

class QWidget;

namespace hoardly {

class Dialogs;

// Shows a window's store and file errors, one box per fault: a fault that several controls
// meet in one turn of the event loop (a missing column bound to six of them) is shown once.
// A window that has one makes it a child of itself; runCommand finds it there.
class FaultReporter final : public QObject {
    Q_OBJECT
public:
    FaultReporter(Dialogs& dialogs, QWidget* window);

    // A fault met by a control outside any command.
    void report(const QString& text);
    // A command's fault: always shown, as the user asked for the command just now.
    void reportCommandFault(const QString& text);

private:
    void show(const QString& text);

    Dialogs& dialogs_;
    QWidget* window_;
    QSet<QString> shownThisTurn_;
    bool showing_ = false;
    bool clearing_ = false;
};

// Runs one command. A store or file error stops it and shows its text in the default error
// box (through the window's FaultReporter when it has one); the window keeps running. Returns
// whether the command ran to its end.
bool runCommand(Dialogs& dialogs, QWidget* parent, const std::function<void()>& command);
// Reports a fault as runCommand does, for work that failed after its command had returned.
void reportFault(Dialogs& dialogs, QWidget* parent, const QString& fault);

} // namespace hoardly
