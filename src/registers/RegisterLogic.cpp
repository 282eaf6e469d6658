#include "RegisterLogic.h"

#include "data/Table.h"

using namespace Qt::StringLiterals;

namespace hoardly {

ModeFlags flagsOf(RegisterMode mode) {
    switch (mode) {
    case RegisterMode::Adding:
        return {true, false};
    case RegisterMode::Editing:
        return {false, true};
    default:
        return {};
    }
}

bool locksCommands(RegisterMode mode) {
    return mode != RegisterMode::Browsing;
}

int proposeNextIndex(Table& table, const QString& indexField, int maximum) {
    if (table.isEmpty())
        return 1;
    table.last();
    const qint64 next = table.asInteger(indexField) + 1;
    return int(std::clamp<qint64>(next, 1, maximum));
}

QStringList rememberedValues(Table& standard, const QString& column, int cut) {
    if (!standard.isOpen())
        standard.open();
    QStringList values;
    for (const QString& value : standard.columnTexts(column)) {
        if (!value.isEmpty())
            values << (cut > 0 ? value.left(cut) : value);
    }
    return values;
}

bool rememberValue(Table& standard, const QString& column, const QString& text) {
    if (text.isEmpty())
        return false;
    if (!standard.isOpen())
        standard.open();
    // The exact comparison runs on the text as the column keeps it, so a value longer than
    // the column is not remembered once more at every save.
    if (standard.locate(column, {text}))
        return false;
    standard.append();
    standard.setText(column, text);
    standard.post();
    return true;
}

bool fieldCanHold(FieldType type, QChar character) {
    switch (type) {
    case FieldType::Integer:
    case FieldType::AutoIncrement:
        return character >= u'0' && character <= u'9';
    default:
        return true;
    }
}

} // namespace hoardly
