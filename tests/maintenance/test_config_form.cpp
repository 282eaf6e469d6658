#include "ContextFixture.h"
#include "WidgetHelpers.h"
#include "lending/InternetPage.h"
#include "lending/LendingGrid.h"
#include "maintenance/BackupsGroup.h"
#include "maintenance/ConfigForm.h"
#include "maintenance/PropertiesPage.h"
#include "security/PasswordGroup.h"
#include "security/PasswordPrompt.h"
#include "security/Scramble.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

using test::child;

namespace {

// What the backup actions were asked to do.
struct ActionLog {
    QStringList calls;
};

} // namespace

class TestConfigForm : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ContextFixture> fixture;
    test::TempCatalogue* catalogue = nullptr;
    TDM* tdm = nullptr;
    RunState* run = nullptr;
    test::ScriptedDialogs* dialogs = nullptr;
    AppContext* context = nullptr;
    std::unique_ptr<TPwForm2> currentPassword;
    std::unique_ptr<TConfigForm> form;
    ActionLog actions;

    void build(BackupActions backupActions = {}) {
        form = std::make_unique<TConfigForm>(
            PropertiesParts{*context, *currentPassword, std::move(backupActions)});
    }
    BackupActions loggingActions() {
        return {
            [this](QWidget*, const QString& to, const QString& from) {
                actions.calls << u"backup %1 from %2"_s.arg(to, from);
            },
            [this](QWidget*, const std::function<void()>&,
                   const std::function<void(const QString&)>&) { actions.calls << u"restore"_s; },
            [this](QWidget*, const std::function<void(const QString&)>&) {
                actions.calls << u"choose"_s;
            }};
    }
    void open() {
        form->show();
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    // The window opens on "Music"; the password and the backups are on "Security".
    void openOnSecurity() {
        open();
        showTab(u"Security"_s);
    }
    void setConfig(const QString& assignments) { fixture->setConfig(assignments); }
    QString config(const QString& field) const {
        return catalogue->scalar(u"Config.db"_s,
                                 u"SELECT ifnull(%1, 'NULL') FROM Config"_s.arg(field));
    }
    QString wholeConfigRow() const {
        return catalogue->scalar(u"Config.db"_s, u"SELECT quote(Applikationpath) || AppPathChecked "
                                                 "|| First_time || Musicon || Soundcard || Backup "
                                                 "|| quote(Backuppath) || Copyfiles || Delfiles || "
                                                 "quote(PW) || Krypterad || quote(Mailid) || "
                                                 "quote(Mailadress) || quote(SMTP) || Mailport "
                                                 "FROM Config"_s);
    }
    PasswordGroup& passwordGroup() { return *child<PasswordGroup>(*form, u"PasswordGroup"_s); }
    BackupsGroup& backupsGroup() { return *child<BackupsGroup>(*form, u"BackupsGroup"_s); }
    QCheckBox* box(const QString& name) { return child<QCheckBox>(*form, name); }
    QPushButton* button(const QString& name) { return child<QPushButton>(*form, name); }
    QWidget* focused() const { return QApplication::focusWidget(); }
    void showTab(const QString& title) {
        for (int i = 0; i < form->tabs()->count(); ++i) {
            if (form->tabs()->tabText(i) == title)
                form->tabs()->setCurrentIndex(i);
        }
        QCOMPARE(form->tabs()->tabText(form->tabs()->currentIndex()), title);
    }

    // "C&hange" with no password set: the group goes to entering.
    void startEntering() {
        dialogs->answer(Answer::Ok);
        button(u"ChangeKnp"_s)->click();
        QVERIFY(passwordGroup().isEntering());
    }

private slots:
    void init() {
        fixture = std::make_unique<test::ContextFixture>();
        catalogue = &fixture->catalogue;
        tdm = &fixture->tdm;
        run = &fixture->run;
        dialogs = &fixture->dialogs;
        context = &fixture->context;
        setConfig(u"Applikationpath = '/home/me/Hoardly', AppPathChecked = 1"_s);
        actions = {};
        currentPassword = std::make_unique<TPwForm2>(*context);
        build();
    }
    void cleanup() {
        HOARDLY_VERIFY_DIALOGS(*dialogs);
        form.reset();
        currentPassword.reset();
        fixture.reset();
    }

    void theTabsStandInTheirOrderAboveTheCloseButton() {
        QCOMPARE(form->windowTitle(), u"Properties"_s);
        QStringList titles;
        for (int i = 0; i < form->tabs()->count(); ++i)
            titles << form->tabs()->tabText(i);
        QCOMPARE(titles, (QStringList{u"Music"_s, u"Security"_s, u"Internet"_s, u"Lending"_s}));
        QCOMPARE(button(u"CloseKnp"_s)->text(), u"Cl&ose"_s);
        QCOMPARE(button(u"CloseKnp"_s)->toolTip(), u"Close this form"_s);
        open();
        button(u"CloseKnp"_s)->click();
        QVERIFY(!form->isVisible());
    }

    void theWindowOpensOnTheFirstTabEachTime() {
        open();
        QCOMPARE(form->tabs()->currentIndex(), 0);
        form->tabs()->setCurrentIndex(1);
        form->close();
        open();
        QCOMPARE(form->tabs()->currentIndex(), 0);
    }

    void openingShowsTheSettingsAndChangesNone() {
        setConfig(u"Backup = 1, Backuppath = '/media/backup', PW = 'x', Krypterad = 1"_s);
        const QString before = wholeConfigRow();
        open();
        QVERIFY(box(u"AutomaticBox"_s)->isChecked());
        QCOMPARE(child<QLabel>(*form, u"PathLabel"_s)->text(), u"/media/backup"_s);
        form->tabs()->setCurrentIndex(1);
        form->close();
        QCOMPARE(wholeConfigRow(), before);
        QVERIFY(!run->dataChanged);

        // Changed while the window was closed: the next opening shows it.
        setConfig(u"Backup = 0"_s);
        open();
        QVERIFY(!box(u"AutomaticBox"_s)->isChecked());
    }

    void theAutomaticBackupBoxIsWrittenAtOnce() {
        openOnSecurity();
        QCOMPARE(child<QLabel>(*form, u"AutomaticText"_s)->text(),
                 u"Automatic backup processing every\ntime You close Hoardly and if \nany "
                 "record has been changed "_s);
        QVERIFY(box(u"AutomaticBox"_s)->text().isEmpty());
        QTest::mouseClick(box(u"AutomaticBox"_s), Qt::LeftButton);
        QCOMPARE(config(u"Backup"_s), u"1"_s);
        QTest::mouseClick(box(u"AutomaticBox"_s), Qt::LeftButton);
        QCOMPARE(config(u"Backup"_s), u"0"_s);
        QVERIFY(!run->dataChanged); // a setting is no record change
    }

    void aBoxThatCannotBeWrittenShowsTheSettingAgain() {
        open();
        tdm->configTb().close(); // as if the settings table had gone away
        dialogs->answer(Answer::Ok);
        box(u"AutomaticBox"_s)->click();
        QCOMPARE(dialogs->boxes().size(), 1); // one box for the one fault
        QCOMPARE(dialogs->lastBox().kind, BoxKind::ErrorBox);
        QVERIFY(!box(u"AutomaticBox"_s)->isChecked());
        QCOMPARE(config(u"Backup"_s), u"0"_s);
    }

    void enterMovesToTheNextControlAndPressesNoButton() {
        openOnSecurity();
        startEntering();
        QTRY_COMPARE(focused(), passwordGroup().passwordEdit());
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(focused(), passwordGroup().verifyEdit());
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(focused(), button(u"PwOkKnp"_s));
        QTest::keyClick(focused(), Qt::Key_Enter);
        QVERIFY(focused() != button(u"PwOkKnp"_s));
        // No box came up (O&K was not pressed) and the window is still open.
        QCOMPARE(dialogs->boxes().size(), 1);
        QVERIFY(form->isVisible());
    }

    void closingInAnyWayResetsThePasswordGroup_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cl&ose") << u"button"_s;
        QTest::newRow("ESC") << u"escape"_s;
        QTest::newRow("the close box") << u"closebox"_s;
    }
    void closingInAnyWayResetsThePasswordGroup() {
        QFETCH(QString, how);
        open();
        startEntering();
        passwordGroup().passwordEdit()->setText(u"half"_s);
        passwordGroup().verifyEdit()->setText(u"ha"_s);
        if (how == u"button"_s)
            button(u"CloseKnp"_s)->click();
        else if (how == u"escape"_s)
            QTest::keyClick(form.get(), Qt::Key_Escape);
        else
            form->close();
        QVERIFY(!form->isVisible());
        QVERIFY(!passwordGroup().isEntering());
        QVERIFY(passwordGroup().passwordEdit()->text().isEmpty());
        QVERIFY(passwordGroup().passwordEdit()->isReadOnly());
        QVERIFY(passwordGroup().verifyEdit()->text().isEmpty());
        QVERIFY(!passwordGroup().verifyEdit()->isVisible());
        QVERIFY(config(u"PW"_s) == u"NULL"_s || config(u"PW"_s).isEmpty());
    }

    void eachOpeningReadsWhetherAPasswordIsSet() {
        open();
        startEntering();
        passwordGroup().passwordEdit()->setText(u"Kod1"_s);
        passwordGroup().verifyEdit()->setText(u"kod1"_s);
        dialogs->answer(Answer::Ok);
        button(u"PwOkKnp"_s)->click();
        QCOMPARE(config(u"PW"_s), ScrambleText(u"Kod1"_s));
        form->close();

        // Set while the window was open: the prompt guards the change.
        open();
        test::whenModal([this](QWidget* modal) {
            QCOMPARE(modal, currentPassword.get());
            currentPassword->reject();
        });
        button(u"ChangeKnp"_s)->click();
        QVERIFY(!passwordGroup().isEntering());
        form->close();

        // Gone while the window was closed: no prompt at the next opening.
        setConfig(u"PW = NULL"_s);
        open();
        startEntering();
    }

    void theLendingTabShowsTheLoansWithItsOwnTexts() {
        catalogue->exec(u"borrow.db"_s,
                        u"INSERT INTO Borrow (Objektyp, Objekt, \"Utlanad till\", "
                        "\"Utlanad datum\", Tele, Send_mail, Has_sent) VALUES ('Film', 'Alien', "
                        "'Eva Lind', '2024-01-02', '08-55', 1, 0)"_s);
        QVERIFY(!tdm->borrowTb().isOpen());
        open();
        QVERIFY(tdm->borrowTb().isOpen()); // opened with the window
        auto* grid = child<LendingGrid>(*form, u"LendingGrid"_s);
        QVERIFY(!grid->backAction());
        QCOMPARE(grid->grid()->model()->headerData(2, Qt::Horizontal).toString(), u"Lent date"_s);
        showTab(u"Lending"_s);
        // Showing the tab puts the focus in the grid and sets the no-reminder button.
        QTRY_COMPARE(focused(), grid->grid());
        QVERIFY(grid->noReminderAction()->isEnabled());
        QCOMPARE(grid->grid()->model()->rowCount(), 1);

        dialogs->answer(Answer::Yes);
        grid->returnAction()->trigger();
        dialogs->expectLastBox(BoxKind::Question, u"Mark as returned"_s,
                               u"Do you want to mark the object [ Alien ] as returned?"_s);
        QCOMPARE(catalogue->scalar(u"borrow.db"_s, u"SELECT count(*) FROM Borrow"_s), u"0"_s);
        QVERIFY(run->dataChanged);
        QVERIFY(!grid->noReminderAction()->isEnabled());
    }

    void theInternetTabShowsTheMailSettingsAtEachOpening() {
        setConfig(u"Mailid = 'Anna Berg', Mailadress = 'anna@example.se', SMTP = "
                  "'smtp.example.se', Mailport = 587"_s);
        open();
        showTab(u"Internet"_s);
        auto* page = child<InternetPage>(*form, u"InternetPage"_s);
        QCOMPARE(page->nameEdit()->text(), u"Anna Berg"_s);
        QCOMPARE(page->portEdit()->text(), u"587"_s);
        QVERIFY(page->nameEdit()->isReadOnly());
        // What was typed without "&OK" is gone at the next opening; the settings stay.
        page->ChangeKnpClick();
        page->smtpEdit()->setText(u"typed.example.se"_s);
        form->close();
        setConfig(u"Mailport = 25"_s);
        open();
        QCOMPARE(page->smtpEdit()->text(), u"smtp.example.se"_s);
        QCOMPARE(page->portEdit()->text(), u"25"_s);
        QVERIFY(page->smtpEdit()->isReadOnly());
        QVERIFY(!page->changing());
        QCOMPARE(config(u"SMTP"_s), u"smtp.example.se"_s);
    }

    void theBackupActionsAreLeftOutUntilTheyExist() {
        openOnSecurity();
        QVERIFY(box(u"AutomaticBox"_s)->isVisible());
        QVERIFY(child<QLabel>(*form, u"PathLabel"_s)->isVisible());
        for (const QString& name :
             {u"StartBox"_s, u"RestoreBox"_s, u"BackupOkKnp"_s, u"ChangeFolderKnp"_s})
            QVERIFY2(!child<QWidget>(*form, name)->isVisible(), qPrintable(name));
    }

    void theActionBoxesExcludeEachOtherAndEnableOk() {
        build(loggingActions());
        openOnSecurity();
        QCheckBox* start = box(u"StartBox"_s);
        QCheckBox* restore = box(u"RestoreBox"_s);
        QPushButton* ok = button(u"BackupOkKnp"_s);
        QCOMPARE(start->text(), u"Start backup process now"_s);
        QCOMPARE(restore->text(), u"Restore backup"_s);
        QCOMPARE(ok->text(), u"&OK"_s);
        QCOMPARE(button(u"ChangeFolderKnp"_s)->text(), u"&Change Folder"_s);
        QVERIFY(start->isVisible() && restore->isVisible() && ok->isVisible());
        QVERIFY(!ok->isEnabled());

        start->click();
        QVERIFY(ok->isEnabled());
        restore->click();
        QVERIFY(restore->isChecked());
        QVERIFY(!start->isChecked());
        QVERIFY(ok->isEnabled());
        restore->click();
        QVERIFY(!ok->isEnabled());
        QVERIFY(actions.calls.isEmpty());
    }

    void aBackupNeedsADirectory() {
        build(loggingActions());
        open();
        box(u"StartBox"_s)->click();
        dialogs->answer(Answer::Ok);
        button(u"BackupOkKnp"_s)->click();
        dialogs->expectLastBox(BoxKind::Error, u"Error"_s, u"You have not choice a backupfolder"_s);
        QVERIFY(actions.calls.isEmpty());
        QVERIFY(box(u"StartBox"_s)->isChecked());

        // The directory dialog shows its choice in the group; the backup then runs and the
        // window stays open.
        button(u"ChangeFolderKnp"_s)->click();
        QCOMPARE(actions.calls, QStringList{u"choose"_s});
        setConfig(u"Backuppath = '/media/backup'"_s);
        backupsGroup().setBackupPath(u"/media/backup"_s);
        QCOMPARE(child<QLabel>(*form, u"PathLabel"_s)->text(), u"/media/backup"_s);
        button(u"BackupOkKnp"_s)->click();
        QCOMPARE(actions.calls.last(), u"backup /media/backup from /home/me/Hoardly"_s);
        QVERIFY(!box(u"StartBox"_s)->isChecked());
        QVERIFY(!button(u"BackupOkKnp"_s)->isEnabled());
        QVERIFY(form->isVisible());

        box(u"RestoreBox"_s)->click();
        button(u"BackupOkKnp"_s)->click();
        QCOMPARE(actions.calls.last(), u"restore"_s);
        QCOMPARE(actions.calls.size(), 3);
    }
};

QTEST_MAIN(TestConfigForm)
#include "test_config_form.moc"
