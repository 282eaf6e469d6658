#pragma once

#include <QStringList>

namespace hoardly {

// The fixed pick lists of the film register, shared by its record panel and its search page.
QStringList filmCategories();   // 19 categories
QStringList filmStorageKinds(); // 13 storage kinds, "Annat" (other) last

} // namespace hoardly
