#pragma once

#include <QString>

namespace hoardly::bench {

// Fills Musik.DB and song.db in the directory with `records` records and `songsPerRecord` songs
// for each, the songs in record order as a collector enters them; every artist is remembered
// in Standard.db. Deterministic for one count.
void generateMusic(const QString& directory, int records, int songsPerRecord);

// The artist generateMusic gives record number i (1-based).
QString generatedArtist(int i);
// The name of song number s (0-based) of record number i.
QString generatedSong(int i, int s);

} // namespace hoardly::bench
