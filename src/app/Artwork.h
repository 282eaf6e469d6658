#pragma once

#include "MainButtons.h"

#include <QIcon>
#include <QPixmap>

class QPainter;

namespace hoardly {

// The program's pictures are drawn when needed, so the program ships no image files.
QIcon mainButtonIcon(MainButton button);
QIcon programIcon();
QPixmap programPixmap(int size);
// Paints the program's icon into a square of `size` pixels from the painter's origin: the
// desktop's icon files are made from the same drawing as the window icon.
void paintProgramIcon(QPainter& painter, int size);
// The intro window's large picture.
QPixmap introPicture();

} // namespace hoardly
