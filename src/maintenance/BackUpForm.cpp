#include "BackUpForm.h"

#include "data/SettingsRecord.h"
#include "data/TDM.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/Shell.h"
#include <QStyle>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QToolButton>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace hoardly {

TBackUpForm::TBackUpForm(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName(u"BackUpForm"_s);
    setWindowTitle(u"Backup directory"_s);
    setModal(true);
    driveList_ = new QComboBox(this);
    driveList_->setObjectName(u"DriveList"_s);
    pathEdit_ = new QLineEdit(this);
    pathEdit_->setObjectName(u"PathEdit"_s);
    newFolderKnp_ = new QToolButton(this);
    newFolderKnp_->setObjectName(u"NewFolderKnp"_s);
    newFolderKnp_->setToolTip(u"Skapa ny folder"_s);
    newFolderKnp_->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model_->setRootPath(QDir::rootPath());
    tree_ = new QTreeView(this);
    tree_->setObjectName(u"DirectoryTree"_s);
    tree_->setModel(model_);
    tree_->setHeaderHidden(true);
    for (int column = 1; column < model_->columnCount(); ++column)
        tree_->hideColumn(column);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(u"&OK"_s, QDialogButtonBox::AcceptRole);
    ok->setObjectName(u"OkKnp"_s);
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(u"&Cancel"_s, QDialogButtonBox::RejectRole);
    cancel->setObjectName(u"CancelKnp"_s);

    fillDrives();
    connect(driveList_, &QComboBox::activated, this, &TBackUpForm::DriveChange);
    connect(newFolderKnp_, &QToolButton::clicked, this, &TBackUpForm::NewFolderClick);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TBackUpForm::treeMoved);
    connect(tree_, &QTreeView::clicked, this, &TBackUpForm::treeMoved);
    connect(tree_, &QTreeView::doubleClicked, this, &TBackUpForm::treeMoved);
    connect(ok, &QPushButton::clicked, this, &TBackUpForm::OkKnpClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(driveList_, 0, 0, 1, 2);
    layout->addWidget(pathEdit_, 1, 0);
    layout->addWidget(newFolderKnp_, 1, 1);
    layout->addWidget(tree_, 2, 0, 1, 2);
    layout->addWidget(buttons, 3, 0, 1, 2);
    resize(420, 460);
    moveTreeTo(QDir::currentPath());
}

void TBackUpForm::fillDrives() {
    driveList_->clear();
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid())
            continue;
        const QString name = volume.displayName() == volume.rootPath()
                                 ? volume.rootPath()
                                 : u"%1 [%2]"_s.arg(volume.rootPath(), volume.displayName());
        driveList_->addItem(name, volume.rootPath());
    }
}

QString TBackUpForm::treeDirectory() const {
    const QModelIndex current = tree_->currentIndex();
    return current.isValid() ? model_->filePath(current) : QDir::currentPath();
}

void TBackUpForm::moveTreeTo(const QString& directory) {
    const QModelIndex index = model_->index(QDir(directory).absolutePath());
    if (!index.isValid())
        return;
    // Only the way down to the directory stays open.
    tree_->collapseAll();
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        tree_->expand(up);
    tree_->setCurrentIndex(index);
    tree_->scrollTo(index);
    tree_->expand(index);
    treeMoved();
}

void TBackUpForm::treeMoved() {
    const QString directory = treeDirectory();
    // The working directory follows the tree; the search page's file dialogs start there.
    QDir::setCurrent(directory);
    pathEdit_->setText(QDir::toNativeSeparators(directory));
}

void TBackUpForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    moveTreeTo(QDir::currentPath());
}

void TBackUpForm::DriveChange(int index) {
    const QString root = driveList_->itemData(index).toString();
    const QDir drive(root);
    if (root.isEmpty() || !drive.isReadable()) {
        context_.dialogs.message(this, u"Could not read from the drive"_s);
        return;
    }
    moveTreeTo(root);
}

void TBackUpForm::NewFolderClick() {
    const std::optional<QString> name = context_.dialogs.askText(
        this, {u"New directory"_s, u"Write the new directorys name"_s, QString(), false});
    const QDir current(treeDirectory());
    const bool made = name && !name->trimmed().isEmpty() && !name->contains(u'/') &&
                      current.mkdir(name->trimmed());
    context_.dialogs.message(
        this, made ? u"Directory created, Click and go to that directory if you would like to use "
                     "it as your backupdirectory."_s
                   : u"Failed to create the directory. Check your drives"_s);
    // The tree reads the folder again and stays where it was.
    const QString shown = treeDirectory();
    model_->setRootPath(QString());
    model_->setRootPath(QDir::rootPath());
    moveTreeTo(shown);
}

void TBackUpForm::OkKnpClick() {
    const QString typed = QDir::fromNativeSeparators(pathEdit_->text().trimmed());
    if (typed.isEmpty()) {
        accept();
        return;
    }
    // A name typed without its folder is taken in the directory the tree shows.
    const QString path = QDir::cleanPath(QDir(treeDirectory()).absoluteFilePath(typed));
    const bool written = runCommand(context_.dialogs, this, [&] {
        Table& config = context_.tdm.configTb();
        changeSettings(config, [&] { config.setText(u"Backuppath"_s, path); });
    });
    if (!written)
        return;
    if (pathShown_)
        pathShown_(path);
    accept();
}

} // namespace hoardly
