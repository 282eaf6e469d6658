#include "FakeShell.h"
#include "ScriptedDialogs.h"
#include "TempCatalogue.h"
#include "data/Errors.h"
#include "data/RunState.h"
#include "data/TDM.h"
#include "registers/RegisterController.h"
#include "registers/RegisterDescription.h"

#include <QHash>
#include <QWidget>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

// The window's side, as the controller sees it: what it was asked, in order, and what the
// entry's controls hold.
class FakeView final : public RegisterView {
public:
    QWidget widget;
    QStringList calls;
    QHash<QString, QString> texts;
    QList<DerivedState> states;

    QWidget* boxParent() override { return &widget; }
    void showState(const DerivedState& state) override { states << state; }
    void prepareEntry(RegisterMode mode) override {
        calls << (mode == RegisterMode::Adding ? u"prepare adding"_s : u"prepare editing"_s);
    }
    QString entryText(const QString& field) const override { return texts.value(field); }
    void writeUnbound() override { calls << u"write unbound"_s; }
    void rememberEntry() override { calls << u"remember"_s; }
    void endEntry() override { calls << u"end entry"_s; }
    void focusField(const QString& field) override { calls << u"focus "_s + field; }
    void focusBrowsing() override { calls << u"focus browsing"_s; }
    void commitGrid() override { calls << u"commit grid"_s; }
};

// A music register reduced to what the controller needs: records with their songs.
RegisterDescription musicLike() {
    RegisterDescription d;
    d.table = &schema::musik();
    d.detailTables = {&schema::song()};
    d.nameField = u"Titel"_s;
    d.openIndex = u"MusikTBIndex1"_s; // by number: the records in the order they were filed
    d.editFields = {EditField(u"Title*"_s, u"Titel"_s), EditField(u"Artist/group*"_s, u"Artist"_s)};
    d.entryFocus = u"Titel"_s;
    d.checks = {
        EntryCheck::required(u"Titel"_s, u"Title is required"_s, u"No title"_s),
        EntryCheck::required(u"Artist"_s, u"Name of the artist/group is required"_s, u"No name"_s)};
    d.editPage = u"Registrera musik"_s;
    d.editEmpty = {u"You can't do that. Empty database"_s, u"Empty"_s};
    d.deleteEmpty = {u"Not such a command."_s, u"Empty database"_s};
    d.deleteQuestion = {u"Delete [ %1 ]?"_s, u"Delete record"_s};
    return checked(std::move(d));
}

} // namespace

class TestRegisterController : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;
    test::ScriptedDialogs dialogs;
    RunState run;
    test::FakeShell shell;
    std::unique_ptr<AppContext> context;
    RegisterDescription description;
    std::unique_ptr<FakeView> view;
    std::unique_ptr<RegisterController> controller;

    Table& records() { return tdm->musikTb(); }
    Table& songs() { return tdm->songTb(); }
    QString stored(const QString& file, const QString& sql) { return catalogue->scalar(file, sql); }

    void addRecordsWithSongs() {
        catalogue->exec(u"Musik.DB"_s,
                        u"INSERT INTO Musik (Mid, Titel, Artist) VALUES "
                        "(1, 'Abbey Road', 'The Beatles'), (2, 'Arrival', 'ABBA')"_s);
        catalogue->exec(u"song.db"_s, u"INSERT INTO Song (Mid, Namn) VALUES (1, 'Something'), "
                                      "(2, 'Money, Money, Money'), (1, 'Sun King')"_s);
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
        description = musicLike();
        view = std::make_unique<FakeView>();
        controller = std::make_unique<RegisterController>(*context, description, *view);
    }
    void cleanup() {
        controller.reset();
        view.reset();
        HOARDLY_VERIFY_DIALOGS(dialogs);
        context.reset();
        tdm.reset();
        catalogue.reset();
    }

    void openingOpensEveryTableAndClosingClosesThem() {
        addRecordsWithSongs();
        controller->open();
        QVERIFY(records().isOpen());
        QVERIFY(songs().isOpen());
        QCOMPARE(records().position(), 0);
        QCOMPARE(view->states.last(), deriveState(description.shape(), RegisterMode::Browsing));
        QCOMPARE(view->calls, QStringList{u"focus browsing"_s});
        QVERIFY(controller->close());
        QVERIFY(!records().isOpen());
        QVERIFY(!songs().isOpen());
        QCOMPARE(shell.mainWindowShown, 1);

        // A register whose closing hook says so keeps the main window hidden.
        controller->hooks().closing = [] { return false; };
        controller->open();
        QVERIFY(controller->close());
        QCOMPARE(shell.mainWindowShown, 1);
    }

    void anEntryRunsItsFixedStepsAndTheHooksInOrder() {
        controller->open();
        view->calls.clear();
        QStringList hooks;
        controller->hooks().beforePost = [&] {
            hooks << u"before post"_s;
            return true;
        };
        controller->hooks().afterRefresh = [&] { hooks << u"after refresh"_s; };
        controller->hooks().afterPost = [&](RegisterMode mode) {
            hooks << (mode == RegisterMode::Adding ? u"after post (adding)"_s : u"?"_s);
        };
        controller->add();
        QCOMPARE(controller->mode(), RegisterMode::Adding);
        QCOMPARE(records().state(), TableState::Insert);
        QCOMPARE(view->states.last().page, RegisterPage::Edit);
        QVERIFY(view->states.last().locked);
        QCOMPARE(view->calls, (QStringList{u"prepare adding"_s, u"focus Titel"_s}));

        records().setText(u"Titel"_s, u"Help!"_s);
        records().setText(u"Artist"_s, u"The Beatles"_s);
        view->texts = {{u"Titel"_s, u"Help!"_s}, {u"Artist"_s, u"The Beatles"_s}};
        view->calls.clear();
        controller->accept();
        QCOMPARE(controller->mode(), RegisterMode::Browsing);
        QVERIFY(run.dataChanged);
        QCOMPARE(view->calls, (QStringList{u"write unbound"_s, u"remember"_s, u"end entry"_s,
                                           u"focus browsing"_s}));
        QCOMPARE(hooks,
                 (QStringList{u"before post"_s, u"after refresh"_s, u"after post (adding)"_s}));
        QCOMPARE(stored(u"Musik.DB"_s, u"SELECT Titel || '/' || Artist FROM Musik"_s),
                 u"Help!/The Beatles"_s);
        QCOMPARE(view->states.last(), deriveState(description.shape(), RegisterMode::Browsing));
    }

    void everyCheckHasItsMessageAndItsControl() {
        controller->open();
        controller->add();
        view->calls.clear();
        view->texts[u"Titel"_s] = u"Help!"_s;
        dialogs.answer(Answer::Ok);
        controller->accept();
        dialogs.expectBox(0, BoxKind::Info, u"No name"_s,
                          u"Name of the artist/group is required"_s);
        QCOMPARE(view->calls, QStringList{u"focus Artist"_s});
        QCOMPARE(controller->mode(), RegisterMode::Adding);
        QCOMPARE(records().state(), TableState::Insert);

        // The register's own check comes after the description's.
        view->texts[u"Artist"_s] = u"The Beatles"_s;
        controller->hooks().validate = [] {
            return std::optional(EntryProblem{u"Too late"_s, u"Closed"_s, u"Titel"_s});
        };
        dialogs.answer(Answer::Ok);
        controller->accept();
        dialogs.expectBox(1, BoxKind::Info, u"Closed"_s, u"Too late"_s);
        QCOMPARE(controller->mode(), RegisterMode::Adding);
        QVERIFY(!run.dataChanged);
        controller->cancel();
        QCOMPARE(records().recordCount(), 0);
    }

    void aHookBeforeThePostCanKeepTheEntryOpen() {
        controller->open();
        controller->add();
        view->texts = {{u"Titel"_s, u"Help!"_s}, {u"Artist"_s, u"The Beatles"_s}};
        controller->hooks().beforePost = [] { return false; }; // "add songs first?" Yes
        controller->accept();
        QCOMPARE(controller->mode(), RegisterMode::Adding);
        QCOMPARE(records().state(), TableState::Insert);
        QVERIFY(!run.dataChanged);
        QCOMPARE(stored(u"Musik.DB"_s, u"SELECT count(*) FROM Musik"_s), u"0"_s);
    }

    void cancelDropsTheEntryAndTellsTheHookWhichItWas() {
        addRecordsWithSongs();
        controller->open();
        RegisterMode cancelled = RegisterMode::Browsing;
        controller->hooks().afterCancel = [&](RegisterMode mode) { cancelled = mode; };
        controller->edit();
        QCOMPARE(controller->mode(), RegisterMode::Editing);
        records().setText(u"Titel"_s, u"Changed"_s);
        controller->cancel();
        QCOMPARE(cancelled, RegisterMode::Editing);
        QCOMPARE(controller->mode(), RegisterMode::Browsing);
        QCOMPARE(stored(u"Musik.DB"_s, u"SELECT Titel FROM Musik WHERE Mid = 1"_s),
                 u"Abbey Road"_s);
        // Commands of browsing are refused while nothing is pending.
        controller->cancel();
        controller->accept();
        QCOMPARE(controller->mode(), RegisterMode::Browsing);
    }

    void theDependantsGoInTheSameTransactionAsTheirRecord() {
        addRecordsWithSongs();
        controller->open();
        controller->hooks().deleteDependants = [this] {
            const qint64 mid = records().asInteger(u"Mid"_s);
            while (songs().locate(u"Mid"_s, {mid}))
                songs().remove();
        };
        int deleted = 0;
        controller->hooks().afterDelete = [&] { ++deleted; };
        dialogs.answer(Answer::Yes);
        controller->remove();
        dialogs.expectBox(0, BoxKind::Question, u"Delete record"_s, u"Delete [ Abbey Road ]?"_s,
                          BoxIcon::Exclamation);
        QCOMPARE(deleted, 1);
        QVERIFY(run.dataChanged);
        QCOMPARE(stored(u"Musik.DB"_s, u"SELECT group_concat(Titel) FROM Musik"_s), u"Arrival"_s);
        QCOMPARE(stored(u"song.db"_s, u"SELECT group_concat(Namn) FROM Song"_s),
                 u"Money, Money, Money"_s);

        // A failure half-way leaves the record and all its songs.
        controller->hooks().deleteDependants = [this] {
            songs().locate(u"Mid"_s, {2});
            songs().remove();
            throw StoreError(u"The table song.db is read-only."_s);
        };
        dialogs.answer(Answer::Yes);
        dialogs.answer(Answer::Ok);
        controller->remove();
        dialogs.expectLastBox(BoxKind::ErrorBox, u"Hoardly"_s,
                              u"The table song.db is read-only."_s);
        QCOMPARE(deleted, 1);
        QCOMPARE(stored(u"Musik.DB"_s, u"SELECT count(*) FROM Musik"_s), u"1"_s);
        QCOMPARE(stored(u"song.db"_s, u"SELECT count(*) FROM Song"_s), u"1"_s);
        QCOMPARE(songs().recordCount(), 1);
        QCOMPARE(records().asText(u"Titel"_s), u"Arrival"_s);
    }

    void deletingAndEditingAnEmptyTableAnswerWithTheirBoxes() {
        controller->open();
        dialogs.answer(Answer::Ok);
        controller->edit();
        dialogs.answer(Answer::Ok);
        controller->remove();
        dialogs.expectBox(0, BoxKind::Info, u"Empty"_s, u"You can't do that. Empty database"_s);
        dialogs.expectBox(1, BoxKind::Info, u"Empty database"_s, u"Not such a command."_s);
        QCOMPARE(controller->mode(), RegisterMode::Browsing);
        // Without a lending question nothing is asked about loans.
        addRecordsWithSongs();
        catalogue->exec(u"borrow.db"_s,
                        u"INSERT INTO Borrow (Objektyp, Objekt) VALUES ('Musik', 'Abbey Road')"_s);
        records().refresh();
        dialogs.answer(Answer::Yes);
        controller->remove();
        QCOMPARE(dialogs.boxes().size(), 3);
        QCOMPARE(stored(u"borrow.db"_s, u"SELECT count(*) FROM Borrow"_s), u"1"_s);
    }

    void theRegistersRulesJoinTheDerivedState() {
        bool enteringSongs = false;
        controller->hooks().rules = [&](RegisterMode mode, DerivedState& state) {
            if (isEntry(mode) && enteringSongs)
                state.okEnabled = false;
            state.own[u"songBox"_s] = isEntry(mode) && enteringSongs;
        };
        controller->open();
        controller->add();
        QVERIFY(view->states.last().okEnabled);
        QVERIFY(!view->states.last().own.value(u"songBox"_s));
        enteringSongs = true;
        controller->refreshState();
        QVERIFY(!view->states.last().okEnabled);
        QVERIFY(view->states.last().cancelEnabled);
        QVERIFY(view->states.last().own.value(u"songBox"_s));
        controller->cancel();
        QVERIFY(!view->states.last().own.value(u"songBox"_s));
    }

    void anEntryPendingWhenTheWindowOpensKeepsItsTables() {
        addRecordsWithSongs();
        records().open();
        records().last();
        records().append();
        records().setText(u"Titel"_s, u"Handed over"_s);
        controller->setMode(RegisterMode::Adding);
        view->calls.clear();
        controller->open();
        QCOMPARE(records().state(), TableState::Insert);
        QCOMPARE(records().asText(u"Titel"_s), u"Handed over"_s);
        QCOMPARE(view->calls, QStringList{u"focus Titel"_s});
        controller->cancel();
    }

    void theMasterListKeepsItsRowWhenLeft() {
        addRecordsWithSongs();
        description.commands.commands = {registerCommand(cmd::masterList, u"Masterlist"_s)};
        description.masterList = MasterListPage{};
        controller->open();
        controller->showMasterList();
        QCOMPARE(controller->mode(), RegisterMode::MasterList);
        QVERIFY(view->states.last().masterListReleased);
        records().edit();
        records().setText(u"Artist"_s, u"Beatles"_s);
        controller->back();
        QCOMPARE(view->calls.last(), u"commit grid"_s);
        QCOMPARE(controller->mode(), RegisterMode::Browsing);
        QCOMPARE(stored(u"Musik.DB"_s, u"SELECT Artist FROM Musik WHERE Mid = 1"_s), u"Beatles"_s);
    }
};

QTEST_MAIN(TestRegisterController)
#include "test_register_controller.moc"
