#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace hoardly {

class Connection;

namespace print {

struct ListLayout;

// One record of a printed list: the texts of the layout's fields (ListLayout::fields(), in that
// order) and the stored picture when the layout shows one.
struct ListRecord {
    QStringList texts;
    QByteArray picture;
};

// Reads the saved records of a list from a table object of its own on the table file in
// `directory`, in the list's order, with one statement; a window's table and its current
// record are left alone, and a record pending in an entry is not among them. Throws
// StoreError when the file cannot be read.
QList<ListRecord> readListRecords(Connection& connection, const ListLayout& layout,
                                  const QString& directory);

} // namespace print
} // namespace hoardly
