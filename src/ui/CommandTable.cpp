#include "CommandTable.h"

#include "Commands.h"

#include <QMainWindow>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {
const QString kSeparator = u"|"_s;
}

// --- CommandSet -----------------------------------------------------------------------------

const CommandDef* CommandSet::command(const QString& id) const {
    for (const CommandDef& command : commands) {
        if (command.id == id)
            return &command;
    }
    return nullptr;
}

MenuDef* CommandSet::menu(const QString& id) {
    for (MenuDef& menu : menus) {
        if (menu.id == id)
            return &menu;
    }
    return nullptr;
}

const MenuDef* CommandSet::menuOf(const QString& commandId) const {
    for (const MenuDef& menu : menus) {
        if (menu.entries.contains(commandId))
            return &menu;
    }
    return nullptr;
}

// --- CommandTable ---------------------------------------------------------------------------

CommandTable::CommandTable(QWidget* window, CommandSet set, Dialogs& dialogs)
    : QObject(window), window_(window), dialogs_(dialogs), set_(std::move(set)) {
    for (const QString& id : std::as_const(set_.disabledAtStart))
        disabled_.insert(id);
    for (const CommandDef& command : std::as_const(set_.commands)) {
        const QString text = !command.menuText.isEmpty()   ? command.menuText
                             : !command.toolHint.isEmpty() ? command.toolHint
                                                           : command.popupText;
        auto* action = new QAction(text, this);
        action->setObjectName(command.id);
        action->setIcon(registerIcon(command.icon));
        action->setIconVisibleInMenu(false);
        action->setToolTip(command.toolHint.isEmpty() ? QString(text).remove(u'&')
                                                      : command.toolHint);
        action->setShortcut(command.shortcut);
        action->setCheckable(command.checkable);
        const QString id = command.id;
        connect(action, &QAction::triggered, this, [this, id] { run(id); });
        // Shortcuts work wherever the focus is in the window, whatever place shows the command.
        window->addAction(action);
        actions_.insert(command.id, action);
    }
}

void CommandTable::setHandler(const QString& id, std::function<void()> handler) {
    handlers_.insert(id, std::move(handler));
}

void CommandTable::run(const QString& id) {
    const auto found = handlers_.constFind(id);
    if (found != handlers_.constEnd() && *found)
        runCommand(dialogs_, window_, *found);
}

QAction* CommandTable::action(const QString& id) const {
    return actions_.value(id);
}

QAction* CommandTable::entry(const QString& id, Place place) const {
    switch (place) {
    case Place::ToolBar:
        return toolEntries_.value(id);
    case Place::Popup:
        return popupEntries_.value(id);
    case Place::Menu:
        return set_.menuOf(id) ? actions_.value(id) : nullptr;
    }
    return nullptr;
}

QMenu* CommandTable::menu(const QString& menuId) const {
    return menus_.value(menuId);
}

bool CommandTable::lockedIn(const QString& id, Place place) const {
    switch (place) {
    case Place::ToolBar:
        return set_.lock.toolBar.contains(id);
    case Place::Popup:
        return set_.lock.popup.contains(id);
    case Place::Menu: {
        const MenuDef* menu = set_.menuOf(id);
        return menu && set_.lock.menus.contains(menu->id);
    }
    }
    return false;
}

bool CommandTable::entryEnabled(const QString& id, Place place) const {
    if (!isEnabled(id))
        return false;
    if (!locked_ || !lockedIn(id, place))
        return true;
    return place == Place::ToolBar && masterListReleased_ &&
           set_.lock.masterListToolBar.contains(id);
}

bool CommandTable::sameAsMenu(const CommandDef& command, Place place) const {
    if (!set_.menuOf(command.id))
        return place == Place::ToolBar || command.toolHint.isEmpty();
    if (lockedIn(command.id, place) != lockedIn(command.id, Place::Menu))
        return false;
    if (place == Place::ToolBar)
        return !set_.lock.masterListToolBar.contains(command.id);
    return command.popupText == command.menuText;
}

QAction* CommandTable::makeEntry(const CommandDef& command, const QString& text) {
    auto* entry = new QAction(text, this);
    entry->setObjectName(command.id);
    entry->setIcon(registerIcon(command.icon));
    entry->setIconVisibleInMenu(false);
    if (!command.toolHint.isEmpty())
        entry->setToolTip(command.toolHint);
    const QString id = command.id;
    connect(entry, &QAction::triggered, this, [this, id] { run(id); });
    return entry;
}

void CommandTable::fill(QWidget* container, const QStringList& ids, Place place) {
    for (const QString& id : ids) {
        if (id == kSeparator) {
            if (auto* bar = qobject_cast<QToolBar*>(container))
                bar->addSeparator();
            else if (auto* menu = qobject_cast<QMenu*>(container))
                menu->addSeparator();
            continue;
        }
        const CommandDef* command = set_.command(id);
        if (!command)
            continue;
        QAction* shown = actions_.value(id);
        if (!sameAsMenu(*command, place))
            shown =
                makeEntry(*command, place == Place::Popup ? command->popupText : command->toolHint);
        (place == Place::ToolBar ? toolEntries_ : popupEntries_).insert(id, shown);
        container->addAction(shown);
    }
}

CommandTable* CommandTable::install(QMainWindow* window, CommandSet set, Dialogs& dialogs,
                                    QWidget* popupArea) {
    auto* table = new CommandTable(window, std::move(set), dialogs);
    auto* toolBar = new QToolBar(window);
    toolBar->setObjectName(u"toolBar"_s);
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(28, 28));
    toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    window->addToolBar(Qt::TopToolBarArea, toolBar);
    auto* popup = new QMenu(window);
    popup->setObjectName(u"popup"_s);
    table->build(window->menuBar(), toolBar, popup);
    popupArea->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(
        popupArea, &QWidget::customContextMenuRequested, popup,
        [popup, popupArea](const QPoint& at) { popup->popup(popupArea->mapToGlobal(at)); });
    return table;
}

void CommandTable::build(QMenuBar* menuBar, QToolBar* toolBar, QMenu* popup) {
    toolBar_ = toolBar;
    popup_ = popup;
    for (const MenuDef& def : std::as_const(set_.menus)) {
        QMenu* menu = menuBar->addMenu(def.title);
        menu->setObjectName(def.id);
        menus_.insert(def.id, menu);
        for (const QString& id : def.entries) {
            if (id == kSeparator)
                menu->addSeparator();
            else if (QAction* action = actions_.value(id))
                menu->addAction(action);
        }
    }
    fill(toolBar, set_.toolBar, Place::ToolBar);
    fill(popup, set_.popup, Place::Popup);
    apply();
}

void CommandTable::apply() {
    for (const CommandDef& command : std::as_const(set_.commands)) {
        const QString& id = command.id;
        const Place home = set_.menuOf(id)             ? Place::Menu
                           : toolEntries_.contains(id) ? Place::ToolBar
                                                       : Place::Popup;
        actions_.value(id)->setEnabled(entryEnabled(id, home));
        for (const auto& [entries, place] :
             {std::pair{&toolEntries_, Place::ToolBar}, std::pair{&popupEntries_, Place::Popup}}) {
            QAction* entry = entries->value(id);
            if (entry && entry != actions_.value(id))
                entry->setEnabled(entryEnabled(id, place));
        }
    }
    for (const QString& menuId : std::as_const(set_.lock.menus)) {
        if (QMenu* menu = menus_.value(menuId))
            menu->menuAction()->setEnabled(!locked_);
    }
}

void CommandTable::setLocked(bool locked) {
    locked_ = locked;
    if (!locked)
        masterListReleased_ = false;
    apply();
}

void CommandTable::setMasterListReleased(bool released) {
    masterListReleased_ = released;
    apply();
}

void CommandTable::setEnabled(const QString& id, bool enabled) {
    if (enabled)
        disabled_.remove(id);
    else
        disabled_.insert(id);
    apply();
}

void CommandTable::setChecked(const QString& id, bool checked) {
    if (QAction* action = actions_.value(id))
        action->setChecked(checked);
}

bool CommandTable::isChecked(const QString& id) const {
    const QAction* action = actions_.value(id);
    return action && action->isChecked();
}

} // namespace hoardly
