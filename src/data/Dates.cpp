#include "Dates.h"

#include <QLocale>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace hoardly {

QString shortDateFormat() {
    QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    static const QRegularExpression twoDigitYear(u"(?<!y)yy(?!y)"_s);
    format.replace(twoDigitYear, u"yyyy"_s);
    return format;
}

QString dateToText(const QDate& date) {
    return date.isValid() ? QLocale::system().toString(date, shortDateFormat()) : QString();
}

QDate dateFromText(const QString& text) {
    const QString trimmed = text.trimmed();
    QDate date = QLocale::system().toDate(trimmed, shortDateFormat());
    if (!date.isValid())
        date = QDate::fromString(trimmed, Qt::ISODate);
    return date;
}

} // namespace hoardly
