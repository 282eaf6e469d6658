#include "WebAddress.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace hoardly {

std::optional<QUrl> webAddressOf(const QString& text) {
    QString address = text.trimmed();
    if (address.startsWith(u"www."_s, Qt::CaseInsensitive))
        address.prepend(u"http://"_s);
    const QUrl url(address, QUrl::StrictMode);
    static const QStringList webSchemes{u"http"_s, u"https"_s, u"ftp"_s};
    if (!url.isValid() || !webSchemes.contains(url.scheme().toLower()) || url.host().isEmpty())
        return std::nullopt;
    return url;
}

QString notAWebAddressMessage(const QString& text) {
    return u"\"%1\" is not a web address, so it is not opened.\n"
           "Only addresses beginning with http://, https://, ftp:// or www. are opened."_s.arg(
               text.trimmed());
}

} // namespace hoardly
