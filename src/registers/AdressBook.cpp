#include "AdressBook.h"

#include "data/Table.h"
#include "lending/Lending.h"

using namespace Qt::StringLiterals;

namespace hoardly::adressbook {

const QList<AddressBox>& addressBoxes() {
    static const QList<AddressBox> boxes{
        {u"First name"_s, kFirstName},
        {u"Last name*"_s, kLastName},
        {u"Street"_s, u"Gatuadress"_s},
        {u"Postal && zip"_s, u"Postadress"_s},
        {u"Phone work"_s, u"Telefon arbete"_s, FieldKind::Phone},
        {u"Phone home"_s, kPhone, FieldKind::Phone},
        {u"Celluar"_s, u"Mobil"_s, FieldKind::Phone},
        {u"E-Mail"_s, kEmail},
        {u"Homesite"_s, u"Hemsida"_s},
        {u"Comments"_s, u"Kommentar"_s, FieldKind::Memo},
    };
    return boxes;
}

const QList<AddressFindOption>& addressFindOptions() {
    static const QList<AddressFindOption> options{
        {u"First name"_s, kFirstName}, {u"Last name"_s, kLastName},     {u"Phone home"_s, kPhone},
        {u"Celluar"_s, u"Mobil"_s},    {u"Address"_s, u"Gatuadress"_s},
    };
    return options;
}

std::optional<EntryProblem> checkEntry(const QString& lastName, const QString& email) {
    // A last name of blanks only would file a record nobody can find by its name.
    if (lastName.trimmed().isEmpty())
        return EntryProblem{u"Last name is required. "_s, u"Last name field empty"_s, kLastName};
    if (!email.isEmpty() && !email.contains(u'@'))
        return EntryProblem{u"I suppose a mail with that E-mail address will be lost in space"_s,
                            u"Weird E-Mail address"_s, kEmail};
    return std::nullopt;
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
