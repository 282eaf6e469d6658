#include "ContextFixture.h"
#include "FileBytes.h"
#include "WidgetHelpers.h"
#include "maintenance/BackUpForm.h"
#include "maintenance/BackupProcessForm.h"
#include "maintenance/Restore.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;
using test::child;
using test::readBytes;
using test::writeBytes;

namespace {

const BackupTimings kQuick{0, 0, 0, 0};

const QStringList kTableFiles{u"Config.db"_s, u"Musik.DB"_s, u"Standard.db"_s, u"Value.DB"_s,
                              u"adress.DB"_s, u"bok.DB"_s,   u"borrow.db"_s,   u"data.DB"_s,
                              u"film.DB"_s,   u"kod.db"_s,   u"song.db"_s};

QString in(const QString& directory, const QString& name) {
    return QDir(directory).filePath(name);
}

} // namespace

class TestBackupRestore : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ContextFixture> fixture;
    std::unique_ptr<QTemporaryDir> backupRoot;
    QString appPath;
    QString backupPath;

    test::ScriptedDialogs& dialogs() { return fixture->dialogs; }
    QString app(const QString& name) const { return in(appPath, name); }
    QString backup(const QString& name) const { return in(backupPath, name); }

    // Runs a backup in its window to its end; the window is kept for a look at what it showed.
    std::unique_ptr<TBackUpProcessForm> backUp() {
        auto form =
            std::make_unique<TBackUpProcessForm>(fixture->context, backupPath, appPath, kQuick);
        form->exec();
        return form;
    }
    void expectBackupHoldsTheApplicationsFiles() {
        for (const QString& name : kTableFiles)
            QVERIFY2(readBytes(backup(name)) == readBytes(app(name)), qPrintable(name));
        for (const QString& name : QDir(app(u"midi"_s)).entryList(QDir::Files))
            QVERIFY2(readBytes(backup(u"midi/"_s + name)) == readBytes(app(u"midi/"_s + name)),
                     qPrintable(name));
    }
    void setBackupPath(const QString& path) {
        fixture->setConfig(u"Backuppath = '%1'"_s.arg(path));
    }

    struct RestoreLog {
        QStringList steps;
        bool ended = false;
    };
    RestoreSteps loggingSteps(RestoreLog& log) {
        return {[&log] { log.steps << u"choose"_s; }, [&log] { log.steps << u"untick"_s; },
                [&log] { log.steps << u"music"_s; }, [&log] { log.ended = true; }};
    }
    void answerTheTwoRestoreQuestions() {
        dialogs().answer(Answer::Yes);
        dialogs().answer(Answer::Yes);
    }

private slots:
    void init() {
        fixture = std::make_unique<test::ContextFixture>();
        backupRoot = std::make_unique<QTemporaryDir>();
        appPath = fixture->catalogue.path();
        backupPath = in(backupRoot->path(), u"backup"_s);
        fixture->run.appDir = appPath;
        fixture->setConfig(u"Applikationpath = '%1'"_s.arg(appPath));
        fixture->tdm.standardTb().open();
    }
    void cleanup() {
        HOARDLY_VERIFY_DIALOGS(dialogs());
        fixture.reset();
        backupRoot.reset();
    }

    void aFirstBackupAsksToCreateItsDirectoryAndNoCopiesNothing() {
        dialogs().answer(Answer::No);
        dialogs().answer(Answer::Ok);
        const auto form = backUp();
        dialogs().expectBox(0, BoxKind::Question, u"Create directory?"_s,
                            u"The directory "_s + backupPath +
                                u" does not exist. Create that directory?"_s,
                            BoxIcon::Question);
        dialogs().expectBox(1, BoxKind::Error, u"Error"_s, u"Interupt backupprocess"_s,
                            BoxIcon::Error);
        QVERIFY(!QFileInfo::exists(backupPath));
        QVERIFY(fixture->tdm.configTb().isOpen() && fixture->tdm.standardTb().isOpen());
    }

    void aBackupListsAndCopiesEveryTableAndMusicFile() {
        QVERIFY(writeBytes(app(u"midi/extra.mid"_s), "a tune that is not in the music list"));
        QVERIFY(writeBytes(app(u"notes.txt"_s), "not taken: no set is for it"));
        fixture->tdm.filmTb().open();
        dialogs().answer(Answer::Yes);
        const auto form = backUp();

        expectBackupHoldsTheApplicationsFiles();
        QVERIFY(QFileInfo::exists(backup(u"midi/extra.mid"_s)));
        QVERIFY(!QFileInfo::exists(backup(u"notes.txt"_s)));
        const QStringList midi = QDir(app(u"midi"_s)).entryList(QDir::Files);
        QStringList expected = kTableFiles + midi;
        expected.sort();
        QCOMPARE(form->listedNames(), expected);
        QCOMPARE(child<QLabel>(*form, u"CountLabel"_s)->text(), QString::number(expected.size()));
        qint64 total = 0;
        for (const QString& name : kTableFiles)
            total += QFileInfo(app(name)).size();
        for (const QString& name : midi)
            total += QFileInfo(app(u"midi/"_s + name)).size();
        QCOMPARE(child<QLabel>(*form, u"SizeLabel"_s)->text(), QString::number(total));
        QCOMPARE(form->status(), u"Finish..........."_s);
        QCOMPARE(form->barValue(), 100);
        QCOMPARE(form->windowTitle(), u"Backup process"_s);
        // Only the settings and the pick lists are open again afterwards.
        QVERIFY(fixture->tdm.configTb().isOpen() && fixture->tdm.standardTb().isOpen());
        QVERIFY(!fixture->tdm.filmTb().isOpen());
    }

    void aSecondBackupReplacesEveryCopyWithoutAsking() {
        QVERIFY(QDir().mkpath(backupPath));
        backUp();
        fixture->catalogue.exec(u"film.DB"_s, u"INSERT INTO Film (Titel) VALUES ('Vertigo')"_s);
        backUp();
        expectBackupHoldsTheApplicationsFiles();
        QVERIFY(dialogs().boxes().isEmpty());
    }

    void musicFilesGoneFromTheApplicationStayInTheBackup() {
        QVERIFY(QDir().mkpath(backupPath));
        QVERIFY(writeBytes(app(u"midi/old.mid"_s), "an old tune"));
        QVERIFY(writeBytes(app(u"midi/midi.dat"_s), "old.mid\n"));
        backUp();
        QVERIFY(QFile::remove(app(u"midi/old.mid"_s)));
        QVERIFY(QFile::remove(app(u"midi/midi.dat"_s)));
        backUp();
        QCOMPARE(readBytes(backup(u"midi/old.mid"_s)), QByteArray("an old tune"));
        // The music list went with the application's: the backup's list is the application's.
        QVERIFY(!QFileInfo::exists(backup(u"midi/midi.dat"_s)));
    }

    void aCopyFailingHalfWayKeepsThePreviousBackup() {
        QVERIFY(QDir().mkpath(backupPath));
        backUp();
        const QByteArray previousSongs = readBytes(backup(u"song.db"_s));
        fixture->catalogue.exec(u"film.DB"_s, u"INSERT INTO Film (Titel) VALUES ('Rebecca')"_s);
        fixture->catalogue.exec(u"song.db"_s, u"INSERT INTO Song (Namn) VALUES ('Blue')"_s);
        // The place where the new song table would be written is taken.
        QVERIFY(QDir(backupPath).mkdir(u"song.db.hoardly-part"_s));
        dialogs().answer(Answer::Ok);
        backUp();
        QCOMPARE(dialogs().boxes().size(), 1);
        const Box& box = dialogs().lastBox();
        QCOMPARE(box.caption, u"Error"_s);
        QVERIFY2(box.text.startsWith(u"L'opération a échouée\n\n"_s), qPrintable(box.text));
        QVERIFY(box.text.contains(u"song.db could not be written"_s));
        QCOMPARE(box.buttons, (QList<Answer>{Answer::Ok, Answer::Cancel}));
        QCOMPARE(readBytes(backup(u"song.db"_s)), previousSongs);
        // The sets after the failed one were copied all the same.
        QCOMPARE(readBytes(backup(u"film.DB"_s)), readBytes(app(u"film.DB"_s)));
        QCOMPARE(readBytes(backup(u"borrow.db"_s)), readBytes(app(u"borrow.db"_s)));
    }

    void aBackupWithoutADirectoryIsRefused() {
        backupPath.clear();
        dialogs().answer(Answer::Ok);
        backUp();
        dialogs().expectLastBox(BoxKind::Error, u"Error"_s,
                                u"You must choice a backup directory "_s);
        QVERIFY(fixture->tdm.configTb().isOpen());
    }

    void theDirectoryDialogWorksOnTheWorkingDirectory() {
        const QString before = QDir::currentPath();
        TBackUpForm form(fixture->context);
        QString shown;
        form.setPathShown([&](const QString& path) { shown = path; });
        QCOMPARE(form.windowTitle(), u"Backup directory"_s);
        QVERIFY(QDir().mkpath(in(backupRoot->path(), u"usb/hoardly"_s)));
        form.moveTreeTo(in(backupRoot->path(), u"usb"_s));
        QCOMPARE(QDir::currentPath(), in(backupRoot->path(), u"usb"_s));
        QCOMPARE(form.pathEdit()->text(), in(backupRoot->path(), u"usb"_s));

        dialogs().answerText(u"backups"_s);
        dialogs().answer(Answer::Ok);
        form.NewFolderClick();
        dialogs().expectLastBox(BoxKind::Plain, u"Hoardly"_s,
                                u"Directory created, Click and go to that directory if you would "
                                "like to use it as your backupdirectory."_s);
        QVERIFY(QFileInfo(in(backupRoot->path(), u"usb/backups"_s)).isDir());
        for (const std::optional<QString>& name :
             {std::optional<QString>(u""_s), std::optional<QString>(),
              std::optional(u"backups"_s)}) {
            dialogs().answerText(name);
            dialogs().answer(Answer::Ok);
            form.NewFolderClick();
            dialogs().expectLastBox(BoxKind::Plain, u"Hoardly"_s,
                                    u"Failed to create the directory. Check your drives"_s);
        }
        QCOMPARE(dialogs().textRequests().first().caption, u"New directory"_s);
        QCOMPARE(dialogs().textRequests().first().prompt, u"Write the new directorys name"_s);

        form.pathEdit()->setText(in(backupRoot->path(), u"usb/hoardly"_s));
        form.OkKnpClick();
        QCOMPARE(fixture->tdm.configTb().asText(u"Backuppath"_s),
                 in(backupRoot->path(), u"usb/hoardly"_s));
        QCOMPARE(shown, in(backupRoot->path(), u"usb/hoardly"_s));
        // An empty edit closes without a change.
        form.pathEdit()->clear();
        form.OkKnpClick();
        QCOMPARE(fixture->catalogue.scalar(u"Config.db"_s, u"SELECT Backuppath FROM Config"_s),
                 in(backupRoot->path(), u"usb/hoardly"_s));
        QVERIFY(form.driveList()->count() > 0);
        QDir::setCurrent(before);
    }

    void aRestoreWithoutADirectoryOrWithADoubtLeadsToTheDialog() {
        RestoreLog log;
        dialogs().answer(Answer::Ok);
        runRestore(fixture->context, nullptr, loggingSteps(log));
        dialogs().expectBox(0, BoxKind::Confirm, u"Confirm"_s,
                            u"Select the directory where your backupfiles are stored."_s,
                            BoxIcon::Question);
        QCOMPARE(log.steps, (QStringList{u"choose"_s, u"untick"_s}));

        setBackupPath(backupPath);
        log = {};
        dialogs().answer(Answer::No);
        dialogs().answer(Answer::Ok);
        runRestore(fixture->context, nullptr, loggingSteps(log));
        dialogs().expectBox(1, BoxKind::Question, u"Säkerhetsfolder"_s,
                            u"Are you sure your backupfiles are in the directory "_s + backupPath +
                                u"?"_s,
                            BoxIcon::Question);
        dialogs().expectLastBox(BoxKind::Information, u"Information"_s,
                                u"Select the directory where your backupfiles are and start up the "
                                "restore process again."_s);
        // The music stop is asked from here on; it knows itself whether anything plays.
        QCOMPARE(log.steps, (QStringList{u"music"_s, u"choose"_s, u"untick"_s}));

        log = {};
        dialogs().answer(Answer::Yes);
        dialogs().answer(Answer::Ok);
        runRestore(fixture->context, nullptr, loggingSteps(log));
        dialogs().expectLastBox(BoxKind::Error, u"Error"_s,
                                u"Diretcory "_s + backupPath + u"does not exist!. Abort."_s);
        QCOMPARE(log.steps, (QStringList{u"music"_s, u"untick"_s}));
        QVERIFY(!log.ended);
    }

    void aNoToTheWarningLeavesEverything() {
        QVERIFY(QDir().mkpath(backupPath));
        setBackupPath(backupPath);
        RestoreLog log;
        dialogs().answer(Answer::Yes);
        dialogs().answer(Answer::No);
        runRestore(fixture->context, nullptr, loggingSteps(log));
        dialogs().expectLastBox(BoxKind::Question, u"Start the restoreprocess"_s,
                                u"Warning! This action will replace all your database files with "
                                "the files from your backupdirectory. After this process Hoardly "
                                "will shut down and you must restart Hoardly. Are you absolute "
                                "sure you want do start the restore process?"_s);
        QCOMPARE(dialogs().lastBox().icon, BoxIcon::Exclamation);
        QVERIFY(log.steps == QStringList{u"music"_s} && !log.ended);
        QVERIFY(fixture->tdm.configTb().isOpen());
    }

    void aRestoreBringsBackTheBackupAndEndsTheProgram() {
        QVERIFY(QDir().mkpath(backupPath));
        setBackupPath(backupPath);
        fixture->setConfig(u"Mailid = 'Greta', SMTP = 'mail.example', PW = 'scrambled'"_s);
        backUp();
        QVERIFY(writeBytes(backup(u"notes.txt"_s), "any file of the backup comes back"));
        QVERIFY(QFile::remove(backup(u"Value.DB"_s)));
        // After the backup: changes that the restore takes back, and one it leaves.
        fixture->setConfig(u"Mailid = 'Other', SMTP = '', PW = ''"_s);
        fixture->catalogue.exec(u"film.DB"_s, u"INSERT INTO Film (Titel) VALUES ('Later')"_s);
        fixture->catalogue.exec(u"Value.DB"_s, u"INSERT INTO Value (Benamning) VALUES ('Lamp')"_s);
        const QByteArray inventory = readBytes(app(u"Value.DB"_s));
        QVERIFY(QFile::remove(app(u"midi/test.wav"_s)));

        RestoreLog log;
        answerTheTwoRestoreQuestions();
        dialogs().answer(Answer::Yes);      // Config.db exists: replace it
        dialogs().answer(Answer::YesToAll); // and all the others
        dialogs().answer(Answer::YesToAll); // the music folder's files
        dialogs().answer(Answer::Ok);
        runRestore(fixture->context, nullptr, loggingSteps(log));
        QTRY_VERIFY(log.ended);
        dialogs().expectLastBox(BoxKind::Plain, u"Hoardly"_s,
                                u"Hoardly will now shut down. Restart it."_s);
        QCOMPARE(dialogs().boxes().at(2).kind, BoxKind::Custom);
        QCOMPARE(dialogs().boxes().at(2).caption, u"Confirm File Replace"_s);
        QCOMPARE(dialogs().boxes().at(2).buttons,
                 (QList<Answer>{Answer::Yes, Answer::YesToAll, Answer::No, Answer::Cancel}));
        QCOMPARE(dialogs().boxes().size(), 6);
        QVERIFY(!fixture->tdm.configTb().isOpen());

        QCOMPARE(readBytes(app(u"film.DB"_s)), readBytes(backup(u"film.DB"_s)));
        QCOMPARE(readBytes(app(u"notes.txt"_s)), QByteArray("any file of the backup comes back"));
        QCOMPARE(readBytes(app(u"Value.DB"_s)), inventory);
        QCOMPARE(readBytes(app(u"midi/test.wav"_s)), readBytes(backup(u"midi/test.wav"_s)));
        // The next start reads the restored settings.
        TDM next;
        next.setDirectoryOfClosed(appPath);
        next.configTb().open();
        QCOMPARE(next.configTb().asText(u"Mailid"_s), u"Greta"_s);
        QCOMPARE(next.configTb().asText(u"SMTP"_s), u"mail.example"_s);
        QCOMPARE(next.configTb().asText(u"PW"_s), u"scrambled"_s);
        QCOMPARE(next.configTb().asText(u"Backuppath"_s), backupPath);
    }

    void aReplaceAnsweredNoKeepsThatFileAndCancelBreaksOff() {
        QVERIFY(QDir().mkpath(backupPath));
        setBackupPath(backupPath);
        backUp();
        fixture->catalogue.exec(u"film.DB"_s, u"INSERT INTO Film (Titel) VALUES ('Kept')"_s);
        const QByteArray films = readBytes(app(u"film.DB"_s));
        RestoreLog log;
        answerTheTwoRestoreQuestions();
        const QStringList names = QDir(backupPath).entryList(QDir::Files, QDir::Name);
        for (const QString& name : names)
            dialogs().answer(name == u"film.DB"_s ? Answer::No : Answer::Yes);
        dialogs().answer(Answer::Cancel); // the music folder's first file
        dialogs().answer(Answer::Ok);     // "Opération interrompu par l'utilisateur"
        dialogs().answer(Answer::Ok);
        runRestore(fixture->context, nullptr, loggingSteps(log));
        QTRY_VERIFY(log.ended);
        QCOMPARE(readBytes(app(u"film.DB"_s)), films);
        QCOMPARE(dialogs().boxes().at(dialogs().boxes().size() - 2).text,
                 u"Opération interrompu par l'utilisateur"_s);
    }

    void aDamagedTableInTheBackupIsRefusedWithNothingChanged() {
        QVERIFY(QDir().mkpath(backupPath));
        setBackupPath(backupPath);
        backUp();
        QVERIFY(writeBytes(backup(u"bok.DB"_s), QByteArray(8192, '#')));
        QHash<QString, QByteArray> before;
        for (const QString& name : kTableFiles)
            before.insert(name, readBytes(app(name)));
        RestoreLog log;
        answerTheTwoRestoreQuestions();
        dialogs().answer(Answer::Ok);
        runRestore(fixture->context, nullptr, loggingSteps(log));
        dialogs().expectLastBox(BoxKind::Error, u"Error"_s,
                                backup(u"bok.DB"_s) +
                                    u" is not a table file: it is damaged or of another kind.\n\n"
                                    "Nothing was restored. Choose a backup directory whose table "
                                    "files are whole."_s);
        QCOMPARE(log.steps, (QStringList{u"music"_s, u"untick"_s}));
        QVERIFY(!log.ended);
        QVERIFY(fixture->tdm.configTb().isOpen());
        for (const QString& name : kTableFiles)
            QVERIFY2(readBytes(app(name)) == before.value(name), qPrintable(name));
    }
};

QTEST_MAIN(TestBackupRestore)
#include "test_backup_restore.moc"
