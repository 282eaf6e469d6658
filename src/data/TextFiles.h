#pragma once

#include <QString>

namespace hoardly {

// Reads a whole text file: UTF-8, or Windows-1252 when the bytes are not valid UTF-8 (files
// written by older programs). A FileError names the file when it cannot be read.
QString readTextFile(const QString& path);
// Writes the text as UTF-8, replacing the file; a FileError when that fails. Nothing of an
// earlier file is lost when the write fails half-way.
void writeTextFile(const QString& path, const QString& text);

} // namespace hoardly
