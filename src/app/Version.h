#pragma once

namespace hoardly {

// The texts that name this release; the main window, About and the intro show them.
inline constexpr auto kMainWindowCaption = "Hoardly version 1.01e";
inline constexpr auto kAboutVersionText = "Version 1.01 ";
// Where the program can be downloaded: the intro's and About's link.
inline constexpr auto kDownloadAddress = "https://hoardly.example.org/download";

} // namespace hoardly
