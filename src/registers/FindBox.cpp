#include "FindBox.h"

#include "RegisterLogic.h"
#include "data/DataSource.h"
#include "data/Errors.h"
#include "data/Table.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <utility>

namespace hoardly {

FindBox::FindBox(DataSource& source, const QString& field, int maxLength, QWidget* parent)
    : QLineEdit(parent), source_(source), field_(field) {
    setMaxLength(maxLength);
    Table& table = source_.table();
    connect(&table, &Table::currentChanged, this, &FindBox::followTable);
    connect(&table, &Table::stateChanged, this, &FindBox::followTable);
    connect(&table, &Table::prefixTextsRead, this, &FindBox::textsRead);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (result_)
            result_->hide();
    });
    followTable();
}

Table& FindBox::table() const {
    return source_.table();
}

void FindBox::setField(const QString& field, int maxLength) {
    field_ = field;
    setMaxLength(maxLength);
    lastFound_ = false;
    followTable();
    if (hasFocus())
        prepare();
}

void FindBox::setResultLabel(QLabel* label, const QString& found, const QString& notFound) {
    result_ = label;
    foundText_ = found;
    notFoundText_ = notFound;
    if (result_)
        result_->hide();
}

void FindBox::followTable() {
    if (finding_)
        return;
    QString value;
    try {
        const Table& table = source_.table();
        if (table.isOpen() && table.state() != TableState::Insert && !table.isEmpty())
            value = table.asText(field_);
    } catch (const StoreError& error) {
        emit failed(error.text());
    }
    if (text() != value) {
        // The table moved on its own: a find still waiting for its texts is not wanted now.
        waiting_ = false;
        setText(value);
    }
}

bool FindBox::canHold(QChar character) const {
    const Table& table = source_.table();
    if (!table.isOpen() || !table.hasField(field_))
        return true;
    return fieldCanHold(table.fieldType(table.fieldIndex(field_)), character);
}

bool FindBox::find() {
    try {
        Table& table = source_.table();
        waiting_ = table.isOpen() && table.state() == TableState::Browse &&
                   !table.preparePrefixLocate(field_);
    } catch (const StoreError& error) {
        waiting_ = false;
        emit failed(error.text());
    }
    return waiting_ ? false : findNow();
}

void FindBox::textsRead() {
    if (!std::exchange(waiting_, false) || text().isEmpty())
        return;
    findNow();
}

bool FindBox::findNow() {
    bool found = false;
    finding_ = true;
    try {
        Table& table = source_.table();
        found = table.isOpen() && table.locatePrefix(field_, text());
    } catch (const StoreError& error) {
        emit failed(error.text());
    }
    finding_ = false;
    lastFound_ = found;
    if (result_) {
        result_->setText(found ? foundText_ : notFoundText_);
        result_->show();
    }
    emit searched(found);
    return found;
}

void FindBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        clear();
        event->accept();
        return;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.front() >= u' ' && typed.front() != QChar(0x7f) &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
        !canHold(typed.front())) {
        QApplication::beep();
        emit refused(typed.front());
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FindBox::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    // Backspace and every key of a character (key code 32 or more) run the find; keys that
    // only move the cursor or the focus do not.
    const int key = event->key();
    const bool changesText = key == Qt::Key_Backspace || key == Qt::Key_Delete ||
                             (key >= Qt::Key_Space && key < Qt::Key_Escape);
    if (changesText && !text().isEmpty())
        find();
}

// The first key typed reads the field of every record; doing that when the box is entered
// keeps the keys themselves quick on a large table.
void FindBox::prepare() {
    try {
        Table& table = source_.table();
        if (table.isOpen() && table.state() == TableState::Browse)
            table.preparePrefixLocate(field_);
    } catch (const StoreError& error) {
        emit failed(error.text());
    }
}

void FindBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // The box shows the current record's value; entering it (not by a click, which places the
    // caret) selects that value, so what is typed replaces it.
    if (event->reason() != Qt::MouseFocusReason)
        selectAll();
    prepare();
}

void FindBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // After a hit the box shows the whole value of the record it found.
    if (lastFound_) {
        lastFound_ = false;
        followTable();
    }
}

} // namespace hoardly
