#pragma once

#include "RegisterLogic.h"

#include <QChar>
#include <QList>
#include <QString>

namespace hoardly {

class Table;

// The address book's fields and rules, apart from its window.
namespace adressbook {

inline const QString kLastNameIndex = QStringLiteral("ENamn");
inline const QString kFirstName = QStringLiteral("Fornamn");
inline const QString kLastName = QStringLiteral("Efternamn");
inline const QString kPhone = QStringLiteral("Telefon");
inline const QString kEmail = QStringLiteral("E-postadress");
// The find option the find box returns to when the window closes: "Last name".
inline constexpr int kLastNameOption = 1;

// The checks OK makes before anything is written: a last name, and an e-mail address with
// an "@" when there is one.
const QList<EntryCheck>& adressChecks();

// The e-mail address as it is stored: A-Z in lower case, every other character unchanged.
QString storedEmail(const QString& email);

// A letter button: the first record, in last-name order and ignoring case, whose last name
// sorts at or after the letter; the last record when none does.
void goToLetter(Table& adress, QChar letter);

// Whether a person with exactly this first and last name (letter case counts) is filed;
// leaves that record current when so. Names longer than their fields compare as stored.
bool isFiled(Table& adress, const QString& firstName, const QString& lastName);

// The refusal of a borrower who is already filed.
EntryProblem alreadyFiled(const QString& firstName, const QString& lastName);

// Appends a record pre-filled with a borrower, left pending for the user to finish.
void appendBorrower(Table& adress, const QString& firstName, const QString& lastName,
                    const QString& phone, const QString& email);

} // namespace adressbook
} // namespace hoardly
