#pragma once

#include <QStringList>

namespace hoardly {

// The fixed pick lists of the literature register, shared by its edit page and its search page.
QStringList bookCategories();   // the edit page's 19 categories; two of them stand twice
QStringList bookFormats();      // 7 formats
QStringList bookRatings();      // 8 ratings, best first
QStringList bookSearchGenres(); // the search page's 17 genres

} // namespace hoardly
