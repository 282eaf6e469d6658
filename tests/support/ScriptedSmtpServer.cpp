#include "ScriptedSmtpServer.h"

#include <QTcpSocket>
#include <QTimer>

namespace hoardly::test {

ScriptedSmtpServer::ScriptedSmtpServer() {
    replies_ = {{"HELO", "250 scripted.example\r\n"},
                {"RSET", "250 OK\r\n"},
                {"MAIL", "250 OK\r\n"},
                {"RCPT", "250 OK\r\n"},
                {"DATA", "354 End data with <CR><LF>.<CR><LF>\r\n"},
                {".", "250 OK queued\r\n"},
                {"QUIT", "221 Bye\r\n"}};
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, &ScriptedSmtpServer::accept);
}

void ScriptedSmtpServer::setGreeting(const QList<QByteArray>& pieces, int gapMs) {
    greeting_ = pieces;
    greetingGapMs_ = gapMs;
}

void ScriptedSmtpServer::setReply(const QByteArray& command, const QByteArray& reply) {
    replies_[command] = reply;
}

bool ScriptedSmtpServer::clientClosed() const {
    return !last_ || last_->state() == QAbstractSocket::UnconnectedState;
}

void ScriptedSmtpServer::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        ++connections_;
        last_ = socket;
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        int delay = 0;
        for (const QByteArray& piece : std::as_const(greeting_)) {
            QTimer::singleShot(delay, socket, [this, socket, piece] {
                socket->write(piece);
                ++piecesSent_;
            });
            delay += greetingGapMs_;
        }
        if (hangUpAt_.isEmpty())
            QTimer::singleShot(delay, socket, [socket] { socket->disconnectFromHost(); });
    }
}

void ScriptedSmtpServer::readFrom(QTcpSocket* socket) {
    QByteArray& pending = pending_[socket];
    pending += socket->readAll();
    qsizetype end;
    while ((end = pending.indexOf("\r\n")) >= 0) {
        const QByteArray line = pending.left(end);
        pending.remove(0, end + 2);
        if (inData_.value(socket)) {
            if (line != ".") {
                dataLines_ << line;
                continue;
            }
            inData_[socket] = false;
        } else {
            if (commands_.isEmpty())
                piecesBeforeCommand_ = piecesSent_;
            commands_ << line;
        }
        answer(socket, line);
    }
}

void ScriptedSmtpServer::answer(QTcpSocket* socket, const QByteArray& line) {
    const QByteArray word = line == "." ? line : line.split(' ').first().split(':').first();
    if (word == hangUpAt_) {
        socket->disconnectFromHost();
        return;
    }
    const QByteArray reply = replies_.value(word.toUpper(), "500 Unknown command\r\n");
    if (word.toUpper() == "DATA" && reply.startsWith('3'))
        inData_[socket] = true;
    if (!reply.isEmpty())
        sendLater(socket, reply, replyDelayMs_);
}

void ScriptedSmtpServer::sendLater(QTcpSocket* socket, const QByteArray& bytes, int delayMs) {
    if (delayMs <= 0) {
        socket->write(bytes);
        return;
    }
    QTimer::singleShot(delayMs, socket, [socket, bytes] { socket->write(bytes); });
}

} // namespace hoardly::test
