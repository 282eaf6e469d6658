#pragma once

#include <QStringList>
#include <functional>

class QComboBox;
class QWidget;

namespace hoardly::test {

// Runs a step once the modal window opened next has its own event loop going, handing it
// that window (QApplication::activeModalWidget()).
void whenModal(std::function<void(QWidget*)> step);

// The entries of a combo box's list, top to bottom.
QStringList comboItems(const QComboBox* combo);

} // namespace hoardly::test
