#include "FileBytes.h"
#include "ScriptedDialogs.h"
#include "SmtpTestServer.h"
#include "TempCatalogue.h"
#include "WidgetHelpers.h"
#include "app/AboutBox.h"
#include "app/Application.h"
#include "app/DatabaseSetup.h"
#include "app/HelpForm.h"
#include "app/MainForm.h"
#include "app/TipsForm.h"
#include "app/Version.h"
#include "data/SharedRoutines.h"
#include "data/TextFiles.h"
#include "lending/BorrowFillinForm.h"
#include "lending/EmailReminders.h"
#include "lending/LendingWindows.h"
#include "maintenance/ConfigForm.h"
#include "registers/AdressForm.h"
#include "registers/FilmForm.h"
#include "registers/LiteratureForm.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

// Stands in for a register window: it destroys itself on closing and hands the screen back
// to the main window, as every register window does.
class FakeRegister final : public QWidget {
public:
    FakeRegister(Shell& shell, const QWidget& mainWindow) : shell_(shell), main_(mainWindow) {
        setAttribute(Qt::WA_DeleteOnClose);
    }
    bool mainVisibleAtShow = false;

protected:
    void showEvent(QShowEvent* event) override {
        mainVisibleAtShow = main_.isVisible();
        QWidget::showEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        shell_.showMainWindow();
        QWidget::closeEvent(event);
    }

private:
    Shell& shell_;
    const QWidget& main_;
};

// Answers the next modal window (tips, About) once it is up, after looking at it.
void whenModalShows(const std::function<void(QDialog&)>& look) {
    test::whenModal([look](QWidget* modal) {
        auto* dialog = qobject_cast<QDialog*>(modal);
        QVERIFY(dialog);
        look(*dialog);
        dialog->accept();
    });
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<Application> app;
    int ended = 0;

    void build() {
        AppOptions options;
        options.intro = {10, 0};
        options.helpDirectory = QString::fromUtf8(HOARDLY_HELP_SOURCE_DIR);
        options.quit = [this] { ++ended; };
        options.backup = {0, 0, 0, 0};
        app = std::make_unique<Application>(dialogs, catalogue->path(), options);
    }
    // The main window's first activation: the intro comes up and its timer sets up the tables.
    void startUp() {
        app->start();
        app->mainForm().FormActivate();
    }
    TMainForm& main() { return app->mainForm(); }
    QToolButton* knp(MainButton button) { return main().button(button); }
    void setConfig(const QString& assignments) {
        catalogue->exec(u"Config.db"_s, u"UPDATE Config SET "_s + assignments);
        app->tdm().configTb().refresh();
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        dialogs.reset();
        ended = 0;
        build();
    }
    void cleanup() {
        app.reset();
        catalogue.reset();
    }

    void theBarHasTenButtonsWithTheirHints() {
        QCOMPARE(main().windowTitle(), u"Hoardly version 1.01e"_s);
        const QStringList hints{u"Close"_s,          u"Film"_s,
                                u"Music"_s,          u"Software"_s,
                                u"Literature"_s,     u"Passwords/codes"_s,
                                u"Home inventory"_s, u"Adresses"_s,
                                u"Properties"_s,     u"Help"_s};
        main().adjustSize(); // lays the bar out
        QList<QToolButton*> buttons = main().findChildren<QToolButton*>();
        std::sort(buttons.begin(), buttons.end(),
                  [](QToolButton* a, QToolButton* b) { return a->x() < b->x(); });
        QStringList shown;
        for (QToolButton* button : buttons) {
            shown << button->toolTip();
            QVERIFY(!button->icon().isNull());
        }
        QCOMPARE(shown, hints);
        // Nothing but closing and help works before the tables are open.
        for (const MainButtonInfo& info : kMainButtons) {
            const bool always = info.button == MainButton::Close || info.button == MainButton::Help;
            QCOMPARE(knp(info.button)->isEnabled(), always);
        }
    }

    void theIntroSetsUpTheTablesOnItsFirstTick() {
        TIntroForm* intro = app->introForm();
        QVERIFY(intro);
        QVERIFY(intro->introTimer().isActive()); // running from the window's creation
        QCOMPARE(intro->introTimer().interval(), 10);
        QVERIFY(intro->findChild<QLabel*>(u"loadingLabel"_s));
        QCOMPARE(intro->findChild<QLabel*>(u"loadingLabel"_s)->text(), u"Loading....."_s);
        QVERIFY(intro->findChild<QLabel*>(u"downloadLink"_s)
                    ->text()
                    .contains(QString::fromLatin1(kDownloadAddress)));
        QVERIFY(!main().mainTimer().isActive());
        QVERIFY(!app->run().startupDone);

        int scans = 0;
        bool startupDoneAtScan = false;
        main().setReminderScan([&] {
            ++scans;
            startupDoneAtScan = app->run().startupDone;
        });
        catalogue->exec(u"Config.db"_s, u"UPDATE Config SET AppPathChecked = 0"_s);
        startUp();

        QVERIFY(app->introForm() == nullptr); // closed and gone
        QVERIFY(app->run().startupDone);
        QCOMPARE(app->run().appDir, catalogue->path());
        QVERIFY(main().mainTimer().isActive());
        QCOMPARE(main().mainTimer().interval(), 1000);
        QCOMPARE(app->tdm().filmTb().indexName(), u"Nummer"_s);
        QCOMPARE(catalogue->scalar(u"Config.db"_s, u"SELECT Applikationpath FROM Config"_s),
                 catalogue->path());
        QCOMPARE(scans, 1);
        QVERIFY(startupDoneAtScan);
        QVERIFY(app->run().reminderScanDone);

        // Later activations (the main window coming back after a register) do nothing.
        main().FormActivate();
        QCOMPARE(scans, 1);
        // Without music yet, the music timer's tick just turns it off again.
        QTRY_VERIFY_WITH_TIMEOUT(!main().mainTimer().isActive(), 3000);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theWindowsOwnActivationBringsUpTheIntro() {
        app->start();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
        main().activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(app->run().startupDone, 5000);
        QTRY_VERIFY(app->run().reminderScanDone);
        QVERIFY(app->introForm() == nullptr);
    }

    // Files an earlier version left half written: one question at start-up; Yes mends them,
    // No leaves them as they are.
    void halfWrittenLoansAreReportedOnceAndMendedOnYes_data() {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("mend") << Answer::Yes;
        QTest::newRow("leave") << Answer::No;
    }
    void halfWrittenLoansAreReportedOnceAndMendedOnYes() {
        QFETCH(Answer, answer);
        catalogue->exec(u"film.DB"_s, u"INSERT INTO Film (\"Index\", Titel, Utlanad, "
                                      "\"Utlanad till\") VALUES (1, 'Alien', 1, 'Per Holm'), "
                                      "(2, 'Brazil', 0, 'Finns i hyllan')"_s);
        catalogue->exec(u"borrow.db"_s, u"INSERT INTO Borrow (Objektyp, Objekt, \"Utlanad "
                                        "till\", \"Utlanad datum\") VALUES ('Film', 'Brazil', "
                                        "'Ola Ek', '2024-02-03')"_s);
        main().setReminderScan([] {});
        dialogs.answer(answer);
        startUp();
        QCOMPARE(dialogs.boxes().size(), 1);
        dialogs.expectBox(0, BoxKind::Question, u"Lending records"_s,
                          u"The lending register and the registers disagree about 2 objects, as "
                          "an earlier version of the program could leave them after a crash:\n\n"
                          "\"Alien\" (Film) is marked as lent out, but there is no lending "
                          "record for it.\n"
                          "\"Brazil\" (Film) has a lending record, but is not marked as lent "
                          "out.\n\n"
                          "Mend them now? An object without a lending record is marked as "
                          "returned; an object with one is marked as lent out to its borrower."_s,
                          BoxIcon::Exclamation);
        QVERIFY(app->run().startupDone);
        const QString states = catalogue->scalar(
            u"film.DB"_s, u"SELECT group_concat(Utlanad || ' ' || \"Utlanad till\", ', ') FROM "
                          "(SELECT * FROM Film ORDER BY FilmId)"_s);
        QCOMPARE(states, answer == Answer::Yes ? u"0 Finns i hyllan, 1 Ola Ek"_s
                                               : u"1 Per Holm, 0 Finns i hyllan"_s);
        QVERIFY(!app->tdm().filmTb().isOpen()); // the film window opens it when shown
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theFirstActivationSendsTheDueReminders() {
        test::SmtpTestServer server;
        QVERIFY2(server.isRunning(), qPrintable(server.error()));
        catalogue->exec(
            u"Config.db"_s,
            u"UPDATE Config SET Mailid = 'Anna Berg', Mailadress = "
            "'anna@example.se', SMTP = '127.0.0.1', Mailport = %1"_s.arg(server.port()));
        catalogue->exec(u"borrow.db"_s, u"INSERT INTO Borrow (Objektyp, Objekt, \"Utlanad till\", "
                                        "\"E-post\", \"Utlanad datum\", Send_mail) VALUES "
                                        "('Film', 'Alien', 'Eva Lind', 'eva@example.se', "
                                        "'2026-11-01', 1)"_s);
        app->reminders().setToday([] { return QDate(2026, 12, 9); });
        QSignalSpy scanned(&app->reminders(), &EmailReminders::scanFinished);
        startUp();
        QVERIFY(app->run().reminderScanDone);
        QVERIFY(scanned.size() == 1 || scanned.wait(15000));
        QCOMPARE(server.messages().size(), 1);
        QCOMPARE(server.messages()[0].rcptTos, QStringList{u"eva@example.se"_s});
        QCOMPARE(catalogue->scalar(u"borrow.db"_s, u"SELECT Has_sent FROM Borrow"_s), u"1"_s);
        QVERIFY(main().isEnabled());
        // Later activations send nothing again.
        main().FormActivate();
        QTest::qWait(50);
        QCOMPARE(scanned.size(), 1);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void aBrokenDatabaseIsReportedAndTheProgramStaysClosable() {
        QFile broken(catalogue->file(u"Config.db"_s));
        QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("garbage, not a table");
        broken.close();
        bool built = false;
        main().setRegisterOpener(MainButton::Film, [&]() -> QWidget* {
            built = true;
            return nullptr;
        });
        main().setDialogOpener(MainButton::Properties, [] {});
        bool scanned = false;
        main().setReminderScan([&] { scanned = true; });

        dialogs.answer(Answer::Ok);
        startUp();
        QCOMPARE(dialogs.boxes().size(), 1);
        dialogs.expectLastBox(
            BoxKind::Plain, u"Hoardly"_s,
            u"There was some problem to open the database. Please, close this program and "
            "start it over. "_s);

        QVERIFY(!app->run().startupDone);
        QVERIFY(!app->tdm().configTb().isOpen());
        QVERIFY(!app->tdm().standardTb().isOpen());
        QVERIFY(!main().mainTimer().isActive());
        QVERIFY(!scanned);
        QVERIFY(app->run().reminderScanDone);
        QVERIFY(!knp(MainButton::Film)->isEnabled());
        QVERIFY(!knp(MainButton::Properties)->isEnabled());
        QVERIFY(knp(MainButton::Close)->isEnabled());
        QVERIFY(knp(MainButton::Help)->isEnabled());

        // No second intro at the next activation, and closing works as ever.
        main().FormActivate();
        QCOMPARE(dialogs.boxes().size(), 1);
        app->run().dataChanged = true; // even so, there is no settings record to consult
        dialogs.answer(Answer::Yes);
        knp(MainButton::Close)->click();
        QCOMPARE(ended, 1);
        QVERIFY(!built);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theCloseSequence_data() {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<bool>("backupOn");
        QTest::addColumn<QString>("backupPath");
        QTest::addColumn<bool>("hookInstalled");
        QTest::addColumn<bool>("expectMissingDirectory");
        QTest::addColumn<bool>("expectBackup");
        QTest::addColumn<bool>("expectEnd");

        QTest::newRow("No keeps the program")
            << Answer::No << true << true << u"/backup"_s << true << false << false << false;
        QTest::newRow("Yes without changes makes no backup")
            << Answer::Yes << false << true << u"/backup"_s << true << false << false << true;
        QTest::newRow("changes, backup on, no directory")
            << Answer::Yes << true << true << QString() << true << true << false << true;
        QTest::newRow("changes, backup on, a directory")
            << Answer::Yes << true << true << u"/backup"_s << true << false << true << true;
        QTest::newRow("changes, backup off")
            << Answer::Yes << true << false << u"/backup"_s << true << false << false << true;
    }

    void theCloseSequence() {
        QFETCH(Answer, answer);
        QFETCH(bool, changed);
        QFETCH(bool, backupOn);
        QFETCH(QString, backupPath);
        QFETCH(bool, hookInstalled);
        QFETCH(bool, expectMissingDirectory);
        QFETCH(bool, expectBackup);
        QFETCH(bool, expectEnd);

        startUp();
        setConfig(u"Backup = %1, Backuppath = '%2'"_s.arg(backupOn ? 1 : 0).arg(backupPath));
        app->run().dataChanged = changed;
        QStringList backups;
        if (hookInstalled) {
            main().setClosingBackup([&](const QString& to, const QString& from) {
                QVERIFY(app->run().closingBackup);
                QCOMPARE(ended, 0); // the backup runs before the program ends
                backups << to << from;
            });
        }
        QSignalSpy endedSpy(&main(), &TMainForm::programEnded);

        dialogs.answer(answer);
        if (expectMissingDirectory)
            dialogs.answer(Answer::Ok);
        knp(MainButton::Close)->click();

        const Box& question = dialogs.boxes().first();
        QCOMPARE(question.kind, BoxKind::Question);
        QCOMPARE(question.caption, u"Close"_s);
        QCOMPARE(question.text, u"This action will close Hoardly. Is that what you want?"_s);
        QCOMPARE(question.icon, BoxIcon::Question);
        QCOMPARE(question.buttons, (QList<Answer>{Answer::Yes, Answer::No}));
        if (expectMissingDirectory) {
            QCOMPARE(dialogs.boxes().size(), 2);
            dialogs.expectLastBox(
                BoxKind::Error, u"Error"_s,
                u"You have not select a backup directory. Closing down without backup"_s);
        } else {
            QCOMPARE(dialogs.boxes().size(), 1);
        }
        if (expectBackup)
            QCOMPARE(backups, (QStringList{backupPath, catalogue->path()}));
        else
            QVERIFY(backups.isEmpty());
        QCOMPARE(ended, expectEnd ? 1 : 0);
        QCOMPARE(endedSpy.size(), expectEnd ? 1 : 0);
        QCOMPARE(main().isVisible(), !expectEnd);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theClosingBackupCopiesTheTablesBeforeTheProgramEnds() {
        startUp();
        QTemporaryDir backupRoot;
        setConfig(u"Backup = 1, Backuppath = '%1'"_s.arg(backupRoot.path()));
        app->run().dataChanged = true;
        dialogs.answer(Answer::Yes);
        knp(MainButton::Close)->click();
        QCOMPARE(ended, 1);
        QVERIFY(app->run().closingBackup);
        for (const QString& name : {u"film.DB"_s, u"Config.db"_s, u"midi/vis2.txt"_s})
            QCOMPARE(test::readBytes(QDir(backupRoot.path()).filePath(name)),
                     test::readBytes(QDir(catalogue->path()).filePath(name)));
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void avslutaAndTheCloseBoxEndAtOnceWithoutBackup() {
        startUp();
        setConfig(u"Backup = 1, Backuppath = '/backup'"_s);
        app->run().dataChanged = true;
        int backups = 0;
        main().setClosingBackup([&](const QString&, const QString&) { ++backups; });

        QAction* avsluta = main().avslutaAction();
        QCOMPARE(avsluta->text(), u"Avsluta"_s);
        QCOMPARE(avsluta->shortcut(), QKeySequence(Qt::Key_F4));
        QVERIFY(main().actions().contains(avsluta));
        QCOMPARE(main().contextMenuPolicy(), Qt::ActionsContextMenu);

        // F4 on the main window.
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        QTest::keyClick(&main(), Qt::Key_F4);
        QCOMPARE(ended, 1);
        QVERIFY(!main().isVisible());

        // The frame's close box.
        app->showMainWindow();
        main().close();
        QCOMPARE(ended, 2);

        QCOMPARE(backups, 0);
        QVERIFY(dialogs.boxes().isEmpty());
        QVERIFY(!app->run().closingBackup);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void aRegisterIsBuiltAnewWithANewCaptionEachTime() {
        writeTextFile(captionFilePath(catalogue->path()), u"First caption\n"_s);
        int built = 0;
        QPointer<FakeRegister> last;
        const auto opener = [&]() -> QWidget* {
            ++built;
            last = new FakeRegister(*app, main());
            return last;
        };
        main().setRegisterOpener(MainButton::Film, opener);
        main().setRegisterOpener(MainButton::Inventory, opener);
        QVERIFY(!knp(MainButton::Film)->isEnabled()); // not before the tables are open
        startUp();
        QVERIFY(knp(MainButton::Film)->isEnabled());
        QVERIFY(knp(MainButton::Inventory)->isEnabled());
        // Every register has its window now: all their buttons work once the tables are open.
        for (MainButton button : {MainButton::Music, MainButton::Software, MainButton::Literature,
                                  MainButton::Codes, MainButton::Addresses})
            QVERIFY(knp(button)->isEnabled());

        knp(MainButton::Film)->click();
        QCOMPARE(built, 1);
        QPointer<FakeRegister> first = last;
        QCOMPARE(first->windowTitle(), u"First caption"_s);
        QVERIFY(first->isVisible());
        QVERIFY(first->mainVisibleAtShow); // shown first, then the main window hides
        QVERIFY(!main().isVisible());

        first->close();
        QVERIFY(main().isVisible());
        QTRY_VERIFY(first.isNull()); // destroyed, not hidden

        writeTextFile(captionFilePath(catalogue->path()), u"Second caption\n"_s);
        knp(MainButton::Film)->click();
        QCOMPARE(built, 2);
        QCOMPARE(last->windowTitle(), u"Second caption"_s);
        last->close();

        // The inventory shows only after the main window has gone.
        knp(MainButton::Inventory)->click();
        QCOMPARE(built, 3);
        QVERIFY(!last->mainVisibleAtShow);
        last->close();
        QVERIFY(main().isVisible());
        QCOMPARE(ended, 0);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theFilmButtonBuildsAFreshFilmWindowEachTime() {
        writeTextFile(captionFilePath(catalogue->path()), u"Films caption\n"_s);
        const auto shownFilmWindow = []() -> TFilmForm* {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* film = qobject_cast<TFilmForm*>(widget); film && film->isVisible())
                    return film;
            }
            return nullptr;
        };
        startUp();
        knp(MainButton::Film)->click();
        QPointer<TFilmForm> first = shownFilmWindow();
        QVERIFY(first);
        QCOMPARE(first->windowTitle(), u"Films caption"_s);
        QVERIFY(app->tdm().filmTb().isOpen());
        QVERIFY(!main().isVisible());
        first->close();
        QVERIFY(!app->tdm().filmTb().isOpen());
        QVERIFY(main().isVisible());
        QTRY_VERIFY(first.isNull());

        writeTextFile(captionFilePath(catalogue->path()), u"Another caption\n"_s);
        knp(MainButton::Film)->click();
        TFilmForm* second = shownFilmWindow();
        QVERIFY(second);
        QCOMPARE(second->windowTitle(), u"Another caption"_s);
        second->close();
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theLiteratureButtonOpensTheLiteratureWindow() {
        startUp();
        knp(MainButton::Literature)->click();
        QPointer<TBokForm> books;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<TBokForm*>(widget); window && window->isVisible())
                books = window;
        }
        QVERIFY(books);
        QVERIFY(app->tdm().bokTb().isOpen());
        QVERIFY(!main().isVisible());
        books->close();
        QVERIFY(!app->tdm().bokTb().isOpen());
        QVERIFY(main().isVisible());
        QTRY_VERIFY(books.isNull());
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void aFilmWindowStillOpenAtTheEndGoesBeforeTheTables() {
        startUp();
        knp(MainButton::Film)->click();
        QPointer<TFilmForm> film;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<TFilmForm*>(widget))
                film = window;
        }
        QVERIFY(film);
        app.reset();
        QVERIFY(film.isNull());
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void theAddressBookIsBuiltOnceAndOnlyHidesWhenClosed() {
        writeTextFile(captionFilePath(catalogue->path()), u"Address caption\n"_s);
        QPointer<TAdressForm> book = &app->adressForm();
        QVERIFY(!book->isVisible());
        // The lend-out dialog can hand borrowers to it.
        QVERIFY(app->lending().fillinForm().findChild<QCheckBox*>(u"AddressBox"_s)->isEnabled());
        QVERIFY(!knp(MainButton::Addresses)->isEnabled()); // not before the tables are open
        startUp();
        QVERIFY(knp(MainButton::Addresses)->isEnabled());
        knp(MainButton::Addresses)->click();
        QVERIFY(book->isVisible());
        QCOMPARE(book->windowTitle(), u"Address caption"_s);
        QVERIFY(app->tdm().adressTb().isOpen());
        QVERIFY(!main().isVisible());
        book->close();
        QVERIFY(main().isVisible());
        QVERIFY(!app->tdm().adressTb().isOpen());
        QCoreApplication::processEvents();
        QVERIFY(!book.isNull()); // hidden, not destroyed
        knp(MainButton::Addresses)->click();
        QCOMPARE(book.data(), &app->adressForm());
        QVERIFY(book->isVisible());
        book->close();
        QCOMPARE(ended, 0);
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void propertiesStayOverTheMainWindowAndHelpOpens() {
        startUp();
        bool shownWhileMainVisible = false;
        main().setDialogOpener(MainButton::Properties,
                               [&] { shownWhileMainVisible = main().isVisible(); });
        QVERIFY(knp(MainButton::Properties)->isEnabled());
        knp(MainButton::Properties)->click();
        QVERIFY(shownWhileMainVisible);
        QVERIFY(main().isVisible());

        knp(MainButton::Help)->click();
        THelpForm& help = app->helpForm();
        QVERIFY(help.isVisible());
        QCOMPARE(help.tabs()->currentIndex(), 0); // at its contents
        QVERIFY(help.browser()->source().toLocalFile().endsWith(u"/index.html"_s));
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void thePropertiesButtonShowsThePropertiesWindowModally() {
        startUp();
        QString shownTab;
        bool modalOverVisibleMain = false;
        test::whenModal([&](QWidget* modal) {
            QCOMPARE(modal, &app->configForm());
            modalOverVisibleMain = app->configForm().isModal() && main().isVisible();
            shownTab = app->configForm().tabs()->tabText(app->configForm().tabs()->currentIndex());
            app->configForm().findChild<QPushButton*>(u"CloseKnp"_s)->click();
        });
        knp(MainButton::Properties)->click();
        QVERIFY(modalOverVisibleMain);
        QCOMPARE(shownTab, u"Music"_s);
        QVERIFY(!app->configForm().isVisible());
        QVERIFY(main().isVisible());
        HOARDLY_VERIFY_DIALOGS(dialogs);
    }

    void twoTipsInARowShowOnlyTheSecond() {
        QString firstSeen;
        whenModalShows([&](QDialog& tips) {
            QCOMPARE(tips.windowTitle(), u"Tip & Hint"_s);
            firstSeen = app->tipsForm().text();
        });
        app->showTips({u"First caller"_s, QString(), u"its second paragraph"_s});
        QCOMPARE(firstSeen, u"First caller\n\nits second paragraph"_s);

        const QString longLine = QString(u"A long tip that must wrap in the box. "_s).repeated(60);
        QString secondSeen;
        int scrollRange = 0;
        whenModalShows([&](QDialog& tips) {
            secondSeen = app->tipsForm().text();
            auto* memo = tips.findChild<QPlainTextEdit*>();
            QVERIFY(memo->isReadOnly());
            scrollRange = memo->verticalScrollBar()->maximum();
            auto* close = tips.findChild<QPushButton*>(u"closeKnp"_s);
            QCOMPARE(close->text(), u"&Close"_s);
            QVERIFY(close->isDefault());
        });
        app->showTips({u"Second caller"_s, longLine});
        QCOMPARE(secondSeen, u"Second caller\n"_s + longLine);
        QVERIFY(scrollRange > 0); // wrapped onto many lines and scrollable
    }

    void theAboutWindow() {
        bool looked = false;
        whenModalShows([&](QDialog& about) {
            looked = true;
            QCOMPARE(about.windowTitle(), u"About"_s);
            QCOMPARE(about.findChild<QLabel*>(u"productName"_s)->text(), u"Hoardly"_s);
            QCOMPARE(about.findChild<QLabel*>(u"version"_s)->text(), u"Version 1.01 "_s);
            QVERIFY(about.findChild<QLabel*>(u"downloadLink"_s)
                        ->text()
                        .contains(u"href=\"%1\""_s.arg(QString::fromLatin1(kDownloadAddress))));
            auto* ok = about.findChild<QPushButton*>(u"okKnp"_s);
            QCOMPARE(ok->text(), u"&OK"_s);
            QVERIFY(ok->isDefault());
        });
        app->showAbout();
        QVERIFY(looked);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
