#include "LoanCheck.h"

#include "LendObjectTypes.h"
#include "Lending.h"
#include "data/Errors.h"
#include "data/Sqlite.h"
#include "data/TDM.h"
#include "data/WriteTogether.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

constexpr int kObjectsNamed = 10; // the message names this many; the rest are counted

// A file attached under a name of the check's own for as long as the check reads it.
class Attachment {
public:
    Attachment(Connection& connection, const QString& file, const QString& alias)
        : connection_(connection), alias_(alias) {
        connection_.attach(file, alias_);
    }
    ~Attachment() {
        try {
            connection_.detach(alias_);
        } catch (const StoreError&) {
        }
    }
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;

private:
    Connection& connection_;
    QString alias_;
};

const QString kBorrowAlias = u"loancheck_borrow"_s;
const QString kRegisterAlias = u"loancheck_register"_s;

void findForKind(Connection& connection, const LendObjectKind& kind, const QString& file,
                 QList<LoanDisagreement>& found) {
    const Attachment attached(connection, file, kRegisterAlias);
    const QString table = kRegisterAlias + u'.' + quoteIdentifier(kind.schema().tableName);
    const QString name = quoteIdentifier(kind.nameField);
    const QString isLent = u"ifnull("_s + quoteIdentifier(kind.lentFlag) + u", 0) <> 0"_s;
    const QString loans = u" FROM "_s + kBorrowAlias + u".Borrow WHERE Objektyp = ?1"_s;

    // Each list is read with one pass over the register; the loans are a handful.
    Statement flagged = connection.prepare(u"SELECT rowid, "_s + name + u" FROM "_s + table +
                                           u" WHERE "_s + isLent + u" AND ifnull("_s + name +
                                           u", '') NOT IN (SELECT ifnull(Objekt, '')"_s + loans +
                                           u") ORDER BY rowid"_s);
    flagged.bind(1, kind.objektyp);
    while (flagged.step())
        found.append({LoanDisagreement::Kind::FlagWithoutLoan, kind.type, flagged.text(1),
                      flagged.int64(0)});

    Statement unflagged = connection.prepare(
        u"SELECT Bid, Objekt"_s + loans + u" AND Objekt IN (SELECT "_s + name + u" FROM "_s +
        table + u") AND Objekt NOT IN (SELECT "_s + name + u" FROM "_s + table + u" WHERE "_s +
        isLent + u" AND "_s + name + u" IS NOT NULL) ORDER BY Bid"_s);
    unflagged.bind(1, kind.objektyp);
    while (unflagged.step())
        found.append({LoanDisagreement::Kind::LoanWithoutFlag, kind.type, unflagged.text(1),
                      unflagged.int64(0)});
}

QString describe(const LoanDisagreement& item) {
    const QString object = u"\"%1\" (%2)"_s.arg(item.objekt, lendObjectKind(item.type).objektyp);
    if (item.kind == LoanDisagreement::Kind::FlagWithoutLoan)
        return object + u" is marked as lent out, but there is no lending record for it."_s;
    return object + u" has a lending record, but is not marked as lent out."_s;
}

// The name of the table's own key field, as the file has it.
QString keyField(const Table& table) {
    for (int field = 0; field < table.fieldCount(); ++field) {
        if (table.fieldType(field) == FieldType::AutoIncrement)
            return table.fieldName(field);
    }
    throw StoreError(u"The table %1 has no key field."_s.arg(table.schema().fileName));
}

void mendOne(TDM& tdm, const LoanDisagreement& item) {
    const LendObjectKind& kind = lendObjectKind(item.type);
    Table& items = tdm.table(kind.schema());
    if (item.kind == LoanDisagreement::Kind::FlagWithoutLoan) {
        if (items.locate(keyField(items), {item.key}))
            markRecordReturned(items, kind);
        return;
    }
    Table& borrow = tdm.borrowTb();
    if (!borrow.locate(u"Bid"_s, {item.key}))
        return;
    const QString borrower = borrow.asText(u"Utlanad till"_s);
    const QDate day = borrow.asDate(u"Utlanad datum"_s);
    if (items.locate(kind.nameField, {item.objekt}))
        markRecordLent(items, kind, borrower, day);
}

} // namespace

QList<LoanDisagreement> findLoanDisagreements(TDM& tdm) {
    QList<LoanDisagreement> found;
    Connection& connection = tdm.connection();
    std::optional<Attachment> borrow;
    try {
        borrow.emplace(connection, tdm.borrowTb().filePath(), kBorrowAlias);
    } catch (const StoreError&) {
        return found; // the lending windows report a lending register that cannot be read
    }
    for (const LendObjectKind& kind : lendObjectKinds()) {
        try {
            findForKind(connection, kind, tdm.table(kind.schema()).filePath(), found);
        } catch (const StoreError&) {
            // A missing or damaged register is for its own window to report.
        }
    }
    return found;
}

QString loanDisagreementMessage(const QList<LoanDisagreement>& found) {
    QStringList lines;
    for (qsizetype i = 0; i < found.size() && i < kObjectsNamed; ++i)
        lines << describe(found[i]);
    if (found.size() > kObjectsNamed)
        lines << u"... and %1 more."_s.arg(found.size() - kObjectsNamed);
    return u"The lending register and the registers disagree about %1, as an earlier version "
           "of the program could leave them after a crash:\n\n%2\n\nMend them now? An object "
           "without a lending record is marked as returned; an object with one is marked as "
           "lent out to its borrower."_s.arg(found.size() == 1 ? u"one object"_s
                                                               : u"%1 objects"_s.arg(found.size()),
                                             lines.join(u'\n'));
}

void mendLoanDisagreements(TDM& tdm, const QList<LoanDisagreement>& found) {
    if (found.isEmpty())
        return;
    QList<Table*> tables{&tdm.borrowTb()};
    for (const LoanDisagreement& item : found) {
        Table* items = &tdm.table(lendObjectKind(item.type).schema());
        if (!tables.contains(items))
            tables.append(items);
    }
    std::vector<Table*> closedBefore;
    for (Table* table : tables) {
        if (!table->isOpen())
            closedBefore.push_back(table);
    }
    try {
        writeTogether(tables, [&] {
            for (const LoanDisagreement& item : found)
                mendOne(tdm, item);
        });
    } catch (const StoreError&) {
        for (Table* table : closedBefore)
            table->close();
        throw;
    }
    for (Table* table : closedBefore)
        table->close();
}

void offerToMendLoans(TDM& tdm, const std::function<bool(const QString& text)>& askToMend) {
    const QList<LoanDisagreement> found = findLoanDisagreements(tdm);
    if (!found.isEmpty() && askToMend(loanDisagreementMessage(found)))
        mendLoanDisagreements(tdm, found);
}

} // namespace hoardly
