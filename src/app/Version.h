#pragma once

#include "data/DownloadPage.h"

namespace hoardly {

// The texts that name this release; the main window, About and the intro show them.
inline constexpr auto kMainWindowCaption = "Hoardly version 1.01e";
inline constexpr auto kAboutVersionText = "Version 1.01 ";

} // namespace hoardly
