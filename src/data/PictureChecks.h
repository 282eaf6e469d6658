#pragma once

#include <QByteArrayView>

namespace hoardly {

// Whether picture data is cut short or promises more than it holds, for the formats whose
// readers fill the missing part with grey or stray memory instead of failing: a bitmap whose
// pixel rows run past its end, a JPEG or a GIF without its end marker. Data of any other
// format, or not recognised at all, is left to the picture reader and answers false.
bool isTruncatedPicture(QByteArrayView data);

} // namespace hoardly
