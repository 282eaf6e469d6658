#pragma once

#include <QString>

namespace hoardly::bench {

// Fills film.DB in the directory with `count` films: made-up but realistic titles, actors,
// directors, years, rates and screen times. Deterministic for one count.
void generateFilms(const QString& directory, int count);

// A fresh starter catalogue in a new temporary directory; returns its path. The caller
// removes it (QDir::removeRecursively).
QString makeBenchCatalogue();

// A bench catalogue with as many generated films as the first command-line argument says
// (`fallback` without one); tells how long the generating took.
struct FilmCatalogue {
    QString directory;
    int count = 0;
};
FilmCatalogue makeFilmCatalogue(int argc, char** argv, int fallback = 100000);

// The resident memory of this process in kB.
long residentKilobytes();

// The title generateFilms gives film number i (1-based), for locating known films.
QString generatedTitle(int i);

} // namespace hoardly::bench
