#include "FileBytes.h"
#include "data/Sqlite.h"
#include "maintenance/BackupPlan.h"
#include "maintenance/FileCopy.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace hoardly;
using test::readBytes;
using test::writeBytes;

namespace {

QString pathIn(const QTemporaryDir& dir, const QString& name) {
    return QDir(dir.path()).filePath(name);
}

// A table file with one table of `rows` rows, each holding a kilobyte.
void makeTable(const QString& path, const QString& table, int rows) {
    FileDatabase database(path, true);
    database.exec(u"CREATE TABLE %1 (Id INTEGER PRIMARY KEY, Data BLOB)"_s.arg(table));
    database.exec(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                  "INSERT INTO %2 (Data) SELECT zeroblob(1024) FROM n"_s.arg(rows)
                      .arg(table));
}

qint64 rowCount(const QString& path, const QString& table) {
    FileDatabase database(path, false);
    Statement statement = database.prepare(u"SELECT count(*) FROM "_s + table);
    return statement.step() ? statement.int64(0) : -1;
}

} // namespace

class TestFileCopy : public QObject {
    Q_OBJECT

private slots:
    void masksMatchFileNamesWhateverTheirCase() {
        QTemporaryDir dir;
        for (const QString& name : {u"film.DB"_s, u"FILM.px"_s, u"filmer.db"_s, u"Config.db"_s,
                                    u"README"_s, u"song.db.hoardly-part"_s})
            QVERIFY(writeBytes(pathIn(dir, name), "x"));
        QVERIFY(QDir(dir.path()).mkdir(u"film.old"_s));

        QCOMPARE(filesMatching(dir.path(), u"film.*"_s), (QStringList{u"FILM.px"_s, u"film.DB"_s}));
        QCOMPARE(filesMatching(dir.path(), u"config.*"_s), QStringList{u"Config.db"_s});
        // "*.*" is every file, one without a dot too; never a directory or a copy cut short.
        QCOMPARE(
            filesMatching(dir.path(), u"*.*"_s),
            (QStringList{u"Config.db"_s, u"FILM.px"_s, u"README"_s, u"film.DB"_s, u"filmer.db"_s}));
        QVERIFY(filesMatching(pathIn(dir, u"missing"_s), u"*.*"_s).isEmpty());
    }

    void aCopyReplacesTheTargetWholeAndKeepsThePermissions() {
        QTemporaryDir from, to;
        const QByteArray bytes(3 * 1024 * 1024 + 17, 'k');
        QVERIFY(writeBytes(pathIn(from, u"kod.db"_s), bytes));
        QFile::setPermissions(pathIn(from, u"kod.db"_s), QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(writeBytes(pathIn(to, u"kod.db"_s), "old copy"));
        const std::atomic_bool cancel = false;

        QCOMPARE(copyFileSafely(pathIn(from, u"kod.db"_s), pathIn(to, u"kod.db"_s), cancel),
                 QString());
        QCOMPARE(readBytes(pathIn(to, u"kod.db"_s)), bytes);
        QCOMPARE(QFile::permissions(pathIn(to, u"kod.db"_s)),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(QDir(to.path()).entryList(QDir::Files), QStringList{u"kod.db"_s});
    }

    void aCopyThatFailsOrIsBrokenOffLeavesTheOldCopy() {
        QTemporaryDir from, to;
        QVERIFY(writeBytes(pathIn(from, u"film.DB"_s), QByteArray(4096, 'n')));
        QVERIFY(writeBytes(pathIn(to, u"film.DB"_s), "previous backup"));
        std::atomic_bool cancel = true;
        QCOMPARE(copyFileSafely(pathIn(from, u"film.DB"_s), pathIn(to, u"film.DB"_s), cancel),
                 u"cancelled"_s);
        QCOMPARE(readBytes(pathIn(to, u"film.DB"_s)), QByteArray("previous backup"));

        // The place of the new copy is taken: it cannot be written.
        cancel = false;
        QVERIFY(QDir(to.path()).mkdir(u"film.DB.hoardly-part"_s));
        const QString failure =
            copyFileSafely(pathIn(from, u"film.DB"_s), pathIn(to, u"film.DB"_s), cancel);
        QVERIFY2(failure.contains(u"film.DB could not be written"_s), qPrintable(failure));
        QCOMPARE(readBytes(pathIn(to, u"film.DB"_s)), QByteArray("previous backup"));

        QVERIFY(copyFileSafely(pathIn(from, u"missing.db"_s), pathIn(to, u"x.db"_s), cancel)
                    .contains(u"could not be read"_s));
    }

    void aReadOnlyDestinationFailsWithoutHarm() {
        if (::geteuid() == 0)
            QSKIP("the test runs as root, for whom no directory is read-only");
        QTemporaryDir from, to;
        QVERIFY(writeBytes(pathIn(from, u"bok.DB"_s), "new"));
        QVERIFY(writeBytes(pathIn(to, u"bok.DB"_s), "old"));
        QFile::setPermissions(to.path(), QFile::ReadOwner | QFile::ExeOwner);
        const std::atomic_bool cancel = false;
        const QString failure =
            copyFileSafely(pathIn(from, u"bok.DB"_s), pathIn(to, u"bok.DB"_s), cancel);
        QFile::setPermissions(to.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!failure.isEmpty());
        QCOMPARE(readBytes(pathIn(to, u"bok.DB"_s)), QByteArray("old"));
    }

    void aFullDiskKeepsThePreviousCopyByteForByte() {
        QTemporaryDir from, mountPoint;
        if (::geteuid() != 0 ||
            QProcess::execute(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=256k"_s, u"tmpfs"_s,
                                           mountPoint.path()}) != 0)
            QSKIP("a small tmpfs cannot be mounted here (needs root in a privileged machine)");
        const QByteArray previous(100 * 1024, 'p');
        QVERIFY(writeBytes(pathIn(mountPoint, u"song.db"_s), previous));
        QVERIFY(writeBytes(pathIn(from, u"song.db"_s), QByteArray(200 * 1024, 'n')));
        const std::atomic_bool cancel = false;
        const QString failure =
            copyFileSafely(pathIn(from, u"song.db"_s), pathIn(mountPoint, u"song.db"_s), cancel);
        const QByteArray kept = readBytes(pathIn(mountPoint, u"song.db"_s));
        const QStringList left = QDir(mountPoint.path()).entryList(QDir::Files);
        QProcess::execute(u"umount"_s, {mountPoint.path()});
        QVERIFY(!failure.isEmpty());
        QCOMPARE(kept, previous);
        QCOMPARE(left, QStringList{u"song.db"_s});
    }

    void plannedCopiesStopAtTheFirstFailureAndSkipTheUnwanted() {
        QTemporaryDir from, to;
        for (const QString& name : {u"a.db"_s, u"b.db"_s, u"c.db"_s})
            QVERIFY(writeBytes(pathIn(from, name), name.toUtf8()));
        QVERIFY(QDir(to.path()).mkdir(u"c.db.hoardly-part"_s));
        const std::atomic_bool cancel = false;
        QStringList heard;
        const FileCopyOutcome outcome = copyPlannedFiles(
            from.path(), to.path(), {{u"a.db"_s, false}, {u"b.db"_s, true}, {u"c.db"_s, true}},
            cancel, [&](int, const QString& name) { heard << name; });
        QCOMPARE(outcome.kind, FileCopyOutcome::Kind::Failed);
        QCOMPARE(outcome.copied, QStringList{u"b.db"_s});
        QCOMPARE(heard, (QStringList{u"b.db"_s, u"c.db"_s}));
        QVERIFY(!QFile::exists(pathIn(to, u"a.db"_s)));
    }

    void theSetsAreListedAndCopiedInTheirOrders() {
        QStringList listing, copying;
        int listingBar = 0, copyingBar = 0;
        for (const BackupFileSet& set : backupFileSets()) {
            listing << set.mask;
            listingBar += set.listingStep;
        }
        for (const BackupFileSet& set : backupFileSetsInCopyingOrder()) {
            copying << set.mask;
            copyingBar += set.copyingStep;
        }
        QCOMPARE(listing, (QStringList{u"film.*"_s, u"bok.*"_s, u"adress.*"_s, u"borrow.*"_s,
                                       u"config.*"_s, u"data.*"_s, u"kod.*"_s, u"musik.*"_s,
                                       u"song.*"_s, u"value.*"_s, u"standard.*"_s, u"*.*"_s}));
        QCOMPARE(copying, (QStringList{u"film.*"_s, u"musik.*"_s, u"song.*"_s, u"data.*"_s,
                                       u"bok.*"_s, u"value.*"_s, u"kod.*"_s, u"config.*"_s,
                                       u"standard.*"_s, u"adress.*"_s, u"borrow.*"_s, u"*.*"_s}));
        QCOMPARE(listingBar, 100);
        QCOMPARE(copyingBar, 90); // the last ten come when the tables are open again
        QVERIFY(backupFileSets().last().inMidi);
    }

    void aTableLeftInTheMiddleOfAWriteIsBroughtBackBeforeItIsCopied() {
        QTemporaryDir live, crashed;
        makeTable(pathIn(live, u"film.DB"_s), u"Film"_s, 50);
        // A write of many pages through a tiny cache spills into the file before its commit:
        // the file and its journal as they lie on disk then are what a kill leaves behind.
        FileDatabase writer(pathIn(live, u"film.DB"_s), false);
        writer.exec(u"PRAGMA cache_size = 2"_s);
        writer.exec(u"BEGIN"_s);
        writer.exec(
            u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
            "INSERT INTO Film (Data) SELECT zeroblob(1024) FROM n"_s);
        QVERIFY(QFile::exists(pathIn(live, u"film.DB-journal"_s)));
        QVERIFY(QFile::copy(pathIn(live, u"film.DB"_s), pathIn(crashed, u"film.DB"_s)));
        QVERIFY(
            QFile::copy(pathIn(live, u"film.DB-journal"_s), pathIn(crashed, u"film.DB-journal"_s)));
        writer.exec(u"ROLLBACK"_s);

        QCOMPARE(settleInterruptedWrites(crashed.path()), QString());
        QVERIFY(!QFile::exists(pathIn(crashed, u"film.DB-journal"_s)));
        QCOMPARE(rowCount(pathIn(crashed, u"film.DB"_s), u"Film"_s), 50);
        QCOMPARE(checkTableFile(pathIn(crashed, u"film.DB"_s), u"Film"_s), QString());
    }

    void aBackupsTableFilesAreCheckedBeforeARestore() {
        QTemporaryDir backup;
        makeTable(pathIn(backup, u"film.DB"_s), u"Film"_s, 1);
        makeTable(pathIn(backup, u"bok.DB"_s), u"Bok"_s, 1);
        QVERIFY(writeBytes(pathIn(backup, u"notes.txt"_s), "not a table, copied as it is"));
        QCOMPARE(checkBackupTables(backup.path()), QString());

        QVERIFY(writeBytes(pathIn(backup, u"Musik.DB"_s), QByteArray(4096, 'g')));
        QVERIFY(checkBackupTables(backup.path()).contains(u"Musik.DB is not a table file"_s));
        QVERIFY(QFile::remove(pathIn(backup, u"Musik.DB"_s)));

        makeTable(pathIn(backup, u"song.db"_s), u"Film"_s, 1);
        QVERIFY(checkBackupTables(backup.path()).contains(u"does not hold the table Song"_s));
        QVERIFY(QFile::remove(pathIn(backup, u"song.db"_s)));

        QVERIFY(writeBytes(pathIn(backup, u"kod.db"_s), QByteArray()));
        QVERIFY(checkBackupTables(backup.path()).contains(u"does not hold the table Kod"_s));
    }

    void onlyMissingMusicListAndCaptionCopiesAreStale() {
        QCOMPARE(staleMusicFolderCopies({u"MIDI.DAT"_s, u"first.mid"_s}),
                 (QStringList{u"vis.txt"_s, u"vis2.txt"_s}));
        QVERIFY(staleMusicFolderCopies({u"vis.txt"_s, u"vis2.txt"_s, u"midi.dat"_s}).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFileCopy)
#include "test_file_copy.moc"
