#include "HelpBook.h"

#include "data/Collation.h"
#include "data/Errors.h"
#include "data/TextFiles.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace hoardly {

QList<HelpTopic> HelpBook::parseTopics(const QString& text, QString* problem) {
    QList<HelpTopic> topics;
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype bar = line.lastIndexOf(u'|');
        const QString title = bar < 0 ? QString() : line.left(bar).trimmed();
        const QString target = bar < 0 ? QString() : line.mid(bar + 1).trimmed();
        if (title.isEmpty() || target.isEmpty()) {
            if (problem)
                *problem += u"Line %1 is not \"Title | page\": %2\n"_s.arg(i + 1).arg(line);
            continue;
        }
        topics << HelpTopic{title, target};
    }
    return topics;
}

HelpBook HelpBook::load(const QString& directory) {
    HelpBook book;
    book.directory_ = directory;
    const QDir dir(directory);
    try {
        book.contents_ = parseTopics(readTextFile(dir.filePath(u"contents.txt"_s)), &book.problem_);
        if (QFileInfo::exists(dir.filePath(u"index.txt"_s)))
            book.index_ = parseTopics(readTextFile(dir.filePath(u"index.txt"_s)), &book.problem_);
    } catch (const FileError& error) {
        book.contents_.clear();
        book.problem_ = error.text();
    }
    std::stable_sort(book.index_.begin(), book.index_.end(),
                     [](const HelpTopic& a, const HelpTopic& b) {
                         return compareForPeople(a.title, b.title) < 0;
                     });
    return book;
}

int HelpBook::indexPosition(const QString& typed) const {
    if (typed.isEmpty())
        return index_.isEmpty() ? -1 : 0;
    for (int i = 0; i < index_.size(); ++i) {
        const QString start = index_[i].title.left(typed.size());
        if (compareForPeople(start, typed) >= 0)
            return i;
    }
    return -1;
}

QString HelpBook::filePath(const QString& target) const {
    const qsizetype hash = target.indexOf(u'#');
    return QDir(directory_).filePath(hash < 0 ? target : target.left(hash));
}

} // namespace hoardly
