#include "SoftwareForm.h"

#include "SearchCriteria.h"
#include "SearchPage.h"
#include "SoftwareLists.h"
#include "data/Schema.h"

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

CommandSet softwareCommands() {
    CatalogueCommands texts;
    texts.close = {u"Back to mainmenu"_s, u"Mainmenu"_s, u"Huvumenyn"_s};
    texts.printPreview = {u"Print preview"_s, u"Print preview"_s, u"Förhandsgranska"_s};
    texts.print = {u"Print"_s, u"Print"_s, u"Skriv ut"_s};
    texts.add = {u"Add record"_s, u"Add record"_s, u"Lägg till ny post"_s};
    texts.edit = {u"Edit record"_s, u"Edit record"_s, u"Editera post"_s};
    texts.remove = {u"Delete record"_s, u"Del record"_s, u"Ta bort post"_s};
    texts.lending = {u"Lent out"_s, u"Lending"_s, u"Utlåning"_s};
    texts.findByConditions = {u"List/find by conditions"_s, u"Find by conditions"_s,
                              u"Villkorssökning"_s};
    texts.masterList = {u"Masterlist"_s, u"Masterlist"_s, u"Masterlista"_s};
    // The register's own spelling: this menu has no accelerator.
    texts.databaseMenu = u"Database"_s;
    texts.popup = {cmd::add,        cmd::edit,    cmd::remove,
                   u"|"_s,          cmd::lending, cmd::findByConditions,
                   cmd::masterList, u"|"_s,       cmd::printPreview,
                   cmd::print,      cmd::close};
    texts.htmlExport = html::member(html::Register::Software);
    return catalogueCommands(texts);
}

QList<EditField> softwareEditFields() {
    return {
        EditField(u"Title/Name*"_s, u"Namn"_s),
        EditField(u"Version"_s, u"Version"_s),
        EditField(u"Category"_s, u"Kategori"_s, EditKind::PickList).listing(software::categories()),
        EditField(u"Manufacturer"_s, u"Producent"_s, EditKind::PickList)
            .rememberedIn(u"Dataforetag"_s, software::kManufacturerLength),
        EditField(u"Web"_s, u"Web"_s),
        EditField(u"Storage"_s, u"Media"_s, EditKind::PickList).listing(software::storageKinds()),
        EditField(u"Type"_s, u"Typ"_s, EditKind::Radio).listing(software::types()).atColumn(1),
        EditField(u"Registered"_s, u"Registrerad"_s, EditKind::Check).atColumn(1),
        EditField(u"Serial"_s, u"Serienr"_s).atColumn(1),
        EditField(u"Licens#"_s, u"Licensnr"_s).atColumn(1),
        EditField(u"Purchase from"_s, u"Inkopsstalle"_s).atColumn(1),
        EditField(u"Purchase date"_s, u"Inkopt datum"_s)
            .noted(u"(Like: YYMMDD)"_s)
            .limited(6)
            .digits()
            .atColumn(1),
        EditField(u"Price"_s, u"Pris"_s).limited(5).digits().atColumn(1),
    };
}

MasterListPage softwareMasterList() {
    return titleMasterList(
        {{u"Namn"_s, u"Title"_s},
         {u"Version"_s, u"Version"_s},
         {u"Kategori"_s, u"Category"_s},
         {u"Producent"_s, u"Manufacturer"_s},
         {u"Inkopsstalle"_s, u"Purchase from"_s},
         {u"Inkopt datum"_s, u"Purchase date"_s},
         {u"Pris"_s, u"Price"_s},
         {u"Serienr"_s, u"Serial"_s},
         {u"Licensnr"_s, u"Licens#"_s},
         {u"Registrerad"_s, u"Registered"_s},
         {u"Web"_s, u"Web"_s},
         {u"Media"_s, u"Storage"_s}},
        u"Namn"_s,
        {u"Tip: You can search a title by the field above to left.To add a record use the  "_s
         u"\"New record button\""_s
         u" in the toolbar. You can edit a field direct in a cell The edit record will be "
         u"saved after you hav leave it or when you close this form You can't edit any "
         u"lent-out stuff here."_s},
        {u"Första posten"_s, u"Föregående post"_s, u"Nästa post"_s, u"Sista post"_s,
         u"Infoga ny post"_s, u"Radera post"_s, u"Editera post"_s, u"Posta ändring"_s,
         u"Avbryt editering"_s, u"Uppdatera "_s});
}

} // namespace

RegisterDescription softwareDescription() {
    RegisterDescription d;
    d.table = &schema::data();
    d.nameField = u"Namn"_s;
    d.heading = {u"Software"_s, u"Namn"_s,
                 HeadingTrigger::ListClick | HeadingTrigger::ListKey | HeadingTrigger::Navigator |
                     HeadingTrigger::FindTextChanged | HeadingTrigger::Found};
    d.browse.name = u"Data"_s;
    d.browse.picture = Picture::Software;
    d.browse.listColumns = {{u"Namn"_s, u"Title"_s}};
    d.browse.panel = {PanelField(u"Manufacturer"_s, {u"Producent"_s}).emphasise(),
                      PanelField(u"Version"_s, {u"Version"_s}),
                      PanelField(u"Web"_s, {u"Web"_s}, PanelKind::Link),
                      PanelField(u"Category"_s, {u"Kategori"_s}),
                      PanelField(u"Serial"_s, {u"Serienr"_s}),
                      PanelField(u"Type"_s, {u"Typ"_s}),
                      PanelField(u"Licens#"_s, {u"Licensnr"_s}),
                      PanelField(u"Purchase from"_s, {u"Inkopsstalle"_s}),
                      PanelField(u"Purchase date"_s, {u"Inkopt datum"_s}),
                      PanelField(u"Price"_s, {u"Pris"_s}),
                      PanelField(u"Registered"_s, {u"Registrerad"_s}, PanelKind::Check),
                      PanelField(u"Storage"_s, {u"Media"_s}),
                      PanelField(u"Lent to"_s, {u"Utlanad till"_s})};
    d.browse.navigator = Navigator::moves();
    FindGroup find;
    find.title = u"Find"_s;
    find.caption = u"Title"_s;
    find.startField = u"Namn"_s;
    find.foundText = u"Hit!"_s;
    find.notFoundText = u"Not found!"_s;
    d.find = find;

    d.editPage = u"Nytt program"_s;
    // The type buttons are written at OK only; editing shows the record's type, adding none.
    d.editFields = softwareEditFields();
    d.entryFocus = u"Namn"_s;
    d.checks = {
        EntryCheck::required(u"Namn"_s, u"Title/Name is required"_s, u"Title/name missing"_s)};
    d.remember = {u"Producent"_s};
    d.editTips = {u"Fields marked * is required. "_s, QString(),
                  u"Move between the fields with TAB- or ENTER key"_s};

    d.searchPage = u"SeekPage"_s;
    d.masterList = softwareMasterList();

    d.commands = softwareCommands();
    d.htmlExport = html::member(html::Register::Software);
    d.printLayout = PrintList::Software;
    d.lendObjectType = LendObjectType::Data;

    d.editEmpty = {u"Sorry. There are no records in the database"_s, u"Empty"_s};
    d.deleteEmpty = {u"Not such command. Empty database"_s, u"Empty as my wallet"_s};
    d.deleteQuestion = {u"Record with name [ %1 ] will be lost. Are you sure?"_s,
                        u"Delete a record"_s};
    d.lentQuestion = {u"The object [%1]  is recorded as lent out. Do you want it to be marked as "
                      u"return from Your lent-out database? "_s,
                      u"Mark it as returned?"_s};
    return checked(std::move(d));
}

TSoftwareForm::TSoftwareForm(AppContext& context, QWidget* parent)
    : RegisterWindow(context, softwareDescription(), parent) {
    resize(940, 640);
    setMinimumSize(640, 460);
    installSearchPage(search::softwareSearch());
}

} // namespace hoardly
