#pragma once

#include <QString>
#include <QStringList>

namespace hoardly {

struct TableSchema;

// The table files that hold secrets (the settings with the main password, the code store) are
// readable and writable by their owner alone. The starter catalogue creates them so, installing
// keeps the mode, the start-up tightens a file that came from elsewhere, and writes change the
// files in place. A step that replaces one of these files as a whole (a restore, say) calls
// keepOwnerOnly on the new file.
bool isOwnerOnly(const TableSchema& schema);
// The file names of those tables.
QStringList ownerOnlyFileNames();

// Makes the file readable and writable by its owner alone, if it exists. Throws FileError
// when its permissions cannot be changed.
void keepOwnerOnly(const QString& filePath);
// The same for every owner-only table file in the directory.
void keepOwnerOnlyTables(const QString& directory);

} // namespace hoardly
