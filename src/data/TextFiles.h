#pragma once

#include <QList>
#include <QString>

namespace hoardly {

// Reads a whole text file: UTF-8, UTF-16 when it starts with its byte-order mark, or
// Windows-1252 when the bytes are not valid UTF-8 (files written by older programs). A
// FileError names the file when it cannot be read.
QString readTextFile(const QString& path);
// Writes the text as UTF-8, replacing the file; a FileError when that fails. Nothing of an
// earlier file is lost when the write fails half-way.
void writeTextFile(const QString& path, const QString& text);

struct TextLine {
    QString text;     // without its line end, and at most the length asked for
    bool cut = false; // the line was longer: the rest of it was dropped
};

// The first `maxLines` lines of a text file, decoded as readTextFile decodes them. Reads no
// further than those lines and keeps no more than `maxLength` characters of any line, so a
// huge file costs no more than its first lines. A file with a NUL byte in its first block
// (and no byte-order mark) is no text file and gives no lines. A FileError when unreadable.
QList<TextLine> readTextLines(const QString& path, int maxLines, int maxLength);

} // namespace hoardly
