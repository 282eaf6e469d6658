#include "data/Schema.h"
#include "registers/AdressForm.h"
#include "registers/FilmForm.h"
#include "registers/LiteratureForm.h"
#include "registers/SoftwareForm.h"
#include "registers/ValueForm.h"
#include "security/CodeStoreForm.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

// Every register is described as data; a description names commands and fields, and each
// of them must exist.
class TestRegisterDescriptions : public QObject {
    Q_OBJECT

    // The smallest description that is whole: a film register with one command.
    static RegisterDescription minimal() {
        RegisterDescription d;
        d.table = &schema::film();
        d.nameField = u"Titel"_s;
        d.commands.commands = {registerCommand(cmd::add, u"Add record"_s, u"Add record"_s)};
        d.commands.toolBar = {cmd::add};
        return d;
    }

    // Every register's description, by name.
    static const QList<std::pair<const char*, RegisterDescription (*)()>>& registers() {
        static const QList<std::pair<const char*, RegisterDescription (*)()>> all{
            {"film", filmDescription},
            {"address book", adressDescription},
            {"software", softwareDescription},
            {"literature", literatureDescription},
            {"code store", codeStoreDescription},
            {"home inventory", valueDescription},
        };
        return all;
    }

private slots:
    void everyRegisterIsDescribedWithoutAProblem_data() {
        QTest::addColumn<int>("which");
        for (int i = 0; i < registers().size(); ++i)
            QTest::newRow(registers()[i].first) << i;
    }
    void everyRegisterIsDescribedWithoutAProblem() {
        QFETCH(int, which);
        const RegisterDescription d = registers()[which].second();
        QCOMPARE(descriptionProblems(d), QStringList());
        QVERIFY(d.table);
        QVERIFY(!d.commands.commands.isEmpty());
    }

    void theFilmRegisterLendsFilmsAndTheAddressBookNothing() {
        QCOMPARE(filmDescription().lendObjectType, std::optional(LendObjectType::Film));
        QCOMPARE(softwareDescription().lendObjectType, std::optional(LendObjectType::Data));
        QCOMPARE(int(*softwareDescription().lendObjectType), 2);
        QCOMPARE(int(*literatureDescription().lendObjectType), 3);
        QVERIFY(!adressDescription().lendObjectType);
        // Every register prints its own list.
        QCOMPARE(filmDescription().printLayout, std::optional(PrintList::Film));
        QCOMPARE(adressDescription().printLayout, std::optional(PrintList::Addresses));
    }

    void theSoftwareRegisterCutsItsManufacturersAndFindsByNameOnly() {
        const RegisterDescription d = softwareDescription();
        const EditField* manufacturer = d.editField(u"Producent"_s);
        QVERIFY(manufacturer);
        QCOMPARE(manufacturer->remembered, u"Dataforetag"_s);
        QCOMPARE(manufacturer->rememberedLength, 40);
        QCOMPARE(d.remember, QStringList{u"Producent"_s});
        QCOMPARE(d.editField(u"Typ"_s)->kind, EditKind::Radio);
        QVERIFY(d.find->options.isEmpty());
        QCOMPARE(d.find->caption, u"Title"_s);
        QVERIFY(d.browse.panel.first().emphasised);
        // The film register's remembered lists keep their values whole.
        QCOMPARE(filmDescription().editField(u"Regi"_s)->rememberedLength, 0);
    }

    void theSharedCommandsCarryTheirShortcutsAndIcons() {
        const CommandDef add = registerCommand(cmd::add, u"Add record"_s, u"Add record"_s);
        QCOMPARE(add.shortcut, QKeySequence(Qt::Key_Insert));
        QCOMPARE(add.icon, Icon::Add);
        QCOMPARE(add.toolHint, u"Add record"_s);
        QVERIFY(add.popupText.isEmpty());
        QCOMPARE(registerCommand(cmd::remove, u"Del record"_s).shortcut,
                 QKeySequence(Qt::SHIFT | Qt::Key_Delete));
        QCOMPARE(registerCommand(cmd::masterList, u"Masterlist"_s).shortcut,
                 QKeySequence(Qt::CTRL | Qt::Key_M));
        QCOMPARE(registerCommand(cmd::close, u"Back to main"_s).icon, Icon::MainMenu);
        QCOMPARE(registerCommand(cmd::printPreview, u"Print preview"_s).shortcut,
                 QKeySequence(Qt::CTRL | Qt::Key_F));
        QCOMPARE(registerCommand(cmd::print, u"Print"_s).icon, Icon::Print);
        QVERIFY(optionCommand(u"sortIndex"_s, u"Sort by index"_s).checkable);
    }

    void anUnknownCommandIsNamedWithItsPlace() {
        RegisterDescription d = minimal();
        QCOMPARE(descriptionProblems(d), QStringList());
        d.commands.toolBar << u"|"_s << u"lendig"_s;
        d.commands.popup = {cmd::add, cmd::edit};
        d.commands.menus = {{u"database"_s, u"&Database"_s, {cmd::add, u"masterlist"_s}}};
        d.commands.lock.menus = {u"file"_s};
        d.commands.lock.popup = {cmd::close};
        d.commands.disabledAtStart = {cmd::back};
        d.sortOptions = {{u"sortTitle"_s, u"Filmtitel"_s}};
        QCOMPARE(
            descriptionProblems(d),
            (QStringList{
                u"The tool bar names the command \"lendig\", which the register does not have"_s,
                u"The pop-up menu names the command \"edit\", which the register does not have"_s,
                u"The menu \"&Database\" names the command \"masterlist\", which the register "
                u"does not have"_s,
                u"The lock names the command \"close\", which the register does not have"_s,
                u"The lock names the menu \"file\", which the register does not have"_s,
                u"The start state names the command \"back\", which the register does not "
                u"have"_s,
                u"A sort option names the command \"sortTitle\", which the register does not "
                u"have"_s}));
    }

    void aPrintedListNeedsItsTwoCommands() {
        RegisterDescription d = minimal();
        d.printLayout = PrintList::Film;
        QCOMPARE(descriptionProblems(d),
                 (QStringList{u"The printed list names the command \"printPreview\", which the "
                              u"register does not have"_s,
                              u"The printed list names the command \"print\", which the register "
                              u"does not have"_s}));
    }

    void anUnknownFieldOrIndexIsNamedWithItsPlace() {
        RegisterDescription d = minimal();
        d.browse.listColumns = {{u"Titel"_s, u"Title"_s}, {u"Title"_s, u"Title"_s}};
        d.browse.panel = {PanelField(u"Rate"_s, {u"Kritik"_s, u"Betyg"_s})};
        d.editFields = {
            EditField(u"Title*"_s, u"Titel"_s),
            EditField(u"Actor"_s, u"Aktor"_s, EditKind::PickList).rememberedIn(u"Actor"_s)};
        d.checks = {EntryCheck::required(u"Regi"_s, u"Who?"_s, u"No director"_s)};
        d.remember = {u"Titel"_s};
        FindGroup find;
        find.options = {FindOption(u"Index"_s, u"Nummer"_s)};
        d.find = find;
        MasterListPage master;
        master.columns = {{u"Speltid"_s, u"Screen time"_s}, {u"Langd"_s, u"Length"_s}};
        d.masterList = master;
        d.openIndex = u"Titlar"_s;
        QCOMPARE(descriptionProblems(d),
                 (QStringList{
                     u"The master list names the command \"masterList\", which the register does "
                     u"not have"_s,
                     u"The list names the field \"Title\", which film.DB does not have"_s,
                     u"The panel line \"Rate\" names the field \"Betyg\", which film.DB does not "
                     u"have"_s,
                     u"The pick list \"Actor\" names the field \"Actor\", which Standard.db does "
                     u"not have"_s,
                     u"OK remembers \"Titel\", which is no remembered pick list"_s,
                     u"OK checks \"Regi\", which has no control"_s,
                     u"The find option \"Index\" names the field \"Nummer\", which film.DB does "
                     u"not have"_s,
                     u"The master list names the field \"Langd\", which film.DB does not have"_s,
                     u"The opening names the index \"Titlar\", which film.DB does not have"_s}));
    }

    void aLendingKindMustBelongToTheRegistersTable() {
        RegisterDescription d = minimal();
        d.commands.commands << registerCommand(cmd::lending, u"Lending"_s);
        d.lendObjectType = LendObjectType::Literatur;
        QCOMPARE(descriptionProblems(d),
                 QStringList{u"The lending kind \"Literatur\" belongs to another table"_s});
        d.lendObjectType = LendObjectType::Film;
        QCOMPARE(descriptionProblems(d), QStringList());
        d.table = nullptr;
        QCOMPARE(descriptionProblems(d), QStringList{u"The register names no table"_s});
    }
};

QTEST_GUILESS_MAIN(TestRegisterDescriptions)
#include "test_register_descriptions.moc"
