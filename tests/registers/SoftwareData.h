#pragma once

#include "TempCatalogue.h"

using namespace Qt::StringLiterals;

namespace hoardly::test {

// A few software items in key order, and the manufacturers remembered for them. Some web
// addresses and suppliers come twice or are empty, one registered box was never ticked.
inline void addSoftware(const TempCatalogue& catalogue) {
    catalogue.exec(
        u"data.DB"_s,
        u"INSERT INTO Data (Namn, Version, Producent, Kategori, Typ, Registrerad, Serienr, "
        "Licensnr, Inkopsstalle, \"Inkopt datum\", Pris, Web, Media, Utlanad, \"Utlanad till\") "
        "VALUES "
        "('Access', '97', 'Microsoft', 'Database/catalogue', 'Commercial', 1, 'S-1', 'L-1', "
        "'Dustin', '990101', '2495', 'www.microsoft.com', 'CD', 0, ''), "
        "('Word', '2000', 'Microsoft', 'Word processor', 'Commercial', 0, '', '', 'Dustin', "
        "'', '', 'www.microsoft.com', 'CD-R', 0, ''), "
        "('WinZip', '8.0', 'Nico Mak', 'Utility', 'Shareware', NULL, '', '', 'Webbshop', '', "
        "'', 'http://www.winzip.com', 'Zipfile', 1, 'Eva Ek'), "
        "('Doom', '1.9', 'id Software', 'Games', 'Demo', 1, '', '', '', '', '', '', "
        "'Floppy', 0, ''), "
        "('GIMP', '1.2', 'gimp.org', 'graphic/arts', 'Freeware', NULL, NULL, NULL, NULL, NULL, "
        "NULL, NULL, 'Other', 0, ''), "
        "('Kod''n Kaffe', '2', 'O''Reilly', 'Programming', 'freeware', 1, '', '', 'Åhléns', '', "
        "'', 'ftp://ftp.oreilly.com', 'DVD', 0, ''), "
        "('Office', '4.2', 'microsoft', 'Word processor', 'Commercial', 0, '', '', 'Dustin', "
        "'', '', 'www.microsoft.com', 'CD', 0, '')"_s);
    catalogue.exec(u"Standard.db"_s,
                   u"INSERT INTO Standard (Dataforetag) VALUES ('Nico Mak'), ('Microsoft'), "
                   "(''), ('id Software'), ('microsoft'), (NULL), ('O''Reilly'), "
                   "('gimp.org')"_s);
}

} // namespace hoardly::test
