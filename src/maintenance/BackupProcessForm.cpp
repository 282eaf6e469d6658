#include "BackupProcessForm.h"

#include "FileCopyFacility.h"
#include "data/Errors.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/Shell.h"

#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

QLabel* valueLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(u"N/A"_s, parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

TBackUpProcessForm::TBackUpProcessForm(AppContext& context, const QString& backupPath,
                                       const QString& applicationPath, BackupTimings timings,
                                       QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      context_(context), backupPath_(backupPath), applicationPath_(applicationPath),
      timings_(timings), copyingOrder_(backupFileSetsInCopyingOrder()) {
    setObjectName(u"BackUpProcessForm"_s);
    setWindowTitle(u"Backup process"_s);
    auto* destination = new QLabel(QDir::toNativeSeparators(backupPath), this);
    destination->setObjectName(u"DestinationLabel"_s);
    auto* source = new QLabel(QDir::toNativeSeparators(applicationPath), this);
    source->setObjectName(u"SourceLabel"_s);
    countLabel_ = valueLabel(u"CountLabel"_s, this);
    sizeLabel_ = valueLabel(u"SizeLabel"_s, this);
    fileLabel_ = valueLabel(u"FileLabel"_s, this);
    fileList_ = new QListWidget(this);
    fileList_->setObjectName(u"FileList"_s);
    statusLabel_ = new QLabel(u"Reading files.....please wait......."_s, this);
    statusLabel_->setObjectName(u"StatusLabel"_s);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(u"ProgressBar"_s);
    bar_->setRange(0, 100);
    bar_->setValue(0);

    auto* facts = new QFormLayout;
    facts->addRow(u"Destination:"_s, destination);
    facts->addRow(u"Source:"_s, source);
    facts->addRow(u"Files count:"_s, countLabel_);
    facts->addRow(u"Total size in bytes :"_s, sizeLabel_);
    facts->addRow(u"Filename:"_s, fileLabel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(facts);
    layout->addWidget(fileList_, 1);
    layout->addWidget(statusLabel_);
    layout->addWidget(bar_);
    resize(520, 420);
}

QStringList TBackUpProcessForm::listedNames() const {
    QStringList names;
    for (int row = 0; row < fileList_->count(); ++row)
        names << fileList_->item(row)->text();
    return names;
}

QString TBackUpProcessForm::status() const {
    return statusLabel_->text();
}

int TBackUpProcessForm::barValue() const {
    return bar_->value();
}

void TBackUpProcessForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    if (std::exchange(started_, true))
        return;
    after(timings_.start, &TBackUpProcessForm::startListing);
}

void TBackUpProcessForm::after(int milliseconds, void (TBackUpProcessForm::*step)()) {
    QTimer::singleShot(milliseconds, this, [this, step] {
        // A step's store error ends the run with the default error box, like any command's.
        if (!runCommand(context_.dialogs, this, [this, step] { (this->*step)(); }))
            finish();
    });
}

void TBackUpProcessForm::advanceBar(int step) {
    bar_->setValue(std::min(bar_->maximum(), bar_->value() + step));
}

void TBackUpProcessForm::fail(const QString& text) {
    context_.dialogs.error(this, text);
    finish();
}

void TBackUpProcessForm::startListing() {
    if (context_.run.musicRunning && stopMusic_)
        stopMusic_();
    totalSize_ = 0;
    listed_.clear();
    countLabel_->setText(u"0"_s);
    sizeLabel_->setText(u"0"_s);
    const QString unreadable =
        QFileInfo(applicationPath_).isDir()
            ? QString()
            : u"The folder %1 cannot be read."_s.arg(QDir::toNativeSeparators(applicationPath_));
    // A table left in the middle of a write is brought back first, so its copy is whole.
    const QString fault =
        unreadable.isEmpty() ? settleInterruptedWrites(applicationPath_) : unreadable;
    if (!fault.isEmpty())
        return fail(u"Something is wrong here. Please try again"_s + u"\n\n"_s + fault);
    setAt_ = 0;
    listSet();
}

void TBackUpProcessForm::listSet() {
    const BackupFileSet& set = backupFileSets().at(setAt_);
    for (const ListedFile& file : listFileSet(applicationPath_, set)) {
        listed_.append(file);
        totalSize_ += file.size;
        countLabel_->setText(QString::number(listed_.size()));
        sizeLabel_->setText(QString::number(totalSize_));
        fileLabel_->setText(file.name);
        fileList_->addItem(file.name);
    }
    advanceBar(set.listingStep);
    ++setAt_;
    after(timings_.afterSet, setAt_ < backupFileSets().size() ? &TBackUpProcessForm::listSet
                                                              : &TBackUpProcessForm::endListing);
}

void TBackUpProcessForm::endListing() {
    statusLabel_->setText(u"Reading files..............Finish.."_s);
    after(timings_.afterListing, &TBackUpProcessForm::startCopying);
}

void TBackUpProcessForm::startCopying() {
    bar_->setValue(0);
    statusLabel_->setText(u"Copy files to the destination directory...........PLease wait..."_s);
    fileList_->sortItems();
    statusLabel_->setText(u"Copying files..........."_s);
    if (!backupDirectoryReady())
        return;
    context_.tdm.closeAll();
    setAt_ = 0;
    copySet();
}

bool TBackUpProcessForm::backupDirectoryReady() {
    if (backupPath_.isEmpty()) {
        fail(u"You must choice a backup directory "_s);
        return false;
    }
    if (QFileInfo(backupPath_).isDir())
        return true;
    if (!context_.dialogs.question(this, u"Create directory?"_s,
                                   u"The directory "_s + QDir::toNativeSeparators(backupPath_) +
                                       u" does not exist. Create that directory?"_s)) {
        fail(u"Interupt backupprocess"_s);
        return false;
    }
    if (QDir().mkpath(backupPath_))
        return true;
    fail(u"Could not create the destination directory. Check your drive!"_s);
    return false;
}

void TBackUpProcessForm::copySet() {
    const BackupFileSet set = copyingOrder_.at(setAt_);
    if (set.inMidi)
        return copyMusicFolder();
    FileCopyRequest request{context_.run.appDir, backupPath_, set.mask, false, false};
    // The old copies are replaced, never asked about: each is kept until its new copy is whole.
    copyFiles(context_.dialogs, this, request, [this, step = set.copyingStep](bool) {
        advanceBar(step);
        ++setAt_;
        copySet();
    });
}

void TBackUpProcessForm::copyMusicFolder() {
    statusLabel_->setText(u"Copy musicfiles........"_s);
    const QString musicBackup = QDir(backupPath_).filePath(kMidiDirectory);
    if (!QFileInfo(musicBackup).isDir() && !QDir().mkpath(musicBackup))
        return fail(u"Could not create destination directory for the musicfiles. Check your "
                    "Drive.!"_s);
    const BackupFileSet& set = copyingOrder_.at(setAt_);
    FileCopyRequest request{QDir(context_.run.appDir).filePath(kMidiDirectory), musicBackup,
                            set.mask, false, false};
    copyFiles(context_.dialogs, this, request,
              [this, musicBackup, step = set.copyingStep](bool copied) {
                  advanceBar(step);
                  // The music list and caption texts the application no longer has go from the
                  // backup too, but only once everything new is in.
                  if (copied) {
                      QStringList listedMidi;
                      for (const ListedFile& file : listed_)
                          if (file.inMidi)
                              listedMidi << file.name;
                      for (const QString& name : staleMusicFolderCopies(listedMidi))
                          QFile::remove(QDir(musicBackup).filePath(name));
                  }
                  statusLabel_->setText(u"Finish..........."_s);
                  after(timings_.afterCopying, &TBackUpProcessForm::endCopying);
              });
}

void TBackUpProcessForm::endCopying() {
    reopenSettingsAndPickLists();
    advanceBar(10);
    finish();
}

void TBackUpProcessForm::reopenSettingsAndPickLists() {
    context_.tdm.configTb().open();
    context_.tdm.standardTb().open();
}

void TBackUpProcessForm::finish() {
    // Whatever ended the run, the settings and pick lists are open again for the program.
    runCommand(context_.dialogs, this, [this] { reopenSettingsAndPickLists(); });
    done(QDialog::Accepted);
}

void runBackup(AppContext& context, QWidget* parent, const QString& backupPath,
               const QString& applicationPath, const std::function<void()>& stopMusic,
               BackupTimings timings) {
    TBackUpProcessForm form(context, backupPath, applicationPath, timings, parent);
    form.setMusicStop(stopMusic);
    form.exec();
}

} // namespace hoardly
