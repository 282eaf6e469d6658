#include "FakeShell.h"
#include "FilmSearchData.h"
#include "ScriptedDialogs.h"
#include "TempCatalogue.h"
#include "WidgetHelpers.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "registers/SearchPage.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

enum {
    Actor = 0,
    Director = 1,
    Category = 2,
    Rate = 3,
    Below = 4,
    TwoActors = 6,
    CategoryAndRate = 8,
    Year = 10,
    Storage = 11
};

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSearchPage : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<QTemporaryDir> workDir;
    QString savedWorkDir;
    test::ScriptedDialogs dialogs;
    test::FakeShell shell;
    RunState run;
    std::unique_ptr<TDM> tdm;
    std::unique_ptr<SearchPage> page;

    QAbstractItemModel* grid() const { return page->grid()->model(); }
    int rows() const { return grid()->rowCount(); }
    QStringList foundTitles() const {
        QStringList titles;
        for (int row = 0; row < rows(); ++row)
            titles << grid()->index(row, 2).data().toString();
        titles.sort();
        return titles;
    }
    void search(int criterion, const QString& first, const QString& second = {}) {
        page->selectCriterion(criterion);
        page->firstInput()->setEditText(first);
        if (!second.isNull())
            page->secondInput()->setEditText(second);
        page->submitButton()->click();
        // The rows are read on the query's own thread.
        QTRY_VERIFY(!tdm->filmQ().isRunning());
    }
    QString sqlFile() const { return QDir(workDir->path()).filePath(u"sql.txt"_s); }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        test::addSearchFilms(*catalogue);
        // The statement file goes to the working directory: a temporary one for each test.
        workDir = std::make_unique<QTemporaryDir>();
        savedWorkDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(workDir->path()));
        dialogs.reset();
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
        run.appDir = catalogue->path();
        page = std::make_unique<SearchPage>(AppContext{dialogs, *tdm, run, shell},
                                            search::filmSearch());
        page->show();
    }
    void cleanup() {
        page.reset();
        tdm.reset();
        QVERIFY(QDir::setCurrent(savedWorkDir));
        workDir.reset();
        catalogue.reset();
    }

    void openingSelectsTheActorCriterion() {
        QCOMPARE(page->selectedCriterion(), -1);
        QCOMPARE(page->firstPrompt()->text(), u"Seekfield"_s);
        QCOMPARE(page->firstInput()->currentText(), u"Choose here"_s);
        page->enter();
        QCOMPARE(page->selectedCriterion(), Actor);
        QVERIFY(page->criterionButton(Actor)->isChecked());
        QCOMPARE(page->firstPrompt()->text(), u"Actors name:"_s);
        QCOMPARE(page->secondPrompt()->text(), QString());
        QCOMPARE(page->firstInput()->currentText(), u"Choose here"_s);
        QCOMPARE(test::comboItems(page->firstInput()).first(), u"Al Pacino"_s); // sorted
        QCOMPARE(test::comboItems(page->firstInput()).size(), 8);
        QVERIFY(page->firstInput()->isEnabled());
        QCOMPARE(page->firstInput()->palette().color(QPalette::Base), QColor(Qt::white));
        QComboBox* second = page->secondInput();
        QVERIFY(!second->isEnabled());
        QCOMPARE(second->currentText(), u"Not in use at the moment"_s);
        QCOMPARE(second->palette().color(QPalette::Disabled, QPalette::Base),
                 QColor(192, 192, 192));
        QCOMPARE(second->count(), 0);
        QVERIFY(page->submitButton()->isDefault());
        QVERIFY(page->submitsOnEnter());
        QCOMPARE(page->criterionButton(11)->text(), u"List all film stored on a special storage"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void actorsAreFoundInAnyFieldAndPairsNeedBoth() {
        page->enter();
        search(Actor, u"Al Pacino"_s);
        QCOMPARE(foundTitles(), (QStringList{u"Heat"_s, u"Scarface"_s, u"The Godfather"_s}));
        search(TwoActors, u"Al Pacino"_s, u"Robert De Niro"_s);
        QCOMPARE(foundTitles(), QStringList{u"Heat"_s});
        search(TwoActors, u"Al Pacino"_s, u"Al Pacino"_s);
        QCOMPARE(foundTitles(), (QStringList{u"Heat"_s, u"Scarface"_s, u"The Godfather"_s}));
        QVERIFY(!QFile::exists(sqlFile())); // only screen times go through the file
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void resultColumnsAreTitledAndSomeHidden() {
        page->enter();
        search(Actor, u"Al Pacino"_s);
        const QAbstractItemModel* model = grid();
        QCOMPARE(model->columnCount(), 16);
        QVERIFY(page->grid()->isColumnHidden(0));
        QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), u"Title"_s);
        QCOMPARE(model->headerData(13, Qt::Horizontal).toString(), u"ScreenTime"_s);
        QCOMPARE(model->headerData(14, Qt::Horizontal).toString(), u"Lent to"_s);
        for (int hidden : {11, 12, 15})
            QVERIFY(page->grid()->isColumnHidden(hidden));
        QVERIFY(!page->grid()->isColumnHidden(14));
        // An empty result keeps its titles.
        search(Actor, u"Nobody"_s);
        QCOMPARE(rows(), 0);
        QCOMPARE(model->headerData(4, Qt::Horizontal).toString(), u"From Year"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void aLongValueKeepsItsColumnNarrowAndShowsWholeAsAToolTip() {
        const QString actor = u"Sir "_s + QString(96, u'n');
        catalogue->exec(u"film.DB"_s,
                        u"UPDATE Film SET Aktor2 = '%1' WHERE Titel = 'Heat'"_s.arg(actor));
        page->resize(1000, 600);
        page->enter();
        search(Actor, u"Al Pacino"_s);
        int row = 0;
        while (row < rows() && grid()->index(row, 2).data().toString() != u"Heat"_s)
            ++row;
        QVERIFY(row < rows());
        QCOMPARE(grid()->index(row, 6).data(Qt::ToolTipRole).toString(), actor);
        const QTableView* view = page->grid();
        const int widest = view->fontMetrics().averageCharWidth() * 40;
        for (int column = 0; column < grid()->columnCount(); ++column)
            QVERIFY2(view->columnWidth(column) <= widest, qPrintable(QString::number(column)));
        QVERIFY(view->columnWidth(2) >= view->fontMetrics().horizontalAdvance(u"The Godfather"_s));
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void screenTimeBelowGoesThroughTheStatementFile() {
        page->enter();
        search(Below, u"90"_s);
        QCOMPARE(foundTitles(), (QStringList{u"Dracula"_s, u"Short \"Cut\""_s})); // not 90
        QCOMPARE(fileBytes(sqlFile()), "Select * From Film Where Film.Speltid < 90");
        QCOMPARE(tdm->filmQ().statement(),
                 QStringList{u"Select * From Film Where Film.Speltid < 90"_s});
        QCOMPARE(grid()->headerData(13, Qt::Horizontal).toString(), u"ScreenTime"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theScreenTimeHintLeftInPlaceGivesTheErrorBox() {
        page->enter();
        search(Below, u"90"_s);
        QVERIFY(rows() > 0);
        page->selectCriterion(Below + 1);
        QCOMPARE(page->firstInput()->currentText(), u"Specify the screen time (min) here"_s);
        QCOMPARE(page->firstInput()->count(), 0);
        dialogs.answer(Answer::Ok);
        page->submitButton()->click();
        QCOMPARE(dialogs.boxes().size(), 1);
        QCOMPARE(dialogs.lastBox().kind, BoxKind::ErrorBox);
        QCOMPARE(dialogs.lastBox().text,
                 u"\"Specify the screen time (min) here\" is not a whole number.\n"
                 "Please give the screen time in whole minutes, for example 90."_s);
        QCOMPARE(rows(), 0);
        QVERIFY(!tdm->filmQ().isOpen());
        QCOMPARE(page->firstInput()->currentText(), u"Specify the screen time (min) here"_s);
        // The file keeps the last statement that could run.
        QCOMPARE(fileBytes(sqlFile()), "Select * From Film Where Film.Speltid < 90");
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void anUnwritableStatementFileIsReportedAndNothingRuns() {
        page->enter();
        const QString gone = QDir(workDir->path()).filePath(u"gone"_s);
        QVERIFY(QDir().mkdir(gone));
        QVERIFY(QDir::setCurrent(gone));
        QVERIFY(QDir().rmdir(gone)); // the working directory is no more
        dialogs.answer(Answer::Ok);
        search(Below, u"100"_s);
        QCOMPARE(dialogs.lastBox().kind, BoxKind::ErrorBox);
        QVERIFY(dialogs.lastBox().text.contains(u"sql.txt"_s));
        QVERIFY(!tdm->filmQ().isOpen());
        QCOMPARE(rows(), 0);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void ratesStayInRememberedOrderBesideSortedCategories() {
        page->enter();
        const QStringList remembered{u"*****"_s, u"****"_s, u"***"_s,
                                     u"**"_s,    u"*"_s,    u"Not seen"_s};
        page->selectCriterion(Rate);
        QCOMPARE(test::comboItems(page->firstInput()), remembered);
        QCOMPARE(page->firstInput()->currentText(), u"Choose here"_s);
        page->selectCriterion(CategoryAndRate);
        QCOMPARE(test::comboItems(page->secondInput()), remembered);
        QCOMPARE(test::comboItems(page->firstInput()).size(), 19);
        QCOMPARE(test::comboItems(page->firstInput()).first(), u"Action"_s);
        QCOMPARE(test::comboItems(page->firstInput()).last(), u"Western"_s);
        QVERIFY(page->secondInput()->isEnabled());
        QCOMPARE(page->secondInput()->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(page->secondPrompt()->text(), u"Rate:"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void storageOffersTwelveKindsAndAnnatCanBeTyped() {
        page->enter();
        page->selectCriterion(Storage);
        QCOMPARE(page->firstInput()->count(), 12);
        QCOMPARE(page->firstInput()->findText(u"Annat"_s), -1);
        QCOMPARE(page->secondInput()->currentText(), u"Not in use"_s);
        search(Storage, u"Annat"_s);
        QCOMPARE(foundTitles(), QStringList{u"Scarface"_s});
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void letterCaseMustMatchAndQuotesAreSearchedFor() {
        page->enter();
        search(Actor, u"al pacino"_s);
        QCOMPARE(rows(), 0);
        search(Actor, u"Peter O'Toole"_s);
        QCOMPARE(foundTitles(), QStringList{u"Lawrence of Arabia"_s});
        search(Director, u"Ö. Åberg"_s);
        QCOMPARE(foundTitles(), QStringList{u"Short \"Cut\""_s});
        search(Year, u"1931"_s);
        QCOMPARE(foundTitles(), QStringList{u"Dracula"_s});
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void resetKeepsADisabledSecondInputDisabled() {
        page->enter();
        search(Actor, u"Al Pacino"_s);
        QVERIFY(rows() > 0);
        page->resetButton()->click();
        QCOMPARE(rows(), 0);
        QVERIFY(tdm->filmQ().statement().isEmpty());
        QCOMPARE(page->firstInput()->currentText(), u"Choose here"_s);
        QVERIFY(page->firstInput()->isEnabled());
        QCOMPARE(page->secondInput()->currentText(), u"Choose here"_s);
        QVERIFY(!page->secondInput()->isEnabled());
        QCOMPARE(page->firstInput()->count(), 8); // the lists keep their entries
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void clickingTheSelectedCriterionChangesNothing() {
        page->enter();
        search(Actor, u"Al Pacino"_s);
        page->firstInput()->setEditText(u"Typed meanwhile"_s);
        QTest::mouseClick(page->criterionButton(Actor), Qt::LeftButton);
        QCOMPARE(page->selectedCriterion(), Actor);
        QCOMPARE(page->firstInput()->currentText(), u"Typed meanwhile"_s);
        QCOMPARE(rows(), 3);
        QCOMPARE(page->firstInput()->count(), 8);
        // Another criterion does run its selection step.
        QTest::mouseClick(page->criterionButton(Director), Qt::LeftButton);
        QCOMPARE(page->selectedCriterion(), Director);
        QCOMPARE(page->firstPrompt()->text(), u"Directors name"_s);
        QCOMPARE(rows(), 0);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void returningKeepsOnlyTheFirstCriterionsResult() {
        page->enter();
        search(Actor, u"Al Pacino"_s);
        page->hide(); // Back: the query stays as it is
        page->show();
        page->enter();
        QCOMPARE(rows(), 3);
        QCOMPARE(page->firstInput()->currentText(), u"Al Pacino"_s);
        QVERIFY(!page->grid()->isColumnHidden(2) && page->grid()->isColumnHidden(0));

        search(Director, u"Michael Mann"_s);
        QCOMPARE(rows(), 1);
        page->enter();
        QCOMPARE(page->selectedCriterion(), Actor);
        QCOMPARE(page->firstInput()->currentText(), u"Choose here"_s);
        QCOMPARE(rows(), 0);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void enterInAnInputPressesSubmit() {
        page->enter();
        page->activateWindow();
        page->firstInput()->setFocus();
        page->firstInput()->setEditText(u"Al Pacino"_s);
        QTest::keyClick(page->firstInput(), Qt::Key_Return);
        QTRY_COMPARE(rows(), 3);
        QCOMPARE(page->firstInput()->count(), 8); // nothing typed is added to the list
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void whatIsTypedIsSearchedAtTheFirstEnter() {
        page->enter();
        page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page.get()));
        QComboBox* input = page->firstInput();
        input->setFocus();
        QVERIFY(input->hasFocus()); // a box without the focus completes nothing
        input->clearEditText();
        QTest::keyClicks(input, u"Al Pacin"_s); // no inline completion to "Al Pacino"
        QCOMPARE(input->currentText(), u"Al Pacin"_s);
        QTest::keyClick(input, Qt::Key_Return);
        QTRY_VERIFY(tdm->filmQ().isOpen()); // the one ENTER submitted
        QCOMPARE(tdm->filmQ().parameters().value(0).toString(), u"Al Pacin"_s);
        QCOMPARE(rows(), 0);
        QCOMPARE(input->currentText(), u"Al Pacin"_s);
        QTest::keyClicks(input, u"o"_s);
        QTest::keyClick(input, Qt::Key_Return);
        QTRY_COMPARE(rows(), 3);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    // The statement runs on the query's thread: a table file gone by then is reported from
    // there, in the box every store error gets, and the page stays as it was.
    void aFailureOfTheRunningSearchGoesToTheErrorBox() {
        page->enter();
        QVERIFY(QFile::remove(catalogue->file(u"film.DB"_s)));
        dialogs.answer(Answer::Ok);
        page->firstInput()->setEditText(u"Al Pacino"_s);
        page->submitButton()->click();
        QTRY_COMPARE(dialogs.boxes().size(), 1);
        QCOMPARE(dialogs.lastBox().kind, BoxKind::ErrorBox);
        QVERIFY2(dialogs.lastBox().text.contains(u"film.DB"_s), qPrintable(dialogs.lastBox().text));
        QVERIFY(!tdm->filmQ().isOpen() && !tdm->filmQ().isRunning());
        QCOMPARE(rows(), 0);
        QCOMPARE(page->firstInput()->currentText(), u"Al Pacino"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void aMissingPickListTableGoesToTheErrorBox() {
        QVERIFY(QFile::remove(catalogue->file(u"Standard.db"_s)));
        dialogs.answer(Answer::Ok);
        page->enter();
        QCOMPARE(dialogs.lastBox().kind, BoxKind::ErrorBox);
        QVERIFY(dialogs.lastBox().text.contains(u"Standard.db"_s));
        QCOMPARE(page->firstPrompt()->text(), u"Actors name:"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    // A register with one input and no criterion at first: the rows of a later register.
    void oneInputRegistersRunOnTheSameMechanism() {
        search::SearchRegister songs;
        songs.firstPromptText = u"Find field"_s;
        songs.inputText = u"Välj här"_s;
        songs.submitIsDefault = false;
        songs.opening = search::Opening::NothingSelectedFirst;
        songs.emptyAfterReset =
            search::EmptyTableNotice{&schema::song(), u"Nothing to do"_s, u"Empty database"_s};
        songs.criteria = {{u"Songs by name"_s,
                           {u"Song"_s,
                            true,
                            u"Choose here"_s,
                            {search::SourceKind::RegisterColumn, &schema::song(), u"Namn"_s, {}},
                            true},
                           {},
                           u"SELECT Song.Namn FROM Song WHERE UPPER(Song.Namn) = UPPER ('{T1}') "_s,
                           false,
                           {},
                           {{u"Namn"_s, u"Name of the song"_s}}},
                          {u"Every song"_s,
                           {{}, false, {}, {}, false},
                           {},
                           u"SELECT Namn FROM Song"_s,
                           false,
                           {},
                           {{u"Namn"_s, {}}}}};
        tdm->filmQ().setStatement({u"SELECT Titel FROM Film"_s});
        tdm->filmQ().open();
        SearchPage songPage(AppContext{dialogs, *tdm, run, shell}, songs);
        QVERIFY(!songPage.secondInput() && !songPage.submitsOnEnter());
        songPage.enter(); // the first visit empties the shared query
        QVERIFY(!tdm->filmQ().isOpen());
        QCOMPARE(songPage.firstInput()->currentText(), u"Välj här"_s);
        songPage.submit();
        QVERIFY(!tdm->filmQ().isOpen() && !tdm->filmQ().isRunning());

        songPage.selectCriterion(1);
        QVERIFY(!songPage.firstInput()->isEnabled());
        dialogs.answer(Answer::Ok); // Reset on an empty table
        songPage.reset();
        QCOMPARE(dialogs.lastBox().kind, BoxKind::Info);
        QCOMPARE(dialogs.lastBox().caption, u"Nothing to do"_s);
        QCOMPARE(songPage.firstInput()->currentText(), u"Choose here"_s);
        QVERIFY(!songPage.firstInput()->isEnabled());

        catalogue->exec(u"song.db"_s, u"INSERT INTO Song (Mid, Namn) VALUES (1, 'Vår'), "
                                      "(1, 'Alfa')"_s);
        tdm->songTb().refresh();
        songPage.selectCriterion(0);
        QCOMPARE(test::comboItems(songPage.firstInput()), (QStringList{u"Alfa"_s, u"Vår"_s}));
        songPage.firstInput()->setEditText(u"VÅR"_s);
        songPage.submit();
        QTRY_COMPARE(tdm->filmQ().rowCount(), 1);
        QCOMPARE(tdm->filmQSource().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 u"Name of the song"_s);
        songPage.enter(); // later visits leave the page as it was
        QCOMPARE(tdm->filmQ().rowCount(), 1);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }
};

QTEST_MAIN(TestSearchPage)
#include "test_search_page.moc"
