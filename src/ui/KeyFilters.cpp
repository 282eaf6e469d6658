#include "KeyFilters.h"

#include "data/SharedRoutines.h"
#include "ui/Dialogs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace hoardly {

DigitsFilter::DigitsFilter(Dialogs& dialogs, KeyFilterKind kind, QWidget* control)
    : QObject(control), dialogs_(dialogs), kind_(kind) {
    control->installEventFilter(this);
}

bool DigitsFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.isEmpty() || key->key() == Qt::Key_Escape || key->key() == Qt::Key_Tab ||
        key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Delete ||
        key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) ||
        key->matches(QKeySequence::Paste) || key->matches(QKeySequence::SelectAll))
        return false;
    const QChar character = text.front();
    const bool allowed = kind_ == KeyFilterKind::PhoneDigits ? isPhoneDigitsKey(character)
                                                             : isDigitsOnlyKey(character);
    if (allowed)
        return false;
    dialogs_.message(qobject_cast<QWidget*>(watched), QString::fromLatin1(kOnlyDigitsMessage));
    return true;
}

void focusNextControl(QWidget* window) {
    QWidget* current = QApplication::focusWidget();
    if (!current || !window->isAncestorOf(current))
        current = window;
    for (QWidget* next = current->nextInFocusChain(); next && next != current;
         next = next->nextInFocusChain()) {
        if (next != window && window->isAncestorOf(next) && next->isVisible() &&
            next->isEnabled() && (next->focusPolicy() & Qt::TabFocus) &&
            next->focusProxy() == nullptr) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

EnterAsTab::EnterAsTab(QWidget* window) : QObject(window), window_(window) {
    qApp->installEventFilter(this);
}

void EnterAsTab::exempt(QWidget* widget) {
    exempt_ << widget;
}

bool EnterAsTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !window_)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !window_->isAncestorOf(widget) || widget != QApplication::focusWidget())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    for (const QPointer<QWidget>& exempt : std::as_const(exempt_)) {
        if (exempt && (exempt == widget || exempt->isAncestorOf(widget)))
            return false;
    }
    focusNextControl(window_);
    return true;
}

} // namespace hoardly
