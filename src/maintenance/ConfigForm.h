#pragma once

#include "PropertiesPages.h"

#include <QDialog>
#include <QList>

class QPushButton;
class QTabWidget;

namespace hoardly {

class PropertiesPage;

// The properties window: the settings in tabs, over the main window. Built once at start-up
// and hidden when closed; each opening reads the settings again and starts on the first tab.
// ENTER moves on to the next control anywhere in the window.
class TConfigForm final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TConfigForm)
public:
    explicit TConfigForm(const PropertiesParts& parts, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    PropertiesPage* page(int index) const { return pages_.value(index); }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();
    void FormClose();

    AppContext& context_;
    QTabWidget* tabs_;
    QList<PropertiesPage*> pages_;
    QPushButton* closeKnp_;
};

} // namespace hoardly
