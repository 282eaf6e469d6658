#include "ContextFixture.h"
#include "FileBytes.h"
#include "RecordingMusic.h"
#include "WidgetHelpers.h"
#include "maintenance/BackupsGroup.h"
#include "maintenance/ConfigForm.h"
#include "maintenance/MusicPage.h"
#include "security/PasswordPrompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

using test::child;

// The "Music" tab of the properties window over a catalogue of its own.
class TestMusicPage : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ContextFixture> fixture;
    std::unique_ptr<TPwForm2> currentPassword;
    std::unique_ptr<TConfigForm> form;
    test::RecordingMusic music;
    QStringList backups;
    QTemporaryDir elsewhere;

    test::ScriptedDialogs& dialogs() { return fixture->dialogs; }
    QString app() const { return fixture->catalogue.path(); }
    QString midi(const QString& name) const { return QDir(app()).filePath(u"midi/"_s + name); }
    QString config(const QString& field) const {
        return fixture->catalogue.scalar(u"Config.db"_s, u"SELECT %1 FROM Config"_s.arg(field));
    }
    QByteArray listBytes() const { return test::readBytes(midi(u"midi.dat"_s)); }
    void open() {
        form->show();
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    MusicPage& page() { return *child<MusicPage>(*form, u"MusicPage"_s); }
    QListWidget* list() { return page().list(); }
    QCheckBox* box(const QString& name) { return child<QCheckBox>(*form, name); }
    QPushButton* button(const QString& name) { return child<QPushButton>(*form, name); }
    QStringList shownLines() {
        QStringList lines;
        for (int i = 0; i < list()->count(); ++i)
            lines << list()->item(i)->text();
        return lines;
    }
    void select(const QString& entry) {
        const auto found = list()->findItems(entry, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        list()->setCurrentItem(found.first());
    }
    QString songElsewhere(const QString& name) {
        const QString path = elsewhere.filePath(name);
        test::writeBytes(path, "MThd");
        return path;
    }

private slots:
    void init() {
        fixture = std::make_unique<test::ContextFixture>();
        fixture->setConfig(u"Applikationpath = '%1', Musicon = 0, Copyfiles = 0, Delfiles = 0, "
                           "Soundcard = 1"_s.arg(app()));
        fixture->context.music = &music;
        music.calls.clear();
        backups.clear();
        currentPassword = std::make_unique<TPwForm2>(fixture->context);
        BackupActions actions;
        actions.backup = [this](QWidget*, const QString& to, const QString&) { backups << to; };
        form = std::make_unique<TConfigForm>(
            PropertiesParts{fixture->context, *currentPassword, actions});
    }
    void cleanup() {
        // Everything goes before the check, which may end the function.
        const QStringList problems = dialogs().problems();
        form.reset();
        currentPassword.reset();
        fixture.reset();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"; "_s)));
    }

    void theWindowOpensOnTheMusicTabWithTheListAndTheSettings() {
        QCOMPARE(form->tabs()->tabText(0), u"Music"_s);
        QCOMPARE(form->tabs()->count(), 4);
        test::writeBytes(midi(u"midi.dat"_s), "/m/a.mid\r\n/m/b.mp3\r\n");
        fixture->setConfig(u"Musicon = 1, Delfiles = 1"_s);
        const QString before = config(u"Musicon || Copyfiles || Delfiles"_s);
        open();
        form->tabs()->setCurrentIndex(2);
        form->close();
        open();
        QCOMPARE(form->tabs()->currentIndex(), 0);
        QCOMPARE(child<QLabel>(*form, u"MusicListLabel"_s)->text(),
                 u"Musiclist\n(.mid .wav .mp3)"_s);
        QCOMPARE(shownLines(), (QStringList{u"/m/a.mid"_s, u"/m/b.mp3"_s}));
        QVERIFY(box(u"MusicOnBox"_s)->isChecked());
        QVERIFY(!box(u"CopyBox"_s)->isChecked());
        QVERIFY(box(u"DeleteBox"_s)->isChecked());
        QCOMPARE(box(u"MusicOnBox"_s)->text(), u"Always start with music "_s);
        // Opening changed nothing and told nothing about the next start.
        QCOMPARE(config(u"Musicon || Copyfiles || Delfiles"_s), before);
        QVERIFY(dialogs().boxes().isEmpty());

        // Without a list the page shows none.
        form->close();
        QFile::remove(midi(u"midi.dat"_s));
        open();
        QCOMPARE(list()->count(), 0);
    }

    void theSettingBoxesAreWrittenAtOnce() {
        open();
        dialogs().answer(Answer::Ok);
        box(u"MusicOnBox"_s)->click();
        dialogs().expectLastBox(BoxKind::Plain, u"Hoardly"_s,
                                u"This change will have effect next time you start Hoardly"_s);
        QCOMPARE(config(u"Musicon"_s), u"1"_s);
        box(u"CopyBox"_s)->click();
        box(u"DeleteBox"_s)->click();
        QCOMPARE(config(u"Copyfiles || Delfiles"_s), u"11"_s);
        QCOMPARE(dialogs().boxes().size(), 1);
        QVERIFY(!fixture->run.dataChanged);
    }

    void addingPutsTheFileAtTheEndOfTheList() {
        test::writeBytes(midi(u"midi.dat"_s), "/m/a.mid\r\n");
        open();
        const QString song = songElsewhere(u"tune.mid"_s);
        dialogs().answerFile(song);
        button(u"AddKnp"_s)->click();
        QCOMPARE(dialogs().fileRequests().last().filter,
                 u"*.mid, *wav,*.mp3 (*.mid *.wav *.mp3)"_s);
        QCOMPARE(listBytes(), (u"/m/a.mid\r\n"_s + song + u"\r\n"_s).toUtf8());
        QCOMPARE(shownLines().last(), song);
        QVERIFY(fixture->run.dataChanged);

        // Cancelled: nothing changes.
        fixture->run.dataChanged = false;
        dialogs().answerFile(QString());
        button(u"AddKnp"_s)->click();
        QCOMPARE(list()->count(), 2);
        QVERIFY(!fixture->run.dataChanged);
    }

    void withTheCopyBoxTheListNamesTheCopyInTheMusicFolder() {
        fixture->setConfig(u"Copyfiles = 1"_s);
        QVERIFY(QDir(midi(QString())).removeRecursively());
        open();
        const QString song = songElsewhere(u"tune.wav"_s);
        dialogs().answerFile(song);
        button(u"AddKnp"_s)->click();
        const QString copy = midi(u"tune.wav"_s);
        QTRY_COMPARE(shownLines(), QStringList{copy});
        QCOMPARE(test::readBytes(copy), QByteArray("MThd"));
        QCOMPARE(listBytes(), (copy + u"\r\n"_s).toUtf8());
        QVERIFY(QFile::exists(song));

        // A file of the music folder itself is not copied onto itself.
        dialogs().answerFile(copy);
        button(u"AddKnp"_s)->click();
        QCOMPARE(shownLines(), (QStringList{copy, copy}));
    }

    void aListThatCannotBeWrittenIsTold() {
        // A file where the music folder should be: the list cannot be made, whoever runs this.
        QVERIFY(QDir(midi(QString())).removeRecursively());
        QVERIFY(test::writeBytes(QDir(app()).filePath(u"midi"_s), "not a folder"));
        open();
        dialogs().answer(Answer::Ok);
        dialogs().answerFile(songElsewhere(u"tune.mid"_s));
        button(u"AddKnp"_s)->click();
        dialogs().expectLastBox(BoxKind::Plain, u"Hoardly"_s,
                                u"Something went wrong. Could not write to the file. Is the file "
                                "midi.dat writeprotected? Or does not the directory Midi exist? "
                                "Check it!"_s);
        QCOMPARE(list()->count(), 0);
    }

    void removingNeedsAMarkedEntryAndTakesEveryEqualLine() {
        test::writeBytes(midi(u"midi.dat"_s), "/m/a.mid\r\n/m/b.wav\r\n/m/a.mid\r\n");
        open();
        dialogs().answer(Answer::Ok);
        button(u"RemoveKnp"_s)->click();
        dialogs().expectLastBox(BoxKind::Info, u"No melody marked"_s,
                                u"Which melody do you want to remove? You must mark one in the "
                                "list.!"_s);
        QVERIFY(!fixture->run.dataChanged);

        select(u"/m/a.mid"_s);
        button(u"RemoveKnp"_s)->click();
        QCOMPARE(shownLines(), QStringList{u"/m/b.wav"_s});
        QCOMPARE(listBytes(), QByteArray("/m/b.wav\r\n"));
        QVERIFY(!QFile::exists(midi(u"midi.Old"_s)));
        QVERIFY(fixture->run.dataChanged);
    }

    void theDeleteBoxDeletesOnlyFilesInsideTheApplicationDirectory() {
        fixture->setConfig(u"Delfiles = 1"_s);
        const QString inside = midi(u"mine.mid"_s);
        test::writeBytes(inside, "MThd");
        const QString outside = songElsewhere(u"theirs.mid"_s);
        test::writeBytes(midi(u"midi.dat"_s), (inside + u"\r\n"_s + outside + u"\r\n"_s).toUtf8());
        open();
        select(outside);
        button(u"RemoveKnp"_s)->click();
        QVERIFY(QFile::exists(outside));
        select(inside);
        button(u"RemoveKnp"_s)->click();
        QVERIFY(!QFile::exists(inside));
        QCOMPARE(list()->count(), 0);

        // Without the box the file stays.
        form->close();
        fixture->setConfig(u"Delfiles = 0"_s);
        test::writeBytes(inside, "MThd");
        test::writeBytes(midi(u"midi.dat"_s), (inside + u"\r\n"_s).toUtf8());
        open();
        select(inside);
        button(u"RemoveKnp"_s)->click();
        QVERIFY(QFile::exists(inside));
    }

    void theSwitchTheTipAndTheBackupReachTheMusic() {
        open();
        button(u"MusicOnOffKnp"_s)->click();
        QCOMPARE(music.calls, QStringList{u"on/off"_s});
        button(u"TipKnp"_s)->click();
        QCOMPARE(fixture->shell.tips.size(), 1);
        QCOMPARE(fixture->shell.tips.first().size(), 3);
        QVERIFY(fixture->shell.tips.first().first().startsWith(
            u"You can add files in format *.mid, *.wav, *.mp3 to the list."_s));
        QCOMPARE(fixture->shell.tips.first().at(1), QString());

        // A backup started from the window stops the music first while Soundcard is set.
        fixture->setConfig(u"Backuppath = '/media/backup'"_s);
        box(u"StartBox"_s)->click();
        button(u"BackupOkKnp"_s)->click();
        QCOMPARE(music.calls, (QStringList{u"on/off"_s, u"stop"_s}));
        QCOMPARE(backups, QStringList{u"/media/backup"_s});
        fixture->setConfig(u"Soundcard = 0"_s);
        box(u"StartBox"_s)->click();
        button(u"BackupOkKnp"_s)->click();
        QCOMPARE(music.calls.size(), 2);
        QCOMPARE(backups.size(), 2);
    }
};

QTEST_MAIN(TestMusicPage)
#include "test_music_page.moc"
