#pragma once

#include <QString>
#include <QStringList>

namespace hoardly {

class Table;

// The software register's fixed lists and its rules for the type and the manufacturer,
// shared by its record pages and its search page.
namespace software {

QStringList categories();   // 12, in the order the pick list shows them
QStringList storageKinds(); // 10, "Other" last
// The four type words in the order of the edit page's radio buttons.
QStringList types();

// Manufacturers enter the pick-list table, and its list, cut to this many characters.
inline constexpr int kManufacturerLength = 40;

// The remembered manufacturers: every non-empty Dataforetag of the pick-list table in key order,
// each cut to its first 40 characters.
QStringList manufacturers(Table& standard);
// Remembers the first 40 characters of a manufacturer unless some row holds exactly them
// (letter case counts); an empty text is not remembered. Answers whether a row was appended.
bool rememberManufacturer(Table& standard, const QString& manufacturer);

// The radio button (an index into types()) that stands for a record's type, -1 for a type that
// is none of the four words exactly.
int typeButtonOf(const QString& type);
// The word OK writes for the checked radio button; empty when none is checked (-1), and the
// record's type then stays as it is.
QString typeToWrite(int checkedButton);

} // namespace software
} // namespace hoardly
