#pragma once

#include "ui/Dialogs.h"
#include "ui/Shell.h"

#include <QTextStream>

namespace hoardly::bench {

// What the windows are handed in a benchmark run with nobody at the screen: a shell that
// does nothing, and dialogs for which every box is a failure of the run, written to stdout.
class NoShell final : public Shell {
public:
    void showTips(const QStringList&) override {}
    void showAbout() override {}
    void openHelp() override {}
    void showMainWindow() override {}
    void openLink(const QString&) override {}
};

class FailingDialogs final : public Dialogs {
public:
    Answer show(QWidget*, const Box& box) override {
        QTextStream(stdout) << "UNEXPECTED BOX: " << box.caption << ": " << box.text << "\n";
        return Answer::Ok;
    }
    QString askFile(QWidget*, const FileRequest&) override { return {}; }
    std::optional<QString> askText(QWidget*, const TextRequest&) override { return {}; }
};

} // namespace hoardly::bench
