#include "ContextFixture.h"
#include "FileBytes.h"
#include "HtmlExportData.h"
#include "RecordingLending.h"
#include "registers/FilmForm.h"
#include "registers/LiteratureForm.h"
#include "registers/MusikForm.h"
#include "registers/SoftwareForm.h"
#include "registers/ValueForm.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;
using html::Register;

namespace {

using test::readBytes;

// One register window that exports its table, with what the test needs to know of it.
struct Exporter {
    QString golden;
    const TableSchema* table;
    void (*fill)(const test::TempCatalogue&);
    RegisterWindow* (*make)(AppContext&);
};

template <class Form> RegisterWindow* make(AppContext& context) {
    return new Form(context);
}

Exporter exporter(Register which) {
    switch (which) {
    case Register::Film:
        return {u"html-film.html"_s, &schema::film(), test::addFilmsToExport, make<TFilmForm>};
    case Register::Music:
        return {u"html-music.html"_s, &schema::musik(), test::addMusicToExport, make<TMusikForm>};
    case Register::Software:
        return {u"html-software.html"_s, &schema::data(), test::addSoftwareToExport,
                make<TSoftwareForm>};
    case Register::Literature:
        return {u"html-literature.html"_s, &schema::bok(), test::addBooksToExport, make<TBokForm>};
    case Register::Inventory:
        return {u"html-inventory.html"_s, &schema::value(), test::addObjectsToExport,
                make<TValueForm>};
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

class TestHtmlExportWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ContextFixture> fixture;
    test::RecordingLending lending;
    QPointer<RegisterWindow> window;

    test::ScriptedDialogs& dialogs() { return fixture->dialogs; }
    QString target() const { return QDir(fixture->catalogue.path()).filePath(u"list.html"_s); }
    Register which() {
        QFETCH(int, member);
        return Register(member);
    }
    const HtmlExportMember& member() { return html::member(which()); }
    Table& table() { return fixture->tdm.table(*exporter(which()).table); }

    RegisterWindow* openWindow(bool filled) {
        if (filled)
            exporter(which()).fill(fixture->catalogue);
        window = exporter(which()).make(fixture->context);
        window->setToday([] { return test::kExportDay; });
        window->show();
        if (!QTest::qWaitForWindowExposed(window))
            qWarning("the window was not shown");
        return window;
    }
    void exportFromTheMenu() {
        QMenu* file = window->commands().menu(u"file"_s);
        QAction* entry = nullptr;
        for (QAction* action : file->actions()) {
            if (action->text() == member().menuText)
                entry = action;
        }
        QVERIFY2(entry, qPrintable(member().menuText));
        QVERIFY(entry->isEnabled());
        entry->trigger();
    }

private slots:
    void init() {
        fixture = std::make_unique<test::ContextFixture>();
        fixture->tdm.standardTb().open();
        fixture->context.lending = &lending;
    }
    void cleanup() {
        delete window;
        HOARDLY_VERIFY_DIALOGS(fixture->dialogs);
        fixture.reset();
    }

    void members_data() {
        QTest::addColumn<int>("member");
        QTest::newRow("film") << int(Register::Film);
        QTest::newRow("music") << int(Register::Music);
        QTest::newRow("software") << int(Register::Software);
        QTest::newRow("literature") << int(Register::Literature);
        QTest::newRow("inventory") << int(Register::Inventory);
    }

    void theEntriesStandWhereTheRegisterNamesThem_data() { members_data(); }
    void theEntriesStandWhereTheRegisterNamesThem() {
        openWindow(false);
        const CommandTable& commands = window->commands();
        // In "&File" right after "Print preview".
        QCOMPARE(texts(commands.menu(u"file"_s)->actions()).mid(0, 2),
                 (QStringList{u"Print preview"_s, member().menuText}));
        QCOMPARE(commands.action(cmd::htmlExport)->shortcut(), QKeySequence(u"Ctrl+I"_s));
        QVERIFY(!commands.entry(cmd::htmlExport, Place::ToolBar));
        QAction* popup = commands.entry(cmd::htmlExport, Place::Popup);
        const QStringList popupTexts = texts(window->popupMenu()->actions());
        if (member().popupText.isEmpty()) {
            // The literature pop-up's "Send to file (HTML)" stays the current-literature list.
            QVERIFY(!popup);
            QVERIFY(popupTexts.contains(u"Send to file (HTML)"_s));
        } else {
            QVERIFY(popup);
            QCOMPARE(popup->text(), member().popupText);
            // Between the print entries (the inventory's after both), above the one that
            // closes the window.
            const qsizetype at = popupTexts.indexOf(member().popupText);
            const QAction* print = commands.entry(cmd::print, Place::Popup);
            QVERIFY(print);
            if (which() == Register::Inventory) {
                QCOMPARE(popupTexts.at(at - 1), print->text());
                QCOMPARE(at, popupTexts.size() - 2);
            } else {
                QCOMPARE(popupTexts.at(at + 1), print->text());
                QCOMPARE(popupTexts.at(at - 1),
                         commands.entry(cmd::printPreview, Place::Popup)->text());
            }
        }
        // An entry locks the export with the "&File" menu and the pop-up.
        window->addRecord();
        QVERIFY(!commands.menu(u"file"_s)->menuAction()->isEnabled());
        if (popup)
            QVERIFY(!popup->isEnabled());
        window->cancelRecord();
        QVERIFY(commands.menu(u"file"_s)->menuAction()->isEnabled());
        if (popup)
            QVERIFY(popup->isEnabled());
    }

    void anEmptyTableIsAnsweredAndNothingAsked_data() { members_data(); }
    void anEmptyTableIsAnsweredAndNothingAsked() {
        openWindow(false);
        dialogs().answer(Answer::Ok);
        exportFromTheMenu();
        dialogs().expectLastBox(BoxKind::Info, member().empty.caption, member().empty.text);
        QCOMPARE(dialogs().boxes().size(), 1);
        QVERIFY(dialogs().fileRequests().isEmpty());
    }

    void aCancelledDialogWritesNothing_data() { members_data(); }
    void aCancelledDialogWritesNothing() {
        openWindow(true);
        Table& records = table();
        records.moveTo(1);
        dialogs().answerFile(QString());
        window->action(cmd::htmlExport)->trigger();
        QCOMPARE(dialogs().fileRequests().size(), 1);
        const FileRequest& request = dialogs().fileRequests().first();
        QCOMPARE(request.kind, FileRequestKind::Save);
        QCOMPARE(request.fileName, member().fileName);
        QCOMPARE(request.filter, u"HTML (*.html)"_s);
        QCOMPARE(request.defaultSuffix, u"html"_s);
        QVERIFY(dialogs().boxes().isEmpty());
        QCOMPARE(records.position(), 1);
        QCOMPARE(QDir(fixture->catalogue.path()).entryList({u"*.html"_s}), QStringList());
    }

    void theExportWritesThePageAndLeavesTheLastRecordCurrent_data() { members_data(); }
    void theExportWritesThePageAndLeavesTheLastRecordCurrent() {
        openWindow(true);
        const QList<SortOption>& orders = window->description().sortOptions;
        if (!orders.isEmpty()) // the golden pages are by index
            window->action(orders.first().command)->trigger();
        Table& records = table();
        records.first();
        dialogs().answerFile(target());
        dialogs().answer(Answer::Ok);
        exportFromTheMenu();
        dialogs().expectLastBox(BoxKind::Info, member().done.caption, member().done.text);
        QCOMPARE(readBytes(target()), test::goldenPage(exporter(which()).golden));
        QCOMPARE(records.position(), records.recordCount() - 1);
        if (window->list())
            QCOMPARE(window->list()->currentIndex().row(), records.recordCount() - 1);
    }

    void aWriteErrorIsShownAsTheRegisterShowsIt_data() { members_data(); }
    void aWriteErrorIsShownAsTheRegisterShowsIt() {
        openWindow(true);
        const QString missing =
            QDir(fixture->catalogue.path()).filePath(u"gone/"_s + member().fileName);
        dialogs().answerFile(missing);
        dialogs().answer(Answer::Ok);
        exportFromTheMenu();
        QCOMPARE(dialogs().boxes().size(), 1); // no completion message
        const Box& box = dialogs().lastBox();
        QVERIFY2(box.text.contains(QDir::toNativeSeparators(missing)), qPrintable(box.text));
        QVERIFY2(box.text.contains(u"export the list again"_s), qPrintable(box.text));
        switch (which()) {
        case Register::Film:
            QCOMPARE(box.kind, BoxKind::Error);
            QCOMPARE(box.caption, u"Error"_s);
            QVERIFY(
                box.text.startsWith(u"Could not create the HTML file. Something get wrong.\n\n"_s));
            break;
        case Register::Music:
            QCOMPARE(box.kind, BoxKind::Error);
            QCOMPARE(box.caption, u"Error"_s);
            QVERIFY(box.text.startsWith(u"Something get wrong. Failed\n\n"_s));
            break;
        default:
            QCOMPARE(box.kind, BoxKind::ErrorBox);
            QVERIFY(box.text.startsWith(u"The HTML list "_s));
        }
        QVERIFY(!QFile::exists(missing));
    }

    void theFilmWindowExportsInTheOrderItShows() {
        test::addFilmsToExport(fixture->catalogue);
        window = new TFilmForm(fixture->context);
        window->setToday([] { return test::kExportDay; });
        window->show();
        window->action(u"sortTitle"_s)->trigger();
        dialogs().answerFile(target());
        dialogs().answer(Answer::Ok);
        window->commands().entry(cmd::htmlExport, Place::Popup)->trigger();
        const QByteArray page = readBytes(target());
        const qsizetype untitled = page.indexOf("&lt;Untitled&gt;");
        const qsizetype wild = page.indexOf("Smultronst&#xE4;llet");
        const qsizetype tom = page.indexOf("Tom &amp; Jerry");
        QVERIFY(untitled > 0 && untitled < wild && wild < tom);
        QCOMPARE(fixture->tdm.filmTb().asText(u"Titel"_s), u"Tom & Jerry"_s);
    }
};

QTEST_MAIN(TestHtmlExportWindows)
#include "test_html_export_windows.moc"
