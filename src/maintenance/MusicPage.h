#pragma once

#include "PropertiesPage.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace hoardly {

struct AppContext;

// "Music": the music list of the application directory with its "&Add" and "&Remove", the
// three settings of the music, the switch that stops and starts it, and its tip.
class MusicPage final : public PropertiesPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MusicPage)
public:
    MusicPage(AppContext& context, QWidget* parent = nullptr);

    void windowOpening() override;

    void AddKnpClick();
    void RemoveKnpClick();
    void MusicOnOffClick();
    void TipKnpClick();
    QListWidget* list() const { return list_; }

private:
    QString applicationPath() const;
    QString listPath() const;
    void fillList();
    void addToList(const QString& path);
    void deleteMusicFile(const QString& path);
    void writeSetting(const QString& field, bool value);
    void musicOnClicked(bool checked);

    AppContext& context_;
    QListWidget* list_;
    QCheckBox* musicOnBox_;
    QCheckBox* copyBox_;
    QCheckBox* deleteBox_;
    bool filling_ = false;
};

} // namespace hoardly
