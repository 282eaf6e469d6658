#include "MusicData.h"
#include "TempCatalogue.h"
#include "data/Query.h"
#include "data/Sqlite.h"
#include "data/TDM.h"
#include "registers/MusicLists.h"
#include "registers/SearchCriteria.h"

#include <QtTest>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace hoardly;
using namespace hoardly::search;

namespace {

enum MusicCriterion {
    TitlesByArtist,
    SongsByArtist,
    Category,
    Storage,
    Mixed,
    ArtistsOfSong,
    Year,
    FindSong
};

const Criterion& criterionOf(MusicCriterion criterion) {
    return musicSearch().criteria.at(criterion);
}

using Rows = QList<QStringList>;

} // namespace

class TestMusicSearch : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;

    // The named columns of what a criterion finds, run as the search page runs it.
    Rows found(MusicCriterion criterion, const QString& typed, const QStringList& columns,
               bool keepOrder = false) {
        const BuiltStatement built = buildStatement(criterionOf(criterion), {typed});
        Query& query = tdm->filmQ();
        query.setStatement({built.sql});
        query.setParameters(built.values);
        query.open();
        QList<int> wanted;
        for (const QString& name : columns) {
            for (int column = 0; column < query.columnCount(); ++column) {
                if (query.columnName(column) == name) {
                    wanted << column;
                    break;
                }
            }
        }
        Rows rows;
        for (int row = 0; row < query.rowCount(); ++row) {
            QStringList values;
            for (int column : wanted)
                values << query.value(row, column).toString();
            rows << values;
        }
        query.close();
        if (!keepOrder)
            std::sort(rows.begin(), rows.end());
        return rows;
    }

    // The test's own reading of the two files: every record (with its songs when asked) that
    // passes the test, as the named columns.
    Rows expected(const std::function<bool(const QVariantMap&)>& passes, const QStringList& columns,
                  bool withSongs) const {
        FileDatabase records(catalogue->file(u"Musik.DB"_s), false);
        FileDatabase songs(catalogue->file(u"song.db"_s), false);
        Rows rows;
        Statement all = records.prepare(u"SELECT * FROM Musik"_s);
        while (all.step()) {
            QVariantMap record;
            for (int i = 0; i < all.columnCount(); ++i)
                record[all.columnName(i)] = all.value(i);
            QList<QVariantMap> combined;
            if (withSongs) {
                Statement ofRecord = songs.prepare(u"SELECT Namn FROM Song WHERE Mid = ?"_s);
                ofRecord.bind(1, record[u"Mid"_s]);
                while (ofRecord.step()) {
                    QVariantMap withSong = record;
                    withSong[u"Namn"_s] = ofRecord.text(0);
                    combined << withSong;
                }
            } else {
                combined << record;
            }
            for (const QVariantMap& row : combined) {
                if (!passes(row))
                    continue;
                QStringList values;
                for (const QString& name : columns)
                    values << row.value(name).toString();
                rows << values;
            }
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        test::addMusic(*catalogue);
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
    }
    void cleanup() {
        tdm.reset();
        catalogue.reset();
    }

    void thePageHasEightCriteriaWithOneSortedInput() {
        const SearchRegister& r = musicSearch();
        QCOMPARE(r.criteria.size(), 8);
        QVERIFY(!r.twoInputs && r.submitIsDefault);
        QCOMPARE(r.firstPromptText, u"Findfield"_s);
        QStringList prompts;
        for (const Criterion& criterion : r.criteria) {
            prompts << criterion.first.prompt;
            QVERIFY(criterion.first.sorted);
        }
        QCOMPARE(prompts,
                 (QStringList{u"Name of artist/group"_s, u"Name of artist/group"_s, u"Kategori"_s,
                              u"Medium"_s, u"Not in use"_s, u"Låtens namn"_s,
                              u"Enter year in form YYYY"_s, u"The name of the song"_s}));
        QVERIFY(!criterionOf(Mixed).first.inUse);
        QCOMPARE(criterionOf(Year).first.text, u"1999"_s);
        QCOMPARE(criterionOf(FindSong).first.text, QString());
        QCOMPARE(music::searchCategories().size(), 23);
        QCOMPARE(music::searchStorageKinds().size(), 9);
        QCOMPARE(music::categories().size(), 22);
        QCOMPARE(music::storageKinds().size(), 14);
        QCOMPARE(music::storageKinds().count(u"CD"_s), 2);
    }

    void everyCriterionFindsWhatTheTestsOwnReadingFinds() {
        const QStringList titleColumns{u"Titel"_s, u"Artist"_s};
        const auto field = [](const char* name, const QString& typed) {
            return [name = QString::fromLatin1(name), typed](const QVariantMap& row) {
                return row.value(name).toString() == typed;
            };
        };
        int nonEmpty = 0;
        const auto check = [&](MusicCriterion criterion, const QString& typed, const Rows& rows,
                               const Rows& wanted) {
            QVERIFY2(rows == wanted,
                     qPrintable(criterionOf(criterion).radioText + u": "_s + typed));
            nonEmpty += rows.isEmpty() ? 0 : 1;
        };
        for (const QString& typed : {u"Abba"_s, u"abba"_s, u"Åsa Jinder"_s, u"Choose here"_s}) {
            check(TitlesByArtist, typed, found(TitlesByArtist, typed, titleColumns),
                  expected(field("Artist", typed), titleColumns, false));
            check(SongsByArtist, typed, found(SongsByArtist, typed, {u"Namn"_s, u"Titel"_s}),
                  expected(field("Artist", typed), {u"Namn"_s, u"Titel"_s}, true));
        }
        for (const QString& typed : {u"Pop"_s, u"Rock"_s, u"pop"_s, u"Dans"_s})
            check(Category, typed, found(Category, typed, titleColumns),
                  expected(field("Kategori", typed), titleColumns, false));
        for (const QString& typed : {u"CD"_s, u"Vinyl"_s, u"cd"_s})
            check(Storage, typed, found(Storage, typed, titleColumns),
                  expected(field("Media", typed), titleColumns, false));
        check(Mixed, QString(), found(Mixed, QString(), titleColumns),
              expected([](const QVariantMap& row) { return row[u"Samlingsskiva"_s].toInt() == 1; },
                       titleColumns, false));
        for (const QString& typed : {u"1999"_s, u"1976"_s, u"199"_s})
            check(Year, typed, found(Year, typed, titleColumns),
                  expected(field("Produktionsar", typed), titleColumns, false));
        const QStringList songColumns{u"Artist"_s, u"Titel"_s, u"Namn"_s};
        for (const QString& typed : {u"Dancing Queen"_s, u"dancing queen"_s, u"Something"_s})
            check(ArtistsOfSong, typed, found(ArtistsOfSong, typed, songColumns),
                  expected(field("Namn", typed), songColumns, true));
        // "Find a song" compares in capitals, beyond A to Z too.
        for (const QString& typed :
             {u"dancing queen"_s, u"åsa-visan"_s, u"SOMETHING"_s, u"Dancing"_s}) {
            check(FindSong, typed, found(FindSong, typed, songColumns),
                  expected(
                      [typed](const QVariantMap& row) {
                          return row[u"Namn"_s].toString().toUpper() == typed.toUpper();
                      },
                      songColumns, true));
        }
        QCOMPARE(nonEmpty, 16);
    }

    void theArtistsOfASongComeInArtistOrder() {
        const Rows rows = found(ArtistsOfSong, u"Dancing Queen"_s, {u"Artist"_s}, true);
        QCOMPARE(rows, (Rows{{u"Abba"_s}, {u"Abba"_s}, {u"Bach"_s}}));
        QCOMPARE(found(FindSong, u"åsa-visan"_s, {u"Namn"_s, u"Titel"_s}),
                 (Rows{{u"ÅSA-VISAN"_s, u"Visor"_s}}));
    }

    void theSongNamesListComesFromTheSongTable() {
        const QStringList names = pickListEntries(*tdm, criterionOf(ArtistsOfSong).first);
        QCOMPARE(names.size(), 10);
        QVERIFY(names.contains(u"Here Comes the Sun"_s));
        QCOMPARE(pickListEntries(*tdm, criterionOf(TitlesByArtist).first),
                 (QStringList{u"Abba"_s, u"Bach"_s, u"Beatles"_s}));
    }
};

QTEST_MAIN(TestMusicSearch)
#include "test_music_search.moc"
