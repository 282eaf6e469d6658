#include "Inventory.h"

#include "data/Table.h"

#include <QtNumeric>
#include <limits>

using namespace Qt::StringLiterals;

namespace hoardly::inventory {

qint64 countedValue(const QVariant& stored) {
    bool ok = false;
    const qint64 value = stored.toLongLong(&ok);
    return ok ? value : 0;
}

qint64 addedToTotal(qint64 total, qint64 value) {
    qint64 sum = 0;
    if (!qAddOverflow(total, value, &sum))
        return sum;
    return value > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
}

qint64 estimatedTotal(Table& inventory) {
    qint64 total = 0;
    const int field = inventory.fieldIndex(kValue);
    for (int position = 0; position < inventory.recordCount(); ++position)
        total = addedToTotal(total, countedValue(inventory.valueAt(position, field)));
    return total;
}

QString totalText(qint64 total) {
    return QString::number(total) + u" $"_s;
}

} // namespace hoardly::inventory
