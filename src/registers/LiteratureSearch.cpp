#include "LiteraturePickLists.h"
#include "SearchCriteria.h"

using namespace Qt::StringLiterals;

namespace hoardly::search {

namespace {

const QString kChoose = QString::fromLatin1(kChooseHere);

// The literature page's one input is always active and always sorted.
InputRow remembered(const QString& prompt, const QString& column) {
    return {prompt, true, kChoose, {SourceKind::StandardColumn, nullptr, column, {}}, true};
}
InputRow fixed(const QString& prompt, const QStringList& entries) {
    return {prompt, true, kChoose, {SourceKind::Fixed, nullptr, {}, entries}, true};
}
InputRow hint(const QString& prompt, const QString& text) {
    return {prompt, true, text, {}, true};
}

// Each statement selects three fields; all three stay visible.
Criterion book(const QString& radio, const InputRow& input, const QString& statement,
               const QList<ResultColumn>& columns) {
    return {radio, input, {}, statement, false, {}, columns};
}
QList<ResultColumn> titleAuthorAnd(const QString& third) {
    return {{u"Titel"_s, {}}, {u"Author"_s, {}}, {third, {}}};
}

SearchRegister makeLiteratureSearch() {
    SearchRegister r;
    r.firstPromptText = u"Find field"_s;
    r.inputText = kChoose;
    r.twoInputs = false;
    r.submitIsDefault = true;
    r.opening = Opening::SelectFirst;
    r.criteria = {
        book(u"List all books from a author"_s, remembered(u"The Authors name"_s, u"Author"_s),
             u"SELECT Titel, Author, ISBN FROM Bok WHERE Author = '{T1}' "_s,
             {{u"Titel"_s, u"Title"_s}, {u"Author"_s, {}}, {u"ISBN"_s, {}}}),
        book(u"List all books in a chosen genre"_s, fixed(u"Chose genre"_s, bookSearchGenres()),
             u"SELECT Titel, Author, Category FROM Bok WHERE Category = '{T1}' "_s,
             titleAuthorAnd(u"Category"_s)),
        book(u"List all book from a  publlished Year"_s,
             hint(u"Enter date in format YYYY"_s, u"Enter Date in format YYYY"_s),
             u"SELECT Titel, Author, Category FROM Bok WHERE Publication_Year = '{T1}' "_s,
             titleAuthorAnd(u"Category"_s)),
        book(u"List all books with a chosen rate"_s, fixed(u"Choose rate"_s, bookRatings()),
             u"SELECT Titel, Author, Category FROM Bok WHERE Kritik = '{T1}' "_s,
             titleAuthorAnd(u"Category"_s)),
        book(u"List all books in a chosen format"_s, fixed(u"Choose"_s, bookFormats()),
             u"SELECT Titel, Author, Category FROM Bok WHERE Format = '{T1}' "_s,
             titleAuthorAnd(u"Category"_s)),
        book(u"List all books from a chosen publisher"_s,
             remembered(u"The publishers name"_s, u"Publisher"_s),
             u"SELECT Titel, Author, Publisher FROM Bok WHERE Publisher = '{T1}' "_s,
             titleAuthorAnd(u"Publisher"_s)),
    };
    return r;
}

} // namespace

const SearchRegister& literatureSearch() {
    static const SearchRegister r = makeLiteratureSearch();
    return r;
}

} // namespace hoardly::search
