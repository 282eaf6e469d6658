#pragma once

#include "FoldedTexts.h"

#include <QLocale>
#include <QString>
#include <atomic>
#include <cstdint>
#include <utility>
#include <vector>

namespace hoardly {

// What the find box of a large table needs read: the texts of one field of every record.
struct PrefixReadRequest {
    QString filePath;
    QString tableName;
    QString fieldName;
    // Where each key stands in the table's order, sorted by key. Empty: the table stands in
    // the file's order, and the read gives the keys in that order too.
    std::vector<std::pair<qint64, int>> positionByKey;
};

struct PrefixReadResult {
    std::vector<qint64> keys; // in the file's order, when the request gave no positions
    std::vector<std::pair<qint64, int>> positionByKey; // of those keys, sorted by key
    FoldedTexts texts;                                 // at the records' positions
    QString error;                                     // empty when the read is whole
};

// Reads on the calling thread (a thread of the pool), over a read-only connection of its own.
// The file is read in slices of keys, each its own short read, so a write of the program's
// waits for one slice at most. A read that is cancelled ends after its slice, incomplete.
PrefixReadResult readPrefixTexts(const PrefixReadRequest& request,
                                 const std::atomic_bool& cancelled);

// What ordering a large table for people needs: the keys by the texts of the index's field.
struct OrderReadRequest {
    QString filePath;
    QString tableName;
    QString fieldName;
    QLocale locale;
};

struct OrderReadResult {
    std::vector<qint64> keys; // in the order for people
    std::vector<std::pair<qint64, int>> positionByKey;
    QString error; // empty when the read is whole
};

// Reads the field by the file's index that ignores the case of A to Z (a near order), then puts
// the keys into the order for people by the locale, on the calling thread.
OrderReadResult readOrderForPeople(const OrderReadRequest& request,
                                   const std::atomic_bool& cancelled);

// What opening a large table in an order the engine gives needs: every key in that order.
struct KeyReadRequest {
    QString filePath;
    QString tableName;
    QString orderClause; // " ORDER BY ..."
};

// Reads the keys in the order, with their positions, on the calling thread (OrderReadResult).
OrderReadResult readKeysInOrder(const KeyReadRequest& request, const std::atomic_bool& cancelled);

} // namespace hoardly
