#include "LiteratureData.h"
#include "TempCatalogue.h"
#include "data/Query.h"
#include "data/Sqlite.h"
#include "data/TDM.h"
#include "registers/LiteraturePickLists.h"
#include "registers/SearchCriteria.h"

#include <QtTest>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace hoardly;
using namespace hoardly::search;

namespace {

enum BookCriterion { ByAuthor, Genre, Year, Rate, Format, ByPublisher };

const Criterion& books(BookCriterion criterion) {
    return literatureSearch().criteria.at(criterion);
}

using Rows = QList<QStringList>;

Rows sortedRows(Rows rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

class TestLiteratureSearch : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;

    // The rows a criterion finds, run as the search page runs it.
    Rows found(BookCriterion criterion, const QString& typed) {
        const BuiltStatement built = buildStatement(books(criterion), {typed});
        Query& query = tdm->filmQ();
        query.setStatement({built.sql});
        query.setParameters(built.values);
        query.open();
        Rows rows;
        for (int row = 0; row < query.rowCount(); ++row) {
            QStringList values;
            for (int column = 0; column < query.columnCount(); ++column)
                values << query.value(row, column).toString();
            rows << values;
        }
        query.close();
        return sortedRows(rows);
    }

    // What the test's own reading of bok.DB says the criterion must find: every book whose
    // field holds exactly the typed text, as title, author and the criterion's third field.
    Rows expected(const QString& field, const QString& third, const QString& typed) const {
        FileDatabase database(catalogue->file(u"bok.DB"_s), false);
        Statement all = database.prepare(u"SELECT * FROM Bok"_s);
        const auto column = [&all](const QString& name) {
            for (int i = 0; i < all.columnCount(); ++i) {
                if (all.columnName(i) == name)
                    return i;
            }
            return -1;
        };
        const int compared = column(field);
        const int shown = column(third);
        const int title = column(u"Titel"_s);
        const int author = column(u"Author"_s);
        Rows rows;
        while (all.step()) {
            if (all.text(compared) == typed)
                rows << QStringList{all.text(title), all.text(author), all.text(shown)};
        }
        return sortedRows(rows);
    }

    static QStringList titles(const Rows& rows) {
        QStringList found;
        for (const QStringList& row : rows)
            found << row.first();
        found.sort();
        return found;
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        test::addBooks(*catalogue);
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
    }
    void cleanup() {
        tdm.reset();
        catalogue.reset();
    }

    void thePageHasSixCriteriaWithOneSortedActiveInput() {
        const SearchRegister& r = literatureSearch();
        QCOMPARE(r.criteria.size(), 6);
        QVERIFY(!r.twoInputs && r.submitIsDefault);
        QVERIFY(r.opening == Opening::SelectFirst);
        QCOMPARE(r.firstPromptText, u"Find field"_s);
        QCOMPARE(r.inputText, u"Choose here"_s);
        QStringList radios;
        QStringList prompts;
        QStringList texts;
        for (const Criterion& criterion : r.criteria) {
            radios << criterion.radioText;
            prompts << criterion.first.prompt;
            texts << criterion.first.text;
            QVERIFY(criterion.first.inUse && criterion.first.sorted);
            QVERIFY(!criterion.throughFile);
        }
        QCOMPARE(radios, (QStringList{u"List all books from a author"_s,
                                      u"List all books in a chosen genre"_s,
                                      u"List all book from a  publlished Year"_s,
                                      u"List all books with a chosen rate"_s,
                                      u"List all books in a chosen format"_s,
                                      u"List all books from a chosen publisher"_s}));
        QCOMPARE(prompts, (QStringList{u"The Authors name"_s, u"Chose genre"_s,
                                       u"Enter date in format YYYY"_s, u"Choose rate"_s,
                                       u"Choose"_s, u"The publishers name"_s}));
        QCOMPARE(texts,
                 (QStringList{u"Choose here"_s, u"Choose here"_s, u"Enter Date in format YYYY"_s,
                              u"Choose here"_s, u"Choose here"_s, u"Choose here"_s}));
    }

    void statementsJoinTheirPiecesExactly() {
        const auto text = [](BookCriterion criterion, const QString& typed) {
            return buildStatement(books(criterion), {typed}).text;
        };
        QCOMPARE(text(ByAuthor, u"Frank Herbert"_s),
                 u"SELECT Titel, Author, ISBN FROM Bok WHERE Author = 'Frank Herbert' "_s);
        QCOMPARE(text(Genre, u"Sci-Fi"_s),
                 u"SELECT Titel, Author, Category FROM Bok WHERE Category = 'Sci-Fi' "_s);
        QCOMPARE(text(Year, u"1965"_s),
                 u"SELECT Titel, Author, Category FROM Bok WHERE Publication_Year = '1965' "_s);
        QCOMPARE(text(Rate, u"Cult"_s),
                 u"SELECT Titel, Author, Category FROM Bok WHERE Kritik = 'Cult' "_s);
        QCOMPARE(text(Format, u"Bounded"_s),
                 u"SELECT Titel, Author, Category FROM Bok WHERE Format = 'Bounded' "_s);
        QCOMPARE(text(ByPublisher, u"Penguin"_s),
                 u"SELECT Titel, Author, Publisher FROM Bok WHERE Publisher = 'Penguin' "_s);
        QCOMPARE(text(ByAuthor, u"Flann O'Brien"_s),
                 u"SELECT Titel, Author, ISBN FROM Bok WHERE Author = 'Flann O''Brien' "_s);
    }

    void everyCriterionFindsWhatTheTestsOwnQueryFinds() {
        struct Case {
            BookCriterion criterion;
            QString field;
            QString third;
            QStringList typed;
        };
        const QList<Case> cases{
            {ByAuthor,
             u"Author"_s,
             u"ISBN"_s,
             {u"Frank Herbert"_s, u"August Strindberg"_s, u"august strindberg"_s,
              u"Flann O'Brien"_s, u"FRANK HERBERT"_s, u"Choose here"_s}},
            {Genre,
             u"Category"_s,
             u"Category"_s,
             {u"Sci-Fi"_s, u"Poetry"_s, u"Novel"_s, u"sci-fi"_s, u"Thriller"_s}},
            {Year,
             u"Publication_Year"_s,
             u"Category"_s,
             {u"1965"_s, u"1879"_s, u"2001"_s, u"Enter Date in format YYYY"_s, u"196"_s}},
            {Rate,
             u"Kritik"_s,
             u"Category"_s,
             {u"Masterpiece"_s, u"Cult"_s, u"Bad"_s, u"Very good"_s, u"ok"_s}},
            {Format,
             u"Format"_s,
             u"Category"_s,
             {u"Bounded"_s, u"Paperback"_s, u"Report"_s, u"File"_s}},
            {ByPublisher,
             u"Publisher"_s,
             u"Publisher"_s,
             {u"Penguin"_s, u"Bonniers"_s, u"Chilton"_s, u"penguin"_s, u"Putnam "_s}},
        };
        int nonEmpty = 0;
        for (const Case& c : cases) {
            for (const QString& typed : c.typed) {
                const Rows rows = found(c.criterion, typed);
                QVERIFY2(rows == expected(c.field, c.third, typed),
                         qPrintable(books(c.criterion).radioText + u": "_s + typed));
                nonEmpty += rows.isEmpty() ? 0 : 1;
            }
        }
        QCOMPARE(nonEmpty, 19); // the cases are not all empty on both sides
    }

    void lettersCaseAndQuotesCountAsTyped() {
        QCOMPARE(titles(found(ByAuthor, u"Frank Herbert"_s)),
                 (QStringList{u"Children of Dune"_s, u"Dune"_s}));
        QCOMPARE(titles(found(ByAuthor, u"august strindberg"_s)), QStringList{u"Hemsöborna"_s});
        QCOMPARE(titles(found(ByAuthor, u"Flann O'Brien"_s)), QStringList{u"At Swim-Two-Birds"_s});
        QCOMPARE(titles(found(Year, u"1965"_s)), (QStringList{u"Anonymous Verses"_s, u"Dune"_s}));
        // The untouched hint is searched for literally and finds nothing, without an error.
        QVERIFY(found(Year, u"Enter Date in format YYYY"_s).isEmpty());
        QVERIFY(found(Genre, u"Sci-Fi' OR '1'='1"_s).isEmpty());
        QCOMPARE(catalogue->scalar(u"bok.DB"_s, u"SELECT count(*) FROM Bok"_s), u"6"_s);
    }

    void onlyTheAuthorSearchRetitlesItsFirstColumn() {
        const QList<QPair<BookCriterion, QStringList>> expectedTitles{
            {ByAuthor, {u"Title"_s, u"Author"_s, u"ISBN"_s}},
            {Genre, {u"Titel"_s, u"Author"_s, u"Category"_s}},
            {Year, {u"Titel"_s, u"Author"_s, u"Category"_s}},
            {Rate, {u"Titel"_s, u"Author"_s, u"Category"_s}},
            {Format, {u"Titel"_s, u"Author"_s, u"Category"_s}},
            {ByPublisher, {u"Titel"_s, u"Author"_s, u"Publisher"_s}}};
        Query& query = tdm->filmQ();
        for (const auto& [criterion, shown] : expectedTitles) {
            const BuiltStatement built = buildStatement(books(criterion), {u"x"_s});
            query.setStatement({built.sql});
            query.setParameters(built.values);
            query.open();
            QStringList names;
            for (int column = 0; column < query.columnCount(); ++column)
                names << query.columnName(column);
            query.close();
            QStringList titles;
            for (const ColumnLook& look : columnLooks(books(criterion).columns, names)) {
                QVERIFY(!look.hidden);
                titles << look.title;
            }
            QCOMPARE(titles, shown);
        }
    }

    void pickListsAreSortedAndNamesComeFromThePickListTable() {
        QCOMPARE(pickListEntries(*tdm, books(ByAuthor).first),
                 (QStringList{u"August Strindberg"_s, u"august strindberg"_s, u"Flann O'Brien"_s,
                              u"Frank Herbert"_s}));
        QCOMPARE(pickListEntries(*tdm, books(ByPublisher).first),
                 (QStringList{u"Bonniers"_s, u"Chilton"_s, u"Penguin"_s, u"Putnam"_s}));
        const QStringList genres = pickListEntries(*tdm, books(Genre).first);
        QCOMPARE(genres.size(), 17);
        QCOMPARE(genres.first(), u"Comedy"_s);
        QCOMPARE(genres.last(), u"Work of reference"_s);
        QCOMPARE(pickListEntries(*tdm, books(Rate).first),
                 (QStringList{u"Bad"_s, u"Cult"_s, u"Excellent"_s, u"Garbage"_s, u"Good"_s,
                              u"Masterpiece"_s, u"Ok"_s, u"Very good"_s}));
        QCOMPARE(pickListEntries(*tdm, books(Format).first),
                 (QStringList{u"Bounded"_s, u"Compendium"_s, u"Composition"_s, u"File"_s,
                              u"Folder"_s, u"Paperback"_s, u"Report"_s}));
        QVERIFY(pickListEntries(*tdm, books(Year).first).isEmpty());
    }

    void theEditPageListsStandAsGivenDuplicatesIncluded() {
        const QStringList categories = bookCategories();
        QCOMPARE(categories,
                 (QStringList{u"Thriller"_s, u"Drama"_s, u"Western"_s, u"Sci-Fi"_s, u"Roman"_s,
                              u"Romantik"_s, u"Komedi"_s, u"Thriller"_s, u"Detective story"_s,
                              u"Novel"_s, u"Horror"_s, u"Sci-Fi"_s, u"Nonfiction"_s,
                              u"Work of reference"_s, u"Fairy tale"_s, u"Epos"_s, u"Poetry"_s,
                              u"Script"_s, u"Other"_s}));
        QCOMPARE(bookFormats(),
                 (QStringList{u"Bounded"_s, u"Paperback"_s, u"Compendium"_s, u"Folder"_s,
                              u"Report"_s, u"Composition"_s, u"File"_s}));
        QCOMPARE(bookRatings(),
                 (QStringList{u"Masterpiece"_s, u"Cult"_s, u"Excellent"_s, u"Very good"_s,
                              u"Good"_s, u"Ok"_s, u"Bad"_s, u"Garbage"_s}));
        QCOMPARE(bookSearchGenres().size(), 17);
        QVERIFY(bookSearchGenres().contains(u"Police-novel"_s));
        QVERIFY(!bookSearchGenres().contains(u"Roman"_s)); // the two lists differ
    }
};

QTEST_GUILESS_MAIN(TestLiteratureSearch)
#include "test_literature_search.moc"
