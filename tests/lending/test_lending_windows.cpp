#include "FakeShell.h"
#include "FileModes.h"
#include "ScriptedDialogs.h"
#include "TempCatalogue.h"
#include "WidgetHelpers.h"
#include "data/Dates.h"
#include "data/GridModels.h"
#include "data/TDM.h"
#include "lending/BorrowChoiceForm.h"
#include "lending/BorrowFillinForm.h"
#include "lending/BorrowForm.h"
#include "lending/LendingGrid.h"
#include "lending/LendingWindows.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QtTest>
#include <functional>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

// Stands in for the address book: notes what the lend-out hands over, and when.
class FakeAddressBook final : public AddressBookHandOff {
public:
    explicit FakeAddressBook(const test::ScriptedDialogs& dialogs) : dialogs_(dialogs) {}
    void enterLendOutMode() override { calls << u"lend-out mode"_s; }
    void addBorrower(const QString& firstName, const QString& lastName, const QString& phone,
                     const QString& email) override {
        calls << QStringList{firstName, lastName, phone, email}.join(u'|');
        boxesBefore = int(dialogs_.boxes().size());
    }
    QStringList calls;
    int boxesBefore = -1;

private:
    const test::ScriptedDialogs& dialogs_;
};

template <class T> T* child(const QWidget& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

const QDate kToday(2024, 3, 9);
const QString kLongTitle = u"The Assassination of Jesse James by the Coward Robert Ford"_s;

} // namespace

class TestLendingWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;
    RunState run;
    test::ScriptedDialogs dialogs;
    test::FakeShell shell;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<LendingWindows> lending;
    QTimer watchdog;

    TBorrowFillinForm& fillin() { return lending->fillinForm(); }
    TBorrowChoiceForm& choice() { return lending->choiceForm(); }
    TBorrowForm& overview() { return lending->borrowForm(); }
    LendingGrid& overviewGrid() { return overview().lendingGrid(); }

    QLineEdit* edit(const QString& name) { return child<QLineEdit>(fillin(), name); }
    QCheckBox* box(const QString& name) { return child<QCheckBox>(fillin(), name); }

    void fillBorrower(const QString& first, const QString& last, const QString& phone,
                      const QString& email, bool remind, bool address = false) {
        edit(u"FirstNameEd"_s)->setText(first);
        edit(u"LastNameEd"_s)->setText(last);
        edit(u"PhoneEd"_s)->setText(phone);
        edit(u"EmailEd"_s)->setText(email);
        box(u"RemindBox"_s)->setChecked(remind);
        box(u"AddressBox"_s)->setChecked(address);
    }
    void pressFillinOk() { child<QPushButton>(fillin(), u"OkKnp"_s)->click(); }

    // Shows the lend-out dialog by itself, as the choice dialog would, for a film.
    void showFillin(const QString& objekt) {
        run.lendObjectType = LendObjectType::Film;
        fillin().setObjectLabel(objekt);
        fillin().show();
    }

    // The register's lending command with "New lending" chosen; `inFillin` acts in the
    // lend-out dialog and must close it.
    void lendThroughTheDialogs(LendObjectType type, const std::function<void()>& inFillin) {
        test::whenModal([this, inFillin](QWidget* modal) {
            if (modal != &choice())
                return;
            child<QRadioButton>(choice(), u"NewLendingRadio"_s)->setChecked(true);
            test::whenModal([this, inFillin](QWidget* inner) {
                if (inner == &fillin())
                    inFillin();
            });
            child<QPushButton>(choice(), u"OkKnp"_s)->click();
        });
        lending->lendCurrentRecord(type);
    }

    QString scalar(const QString& file, const QString& sql) { return catalogue->scalar(file, sql); }
    QString borrowCount() { return scalar(u"borrow.db"_s, u"SELECT count(*) FROM Borrow"_s); }
    void addLoan(const QString& type, const QString& objekt, const QString& reminder = u"NULL"_s,
                 const QString& sent = u"NULL"_s) {
        catalogue->exec(
            u"borrow.db"_s,
            u"INSERT INTO Borrow (Objektyp, Objekt, \"Utlanad till\", "
            "\"Utlanad datum\", Tele, Send_mail, Has_sent) VALUES ('%1', '%2', "
            "'Eva Lind', '2024-01-02', '08-55', %3, %4)"_s.arg(type, objekt, reminder, sent));
    }
    QStringList headerTitles(const QTableView* grid) {
        QStringList titles;
        for (int i = 0; i < grid->model()->columnCount(); ++i)
            titles << grid->model()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
        return titles;
    }
    void clickRow(QTableView* grid, int row) {
        const QRect cell = grid->visualRect(grid->model()->index(row, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        catalogue->exec(u"film.DB"_s,
                        u"INSERT INTO Film (\"Index\", Titel, Utlanad, \"Utlanad till\") VALUES "
                        "(1, 'Alien', 0, 'Finns i hyllan'), (2, 'Brazil', 0, 'Finns i hyllan'), "
                        "(3, '%1', 0, 'Finns i hyllan')"_s.arg(kLongTitle));
        catalogue->exec(u"Musik.DB"_s,
                        u"INSERT INTO Musik (Titel, Utlanad, \"Utlanad till\", \"Utlanad datum\") "
                        "VALUES ('Abbey Road', 1, 'Eva Lind', '2024-01-02')"_s);
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
        tdm->filmTb().selectIndex(u"Nummer"_s);
        tdm->filmTb().open();
        run = RunState{};
        dialogs.reset();
        context = std::make_unique<AppContext>(AppContext{dialogs, *tdm, run, shell});
        lending = std::make_unique<LendingWindows>(*context);
        lending->setToday([] { return kToday; });
        // A step that failed before closing its dialog must not hang the run.
        watchdog.setSingleShot(true);
        watchdog.setInterval(20000);
        connect(&watchdog, &QTimer::timeout, this, [] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
                    dialog->reject();
            }
        });
        watchdog.start();
    }
    void cleanup() {
        watchdog.stop();
        lending.reset();
        context.reset();
        tdm.reset();
        catalogue.reset();
    }

    void theLendingCommandRecordsThePendingObject() {
        tdm->filmTb().moveTo(2);
        QString caption;
        QStringList radios;
        bool listChosen = false;
        test::whenModal([&](QWidget* modal) {
            if (modal != &choice())
                return;
            caption = choice().windowTitle();
            for (const QRadioButton* radio : choice().findChildren<QRadioButton*>())
                radios << radio->text();
            listChosen = child<QRadioButton>(choice(), u"ListRadio"_s)->isChecked();
            child<QPushButton>(choice(), u"CancelKnp"_s)->click();
        });
        lending->lendCurrentRecord(LendObjectType::Film);
        QCOMPARE(caption, u"Objects out of loan"_s);
        QCOMPARE(radios, (QStringList{u"List all objects whish are marked as out of loan"_s,
                                      u"New lending"_s}));
        QVERIFY(listChosen);
        QVERIFY(!choice().isVisible());
        QCOMPARE(run.lendObjectType, LendObjectType::Film);
        QCOMPARE(run.lendObjectName, kLongTitle.left(40));
        QCOMPARE(run.lendObjectName.size(), 40);
        QCOMPARE(fillin().objectLabel(), kLongTitle);
        QCOMPARE(child<QLabel>(fillin(), u"ObjectLabel"_s)->text(), kLongTitle);

        // Software is named by Namn.
        catalogue->exec(u"data.DB"_s, u"INSERT INTO Data (Namn) VALUES ('Gimp')"_s);
        tdm->dataTb().open();
        test::whenModal([&](QWidget* modal) {
            if (modal == &choice())
                choice().reject();
        });
        lending->lendCurrentRecord(LendObjectType::Data);
        QCOMPARE(run.lendObjectType, LendObjectType::Data);
        QCOMPARE(run.lendObjectName, u"Gimp"_s);

        // An empty register does nothing at all.
        tdm->bokTb().open();
        int shown = 0;
        test::whenModal([&](QWidget* modal) {
            if (modal) {
                ++shown;
                static_cast<QDialog*>(modal)->reject();
            }
        });
        lending->lendCurrentRecord(LendObjectType::Literatur);
        QCoreApplication::processEvents();
        QCOMPARE(shown, 0);
        QCOMPARE(run.lendObjectType, LendObjectType::Data);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void aNewLendingRunsThroughBothDialogs() {
        QString caption;
        QString focused;
        QStringList labels;
        dialogs.answer(Answer::Ok);
        lendThroughTheDialogs(LendObjectType::Film, [&] {
            caption = fillin().windowTitle();
            focused = fillin().focusWidget() ? fillin().focusWidget()->objectName() : QString();
            for (const QLabel* label : fillin().findChildren<QLabel*>())
                labels << label->text();
            for (const QCheckBox* check : fillin().findChildren<QCheckBox*>())
                labels << check->text() + (check->isChecked() ? u" [x]"_s : u" [ ]"_s);
            fillBorrower(u"Anna"_s, u"Berg"_s, u"08-123"_s, u"anna@example.se"_s, true);
            pressFillinOk();
        });
        QCOMPARE(caption, u"Mark object as out of loan"_s);
        QCOMPARE(focused, u"FirstNameEd"_s);
        QCOMPARE(labels,
                 (QStringList{u"Alien"_s, u"Object:"_s, u"First name"_s, u"Last name"_s, u"Phone"_s,
                              u"E-mail"_s, u"Remind borrower by E-mail after 30 days [ ]"_s,
                              u"Add the borrower to the addressbook [ ]"_s}));
        QCOMPARE(dialogs.boxes().size(), 1);
        dialogs.expectLastBox(BoxKind::Plain, u"Hoardly"_s,
                              u"The object are now marked as out of loan"_s);
        QVERIFY(!fillin().isVisible());
        QVERIFY(!choice().isVisible());
        QVERIFY(run.dataChanged);
        QCOMPARE(scalar(u"borrow.db"_s,
                        u"SELECT Objektyp || '|' || Objekt || '|' || "
                        "\"Utlanad till\" || '|' || \"E-post\" || '|' || Tele || "
                        "'|' || \"Utlanad datum\" || '|' || Send_mail FROM Borrow"_s),
                 u"Film|Alien|Anna Berg|anna@example.se|08-123|2024-03-09|1"_s);
        // The register window's controls follow the shared table object.
        QCOMPARE(tdm->filmTb().asText(u"Titel"_s), u"Alien"_s);
        QCOMPARE(tdm->filmTb().asText(u"Utlanad till"_s), u"Anna Berg"_s);
        QVERIFY(tdm->filmTb().asLogical(u"Utlanad"_s));
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void onlyOneOfTheNamesIsEnough() {
        showFillin(u"Alien"_s);
        fillBorrower({}, {}, u"08-1"_s, {}, false);
        dialogs.answer(Answer::Ok);
        pressFillinOk();
        dialogs.expectLastBox(BoxKind::Info, u"Namn på låntagaren saknas"_s,
                              u"Some name for the borrower is required"_s);
        QVERIFY(fillin().isVisible());
        QCOMPARE(fillin().focusWidget(), edit(u"LastNameEd"_s));
        QCOMPARE(edit(u"PhoneEd"_s)->text(), u"08-1"_s);
        QCOMPARE(borrowCount(), u"0"_s);
        QVERIFY(!run.dataChanged);

        edit(u"FirstNameEd"_s)->setText(u"Anna"_s);
        dialogs.answer(Answer::Ok);
        pressFillinOk();
        QVERIFY(!fillin().isVisible());
        QCOMPARE(scalar(u"borrow.db"_s, u"SELECT \"Utlanad till\" FROM Borrow"_s), u"Anna "_s);

        showFillin(u"Brazil"_s);
        fillBorrower({}, u"Berg"_s, {}, {}, false);
        dialogs.answer(Answer::Ok);
        pressFillinOk();
        QCOMPARE(scalar(u"borrow.db"_s, u"SELECT \"Utlanad till\" FROM Borrow WHERE Bid = 2"_s),
                 u" Berg"_s);
        QCOMPARE(scalar(u"film.DB"_s, u"SELECT \"Utlanad till\" FROM Film WHERE \"Index\" = 2"_s),
                 u" Berg"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theAddressIsCheckedAndLowerCased() {
        showFillin(u"Alien"_s);
        fillBorrower(u"Åsa"_s, u"Öberg"_s, {}, {}, true);
        dialogs.answer(Answer::Ok);
        pressFillinOk();
        QCOMPARE(dialogs.lastBox().caption, u"Missing E-mail address"_s);
        QCOMPARE(dialogs.lastBox().text,
                 u"If you like to use the E-mail reminder the E-mail address is required"_s);
        QCOMPARE(fillin().focusWidget(), edit(u"EmailEd"_s));

        // Without '@' the address is refused even without a reminder, and left as typed.
        fillBorrower(u"Åsa"_s, u"Öberg"_s, {}, u"ASA.EXAMPLE.SE"_s, false);
        edit(u"FirstNameEd"_s)->setFocus();
        dialogs.answer(Answer::Ok);
        pressFillinOk();
        dialogs.expectLastBox(BoxKind::Info, u"mysterious E-mail address"_s,
                              u"I suppose this E-mailaddress won't work"_s);
        QCOMPARE(fillin().focusWidget(), edit(u"EmailEd"_s));
        QCOMPARE(edit(u"EmailEd"_s)->text(), u"ASA.EXAMPLE.SE"_s);
        QCOMPARE(borrowCount(), u"0"_s);

        edit(u"EmailEd"_s)->setText(u"ÅSA.ÖBERG@EXAMPLE.SE"_s);
        box(u"RemindBox"_s)->setChecked(true);
        dialogs.answer(Answer::Ok);
        pressFillinOk();
        QCOMPARE(dialogs.lastBox().text, u"The object are now marked as out of loan"_s);
        QCOMPARE(edit(u"EmailEd"_s)->text(), u"Åsa.Öberg@example.se"_s);
        QCOMPARE(scalar(u"borrow.db"_s, u"SELECT \"E-post\" FROM Borrow"_s),
                 u"Åsa.Öberg@example.se"_s);

        // With the box unticked an empty address is accepted.
        showFillin(u"Brazil"_s);
        fillBorrower(u"Åsa"_s, u"Öberg"_s, {}, {}, false);
        dialogs.answer(Answer::Ok);
        pressFillinOk();
        QCOMPARE(borrowCount(), u"2"_s);
        QCOMPARE(scalar(u"borrow.db"_s,
                        u"SELECT ifnull(\"E-post\", 'NULL') || ifnull(Send_mail, 'NULL') FROM "
                        "Borrow WHERE Bid = 2"_s),
                 u"NULLNULL"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void aSecondLendOutShowsThePreviousEntries() {
        dialogs.answer(Answer::Ok);
        lendThroughTheDialogs(LendObjectType::Film, [&] {
            fillBorrower(u"Anna"_s, u"Berg"_s, u"08-123"_s, u"anna@example.se"_s, true);
            pressFillinOk();
        });
        tdm->filmTb().moveTo(1);
        QStringList seen;
        lendThroughTheDialogs(LendObjectType::Film, [&] {
            for (const QString& name :
                 {u"FirstNameEd"_s, u"LastNameEd"_s, u"PhoneEd"_s, u"EmailEd"_s})
                seen << edit(name)->text();
            seen << (box(u"RemindBox"_s)->isChecked() ? u"remind"_s : u"no reminder"_s);
            seen << fillin().objectLabel();
            child<QPushButton>(fillin(), u"CancelKnp"_s)->click();
        });
        QCOMPARE(seen, (QStringList{u"Anna"_s, u"Berg"_s, u"08-123"_s, u"anna@example.se"_s,
                                    u"remind"_s, u"Brazil"_s}));
        // Cancel writes nothing and ends the choice too.
        QVERIFY(!choice().isVisible());
        QCOMPARE(borrowCount(), u"1"_s);
        QCOMPARE(tdm->filmTb().asText(u"Utlanad till"_s), u"Finns i hyllan"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void anObjectAlreadyOutIsRefusedWhateverItsRegister() {
        addLoan(u"Musik"_s, u"Alien"_s);
        bool fillinShown = false;
        dialogs.answer(Answer::Ok);
        lendThroughTheDialogs(LendObjectType::Film, [&] {
            fillinShown = true;
            fillin().reject();
        });
        QVERIFY(!fillinShown);
        QVERIFY(!choice().isVisible());
        QCOMPARE(dialogs.boxes().size(), 1);
        dialogs.expectLastBox(BoxKind::Info, u"Already out"_s,
                              u"This object are already marked as out of loan! Breaking"_s);
        QCOMPARE(borrowCount(), u"1"_s);
        QVERIFY(!run.dataChanged);

        // A name longer than 40 characters is compared in full, so it cannot go out twice.
        tdm->filmTb().moveTo(2);
        dialogs.answer(Answer::Ok);
        lendThroughTheDialogs(LendObjectType::Film, [&] {
            fillBorrower(u"Anna"_s, u"Berg"_s, {}, {}, false);
            pressFillinOk();
        });
        QCOMPARE(scalar(u"borrow.db"_s, u"SELECT Objekt FROM Borrow WHERE Bid = 2"_s), kLongTitle);
        dialogs.answer(Answer::Ok);
        lendThroughTheDialogs(LendObjectType::Film, [&] {
            fillinShown = true;
            fillin().reject();
        });
        QVERIFY(!fillinShown);
        QCOMPARE(dialogs.lastBox().caption, u"Already out"_s);
        QCOMPARE(borrowCount(), u"2"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theOverviewOpensFromTheChoiceAndBackEndsBoth() {
        addLoan(u"Film"_s, u"Alien"_s);
        addLoan(u"Musik"_s, u"Abbey Road"_s, u"1"_s, u"0"_s);
        QString caption;
        QStringList titles;
        QStringList hints;
        QStringList firstRow;
        test::whenModal([&](QWidget* modal) {
            if (modal != &choice())
                return;
            test::whenModal([&](QWidget* inner) {
                if (inner != &overview())
                    return;
                caption = overview().windowTitle();
                const QTableView* grid = overviewGrid().grid();
                titles = headerTitles(grid);
                for (int column = 0; column < grid->model()->columnCount(); ++column)
                    firstRow << grid->model()->index(0, column).data().toString();
                for (QAction* action : overviewGrid().toolBar()->actions())
                    hints << action->toolTip();
                overviewGrid().backAction()->trigger();
            });
            child<QPushButton>(choice(), u"OkKnp"_s)->click();
        });
        lending->lendCurrentRecord(LendObjectType::Film);
        QCOMPARE(caption, u"Object marked as out of loan"_s);
        QCOMPARE(titles, (QStringList{u"Objectype"_s, u"Object"_s, u"Lent out date"_s, u"Lent to"_s,
                                      u"Phone"_s}));
        QCOMPARE(firstRow, (QStringList{u"Film"_s, u"Alien"_s, dateToText(QDate(2024, 1, 2)),
                                        u"Eva Lind"_s, u"08-55"_s}));
        QCOMPARE(hints, (QStringList{u"Back"_s, u"Mark as returned"_s,
                                     u"Don't send any reminder for this object"_s}));
        QVERIFY(!overview().isVisible());
        QVERIFY(!choice().isVisible());
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theNoReminderButtonFollowsTheCurrentLoan() {
        addLoan(u"Film"_s, u"Alien"_s);                       // lent without a reminder
        addLoan(u"Film"_s, u"Brazil"_s, u"1"_s, u"1"_s);      // reminder already sent
        addLoan(u"Musik"_s, u"Abbey Road"_s, u"1"_s, u"0"_s); // reminder still to come
        tdm->borrowTb().open();
        QAction* noReminder = overviewGrid().noReminderAction();
        QVERIFY(!noReminder->isEnabled());
        overview().show();
        QVERIFY(QTest::qWaitForWindowExposed(&overview()));
        QTableView* grid = overviewGrid().grid();
        QCOMPARE(QApplication::focusWidget(), grid);
        QVERIFY(!noReminder->isEnabled());
        clickRow(grid, 1);
        QCOMPARE(tdm->borrowTb().position(), 1);
        QVERIFY(!noReminder->isEnabled());
        clickRow(grid, 2);
        QVERIFY(noReminder->isEnabled());
        QTest::keyClick(grid, Qt::Key_Up);
        QVERIFY(!noReminder->isEnabled());
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(tdm->borrowTb().asText(u"Objekt"_s), u"Abbey Road"_s);
        QVERIFY(noReminder->isEnabled());

        dialogs.answer(Answer::Ok);
        noReminder->trigger();
        dialogs.expectLastBox(BoxKind::Info, u"No reminder"_s,
                              u"A reminder will not be send to the borrower"_s);
        QVERIFY(!noReminder->isEnabled());
        QCOMPARE(
            scalar(u"borrow.db"_s, u"SELECT Send_mail || Has_sent FROM Borrow WHERE Bid = 3"_s),
            u"00"_s);
        QVERIFY(!run.dataChanged);
        QTest::keyClick(grid, Qt::Key_Up);
        QTest::keyClick(grid, Qt::Key_Down);
        QVERIFY(!noReminder->isEnabled());
        overview().hide();
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void thePropertiesTabHasItsOwnTextsAndSeesTheSameLoans() {
        addLoan(u"Film"_s, u"Alien"_s, u"1"_s, u"0"_s);
        addLoan(u"Film"_s, u"Brazil"_s, u"1"_s, u"0"_s);
        tdm->borrowTb().open();
        LendingGrid tab(*context, LendingPlace::PropertiesTab);
        QCOMPARE(headerTitles(tab.grid()), (QStringList{u"Objectype"_s, u"Object"_s, u"Lent date"_s,
                                                        u"Lent to"_s, u"Phone"_s}));
        QVERIFY(!tab.backAction());
        QCOMPARE(tab.toolBar()->actions().size(), 2);
        tab.activate();
        QVERIFY(tab.noReminderAction()->isEnabled());
        overview().show();
        QVERIFY(overviewGrid().noReminderAction()->isEnabled());

        dialogs.answer(Answer::Ok);
        tab.noReminderAction()->trigger();
        QCOMPARE(dialogs.lastBox().caption, u"No reminder"_s);
        QCOMPARE(dialogs.lastBox().text, u"No reminder will be sent for this object"_s);
        QVERIFY(!tab.noReminderAction()->isEnabled());
        // The overview shows the same loan, switched off as well.
        overviewGrid().activate();
        QVERIFY(!overviewGrid().noReminderAction()->isEnabled());

        dialogs.answer(Answer::No);
        tab.returnAction()->trigger();
        dialogs.expectLastBox(BoxKind::Question, u"Mark as returned"_s,
                              u"Do you want to mark the object [ Alien ] as returned?"_s);
        QCOMPARE(borrowCount(), u"2"_s);
        overview().hide();
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void aLongObjectKeepsItsColumnAndShowsWholeAsAToolTip() {
        const QString title = u"The Extraordinary Adventures of "_s + QString(80, u'x');
        addLoan(u"Film"_s, title);
        tdm->borrowTb().open();
        LendingGrid tab(*context, LendingPlace::PropertiesTab);
        const QAbstractItemModel* model = tab.grid()->model();
        QCOMPARE(model->index(0, 1).data(Qt::DisplayRole).toString(), title);
        QCOMPARE(model->index(0, 1).data(Qt::ToolTipRole).toString(), title);
        QCOMPARE(model->index(0, 3).data(Qt::ToolTipRole).toString(), u"Eva Lind"_s);
        QVERIFY(tab.grid()->columnWidth(1) < tab.grid()->fontMetrics().horizontalAdvance(title));
        catalogue->exec(u"borrow.db"_s, u"UPDATE Borrow SET Tele = NULL"_s);
        tdm->borrowTb().refresh();
        QVERIFY(!model->index(0, 4).data(Qt::ToolTipRole).isValid()); // nothing to show
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void returnsResetTheRegisterRecordUntilTheListIsEmpty() {
        catalogue->exec(u"film.DB"_s, u"UPDATE Film SET Utlanad = 1, \"Utlanad till\" = "
                                      "'Eva Lind', Utlaningsdatum = '2024-01-02' WHERE "
                                      "\"Index\" = 1"_s);
        addLoan(u"Film"_s, u"Alien"_s, u"1"_s, u"0"_s);
        addLoan(u"Musik"_s, u"Abbey Road"_s);
        tdm->borrowTb().open();
        overview().show();
        QAction* returned = overviewGrid().returnAction();

        dialogs.answer(Answer::No);
        returned->trigger();
        dialogs.expectLastBox(BoxKind::Question, u"Delete record"_s,
                              u"Do you want to mark the object [ Alien ] as returned?"_s);
        QCOMPARE(dialogs.lastBox().icon, BoxIcon::Question);
        QCOMPARE(dialogs.lastBox().buttons, (QList<Answer>{Answer::Yes, Answer::No}));
        QCOMPARE(borrowCount(), u"2"_s);
        QVERIFY(!run.dataChanged);
        QVERIFY(overviewGrid().noReminderAction()->isEnabled());

        dialogs.answer(Answer::Yes);
        returned->trigger();
        QVERIFY(run.dataChanged);
        QCOMPARE(overviewGrid().grid()->model()->rowCount(), 1);
        QCOMPARE(tdm->borrowTb().asText(u"Objekt"_s), u"Abbey Road"_s);
        QVERIFY(!overviewGrid().noReminderAction()->isEnabled());
        QCOMPARE(scalar(u"film.DB"_s, u"SELECT Utlanad || '|' || \"Utlanad till\" || '|' || "
                                      "ifnull(Utlaningsdatum, 'NULL') FROM Film WHERE "
                                      "\"Index\" = 1"_s),
                 u"0|Finns i hyllan|NULL"_s);
        QCOMPARE(tdm->filmTb().asText(u"Utlanad till"_s), u"Finns i hyllan"_s);

        dialogs.answer(Answer::Yes);
        returned->trigger();
        QCOMPARE(dialogs.lastBox().text,
                 u"Do you want to mark the object [ Abbey Road ] as returned?"_s);
        QCOMPARE(scalar(u"Musik.DB"_s, u"SELECT \"Utlanad till\" || '|' FROM Musik"_s),
                 u"Finns i skivstället |"_s);
        QCOMPARE(overviewGrid().grid()->model()->rowCount(), 0);
        QVERIFY(!overviewGrid().noReminderAction()->isEnabled());
        QCOMPARE(borrowCount(), u"0"_s);

        // Returning from an empty list asks nothing.
        const qsizetype boxes = dialogs.boxes().size();
        returned->trigger();
        QCOMPARE(dialogs.boxes().size(), boxes);
        overview().hide();
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theBorrowerIsHandedToTheAddressBook() {
        QVERIFY(!box(u"AddressBox"_s)->isEnabled());
        FakeAddressBook book(dialogs);
        lending->setAddressBook(&book);
        QVERIFY(box(u"AddressBox"_s)->isEnabled());
        showFillin(u"Alien"_s);
        fillBorrower(u"Anna"_s, u"Berg"_s, u"08-123"_s, u"ANNA@Example.SE"_s, false, true);
        dialogs.answer(Answer::Ok);
        pressFillinOk();
        QCOMPARE(book.calls,
                 (QStringList{u"lend-out mode"_s, u"Anna|Berg|08-123|anna@example.se"_s}));
        // The user has been told of the loan before the address book opens.
        QCOMPARE(book.boxesBefore, 1);
        QVERIFY(!fillin().isVisible());

        showFillin(u"Brazil"_s);
        box(u"AddressBox"_s)->setChecked(false);
        dialogs.answer(Answer::Ok);
        pressFillinOk();
        QCOMPARE(book.calls.size(), 2);
        lending->setAddressBook(nullptr);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void aLendOutThatFailsHalfwayLeavesNoTrace() {
        catalogue->exec(u"film.DB"_s, u"CREATE TRIGGER refuse BEFORE UPDATE ON Film BEGIN "
                                      "SELECT RAISE(ABORT, 'film.DB is write-protected'); END"_s);
        tdm->borrowTb().open();
        showFillin(u"Alien"_s);
        fillBorrower(u"Anna"_s, u"Berg"_s, {}, {}, false);
        dialogs.answer(Answer::Ok);
        pressFillinOk();
        QCOMPARE(dialogs.boxes().size(), 1);
        QCOMPARE(dialogs.lastBox().kind, BoxKind::ErrorBox);
        QVERIFY2(dialogs.lastBox().text.contains(u"film.DB is write-protected"_s),
                 qPrintable(dialogs.lastBox().text));
        QVERIFY(fillin().isVisible());
        QCOMPARE(edit(u"LastNameEd"_s)->text(), u"Berg"_s);
        QVERIFY(!run.dataChanged);
        QCOMPARE(borrowCount(), u"0"_s);
        QCOMPARE(overviewGrid().grid()->model()->rowCount(), 0);
        QCOMPARE(tdm->filmTb().state(), TableState::Browse);
        QCOMPARE(tdm->filmTb().asText(u"Utlanad till"_s), u"Finns i hyllan"_s);
        fillin().reject();
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    // A fault of the store is one box that names the file and says what to do; nothing is
    // written and what was typed stays.
    void aLendOutInAWriteProtectedFolderSaysWhatToDo() {
        test::obeyFileModes();
        tdm->borrowTb().open();
        const auto allowWriting = [&] {
            QFile::setPermissions(catalogue->path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        };
        const auto writable = qScopeGuard(allowWriting);
        QVERIFY(QFile::setPermissions(catalogue->path(), QFile::ReadOwner | QFile::ExeOwner));
        showFillin(u"Alien"_s);
        fillBorrower(u"Anna"_s, u"Berg"_s, {}, {}, false);
        dialogs.answer(Answer::Ok);
        pressFillinOk();
        QCOMPARE(dialogs.boxes().size(), 1);
        QCOMPARE(dialogs.lastBox().kind, BoxKind::ErrorBox);
        QCOMPARE(dialogs.lastBox().text,
                 u"The folder %1 of the table file %2 is write-protected, so the change was not "
                 "saved. Allow writing to the folder, then try again."_s.arg(
                     QDir::toNativeSeparators(catalogue->path()),
                     QDir::toNativeSeparators(catalogue->file(u"borrow.db"_s))));
        QVERIFY(fillin().isVisible());
        QCOMPARE(edit(u"LastNameEd"_s)->text(), u"Berg"_s);
        QVERIFY(!run.dataChanged);
        allowWriting();
        QCOMPARE(borrowCount(), u"0"_s);
        QCOMPARE(tdm->filmTb().asText(u"Utlanad till"_s), u"Finns i hyllan"_s);
        fillin().reject();
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void enterMovesOnAndThePhoneTakesDigitsOnly() {
        showFillin(u"Alien"_s);
        fillBorrower({}, {}, {}, {}, false);
        QVERIFY(QTest::qWaitForWindowActive(&fillin()));
        edit(u"FirstNameEd"_s)->setFocus();
        QTest::keyClick(edit(u"FirstNameEd"_s), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), edit(u"LastNameEd"_s));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), edit(u"PhoneEd"_s));

        dialogs.answer(Answer::Ok);
        QTest::keyClicks(edit(u"PhoneEd"_s), u"08a-1"_s);
        QCOMPARE(edit(u"PhoneEd"_s)->text(), u"08-1"_s);
        QCOMPARE(dialogs.lastBox().kind, BoxKind::Plain);
        QCOMPARE(dialogs.lastBox().text, u"Only digits allowed in this field"_s);

        // ENTER on OK moves on instead of pressing it.
        auto* ok = child<QPushButton>(fillin(), u"OkKnp"_s);
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(fillin(), u"CancelKnp"_s));
        QVERIFY(fillin().isVisible());
        QCOMPARE(dialogs.boxes().size(), 1);
        fillin().reject();
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }
};

QTEST_MAIN(TestLendingWindows)
#include "test_lending_windows.moc"
