#pragma once

#include "ReminderMail.h"

#include <QDate>
#include <QList>

namespace hoardly {

class Table;

// A reminder is due on the 30th day after the lend-out and every day after.
inline constexpr int kReminderAfterDays = 30;
bool reminderDue(const QDate& lent, const QDate& today);

struct DueReminders {
    QList<ReminderLoan> due;        // in key order
    QList<ReminderLoan> unreadable; // wanted and unsent, but the lending date cannot be read
};

// Walks the lending table in key order for the loans whose reminder is wanted, not yet sent
// and due. The lending date is read only for loans waiting for their reminder. The table
// must be open.
DueReminders findDueReminders(Table& borrow, const QDate& today);

// Sets Has_sent of the loan with this key, before its reminder is tried, so a failed sending
// is never repeated. False when the loan is gone or no longer waits for its reminder.
bool markReminderSent(Table& borrow, qint64 bid);

// The message that names the loans whose date cannot be read, once a scan.
QString unreadableDatesMessage(const QList<ReminderLoan>& loans);

} // namespace hoardly
