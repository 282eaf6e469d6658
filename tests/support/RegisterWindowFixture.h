#pragma once

#include "FakeShell.h"
#include "RecordingLending.h"
#include "ScriptedDialogs.h"
#include "TempCatalogue.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "registers/RegisterDescription.h"
#include "ui/CommandTable.h"
#include "ui/Shell.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QtTest>
#include <functional>
#include <memory>

namespace hoardly::test {

// What a test of one register window starts from: a catalogue of its own with the settings
// and pick lists open (as after the start-up), the run-wide values, scripted dialogs, a fake
// shell and a lending command that records what it was asked to lend. A test class derives
// from it beside QObject and calls setUp() and tearDown() from its init() and cleanup().
template <class Window> class RegisterWindowFixture {
protected:
    std::unique_ptr<TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;
    ScriptedDialogs dialogs;
    RunState run;
    FakeShell shell;
    RecordingLending lending;
    std::unique_ptr<AppContext> context;
    QPointer<Window> window;

    void setUp() {
        catalogue = std::make_unique<TempCatalogue>();
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
        tdm->standardTb().open(); // as the start-up leaves it
        dialogs.reset();
        run = RunState{};
        shell = FakeShell{};
        lending.types.clear();
        context = std::make_unique<AppContext>(AppContext{dialogs, *tdm, run, shell, &lending});
    }
    void tearDown() {
        delete window;
        using namespace Qt::StringLiterals;
        HOARDLY_VERIFY_DIALOGS(dialogs);
        context.reset();
        tdm.reset();
        catalogue.reset();
    }

    // Builds the window, lets `prepare` set it up before it shows, and waits until it is active.
    Window* openWindow(const std::function<void(Window&)>& prepare = {}) {
        window = new Window(*context);
        if (prepare)
            prepare(*window);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qWarning("the register window did not become active");
        return window;
    }

    QAction* command(const QString& id) { return window->action(id); }
    void trigger(const QString& id) { command(id)->trigger(); }
    QLineEdit* line(const QString& field) {
        return qobject_cast<QLineEdit*>(window->editControl(field));
    }
    QComboBox* pick(const QString& field) {
        return qobject_cast<QComboBox*>(window->editControl(field));
    }
    QAction* popupEntry(const QString& text) {
        for (QAction* action : window->popupMenu()->actions()) {
            if (action->text() == text)
                return action;
        }
        qFatal("no pop-up entry %s", qPrintable(text));
    }
    // What a menu or the pop-up shows, a separator as "|".
    static QStringList texts(const QList<QAction*>& actions) {
        using namespace Qt::StringLiterals;
        QStringList result;
        for (QAction* action : actions)
            result << (action->isSeparator() ? u"|"_s : action->text());
        return result;
    }

    // Whether the commands a catalogue register's lock covers are all off (or all on); the
    // help menu stays usable either way.
    void expectLocked(bool locked) {
        using namespace Qt::StringLiterals;
        const CommandTable& commands = window->commands();
        for (const QString& id : {cmd::close, cmd::add, cmd::edit, cmd::remove, cmd::lending,
                                  cmd::findByConditions, cmd::masterList}) {
            QCOMPARE(commands.entry(id, Place::ToolBar)->isEnabled(), !locked);
            QCOMPARE(commands.entry(id, Place::Popup)->isEnabled(), !locked);
        }
        QCOMPARE(commands.menu(u"file"_s)->menuAction()->isEnabled(), !locked);
        QCOMPARE(commands.menu(u"database"_s)->menuAction()->isEnabled(), !locked);
        QVERIFY(commands.menu(u"help"_s)->menuAction()->isEnabled());
    }
};

} // namespace hoardly::test
