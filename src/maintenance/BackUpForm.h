#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QToolButton;
class QTreeView;

namespace hoardly {

struct AppContext;

// The backup directory dialog: a tree of directories that works on the program's working
// directory (moving in it moves the working directory, and the dialog opens again where it
// was left), the mounted volumes as drives, a new-folder button, and an edit with the chosen
// path that "&OK" writes to the settings.
class TBackUpForm final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBackUpForm)
public:
    explicit TBackUpForm(AppContext& context, QWidget* parent = nullptr);

    // Hears the directory written to the settings, for the properties window's label.
    void setPathShown(std::function<void(const QString&)> shown) { pathShown_ = std::move(shown); }

    QLineEdit* pathEdit() const { return pathEdit_; }
    QComboBox* driveList() const { return driveList_; }
    QTreeView* tree() const { return tree_; }
    // The directory the tree shows, which is the working directory.
    QString treeDirectory() const;
    void moveTreeTo(const QString& directory);

    void DriveChange(int index);
    void NewFolderClick();
    void OkKnpClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillDrives();
    void treeMoved();

    AppContext& context_;
    std::function<void(const QString&)> pathShown_;
    QComboBox* driveList_;
    QLineEdit* pathEdit_;
    QToolButton* newFolderKnp_;
    QTreeView* tree_;
    QFileSystemModel* model_;
};

} // namespace hoardly
