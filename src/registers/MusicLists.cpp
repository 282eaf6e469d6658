#include "MusicLists.h"

using namespace Qt::StringLiterals;

namespace hoardly::music {

QStringList categories() {
    return {u"Classical"_s, u"Club"_s,    u"Dance"_s,        u"Reggae"_s, u"Rock"_s,   u"Metal"_s,
            u"Soft"_s,      u"Pop"_s,     u"Techno"_s,       u"Party"_s,  u"Gospel"_s, u"Jazz"_s,
            u"Blues"_s,     u"Hip-Hop"_s, u"Ballad"_s,       u"Song"_s,   u"Funk"_s,   u"Opera"_s,
            u"Punk"_s,      u"Disco"_s,   u"Instrumental"_s, u"Other"_s};
}

QStringList storageKinds() {
    return {u"CD"_s,       u"CD"_s,      u"CD-R"_s,     u"CD-RW"_s, u"DVD"_s,
            u"Minidisc"_s, u"Kassett"_s, u"Rullband"_s, u"Vinyl"_s, u"Stenkaka"_s,
            u"MP3"_s,      u"Midi"_s,    u"WAW"_s,      u"Annat"_s};
}

QStringList searchCategories() {
    return {u"Dans"_s,  u"Classical"_s, u"Club"_s,         u"Dance"_s, u"Reggae"_s, u"Rock"_s,
            u"Metal"_s, u"Soft"_s,      u"Techno"_s,       u"Party"_s, u"Gospel"_s, u"Jazz"_s,
            u"Blues"_s, u"Hip-Hop"_s,   u"Ballad"_s,       u"Song"_s,  u"Funk"_s,   u"Opera"_s,
            u"Punk"_s,  u"Disco"_s,     u"Instrumental"_s, u"Pop"_s,   u"Other"_s};
}

QStringList searchStorageKinds() {
    return {u"CD"_s,   u"CD-R"_s,  u"CD-RW"_s, u"Minidisc"_s, u"Cassette"_s,
            u"Tape"_s, u"Vinyl"_s, u"MP3"_s,   u"Other"_s};
}

} // namespace hoardly::music
