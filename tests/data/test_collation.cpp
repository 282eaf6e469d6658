#include "data/Collation.h"

#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace hoardly;

namespace {

const QLocale kSwedish(QLocale::Swedish, QLocale::Sweden);
const QLocale kNeutral(QLocale::English, QLocale::UnitedStates);

} // namespace

// The tests run under the C locale; each chooses the alphabet it checks.
class TestCollation : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setCollationLocale(std::nullopt); }

    void aSystemWithoutALanguageGetsTheNeutralOrder() {
        if (QLocale::system().language() != QLocale::C)
            QSKIP("the system names a language");
        QCOMPARE(collationLocale().language(), QLocale::English);
        QCOMPARE(sortedForPeople({u"Zorn"_s, u"Émile"_s, u"Erik"_s}),
                 (QStringList{u"Émile"_s, u"Erik"_s, u"Zorn"_s}));
    }

    void swedishLettersComeAfterZWhateverTheirCase() {
        setCollationLocale(kSwedish);
        QCOMPARE(collationLocale(), kSwedish);
        QCOMPARE(sortedForPeople({u"Öst"_s, u"åkesson"_s, u"Zorn"_s, u"ärlig"_s, u"Åberg"_s,
                                  u"andersson"_s, u"Émile"_s, u"Erik"_s}),
                 (QStringList{u"andersson"_s, u"Émile"_s, u"Erik"_s, u"Zorn"_s, u"Åberg"_s,
                              u"åkesson"_s, u"ärlig"_s, u"Öst"_s}));
    }

    void theNeutralOrderTakesAccentedLettersAsTheirBase() {
        setCollationLocale(kNeutral);
        QCOMPARE(sortedForPeople({u"Zorn"_s, u"åkesson"_s, u"Adams"_s, u"Åberg"_s, u"émile"_s,
                                  u"Erik"_s, u"Östen"_s}),
                 (QStringList{u"Åberg"_s, u"Adams"_s, u"åkesson"_s, u"émile"_s, u"Erik"_s,
                              u"Östen"_s, u"Zorn"_s}));
    }

    void letterCaseIsAsideAndEqualOnesKeepTheirOrder() {
        setCollationLocale(kSwedish);
        QCOMPARE(sortedForPeople({u"beta"_s, u"Alpha"_s, u"alpha"_s, u"Gamma"_s, u"ALPHA"_s}),
                 (QStringList{u"Alpha"_s, u"alpha"_s, u"ALPHA"_s, u"beta"_s, u"Gamma"_s}));
        QCOMPARE(compareForPeople(u"Åsa", u"åsa"), 0);
        QVERIFY(compareForPeople(u"Asa", u"Åsa") < 0);
    }

    // Rows come in the order of an index that ignores the case of A to Z alone; the result
    // must be the one a full sort gives, for every locale and however far rows are out of
    // place.
    void keyedRowsEndInTheFullOrder() {
        const QStringList names{u"Åberg"_s,    u"åkesson"_s, u"Aaron"_s,  u"Zorn"_s,
                                u"zebra"_s,    u"Émile"_s,   u"emil"_s,   u"Östen"_s,
                                u"öst"_s,      u"Ärla"_s,    u"O'Hara"_s, u"Ohara"_s,
                                u"van Dyke"_s, u"Vandyke"_s, u""_s,       u"12 Angry Men"_s,
                                u"2001"_s,     u"_Hidden"_s, u"Ünal"_s,   u"Berg"_s};
        for (const QLocale& locale : {kSwedish, kNeutral, QLocale(QLocale::Danish)}) {
            setCollationLocale(locale);
            QRandomGenerator random(11);
            std::vector<std::pair<qint64, QString>> rows;
            for (qint64 key = 1; key <= 400; ++key)
                rows.emplace_back(key, names[int(random.bounded(qint64(names.size())))]);
            auto expected = rows;
            std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
                const int order = compareForPeople(a.second, b.second);
                return order != 0 ? order < 0 : a.first < b.first;
            });
            std::vector<qint64> expectedKeys;
            for (const auto& row : expected)
                expectedKeys.push_back(row.first);

            auto asciiOrder = rows; // what SQLite's NOCASE index gives
            std::sort(asciiOrder.begin(), asciiOrder.end(), [](const auto& a, const auto& b) {
                const int order = QString::compare(a.second, b.second, Qt::CaseInsensitive);
                return order != 0 ? order < 0 : a.first < b.first;
            });
            QCOMPARE(keysOrderedForPeople(asciiOrder), expectedKeys);
            QCOMPARE(keysOrderedForPeople(rows), expectedKeys); // any start will do
        }
        QVERIFY(keysOrderedForPeople({}).empty());
    }
};

QTEST_GUILESS_MAIN(TestCollation)
#include "test_collation.moc"
