#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace hoardly {

// The order in which lists and orders show names and titles to people: by the alphabet of the
// collation locale, letter case aside, so "Émile" stands among the E's and "åkesson" beside
// "Åberg". Nothing of it goes into a table file: the files stay plain SQLite.

// The system's locale, or a neutral one when the system names none ("C" would order by
// character codes and put every accented letter after "z").
QLocale collationLocale();
// Orders by another locale from now on (a test, say); none returns to the system's.
void setCollationLocale(const std::optional<QLocale>& locale);
// Counts the changes of the collation locale: an order for people made under another count is
// out of date.
int collationGeneration();

// Below zero, zero or above zero, as a person would order the two texts.
int compareForPeople(QStringView a, QStringView b);
// Sorts texts for people; texts that compare equal keep their order.
void sortForPeople(QStringList& texts);
QStringList sortedForPeople(QStringList texts);

// The keys of keyed texts in the order for people, equal texts in the order of their keys.
// Fastest when the rows come nearly in that order already, as an index that ignores the case
// of A to Z gives them: only the rows out of place are sorted.
std::vector<qint64> keysOrderedForPeople(std::vector<std::pair<qint64, QString>> rows);
// Whether one keyed text stands before another in the order keysOrderedForPeople gives (by the
// run's collator).
bool keyedBeforeForPeople(qint64 keyA, const QString& a, qint64 keyB, const QString& b);
// The same on any thread, by the given locale (the run's collator is the GUI thread's).
std::vector<qint64> keysOrderedForPeople(std::vector<std::pair<qint64, QString>> rows,
                                         const QLocale& locale);

} // namespace hoardly
