#pragma once

#include "BackupPlan.h"

#include <QDialog>
#include <functional>

class QLabel;
class QListWidget;
class QProgressBar;

namespace hoardly {

struct AppContext;

// The pauses of a backup run, in milliseconds; tests make them short.
struct BackupTimings {
    int start = 1000;        // after the window opens
    int afterSet = 100;      // after each set of files is listed
    int afterListing = 1000; // after the listing has finished
    int afterCopying = 2500; // after the last file is copied
};

// The backup window: lists the files of the application directory that a backup takes, then
// copies them into the backup directory, each copy replacing the old one only once it is
// whole, and closes itself. No command of the program runs meanwhile: the window is modal and
// its pauses are timers, not loops of their own.
class TBackUpProcessForm final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBackUpProcessForm)
public:
    TBackUpProcessForm(AppContext& context, const QString& backupPath,
                       const QString& applicationPath, BackupTimings timings = {},
                       QWidget* parent = nullptr);

    // Stops the background music before the listing, while it plays.
    void setMusicStop(std::function<void()> stopMusic) { stopMusic_ = std::move(stopMusic); }

    QStringList listedNames() const;
    QString status() const;
    int barValue() const;

    // The window goes only by itself, when the run has ended.
    void reject() override {}

protected:
    void showEvent(QShowEvent* event) override;

private:
    void after(int milliseconds, void (TBackUpProcessForm::*step)());
    void startListing();
    void listSet();
    void endListing();
    void startCopying();
    bool backupDirectoryReady();
    void copySet();
    void copyMusicFolder();
    void endCopying();
    void reopenSettingsAndPickLists();
    void finish();
    void fail(const QString& text);
    void advanceBar(int step);

    AppContext& context_;
    QString backupPath_;
    QString applicationPath_;
    BackupTimings timings_;
    std::function<void()> stopMusic_;
    bool started_ = false;
    qsizetype setAt_ = 0; // the set being listed or copied
    QList<BackupFileSet> copyingOrder_;
    QList<ListedFile> listed_;
    qint64 totalSize_ = 0;
    QLabel* countLabel_;
    QLabel* sizeLabel_;
    QLabel* fileLabel_;
    QListWidget* fileList_;
    QLabel* statusLabel_;
    QProgressBar* bar_;
};

// Runs a backup in its window, over `parent`, and returns when it has ended.
void runBackup(AppContext& context, QWidget* parent, const QString& backupPath,
               const QString& applicationPath, const std::function<void()>& stopMusic = {},
               BackupTimings timings = {});

} // namespace hoardly
