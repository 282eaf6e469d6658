#pragma once

namespace hoardly {

// The seven printed lists, one per register.
enum class PrintList { Film, Music, Software, Literature, Codes, Addresses, Inventory };

} // namespace hoardly
