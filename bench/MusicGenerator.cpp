#include "MusicGenerator.h"

#include "data/Sqlite.h"

#include <QDir>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace hoardly::bench {

namespace {

const QStringList& words() {
    static const QStringList list{
        u"Love"_s,     u"Night"_s, u"Summer"_s,   u"Dancing"_s, u"River"_s,  u"Heart"_s,
        u"Blue"_s,     u"Fire"_s,  u"Rain"_s,     u"Golden"_s,  u"Street"_s, u"Dream"_s,
        u"Midnight"_s, u"Åsa"_s,   u"Northern"_s, u"Lonely"_s,  u"Wild"_s,   u"Electric"_s};
    return list;
}

constexpr int kArtists = 4000;

} // namespace

QString generatedArtist(int i) {
    const int artist = i % kArtists;
    return words()[artist % int(words().size())] + u" Band "_s + QString::number(artist);
}

QString generatedSong(int i, int s) {
    const int n = i * 31 + s * 7;
    return words()[n % int(words().size())] + u' ' +
           words()[(n / int(words().size())) % int(words().size())] + u' ' + QString::number(i) +
           u'-' + QString::number(s);
}

void generateMusic(const QString& directory, int records, int songsPerRecord) {
    const QDir dir(directory);
    {
        FileDatabase music(dir.filePath(u"Musik.DB"_s), false);
        music.exec(u"BEGIN"_s);
        Statement insert =
            music.prepare(u"INSERT INTO Musik (Mid, Titel, Artist, Kategori, Produktionsar, Media, "
                          "Samlingsskiva) VALUES (?, ?, ?, ?, ?, ?, ?)"_s);
        for (int i = 1; i <= records; ++i) {
            insert.bindAll({i, u"Album %1"_s.arg(i), generatedArtist(i), u"Pop"_s,
                            QString::number(1950 + i % 70), u"CD"_s, i % 50 == 0});
            insert.step();
            insert.reset();
        }
        music.exec(u"COMMIT"_s);
    }
    {
        FileDatabase songs(dir.filePath(u"song.db"_s), false);
        songs.exec(u"BEGIN"_s);
        Statement insert = songs.prepare(u"INSERT INTO Song (Mid, Namn) VALUES (?, ?)"_s);
        for (int i = 1; i <= records; ++i) {
            for (int s = 0; s < songsPerRecord; ++s) {
                insert.bindAll({i, generatedSong(i, s)});
                insert.step();
                insert.reset();
            }
        }
        songs.exec(u"COMMIT"_s);
    }
    FileDatabase standard(dir.filePath(u"Standard.db"_s), false);
    standard.exec(u"BEGIN"_s);
    Statement remember = standard.prepare(u"INSERT INTO Standard (Musikartist) VALUES (?)"_s);
    for (int artist = 1; artist <= std::min(records, kArtists); ++artist) {
        remember.bindAll({generatedArtist(artist)});
        remember.step();
        remember.reset();
    }
    standard.exec(u"COMMIT"_s);
}

} // namespace hoardly::bench
