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

QList<ListedBook> booksInOrder(Table& books) {
    QList<ListedBook> listed;
    listed.reserve(books.recordCount());
    books.scan({u"Titel"_s, u"Author"_s, u"Category"_s}, [&listed](const ScanRow& row) {
        listed.append({row.text(0), row.text(1), row.text(2)});
        return true;
    });
    return listed;
}

void writeCurrentLiteratureList(Table& books, const QString& path, const QDate& today) {
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
