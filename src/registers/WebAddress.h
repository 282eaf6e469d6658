#pragma once

#include <QString>
#include <QUrl>
#include <optional>

namespace hoardly {

// A catalogue field is handed to the desktop only when it is a web address: http, https or
// ftp with a host, or a bare "www." address, which is opened as http. Anything else (a local
// path, a file: address, another scheme) could start a program, so it is never opened.
std::optional<QUrl> webAddressOf(const QString& text);

// What the user is told when a text is not opened because it is no web address.
QString notAWebAddressMessage(const QString& text);

} // namespace hoardly
