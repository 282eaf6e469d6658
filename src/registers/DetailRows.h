#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace hoardly {

class Table;

// The rows of a detail table that belong to a record: those whose key field holds the
// record's key, in the detail table's own order. A record's rows are found with one query on
// the key field, never by walking the whole table.
class DetailRows {
public:
    DetailRows(Table& rows, QString keyField, QString nameField);

    Table& table() const { return rows_; }
    const QString& keyField() const { return keyField_; }
    const QString& nameField() const { return nameField_; }

    // The detail table holds no row at all.
    bool isEmpty() const;
    // The names of the record's rows, whole.
    QStringList names(const QVariant& key) const;
    bool hasRows(const QVariant& key) const;
    // Appends a row for the record and stores it.
    void add(const QVariant& key, const QString& name);
    // Deletes the first of the record's rows with exactly this name; false when it has none.
    bool removeOne(const QVariant& key, const QString& name);
    // Deletes every row of the record; answers how many went.
    int removeAll(const QVariant& key);

private:
    Table& rows_;
    QString keyField_;
    QString nameField_;
};

} // namespace hoardly
