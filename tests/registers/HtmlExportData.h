#pragma once

#include "TempCatalogue.h"
#include "data/Dates.h"
#include "registers/HtmlExport.h"

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace hoardly::test {

// The day every exported test page is dated with.
inline const QDate kExportDay(2024, 3, 5);

// Three records for each register that exports its table: escaping, empty fields, letters
// beyond ASCII, and (inventory) an object without a purchase date or value.
inline void addFilmsToExport(const TempCatalogue& catalogue) {
    catalogue.exec(u"film.DB"_s,
                   u"INSERT INTO Film (FilmId, \"Index\", Titel, Kategori, Kritik, Inspelningsar) "
                   "VALUES (1, 2, 'Tom & Jerry', 'Child', 'Good', '1940'), "
                   "(2, 1, '<Untitled>', NULL, '', NULL), "
                   "(3, NULL, 'Smultronstället \"Wild\"', 'Drama', 'Bästa', '1957')"_s);
}

inline void addMusicToExport(const TempCatalogue& catalogue) {
    catalogue.exec(u"Musik.DB"_s,
                   u"INSERT INTO Musik (Mid, Titel, Artist, Kategori, Produktionsar, Media) "
                   "VALUES (1, 'Arrival', 'Abba', 'Pop', '1976', 'CD'), "
                   "(2, 'Visor', 'Åsa Jinder', '', NULL, 'MP3'), "
                   "(3, 'Rock & Roll <Live>', 'Zeppelin', 'Rock', '1971', 'Vinyl')"_s);
}

inline void addSoftwareToExport(const TempCatalogue& catalogue) {
    catalogue.exec(u"data.DB"_s, u"INSERT INTO Data (Did, Namn, Version, Producent, Kategori, Typ) "
                                 "VALUES (1, 'WinZip', '8.0', 'Nico Mak', 'Utility', 'Shareware'), "
                                 "(2, 'Kod''n Kaffe', '', 'Åhléns', 'Programming', NULL), "
                                 "(3, 'C++ & \"more\"', '2', '', 'Programming', 'Freeware')"_s);
}

inline void addBooksToExport(const TempCatalogue& catalogue) {
    catalogue.exec(
        u"bok.DB"_s,
        u"INSERT INTO Bok (Lid, \"Index\", Titel, Author, Category, Kritik, Publication_Year) "
        "VALUES (1, 1, 'Dune', 'Frank Herbert', 'Sci-Fi', 'Cult', '1965'), "
        "(2, 2, 'Anonymous Verses', '', 'Poetry', '', '1965'), "
        "(3, 3, 'Röda rummet', 'August Strindberg', 'Novel', 'Masterpiece', '1879')"_s);
}

inline void addObjectsToExport(const TempCatalogue& catalogue) {
    catalogue.exec(u"Value.DB"_s,
                   u"INSERT INTO Value (Vid, Benamning, Marknr, Beskrivning, Inkopt_Datum, "
                   "\"Varderad till\") VALUES "
                   "(1, 'Piano', 'P-1', 'Upright, black', '2019-06-01', 25000), "
                   "(2, 'Ring', '', 'Guld & diamant', NULL, NULL), "
                   "(3, 'Vas', 'V<2>', 'Orrefors', '1999-12-31', 1200)"_s);
}

// A golden page of tests/registers/golden, its dates (written "@yyyy-MM-dd@") in the short
// date format of the machine the test runs on.
inline QByteArray goldenPage(const QString& name) {
    QFile file(QStringLiteral(HOARDLY_GOLDEN_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromLatin1(file.readAll());
    static const QRegularExpression date(u"@(\\d{4}-\\d\\d-\\d\\d)@"_s);
    QRegularExpressionMatch match;
    while ((match = date.match(text)).hasMatch())
        text.replace(match.capturedStart(), match.capturedLength(),
                     dateToText(QDate::fromString(match.captured(1), Qt::ISODate)));
    return text.toLatin1();
}

} // namespace hoardly::test
