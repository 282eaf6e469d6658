#pragma once

#include <array>

namespace hoardly {

// The main window's picture buttons, left to right.
enum class MainButton {
    Close,
    Film,
    Music,
    Software,
    Literature,
    Codes,
    Inventory,
    Addresses,
    Properties,
    Help,
};

struct MainButtonInfo {
    MainButton button;
    const char* hint;       // the tool tip, as the user reads it
    const char* objectName; // how tests and later code find the button
};

inline constexpr std::array<MainButtonInfo, 10> kMainButtons{{
    {MainButton::Close, "Close", "closeKnp"},
    {MainButton::Film, "Film", "filmKnp"},
    {MainButton::Music, "Music", "musicKnp"},
    {MainButton::Software, "Software", "softwareKnp"},
    {MainButton::Literature, "Literature", "literatureKnp"},
    {MainButton::Codes, "Passwords/codes", "codesKnp"},
    {MainButton::Inventory, "Home inventory", "inventoryKnp"},
    {MainButton::Addresses, "Adresses", "addressesKnp"},
    {MainButton::Properties, "Properties", "propertiesKnp"},
    {MainButton::Help, "Help", "helpKnp"},
}};

} // namespace hoardly
