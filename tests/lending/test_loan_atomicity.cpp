// Loans are never half written: a process that lends and returns in a loop is killed with
// SIGKILL at many points, and after every kill each film's lent flag agrees with the lending
// register and every file passes SQLite's integrity check.
//
// The same executable is the child. "--lend-loop DIR KILL_AT MAIN" lends and returns films of
// the catalogue in DIR; with KILL_AT > 0 it kills itself just before its KILL_AT-th write,
// sync, truncation or deletion of a file (counted by a thin layer over SQLite's file calls
// from the first lend-out on), otherwise it runs until it is killed. "--trace DIR MAIN" does
// one lend-out and its return and prints those file operations, one a line, so the test knows
// which kill point is which step of a commit. MAIN is "file" (the store as the program runs
// it) or "memory" (the main database in memory, where SQLite commits each file on its own).
#include "TempCatalogue.h"
#include "data/Sqlite.h"
#include "data/TDM.h"
#include "lending/Lending.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>
#include <csignal>
#include <cstdio>
#include <sqlite3.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

const QStringList kTitles{u"Alien"_s, u"Brazil"_s, u"Casablanca"_s};
const QStringList kTableFiles{u"borrow.db"_s, u"film.DB"_s};

// --- the kill point: a layer over the default file system calls -----------------------------

sqlite3_vfs* realVfs = nullptr;
bool counting = false; // from the first lend-out on
bool tracing = false;  // print each operation
long killAt = 0;       // the operation the child dies before; 0: never
long operations = 0;

void countOperation(const char* kind, const char* file) {
    if (!counting)
        return;
    ++operations;
    if (operations == killAt)
        ::kill(::getpid(), SIGKILL);
    if (tracing)
        std::printf("%s %s\n", kind,
                    file ? QFileInfo(QString::fromUtf8(file)).fileName().toUtf8().constData()
                         : "(temporary)");
}

struct CountingFile {
    sqlite3_file base;
    const char* name;   // valid until the file is closed
    sqlite3_file* real; // the real file's storage follows this struct
};

CountingFile* countingOf(sqlite3_file* file) {
    return reinterpret_cast<CountingFile*>(file);
}
sqlite3_file* realOf(sqlite3_file* file) {
    return countingOf(file)->real;
}

int fileClose(sqlite3_file* f) {
    return realOf(f)->pMethods->xClose(realOf(f));
}
int fileRead(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
    return realOf(f)->pMethods->xRead(realOf(f), buffer, amount, offset);
}
int fileWrite(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
    countOperation("write", countingOf(f)->name);
    return realOf(f)->pMethods->xWrite(realOf(f), buffer, amount, offset);
}
int fileTruncate(sqlite3_file* f, sqlite3_int64 size) {
    countOperation("truncate", countingOf(f)->name);
    return realOf(f)->pMethods->xTruncate(realOf(f), size);
}
int fileSync(sqlite3_file* f, int flags) {
    countOperation("sync", countingOf(f)->name);
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
    auto* counted = countingOf(file);
    counted->name = name;
    counted->real = reinterpret_cast<sqlite3_file*>(counted + 1);
    const int rc = realVfs->xOpen(realVfs, name, counted->real, flags, outFlags);
    file->pMethods = counted->real->pMethods ? &countingMethods : nullptr;
    return rc;
}

int vfsDelete(sqlite3_vfs*, const char* name, int syncDirectory) {
    countOperation("delete", name);
    return realVfs->xDelete(realVfs, name, syncDirectory);
}

void installCountingLayer() {
    static sqlite3_vfs counted;
    realVfs = sqlite3_vfs_find(nullptr);
    counted = *realVfs;
    counted.zName = "killpoint";
    counted.szOsFile = int(sizeof(CountingFile)) + realVfs->szOsFile;
    counted.xOpen = vfsOpen;
    counted.xDelete = vfsDelete;
    sqlite3_vfs_register(&counted, 1);
}

// --- the child ---------------------------------------------------------------------------------

Connection::Main mainOf(const char* argument) {
    return qstrcmp(argument, "memory") == 0 ? Connection::Main::InMemory
                                            : Connection::Main::BesideTables;
}

// Lends and returns the films in turn: each title is lent out, then returned.
int lendLoop(const QString& directory, Connection::Main main, int rounds) {
    installCountingLayer();
    TDM tdm(main);
    tdm.setDirectoryOfClosed(directory);
    Table& borrow = tdm.borrowTb();
    borrow.open();
    tdm.filmTb().open();
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    counting = true;
    const BorrowerEntry borrower{u"Anna"_s, u"Berg"_s, u"08-123"_s, u"anna@example.se"_s, true};
    for (int round = 0; rounds == 0 || round < rounds; ++round) {
        const QString title = kTitles[(round / 2) % kTitles.size()];
        if (borrow.locate(u"Objekt"_s, {title}))
            returnCurrentLoan(tdm);
        else
            lendOut(tdm, {LendObjectType::Film, title, borrower, QDate(2024, 3, 9)});
    }
    std::fflush(stdout);
    return 0;
}

} // namespace

class TestLoanAtomicity : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    QTemporaryDir pristine; // the catalogue's table files before any loan
    int kills = 0;

    // Puts the table files back as they were before any loan, so that a kill point names the
    // same step of the same commit in every child.
    void restorePristine() {
        for (const QString& file : kTableFiles) {
            QFile::remove(catalogue->file(file));
            QVERIFY(QFile::copy(QDir(pristine.path()).filePath(file), catalogue->file(file)));
        }
    }

    // The file operations of one lend-out and its return, in order.
    QStringList trace(const QString& main) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {u"--trace"_s, catalogue->path(), main});
        if (!child.waitForFinished(20000) || child.exitCode() != 0)
            return {};
        QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(u'\n');
        lines.removeAll(QString());
        lines.removeFirst(); // "ready"
        return lines;
    }

    // Starts the child; with `at` it kills itself there, otherwise it is killed from here
    // after `delayMs`. Answers whether it got as far as its loop and died of the kill.
    bool runChild(long at, int delayMs, const QString& main = u"file"_s) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {u"--lend-loop"_s, catalogue->path(), QString::number(at), main});
        if (!child.waitForStarted(10000))
            return false;
        const bool ready = child.waitForReadyRead(20000);
        if (at == 0) {
            QThread::msleep(static_cast<unsigned long>(delayMs));
            ::kill(pid_t(child.processId()), SIGKILL);
        }
        child.waitForFinished(20000);
        if (child.state() != QProcess::NotRunning) {
            child.kill();
            child.waitForFinished();
            return false;
        }
        ++kills;
        return ready && child.exitStatus() == QProcess::CrashExit;
    }

    // What a kill left: the films whose flag, borrower or date disagree with the lending
    // register. Opening a file for writing first rolls back what a kill left in its journal.
    QStringList disagreements() const {
        QStringList found;
        for (const QString& title : kTitles) {
            const QString loans = catalogue->scalar(
                u"borrow.db"_s, u"SELECT count(*) FROM Borrow WHERE Objekt = '%1'"_s.arg(title));
            const QString film = catalogue->scalar(
                u"film.DB"_s,
                u"SELECT Utlanad || '|' || \"Utlanad till\" || '|' || "
                "ifnull(Utlaningsdatum, '') FROM Film WHERE Titel = '%1'"_s.arg(title));
            const QString expected =
                loans == u"1"_s ? u"1|Anna Berg|2024-03-09"_s : u"0|Finns i hyllan|"_s;
            if ((loans != u"0"_s && loans != u"1"_s) || film != expected)
                found << u"%1 has %2 loan(s) but reads %3"_s.arg(title, loans, film);
        }
        return found;
    }

    void expectSoundFiles(const QString& after) {
        for (const QString& file : kTableFiles)
            QVERIFY2(catalogue->scalar(file, u"PRAGMA integrity_check"_s) == u"ok"_s,
                     qPrintable(u"%1: %2"_s.arg(after, file)));
    }

    void expectAgreement(const QString& after) {
        expectSoundFiles(after);
        const QStringList found = disagreements();
        QVERIFY2(found.isEmpty(), qPrintable(after + u": "_s + found.join(u"; "_s)));
    }

    // Kill points for every step: the first and the last of each run of the same operation on
    // the same file (a kill inside a run of journal writes is like one at either end of it).
    static QList<long> stepsOf(const QStringList& operations) {
        QList<long> points;
        for (int i = 0; i < operations.size(); ++i) {
            const bool firstOfRun = i == 0 || operations[i] != operations[i - 1];
            const bool lastOfRun = i + 1 == operations.size() || operations[i] != operations[i + 1];
            if (firstOfRun || lastOfRun)
                points << i + 1;
        }
        return points;
    }

    // The kill point just before the second table file's journal is deleted in the first
    // commit (the lend-out): the first file has committed, the second not yet.
    static long betweenTheTwoFilesCommits(const QStringList& operations) {
        int journalsDeleted = 0;
        for (int i = 0; i < operations.size(); ++i) {
            for (const QString& file : kTableFiles) {
                if (operations[i] == u"delete "_s + file + u"-journal"_s && ++journalsDeleted == 2)
                    return i + 1;
            }
        }
        return 0;
    }

private slots:
    void initTestCase() {
        catalogue = std::make_unique<test::TempCatalogue>();
        QStringList rows;
        for (int i = 0; i < kTitles.size(); ++i)
            rows << u"(%1, '%2', 0, 'Finns i hyllan')"_s.arg(i + 1).arg(kTitles[i]);
        catalogue->exec(u"film.DB"_s, u"INSERT INTO Film (\"Index\", Titel, Utlanad, "
                                      "\"Utlanad till\") VALUES "_s +
                                          rows.join(u", "_s));
        for (const QString& file : kTableFiles)
            QVERIFY(QFile::copy(catalogue->file(file), QDir(pristine.path()).filePath(file)));
    }
    void init() {
        restorePristine();
        kills = 0;
    }
    void cleanupTestCase() { catalogue.reset(); }

    // The two files of a loan commit through a super-journal beside them.
    void aLoanCommitsThroughASuperJournal() {
        const QStringList operations = trace(u"file"_s);
        QVERIFY(!operations.isEmpty());
        const auto superJournal = [](const QString& operation) {
            return operation.startsWith(u"delete .hoardly-commit-mj"_s);
        };
        // One for the lend-out, one for the return.
        QCOMPARE(std::count_if(operations.begin(), operations.end(), superJournal), 2);
        QVERIFY(betweenTheTwoFilesCommits(operations) > 0);
    }

    // Every step of a lend-out and its return is a kill point in turn: the journals' writes
    // and syncs, the files' writes and syncs, the super-journal, each deletion.
    void aKillAtEveryStepOfALendOutAndAReturnLeavesLoansWhole() {
        QElapsedTimer timer;
        timer.start();
        const QStringList operations = trace(u"file"_s);
        QVERIFY(!operations.isEmpty());
        const QList<long> points = stepsOf(operations);
        int lentAfter = 0; // kills after the lend-out's commit point and before the return's
        for (const long point : points) {
            restorePristine();
            const QString after =
                u"after a kill before \"%1\" (operation %2)"_s.arg(operations[point - 1])
                    .arg(point);
            QVERIFY2(runChild(point, 0), qPrintable(after));
            expectAgreement(after);
            if (QTest::currentTestFailed())
                return;
            lentAfter +=
                catalogue->scalar(u"borrow.db"_s, u"SELECT count(*) FROM Borrow"_s) == u"1"_s;
        }
        // The sweep crosses both commit points: some kills found the film out, some not.
        QVERIFY(lentAfter > 0 && lentAfter < points.size());
        qInfo("%d kills at fixed points in %lld ms", kills, timer.elapsed());
    }

    // Exactly between the two files' commits of a lend-out. With the main database in memory
    // (as the store once ran) the kill leaves the loan written and the film not marked, which
    // shows that this point is the one that matters; the store as it runs keeps both whole.
    void aKillBetweenTheTwoFilesCommits_data() {
        QTest::addColumn<QString>("main");
        QTest::addColumn<bool>("whole");
        QTest::newRow("commit file beside the tables") << u"file"_s << true;
        QTest::newRow("main database in memory") << u"memory"_s << false;
    }
    void aKillBetweenTheTwoFilesCommits() {
        QFETCH(QString, main);
        QFETCH(bool, whole);
        const long point = betweenTheTwoFilesCommits(trace(main));
        QVERIFY(point > 0);
        restorePristine();
        QVERIFY(runChild(point, 0, main));
        expectSoundFiles(main);
        QCOMPARE(disagreements().isEmpty(), whole);
    }

    // Kills from outside at moments the child does not choose.
    void killsAtRandomMomentsLeaveLoansWhole() {
        QElapsedTimer timer;
        timer.start();
        QRandomGenerator random(20240309);
        constexpr int kRounds = 20;
        for (int round = 0; round < kRounds; ++round) {
            const int delay = int(random.bounded(30));
            QVERIFY2(runChild(0, delay), qPrintable(u"round %1"_s.arg(round)));
            expectAgreement(u"after a kill %1 ms into the loop"_s.arg(delay));
            if (QTest::currentTestFailed())
                return;
        }
        qInfo("%d kills at random moments in %lld ms", kills, timer.elapsed());
    }
};

int main(int argc, char** argv) {
    if (argc == 5 && qstrcmp(argv[1], "--lend-loop") == 0) {
        QCoreApplication app(argc, argv);
        killAt = atol(argv[3]);
        return lendLoop(QString::fromLocal8Bit(argv[2]), mainOf(argv[4]), 0);
    }
    if (argc == 4 && qstrcmp(argv[1], "--trace") == 0) {
        QCoreApplication app(argc, argv);
        tracing = true;
        return lendLoop(QString::fromLocal8Bit(argv[2]), mainOf(argv[3]), 2);
    }
    QCoreApplication app(argc, argv);
    TestLoanAtomicity test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_loan_atomicity.moc"
