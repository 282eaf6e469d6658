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
#include <optional>

class QAction;
class QMenu;
class QMainWindow;
class QMenuBar;
class QToolBar;
class QWidget;

namespace hoardly {

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

// Where a command added to a set goes: after which entry of each place (an empty text: at
// the end; nothing: not in that place), and whether the lock covers it there.
struct CommandPlacement {
    std::optional<QString> toolBarAfter;
    QString menu; // menu id; empty: no menu entry
    std::optional<QString> menuAfter;
    std::optional<QString> popupAfter;
    bool lockToolBar = true;
    bool lockPopup = true;
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
    // Adds a command with its places and its lock membership in one step.
    void add(const CommandDef& command, const CommandPlacement& placement);
};

// The built commands of one window: one QAction per command, which the menu bar, the tool bar
// and the pop-up menu share. A place whose entry must read differently or whose entry the lock
// treats differently (the pop-up "Print preview" that stays enabled, say) gets an entry of its
// own that runs the same handler.
class CommandTable final : public QObject {
    Q_OBJECT
public:
    CommandTable(QWidget* window, CommandSet set);

    const CommandSet& set() const { return set_; }
    void setHandler(const QString& id, std::function<void()> handler);
    bool hasHandler(const QString& id) const { return handlers_.contains(id); }
    // Runs a command's handler directly, whatever the state of its entries.
    void run(const QString& id);

    void build(QMenuBar* menuBar, QToolBar* toolBar, QMenu* popup);
    // Gives the window its menus, a fixed tool bar and a pop-up menu that answers a right
    // click anywhere on `popupArea`, all from the set.
    static CommandTable* install(QMainWindow* window, CommandSet set, QWidget* popupArea);
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

void insertAfter(QStringList& list, const std::optional<QString>& after, const QString& id);

} // namespace hoardly
