#pragma once

#include <QString>
#include <QStringList>
#include <atomic>

namespace hoardly {

// The suffix of the file a copy is written to before it takes the target's name; a file left
// with it by a copy that was cut short is never listed or copied.
inline constexpr auto kPartialCopySuffix = ".hoardly-part";

// The names of the files (not directories) directly in `directory` whose names match the
// wildcard `mask` whatever their letter case, in name order. "*.*" means every file, also one
// without an extension.
QStringList filesMatching(const QString& directory, const QString& mask);

// Copies `sourceFile` to `targetFile`: the bytes go to a file beside the target, are flushed
// to disk and then renamed over the target, so the target is at every moment either its old
// self or the whole new copy. The copy gets the source's permissions. A copy that `cancel`
// stops or that fails leaves the target as it was. Returns empty, or why the copy failed.
QString copyFileSafely(const QString& sourceFile, const QString& targetFile,
                       const std::atomic_bool& cancel);

// What one copy of a set of files did.
struct FileCopyOutcome {
    enum class Kind { Copied, Failed, Interrupted };
    Kind kind = Kind::Copied;
    QStringList copied; // names, in the order copied
    QString failure;    // Failed: the file and the reason
};

// A file to copy: its name and whether it replaces a file of that name at the destination.
struct PlannedCopy {
    QString name;
    bool copy = true;
};

// Copies the planned files (those marked to copy) from one directory into another under their
// own names, one after another, stopping at the first failure or when `cancel` is set.
// `progress` (may be empty) hears each file's name before it is copied.
FileCopyOutcome
copyPlannedFiles(const QString& sourceDirectory, const QString& destinationDirectory,
                 const QList<PlannedCopy>& plan, const std::atomic_bool& cancel,
                 const std::function<void(int done, const QString& name)>& progress);

} // namespace hoardly
