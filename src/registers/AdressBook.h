#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <optional>

namespace hoardly {

class Table;

// The address book's fields and rules, apart from its window.
namespace adressbook {

inline const QString kLastNameIndex = QStringLiteral("ENamn");
inline const QString kFirstName = QStringLiteral("Fornamn");
inline const QString kLastName = QStringLiteral("Efternamn");
inline const QString kPhone = QStringLiteral("Telefon");
inline const QString kEmail = QStringLiteral("E-postadress");

// What a box of the page is: a plain line, a telephone number (digits and "-" only, also
// while browsing) or the comments memo.
enum class FieldKind { Line, Phone, Memo };

// One box of the page: its label (as the window's caption text, "&&" for one ampersand),
// its field and its kind. The list is in tab order.
struct AddressBox {
    QString label;
    QString field;
    FieldKind kind = FieldKind::Line;
};
const QList<AddressBox>& addressBoxes();

// One radio button of the find group, top to bottom, and the field it binds the find box to.
// The find box itself stands after the first `kFindOptionsAboveBox` of them.
struct AddressFindOption {
    QString label;
    QString field;
};
const QList<AddressFindOption>& addressFindOptions();
inline constexpr int kFindOptionsAboveBox = 2;
// The option the find box returns to when the window closes: "Last name".
inline constexpr int kLastNameOption = 1;

// A refused entry: the message, the box's caption and the field whose box takes the focus.
struct EntryProblem {
    QString text;
    QString caption;
    QString field;
};

// The checks OK makes before anything is written: a last name, and an e-mail address with
// an "@" when there is one.
std::optional<EntryProblem> checkEntry(const QString& lastName, const QString& email);

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
