// Store errors a user can act on: each fault of a real table file gives one message that names
// the file and says what to do, and never the engine's bare text, our internal names or URIs.
#include "FileModes.h"
#include "TempCatalogue.h"
#include "data/Errors.h"
#include "data/Schema.h"
#include "data/Sqlite.h"
#include "data/Table.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QtTest>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// The words and names that must never reach the user.
void expectPlainWords(const QString& text) {
    for (const QString& internal :
         {u"t_FilmTb"_s, u"mode=rw"_s, u"file:"_s, u"readonly database"_s, u"disk is full"_s,
          u"no such table"_s, u"malformed"_s, u"unable to open"_s})
        QVERIFY2(!text.contains(internal, Qt::CaseInsensitive), qPrintable(text));
}

// The one message the action raised.
template <typename Action> QString failureOf(Action&& action) {
    try {
        action();
    } catch (const StoreError& error) {
        expectPlainWords(error.text());
        return error.text();
    }
    return u"(no error)"_s;
}

} // namespace

class TestStoreFaults : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<Connection> connection;
    std::unique_ptr<Table> films;

    QString filmFile() const { return native(catalogue->file(u"film.DB"_s)); }

    void openFilms() {
        films = std::make_unique<Table>(*connection, schema::film());
        films->setDirectory(catalogue->path());
        films->open();
    }
    void addFilm(const QString& title) {
        films->append();
        films->setText(u"Titel"_s, title);
        films->post();
    }
    // The name the film file is attached under, as the connection lists it.
    QString filmAlias() const {
        Statement list = connection->prepare(u"PRAGMA database_list"_s);
        while (list.step()) {
            if (QFileInfo(list.text(2)).fileName() == u"film.DB"_s)
                return list.text(1);
        }
        return {};
    }
    QString notSavedBecauseMoved() const {
        return u"The table file %1 was deleted or replaced while it was open, so the change was "
               "not saved. Close the window and open it again; if the file is gone, restore it "
               "from your backup."_s.arg(filmFile());
    }

private slots:
    void initTestCase() { test::obeyFileModes(); }
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        connection = std::make_unique<Connection>();
        openFilms();
        addFilm(u"Alien"_s);
    }
    void cleanup() {
        QFile::setPermissions(catalogue->path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(catalogue->file(u"film.DB"_s), QFile::ReadOwner | QFile::WriteOwner);
        films.reset();
        connection.reset();
        catalogue.reset();
    }

    void aWriteProtectedFolder() {
        QVERIFY(QFile::setPermissions(catalogue->path(), QFile::ReadOwner | QFile::ExeOwner));
        const QString text = failureOf([&] { addFilm(u"Brazil"_s); });
        QCOMPARE(text, u"The folder %1 of the table file %2 is write-protected, so the change "
                       "was not saved. Allow writing to the folder, then try again."_s.arg(
                           native(catalogue->path()), filmFile()));
        // Nothing typed is lost: the new record is still pending and goes in once allowed.
        QCOMPARE(films->state(), TableState::Insert);
        QVERIFY(QFile::setPermissions(catalogue->path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        films->post();
        QCOMPARE(catalogue->scalar(u"film.DB"_s, u"SELECT count(*) FROM Film"_s), u"2"_s);
    }

    void aWriteProtectedFile() {
        QVERIFY(QFile::setPermissions(catalogue->file(u"film.DB"_s), QFile::ReadOwner));
        // Opened afresh: the engine opens a write-protected file for reading only.
        films.reset();
        openFilms();
        QCOMPARE(failureOf([&] { addFilm(u"Brazil"_s); }),
                 u"The table file %1 is write-protected, so the change was not saved. Allow "
                 "writing to the file, then try again."_s.arg(filmFile()));
    }

    void aFileDeletedWhileOpen() {
        QVERIFY(QFile::remove(catalogue->file(u"film.DB"_s)));
        QCOMPARE(failureOf([&] { addFilm(u"Brazil"_s); }), notSavedBecauseMoved());
        films->cancel();
        films->close();
        QCOMPARE(
            failureOf([&] { films->open(); }),
            u"The table file %1 does not exist. Restore it from your backup."_s.arg(filmFile()));
    }

    void aFileReplacedWhileOpen() {
        // Another copy of the table (a restore from elsewhere) is moved over the open file.
        const QString copy = catalogue->file(u"copy.DB"_s);
        QVERIFY(QFile::copy(catalogue->file(u"film.DB"_s), copy));
        QVERIFY(::rename(QFile::encodeName(copy).constData(),
                         QFile::encodeName(catalogue->file(u"film.DB"_s)).constData()) == 0);
        films->first();
        films->edit();
        films->setText(u"Titel"_s, u"Aliens"_s);
        QCOMPARE(failureOf([&] { films->post(); }), notSavedBecauseMoved());
        QCOMPARE(films->state(), TableState::Edit); // the typed title is still there
    }

    void aFileTruncatedWhileOpen() {
        for (int i = 0; i < 30; ++i)
            addFilm(u"Film %1"_s.arg(i));
        QVERIFY(QFile::resize(catalogue->file(u"film.DB"_s), 0));
        const QString emptied =
            u"The table file %1 was emptied or changed by another program while it was open. "
            "Close the window and open it again; if the table is gone, restore the file from "
            "your backup."_s.arg(filmFile());
        QCOMPARE(failureOf([&] { films->refresh(); }), emptied);
        QCOMPARE(failureOf([&] { films->locate(u"Titel"_s, {u"Alien"_s}); }), emptied);
    }

    void aFileCutShortWhileOpen() {
        {
            Transaction many(*connection); // one commit, not 400
            for (int i = 0; i < 400; ++i)
                addFilm(u"A title long enough to fill a few pages of the file, number %1"_s.arg(i));
            many.commit();
        }
        const qint64 size = QFileInfo(catalogue->file(u"film.DB"_s)).size();
        QVERIFY(QFile::resize(catalogue->file(u"film.DB"_s), size / 2));
        QCOMPARE(failureOf([&] {
                     films->refresh();
                     films->scan({u"Titel"_s}, [](const ScanRow&) { return true; });
                 }),
                 u"The table file %1 is damaged. Restore it from your backup."_s.arg(filmFile()));
    }

    void aFolderWhereTheFileShouldBe() {
        films->close();
        QVERIFY(QFile::remove(catalogue->file(u"film.DB"_s)));
        QVERIFY(QDir(catalogue->path()).mkdir(u"film.DB"_s));
        QCOMPARE(failureOf([&] { films->open(); }),
                 u"%1 is a folder, not a table file. Move the folder away and restore the table "
                 "file from your backup."_s.arg(filmFile()));
        QVERIFY(QDir(catalogue->file(u"film.DB"_s)).removeRecursively());
    }

    void aFileThatIsNoTable() {
        films->close();
        QFile garbage(catalogue->file(u"film.DB"_s));
        QVERIFY(garbage.open(QIODevice::WriteOnly | QIODevice::Truncate));
        garbage.write(QByteArray(4096, 'x'));
        garbage.close();
        QCOMPARE(failureOf([&] { films->open(); }),
                 u"The file %1 is not a table file, or it is damaged. Restore it from your "
                 "backup."_s.arg(filmFile()));
    }

    // The engine's own limit on the file's pages gives the same fault a full disk gives
    // (SQLITE_FULL), at a size the test chooses.
    void aFullDiskThroughThePageLimit() {
        const QString alias = filmAlias();
        QVERIFY(!alias.isEmpty());
        const QString pages = [&] {
            Statement count = connection->prepare(u"PRAGMA "_s + alias + u".page_count"_s);
            count.step();
            return count.text(0);
        }();
        connection->exec(u"PRAGMA "_s + alias + u".max_page_count = "_s + pages);
        // Titles longer than a page soon need pages the file may not grow by.
        QString text;
        for (int i = 0; i < 50 && text.isEmpty(); ++i) {
            try {
                addFilm(QString(20000, QChar(u'a' + i % 26)));
            } catch (const StoreError& error) {
                text = error.text();
            }
        }
        expectPlainWords(text);
        QCOMPARE(text, u"The disk holding the table file %1 is full, so the change was not saved. "
                       "Free some space on the disk, then try again."_s.arg(filmFile()));
    }

    // A real full disk: a file system of 320 kB of its own, mounted where only this test
    // process sees it. Skipped where the test may not mount one.
    void aFullDiskOnATinyFileSystem() {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            QSKIP("no mount namespace of its own for this test");
        QTemporaryDir mountPoint;
        const QByteArray where = QFile::encodeName(mountPoint.path());
        if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=320k") != 0)
            QSKIP("a small file system cannot be mounted here");
        const auto unmount = qScopeGuard([&] { ::umount2(where.constData(), MNT_DETACH); });
        const QString file = QDir(mountPoint.path()).filePath(u"film.DB"_s);
        QVERIFY(QFile::copy(catalogue->file(u"film.DB"_s), file));

        Connection tiny;
        Table onTiny(tiny, schema::film());
        onTiny.setDirectory(mountPoint.path());
        onTiny.open();
        QString text;
        for (int i = 0; i < 20000 && text.isEmpty(); ++i) {
            try {
                onTiny.append();
                onTiny.setText(u"Kommentar"_s, QString(240, QChar(u'a' + i % 26)));
                onTiny.post();
            } catch (const StoreError& error) {
                text = error.text();
            }
        }
        expectPlainWords(text);
        QCOMPARE(text, u"The disk holding the table file %1 is full, so the change was not saved. "
                       "Free some space on the disk, then try again."_s.arg(native(file)));
        // The file is whole: what was saved before is still there.
        onTiny.cancel();
        onTiny.close();
        FileDatabase check(file, false);
        Statement integrity = check.prepare(u"PRAGMA integrity_check"_s);
        QVERIFY(integrity.step());
        QCOMPARE(integrity.text(0), u"ok"_s);
    }
};

QTEST_GUILESS_MAIN(TestStoreFaults)
#include "test_store_faults.moc"
