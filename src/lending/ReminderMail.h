#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace hoardly {

class Table;

// The mail settings of the settings record.
struct MailSettings {
    QString mailid;     // the user's name: the greeting name of the exchange
    QString mailadress; // sender and reply-to address
    QString smtp;       // the mail server's host name
    qint64 mailport = 25;
};

MailSettings readMailSettings(const Table& config);
// Without a name and a server nothing can be sent; a port outside 1-65535 would reach
// another port than the one the user typed.
bool mailSettingsComplete(const MailSettings& settings);

// The loan a reminder is about, as the lending record holds it.
struct ReminderLoan {
    qint64 bid = 0;
    QString objekt;   // the object's name
    QString borrower; // first name, blank, last name
    QString address;  // E-post, as stored
};

// The six lines of the reminder's body; the last names the program's download page.
QStringList reminderBody(const QString& objekt, const QString& borrower,
                         const QString& downloadAddress);

// The address an SMTP recipient command names: the part between '<' and '>' when the text
// holds '<', else the part after ':' when it holds ':', else the whole text.
QString recipientAddress(const QString& recipient);

// "Wed, 09 Dec 2026 10:15:00 +0100", in English whatever the user's language.
QString rfc5322Date(const QDateTime& when);

// One reminder, ready for the mail transfer.
struct ReminderMessage {
    QString sender;    // the user's address
    QString recipient; // E-post as stored
    QString replyTo;   // empty: no Reply-To line
    QString date;
    QString subject;
    QStringList body;

    // The header lines in their order, without line ends.
    QStringList headerLines() const;
    // What follows the DATA command: header lines, an empty line, the body, each line ended
    // by CR LF and dot-stuffed, then the line "." that ends the data. A line break inside a
    // body line (an object named over two lines) ends that line, so no text ends the data
    // early.
    QByteArray data() const;
    // Whether the body goes as UTF-8 quoted-printable rather than as plain ASCII.
    bool bodyNeedsEncoding() const;
};

// The reminder for a loan, or nothing when the greeting name or an address holds CR or LF:
// such a value would add header lines or commands of its own.
std::optional<ReminderMessage> composeReminder(const MailSettings& settings,
                                               const ReminderLoan& loan, const QDateTime& now,
                                               const QString& downloadAddress);

// Each line ended by CR LF, a line that begins with "." getting one more in front. The lines
// hold no CR or LF themselves.
QByteArray dotStuffed(const QList<QByteArray>& lines);

// The UTF-8 bytes of the lines in quoted-printable, soft-broken at 76 characters.
QList<QByteArray> quotedPrintable(const QStringList& lines);

} // namespace hoardly
