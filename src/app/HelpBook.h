#pragma once

#include <QList>
#include <QString>

namespace hoardly {

// One entry of the help book's contents or index: what the user reads, and the page (with an
// optional "#anchor") it leads to.
struct HelpTopic {
    QString title;
    QString target;
    bool operator==(const HelpTopic&) const = default;
};

// The program's help book: HTML pages in one directory, with "contents.txt" listing the pages
// in reading order and "index.txt" the keywords, one "Title | page.html#anchor" a line
// (blank lines and lines starting with "#" are skipped).
class HelpBook {
public:
    // An empty book with a problem text when the directory holds no readable contents file.
    static HelpBook load(const QString& directory);

    QString directory() const { return directory_; }
    const QList<HelpTopic>& contents() const { return contents_; }
    // Sorted by title for people (letter case aside).
    const QList<HelpTopic>& index() const { return index_; }
    bool isEmpty() const { return contents_.isEmpty(); }
    QString problem() const { return problem_; }

    // Where typing in the index leads: the first keyword that does not sort before the typed
    // text, ignoring letter case; 0 for nothing typed, -1 when every keyword sorts before it.
    int indexPosition(const QString& typed) const;

    // The file of a target, without its anchor.
    QString filePath(const QString& target) const;

    // Reads "Title | target" lines; lines without a "|" are reported in the problem text.
    static QList<HelpTopic> parseTopics(const QString& text, QString* problem = nullptr);

private:
    QString directory_;
    QList<HelpTopic> contents_;
    QList<HelpTopic> index_;
    QString problem_;
};

} // namespace hoardly
