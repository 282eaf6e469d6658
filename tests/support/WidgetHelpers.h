#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

class QComboBox;
class QMainWindow;
class QMenu;
class QToolBar;

namespace hoardly::test {

// Runs a step once the modal window opened next has its own event loop going, handing it
// that window (QApplication::activeModalWidget()).
void whenModal(std::function<void(QWidget*)> step);

// The entries of a combo box's list, top to bottom.
QStringList comboItems(const QComboBox* combo);

// What a user can use of a window's commands right now: the tool-bar buttons by their hints,
// the menu bar's entries as "menu|entry" (a disabled menu offers none), the pop-up's entries.
struct UsableEntries {
    QStringList toolBar;
    QStringList menus;
    QStringList popup;
};
UsableEntries usableEntries(const QMainWindow* window, const QToolBar* toolBar, const QMenu* popup);

// The control of that name in the window; the test stops when there is none.
template <class T> T* child(const QWidget& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

} // namespace hoardly::test
