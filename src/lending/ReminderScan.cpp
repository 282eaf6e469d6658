#include "ReminderScan.h"

#include "data/Dates.h"
#include "data/Table.h"

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

bool waitsForReminder(const Table& borrow) {
    return borrow.asLogical(u"Send_mail"_s) && !borrow.asLogical(u"Has_sent"_s);
}

// The fields the scan reads, in this order.
const QStringList kScanned{u"Send_mail"_s, u"Has_sent"_s,     u"Utlanad datum"_s, u"Bid"_s,
                           u"Objekt"_s,    u"Utlanad till"_s, u"E-post"_s};

ReminderLoan loanOf(const ScanRow& row) {
    return {row.integer(3), row.text(4), row.text(5), row.text(6)};
}

} // namespace

bool reminderDue(const QDate& lent, const QDate& today) {
    return lent.isValid() && lent.daysTo(today) >= kReminderAfterDays;
}

DueReminders findDueReminders(Table& borrow, const QDate& today) {
    DueReminders found;
    // One read of the loans, ending on the last one as a walk through them does.
    borrow.scan(
        kScanned,
        [&](const ScanRow& row) {
            if (!row.logical(0) || row.logical(1))
                return true;
            // Stored as ISO text; an older catalogue may hold the short date format.
            const QDate lent = dateFromText(row.value(2).toString());
            if (!lent.isValid())
                found.unreadable << loanOf(row);
            else if (reminderDue(lent, today))
                found.due << loanOf(row);
            return true;
        },
        ScanEnd::AtLastVisited);
    return found;
}

bool markReminderSent(Table& borrow, qint64 bid) {
    if (!borrow.locate(u"Bid"_s, {bid}) || !waitsForReminder(borrow))
        return false;
    borrow.edit();
    borrow.setLogical(u"Has_sent"_s, true);
    borrow.post();
    return true;
}

QString unreadableDatesMessage(const QList<ReminderLoan>& loans) {
    QStringList lines{u"No reminder was sent for these loans, since their lending date cannot "
                      "be read:"_s};
    for (const ReminderLoan& loan : loans)
        lines << u"\"%1\" lent to %2"_s.arg(loan.objekt, loan.borrower.trimmed());
    return lines.join(u'\n');
}

} // namespace hoardly
