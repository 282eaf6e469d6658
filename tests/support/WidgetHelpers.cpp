#include "WidgetHelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>

namespace hoardly::test {

void whenModal(std::function<void(QWidget*)> step) {
    QTimer::singleShot(0, [step = std::move(step)] { step(QApplication::activeModalWidget()); });
}

QStringList comboItems(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

} // namespace hoardly::test
