#pragma once

namespace hoardly {

// Where the program can be downloaded: the intro's and About's link, the reminder e-mail's last
// line and the footer of every exported HTML list.
inline constexpr auto kDownloadAddress = "https://hoardly.example.org/download";

} // namespace hoardly
