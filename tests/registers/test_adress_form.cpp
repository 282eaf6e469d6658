#include "FakeShell.h"
#include "ScriptedDialogs.h"
#include "TempCatalogue.h"
#include "WidgetHelpers.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "lending/BorrowFillinForm.h"
#include "lending/LendingWindows.h"
#include "registers/AdressForm.h"
#include "registers/FindBox.h"
#include "registers/Navigator.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

class TestAdressForm : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;
    test::ScriptedDialogs dialogs;
    RunState run;
    test::FakeShell shell;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<TAdressForm> window;

    Table& adress() { return tdm->adressTb(); }
    QString currentLastName() { return adress().asText(u"Efternamn"_s); }
    QString stored(const QString& sql) { return catalogue->scalar(u"adress.DB"_s, sql); }
    QString storedCount() { return stored(u"SELECT count(*) FROM Adress"_s); }

    // In key order: Berg, andersson, Lind, Ytterberg; in last-name order andersson comes first.
    void addPeople() {
        catalogue->exec(u"adress.DB"_s,
                        u"INSERT INTO Adress (Efternamn, Fornamn, Gatuadress, Telefon, Mobil, "
                        "\"E-postadress\") VALUES "
                        "('Berg', 'Anna', 'Storgatan 12', '08-12345', '070-111', 'anna@ex.se'), "
                        "('andersson', 'Nils', 'Kungsvagen 3', '031-5566', '073-456', NULL), "
                        "('Lind', 'Eva', 'Angsvagen 7', '08-12377', NULL, NULL), "
                        "('Ytterberg', 'Per', 'Bygatan 1', '046-1234', '070-999', NULL)"_s);
    }

    void addPeopleWithoutMobiles() {
        catalogue->exec(u"adress.DB"_s, u"INSERT INTO Adress (Efternamn, Fornamn) VALUES "
                                        "('Berg', 'Anna'), ('andersson', 'Nils')"_s);
    }

    void openWindow() {
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the address book did not become active");
    }

    QLineEdit* line(const QString& field) { return qobject_cast<QLineEdit*>(window->box(field)); }
    QPlainTextEdit* memo() { return qobject_cast<QPlainTextEdit*>(window->box(u"Kommentar"_s)); }
    void type(const QString& field, const QString& text) { QTest::keyClicks(line(field), text); }
    void trigger(const QString& id) { window->action(id)->trigger(); }
    int count() { return window->countLabel()->text().toInt(); }

    // Browsing (unlocked) or adding and editing (locked), everything the lock and the mode
    // switch together.
    void expectLocked(bool locked) {
        const CommandTable& commands = window->commands();
        for (const QString& id : {u"close"_s, u"add"_s, u"edit"_s, u"delete"_s}) {
            QCOMPARE(commands.entry(id, Place::ToolBar)->isEnabled(), !locked);
            QCOMPARE(commands.entry(id, Place::Popup)->isEnabled(), !locked);
        }
        QCOMPARE(commands.menu(u"file"_s)->menuAction()->isEnabled(), !locked);
        QCOMPARE(commands.menu(u"database"_s)->menuAction()->isEnabled(), !locked);
        QVERIFY(commands.menu(u"help"_s)->menuAction()->isEnabled());
        QCOMPARE(window->navigator()->isEnabled(), !locked);
        QCOMPARE(window->letterBar()->isEnabled(), !locked);
        QCOMPARE(window->findGroup()->isEnabled(), !locked);
        QCOMPARE(window->okButton()->isEnabled(), locked);
        QCOMPARE(window->cancelButton()->isEnabled(), locked);
        QVERIFY(window->tipButton()->isEnabled());
        for (const QString& field :
             {u"Fornamn"_s, u"Efternamn"_s, u"Gatuadress"_s, u"Postadress"_s, u"Telefon arbete"_s,
              u"Telefon"_s, u"Mobil"_s, u"E-postadress"_s, u"Hemsida"_s})
            QCOMPARE(line(field)->isReadOnly(), !locked);
        QCOMPARE(memo()->isReadOnly(), !locked);
    }

    // Adds a record through the window's commands; answers nothing.
    void addThroughTheWindow(const QString& first, const QString& last, const QString& email = {}) {
        trigger(u"add"_s);
        type(u"Fornamn"_s, first);
        type(u"Efternamn"_s, last);
        if (!email.isEmpty())
            type(u"E-postadress"_s, email);
        window->okButton()->click();
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
        dialogs.reset();
        run = RunState{};
        shell = test::FakeShell{};
        context = std::make_unique<AppContext>(AppContext{dialogs, *tdm, run, shell});
        window = std::make_unique<TAdressForm>(*context);
    }
    void cleanup() {
        window.reset();
        HOARDLY_VERIFY_DIALOGS(dialogs);
        context.reset();
        tdm.reset();
        catalogue.reset();
    }

    void openingShowsTheFirstLastNameBrowsing() {
        addPeople();
        QVERIFY(!adress().isOpen());
        openWindow();
        QVERIFY(adress().isOpen());
        QCOMPARE(adress().indexName(), u"ENamn"_s);
        QCOMPARE(currentLastName(), u"andersson"_s);
        QCOMPARE(line(u"Efternamn"_s)->text(), u"andersson"_s);
        QCOMPARE(line(u"Fornamn"_s)->text(), u"Nils"_s);
        QCOMPARE(window->countLabel()->text(), u"4"_s);
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        QVERIFY(!window->inLendOutMode());
        QCOMPARE(QApplication::focusWidget(), line(u"Fornamn"_s));
        expectLocked(false);
        // The find box searches last names, though no radio button says so yet.
        QCOMPARE(window->findBox()->field(), u"Efternamn"_s);
        for (int i = 0; i < 5; ++i)
            QVERIFY(!window->findOption(i)->isChecked());
        QVERIFY(window->findBox()->resultLabel()->isHidden());
        QCOMPARE(window->windowTitle(), u"Addressbook"_s);
    }

    void everyCaptionReadsAsTheBookHasThem() {
        openWindow();
        QStringList labels;
        for (const QString& field :
             {u"Fornamn"_s, u"Efternamn"_s, u"Gatuadress"_s, u"Postadress"_s, u"Telefon arbete"_s,
              u"Telefon"_s, u"Mobil"_s, u"E-postadress"_s, u"Hemsida"_s, u"Kommentar"_s}) {
            QLabel* label = window->boxLabel(field);
            QCOMPARE(label->buddy(), window->box(field));
            labels << label->text();
        }
        // With a buddy the doubled ampersand shows as one.
        QCOMPARE(labels, (QStringList{u"First name"_s, u"Last name*"_s, u"Street"_s,
                                      u"Postal && zip"_s, u"Phone work"_s, u"Phone home"_s,
                                      u"Celluar"_s, u"E-Mail"_s, u"Homesite"_s, u"Comments"_s}));
        QCOMPARE(window->findGroup()->title(), u"Find"_s);
        QStringList options;
        for (int i = 0; i < 5; ++i)
            options << window->findOption(i)->text();
        QCOMPARE(options, (QStringList{u"First name"_s, u"Last name"_s, u"Phone home"_s,
                                       u"Celluar"_s, u"Address"_s}));
        QCOMPARE(window->okButton()->text(), u"&OK"_s);
        QCOMPARE(window->cancelButton()->text(), u"&Cancel"_s);
        QCOMPARE(window->tipButton()->text(), u"&Tip"_s);
        QStringList letters;
        for (QChar letter = u'A'; letter <= u'Z'; letter = QChar(letter.unicode() + 1))
            letters << window->letterButton(letter)->text();
        QCOMPARE(letters.join(QString()), u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s);
        bool countCaption = false;
        for (const QLabel* label : window->findChildren<QLabel*>())
            countCaption = countCaption || label->text() == u"Number of records:"_s;
        QVERIFY(countCaption);
        // The find box sits between the second and the third radio button.
        QVERIFY(window->findOption(1)->y() < window->findBox()->y());
        QVERIFY(window->findBox()->y() < window->findOption(2)->y());
    }

    void theMenusToolBarAndPopUpReadAsTheBookHasThem() {
        QStringList menus;
        for (QAction* action : window->menuBar()->actions())
            menus << action->text();
        QCOMPARE(menus, (QStringList{u"&File"_s, u"&Options"_s, u"&Database"_s, u"&Help"_s}));
        const auto entries = [&](const QString& id) {
            QStringList result;
            for (QAction* action : window->commands().menu(id)->actions())
                result << action->text() + u'|' + action->shortcut().toString();
            return result;
        };
        QCOMPARE(entries(u"file"_s), (QStringList{u"Print preview|Ctrl+F"_s, u"Print|Ctrl+P"_s,
                                                  u"Back to main|Ctrl+S"_s}));
        QCOMPARE(entries(u"database"_s),
                 (QStringList{u"Add record|Ins"_s, u"Edit record|Shift+Ins"_s,
                              u"Delete record|Shift+Del"_s}));
        QCOMPARE(entries(u"help"_s), (QStringList{u"Help|Ctrl+F1"_s, u"About|"_s}));
        QStringList hints;
        for (QAction* action : window->toolBar()->actions()) {
            if (!action->isSeparator())
                hints << action->toolTip();
        }
        QCOMPARE(hints, (QStringList{u"Back to mainmenu"_s, u"Print preview"_s, u"Print"_s,
                                     u"Add record"_s, u"Edit record"_s, u"Delete record"_s}));
        QStringList popup;
        for (QAction* action : window->popupMenu()->actions())
            popup << action->text();
        QCOMPARE(popup, (QStringList{u"Add record"_s, u"Edit record"_s, u"Delete Record"_s,
                                     u"Print preview"_s, u"Print"_s, u"Mainmenu"_s}));
    }

    void theTabOrderIsTheBooksOrder() {
        openWindow();
        QStringList order;
        QWidget* at = line(u"Fornamn"_s);
        for (int i = 0; i < 10 + 4 + 3 + 26 + 6; ++i) {
            order << at->objectName();
            at = at->nextInFocusChain();
            while (!(at->focusPolicy() & Qt::TabFocus))
                at = at->nextInFocusChain();
        }
        QStringList expected{u"box_Fornamn"_s,
                             u"box_Efternamn"_s,
                             u"box_Gatuadress"_s,
                             u"box_Postadress"_s,
                             u"box_Telefon arbete"_s,
                             u"box_Telefon"_s,
                             u"box_Mobil"_s,
                             u"box_E-postadress"_s,
                             u"box_Hemsida"_s,
                             u"box_Kommentar"_s,
                             u"first"_s,
                             u"prior"_s,
                             u"next"_s,
                             u"last"_s,
                             u"OkKnp"_s,
                             u"CancelKnp"_s,
                             u"TipKnp"_s};
        for (QChar letter = u'A'; letter <= u'Z'; letter = QChar(letter.unicode() + 1))
            expected << u"letter"_s + letter;
        expected << u"findOption0"_s << u"findOption1"_s << u"findBox"_s << u"findOption2"_s
                 << u"findOption3"_s << u"findOption4"_s;
        QCOMPARE(order, expected);
    }

    void enterMovesOnEvenFromTheComments() {
        addPeople();
        openWindow();
        trigger(u"edit"_s);
        QCOMPARE(QApplication::focusWidget(), line(u"Fornamn"_s));
        QTest::keyClick(line(u"Fornamn"_s), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), line(u"Efternamn"_s));
        memo()->setFocus();
        QTest::keyClicks(memo(), u"one"_s);
        QTest::keyClick(memo(), Qt::Key_Return);
        QCOMPARE(memo()->toPlainText(), u"one"_s); // no new line
        QVERIFY(QApplication::focusWidget() != memo());
        window->cancelButton()->click();
    }

    void addingLocksEverythingAndOkFilesTheRecord() {
        addPeople();
        openWindow();
        trigger(u"add"_s);
        QCOMPARE(window->mode(), RegisterMode::Adding);
        QCOMPARE(adress().state(), TableState::Insert);
        QCOMPARE(QApplication::focusWidget(), line(u"Fornamn"_s));
        expectLocked(true);
        QCOMPARE(line(u"Efternamn"_s)->text(), QString()); // a fresh record
        type(u"Fornamn"_s, u"Karin"_s);
        type(u"Efternamn"_s, u"Holm"_s);
        type(u"Telefon"_s, u"08-555"_s);
        QTest::keyClicks(memo(), u"Met at the library"_s);
        window->okButton()->click();
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        expectLocked(false);
        QVERIFY(run.dataChanged);
        QCOMPARE(count(), 5);                   // at once
        QCOMPARE(currentLastName(), u"Holm"_s); // the new record stays in view
        QCOMPARE(adress().indexName(), u"ENamn"_s);
        QCOMPARE(stored(u"SELECT Fornamn || '|' || Telefon || '|' || Kommentar FROM Adress "
                        "WHERE Efternamn = 'Holm'"_s),
                 u"Karin|08-555|Met at the library"_s);
        QCOMPARE(shell.mainWindowShown, 0);
    }

    void okWithoutALastNameKeepsTheRecordPending() {
        openWindow();
        trigger(u"add"_s);
        type(u"Fornamn"_s, u"Karin"_s);
        dialogs.answer(Answer::Ok);
        window->okButton()->click();
        dialogs.expectBox(0, BoxKind::Info, u"Last name field empty"_s,
                          u"Last name is required. "_s);
        QCOMPARE(window->mode(), RegisterMode::Adding);
        QCOMPARE(adress().state(), TableState::Insert);
        QCOMPARE(QApplication::focusWidget(), line(u"Efternamn"_s));
        QCOMPARE(line(u"Fornamn"_s)->text(), u"Karin"_s);
        // Then a last name, and it goes through.
        type(u"Efternamn"_s, u"Holm"_s);
        window->okButton()->click();
        QCOMPARE(storedCount(), u"1"_s);
        QCOMPARE(count(), 1);
    }

    void theEmailMustHoldAnAtAndIsStoredLowerCased() {
        openWindow();
        trigger(u"add"_s);
        type(u"Efternamn"_s, u"Holm"_s);
        type(u"E-postadress"_s, u"karin.example.se"_s);
        dialogs.answer(Answer::Ok);
        window->okButton()->click();
        dialogs.expectBox(0, BoxKind::Info, u"Weird E-Mail address"_s,
                          u"I suppose a mail with that E-mail address will be lost in space"_s);
        QCOMPARE(window->mode(), RegisterMode::Adding);
        QCOMPARE(QApplication::focusWidget(), line(u"E-postadress"_s));
        QCOMPARE(storedCount(), u"0"_s);

        line(u"E-postadress"_s)->clear();
        type(u"E-postadress"_s, u"Karin.HOLM@Ängen.SE"_s);
        window->okButton()->click();
        QCOMPARE(stored(u"SELECT \"E-postadress\" FROM Adress"_s), u"karin.holm@Ängen.se"_s);
        QCOMPARE(line(u"E-postadress"_s)->text(), u"karin.holm@Ängen.se"_s);

        // No address at all is accepted.
        addThroughTheWindow(u"Eva"_s, u"Lind"_s);
        QCOMPARE(stored(u"SELECT count(*) FROM Adress WHERE \"E-postadress\" IS NULL"_s), u"1"_s);
        QCOMPARE(dialogs.boxes().size(), 1);
    }

    void editingAndCancelOrEscapeDropTheChanges() {
        addPeople();
        openWindow();
        trigger(u"edit"_s);
        QCOMPARE(window->mode(), RegisterMode::Editing);
        QCOMPARE(adress().state(), TableState::Edit);
        expectLocked(true);
        type(u"Gatuadress"_s, u" B"_s);
        window->cancelButton()->click();
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        expectLocked(false);
        QCOMPARE(line(u"Gatuadress"_s)->text(), u"Kungsvagen 3"_s);

        trigger(u"edit"_s);
        type(u"Gatuadress"_s, u" B"_s);
        QTest::keyClick(line(u"Gatuadress"_s), Qt::Key_Escape);
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        QCOMPARE(stored(u"SELECT Gatuadress FROM Adress WHERE Efternamn = 'andersson'"_s),
                 u"Kungsvagen 3"_s);

        trigger(u"edit"_s);
        line(u"Gatuadress"_s)->clear();
        type(u"Gatuadress"_s, u"Kungsvagen 5"_s);
        window->okButton()->click();
        QCOMPARE(stored(u"SELECT Gatuadress FROM Adress WHERE Efternamn = 'andersson'"_s),
                 u"Kungsvagen 5"_s);
        QCOMPARE(currentLastName(), u"andersson"_s);
        QVERIFY(run.dataChanged);
        // ESC while browsing does nothing to the record.
        QTest::keyClick(line(u"Fornamn"_s), Qt::Key_Escape);
        QCOMPARE(adress().state(), TableState::Browse);
    }

    void anEmptyBookRefusesEditAndDelete() {
        openWindow();
        QCOMPARE(count(), 0);
        dialogs.answer(Answer::Ok);
        trigger(u"edit"_s);
        dialogs.answer(Answer::Ok);
        trigger(u"delete"_s);
        dialogs.expectBox(0, BoxKind::Info, u"Empty"_s, u"Can't edit a empty addressbook"_s);
        dialogs.expectBox(1, BoxKind::Info, u"Empty"_s, u"Nothing to delete"_s);
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        QVERIFY(!run.dataChanged);
    }

    void deleteAsksAndTheCountFollows() {
        addPeople();
        openWindow();
        window->letterButton(u'L')->click();
        QCOMPARE(currentLastName(), u"Lind"_s);
        dialogs.answer(Answer::No);
        trigger(u"delete"_s);
        dialogs.expectBox(0, BoxKind::Question, u"Del record"_s,
                          u"Record with name [ Lind ] will be lost. Are you sure?"_s,
                          BoxIcon::Exclamation);
        QCOMPARE(storedCount(), u"4"_s);
        QVERIFY(!run.dataChanged);
        dialogs.answer(Answer::Yes);
        window->commands().entry(u"delete"_s, Place::Popup)->trigger();
        QCOMPARE(storedCount(), u"3"_s);
        QCOMPARE(count(), 3);
        QCOMPARE(currentLastName(), u"Ytterberg"_s);
        QVERIFY(run.dataChanged);
    }

    void theLetterBarGoesByInitialIgnoringCase() {
        addPeople(); // last names: andersson, Berg, Lind, Ytterberg
        openWindow();
        window->letterButton(u'C')->click();
        QCOMPARE(currentLastName(), u"Lind"_s);
        window->letterButton(u'Z')->click();
        QCOMPARE(currentLastName(), u"Ytterberg"_s);
        window->letterButton(u'A')->click();
        QCOMPARE(currentLastName(), u"andersson"_s);
        window->letterButton(u'M')->click();
        QCOMPARE(currentLastName(), u"Ytterberg"_s);
        QCOMPARE(line(u"Fornamn"_s)->text(), u"Per"_s);
    }

    void onlyABAndYGoToYForCAndToTheLastForZ() {
        catalogue->exec(u"adress.DB"_s, u"INSERT INTO Adress (Efternamn) VALUES ('Ytterberg'), "
                                        "('adams'), ('Berg'), ('yngve')"_s);
        openWindow();
        window->letterButton(u'C')->click();
        QCOMPARE(currentLastName(), u"yngve"_s);
        window->letterButton(u'Z')->click();
        QCOMPARE(currentLastName(), u"Ytterberg"_s);
        QCOMPARE(adress().position(), 3);
    }

    void aPhoneSearchByFirstDigitsAndADash() {
        addPeople();
        openWindow();
        window->findOption(2)->click(); // "Phone home"
        QCOMPARE(window->findBox()->field(), u"Telefon"_s);
        QCOMPARE(QApplication::focusWidget(), window->findBox());
        QCOMPARE(window->findBox()->text(), u"031-5566"_s); // andersson's
        // Entered through its option, the box has its value selected: typing replaces it.
        QCOMPARE(window->findBox()->selectedText(), u"031-5566"_s);
        QTest::keyClicks(window->findBox(), u"08-"_s);
        QCOMPARE(window->findBox()->text(), u"08-"_s);
        // Berg and Lind both start with 08-; Berg comes first by last name.
        QCOMPARE(currentLastName(), u"Berg"_s);
        QCOMPARE(window->findBox()->resultLabel()->text(), u"Found!"_s);
        QVERIFY(!window->findBox()->resultLabel()->isHidden());
        QTest::keyClicks(window->findBox(), u"123"_s);
        QCOMPARE(currentLastName(), u"Berg"_s);
        QTest::keyClicks(window->findBox(), u"7"_s);
        QCOMPARE(currentLastName(), u"Lind"_s);
        QTest::keyClicks(window->findBox(), u"9"_s);
        QCOMPARE(window->findBox()->resultLabel()->text(), u"Not found!"_s);
        QCOMPARE(currentLastName(), u"Lind"_s);

        window->findOption(4)->click(); // "Address", the focus still in the box
        QCOMPARE(window->findBox()->selectedText(), window->findBox()->text());
        QTest::keyClicks(window->findBox(), u"byg"_s);
        QCOMPARE(currentLastName(), u"Ytterberg"_s);
        window->findOption(0)->click(); // "First name"
        window->findBox()->clear();
        QTest::keyClicks(window->findBox(), u"ann"_s);
        QCOMPARE(currentLastName(), u"Berg"_s);
    }

    void aPhoneBoxTakesOnlyDigitsAndADashEvenWhileBrowsing() {
        addPeople();
        openWindow();
        QLineEdit* home = line(u"Telefon"_s);
        dialogs.answer(Answer::Ok);
        QTest::keyClick(home, Qt::Key_A);
        dialogs.expectBox(0, BoxKind::Plain, u"Hoardly"_s, u"Only digits allowed in this field"_s);
        QCOMPARE(home->text(), u"031-5566"_s);

        trigger(u"add"_s);
        for (const QString& field : {u"Telefon arbete"_s, u"Telefon"_s, u"Mobil"_s}) {
            dialogs.answer(Answer::Ok);
            QTest::keyClicks(line(field), u"08-1x2"_s);
            QCOMPARE(line(field)->text(), u"08-12"_s);
        }
        QCOMPARE(dialogs.boxes().size(), 4);
        // The other boxes take any character.
        type(u"Postadress"_s, u"123 45 Lund"_s);
        QCOMPARE(line(u"Postadress"_s)->text(), u"123 45 Lund"_s);
        window->cancelButton()->click();
    }

    void theCommentsTakeNoMoreThanTheFieldHolds() {
        openWindow();
        trigger(u"add"_s);
        type(u"Efternamn"_s, u"Holm"_s);
        const QString hundred = QString(100, u'x');
        QTest::keyClicks(memo(), hundred + u"yz"_s);
        QCOMPARE(memo()->toPlainText(), hundred);
        window->okButton()->click();
        QCOMPARE(stored(u"SELECT Kommentar FROM Adress"_s), hundred);
        // The other boxes stop at their fields' widths.
        QCOMPARE(line(u"Efternamn"_s)->maxLength(), 30);
        QCOMPARE(line(u"Fornamn"_s)->maxLength(), 20);
        QCOMPARE(line(u"Telefon"_s)->maxLength(), 15);
    }

    void closingWhileAddingLeavesTheTableAndReopensBrowsing() {
        addPeople();
        openWindow();
        window->findOption(0)->click(); // "First name"
        trigger(u"add"_s);
        type(u"Efternamn"_s, u"Holm"_s);
        dialogs.answer(Answer::No); // drop what was typed
        window->close();
        QCOMPARE(dialogs.lastBox().caption, u"Close window"_s);
        QVERIFY(!window->isVisible());
        QVERIFY(!adress().isOpen());
        QCOMPARE(shell.mainWindowShown, 1);
        QCOMPARE(storedCount(), u"4"_s);
        QVERIFY(!run.dataChanged);

        openWindow();
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        expectLocked(false);
        QCOMPARE(count(), 4);
        QCOMPARE(currentLastName(), u"andersson"_s);
        QCOMPARE(QApplication::focusWidget(), line(u"Fornamn"_s));
        // The find box is back on the last name, and says so.
        QCOMPARE(window->findBox()->field(), u"Efternamn"_s);
        QVERIFY(window->findOption(1)->isChecked());
        QVERIFY(!window->findOption(0)->isChecked());
        window->findBox()->setFocus();
        window->findBox()->clear();
        QTest::keyClicks(window->findBox(), u"Li"_s);
        QCOMPARE(currentLastName(), u"Lind"_s);
    }

    void backToMainmenuHidesTheBookAndShowsTheMainWindow() {
        openWindow();
        trigger(u"close"_s);
        QVERIFY(!window->isVisible());
        QCOMPARE(shell.mainWindowShown, 1);
        QVERIFY(!adress().isOpen());
        window->commands().entry(u"close"_s, Place::Popup)->trigger(); // hidden: nothing
        openWindow();
        window->commands().entry(u"close"_s, Place::Popup)->trigger();
        QCOMPARE(shell.mainWindowShown, 2);
    }

    void tipHelpAndAbout() {
        openWindow();
        window->tipButton()->click();
        QCOMPARE(shell.tips.size(), 1);
        const QStringList& tips = shell.tips.first();
        QCOMPARE(tips.size(), 7);
        QCOMPARE(tips[0], u"Fields marked with * is required."_s);
        QCOMPARE(tips[2], u"Use the buttons at the bottom of the form to find Last Names. It will "
                          u"go to the first entry with that letter. If there are no Last name "
                          u"beginning with that letter the addressbook will stop at the Last name "
                          u"before"_s);
        QCOMPARE(tips[4], u"Move between the fields with the TAB- or ENTER key"_s);
        QCOMPARE(tips[6], u"If a new record is pointing to a company just fill the company name "
                          u"in the field marked Last Name"_s);
        QVERIFY(tips[1].isEmpty() && tips[3].isEmpty() && tips[5].isEmpty());
        trigger(u"help"_s);
        trigger(u"about"_s);
        QCOMPARE(shell.helpOpened, 1);
        QCOMPARE(shell.aboutShown, 1);
    }

    // Each mode and exactly what it leaves usable of the tool bar, the menus and the pop-up.
    void eachModeLeavesExactlyItsCommandsUsable_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("toolBar");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QStringList>("popup");
        const QStringList help{u"&Options|Turn music off"_s, u"&Help|Help"_s, u"&Help|About"_s};
        QTest::newRow("browsing")
            << QString()
            << QStringList{u"Back to mainmenu"_s, u"Print preview"_s, u"Print"_s,
                           u"Add record"_s,       u"Edit record"_s,   u"Delete record"_s}
            << QStringList{u"&File|Print preview"_s,
                           u"&File|Print"_s,
                           u"&File|Back to main"_s,
                           u"&Options|Turn music off"_s,
                           u"&Database|Add record"_s,
                           u"&Database|Edit record"_s,
                           u"&Database|Delete record"_s,
                           u"&Help|Help"_s,
                           u"&Help|About"_s}
            << QStringList{u"Add record"_s,    u"Edit record"_s, u"Delete Record"_s,
                           u"Print preview"_s, u"Print"_s,       u"Mainmenu"_s};
        // The tool bar's "Print" and the pop-up's "Print preview" stay usable.
        const QStringList print{u"Print"_s};
        const QStringList preview{u"Print preview"_s};
        QTest::newRow("adding") << u"add"_s << print << help << preview;
        QTest::newRow("editing") << u"edit"_s << print << help << preview;
    }
    void eachModeLeavesExactlyItsCommandsUsable() {
        QFETCH(QString, command);
        QFETCH(QStringList, toolBar);
        QFETCH(QStringList, menus);
        QFETCH(QStringList, popup);
        addPeople();
        openWindow();
        if (!command.isEmpty())
            trigger(command);
        const test::UsableEntries usable =
            test::usableEntries(window.get(), window->toolBar(), window->popupMenu());
        QCOMPARE(usable.toolBar, toolBar);
        QCOMPARE(usable.menus, menus);
        QCOMPARE(usable.popup, popup);
        expectLocked(!command.isEmpty());
        if (!command.isEmpty())
            window->cancelButton()->click();
    }

    void aMissingColumnShowsOneBoxWhenTheBookOpens() {
        catalogue->exec(u"adress.DB"_s, u"DROP INDEX EMobil"_s);
        catalogue->exec(u"adress.DB"_s, u"ALTER TABLE Adress DROP COLUMN Mobil"_s);
        addPeopleWithoutMobiles();
        dialogs.answer(Answer::Ok);
        openWindow();
        QCOMPARE(dialogs.boxes().size(), 1);
        QCOMPARE(dialogs.lastBox().kind, BoxKind::ErrorBox);
        QVERIFY(dialogs.lastBox().text.contains(u"Mobil"_s));
        QCOMPARE(currentLastName(), u"andersson"_s);
        QCOMPARE(line(u"Mobil"_s)->text(), QString());
    }

    // --- the lend-out dialog's hand-off ----------------------------------------------------

    void aBorrowerAlreadyFiledIsRefusedAndNothingOpens() {
        addPeople();
        window->enterLendOutMode();
        QVERIFY(window->inLendOutMode());
        dialogs.answer(Answer::Ok);
        window->addBorrower(u"Eva"_s, u"Lind"_s, u"08-1"_s, u"eva@ex.se"_s);
        dialogs.expectBox(0, BoxKind::Info, u"No copies"_s,
                          u"A record already exist with name  [Eva Lind]. This record will not be "
                          u"added to the addressbook"_s);
        QVERIFY(!window->isVisible());
        QVERIFY(!window->inLendOutMode());
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        QVERIFY(!adress().isOpen());
        QCOMPARE(storedCount(), u"4"_s);
        QVERIFY(!run.dataChanged);
    }

    void theSameNamesInOtherCaseAreFiledAsNewAndOkClosesTheBook() {
        addPeople();
        window->enterLendOutMode();
        window->addBorrower(u"eva"_s, u"LIND"_s, u"08-99"_s, u"eva@ex.se"_s);
        QVERIFY(window->isVisible());
        QCOMPARE(window->mode(), RegisterMode::Adding);
        expectLocked(true);
        QCOMPARE(line(u"Fornamn"_s)->text(), u"eva"_s);
        QCOMPARE(line(u"Efternamn"_s)->text(), u"LIND"_s);
        QCOMPARE(line(u"Telefon"_s)->text(), u"08-99"_s);
        QCOMPARE(line(u"E-postadress"_s)->text(), u"eva@ex.se"_s);
        QCOMPARE(count(), 4);
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(QApplication::focusWidget(), line(u"Fornamn"_s));
        type(u"Gatuadress"_s, u"Bygatan 9"_s);
        window->okButton()->click();
        QVERIFY(!window->isVisible());
        QVERIFY(!window->inLendOutMode());
        // The register window below stays; the main window is not shown.
        QCOMPARE(shell.mainWindowShown, 0);
        QVERIFY(run.dataChanged);
        QCOMPARE(stored(u"SELECT Gatuadress || '|' || Telefon FROM Adress WHERE Efternamn = "
                        "'LIND'"_s),
                 u"Bygatan 9|08-99"_s);
        QCOMPARE(storedCount(), u"5"_s);

        // The next opening from the main window is an ordinary one.
        openWindow();
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        QCOMPARE(count(), 5);
        window->close();
        QCOMPARE(shell.mainWindowShown, 1);
    }

    void aPrefilledBorrowerStillPassesTheChecks() {
        window->enterLendOutMode();
        window->addBorrower(u"Eva"_s, QString(), {}, {});
        dialogs.answer(Answer::Ok);
        window->okButton()->click();
        dialogs.expectBox(0, BoxKind::Info, u"Last name field empty"_s,
                          u"Last name is required. "_s);
        QVERIFY(window->isVisible());
        QVERIFY(window->inLendOutMode());
        type(u"Efternamn"_s, u"Lind"_s);
        window->okButton()->click();
        QVERIFY(!window->isVisible());
        QCOMPARE(storedCount(), u"1"_s);
    }

    void cancellingAPrefilledBorrowerClosesTheBookUnchanged() {
        addPeople();
        window->enterLendOutMode();
        window->addBorrower(u"Karin"_s, u"Holm"_s, {}, {});
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(line(u"Fornamn"_s), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QVERIFY(!window->inLendOutMode());
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        QCOMPARE(shell.mainWindowShown, 0);
        QCOMPARE(storedCount(), u"4"_s);
        QVERIFY(!adress().isOpen());
    }

    void theLendOutDialogHandsTheBorrowerOver() {
        LendingWindows lending(*context);
        lending.setAddressBook(window.get());
        lending.setToday([] { return QDate(2024, 3, 9); });
        TBorrowFillinForm& fillin = lending.fillinForm();
        run.lendObjectType = LendObjectType::Film;
        fillin.setObjectLabel(u"Alien"_s);
        fillin.show();
        fillin.findChild<QLineEdit*>(u"FirstNameEd"_s)->setText(u"Anna"_s);
        fillin.findChild<QLineEdit*>(u"LastNameEd"_s)->setText(u"Berg"_s);
        fillin.findChild<QLineEdit*>(u"PhoneEd"_s)->setText(u"08-123"_s);
        fillin.findChild<QLineEdit*>(u"EmailEd"_s)->setText(u"ANNA@Example.SE"_s);
        fillin.findChild<QCheckBox*>(u"AddressBox"_s)->setChecked(true);
        dialogs.answer(Answer::Ok); // "The object are now marked as out of loan"
        fillin.findChild<QPushButton*>(u"OkKnp"_s)->click();
        QVERIFY(!fillin.isVisible());
        QVERIFY(window->isVisible());
        QVERIFY(window->inLendOutMode());
        QCOMPARE(line(u"E-postadress"_s)->text(), u"anna@example.se"_s);
        QCOMPARE(line(u"Telefon"_s)->text(), u"08-123"_s);
        window->okButton()->click();
        QVERIFY(!window->isVisible());
        QCOMPARE(stored(u"SELECT Fornamn || ' ' || Efternamn FROM Adress"_s), u"Anna Berg"_s);

        // The same borrower a second time is refused by the book.
        fillin.setObjectLabel(u"Brazil"_s);
        fillin.show();
        dialogs.answer(Answer::Ok);
        dialogs.answer(Answer::Ok);
        fillin.findChild<QPushButton*>(u"OkKnp"_s)->click();
        QCOMPARE(dialogs.lastBox().caption, u"No copies"_s);
        QVERIFY(!window->isVisible());
        QCOMPARE(storedCount(), u"1"_s);
        lending.setAddressBook(nullptr);
    }
};

QTEST_MAIN(TestAdressForm)
#include "test_adress_form.moc"
