#include "LiteraturePickLists.h"

using namespace Qt::StringLiterals;

namespace hoardly {

QStringList bookCategories() {
    // "Thriller" and "Sci-Fi" are offered twice, as the users have always seen the list.
    return {u"Thriller"_s,
            u"Drama"_s,
            u"Western"_s,
            u"Sci-Fi"_s,
            u"Roman"_s,
            u"Romantik"_s,
            u"Komedi"_s,
            u"Thriller"_s,
            u"Detective story"_s,
            u"Novel"_s,
            u"Horror"_s,
            u"Sci-Fi"_s,
            u"Nonfiction"_s,
            u"Work of reference"_s,
            u"Fairy tale"_s,
            u"Epos"_s,
            u"Poetry"_s,
            u"Script"_s,
            u"Other"_s};
}

QStringList bookFormats() {
    return {u"Bounded"_s, u"Paperback"_s,   u"Compendium"_s, u"Folder"_s,
            u"Report"_s,  u"Composition"_s, u"File"_s};
}

QStringList bookRatings() {
    return {u"Masterpiece"_s, u"Cult"_s, u"Excellent"_s, u"Very good"_s,
            u"Good"_s,        u"Ok"_s,   u"Bad"_s,       u"Garbage"_s};
}

QStringList bookSearchGenres() {
    return {u"Thriller"_s,
            u"Drama"_s,
            u"Western"_s,
            u"Indianstory"_s,
            u"Sci-Fi"_s,
            u"Novel"_s,
            u"Romance"_s,
            u"Comedy"_s,
            u"Detective story"_s,
            u"Nonfiction"_s,
            u"Work of reference"_s,
            u"Fairy tale"_s,
            u"Epos"_s,
            u"Poetry"_s,
            u"Script"_s,
            u"Police-novel"_s,
            u"Other"_s};
}

} // namespace hoardly
