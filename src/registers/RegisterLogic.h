#pragma once

#include "data/Schema.h"

#include <QString>
#include <QStringList>

namespace hoardly {

class Table;

// The modes of a register window. Browsing, searching and the master list leave the table in
// browse state between commands; adding and editing hold one record pending on the edit page.
enum class RegisterMode { Browsing, Adding, Editing, Searching, MasterList };

// The two flags the windows test: a new record is pending, or the current one is being edited.
struct ModeFlags {
    bool isNew = false;
    bool editing = false;
};
ModeFlags flagsOf(RegisterMode mode);
// Adding, editing, the search page and the master list lock the record commands.
bool locksCommands(RegisterMode mode);

// The index number proposed for a new record: the number of the last record in the table's
// current order plus one, 1 for an empty table. Leaves the last record current, as the proposal
// is read from it.
int proposeNextIndex(Table& table, const QString& indexField, int maximum = 60000);

// The remembered values of one column of the pick-list table, in key order, empty values left
// out; each cut to `cut` characters when `cut` is above 0. Reads without moving the table.
QStringList rememberedValues(Table& standard, const QString& column, int cut = 0);

// Appends a row holding the text in the column unless the text is empty or some row already
// holds exactly it (letter case counts). Answers whether a row was appended.
bool rememberValue(Table& standard, const QString& column, const QString& text);

// Whether a field of this type can hold a typed character: number fields take digits only.
bool fieldCanHold(FieldType type, QChar character);

} // namespace hoardly
