#include "TempCatalogue.h"
#include "data/Schema.h"
#include "data/Sqlite.h"
#include "data/Table.h"
#include "registers/DetailRows.h"

#include <QSignalSpy>
#include <QThreadPool>
#include <QtTest>
#include <sqlite3.h>

using namespace Qt::StringLiterals;
using namespace hoardly;

// The table's reads that a large catalogue must not wait for: the keys of a table reached
// through queries only, and the find box's texts read on a thread of the pool.
class TestTableReads : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<Connection> connection;

    std::unique_ptr<Table> table(const TableSchema& schema, bool keysOnDemand = false) {
        auto made = std::make_unique<Table>(*connection, schema);
        made->setDirectory(catalogue->path());
        made->setKeysOnDemand(keysOnDemand);
        made->open();
        return made;
    }
    void addSongs(const QList<std::pair<int, QString>>& songs) {
        for (const auto& [mid, name] : songs)
            catalogue->exec(u"song.db"_s, u"INSERT INTO Song (Mid, Namn) VALUES (%1, '%2')"_s.arg(
                                              QString::number(mid), name));
    }
    // Films numbered in the order given; their titles sort otherwise.
    void addFilms(const QStringList& titles) {
        for (int i = 0; i < titles.size(); ++i)
            catalogue->exec(u"film.DB"_s,
                            u"INSERT INTO Film (\"Index\", Titel) VALUES (%1, '%2')"_s.arg(
                                QString::number(i + 1), titles[i]));
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        connection = std::make_unique<Connection>();
        Table::setBackgroundReadsFrom(Table::kBackgroundReadsFrom);
    }
    void cleanup() {
        Table::setBackgroundReadsFrom(Table::kBackgroundReadsFrom);
        connection.reset();
        catalogue.reset();
    }

    // A large table in an order the engine gives opens with its first rows' keys and its
    // count; the others come from the pool. What needs them before they are in waits for
    // them, and the table then stands as one that read them at once.
    void aLargeTableOpensWithItsFirstKeysAndTakesTheOthersWhenTheyCome() {
        catalogue->exec(u"film.DB"_s,
                        u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                        "WHERE i < 600) INSERT INTO Film (\"Index\", Titel) "
                        "SELECT (i * 7919) % 1000 + 1, 'Film ' || i FROM n"_s);
        const auto orderOf = [](Table& films) {
            QList<qint64> keys;
            for (films.first(); !films.eof(); films.next())
                keys << films.asInteger(u"FilmId"_s);
            return keys;
        };
        auto whole = table(schema::film());
        whole->selectIndex(u"Nummer"_s);
        QVERIFY(whole->keysAreIn());
        const QList<qint64> expected = orderOf(*whole);
        Table::setBackgroundReadsFrom(100);

        auto films = table(schema::film());
        films->selectIndex(u"Nummer"_s);
        QVERIFY(!films->keysAreIn());
        QCOMPARE(films->recordCount(), 600);
        QCOMPARE(films->asInteger(u"FilmId"_s), expected[0]);
        QCOMPARE(films->valueAt(3, films->fieldIndex(u"FilmId"_s)).toLongLong(), expected[3]);
        QTRY_VERIFY(films->keysAreIn());
        QCOMPARE(orderOf(*films), expected);

        auto moved = table(schema::film());
        moved->selectIndex(u"Nummer"_s);
        moved->moveTo(500);
        QVERIFY(moved->keysAreIn());
        QCOMPARE(moved->asInteger(u"FilmId"_s), expected[500]);

        auto written = table(schema::film());
        written->selectIndex(u"Nummer"_s);
        written->append();
        written->setInteger(u"Index"_s, 0);
        written->setText(u"Titel"_s, u"Before them all"_s);
        written->post();
        QCOMPARE(written->position(), 0);
        QCOMPARE(written->recordCount(), 601);
        written->remove();
        QCOMPARE(orderOf(*written), expected);

        auto resorted = table(schema::film());
        resorted->selectIndex(u"Nummer"_s);
        resorted->selectIndex(QString()); // the first read is let go
        QList<qint64> byKey = expected;
        std::sort(byKey.begin(), byKey.end());
        QCOMPARE(orderOf(*resorted), byKey);
        QTRY_VERIFY(resorted->keysAreIn());
        QCOMPARE(orderOf(*resorted), byKey);

        auto closed = table(schema::film());
        closed->selectIndex(u"Nummer"_s);
        closed->close();
        QVERIFY(closed->keysAreIn());
        closed.reset(); // the read still going finds nobody waiting
        QThreadPool::globalInstance()->waitForDone();

        // The find box's texts asked for while the keys come are read once they are in,
        // without waiting for them; also when a write read the keys at once meanwhile.
        for (const bool writeMeanwhile : {false, true}) {
            auto finding = table(schema::film());
            finding->selectIndex(u"Nummer"_s);
            QSignalSpy read(finding.get(), &Table::prefixTextsRead);
            QVERIFY(!finding->preparePrefixLocate(u"Titel"_s));
            QVERIFY(!finding->keysAreIn());
            if (writeMeanwhile) {
                finding->moveTo(599);
                finding->edit();
                finding->setText(u"Titel"_s, u"Film 600, seen again"_s);
                finding->post();
            }
            QTRY_COMPARE(read.count(), 1);
            QVERIFY(finding->prefixTextsReady(u"Titel"_s));
            QVERIFY(whole->locatePrefix(u"Titel"_s, u"film 42"_s));
            QVERIFY(finding->locatePrefix(u"Titel"_s, u"film 42"_s));
            QCOMPARE(finding->asInteger(u"FilmId"_s), whole->asInteger(u"FilmId"_s));
            QCOMPARE(finding->locatePrefix(u"Titel"_s, u"film 600, seen"_s), writeMeanwhile);
        }
    }

    // Rows under a record are listed, added and removed through queries on their key; the
    // table reads its keys only when it is moved, and then stands where any table would.
    void aTableOfKeysOnDemandServesItsRowsWithoutReadingItsKeys() {
        addSongs({{1, u"Intro"_s}, {2, u"Other"_s}, {1, u"Outro"_s}, {1, u"Intro"_s}});
        auto songs = table(schema::song(), true);
        DetailRows rows(*songs, u"Mid"_s, u"Namn"_s);
        QCOMPARE(songs->position(), -1);
        QVERIFY(!songs->isEmpty());
        QCOMPARE(rows.names(1), (QStringList{u"Intro"_s, u"Outro"_s, u"Intro"_s}));
        rows.add(2, u"New"_s);
        QVERIFY(rows.removeOne(1, u"Intro"_s));  // the first of the two
        QVERIFY(!rows.removeOne(1, u"intro"_s)); // names are matched exactly
        QCOMPARE(rows.names(1), (QStringList{u"Outro"_s, u"Intro"_s}));
        QCOMPARE(rows.names(2), (QStringList{u"Other"_s, u"New"_s}));
        QCOMPARE(songs->position(), -1); // nothing of that moved it
        QCOMPARE(rows.removeAll(2), 2);
        QCOMPARE(songs->position(), -1);

        songs->first();
        QCOMPARE(songs->recordCount(), 2);
        QCOMPARE(songs->asText(u"Namn"_s), u"Outro"_s);
        // Once moved, it is a table as any other: the row stored is current.
        rows.add(3, u"Third"_s);
        QCOMPARE(songs->asText(u"Namn"_s), u"Third"_s);
        QCOMPARE(songs->position(), 2);
    }

    void openingAndWritingDoNotReadTheKeys() {
        addSongs({{1, u"Intro"_s}, {2, u"Other"_s}});
        auto songs = std::make_unique<Table>(*connection, schema::song());
        songs->setDirectory(catalogue->path());
        songs->setKeysOnDemand(true);
        QStringList statements;
        sqlite3_trace_v2(
            connection->handle(), SQLITE_TRACE_STMT,
            [](unsigned, void* context, void* statement, void*) {
                const char* sql = sqlite3_sql(static_cast<sqlite3_stmt*>(statement));
                static_cast<QStringList*>(context)->append(QString::fromUtf8(sql));
                return 0;
            },
            &statements);
        songs->open();
        DetailRows rows(*songs, u"Mid"_s, u"Namn"_s);
        rows.add(1, u"Second"_s);
        rows.removeOne(2, u"Other"_s);
        QVERIFY(!songs->isEmpty());
        sqlite3_trace_v2(connection->handle(), 0, nullptr, nullptr);
        for (const QString& sql : statements)
            QVERIFY2(!sql.startsWith(u"SELECT rowid FROM"_s), qPrintable(sql));
    }

    void anEmptyTableOfKeysOnDemandSaysSo() {
        auto songs = table(schema::song(), true);
        QVERIFY(songs->isEmpty());
        songs->first();
        QVERIFY(songs->eof());
        QCOMPARE(songs->recordCount(), 0);
    }

    // A large field is read in the background; the texts land at each record's place in the
    // table's order (titles for people here), and the find answers as a read at once would.
    void theFindTextsAreReadInTheBackgroundInTheTablesOrder() {
        addFilms({u"Zelig"_s, u"casablanca"_s, u"Alien"_s, u"Brazil"_s, u"Åsa"_s});
        Table::setBackgroundReadsFrom(1);
        auto films = table(schema::film());
        films->selectIndex(u"Filmtitel"_s);
        QSignalSpy read(films.get(), &Table::prefixTextsRead);
        QVERIFY(!films->preparePrefixLocate(u"Titel"_s));
        QVERIFY(!films->prefixTextsReady(u"Titel"_s));
        QVERIFY(read.wait(5000));
        QVERIFY(films->prefixTextsReady(u"Titel"_s));
        QVERIFY(films->locatePrefix(u"Titel"_s, u"CAS"_s));
        QCOMPARE(films->asText(u"Titel"_s), u"casablanca"_s);
        QVERIFY(films->locatePrefix(u"Titel"_s, u"åS"_s));
        QCOMPARE(films->asText(u"Titel"_s), u"Åsa"_s);
        QVERIFY(!films->locatePrefix(u"Titel"_s, u"x"_s));
        QVERIFY(films->preparePrefixLocate(u"Titel"_s)); // kept until the records change
    }

    // Songs are not read by their keys when the window opens; the background read brings the
    // keys with the texts, in the file's order.
    void aReadOfATableWithoutKeysBringsTheKeys() {
        addSongs({{7, u"Intro"_s}, {8, u"intermezzo"_s}, {9, u"Finale"_s}});
        Table::setBackgroundReadsFrom(1);
        auto songs = table(schema::song(), true);
        QSignalSpy read(songs.get(), &Table::prefixTextsRead);
        QVERIFY(!songs->preparePrefixLocate(u"Namn"_s));
        QVERIFY(read.wait(5000));
        QVERIFY(songs->locatePrefix(u"Namn"_s, u"INT"_s));
        QCOMPARE(songs->asText(u"Namn"_s), u"Intro"_s);
        QCOMPARE(songs->value(u"Mid"_s).toInt(), 7);
        QCOMPARE(songs->recordCount(), 3);
    }

    // A record stored while the texts are read makes them out of date: they are read again,
    // and the find finds the new record.
    void aWriteDuringTheReadIsInTheTextsThatComeIn() {
        addFilms({u"Alien"_s, u"Brazil"_s});
        Table::setBackgroundReadsFrom(1);
        auto films = table(schema::film());
        QSignalSpy read(films.get(), &Table::prefixTextsRead);
        QVERIFY(!films->preparePrefixLocate(u"Titel"_s));
        films->append();
        films->setInteger(u"Index"_s, 3);
        films->setText(u"Titel"_s, u"Casablanca"_s);
        films->post();
        QVERIFY(read.wait(5000));
        QCOMPARE(read.count(), 1);
        QVERIFY(films->prefixTextsReady(u"Titel"_s));
        QVERIFY(films->locatePrefix(u"Titel"_s, u"cas"_s));
        QCOMPARE(films->asText(u"Titel"_s), u"Casablanca"_s);
    }

    // Closing or destroying a table while its texts are read ends quietly.
    void aTableClosedOrGoneDuringTheReadHearsNothing() {
        addFilms({u"Alien"_s, u"Brazil"_s});
        Table::setBackgroundReadsFrom(1);
        auto films = table(schema::film());
        QSignalSpy read(films.get(), &Table::prefixTextsRead);
        QVERIFY(!films->preparePrefixLocate(u"Titel"_s));
        films->close();
        QTest::qWait(200);
        QCOMPARE(read.count(), 0);
        films->open();
        QVERIFY(!films->preparePrefixLocate(u"Titel"_s));
        films.reset();
        QTest::qWait(200); // the pool's read ends on its own, touching nothing of the table
    }

    // Titles are put into the order for people on a thread of the pool; selecting the index
    // then takes that order at once. A record stored meanwhile has it ordered again.
    void aLargeTableIsOrderedForPeopleInTheBackground() {
        addFilms({u"zelig"_s, u"Émile"_s, u"Brazil"_s, u"alien"_s});
        Table::setBackgroundReadsFrom(1);
        auto films = table(schema::film());
        QSignalSpy prepared(films.get(), &Table::orderPrepared);
        QVERIFY(!films->prepareOrder(u"Filmtitel"_s));
        QVERIFY(films->prepareOrder(u"Nummer"_s)); // not an order for people: quick as it is
        films->append();
        films->setInteger(u"Index"_s, 5);
        films->setText(u"Titel"_s, u"casablanca"_s);
        films->post();
        QVERIFY(prepared.wait(5000));
        QCOMPARE(prepared.count(), 1);
        QVERIFY(films->prepareOrder(u"Filmtitel"_s));
        films->selectIndex(u"Filmtitel"_s);
        QCOMPARE(films->asText(u"Titel"_s), u"alien"_s);
        QStringList titles;
        for (int i = 0; i < films->recordCount(); ++i)
            titles << films->textAt(i, films->fieldIndex(u"Titel"_s));
        QCOMPARE(titles,
                 (QStringList{u"alien"_s, u"Brazil"_s, u"casablanca"_s, u"Émile"_s, u"zelig"_s}));
        films->last();
        QCOMPARE(films->asText(u"Titel"_s), u"zelig"_s);
        QVERIFY(films->locate(u"Titel"_s, {u"Émile"_s}));
        QCOMPARE(films->position(), 3);
    }

    // A small table is read at once as before; in the background, a number reads as it shows.
    void aSmallTableIsReadAtOnceAndNumbersAsTheyShow() {
        addFilms({u"Alien"_s, u"Brazil"_s});
        catalogue->exec(u"film.DB"_s, u"INSERT INTO Film (\"Index\", Titel) VALUES (NULL, 'X')"_s);
        auto films = table(schema::film());
        QVERIFY(films->preparePrefixLocate(u"Titel"_s));
        Table::setBackgroundReadsFrom(1);
        QSignalSpy read(films.get(), &Table::prefixTextsRead);
        QVERIFY(!films->preparePrefixLocate(u"Index"_s));
        QVERIFY(read.wait(5000));
        QVERIFY(films->locatePrefix(u"Index"_s, u"2"_s));
        QCOMPARE(films->asText(u"Titel"_s), u"Brazil"_s);
        QVERIFY(!films->locatePrefix(u"Index"_s, u"X"_s));
    }
};

QTEST_GUILESS_MAIN(TestTableReads)
#include "test_table_reads.moc"
