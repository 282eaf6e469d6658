#include "AdressBook.h"

#include "data/Table.h"
#include "lending/Lending.h"

using namespace Qt::StringLiterals;

namespace hoardly::adressbook {

const QList<EntryCheck>& adressChecks() {
    // A last name of blanks only would file a record nobody can find by its name.
    static const QList<EntryCheck> checks{
        EntryCheck::required(kLastName, u"Last name is required. "_s, u"Last name field empty"_s),
        EntryCheck::containsWhenFilled(
            kEmail, u"@"_s, u"I suppose a mail with that E-mail address will be lost in space"_s,
            u"Weird E-Mail address"_s),
    };
    return checks;
}

QString storedEmail(const QString& email) {
    return lowerAsciiLetters(email);
}

void goToLetter(Table& adress, QChar letter) {
    adress.selectIndex(kLastNameIndex);
    // The index ignores letter case, so "c" and "C" land on the same record.
    adress.findNearest(QString(letter));
}

bool isFiled(Table& adress, const QString& firstName, const QString& lastName) {
    return adress.locate(u"Efternamn;Fornamn;"_s, {lastName, firstName});
}

EntryProblem alreadyFiled(const QString& firstName, const QString& lastName) {
    return {u"A record already exist with name  ["_s + firstName + u' ' + lastName +
                u"]. This record will not be added to the addressbook"_s,
            u"No copies"_s, kLastName};
}

void appendBorrower(Table& adress, const QString& firstName, const QString& lastName,
                    const QString& phone, const QString& email) {
    adress.append();
    adress.setText(kLastName, lastName);
    adress.setText(kFirstName, firstName);
    adress.setText(kEmail, email);
    adress.setText(kPhone, phone);
}

} // namespace hoardly::adressbook
