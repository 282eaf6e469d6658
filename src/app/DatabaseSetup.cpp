#include "DatabaseSetup.h"

#include "data/Errors.h"
#include "data/OwnerOnlyFiles.h"
#include "data/RunState.h"
#include "data/SharedRoutines.h"
#include "data/TDM.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace hoardly {

QString appDirFrom(const QString& executableDirectory) {
    QString directory = QDir::fromNativeSeparators(executableDirectory);
    if (lastCharacter(directory) == u"/"_s && directory.size() > 1)
        directory.chop(1);
    return directory;
}

namespace {

void call(const std::function<void()>& step) {
    if (step)
        step();
}

// Opens the two tables that stay open for the whole run and records where the program was
// first started. A StoreError leaves both tables closed.
void openSettingsAndPickLists(TDM& tdm, const QString& appDir) {
    Table& config = tdm.configTb();
    Table& standard = tdm.standardTb();
    try {
        config.setDirectory(appDir);
        standard.setDirectory(appDir);
        config.open();
        standard.open();
        if (config.isEmpty())
            throw StoreError(u"The settings table has no settings record."_s);
        if (!config.asLogical(u"AppPathChecked"_s)) {
            config.edit();
            config.setText(u"Applikationpath"_s, appDir);
            config.setLogical(u"AppPathChecked"_s, true);
            config.post();
        }
    } catch (const StoreError&) {
        if (config.isOpen() && config.state() != TableState::Browse)
            config.cancel();
        config.close();
        standard.close();
        throw;
    }
}

void pointRegistersAt(TDM& tdm, const QString& appDir) {
    tdm.adressTb().setDirectory(appDir);
    tdm.filmTb().setDirectory(appDir);
    tdm.filmTb().selectIndex(u"Nummer"_s);
    for (Table* table : {&tdm.dataTb(), &tdm.bokTb(), &tdm.musikTb(), &tdm.songTb(), &tdm.kodTb(),
                         &tdm.borrowTb(), &tdm.valueTb()})
        table->setDirectory(appDir);
    tdm.filmQ().setDirectory(appDir);
}

} // namespace

DatabaseSetupResult setUpDatabase(TDM& tdm, RunState& run, const QString& executableDirectory,
                                  const DatabaseSetupSteps& steps) {
    run.appDir = appDirFrom(executableDirectory);
    try {
        openSettingsAndPickLists(tdm, run.appDir);
    } catch (const StoreError&) {
        return DatabaseSetupResult::DatabaseError;
    }
    call(steps.letWindowsPaint);
    pointRegistersAt(tdm, run.appDir);
    call(steps.pause);
    run.startupDone = true;
    call(steps.enableMusicTimer);
    // A settings or code file copied in from elsewhere may be readable by others; the
    // program is usable all the same when this fails, and the error box says why.
    keepOwnerOnlyTables(run.appDir);
    return DatabaseSetupResult::Done;
}

} // namespace hoardly
