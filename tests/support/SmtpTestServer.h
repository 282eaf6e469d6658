#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace hoardly::test {

// One message the test server received.
struct ReceivedMail {
    QString helo;     // the greeting name the client gave
    QString mailFrom; // the sender of MAIL FROM
    QStringList rcptTos;
    QByteArray data; // as received, with the transparency dots removed
    QList<QByteArray> headerLines() const;
    QList<QByteArray> bodyLines() const; // after the empty line that ends the header
};

// A real SMTP server on 127.0.0.1 for one test: Debian's aiosmtpd, started on a free port
// with a handler that keeps each message in a temporary directory. It refuses recipients
// whose address begins with "refused".
class SmtpTestServer {
public:
    SmtpTestServer();
    ~SmtpTestServer();
    SmtpTestServer(const SmtpTestServer&) = delete;
    SmtpTestServer& operator=(const SmtpTestServer&) = delete;

    // Whether the server listens; otherwise what went wrong.
    bool isRunning() const { return error_.isEmpty(); }
    QString error() const { return error_; }
    quint16 port() const { return port_; }
    // The messages received so far, in the order they came.
    QList<ReceivedMail> messages() const;

private:
    QTemporaryDir mailDir_;
    QProcess process_;
    quint16 port_ = 0;
    QString error_;
};

// A port on 127.0.0.1 that nothing listens on at the moment.
quint16 freeLocalPort();

} // namespace hoardly::test
