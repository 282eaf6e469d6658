#include "ScriptedDialogs.h"
#include "data/Errors.h"
#include "ui/CommandTable.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

// A register's commands with the irregular places a register can have: a pop-up entry the
// lock leaves alone, a tool-bar button the master list enables again, entries that read
// differently in each place.
CommandSet sampleSet() {
    CommandSet set;
    set.commands = {
        {u"close"_s, u"Back to mainmenu"_s, u"Back to mainmenu"_s, u"Mainmenu"_s,
         QKeySequence(Qt::CTRL | Qt::Key_S), Icon::MainMenu},
        {u"preview"_s,
         u"Print preview"_s,
         u"Print preview"_s,
         u"Print preview"_s,
         {},
         Icon::PrintPreview},
        {u"print"_s, u"Print"_s, u"Skriv ut"_s, u"Print"_s, QKeySequence(Qt::CTRL | Qt::Key_P),
         Icon::Print},
        {u"add"_s, u"Add record"_s, u"Add record"_s, u"Add record"_s, QKeySequence(Qt::Key_Insert),
         Icon::Add},
        {u"music"_s, u"Turn music off"_s, {}, {}, {}, Icon::None, true},
        {u"back"_s, {}, u"Back"_s, {}, {}, Icon::Back},
    };
    set.menus = {{u"file"_s, u"&File"_s, {u"preview"_s, u"print"_s, u"|"_s, u"close"_s}},
                 {u"options"_s, u"&Options"_s, {u"music"_s}},
                 {u"database"_s, u"&Database"_s, {u"add"_s}}};
    set.toolBar = {u"close"_s, u"preview"_s, u"print"_s, u"|"_s, u"add"_s, u"back"_s};
    set.popup = {u"add"_s, u"preview"_s, u"print"_s, u"close"_s};
    set.lock.toolBar = {u"close"_s, u"preview"_s, u"print"_s, u"add"_s};
    set.lock.menus = {u"file"_s, u"database"_s};
    set.lock.popup = {u"add"_s, u"print"_s, u"close"_s};
    set.lock.masterListToolBar = {u"print"_s};
    set.disabledAtStart = {u"back"_s};
    return set;
}

} // namespace

class TestCommandTable : public QObject {
    Q_OBJECT

    test::ScriptedDialogs dialogs;
    std::unique_ptr<QMainWindow> window;
    CommandTable* table = nullptr;
    QToolBar* toolBar = nullptr;
    QMenu* popup = nullptr;
    QStringList ran;

    void build(CommandSet set) {
        window = std::make_unique<QMainWindow>();
        table = new CommandTable(window.get(), std::move(set), dialogs);
        toolBar = window->addToolBar(u"tools"_s);
        popup = new QMenu(window.get());
        table->build(window->menuBar(), toolBar, popup);
        for (const CommandDef& command : table->set().commands) {
            const QString id = command.id;
            table->setHandler(id, [this, id] { ran << id; });
        }
        ran.clear();
    }

    QStringList texts(const QList<QAction*>& actions) {
        QStringList result;
        for (const QAction* action : actions)
            result << (action->isSeparator() ? u"|"_s : action->text());
        return result;
    }

private slots:
    void init() {
        dialogs.reset();
        build(sampleSet());
    }
    void cleanup() {
        window.reset();
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void eachPlaceShowsItsEntriesInItsOrder() {
        QCOMPARE(texts(window->menuBar()->actions()),
                 (QStringList{u"&File"_s, u"&Options"_s, u"&Database"_s}));
        QCOMPARE(texts(table->menu(u"file"_s)->actions()),
                 (QStringList{u"Print preview"_s, u"Print"_s, u"|"_s, u"Back to mainmenu"_s}));
        QCOMPARE(texts(popup->actions()),
                 (QStringList{u"Add record"_s, u"Print preview"_s, u"Print"_s, u"Mainmenu"_s}));
        QStringList hints;
        for (QAction* action : toolBar->actions())
            hints << (action->isSeparator() ? u"|"_s : action->toolTip());
        QCOMPARE(hints, (QStringList{u"Back to mainmenu"_s, u"Print preview"_s, u"Skriv ut"_s,
                                     u"|"_s, u"Add record"_s, u"Back"_s}));
        QCOMPARE(table->action(u"close"_s)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    }

    void placesShareTheCommandUnlessTheyDiffer() {
        QAction* add = table->action(u"add"_s);
        QCOMPARE(table->entry(u"add"_s, Place::Menu), add);
        QCOMPARE(table->entry(u"add"_s, Place::ToolBar), add);
        QCOMPARE(table->entry(u"add"_s, Place::Popup), add);
        // Other text in the pop-up, another lock for the pop-up preview, the master list's
        // exception for the print button: entries of their own.
        QVERIFY(table->entry(u"close"_s, Place::Popup) != table->action(u"close"_s));
        QVERIFY(table->entry(u"preview"_s, Place::Popup) != table->action(u"preview"_s));
        QVERIFY(table->entry(u"print"_s, Place::ToolBar) != table->action(u"print"_s));
        QCOMPARE(table->entry(u"print"_s, Place::Popup), table->action(u"print"_s));
        QCOMPARE(table->entry(u"back"_s, Place::ToolBar), table->action(u"back"_s));
        QCOMPARE(table->entry(u"music"_s, Place::Popup), nullptr);
        // Every entry runs the one handler.
        table->entry(u"close"_s, Place::Popup)->trigger();
        table->action(u"close"_s)->trigger();
        table->entry(u"print"_s, Place::ToolBar)->trigger();
        QCOMPARE(ran, (QStringList{u"close"_s, u"close"_s, u"print"_s}));
    }

    void theLockDisablesExactlyItsSet() {
        QVERIFY(!table->entry(u"back"_s, Place::ToolBar)->isEnabled()); // disabled at start
        table->setEnabled(u"back"_s, true);
        table->setLocked(true);
        for (const QString& id : {u"close"_s, u"preview"_s, u"print"_s, u"add"_s})
            QVERIFY2(!table->entry(id, Place::ToolBar)->isEnabled(), qPrintable(id));
        for (const QString& id : {u"add"_s, u"print"_s, u"close"_s})
            QVERIFY2(!table->entry(id, Place::Popup)->isEnabled(), qPrintable(id));
        QVERIFY(table->entry(u"preview"_s, Place::Popup)->isEnabled());
        QVERIFY(!table->menu(u"file"_s)->menuAction()->isEnabled());
        QVERIFY(!table->menu(u"database"_s)->menuAction()->isEnabled());
        QVERIFY(table->menu(u"options"_s)->menuAction()->isEnabled());
        QVERIFY(table->action(u"music"_s)->isEnabled());
        QVERIFY(table->entry(u"back"_s, Place::ToolBar)->isEnabled());

        table->setLocked(false);
        for (QAction* action : toolBar->actions() + popup->actions())
            QVERIFY2(action->isEnabled(), qPrintable(action->text()));
        QVERIFY(table->menu(u"file"_s)->menuAction()->isEnabled());
    }

    void theMasterListReleasesOnlyThePrintButton() {
        table->setLocked(true);
        table->setMasterListReleased(true);
        QVERIFY(table->entry(u"print"_s, Place::ToolBar)->isEnabled());
        QVERIFY(!table->entry(u"print"_s, Place::Menu)->isEnabled());
        QVERIFY(!table->entry(u"print"_s, Place::Popup)->isEnabled());
        table->setLocked(false);
        table->setLocked(true); // a later lock holds the print button again
        QVERIFY(!table->entry(u"print"_s, Place::ToolBar)->isEnabled());
    }

    void aShortcutRunsOnlyWhileItsCommandIsUnlocked() {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_Insert);
        QCOMPARE(ran, QStringList{u"add"_s});
        table->setLocked(true);
        QTest::keyClick(window.get(), Qt::Key_Insert);
        QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(ran, QStringList{u"add"_s});
        // The pop-up "Print preview" stays usable under the lock.
        table->entry(u"preview"_s, Place::Popup)->trigger();
        QCOMPARE(ran, (QStringList{u"add"_s, u"preview"_s}));
    }

    void everyHandlerRunsInsideTheCommandWrapper() {
        // A store error in any entry's handler ends in the default error box, once.
        table->setHandler(u"add"_s, [] { throw StoreError(u"The table film.DB is gone."_s); });
        dialogs.answer(Answer::Ok);
        table->entry(u"add"_s, Place::Popup)->trigger();
        dialogs.expectLastBox(BoxKind::ErrorBox, u"Hoardly"_s, u"The table film.DB is gone."_s);
        dialogs.answer(Answer::Ok);
        table->run(u"add"_s);
        QCOMPARE(dialogs.boxes().size(), 2);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }
};

QTEST_MAIN(TestCommandTable)
#include "test_command_table.moc"
