#include "CurrentLiteratureList.h"

#include "data/Dates.h"
#include "data/Errors.h"
#include "data/Table.h"
#include "data/TextFiles.h"

using namespace Qt::StringLiterals;

namespace hoardly::literature {

namespace {

const QString kLineEnd = u"\r\n"_s;
const QString kSeparator = QString(40, u'*');

} // namespace

QString currentLiteratureText(const QDate& today, const QList<ListedBook>& books) {
    QStringList lines{u"Current literature "_s + dateToText(today),
                      u"Every book separated with a '*'"_s, QString(), QString(), kSeparator};
    int number = 0;
    for (const ListedBook& book : books)
        lines << QString::number(++number) << QString() << book.title << book.author
              << book.category << kSeparator;
    return lines.join(kLineEnd) + kLineEnd;
}

QList<ListedBook> booksInOrder(const Table& books) {
    const int title = books.fieldIndex(u"Titel"_s);
    const int author = books.fieldIndex(u"Author"_s);
    const int category = books.fieldIndex(u"Category"_s);
    QList<ListedBook> listed;
    const int count = books.recordCount();
    listed.reserve(count);
    for (int position = 0; position < count; ++position)
        listed.append({books.textAt(position, title), books.textAt(position, author),
                       books.textAt(position, category)});
    return listed;
}

void writeCurrentLiteratureList(const Table& books, const QString& path, const QDate& today) {
    const QString text = currentLiteratureText(today, booksInOrder(books));
    try {
        writeTextFile(path, text);
    } catch (const FileError& error) {
        throw FileError(error.text() +
                        u"\nThe current-literature list was not written; a file of that name "
                        u"keeps what it held. Choose a folder you may write to, or free some "
                        u"space, and write the list again."_s);
    }
}

} // namespace hoardly::literature
