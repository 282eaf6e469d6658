#include "TextFiles.h"

#include "Errors.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <optional>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

constexpr qint64 kSniffBytes = 8192; // as much of a file as tells text from binary
constexpr qint64 kChunkBytes = 64 * 1024;

void openForReading(QFile& file) {
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(u"The file %1 cannot be read: %2"_s.arg(
            QDir::toNativeSeparators(file.fileName()), file.errorString()));
}

// Text written by older programs: Windows-1252, or Latin-1 where that is not on offer.
QStringDecoder singleByteDecoder() {
    QStringDecoder ansi("windows-1252");
    if (ansi.isValid())
        return ansi;
    return QStringDecoder(QStringDecoder::Latin1);
}

// Splits decoded text into lines, keeping at most `maxLength` characters of each.
class LineCollector {
public:
    LineCollector(int maxLines, int maxLength) : maxLines_(maxLines), maxLength_(maxLength) {}

    bool full() const { return lines_.size() >= maxLines_; }
    // The line being read is longer than kept: the rest of it need not be decoded.
    bool lineIsCut() const { return current_.cut; }

    void add(QStringView text) {
        while (!text.isEmpty() && !full()) {
            const qsizetype end = text.indexOf(u'\n');
            keep(end < 0 ? text : text.left(end));
            if (end < 0)
                return;
            endLine();
            text = text.mid(end + 1);
        }
    }

    QList<TextLine> finish() {
        if (!full() && (started_ || !current_.text.isEmpty()))
            endLine();
        return std::move(lines_);
    }

private:
    void keep(QStringView piece) {
        started_ = true;
        // One character more than allowed, so that a "\r" of a line end can still go.
        const qsizetype room = qsizetype(maxLength_) + 1 - current_.text.size();
        if (piece.size() > room) {
            current_.cut = true;
            piece = piece.left(std::max<qsizetype>(room, 0));
        }
        current_.text += piece;
    }

    void endLine() {
        if (current_.text.endsWith(u'\r'))
            current_.text.chop(1);
        if (current_.text.size() > maxLength_) {
            current_.text.truncate(maxLength_);
            current_.cut = true;
        }
        lines_ << std::move(current_);
        current_ = {};
        started_ = false;
    }

    int maxLines_;
    int maxLength_;
    QList<TextLine> lines_;
    TextLine current_;
    bool started_ = false;
};

// Reads lines from the file's current position, for an encoding whose line end is the one
// byte "\n" (UTF-8, Windows-1252). The decoder gets the bytes one line at a time, so nothing
// after the last line wanted is decoded, and the rest of a line too long is passed over
// undecoded. With `strict`, answers nothing as soon as a line read is not valid in the
// decoder's encoding.
std::optional<QList<TextLine>> collectLines(QFile& file, QStringDecoder& decoder, int maxLines,
                                            int maxLength, bool strict) {
    LineCollector collector(maxLines, maxLength);
    while (!collector.full()) {
        const QByteArray chunk = file.read(kChunkBytes);
        if (chunk.isEmpty())
            break;
        QByteArrayView rest(chunk);
        while (!rest.isEmpty() && !collector.full()) {
            const qsizetype end = rest.indexOf('\n');
            const QByteArrayView piece = end < 0 ? rest : rest.first(end + 1);
            rest = rest.sliced(piece.size());
            if (collector.lineIsCut()) {
                if (end >= 0) {
                    collector.add(u"\n");
                    decoder.resetState(); // a character cut in two is no error
                }
                continue;
            }
            const QString text = decoder.decode(piece);
            if (strict && decoder.hasError())
                return std::nullopt;
            collector.add(text);
        }
    }
    return collector.finish();
}

// Reads lines in an encoding whose line end is wider than a byte (UTF-16, UTF-32).
QList<TextLine> collectWideLines(QFile& file, QStringDecoder& decoder, int maxLines,
                                 int maxLength) {
    LineCollector collector(maxLines, maxLength);
    while (!collector.full()) {
        const QByteArray chunk = file.read(kChunkBytes);
        if (chunk.isEmpty())
            break;
        const QString text = decoder.decode(chunk);
        collector.add(text);
    }
    return collector.finish();
}

} // namespace

QString readTextFile(const QString& path) {
    QFile file(path);
    openForReading(file);
    const QByteArray bytes = file.readAll();
    if (const auto marked = QStringConverter::encodingForData(bytes)) // a byte-order mark
        return QStringDecoder(*marked).decode(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return singleByteDecoder().decode(bytes);
}

QList<TextLine> readTextLines(const QString& path, int maxLines, int maxLength) {
    QFile file(path);
    openForReading(file);
    const QByteArray head = file.peek(kSniffBytes);
    if (const auto marked = QStringConverter::encodingForData(head);
        marked && *marked != QStringConverter::Utf8) {
        QStringDecoder wide(*marked); // passes over the byte-order mark
        return collectWideLines(file, wide, maxLines, maxLength);
    }
    if (head.contains('\0'))
        return {};
    QStringDecoder utf8(QStringDecoder::Utf8); // passes over a byte-order mark
    if (auto lines = collectLines(file, utf8, maxLines, maxLength, true))
        return *lines;
    file.seek(0);
    QStringDecoder ansi = singleByteDecoder();
    return *collectLines(file, ansi, maxLines, maxLength, false);
}

void writeTextFile(const QString& path, const QString& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        throw FileError(u"The file %1 cannot be written: %2"_s.arg(QDir::toNativeSeparators(path),
                                                                   file.errorString()));
}

} // namespace hoardly
