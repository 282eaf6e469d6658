#include "TempCatalogue.h"
#include "data/Sqlite.h"
#include "data/TDM.h"
#include "data/Table.h"
#include "registers/DetailRows.h"
#include "registers/MusicEntry.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

class TestMusicEntry : public QObject {
    Q_OBJECT

private slots:
    // The steps of a new record: OK asks; after Yes OK waits for the first song, which
    // stores the record; from then on OK stores and asks nothing.
    void aNewRecordTakesSongsOnlyAfterYesAndItsFirstSong() {
        MusicEntry entry;
        const RegisterMode adding = RegisterMode::Adding;
        QVERIFY(entry.okAsksForSongs(adding));
        QVERIFY(!entry.songBoxOpen(adding));
        QVERIFY(entry.okEnabled(adding));
        entry.songsWanted();
        QVERIFY(entry.songBoxOpen(adding));
        QVERIFY(!entry.okEnabled(adding));
        QVERIFY(entry.nextSaveStoresRecord(adding));
        entry.songSaved(adding);
        QVERIFY(entry.savedBySongs() && entry.songsStarted());
        QVERIFY(entry.okEnabled(adding));
        QVERIFY(!entry.okAsksForSongs(adding));
        QVERIFY(!entry.nextSaveStoresRecord(adding));
        entry.reset();
        QVERIFY(entry.okAsksForSongs(adding) && !entry.savedBySongs());
    }

    void editingOpensTheSongBoxAndRenamesOnlyAClickedSong() {
        MusicEntry entry;
        const RegisterMode editing = RegisterMode::Editing;
        QVERIFY(entry.songBoxOpen(editing));
        QVERIFY(!entry.okAsksForSongs(editing));
        QVERIFY(!entry.nextSaveStoresRecord(editing));
        QVERIFY(entry.editChangesSongs(u"New song"_s));
        entry.select(u"Old song"_s);
        QVERIFY(!entry.editChangesSongs(u"Old song"_s)); // unchanged: nothing to store
        QVERIFY(entry.editChangesSongs(u"Old song, live"_s));
        // Each "&Save/next" forgets the click, so the next typed name is added.
        entry.songSaved(editing);
        QVERIFY(entry.selectedSong().isEmpty());
        QVERIFY(!entry.savedBySongs());
    }

    void songNamesAreCutWhileAddingOnly() {
        const QString long45(45, u'y');
        QCOMPARE(MusicEntry::storedSongName(RegisterMode::Adding, long45), QString(40, u'y'));
        QCOMPARE(MusicEntry::storedSongName(RegisterMode::Editing, long45), long45);
    }

    // A record's rows come from one query on the key, in the detail table's order; removing
    // takes the exact name (letter case counts) and the record's rows only.
    void detailRowsBelongToTheirRecordByKey() {
        test::TempCatalogue catalogue;
        catalogue.exec(u"song.db"_s, u"INSERT INTO Song (Mid, Namn) VALUES (2, 'b'), (1, 'x'), "
                                     "(2, 'a'), (2, 'A'), (3, 'a'), (2, 'a')"_s);
        TDM tdm;
        tdm.setDirectoryOfClosed(catalogue.path());
        DetailRows songs(tdm.songTb(), u"Mid"_s, u"Namn"_s);
        QVERIFY(!songs.isEmpty());
        QCOMPARE(songs.names(2), (QStringList{u"b"_s, u"a"_s, u"A"_s, u"a"_s}));
        QVERIFY(songs.names(9).isEmpty());
        QVERIFY(songs.hasRows(3) && !songs.hasRows(9));
        QVERIFY(songs.removeOne(2, u"A"_s));
        QVERIFY(!songs.removeOne(1, u"a"_s));
        QCOMPARE(songs.names(2), (QStringList{u"b"_s, u"a"_s, u"a"_s}));
        QVERIFY(songs.removeOne(2, u"a"_s)); // duplicates go one at a time
        QCOMPARE(songs.names(2), (QStringList{u"b"_s, u"a"_s}));
        songs.add(2, u"c"_s);
        QCOMPARE(songs.names(2), (QStringList{u"b"_s, u"a"_s, u"c"_s}));
        QCOMPARE(songs.removeAll(2), 3);
        QCOMPARE(catalogue.scalar(u"song.db"_s, u"SELECT group_concat(Mid || Namn) FROM Song"_s),
                 u"1x,3a"_s);
        QCOMPARE(tdm.songTb().recordCount(), 2);
        QCOMPARE(songs.removeAll(2), 0);
    }

    // The lookup on the key uses the index new catalogues have; without it, it still works.
    void theKeyLookupUsesTheIndexWhenTheFileHasIt() {
        test::TempCatalogue catalogue;
        catalogue.exec(u"song.db"_s, u"INSERT INTO Song (Mid, Namn) VALUES (1, 'a')"_s);
        QCOMPARE(catalogue.scalar(u"song.db"_s, u"SELECT count(*) FROM sqlite_master WHERE "
                                                "type = 'index' AND sql LIKE '%Mid%'"_s),
                 u"1"_s);
        catalogue.exec(u"song.db"_s, u"DROP INDEX SongMid"_s);
        TDM tdm;
        tdm.setDirectoryOfClosed(catalogue.path());
        DetailRows songs(tdm.songTb(), u"Mid"_s, u"Namn"_s);
        QCOMPARE(songs.names(1), QStringList{u"a"_s});
    }
};

QTEST_MAIN(TestMusicEntry)
#include "test_music_entry.moc"
