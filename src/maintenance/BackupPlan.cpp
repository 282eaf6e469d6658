#include "BackupPlan.h"

#include "FileCopy.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

const TableSchema* schemaOfFile(const QString& name) {
    for (const TableSchema* table : schema::all())
        if (table->fileName.compare(name, Qt::CaseInsensitive) == 0)
            return table;
    return nullptr;
}

// A connection of its own for a check or a settle, closed whatever happens.
class FileConnection {
public:
    FileConnection(const QString& filePath, int flags) {
        result_ = sqlite3_open_v2(QFile::encodeName(filePath).constData(), &db_, flags, nullptr);
    }
    ~FileConnection() { sqlite3_close_v2(db_); }
    FileConnection(const FileConnection&) = delete;
    FileConnection& operator=(const FileConnection&) = delete;

    bool opened() const { return result_ == SQLITE_OK; }
    // The first value of a one-row query, or -1 when the query fails.
    qint64 count(const char* sql, const QString& bound = {}) const {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK)
            return -1;
        const QByteArray text = bound.toUtf8();
        if (!bound.isEmpty())
            sqlite3_bind_text(statement, 1, text.constData(), int(text.size()), SQLITE_STATIC);
        const qint64 value =
            sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : -1;
        sqlite3_finalize(statement);
        return value;
    }

private:
    sqlite3* db_ = nullptr;
    int result_ = SQLITE_ERROR;
};

} // namespace

const QList<BackupFileSet>& backupFileSets() {
    static const QList<BackupFileSet> sets{
        {u"film.*"_s, false, 10, 1, 0},    {u"bok.*"_s, false, 10, 5, 10},
        {u"adress.*"_s, false, 10, 10, 0}, {u"borrow.*"_s, false, 0, 11, 5},
        {u"config.*"_s, false, 10, 8, 10}, {u"data.*"_s, false, 10, 4, 10},
        {u"kod.*"_s, false, 10, 7, 10},    {u"musik.*"_s, false, 10, 2, 10},
        {u"song.*"_s, false, 10, 3, 10},   {u"value.*"_s, false, 10, 6, 10},
        {u"standard.*"_s, false, 0, 9, 5}, {u"*.*"_s, true, 10, 12, 10},
    };
    return sets;
}

QList<BackupFileSet> backupFileSetsInCopyingOrder() {
    QList<BackupFileSet> sets = backupFileSets();
    std::ranges::sort(sets, {}, &BackupFileSet::copyingOrder);
    return sets;
}

QList<ListedFile> listFileSet(const QString& applicationDirectory, const BackupFileSet& set) {
    const QDir directory = set.inMidi ? QDir(applicationDirectory).filePath(kMidiDirectory)
                                      : QDir(applicationDirectory);
    QList<ListedFile> files;
    for (const QString& name : filesMatching(directory.path(), set.mask))
        files.append({name, QFileInfo(directory.filePath(name)).size(), set.inMidi});
    return files;
}

bool isTableFileName(const QString& name) {
    return schemaOfFile(name) != nullptr;
}

QString settleInterruptedWrite(const QString& tableFile) {
    if (!QFileInfo::exists(tableFile + u"-journal"_s))
        return {};
    const FileConnection connection(tableFile, SQLITE_OPEN_READWRITE);
    // Reading takes the lock under which SQLite rolls the journal back.
    if (!connection.opened() || connection.count("SELECT count(*) FROM sqlite_master") < 0)
        return u"%1 was left in the middle of a write and could not be brought back to its "
               "last saved state. Close every other program that uses it and try again."_s.arg(
                   QDir::toNativeSeparators(tableFile));
    return {};
}

QString settleInterruptedWrites(const QString& directory) {
    const QDir folder(directory);
    for (const QString& name : folder.entryList(QDir::Files))
        if (isTableFileName(name))
            if (QString fault = settleInterruptedWrite(folder.filePath(name)); !fault.isEmpty())
                return fault;
    return {};
}

QString checkTableFile(const QString& filePath, const QString& tableName) {
    const QString shown = QDir::toNativeSeparators(filePath);
    const FileConnection connection(filePath, SQLITE_OPEN_READONLY);
    if (!connection.opened())
        return u"%1 cannot be opened as a table file."_s.arg(shown);
    const qint64 tables = connection.count(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE",
        tableName);
    if (tables < 0)
        return u"%1 is not a table file: it is damaged or of another kind."_s.arg(shown);
    if (tables == 0)
        return u"%1 does not hold the table %2."_s.arg(shown, tableName);
    return {};
}

QString checkBackupTables(const QString& backupDirectory) {
    const QDir folder(backupDirectory);
    for (const QString& name : filesMatching(backupDirectory, u"*.*"_s))
        if (const TableSchema* table = schemaOfFile(name))
            if (QString fault = checkTableFile(folder.filePath(name), table->tableName);
                !fault.isEmpty())
                return fault;
    return {};
}

QStringList staleMusicFolderCopies(const QStringList& listedMidiNames) {
    QStringList stale;
    for (const QString& name : {u"vis.txt"_s, u"vis2.txt"_s, u"midi.dat"_s})
        if (!listedMidiNames.contains(name, Qt::CaseInsensitive))
            stale << name;
    return stale;
}

} // namespace hoardly
