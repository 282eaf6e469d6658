#include "TempCatalogue.h"
#include "data/Errors.h"
#include "data/GridModels.h"
#include "data/Query.h"
#include "data/TDM.h"
#include "data/TextFiles.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

class TestQuery : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        catalogue->exec(u"film.DB"_s, u"INSERT INTO Film (\"Index\", Titel, Aktor, Speltid) VALUES "
                                      "(1, 'Schindler''s List', 'Liam Neeson', 195), "
                                      "(2, 'Alien', 'Sigourney Weaver', 117), "
                                      "(3, 'Änglagård', 'Helena Bergström', 90)"_s);
    }
    void cleanup() { catalogue.reset(); }

    void startsWithItsStatementUnrun() {
        TDM tdm;
        QCOMPARE(tdm.filmQ().statement(),
                 (QStringList{u"Select Titel"_s, u"From Film"_s, u"Where Titel = 'Titanic';"_s}));
        QVERIFY(!tdm.filmQ().isOpen());
    }

    void resultKeepsTheStatementsColumnsInOrder() {
        Query query;
        query.setDirectory(catalogue->path());
        query.addLine(u"Select Speltid, Titel From Film Where Speltid > 100 Order By Titel"_s);
        query.open();
        QCOMPARE(query.rowCount(), 2);
        QCOMPARE(query.columnCount(), 2);
        QCOMPARE(query.columnName(0), u"Speltid"_s);
        QCOMPARE(query.value(0, 1).toString(), u"Alien"_s);
        QCOMPARE(query.value(1, 1).toString(), u"Schindler's List"_s);

        QueryModel model(query);
        QCOMPARE(model.rowCount(), 2);
        model.setColumnTitle(1, u"Title"_s);
        QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), u"Title"_s);
        query.clear(); // replacing the statement closes the query: the grid empties
        QCOMPARE(model.rowCount(), 0);
    }

    void selectStarShowsTheTableFieldOrder() {
        Query query;
        query.setDirectory(catalogue->path());
        query.addLine(u"Select * From Film Where Film.Speltid < 100"_s);
        query.open();
        QCOMPARE(query.rowCount(), 1);
        QCOMPARE(query.columnName(1), u"Index"_s);
        QCOMPARE(query.columnName(2), u"Titel"_s);
        QCOMPARE(query.value(0, 2).toString(), u"Änglagård"_s);
    }

    void boundValuesAreSearchedLikeAnyText() {
        Query query;
        query.setDirectory(catalogue->path());
        query.addLine(u"Select Titel From Film Where UPPER(Aktor) = UPPER(?)"_s);
        query.setParameters({u"liam neeson"_s});
        query.open();
        QCOMPARE(query.rowCount(), 1);
        QCOMPARE(query.value(0, 0).toString(), u"Schindler's List"_s);

        // UPPER upper-cases Swedish letters too.
        query.close();
        query.setStatement({u"Select Titel From Film Where UPPER(Aktor) = UPPER(?)"_s});
        query.setParameters({u"helena bergström"_s});
        query.open();
        QCOMPARE(query.rowCount(), 1);
    }

    void statementsLoadFromAFile() {
        const QString path = catalogue->file(u"sql.txt"_s);
        writeTextFile(path, u"Select * From Film Where Film.Speltid < 118"_s);
        Query query;
        query.setDirectory(catalogue->path());
        query.loadFromFile(path);
        query.open();
        QCOMPARE(query.rowCount(), 2);
        QVERIFY_THROWS_EXCEPTION(FileError, query.loadFromFile(catalogue->file(u"none.txt"_s)));
    }

    void aBadStatementIsAStoreErrorAndLeavesTheQueryClosed() {
        Query query;
        query.setDirectory(catalogue->path());
        query.addLine(u"Select * From Film Where Film.Speltid < abc"_s);
        QVERIFY_THROWS_EXCEPTION(StoreError, query.open());
        QVERIFY(!query.isOpen());
        // The query cannot write to the tables it reads.
        query.setStatement({u"Select 1 From Film; Delete From Film"_s});
        QVERIFY_THROWS_EXCEPTION(StoreError, query.open());
        QCOMPARE(catalogue->scalar(u"film.DB"_s, u"SELECT count(*) FROM Film"_s), u"3"_s);
    }

    // A statement run in the background leaves the thread that asked free: its rows come with
    // stateChanged, a newer statement or a close lets an older run go, and a failure comes as
    // failed() with the engine's reason.
    void aStatementRunInTheBackgroundComesInOrIsLetGo() {
        Query query;
        query.setDirectory(catalogue->path());
        QSignalSpy changes(&query, &Query::stateChanged);
        QSignalSpy failures(&query, &Query::failed);
        query.addLine(u"Select Titel From Film Order By \"Index\""_s);
        query.openInBackground();
        QVERIFY(query.isRunning());
        QVERIFY(!query.isOpen());
        QCOMPARE(query.value(0, 0), QVariant()); // nothing to read until the rows are in
        QTRY_VERIFY(query.isOpen());
        QCOMPARE(changes.size(), 1);
        QCOMPARE(query.rowCount(), 3);
        QCOMPARE(query.value(2, 0).toString(), u"Änglagård"_s);

        query.setStatement({u"Select Titel From Film Where Speltid > 100"_s});
        query.openInBackground();
        query.setStatement({u"Select Titel From Film Where Speltid < 100"_s});
        query.openInBackground();
        QTRY_VERIFY(!query.isRunning());
        QVERIFY(query.isOpen());
        QCOMPARE(query.rowCount(), 1);
        QCOMPARE(query.value(0, 0).toString(), u"Änglagård"_s);

        query.setStatement({u"Select Titel From Film"_s});
        query.openInBackground();
        query.close();
        QVERIFY(!query.isRunning());
        query.setStatement({u"Select Speltid From Film Where Speltid = 117"_s});
        query.open();                      // waits for what went before on the query's thread
        QCoreApplication::processEvents(); // the let-go run's result arrives, and is ignored
        QCOMPARE(query.rowCount(), 1);
        QCOMPARE(query.value(0, 0).toInt(), 117);
        QCOMPARE(failures.size(), 0);

        query.setStatement({u"Select * From Film Where Film.Speltid < abc"_s});
        query.openInBackground();
        QTRY_COMPARE(failures.size(), 1);
        QVERIFY2(failures.first().first().toString().contains(u"abc"_s),
                 qPrintable(failures.first().first().toString()));
        QVERIFY(!query.isOpen());
        QVERIFY(!query.isRunning());
        QVERIFY_THROWS_EXCEPTION(StoreError, query.open()); // at once, the same failure

        // A query that goes while its statement runs waits for the run to end.
        auto going = std::make_unique<Query>();
        going->setDirectory(catalogue->path());
        going->addLine(u"Select * From Film"_s);
        going->openInBackground();
        going.reset();
    }
};

QTEST_GUILESS_MAIN(TestQuery)
#include "test_query.moc"
