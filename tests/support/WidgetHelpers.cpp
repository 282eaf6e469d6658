#include "WidgetHelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

namespace hoardly::test {

void whenModal(std::function<void(QWidget*)> step) {
    QTimer::singleShot(0, [step = std::move(step)] { step(QApplication::activeModalWidget()); });
}

QStringList comboItems(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

UsableEntries usableEntries(const QMainWindow* window, const QToolBar* toolBar,
                            const QMenu* popup) {
    UsableEntries usable;
    for (const QAction* action : toolBar->actions()) {
        if (!action->isSeparator() && action->isEnabled())
            usable.toolBar << action->toolTip();
    }
    for (const QAction* menu : window->menuBar()->actions()) {
        if (!menu->isEnabled() || !menu->menu())
            continue;
        for (const QAction* entry : menu->menu()->actions()) {
            if (!entry->isSeparator() && entry->isEnabled())
                usable.menus << menu->text() + u'|' + entry->text();
        }
    }
    for (const QAction* action : popup->actions()) {
        if (!action->isSeparator() && action->isEnabled())
            usable.popup << action->text();
    }
    return usable;
}

} // namespace hoardly::test
