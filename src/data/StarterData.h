#pragma once

#include <QString>
#include <QStringList>

namespace hoardly {

class TableSchema;

// Writes one empty table file from its schema: the table, its fields and its named indexes.
// Refuses to replace an existing file.
void createTableFile(const QString& directory, const TableSchema& schema);

// Writes the eleven starter table files (with the one settings row and a first set of film
// rates) and the midi folder's starter files into an empty directory.
void writeStarterCatalogue(const QString& directory);

// Copies every starter file that the application directory lacks; a file that is there is
// never touched. Returns the files copied, relative to the directory.
QStringList installStarterFiles(const QString& starterDirectory, const QString& appDirectory);

// The film rates the pick-list table starts with.
QStringList starterFilmRates();

} // namespace hoardly
