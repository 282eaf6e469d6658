#include "TempCatalogue.h"
#include "app/DatabaseSetup.h"
#include "data/RunState.h"
#include "data/TDM.h"

#include <QFile>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

// Records the order of the steps the set-up hands back, and what the run looked like then.
struct StepLog {
    QStringList calls;
    bool startupDoneAtMusic = false;
    bool configOpenAtPaint = false;
};

DatabaseSetupSteps loggingSteps(StepLog& log, TDM& tdm, RunState& run) {
    return {
        [&] {
            log.calls << u"paint"_s;
            log.configOpenAtPaint = tdm.configTb().isOpen();
        },
        [&] { log.calls << u"pause"_s; },
        [&] {
            log.calls << u"music"_s;
            log.startupDoneAtMusic = run.startupDone;
        },
    };
}

} // namespace

class TestDatabaseSetup : public QObject {
    Q_OBJECT

private slots:
    void appDirDropsOnlyTheTrailingSeparator() {
        QCOMPARE(appDirFrom(u"/opt/hoardly/"_s), u"/opt/hoardly"_s);
        QCOMPARE(appDirFrom(u"/opt/hoardly"_s), u"/opt/hoardly"_s);
        // The root directory stays itself: an empty path would mean the working directory.
        QCOMPARE(appDirFrom(u"/"_s), u"/"_s);
    }

    void firstStartRecordsTheDirectoryAndPointsEveryTableAtIt() {
        test::TempCatalogue catalogue;
        QCOMPARE(catalogue.scalar(u"Config.db"_s, u"SELECT AppPathChecked FROM Config"_s), u"0"_s);
        TDM tdm;
        RunState run;
        StepLog log;
        const auto result =
            setUpDatabase(tdm, run, catalogue.path() + u"/"_s, loggingSteps(log, tdm, run));

        QCOMPARE(result, DatabaseSetupResult::Done);
        QCOMPARE(run.appDir, catalogue.path());
        QVERIFY(run.startupDone);
        QCOMPARE(catalogue.scalar(u"Config.db"_s, u"SELECT Applikationpath FROM Config"_s),
                 catalogue.path());
        QCOMPARE(catalogue.scalar(u"Config.db"_s, u"SELECT AppPathChecked FROM Config"_s), u"1"_s);
        QVERIFY(tdm.configTb().isOpen());
        QVERIFY(tdm.standardTb().isOpen());
        for (Table* table :
             {&tdm.adressTb(), &tdm.filmTb(), &tdm.dataTb(), &tdm.bokTb(), &tdm.musikTb(),
              &tdm.songTb(), &tdm.kodTb(), &tdm.borrowTb(), &tdm.valueTb()}) {
            QCOMPARE(table->directory(), catalogue.path());
            QVERIFY2(!table->isOpen(), qPrintable(table->schema().fileName));
        }
        QCOMPARE(tdm.filmQ().directory(), catalogue.path());
        QCOMPARE(tdm.filmTb().indexName(), u"Nummer"_s);

        QCOMPARE(log.calls, (QStringList{u"paint"_s, u"pause"_s, u"music"_s}));
        QVERIFY(log.configOpenAtPaint);
        QVERIFY(log.startupDoneAtMusic); // the music never starts before the set-up is done
    }

    void laterStartsKeepTheFirstDirectoryButOpenTheTablesWhereTheProgramIs() {
        // The program was first started elsewhere and has since been moved here.
        test::TempCatalogue catalogue;
        catalogue.exec(u"Config.db"_s,
                       u"UPDATE Config SET Applikationpath = '/old/place', AppPathChecked = 1"_s);
        catalogue.exec(u"film.DB"_s, u"INSERT INTO Film (\"Index\", Titel) VALUES (2, 'Brazil'), "
                                     "(1, 'Casablanca')"_s);
        TDM tdm;
        tdm.filmTb().selectIndex(u"Filmtitel"_s); // the order of the last film window
        RunState run;
        QCOMPARE(setUpDatabase(tdm, run, catalogue.path(), {}), DatabaseSetupResult::Done);

        QCOMPARE(tdm.configTb().asText(u"Applikationpath"_s), u"/old/place"_s);
        QCOMPARE(catalogue.scalar(u"Config.db"_s, u"SELECT Applikationpath FROM Config"_s),
                 u"/old/place"_s);
        QCOMPARE(tdm.configTb().filePath(), catalogue.file(u"Config.db"_s));
        QCOMPARE(tdm.filmTb().filePath(), catalogue.file(u"film.DB"_s));
        QCOMPARE(tdm.filmTb().indexName(), u"Nummer"_s);
        tdm.filmTb().open();
        QCOMPARE(tdm.filmTb().asText(u"Titel"_s), u"Casablanca"_s); // index order, not title
    }

    void aBrokenDatabaseLeavesNothingHalfOpen_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content"); // empty: the file is missing
        QTest::addColumn<QString>("sql");        // run on the file instead, when given
        QTest::newRow("missing settings") << u"Config.db"_s << QByteArray() << QString();
        QTest::newRow("garbage settings")
            << u"Config.db"_s << QByteArray("this is not a table at all") << QString();
        QTest::newRow("missing pick lists") << u"Standard.db"_s << QByteArray() << QString();
        QTest::newRow("garbage pick lists")
            << u"Standard.db"_s << QByteArray(4096, 'x') << QString();
        QTest::newRow("no settings record")
            << u"Config.db"_s << QByteArray() << u"DELETE FROM Config"_s;
    }

    void aBrokenDatabaseLeavesNothingHalfOpen() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, sql);
        test::TempCatalogue catalogue;
        if (!sql.isEmpty()) {
            catalogue.exec(file, sql);
        } else {
            QVERIFY(QFile::remove(catalogue.file(file)));
            if (!content.isEmpty()) {
                QFile broken(catalogue.file(file));
                QVERIFY(broken.open(QIODevice::WriteOnly));
                broken.write(content);
            }
        }
        TDM tdm;
        RunState run;
        StepLog log;
        const auto result = setUpDatabase(tdm, run, catalogue.path(), loggingSteps(log, tdm, run));

        QCOMPARE(result, DatabaseSetupResult::DatabaseError);
        QVERIFY(!run.startupDone);
        QVERIFY(!tdm.configTb().isOpen());
        QVERIFY(!tdm.standardTb().isOpen());
        QVERIFY(log.calls.isEmpty());                // no paint, no pause, and above all no music
        QVERIFY(tdm.filmTb().directory().isEmpty()); // the registers were never pointed anywhere
        QVERIFY(tdm.filmQ().directory().isEmpty());
    }

    void theSecretFilesArePrivateFromTheStartAndAfterAStart() {
        test::TempCatalogue catalogue;
        const QString config = catalogue.file(u"Config.db"_s);
        const QString kod = catalogue.file(u"kod.db"_s);
        // The user bits mirror the owner's; the mode is the rest.
        const auto mode = [](const QString& path) {
            return QFile::permissions(path) & QFileDevice::Permissions(0x7077);
        };
        const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        QCOMPARE(mode(config), ownerOnly);
        QCOMPARE(mode(kod), ownerOnly);

        // Copied in from elsewhere, readable by all: the next start makes them private again.
        for (const QString& path : {config, kod})
            QVERIFY(QFile::setPermissions(path, ownerOnly | QFileDevice::ReadGroup |
                                                    QFileDevice::ReadOther));
        TDM tdm;
        RunState run;
        QCOMPARE(setUpDatabase(tdm, run, catalogue.path(), {}), DatabaseSetupResult::Done);
        QCOMPARE(mode(config), ownerOnly);
        QCOMPARE(mode(kod), ownerOnly);
    }
};

QTEST_GUILESS_MAIN(TestDatabaseSetup)
#include "test_database_setup.moc"
