#include "FakeShell.h"
#include "ScriptedDialogs.h"
#include "TempCatalogue.h"
#include "WidgetHelpers.h"
#include "data/RunState.h"
#include "data/SettingsRecord.h"
#include "data/TDM.h"
#include "security/CodeStoreForm.h"
#include "security/MainPassword.h"
#include "security/Scramble.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolBar>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

class TestCodeStoreForm : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;
    test::ScriptedDialogs dialogs;
    RunState run;
    test::FakeShell shell;
    std::unique_ptr<AppContext> context;
    QPointer<TLosenOrdForm> window;
    QList<bool> promptAnswers; // what the password prompt answers, in turn
    int prompts = 0;

    void addCodes() {
        catalogue->exec(u"kod.db"_s, u"INSERT INTO Kod (Mottagare, Kod) VALUES ('Bank', '4711'), "
                                     "('Mejl', 'Blåbär-Öl'), ('Router', 'wifi-åäö')"_s);
    }
    QString stored() const {
        return catalogue->scalar(u"kod.db"_s,
                                 u"SELECT group_concat(Mottagare || '=' || Kod, '|') FROM "
                                 "(SELECT * FROM Kod ORDER BY Kid)"_s);
    }
    QString krypterad() const {
        return catalogue->scalar(u"Config.db"_s, u"SELECT Krypterad FROM Config"_s);
    }
    void setScrambledInFile() {
        catalogue->exec(u"Config.db"_s, u"UPDATE Config SET Krypterad = 1"_s);
    }
    void openWindow() {
        window = new TLosenOrdForm(*context, [this] {
            ++prompts;
            return promptAnswers.isEmpty() ? false : promptAnswers.takeFirst();
        });
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qWarning("the code store did not become active");
    }
    QLineEdit* box(const QString& field) {
        return qobject_cast<QLineEdit*>(window->editControl(field));
    }
    void trigger(const QString& id) { window->action(id)->trigger(); }
    void runPassToTheEnd() {
        window->scrambleButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!window->passRunning(), 10000);
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
        promptAnswers.clear();
        prompts = 0;
    }
    void cleanup() {
        delete window;
        HOARDLY_VERIFY_DIALOGS(dialogs);
        context.reset();
        tdm.reset();
        catalogue.reset();
    }

    void theWindowOpensOnTheReceiversWithItsTexts() {
        addCodes();
        openWindow();
        QCOMPARE(window->windowTitle(), u"Lösenord & Koder"_s);
        QCOMPARE(window->description().heading.text, u"Passwords & codes"_s);
        // The find box shows the first receiver, and each change of its text goes to the
        // heading.
        QCOMPARE(window->heading()->text(), u"Bank"_s);
        QCOMPARE(window->list()->model()->headerData(0, Qt::Horizontal).toString(), u"Mottagare"_s);
        QCOMPARE(window->list()->model()->headerData(1, Qt::Horizontal).toString(),
                 u"Kod/lösenord"_s);
        QCOMPARE(window->findOption(0)->text(), u"Psw/code"_s);
        QCOMPARE(window->findOption(1)->text(), u"Receiver"_s);
        QVERIFY(window->findOption(1)->isChecked());
        QCOMPARE(window->findBox()->field(), u"Mottagare"_s);
        QCOMPARE(window->scrambleButton()->text(), u"&Crypt"_s);
        QVERIFY(!window->scrambled());
        QVERIFY(!window->entryLabel()->isVisible());
        QVERIFY(!window->progressBar()->isVisible());
        QVERIFY(box(u"Mottagare"_s)->isReadOnly());
        QCOMPARE(box(u"Mottagare"_s)->text(), u"Bank"_s);
        QCOMPARE(window->findChild<QLabel*>(u"warningLabel"_s)->text(),
                 u"You should absolute crypt and protect \nthese records before You close this "
                 u"form. "_s);
        // The find puts the receiver found into the heading.
        window->findBox()->setFocus();
        QTest::keyClicks(window->findBox(), u"rou"_s);
        QCOMPARE(window->heading()->text(), u"Router"_s);
        QCOMPARE(window->findBox()->resultLabel()->text(), u"Found!"_s);
    }

    // Each mode and what it leaves usable; the scramble button goes with the record commands.
    void eachModeLeavesExactlyItsCommandsUsable() {
        addCodes();
        openWindow();
        const auto usable = [this] {
            return test::usableEntries(window, window->toolBar(), window->popupMenu());
        };
        QCOMPARE(usable().toolBar,
                 (QStringList{u"Back to main"_s, u"Print preview"_s, u"Print"_s, u"Add record"_s,
                              u"Edit record"_s, u"Del record"_s}));
        QCOMPARE(
            usable().menus,
            (QStringList{u"&File|Print preview"_s, u"&File|Print"_s, u"&File|Back to main"_s,
                         u"&Options|Hide  heading"_s, u"&Options|Turn off music"_s,
                         u"&Database functions|Add record"_s, u"&Database functions|Edit record"_s,
                         u"&Database functions|Del record"_s, u"&Help|Help"_s, u"&Help|About"_s}));
        QCOMPARE(usable().popup, (QStringList{u"Add record"_s, u"Edit record"_s, u"Del record"_s,
                                              u"Print"_s, u"Print preview"_s}));
        QVERIFY(window->scrambleButton()->isEnabled());
        QVERIFY(!window->okButton()->isEnabled());
        // The tool bar's "Print" stays enabled.
        trigger(u"edit"_s);
        QCOMPARE(usable().toolBar, QStringList{u"Print"_s});
        QCOMPARE(usable().menus,
                 (QStringList{u"&Options|Hide  heading"_s, u"&Options|Turn off music"_s,
                              u"&Help|Help"_s, u"&Help|About"_s}));
        QCOMPARE(usable().popup, QStringList());
        QVERIFY(!window->scrambleButton()->isEnabled());
        QVERIFY(!window->list()->isEnabled());
        QVERIFY(!box(u"Kod"_s)->isReadOnly());
        QVERIFY(!window->entryLabel()->isVisible()); // editing keeps the label hidden
        window->cancelRecord();
        QVERIFY(window->scrambleButton()->isEnabled());
        QVERIFY(window->list()->isEnabled());
    }

    void addingChecksBothFieldsAndCancelLeavesNothing() {
        openWindow();
        trigger(u"add"_s);
        QVERIFY(window->entryLabel()->isVisible());
        QCOMPARE(QApplication::focusWidget(), box(u"Mottagare"_s));
        dialogs.answer(Answer::Ok);
        window->okButton()->click();
        dialogs.expectBox(0, BoxKind::Info, u"No receivers"_s, u"The receivers name is required"_s);
        QTest::keyClicks(box(u"Mottagare"_s), u"Bank"_s);
        // ENTER moves from the receiver to the code, and from there to OK.
        QTest::keyClick(box(u"Mottagare"_s), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box(u"Kod"_s));
        dialogs.answer(Answer::Ok);
        window->okButton()->click();
        dialogs.expectBox(1, BoxKind::Info, u"No Psw/code"_s, u"Psw/code is required"_s);
        QCOMPARE(QApplication::focusWidget(), box(u"Kod"_s));
        QTest::keyClicks(box(u"Kod"_s), u"1234"_s);
        QTest::keyClick(box(u"Kod"_s), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), window->okButton());
        window->okButton()->click();
        QCOMPARE(stored(), u"Bank=1234"_s);
        QVERIFY(run.dataChanged);
        QVERIFY(!window->entryLabel()->isVisible());
        QCOMPARE(QApplication::focusWidget(), window->list());

        trigger(u"add"_s);
        QTest::keyClicks(box(u"Mottagare"_s), u"Never"_s);
        window->cancelRecord();
        QCOMPARE(stored(), u"Bank=1234"_s);
        QVERIFY(!window->entryLabel()->isVisible());
        QVERIFY(window->heading()->isHidden());
    }

    void deletingAsksAndAnEmptyStoreAnswers() {
        openWindow();
        trigger(u"edit"_s); // an empty store: nothing happens, no box
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        dialogs.answer(Answer::Ok);
        trigger(u"delete"_s);
        dialogs.expectBox(0, BoxKind::Info, u"Empty database"_s, u"Not such a command."_s);
        window->close();
        addCodes();
        openWindow();
        dialogs.answer(Answer::Yes);
        trigger(u"delete"_s);
        dialogs.expectBox(1, BoxKind::Question, u"Deleting"_s,
                          u"The record with receiver [ Bank ] will be lost. Are you sure?"_s,
                          BoxIcon::Exclamation);
        QCOMPARE(stored(), u"Mejl=Blåbär-Öl|Router=wifi-åäö"_s);
        QVERIFY(run.dataChanged);
    }

    // Without a main password the pass runs at once; it goes there and back, codes only.
    void scramblingAndUnscramblingGiveEveryCodeBack() {
        addCodes();
        openWindow();
        window->findOption(0)->click(); // "Psw/code"
        QCOMPARE(window->findBox()->field(), u"Kod"_s);
        const QString plain = stored();
        window->scrambleButton()->click();
        QVERIFY(window->passRunning());
        QVERIFY(window->progressBar()->isVisible());
        QCOMPARE(window->progressBar()->maximum(), 3);
        QVERIFY(!window->scrambleButton()->isEnabled());
        QVERIFY(!window->action(u"add"_s)->isEnabled() ||
                !window->commands().entry(u"add"_s, Place::ToolBar)->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!window->passRunning(), 10000);
        QCOMPARE(prompts, 0);
        QCOMPARE(window->scrambleButton()->text(), u"Decrypt"_s);
        QCOMPARE(krypterad(), u"1"_s);
        QCOMPARE(stored(), u"Bank="_s + ScrambleText(u"4711"_s) + u"|Mejl="_s +
                               ScrambleText(u"Blåbär-Öl"_s) + u"|Router="_s +
                               ScrambleText(u"wifi-åäö"_s));
        QVERIFY(!window->progressBar()->isVisible());
        // Scrambled codes cannot be searched: the find went back to the receiver.
        QVERIFY(window->findOption(1)->isChecked());
        QCOMPARE(window->findBox()->field(), u"Mottagare"_s);
        // The list shows the codes as stored.
        QCOMPARE(window->list()->model()->index(0, 1).data().toString(), ScrambleText(u"4711"_s));

        runPassToTheEnd();
        QCOMPARE(window->scrambleButton()->text(), u"&Crypt"_s);
        QCOMPARE(krypterad(), u"0"_s);
        QCOMPARE(stored(), plain);
    }

    void whileScrambledTheStoreCanOnlyBeBrowsed() {
        addCodes();
        setScrambledInFile();
        openWindow();
        QCOMPARE(window->scrambleButton()->text(), u"Decrypt"_s); // from the settings
        dialogs.answer(Answer::Ok);
        trigger(u"add"_s);
        dialogs.answer(Answer::Ok);
        trigger(u"edit"_s);
        dialogs.answer(Answer::Ok);
        trigger(u"delete"_s);
        dialogs.answer(Answer::Ok);
        window->findOption(0)->click();
        dialogs.expectBox(0, BoxKind::Info, u"Decrypt all records"_s,
                          u"The records are crypted at the moment. Before you can add or edit a "
                          u"record you must decrypt all records."_s);
        dialogs.expectBox(1, BoxKind::Info, u"Decrypt all records"_s,
                          u"The recors are crypted at the moment. Before you can add or edit a "
                          u"record you must decrypt all records."_s);
        dialogs.expectBox(2, BoxKind::Info, u"Not allowed"_s,
                          u"You can not delete any record which is crypted."_s);
        dialogs.expectBox(3, BoxKind::Info, u"You can not search on crypted records"_s,
                          u"This funtion only works when your records are decrypted"_s);
        QCOMPARE(window->mode(), RegisterMode::Browsing);
        QVERIFY(window->findOption(1)->isChecked());
        QCOMPARE(window->findBox()->field(), u"Mottagare"_s);
        QCOMPARE(stored(), u"Bank=4711|Mejl=Blåbär-Öl|Router=wifi-åäö"_s);
    }

    // A main password guards the pass; a refused prompt changes nothing.
    void theMainPasswordGuardsThePass() {
        addCodes();
        Table& config = tdm->configTb();
        config.open();
        storeMainPassword(config, u"secret"_s);
        openWindow();
        promptAnswers = {false};
        window->scrambleButton()->click();
        QCOMPARE(prompts, 1);
        QVERIFY(!window->passRunning());
        QCOMPARE(krypterad(), u"0"_s);
        QCOMPARE(window->scrambleButton()->text(), u"&Crypt"_s);
        promptAnswers = {true};
        runPassToTheEnd();
        QCOMPARE(prompts, 2);
        QCOMPARE(krypterad(), u"1"_s);
    }

    void anEmptyStoreKeepsItsState() {
        openWindow();
        window->scrambleButton()->click();
        QVERIFY(!window->passRunning());
        QCOMPARE(window->scrambleButton()->text(), u"&Crypt"_s);
        QCOMPARE(krypterad(), u"0"_s);
    }

    // The pass pauses 50 ms on each record, so twenty records take a second at least.
    void twentyRecordsTakeASecondAtLeast() {
        for (int i = 0; i < 20; ++i)
            catalogue->exec(u"kod.db"_s,
                            u"INSERT INTO Kod (Mottagare, Kod) VALUES ('R%1', 'c%1')"_s.arg(i));
        openWindow();
        QElapsedTimer timer;
        timer.start();
        runPassToTheEnd();
        QVERIFY2(timer.elapsed() >= 1000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(krypterad(), u"1"_s);
    }
};

QTEST_MAIN(TestCodeStoreForm)
#include "test_code_store_form.moc"
