#include "ScriptedSmtpServer.h"
#include "SmtpTestServer.h"
#include "lending/ReminderMail.h"
#include "lending/SmtpExchange.h"

#include <QSignalSpy>
#include <QTimeZone>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace hoardly;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(hoardly::SmtpStep)
Q_DECLARE_METATYPE(hoardly::SmtpOutcome)

namespace {

// Short limits: a test that waits for a time-out waits a fraction of a second.
const SmtpTimeouts kQuick{2000ms, 300ms};
constexpr int kWaitMs = 10000;

QByteArray testMessage() {
    const MailSettings settings{u"Anna Berg"_s, u"anna@example.se"_s, u"127.0.0.1"_s, 25};
    const ReminderLoan loan{1, u"Alien"_s, u"Eva Lind"_s, u"Eva Lind <eva@example.se>"_s};
    const QDateTime now(QDate(2026, 12, 9), QTime(10, 15), QTimeZone(3600));
    return composeReminder(settings, loan, now, u"https://hoardly.example.org/download"_s)->data();
}

SmtpEnvelope envelopeFor(quint16 port) {
    return {
        u"127.0.0.1"_s, port, u"Anna Berg"_s, u"anna@example.se"_s, u"Eva Lind <eva@example.se>"_s,
        testMessage()};
}

// The exchange from its start to its end, with what it signalled on the way.
struct Run {
    SmtpOutcome outcome = SmtpOutcome::Running;
    SmtpStep step = SmtpStep::Connect;
    QString failure;
    int greeted = 0;
    int accepted = 0;
};

Run exchange(quint16 port, SmtpTimeouts timeouts = kQuick) {
    SmtpExchange exchange(timeouts);
    Run run;
    QObject::connect(&exchange, &SmtpExchange::greeted, &exchange, [&] { ++run.greeted; });
    QObject::connect(&exchange, &SmtpExchange::messageAccepted, &exchange, [&] { ++run.accepted; });
    QSignalSpy finished(&exchange, &SmtpExchange::finished);
    exchange.start(envelopeFor(port));
    if (exchange.outcome() != SmtpOutcome::Running)
        qFatal("the exchange ended inside start()");
    if (!finished.wait(kWaitMs))
        qFatal("the exchange never finished");
    run.outcome = exchange.outcome();
    run.step = exchange.step();
    run.failure = exchange.failure();
    QTest::qWait(20); // let the server see the end of the connection
    if (finished.size() != 1)
        qFatal("finished more than once");
    return run;
}

const QList<QByteArray> kAllCommands{
    "HELO Anna Berg",           "RSET", "MAIL FROM:<anna@example.se>",
    "RCPT TO:<eva@example.se>", "DATA", "QUIT"};

} // namespace

// The mail transfer against a real SMTP server and against a scripted one that misbehaves
// on request.
class TestSmtpExchange : public QObject {
    Q_OBJECT

private slots:
    void aRealServerReceivesTheMessage() {
        test::SmtpTestServer server;
        QVERIFY2(server.isRunning(), qPrintable(server.error()));
        const Run run = exchange(server.port());
        QCOMPARE(run.outcome, SmtpOutcome::Sent);
        QCOMPARE(run.step, SmtpStep::Done);
        QVERIFY(run.failure.isEmpty());
        QCOMPARE(run.greeted, 1);
        QCOMPARE(run.accepted, 1);
        const QList<test::ReceivedMail> mails = server.messages();
        QCOMPARE(mails.size(), 1);
        QCOMPARE(mails[0].helo, u"Anna Berg"_s);
        QCOMPARE(mails[0].mailFrom, u"anna@example.se"_s);
        QCOMPARE(mails[0].rcptTos, QStringList{u"eva@example.se"_s});
        // The server has the data byte for byte, up to the line that ends it.
        QCOMPARE(mails[0].data, testMessage().chopped(3));
    }

    void theCommandsGoInTheirOrder() {
        test::ScriptedSmtpServer server;
        QCOMPARE(exchange(server.port()).outcome, SmtpOutcome::Sent);
        QCOMPARE(server.commands(), kAllCommands);
        QList<QByteArray> sent = testMessage().split('\n');
        sent.removeLast();
        sent.removeLast(); // the end line, which the server does not count as data
        for (QByteArray& line : sent)
            line.chop(1);
        QCOMPARE(server.dataLines(), sent);
        QTRY_VERIFY(server.clientClosed());
    }

    void theGreetingIsReadToItsLastLine() {
        test::ScriptedSmtpServer server;
        server.setGreeting({"220-scripted.example\r\n22", "0-second line\r\n",
                            " an indented line\r\n", "220 ready\r\n"},
                           40);
        QCOMPARE(exchange(server.port()).outcome, SmtpOutcome::Sent);
        QCOMPARE(server.greetingPiecesBeforeFirstCommand(), 4);
        QCOMPARE(server.commands(), kAllCommands);
    }

    void aRefusalStopsTheExchange_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<SmtpOutcome>("outcome");
        QTest::addColumn<SmtpStep>("step");
        QTest::addColumn<int>("commandsSent");

        QTest::newRow("HELO 300") << QByteArray("HELO") << QByteArray("300 what?\r\n")
                                  << SmtpOutcome::Failed << SmtpStep::Helo << 1;
        QTest::newRow("HELO 299 passes") << QByteArray("HELO") << QByteArray("299 fine\r\n")
                                         << SmtpOutcome::Sent << SmtpStep::Done << 6;
        QTest::newRow("HELO without a code")
            << QByteArray("HELO") << QByteArray("hello yourself\r\n") << SmtpOutcome::Failed
            << SmtpStep::Helo << 1;
        QTest::newRow("RSET 400") << QByteArray("RSET") << QByteArray("400 no\r\n")
                                  << SmtpOutcome::Failed << SmtpStep::Rset << 2;
        QTest::newRow("RSET 399 passes") << QByteArray("RSET") << QByteArray("399 odd\r\n")
                                         << SmtpOutcome::Sent << SmtpStep::Done << 6;
        QTest::newRow("MAIL 451") << QByteArray("MAIL") << QByteArray("451 later\r\n")
                                  << SmtpOutcome::Failed << SmtpStep::MailFrom << 3;
        // The recipient's refusal shows at DATA, as the server then has nobody to send to.
        QTest::newRow("DATA 503, no valid recipients")
            << QByteArray("DATA") << QByteArray("503 no valid recipients\r\n")
            << SmtpOutcome::Failed << SmtpStep::Data << 5;
        QTest::newRow("RCPT 550 alone is not examined")
            << QByteArray("RCPT") << QByteArray("550 unknown\r\n") << SmtpOutcome::Sent
            << SmtpStep::Done << 6;
        QTest::newRow("message 554") << QByteArray(".") << QByteArray("554 spam\r\n")
                                     << SmtpOutcome::MessageRefused << SmtpStep::Message << 5;
        QTest::newRow("QUIT 340") << QByteArray("QUIT") << QByteArray("340 hm\r\n")
                                  << SmtpOutcome::Failed << SmtpStep::Quit << 6;
        QTest::newRow("QUIT 339 passes") << QByteArray("QUIT") << QByteArray("339 bye\r\n")
                                         << SmtpOutcome::Sent << SmtpStep::Done << 6;
    }
    void aRefusalStopsTheExchange() {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        QFETCH(SmtpOutcome, outcome);
        QFETCH(SmtpStep, step);
        QFETCH(int, commandsSent);
        test::ScriptedSmtpServer server;
        server.setReply(command, reply);
        const Run run = exchange(server.port());
        QCOMPARE(run.outcome, outcome);
        QCOMPARE(run.step, step);
        // Nothing more is said after a refusal; the connection is closed.
        QCOMPARE(server.commands(), kAllCommands.mid(0, commandsSent));
        QTRY_VERIFY(server.clientClosed());
        if (step == SmtpStep::Helo)
            QCOMPARE(run.failure, u"Authentication failed"_s);
        else if (outcome != SmtpOutcome::Sent)
            QVERIFY2(run.failure.contains(QString::fromLatin1(reply.trimmed())),
                     qPrintable(run.failure));
    }

    void aRealServerThatRefusesTheRecipient() {
        test::SmtpTestServer server;
        QVERIFY2(server.isRunning(), qPrintable(server.error()));
        SmtpExchange exchange(kQuick);
        QSignalSpy finished(&exchange, &SmtpExchange::finished);
        SmtpEnvelope envelope = envelopeFor(server.port());
        envelope.recipient = u"refused@example.se"_s;
        exchange.start(envelope);
        QVERIFY(finished.wait(kWaitMs));
        QCOMPARE(exchange.outcome(), SmtpOutcome::Failed);
        QCOMPARE(exchange.step(), SmtpStep::Data);
        QVERIFY(server.messages().isEmpty());
    }

    void noServerIsNoContact() {
        const Run run = exchange(test::freeLocalPort());
        QCOMPARE(run.outcome, SmtpOutcome::NoContact);
        QCOMPARE(run.step, SmtpStep::Connect);
        QCOMPARE(run.greeted, 0);
        QVERIFY(!run.failure.isEmpty());
    }

    void aServerThatHangsUp_data() {
        QTest::addColumn<QByteArray>("at");
        QTest::addColumn<SmtpOutcome>("outcome");
        QTest::addColumn<SmtpStep>("step");
        QTest::newRow("after the greeting")
            << QByteArray() << SmtpOutcome::Failed << SmtpStep::Helo;
        QTest::newRow("at MAIL") << QByteArray("MAIL") << SmtpOutcome::Failed << SmtpStep::MailFrom;
        QTest::newRow("after the data")
            << QByteArray(".") << SmtpOutcome::MessageRefused << SmtpStep::Message;
        QTest::newRow("at QUIT") << QByteArray("QUIT") << SmtpOutcome::Failed << SmtpStep::Quit;
    }
    void aServerThatHangsUp() {
        QFETCH(QByteArray, at);
        QFETCH(SmtpOutcome, outcome);
        QFETCH(SmtpStep, step);
        test::ScriptedSmtpServer server;
        server.hangUpAt(at);
        QElapsedTimer clock;
        clock.start();
        const Run run = exchange(server.port());
        QCOMPARE(run.outcome, outcome);
        QCOMPARE(run.step, step);
        QVERIFY2(run.failure.contains(u"closed the connection"_s), qPrintable(run.failure));
        // Known at once, not only when the reply's time-out runs out.
        QVERIFY(clock.elapsed() < kQuick.reply.count());
    }

    void aServerThatNeverAnswers_data() {
        QTest::addColumn<QByteArray>("silentAt");
        QTest::addColumn<SmtpOutcome>("outcome");
        QTest::addColumn<SmtpStep>("step");
        QTest::newRow("no greeting") << QByteArray() << SmtpOutcome::Failed << SmtpStep::Greeting;
        QTest::newRow("no reply to RSET")
            << QByteArray("RSET") << SmtpOutcome::Failed << SmtpStep::Rset;
        QTest::newRow("no reply to the data")
            << QByteArray(".") << SmtpOutcome::MessageRefused << SmtpStep::Message;
    }
    void aServerThatNeverAnswers() {
        QFETCH(QByteArray, silentAt);
        QFETCH(SmtpOutcome, outcome);
        QFETCH(SmtpStep, step);
        test::ScriptedSmtpServer server;
        if (silentAt.isEmpty())
            server.setGreeting({});
        else
            server.setReply(silentAt, {});
        QElapsedTimer clock;
        clock.start();
        const Run run = exchange(server.port());
        QCOMPARE(run.outcome, outcome);
        QCOMPARE(run.step, step);
        QVERIFY2(run.failure.startsWith(u"No answer to"_s), qPrintable(run.failure));
        QVERIFY(clock.elapsed() >= kQuick.reply.count() - 10);
        QTRY_VERIFY(server.clientClosed());
    }

    void slowRepliesWithinTheLimitAreWaitedFor() {
        test::ScriptedSmtpServer server;
        server.setReplyDelay(100);
        // Meanwhile the event loop goes on: a timer keeps ticking.
        QTimer ticker;
        int ticks = 0;
        connect(&ticker, &QTimer::timeout, this, [&] { ++ticks; });
        ticker.start(10);
        const Run run = exchange(server.port(), {2000ms, 1000ms});
        QCOMPARE(run.outcome, SmtpOutcome::Sent);
        QCOMPARE(server.commands(), kAllCommands);
        QVERIFY2(ticks > 20, qPrintable(QString::number(ticks)));
    }

    void anExchangeCanBeDestroyedWhileItRuns() {
        test::ScriptedSmtpServer server;
        server.setReply("MAIL", {});
        auto exchange = std::make_unique<SmtpExchange>(kQuick);
        exchange->start(envelopeFor(server.port()));
        QTRY_COMPARE(server.commands().size(), 3);
        exchange.reset();
        QTRY_VERIFY(server.clientClosed());
        QTest::qWait(kQuick.reply.count() + 50); // no time-out reaches the dead exchange
    }
};

QTEST_GUILESS_MAIN(TestSmtpExchange)
#include "test_smtp_exchange.moc"
