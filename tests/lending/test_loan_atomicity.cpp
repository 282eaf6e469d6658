// Loans are never half written: a process that lends and returns in a loop is killed with
// SIGKILL at many points, and after every kill each film's lent flag agrees with the lending
// register and every file passes SQLite's integrity check.
//
// The same executable is the child: "--lend-loop DIR [N]" lends and returns films of the
// catalogue in DIR until it is killed. With N it kills itself at the N-th write, sync,
// truncation or deletion of a file (counted by a thin layer over SQLite's file system calls),
// so the sweep over N stops the loop at every step of a commit, including the moment between
// the two files' commits.
#include "TempCatalogue.h"
#include "data/Sqlite.h"
#include "data/TDM.h"
#include "lending/Lending.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>
#include <csignal>
#include <sqlite3.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

const QStringList kTitles{u"Alien"_s, u"Brazil"_s, u"Casablanca"_s};

// --- the kill point: a layer over the default file system calls -----------------------------

sqlite3_vfs* realVfs = nullptr;
long countdown = -1; // the file operations left before the kill; -1: never

void countOperation() {
    if (countdown > 0 && --countdown == 0)
        ::kill(::getpid(), SIGKILL);
}

struct CountingFile {
    sqlite3_file base;
    sqlite3_file* real; // the real file's storage follows this struct
};

sqlite3_file* realOf(sqlite3_file* file) {
    return reinterpret_cast<CountingFile*>(file)->real;
}

int fileClose(sqlite3_file* f) {
    return realOf(f)->pMethods->xClose(realOf(f));
}
int fileRead(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
    return realOf(f)->pMethods->xRead(realOf(f), buffer, amount, offset);
}
int fileWrite(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
    countOperation();
    return realOf(f)->pMethods->xWrite(realOf(f), buffer, amount, offset);
}
int fileTruncate(sqlite3_file* f, sqlite3_int64 size) {
    countOperation();
    return realOf(f)->pMethods->xTruncate(realOf(f), size);
}
int fileSync(sqlite3_file* f, int flags) {
    countOperation();
    return realOf(f)->pMethods->xSync(realOf(f), flags);
}
int fileSize(sqlite3_file* f, sqlite3_int64* size) {
    return realOf(f)->pMethods->xFileSize(realOf(f), size);
}
int fileLock(sqlite3_file* f, int level) {
    return realOf(f)->pMethods->xLock(realOf(f), level);
}
int fileUnlock(sqlite3_file* f, int level) {
    return realOf(f)->pMethods->xUnlock(realOf(f), level);
}
int fileCheckReserved(sqlite3_file* f, int* out) {
    return realOf(f)->pMethods->xCheckReservedLock(realOf(f), out);
}
int fileControl(sqlite3_file* f, int op, void* arg) {
    return realOf(f)->pMethods->xFileControl(realOf(f), op, arg);
}
int fileSectorSize(sqlite3_file* f) {
    return realOf(f)->pMethods->xSectorSize(realOf(f));
}
int fileCharacteristics(sqlite3_file* f) {
    return realOf(f)->pMethods->xDeviceCharacteristics(realOf(f));
}

const sqlite3_io_methods countingMethods = {
    1,
    fileClose,
    fileRead,
    fileWrite,
    fileTruncate,
    fileSync,
    fileSize,
    fileLock,
    fileUnlock,
    fileCheckReserved,
    fileControl,
    fileSectorSize,
    fileCharacteristics,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

int vfsOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    auto* counting = reinterpret_cast<CountingFile*>(file);
    counting->real = reinterpret_cast<sqlite3_file*>(counting + 1);
    const int rc = realVfs->xOpen(realVfs, name, counting->real, flags, outFlags);
    file->pMethods = counting->real->pMethods ? &countingMethods : nullptr;
    return rc;
}

int vfsDelete(sqlite3_vfs*, const char* name, int syncDirectory) {
    countOperation();
    return realVfs->xDelete(realVfs, name, syncDirectory);
}

void installKillPoint(long operations) {
    static sqlite3_vfs counting;
    realVfs = sqlite3_vfs_find(nullptr);
    counting = *realVfs;
    counting.zName = "killpoint";
    counting.szOsFile = int(sizeof(CountingFile)) + realVfs->szOsFile;
    counting.xOpen = vfsOpen;
    counting.xDelete = vfsDelete;
    countdown = operations;
    sqlite3_vfs_register(&counting, 1);
}

// --- the child ---------------------------------------------------------------------------------

int lendLoop(const QString& directory, long killAt) {
    if (killAt > 0)
        installKillPoint(killAt);
    TDM tdm;
    tdm.setDirectoryOfClosed(directory);
    Table& borrow = tdm.borrowTb();
    borrow.open();
    tdm.filmTb().open();
    fputs("ready\n", stdout);
    fflush(stdout);
    const BorrowerEntry borrower{u"Anna"_s, u"Berg"_s, u"08-123"_s, u"anna@example.se"_s, true};
    for (int round = 0;; ++round) {
        const QString title = kTitles[round % kTitles.size()];
        if (borrow.locate(u"Objekt"_s, {title}))
            returnCurrentLoan(tdm);
        else
            lendOut(tdm, {LendObjectType::Film, title, borrower, QDate(2024, 3, 9)});
    }
}

} // namespace

class TestLoanAtomicity : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    int kills = 0;
    int lentSeen = 0; // checks that found a film out, so both states were met

    // Starts the child; with killAt it kills itself there, otherwise it is killed from here
    // after `delayMs`. Answers whether the child got as far as its loop.
    bool runChild(long killAt, int delayMs) {
        QProcess child;
        QStringList arguments{u"--lend-loop"_s, catalogue->path()};
        if (killAt > 0)
            arguments << QString::number(killAt);
        child.start(QCoreApplication::applicationFilePath(), arguments);
        if (!child.waitForStarted(10000))
            return false;
        const bool ready = child.waitForReadyRead(20000);
        if (killAt > 0) {
            child.waitForFinished(20000);
        } else {
            QThread::msleep(static_cast<unsigned long>(delayMs));
            ::kill(pid_t(child.processId()), SIGKILL);
            child.waitForFinished(20000);
        }
        if (child.state() != QProcess::NotRunning) {
            child.kill();
            child.waitForFinished();
            return false;
        }
        ++kills;
        return ready && child.exitStatus() == QProcess::CrashExit;
    }

    // Every film's flag, borrower and date agree with the lending register; the files are
    // sound. Opening a file for writing first rolls back what a kill left in its journal.
    void expectAgreement(const QString& after) {
        for (const QString& file : {u"borrow.db"_s, u"film.DB"_s})
            QCOMPARE(catalogue->scalar(file, u"PRAGMA integrity_check"_s), u"ok"_s);
        for (const QString& title : kTitles) {
            const QString loans = catalogue->scalar(
                u"borrow.db"_s, u"SELECT count(*) FROM Borrow WHERE Objekt = '%1'"_s.arg(title));
            const QString film = catalogue->scalar(
                u"film.DB"_s,
                u"SELECT Utlanad || '|' || \"Utlanad till\" || '|' || "
                "ifnull(Utlaningsdatum, '') FROM Film WHERE Titel = '%1'"_s.arg(title));
            const QString expected =
                loans == u"1"_s ? u"1|Anna Berg|2024-03-09"_s : u"0|Finns i hyllan|"_s;
            QVERIFY2(loans == u"0"_s || loans == u"1"_s, qPrintable(after));
            QVERIFY2(film == expected, qPrintable(u"%1: %2 has %3 loan(s) but reads %4"_s.arg(
                                           after, title, loans, film)));
            lentSeen += loans == u"1"_s;
        }
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        QStringList rows;
        for (int i = 0; i < kTitles.size(); ++i)
            rows << u"(%1, '%2', 0, 'Finns i hyllan')"_s.arg(i + 1).arg(kTitles[i]);
        catalogue->exec(u"film.DB"_s, u"INSERT INTO Film (\"Index\", Titel, Utlanad, "
                                      "\"Utlanad till\") VALUES "_s +
                                          rows.join(u", "_s));
        kills = 0;
        lentSeen = 0;
    }
    void cleanup() { catalogue.reset(); }

    // Every file operation of the first lend-outs and returns is a kill point in turn: the
    // journals' writes and syncs, the files' writes, the super-journal, each deletion.
    void aKillAtEveryStepOfACommitLeavesLoansWhole() {
        QElapsedTimer timer;
        timer.start();
        constexpr long kPoints = 90;
        for (long point = 1; point <= kPoints; ++point) {
            QVERIFY2(runChild(point, 0), qPrintable(u"kill point %1"_s.arg(point)));
            expectAgreement(u"after a kill at file operation %1"_s.arg(point));
            if (QTest::currentTestFailed())
                return;
        }
        QVERIFY(lentSeen > 0);
        qInfo("%d kills at fixed points in %lld ms", kills, timer.elapsed());
    }

    // Kills from outside at moments the child does not choose.
    void killsAtRandomMomentsLeaveLoansWhole() {
        QElapsedTimer timer;
        timer.start();
        QRandomGenerator random(20240309);
        constexpr int kRounds = 60;
        for (int round = 0; round < kRounds; ++round) {
            const int delay = int(random.bounded(40));
            QVERIFY2(runChild(0, delay), qPrintable(u"round %1"_s.arg(round)));
            expectAgreement(u"after a kill %1 ms into the loop"_s.arg(delay));
            if (QTest::currentTestFailed())
                return;
        }
        qInfo("%d kills at random moments in %lld ms", kills, timer.elapsed());
    }
};

int main(int argc, char** argv) {
    if (argc >= 3 && qstrcmp(argv[1], "--lend-loop") == 0) {
        QCoreApplication app(argc, argv);
        return lendLoop(QString::fromLocal8Bit(argv[2]), argc > 3 ? atol(argv[3]) : 0);
    }
    QCoreApplication app(argc, argv);
    TestLoanAtomicity test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_loan_atomicity.moc"
