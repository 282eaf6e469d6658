#include "TempCatalogue.h"
#include "data/TDM.h"
#include "lending/ReminderMail.h"
#include "lending/ReminderScan.h"
#include "lending/SmtpReply.h"

#include <QTimeZone>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

const QString kDownload = u"https://hoardly.example.org/download"_s;
const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 15, 0), QTimeZone(3600));

MailSettings settings() {
    return {u"Anna Berg"_s, u"anna@example.se"_s, u"smtp.example.se"_s, 25};
}

ReminderLoan loan(const QString& objekt = u"Alien"_s, const QString& borrower = u"Eva Lind"_s) {
    return {1, objekt, borrower, u"eva@example.se"_s};
}

QList<QByteArray> wireLines(const QByteArray& data) {
    QList<QByteArray> lines = data.split('\n');
    lines.removeLast(); // after the last CR LF
    for (QByteArray& line : lines) {
        if (!line.endsWith('\r'))
            qFatal("a line without CR LF: %s", line.constData());
        line.chop(1);
    }
    return lines;
}

SmtpReply onlyReply(const QByteArray& bytes) {
    SmtpReplyReader reader;
    reader.feed(bytes);
    const auto reply = reader.takeReply();
    if (!reply || reader.takeReply())
        qFatal("not exactly one reply in %s", bytes.constData());
    return *reply;
}

} // namespace

// The reminder message, the address rule, the reply reader and the rule that picks the due
// loans: everything of the reminders that needs neither a window nor a network.
class TestReminderMail : public QObject {
    Q_OBJECT

private slots:
    void theBodyHasItsSixLines() {
        const QStringList body = reminderBody(u"Alien"_s, u"Eva Lind"_s, kDownload);
        QCOMPARE(
            body,
            (QStringList{
                u"Hi! Eva Lind I hope you liked \"Alien\" which you borrowed from me."_s,
                u"It now more than 30 days since that and i just would like to remind you "
                "to don't forget to leave it back during my lifetime. Thanks."_s,
                u" "_s, u" Have a nice life"_s, u" "_s,
                u"( This E-mail is a result of automatic data processing by the program "
                "Hoardly. You can download Hoardly at https://hoardly.example.org/download.)"_s}));
        // The borrower is named as the loan stores him, with the blank of an empty first name.
        QVERIFY(reminderBody(u"Alien"_s, u" Lind"_s, kDownload)[0].startsWith(u"Hi!  Lind I"_s));
    }

    void theHeaderLinesComeInTheirOrder() {
        const auto message = composeReminder(settings(), loan(), kNow, kDownload);
        QVERIFY(message);
        QCOMPARE(message->headerLines(),
                 (QStringList{u"From: <anna@example.se>"_s, u"To: eva@example.se"_s,
                              u"Subject: I hope you liked.."_s, u"Reply-To: anna@example.se"_s,
                              u"Date: Wed, 09 Dec 2026 10:15:00 +0100"_s, u"Mime-Version: 1.0"_s,
                              u"Content-Type: text/plain;                        "
                              "charset=us-ascii"_s}));
        // Without the user's address there is no Reply-To line; From still has its brackets.
        MailSettings noAddress = settings();
        noAddress.mailadress.clear();
        const QStringList headers =
            composeReminder(noAddress, loan(), kNow, kDownload)->headerLines();
        QCOMPARE(headers.size(), 6);
        QCOMPARE(headers[0], u"From: <>"_s);
        QCOMPARE(headers[3], u"Date: Wed, 09 Dec 2026 10:15:00 +0100"_s);
        // The recipient text goes to "To:" exactly as the loan holds it.
        ReminderLoan named = loan();
        named.address = u"Eva Lind <eva@example.se>"_s;
        QCOMPARE(composeReminder(settings(), named, kNow, kDownload)->headerLines()[1],
                 u"To: Eva Lind <eva@example.se>"_s);
    }

    void theDataIsTheHeaderAnEmptyLineAndTheBody() {
        const auto message = composeReminder(settings(), loan(), kNow, kDownload);
        const QList<QByteArray> lines = wireLines(message->data());
        QCOMPARE(lines.size(), 7 + 2 + 6 + 1);
        QCOMPARE(lines[6], "Content-Type: text/plain;                        charset=us-ascii");
        QCOMPARE(lines[7], QByteArray()); // ends the header
        QCOMPARE(lines[8], QByteArray()); // the body begins with an empty line
        QCOMPARE(lines[9], "Hi! Eva Lind I hope you liked \"Alien\" which you borrowed from me.");
        QCOMPARE(lines[11], " ");
        QCOMPARE(lines[12], " Have a nice life");
        QCOMPARE(lines.last(), ".");
        QVERIFY(message->data().endsWith("Have a nice life\r\n \r\n( This E-mail is a result of "
                                         "automatic data processing by the program Hoardly. You "
                                         "can download Hoardly at "
                                         "https://hoardly.example.org/download.)\r\n.\r\n"));
    }

    void theDateIsInEnglishWhateverTheLanguage() {
        QCOMPARE(rfc5322Date(kNow), u"Wed, 09 Dec 2026 10:15:00 +0100"_s);
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
        const QString swedish =
            rfc5322Date(QDateTime(QDate(2027, 5, 2), QTime(7, 5, 9), QTimeZone(-5 * 3600 - 1800)));
        QLocale::setDefault(before);
        QCOMPARE(swedish, u"Sun, 02 May 2027 07:05:09 -0530"_s);
    }

    void linesBeginningWithADotGetOneMore() {
        QCOMPARE(dotStuffed({".", "..x", "a.b", "", " ."}), "..\r\n...x\r\na.b\r\n\r\n .\r\n");
        // An object named over two lines, the second a lone dot: it must not end the data.
        const auto message =
            composeReminder(settings(), loan(u"The End\n.\r\n.Director's cut"_s), kNow, kDownload);
        const QList<QByteArray> lines = wireLines(message->data());
        QCOMPARE(lines[9], "Hi! Eva Lind I hope you liked \"The End");
        QCOMPARE(lines[10], "..");
        QCOMPARE(lines[11], "..Director's cut\" which you borrowed from me.");
        QCOMPARE(lines.count("."), 1);
        QCOMPARE(lines.last(), ".");
        QVERIFY(!message->data().contains("\r\n.\r\n\r\n"));
        QCOMPARE(message->data().count('\n'), message->data().count("\r\n"));
    }

    void aBodyBeyondAsciiGoesAsQuotedPrintableUtf8() {
        const auto message = composeReminder(
            settings(), loan(u"Ronja Rövardotter"_s, u"Åsa Öberg"_s), kNow, kDownload);
        QVERIFY(message->bodyNeedsEncoding());
        const QStringList headers = message->headerLines();
        QCOMPARE(headers.size(), 8);
        QCOMPARE(headers[6], u"Content-Type: text/plain;                        charset=utf-8"_s);
        QCOMPARE(headers[7], u"Content-Transfer-Encoding: quoted-printable"_s);
        const QList<QByteArray> lines = wireLines(message->data());
        QCOMPARE(lines[9], QByteArray());
        // 76 characters with the soft break's "=".
        QCOMPARE(lines[10], "Hi! =C3=85sa =C3=96berg I hope you liked \"Ronja R=C3=B6vardotter\" "
                            "which you=");
        QCOMPARE(lines[11], " borrowed from me.");
        // The lone blanks are encoded, so no line ends in white space.
        QVERIFY(lines.contains("=20"));
        for (const QByteArray& line : lines) {
            QVERIFY2(line.size() <= 76, line.constData());
            QVERIFY(!line.endsWith(' '));
            for (const char byte : line)
                QVERIFY(static_cast<unsigned char>(byte) < 0x80);
        }
        // An ASCII body is sent as given.
        QVERIFY(!composeReminder(settings(), loan(), kNow, kDownload)->bodyNeedsEncoding());
    }

    void quotedPrintableEncodesWhatItMust() {
        QCOMPARE(quotedPrintable({u"a=b"_s}), (QList<QByteArray>{"a=3Db"}));
        QCOMPARE(quotedPrintable({u"end \t"_s}), (QList<QByteArray>{"end =09"}));
        QCOMPARE(quotedPrintable({u"tab\tin"_s}), (QList<QByteArray>{"tab\tin"}));
        QCOMPARE(quotedPrintable({u"é"_s}), (QList<QByteArray>{"=C3=A9"}));
        // A long line is broken softly, never inside an encoded character.
        const QList<QByteArray> broken = quotedPrintable({QString(80, u'x') + u"ö"_s});
        QCOMPARE(broken.size(), 2);
        QCOMPARE(broken[0], QByteArray(75, 'x') + '=');
        QCOMPARE(broken[1], "xxxxx=C3=B6");
        const QList<QByteArray> atEdge = quotedPrintable({QString(74, u'x') + u"ö"_s});
        QCOMPARE(atEdge[0], QByteArray(74, 'x') + '=');
        QCOMPARE(atEdge[1], "=C3=B6");
    }

    void aLineBreakInANameOrAddressIsRefused() {
        QVERIFY(composeReminder(settings(), loan(), kNow, kDownload));
        MailSettings name = settings();
        name.mailid = u"Anna\r\nRSET"_s;
        QVERIFY(!composeReminder(name, loan(), kNow, kDownload));
        MailSettings sender = settings();
        sender.mailadress = u"anna@example.se\nBcc: all@example.se"_s;
        QVERIFY(!composeReminder(sender, loan(), kNow, kDownload));
        ReminderLoan recipient = loan();
        recipient.address = u"eva@example.se\rX-Spam: no"_s;
        QVERIFY(!composeReminder(settings(), recipient, kNow, kDownload));
    }

    void theRecipientAddressRule_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("address");
        QTest::newRow("plain") << u"eva@example.se"_s << u"eva@example.se"_s;
        QTest::newRow("in brackets") << u"Eva Lind <eva@example.se>"_s << u"eva@example.se"_s;
        QTest::newRow("no closing bracket") << u"Eva <eva@example.se"_s << u"eva@example.se"_s;
        QTest::newRow("after a colon") << u"mailto:eva@example.se"_s << u"eva@example.se"_s;
        QTest::newRow("bracket before colon") << u"to: x <eva@example.se>"_s << u"eva@example.se"_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void theRecipientAddressRule() {
        QFETCH(QString, text);
        QFETCH(QString, address);
        QCOMPARE(recipientAddress(text), address);
    }

    void completeSettingsNeedANameAServerAndAPort() {
        QVERIFY(mailSettingsComplete(settings()));
        MailSettings noSender = settings();
        noSender.mailadress.clear();
        QVERIFY(mailSettingsComplete(noSender));
        for (auto change :
             {+[](MailSettings& s) { s.mailid.clear(); }, +[](MailSettings& s) { s.smtp.clear(); },
              +[](MailSettings& s) { s.mailport = 0; },
              +[](MailSettings& s) { s.mailport = 65536; }}) {
            MailSettings changed = settings();
            change(changed);
            QVERIFY(!mailSettingsComplete(changed));
        }
        MailSettings highest = settings();
        highest.mailport = 65535;
        QVERIFY(mailSettingsComplete(highest));
    }

    void repliesAreReadWithTheirContinuationLines() {
        SmtpReplyReader reader;
        reader.feed("220-smtp.example.se ESMTP\r\n220-more about it\r\n");
        QVERIFY(!reader.takeReply());
        reader.feed(" indented, still the greeting\r\n220 ready\r");
        QVERIFY(!reader.takeReply());
        reader.feed("\n250 OK\n");
        const auto greeting = reader.takeReply();
        QVERIFY(greeting);
        QCOMPARE(greeting->code, 220);
        QCOMPARE(greeting->lines.size(), 4);
        QCOMPARE(greeting->lines[2], " indented, still the greeting");
        const auto next = reader.takeReply();
        QVERIFY(next);
        QCOMPARE(next->code, 250);
        QCOMPARE(next->lines, QList<QByteArray>{"250 OK"});
        QVERIFY(!reader.takeReply());
        QVERIFY(!reader.overflowed());
    }

    void theCodeIsTheLeadingDigits() {
        QCOMPARE(onlyReply("354 go ahead\r\n").code, 354);
        QCOMPARE(onlyReply("250\r\n").code, 250);
        QCOMPARE(onlyReply("25 short\r\n").code, 25);
        QCOMPARE(onlyReply("2500 long\r\n").code, 2500);
        QCOMPARE(onlyReply("99999999999999 huge\r\n").code, std::numeric_limits<int>::max());
        const SmtpReply none = onlyReply("hello there\r\n");
        QCOMPARE(none.code, -1);
        QVERIFY(none.refused(400));
        QVERIFY(onlyReply("399 x\r\n").refused(300));
        QVERIFY(!onlyReply("299 x\r\n").refused(300));
        QVERIFY(onlyReply("400 x\r\n").refused(400));
        QVERIFY(!onlyReply("399 x\r\n").refused(400));
    }

    void aReplyWithoutEndOverflows() {
        SmtpReplyReader endless;
        endless.feed(QByteArray(5000, 'x'));
        QVERIFY(endless.overflowed());
        SmtpReplyReader manyLines;
        for (int i = 0; i < 1001; ++i)
            manyLines.feed("250-more\r\n");
        QVERIFY(manyLines.overflowed());
        QVERIFY(!manyLines.takeReply());
    }

    void aReminderIsDueFromTheThirtiethDay() {
        const QDate today(2024, 3, 9);
        QVERIFY(reminderDue(today.addDays(-30), today));
        QVERIFY(reminderDue(today.addDays(-400), today));
        QVERIFY(!reminderDue(today.addDays(-29), today));
        QVERIFY(!reminderDue(today.addDays(3), today));
        QVERIFY(!reminderDue(QDate(), today));
    }

    void theScanPicksTheDueLoansInKeyOrder() {
        test::TempCatalogue catalogue;
        // Bid, object, date, Send_mail, Has_sent
        catalogue.exec(u"borrow.db"_s,
                       u"INSERT INTO Borrow (Objekt, \"Utlanad till\", \"E-post\", "
                       "\"Utlanad datum\", Send_mail, Has_sent) VALUES "
                       "('Due', 'Eva Lind', 'eva@example.se', '2024-02-08', 1, NULL),"
                       "('Young', 'Per Holm', 'per@example.se', '2024-02-09', 1, 0),"
                       "('Off', 'Ola Ek', 'ola@example.se', '2020-01-01', 0, 0),"
                       "('Sent', 'Ida Ek', 'ida@example.se', '2020-01-01', 1, 1),"
                       "('Broken', 'Bo Ek', 'bo@example.se', 'last spring', 1, 0),"
                       "('Undated', 'Al Ek', 'al@example.se', NULL, 1, 0),"
                       "('Broken but off', 'Bo Ek', 'bo@example.se', 'garbage', 0, 0),"
                       "('Old', ' Holm', 'holm@example.se', '2023-01-01', 1, 0)"_s);
        TDM tdm;
        tdm.setDirectoryOfClosed(catalogue.path());
        Table& borrow = tdm.borrowTb();
        borrow.open();
        const DueReminders found = findDueReminders(borrow, QDate(2024, 3, 9));
        QStringList due;
        for (const ReminderLoan& loan : found.due)
            due << u"%1 %2 %3 %4"_s.arg(loan.bid).arg(loan.objekt, loan.borrower, loan.address);
        QCOMPARE(due, (QStringList{u"1 Due Eva Lind eva@example.se"_s,
                                   u"8 Old  Holm holm@example.se"_s}));
        QStringList unreadable;
        for (const ReminderLoan& loan : found.unreadable)
            unreadable << loan.objekt;
        QCOMPARE(unreadable, (QStringList{u"Broken"_s, u"Undated"_s}));
        QCOMPARE(unreadableDatesMessage(found.unreadable),
                 u"No reminder was sent for these loans, since their lending date cannot be "
                 "read:\n\"Broken\" lent to Bo Ek\n\"Undated\" lent to Al Ek"_s);

        // Marking writes Has_sent to the file, once.
        QVERIFY(markReminderSent(borrow, 8));
        QCOMPARE(catalogue.scalar(u"borrow.db"_s, u"SELECT Has_sent FROM Borrow WHERE Bid = 8"_s),
                 u"1"_s);
        QVERIFY(!markReminderSent(borrow, 8));
        QVERIFY(!markReminderSent(borrow, 3));  // switched off
        QVERIFY(!markReminderSent(borrow, 99)); // gone
        QCOMPARE(findDueReminders(borrow, QDate(2024, 3, 9)).due.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestReminderMail)
#include "test_reminder_mail.moc"
