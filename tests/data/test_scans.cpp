// Set-oriented reads of the record store: a scan or a column read is one statement however
// many records there are, the statements are prepared once per connection, and the key list
// costs the same whatever the keys' size.
#include "StatementCounter.h"
#include "TempCatalogue.h"
#include "data/Errors.h"
#include "data/Schema.h"
#include "data/Sqlite.h"
#include "data/Table.h"
#include "registers/RegisterLogic.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

using test::StatementCounter;

class TestScans : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<Connection> connection;
    std::unique_ptr<Table> films;

    std::unique_ptr<Table> openTable(const TableSchema& schema) {
        auto table = std::make_unique<Table>(*connection, schema);
        table->setDirectory(catalogue->path());
        table->open();
        return table;
    }

    // Fifty films whose index numbers run backwards, so index order is not key order; every
    // fifth is lent.
    void fillFilms() {
        QStringList rows;
        for (int i = 1; i <= 50; ++i)
            rows << u"(%1, 'Film %2', %3, %4)"_s.arg(51 - i)
                        .arg(i, 2, 10, QChar(u'0'))
                        .arg(i % 5 == 0 ? 1 : 0)
                        .arg(i % 7 == 0 ? u"'2024-03-09'"_s : u"NULL"_s);
        catalogue->exec(u"film.DB"_s,
                        u"INSERT INTO Film (\"Index\", Titel, Utlanad, Utlaningsdatum) VALUES "_s +
                            rows.join(u", "_s));
        films = openTable(schema::film());
        films->selectIndex(u"Nummer"_s);
    }

    QStringList scanned(ScanEnd end, int stopAfter = -1) {
        QStringList seen;
        films->scan(
            {u"Titel"_s, u"Index"_s},
            [&](const ScanRow& row) {
                seen << u"%1:%2:%3"_s.arg(row.position()).arg(row.text(0), row.text(1));
                return stopAfter < 0 || int(seen.size()) < stopAfter;
            },
            end);
        return seen;
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        connection = std::make_unique<Connection>();
    }
    void cleanup() {
        films.reset();
        connection.reset();
        catalogue.reset();
    }

    void aScanByTitleFollowsTheOrderForPeopleWithOneStatement() {
        // The file's index puts accented first letters after "z"; the table's order does not.
        catalogue->exec(u"film.DB"_s, u"INSERT INTO Film (Titel) VALUES ('Zorro'), ('Émile'), "
                                      "('abc'), ('Ångest'), ('Eden'), ('Ärlig')"_s);
        films = openTable(schema::film());
        films->selectIndex(u"Filmtitel"_s);
        QStringList shown;
        for (int position = 0; position < films->recordCount(); ++position)
            shown << films->textAt(position, films->fieldIndex(u"Titel"_s));
        StatementCounter statements(connection->handle());
        QStringList seen;
        films->scan({u"Titel"_s}, [&](const ScanRow& row) {
            seen << row.text(0);
            return row.position() == int(seen.size()) - 1;
        });
        QCOMPARE(statements.count, 1);
        QCOMPARE(seen, shown);
        QCOMPARE(films->columnTexts(u"Titel"_s), shown);
    }

    void aScanVisitsTheCurrentOrderWithOneStatement() {
        fillFilms();
        films->moveTo(10);
        QSignalSpy moved(films.get(), &Table::currentChanged);
        StatementCounter statements(connection->handle());
        const QStringList seen = scanned(ScanEnd::KeepPosition);
        QCOMPARE(statements.count, 1);
        QCOMPARE(seen.size(), 50);
        QCOMPARE(seen.first(), u"0:Film 50:1"_s);
        QCOMPARE(seen.last(), u"49:Film 01:50"_s);
        // Left where it was, and no bound control heard of it.
        QCOMPARE(films->position(), 10);
        QCOMPARE(moved.count(), 0);

        // The order is the current one: by title now.
        films->selectIndex(u"Filmtitel"_s);
        QCOMPARE(scanned(ScanEnd::KeepPosition).first(), u"0:Film 01:50"_s);
    }

    void aScanCanStopAndLeaveTheLastVisitedRecordCurrent() {
        fillFilms();
        QSignalSpy moved(films.get(), &Table::currentChanged);
        QCOMPARE(scanned(ScanEnd::AtLastVisited, 3).size(), 3);
        QCOMPARE(films->position(), 2);
        QVERIFY(!films->eof());
        QCOMPARE(moved.count(), 1); // once, at the end

        // To the end, as "first; while not at the end, next" leaves the table.
        QCOMPARE(scanned(ScanEnd::AtLastVisited).size(), 50);
        QCOMPARE(films->position(), 49);
        QVERIFY(films->eof());
        QVERIFY(!films->bof());
        QCOMPARE(films->asText(u"Titel"_s), u"Film 01"_s);
        QCOMPARE(moved.count(), 2);
    }

    void aScanThatMovesPostsThePendingRecordFirst() {
        fillFilms();
        films->append();
        films->setText(u"Titel"_s, u"Zardoz"_s);
        films->setInteger(u"Index"_s, 99);
        // Reading where it stands leaves the entry pending and reads what is stored.
        QCOMPARE(scanned(ScanEnd::KeepPosition).size(), 50);
        QCOMPARE(films->state(), TableState::Insert);
        QCOMPARE(scanned(ScanEnd::AtLastVisited).last(), u"50:Zardoz:99"_s);
        QCOMPARE(films->state(), TableState::Browse);
    }

    void aColumnReadGivesTheDisplayTexts() {
        fillFilms();
        films->moveTo(3);
        StatementCounter statements(connection->handle());
        const QStringList lent = films->columnTexts(u"Utlanad"_s);
        const QStringList dates = films->columnTexts(u"utlaningsdatum"_s);
        QCOMPARE(statements.count, 2);
        QCOMPARE(lent.size(), 50);
        QCOMPARE(lent.count(u"True"_s), 10);
        QCOMPARE(lent.last(), u"False"_s); // film 1
        QCOMPARE(lent[45], u"True"_s);     // film 5
        QCOMPARE(dates[43],
                 QDate(2024, 3, 9)
                     .toString(QLocale::system().dateFormat(QLocale::ShortFormat))); // film 7
        QCOMPARE(dates.count(QString()), 43);
        QCOMPARE(films->position(), 3);
        QVERIFY_THROWS_EXCEPTION(StoreError, films->columnTexts(u"Nosuchfield"_s));
    }

    void thePickListReadIsOneStatement() {
        auto standard = openTable(schema::standard());
        catalogue->exec(u"Standard.db"_s, u"INSERT INTO Standard (Aktor) VALUES ('Sigourney "
                                          "Weaver'), (NULL), (''), ('Tom Skerritt')"_s);
        standard->refresh();
        StatementCounter statements(connection->handle());
        QCOMPARE(rememberedValues(*standard, u"Aktor"_s, 5), (QStringList{u"Sigou"_s, u"Tom S"_s}));
        QCOMPARE(statements.count, 1);
    }

    void suspendedControlsHearOnceWhenTheLastGuardEnds() {
        fillFilms();
        QSignalSpy moved(films.get(), &Table::currentChanged);
        QSignalSpy reordered(films.get(), &Table::recordsChanged);
        {
            SuspendedControls outer(*films);
            {
                SuspendedControls inner(*films);
                for (films->first(); !films->eof(); films->next()) {
                }
            }
            QVERIFY(films->controlsDisabled());
            QCOMPARE(moved.count(), 0);
        }
        QVERIFY(!films->controlsDisabled());
        QCOMPARE(moved.count(), 1);
        QCOMPARE(reordered.count(), 1);
    }

    void keysOfAnySizeCostTheSame() {
        // Another tool may have written keys far apart; the key list must not grow with them.
        catalogue->exec(u"film.DB"_s, u"INSERT INTO Film (FilmId, \"Index\", Titel) VALUES "
                                      "(1099511627776, 1, 'Far'), (3, 2, 'Near'), "
                                      "(9007199254740000, 3, 'Farther')"_s);
        films = openTable(schema::film());
        QCOMPARE(films->recordCount(), 3);
        QVERIFY(films->locate(u"Titel"_s, {u"Farther"_s}));
        QCOMPARE(films->position(), 2); // key order
        films->edit();
        films->setText(u"Kommentar"_s, u"seen"_s);
        films->post();
        QCOMPARE(films->asText(u"Titel"_s), u"Farther"_s);
        films->selectIndex(u"Filmtitel"_s);
        QVERIFY(films->locate(u"Titel"_s, {u"Far"_s}));
        QCOMPARE(films->position(), 0);
        films->remove();
        QCOMPARE(films->asText(u"Titel"_s), u"Farther"_s);
    }

    void statementsArePreparedOncePerConnection() {
        const QString sql = u"SELECT 1"_s;
        const Statement* first = nullptr;
        {
            CachedStatement lease = connection->cached(sql);
            first = &*lease;
            QVERIFY(lease->step());
            // Taken while the first lease lasts: a statement of its own.
            CachedStatement nested = connection->cached(sql);
            QVERIFY(&*nested != first);
            QVERIFY(nested->step());
        }
        CachedStatement again = connection->cached(sql);
        QCOMPARE(&*again, first);
        // Reset when the lease ended: it runs from its start.
        QVERIFY(again->step());
        QCOMPARE(again->int64(0), 1);
    }

    void theCommitFileLiesBesideTheTablesAndGoesWithTheConnection() {
        QVERIFY(connection->mainFile().isEmpty()); // nothing attached yet: in memory
        films = openTable(schema::film());
        const QString commitFile =
            catalogue->file(QString::fromLatin1(Connection::kCommitFileName));
        QCOMPARE(connection->mainFile(), commitFile);
        QVERIFY(QFileInfo::exists(commitFile));
        QCOMPARE(QFileInfo(commitFile).size(), 0);
        films.reset();
        connection.reset();
        QVERIFY(!QFileInfo::exists(commitFile));
        // A connection that only reads stays in memory.
        Connection reading(Connection::Main::InMemory);
        reading.attach(catalogue->file(u"film.DB"_s), u"f"_s, true);
        QVERIFY(reading.mainFile().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestScans)
#include "test_scans.moc"
