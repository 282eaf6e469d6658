#pragma once

#include "Icons.h"

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

class QAction;
class QMenu;
class QMainWindow;
class QMenuBar;
class QToolBar;
class QWidget;

namespace hoardly {

class Dialogs;

// The places where a command shows.
enum class Place { ToolBar, Menu, Popup };

// One command of a register window, with the entry it has in each place; an empty text means
// the command has no entry there. The handler is set apart (CommandTable::setHandler).
struct CommandDef {
    CommandDef(QString id, QString menuText, QString toolHint = {}, QString popupText = {},
               QKeySequence shortcut = {}, Icon icon = Icon::None, bool checkable = false)
        : id(std::move(id)), menuText(std::move(menuText)), toolHint(std::move(toolHint)),
          popupText(std::move(popupText)), shortcut(std::move(shortcut)), icon(icon),
          checkable(checkable) {}
    QString id;
    QString menuText;  // its entry in a menu of the menu bar
    QString toolHint;  // its tool-bar button, shown by this hint
    QString popupText; // its entry in the pop-up menu of the pages
    QKeySequence shortcut;
    Icon icon = Icon::None;
    bool checkable = false;
};

// A menu of the menu bar: its title and its entries in order ("|" is a separator).
struct MenuDef {
    QString id;
    QString title;
    QStringList entries;
};

// The command lock of a register window, exactly as the register names it: tool-bar buttons,
// whole menus, pop-up entries. The unlock enables the same set.
struct LockSet {
    QStringList toolBar;
    QStringList menus;
    QStringList popup;
    // Tool-bar buttons that the master list enables again while it holds the lock.
    QStringList masterListToolBar;
};

// Everything a register window shows of its commands, as data.
struct CommandSet {
    QList<CommandDef> commands;
    QList<MenuDef> menus;
    QStringList toolBar; // command ids, left to right; "|" a separator
    QStringList popup;   // command ids, top to bottom; "|" a separator
    LockSet lock;
    QStringList disabledAtStart;

    const CommandDef* command(const QString& id) const;
    MenuDef* menu(const QString& id);
    const MenuDef* menuOf(const QString& commandId) const;
};

// The built commands of one window: one QAction per command, which the menu bar, the tool bar
// and the pop-up menu share. A place whose entry must read differently or whose entry the lock
// treats differently (the pop-up "Print preview" that stays enabled, say) gets an entry of its
// own that runs the same handler. Every handler runs inside the command wrapper (runCommand),
// so a store or file error ends it in the default error box.
class CommandTable final : public QObject {
    Q_OBJECT
public:
    CommandTable(QWidget* window, CommandSet set, Dialogs& dialogs);

    const CommandSet& set() const { return set_; }
    void setHandler(const QString& id, std::function<void()> handler);
    // Runs a command's handler, whatever the state of its entries.
    void run(const QString& id);

    void build(QMenuBar* menuBar, QToolBar* toolBar, QMenu* popup);
    // Gives the window its menus, a fixed tool bar and a pop-up menu that answers a right
    // click anywhere on `popupArea`, all from the set.
    static CommandTable* install(QMainWindow* window, CommandSet set, Dialogs& dialogs,
                                 QWidget* popupArea);
    QToolBar* toolBar() const { return toolBar_; }
    QMenu* popup() const { return popup_; }

    QAction* action(const QString& id) const;             // the command
    QAction* entry(const QString& id, Place place) const; // what a place shows, or nullptr
    QMenu* menu(const QString& menuId) const;

    void setLocked(bool locked);
    bool isLocked() const { return locked_; }
    // The master list's exception: these tool-bar buttons stay usable under its lock.
    void setMasterListReleased(bool released);
    void setEnabled(const QString& id, bool enabled);
    bool isEnabled(const QString& id) const { return !disabled_.contains(id); }
    void setChecked(const QString& id, bool checked);
    bool isChecked(const QString& id) const;

    // Whether the entry of a command in a place can be used now, by the lock set.
    bool entryEnabled(const QString& id, Place place) const;

private:
    bool lockedIn(const QString& id, Place place) const;
    bool sameAsMenu(const CommandDef& command, Place place) const;
    QAction* makeEntry(const CommandDef& command, const QString& text);
    void fill(QWidget* container, const QStringList& ids, Place place);
    void apply();

    QPointer<QWidget> window_;
    Dialogs& dialogs_;
    QToolBar* toolBar_ = nullptr;
    QMenu* popup_ = nullptr;
    CommandSet set_;
    QHash<QString, QAction*> actions_;
    QHash<QString, QAction*> toolEntries_;
    QHash<QString, QAction*> popupEntries_;
    QHash<QString, QPointer<QMenu>> menus_;
    QHash<QString, std::function<void()>> handlers_;
    QSet<QString> disabled_;
    bool locked_ = false;
    bool masterListReleased_ = false;
};

} // namespace hoardly
