#include "SharedRoutines.h"

#include "Table.h"
#include "TextFiles.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

constexpr int kCaptionLines = 2181;    // only lines 1..2181 can be drawn
constexpr int kCaptionMaxLength = 200; // longer is no window caption

bool isCaption(const TextLine& line) {
    if (line.cut || line.text.trimmed().isEmpty())
        return false;
    const QList<uint> characters = line.text.toUcs4(); // whole characters, not UTF-16 halves
    return std::all_of(characters.cbegin(), characters.cend(),
                       [](uint character) { return QChar::isPrint(char32_t(character)); });
}

QStringList captionCandidates(const QString& path) {
    QStringList candidates;
    for (const TextLine& line : readTextLines(path, kCaptionLines, kCaptionMaxLength)) {
        if (isCaption(line))
            candidates << line.text;
    }
    return candidates;
}

} // namespace

QString captionFilePath(const QString& appDir) {
    return QDir(appDir).filePath(u"midi/vis2.txt"_s);
}

QString randomCaptionText(const QString& appDir, QRandomGenerator& random) {
    const QString path = captionFilePath(appDir);
    if (!QFileInfo::exists(path))
        return u"Hoardly"_s;
    // Drawing a line number until it lands on a usable line is the same as drawing one of the
    // usable lines; collecting them first lets a file without any still return.
    const QStringList candidates = captionCandidates(path);
    if (candidates.isEmpty())
        return u"Hoardly"_s;
    return candidates[int(random.bounded(qint64(candidates.size())))];
}

bool isDigitsOnlyKey(QChar character) {
    return (character >= u'0' && character <= u'9') || character == u'\b' || character == u'\r' ||
           character == u'\n';
}

bool isPhoneDigitsKey(QChar character) {
    return isDigitsOnlyKey(character) || character == u'-';
}

QString lastCharacter(const QString& text) {
    return text.isEmpty() ? QString() : text.right(1);
}

bool isTableEmpty(const Table& table) {
    return table.isEmpty();
}

bool isObjectLent(Table& borrowTable, const QString& title) {
    borrowTable.open();
    return borrowTable.locate(u"Objekt"_s, {title});
}

} // namespace hoardly
