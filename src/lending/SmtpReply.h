#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

namespace hoardly {

// One reply of a mail server, all its lines.
struct SmtpReply {
    int code = -1; // the leading digits of the reply; -1 when it has none
    QList<QByteArray> lines;

    // Whether the reply fails a step that needs a code below the threshold. A reply without
    // a code fails every step: it is no answer the exchange can go on from.
    bool refused(int threshold) const { return code < 0 || code >= threshold; }
};

// Collects a server's bytes into replies. A line whose fourth character is '-', or that
// begins with a blank, is followed by more lines of the same reply.
class SmtpReplyReader {
public:
    void feed(const QByteArray& bytes);
    // The next complete reply, in the order they came; nothing while none is complete.
    std::optional<SmtpReply> takeReply();
    // The server sent more than any reply holds without a line end, or a reply of more
    // lines than any server writes: it is not speaking SMTP.
    bool overflowed() const { return overflowed_; }
    void clear();

private:
    void completeLines();

    QByteArray pending_; // bytes after the last line end
    SmtpReply building_;
    QList<SmtpReply> complete_;
    bool overflowed_ = false;
};

} // namespace hoardly
