#include "LiteratureForm.h"

#include "CurrentLiteratureList.h"
#include "HtmlExportCommand.h"
#include "LiteraturePickLists.h"
#include "SearchCriteria.h"
#include "SearchPage.h"
#include "data/Schema.h"
#include "data/SharedRoutines.h"
#include "data/Table.h"
#include "ui/Dialogs.h"

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

const QString kWriteList = u"currentLiteratureList"_s;

CommandSet literatureCommands() {
    CatalogueCommands texts;
    texts.close = {u"Back to mainmenu"_s, u"Back to main"_s, u"Mainmenu"_s};
    texts.printPreview = {u"Print preview"_s, u"Print preview"_s, u"Print preview"_s};
    texts.print = {u"Print"_s, u"Print"_s, u"Print"_s};
    texts.add = {u"Add record"_s, u"Add record"_s, u"Add record"_s};
    texts.edit = {u"Edit record"_s, u"Edit record"_s, u"Edit record"_s};
    texts.remove = {u"Delete record"_s, u"Del record"_s, u"Del record"_s};
    texts.lending = {u"Lent out a book"_s, u"Lending"_s, u"Lent out"_s};
    texts.findByConditions = {u"List/find by conditions"_s, u"Find by conditions"_s,
                              u"Find by conditions"_s};
    texts.masterList = {u"Masterlist"_s, u"Masterlist"_s, u"Masterlist"_s};
    texts.extras = {
        // The pop-up's entry of this name writes the current-literature list, not a page.
        CommandDef(kWriteList, {}, {}, u"Send to file (HTML)"_s),
        optionCommand(u"hideIndex"_s, u"Hide index"_s),
        optionCommand(u"hideHeadline"_s, u"Hide headline"_s),
        optionCommand(u"sortIndex"_s, u"Sort by index"_s),
        optionCommand(u"sortTitle"_s, u"Sort by title"_s),
    };
    texts.optionsMenu =
        MenuDef{u"options"_s,
                u"&Options"_s,
                {u"hideIndex"_s, u"hideHeadline"_s, u"|"_s, u"sortIndex"_s, u"sortTitle"_s}};
    texts.popup = {
        cmd::add,        cmd::edit, cmd::remove,       cmd::lending, cmd::findByConditions,
        cmd::masterList, u"|"_s,    cmd::printPreview, kWriteList,   cmd::print,
        u"|"_s,          cmd::close};
    texts.htmlExport = html::member(html::Register::Literature);
    return catalogueCommands(texts);
}

QList<EditField> literatureEditFields() {
    const auto listed = [](const QString& label, const QString& field, const QStringList& items) {
        return EditField(label, field, EditKind::PickList).listing(items).atColumn(1);
    };
    // The authors and publishers in the order they were remembered, the fixed lists in theirs.
    return {
        EditField(u"Title*"_s, u"Titel"_s),
        EditField(u"Author"_s, u"Author"_s, EditKind::PickList).rememberedIn(u"Author"_s),
        EditField(u"Publisher"_s, u"Publisher"_s, EditKind::PickList).rememberedIn(u"Publisher"_s),
        EditField(u"Publish Year"_s, u"Publication_Year"_s).digits(),
        EditField(u"Serie"_s, u"Serie"_s),
        listed(u"Format"_s, u"Format"_s, bookFormats()),
        EditField(u"ISBN"_s, u"ISBN"_s).atColumn(1),
        listed(u"Category"_s, u"Category"_s, bookCategories()),
        listed(u"Rate"_s, u"Kritik"_s, bookRatings()),
        EditField(u"Index*"_s, u"Index"_s, EditKind::Spin).ranged(1, 60000).digits().atColumn(1),
        EditField(u"Comments"_s, u"Comments"_s, EditKind::Memo).limited(240),
    };
}

MasterListPage literatureMasterList() {
    MasterListPage master = titleMasterList(
        {{u"Index"_s, u"Index"_s},
         {u"Titel"_s, u"Title"_s},
         {u"Author"_s, u"Author"_s},
         {u"Publisher"_s, u"Publisher"_s},
         {u"Kritik"_s, u"Rate"_s},
         {u"Publication_Year"_s, u"Publication_Year"_s},
         {u"ISBN"_s, u"ISBN"_s},
         {u"Category"_s, u"Category"_s},
         {u"Format"_s, u"Format"_s},
         {u"Serie"_s, u"Serie"_s},
         {u"Comments"_s, u"Comments"_s}},
        u"Titel"_s,
        {u"Tip: You can search a title by the field above to left.To add a record use the  "_s
         u"\"New record button\""_s
         u" in the toolbar. You can edit a field direct in a cell The edit record will be saved "
         u"after you have leave it or when you close this form You can't edit any lent-out "
         u"literature here."_s});
    // This register's own names for the page and its find box, and its opening paragraph
    // spells "you" right where the other registers' lists have "Ypu".
    master.name = u"Masterlist"_s;
    master.findLabel = u"Find Title"_s;
    master.tips.first().replace(u"Ypu"_s, u"you"_s);
    return master;
}

} // namespace

RegisterDescription literatureDescription() {
    RegisterDescription d;
    d.table = &schema::bok();
    d.nameField = u"Titel"_s;
    // The heading follows the find box, and the current book wherever it moves, so it never
    // shows another book's title than the one the panel shows.
    d.heading = {u"Literature"_s, u"Titel"_s,
                 HeadingTrigger::ListClick | HeadingTrigger::ListKey | HeadingTrigger::Navigator |
                     HeadingTrigger::FindTextChanged | HeadingTrigger::Found};
    d.browse.name = u"Bok"_s;
    d.browse.picture = Picture::Book;
    d.browse.listColumns = {{u"Index"_s, u"Index"_s}, {u"Titel"_s, u"Titel"_s}};
    d.browse.panel = {PanelField(u"Author"_s, {u"Author"_s}),
                      PanelField(u"Publisher"_s, {u"Publisher"_s}),
                      PanelField(u"Category"_s, {u"Category"_s}),
                      PanelField(u"Format"_s, {u"Format"_s}),
                      PanelField(u"Published Year"_s, {u"Publication_Year"_s}),
                      PanelField(u"ISBN"_s, {u"ISBN"_s}),
                      PanelField(u"Rated"_s, {u"Kritik"_s}),
                      PanelField(u"Lent to"_s, {u"Lent_To"_s}),
                      PanelField(u"Comments"_s, {u"Comments"_s}, PanelKind::Memo)};
    d.browse.navigator = Navigator::moves();
    FindGroup find;
    find.title = u"Find"_s;
    find.options = {FindOption(u"Title"_s, u"Titel"_s), FindOption(u"Author"_s, u"Author"_s),
                    FindOption(u"ISBN"_s, u"ISBN"_s)};
    find.notFoundText = u"Where is it?"_s;
    d.find = find;

    d.editPage = u"Ny bok"_s;
    d.editFields = literatureEditFields();
    d.entryFocus = u"Titel"_s;
    d.checks = {
        EntryCheck::required(u"Titel"_s, u"Title or name is required"_s, u"Title/name missing"_s)};
    d.indexField = u"Index"_s;
    d.remember = {u"Author"_s, u"Publisher"_s};
    d.editTips = {u"Fields marked with * is always required. "_s, QString(),
                  u"Move between the fields by your TAB- or RETURN key"_s};

    d.searchPage = u"SeekPage"_s;
    d.masterList = literatureMasterList();

    d.commands = literatureCommands();
    d.htmlExport = html::member(html::Register::Literature);
    d.printLayout = PrintList::Literature;
    d.sortOptions = {{u"sortIndex"_s, u"Index_Sec"_s}, {u"sortTitle"_s, u"Titel_Sec"_s}};
    d.hideColumnCommand = u"hideIndex"_s;
    d.hideColumnField = u"Index"_s;
    d.hideHeadingCommand = u"hideHeadline"_s;
    d.lendObjectType = LendObjectType::Literatur;

    d.editEmpty = {u"There is no record to edit. Empty database."_s, u"Empty"_s};
    d.deleteEmpty = {u"Sorry, you can't delete from a empty database."_s,
                     u"Empty, just like that."_s};
    d.deleteQuestion = {u"Record with name [ %1 ]  will be lost. Are you sure?"_s,
                        u"Delete a  record"_s};
    d.lentQuestion = {u"The Object [%1] is recorded as lent out. Do you want it to be marked as "
                      u"return from your lent-out database? "_s,
                      u"Mark it as returned?"_s};
    return checked(std::move(d));
}

TBokForm::TBokForm(AppContext& context, QWidget* parent)
    : RegisterWindow(context, literatureDescription(), parent) {
    resize(940, 640);
    setMinimumSize(640, 460);
    installSearchPage(search::literatureSearch());
    setCommandHandler(kWriteList, [this] { writeCurrentLiteratureList(); });
}

void TBokForm::writeCurrentLiteratureList() {
    run([this] {
        Table& books = table();
        if (isTableEmpty(books)) {
            context().dialogs.info(this, u"Empty"_s, u"Not such a command. Empty database"_s);
            return;
        }
        const QString path = context().dialogs.askFile(this, htmlSaveRequest(u"Literature.html"_s));
        if (path.isEmpty())
            return;
        literature::writeCurrentLiteratureList(books, path, today());
        context().dialogs.message(this, u"Finished"_s);
        books.first();
    });
}

} // namespace hoardly
