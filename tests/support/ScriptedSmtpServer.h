#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QTcpServer>

class QTcpSocket;

namespace hoardly::test {

// A mail server of the test's own making on 127.0.0.1, for what a real one does not do on
// request: a refusal at a chosen step, a greeting in pieces, a slow answer, silence, hanging
// up. It answers like a willing server unless told otherwise, and keeps what it was sent.
class ScriptedSmtpServer final : public QObject {
    Q_OBJECT
public:
    ScriptedSmtpServer();
    quint16 port() const { return server_.serverPort(); }

    // The greeting, sent in these pieces with `gapMs` between them; none: the server says
    // nothing at all.
    void setGreeting(const QList<QByteArray>& pieces, int gapMs = 0);
    // The reply to the commands that begin with this word ("HELO", "RCPT", ...; "." is the
    // end of the data). An empty reply: the server stays silent.
    void setReply(const QByteArray& command, const QByteArray& reply);
    // Hangs up instead of answering this command; "" hangs up right after the greeting.
    void hangUpAt(const QByteArray& command) { hangUpAt_ = command; }
    // Answers after this many milliseconds.
    void setReplyDelay(int ms) { replyDelayMs_ = ms; }

    // The command lines received, in order, without the message.
    const QList<QByteArray>& commands() const { return commands_; }
    // The lines between DATA and the end of the data, exactly as sent.
    const QList<QByteArray>& dataLines() const { return dataLines_; }
    int connections() const { return connections_; }
    // How many pieces of the greeting had gone out when the first command came.
    int greetingPiecesBeforeFirstCommand() const { return piecesBeforeCommand_; }
    // Whether the client has closed the last connection.
    bool clientClosed() const;

private:
    void accept();
    void readFrom(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QByteArray& line);
    void sendLater(QTcpSocket* socket, const QByteArray& bytes, int delayMs);

    QTcpServer server_;
    QList<QByteArray> greeting_{"220 scripted.example ESMTP ready\r\n"};
    int greetingGapMs_ = 0;
    QMap<QByteArray, QByteArray> replies_;
    QByteArray hangUpAt_ = "-";
    int replyDelayMs_ = 0;
    QList<QByteArray> commands_;
    QList<QByteArray> dataLines_;
    QMap<QTcpSocket*, QByteArray> pending_;
    QMap<QTcpSocket*, bool> inData_;
    QPointer<QTcpSocket> last_;
    int connections_ = 0;
    int piecesSent_ = 0;
    int piecesBeforeCommand_ = -1;
};

} // namespace hoardly::test
