#pragma once

#include <QString>
#include <QStringList>

namespace hoardly {

// What the engine reported about a failed statement, and the table files it concerned.
struct EngineFault {
    int code = 0; // SQLite's extended result code
    QString engineText;
    QStringList files; // the table files the statement named (full paths); may be empty
    bool writing = false;
};

// The message a user can act on: names the table file, says what happened and what to do.
// The engine's own text, internal names and URIs never appear in it, except as the last
// resort for a fault we do not know, where the engine's words follow our sentence.
QString describeFault(const EngineFault& fault);

// Why a table file cannot be attached before the engine is asked at all: missing, or a
// folder where the file should be. Empty when the path looks like a file.
QString unusablePathProblem(const QString& filePath);

} // namespace hoardly
