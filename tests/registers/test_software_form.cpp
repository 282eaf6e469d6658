#include "FakeShell.h"
#include "RecordingLending.h"
#include "RegisterWindowFixture.h"
#include "ScriptedDialogs.h"
#include "SoftwareData.h"
#include "TempCatalogue.h"
#include "WidgetHelpers.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "lending/LendingInterfaces.h"
#include "registers/SearchPage.h"
#include "registers/SoftwareForm.h"
#include "registers/WebAddress.h"
#include "ui/WebLink.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>
#include <QToolBar>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

using Page = RegisterWindow::Page;

class TestSoftwareForm : public QObject, test::RegisterWindowFixture<TSoftwareForm> {
    Q_OBJECT

    Table& items() { return tdm->dataTb(); }
    QString currentName() { return items().asText(u"Namn"_s); }
    QString stored(const QString& sql) { return catalogue->scalar(u"data.DB"_s, sql); }
    QString remembered() {
        return catalogue->scalar(u"Standard.db"_s,
                                 u"SELECT group_concat(Dataforetag, '|') FROM (SELECT "
                                 "Dataforetag FROM Standard WHERE coalesce(Dataforetag, '') <> '' "
                                 "ORDER BY Sid)"_s);
    }

    QList<QRadioButton*> typeButtons() {
        return window->editControl(u"Typ"_s)->findChildren<QRadioButton*>(
            QString(), Qt::FindDirectChildrenOnly);
    }
    QStringList checkedTypes() {
        QStringList checked;
        for (QRadioButton* button : typeButtons()) {
            if (button->isChecked())
                checked << button->text();
        }
        return checked;
    }
    QCheckBox* registeredBox() {
        return qobject_cast<QCheckBox*>(window->editControl(u"Registrerad"_s));
    }
    WebLink* webLink() { return window->findChild<WebLink*>(); }

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void openingShowsTheFirstItemOnTheDataPage() {
        test::addSoftware(*catalogue);
        QVERIFY(!items().isOpen());
        openWindow();
        QVERIFY(items().isOpen());
        QCOMPARE(window->page(), Page::Browse);
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        QCOMPARE(currentName(), u"Access"_s);
        QCOMPARE(window->heading()->text(), u"Access"_s);
        QCOMPARE(window->list()->model()->columnCount(), 1);
        QCOMPARE(window->list()->model()->headerData(0, Qt::Horizontal).toString(), u"Title"_s);
        QCOMPARE(window->list()->model()->rowCount(), 7);
        QCOMPARE(window->findGroup()->title(), u"Find"_s);
        QCOMPARE(test::child<QLabel>(*window, u"findCaption"_s)->text(), u"Title"_s);
        QVERIFY(!window->findOption(0)); // the find box searches names only
        QCOMPARE(window->findBox()->field(), u"Namn"_s);
        QVERIFY(!window->commands().entry(cmd::back, Place::ToolBar)->isEnabled());
        expectLocked(false);
        const auto* pages = window->findChild<QStackedWidget*>(u"pages"_s);
        QStringList names;
        for (int i = 0; i < pages->count(); ++i)
            names << pages->widget(i)->objectName();
        QCOMPARE(names,
                 (QStringList{u"Data"_s, u"Nytt program"_s, u"SeekPage"_s, u"MasterList"_s}));
    }

    void theHeadingStartsAsSoftwareOnAnEmptyTable() {
        openWindow();
        QCOMPARE(window->heading()->text(), u"Software"_s);
        QVERIFY(webLink()->text().isEmpty());
    }

    void theMenusToolBarAndPopUpReadAsTheRegisterSays() {
        openWindow();
        QStringList menus;
        for (QAction* action : window->menuBar()->actions())
            menus << action->text();
        QCOMPARE(menus, (QStringList{u"&File"_s, u"&Options"_s, u"Database"_s, u"&Help"_s}));
        const auto entries = [&](const QString& id) {
            QStringList result;
            for (QAction* action : window->commands().menu(id)->actions()) {
                if (!action->isSeparator())
                    result << action->text() + u'|' + action->shortcut().toString();
            }
            return result;
        };
        QCOMPARE(entries(u"file"_s),
                 (QStringList{u"Print preview|Ctrl+F"_s, u"Send to file (HTML)|Ctrl+I"_s,
                              u"Print|Ctrl+P"_s, u"Back to mainmenu|Ctrl+S"_s}));
        QCOMPARE(entries(u"database"_s),
                 (QStringList{u"Add record|Ins"_s, u"Edit record|Shift+Ins"_s,
                              u"Delete record|Shift+Del"_s, u"Lent out|Ctrl+U"_s,
                              u"List/find by conditions|Ctrl+L"_s, u"Masterlist|Ctrl+M"_s}));
        QCOMPARE(entries(u"help"_s), (QStringList{u"Help|Ctrl+F1"_s, u"About|"_s}));
        QStringList hints;
        for (QAction* action : window->toolBar()->actions()) {
            if (!action->isSeparator())
                hints << action->toolTip();
        }
        QCOMPARE(hints, (QStringList{u"Mainmenu"_s, u"Print preview"_s, u"Print"_s, u"Add record"_s,
                                     u"Edit record"_s, u"Del record"_s, u"Lending"_s,
                                     u"Find by conditions"_s, u"Masterlist"_s, u"Back"_s}));
        QCOMPARE(texts(window->popupMenu()->actions()),
                 (QStringList{u"Lägg till ny post"_s, u"Editera post"_s, u"Ta bort post"_s, u"|"_s,
                              u"Utlåning"_s, u"Villkorssökning"_s, u"Masterlista"_s, u"|"_s,
                              u"Förhandsgranska"_s, u"Skriv ut till fil (HTML)"_s, u"Skriv ut"_s,
                              u"Huvumenyn"_s}));
    }

    void addingStoresTheItemWithTheCheckedType() {
        openWindow();
        trigger(cmd::add);
        QCOMPARE(window->page(), Page::Edit);
        QCOMPARE(window->mode(), RegisterMode::Adding);
        QCOMPARE(items().state(), TableState::Insert);
        QCOMPARE(QApplication::focusWidget(), line(u"Namn"_s));
        QVERIFY(checkedTypes().isEmpty());
        expectLocked(true);
        QTest::keyClicks(line(u"Namn"_s), u"WinZip"_s);
        QTest::keyClicks(line(u"Version"_s), u"8.0"_s);
        pick(u"Producent"_s)->setEditText(u"Nico Mak"_s);
        pick(u"Kategori"_s)->setEditText(u"Utility"_s);
        pick(u"Media"_s)->setEditText(u"Zipfile"_s);
        QTest::keyClicks(line(u"Web"_s), u"www.winzip.com"_s);
        typeButtons().at(1)->click(); // Shareware
        registeredBox()->click();
        QTest::keyClicks(line(u"Pris"_s), u"290"_s);
        QTest::keyClicks(line(u"Inkopt datum"_s), u"000815"_s);
        window->okButton()->click();
        QCOMPARE(window->page(), Page::Browse);
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        QVERIFY(run.dataChanged);
        expectLocked(false);
        QCOMPARE(stored(u"SELECT Namn || ';' || Version || ';' || Producent || ';' || Kategori "
                        "|| ';' || Media || ';' || Web || ';' || Typ || ';' || Registrerad || "
                        "';' || Pris || ';' || \"Inkopt datum\" FROM Data"_s),
                 u"WinZip;8.0;Nico Mak;Utility;Zipfile;www.winzip.com;Shareware;1;290;000815"_s);
        QCOMPARE(remembered(), u"Nico Mak"_s);
        QCOMPARE(window->heading()->text(), u"WinZip"_s);
    }

    void okWithNoTypeCheckedLeavesTheType() {
        test::addSoftware(*catalogue);
        catalogue->exec(u"data.DB"_s, u"UPDATE Data SET Typ = 'Open source' WHERE Namn = "
                                      "'GIMP'"_s);
        openWindow();
        QVERIFY(items().locate(u"Namn"_s, {u"GIMP"_s}));
        trigger(cmd::edit);
        QVERIFY(checkedTypes().isEmpty()); // none of the four words
        QTest::keyClicks(line(u"Version"_s), u".1"_s);
        window->okButton()->click();
        QCOMPARE(stored(u"SELECT Version || ';' || Typ FROM Data WHERE Namn = 'GIMP'"_s),
                 u"1.2.1;Open source"_s);
        // A new item without a type keeps none.
        trigger(cmd::add);
        QTest::keyClicks(line(u"Namn"_s), u"Untyped"_s);
        window->okButton()->click();
        QCOMPARE(stored(u"SELECT coalesce(Typ, 'none') FROM Data WHERE Namn = 'Untyped'"_s),
                 u"none"_s);
    }

    void editingPreselectsTheTypeAndAddClearsIt() {
        test::addSoftware(*catalogue);
        openWindow();
        QVERIFY(items().locate(u"Namn"_s, {u"WinZip"_s}));
        trigger(cmd::edit);
        QCOMPARE(window->mode(), RegisterMode::Editing);
        QCOMPARE(checkedTypes(), QStringList{u"Shareware"_s});
        QVERIFY(!registeredBox()->isChecked()); // never ticked
        typeButtons().at(3)->click();           // Demo
        window->okButton()->click();
        QCOMPARE(stored(u"SELECT Typ FROM Data WHERE Namn = 'WinZip'"_s), u"Demo"_s);

        QVERIFY(items().locate(u"Namn"_s, {u"Access"_s}));
        trigger(cmd::edit);
        QCOMPARE(checkedTypes(), QStringList{u"Commercial"_s});
        QVERIFY(registeredBox()->isChecked());
        window->cancelButton()->click();
        trigger(cmd::add);
        QVERIFY(checkedTypes().isEmpty());
        QVERIFY(!registeredBox()->isChecked());
        window->cancelButton()->click();
        QCOMPARE(items().recordCount(), 7);

        // A type that is none of the four words exactly shows no button, whatever the last
        // entry left checked, so OK keeps it.
        QVERIFY(items().locate(u"Namn"_s, {u"Access"_s}));
        trigger(cmd::edit);
        window->okButton()->click();
        QVERIFY(items().locate(u"Namn"_s, {u"Kod'n Kaffe"_s}));
        trigger(cmd::edit);
        QVERIFY(checkedTypes().isEmpty());
        window->okButton()->click();
        QCOMPARE(stored(u"SELECT Typ FROM Data WHERE Namn = 'Kod''n Kaffe'"_s), u"freeware"_s);
    }

    void addOkThenEditAnotherAndCancelLeavesItUnchanged() {
        test::addSoftware(*catalogue);
        openWindow();
        trigger(cmd::add);
        QTest::keyClicks(line(u"Namn"_s), u"Zed"_s);
        window->okButton()->click();
        QVERIFY(items().locate(u"Namn"_s, {u"Doom"_s}));
        trigger(cmd::edit);
        line(u"Namn"_s)->selectAll();
        QTest::keyClicks(line(u"Namn"_s), u"Quake"_s);
        typeButtons().at(0)->click();
        window->cancelButton()->click();
        QCOMPARE(window->page(), Page::Browse);
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        QCOMPARE(stored(u"SELECT count(*) FROM Data"_s), u"8"_s);
        QCOMPARE(stored(u"SELECT Version || ';' || Typ FROM Data WHERE Namn = 'Doom'"_s),
                 u"1.9;Demo"_s);
        QCOMPARE(stored(u"SELECT count(*) FROM Data WHERE Namn = 'Quake'"_s), u"0"_s);
        expectLocked(false);
    }

    void okWithoutANameKeepsTheEntry() {
        openWindow();
        trigger(cmd::add);
        dialogs.answer(Answer::Ok);
        window->okButton()->click();
        dialogs.expectBox(0, BoxKind::Info, u"Title/name missing"_s, u"Title/Name is required"_s);
        QCOMPARE(window->page(), Page::Edit);
        QCOMPARE(window->mode(), RegisterMode::Adding);
        QCOMPARE(items().state(), TableState::Insert);
        QCOMPARE(QApplication::focusWidget(), line(u"Namn"_s));
        QVERIFY(!run.dataChanged);
        window->cancelButton()->click();
        QCOMPARE(items().recordCount(), 0);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void manufacturersAreRememberedCutTo40WithLetterCaseCounting() {
        test::addSoftware(*catalogue);
        tdm->standardTb().refresh();
        openWindow();
        const QString longName = u"Sveriges Största Programvaruhus i Norrland AB"_s;
        const auto addWith = [&](const QString& name, const QString& manufacturer) {
            trigger(cmd::add);
            QTest::keyClicks(line(u"Namn"_s), name);
            pick(u"Producent"_s)->setEditText(manufacturer);
            window->okButton()->click();
        };
        addWith(u"A"_s, u"MICROSOFT"_s); // differs from "Microsoft" in case only
        addWith(u"B"_s, QString());
        addWith(u"C"_s, longName);
        addWith(u"D"_s, u"Microsoft"_s);
        QCOMPARE(remembered(), u"Nico Mak|Microsoft|id Software|microsoft|O'Reilly|gimp.org|"
                               "MICROSOFT|"_s +
                                   longName.left(40));
        QCOMPARE(stored(u"SELECT Producent FROM Data WHERE Namn = 'C'"_s), longName);
        trigger(cmd::add);
        const QStringList list = test::comboItems(pick(u"Producent"_s));
        QCOMPARE(list.last(), longName.left(40));
        QCOMPARE(list.size(), 8);
        QCOMPARE(pick(u"Producent"_s)->currentText(), QString());
        window->cancelButton()->click();
    }

    void theEditPageListsAndLimitsItsBoxes() {
        openWindow();
        trigger(cmd::add);
        QCOMPARE(test::comboItems(pick(u"Kategori"_s)).first(), u"OpSys"_s); // not sorted
        QCOMPARE(test::comboItems(pick(u"Kategori"_s)).size(), 12);
        QCOMPARE(test::comboItems(pick(u"Media"_s)).last(), u"Other"_s);
        QCOMPARE(test::comboItems(pick(u"Media"_s)).size(), 10);
        QStringList types;
        for (QRadioButton* button : typeButtons())
            types << button->text();
        QCOMPARE(types, (QStringList{u"Commercial"_s, u"Shareware"_s, u"Freeware"_s, u"Demo"_s}));
        QCOMPARE(line(u"Pris"_s)->maxLength(), 5);
        QCOMPARE(line(u"Inkopt datum"_s)->maxLength(), 6);
        QVERIFY(window->findChild<QLabel*>()); // the hint beside the date
        bool hinted = false;
        for (QLabel* label : window->findChildren<QLabel*>())
            hinted = hinted || label->text() == u"(Like: YYMMDD)"_s;
        QVERIFY(hinted);
        QCOMPARE(window->boxLabel(u"Namn"_s)->text(), u"Title/Name*"_s);
        QCOMPARE(window->boxLabel(u"Licensnr"_s)->text(), u"Licens#"_s);

        QTest::keyClicks(line(u"Pris"_s), u"1234567"_s);
        QCOMPARE(line(u"Pris"_s)->text(), u"12345"_s);
        QTest::keyClicks(line(u"Inkopt datum"_s), u"99123199"_s);
        QCOMPARE(line(u"Inkopt datum"_s)->text(), u"991231"_s);
        dialogs.answer(Answer::Ok);
        line(u"Pris"_s)->clear();
        QTest::keyClicks(line(u"Pris"_s), u"9a"_s);
        dialogs.expectBox(0, BoxKind::Plain, u"Hoardly"_s, u"Only digits allowed in this field"_s);
        QCOMPARE(line(u"Pris"_s)->text(), u"9"_s);
        dialogs.answer(Answer::Ok);
        QTest::keyClicks(line(u"Inkopt datum"_s), u"x"_s);
        QCOMPARE(dialogs.boxes().size(), 2);
        window->cancelButton()->click();
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void enterMovesOnInTabOrder() {
        openWindow();
        trigger(cmd::add);
        const QStringList order{u"Namn"_s,      u"Version"_s, u"Kategori"_s,
                                u"Producent"_s, u"Web"_s,     u"Media"_s};
        for (qsizetype i = 0; i + 1 < order.size(); ++i) {
            QWidget* from = window->editControl(order[i]);
            QVERIFY(from->isAncestorOf(QApplication::focusWidget()) ||
                    from == QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QWidget* storage = window->editControl(u"Media"_s);
        QVERIFY(storage == QApplication::focusWidget() ||
                storage->isAncestorOf(QApplication::focusWidget()));
        window->cancelButton()->click();
    }

    void emptyTableCommandsAnswerWithTheirBoxes() {
        openWindow();
        dialogs.answer(Answer::Ok);
        trigger(cmd::edit);
        dialogs.expectBox(0, BoxKind::Info, u"Empty"_s,
                          u"Sorry. There are no records in the database"_s);
        dialogs.answer(Answer::Ok);
        trigger(cmd::remove);
        dialogs.expectBox(1, BoxKind::Info, u"Empty as my wallet"_s,
                          u"Not such command. Empty database"_s);
        trigger(cmd::lending);
        QVERIFY(lending.types.isEmpty() || lending.types == QList{LendObjectType::Data});
        QCOMPARE(window->page(), Page::Browse);
        expectLocked(false);
        QVERIFY(!run.dataChanged);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void lendingLendsTheItemAsObjectTypeTwo() {
        test::addSoftware(*catalogue);
        openWindow();
        trigger(cmd::lending);
        QCOMPARE(lending.types, QList{LendObjectType::Data});
        QCOMPARE(int(lending.types.first()), 2);
    }

    void deletingAsksAndALentNameAsksAgain() {
        test::addSoftware(*catalogue);
        // "Doom" is a lent-out film's title too: the lookup compares names only.
        catalogue->exec(u"borrow.db"_s,
                        u"INSERT INTO Borrow (Objektyp, Objekt, \"Utlanad till\") VALUES "
                        "('Film', 'Doom', 'Anna Berg'), ('Data', 'WinZip', 'Eva Ek')"_s);
        openWindow();
        QVERIFY(items().locate(u"Namn"_s, {u"Doom"_s}));
        dialogs.answer(Answer::No);
        trigger(cmd::remove);
        dialogs.expectBox(0, BoxKind::Question, u"Delete a record"_s,
                          u"Record with name [ Doom ] will be lost. Are you sure?"_s,
                          BoxIcon::Exclamation);
        QCOMPARE(items().recordCount(), 7);
        QVERIFY(!run.dataChanged);

        dialogs.answer(Answer::Yes);
        dialogs.answer(Answer::Yes);
        trigger(cmd::remove);
        dialogs.expectBox(2, BoxKind::Question, u"Mark it as returned?"_s,
                          u"The object [Doom]  is recorded as lent out. Do you want it to be "
                          "marked as return from Your lent-out database? "_s,
                          BoxIcon::Question);
        QVERIFY(run.dataChanged);
        QCOMPARE(stored(u"SELECT count(*) FROM Data WHERE Namn = 'Doom'"_s), u"0"_s);
        QCOMPARE(catalogue->scalar(u"borrow.db"_s, u"SELECT group_concat(Objekt) FROM Borrow"_s),
                 u"WinZip"_s);

        // No keeps the lending record; an item not lent asks once.
        QVERIFY(items().locate(u"Namn"_s, {u"WinZip"_s}));
        dialogs.answer(Answer::Yes);
        dialogs.answer(Answer::No);
        trigger(cmd::remove);
        QCOMPARE(catalogue->scalar(u"borrow.db"_s, u"SELECT group_concat(Objekt) FROM Borrow"_s),
                 u"WinZip"_s);
        QVERIFY(items().locate(u"Namn"_s, {u"GIMP"_s}));
        dialogs.answer(Answer::Yes);
        trigger(cmd::remove);
        QCOMPARE(dialogs.boxes().size(), 6);
        QCOMPARE(items().recordCount(), 4);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theFindBoxSaysHitOrNotFound() {
        test::addSoftware(*catalogue);
        catalogue->exec(u"data.DB"_s, u"UPDATE Data SET Namn = 'Backup' WHERE Namn = 'Kod''n "
                                      "Kaffe'"_s);
        openWindow();
        items().last();
        FindBox* box = window->findBox();
        auto* result = window->findChild<QLabel*>(u"findResult"_s);
        box->setFocus();
        box->clear();
        QVERIFY(!result->isVisible());
        QTest::keyClicks(box, u"a"_s);
        QCOMPARE(currentName(), u"Access"_s);
        QCOMPARE(result->text(), u"Hit!"_s);
        QVERIFY(result->isVisible());
        QCOMPARE(window->heading()->text(), u"Access"_s);
        QTest::keyClicks(box, u"x"_s);
        QCOMPARE(result->text(), u"Not found!"_s);
        QCOMPARE(currentName(), u"Access"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void thePanelShowsTheCurrentItem() {
        test::addSoftware(*catalogue);
        openWindow();
        QVERIFY(items().locate(u"Namn"_s, {u"WinZip"_s}));
        window->navigator()->press(NavButton::Prior);
        window->navigator()->press(NavButton::Next);
        QCOMPARE(window->heading()->text(), u"WinZip"_s);
        QCOMPARE(webLink()->text(), u"http://www.winzip.com"_s);
        QStringList shown;
        for (QLabel* label : window->findChildren<QLabel*>())
            shown << label->text();
        for (const QString& text : {u"Nico Mak"_s, u"8.0"_s, u"Utility"_s, u"Shareware"_s,
                                    u"Webbshop"_s, u"Zipfile"_s, u"Eva Ek"_s})
            QVERIFY2(shown.contains(text), qPrintable(text));
        for (const QString& label : {u"Manufacturer"_s, u"Licens#"_s, u"Purchase from"_s,
                                     u"Registered"_s, u"Lent to"_s, u"Storage"_s})
            QVERIFY2(shown.contains(label), qPrintable(label));
        // An empty address shows no link.
        QVERIFY(items().locate(u"Namn"_s, {u"Doom"_s}));
        QVERIFY(webLink()->text().isEmpty());
    }

    void theWebLinkOpensWebAddressesOnly() {
        test::addSoftware(*catalogue);
        catalogue->exec(u"data.DB"_s,
                        u"UPDATE Data SET Web = 'file:///usr/bin/xterm' WHERE Namn = 'Doom'"_s);
        openWindow();
        WebLink* link = webLink();
        QVERIFY(link->font().underline());
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
        // The panel paints on the base background: the link must still paint in its own colour.
        QCOMPARE(link->palette().color(link->foregroundRole()), QColor(Qt::blue));
        QTest::mousePress(link, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::red));
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(shell.linksOpened, QStringList{u"http://www.microsoft.com"_s});
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::darkBlue));

        QVERIFY(items().locate(u"Namn"_s, {u"Doom"_s}));
        dialogs.answer(Answer::Ok);
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
        dialogs.expectLastBox(BoxKind::Plain, u"Hoardly"_s,
                              u"\"file:///usr/bin/xterm\" is not a web address, so it is not "
                              "opened.\nOnly addresses beginning with http://, https://, ftp:// "
                              "or www. are opened."_s);
        QCOMPARE(shell.linksOpened.size(), 1); // nothing handed to the desktop
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void findByConditionsShowsTheSoftwareSearchPage() {
        test::addSoftware(*catalogue);
        tdm->filmQ().setStatement({u"SELECT Namn FROM Data"_s});
        tdm->filmQ().open();
        openWindow();
        trigger(cmd::findByConditions);
        QCOMPARE(window->page(), Page::Search);
        QCOMPARE(window->mode(), RegisterMode::Searching);
        QVERIFY(window->commands().entry(cmd::back, Place::ToolBar)->isEnabled());
        expectLocked(true);
        auto* search = qobject_cast<SearchPage*>(window->searchPage());
        QCOMPARE(search->selectedCriterion(), -1);
        QCOMPARE(search->firstInput()->currentText(), u"Välj här"_s);
        QCOMPARE(search->firstPrompt()->text(), u"Find field"_s);
        QVERIFY(!tdm->filmQ().isOpen());
        // ENTER moves on rather than pressing Submit.
        search->selectCriterion(2);
        search->firstInput()->setEditText(u"Games"_s);
        QTest::keyClick(search->firstInput(), Qt::Key_Return);
        QVERIFY(!tdm->filmQ().isOpen());
        search->submitButton()->click();
        QTRY_VERIFY(!tdm->filmQ().isRunning());
        QCOMPARE(tdm->filmQ().rowCount(), 1);
        trigger(cmd::back);
        QCOMPARE(window->page(), Page::Browse);
        QVERIFY(!window->commands().entry(cmd::back, Place::ToolBar)->isEnabled());
        expectLocked(false);
        // The page shows again as it was left.
        trigger(cmd::findByConditions);
        QCOMPARE(search->selectedCriterion(), 2);
        QCOMPARE(tdm->filmQ().rowCount(), 1);
    }

    void theMasterListShowsEveryItemWithItsSwedishNavigator() {
        test::addSoftware(*catalogue);
        openWindow();
        trigger(cmd::masterList);
        QCOMPARE(window->page(), Page::MasterList);
        QCOMPARE(window->mode(), RegisterMode::MasterList);
        expectLocked(true);
        QVERIFY(window->commands().entry(cmd::back, Place::ToolBar)->isEnabled());
        const QAbstractItemModel* grid = window->masterGrid()->model();
        QStringList titles;
        for (int column = 0; column < grid->columnCount(); ++column)
            titles << grid->headerData(column, Qt::Horizontal).toString();
        QCOMPARE(titles,
                 (QStringList{u"Title"_s, u"Version"_s, u"Category"_s, u"Manufacturer"_s,
                              u"Purchase from"_s, u"Purchase date"_s, u"Price"_s, u"Serial"_s,
                              u"Licens#"_s, u"Registered"_s, u"Web"_s, u"Storage"_s}));
        QCOMPARE(grid->rowCount(), 7);
        QCOMPARE(window->masterFindBox()->toolTip(), u"Sök på titel"_s);
        QCOMPARE(window->masterTipsButton()->toolTip(), u"Info om masterlista"_s);
        QStringList hints;
        for (const NavButtonDef& def : window->description().masterList->navigator)
            hints << def.hint;
        QCOMPARE(hints, (QStringList{u"Första posten"_s, u"Föregående post"_s, u"Nästa post"_s,
                                     u"Sista post"_s, u"Infoga ny post"_s, u"Radera post"_s,
                                     u"Editera post"_s, u"Posta ändring"_s, u"Avbryt editering"_s,
                                     u"Uppdatera "_s}));
        window->masterTipsButton()->click();
        QCOMPARE(shell.tips.size(), 1);
        QCOMPARE(shell.tips[0].size(), 3);
        QVERIFY(shell.tips[0][0].startsWith(u"The masterlist gives you immediate access"_s));
        QCOMPARE(shell.tips[0][1], QString());
        QCOMPARE(shell.tips[0][2],
                 u"Tip: You can search a title by the field above to left.To add a record use "
                 "the  \"New record button\" in the toolbar. You can edit a field direct in a "
                 "cell The edit record will be saved after you hav leave it or when you close "
                 "this form You can't edit any lent-out stuff here."_s);
        // The navigator deletes at once, without a question, and leaves the run state alone.
        window->masterNavigator()->press(NavButton::Delete);
        QCOMPARE(stored(u"SELECT count(*) FROM Data"_s), u"6"_s);
        QVERIFY(!run.dataChanged);
        trigger(cmd::back);
        QCOMPARE(window->page(), Page::Browse);
        expectLocked(false);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theTipButtonShowsTheEntryTips() {
        openWindow();
        trigger(cmd::add);
        window->tipButton()->click();
        QCOMPARE(shell.tips.size(), 1);
        QCOMPARE(shell.tips[0], (QStringList{u"Fields marked * is required. "_s, QString(),
                                             u"Move between the fields with TAB- or ENTER key"_s}));
        window->cancelButton()->click();
        trigger(cmd::help);
        trigger(cmd::about);
        QCOMPARE(shell.helpOpened, 1);
        QCOMPARE(shell.aboutShown, 1);
    }

    void escapeCancelsAndShortcutsRunTheCommands() {
        test::addSoftware(*catalogue);
        openWindow();
        QTest::keyClick(window->list(), Qt::Key_Insert);
        QCOMPARE(window->mode(), RegisterMode::Adding);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        QCOMPARE(items().recordCount(), 7);
        QTest::keyClick(window->list(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(window->page(), Page::Search);
        trigger(cmd::back);
        QTest::keyClick(window->list(), Qt::Key_M, Qt::ControlModifier);
        QCOMPARE(window->page(), Page::MasterList);
        trigger(cmd::back);
        QTest::keyClick(window->list(), Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(lending.types, QList{LendObjectType::Data});
    }

    void closingClosesTheTableAndShowsTheMainWindow() {
        test::addSoftware(*catalogue);
        openWindow();
        trigger(cmd::add);
        QTest::keyClicks(line(u"Namn"_s), u"Pending"_s);
        trigger(cmd::close); // locked: nothing happens
        QVERIFY(window);
        window->cancelButton()->click();
        trigger(cmd::close);
        QTRY_VERIFY(!window);
        QVERIFY(!items().isOpen());
        QCOMPARE(shell.mainWindowShown, 1);
        QCOMPARE(stored(u"SELECT count(*) FROM Data"_s), u"7"_s);
    }

    // A box never ticked leaves the field without a value; a bound box writes what it shows.
    void registeredIsWrittenOnlyByTicking() {
        test::addSoftware(*catalogue);
        openWindow();
        trigger(cmd::add);
        QTest::keyClicks(line(u"Namn"_s), u"Untouched"_s);
        window->okButton()->click();
        QCOMPARE(stored(u"SELECT coalesce(Registrerad, 'none') FROM Data WHERE Namn = "
                        "'Untouched'"_s),
                 u"none"_s);
        QVERIFY(items().locate(u"Namn"_s, {u"Access"_s}));
        trigger(cmd::edit);
        QVERIFY(registeredBox()->isChecked());
        registeredBox()->click();
        window->okButton()->click();
        QCOMPARE(stored(u"SELECT Registrerad FROM Data WHERE Namn = 'Access'"_s), u"0"_s);
        auto* shown = test::child<QCheckBox>(*window, u"panel_Registrerad"_s);
        QVERIFY(!shown->isChecked());
    }

    void theManufacturerStandsOutInThePanel() {
        test::addSoftware(*catalogue);
        openWindow();
        auto* manufacturer = test::child<QLabel>(*window, u"panel_Producent"_s);
        auto* version = test::child<QLabel>(*window, u"panel_Version"_s);
        QCOMPARE(manufacturer->text(), u"Microsoft"_s);
        QVERIFY(manufacturer->font().bold());
        QVERIFY(manufacturer->font().pointSizeF() > version->font().pointSizeF());
        QVERIFY(!version->font().bold());
    }

    // Web and ftp addresses go to the desktop; a local path or another scheme never does.
    void theLinksSchemeRuleHoldsForEveryAddress_data() {
        QTest::addColumn<QString>("web");
        QTest::addColumn<QString>("opened"); // empty: refused with the message
        QTest::newRow("bare www") << u"www.winzip.com"_s << u"http://www.winzip.com"_s;
        QTest::newRow("https") << u"https://gimp.org/"_s << u"https://gimp.org/"_s;
        QTest::newRow("ftp") << u"ftp://ftp.oreilly.com"_s << u"ftp://ftp.oreilly.com"_s;
        QTest::newRow("upper-case scheme") << u"HTTP://id.com"_s << u"http://id.com"_s;
        QTest::newRow("local path") << u"/usr/bin/xterm"_s << QString();
        QTest::newRow("file address") << u"file:///etc/passwd"_s << QString();
        QTest::newRow("other scheme") << u"javascript:alert(1)"_s << QString();
        QTest::newRow("shell command") << u"xterm -e sh"_s << QString();
        QTest::newRow("scheme without host") << u"http://"_s << QString();
    }
    void theLinksSchemeRuleHoldsForEveryAddress() {
        QFETCH(QString, web);
        QFETCH(QString, opened);
        catalogue->exec(u"data.DB"_s,
                        u"INSERT INTO Data (Namn, Web) VALUES ('Item', '%1')"_s.arg(web));
        openWindow();
        WebLink* link = webLink();
        QCOMPARE(link->text(), web);
        if (opened.isEmpty())
            dialogs.answer(Answer::Ok);
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
        if (opened.isEmpty()) {
            QVERIFY(shell.linksOpened.isEmpty());
            dialogs.expectLastBox(BoxKind::Plain, u"Hoardly"_s, notAWebAddressMessage(web));
        } else {
            QCOMPARE(shell.linksOpened, QStringList{opened});
        }
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    // Filling the search page's URL list walks the table: Back finds the last item current.
    void theUrlListLeavesTheLastItemCurrentAfterBack() {
        test::addSoftware(*catalogue);
        openWindow();
        QCOMPARE(currentName(), u"Access"_s);
        trigger(cmd::findByConditions);
        auto* search = qobject_cast<SearchPage*>(window->searchPage());
        search->selectCriterion(3); // "List all softwares with a special URL"
        trigger(cmd::back);
        QCOMPARE(currentName(), u"Office"_s);
        QCOMPARE(window->heading()->text(), u"Office"_s);
    }

    // Each mode and exactly what it leaves usable of the tool bar, the menus and the pop-up.
    void eachModeLeavesExactlyItsCommandsUsable_data() {
        QTest::addColumn<QString>("command"); // what brings the window into the mode
        QTest::addColumn<QStringList>("toolBar");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QStringList>("popup");
        const QStringList help{u"&Options|Turn music off"_s, u"&Help|Help"_s, u"&Help|About"_s};
        const QStringList browsingPopup{u"Lägg till ny post"_s, u"Editera post"_s,
                                        u"Ta bort post"_s,      u"Utlåning"_s,
                                        u"Villkorssökning"_s,   u"Masterlista"_s,
                                        u"Förhandsgranska"_s,   u"Skriv ut till fil (HTML)"_s,
                                        u"Skriv ut"_s,          u"Huvumenyn"_s};
        QTest::newRow("browsing") << QString()
                                  << QStringList{u"Mainmenu"_s,    u"Print preview"_s,
                                                 u"Print"_s,       u"Add record"_s,
                                                 u"Edit record"_s, u"Del record"_s,
                                                 u"Lending"_s,     u"Find by conditions"_s,
                                                 u"Masterlist"_s}
                                  << QStringList{u"&File|Print preview"_s,
                                                 u"&File|Send to file (HTML)"_s,
                                                 u"&File|Print"_s,
                                                 u"&File|Back to mainmenu"_s,
                                                 u"&Options|Turn music off"_s,
                                                 u"Database|Add record"_s,
                                                 u"Database|Edit record"_s,
                                                 u"Database|Delete record"_s,
                                                 u"Database|Lent out"_s,
                                                 u"Database|List/find by conditions"_s,
                                                 u"Database|Masterlist"_s,
                                                 u"&Help|Help"_s,
                                                 u"&Help|About"_s}
                                  << browsingPopup;
        // The tool bar's "Print" stays enabled in every mode.
        const QStringList print{u"Print"_s};
        const QStringList printBack{u"Print"_s, u"Back"_s};
        QTest::newRow("adding") << cmd::add << print << help << QStringList();
        QTest::newRow("editing") << cmd::edit << print << help << QStringList();
        QTest::newRow("searching") << cmd::findByConditions << printBack << help << QStringList();
        QTest::newRow("master list") << cmd::masterList << printBack << help << QStringList();
    }
    void eachModeLeavesExactlyItsCommandsUsable() {
        QFETCH(QString, command);
        QFETCH(QStringList, toolBar);
        QFETCH(QStringList, menus);
        QFETCH(QStringList, popup);
        test::addSoftware(*catalogue);
        openWindow();
        if (!command.isEmpty())
            trigger(command);
        const test::UsableEntries usable =
            test::usableEntries(window, window->toolBar(), window->popupMenu());
        QCOMPARE(usable.toolBar, toolBar);
        QCOMPARE(usable.menus, menus);
        QCOMPARE(usable.popup, popup);
        if (toolBar.contains(u"Back"_s)) {
            trigger(cmd::back);
            QCOMPARE(
                test::usableEntries(window, window->toolBar(), window->popupMenu()).popup.size(),
                10);
        } else if (window->mode() != RegisterMode::Browsing) {
            window->cancelButton()->click();
        }
    }
};

QTEST_MAIN(TestSoftwareForm)
#include "test_software_form.moc"
