#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace hoardly {

enum class FieldType { AutoIncrement, Integer, Text, Logical, Date, Picture };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; // characters a text field holds; 0 for other types
};

struct IndexDef {
    QString name;
    QStringList fields;
    bool caseInsensitive = false;
    bool primary = false; // the key order under its own name; no extra index on disk
};

// One table file: its file name, the table inside it, its fields in order and named indexes.
struct TableSchema {
    QString objectName; // the holder's name for it, e.g. "FilmTb"
    QString fileName;   // e.g. "film.DB"
    QString tableName;  // e.g. "Film"
    QList<FieldDef> fields;
    QList<IndexDef> indexes;

    int fieldIndex(const QString& name) const;        // -1 when absent; case-insensitive
    const IndexDef* index(const QString& name) const; // nullptr when absent; case-insensitive
    QString createStatement() const;
    QStringList indexStatements() const;
};

namespace schema {
const TableSchema& film();
const TableSchema& musik();
const TableSchema& song();
const TableSchema& bok();
const TableSchema& data();
const TableSchema& adress();
const TableSchema& value();
const TableSchema& kod();
const TableSchema& borrow();
const TableSchema& config();
const TableSchema& standard();
// All eleven, in the order the holder creates them.
const QList<const TableSchema*>& all();
} // namespace schema

QString quoteIdentifier(const QString& name);

} // namespace hoardly
