#pragma once

#include <QGroupBox>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace hoardly {

struct AppContext;

// What the "Backups" group starts, each installed by the part of the program that does it.
// The control that leads to an action nobody installed is not shown.
struct BackupActions {
    // A backup now, into the backup directory from the application directory, over `parent`.
    std::function<void(QWidget* parent, const QString& backupPath, const QString& applicationPath)>
        backup;
    // The restore; it unticks "Restore backup" with `untick` where it stops early, and may
    // show the directory dialog, whose choice `showPath` shows in the group.
    std::function<void(QWidget* parent, const std::function<void()>& untick,
                       const std::function<void(const QString&)>& showPath)>
        restore;
    // The backup directory dialog; it shows its choice in the group with `showPath`.
    std::function<void(QWidget* parent, const std::function<void(const QString&)>& showPath)>
        chooseDirectory;
};

// The "Backups" group of the properties window: the automatic backup on closing (written the
// moment it is clicked), the backup directory, and a backup or restore to start now. The two
// action boxes exclude each other and "&OK" is enabled exactly while one is ticked.
class BackupsGroup final : public QGroupBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BackupsGroup)
public:
    BackupsGroup(AppContext& context, BackupActions actions, QWidget* parent = nullptr);

    // The window opens: the directory and the automatic backup as the settings say.
    void load();
    void setBackupPath(const QString& path);

    void AutomaticBoxClick(bool checked);
    void OkKnpClick();

private:
    void actionBoxToggled(QCheckBox* box, bool checked);
    void chooseDirectory();

    AppContext& context_;
    BackupActions actions_;
    QCheckBox* automaticBox_;
    QLabel* pathLabel_;
    QCheckBox* startBox_;
    QCheckBox* restoreBox_;
    QPushButton* okKnp_;
    QPushButton* changeFolderKnp_;
};

} // namespace hoardly
