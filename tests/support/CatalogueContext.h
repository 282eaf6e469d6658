#pragma once

#include "FakeShell.h"
#include "ScriptedDialogs.h"
#include "TempCatalogue.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "ui/Shell.h"

namespace hoardly::test {

// What a window test starts from: a catalogue directory of its own, the table holder pointed
// at it, the run-wide values, scripted boxes, a recording shell and the context over them.
struct CatalogueContext {
    CatalogueContext() { tdm.setDirectoryOfClosed(catalogue.path()); }

    TempCatalogue catalogue;
    TDM tdm;
    RunState run;
    ScriptedDialogs dialogs;
    FakeShell shell;
    AppContext context{dialogs, tdm, run, shell};
};

} // namespace hoardly::test
