#pragma once

#include "TempCatalogue.h"

using namespace Qt::StringLiterals;

namespace hoardly::test {

// Six music records, in artist order Abba (2), Bach, Beatles, Mixed Hits, Åsa Jinder, with their
// songs (Bach's "Dancing Queen" is the first song row); the records' keys are 1..6 in the order written here.
inline void addMusic(const TempCatalogue& catalogue) {
    catalogue.exec(u"Musik.DB"_s,
                   u"INSERT INTO Musik (Mid, Titel, Artist, Kategori, Produktionsar, Media, "
                   "Samlingsskiva, \"Utlanad till\") VALUES "
                   "(1, 'Arrival', 'Abba', 'Pop', '1976', 'CD', 0, NULL), "
                   "(2, 'Goldberg Variations', 'Bach', 'Classical', '1741', 'Vinyl', 0, NULL), "
                   "(3, 'Abbey Road', 'Beatles', 'Rock', '1969', 'Vinyl', 0, 'Eva Lind'), "
                   "(4, 'Mixed Hits', 'Mixed Hits', 'Party', '1999', 'CD-R', 1, NULL), "
                   "(5, 'Gold', 'Abba', 'Pop', '1992', 'CD', 0, NULL), "
                   "(6, 'Visor', 'Åsa Jinder', 'Song', '1999', 'MP3', 0, NULL)"_s);
    catalogue.exec(u"song.db"_s,
                   u"INSERT INTO Song (Mid, Namn) VALUES "
                   "(2, 'Dancing Queen'), (1, 'Dancing Queen'), (1, 'Money, Money, Money'), (3, 'Come Together'), "
                   "(3, 'Something'), (4, 'Dancing Queen (ABBA)'), (4, 'Yesterday (Beatles)'), "
                   "(5, 'Dancing Queen'), (6, 'ÅSA-VISAN'), (3, 'Here Comes the Sun')"_s);
    catalogue.exec(u"Standard.db"_s,
                   u"INSERT INTO Standard (Musikartist) VALUES ('Abba'), ('Bach'), ('Beatles')"_s);
}

} // namespace hoardly::test
