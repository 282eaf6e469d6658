#include "SmtpExchange.h"

#include "ReminderMail.h"

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

// A reply code at or above these makes the step fail.
constexpr int kHeloLimit = 300;
constexpr int kCommandLimit = 400;
constexpr int kQuitLimit = 340;

// The step's name in a failure's words.
QString stepName(SmtpStep step) {
    static const QStringList names{
        u"the connection"_s, u"the greeting"_s, u"HELO"_s,        u"RSET"_s, u"MAIL FROM"_s,
        u"RCPT TO"_s,        u"DATA"_s,         u"the message"_s, u"QUIT"_s, u"the end"_s};
    return names.value(int(step));
}

QString refusal(SmtpStep step, const SmtpReply& reply) {
    return u"The server refused %1: %2"_s.arg(stepName(step),
                                              QString::fromUtf8(reply.lines.join(' ')));
}

} // namespace

SmtpExchange::SmtpExchange(SmtpTimeouts timeouts, QObject* parent)
    : QObject(parent), timeouts_(timeouts) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &SmtpExchange::timedOut);
    connect(&socket_, &QTcpSocket::connected, this, [this] {
        step_ = SmtpStep::Greeting;
        timer_.start(timeouts_.reply);
    });
    connect(&socket_, &QTcpSocket::readyRead, this, &SmtpExchange::readReplies);
    connect(&socket_, &QTcpSocket::errorOccurred, this, &SmtpExchange::socketFailed);
    connect(&socket_, &QTcpSocket::disconnected, this, &SmtpExchange::socketFailed);
}

SmtpExchange::~SmtpExchange() {
    // Nothing may reach this object while the socket goes.
    socket_.disconnect(this);
    socket_.abort();
}

void SmtpExchange::start(const SmtpEnvelope& envelope) {
    envelope_ = envelope;
    step_ = SmtpStep::Connect;
    outcome_ = SmtpOutcome::Running;
    failure_.clear();
    reader_.clear();
    timer_.start(timeouts_.connect);
    socket_.connectToHost(envelope_.host, envelope_.port);
}

void SmtpExchange::readReplies() {
    reader_.feed(socket_.readAll());
    while (outcome_ == SmtpOutcome::Running) {
        const std::optional<SmtpReply> reply = reader_.takeReply();
        if (!reply)
            break;
        handleReply(*reply);
    }
    if (outcome_ == SmtpOutcome::Running && reader_.overflowed())
        fail(u"The server's reply to %1 does not end."_s.arg(stepName(step_)));
}

void SmtpExchange::handleReply(const SmtpReply& reply) {
    switch (step_) {
    case SmtpStep::Connect:
    case SmtpStep::Done:
        return;
    case SmtpStep::Greeting:
        send(SmtpStep::Helo, "HELO " + envelope_.heloName.toUtf8());
        return;
    case SmtpStep::Helo:
        if (reply.refused(kHeloLimit))
            return fail(u"Authentication failed"_s);
        emit greeted();
        send(SmtpStep::Rset, "RSET");
        return;
    case SmtpStep::Rset:
        if (reply.refused(kCommandLimit))
            return fail(refusal(step_, reply));
        send(SmtpStep::MailFrom, "MAIL FROM:<" + envelope_.sender.toUtf8() + '>');
        return;
    case SmtpStep::MailFrom:
        if (reply.refused(kCommandLimit))
            return fail(refusal(step_, reply));
        send(SmtpStep::RcptTo, "RCPT TO:<" + recipientAddress(envelope_.recipient).toUtf8() + '>');
        return;
    case SmtpStep::RcptTo:
        // Not examined: a refused recipient makes DATA fail.
        send(SmtpStep::Data, "DATA");
        return;
    case SmtpStep::Data:
        if (reply.refused(kCommandLimit))
            return fail(refusal(step_, reply));
        step_ = SmtpStep::Message;
        socket_.write(envelope_.data);
        timer_.start(timeouts_.reply);
        return;
    case SmtpStep::Message:
        if (reply.refused(kCommandLimit))
            return fail(refusal(step_, reply));
        emit messageAccepted();
        send(SmtpStep::Quit, "QUIT");
        return;
    case SmtpStep::Quit:
        if (reply.refused(kQuitLimit))
            return fail(refusal(step_, reply));
        step_ = SmtpStep::Done;
        finish(SmtpOutcome::Sent);
        return;
    }
}

void SmtpExchange::send(SmtpStep next, const QByteArray& line) {
    step_ = next;
    socket_.write(line + "\r\n");
    timer_.start(timeouts_.reply);
}

void SmtpExchange::socketFailed() {
    if (outcome_ != SmtpOutcome::Running)
        return;
    // A server that answers and hangs up at once: its last reply counts.
    if (socket_.bytesAvailable() > 0)
        readReplies();
    if (outcome_ != SmtpOutcome::Running)
        return;
    if (step_ == SmtpStep::Connect)
        fail(socket_.errorString());
    else
        fail(u"The server closed the connection before it answered %1."_s.arg(stepName(step_)));
}

void SmtpExchange::timedOut() {
    if (outcome_ != SmtpOutcome::Running)
        return;
    const auto limit = step_ == SmtpStep::Connect ? timeouts_.connect : timeouts_.reply;
    fail(u"No answer to %1 within %2 ms."_s.arg(stepName(step_)).arg(limit.count()));
}

void SmtpExchange::fail(const QString& reason) {
    failure_ = reason;
    switch (step_) {
    case SmtpStep::Connect:
        finish(SmtpOutcome::NoContact);
        return;
    case SmtpStep::Message:
        finish(SmtpOutcome::MessageRefused);
        return;
    default:
        finish(SmtpOutcome::Failed);
        return;
    }
}

void SmtpExchange::finish(SmtpOutcome outcome) {
    outcome_ = outcome;
    timer_.stop();
    if (outcome == SmtpOutcome::Sent)
        socket_.disconnectFromHost();
    else
        socket_.abort();
    QMetaObject::invokeMethod(this, &SmtpExchange::finished, Qt::QueuedConnection);
}

} // namespace hoardly
