#include "SharedRoutines.h"

#include "Table.h"
#include "TextFiles.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {
constexpr int kCaptionLines = 2181; // only lines 1..2181 can be drawn
}

QString captionFilePath(const QString& appDir) {
    return QDir(appDir).filePath(u"midi/vis2.txt"_s);
}

QString randomCaptionText(const QString& appDir, QRandomGenerator& random) {
    const QString path = captionFilePath(appDir);
    if (!QFileInfo::exists(path))
        return u"Hoardly"_s;
    // Drawing a line number until it lands on a non-empty line is the same as drawing one of
    // the non-empty lines; collecting them first lets a file without any still return.
    const QStringList lines = readTextFile(path).split(u'\n');
    QStringList candidates;
    for (int i = 0; i < lines.size() && i < kCaptionLines; ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!line.isEmpty())
            candidates << line;
    }
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
