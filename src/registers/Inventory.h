#pragma once

#include <QString>
#include <QVariant>

namespace hoardly {

class Table;

// The home inventory's rules, apart from its window.
namespace inventory {

inline const QString kName = QStringLiteral("Benamning");
inline const QString kDate = QStringLiteral("Inkopt_Datum");
inline const QString kValue = QStringLiteral("Varderad till");
inline const QString kPicture = QStringLiteral("Bild");

// A stored value as the total counts it: an empty or unreadable value counts 0.
qint64 countedValue(const QVariant& stored);

// The total plus one value, held at the largest or smallest 64-bit number instead of wrapping
// (no collection comes near; the sum must never turn negative all the same).
qint64 addedToTotal(qint64 total, qint64 value);

// The estimated value of the whole collection: `Varderad till` summed over every record.
qint64 estimatedTotal(Table& inventory);

// The total as the browse page shows it below "Your collect has estimated value of".
QString totalText(qint64 total);
inline const QString kTotalLabel = QStringLiteral("Your collect has estimated value of");

} // namespace inventory
} // namespace hoardly
