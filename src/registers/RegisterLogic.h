#pragma once

#include "RegisterState.h"
#include "data/Schema.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace hoardly {

class Table;

// A refused entry: the message, the box's caption and the field whose control takes the focus.
struct EntryProblem {
    QString text;
    QString caption;
    QString field;
};

// One check OK makes before anything is written.
struct EntryCheck {
    enum class Rule {
        Required,          // not empty, blanks alone count as empty
        ContainsWhenFilled // empty, or holding `needle`
    };
    static EntryCheck required(QString field, QString text, QString caption);
    static EntryCheck containsWhenFilled(QString field, QString needle, QString text,
                                         QString caption);
    QString field;
    Rule rule = Rule::Required;
    QString needle;
    QString text;
    QString caption;
};

// The first check, in order, that the typed values fail; `valueOf` answers what the control of
// a field holds.
std::optional<EntryProblem> firstFailedCheck(const QList<EntryCheck>& checks,
                                             const std::function<QString(const QString&)>& valueOf);

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
