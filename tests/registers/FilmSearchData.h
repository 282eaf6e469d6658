#pragma once

#include "TempCatalogue.h"

using namespace Qt::StringLiterals;

namespace hoardly::test {

// A handful of films and remembered names that the film search tests look through.
inline void addSearchFilms(const TempCatalogue& catalogue) {
    catalogue.exec(
        u"film.DB"_s,
        u"INSERT INTO Film (\"Index\", Titel, Kategori, Inspelningsar, Aktor, Aktor2, Aktor3, "
        "Regi, Media, Kritik, Kommentar, Utlanad, Speltid, \"Utlanad till\") VALUES "
        "(1, 'Heat', 'Thriller', '1995', 'Al Pacino', 'Robert De Niro', '', 'Michael Mann', "
        "'DVD', '****', 'Bank job', 0, 170, ''), "
        "(2, 'The Godfather', 'Drama', '1972', 'Marlon Brando', 'Al Pacino', '', "
        "'Francis Ford Coppola', 'VHS', '*****', '', 1, 175, 'Eva Ek'), "
        "(3, 'Scarface', 'Drama', '1983', 'Steven Bauer', '', 'Al Pacino', 'Brian De Palma', "
        "'Annat', '***', '', 0, 170, ''), "
        "(4, 'Taxi Driver', 'Drama', '1976', 'Robert De Niro', '', '', 'Martin Scorsese', "
        "'DVD', '*****', '', 0, 114, ''), "
        "(5, 'Änglagård', 'Drama', '1992', 'Helena Bergström', '', '', 'Colin Nutley', 'VHS', "
        "'***', '', 0, 90, ''), "
        "(6, 'Lawrence of Arabia', 'War', '1962', 'Peter O''Toole', 'Omar Sharif', '', "
        "'David Lean', 'Laserdisc', '*****', '', 0, 216, ''), "
        "(7, 'Dracula', 'Horror', '1931', 'Bela Lugosi', '', '', 'Tod Browning', 'VHS-C', "
        "'Not seen', '', 0, 75, ''), "
        "(8, 'Short \"Cut\"', 'Comedy', '2001', 'Anna \"Nan\" Berg', '', '', 'Ö. Åberg', 'CD', "
        "'**', '', 0, 89, '')"_s);
    // Remembered names in the order they were met; a name twice and a case variant stay.
    catalogue.exec(u"Standard.db"_s,
                   u"INSERT INTO Standard (Aktor, Regi) VALUES "
                   "('Robert De Niro', ''), ('Al Pacino', 'Michael Mann'), ('', 'David Lean'), "
                   "('Marlon Brando', ''), ('al pacino', ''), ('Al Pacino', 'Brian De Palma'), "
                   "('Peter O''Toole', ''), ('Helena Bergström', 'Colin Nutley'), "
                   "('Bela Lugosi', '')"_s);
}

} // namespace hoardly::test
