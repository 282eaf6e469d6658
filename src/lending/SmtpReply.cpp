#include "SmtpReply.h"

#include <limits>

namespace hoardly {

namespace {

constexpr qsizetype kLongestLine = 4096; // RFC 5321 allows 512 characters a reply line
constexpr qsizetype kMostLines = 1000;   // a multi-line reply longer than this never ends
constexpr qsizetype kMostCodeDigits = 9; // more than an int holds: no code we accept

int leadingCode(const QByteArray& line) {
    qsizetype digits = 0;
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9')
        ++digits;
    if (digits == 0)
        return -1;
    if (digits > kMostCodeDigits)
        return std::numeric_limits<int>::max();
    return line.left(digits).toInt();
}

bool continues(const QByteArray& line) {
    return (line.size() >= 4 && line[3] == '-') || line.startsWith(' ');
}

} // namespace

void SmtpReplyReader::feed(const QByteArray& bytes) {
    if (overflowed_)
        return;
    pending_ += bytes;
    completeLines();
    if (pending_.size() > kLongestLine || building_.lines.size() > kMostLines)
        overflowed_ = true;
}

void SmtpReplyReader::completeLines() {
    qsizetype end;
    while ((end = pending_.indexOf('\n')) >= 0) {
        QByteArray line = pending_.left(end);
        pending_.remove(0, end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        if (building_.lines.isEmpty())
            building_.code = leadingCode(line);
        building_.lines << line;
        if (!continues(line)) {
            complete_ << building_;
            building_ = {};
        }
    }
}

std::optional<SmtpReply> SmtpReplyReader::takeReply() {
    if (complete_.isEmpty())
        return std::nullopt;
    return complete_.takeFirst();
}

void SmtpReplyReader::clear() {
    pending_.clear();
    building_ = {};
    complete_.clear();
    overflowed_ = false;
}

} // namespace hoardly
