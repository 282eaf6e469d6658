#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace hoardly {

inline const QString kMidiDirectory = QStringLiteral("midi");

// One set of files a backup takes: a mask matched without regard to letter case (a table's
// files all share the table's name), where it looks, and how far the window's bar moves.
struct BackupFileSet {
    QString mask;
    bool inMidi = false;  // looks in the application directory's music folder
    int listingStep = 10; // the bar's step after the set is listed
    int copyingOrder = 0; // the sets are copied in this order, from 1
    int copyingStep = 0;  // the bar's step after the set is copied
};

// The sets in the order they are listed.
const QList<BackupFileSet>& backupFileSets();
// The same sets in the order they are copied.
QList<BackupFileSet> backupFileSetsInCopyingOrder();

// A file the listing found.
struct ListedFile {
    QString name;
    qint64 size = 0;
    bool inMidi = false;
};

// The files of one set in `applicationDirectory` (or its music folder), each at most once.
QList<ListedFile> listFileSet(const QString& applicationDirectory, const BackupFileSet& set);

// The names of the table files that the backup copies, one for each table.
bool isTableFileName(const QString& name);

// A table file with a journal beside it was left in the middle of a write: opening and reading
// it rolls the write back, so a copy made afterwards holds what was last committed. Returns
// empty, or why the table could not be brought back.
QString settleInterruptedWrite(const QString& tableFile);
// Settles every table file of a directory that has a journal beside it; the first reason one
// could not be settled, or empty.
QString settleInterruptedWrites(const QString& directory);

// Whether a file holds a database with its table; empty, or what is wrong with it (naming the
// file).
QString checkTableFile(const QString& filePath, const QString& tableName);
// Checks every table file among the files of a backup directory; the first fault, or empty.
QString checkBackupTables(const QString& backupDirectory);

// The names whose old copies a backup removes once the new copies are in: the music list and
// the caption texts that the application's music folder no longer has.
QStringList staleMusicFolderCopies(const QStringList& listedMidiNames);

} // namespace hoardly
