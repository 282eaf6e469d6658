#include "RegisterLogic.h"

#include "data/Table.h"

using namespace Qt::StringLiterals;

namespace hoardly {

EntryCheck EntryCheck::required(QString field, QString text, QString caption) {
    return {std::move(field), Rule::Required, {}, std::move(text), std::move(caption)};
}

EntryCheck EntryCheck::containsWhenFilled(QString field, QString needle, QString text,
                                          QString caption) {
    return {std::move(field), Rule::ContainsWhenFilled, std::move(needle), std::move(text),
            std::move(caption)};
}

std::optional<EntryProblem>
firstFailedCheck(const QList<EntryCheck>& checks,
                 const std::function<QString(const QString&)>& valueOf) {
    for (const EntryCheck& check : checks) {
        const QString value = valueOf(check.field);
        const bool fails = check.rule == EntryCheck::Rule::Required
                               ? value.trimmed().isEmpty()
                               : !value.isEmpty() && !value.contains(check.needle);
        if (fails)
            return EntryProblem{check.text, check.caption, check.field};
    }
    return std::nullopt;
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
    const int field = standard.fieldIndex(column);
    QStringList values;
    const int count = standard.recordCount();
    for (int position = 0; position < count; ++position) {
        const QString value = standard.textAt(position, field);
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
