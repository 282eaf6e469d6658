#include "ReminderMail.h"

#include "data/Table.h"

#include <QLocale>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

constexpr qint64 kHighestPort = 65535;
constexpr qsizetype kQuotedPrintableWidth = 76; // characters of an encoded line, "=" included
const QByteArray kLineEnd = "\r\n";

bool holdsLineBreak(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

bool isAscii(const QString& text) {
    for (const QChar character : text) {
        if (character.unicode() > 0x7f)
            return false;
    }
    return true;
}

// The body's lines as they go on the wire: a line break inside a line ends it.
QStringList physicalLines(const QStringList& lines) {
    static const QRegularExpression lineBreak(u"\r\n|\r|\n"_s);
    QStringList physical;
    for (const QString& line : lines)
        physical << line.split(lineBreak);
    return physical;
}

QByteArray encodedByte(char byte) {
    return '=' + QByteArray(1, byte).toHex().toUpper();
}

QList<QByteArray> quotedPrintableLine(const QByteArray& bytes) {
    QList<QByteArray> encoded;
    QByteArray current;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char byte = bytes[i];
        const auto value = static_cast<unsigned char>(byte);
        const bool blank = byte == ' ' || byte == '\t';
        const bool last = i == bytes.size() - 1;
        const bool literal = (value >= 33 && value <= 126 && byte != '=') || (blank && !last);
        const QByteArray token = literal ? QByteArray(1, byte) : encodedByte(byte);
        // A soft break is "=" at the end of a line; leave room for it.
        if (current.size() + token.size() > kQuotedPrintableWidth - 1) {
            encoded << current + '=';
            current.clear();
        }
        current += token;
    }
    encoded << current;
    return encoded;
}

} // namespace

MailSettings readMailSettings(const Table& config) {
    return {config.asText(u"Mailid"_s), config.asText(u"Mailadress"_s), config.asText(u"SMTP"_s),
            config.asInteger(u"Mailport"_s)};
}

bool mailSettingsComplete(const MailSettings& settings) {
    return !settings.mailid.isEmpty() && !settings.smtp.isEmpty() && settings.mailport > 0 &&
           settings.mailport <= kHighestPort;
}

QStringList reminderBody(const QString& objekt, const QString& borrower,
                         const QString& downloadAddress) {
    return {u"Hi! "_s + borrower + u" I hope you liked \""_s + objekt +
                u"\" which you borrowed from me."_s,
            u"It now more than 30 days since that and i just would like to remind you to don't "
            "forget to leave it back during my lifetime. Thanks."_s,
            u" "_s,
            u" Have a nice life"_s,
            u" "_s,
            u"( This E-mail is a result of automatic data processing by the program Hoardly. You "
            "can download Hoardly at "_s +
                downloadAddress + u".)"_s};
}

QString recipientAddress(const QString& recipient) {
    const qsizetype open = recipient.indexOf(u'<');
    if (open >= 0) {
        const qsizetype close = recipient.indexOf(u'>', open + 1);
        return recipient.mid(open + 1, close < 0 ? -1 : close - open - 1);
    }
    const qsizetype colon = recipient.indexOf(u':');
    if (colon >= 0)
        return recipient.mid(colon + 1);
    return recipient;
}

QString rfc5322Date(const QDateTime& when) {
    return QLocale::c().toString(when.date(), u"ddd"_s) + u", "_s + when.toString(Qt::RFC2822Date);
}

bool ReminderMessage::bodyNeedsEncoding() const {
    for (const QString& line : body) {
        if (!isAscii(line))
            return true;
    }
    return false;
}

QStringList ReminderMessage::headerLines() const {
    QStringList lines{u"From: <"_s + sender + u'>', u"To: "_s + recipient,
                      u"Subject: "_s + subject};
    if (!replyTo.isEmpty())
        lines << u"Reply-To: "_s + replyTo;
    lines << u"Date: "_s + date << u"Mime-Version: 1.0"_s;
    const bool encoded = bodyNeedsEncoding();
    lines << u"Content-Type: text/plain;"_s + QString(24, u' ') +
                 (encoded ? u"charset=utf-8"_s : u"charset=us-ascii"_s);
    if (encoded)
        lines << u"Content-Transfer-Encoding: quoted-printable"_s;
    return lines;
}

QByteArray ReminderMessage::data() const {
    QList<QByteArray> lines;
    for (const QString& header : headerLines())
        lines << header.toUtf8();
    lines << QByteArray(); // ends the header
    QStringList bodyLines{QString()};
    bodyLines << physicalLines(body);
    if (bodyNeedsEncoding()) {
        lines << quotedPrintable(bodyLines);
    } else {
        for (const QString& line : std::as_const(bodyLines))
            lines << line.toLatin1();
    }
    return dotStuffed(lines) + '.' + kLineEnd;
}

std::optional<ReminderMessage> composeReminder(const MailSettings& settings,
                                               const ReminderLoan& loan, const QDateTime& now,
                                               const QString& downloadAddress) {
    for (const QString* value : {&settings.mailid, &settings.mailadress, &loan.address}) {
        if (holdsLineBreak(*value))
            return std::nullopt;
    }
    return ReminderMessage{
        settings.mailadress,     loan.address,
        settings.mailadress,     rfc5322Date(now),
        u"I hope you liked.."_s, reminderBody(loan.objekt, loan.borrower, downloadAddress)};
}

QByteArray dotStuffed(const QList<QByteArray>& lines) {
    QByteArray stuffed;
    for (const QByteArray& line : lines) {
        if (line.startsWith('.'))
            stuffed += '.';
        stuffed += line + kLineEnd;
    }
    return stuffed;
}

QList<QByteArray> quotedPrintable(const QStringList& lines) {
    QList<QByteArray> encoded;
    for (const QString& line : lines)
        encoded << quotedPrintableLine(line.toUtf8());
    return encoded;
}

} // namespace hoardly
