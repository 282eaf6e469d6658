#include "RegisterDescription.h"

#include "data/Schema.h"
#include "lending/LendObjectTypes.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

struct StandardCommand {
    QString id;
    QKeySequence shortcut;
    Icon icon = Icon::None;
};

const QList<StandardCommand>& standardCommands() {
    static const QList<StandardCommand> commands{
        {cmd::close, QKeySequence(Qt::CTRL | Qt::Key_S), Icon::MainMenu},
        {cmd::add, QKeySequence(Qt::Key_Insert), Icon::Add},
        {cmd::edit, QKeySequence(Qt::SHIFT | Qt::Key_Insert), Icon::Edit},
        {cmd::remove, QKeySequence(Qt::SHIFT | Qt::Key_Delete), Icon::Delete},
        {cmd::lending, QKeySequence(Qt::CTRL | Qt::Key_U), Icon::Lending},
        {cmd::findByConditions, QKeySequence(Qt::CTRL | Qt::Key_L), Icon::Search},
        {cmd::masterList, QKeySequence(Qt::CTRL | Qt::Key_M), Icon::MasterList},
        {cmd::back, {}, Icon::Back},
        {cmd::htmlExport, QKeySequence(Qt::CTRL | Qt::Key_I)},
        {cmd::printPreview, QKeySequence(Qt::CTRL | Qt::Key_F), Icon::PrintPreview},
        {cmd::print, QKeySequence(Qt::CTRL | Qt::Key_P), Icon::Print},
        {cmd::help, QKeySequence(Qt::CTRL | Qt::Key_F1)},
        {cmd::about, {}},
    };
    return commands;
}

// Collects what a description names that does not exist.
class Checker {
public:
    explicit Checker(const RegisterDescription& d) : d_(d) {
        for (const CommandDef& command : d.commands.commands)
            commands_.insert(command.id);
        for (const MenuDef& menu : d.commands.menus)
            menus_.insert(menu.id);
    }

    QStringList problems() const { return problems_; }

    void command(const QString& id, const QString& where) {
        if (!id.isEmpty() && id != u"|"_s && !commands_.contains(id))
            problems_ << u"%1 names the command \"%2\", which the register does not have"_s.arg(
                where, id);
    }
    void commands(const QStringList& ids, const QString& where) {
        for (const QString& id : ids)
            command(id, where);
    }
    void menu(const QString& id, const QString& where) {
        if (!menus_.contains(id))
            problems_ << u"%1 names the menu \"%2\", which the register does not have"_s.arg(where,
                                                                                             id);
    }
    void field(const TableSchema& table, const QString& name, const QString& where) {
        if (!name.isEmpty() && table.fieldIndex(name) < 0)
            problems_ << u"%1 names the field \"%2\", which %3 does not have"_s.arg(where, name,
                                                                                    table.fileName);
    }
    void field(const QString& name, const QString& where) { field(*d_.table, name, where); }
    void index(const QString& name, const QString& where) {
        if (!name.isEmpty() && !d_.table->index(name))
            problems_ << u"%1 names the index \"%2\", which %3 does not have"_s.arg(
                where, name, d_.table->fileName);
    }
    void require(bool holds, const QString& problem) {
        if (!holds)
            problems_ << problem;
    }

private:
    const RegisterDescription& d_;
    QSet<QString> commands_;
    QSet<QString> menus_;
    QStringList problems_;
};

void checkCommands(const RegisterDescription& d, Checker& check) {
    const CommandSet& set = d.commands;
    check.commands(set.toolBar, u"The tool bar"_s);
    check.commands(set.popup, u"The pop-up menu"_s);
    for (const MenuDef& menu : set.menus)
        check.commands(menu.entries, u"The menu \"%1\""_s.arg(menu.title));
    check.commands(set.lock.toolBar, u"The lock"_s);
    check.commands(set.lock.popup, u"The lock"_s);
    check.commands(set.lock.masterListToolBar, u"The master list's exception"_s);
    for (const QString& menu : set.lock.menus)
        check.menu(menu, u"The lock"_s);
    check.commands(set.disabledAtStart, u"The start state"_s);
    for (const SortOption& option : d.sortOptions) {
        check.command(option.command, u"A sort option"_s);
        check.index(option.index, u"The sort option \"%1\""_s.arg(option.command));
    }
    check.command(d.hideColumnCommand, u"The hide-column option"_s);
    check.command(d.hideHeadingCommand, u"The hide-heading option"_s);
    if (d.lendObjectType)
        check.command(cmd::lending, u"Lending"_s);
    if (!d.searchPage.isEmpty())
        check.command(cmd::findByConditions, u"The search page"_s);
    if (d.masterList)
        check.command(cmd::masterList, u"The master list"_s);
    if (d.htmlExport)
        check.command(cmd::htmlExport, u"The HTML export"_s);
    if (d.printLayout) {
        check.command(cmd::printPreview, u"The printed list"_s);
        check.command(cmd::print, u"The printed list"_s);
    }
}

void checkFields(const RegisterDescription& d, Checker& check) {
    check.field(d.nameField, u"The record's name"_s);
    check.field(d.heading.field, u"The heading"_s);
    for (const GridColumn& column : d.browse.listColumns)
        check.field(column.field, u"The list"_s);
    for (const PanelField& line : d.browse.panel) {
        for (const QString& field : line.fields)
            check.field(field, u"The panel line \"%1\""_s.arg(line.label));
    }
    for (const EditField& field : d.editFields) {
        check.field(field.field, u"The entry control \"%1\""_s.arg(field.label));
        if (!field.remembered.isEmpty())
            check.field(schema::standard(), field.remembered,
                        u"The pick list \"%1\""_s.arg(field.label));
    }
    for (const QString& field : d.remember)
        check.require(d.editField(field) && !d.editField(field)->remembered.isEmpty(),
                      u"OK remembers \"%1\", which is no remembered pick list"_s.arg(field));
    check.require(d.indexField.isEmpty() || (d.editField(d.indexField) &&
                                             d.editField(d.indexField)->kind == EditKind::Spin),
                  u"The index \"%1\" has no spin box"_s.arg(d.indexField));
    check.require(d.entryFocus.isEmpty() || d.editField(d.entryFocus),
                  u"An entry starts in \"%1\", which has no control"_s.arg(d.entryFocus));
    for (const EntryCheck& entry : d.checks)
        check.require(d.editField(entry.field) != nullptr,
                      u"OK checks \"%1\", which has no control"_s.arg(entry.field));
    if (d.find) {
        check.field(d.find->startField, u"The find box"_s);
        for (const FindOption& option : d.find->options)
            check.field(option.field, u"The find option \"%1\""_s.arg(option.label));
    }
    if (d.masterList) {
        for (const GridColumn& column : d.masterList->columns)
            check.field(column.field, u"The master list"_s);
        check.field(d.masterList->findField, u"The master list's find box"_s);
    }
    check.field(d.hideColumnField, u"The hide-column option"_s);
    if (d.htmlExport) {
        for (const HtmlColumn& column : d.htmlExport->columns)
            check.field(column.field, u"The HTML column \"%1\""_s.arg(column.header));
    }
    check.index(d.openIndex, u"The opening"_s);
    for (const TableSchema* detail : d.detailTables)
        check.require(detail != nullptr, u"A detail table is missing"_s);
}

} // namespace

RegisterShape RegisterDescription::shape() const {
    return {layout == RegisterLayout::OnePage, !searchPage.isEmpty(), masterList.has_value()};
}

const EditField* RegisterDescription::editField(const QString& field) const {
    for (const EditField& def : editFields) {
        if (def.field == field)
            return &def;
    }
    return nullptr;
}

MasterListPage titleMasterList(QList<GridColumn> columns, QString titleField,
                               const QStringList& tips, const QStringList& navigatorHints) {
    static const NavButtonDef kFull[] = {
        {NavButton::First, u"First record"_s}, {NavButton::Prior, u"Prior record"_s},
        {NavButton::Next, u"Next record"_s},   {NavButton::Last, u"Last record"_s},
        {NavButton::Add, u"Add record"_s},     {NavButton::Delete, u"Del record"_s},
        {NavButton::Edit, u"Edit record"_s},   {NavButton::Post, u"Post"_s},
        {NavButton::Cancel, u"Cancel edit"_s}, {NavButton::Refresh, u"Uppdate"_s}};
    MasterListPage master;
    master.name = u"MasterList"_s;
    master.columns = std::move(columns);
    master.findField = std::move(titleField);
    master.findLabel = u"Find title"_s;
    master.findHint = u"Sök på titel"_s;
    for (qsizetype i = 0; i < qsizetype(std::size(kFull)); ++i) {
        const bool given = i < navigatorHints.size();
        master.navigator.append({kFull[i].button, given ? navigatorHints[i] : kFull[i].hint});
    }
    master.tipsHint = u"Info om masterlista"_s;
    master.tips =
        QStringList{
            u"The masterlist gives you immediate access to the database and all records and you "
            u"shell use it when Ypu would like to have fast possession to all records. In this "
            u"view "
            u"you can edit all records direct or use the buttons above. observe, when you delete a "
            u"record there will be no confirm and the record will be lost immediate."_s,
            QString()} +
        tips;
    return master;
}

QStringList descriptionProblems(const RegisterDescription& d) {
    if (!d.table)
        return {u"The register names no table"_s};
    Checker check(d);
    checkCommands(d, check);
    checkFields(d, check);
    if (d.detail) {
        check.require(d.detail->table != nullptr, u"The detail list names no table"_s);
        if (d.detail->table) {
            check.field(*d.table, d.detail->keyField, u"The detail list's key"_s);
            check.field(*d.detail->table, d.detail->keyField, u"The detail list's key"_s);
            check.field(*d.detail->table, d.detail->nameField, u"The detail list's name"_s);
        }
        check.require(d.detail->findOption.isEmpty() || d.find,
                      u"The detail list's find option needs a find group"_s);
    }
    if (d.lendObjectType) {
        const LendObjectKind& kind = lendObjectKind(*d.lendObjectType);
        check.require(&kind.schema() == d.table,
                      u"The lending kind \"%1\" belongs to another table"_s.arg(kind.objektyp));
    }
    return check.problems();
}

RegisterDescription checked(RegisterDescription description) {
    const QStringList problems = descriptionProblems(description);
    if (!problems.isEmpty())
        qFatal("A register description is wrong: %s", qPrintable(problems.join(u"; "_s)));
    return description;
}

CommandDef registerCommand(const QString& id, const QString& menuText, const QString& toolHint,
                           const QString& popupText) {
    for (const StandardCommand& standard : standardCommands()) {
        if (standard.id == id)
            return {id, menuText, toolHint, popupText, standard.shortcut, standard.icon};
    }
    qFatal("%s is none of the commands every register has", qPrintable(id));
}

CommandDef htmlExportCommand(const HtmlExportMember& member) {
    return registerCommand(cmd::htmlExport, member.menuText, {}, member.popupText);
}

CommandDef optionCommand(const QString& id, const QString& menuText) {
    return {id, menuText, {}, {}, {}, Icon::None, true};
}

CommandDef musicOffCommand(const QString& menuText) {
    return optionCommand(cmd::musicOff, menuText);
}

CommandSet catalogueCommands(const CatalogueCommands& texts) {
    const auto record = [](const QString& id, const CommandTexts& t) {
        return registerCommand(id, t.menu, t.hint, t.popup);
    };
    CommandSet set;
    set.commands = {record(cmd::close, texts.close),
                    record(cmd::printPreview, texts.printPreview),
                    record(cmd::print, texts.print),
                    record(cmd::add, texts.add),
                    record(cmd::edit, texts.edit),
                    record(cmd::remove, texts.remove),
                    record(cmd::lending, texts.lending),
                    record(cmd::findByConditions, texts.findByConditions),
                    record(cmd::masterList, texts.masterList),
                    registerCommand(cmd::back, {}, u"Back"_s)};
    set.commands += texts.extras;
    set.commands.append(musicOffCommand());
    if (texts.htmlExport)
        set.commands.append(htmlExportCommand(*texts.htmlExport));
    set.commands +=
        {registerCommand(cmd::help, u"Help"_s), registerCommand(cmd::about, u"About"_s)};

    QStringList database{cmd::add, cmd::edit, cmd::remove};
    if (texts.databaseMenuSeparated)
        database << u"|"_s;
    database << cmd::lending << cmd::findByConditions << cmd::masterList;
    set.menus = {{u"file"_s, u"&File"_s, {cmd::printPreview, cmd::print, cmd::close}}};
    if (texts.htmlExport)
        set.menus.first().entries.insert(1, cmd::htmlExport);
    MenuDef options = texts.optionsMenu.value_or(MenuDef{u"options"_s, u"&Options"_s, {}});
    if (!options.entries.isEmpty())
        options.entries << u"|"_s;
    options.entries << cmd::musicOff;
    set.menus.append(options);
    set.menus += {{u"database"_s, texts.databaseMenu, database},
                  {u"help"_s, u"&Help"_s, {cmd::help, cmd::about}}};

    set.toolBar = {
        cmd::close,      cmd::printPreview, cmd::print, u"|"_s,       cmd::add,
        cmd::edit,       cmd::remove,       u"|"_s,     cmd::lending, cmd::findByConditions,
        cmd::masterList, cmd::back};
    set.popup = !texts.popup.isEmpty() ? texts.popup : QStringList{cmd::add,
                                                                   cmd::edit,
                                                                   cmd::remove,
                                                                   cmd::lending,
                                                                   cmd::findByConditions,
                                                                   cmd::masterList,
                                                                   cmd::printPreview,
                                                                   cmd::print,
                                                                   cmd::close};
    if (texts.htmlExport && !texts.htmlExport->popupText.isEmpty()) {
        qsizetype at = set.popup.indexOf(cmd::print);
        if (at < 0)
            at = set.popup.indexOf(cmd::close);
        set.popup.insert(at < 0 ? set.popup.size() : at, cmd::htmlExport);
    }
    set.lock.toolBar = {cmd::close,   cmd::printPreview,     cmd::add,       cmd::edit, cmd::remove,
                        cmd::lending, cmd::findByConditions, cmd::masterList};
    if (texts.printLockedOnToolBar) {
        set.lock.toolBar.insert(2, cmd::print);
        // The master list gives the button back while it holds the lock.
        set.lock.masterListToolBar = {cmd::print};
    }
    set.lock.menus = {u"file"_s, u"database"_s};
    set.lock.popup = set.popup;
    if (!texts.previewLockedInPopup)
        set.lock.popup.removeAll(cmd::printPreview);
    return set;
}

} // namespace hoardly
