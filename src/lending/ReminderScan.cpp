#include "ReminderScan.h"

#include "data/Dates.h"
#include "data/Table.h"

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

bool waitsForReminder(const Table& borrow) {
    return borrow.asLogical(u"Send_mail"_s) && !borrow.asLogical(u"Has_sent"_s);
}

ReminderLoan currentLoan(const Table& borrow) {
    return {borrow.asInteger(u"Bid"_s), borrow.asText(u"Objekt"_s),
            borrow.asText(u"Utlanad till"_s), borrow.asText(u"E-post"_s)};
}

} // namespace

bool reminderDue(const QDate& lent, const QDate& today) {
    return lent.isValid() && lent.daysTo(today) >= kReminderAfterDays;
}

DueReminders findDueReminders(Table& borrow, const QDate& today) {
    DueReminders found;
    for (borrow.first(); !borrow.eof(); borrow.next()) {
        if (!waitsForReminder(borrow))
            continue;
        // Stored as ISO text; an older catalogue may hold the short date format.
        const QDate lent = dateFromText(borrow.value(u"Utlanad datum"_s).toString());
        if (!lent.isValid())
            found.unreadable << currentLoan(borrow);
        else if (reminderDue(lent, today))
            found.due << currentLoan(borrow);
    }
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
