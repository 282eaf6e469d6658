#include "FilmForm.h"

#include "FilmPickLists.h"
#include "SearchCriteria.h"
#include "SearchPage.h"
#include "data/Schema.h"

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

CommandSet filmCommands() {
    CatalogueCommands texts;
    texts.close = {u"Back to mainmenu"_s, u"Back to mainmenu"_s, u"Mainmenu"_s};
    texts.printPreview = {u"Print preview"_s, u"Print preview"_s, u"Print preview"_s};
    texts.print = {u"Print"_s, u"Skriv ut"_s, u"Print"_s};
    // The film lock covers the tool bar's "Print", but not the pop-up's "Print preview".
    texts.printLockedOnToolBar = true;
    texts.previewLockedInPopup = false;
    texts.add = {u"Add record"_s, u"Add record"_s, u"Add record"_s};
    texts.edit = {u"Edit record"_s, u"Edit record"_s, u"Edit record"_s};
    texts.remove = {u"Delete record"_s, u"Del record"_s, u"Del record"_s};
    texts.lending = {u"Lending"_s, u"Lending"_s, u"Lending"_s};
    texts.findByConditions = {u"Find films by conditions"_s, u"Find by conditions"_s,
                              u"Find by conditions"_s};
    texts.masterList = {u"Masterlist"_s, u"Masterlist"_s, u"Masterlist"_s};
    texts.extras = {optionCommand(u"hideIndex"_s, u"Hide index"_s),
                    optionCommand(u"hideHeading"_s, u"Hide heading"_s),
                    optionCommand(u"sortIndex"_s, u"Sort by index"_s),
                    optionCommand(u"sortTitle"_s, u"Sort by title"_s)};
    texts.optionsMenu =
        MenuDef{u"options"_s,
                u"&Options"_s,
                {u"hideIndex"_s, u"hideHeading"_s, u"|"_s, u"sortIndex"_s, u"sortTitle"_s}};
    texts.htmlExport = html::member(html::Register::Film);
    return catalogueCommands(texts);
}

QList<EditField> filmEditFields() {
    const auto remembered = [](const QString& label, const QString& field, const QString& column) {
        return EditField(label, field, EditKind::PickList).rememberedIn(column).atColumn(1);
    };
    return {
        EditField(u"Index*"_s, u"Index"_s, EditKind::Spin).ranged(1, 60000).digits(),
        EditField(u"Title*"_s, u"Titel"_s),
        EditField(u"From year"_s, u"Inspelningsar"_s).noted(u"(YYYY)"_s).digits(),
        EditField(u"Screen time (min)"_s, u"Speltid"_s).limited(5).digits(),
        EditField(u"Category"_s, u"Kategori"_s, EditKind::PickList)
            .listing(filmCategories())
            .sortedList(),
        EditField(u"Storage"_s, u"Media"_s, EditKind::PickList).listing(filmStorageKinds()),
        remembered(u"Rate"_s, u"Kritik"_s, u"Kritik"_s),
        remembered(u"Directed by"_s, u"Regi"_s, u"Regi"_s).sortedList(),
        remembered(u"Actor 1"_s, u"Aktor"_s, u"Aktor"_s).sortedList(),
        remembered(u"Actor 2"_s, u"Aktor2"_s, u"Aktor"_s).sortedList(),
        remembered(u"Actor 3"_s, u"Aktor3"_s, u"Aktor"_s).sortedList(),
        EditField(u"Comments"_s, u"Kommentar"_s, EditKind::Memo).limited(240),
    };
}

} // namespace

RegisterDescription filmDescription() {
    RegisterDescription d;
    d.table = &schema::film();
    d.nameField = u"Titel"_s;
    d.heading = {u"Movies"_s, u"Titel"_s,
                 HeadingTrigger::ListClick | HeadingTrigger::ListKey | HeadingTrigger::Navigator |
                     HeadingTrigger::FindTextChanged | HeadingTrigger::Found};
    d.browse.name = u"Film"_s;
    d.browse.title = u"Film"_s;
    d.browse.picture = Picture::Film;
    d.browse.listColumns = {{u"Index"_s, u"Index"_s}, {u"Titel"_s, u"Title"_s}};
    d.browse.panel = {PanelField(u"Starring:"_s, {u"Aktor"_s, u"Aktor2"_s, u"Aktor3"_s}),
                      PanelField(u"Directed by"_s, {u"Regi"_s}),
                      PanelField(u"Category"_s, {u"Kategori"_s}),
                      PanelField(u"From Year"_s, {u"Inspelningsar"_s}),
                      PanelField(u"Rate"_s, {u"Kritik"_s}),
                      PanelField(u"Screen time"_s, {u"Speltid"_s}, PanelKind::Text, u"(min)"_s),
                      PanelField(u"Storage"_s, {u"Media"_s}),
                      PanelField(u"Lent to"_s, {u"Utlanad till"_s}),
                      PanelField(u"Comments"_s, {u"Kommentar"_s}, PanelKind::Memo)};
    d.browse.navigator = Navigator::moves();
    FindGroup find;
    find.title = u"Find"_s;
    find.options = {FindOption(u"Title"_s, u"Titel"_s), FindOption(u"Index"_s, u"Index"_s, 5)};
    find.startLength = 40;
    d.find = find;

    d.editPage = u"Ny Film"_s;
    d.editFields = filmEditFields();
    d.entryFocus = u"Titel"_s;
    d.checks = {EntryCheck::required(u"Titel"_s, u"Name/title is required."_s, u"Name missing"_s)};
    d.indexField = u"Index"_s;
    d.remember = {u"Aktor"_s, u"Aktor2"_s, u"Aktor3"_s, u"Kritik"_s, u"Regi"_s};
    d.editTips = {u"Fields marked with * is always required. "_s, QString(),
                  u"Move between the fields by your TAB- or RETURN key"_s, QString(),
                  u"If you do have several films on the same video tape just give the film "
                  u"same index as the others"_s};

    d.searchPage = u"SeekPage"_s;
    d.masterList = titleMasterList(
        {{u"Index"_s, u"Index"_s},
         {u"Titel"_s, u"Title"_s},
         {u"Kategori"_s, u"Category"_s},
         {u"Inspelningsar"_s, u"Produced year"_s},
         {u"Aktor"_s, u"Actor"_s},
         {u"Aktor2"_s, u"Actor 2"_s},
         {u"Aktor3"_s, u"Actor 3"_s},
         {u"Regi"_s, u"Directed by"_s},
         {u"Media"_s, u"Storage"_s},
         {u"Kritik"_s, u"Rate"_s},
         {u"Speltid"_s, u"Screen time"_s}},
        u"Titel"_s,
        {u"Tip: You can search a title by the field above to left.To add a record use the  "_s
         u"\"New record button\""_s
         u" in the toolbar. you can edit a field direct in the cell The edit record will be "
         u"saved after you have leave it or when you close this form you can't edit any "
         u"lent-out films here."_s,
         QString()});

    d.commands = filmCommands();
    d.htmlExport = html::member(html::Register::Film);
    d.printLayout = PrintList::Film;
    d.sortOptions = {{u"sortIndex"_s, u"Nummer"_s}, {u"sortTitle"_s, u"Filmtitel"_s}};
    d.sortFallback = 1;
    d.hideColumnCommand = u"hideIndex"_s;
    d.hideColumnField = u"Index"_s;
    d.hideHeadingCommand = u"hideHeading"_s;
    d.lendObjectType = LendObjectType::Film;

    d.editEmpty = {u"Not such a command. Empty database."_s, u"Nothing to edit"_s};
    d.deleteEmpty = {u"Not such a command."_s, u"Empty database"_s};
    d.deleteQuestion = {u"Record with name [ %1 ] will be lost. Are you sure?"_s,
                        u"Delete record?"_s};
    d.lentQuestion = {u"The Object [%1] is recorded as lent out. Do you want it to be marked as "
                      u"return from your lent-out database? "_s,
                      u"Remove from lent-out database?"_s};
    return checked(std::move(d));
}

TFilmForm::TFilmForm(AppContext& context, QWidget* parent)
    : RegisterWindow(context, filmDescription(), parent) {
    resize(940, 620);
    setMinimumSize(640, 440);
    installSearchPage(search::filmSearch());
}

} // namespace hoardly
