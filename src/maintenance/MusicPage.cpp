#include "MusicPage.h"

#include "BackupPlan.h"
#include "FileCopyFacility.h"
#include "MusicList.h"
#include "data/Errors.h"
#include "data/RunState.h"
#include "data/SettingsRecord.h"
#include "data/TDM.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/Shell.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

const QString kMusicOn = u"Musicon"_s;
const QString kCopyFiles = u"Copyfiles"_s;
const QString kDeleteFiles = u"Delfiles"_s;

QPushButton* pageButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QCheckBox* settingBox(const QString& caption, const QString& name, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

} // namespace

MusicPage::MusicPage(AppContext& context, QWidget* parent)
    : PropertiesPage(parent), context_(context) {
    setObjectName(u"MusicPage"_s);
    auto* caption = new QLabel(u"Musiclist\n(.mid .wav .mp3)"_s, this);
    caption->setObjectName(u"MusicListLabel"_s);
    list_ = new QListWidget(this);
    list_->setObjectName(u"MusicList"_s);
    caption->setBuddy(list_);
    auto* addKnp = pageButton(u"&Add"_s, u"AddKnp"_s, this);
    auto* removeKnp = pageButton(u"&Remove"_s, u"RemoveKnp"_s, this);
    auto* onOffKnp = pageButton(u"&Music on/off"_s, u"MusicOnOffKnp"_s, this);
    auto* tipKnp = pageButton(u"&Tip"_s, u"TipKnp"_s, this);
    musicOnBox_ = settingBox(u"Always start with music "_s, u"MusicOnBox"_s, this);
    copyBox_ = settingBox(u"Always copy music files to the musicdirectory"_s, u"CopyBox"_s, this);
    deleteBox_ =
        settingBox(u"Always delete music files from the musicdirectory when remove from the list"_s,
                   u"DeleteBox"_s, this);

    connect(addKnp, &QPushButton::clicked, this, &MusicPage::AddKnpClick);
    connect(removeKnp, &QPushButton::clicked, this, &MusicPage::RemoveKnpClick);
    connect(onOffKnp, &QPushButton::clicked, this, &MusicPage::MusicOnOffClick);
    connect(tipKnp, &QPushButton::clicked, this, &MusicPage::TipKnpClick);
    // Only the user's click tells about the next start; filling the box does not.
    connect(musicOnBox_, &QCheckBox::clicked, this, &MusicPage::musicOnClicked);
    connect(copyBox_, &QCheckBox::toggled, this,
            [this](bool checked) { writeSetting(kCopyFiles, checked); });
    connect(deleteBox_, &QCheckBox::toggled, this,
            [this](bool checked) { writeSetting(kDeleteFiles, checked); });

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {addKnp, removeKnp, onOffKnp, tipKnp})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto* layout = new QGridLayout(this);
    layout->addWidget(caption, 0, 0, 1, 2);
    layout->addWidget(list_, 1, 0);
    layout->addLayout(buttons, 1, 1);
    layout->addWidget(musicOnBox_, 2, 0, 1, 2);
    layout->addWidget(copyBox_, 3, 0, 1, 2);
    layout->addWidget(deleteBox_, 4, 0, 1, 2);
    layout->setColumnStretch(0, 1);
}

QString MusicPage::applicationPath() const {
    return context_.tdm.configTb().asText(u"Applikationpath"_s);
}

QString MusicPage::listPath() const {
    return musicListPath(applicationPath());
}

void MusicPage::windowOpening() {
    const Table& config = context_.tdm.configTb();
    filling_ = true;
    musicOnBox_->setChecked(config.asLogical(kMusicOn));
    copyBox_->setChecked(config.asLogical(kCopyFiles));
    deleteBox_->setChecked(config.asLogical(kDeleteFiles));
    filling_ = false;
    fillList();
}

void MusicPage::fillList() {
    list_->clear();
    try {
        list_->addItems(readMusicList(listPath()));
    } catch (const FileError& fault) {
        context_.dialogs.message(this, fault.text());
    }
}

void MusicPage::writeSetting(const QString& field, bool value) {
    Table& config = context_.tdm.configTb();
    // Filling the boxes when the window opens writes what is there already: nothing changes.
    if (!config.isOpen() || config.asLogical(field) == value)
        return;
    runCommand(context_.dialogs, this,
               [&] { changeSettings(config, [&] { config.setLogical(field, value); }); });
}

void MusicPage::musicOnClicked(bool checked) {
    writeSetting(kMusicOn, checked);
    if (!filling_)
        context_.dialogs.message(this,
                                 u"This change will have effect next time you start Hoardly"_s);
}

void MusicPage::AddKnpClick() {
    FileRequest request;
    request.caption = u"Open"_s;
    request.filter = u"*.mid, *wav,*.mp3 (*.mid *.wav *.mp3)"_s;
    const QString chosen = context_.dialogs.askFile(this, request);
    if (chosen.isEmpty())
        return;
    context_.run.dataChanged = true;
    const QFileInfo file(chosen);
    const QString musicFolder = QDir(applicationPath()).filePath(kMidiDirectory);
    const QString copy = QDir(musicFolder).filePath(file.fileName());
    // A file of the music folder is there already.
    if (!copyBox_->isChecked() || QFileInfo(copy) == file)
        return addToList(chosen);
    QPointer<MusicPage> page(this);
    copyFiles(context_.dialogs, this,
              {file.absolutePath(), musicFolder, file.fileName(), true, true},
              [page, chosen, copy](bool copied) {
                  // Without its copy the list keeps the file where the user has it.
                  if (page)
                      page->addToList(copied ? copy : chosen);
              });
}

void MusicPage::addToList(const QString& path) {
    try {
        appendToMusicList(listPath(), path);
    } catch (const FileError&) {
        context_.dialogs.message(this, u"Something went wrong. Could not write to the file. Is the "
                                       "file midi.dat writeprotected? Or does not the directory "
                                       "Midi exist? Check it!"_s);
        return;
    }
    list_->addItem(path);
}

void MusicPage::RemoveKnpClick() {
    QListWidgetItem* item = list_->currentItem();
    if (!item || !item->isSelected()) {
        context_.dialogs.info(
            this, u"No melody marked"_s,
            u"Which melody do you want to remove? You must mark one in the list.!"_s);
        return;
    }
    const QString entry = item->text();
    context_.run.dataChanged = true;
    try {
        removeFromMusicList(listPath(), entry);
    } catch (const FileError&) {
        context_.dialogs.message(this, u"There was a problem to write to the file"_s);
    }
    fillList();
    if (deleteBox_->isChecked())
        deleteMusicFile(entry);
}

void MusicPage::deleteMusicFile(const QString& path) {
    // A file the user keeps outside the application directory is never deleted.
    if (!musicFileDeletable(path, applicationPath()))
        return;
    if (!QFile::remove(path))
        context_.dialogs.message(
            this, u"Could not delete the file. Probably is the file writeproteted or missing"_s);
}

void MusicPage::MusicOnOffClick() {
    if (context_.music)
        context_.music->musicOnOff();
}

void MusicPage::TipKnpClick() {
    context_.shell.showTips(
        {u"You can add files in format *.mid, *.wav, *.mp3 to the list. It does not matter in "
         "what order you pick the files because they will be played in random order. Notice tha "
         "files in format mp3 will take a lot of cpu power and can slow down this application. "
         "You can choose to copy every musicfile to the hoardly directory. In that case you can "
         "always be sure that the file exist. You can also check for delete these files when "
         "you remowe them from the musiclist"_s,
         QString(),
         u"Since the musicfiles are choosen random it can happen that same file will be played "
         "several  times without any other between. Specially if there are very few files in "
         "the list."_s});
}

} // namespace hoardly
