#include "FileBytes.h"
#include "data/Errors.h"
#include "maintenance/MusicList.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

class TestMusicList : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;

    QString midi(const QString& name) const { return dir->filePath(u"midi/"_s + name); }
    void writeList(const QByteArray& bytes) const {
        QVERIFY(test::writeBytes(midi(u"midi.dat"_s), bytes));
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(dir->filePath(u"midi"_s)));
    }
    void cleanup() { dir.reset(); }

    void theListFileIsFoundWhateverTheCaseOfItsName() {
        QCOMPARE(musicListPath(dir->path()), midi(u"midi.dat"_s));
        QVERIFY(test::writeBytes(midi(u"MIDI.Dat"_s), "a.mid\r\n"));
        QCOMPARE(musicListPath(dir->path()), midi(u"MIDI.Dat"_s));
        QCOMPARE(readMusicList(musicListPath(dir->path())), QStringList{u"a.mid"_s});
    }

    void linesKeepTheirEmptyOnesAndAnyLineEnd() {
        writeList("/m/a.mid\r\n\r\n/m/b.wav\n/m/c.mp3");
        QCOMPARE(readMusicList(midi(u"midi.dat"_s)),
                 (QStringList{u"/m/a.mid"_s, u""_s, u"/m/b.wav"_s, u"/m/c.mp3"_s}));
        QVERIFY(readMusicList(midi(u"missing.dat"_s)).isEmpty());
    }

    void eachLineIsDrawnAboutEquallyOften() {
        writeList("a\r\nb\r\n\r\n");
        QRandomGenerator random(7);
        QMap<QString, int> counts;
        for (int i = 0; i < 3000; ++i)
            ++counts[randomSongPick(dir->path(), random)];
        QCOMPARE(counts.keys(), (QStringList{u""_s, u"a"_s, u"b"_s}));
        for (int count : counts)
            QVERIFY2(count > 850 && count < 1150, qPrintable(QString::number(count)));

        // One line is always that line; no list, an empty one, or a blank line give nothing.
        writeList("/m/only.mid\r\n");
        for (int i = 0; i < 20; ++i)
            QCOMPARE(randomSongPick(dir->path(), random), u"/m/only.mid"_s);
        writeList("   \r\n");
        QCOMPARE(randomSongPick(dir->path(), random), QString());
        writeList("");
        QCOMPARE(randomSongPick(dir->path(), random), QString());
        QFile::remove(midi(u"midi.dat"_s));
        QCOMPARE(randomSongPick(dir->path(), random), QString());
    }

    void addingMakesTheListAndEndsEachLineWithCrLf() {
        const QString list = midi(u"midi.dat"_s);
        appendToMusicList(list, u"/m/a.mid"_s);
        appendToMusicList(list, u"/m/b.wav"_s);
        QCOMPARE(test::readBytes(list), QByteArray("/m/a.mid\r\n/m/b.wav\r\n"));
        // A last line written without its end by another program keeps its own line.
        writeList("/m/a.mid");
        appendToMusicList(list, u"/m/c.mp3"_s);
        QCOMPARE(test::readBytes(list), QByteArray("/m/a.mid\r\n/m/c.mp3\r\n"));
    }

    void removingTakesEveryEqualLineAndKeepsNoOldList() {
        writeList("/m/a.mid\r\n/m/b.wav\r\n/m/A.mid\r\n/m/a.mid\r\n\r\n");
        removeFromMusicList(midi(u"midi.dat"_s), u"/m/a.mid"_s);
        QCOMPARE(test::readBytes(midi(u"midi.dat"_s)), QByteArray("/m/b.wav\r\n/m/A.mid\r\n\r\n"));
        QVERIFY(!QFile::exists(midi(u"midi.Old"_s)));
    }

    void aListThatCannotBeKeptFirstStaysAsItWas() {
        // A folder where the old list would be kept: that step fails whoever runs the test.
        const QString list = midi(u"midi.dat"_s);
        writeList("/m/a.mid\r\n/m/b.wav\r\n");
        QVERIFY(QDir().mkpath(midi(u"midi.Old/x"_s)));
        QVERIFY_THROWS_EXCEPTION(FileError, removeFromMusicList(list, u"/m/a.mid"_s));
        QCOMPARE(test::readBytes(list), QByteArray("/m/a.mid\r\n/m/b.wav\r\n"));
    }

    void onlyFilesInsideTheApplicationDirectoryMayBeDeleted() {
        const QString app = dir->filePath(u"Hoardly"_s);
        QDir().mkpath(app + u"/midi"_s);
        QDir().mkpath(app + u"2/midi"_s);
        const QString inside = app + u"/midi/song.mid"_s;
        const QString sibling = app + u"2/midi/song.mid"_s;
        const QString outside = dir->filePath(u"song.mid"_s);
        for (const QString& path : {inside, sibling, outside})
            QVERIFY(test::writeBytes(path, "MThd"));
        QVERIFY(musicFileDeletable(inside, app));
        QVERIFY(musicFileDeletable(app + u"/midi/../midi/song.mid"_s, app + u"/"_s));
        QVERIFY(!musicFileDeletable(sibling, app));
        QVERIFY(!musicFileDeletable(outside, app));
        QVERIFY(!musicFileDeletable(app + u"/midi/gone.mid"_s, app));
        QVERIFY(!musicFileDeletable(app + u"/midi"_s, app));
        QVERIFY(!musicFileDeletable(inside, QString()));
    }

    void theKindOfASongIsItsExtensionInAnyCase() {
        QCOMPARE(songKind(u"/m/a.MID"_s), SongKind::MidiOrWave);
        QCOMPARE(songKind(u"/m/a.wav"_s), SongKind::MidiOrWave);
        QCOMPARE(songKind(u"/m/a.Mp3"_s), SongKind::Mpeg);
        QCOMPARE(songKind(u"/m/a.ogg"_s), SongKind::Other);
        QCOMPARE(songKind(u"/m/mid"_s), SongKind::Other);
    }
};

QTEST_MAIN(TestMusicList)
#include "test_music_list.moc"
