#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace hoardly {

// The "&OK", "&Cancel" and "&Tip" buttons every record page has. None of them is an automatic
// default button: ENTER steps from field to field instead of pressing one.
struct RecordButtons {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* tip = nullptr;
};

// Names the three buttons `ok`, `cancel` and `tip` (object names), parented to `parent`.
RecordButtons makeRecordButtons(QWidget* parent, const QString& ok, const QString& cancel,
                                const QString& tip);

} // namespace hoardly
