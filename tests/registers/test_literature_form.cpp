#include "FakeShell.h"
#include "LiteratureData.h"
#include "RegisterWindowFixture.h"
#include "ScriptedDialogs.h"
#include "TempCatalogue.h"
#include "WidgetHelpers.h"
#include "data/Dates.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "lending/LendingInterfaces.h"
#include "registers/LiteratureForm.h"
#include "registers/SearchPage.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableView>
#include <QToolBar>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

using Page = RegisterWindow::Page;

namespace {

const QDate kToday(2024, 3, 5);
const QByteArray kSeparator(40, '*');

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The opening lines of a list written on the test's day.
QByteArray opening() {
    return "Current literature " + dateToText(kToday).toUtf8() +
           "\r\nEvery book separated with a '*'\r\n\r\n\r\n" + kSeparator + "\r\n";
}

QByteArray bookLines(int number, const QByteArray& title, const QByteArray& author,
                     const QByteArray& category) {
    return QByteArray::number(number) + "\r\n\r\n" + title + "\r\n" + author + "\r\n" + category +
           "\r\n" + kSeparator + "\r\n";
}

} // namespace

class TestLiteratureForm : public QObject, test::RegisterWindowFixture<TBokForm> {
    Q_OBJECT

    Table& books() { return tdm->bokTb(); }
    QString currentTitle() { return books().asText(u"Titel"_s); }
    QString stored(const QString& sql) { return catalogue->scalar(u"bok.DB"_s, sql); }
    // The remembered values of a pick-list column, in the order they were remembered.
    QString remembered(const QString& column) {
        return catalogue->scalar(
            u"Standard.db"_s,
            u"SELECT group_concat(%1, '|') FROM (SELECT %1 FROM Standard WHERE coalesce(%1, '') "
            "<> '' ORDER BY Sid)"_s.arg(column));
    }
    QString target() const { return QDir(catalogue->path()).filePath(u"Literature.html"_s); }

    TBokForm* openWindow() {
        return RegisterWindowFixture::openWindow(
            [](TBokForm& form) { form.setToday([] { return kToday; }); });
    }
    void reopenWindow() {
        window->close();
        QTRY_VERIFY(window.isNull());
        openWindow();
    }
    void writeListFromThePopUp() { popupEntry(u"Send to file (HTML)"_s)->trigger(); }
    QLabel* findResult() { return test::child<QLabel>(*window, u"findResult"_s); }

    // The lock covers the pop-up's list entry too and leaves the options menu usable.
    void expectLocked(bool locked) {
        RegisterWindowFixture::expectLocked(locked);
        QCOMPARE(popupEntry(u"Send to file (HTML)"_s)->isEnabled(), !locked);
        QVERIFY(window->commands().menu(u"options"_s)->menuAction()->isEnabled());
    }

    // Three books; the second has no author, and their titles' order is not their numbers'.
    void addThreeBooks() {
        catalogue->exec(u"bok.DB"_s, u"INSERT INTO Bok (\"Index\", Titel, Author, Category) VALUES "
                                     "(1, 'Röda rummet', 'August Strindberg', 'Novel'), "
                                     "(2, 'Anonymous Verses', '', 'Poetry'), "
                                     "(3, 'Dune', 'Frank Herbert', '')"_s);
    }

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void openingShowsTheBooksByIndexOnTheBookPage() {
        test::addBooks(*catalogue);
        QVERIFY(!books().isOpen());
        openWindow();
        QVERIFY(books().isOpen());
        QCOMPARE(window->page(), Page::Browse);
        QCOMPARE(books().indexName(), u"Index_Sec"_s);
        QVERIFY(command(u"sortIndex"_s)->isChecked());
        QVERIFY(!command(u"sortTitle"_s)->isChecked());
        QCOMPARE(currentTitle(), u"Dune"_s);
        QCOMPARE(window->heading()->text(), u"Dune"_s);
        const QAbstractItemModel* list = window->list()->model();
        QCOMPARE(list->columnCount(), 2);
        QCOMPARE(list->headerData(0, Qt::Horizontal).toString(), u"Index"_s);
        QCOMPARE(list->headerData(1, Qt::Horizontal).toString(), u"Titel"_s);
        QCOMPARE(list->index(2, 1).data().toString(), u"Röda rummet"_s);
        QCOMPARE(window->findGroup()->title(), u"Find"_s);
        QStringList options;
        for (int i = 0; window->findOption(i); ++i)
            options << window->findOption(i)->text();
        QCOMPARE(options, (QStringList{u"Title"_s, u"Author"_s, u"ISBN"_s}));
        QVERIFY(window->findOption(0)->isChecked());
        QCOMPARE(window->findBox()->field(), u"Titel"_s);
        QVERIFY(!findResult()->isVisible());
        QVERIFY(!window->commands().entry(cmd::back, Place::ToolBar)->isEnabled());
        expectLocked(false);
        const auto* pages = window->findChild<QStackedWidget*>(u"pages"_s);
        QStringList names;
        for (int i = 0; i < pages->count(); ++i)
            names << pages->widget(i)->objectName();
        QCOMPARE(names, (QStringList{u"Bok"_s, u"Ny bok"_s, u"SeekPage"_s, u"Masterlist"_s}));
    }

    void theHeadingStartsAsLiteratureOnAnEmptyTable() {
        openWindow();
        QCOMPARE(window->heading()->text(), u"Literature"_s);
    }

    void thePanelShowsTheCurrentBook() {
        test::addBooks(*catalogue);
        openWindow();
        QStringList shown;
        for (QLabel* label : window->findChildren<QLabel*>())
            shown << label->text();
        for (const QString& text :
             {u"Frank Herbert"_s, u"Chilton"_s, u"Sci-Fi"_s, u"Paperback"_s, u"1965"_s,
              u"0-441-17271-7"_s, u"Cult"_s, u"Eva Ek"_s, u"Author"_s, u"Publisher"_s,
              u"Category"_s, u"Format"_s, u"Published Year"_s, u"ISBN"_s, u"Rated"_s, u"Lent to"_s})
            QVERIFY2(shown.contains(text), qPrintable(text));
        window->navigator()->press(NavButton::Next);
        window->navigator()->press(NavButton::Next);
        QCOMPARE(window->heading()->text(), u"Röda rummet"_s);
        auto* comments =
            window->findChild<QWidget*>(u"recordPanel"_s)->findChild<QPlainTextEdit*>();
        QCOMPARE(comments->toPlainText(), u"Stockholm"_s);
        QVERIFY(comments->isReadOnly());
    }

    void theMenusToolBarAndPopUpReadAsTheRegisterSays() {
        openWindow();
        QStringList menus;
        for (QAction* action : window->menuBar()->actions())
            menus << action->text();
        QCOMPARE(menus, (QStringList{u"&File"_s, u"&Options"_s, u"&Database"_s, u"&Help"_s}));
        const auto entries = [&](const QString& id) {
            QStringList result;
            for (QAction* action : window->commands().menu(id)->actions()) {
                if (!action->isSeparator())
                    result << action->text() + u'|' + action->shortcut().toString();
            }
            return result;
        };
        QCOMPARE(entries(u"file"_s),
                 (QStringList{u"Print preview|Ctrl+F"_s, u"Sent to file (HTML)|Ctrl+I"_s,
                              u"Print|Ctrl+P"_s, u"Back to mainmenu|Ctrl+S"_s}));
        QCOMPARE(entries(u"options"_s),
                 (QStringList{u"Hide index|"_s, u"Hide headline|"_s, u"Sort by index|"_s,
                              u"Sort by title|"_s, u"Turn music off|"_s}));
        QCOMPARE(entries(u"database"_s),
                 (QStringList{u"Add record|Ins"_s, u"Edit record|Shift+Ins"_s,
                              u"Delete record|Shift+Del"_s, u"Lent out a book|Ctrl+U"_s,
                              u"List/find by conditions|Ctrl+L"_s, u"Masterlist|Ctrl+M"_s}));
        QCOMPARE(entries(u"help"_s), (QStringList{u"Help|Ctrl+F1"_s, u"About|"_s}));
        QStringList hints;
        for (QAction* action : window->toolBar()->actions()) {
            if (!action->isSeparator())
                hints << action->toolTip();
        }
        QCOMPARE(hints,
                 (QStringList{u"Back to main"_s, u"Print preview"_s, u"Print"_s, u"Add record"_s,
                              u"Edit record"_s, u"Del record"_s, u"Lending"_s,
                              u"Find by conditions"_s, u"Masterlist"_s, u"Back"_s}));
        QCOMPARE(texts(window->popupMenu()->actions()),
                 (QStringList{u"Add record"_s, u"Edit record"_s, u"Del record"_s, u"Lent out"_s,
                              u"Find by conditions"_s, u"Masterlist"_s, u"|"_s, u"Print preview"_s,
                              u"Send to file (HTML)"_s, u"Print"_s, u"|"_s, u"Mainmenu"_s}));
    }

    void addingToAnEmptyTableProposesOneAndOkStoresTheBook() {
        openWindow();
        trigger(cmd::add);
        QCOMPARE(window->page(), Page::Edit);
        QCOMPARE(window->mode(), RegisterMode::Adding);
        QCOMPARE(books().state(), TableState::Insert);
        QCOMPARE(window->indexSpin()->value(), 1);
        QCOMPARE(QApplication::focusWidget(), line(u"Titel"_s));
        expectLocked(true);
        QTest::keyClicks(line(u"Titel"_s), u"Pippi Långstrump"_s);
        pick(u"Author"_s)->setEditText(u"Astrid Lindgren"_s);
        pick(u"Publisher"_s)->setEditText(u"Rabén & Sjögren"_s);
        QTest::keyClicks(line(u"Publication_Year"_s), u"1945"_s);
        QTest::keyClicks(line(u"Serie"_s), u"Pippi"_s);
        pick(u"Format"_s)->setCurrentIndex(0);
        QTest::keyClicks(line(u"ISBN"_s), u"91-29-00000-1"_s);
        pick(u"Category"_s)->setCurrentIndex(18);
        pick(u"Kritik"_s)->setCurrentIndex(1);
        QTest::keyClicks(window->editControl(u"Comments"_s), u"Villa Villekulla"_s);
        window->okButton()->click();
        QCOMPARE(window->page(), Page::Browse);
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        QVERIFY(run.dataChanged);
        expectLocked(false);
        QCOMPARE(stored(u"SELECT \"Index\" || ';' || Titel || ';' || Author || ';' || Publisher "
                        "|| ';' || Publication_Year || ';' || Serie || ';' || Format || ';' || "
                        "ISBN || ';' || Category || ';' || Kritik || ';' || Comments FROM Bok"_s),
                 u"1;Pippi Långstrump;Astrid Lindgren;Rabén & Sjögren;1945;Pippi;Bounded;"
                 "91-29-00000-1;Other;Cult;Villa Villekulla"_s);
        QCOMPARE(remembered(u"Author"_s), u"Astrid Lindgren"_s);
        QCOMPARE(remembered(u"Publisher"_s), u"Rabén & Sjögren"_s);
        // The author and the publisher are remembered in rows of their own, author first.
        QCOMPARE(catalogue->scalar(u"Standard.db"_s,
                                   u"SELECT group_concat(coalesce(Author, '-') || '/' || "
                                   "coalesce(Publisher, '-'), '|') FROM (SELECT * FROM Standard "
                                   "WHERE Author <> '' OR Publisher <> '' ORDER BY Sid)"_s),
                 u"Astrid Lindgren/-|-/Rabén & Sjögren"_s);
        QCOMPARE(window->heading()->text(), u"Pippi Långstrump"_s);
    }

    void addingProposesTheNumberAfterTheLastBookInTheCurrentOrder() {
        test::addBooks(*catalogue);
        openWindow();
        trigger(cmd::add);
        QCOMPARE(window->indexSpin()->value(), 7); // Hemsöborna, 6, is last by index
        window->cancelButton()->click();
        trigger(u"sortTitle"_s);
        QCOMPARE(currentTitle(), u"Anonymous Verses"_s);
        trigger(cmd::add);
        QCOMPARE(window->indexSpin()->value(), 4); // Röda rummet, 3, is last by title
        QTest::keyClicks(line(u"Titel"_s), u"Utvandrarna"_s);
        window->okButton()->click();
        QCOMPARE(stored(u"SELECT group_concat(Titel, '|') FROM Bok WHERE \"Index\" = 4"_s),
                 u"Anonymous Verses|Utvandrarna"_s);
    }

    void okWithoutATitleKeepsThePendingRecordAndCancelDropsIt() {
        test::addBooks(*catalogue);
        openWindow();
        trigger(cmd::add);
        pick(u"Author"_s)->setEditText(u"Nobody"_s);
        dialogs.answer(Answer::Ok);
        window->okButton()->click();
        dialogs.expectBox(0, BoxKind::Info, u"Title/name missing"_s,
                          u"Title or name is required"_s);
        QCOMPARE(window->page(), Page::Edit);
        QCOMPARE(window->mode(), RegisterMode::Adding);
        QCOMPARE(books().state(), TableState::Insert);
        QCOMPARE(QApplication::focusWidget(), line(u"Titel"_s));
        QVERIFY(!run.dataChanged);
        window->cancelButton()->click();
        QCOMPARE(window->page(), Page::Browse);
        QCOMPARE(stored(u"SELECT count(*) FROM Bok"_s), u"6"_s);
        QCOMPARE(remembered(u"Author"_s),
                 u"Frank Herbert|August Strindberg|Flann O'Brien|august strindberg"_s);
        expectLocked(false);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void editingChangesTheCurrentBookAndCancelLeavesItAlone() {
        test::addBooks(*catalogue);
        openWindow();
        window->navigator()->press(NavButton::Next); // Children of Dune
        trigger(cmd::edit);
        QCOMPARE(window->mode(), RegisterMode::Editing);
        QCOMPARE(window->indexSpin()->value(), 2);
        QCOMPARE(line(u"Titel"_s)->text(), u"Children of Dune"_s);
        QCOMPARE(pick(u"Author"_s)->currentText(), u"Frank Herbert"_s);
        QCOMPARE(pick(u"Publisher"_s)->currentText(), u"Putnam"_s);
        window->indexSpin()->setValue(12);
        pick(u"Kritik"_s)->setEditText(u"Masterpiece"_s);
        window->okButton()->click();
        QCOMPARE(stored(u"SELECT \"Index\" || ';' || Kritik FROM Bok WHERE Titel = 'Children of "
                        "Dune'"_s),
                 u"12;Masterpiece"_s);
        QVERIFY(run.dataChanged);

        run.dataChanged = false;
        trigger(cmd::edit);
        line(u"Titel"_s)->selectAll();
        QTest::keyClicks(line(u"Titel"_s), u"Changed"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        QCOMPARE(stored(u"SELECT count(*) FROM Bok WHERE Titel = 'Changed'"_s), u"0"_s);
        QVERIFY(!run.dataChanged);
    }

    // The author and publisher lists show what was remembered, in that order; a new value
    // is offered at the next entry, an empty box or a known value remembers nothing.
    void authorsAndPublishersAreOfferedInTheOrderRemembered() {
        test::addBooks(*catalogue);
        tdm->standardTb().refresh();
        openWindow();
        trigger(cmd::add);
        QCOMPARE(test::comboItems(pick(u"Author"_s)),
                 (QStringList{u"Frank Herbert"_s, u"August Strindberg"_s, u"Flann O'Brien"_s,
                              u"august strindberg"_s}));
        QCOMPARE(test::comboItems(pick(u"Publisher"_s)),
                 (QStringList{u"Penguin"_s, u"Bonniers"_s, u"Chilton"_s, u"Putnam"_s}));
        QCOMPARE(pick(u"Author"_s)->currentText(), QString());
        QTest::keyClicks(line(u"Titel"_s), u"Mio, min Mio"_s);
        pick(u"Author"_s)->setEditText(u"Astrid Lindgren"_s);
        window->okButton()->click();

        QVERIFY(books().locate(u"Titel"_s, {u"Dune"_s}));
        trigger(cmd::edit);
        QCOMPARE(test::comboItems(pick(u"Author"_s)).last(), u"Astrid Lindgren"_s);
        QCOMPARE(test::comboItems(pick(u"Publisher"_s)).size(), 4); // an empty box added none
        pick(u"Author"_s)->setEditText(u"FRANK HERBERT"_s);         // differs in letter case only
        pick(u"Publisher"_s)->setEditText(u"Penguin"_s);            // known already
        window->okButton()->click();
        QCOMPARE(remembered(u"Author"_s), u"Frank Herbert|August Strindberg|Flann O'Brien|august "
                                          "strindberg|Astrid Lindgren|FRANK HERBERT"_s);
        QCOMPARE(remembered(u"Publisher"_s), u"Penguin|Bonniers|Chilton|Putnam"_s);
        trigger(cmd::add);
        QCOMPARE(test::comboItems(pick(u"Author"_s)).size(), 6);
        window->cancelButton()->click();
        QCOMPARE(pick(u"Author"_s)->count(), 0); // emptied when the entry ends
    }

    void theEditPageListsLimitsAndOrdersItsControls() {
        openWindow();
        trigger(cmd::add);
        QCOMPARE(test::comboItems(pick(u"Category"_s)),
                 (QStringList{u"Thriller"_s, u"Drama"_s, u"Western"_s, u"Sci-Fi"_s, u"Roman"_s,
                              u"Romantik"_s, u"Komedi"_s, u"Thriller"_s, u"Detective story"_s,
                              u"Novel"_s, u"Horror"_s, u"Sci-Fi"_s, u"Nonfiction"_s,
                              u"Work of reference"_s, u"Fairy tale"_s, u"Epos"_s, u"Poetry"_s,
                              u"Script"_s, u"Other"_s}));
        QCOMPARE(test::comboItems(pick(u"Format"_s)),
                 (QStringList{u"Bounded"_s, u"Paperback"_s, u"Compendium"_s, u"Folder"_s,
                              u"Report"_s, u"Composition"_s, u"File"_s}));
        QCOMPARE(test::comboItems(pick(u"Kritik"_s)),
                 (QStringList{u"Masterpiece"_s, u"Cult"_s, u"Excellent"_s, u"Very good"_s,
                              u"Good"_s, u"Ok"_s, u"Bad"_s, u"Garbage"_s}));
        for (const QString& field :
             {u"Author"_s, u"Publisher"_s, u"Format"_s, u"Category"_s, u"Kritik"_s})
            QVERIFY2(pick(field)->isEditable(), qPrintable(field)); // free text allowed
        QStringList labels;
        for (const QString& field :
             {u"Titel"_s, u"Author"_s, u"Publisher"_s, u"Publication_Year"_s, u"Serie"_s,
              u"Format"_s, u"ISBN"_s, u"Category"_s, u"Kritik"_s, u"Index"_s, u"Comments"_s})
            labels << window->boxLabel(field)->text();
        QCOMPARE(labels, (QStringList{u"Title*"_s, u"Author"_s, u"Publisher"_s, u"Publish Year"_s,
                                      u"Serie"_s, u"Format"_s, u"ISBN"_s, u"Category"_s, u"Rate"_s,
                                      u"Index*"_s, u"Comments"_s}));
        QCOMPARE(window->indexSpin()->minimum(), 1);
        QCOMPARE(window->indexSpin()->maximum(), 60000);
        QCOMPARE(window->okButton()->text(), u"&OK"_s);
        QCOMPARE(window->cancelButton()->text(), u"&Cancel"_s);
        QCOMPARE(window->tipButton()->text(), u"&Tip"_s);

        // The year takes digits only; the memo keeps 240 characters.
        dialogs.answer(Answer::Ok);
        QTest::keyClicks(line(u"Publication_Year"_s), u"19x"_s);
        dialogs.expectBox(0, BoxKind::Plain, u"Hoardly"_s, u"Only digits allowed in this field"_s);
        QCOMPARE(line(u"Publication_Year"_s)->text(), u"19"_s);
        auto* comments = qobject_cast<QPlainTextEdit*>(window->editControl(u"Comments"_s));
        comments->setPlainText(QString(300, u'c'));
        QCOMPARE(comments->toPlainText().size(), 240);

        // ENTER moves through the controls in the order of the page, then to OK.
        line(u"Titel"_s)->setFocus();
        const QStringList order{u"Titel"_s,  u"Author"_s, u"Publisher"_s, u"Publication_Year"_s,
                                u"Serie"_s,  u"Format"_s, u"ISBN"_s,      u"Category"_s,
                                u"Kritik"_s, u"Index"_s,  u"Comments"_s};
        for (const QString& field : order) {
            QWidget* control = window->editControl(field);
            QVERIFY2(control == QApplication::focusWidget() ||
                         control->isAncestorOf(QApplication::focusWidget()),
                     qPrintable(field));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QCOMPARE(QApplication::focusWidget(), window->okButton());
        QCOMPARE(comments->toPlainText().size(), 240); // ENTER made no new line
        window->cancelButton()->click();
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void emptyTableCommandsAnswerWithTheirBoxes() {
        openWindow();
        dialogs.answer(Answer::Ok);
        trigger(cmd::edit);
        dialogs.expectBox(0, BoxKind::Info, u"Empty"_s,
                          u"There is no record to edit. Empty database."_s);
        dialogs.answer(Answer::Ok);
        trigger(cmd::remove);
        dialogs.expectBox(1, BoxKind::Info, u"Empty, just like that."_s,
                          u"Sorry, you can't delete from a empty database."_s);
        dialogs.answer(Answer::Ok);
        writeListFromThePopUp();
        dialogs.expectBox(2, BoxKind::Info, u"Empty"_s, u"Not such a command. Empty database"_s);
        QVERIFY(dialogs.fileRequests().isEmpty());
        QVERIFY(!QFile::exists(target()));
        QCOMPARE(dialogs.boxes().size(), 3);
        QCOMPARE(window->page(), Page::Browse);
        expectLocked(false);
        QVERIFY(!run.dataChanged);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void lendingLendsTheBookAsObjectTypeThree() {
        test::addBooks(*catalogue);
        openWindow();
        trigger(cmd::lending);
        QCOMPARE(lending.types, QList{LendObjectType::Literatur});
        QCOMPARE(int(lending.types.first()), 3);
        popupEntry(u"Lent out"_s)->trigger();
        QCOMPARE(lending.types.size(), 2);
    }

    void deletingAsksAndALentTitleAsksAboutItsLoan() {
        test::addBooks(*catalogue);
        catalogue->exec(u"borrow.db"_s,
                        u"INSERT INTO Borrow (Objektyp, Objekt, \"Utlanad till\") VALUES "
                        "('Literatur', 'Dune', 'Eva Ek'), ('Film', 'Röda rummet', 'Anna Berg')"_s);
        openWindow();
        QCOMPARE(currentTitle(), u"Dune"_s);
        dialogs.answer(Answer::No);
        trigger(cmd::remove);
        dialogs.expectBox(0, BoxKind::Question, u"Delete a  record"_s,
                          u"Record with name [ Dune ]  will be lost. Are you sure?"_s,
                          BoxIcon::Exclamation);
        QCOMPARE(stored(u"SELECT count(*) FROM Bok"_s), u"6"_s);
        QVERIFY(!run.dataChanged);

        // No to the second question keeps the lending record.
        dialogs.answer(Answer::Yes);
        dialogs.answer(Answer::No);
        trigger(cmd::remove);
        dialogs.expectBox(2, BoxKind::Question, u"Mark it as returned?"_s,
                          u"The Object [Dune] is recorded as lent out. Do you want it to be marked "
                          "as return from your lent-out database? "_s,
                          BoxIcon::Question);
        QVERIFY(run.dataChanged);
        QCOMPARE(stored(u"SELECT count(*) FROM Bok WHERE Titel = 'Dune'"_s), u"0"_s);
        QCOMPARE(catalogue->scalar(u"borrow.db"_s, u"SELECT count(*) FROM Borrow"_s), u"2"_s);

        // Yes drops it; the lookup compares titles only, so a film's loan counts too.
        QVERIFY(books().locate(u"Titel"_s, {u"Röda rummet"_s}));
        dialogs.answer(Answer::Yes);
        dialogs.answer(Answer::Yes);
        trigger(cmd::remove);
        QCOMPARE(dialogs.boxes().size(), 5);
        QCOMPARE(catalogue->scalar(u"borrow.db"_s, u"SELECT group_concat(Objekt) FROM Borrow"_s),
                 u"Dune"_s);
        // A book nobody borrowed asks once.
        dialogs.answer(Answer::Yes);
        trigger(cmd::remove);
        QCOMPARE(dialogs.boxes().size(), 6);
        QCOMPARE(stored(u"SELECT count(*) FROM Bok"_s), u"3"_s);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theFindBoxFindsByTitleAuthorOrIsbn() {
        test::addBooks(*catalogue);
        openWindow();
        FindBox* box = window->findBox();
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, u"hem"_s);
        QCOMPARE(currentTitle(), u"Hemsöborna"_s);
        QCOMPARE(findResult()->text(), u"Found!"_s);
        QVERIFY(findResult()->isVisible());
        QCOMPARE(window->heading()->text(), u"Hemsöborna"_s);
        QTest::keyClicks(box, u"x"_s);
        QCOMPARE(findResult()->text(), u"Where is it?"_s);
        QCOMPARE(currentTitle(), u"Hemsöborna"_s);

        // The first book in the current order whose ISBN starts with the digits typed.
        window->findOption(2)->click();
        QCOMPARE(window->findBox()->field(), u"ISBN"_s);
        QCOMPARE(QApplication::focusWidget(), box);
        box->clear();
        QVERIFY(!findResult()->isVisible());
        QTest::keyClicks(box, u"91-"_s);
        QCOMPARE(currentTitle(), u"Röda rummet"_s);
        QCOMPARE(window->heading()->text(), u"Röda rummet"_s);
        QCOMPARE(findResult()->text(), u"Found!"_s);
        trigger(u"sortTitle"_s);
        box->clear();
        QTest::keyClicks(box, u"91-"_s);
        QCOMPARE(currentTitle(), u"Hemsöborna"_s); // first by title now
        box->clear();
        QTest::keyClicks(box, u"978"_s);
        QCOMPARE(findResult()->text(), u"Where is it?"_s);

        // The author, in any letter case; the box takes any length.
        window->findOption(1)->click();
        box->clear();
        QTest::keyClicks(box, u"FLANN"_s);
        QCOMPARE(currentTitle(), u"At Swim-Two-Birds"_s);
        QCOMPARE(window->heading()->text(), u"At Swim-Two-Birds"_s);
        QCOMPARE(box->maxLength(), FindBox::kNoLimit);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    // The heading shows the current book whichever field the find box shows: two books by one
    // author leave the box's text as it was, the heading still follows.
    void theHeadingFollowsTheCurrentBook() {
        test::addBooks(*catalogue);
        openWindow();
        window->findOption(1)->click(); // Author: Dune and Children of Dune share one
        window->navigator()->press(NavButton::Next);
        QCOMPARE(currentTitle(), u"Children of Dune"_s);
        QCOMPARE(window->heading()->text(), u"Children of Dune"_s);
        window->list()->setFocus();
        QTest::keyClick(window->list(), Qt::Key_Up);
        QCOMPARE(currentTitle(), u"Dune"_s);
        QCOMPARE(window->heading()->text(), u"Dune"_s);
    }

    void sortingTicksTheOrderInUseAndASecondWindowKeepsIt() {
        test::addBooks(*catalogue);
        openWindow();
        window->navigator()->press(NavButton::Last);
        trigger(u"sortTitle"_s);
        QVERIFY(command(u"sortTitle"_s)->isChecked());
        QVERIFY(!command(u"sortIndex"_s)->isChecked());
        QCOMPARE(books().indexName(), u"Titel_Sec"_s);
        QCOMPARE(currentTitle(), u"Anonymous Verses"_s);
        QCOMPARE(window->list()->model()->index(5, 1).data().toString(), u"Röda rummet"_s);
        reopenWindow();
        QVERIFY(command(u"sortTitle"_s)->isChecked());
        QVERIFY(!command(u"sortIndex"_s)->isChecked());
        QCOMPARE(currentTitle(), u"Anonymous Verses"_s);
        trigger(u"sortIndex"_s);
        QCOMPARE(currentTitle(), u"Dune"_s);
        QVERIFY(command(u"sortIndex"_s)->isChecked());
        QVERIFY(!command(u"sortTitle"_s)->isChecked());
        reopenWindow();
        QCOMPARE(books().indexName(), u"Index_Sec"_s);
        QVERIFY(command(u"sortIndex"_s)->isChecked());
    }

    void hideIndexAndHideHeadlineToggle() {
        test::addBooks(*catalogue);
        openWindow();
        trigger(u"hideIndex"_s);
        QVERIFY(command(u"hideIndex"_s)->isChecked());
        QVERIFY(window->list()->isColumnHidden(0));
        trigger(u"hideIndex"_s);
        QVERIFY(!window->list()->isColumnHidden(0));
        trigger(u"hideHeadline"_s);
        QVERIFY(command(u"hideHeadline"_s)->isChecked());
        QVERIFY(!window->heading()->isVisible());
        trigger(u"hideHeadline"_s);
        QVERIFY(window->heading()->isVisible());
    }

    // Three books, the second without an author: the list byte for byte, numbered 1 to 3.
    void theCurrentLiteratureListIsWrittenByteForByte() {
        addThreeBooks();
        openWindow();
        window->navigator()->press(NavButton::Last);
        dialogs.answerFile(target());
        dialogs.answer(Answer::Ok);
        writeListFromThePopUp();
        QCOMPARE(dialogs.fileRequests().size(), 1);
        const FileRequest& request = dialogs.fileRequests().first();
        QCOMPARE(request.kind, FileRequestKind::Save);
        QCOMPARE(request.fileName, u"Literature.html"_s);
        QCOMPARE(request.filter, u"HTML (*.html)"_s);
        QCOMPARE(request.defaultSuffix, u"html"_s);
        dialogs.expectLastBox(BoxKind::Plain, u"Hoardly"_s, u"Finished"_s);
        QCOMPARE(readBytes(target()), opening() +
                                          bookLines(1,
                                                    "R\xc3\xb6"
                                                    "da rummet",
                                                    "August Strindberg", "Novel") +
                                          bookLines(2, "Anonymous Verses", "", "Poetry") +
                                          bookLines(3, "Dune", "Frank Herbert", ""));
        // Afterwards the first book is current and the list can be used again.
        QCOMPARE(currentTitle(), u"Röda rummet"_s);
        QVERIFY(window->list()->isEnabled());
        QVERIFY(!run.dataChanged);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theListFollowsTheTitleOrderAndReplacesAnEarlierFile() {
        addThreeBooks();
        {
            QFile earlier(target());
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write(QByteArray(5000, 'x'));
        }
        openWindow();
        trigger(u"sortTitle"_s);
        window->navigator()->press(NavButton::Next);
        dialogs.answerFile(target());
        dialogs.answer(Answer::Ok);
        writeListFromThePopUp();
        QCOMPARE(readBytes(target()), opening() + bookLines(1, "Anonymous Verses", "", "Poetry") +
                                          bookLines(2, "Dune", "Frank Herbert", "") +
                                          bookLines(3,
                                                    "R\xc3\xb6"
                                                    "da rummet",
                                                    "August Strindberg", "Novel"));
        QCOMPARE(currentTitle(), u"Anonymous Verses"_s);
        QCOMPARE(window->list()->currentIndex().row(), 0);
        QVERIFY(window->list()->isEnabled());
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void aCancelledOrFailedListWritesNothing() {
        addThreeBooks();
        openWindow();
        window->navigator()->press(NavButton::Last);
        dialogs.answerFile(QString()); // the user cancels the save dialog
        writeListFromThePopUp();
        QVERIFY(dialogs.boxes().isEmpty());
        QVERIFY(!QFile::exists(target()));
        QCOMPARE(currentTitle(), u"Dune"_s);

        // A folder that is not there: the error names the file, no "Finished", nothing moves.
        const QString missing = QDir(catalogue->path()).filePath(u"gone/Literature.html"_s);
        dialogs.answerFile(missing);
        dialogs.answer(Answer::Ok);
        writeListFromThePopUp();
        QCOMPARE(dialogs.boxes().size(), 1);
        QCOMPARE(dialogs.lastBox().kind, BoxKind::ErrorBox);
        QVERIFY2(dialogs.lastBox().text.contains(QDir::toNativeSeparators(missing)),
                 qPrintable(dialogs.lastBox().text));
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(currentTitle(), u"Dune"_s);
        QVERIFY(window->list()->isEnabled());
        expectLocked(false);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void findByConditionsShowsTheLiteratureSearchPage() {
        test::addBooks(*catalogue);
        tdm->standardTb().refresh();
        openWindow();
        trigger(cmd::findByConditions);
        QCOMPARE(window->page(), Page::Search);
        QCOMPARE(window->mode(), RegisterMode::Searching);
        QVERIFY(window->commands().entry(cmd::back, Place::ToolBar)->isEnabled());
        expectLocked(true);
        auto* search = qobject_cast<SearchPage*>(window->searchPage());
        QCOMPARE(search->selectedCriterion(), 0);
        QCOMPARE(search->firstPrompt()->text(), u"The Authors name"_s);
        QCOMPARE(search->firstInput()->currentText(), u"Choose here"_s);
        QCOMPARE(test::comboItems(search->firstInput()),
                 (QStringList{u"August Strindberg"_s, u"august strindberg"_s, u"Flann O'Brien"_s,
                              u"Frank Herbert"_s}));
        search->firstInput()->setEditText(u"Frank Herbert"_s);
        QTest::keyClick(search->firstInput(), Qt::Key_Return); // ENTER presses Submit
        QTRY_COMPARE(tdm->filmQ().rowCount(), 2);
        QCOMPARE(stored(u"SELECT count(*) FROM Bok"_s), u"6"_s);
        trigger(cmd::back);
        QCOMPARE(window->page(), Page::Browse);
        QVERIFY(!window->commands().entry(cmd::back, Place::ToolBar)->isEnabled());
        expectLocked(false);
        // Another criterion used: coming back selects the first one again, grid emptied.
        trigger(cmd::findByConditions);
        search->selectCriterion(5);
        search->firstInput()->setEditText(u"Penguin"_s);
        search->submitButton()->click();
        QTRY_VERIFY(!tdm->filmQ().isRunning());
        QCOMPARE(tdm->filmQ().rowCount(), 2);
        trigger(cmd::back);
        trigger(cmd::findByConditions);
        QCOMPARE(search->selectedCriterion(), 0);
        QVERIFY(!tdm->filmQ().isOpen());
        trigger(cmd::back);
    }

    void theMasterListShowsEveryBookAndDeletesWithoutAQuestion() {
        test::addBooks(*catalogue);
        catalogue->exec(u"borrow.db"_s, u"INSERT INTO Borrow (Objektyp, Objekt) VALUES "
                                        "('Literatur', 'Dune')"_s);
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
        QCOMPARE(titles, (QStringList{u"Index"_s, u"Title"_s, u"Author"_s, u"Publisher"_s,
                                      u"Rate"_s, u"Publication_Year"_s, u"ISBN"_s, u"Category"_s,
                                      u"Format"_s, u"Serie"_s, u"Comments"_s}));
        QCOMPARE(grid->rowCount(), 6);
        QCOMPARE(window->masterFindBox()->toolTip(), u"Sök på titel"_s);
        bool labelled = false;
        for (QLabel* label : window->findChildren<QLabel*>())
            labelled = labelled || label->text() == u"Find Title"_s;
        QVERIFY(labelled);
        QCOMPARE(window->masterTipsButton()->toolTip(), u"Info om masterlista"_s);
        QStringList hints;
        for (const NavButtonDef& def : window->description().masterList->navigator)
            hints << def.hint;
        QCOMPARE(hints, (QStringList{u"First record"_s, u"Prior record"_s, u"Next record"_s,
                                     u"Last record"_s, u"Add record"_s, u"Del record"_s,
                                     u"Edit record"_s, u"Post"_s, u"Cancel edit"_s, u"Uppdate"_s}));
        window->masterTipsButton()->click();
        QCOMPARE(shell.tips.size(), 1);
        QCOMPARE(shell.tips[0],
                 (QStringList{
                     u"The masterlist gives you immediate access to the database and all "
                     "records and you shell use it when you would like to have fast possession "
                     "to all records. In this view you can edit all records direct or use the "
                     "buttons above. observe, when you delete a record there will be no confirm "
                     "and the record will be lost immediate."_s,
                     QString(),
                     u"Tip: You can search a title by the field above to left.To add a record "
                     "use the  \"New record button\" in the toolbar. You can edit a field direct "
                     "in a cell The edit record will be saved after you have leave it or when "
                     "you close this form You can't edit any lent-out literature here."_s}));
        // Dune is current and lent: the navigator deletes it at once and asks nothing.
        QCOMPARE(currentTitle(), u"Dune"_s);
        window->masterNavigator()->press(NavButton::Delete);
        QCOMPARE(stored(u"SELECT count(*) FROM Bok WHERE Titel = 'Dune'"_s), u"0"_s);
        QCOMPARE(catalogue->scalar(u"borrow.db"_s, u"SELECT count(*) FROM Borrow"_s), u"1"_s);
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
        QCOMPARE(shell.tips[0],
                 (QStringList{u"Fields marked with * is always required. "_s, QString(),
                              u"Move between the fields by your TAB- or RETURN key"_s}));
        window->cancelButton()->click();
        trigger(cmd::help);
        trigger(cmd::about);
        QCOMPARE(shell.helpOpened, 1);
        QCOMPARE(shell.aboutShown, 1);
    }

    void closingClosesTheTableAndShowsTheMainWindow() {
        test::addBooks(*catalogue);
        openWindow();
        trigger(cmd::add);
        trigger(cmd::close); // locked: nothing happens
        QVERIFY(window);
        window->cancelButton()->click();
        popupEntry(u"Mainmenu"_s)->trigger();
        QTRY_VERIFY(!window);
        QVERIFY(!books().isOpen());
        QCOMPARE(shell.mainWindowShown, 1);
        QCOMPARE(stored(u"SELECT count(*) FROM Bok"_s), u"6"_s);
    }

    // Each mode and exactly what it leaves usable of the tool bar, the menus and the pop-up.
    void eachModeLeavesExactlyItsCommandsUsable_data() {
        QTest::addColumn<QString>("command"); // what brings the window into the mode
        QTest::addColumn<QStringList>("toolBar");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QStringList>("popup");
        const QStringList options{u"&Options|Hide index"_s, u"&Options|Hide headline"_s,
                                  u"&Options|Sort by index"_s, u"&Options|Sort by title"_s,
                                  u"&Options|Turn music off"_s};
        const QStringList help{u"&Help|Help"_s, u"&Help|About"_s};
        QTest::newRow("browsing")
            << QString() << QStringList{u"Back to main"_s, u"Print preview"_s,      u"Print"_s,
                                        u"Add record"_s,   u"Edit record"_s,        u"Del record"_s,
                                        u"Lending"_s,      u"Find by conditions"_s, u"Masterlist"_s}
            << QStringList{u"&File|Print preview"_s, u"&File|Sent to file (HTML)"_s,
                           u"&File|Print"_s, u"&File|Back to mainmenu"_s} +
                   options +
                   QStringList{u"&Database|Add record"_s,
                               u"&Database|Edit record"_s,
                               u"&Database|Delete record"_s,
                               u"&Database|Lent out a book"_s,
                               u"&Database|List/find by conditions"_s,
                               u"&Database|Masterlist"_s} +
                   help
            << QStringList{u"Add record"_s,    u"Edit record"_s,         u"Del record"_s,
                           u"Lent out"_s,      u"Find by conditions"_s,  u"Masterlist"_s,
                           u"Print preview"_s, u"Send to file (HTML)"_s, u"Print"_s,
                           u"Mainmenu"_s};
        // The lock leaves the tool bar's "Print" alone.
        const QStringList print{u"Print"_s};
        const QStringList printBack{u"Print"_s, u"Back"_s};
        QTest::newRow("adding") << cmd::add << print << options + help << QStringList();
        QTest::newRow("editing") << cmd::edit << print << options + help << QStringList();
        QTest::newRow("searching")
            << cmd::findByConditions << printBack << options + help << QStringList();
        QTest::newRow("master list")
            << cmd::masterList << printBack << options + help << QStringList();
    }
    void eachModeLeavesExactlyItsCommandsUsable() {
        QFETCH(QString, command);
        QFETCH(QStringList, toolBar);
        QFETCH(QStringList, menus);
        QFETCH(QStringList, popup);
        test::addBooks(*catalogue);
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

    void shortcutsRunTheCommands() {
        test::addBooks(*catalogue);
        openWindow();
        QTest::keyClick(window->list(), Qt::Key_Insert);
        QCOMPARE(window->mode(), RegisterMode::Adding);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        QCOMPARE(books().recordCount(), 6);
        QTest::keyClick(window->list(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(window->page(), Page::Search);
        trigger(cmd::back);
        QTest::keyClick(window->list(), Qt::Key_M, Qt::ControlModifier);
        QCOMPARE(window->page(), Page::MasterList);
        trigger(cmd::back);
        QTest::keyClick(window->list(), Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(lending.types, QList{LendObjectType::Literatur});
    }
};

QTEST_MAIN(TestLiteratureForm)
#include "test_literature_form.moc"
