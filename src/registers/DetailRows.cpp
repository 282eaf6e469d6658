#include "DetailRows.h"

#include "data/Table.h"

#include <optional>

namespace hoardly {

DetailRows::DetailRows(Table& rows, QString keyField, QString nameField)
    : rows_(rows), keyField_(std::move(keyField)), nameField_(std::move(nameField)) {}

bool DetailRows::isEmpty() const {
    rows_.open();
    return rows_.isEmpty();
}

QStringList DetailRows::names(const QVariant& key) const {
    rows_.open();
    QStringList found;
    rows_.scanWhere(keyField_, key, {nameField_}, [&found](const ScanRow& row) {
        found << row.text(0);
        return true;
    });
    return found;
}

bool DetailRows::hasRows(const QVariant& key) const {
    rows_.open();
    bool any = false;
    rows_.scanWhere(keyField_, key, {}, [&any](const ScanRow&) {
        any = true;
        return false;
    });
    return any;
}

void DetailRows::add(const QVariant& key, const QString& name) {
    rows_.open();
    rows_.append();
    rows_.setValue(rows_.fieldIndex(keyField_), key);
    rows_.setText(nameField_, name);
    rows_.post();
}

bool DetailRows::removeOne(const QVariant& key, const QString& name) {
    rows_.open();
    // Found among the record's rows, not by a move: the detail table need not read its keys.
    std::optional<qint64> found;
    rows_.scanWhere(keyField_, key, {nameField_}, [&](const ScanRow& row) {
        if (row.value(0).toString() != name)
            return true;
        found = row.key();
        return false;
    });
    if (found)
        rows_.removeKey(*found);
    return found.has_value();
}

int DetailRows::removeAll(const QVariant& key) {
    rows_.open();
    return rows_.removeWhere(keyField_, key);
}

} // namespace hoardly
