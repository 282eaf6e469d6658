#include "Lending.h"

#include "LendObjectTypes.h"
#include "data/Errors.h"
#include "data/Sqlite.h"
#include "data/TDM.h"

#include <functional>
#include <initializer_list>
#include <vector>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

constexpr int kEmailFieldSize = 50; // the width of E-post in the lending table

void openIfClosed(Table& table) {
    if (!table.isOpen())
        table.open();
}

// After a rollback the table object still holds the half-done work in its key list and edit
// buffer; bring it back to what the file says, at the record it showed before.
void reread(Table& table, int position) noexcept {
    try {
        table.cancel();
        if (!table.isOpen())
            return;
        table.refresh();
        table.moveTo(position);
    } catch (const StoreError&) {
        // The first failure is the one the user sees.
    }
}

} // namespace

void writeTogether(TDM& tdm, const QList<Table*>& tables, const std::function<void()>& writes) {
    std::vector<int> positions;
    for (Table* table : tables)
        positions.push_back(table->position());
    try {
        Transaction transaction(tdm.connection());
        writes();
        transaction.commit();
    } catch (...) {
        int i = 0;
        for (Table* table : tables)
            reread(*table, positions[size_t(i++)]);
        throw;
    }
}

namespace {

void markLent(Table& table, const LendObjectKind& kind, const QString& name, const QDate& day) {
    table.edit();
    table.setLogical(kind.lentFlag, true);
    table.setText(kind.lentToField, name);
    table.setDate(kind.lentDateField, day);
    table.post();
}

void markReturned(Table& table, const LendObjectKind& kind) {
    table.edit();
    table.setDate(kind.lentDateField, QDate());
    table.setText(kind.lentToField, kind.returnText);
    table.setLogical(kind.lentFlag, false);
    table.post();
}

} // namespace

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
    // Files are attached before the transaction: attaching inside one is refused.
    openIfClosed(borrow);
    openIfClosed(items);
    const QString name = borrowerName(loan.borrower);
    writeTogether(tdm, {&borrow, &items}, [&] {
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
            markLent(items, kind, name, loan.today);
    });
}

void returnCurrentLoan(TDM& tdm) {
    Table& borrow = tdm.borrowTb();
    if (!borrow.isOpen() || borrow.isEmpty())
        return;
    const QString objekt = borrow.asText(u"Objekt"_s);
    const LendObjectKind* kind = lendObjectKindOf(borrow.asText(u"Objektyp"_s));
    Table* items = kind ? &tdm.table(kind->schema()) : nullptr;
    if (items)
        openIfClosed(*items);
    auto writes = [&] {
        borrow.remove();
        borrow.refresh();
        if (items && items->locate(kind->nameField, {objekt}))
            markReturned(*items, *kind);
    };
    if (items)
        writeTogether(tdm, {&borrow, items}, writes);
    else
        writeTogether(tdm, {&borrow}, writes);
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
    openIfClosed(borrowTable);
    if (!borrowTable.locate(u"Objekt"_s, {objekt}))
        return false;
    borrowTable.remove();
    borrowTable.refresh();
    return true;
}

} // namespace hoardly
