#pragma once

#include "FakeShell.h"
#include "ScriptedDialogs.h"
#include "TempCatalogue.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "ui/Shell.h"

#include <memory>

namespace hoardly::test {

// What a window of the program is built with, over a catalogue of its own: the tables
// pointed at it with the settings open (as after the start-up), the run-wide values, the
// scripted dialogs and a fake shell. One for each test function.
struct ContextFixture {
    ContextFixture() {
        tdm.setDirectoryOfClosed(catalogue.path());
        tdm.configTb().open();
    }
    // Changes the settings record in the file and lets the table object see it.
    void setConfig(const QString& assignments) {
        using namespace Qt::StringLiterals;
        catalogue.exec(u"Config.db"_s, u"UPDATE Config SET "_s + assignments);
        tdm.configTb().refresh();
    }

    TempCatalogue catalogue;
    TDM tdm;
    RunState run;
    ScriptedDialogs dialogs;
    FakeShell shell;
    AppContext context{dialogs, tdm, run, shell};
};

} // namespace hoardly::test
