#pragma once

#include "SmtpReply.h"

#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
#include <chrono>

namespace hoardly {

// How long the exchange waits: for the connection (host lookup included) and for each reply.
struct SmtpTimeouts {
    std::chrono::milliseconds connect{15000};
    std::chrono::milliseconds reply{30000};
};

// What one exchange sends. The names and addresses hold no line breaks (the message composer
// refuses those).
struct SmtpEnvelope {
    QString host;
    quint16 port = 25;
    QString heloName;  // the user's name, as entered
    QString sender;    // the user's address
    QString recipient; // the recipient text; the address rule picks the address from it
    QByteArray data;   // the message, dot-stuffed, ending with the line "."
};

// The steps in their order; a failure names the step it happened in.
enum class SmtpStep { Connect, Greeting, Helo, Rset, MailFrom, RcptTo, Data, Message, Quit, Done };

enum class SmtpOutcome {
    Running,
    Sent,
    NoContact,      // the server could not be reached
    MessageRefused, // the server refused the message after the data
    Failed,         // any other step failed, timed out or lost the connection
};

// One mail transfer on a TCP socket: greeting, HELO, RSET, MAIL FROM, RCPT TO, DATA, the
// message, QUIT. It runs on the socket's signals, so the caller's event loop keeps running
// and nothing waits in it; every wait has its time-out.
class SmtpExchange final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SmtpExchange)
public:
    explicit SmtpExchange(SmtpTimeouts timeouts = {}, QObject* parent = nullptr);
    ~SmtpExchange() override;

    void start(const SmtpEnvelope& envelope);

    SmtpOutcome outcome() const { return outcome_; }
    // The step running, or the one that failed; Done once the exchange went through.
    SmtpStep step() const { return step_; }
    // What went wrong, in words; empty unless the exchange failed.
    QString failure() const { return failure_; }

signals:
    // The server took the greeting name: the message goes now.
    void greeted();
    // The server took the message.
    void messageAccepted();
    // The exchange has ended, either way; see outcome(). Sent from the event loop, so the
    // receiver may delete the exchange.
    void finished();

private:
    void readReplies();
    void handleReply(const SmtpReply& reply);
    void send(SmtpStep next, const QByteArray& line);
    void socketFailed();
    void timedOut();
    void fail(const QString& reason);
    void finish(SmtpOutcome outcome);

    SmtpTimeouts timeouts_;
    QTcpSocket socket_;
    QTimer timer_;
    SmtpReplyReader reader_;
    SmtpEnvelope envelope_;
    SmtpStep step_ = SmtpStep::Connect;
    SmtpOutcome outcome_ = SmtpOutcome::Running;
    QString failure_;
};

} // namespace hoardly
