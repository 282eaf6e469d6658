// Writes to several table files as one: all land or none, on disk through SQLite's
// super-journal, and in the table objects through a re-read after a failure.
#include "TempCatalogue.h"
#include "data/Errors.h"
#include "data/Schema.h"
#include "data/Sqlite.h"
#include "data/Table.h"
#include "data/WriteTogether.h"

#include <QtTest>
#include <sqlite3.h>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

// Notes every super-journal SQLite opens, by passing each open on to the real file system.
sqlite3_vfs* realVfs = nullptr;
QStringList superJournals;

int recordingOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags,
                  int* outFlags) {
    if (flags & SQLITE_OPEN_SUPER_JOURNAL)
        superJournals << QString::fromUtf8(name);
    return realVfs->xOpen(realVfs, name, file, flags, outFlags);
}

void recordSuperJournals() {
    static sqlite3_vfs recording;
    realVfs = sqlite3_vfs_find(nullptr);
    recording = *realVfs;
    recording.zName = "recording";
    recording.xOpen = recordingOpen;
    sqlite3_vfs_register(&recording, 1);
}

} // namespace

class TestWriteTogether : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<Connection> connection;
    std::unique_ptr<Table> films;
    std::unique_ptr<Table> loans;

    std::unique_ptr<Table> tableOf(const TableSchema& schema) {
        auto table = std::make_unique<Table>(*connection, schema);
        table->setDirectory(catalogue->path());
        return table;
    }
    void addFilm(const QString& title) {
        films->append();
        films->setText(u"Titel"_s, title);
        films->post();
    }
    void addLoan(const QString& objekt) {
        loans->append();
        loans->setText(u"Objekt"_s, objekt);
        loans->post();
    }
    QString count(const QString& file, const QString& table) {
        return catalogue->scalar(file, u"SELECT count(*) FROM "_s + table);
    }

private slots:
    void initTestCase() { recordSuperJournals(); }
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        connection = std::make_unique<Connection>();
        films = tableOf(schema::film());
        loans = tableOf(schema::borrow());
        superJournals.clear();
    }
    void cleanup() {
        loans.reset();
        films.reset();
        connection.reset();
        catalogue.reset();
    }

    void closedTablesAreOpenedAndBothFilesWritten() {
        writeTogether({films.get(), loans.get()}, [&] {
            addFilm(u"Alien"_s);
            addLoan(u"Alien"_s);
        });
        QVERIFY(films->isOpen());
        QVERIFY(loans->isOpen());
        QCOMPARE(count(u"film.DB"_s, u"Film"_s), u"1"_s);
        QCOMPARE(count(u"borrow.db"_s, u"Borrow"_s), u"1"_s);
    }

    void aCommitOfTwoFilesGoesThroughASuperJournalBesideThem() {
        writeTogether({films.get(), loans.get()}, [&] {
            addFilm(u"Alien"_s);
            addLoan(u"Alien"_s);
        });
        QCOMPARE(superJournals.size(), 1);
        QVERIFY2(superJournals.first().startsWith(catalogue->file(u".hoardly-commit-mj"_s)),
                 qPrintable(superJournals.first()));
        QVERIFY(!QFileInfo::exists(superJournals.first())); // gone once both have committed
        // One file needs none; nor does a transaction that wrote only one of its tables.
        addFilm(u"Brazil"_s);
        writeTogether({films.get(), loans.get()}, [&] { addFilm(u"Casablanca"_s); });
        QCOMPARE(superJournals.size(), 1);
    }

    void aFailureRollsBackEveryFileAndEveryTableObject() {
        writeTogether({films.get(), loans.get()}, [&] {
            addFilm(u"Alien"_s);
            addFilm(u"Brazil"_s);
            addLoan(u"Alien"_s);
        });
        films->first();
        QVERIFY_THROWS_EXCEPTION(StoreError, writeTogether({films.get(), loans.get()}, [&] {
                                     addFilm(u"Casablanca"_s);
                                     addLoan(u"Casablanca"_s);
                                     films->edit();
                                     films->setText(u"Titel"_s, u"Dune"_s);
                                     throw StoreError(u"the last write failed"_s);
                                 }));
        QCOMPARE(count(u"film.DB"_s, u"Film"_s), u"2"_s);
        QCOMPARE(count(u"borrow.db"_s, u"Borrow"_s), u"1"_s);
        QCOMPARE(films->recordCount(), 2);
        QCOMPARE(films->state(), TableState::Browse);
        QCOMPARE(films->position(), 0);
        QCOMPARE(films->asText(u"Titel"_s), u"Alien"_s);
        QCOMPARE(loans->recordCount(), 1);
    }

    void anInnerWriteJoinsTheOuterOne() {
        QVERIFY_THROWS_EXCEPTION(StoreError, writeTogether({films.get()}, [&] {
                                     writeTogether({films.get(), loans.get()}, [&] {
                                         addFilm(u"Alien"_s);
                                         addLoan(u"Alien"_s);
                                     });
                                     throw StoreError(u"the outer write failed"_s);
                                 }));
        QCOMPARE(count(u"film.DB"_s, u"Film"_s), u"0"_s);
        QCOMPARE(count(u"borrow.db"_s, u"Borrow"_s), u"0"_s);
        QCOMPARE(films->recordCount(), 0);
        QCOMPARE(loans->recordCount(), 0);
    }

    void tablesOfTwoConnectionsCannotBeWrittenTogether() {
        Connection other;
        Table elsewhere(other, schema::borrow());
        elsewhere.setDirectory(catalogue->path());
        try {
            writeTogether({films.get(), &elsewhere}, [] {});
            QFAIL("wrote across two connections");
        } catch (const StoreError& error) {
            QCOMPARE(error.text(),
                     u"The tables film.DB and borrow.db cannot be written together."_s);
        }
        QVERIFY(!elsewhere.isOpen());
    }

    // A kill can leave a super-journal that no file needs any more; the next start removes
    // it, and keeps one whose journal is still there to be rolled back.
    void superJournalsNoJournalNeedsAreRemovedAtTheNextStart() {
        const auto writeSuperJournal = [&](const QString& name, const QByteArray& journals) {
            QFile file(catalogue->file(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(journals);
        };
        const QByteArray kept = QFile::encodeName(catalogue->file(u"other.db-journal"_s));
        QFile journal(catalogue->file(u"other.db-journal"_s));
        QVERIFY(journal.open(QIODevice::WriteOnly));
        journal.close();
        writeSuperJournal(u".hoardly-commit-mj0000000A"_s,
                          QFile::encodeName(catalogue->file(u"film.DB-journal"_s)) + '\0' +
                              QFile::encodeName(catalogue->file(u"borrow.db-journal"_s)) + '\0');
        writeSuperJournal(u".hoardly-commit-mj0000000B"_s, QByteArray()); // killed at once
        writeSuperJournal(u".hoardly-commit-mj0000000C"_s, kept + '\0');
        films->open();
        QVERIFY(!QFileInfo::exists(catalogue->file(u".hoardly-commit-mj0000000A"_s)));
        QVERIFY(!QFileInfo::exists(catalogue->file(u".hoardly-commit-mj0000000B"_s)));
        QVERIFY(QFileInfo::exists(catalogue->file(u".hoardly-commit-mj0000000C"_s)));
    }
};

QTEST_GUILESS_MAIN(TestWriteTogether)
#include "test_write_together.moc"
