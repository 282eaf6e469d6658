#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace hoardly {

class Table;

// The current-literature list: a plain-text list of every book, in the list's order, that
// the literature window writes from its pop-up menu. Nothing here needs a widget.
namespace literature {

// What the list says about one book.
struct ListedBook {
    QString title;
    QString author;
    QString category;
};

// Five opening lines, then six lines per book: its running number, an empty line, title,
// author, category and the separator. Every line ends in CR LF.
QString currentLiteratureText(const QDate& today, const QList<ListedBook>& books);

// The books of the table in its current order, read without moving it.
QList<ListedBook> booksInOrder(const Table& books);

// Writes the list of the table's books to the file, UTF-8. The file is replaced only once the
// whole list is written, so a failed write keeps whatever the file held; a FileError then
// names the file and says what to do.
void writeCurrentLiteratureList(const Table& books, const QString& path, const QDate& today);

} // namespace literature
} // namespace hoardly
