#include "LabelRoom.h"

#include <QFontMetrics>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace hoardly {

void makeRoomForMarks(QLabel* label) {
    const QFontMetrics metrics(label->font());
    const int above = -metrics.tightBoundingRect(u"ÅÄÖÉ"_s).top() - metrics.ascent();
    if (above > 0)
        label->setContentsMargins(0, above + 1, 0, 0);
}

} // namespace hoardly
