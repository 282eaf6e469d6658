#include "BackupsGroup.h"

#include "data/SettingsRecord.h"
#include "data/TDM.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/Shell.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

const QString kBackupField = u"Backup"_s;
const QString kBackupPathField = u"Backuppath"_s;

QCheckBox* actionBox(const QString& caption, const QString& name, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QPushButton* groupButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

BackupsGroup::BackupsGroup(AppContext& context, BackupActions actions, QWidget* parent)
    : QGroupBox(u"Backups"_s, parent), context_(context), actions_(std::move(actions)) {
    setObjectName(u"BackupsGroup"_s);
    auto* automaticText = new QLabel(
        u"Automatic backup processing every\ntime You close Hoardly and if \nany record has "
        "been changed "_s,
        this);
    automaticText->setObjectName(u"AutomaticText"_s);
    automaticBox_ = new QCheckBox(this);
    automaticBox_->setObjectName(u"AutomaticBox"_s);
    automaticBox_->setAccessibleName(u"Automatic backup"_s);
    auto* pathTitle = new QLabel(u"Backup directory:"_s, this);
    pathLabel_ = new QLabel(this);
    pathLabel_->setObjectName(u"PathLabel"_s);
    pathLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    startBox_ = actionBox(u"Start backup process now"_s, u"StartBox"_s, this);
    restoreBox_ = actionBox(u"Restore backup"_s, u"RestoreBox"_s, this);
    okKnp_ = groupButton(u"&OK"_s, u"BackupOkKnp"_s, this);
    okKnp_->setEnabled(false);
    changeFolderKnp_ = groupButton(u"&Change Folder"_s, u"ChangeFolderKnp"_s, this);

    startBox_->setVisible(bool(actions_.backup));
    restoreBox_->setVisible(bool(actions_.restore));
    okKnp_->setVisible(actions_.backup || actions_.restore);
    changeFolderKnp_->setVisible(bool(actions_.chooseDirectory));

    connect(automaticBox_, &QCheckBox::clicked, this, &BackupsGroup::AutomaticBoxClick);
    connect(startBox_, &QCheckBox::toggled, this,
            [this](bool checked) { actionBoxToggled(startBox_, checked); });
    connect(restoreBox_, &QCheckBox::toggled, this,
            [this](bool checked) { actionBoxToggled(restoreBox_, checked); });
    connect(okKnp_, &QPushButton::clicked, this, &BackupsGroup::OkKnpClick);
    connect(changeFolderKnp_, &QPushButton::clicked, this,
            [this] { runCommand(context_.dialogs, this, [this] { chooseDirectory(); }); });

    auto* layout = new QGridLayout(this);
    layout->addWidget(automaticText, 0, 0);
    layout->addWidget(automaticBox_, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
    layout->addWidget(pathTitle, 1, 0, 1, 2);
    layout->addWidget(pathLabel_, 2, 0, 1, 2);
    layout->addWidget(startBox_, 3, 0, 1, 2);
    layout->addWidget(restoreBox_, 4, 0, 1, 2);
    layout->addWidget(okKnp_, 5, 0, Qt::AlignLeft);
    layout->addWidget(changeFolderKnp_, 5, 1, Qt::AlignRight);
    layout->setRowStretch(6, 1);
}

void BackupsGroup::load() {
    const Table& config = context_.tdm.configTb();
    const QString path = config.asText(kBackupPathField);
    if (!path.isEmpty())
        setBackupPath(path);
    automaticBox_->setChecked(config.asLogical(kBackupField));
}

void BackupsGroup::setBackupPath(const QString& path) {
    pathLabel_->setText(path);
}

void BackupsGroup::AutomaticBoxClick(bool checked) {
    Table& config = context_.tdm.configTb();
    const bool written = runCommand(context_.dialogs, this, [&] {
        changeSettings(config, [&] { config.setLogical(kBackupField, checked); });
    });
    // A box that could not be written goes back to what the settings still say.
    if (!written)
        automaticBox_->setChecked(!checked);
}

void BackupsGroup::actionBoxToggled(QCheckBox* box, bool checked) {
    if (checked)
        (box == startBox_ ? restoreBox_ : startBox_)->setChecked(false);
    okKnp_->setEnabled(startBox_->isChecked() || restoreBox_->isChecked());
}

void BackupsGroup::OkKnpClick() {
    runCommand(context_.dialogs, this, [this] {
        const Table& config = context_.tdm.configTb();
        if (startBox_->isChecked() && actions_.backup) {
            const QString backupPath = config.asText(kBackupPathField);
            if (backupPath.isEmpty()) {
                context_.dialogs.error(this, u"You have not choice a backupfolder"_s);
                return;
            }
            if (config.asLogical(u"Soundcard"_s) && context_.music)
                context_.music->stopMusic();
            startBox_->setChecked(false);
            actions_.backup(window(), backupPath, config.asText(u"Applikationpath"_s));
        }
        if (restoreBox_->isChecked() && actions_.restore)
            actions_.restore(
                window(), [this] { restoreBox_->setChecked(false); },
                [this](const QString& path) { setBackupPath(path); });
    });
}

void BackupsGroup::chooseDirectory() {
    actions_.chooseDirectory(window(), [this](const QString& path) { setBackupPath(path); });
}

} // namespace hoardly
