#pragma once

#include <QString>
#include <optional>

namespace hoardly {

class Table;

// The main password, kept in the settings field PW as ScrambleText of the password as typed.
// An empty field means that no password is set.

bool mainPasswordIsSet(const Table& config);

// Upper-cases the letters a-z only; every other character keeps its case.
QString upperAsciiLetters(const QString& text);
// Whether two entries count as the same password: equal once the letters a-z are upper-cased.
bool samePassword(const QString& a, const QString& b);
// Whether an entry is the main password. With none set only an empty entry is; a stored form
// that cannot be unscrambled matches nothing.
bool matchesMainPassword(const Table& config, const QString& entry);

// Why this new password cannot be stored (a character that cannot be scrambled); nothing when
// it can.
std::optional<QString> newPasswordRefusal(const QString& password);
// Writes the password's scrambled form to PW and posts the settings record. Throws
// ScrambleError (nothing written) or StoreError.
void storeMainPassword(Table& config, const QString& password);

} // namespace hoardly
