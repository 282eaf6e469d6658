#include "ReadOnlyStart.h"

#include <QEvent>
#include <QLineEdit>

namespace hoardly {

namespace {

void placeCaret(QLineEdit* edit) {
    if (edit->isReadOnly())
        edit->setCursorPosition(0);
    else
        edit->end(false);
}

// Owned by its box; follows the box's switches between read-only and editable.
class ReadOnlyWatch final : public QObject {
public:
    explicit ReadOnlyWatch(QLineEdit* edit) : QObject(edit), edit_(edit) {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, [this] {
            if (edit_->isReadOnly())
                edit_->setCursorPosition(0);
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == edit_ && event->type() == QEvent::ReadOnlyChange)
            placeCaret(edit_);
        return QObject::eventFilter(watched, event);
    }

private:
    QLineEdit* edit_;
};

} // namespace

void showStartWhileReadOnly(QLineEdit* edit) {
    new ReadOnlyWatch(edit);
    placeCaret(edit);
}

} // namespace hoardly
