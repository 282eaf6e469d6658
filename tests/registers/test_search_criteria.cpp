#include "FilmSearchData.h"
#include "TempCatalogue.h"
#include "data/Collation.h"
#include "data/Errors.h"
#include "data/Query.h"
#include "data/Sqlite.h"
#include "data/TDM.h"
#include "registers/SearchCriteria.h"

#include <QtTest>
#include <limits>

using namespace Qt::StringLiterals;
using namespace hoardly;
using namespace hoardly::search;

namespace {

enum FilmCriterion {
    Actor,
    Director,
    Category,
    Rate,
    Below,
    Exceed,
    TwoActors,
    DirectorAndActor,
    CategoryAndRate,
    RateAndActor,
    Year,
    Storage
};

const Criterion& film(FilmCriterion criterion) {
    return filmSearch().criteria.at(criterion);
}

} // namespace

class TestSearchCriteria : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;

    // The titles a criterion finds, run the way the page runs it: values bound to marks.
    QStringList titles(FilmCriterion criterion, const QStringList& typed) {
        const BuiltStatement built = buildStatement(film(criterion), typed);
        Query& query = tdm->filmQ();
        query.setStatement({built.sql});
        query.setParameters(built.values);
        return run(query);
    }
    // The same statement with its values written in, as the statement file holds it.
    QStringList titlesFromText(FilmCriterion criterion, const QStringList& typed) {
        Query& query = tdm->filmQ();
        query.clear();
        query.setStatement({buildStatement(film(criterion), typed).text});
        return run(query);
    }
    static QStringList run(Query& query) {
        query.open();
        QStringList found;
        for (int row = 0; row < query.rowCount(); ++row)
            found << query.value(row, 2).toString();
        found.sort();
        query.close();
        return found;
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        test::addSearchFilms(*catalogue);
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
    }
    void cleanup() {
        tdm.reset();
        catalogue.reset();
    }

    void theFilmPageHasTwelveCriteriaWithTheirListsAndStates() {
        const SearchRegister& r = filmSearch();
        QCOMPARE(r.criteria.size(), 12);
        QVERIFY(r.twoInputs && r.submitIsDefault);
        QCOMPARE(r.criteria.first().radioText, u"List all films with a special actor"_s);
        QCOMPARE(r.criteria.last().radioText, u"List all film stored on a special storage"_s);
        QCOMPARE(film(Actor).second.text, u"Not in use at the moment"_s);
        QVERIFY(!film(Actor).second.inUse && film(Actor).second.prompt.isEmpty());
        QCOMPARE(film(Year).second.text, u"Not in use"_s);
        QCOMPARE(film(Below).first.text, u"Specify the screen time (min) here"_s);
        QVERIFY(film(Below).throughFile && film(Exceed).throughFile && !film(Actor).throughFile);
        // Rates stay in remembered order, also beside a sorted category list.
        QVERIFY(!film(Rate).first.sorted);
        QVERIFY(film(CategoryAndRate).first.sorted && !film(CategoryAndRate).second.sorted);
        QVERIFY(film(TwoActors).first.sorted && film(TwoActors).second.inUse);
        QCOMPARE(film(RateAndActor).first.prompt, u"Actor:"_s);
        QCOMPARE(film(RateAndActor).second.prompt, u"Rate:"_s);
        for (const Criterion& criterion : r.criteria)
            QVERIFY(criterion.first.inUse); // the film page's first input is always active
    }

    void storageOffersTwelveKindsWithoutAnnat() {
        const QStringList kinds = pickListEntries(*tdm, film(Storage).first);
        QCOMPARE(kinds.size(), 12);
        QCOMPARE(kinds.first(), u"VHS"_s);
        QCOMPARE(kinds.last(), u"CD"_s); // in the order given, not sorted
        QVERIFY(!kinds.contains(u"Annat"_s));
        // Typed in, it is still searched for.
        QCOMPARE(titles(Storage, {u"Annat"_s}), QStringList{u"Scarface"_s});
    }

    void statementsJoinTheirPiecesExactly() {
        QCOMPARE(buildStatement(film(Actor), {u"Al Pacino"_s}).text,
                 u"SELECT * FROM Film WHERE Film.Aktor = 'Al Pacino' OR Film.Aktor2 = "
                 "'Al Pacino' OR Film.Aktor3 = 'Al Pacino' "_s);
        QCOMPARE(buildStatement(film(TwoActors), {u"A"_s, u"B"_s}).text,
                 u"SELECT * FROM Film WHERE (Film.Aktor = 'A' OR Film.Aktor2 = 'A' OR "
                 "Film.Aktor3 = 'A' )AND (Film.Aktor = 'B' OR Film.Aktor2 = 'B' OR "
                 "Film.Aktor3 = 'B' )"_s);
        QCOMPARE(buildStatement(film(RateAndActor), {u"A"_s, u"***"_s}).text,
                 u"SELECT * FROM Film WHERE (Film.Kritik = '***')AND (Film.Aktor = 'A' OR "
                 "Film.Aktor2 = 'A' OR Film.Aktor3 = 'A' )"_s);
        QCOMPARE(buildStatement(film(Below), {u"90"_s}).text,
                 u"Select * From Film Where Film.Speltid < 90"_s);
    }

    void typedValuesAreBoundAndWrittenAsProperLiterals() {
        const BuiltStatement built = buildStatement(film(Actor), {u"Peter O'Toole"_s});
        QVERIFY(built.problem.isEmpty());
        QVERIFY(!built.sql.contains(u"Toole"_s));
        QCOMPARE(built.sql.count(u'?'), 3);
        QCOMPARE(built.values,
                 (QVariantList{u"Peter O'Toole"_s, u"Peter O'Toole"_s, u"Peter O'Toole"_s}));
        QVERIFY(built.text.contains(u"'Peter O''Toole'"_s));
        QCOMPARE(sqlTextLiteral(u"it's \"so\""_s), u"'it''s \"so\"'"_s);

        const BuiltStatement number = buildStatement(film(Exceed), {u" 120 "_s});
        QCOMPARE(number.values, QVariantList{qlonglong(120)});
        QCOMPARE(number.text, u"Select * From Film Where Film.Speltid > 120"_s);
    }

    void aScreenTimeMustBeAWholeNumber() {
        const QStringList bad{u"Specify the screen time (min) here"_s,
                              u""_s,
                              u"9 0"_s,
                              u"90.5"_s,
                              u"90 OR 1=1"_s,
                              u"90; DELETE FROM Film"_s};
        for (const QString& typed : bad) {
            const BuiltStatement built = buildStatement(film(Below), {typed});
            QVERIFY2(!built.problem.isEmpty(), qPrintable(typed));
            QVERIFY(built.problem.contains(u"whole minutes"_s));
        }
        QCOMPARE(buildStatement(film(Below), {u"abc"_s}).problem,
                 u"\"abc\" is not a whole number.\nPlease give the screen time in whole "
                 "minutes, for example 90."_s);
        QCOMPARE(buildStatement(film(Below), {u"  "_s}).problem.section(u'\n', 0, 0),
                 u"No number was given."_s);
    }

    void aScreenTimeBeyondEveryNumberIsTooLarge() {
        QCOMPARE(buildStatement(film(Below), {u"99999999999999999999"_s}).problem,
                 u"\"99999999999999999999\" is too large a number.\nPlease give the screen "
                 "time in whole minutes, for example 90."_s);
        QCOMPARE(
            buildStatement(film(Exceed), {u"-9223372036854775809"_s}).problem.section(u'\n', 0, 0),
            u"\"-9223372036854775809\" is too small a number."_s);
        // The largest number there is still runs.
        const BuiltStatement largest = buildStatement(film(Exceed), {u"9223372036854775807"_s});
        QVERIFY(largest.problem.isEmpty());
        QCOMPARE(largest.values, QVariantList{std::numeric_limits<qlonglong>::max()});
    }

    void anActorIsFoundInAnyOfTheThreeFields() {
        const QStringList pacino{u"Heat"_s, u"Scarface"_s, u"The Godfather"_s};
        QCOMPARE(titles(Actor, {u"Al Pacino"_s}), pacino);
        QCOMPARE(titles(TwoActors, {u"Al Pacino"_s, u"Robert De Niro"_s}), QStringList{u"Heat"_s});
        QCOMPARE(titles(TwoActors, {u"Al Pacino"_s, u"Al Pacino"_s}), pacino);
        QCOMPARE(titles(DirectorAndActor, {u"Brian De Palma"_s, u"Al Pacino"_s}),
                 QStringList{u"Scarface"_s});
        QCOMPARE(titles(RateAndActor, {u"Al Pacino"_s, u"*****"_s}),
                 QStringList{u"The Godfather"_s});
        QCOMPARE(titles(CategoryAndRate, {u"Drama"_s, u"***"_s}),
                 (QStringList{u"Scarface"_s, u"Änglagård"_s}));
        QCOMPARE(titles(Year, {u"1931"_s}), QStringList{u"Dracula"_s});
    }

    void letterCaseCountsAndQuotesAreOrdinaryCharacters() {
        QVERIFY(titles(Actor, {u"al pacino"_s}).isEmpty());
        QVERIFY(titles(Director, {u"MICHAEL MANN"_s}).isEmpty());
        QCOMPARE(titles(Actor, {u"Peter O'Toole"_s}), QStringList{u"Lawrence of Arabia"_s});
        QCOMPARE(titles(Actor, {u"Anna \"Nan\" Berg"_s}), QStringList{u"Short \"Cut\""_s});
        // Nothing typed can widen the statement.
        QVERIFY(titles(Actor, {u"x' OR '1'='1"_s}).isEmpty());
        QVERIFY(titles(Category, {u"Drama' --"_s}).isEmpty());
        QCOMPARE(catalogue->scalar(u"film.DB"_s, u"SELECT count(*) FROM Film"_s), u"8"_s);
    }

    void swedishLettersCompareLikeAnyOther() {
        QCOMPARE(titles(Actor, {u"Helena Bergström"_s}), QStringList{u"Änglagård"_s});
        QCOMPARE(titles(Director, {u"Ö. Åberg"_s}), QStringList{u"Short \"Cut\""_s});
        QVERIFY(titles(Actor, {u"Helena Bergstrom"_s}).isEmpty());
        // UPPER on the query's own connection knows å, ä and ö.
        Query& query = tdm->filmQ();
        const BuiltStatement upper = buildStatement(
            u"SELECT * FROM Film WHERE UPPER(Film.Regi) = UPPER ('{T1}') "_s, {u"ö. åBERG"_s});
        query.setStatement({upper.sql});
        query.setParameters(upper.values);
        QCOMPARE(run(query), QStringList{u"Short \"Cut\""_s});
    }

    void theWrittenOutStatementFindsTheSameRows() {
        const QList<QPair<FilmCriterion, QStringList>> searches{
            {Actor, {u"Peter O'Toole"_s}},
            {Director, {u"Ö. Åberg"_s}},
            {Below, {u"90"_s}},
            {Exceed, {u"170"_s}},
            {TwoActors, {u"Al Pacino"_s, u"Al Pacino"_s}},
            {Category, {u"Drama"_s}},
            {Storage, {u"VHS"_s}}};
        for (const auto& [criterion, typed] : searches) {
            const QStringList bound = titles(criterion, typed);
            QVERIFY(!bound.isEmpty());
            QCOMPARE(titlesFromText(criterion, typed), bound);
        }
    }

    void screenTimesCompareAsNumbers() {
        QCOMPARE(titles(Below, {u"90"_s}), (QStringList{u"Dracula"_s, u"Short \"Cut\""_s}));
        QCOMPARE(titles(Exceed, {u"175"_s}), QStringList{u"Lawrence of Arabia"_s});
    }

    void resultColumnsAreTitledAndTheRestHidden() {
        Query& query = tdm->filmQ();
        query.setStatement({u"SELECT * FROM Film"_s});
        query.open();
        QStringList names;
        for (int column = 0; column < query.columnCount(); ++column)
            names << query.columnName(column);
        const QList<ColumnLook> looks = columnLooks(film(Rate).columns, names);
        QStringList shown;
        QStringList hidden;
        for (const ColumnLook& look : looks)
            (look.hidden ? hidden : shown) << look.title;
        QCOMPARE(shown, (QStringList{u"Index"_s, u"Title"_s, u"Category"_s, u"From Year"_s,
                                     u"Actor 1"_s, u"Actor 2"_s, u"Actor 3"_s, u"Directed by"_s,
                                     u"Media"_s, u"Rate"_s, u"ScreenTime"_s, u"Lent to"_s}));
        QCOMPARE(hidden,
                 (QStringList{u"FilmId"_s, u"Kommentar"_s, u"Utlanad"_s, u"Utlaningsdatum"_s}));
        // A column listed without a title keeps its name; one listed twice is matched twice.
        const QList<ColumnLook> twice =
            columnLooks({{u"Mid"_s, {}}, {u"mid"_s, u"Second"_s}}, {u"Mid"_s, u"Namn"_s, u"Mid"_s});
        QCOMPARE(twice[0].title, u"Mid"_s);
        QVERIFY(!twice[0].hidden && twice[1].hidden && !twice[2].hidden);
        QCOMPARE(twice[2].title, u"Second"_s);
    }

    void standardColumnsKeepTableOrderAndDuplicates() {
        QCOMPARE(pickListEntries(*tdm, film(Rate).first),
                 (QStringList{u"*****"_s, u"****"_s, u"***"_s, u"**"_s, u"*"_s, u"Not seen"_s}));
        const QStringList actors = sourceEntries(*tdm, film(Actor).first.source);
        QCOMPARE(actors, (QStringList{u"Robert De Niro"_s, u"Al Pacino"_s, u"Marlon Brando"_s,
                                      u"al pacino"_s, u"Al Pacino"_s, u"Peter O'Toole"_s,
                                      u"Helena Bergström"_s, u"Bela Lugosi"_s}));
        QVERIFY(tdm->standardTb().isOpen()); // opened when it was closed
        const QStringList sorted = pickListEntries(*tdm, film(Actor).first);
        QCOMPARE(sorted.size(), actors.size());
        QCOMPARE(sorted.first(), u"Al Pacino"_s);
        QCOMPARE(sorted.mid(1, 2), (QStringList{u"al pacino"_s, u"Al Pacino"_s}));
        QCOMPARE(sorted.last(), u"Robert De Niro"_s);
        QCOMPARE(pickListEntries(*tdm, film(Category).first).first(), u"Action"_s);
        QVERIFY(pickListEntries(*tdm, film(Below).first).isEmpty());
    }

    void registerColumnsWalkTheTableToItsLastRecord() {
        Table& films = tdm->filmTb();
        films.selectIndex(u"Nummer"_s);
        films.open();
        films.first();
        const PickSource titles{SourceKind::RegisterColumn, &schema::film(), u"Titel"_s, {}};
        const QStringList found = sourceEntries(*tdm, titles);
        QCOMPARE(found.size(), 8);
        QCOMPARE(found.first(), u"Heat"_s);
        QCOMPARE(films.position(), 7);
        const PickSource missing{SourceKind::StandardColumn, nullptr, u"Nothing"_s, {}};
        QVERIFY_THROWS_EXCEPTION(StoreError, sourceEntries(*tdm, missing));
    }

    void actorsAndDirectorsAreLookedUpThroughIndexes() {
        FileDatabase database(catalogue->file(u"film.DB"_s), false);
        const auto plan = [&database](FilmCriterion criterion, const QStringList& typed) {
            const BuiltStatement built = buildStatement(film(criterion), typed);
            Statement explain = database.prepare(u"EXPLAIN QUERY PLAN "_s + built.sql);
            explain.bindAll(built.values);
            QStringList steps;
            while (explain.step())
                steps << explain.text(3);
            return steps.join(u"; "_s);
        };
        const QString actor = plan(Actor, {u"Al Pacino"_s});
        QVERIFY2(actor.contains(u"MULTI-INDEX OR"_s), qPrintable(actor));
        for (const QString& index : {u"Film_Aktor "_s, u"Film_Aktor2"_s, u"Film_Aktor3"_s})
            QVERIFY2(actor.contains(index), qPrintable(actor));
        const QString director = plan(DirectorAndActor, {u"David Lean"_s, u"Omar Sharif"_s});
        QVERIFY2(director.contains(u"Film_Regi"_s), qPrintable(director));
    }

    void sortingIgnoresLetterCaseAndKeepsEqualOnes() {
        QCOMPARE(sortedForPeople({u"beta"_s, u"Alpha"_s, u"alpha"_s, u"Gamma"_s}),
                 (QStringList{u"Alpha"_s, u"alpha"_s, u"beta"_s, u"Gamma"_s}));
    }
};

QTEST_GUILESS_MAIN(TestSearchCriteria)
#include "test_search_criteria.moc"
