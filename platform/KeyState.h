#pragma once
// Key state queries (GetKeyState) for the modifier keys.
#include <cstdint>

namespace platform {

// Virtual key codes of the modifier keys.
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;

// Negative (top bit set) while the key is down, 0 otherwise; other keys always answer 0.
std::int16_t GetKeyState(int virtualKey);

}  // namespace platform
