#include "TempCatalogue.h"
#include "data/Collation.h"
#include "data/Errors.h"
#include "data/Schema.h"
#include "data/Sqlite.h"
#include "data/TDM.h"
#include "data/Table.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

class TestTable : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<Connection> connection;

    std::unique_ptr<Table> openTable(const TableSchema& schema) {
        auto table = std::make_unique<Table>(*connection, schema);
        table->setDirectory(catalogue->path());
        table->open();
        return table;
    }

    void addFilm(Table& films, int index, const QString& title) {
        films.append();
        films.setInteger(u"Index"_s, index);
        films.setText(u"Titel"_s, title);
        films.post();
    }

    void addPerson(Table& people, const QString& last, const QString& first) {
        people.append();
        people.setText(u"Efternamn"_s, last);
        people.setText(u"Fornamn"_s, first);
        people.post();
    }

    QStringList titlesInOrder(Table& films) {
        QStringList titles;
        films.first();
        while (!films.eof()) {
            titles << films.asText(u"Titel"_s);
            films.next();
        }
        return titles;
    }

    // The keys of the records in the table's order, by walking it.
    QList<qint64> keysInOrder(Table& table) {
        QList<qint64> keys;
        for (table.first(); !table.eof(); table.next())
            keys << table.asInteger(u"FilmId"_s);
        return keys;
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        connection = std::make_unique<Connection>();
    }
    void cleanup() {
        connection.reset();
        catalogue.reset();
    }

    void emptyTableHasBothFlagsAndLocatesNothing() {
        auto films = openTable(schema::film());
        QVERIFY(films->isEmpty());
        QVERIFY(films->bof());
        QVERIFY(films->eof());
        QCOMPARE(films->recordCount(), 0);
        QVERIFY(!films->locate(u"Titel"_s, {u"Alien"_s}));
        QVERIFY(!films->locatePrefix(u"Titel"_s, u"a"_s));
        QCOMPARE(films->asText(u"Titel"_s), QString());
        QCOMPARE(films->asInteger(u"Index"_s), 0);
        QCOMPARE(films->asLogical(u"Utlanad"_s), false);
    }

    void ordersByEachNamedIndexAndByKey() {
        auto films = openTable(schema::film());
        addFilm(*films, 3, u"alien"_s);
        addFilm(*films, 1, u"Casablanca"_s);
        addFilm(*films, 2, u"Brazil"_s);
        addFilm(*films, 2, u"Amadeus"_s);

        films->selectIndex(u"Nummer"_s);
        QCOMPARE(titlesInOrder(*films),
                 (QStringList{u"Casablanca"_s, u"Brazil"_s, u"Amadeus"_s, u"alien"_s}));
        films->selectIndex(u"filmtitel"_s); // index names ignore case
        QCOMPARE(films->indexName(), u"Filmtitel"_s);
        QCOMPARE(titlesInOrder(*films),
                 (QStringList{u"alien"_s, u"Amadeus"_s, u"Brazil"_s, u"Casablanca"_s}));
        films->selectIndex(QString());
        QCOMPARE(titlesInOrder(*films),
                 (QStringList{u"alien"_s, u"Casablanca"_s, u"Brazil"_s, u"Amadeus"_s}));
    }

    void theHolderOpensFilmsByNumberMusicByArtistAndBooksByIndex() {
        TDM tdm;
        tdm.setDirectoryOfClosed(catalogue->path());
        QCOMPARE(tdm.filmTb().indexName(), u"Nummer"_s);
        QCOMPARE(tdm.musikTb().indexName(), u"Artist_Grupp"_s);
        QCOMPARE(tdm.bokTb().indexName(), u"Index_Sec"_s);
        QCOMPARE(tdm.dataTb().indexName(), QString());
        Table& films = tdm.filmTb();
        films.open();
        addFilm(films, 2, u"Brazil"_s);
        addFilm(films, 1, u"Alien"_s);
        QCOMPARE(titlesInOrder(films), (QStringList{u"Alien"_s, u"Brazil"_s}));
        // A chosen order outlives closing the table.
        films.selectIndex(u"Filmtitel"_s);
        films.close();
        films.open();
        QCOMPARE(films.indexName(), u"Filmtitel"_s);
    }

    void movingSetsTheBeginAndEndFlags() {
        auto films = openTable(schema::film());
        addFilm(*films, 1, u"A"_s);
        addFilm(*films, 2, u"B"_s);
        films->first();
        QVERIFY(films->bof());
        QVERIFY(!films->eof());
        films->next();
        QVERIFY(!films->bof() && !films->eof());
        films->next(); // at the last record: only the flag changes
        QVERIFY(films->eof());
        QCOMPARE(films->asText(u"Titel"_s), u"B"_s);
        films->prior();
        films->prior();
        QVERIFY(films->bof());
        QCOMPARE(films->asText(u"Titel"_s), u"A"_s);
        films->last();
        QVERIFY(films->eof());
        QCOMPARE(films->position(), 1);
    }

    void locateComparesExactlyOnOneOrSeveralFields() {
        auto people = openTable(schema::adress());
        addPerson(*people, u"Berg"_s, u"Anna"_s);
        addPerson(*people, u"Berg"_s, u"Olof"_s);
        addPerson(*people, u"Ek"_s, u"Olof"_s);
        people->first();

        QVERIFY(people->locate(u"Efternamn;Fornamn;"_s, {u"Berg"_s, u"Olof"_s}));
        QCOMPARE(people->position(), 1);
        // Letter case matters, and a failed locate leaves the position alone.
        QVERIFY(!people->locate(u"Efternamn;Fornamn;"_s, {u"berg"_s, u"Olof"_s}));
        QCOMPARE(people->position(), 1);
        QVERIFY(!people->locate(u"Efternamn;Fornamn;"_s, {u"Berg"_s, u"Olo"_s}));
        QVERIFY(people->locate(u"Fornamn"_s, {u"Olof"_s}));
        QCOMPARE(people->asText(u"Efternamn"_s), u"Berg"_s);
        QVERIFY_THROWS_EXCEPTION(StoreError, people->locate(u"Efternamn;Fornamn;"_s, {u"x"_s}));
    }

    void prefixLocateIgnoresCaseAndFollowsTheCurrentOrder() {
        auto films = openTable(schema::film());
        addFilm(*films, 1, u"Abyss"_s);
        addFilm(*films, 2, u"ABBA the Movie"_s);
        addFilm(*films, 3, u"Ängel"_s);
        films->selectIndex(u"Nummer"_s);
        QVERIFY(films->locatePrefix(u"Titel"_s, u"ab"_s));
        QCOMPARE(films->asText(u"Titel"_s), u"Abyss"_s);
        films->selectIndex(u"Filmtitel"_s);
        QVERIFY(films->locatePrefix(u"Titel"_s, u"aB"_s));
        QCOMPARE(films->asText(u"Titel"_s), u"ABBA the Movie"_s);
        QVERIFY(films->locatePrefix(u"Titel"_s, u"äNG"_s)); // not only ASCII
        QCOMPARE(films->asText(u"Titel"_s), u"Ängel"_s);
        const int position = films->position();
        QVERIFY(!films->locatePrefix(u"Titel"_s, u"zz"_s));
        QCOMPARE(films->position(), position);
        // A number field matches on its digits.
        QVERIFY(films->locatePrefix(u"Index"_s, u"2"_s));
        QCOMPARE(films->asText(u"Titel"_s), u"ABBA the Movie"_s);
        // What was posted after the first find is found too.
        addFilm(*films, 4, u"Abacus"_s);
        QVERIFY(films->locatePrefix(u"Titel"_s, u"abac"_s));
        QCOMPARE(films->asInteger(u"Index"_s), 4);
    }

    void findNearestGoesToTheFirstEqualOrGreaterOrTheLast() {
        auto people = openTable(schema::adress());
        addPerson(*people, u"adams"_s, u"A"_s);
        addPerson(*people, u"Berg"_s, u"B"_s);
        addPerson(*people, u"Young"_s, u"Y"_s);
        people->selectIndex(u"Enamn"_s);
        people->findNearest(u"C"_s);
        QCOMPARE(people->asText(u"Efternamn"_s), u"Young"_s);
        people->findNearest(u"A"_s);
        QCOMPARE(people->asText(u"Efternamn"_s), u"adams"_s);
        people->findNearest(u"Z"_s);
        QCOMPARE(people->asText(u"Efternamn"_s), u"Young"_s);
        QCOMPARE(people->position(), 2);
    }

    // A write of the table's own moves one key in its list instead of reading the list again;
    // the list must then be exactly what reading it would give, in every kind of order: by key,
    // by a field the engine orders (with equal and empty values), and titles for people.
    void aWriteLeavesTheKeysAsReadingThemWouldGive() {
        const QStringList titles{u"alien"_s,  u"Alien"_s, u"Åsa"_s,   u"ärlig"_s, u"Zorro"_s,
                                 u"brazil"_s, QString(),  u"Émile"_s, u"emile"_s, u"10 Days"_s};
        for (const QString& index : {QString(), u"Nummer"_s, u"Filmtitel"_s}) {
            auto films = openTable(schema::film());
            films->selectIndex(index);
            QRandomGenerator random(7);
            for (int i = 0; i < 12; ++i)
                addFilm(*films, int(random.bounded(5)), titles[int(random.bounded(10))]);
            QVERIFY(films->preparePrefixLocate(u"Titel"_s));
            for (int step = 0; step < 120; ++step) {
                const int what = int(random.bounded(4));
                films->moveTo(int(random.bounded(films->recordCount())));
                if (what == 0 || films->recordCount() < 4) {
                    addFilm(*films, int(random.bounded(5)), titles[int(random.bounded(10))]);
                } else if (what == 1) {
                    films->edit();
                    films->setText(u"Titel"_s, titles[int(random.bounded(10))]);
                    films->post();
                } else if (what == 2) {
                    films->edit();
                    films->setInteger(u"Index"_s, int(random.bounded(5)));
                    films->post();
                } else {
                    films->remove();
                }
                QVERIFY2(films->prefixTextsReady(u"Titel"_s), "the keys were read again");
                auto reread = openTable(schema::film());
                reread->selectIndex(index);
                QCOMPARE(keysInOrder(*films), keysInOrder(*reread));
                // The find box's texts moved with the keys.
                const QString prefix = titles[int(random.bounded(10))].left(2);
                QCOMPARE(films->locatePrefix(u"Titel"_s, prefix),
                         reread->locatePrefix(u"Titel"_s, prefix));
                QCOMPARE(films->position(), reread->position());
            }
            films->first();
            while (!films->isEmpty())
                films->remove();
        }
    }

    // Another table object on the same file, or a change of the collation, makes a refresh
    // read the keys again; a refresh after nothing changed keeps what was read.
    void aRefreshReadsAgainOnlyWhatChanged() {
        auto films = openTable(schema::film());
        films->selectIndex(u"Filmtitel"_s);
        addFilm(*films, 1, u"Brazil"_s);
        QVERIFY(films->preparePrefixLocate(u"Titel"_s));
        films->refresh();
        QVERIFY(films->prefixTextsReady(u"Titel"_s));
        auto other = openTable(schema::film());
        other->selectIndex(u"Filmtitel"_s);
        addFilm(*other, 2, u"Alien"_s);
        QCOMPARE(films->recordCount(), 1);
        films->refresh();
        QCOMPARE(titlesInOrder(*films), (QStringList{u"Alien"_s, u"Brazil"_s}));
        addFilm(*films, 3, u"Casablanca"_s); // after the other's write, as the file holds it
        QCOMPARE(titlesInOrder(*films), (QStringList{u"Alien"_s, u"Brazil"_s, u"Casablanca"_s}));
        QCOMPARE(titlesInOrder(*other), (QStringList{u"Alien"_s, u"Brazil"_s}));
        other->refresh();
        QCOMPARE(other->recordCount(), 3);
    }

    void namesAreOrderedAsPeopleOrderThem() {
        auto people = openTable(schema::adress());
        for (const QString& name : {u"Zorn"_s, u"åkesson"_s, u"Öberg"_s, u"Åberg"_s, u"andersson"_s,
                                    u"ärlig"_s, u"Berg"_s})
            addPerson(*people, name, u"Olof"_s);
        const auto lastNames = [&people] {
            QStringList names;
            for (people->first(); !people->eof(); people->next())
                names << people->asText(u"Efternamn"_s);
            return names;
        };
        setCollationLocale(QLocale(QLocale::Swedish, QLocale::Sweden));
        people->selectIndex(u"ENamn"_s);
        QCOMPARE(lastNames(), (QStringList{u"andersson"_s, u"Berg"_s, u"Zorn"_s, u"Åberg"_s,
                                           u"åkesson"_s, u"ärlig"_s, u"Öberg"_s}));
        people->findNearest(u"C"_s);
        QCOMPARE(people->asText(u"Efternamn"_s), u"Zorn"_s);
        people->findNearest(u"å"_s);
        QCOMPARE(people->asText(u"Efternamn"_s), u"Åberg"_s);
        // The first match in the current order, not in the order of the file's index.
        QVERIFY(people->locate(u"Fornamn"_s, {u"Olof"_s}));
        QCOMPARE(people->asText(u"Efternamn"_s), u"andersson"_s);

        setCollationLocale(QLocale(QLocale::English));
        people->refresh();
        QCOMPARE(lastNames(), (QStringList{u"Åberg"_s, u"åkesson"_s, u"andersson"_s, u"ärlig"_s,
                                           u"Berg"_s, u"Öberg"_s, u"Zorn"_s}));
        people->findNearest(u"B"_s);
        QCOMPARE(people->asText(u"Efternamn"_s), u"Berg"_s);
        QVERIFY(people->locate(u"Fornamn"_s, {u"Olof"_s}));
        QCOMPARE(people->asText(u"Efternamn"_s), u"Åberg"_s);
        setCollationLocale(std::nullopt);
        // The file keeps its plain index: any SQLite tool reads and orders it.
        QCOMPARE(catalogue->scalar(u"adress.DB"_s,
                                   u"SELECT Efternamn FROM Adress ORDER BY Efternamn "
                                   "COLLATE NOCASE LIMIT 1"_s),
                 u"andersson"_s);
    }

    // Any SQLite tool opens, orders and writes a table file: its schema names no collation
    // but SQLite's own.
    void noTableFileNeedsACollationOfTheProgram() {
        static const QRegularExpression collation(u"COLLATE\\s+(\\w+)"_s,
                                                  QRegularExpression::CaseInsensitiveOption);
        for (const TableSchema* table : schema::all()) {
            const QString sql = catalogue->scalar(
                table->fileName, u"SELECT group_concat(sql, ';') FROM sqlite_master"_s);
            QVERIFY2(!sql.isEmpty(), qPrintable(table->fileName));
            for (const auto& match : collation.globalMatch(sql)) {
                QVERIFY2(QStringList({u"NOCASE"_s, u"BINARY"_s, u"RTRIM"_s})
                             .contains(match.captured(1).toUpper()),
                         qPrintable(table->fileName + u": "_s + match.captured(0)));
            }
        }
    }

    // The rows a list reads are kept without their pictures; the record the table stands on,
    // a picture asked for elsewhere and a record written back still have theirs.
    void picturesAreReadWhereTheyAreWantedAndKept() {
        auto objects = openTable(schema::value());
        const QByteArray pictures[] = {QByteArray(300000, 'a'), QByteArray(), "small"};
        for (int i = 0; i < 3; ++i) {
            objects->append();
            objects->setText(u"Benamning"_s, u"Object %1"_s.arg(i));
            objects->setBytes(u"Bild"_s, pictures[i]);
            objects->post();
        }
        const int name = objects->fieldIndex(u"Benamning"_s);
        const int picture = objects->fieldIndex(u"Bild"_s);
        objects->first();
        // As a list paints: every row's name, which fills the row cache.
        for (int position = 0; position < 3; ++position)
            QCOMPARE(objects->textAt(position, name), u"Object %1"_s.arg(position));
        QCOMPARE(objects->valueAt(2, picture).toByteArray(), QByteArray("small"));
        QVERIFY(objects->valueAt(1, picture).toByteArray().isEmpty());
        for (int position : {2, 0}) {
            objects->moveTo(position);
            QCOMPARE(objects->value(u"Bild"_s).toByteArray(), pictures[position]);
        }
        objects->edit();
        objects->setText(u"Benamning"_s, u"Renamed"_s);
        objects->post();
        QCOMPARE(catalogue->scalar(u"Value.DB"_s,
                                   u"SELECT length(Bild) FROM Value WHERE Benamning = 'Renamed'"_s),
                 u"300000"_s);
    }

    void deleteMovesOnAndEmptiesTheTable() {
        auto films = openTable(schema::film());
        addFilm(*films, 1, u"A"_s);
        addFilm(*films, 2, u"B"_s);
        addFilm(*films, 3, u"C"_s);
        films->selectIndex(u"Nummer"_s);
        films->next();
        films->remove(); // the following record becomes current
        QCOMPARE(films->asText(u"Titel"_s), u"C"_s);
        films->remove(); // after the last one, the new last
        QCOMPARE(films->asText(u"Titel"_s), u"A"_s);
        films->remove();
        QVERIFY(films->isEmpty());
        QVERIFY(films->bof() && films->eof());
        QVERIFY_THROWS_EXCEPTION(StoreError, films->remove());
        QCOMPARE(catalogue->scalar(u"film.DB"_s, u"SELECT count(*) FROM Film"_s), u"0"_s);
    }

    void insertingCanBePostedCancelledOrDeleted() {
        auto films = openTable(schema::film());
        addFilm(*films, 7, u"Kept"_s);

        films->append();
        QCOMPARE(films->state(), TableState::Insert);
        QCOMPARE(films->asText(u"Titel"_s), QString());
        films->setText(u"Titel"_s, u"Dropped"_s);
        films->cancel();
        QCOMPARE(films->state(), TableState::Browse);
        QCOMPARE(films->asText(u"Titel"_s), u"Kept"_s);

        films->append();
        films->setText(u"Titel"_s, u"Also dropped"_s);
        films->remove(); // deleting while inserting drops the new record only
        QCOMPARE(films->recordCount(), 1);

        films->append();
        films->setText(u"Titel"_s, u"Second"_s);
        films->post();
        QCOMPARE(films->recordCount(), 2);
        QCOMPARE(films->asText(u"Titel"_s), u"Second"_s);
        // Keys are filled by the table, one after the other, and cannot be written.
        QCOMPARE(films->asInteger(u"FilmId"_s), 2);
        films->edit();
        QVERIFY_THROWS_EXCEPTION(StoreError, films->setInteger(u"FilmId"_s, 9));
        films->cancel();
        QCOMPARE(catalogue->scalar(u"film.DB"_s, u"SELECT group_concat(Titel) FROM Film"_s),
                 u"Kept,Second"_s);
    }

    void movingPostsThePendingRecord() {
        auto films = openTable(schema::film());
        addFilm(*films, 1, u"A"_s);
        addFilm(*films, 2, u"B"_s);
        films->first();
        films->edit();
        films->setText(u"Titel"_s, u"A2"_s);
        films->next();
        QCOMPARE(films->state(), TableState::Browse);
        QCOMPARE(catalogue->scalar(u"film.DB"_s, u"SELECT Titel FROM Film WHERE \"Index\" = 1"_s),
                 u"A2"_s);

        // A new record left without a value is dropped, not stored as an empty row.
        films->append();
        films->first();
        QCOMPARE(films->state(), TableState::Browse);
        QCOMPARE(films->recordCount(), 2);
        films->append();
        films->setText(u"Titel"_s, u"C"_s);
        films->first();
        QCOMPARE(films->recordCount(), 3);
        // Posting on purpose stores even an empty record.
        films->append();
        films->post();
        QCOMPARE(films->recordCount(), 4);
    }

    void editingCanBeCancelledAndPostingReorders() {
        auto films = openTable(schema::film());
        addFilm(*films, 1, u"A"_s);
        addFilm(*films, 2, u"B"_s);
        films->selectIndex(u"Nummer"_s);
        films->edit();
        films->setText(u"Titel"_s, u"Changed"_s);
        QCOMPARE(films->asText(u"Titel"_s), u"Changed"_s);
        films->cancel();
        QCOMPARE(films->asText(u"Titel"_s), u"A"_s);

        QSignalSpy reordered(films.get(), &Table::recordsChanged);
        films->edit();
        films->setInteger(u"Index"_s, 5);
        films->post();
        QCOMPARE(reordered.count(), 1);
        QCOMPARE(films->position(), 1); // the record moved to its new place and stayed current
        QCOMPARE(films->asText(u"Titel"_s), u"A"_s);
    }

    void fieldsAreFoundWithoutRegardToCaseAndBlanks() {
        auto films = openTable(schema::film());
        films->append();
        films->setText(u"titel"_s, u"X"_s);
        films->setText(u"Utlanad till"_s, u"Anna Berg"_s);
        films->setText(u"UTLANINGSDATUM"_s, u"2026-03-01"_s);
        films->setLogical(u"Utlanad"_s, true);
        films->setText(u"Speltid"_s, u"95"_s);
        films->post();
        QCOMPARE(films->asText(u"utlanad TILL"_s), u"Anna Berg"_s);
        QCOMPARE(films->asDate(u"Utlaningsdatum"_s), QDate(2026, 3, 1));
        QVERIFY(films->asLogical(u"Utlanad"_s));
        QCOMPARE(films->asInteger(u"Speltid"_s), 95);
        films->edit();
        QVERIFY_THROWS_EXCEPTION(StoreError, films->setText(u"Speltid"_s, u"long"_s));
        films->setText(u"Utlaningsdatum"_s, QString()); // the empty text empties a date
        films->post();
        QCOMPARE(films->asText(u"Utlaningsdatum"_s), QString());
    }

    void textIsCutToTheFieldSize() {
        auto people = openTable(schema::adress());
        people->append();
        people->setText(u"Efternamn"_s, QString(45, u'x'));
        people->setText(u"Telefon arbete"_s, u"0123456789012345678"_s);
        people->post();
        QCOMPARE(people->asText(u"Efternamn"_s).size(), 30);
        QCOMPARE(people->asText(u"Telefon arbete"_s), u"012345678901234"_s);
    }

    void badInputGivesClearErrors() {
        auto films = openTable(schema::film());
        QVERIFY_THROWS_EXCEPTION(StoreError, films->asText(u"Nosuchfield"_s));
        QVERIFY_THROWS_EXCEPTION(StoreError, films->selectIndex(u"Nosuchindex"_s));
        films->close();

        // A missing file is an error and is not created.
        QFile::remove(catalogue->file(u"bok.DB"_s));
        Table books(*connection, schema::bok());
        books.setDirectory(catalogue->path());
        try {
            books.open();
            QFAIL("opened a missing table file");
        } catch (const StoreError& error) {
            QVERIFY2(error.text().contains(u"bok.DB"_s), qPrintable(error.text()));
        }
        QVERIFY(!books.isOpen());
        QVERIFY(!QFile::exists(catalogue->file(u"bok.DB"_s)));

        // A file of random bytes is no database.
        QFile garbage(catalogue->file(u"data.DB"_s));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        QByteArray noise(4096, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        garbage.write(noise);
        garbage.close();
        Table software(*connection, schema::data());
        software.setDirectory(catalogue->path());
        QVERIFY_THROWS_EXCEPTION(StoreError, software.open());
        QVERIFY(!software.isOpen());

        // A file that lacks a field: the error comes when the field is used.
        catalogue->exec(u"kod.db"_s, u"DROP TABLE Kod"_s);
        catalogue->exec(u"kod.db"_s,
                        u"CREATE TABLE Kod (Kid INTEGER PRIMARY KEY, Mottagare TEXT)"_s);
        Table codes(*connection, schema::kod());
        codes.setDirectory(catalogue->path());
        codes.open();
        QVERIFY_THROWS_EXCEPTION(StoreError, codes.asText(u"Kod"_s));
        // A file that lacks a named index: the error comes when it is selected.
        catalogue->exec(u"adress.DB"_s, u"DROP INDEX ENamn"_s);
        Table people(*connection, schema::adress());
        people.setDirectory(catalogue->path());
        people.open();
        QVERIFY_THROWS_EXCEPTION(StoreError, people.selectIndex(u"ENamn"_s));
    }

    void closedTablesCanBeReplacedAsWholeFiles() {
        auto films = openTable(schema::film());
        addFilm(*films, 1, u"A"_s);
        films->close();
        films->close(); // closing a closed table is safe
        QCOMPARE(catalogue->scalar(u"film.DB"_s, u"PRAGMA journal_mode"_s), u"delete"_s);
        QVERIFY(!QFile::exists(catalogue->file(u"film.DB-journal"_s)));
        QVERIFY(!QFile::exists(catalogue->file(u"film.DB-wal"_s)));
        films->open();
        films->open(); // opening an open table does nothing
        QCOMPARE(films->recordCount(), 1);
    }

    void suspendedControlsHearOnceWhenResumed() {
        auto films = openTable(schema::film());
        addFilm(*films, 1, u"A"_s);
        addFilm(*films, 2, u"B"_s);
        QSignalSpy moved(films.get(), &Table::currentChanged);
        films->disableControls();
        films->first();
        while (!films->eof())
            films->next();
        QCOMPARE(moved.count(), 0);
        films->enableControls();
        QCOMPARE(moved.count(), 1);
    }

    void refreshShowsWhatIsStored() {
        auto films = openTable(schema::film());
        addFilm(*films, 1, u"A"_s);
        catalogue->exec(u"film.DB"_s, u"INSERT INTO Film (\"Index\", Titel) VALUES (0, 'Z')"_s);
        QCOMPARE(films->recordCount(), 1);
        films->selectIndex(u"Nummer"_s);
        films->last();
        films->refresh();
        QCOMPARE(films->recordCount(), 2);
        QCOMPARE(films->asText(u"Titel"_s), u"A"_s); // the current record stays current
    }
};

QTEST_GUILESS_MAIN(TestTable)
#include "test_table.moc"
