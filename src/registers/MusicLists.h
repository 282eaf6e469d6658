#pragma once

#include <QStringList>

namespace hoardly::music {

// The edit page's pick lists, in the order they show their entries ("CD" stands twice).
QStringList categories();   // 22
QStringList storageKinds(); // 14
// The search page's own lists, which differ from the edit page's.
QStringList searchCategories();   // 23
QStringList searchStorageKinds(); // 9

} // namespace hoardly::music
