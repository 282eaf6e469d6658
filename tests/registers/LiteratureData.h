#pragma once

#include "TempCatalogue.h"

using namespace Qt::StringLiterals;

namespace hoardly::test {

// Six books in key order (index numbers out of order, one without an author, an apostrophe,
// Swedish letters, an author in two letter cases) and the authors and publishers remembered
// for them, in the order they were met.
inline void addBooks(const TempCatalogue& catalogue) {
    catalogue.exec(
        u"bok.DB"_s,
        u"INSERT INTO Bok (\"Index\", Titel, Author, Publisher, Category, Format, Kritik, ISBN, "
        "Publication_Year, Serie, Comments, Lent_Out, Lent_To) VALUES "
        "(3, 'Röda rummet', 'August Strindberg', 'Bonniers', 'Novel', 'Bounded', "
        "'Masterpiece', '91-0-012345-6', '1879', '', 'Stockholm', 0, ''), "
        "(1, 'Dune', 'Frank Herbert', 'Chilton', 'Sci-Fi', 'Paperback', 'Cult', "
        "'0-441-17271-7', '1965', 'Dune', '', 1, 'Eva Ek'), "
        "(2, 'Children of Dune', 'Frank Herbert', 'Putnam', 'Sci-Fi', 'Bounded', 'Excellent', "
        "'0-399-11697-4', '1976', 'Dune', '', 0, ''), "
        "(5, 'At Swim-Two-Birds', 'Flann O''Brien', 'Penguin', 'Comedy', 'Paperback', 'Good', "
        "'0-14-118268-3', '1939', '', '', 0, ''), "
        "(4, 'Anonymous Verses', '', 'Penguin', 'Poetry', 'Folder', 'Ok', '', '1965', '', '', "
        "0, ''), "
        "(6, 'Hemsöborna', 'august strindberg', 'Bonniers', 'Drama', 'Report', 'Bad', "
        "'91-7-000000-1', '2001', '', '', 0, '')"_s);
    catalogue.exec(u"Standard.db"_s, u"INSERT INTO Standard (Author, Publisher) VALUES "
                                     "('Frank Herbert', 'Penguin'), ('August Strindberg', ''), "
                                     "('', 'Bonniers'), ('Flann O''Brien', 'Chilton'), "
                                     "('august strindberg', 'Putnam')"_s);
}

} // namespace hoardly::test
