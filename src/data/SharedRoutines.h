#pragma once

#include <QRandomGenerator>
#include <QString>

namespace hoardly {

class Table;

// The caption file of the register windows, below the application directory.
QString captionFilePath(const QString& appDir);
// A line drawn at random from the caption file's first 2181 lines: one of those that are
// printable text of a caption's length (a binary file has none), read as text in UTF-8,
// UTF-16 with its byte-order mark or Windows-1252. "Hoardly" when the file is missing or
// holds no line to draw.
QString randomCaptionText(const QString& appDir,
                          QRandomGenerator& random = *QRandomGenerator::global());

// The key filters of number boxes: digits, backspace and ENTER pass (and "-" for phones).
bool isDigitsOnlyKey(QChar character);
bool isPhoneDigitsKey(QChar character);
inline constexpr auto kOnlyDigitsMessage = "Only digits allowed in this field";

// The last character of a text as a text of length one; empty for an empty text.
QString lastCharacter(const QString& text);

bool isTableEmpty(const Table& table);

// Opens the lending register when closed and looks for a record whose object is exactly the
// title; the found record is left current.
bool isObjectLent(Table& borrowTable, const QString& title);

} // namespace hoardly
