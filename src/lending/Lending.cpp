#include "Lending.h"

#include "LendObjectTypes.h"
#include "data/Errors.h"
#include "data/TDM.h"
#include "data/WriteTogether.h"

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

constexpr int kEmailFieldSize = 50; // the width of E-post in the lending table

} // namespace

void markRecordLent(Table& table, const LendObjectKind& kind, const QString& name,
                    const QDate& day) {
    table.edit();
    table.setLogical(kind.lentFlag, true);
    table.setText(kind.lentToField, name);
    table.setDate(kind.lentDateField, day);
    table.post();
}

void markRecordReturned(Table& table, const LendObjectKind& kind) {
    table.edit();
    table.setDate(kind.lentDateField, QDate());
    table.setText(kind.lentToField, kind.returnText);
    table.setLogical(kind.lentFlag, false);
    table.post();
}

std::optional<LendOutProblem> checkBorrower(const BorrowerEntry& entry) {
    if (entry.firstName.isEmpty() && entry.lastName.isEmpty())
        return LendOutProblem{u"Namn på låntagaren saknas"_s,
                              u"Some name for the borrower is required"_s, BorrowerField::LastName};
    if (entry.remind && entry.email.isEmpty())
        return LendOutProblem{
            u"Missing E-mail address"_s,
            u"If you like to use the E-mail reminder the E-mail address is required"_s,
            BorrowerField::Email};
    if (!entry.email.isEmpty() && !entry.email.contains(u'@'))
        return LendOutProblem{u"mysterious E-mail address"_s,
                              u"I suppose this E-mailaddress won't work"_s, BorrowerField::Email};
    // The lending table keeps 50 characters; a shortened address would reach nobody.
    if (entry.email.size() > kEmailFieldSize)
        return LendOutProblem{
            u"Long E-mail address"_s,
            u"The E-mail address can hold at most %1 characters"_s.arg(kEmailFieldSize),
            BorrowerField::Email};
    return std::nullopt;
}

QString lowerAsciiLetters(const QString& text) {
    QString lower = text;
    for (QChar& character : lower) {
        if (character >= u'A' && character <= u'Z')
            character = QChar(character.unicode() + (u'a' - u'A'));
    }
    return lower;
}

QString borrowerName(const BorrowerEntry& entry) {
    return entry.firstName + u' ' + entry.lastName;
}

void lendOut(TDM& tdm, const LendOut& loan) {
    const LendObjectKind& kind = lendObjectKind(loan.type);
    Table& borrow = tdm.borrowTb();
    Table& items = tdm.table(kind.schema());
    const QString name = borrowerName(loan.borrower);
    writeTogether({&borrow, &items}, [&] {
        borrow.append();
        borrow.setText(u"Objektyp"_s, kind.objektyp);
        borrow.setText(u"Objekt"_s, loan.objekt);
        borrow.setText(u"Utlanad till"_s, name);
        borrow.setText(u"E-post"_s, loan.borrower.email);
        borrow.setDate(u"Utlanad datum"_s, loan.today);
        borrow.setText(u"Tele"_s, loan.borrower.phone);
        if (loan.borrower.remind)
            borrow.setLogical(u"Send_mail"_s, true);
        borrow.post();
        if (items.locate(kind.nameField, {loan.objekt}))
            markRecordLent(items, kind, name, loan.today);
    });
}

void returnCurrentLoan(TDM& tdm) {
    Table& borrow = tdm.borrowTb();
    if (!borrow.isOpen() || borrow.isEmpty())
        return;
    const QString objekt = borrow.asText(u"Objekt"_s);
    const LendObjectKind* kind = lendObjectKindOf(borrow.asText(u"Objektyp"_s));
    Table* items = kind ? &tdm.table(kind->schema()) : nullptr;
    auto writes = [&] {
        borrow.remove();
        borrow.refresh();
        if (items && items->locate(kind->nameField, {objekt}))
            markRecordReturned(*items, *kind);
    };
    if (items)
        writeTogether({&borrow, items}, writes);
    else
        writeTogether({&borrow}, writes);
}

bool reminderCanBeSwitchedOff(const Table& borrowTable) {
    if (!borrowTable.isOpen() || borrowTable.isEmpty())
        return false;
    return borrowTable.asLogical(u"Send_mail"_s) && !borrowTable.asLogical(u"Has_sent"_s);
}

void switchOffReminder(Table& borrowTable) {
    borrowTable.edit();
    borrowTable.setLogical(u"Send_mail"_s, false);
    borrowTable.setLogical(u"Has_sent"_s, false);
    borrowTable.post();
    borrowTable.refresh();
}

bool dropLendingRecord(Table& borrowTable, const QString& objekt) {
    borrowTable.open();
    if (!borrowTable.locate(u"Objekt"_s, {objekt}))
        return false;
    borrowTable.remove();
    borrowTable.refresh();
    return true;
}

} // namespace hoardly
