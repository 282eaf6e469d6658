#include "RecordButtons.h"

#include "ui/Icons.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

namespace hoardly {

RecordButtons makeRecordButtons(QWidget* parent, const QString& ok, const QString& cancel,
                                const QString& tip) {
    RecordButtons buttons{new QPushButton(u"&OK"_s, parent), new QPushButton(u"&Cancel"_s, parent),
                          new QPushButton(registerIcon(Icon::Tip), u"&Tip"_s, parent)};
    buttons.ok->setObjectName(ok);
    buttons.cancel->setObjectName(cancel);
    buttons.tip->setObjectName(tip);
    for (QPushButton* button : {buttons.ok, buttons.cancel, buttons.tip})
        button->setAutoDefault(false);
    return buttons;
}

} // namespace hoardly
