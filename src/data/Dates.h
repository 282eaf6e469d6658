#pragma once

#include <QDate>
#include <QString>

namespace hoardly {

// Dates are stored as ISO text and shown in the user's short date format, always with a
// four-digit year so that no century is ever guessed.
QString shortDateFormat();
QString dateToText(const QDate& date);
// Accepts the short date format and ISO "yyyy-MM-dd"; an invalid date when neither fits.
QDate dateFromText(const QString& text);

} // namespace hoardly
