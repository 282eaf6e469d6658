#pragma once

#include "ui/Shell.h"

#include <QList>
#include <QStringList>

namespace hoardly::test {

// The shell as the register windows see it, recording what they ask of it.
class FakeShell final : public Shell {
public:
    void showTips(const QStringList& lines) override { tips << lines; }
    void showAbout() override { ++aboutShown; }
    void openHelp() override { ++helpOpened; }
    void showMainWindow() override { ++mainWindowShown; }
    void openLink(const QString& address) override { linksOpened << address; }

    QList<QStringList> tips;
    int aboutShown = 0;
    int helpOpened = 0;
    int mainWindowShown = 0;
    QStringList linksOpened;
};

} // namespace hoardly::test
