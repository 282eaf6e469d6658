// The print and preview requests of the seven register windows, driven headless: where they
// stand, what the lock leaves of them, the empty-register answers, and what reaches the list.
#include "ContextFixture.h"
#include "RecordingLending.h"
#include "RecordingListOutput.h"
#include "data/Sqlite.h"
#include "registers/AdressForm.h"
#include "registers/FilmForm.h"
#include "registers/LiteratureForm.h"
#include "registers/MusikForm.h"
#include "registers/SoftwareForm.h"
#include "registers/ValueForm.h"
#include "security/CodeStoreForm.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

// One register window and what its description says of its two requests.
struct Member {
    PrintList list;
    RegisterWindow* (*make)(AppContext&);
    QString file, table, columns;
    QStringList rows; // three records, in the list's order, the first field first
    QStringList fileMenu, popup, toolBarStart;
    bool toolBarPrintDuringEntry = true;
    bool popupPreviewDuringEntry = false;
};

template <class Form> RegisterWindow* make(AppContext& context) {
    return new Form(context);
}
RegisterWindow* makeCodeStore(AppContext& context) {
    return new TLosenOrdForm(context, [] { return true; });
}

Member member(PrintList list) {
    switch (list) {
    case PrintList::Film:
        return {list,
                make<TFilmForm>,
                u"film.DB"_s,
                u"Film"_s,
                u"\"Index\", Titel"_s,
                {u"1, 'Alien'"_s, u"2, 'Brazil'"_s, u"3, 'Casablanca'"_s},
                {u"Print preview"_s, u"Print to file (HTML)"_s, u"Print"_s, u"Back to mainmenu"_s},
                {u"Add record"_s, u"Edit record"_s, u"Del record"_s, u"Lending"_s,
                 u"Find by conditions"_s, u"Masterlist"_s, u"Print preview"_s,
                 u"Print to file (HML)"_s, u"Print"_s, u"Mainmenu"_s},
                {u"Back to mainmenu"_s, u"Print preview"_s, u"Skriv ut"_s},
                false,
                true};
    case PrintList::Music:
        return {list,
                make<TMusikForm>,
                u"Musik.DB"_s,
                u"Musik"_s,
                u"Artist, Titel"_s,
                {u"'abba', 'Gold'"_s, u"'Beatles', 'Help'"_s, u"'cream', 'Fresh'"_s},
                {u"Print preview"_s, u"Send to file (HTML)"_s, u"Print"_s, u"Back to mainmenu"_s},
                {u"Add record"_s, u"Edit record"_s, u"Del record"_s, u"Lent out"_s,
                 u"Find by conditions"_s, u"Masterlist"_s, u"|"_s, u"Print preview"_s,
                 u"Sent to file (HTML)"_s, u"Print"_s, u"Back to main"_s},
                {u"Back to mainmenu"_s, u"Print preview"_s, u"Print"_s}};
    case PrintList::Literature:
        return {list,
                make<TBokForm>,
                u"bok.DB"_s,
                u"Bok"_s,
                u"\"Index\", Titel"_s,
                {u"1, 'Dune'"_s, u"2, 'Emma'"_s, u"3, 'Faust'"_s},
                {u"Print preview"_s, u"Sent to file (HTML)"_s, u"Print"_s, u"Back to mainmenu"_s},
                {u"Add record"_s, u"Edit record"_s, u"Del record"_s, u"Lent out"_s,
                 u"Find by conditions"_s, u"Masterlist"_s, u"|"_s, u"Print preview"_s,
                 u"Send to file (HTML)"_s, u"Print"_s, u"|"_s, u"Mainmenu"_s},
                {u"Back to main"_s, u"Print preview"_s, u"Print"_s}};
    case PrintList::Software:
        return {list,
                make<TSoftwareForm>,
                u"data.DB"_s,
                u"Data"_s,
                u"Namn"_s,
                {u"'Gimp'"_s, u"'Inkscape'"_s, u"'Krita'"_s},
                {u"Print preview"_s, u"Send to file (HTML)"_s, u"Print"_s, u"Back to mainmenu"_s},
                {u"Lägg till ny post"_s, u"Editera post"_s, u"Ta bort post"_s, u"|"_s,
                 u"Utlåning"_s, u"Villkorssökning"_s, u"Masterlista"_s, u"|"_s,
                 u"Förhandsgranska"_s, u"Skriv ut till fil (HTML)"_s, u"Skriv ut"_s,
                 u"Huvumenyn"_s},
                {u"Mainmenu"_s, u"Print preview"_s, u"Print"_s}};
    case PrintList::Codes:
        return {list,
                makeCodeStore,
                u"kod.db"_s,
                u"Kod"_s,
                u"Mottagare, Kod"_s,
                {u"'Bank', '1234'"_s, u"'Mail', 'abcd'"_s, u"'Phone', '0000'"_s},
                {u"Print preview"_s, u"Print"_s, u"|"_s, u"Back to main"_s},
                {u"Add record"_s, u"Edit record"_s, u"Del record"_s, u"|"_s, u"Print"_s,
                 u"Print preview"_s},
                {u"Back to main"_s, u"Print preview"_s, u"Print"_s}};
    case PrintList::Addresses:
        return {list,
                make<TAdressForm>,
                u"adress.DB"_s,
                u"Adress"_s,
                u"Efternamn, Fornamn"_s,
                {u"'Adams', 'Zoe'"_s, u"'Brown', 'Yves'"_s, u"'Clark', 'Xena'"_s},
                {u"Print preview"_s, u"Print"_s, u"Back to main"_s},
                {u"Add record"_s, u"Edit record"_s, u"Delete Record"_s, u"Print preview"_s,
                 u"Print"_s, u"Mainmenu"_s},
                {u"Back to mainmenu"_s, u"Print preview"_s, u"Print"_s},
                true,
                true};
    case PrintList::Inventory:
        return {list,
                make<TValueForm>,
                u"Value.DB"_s,
                u"Value"_s,
                u"Benamning"_s,
                {u"'Clock'"_s, u"'Lamp'"_s, u"'Vase'"_s},
                {u"Print preview"_s, u"Print to file (HTML)"_s, u"rint"_s, u"Back to maimmenu"_s},
                {u"Add record"_s, u"Edit record"_s, u"Del record"_s, u"|"_s, u"Print preview"_s,
                 u"Print"_s, u"Print to file (HTML)"_s, u"Back to main"_s},
                {u"Back to main"_s, u"Print preview"_s, u"Print"_s}};
    }
    return {};
}

QStringList texts(const QList<QAction*>& actions) {
    QStringList result;
    for (QAction* action : actions)
        result << (action->isSeparator() ? u"|"_s : action->text());
    return result;
}

} // namespace

class TestPrintRequests : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ContextFixture> fixture;
    test::RecordingLending lending;
    test::RecordingListOutput output;
    QPointer<RegisterWindow> window;

    test::ScriptedDialogs& dialogs() { return fixture->dialogs; }
    Member which() {
        QFETCH(int, list);
        return member(PrintList(list));
    }
    void fill(const Member& m) {
        for (const QString& row : m.rows)
            fixture->catalogue.exec(
                m.file, u"INSERT INTO \"%1\" (%2) VALUES (%3)"_s.arg(m.table, m.columns, row));
    }
    RegisterWindow* openWindow(const Member& m) {
        window = m.make(fixture->context);
        window->setToday([] { return QDate(2026, 12, 10); });
        window->show();
        if (!QTest::qWaitForWindowExposed(window))
            qWarning("the window was not shown");
        return window;
    }
    QAction* toolEntry(const QString& id) { return window->commands().entry(id, Place::ToolBar); }
    QAction* popupEntry(const QString& id) { return window->commands().entry(id, Place::Popup); }
    // The first field of the three records, as the list prints them.
    QStringList firstTexts(const Member& m) {
        QStringList texts;
        for (const QString& row : m.rows)
            texts << row.section(u',', 0, 0).remove(u'\'');
        return texts;
    }

private slots:
    void init() {
        fixture = std::make_unique<test::ContextFixture>();
        fixture->tdm.standardTb().open();
        fixture->context.lending = &lending;
        fixture->context.printing = &output;
        output.requests.clear();
        fixture->setConfig(u"Applikationpath = '%1'"_s.arg(fixture->catalogue.path()));
        for (PrintList list :
             {PrintList::Film, PrintList::Music, PrintList::Literature, PrintList::Software,
              PrintList::Codes, PrintList::Addresses, PrintList::Inventory}) {
            const Member m = member(list);
            fixture->catalogue.exec(m.file, u"DELETE FROM \"%1\""_s.arg(m.table));
        }
    }
    void cleanup() {
        delete window;
        HOARDLY_VERIFY_DIALOGS(fixture->dialogs);
        fixture.reset();
    }

    void members_data() {
        QTest::addColumn<int>("list");
        QTest::newRow("film") << int(PrintList::Film);
        QTest::newRow("music") << int(PrintList::Music);
        QTest::newRow("literature") << int(PrintList::Literature);
        QTest::newRow("software") << int(PrintList::Software);
        QTest::newRow("codes") << int(PrintList::Codes);
        QTest::newRow("addresses") << int(PrintList::Addresses);
        QTest::newRow("inventory") << int(PrintList::Inventory);
    }

    void theRequestsStandWhereTheRegisterNamesThem_data() { members_data(); }
    void theRequestsStandWhereTheRegisterNamesThem() {
        const Member m = which();
        openWindow(m);
        const CommandTable& commands = window->commands();
        QCOMPARE(texts(commands.menu(u"file"_s)->actions()), m.fileMenu);
        QCOMPARE(texts(window->popupMenu()->actions()), m.popup);
        QStringList hints;
        for (QAction* action : commands.toolBar()->actions()) {
            if (!action->isSeparator() && hints.size() < 3)
                hints << action->toolTip();
        }
        QCOMPARE(hints, m.toolBarStart);
        QCOMPARE(commands.action(cmd::printPreview)->shortcut(), QKeySequence(u"Ctrl+F"_s));
        QCOMPARE(commands.action(cmd::print)->shortcut(), QKeySequence(u"Ctrl+P"_s));

        // During an entry the lock leaves what the register says it leaves.
        window->addRecord();
        QCOMPARE(toolEntry(cmd::print)->isEnabled(), m.toolBarPrintDuringEntry);
        QVERIFY(!toolEntry(cmd::printPreview)->isEnabled());
        QCOMPARE(popupEntry(cmd::printPreview)->isEnabled(), m.popupPreviewDuringEntry);
        QVERIFY(!popupEntry(cmd::print)->isEnabled());
        QVERIFY(!commands.menu(u"file"_s)->menuAction()->isEnabled());
        window->cancelRecord();
        for (const QString& id : {cmd::print, cmd::printPreview}) {
            QVERIFY(toolEntry(id)->isEnabled());
            QVERIFY(popupEntry(id)->isEnabled());
            QVERIFY(commands.action(id)->isEnabled());
        }
        QVERIFY(output.requests.isEmpty());
    }

    void theFilmMasterListGivesThePrintButtonBack() {
        fill(member(PrintList::Film));
        openWindow(member(PrintList::Film));
        window->action(cmd::masterList)->trigger();
        QVERIFY(toolEntry(cmd::print)->isEnabled());
        QVERIFY(!toolEntry(cmd::printPreview)->isEnabled());
        QVERIFY(!popupEntry(cmd::print)->isEnabled());
        toolEntry(cmd::print)->trigger();
        QCOMPARE(output.requests.size(), 1);
        window->action(cmd::back)->trigger();
        // The search page holds the same lock without that exception.
        window->action(cmd::findByConditions)->trigger();
        QVERIFY(!toolEntry(cmd::print)->isEnabled());
        QVERIFY(popupEntry(cmd::printPreview)->isEnabled());
        window->action(cmd::back)->trigger();
    }

    void anEmptyRegisterIsAnsweredOnPrint_data() { members_data(); }
    void anEmptyRegisterIsAnsweredOnPrint() {
        const Member m = which();
        const Message& empty = print::listLayout(m.list).emptyPrint;
        openWindow(m);
        if (!empty.isEmpty())
            dialogs().answer(Answer::Ok);
        window->action(cmd::print)->trigger();
        if (empty.isEmpty()) {
            // The address book and the inventory print without asking.
            QVERIFY(dialogs().boxes().isEmpty());
            QCOMPARE(output.requests.size(), 1);
            QCOMPARE(output.requests.first().pages, 0);
        } else {
            dialogs().expectLastBox(BoxKind::Info, empty.caption, empty.text);
            QCOMPARE(dialogs().boxes().size(), 1);
            QVERIFY(output.requests.isEmpty());
        }
        dialogs().forget();
        // The preview has no such test.
        window->action(cmd::printPreview)->trigger();
        QVERIFY(dialogs().boxes().isEmpty());
        QCOMPARE(output.requests.last().preview, true);
        QCOMPARE(output.requests.last().records.size(), 0);
        QCOMPARE(output.requests.last().list, m.list);
    }

    void theListIsOfTheSavedRecordsAndLeavesTheCurrentOne_data() { members_data(); }
    void theListIsOfTheSavedRecordsAndLeavesTheCurrentOne() {
        const Member m = which();
        fill(m);
        openWindow(m);
        Table& table = fixture->tdm.table(*print::listLayout(m.list).table);
        table.moveTo(1);
        window->action(cmd::print)->trigger();
        window->commands().entry(cmd::printPreview, Place::Popup)->trigger();
        QCOMPARE(output.requests.size(), 2);
        for (const auto& request : output.requests) {
            QCOMPARE(request.firstTexts(), firstTexts(m));
            QCOMPARE(request.parent.data(), window.data());
            QVERIFY(request.pages >= 1);
        }
        QVERIFY(!output.requests[0].preview);
        QVERIFY(output.requests[1].preview);
        QCOMPARE(table.position(), 1);
        QVERIFY(dialogs().boxes().isEmpty());
    }

    void aRecordPendingInAnEntryIsNotPrinted_data() { members_data(); }
    void aRecordPendingInAnEntryIsNotPrinted() {
        const Member m = which();
        fill(m);
        openWindow(m);
        window->addRecord();
        auto* name = qobject_cast<QLineEdit*>(window->editControl(window->description().nameField));
        QVERIFY(name);
        name->setText(u"Pending"_s);
        // The film window keeps only the pop-up's preview during an entry.
        QAction* request =
            m.toolBarPrintDuringEntry ? toolEntry(cmd::print) : popupEntry(cmd::printPreview);
        QVERIFY(request->isEnabled());
        request->trigger();
        QCOMPARE(output.requests.size(), 1);
        QCOMPARE(output.requests.first().records.size(), 3);
        for (const QStringList& record : output.requests.first().records)
            QVERIFY(!record.contains(u"Pending"_s));
        // The entry is still open, with what was typed.
        QCOMPARE(window->mode(), RegisterMode::Adding);
        QCOMPARE(name->text(), u"Pending"_s);
        window->cancelRecord();
    }

    void theAddressListIsByLastNameWhateverTheWindowShows() {
        const Member m = member(PrintList::Addresses);
        fill(m);
        openWindow(m);
        fixture->tdm.adressTb().selectIndex(u"Fnamn"_s); // first names: Xena, Yves, Zoe
        QCOMPARE(fixture->tdm.adressTb().asText(u"Efternamn"_s), u"Clark"_s);
        window->action(cmd::printPreview)->trigger();
        QCOMPARE(output.requests.first().firstTexts(),
                 (QStringList{u"Adams"_s, u"Brown"_s, u"Clark"_s}));
        QCOMPARE(fixture->tdm.adressTb().asText(u"Efternamn"_s), u"Clark"_s);
    }

    void theListsAreReadWhereApplikationpathPoints() {
        const Member m = member(PrintList::Film);
        fill(m);
        // A copy of the catalogue elsewhere with one film more.
        QTemporaryDir other;
        QVERIFY(QFile::copy(fixture->catalogue.file(u"film.DB"_s), other.filePath(u"film.DB"_s)));
        FileDatabase(other.filePath(u"film.DB"_s), false)
            .exec(u"INSERT INTO Film (\"Index\", Titel) VALUES (4, 'Dune')"_s);
        fixture->setConfig(u"Applikationpath = '%1'"_s.arg(other.path()));
        openWindow(m);
        window->action(cmd::print)->trigger();
        QCOMPARE(output.requests.first().records.size(), 4);
        QCOMPARE(fixture->tdm.filmTb().recordCount(), 3);
    }

    void aMissingTableFileIsReportedInTheErrorBox() {
        const Member m = member(PrintList::Film);
        fill(m);
        QTemporaryDir empty;
        fixture->setConfig(u"Applikationpath = '%1'"_s.arg(empty.path()));
        openWindow(m);
        dialogs().answer(Answer::Ok);
        window->action(cmd::printPreview)->trigger();
        QCOMPARE(dialogs().lastBox().kind, BoxKind::ErrorBox);
        QVERIFY2(dialogs().lastBox().text.contains(u"film.DB"_s),
                 qPrintable(dialogs().lastBox().text));
        QVERIFY(output.requests.isEmpty());
    }
};

QTEST_MAIN(TestPrintRequests)
#include "test_print_requests.moc"
