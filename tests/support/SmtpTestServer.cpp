#include "SmtpTestServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

using namespace Qt::StringLiterals;

namespace hoardly::test {

namespace {

constexpr int kStartTimeoutMs = 15000;

QList<QByteArray> lines(const QByteArray& data) {
    QList<QByteArray> split = data.split('\n');
    if (!split.isEmpty() && split.last().isEmpty())
        split.removeLast();
    for (QByteArray& line : split) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return split;
}

bool listening(quint16 port) {
    QTcpSocket probe;
    probe.connectToHost(u"127.0.0.1"_s, port);
    const bool up = probe.waitForConnected(200);
    probe.abort();
    return up;
}

} // namespace

QList<QByteArray> ReceivedMail::headerLines() const {
    const QList<QByteArray> all = lines(data);
    return all.mid(0, all.indexOf(QByteArray()));
}

QList<QByteArray> ReceivedMail::bodyLines() const {
    const QList<QByteArray> all = lines(data);
    return all.mid(all.indexOf(QByteArray()) + 1);
}

quint16 freeLocalPort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

SmtpTestServer::SmtpTestServer() {
    port_ = freeLocalPort();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"PYTHONPATH"_s, QString::fromUtf8(HOARDLY_TEST_SUPPORT_DIR));
    environment.insert(u"PYTHONDONTWRITEBYTECODE"_s, u"1"_s);
    process_.setProcessEnvironment(environment);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(u"/usr/bin/python3"_s,
                   {u"-m"_s, u"aiosmtpd"_s, u"-n"_s, u"-l"_s, u"127.0.0.1:%1"_s.arg(port_), u"-c"_s,
                    u"smtp_capture.Capture"_s, mailDir_.path()});
    if (!process_.waitForStarted(kStartTimeoutMs)) {
        error_ = u"aiosmtpd did not start: "_s + process_.errorString();
        return;
    }
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!listening(port_)) {
        if (process_.state() != QProcess::Running || deadline.hasExpired()) {
            error_ = u"aiosmtpd does not listen: "_s + QString::fromUtf8(process_.readAll());
            return;
        }
        QThread::msleep(50);
    }
}

SmtpTestServer::~SmtpTestServer() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

QList<ReceivedMail> SmtpTestServer::messages() const {
    QList<ReceivedMail> received;
    const QDir dir(mailDir_.path());
    for (const QString& name : dir.entryList({u"*.json"_s}, QDir::Files, QDir::Name)) {
        QFile facts(dir.filePath(name));
        QFile data(dir.filePath(name.chopped(5) + u".eml"_s));
        if (!facts.open(QIODevice::ReadOnly) || !data.open(QIODevice::ReadOnly))
            continue;
        const QJsonObject object = QJsonDocument::fromJson(facts.readAll()).object();
        ReceivedMail mail;
        mail.helo = object.value(u"helo"_s).toString();
        mail.mailFrom = object.value(u"mail_from"_s).toString();
        for (const QJsonValue& to : object.value(u"rcpt_tos"_s).toArray())
            mail.rcptTos << to.toString();
        mail.data = data.readAll();
        received << mail;
    }
    return received;
}

} // namespace hoardly::test
