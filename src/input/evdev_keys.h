#pragma once
// Linux input event codes (evdev) turned into the key codes the rest of the
// program speaks: USB HID Keyboard/Keypad usages for keys and 0xF0..0xF2 for the
// three reported mouse buttons. Plain numbers only, so it builds and is tested
// everywhere.

#include <cstdint>

namespace evdev {

constexpr std::uint16_t kEventKey = 0x01;      // EV_KEY
constexpr std::uint16_t kButtonLeft = 0x110;   // BTN_LEFT
constexpr std::uint16_t kButtonRight = 0x111;  // BTN_RIGHT
constexpr std::uint16_t kButtonMiddle = 0x112; // BTN_MIDDLE
// X11 and Wayland key codes are the evdev code plus this offset.
constexpr std::uint32_t kNativeScanOffset = 8;

// The Keyboard/Keypad usage of an evdev key code, 0 when the key has no name in
// the key-name table. Agrees with the kernel's HID-to-input mapping; where the
// kernel maps two usages onto one key (0x31 and 0x32 both on the backslash key)
// the lower usage is reported, as on Windows.
std::uint8_t usageForKey(std::uint32_t code);

// 0xF0, 0xF1, 0xF2 for the left, right and middle button, 0 otherwise.
std::uint8_t buttonForCode(std::uint32_t code);

// What one evdev event means to the hooks.
struct Action {
    enum Kind { None, Key, Button } kind = None;
    std::uint8_t code = 0; // usage for keys, button code for buttons
    bool isDown = false;
};

// value: 0 release, 1 press, 2 auto-repeat (a press the suppression swallows).
Action actionForEvent(std::uint16_t type, std::uint16_t code, std::int32_t value);

} // namespace evdev
