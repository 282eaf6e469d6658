#include "ContextFixture.h"
#include "FileBytes.h"
#include "SoundFiles.h"
#include "app/BackgroundMusic.h"
#include "app/MusicPlayer.h"

#include <QDir>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

QSet<QString> asSet(const QStringList& list) {
    return QSet<QString>(list.begin(), list.end());
}

} // namespace

// The background music over a real mixer on SDL's dummy sound driver (set for every test),
// with timers of 10 ms instead of a second.
class TestBackgroundMusic : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ContextFixture> fixture;
    std::unique_ptr<QTimer> mainTimer;
    std::unique_ptr<MusicPlayer> player;
    std::unique_ptr<BackgroundMusic> music;
    std::unique_ptr<QSignalSpy> started;

    test::ScriptedDialogs& dialogs() { return fixture->dialogs; }
    RunState& run() { return fixture->run; }
    QString midi(const QString& name) const {
        return QDir(fixture->catalogue.path()).filePath(u"midi/"_s + name);
    }
    QString song(const QString& name, const QByteArray& bytes) const {
        const QString path = midi(name);
        test::writeBytes(path, bytes);
        return path;
    }
    void setList(const QStringList& lines) {
        QString text;
        for (const QString& line : lines)
            text += line + u"\r\n"_s;
        test::writeBytes(midi(u"midi.dat"_s), text.toUtf8());
    }
    QStringList startedSongs() const {
        QStringList songs;
        for (const QList<QVariant>& call : *started)
            songs << call.first().toString();
        return songs;
    }
    bool idle() const {
        return !mainTimer->isActive() && !music->changeSongTimer().isActive() &&
               !player->playerOpen() && !player->mpegOpen();
    }

private slots:
    void init() {
        fixture = std::make_unique<test::ContextFixture>();
        fixture->setConfig(u"Applikationpath = '%1', First_time = 0, Musicon = 1"_s.arg(
            fixture->catalogue.path()));
        run().appDir = fixture->catalogue.path();
        run().startupDone = true;
        mainTimer = std::make_unique<QTimer>();
        mainTimer->setInterval(10);
        player = std::make_unique<MusicPlayer>();
        music = std::make_unique<BackgroundMusic>(fixture->context, *mainTimer, *player, 10);
        connect(mainTimer.get(), &QTimer::timeout, music.get(), &BackgroundMusic::songStart);
        started = std::make_unique<QSignalSpy>(music.get(), &BackgroundMusic::songStarted);
        fixture->context.music = music.get();
    }
    void cleanup() {
        // Everything goes before the check, which may end the function.
        const QStringList problems = dialogs().problems();
        started.reset();
        music.reset();
        player.reset();
        mainTimer.reset();
        fixture.reset();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"; "_s)));
    }

    void theFirstStartPlaysTheGreetingOnceAndNothingAfterIt() {
        fixture->setConfig(u"First_time = 1"_s);
        song(u"first.mid"_s, test::oneNoteMidi());
        mainTimer->start();
        // The decoder reads its sound font first, which takes a while on a busy machine.
        QTRY_COMPARE_WITH_TIMEOUT(startedSongs(), QStringList{midi(u"first.mid"_s)}, 20000);
        QVERIFY(!mainTimer->isActive());
        QVERIFY(player->playing());
        QCOMPARE(fixture->catalogue.scalar(u"Config.db"_s, u"SELECT First_time FROM Config"_s),
                 u"0"_s);
        // The tune plays out and no song follows it in this run.
        QTRY_VERIFY_WITH_TIMEOUT(!player->playing(), 10000);
        QTest::qWait(100);
        QCOMPARE(started->size(), 1);
    }

    void aOneEntryListPlaysThatSongAgainAndAgain() {
        const QString chime = song(u"chime.wav"_s, test::silentWave(40));
        setList({chime});
        mainTimer->start();
        QTRY_VERIFY_WITH_TIMEOUT(started->size() >= 3, 20000);
        QCOMPARE(asSet(startedSongs()).size(), 1);
        QCOMPARE(startedSongs().first(), chime);
        QVERIFY(run().musicRunning);
    }

    void aMidiSongPlaysToItsEndAndTheNextFollows() {
        // Long enough to be seen playing on a busy machine.
        setList({song(u"note.mid"_s, test::oneNoteMidi(8))});
        mainTimer->start();
        QTRY_COMPARE_WITH_TIMEOUT(started->size(), 1, 20000);
        QVERIFY(player->playing());
        QVERIFY(music->changeSongTimer().isActive());
        QTRY_VERIFY_WITH_TIMEOUT(started->size() >= 2, 20000);
    }

    void fourEmptyDrawsTellThatNoSongWasFound() {
        const QString chime = song(u"chime.wav"_s, test::silentWave(40));
        setList({u""_s, chime});
        // A generator whose first four draws all land on the empty first line.
        quint32 start = 1;
        for (;; ++start) {
            QRandomGenerator trial(start);
            int empty = 0;
            for (int draw = 0; draw < 4; ++draw)
                empty += trial.bounded(qsizetype(2)) == 0;
            if (empty == 4)
                break;
        }
        music->setRandom(QRandomGenerator(start));
        dialogs().answer(Answer::Ok);
        mainTimer->start();
        QTRY_COMPARE(dialogs().boxes().size(), 1);
        dialogs().expectLastBox(BoxKind::Plain, u"Hoardly"_s, u"No song was found in the list"_s);
        QVERIFY(idle());
        QVERIFY(started->isEmpty());

        // A list of empty lines only, or none at all, says the same.
        for (const bool withList : {true, false}) {
            if (withList)
                setList({u""_s, u"   "_s});
            else
                QFile::remove(midi(u"midi.dat"_s));
            const qsizetype told = dialogs().boxes().size();
            dialogs().answer(Answer::Ok);
            mainTimer->start();
            QTRY_COMPARE(dialogs().boxes().size(), told + 1);
            QCOMPARE(dialogs().lastBox().text, u"No song was found in the list"_s);
            QVERIFY(idle());
        }
    }

    void aMissingSongIsToldOnceAndTheDrawGoesOn() {
        const QString missing = midi(u"gone.wav"_s);
        const QString broken = song(u"broken.mid"_s, "this is no music");
        // Found out only when the decoder has tried it, on its own thread.
        const QString garbled = song(u"garbled.wav"_s, "RIFF and then nothing of a wave");
        const QString chime = song(u"chime.wav"_s, test::silentWave(40));
        setList({missing, broken, garbled, chime});
        // Each song that fails is told once and never drawn again; the chime goes on.
        for (int i = 0; i < 3; ++i)
            dialogs().answer(Answer::Ok);
        mainTimer->start();
        QTRY_VERIFY_WITH_TIMEOUT(dialogs().boxes().size() == 3 && started->size() >= 3, 20000);
        QTest::qWait(100);
        QCOMPARE(asSet(startedSongs()), QSet<QString>{chime});
        QCOMPARE(dialogs().boxes().size(), 3);
        QStringList told;
        for (const Box& box : dialogs().boxes())
            told << box.text;
        told.sort(); // broken, garbled, gone
        const QStringList songs{broken, garbled, missing};
        for (int i = 0; i < 3; ++i) {
            QVERIFY2(told[i].startsWith(u"The song "_s + songs[i] + u" could not be played ("_s),
                     qPrintable(told[i]));
            QVERIFY(told[i].endsWith(u"). It is left out and another song is drawn."_s));
        }
        QVERIFY(told[0].contains(u"(it is no MIDI file)"_s));
        QVERIFY(told[2].contains(u"(the file does not exist)"_s));
    }

    void aListOfOnlyUnplayableSongsStopsTheMusic() {
        const QString missing = midi(u"gone.mp3"_s);
        setList({missing});
        dialogs().answer(Answer::Ok);
        dialogs().answer(Answer::Ok);
        mainTimer->start();
        QTRY_COMPARE(dialogs().boxes().size(), 2);
        QVERIFY(dialogs().boxes().first().text.startsWith(u"The song "_s + missing));
        dialogs().expectLastBox(BoxKind::Plain, u"Hoardly"_s,
                                u"None of the songs in the music list can be played, so the "
                                "music is turned off."_s);
        QVERIFY(idle());
        QTest::qWait(50);
        QCOMPARE(dialogs().boxes().size(), 2);
    }

    void withoutMusicOnTheSwitchStartsAChainThatTheEndOfAnMp3Stops() {
        fixture->setConfig(u"Musicon = 0"_s);
        const QString chime = song(u"chime.wav"_s, test::silentWave(40));
        setList({chime});
        // The program starts silent.
        mainTimer->start();
        QTRY_VERIFY(!mainTimer->isActive());
        QVERIFY(started->isEmpty());

        // "&Music on/off" starts it; it goes on from WAV to WAV.
        music->musicOnOff();
        QVERIFY(mainTimer->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(started->size() >= 3, 20000);
        QVERIFY(run().musicRunning);

        // An MP3 drawn next clears the running flag; its end stops the chain.
        const QString mpeg = song(u"quiet.mp3"_s, test::silentMpeg(8));
        setList({mpeg});
        QTRY_VERIFY_WITH_TIMEOUT(startedSongs().contains(mpeg), 10000);
        const qsizetype afterMpeg = started->size();
        QVERIFY(!run().musicRunning);
        QTRY_VERIFY_WITH_TIMEOUT(idle(), 10000);
        QTest::qWait(100);
        QCOMPARE(started->size(), afterMpeg);
    }

    void withMusicOnTheMp3IsFollowedByTheNextSong() {
        const QString mpeg = song(u"quiet.mp3"_s, test::silentMpeg(80));
        setList({mpeg});
        mainTimer->start();
        QTRY_COMPARE_WITH_TIMEOUT(started->size(), 1, 20000);
        QVERIFY(player->mpegOpen());
        QVERIFY(!mainTimer->isActive());
        QVERIFY(!music->changeSongTimer().isActive());
        QTRY_VERIFY_WITH_TIMEOUT(started->size() >= 2, 20000);
    }

    void turningTheMusicOffStopsItUntilItIsTurnedOn() {
        const QString chime = song(u"chime.wav"_s, test::silentWave(2000));
        setList({chime});
        mainTimer->start();
        QTRY_COMPARE_WITH_TIMEOUT(started->size(), 1, 20000);
        music->turnMusicOff();
        QVERIFY(run().musicStopped);
        QVERIFY(idle());
        QTest::qWait(100);
        QCOMPARE(started->size(), 1);
        music->turnMusicOn();
        QVERIFY(!run().musicStopped);
        QTRY_COMPARE_WITH_TIMEOUT(started->size(), 2, 20000);
    }

    void theStopBeforeABackupEndsAnMp3WithoutAFollower() {
        const QString mpeg = song(u"long.mp3"_s, test::silentMpeg(200));
        setList({mpeg});
        mainTimer->start();
        // The player is the MP3's from the draw on; the song plays once it has loaded.
        QTRY_COMPARE_WITH_TIMEOUT(started->size(), 1, 20000);
        QVERIFY(player->mpegOpen());
        music->stopMusic();
        QVERIFY(run().musicStopped);
        QVERIFY(idle());
        QTest::qWait(100);
        QCOMPARE(started->size(), 1);

        // "&Music on/off" starts it again, and stops what plays.
        music->musicOnOff();
        QVERIFY(!run().musicStopped);
        QTRY_COMPARE_WITH_TIMEOUT(started->size(), 2, 20000);
        music->musicOnOff();
        QVERIFY(idle());
    }

    void aMissingTestFileIsToldAndNothingPlays() {
        QFile::remove(midi(u"test.wav"_s));
        setList({song(u"chime.wav"_s, test::silentWave(40))});
        dialogs().answer(Answer::Ok);
        mainTimer->start();
        QTRY_COMPARE(dialogs().boxes().size(), 1);
        dialogs().expectLastBox(
            BoxKind::Plain, u"Hoardly"_s,
            u"Could not find the soundtestfile,Check of soundcard not possible."_s);
        QVERIFY(idle());
        QVERIFY(started->isEmpty());
    }

    void songsAreDrawnFromTheExecutablesDirectory() {
        // The tables moved: the settings still name the first directory, whose test file and
        // greeting are used, while the songs come from the list beside the program.
        QTemporaryDir moved;
        QDir().mkpath(moved.filePath(u"midi"_s));
        const QString movedSong = moved.filePath(u"midi/moved.wav"_s);
        test::writeBytes(movedSong, test::silentWave(40));
        test::writeBytes(moved.filePath(u"midi/midi.dat"_s), (movedSong + u"\r\n"_s).toUtf8());
        setList({song(u"first-directory.wav"_s, test::silentWave(40))});
        run().appDir = moved.path();
        mainTimer->start();
        QTRY_VERIFY_WITH_TIMEOUT(!started->isEmpty(), 20000);
        QCOMPARE(startedSongs().first(), movedSong);
    }

    void withoutASoundDeviceTheTestAnswersFalseQuietly() {
        music.reset();
        player.reset();
        qputenv("SDL_AUDIODRIVER", "no-such-driver");
        player = std::make_unique<MusicPlayer>();
        music = std::make_unique<BackgroundMusic>(fixture->context, *mainTimer, *player, 10);
        connect(mainTimer.get(), &QTimer::timeout, music.get(), &BackgroundMusic::songStart);
        setList({song(u"chime.wav"_s, test::silentWave(40))});
        QVERIFY(!music->soundTest(midi(u"test.wav"_s)));
        mainTimer->start();
        QTRY_VERIFY(!mainTimer->isActive());
        QVERIFY(idle());
        qputenv("SDL_AUDIODRIVER", "dummy");
    }
};

QTEST_MAIN(TestBackgroundMusic)
#include "test_background_music.moc"
