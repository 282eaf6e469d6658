#include "ContextFixture.h"
#include "ScriptedSmtpServer.h"
#include "SmtpTestServer.h"
#include "lending/EmailReminders.h"
#include "lending/EpostForm.h"
#include "lending/ReminderSending.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTimeZone>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;
using namespace std::chrono_literals;

namespace {

const QDate kToday(2026, 12, 9);
const QDateTime kNow(kToday, QTime(10, 15, 0), QTimeZone(3600));
const QString kDownload = u"https://hoardly.example.org/download"_s;
const SmtpTimeouts kQuick{2000ms, 300ms};
constexpr int kWaitMs = 15000;

QString text(const char* words) {
    return QString::fromUtf8(words);
}

// Decodes quoted-printable lines back into text, to read a message as its receiver would.
QStringList decodeQuotedPrintable(const QList<QByteArray>& lines) {
    QStringList decoded;
    QByteArray current;
    for (const QByteArray& line : lines) {
        const bool soft = line.endsWith('=');
        const QByteArray body = soft ? line.chopped(1) : line;
        for (qsizetype i = 0; i < body.size(); ++i) {
            if (body[i] == '=' && i + 2 < body.size()) {
                current += QByteArray::fromHex(body.mid(i + 1, 2));
                i += 2;
            } else {
                current += body[i];
            }
        }
        if (!soft) {
            decoded << QString::fromUtf8(current);
            current.clear();
        }
    }
    return decoded;
}

// Counts the progress windows that come up.
class ProgressWindowWatch final : public QObject {
public:
    ProgressWindowWatch() { qApp->installEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<TEpostForm*>(watched))
            ++shown;
        return false;
    }
};

// The progress window as a list of what the sending did to it.
class RecordedProgress final : public ReminderProgress {
public:
    void begin() override { events << u"begin"_s; }
    void setStatus(const QString& status) override { events << u"status "_s + status; }
    void setBar(int value) override { events << u"bar %1"_s.arg(value); }
    void tell(const QString& message) override { events << u"tell "_s + message; }
    void end() override { events << u"end"_s; }
    QStringList events;
};

int liveProgressWindows() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<TEpostForm*>(widget) ? 1 : 0;
    return count;
}

} // namespace

// The reminder scan and the sending of reminders, against a real SMTP server and a scripted
// one, with the progress window and the boxes the user sees.
class TestReminders : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ContextFixture> env;
    std::unique_ptr<QWidget> mainWindow;

    ReminderOptions options() const {
        return {kQuick, [] { return kNow; }, kDownload};
    }

    void setMail(const QString& name, const QString& address, const QString& server, int port) {
        env->setConfig(u"Mailid = '%1', Mailadress = '%2', SMTP = '%3', Mailport = %4"_s
                           .arg(name, address, server)
                           .arg(port));
    }
    void useServer(quint16 port) {
        setMail(u"Anna Berg"_s, u"anna@example.se"_s, u"127.0.0.1"_s, port);
    }
    // A loan lent `daysAgo` days before today, asking for a reminder unless told otherwise.
    void addLoan(const QString& objekt, int daysAgo, const QString& borrower = u"Eva Lind"_s,
                 const QString& address = u"eva@example.se"_s, const QString& sendMail = u"1"_s,
                 const QString& hasSent = u"NULL"_s) {
        addLoanDated(objekt, u"'%1'"_s.arg(kToday.addDays(-daysAgo).toString(Qt::ISODate)),
                     borrower, address, sendMail, hasSent);
    }
    void addLoanDated(const QString& objekt, const QString& date, const QString& borrower,
                      const QString& address, const QString& sendMail = u"1"_s,
                      const QString& hasSent = u"NULL"_s) {
        env->catalogue.exec(u"borrow.db"_s,
                            u"INSERT INTO Borrow (Objektyp, Objekt, \"Utlanad till\", \"E-post\", "
                            "\"Utlanad datum\", Send_mail, Has_sent) VALUES ('Film', ?1, ?2, ?3, "
                            "%1, %2, %3)"_s.arg(date, sendMail, hasSent)
                                .replace(u"?1"_s, quoted(objekt))
                                .replace(u"?2"_s, quoted(borrower))
                                .replace(u"?3"_s, quoted(address)));
    }
    static QString quoted(QString value) { return u'\'' + value.replace(u'\'', u"''"_s) + u'\''; }
    QString hasSent(const QString& objekt) {
        return env->catalogue.scalar(u"borrow.db"_s, u"SELECT ifnull(Has_sent, 'NULL') FROM Borrow "
                                                     "WHERE Objekt = %1"_s.arg(quoted(objekt)));
    }

    // One scan of a run, from its start to its last sending's end.
    std::unique_ptr<EmailReminders> makeReminders() {
        auto reminders =
            std::make_unique<EmailReminders>(env->context, mainWindow.get(), options());
        reminders->setToday([] { return kToday; });
        return reminders;
    }
    void scan() {
        const auto reminders = makeReminders();
        QSignalSpy finished(reminders.get(), &EmailReminders::scanFinished);
        reminders->scan();
        QVERIFY(finished.size() == 1 || finished.wait(kWaitMs));
        QCOMPARE(finished.size(), 1);
        QVERIFY(!reminders->scanning());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(liveProgressWindows(), 0);
        QVERIFY(mainWindow->isEnabled());
    }
    void expectBoxes(const QStringList& texts) {
        QStringList shown;
        for (const Box& box : env->dialogs.boxes()) {
            QCOMPARE(box.kind, BoxKind::Plain);
            QCOMPARE(box.caption, u"Hoardly"_s);
            shown << box.text;
        }
        QCOMPARE(shown, texts);
    }
    void answerBoxes(int count) {
        for (int i = 0; i < count; ++i)
            env->dialogs.answer(Answer::Ok);
    }

private slots:
    void init() {
        env = std::make_unique<test::ContextFixture>();
        mainWindow = std::make_unique<QWidget>();
        mainWindow->show();
    }
    void cleanup() {
        HOARDLY_VERIFY_DIALOGS(env->dialogs);
        mainWindow.reset();
        env.reset();
    }

    void oneDueLoanGetsOneMessage() {
        test::SmtpTestServer server;
        QVERIFY2(server.isRunning(), qPrintable(server.error()));
        useServer(server.port());
        addLoan(u"Alien"_s, 45);
        ProgressWindowWatch watch;
        scan();
        QCOMPARE(watch.shown, 1);
        expectBoxes({});
        const QList<test::ReceivedMail> mails = server.messages();
        QCOMPARE(mails.size(), 1);
        const test::ReceivedMail& mail = mails[0];
        QCOMPARE(mail.helo, u"Anna Berg"_s);
        QCOMPARE(mail.mailFrom, u"anna@example.se"_s);
        QCOMPARE(mail.rcptTos, QStringList{u"eva@example.se"_s});
        QCOMPARE(mail.headerLines(),
                 (QList<QByteArray>{
                     "From: <anna@example.se>", "To: eva@example.se", "Subject: I hope you liked..",
                     "Reply-To: anna@example.se", "Date: Wed, 09 Dec 2026 10:15:00 +0100",
                     "Mime-Version: 1.0",
                     "Content-Type: text/plain;                        charset=us-ascii"}));
        QCOMPARE(mail.bodyLines(),
                 (QList<QByteArray>{
                     "", "Hi! Eva Lind I hope you liked \"Alien\" which you borrowed from me.",
                     "It now more than 30 days since that and i just would like to remind you to "
                     "don't forget to leave it back during my lifetime. Thanks.",
                     " ", " Have a nice life", " ",
                     "( This E-mail is a result of automatic data processing by the program "
                     "Hoardly. You can download Hoardly at "
                     "https://hoardly.example.org/download.)"}));
        QCOMPARE(hasSent(u"Alien"_s), u"1"_s);
    }

    void thirtyDaysAreRemindedTwentyNineNot() {
        test::SmtpTestServer server;
        QVERIFY2(server.isRunning(), qPrintable(server.error()));
        useServer(server.port());
        addLoan(u"Twenty-nine"_s, 29);
        addLoan(u"Thirty"_s, 30);
        scan();
        const QList<test::ReceivedMail> mails = server.messages();
        QCOMPARE(mails.size(), 1);
        QVERIFY(mails[0].bodyLines()[1].contains("\"Thirty\""));
        QCOMPARE(hasSent(u"Thirty"_s), u"1"_s);
        QCOMPARE(hasSent(u"Twenty-nine"_s), u"NULL"_s);
    }

    void twoDueLoansGiveTwoMessagesInOrder() {
        test::SmtpTestServer server;
        QVERIFY2(server.isRunning(), qPrintable(server.error()));
        useServer(server.port());
        addLoan(u"Alien"_s, 40, u"Eva Lind"_s, u"eva@example.se"_s);
        addLoan(u"Brazil"_s, 400, u"Per Holm"_s, u"per@example.se"_s);
        ProgressWindowWatch watch;
        scan();
        QCOMPARE(watch.shown, 2); // a fresh window for each
        const QList<test::ReceivedMail> mails = server.messages();
        QCOMPARE(mails.size(), 2);
        QCOMPARE(mails[0].rcptTos, QStringList{u"eva@example.se"_s});
        QVERIFY(mails[0].bodyLines()[1].startsWith("Hi! Eva Lind I hope you liked \"Alien\""));
        QCOMPARE(mails[1].rcptTos, QStringList{u"per@example.se"_s});
        QVERIFY(mails[1].bodyLines()[1].startsWith("Hi! Per Holm I hope you liked \"Brazil\""));
    }

    void switchedOffAndAlreadySentLoansAreNeverReminded() {
        test::ScriptedSmtpServer server;
        useServer(server.port());
        addLoan(u"Switched off"_s, 900, u"Eva Lind"_s, u"eva@example.se"_s, u"0"_s, u"0"_s);
        addLoan(u"Never asked"_s, 900, u"Eva Lind"_s, u"eva@example.se"_s, u"NULL"_s);
        addLoan(u"Sent"_s, 900, u"Eva Lind"_s, u"eva@example.se"_s, u"1"_s, u"1"_s);
        ProgressWindowWatch watch;
        scan();
        QCOMPARE(watch.shown, 0);
        QCOMPARE(server.connections(), 0);
        expectBoxes({});
    }

    void aFailedSendingIsNotRepeated() {
        useServer(test::freeLocalPort()); // nobody listens
        addLoan(u"Alien"_s, 31);
        answerBoxes(2);
        scan();
        expectBoxes({text(reminderText::kNoContact), text(reminderText::kSendingFailed)});
        QCOMPARE(hasSent(u"Alien"_s), u"1"_s);
        // The next start finds nothing to send.
        env->dialogs.reset();
        ProgressWindowWatch watch;
        scan();
        QCOMPARE(watch.shown, 0);
        expectBoxes({});
    }

    void aRealServerThatRefusesTheRecipient() {
        test::SmtpTestServer server;
        QVERIFY2(server.isRunning(), qPrintable(server.error()));
        useServer(server.port());
        addLoan(u"Alien"_s, 31, u"Eva Lind"_s, u"refused@example.se"_s);
        answerBoxes(1);
        scan();
        expectBoxes({text(reminderText::kSendingFailed)});
        QVERIFY(server.messages().isEmpty());
        QCOMPARE(hasSent(u"Alien"_s), u"1"_s);
    }

    void aServerThatClosesAfterTheGreeting() {
        test::ScriptedSmtpServer server;
        server.hangUpAt({});
        useServer(server.port());
        addLoan(u"Alien"_s, 31);
        answerBoxes(1);
        scan();
        expectBoxes({text(reminderText::kSendingFailed)});
        QCOMPARE(server.connections(), 1);
    }

    void aServerThatNeverAnswersTimesOut() {
        test::ScriptedSmtpServer server;
        server.setGreeting({});
        useServer(server.port());
        addLoan(u"Alien"_s, 31);
        addLoan(u"Brazil"_s, 31);
        answerBoxes(2);
        QElapsedTimer clock;
        clock.start();
        scan();
        // Each sending waits its limit, then the scan goes on with the next loan.
        QVERIFY(clock.elapsed() >= 2 * kQuick.reply.count() - 20);
        expectBoxes({text(reminderText::kSendingFailed), text(reminderText::kSendingFailed)});
        QCOMPARE(server.connections(), 2);
        QCOMPARE(hasSent(u"Brazil"_s), u"1"_s);
    }

    void aServerThatRefusesTheMessage() {
        test::ScriptedSmtpServer server;
        server.setReply(".", "554 Looks like spam\r\n");
        useServer(server.port());
        addLoan(u"Alien"_s, 31);
        answerBoxes(2);
        scan();
        expectBoxes({text(reminderText::kOperationFailed), text(reminderText::kSendingFailed)});
    }

    void incompleteSettingsSendNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("smtp");
        QTest::addColumn<int>("port");
        QTest::newRow("no name") << QString() << u"127.0.0.1"_s << 25;
        QTest::newRow("no server") << u"Anna Berg"_s << QString() << 25;
        QTest::newRow("port out of range") << u"Anna Berg"_s << u"127.0.0.1"_s << 65561;
    }
    void incompleteSettingsSendNothing() {
        QFETCH(QString, name);
        QFETCH(QString, smtp);
        QFETCH(int, port);
        test::ScriptedSmtpServer server;
        setMail(name, u"anna@example.se"_s, smtp, port);
        addLoan(u"Alien"_s, 31);
        answerBoxes(1);
        ProgressWindowWatch watch;
        scan();
        QCOMPARE(watch.shown, 1);
        expectBoxes({text(reminderText::kIncompleteSettings)});
        QCOMPARE(hasSent(u"Alien"_s), u"1"_s); // marked all the same
        QCOMPARE(server.connections(), 0);
    }

    void aBorrowerBeyondAsciiGetsUtf8() {
        test::SmtpTestServer server;
        QVERIFY2(server.isRunning(), qPrintable(server.error()));
        useServer(server.port());
        addLoan(u"Ronja Rövardotter"_s, 31, u"Åsa Öberg"_s, u"asa@example.se"_s);
        scan();
        const QList<test::ReceivedMail> mails = server.messages();
        QCOMPARE(mails.size(), 1);
        const QList<QByteArray> headers = mails[0].headerLines();
        QCOMPARE(headers.size(), 8);
        QCOMPARE(headers[6], "Content-Type: text/plain;                        charset=utf-8");
        QCOMPARE(headers[7], "Content-Transfer-Encoding: quoted-printable");
        for (const char byte : mails[0].data)
            QVERIFY(static_cast<unsigned char>(byte) < 0x80);
        const QStringList body = decodeQuotedPrintable(mails[0].bodyLines());
        QCOMPARE(body.size(), 7);
        QCOMPARE(body[0], QString());
        QCOMPARE(body[1],
                 u"Hi! Åsa Öberg I hope you liked \"Ronja Rövardotter\" which you borrowed from "
                 "me."_s);
        QCOMPARE(body[3], u" "_s);
        QCOMPARE(body[4], u" Have a nice life"_s);
    }

    void aBodyLineBeginningWithADotArrivesWhole() {
        test::SmtpTestServer server;
        QVERIFY2(server.isRunning(), qPrintable(server.error()));
        useServer(server.port());
        // An object named over lines, one of them a lone dot that would otherwise end the data.
        addLoan(u"The End\n.\n.Director's cut"_s, 31);
        scan();
        const QList<test::ReceivedMail> mails = server.messages();
        QCOMPARE(mails.size(), 1);
        const QList<QByteArray> body = mails[0].bodyLines();
        QCOMPARE(body.size(), 9);
        QCOMPARE(body[1], "Hi! Eva Lind I hope you liked \"The End");
        QCOMPARE(body[2], ".");
        QCOMPARE(body[3], ".Director's cut\" which you borrowed from me.");
        QVERIFY(body[8].startsWith("( This E-mail is a result"));
    }

    void aLoanWhoseDateCannotBeReadIsSkippedAndNamed() {
        test::SmtpTestServer server;
        QVERIFY2(server.isRunning(), qPrintable(server.error()));
        useServer(server.port());
        addLoanDated(u"Broken"_s, u"'sometime'"_s, u"Bo Ek"_s, u"bo@example.se"_s);
        addLoan(u"Alien"_s, 31);
        addLoanDated(u"Undated"_s, u"NULL"_s, u"Al Ek"_s, u"al@example.se"_s);
        answerBoxes(1);
        scan();
        // The loans after the broken one are reminded all the same; the message comes last.
        QCOMPARE(server.messages().size(), 1);
        expectBoxes({u"No reminder was sent for these loans, since their lending date cannot be "
                     "read:\n\"Broken\" lent to Bo Ek\n\"Undated\" lent to Al Ek"_s});
        QCOMPARE(hasSent(u"Broken"_s), u"NULL"_s);
        QCOMPARE(hasSent(u"Alien"_s), u"1"_s);
    }

    void aLineBreakInTheAddressIsRefused() {
        test::ScriptedSmtpServer server;
        useServer(server.port());
        addLoan(u"Alien"_s, 31, u"Eva Lind"_s, u"eva@example.se\r\nRCPT TO:<all@example.se>"_s);
        answerBoxes(1);
        scan();
        expectBoxes({u"The reminder about \"Alien\" was not sent: an E-mail address or a name "
                     "holds a line break. Check out your Internetsettings in "
                     "mainmenu/properties."_s});
        QCOMPARE(server.connections(), 0);
    }

    void theProgressWindowFollowsTheSending_data() {
        QTest::addColumn<int>("server");    // 0: willing, 1: none, 2: refuses the message
        QTest::addColumn<bool>("complete"); // the settings
        QTest::addColumn<QStringList>("events");
        const QStringList opening{u"begin"_s, u"status "_s + text(reminderText::kPreparing),
                                  u"bar 0"_s, u"bar 10"_s};
        const QStringList connecting{u"status "_s + text(reminderText::kConnecting), u"bar 50"_s};
        const QStringList closing{u"status "_s + text(reminderText::kFinished), u"end"_s};
        QTest::newRow("sent") << 0 << true
                              << opening + connecting +
                                     QStringList{u"status "_s + text(reminderText::kConnected),
                                                 u"bar 90"_s, u"bar 100"_s} +
                                     closing;
        QTest::newRow("no contact")
            << 1 << true
            << opening + connecting +
                   QStringList{u"tell "_s + text(reminderText::kNoContact),
                               u"tell "_s + text(reminderText::kSendingFailed)} +
                   closing;
        QTest::newRow("message refused")
            << 2 << true
            << opening + connecting +
                   QStringList{u"status "_s + text(reminderText::kConnected),
                               u"tell "_s + text(reminderText::kOperationFailed),
                               u"tell "_s + text(reminderText::kSendingFailed)} +
                   closing;
        QTest::newRow("incomplete settings")
            << 0 << false
            << opening + QStringList{u"tell "_s + text(reminderText::kIncompleteSettings)} +
                   closing;
    }
    void theProgressWindowFollowsTheSending() {
        QFETCH(int, server);
        QFETCH(bool, complete);
        QFETCH(QStringList, events);
        test::ScriptedSmtpServer scripted;
        if (server == 2)
            scripted.setReply(".", "554 no\r\n");
        const quint16 port = server == 1 ? test::freeLocalPort() : scripted.port();
        setMail(complete ? u"Anna Berg"_s : QString(), u"anna@example.se"_s, u"127.0.0.1"_s, port);
        RecordedProgress progress;
        ReminderSending sending(env->tdm.configTb(), progress, options());
        QSignalSpy finished(&sending, &ReminderSending::finished);
        sending.start({1, u"Alien"_s, u"Eva Lind"_s, u"eva@example.se"_s});
        QVERIFY(finished.wait(kWaitMs));
        QCOMPARE(progress.events, events);
        QCOMPARE(sending.outcome() == SmtpOutcome::Sent, server == 0 && complete);
    }

    void theProgressWindow() {
        auto* window = new TEpostForm(env->dialogs, mainWindow.get());
        QPointer<TEpostForm> alive(window);
        QCOMPARE(window->windowTitle(), u"Reminders by E-mail"_s);
        QCOMPARE(window->statusText(), u"Initial phase..........."_s);
        const auto* bar = window->findChild<QProgressBar*>(u"ProgressBar"_s);
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 100);
        QVERIFY(!window->findChild<QLabel*>(u"Picture"_s)->pixmap().isNull());
        QVERIFY(!(window->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(window->parentWidget() == nullptr); // so disabling the main window spares it

        window->begin();
        QVERIFY(window->isVisible());
        QVERIFY(!mainWindow->isEnabled());
        QVERIFY(window->isEnabled());
        QCOMPARE(window->cursor().shape(), Qt::WaitCursor);
        window->setStatus(text(reminderText::kConnecting));
        window->setBar(50);
        QCOMPARE(window->statusText(), text(reminderText::kConnecting));
        QCOMPARE(window->barValue(), 50);
        // The user cannot close it.
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        env->dialogs.answer(Answer::Ok);
        window->tell(u"Something"_s);
        env->dialogs.expectLastBox(BoxKind::Plain, u"Hoardly"_s, u"Something"_s);

        window->end();
        QVERIFY(mainWindow->isEnabled());
        QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(alive.isNull());
    }

    void theMainWindowIsDisabledWhileAReminderGoes() {
        test::ScriptedSmtpServer server;
        server.setReplyDelay(60);
        useServer(server.port());
        addLoan(u"Alien"_s, 31);
        const auto reminders = makeReminders();
        QSignalSpy finished(reminders.get(), &EmailReminders::scanFinished);
        reminders->scan();
        // The scan has returned; the sending goes on from the event loop.
        QVERIFY(reminders->scanning());
        QPointer<TEpostForm> window = reminders->progressWindow();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(!mainWindow->isEnabled());
        QCOMPARE(window->cursor().shape(), Qt::WaitCursor);
        QTRY_COMPARE(window->statusText(), text(reminderText::kConnected));
        QVERIFY(!mainWindow->isEnabled());
        QVERIFY(finished.wait(kWaitMs));
        QVERIFY(mainWindow->isEnabled());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
    }

    void aSecondScanWhileOneRunsDoesNothing() {
        test::ScriptedSmtpServer server;
        server.setReplyDelay(30);
        useServer(server.port());
        addLoan(u"Alien"_s, 31);
        const auto reminders = makeReminders();
        QSignalSpy finished(reminders.get(), &EmailReminders::scanFinished);
        reminders->scan();
        reminders->scan();
        QVERIFY(finished.wait(kWaitMs));
        QTest::qWait(50);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(server.connections(), 1);
    }
};

QTEST_MAIN(TestReminders)
#include "test_reminders.moc"
