#include "input/evdev_keys.h"

#include <array>
#include <utility>

namespace evdev {
namespace {

// (evdev key code, usage) for every keyboard usage the key-name table names.
constexpr std::pair<std::uint16_t, std::uint8_t> kKeys[] = {
    // letters A..Z
    {30, 0x04}, {48, 0x05}, {46, 0x06}, {32, 0x07}, {18, 0x08}, {33, 0x09}, {34, 0x0A}, {35, 0x0B},
    {23, 0x0C}, {36, 0x0D}, {37, 0x0E}, {38, 0x0F}, {50, 0x10}, {49, 0x11}, {24, 0x12}, {25, 0x13},
    {16, 0x14}, {19, 0x15}, {31, 0x16}, {20, 0x17}, {22, 0x18}, {47, 0x19}, {17, 0x1A}, {45, 0x1B},
    {21, 0x1C}, {44, 0x1D},
    // digits 1..9, 0
    {2, 0x1E}, {3, 0x1F}, {4, 0x20}, {5, 0x21}, {6, 0x22}, {7, 0x23}, {8, 0x24}, {9, 0x25}, {10, 0x26},
    {11, 0x27},
    // Enter, Esc, Backspace, Tab, Space, punctuation, Caps Lock
    {28, 0x28}, {1, 0x29}, {14, 0x2A}, {15, 0x2B}, {57, 0x2C}, {12, 0x2D}, {13, 0x2E}, {26, 0x2F},
    {27, 0x30}, {43, 0x31}, {39, 0x33}, {40, 0x34}, {41, 0x35}, {51, 0x36}, {52, 0x37}, {53, 0x38},
    {58, 0x39},
    // F1..F12
    {59, 0x3A}, {60, 0x3B}, {61, 0x3C}, {62, 0x3D}, {63, 0x3E}, {64, 0x3F}, {65, 0x40}, {66, 0x41},
    {67, 0x42}, {68, 0x43}, {87, 0x44}, {88, 0x45},
    // Print Screen/SysRq, Scroll Lock, Pause, the editing block, the arrows, Num Lock
    {99, 0x46}, {70, 0x47}, {119, 0x48}, {110, 0x49}, {102, 0x4A}, {104, 0x4B}, {111, 0x4C}, {107, 0x4D},
    {109, 0x4E}, {106, 0x4F}, {105, 0x50}, {108, 0x51}, {103, 0x52}, {69, 0x53},
    // keypad
    {98, 0x54}, {55, 0x55}, {74, 0x56}, {78, 0x57}, {96, 0x58}, {79, 0x59}, {80, 0x5A}, {81, 0x5B},
    {75, 0x5C}, {76, 0x5D}, {77, 0x5E}, {71, 0x5F}, {72, 0x60}, {73, 0x61}, {82, 0x62}, {83, 0x63},
    // 102nd key, Menu, Power, keypad =
    {86, 0x64}, {127, 0x65}, {116, 0x66}, {117, 0x67},
    // F13..F24
    {183, 0x68}, {184, 0x69}, {185, 0x6A}, {186, 0x6B}, {187, 0x6C}, {188, 0x6D}, {189, 0x6E},
    {190, 0x6F}, {191, 0x70}, {192, 0x71}, {193, 0x72}, {194, 0x73},
    // keypad comma, international and language keys
    {121, 0x85}, {89, 0x87}, {93, 0x88}, {124, 0x89}, {92, 0x8A}, {94, 0x8B}, {122, 0x90}, {123, 0x91},
    // modifiers
    {29, 0xE0}, {42, 0xE1}, {56, 0xE2}, {125, 0xE3}, {97, 0xE4}, {54, 0xE5}, {100, 0xE6}, {126, 0xE7},
};

constexpr std::size_t kTableSize = 256;

constexpr std::array<std::uint8_t, kTableSize> buildTable()
{
    std::array<std::uint8_t, kTableSize> table{};
    for (const auto& [code, usage] : kKeys)
        table[code] = usage;
    return table;
}

constexpr std::array<std::uint8_t, kTableSize> kUsageByCode = buildTable();

} // namespace

std::uint8_t usageForKey(std::uint32_t code)
{
    return code < kUsageByCode.size() ? kUsageByCode[code] : 0;
}

std::uint8_t buttonForCode(std::uint32_t code)
{
    switch (code) {
    case kButtonLeft: return 0xF0;
    case kButtonRight: return 0xF1;
    case kButtonMiddle: return 0xF2;
    default: return 0;
    }
}

Action actionForEvent(std::uint16_t type, std::uint16_t code, std::int32_t value)
{
    if (type != kEventKey)
        return {};
    const bool isDown = value != 0;
    if (const std::uint8_t button = buttonForCode(code))
        return {Action::Button, button, isDown};
    if (const std::uint8_t usage = usageForKey(code))
        return {Action::Key, usage, isDown};
    return {};
}

} // namespace evdev
