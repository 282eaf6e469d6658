#include "FilmPickLists.h"

using namespace Qt::StringLiterals;

namespace hoardly {

QStringList filmCategories() {
    return {u"Action"_s,          u"Child"_s,    u"Comedy"_s, u"Concert"_s,     u"Detective"_s,
            u"Documentary"_s,     u"Drama"_s,    u"Drawed"_s, u"Educational"_s, u"Erotic"_s,
            u"Horror"_s,          u"Indian"_s,   u"Music"_s,  u"Police"_s,      u"Romance"_s,
            u"Science Fiction"_s, u"Thriller"_s, u"War"_s,    u"Western"_s};
}

QStringList filmStorageKinds() {
    return {u"VHS"_s,  u"S-VHS"_s, u"VHS-C"_s, u"Video8"_s,     u"Hi8"_s, u"DVD"_s,  u"Laserdisc"_s,
            u"8 mm"_s, u"16 mm"_s, u"Beta"_s,  u"Video 2000"_s, u"CD"_s,  u"Annat"_s};
}

} // namespace hoardly
