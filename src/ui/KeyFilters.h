#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace hoardly {

class Dialogs;

enum class KeyFilterKind { DigitsOnly, PhoneDigits };

// Refuses every typed character but digits (and "-" for phones), backspace and ENTER, with
// the message "Only digits allowed in this field" once per refused character.
class DigitsFilter final : public QObject {
    Q_OBJECT
public:
    DigitsFilter(Dialogs& dialogs, KeyFilterKind kind, QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Dialogs& dialogs_;
    KeyFilterKind kind_;
};

// The window's key preview: ENTER typed anywhere in the window moves the focus to the next
// control in its tab order and never reaches the control itself.
class EnterAsTab final : public QObject {
    Q_OBJECT
public:
    explicit EnterAsTab(QWidget* window);
    // Widgets where ENTER keeps its own meaning (a default button's page, say).
    void exempt(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    QList<QPointer<QWidget>> exempt_;
};

// Moves the focus from the focused control of the window to the next one that takes it.
void focusNextControl(QWidget* window);

} // namespace hoardly
