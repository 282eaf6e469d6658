#pragma once

class QLabel;

namespace hoardly {

// Capitals with a ring or dots ("Å", "Ö") reach above the font's ascent, and a label clips
// what is above its top: a label in tightly stacked lines gets that much room above its text.
void makeRoomForMarks(QLabel* label);

} // namespace hoardly
