#pragma once

#include "data/RunState.h"

#include <QDate>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace hoardly {

class TDM;
class Table;

// What the user typed into the lend-out dialog.
struct BorrowerEntry {
    QString firstName;
    QString lastName;
    QString phone;
    QString email;
    bool remind = false; // a reminder e-mail after 30 days
};

// The control a refused lend-out sends the user back to.
enum class BorrowerField { FirstName, LastName, Phone, Email };

struct LendOutProblem {
    QString caption;
    QString message;
    BorrowerField focus;
};

// The checks a lend-out passes before anything is written; the first one that fails.
std::optional<LendOutProblem> checkBorrower(const BorrowerEntry& entry);

// Lower-cases the letters A-Z only; every other character keeps its case.
QString lowerAsciiLetters(const QString& text);

// The borrower as the lending and register records name him: first name, one blank, last
// name; the blank is there even when one of the two is empty.
QString borrowerName(const BorrowerEntry& entry);

// One loan to record: the object's kind and full name, the borrower, and the day.
struct LendOut {
    LendObjectType type = LendObjectType::Film;
    QString objekt;
    BorrowerEntry borrower; // already checked, e-mail already lower-cased
    QDate today;
};

// Appends the lending record and marks the first register record of that name as lent, both
// or neither: a failure rolls both back and re-reads both tables, so no window shows half a
// loan. Opens the two tables when they are closed. A register record that cannot be found is
// no failure. Throws StoreError.
void lendOut(TDM& tdm, const LendOut& loan);

// Deletes the current lending record and resets the first register record of its name with
// its kind's return text, both or neither (as lendOut). Nothing when the lending table is
// empty. Throws StoreError.
void returnCurrentLoan(TDM& tdm);

// Whether the current loan still waits for its reminder: asked for and not yet sent.
bool reminderCanBeSwitchedOff(const Table& borrowTable);
// Clears both reminder flags of the current loan and re-reads the lending table.
void switchOffReminder(Table& borrowTable);

// Runs writes to several tables as one: all of them land, or none, and no table object is
// left showing a record that the files do not hold. Throws what the writes threw.
void writeTogether(TDM& tdm, const QList<Table*>& tables, const std::function<void()>& writes);

// For a register's delete: removes the loan whose object is exactly this name, if there is
// one. Returns whether one was removed.
bool dropLendingRecord(Table& borrowTable, const QString& objekt);

} // namespace hoardly
