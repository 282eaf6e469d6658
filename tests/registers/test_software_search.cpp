#include "FakeShell.h"
#include "FilmSearchData.h"
#include "ScriptedDialogs.h"
#include "SoftwareData.h"
#include "TempCatalogue.h"
#include "WidgetHelpers.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "registers/SearchCriteria.h"
#include "registers/SearchPage.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;
using namespace hoardly::search;

namespace {

enum SoftwareCriterion {
    Manufacturer,
    Registered,
    Category,
    Url,
    AllUrls,
    Supplier,
    Type,
    Storage
};

const Criterion& software(SoftwareCriterion criterion) {
    return softwareSearch().criteria.at(criterion);
}

} // namespace

class TestSoftwareSearch : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    test::ScriptedDialogs dialogs;
    test::FakeShell shell;
    RunState run;
    std::unique_ptr<TDM> tdm;
    std::unique_ptr<SearchPage> page;

    Table& items() { return tdm->dataTb(); }

    // What the page shows in its first result column, sorted.
    QStringList found() const {
        const QAbstractItemModel* model = page->grid()->model();
        QStringList values;
        for (int row = 0; row < model->rowCount(); ++row)
            values << model->index(row, 0).data().toString();
        values.sort();
        return values;
    }
    // What the test's own query over the same file finds, sorted.
    QStringList expected(const QString& column, const QString& where) const {
        const QString joined = catalogue->scalar(
            u"data.DB"_s, u"SELECT group_concat(v, char(10)) FROM (SELECT %1 AS v FROM Data "
                          "WHERE %2 ORDER BY %1)"_s.arg(column, where));
        QStringList values = joined.isEmpty() ? QStringList() : joined.split(u'\n');
        values.sort();
        return values;
    }
    void search(SoftwareCriterion criterion, const QString& typed = {}) {
        page->selectCriterion(criterion);
        if (!typed.isNull())
            page->firstInput()->setEditText(typed);
        page->submitButton()->click();
        // The rows are read on the query's own thread.
        QTRY_VERIFY(!tdm->filmQ().isRunning());
    }
    QString header(int column) const {
        return page->grid()->model()->headerData(column, Qt::Horizontal).toString();
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        test::addSoftware(*catalogue);
        test::addSearchFilms(*catalogue);
        dialogs.reset();
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
        run.appDir = catalogue->path();
        page =
            std::make_unique<SearchPage>(AppContext{dialogs, *tdm, run, shell}, softwareSearch());
        page->show();
    }
    void cleanup() {
        page.reset();
        tdm.reset();
        catalogue.reset();
    }

    void theSoftwarePageHasEightCriteriaOnOneSortedInput() {
        const SearchRegister& r = softwareSearch();
        QCOMPARE(r.criteria.size(), 8);
        QVERIFY(!r.twoInputs && !r.submitIsDefault);
        QCOMPARE(r.opening, Opening::NothingSelectedFirst);
        QCOMPARE(r.firstPromptText, u"Find field"_s);
        QCOMPARE(r.inputText, u"Välj här"_s);
        const QStringList radios{u"List all software manufactured by a special manufacturer"_s,
                                 u"List all software which is registered"_s,
                                 u"List all softwares in a category"_s,
                                 u"List all softwares with a special URL"_s,
                                 u"List all Url's"_s,
                                 u"List all software from a supplier"_s,
                                 u"List all software in a particular type"_s,
                                 u"List all software stored with a special media"_s};
        const QStringList prompts{u"The name of the manufactur"_s,
                                  {},
                                  u"Kategori"_s,
                                  u"URL"_s,
                                  {},
                                  u"Purchase from"_s,
                                  u"Type"_s,
                                  u"Storage"_s};
        for (int i = 0; i < 8; ++i) {
            const Criterion& c = r.criteria[i];
            QCOMPARE(c.radioText, radios[i]);
            QCOMPARE(c.first.prompt, prompts[i]);
            QVERIFY(c.first.sorted);
            QVERIFY(!c.throughFile);
            const bool takesInput = i != Registered && i != AllUrls;
            QCOMPARE(c.first.inUse, takesInput);
            QCOMPARE(c.first.text, takesInput ? u"Choose here"_s : QString());
        }
    }

    void statementsJoinTheirPiecesExactly() {
        QCOMPARE(buildStatement(software(Manufacturer), {u"Microsoft"_s}).text,
                 u"SELECT Namn, Producent FROM Data WHERE Data.Producent = 'Microsoft' "_s);
        QCOMPARE(buildStatement(software(Registered), {u"typed"_s}).text,
                 u"SELECT Namn FROM Data WHERE Data.Registrerad =  True  "_s);
        QCOMPARE(buildStatement(software(AllUrls), {u"Choose here"_s}).text,
                 u"SELECT Web FROM Data WHERE Data.Web <> '' "_s);
        QCOMPARE(buildStatement(software(Supplier), {u"Åhléns"_s}).text,
                 u"SELECT Namn FROM Data WHERE Data.Inkopsstalle = 'Åhléns' "_s);
        QCOMPARE(buildStatement(software(Url), {u"x' OR '1'='1"_s}).values,
                 QVariantList{u"x' OR '1'='1"_s});
    }

    void eachCriterionFindsWhatTheTestsOwnQueryFinds() {
        page->enter();
        const QList<std::tuple<SoftwareCriterion, QString, QString>> searches{
            {Manufacturer, u"Microsoft"_s, u"Producent = 'Microsoft'"_s},
            {Manufacturer, u"O'Reilly"_s, u"Producent = 'O''Reilly'"_s},
            {Registered, {}, u"Registrerad = 1"_s},
            {Category, u"Word processor"_s, u"Kategori = 'Word processor'"_s},
            {Url, u"www.microsoft.com"_s, u"Web = 'www.microsoft.com'"_s},
            {Supplier, u"Dustin"_s, u"Inkopsstalle = 'Dustin'"_s},
            {Supplier, u"Åhléns"_s, u"Inkopsstalle = 'Åhléns'"_s},
            {Type, u"Freeware"_s, u"Typ = 'Freeware'"_s},
            {Storage, u"CD"_s, u"Media = 'CD'"_s},
        };
        for (const auto& [criterion, typed, where] : searches) {
            search(criterion, typed);
            const QStringList own = expected(u"Namn"_s, where);
            QVERIFY2(!own.isEmpty(), qPrintable(where));
            QCOMPARE(found(), own);
        }
        // Letter case counts: "freeware" and "microsoft" are other values.
        search(Type, u"freeware"_s);
        QCOMPARE(found(), QStringList{u"Kod'n Kaffe"_s});
        search(Manufacturer, u"microsoft"_s);
        QCOMPARE(found(), QStringList{u"Office"_s});
        QCOMPARE(header(0), u"Name"_s);
        QCOMPARE(header(1), u"Manufactur"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void aRegisteredBoxNeverTickedIsNotRegistered() {
        page->enter();
        search(Registered);
        QCOMPARE(found(), (QStringList{u"Access"_s, u"Doom"_s, u"Kod'n Kaffe"_s}));
        QVERIFY(!found().contains(u"WinZip"_s) && !found().contains(u"GIMP"_s));
        QCOMPARE(header(0), u"Name"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void listAllUrlsListsEveryWebAddressDuplicatesIncluded() {
        page->enter();
        search(AllUrls);
        const QStringList own = expected(u"Web"_s, u"Web <> ''"_s);
        QCOMPARE(found(), own);
        QCOMPARE(found().count(u"www.microsoft.com"_s), 3);
        QCOMPARE(found().size(), 5); // neither the empty nor the missing address
        QCOMPARE(page->grid()->model()->columnCount(), 1);
        QCOMPARE(header(0), u"Web"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theFirstVisitShowsNoCriterionEvenAfterAFilmSearch() {
        tdm->filmQ().setStatement({u"SELECT Titel FROM Film"_s});
        tdm->filmQ().open();
        QVERIFY(tdm->filmQ().rowCount() > 0);
        page->enter();
        QCOMPARE(page->selectedCriterion(), -1);
        for (int i = 0; i < 8; ++i)
            QVERIFY(!page->criterionButton(i)->isChecked());
        QCOMPARE(page->firstInput()->currentText(), u"Välj här"_s);
        QCOMPARE(page->firstPrompt()->text(), u"Find field"_s);
        QVERIFY(!page->secondInput() && !page->secondPrompt());
        QCOMPARE(page->grid()->model()->rowCount(), 0);
        QVERIFY(!tdm->filmQ().isOpen());
        QVERIFY(!page->submitButton()->isDefault() && !page->submitsOnEnter());
        page->submitButton()->click(); // nothing to submit yet
        QVERIFY(!tdm->filmQ().isOpen());
        QCOMPARE(page->firstInput()->currentText(), u"Välj här"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void aCriterionWithoutInputEmptiesAndGreysIt() {
        page->enter();
        page->selectCriterion(Category);
        QCOMPARE(page->firstInput()->count(), 12);
        page->selectCriterion(AllUrls);
        QVERIFY(!page->firstInput()->isEnabled());
        QCOMPARE(page->firstInput()->currentText(), QString());
        QCOMPARE(page->firstInput()->count(), 0);
        QCOMPARE(page->firstPrompt()->text(), QString());
        QCOMPARE(page->firstInput()->palette().color(QPalette::Disabled, QPalette::Base),
                 QColor(192, 192, 192));
        // Reset leaves it disabled, now showing "Choose here".
        page->resetButton()->click();
        QVERIFY(!page->firstInput()->isEnabled());
        QCOMPARE(page->firstInput()->currentText(), u"Choose here"_s);
        page->selectCriterion(Storage);
        QVERIFY(page->firstInput()->isEnabled());
        page->resetButton()->click();
        QVERIFY(page->firstInput()->isEnabled());
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void fixedListsShowSorted() {
        page->enter();
        page->selectCriterion(Type);
        QCOMPARE(test::comboItems(page->firstInput()),
                 (QStringList{u"Commercial"_s, u"Demo"_s, u"Freeware"_s, u"Shareware"_s}));
        page->selectCriterion(Storage);
        QCOMPARE(test::comboItems(page->firstInput()).first(), u"CD"_s);
        QCOMPARE(test::comboItems(page->firstInput()).last(), u"Zipfile"_s);
        QCOMPARE(page->firstInput()->count(), 10);
        page->selectCriterion(Category);
        QCOMPARE(test::comboItems(page->firstInput()).first(), u"CAD"_s);
        QCOMPARE(test::comboItems(page->firstInput()).last(), u"Word processor"_s);
        page->selectCriterion(Manufacturer);
        QCOMPARE(test::comboItems(page->firstInput()),
                 (QStringList{u"gimp.org"_s, u"id Software"_s, u"Microsoft"_s, u"microsoft"_s,
                              u"Nico Mak"_s, u"O'Reilly"_s}));
        QCOMPARE(page->firstInput()->currentText(), u"Choose here"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theUrlAndSupplierListsLeaveTheLastRecordCurrent() {
        items().open();
        items().first();
        page->enter();
        page->selectCriterion(Url);
        QCOMPARE(
            test::comboItems(page->firstInput()),
            (QStringList{u"ftp://ftp.oreilly.com"_s, u"http://www.winzip.com"_s,
                         u"www.microsoft.com"_s, u"www.microsoft.com"_s, u"www.microsoft.com"_s}));
        QCOMPARE(items().position(), items().recordCount() - 1);
        QCOMPARE(items().asText(u"Namn"_s), u"Office"_s);

        items().first();
        page->selectCriterion(Supplier);
        // Where "Åhléns" sorts is the collation's business; every supplier is there, each
        // time it was met.
        QStringList suppliers = test::comboItems(page->firstInput());
        suppliers.sort();
        QCOMPARE(suppliers,
                 (QStringList{u"Dustin"_s, u"Dustin"_s, u"Dustin"_s, u"Webbshop"_s, u"Åhléns"_s}));
        QCOMPARE(items().asText(u"Namn"_s), u"Office"_s);
        // The other lists leave the register where it stands.
        items().first();
        page->selectCriterion(Storage);
        page->selectCriterion(Manufacturer);
        QCOMPARE(items().position(), 0);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void resetOnAnEmptyTableSaysNothingToDo() {
        catalogue->exec(u"data.DB"_s, u"DELETE FROM Data"_s);
        page->enter();
        search(Category, u"Games"_s);
        QVERIFY(tdm->filmQ().isOpen());
        dialogs.answer(Answer::Ok);
        page->resetButton()->click();
        QCOMPARE(dialogs.boxes().size(), 1);
        dialogs.expectLastBox(BoxKind::Info, u"Nothing to do"_s, u"Empty database"_s);
        // The reset itself ran first.
        QVERIFY(!tdm->filmQ().isOpen());
        QVERIFY(tdm->filmQ().statement().isEmpty());
        QCOMPARE(page->firstInput()->currentText(), u"Choose here"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void resetWithItemsShowsNoBox() {
        page->enter();
        search(Category, u"Games"_s);
        QCOMPARE(found(), QStringList{u"Doom"_s});
        page->resetButton()->click();
        QCOMPARE(page->grid()->model()->rowCount(), 0);
        QCOMPARE(page->firstInput()->count(), 12); // the list keeps its entries
        QVERIFY(dialogs.boxes().isEmpty());
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void comingBackShowsThePageAsItWasLeft() {
        page->enter();
        search(Supplier, u"Dustin"_s);
        QCOMPARE(found().size(), 3);
        page->hide(); // Back
        page->show();
        page->enter();
        QCOMPARE(page->selectedCriterion(), int(Supplier));
        QCOMPARE(page->firstInput()->currentText(), u"Dustin"_s);
        QCOMPARE(found().size(), 3);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void anEmptyResultShowsOnlyTheTitles() {
        page->enter();
        search(Url, u"Choose here"_s);
        QCOMPARE(page->grid()->model()->rowCount(), 0);
        QCOMPARE(header(0), u"Name"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }
};

QTEST_MAIN(TestSoftwareSearch)
#include "test_software_search.moc"
