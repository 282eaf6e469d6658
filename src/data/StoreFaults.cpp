#include "StoreFaults.h"

#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// "the table file /a/film.DB", or "the table files /a/film.DB and /a/borrow.db".
QString fileWords(const QStringList& files) {
    if (files.isEmpty())
        return u"a table file"_s;
    if (files.size() == 1)
        return u"the table file "_s + native(files.first());
    QStringList shown;
    for (const QString& file : files)
        shown << native(file);
    const QString last = shown.takeLast();
    return u"the table files "_s + shown.join(u", "_s) + u" and "_s + last;
}

QString capitalised(QString text) {
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

// The first file's folder when it cannot be written in: a journal cannot be made there.
QString writeProtectedFolder(const QStringList& files) {
    for (const QString& file : files) {
        const QFileInfo folder(QFileInfo(file).absolutePath());
        if (folder.exists() && !folder.isWritable())
            return folder.absoluteFilePath();
    }
    return {};
}

bool anyWriteProtected(const QStringList& files) {
    for (const QString& file : files) {
        const QFileInfo info(file);
        if (info.exists() && !info.isWritable())
            return true;
    }
    return false;
}

bool anyMissing(const QStringList& files) {
    for (const QString& file : files) {
        if (!QFileInfo::exists(file))
            return true;
    }
    return false;
}

QString notSaved(const EngineFault& fault) {
    return fault.writing ? u", so the change was not saved"_s : QString();
}

QString readOnlyProblem(const EngineFault& fault) {
    const QString files = fileWords(fault.files);
    if (const QString folder = writeProtectedFolder(fault.files); !folder.isEmpty())
        return u"The folder %1 of %2 is write-protected%3. Allow writing to the folder, then "
               "try again."_s.arg(native(folder), files, notSaved(fault));
    if (anyWriteProtected(fault.files))
        return u"%1 is write-protected%2. Allow writing to the file, then try again."_s.arg(
            capitalised(files), notSaved(fault));
    return {};
}

QString movedProblem(const EngineFault& fault) {
    return u"%1 was deleted or replaced while it was open%2. Close the window and open it "
           "again; if the file is gone, restore it from your backup."_s.arg(
               capitalised(fileWords(fault.files)), notSaved(fault));
}

QString changedProblem(const EngineFault& fault) {
    return u"%1 was emptied or changed by another program while it was open%2. Close the "
           "window and open it again; if the table is gone, restore the file from your "
           "backup."_s.arg(capitalised(fileWords(fault.files)), notSaved(fault));
}

// The engine's words for a schema that went away under an open table.
bool namesVanishedTable(const QString& engineText) {
    return engineText.startsWith(u"no such table"_s) ||
           engineText.startsWith(u"no such column"_s) || engineText.startsWith(u"no such index"_s);
}

QString lastResort(const EngineFault& fault) {
    return u"%1 could not be used (%2)."_s.arg(capitalised(fileWords(fault.files)),
                                               fault.engineText);
}

} // namespace

QString unusablePathProblem(const QString& filePath) {
    const QFileInfo info(filePath);
    if (info.isDir())
        return u"%1 is a folder, not a table file. Move the folder away and restore the table "
               "file from your backup."_s.arg(native(info.absoluteFilePath()));
    if (!info.exists())
        return u"The table file %1 does not exist. Restore it from your backup."_s.arg(
            native(info.absoluteFilePath()));
    return {};
}

QString describeFault(const EngineFault& fault) {
    const QString files = fileWords(fault.files);
    if (anyMissing(fault.files) && !fault.files.isEmpty()) {
        // Gone from its folder while open: the engine only notices when it writes.
        for (const QString& file : fault.files) {
            if (const QString problem = unusablePathProblem(file); !problem.isEmpty())
                return fault.writing ? movedProblem(fault) : problem;
        }
    }
    switch (fault.code) {
    case SQLITE_FULL:
        return u"The disk holding %1 is full%2. Free some space on the disk, then try again."_s.arg(
            files, notSaved(fault));
    case SQLITE_READONLY_DBMOVED:
        return movedProblem(fault);
    case SQLITE_CORRUPT:
    case SQLITE_CORRUPT_VTAB:
    case SQLITE_CORRUPT_SEQUENCE:
    case SQLITE_CORRUPT_INDEX:
        return u"%1 is damaged%2. Restore it from your backup."_s.arg(capitalised(files),
                                                                      notSaved(fault));
    case SQLITE_NOTADB:
        return u"The file %1 is not a table file, or it is damaged. Restore it from your "
               "backup."_s.arg(native(fault.files.value(0)));
    case SQLITE_SCHEMA:
        return changedProblem(fault);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return u"%1 is in use by another program%2. Close that program, then try again."_s.arg(
            capitalised(files), notSaved(fault));
    default:
        break;
    }
    switch (fault.code & 0xff) {
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        if (const QString problem = readOnlyProblem(fault); !problem.isEmpty())
            return problem;
        if ((fault.code & 0xff) == SQLITE_READONLY)
            return movedProblem(fault);
        return u"%1 cannot be opened. Check that the file can be read and written, then try "
               "again."_s.arg(capitalised(files));
    case SQLITE_IOERR:
        return u"%1 could not be read or written: the disk reported an error%2. Check the "
               "disk, then try again."_s.arg(capitalised(files), notSaved(fault));
    case SQLITE_CORRUPT:
        return u"%1 is damaged%2. Restore it from your backup."_s.arg(capitalised(files),
                                                                      notSaved(fault));
    case SQLITE_ERROR:
        if (namesVanishedTable(fault.engineText) && !fault.files.isEmpty())
            return changedProblem(fault);
        break;
    default:
        break;
    }
    return lastResort(fault);
}

} // namespace hoardly
