#pragma once

#include "MainButtons.h"

#include <QIcon>
#include <QPixmap>

namespace hoardly {

// The program's pictures are drawn when needed, so the program ships no image files.
QIcon mainButtonIcon(MainButton button);
QIcon programIcon();
QPixmap programPixmap(int size);
// The intro window's large picture.
QPixmap introPicture();

} // namespace hoardly
