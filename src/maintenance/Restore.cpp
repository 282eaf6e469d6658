#include "Restore.h"

#include "BackupPlan.h"
#include "FileCopyFacility.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "ui/Dialogs.h"
#include "ui/Shell.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

void call(const std::function<void()>& step) {
    if (step)
        step();
}

bool backupDirectoryConfirmed(AppContext& context, QWidget* parent, const RestoreSteps& steps,
                              const QString& backupPath) {
    Dialogs& dialogs = context.dialogs;
    if (backupPath.isEmpty()) {
        dialogs.show(parent, {BoxKind::Confirm, u"Confirm"_s,
                              u"Select the directory where your backupfiles are stored."_s,
                              BoxIcon::Question});
        call(steps.chooseDirectory);
        call(steps.untick);
        return false;
    }
    // The stop itself knows whether anything plays, an MP3 included.
    call(steps.stopMusic);
    if (!dialogs.question(parent, u"Säkerhetsfolder"_s,
                          u"Are you sure your backupfiles are in the directory "_s +
                              QDir::toNativeSeparators(backupPath) + u"?"_s)) {
        dialogs.information(parent, u"Select the directory where your backupfiles are and start "
                                    "up the restore process again."_s);
        call(steps.chooseDirectory);
        call(steps.untick);
        return false;
    }
    if (!QFileInfo(backupPath).isDir()) {
        dialogs.error(parent, u"Diretcory "_s + QDir::toNativeSeparators(backupPath) +
                                  u"does not exist!. Abort."_s);
        call(steps.untick);
        return false;
    }
    return true;
}

} // namespace

void runRestore(AppContext& context, QWidget* parent, const RestoreSteps& steps) {
    Dialogs& dialogs = context.dialogs;
    const Table& config = context.tdm.configTb();
    const QString backupPath = config.asText(u"Backuppath"_s);
    const QString applicationPath = config.asText(u"Applikationpath"_s);
    if (!backupDirectoryConfirmed(context, parent, steps, backupPath))
        return;
    if (!dialogs.question(
            parent, u"Start the restoreprocess"_s,
            u"Warning! This action will replace all your database files with the files from your "
            "backupdirectory. After this process Hoardly will shut down and you must restart "
            "Hoardly. Are you absolute sure you want do start the restore process?"_s,
            BoxIcon::Exclamation))
        return;
    // A damaged backup would replace good tables with bad ones: it is refused while nothing
    // has been touched yet.
    if (const QString fault = checkBackupTables(backupPath); !fault.isEmpty()) {
        dialogs.error(parent, fault + u"\n\nNothing was restored. Choose a backup directory whose "
                                      "table files are whole."_s);
        call(steps.untick);
        return;
    }
    context.tdm.closeAll();
    const QString musicBackup = QDir(backupPath).filePath(kMidiDirectory);
    const QString musicFolder = QDir(applicationPath).filePath(kMidiDirectory);
    QPointer<QWidget> owner(parent);
    const auto shutDown = [&dialogs, owner, endProgram = steps.endProgram](bool) {
        dialogs.message(owner, u"Hoardly will now shut down. Restart it."_s);
        call(endProgram);
    };
    copyFiles(
        dialogs, parent, {backupPath, applicationPath, u"*.*"_s, true, true},
        [&dialogs, owner, musicBackup, musicFolder, shutDown](bool) {
            copyFiles(dialogs, owner, {musicBackup, musicFolder, u"*.*"_s, true, true}, shutDown);
        });
}

} // namespace hoardly
