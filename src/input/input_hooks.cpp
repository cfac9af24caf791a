#include "input/input_hooks.h"

#include "input/hook_backend.h"

#include <iterator>

namespace {

InputHooks* currentInstance = nullptr;

// One run of consecutive keys mapped to consecutive values.
struct Run {
    std::uint8_t first;
    std::uint8_t last;
    std::uint8_t firstValue;
};

// Scan codes without the extended flag -> virtual keys.
constexpr Run kScanRuns[] = {
    {0x01, 0x01, 0x1B}, {0x02, 0x0A, 0x31}, {0x0B, 0x0B, 0x30}, {0x0C, 0x0C, 0xBD}, {0x0D, 0x0D, 0xBB},
    {0x0E, 0x0F, 0x08}, {0x10, 0x10, 0x51}, {0x11, 0x11, 0x57}, {0x12, 0x12, 0x45}, {0x13, 0x13, 0x52},
    {0x14, 0x14, 0x54}, {0x15, 0x15, 0x59}, {0x16, 0x16, 0x55}, {0x17, 0x17, 0x49}, {0x18, 0x19, 0x4F},
    {0x1A, 0x1A, 0xDB}, {0x1B, 0x1B, 0xDD}, {0x1C, 0x1C, 0x0D}, {0x1D, 0x1D, 0xA2}, {0x1E, 0x1E, 0x41},
    {0x1F, 0x1F, 0x53}, {0x20, 0x20, 0x44}, {0x21, 0x23, 0x46}, {0x24, 0x26, 0x4A}, {0x27, 0x27, 0xBA},
    {0x28, 0x28, 0xDE}, {0x29, 0x29, 0xC0}, {0x2A, 0x2A, 0xA0}, {0x2B, 0x2B, 0xDC}, {0x2C, 0x2C, 0x5A},
    {0x2D, 0x2D, 0x58}, {0x2E, 0x2E, 0x43}, {0x2F, 0x2F, 0x56}, {0x30, 0x30, 0x42}, {0x31, 0x31, 0x4E},
    {0x32, 0x32, 0x4D}, {0x33, 0x33, 0xBC}, {0x34, 0x35, 0xBE}, {0x37, 0x37, 0x6A}, {0x38, 0x38, 0xA4},
    {0x39, 0x39, 0x20}, {0x3A, 0x3A, 0x14}, {0x3B, 0x44, 0x70}, {0x45, 0x45, 0x13}, {0x46, 0x46, 0x91},
    {0x47, 0x49, 0x67}, {0x4A, 0x4A, 0x6D}, {0x4B, 0x4D, 0x64}, {0x4E, 0x4E, 0x6B}, {0x4F, 0x51, 0x61},
    {0x52, 0x52, 0x60}, {0x53, 0x53, 0x6E}, {0x56, 0x56, 0xE2}, {0x57, 0x58, 0x7A}, {0x6E, 0x6E, 0x86},
};

// Scan codes with the extended flag -> virtual keys. Keypad Enter goes to 0x0E,
// a virtual key the platform leaves unassigned, so the main Enter stays apart.
// Right Ctrl (0x1D) and right Windows (0x5C) have no entry and are not reported.
constexpr Run kExtendedScanRuns[] = {
    {0x1C, 0x1C, 0x0E}, {0x35, 0x35, 0x6F}, {0x36, 0x36, 0xA1}, {0x37, 0x37, 0x2C}, {0x38, 0x38, 0xA5},
    {0x45, 0x45, 0x90}, {0x47, 0x47, 0x24}, {0x48, 0x48, 0x26}, {0x49, 0x49, 0x21}, {0x4B, 0x4B, 0x25},
    {0x4D, 0x4D, 0x27}, {0x4F, 0x4F, 0x23}, {0x50, 0x50, 0x28}, {0x51, 0x51, 0x22}, {0x52, 0x53, 0x2D},
    {0x5B, 0x5B, 0x5B}, {0x5D, 0x5D, 0x5D},
};

// Virtual keys -> usages of the Keyboard/Keypad page.
constexpr Run kUsageRuns[] = {
    {0x08, 0x09, 0x2A}, {0x0D, 0x0D, 0x28}, {0x0E, 0x0E, 0x58}, {0x13, 0x13, 0x48}, {0x14, 0x14, 0x39},
    {0x1B, 0x1B, 0x29}, {0x20, 0x20, 0x2C}, {0x21, 0x21, 0x4B}, {0x22, 0x22, 0x4E}, {0x23, 0x23, 0x4D},
    {0x24, 0x24, 0x4A}, {0x25, 0x25, 0x50}, {0x26, 0x26, 0x52}, {0x27, 0x27, 0x4F}, {0x28, 0x28, 0x51},
    {0x2C, 0x2C, 0x46}, {0x2D, 0x2D, 0x49}, {0x2E, 0x2E, 0x4C}, {0x30, 0x30, 0x27}, {0x31, 0x39, 0x1E},
    {0x41, 0x5A, 0x04}, {0x5B, 0x5B, 0xE3}, {0x5C, 0x5C, 0xE7}, {0x5D, 0x5D, 0x65}, {0x60, 0x60, 0x62},
    {0x61, 0x69, 0x59}, {0x6A, 0x6A, 0x55}, {0x6B, 0x6B, 0x57}, {0x6D, 0x6D, 0x56}, {0x6E, 0x6E, 0x63},
    {0x6F, 0x6F, 0x54}, {0x70, 0x7B, 0x3A}, {0x7C, 0x87, 0x68}, {0x90, 0x90, 0x53}, {0x91, 0x91, 0x47},
    {0xA0, 0xA0, 0xE1}, {0xA1, 0xA1, 0xE5}, {0xA2, 0xA2, 0xE0}, {0xA3, 0xA3, 0xE4}, {0xA4, 0xA4, 0xE2},
    {0xA5, 0xA5, 0xE6}, {0xBA, 0xBA, 0x33}, {0xBB, 0xBB, 0x2E}, {0xBC, 0xBC, 0x36}, {0xBD, 0xBD, 0x2D},
    {0xBE, 0xBF, 0x37}, {0xC0, 0xC0, 0x35}, {0xC1, 0xC1, 0x87}, {0xC2, 0xC2, 0x85}, {0xDB, 0xDB, 0x2F},
    {0xDC, 0xDC, 0x31}, {0xDD, 0xDD, 0x30}, {0xDE, 0xDE, 0x34}, {0xE2, 0xE2, 0x64}, {0xEB, 0xEB, 0x8B},
    {0xFF, 0xFF, 0x66},
};

constexpr std::uint32_t kMaxScanCode = 0xFF;
constexpr std::uint32_t kScanBreak = 0x46;       // with the extended flag: Ctrl+Break
constexpr std::uint32_t kScanSysRq = 0x54;       // with Alt down: Alt+Print Screen
constexpr std::uint8_t kVirtualKeyPause = 0x13;
constexpr std::uint8_t kVirtualKeyPrintScreen = 0x2C;

// Adds every run element by element; makeKey turns a run element into the table key.
template <typename Map, typename MakeKey>
void addRuns(Map& table, const Run* begin, const Run* end, MakeKey makeKey)
{
    for (const Run* run = begin; run != end; ++run)
        for (unsigned k = run->first; k <= run->last; ++k)
            table[makeKey(k)] = static_cast<std::uint8_t>(run->firstValue + (k - run->first));
}

std::uint16_t scanKey(unsigned scanCode, std::uint32_t extended)
{
    return static_cast<std::uint16_t>((scanCode << 8) | extended);
}

template <typename Map, typename Key>
std::uint8_t lookup(const Map& table, Key key)
{
    const auto it = table.find(key);
    return it == table.end() ? 0 : it->second;
}

} // namespace

MouseButtonEvent mouseButtonForMessage(std::uintptr_t message)
{
    using namespace hook_message;
    switch (message) {
    case kLButtonDown: return {button_code::kLeft, true};
    case kLButtonUp: return {button_code::kLeft, false};
    case kRButtonDown: return {button_code::kRight, true};
    case kRButtonUp: return {button_code::kRight, false};
    case kMButtonDown: return {button_code::kMiddle, true};
    case kMButtonUp: return {button_code::kMiddle, false};
    default: return {};
    }
}

InputHooks::InputHooks(std::uint8_t flag) : InputHooks(flag, createPlatformHookBackend()) {}

InputHooks::InputHooks(std::uint8_t flag, std::unique_ptr<HookBackend> backend)
    : hookFlag(flag), hookBackend(std::move(backend))
{
    currentInstance = this;
    buildScanToVirtualKey();
    buildVirtualKeyToUsage();
    installHooks();
}

InputHooks::~InputHooks()
{
    removeHooks();
    if (currentInstance == this)
        currentInstance = nullptr;
}

InputHooks* InputHooks::current() { return currentInstance; }

void InputHooks::buildScanToVirtualKey()
{
    scanTable.clear();
    addRuns(scanTable, std::begin(kScanRuns), std::end(kScanRuns), [](unsigned k) { return scanKey(k, 0); });
    addRuns(scanTable, std::begin(kExtendedScanRuns), std::end(kExtendedScanRuns),
            [](unsigned k) { return scanKey(k, hook_message::kFlagExtended); });
}

void InputHooks::buildVirtualKeyToUsage()
{
    usageTable.clear();
    addRuns(usageTable, std::begin(kUsageRuns), std::end(kUsageRuns),
            [](unsigned k) { return static_cast<std::uint8_t>(k); });
}

bool InputHooks::installHooks()
{
    if (!hookBackend)
        return false;
    if (hookBackend->installed())
        hookBackend->remove();
    return hookBackend->install(*this);
}

void InputHooks::removeHooks()
{
    if (hookBackend)
        hookBackend->remove();
}

bool InputHooks::hooksInstalled() const { return hookBackend && hookBackend->installed(); }

void InputHooks::setKeyboardCallback(KeyboardCallback callback, void* context)
{
    keyboardCallback = callback;
    keyboardContext = context;
}

void InputHooks::setMouseCallback(MouseCallback callback, void* context)
{
    mouseCallback = callback;
    mouseContext = context;
}

void InputHooks::setCopyDataCallback(CopyDataCallback callback, void* context, void* application)
{
    copyDataCallback = callback;
    copyDataContext = context;
    installCopyDataFilter(application);
}

std::uint8_t InputHooks::usageForScanCode(std::uint32_t scanCode, std::uint32_t flags) const
{
    if (scanCode > kMaxScanCode)
        scanCode = 0;
    std::uint8_t vk = lookup(scanTable, scanKey(scanCode, flags & hook_message::kFlagExtended));
    if (scanCode == kScanBreak && (flags & hook_message::kFlagExtended))
        vk = kVirtualKeyPause;
    if (scanCode == kScanSysRq && (flags & hook_message::kFlagAltDown))
        vk = kVirtualKeyPrintScreen;
    if (vk == 0)
        return 0;
    return lookup(usageTable, vk);
}

bool InputHooks::keyboardProcedure(int hookCode, std::uintptr_t message, std::uint32_t scanCode,
                                   std::uint32_t flags)
{
    const bool isDown = hookCode == hook_message::kHookAction
        && (message == hook_message::kKeyDown || message == hook_message::kSysKeyDown);
    const std::uint8_t usage = usageForScanCode(scanCode, flags);
    if (usage == 0)
        return false;
    return reportKey(usage, isDown);
}

bool InputHooks::reportKey(std::uint8_t usage, bool isDown)
{
    if (usage == 0 || keyDown[usage] == isDown)
        return false;
    keyDown[usage] = isDown;
    if (keyboardCallback)
        keyboardCallback(usage, isDown, keyboardContext);
    return true;
}

bool InputHooks::mouseProcedure(int /*hookCode*/, std::uintptr_t message, std::int32_t x, std::int32_t y)
{
    const MouseButtonEvent button = mouseButtonForMessage(message);
    if (button.code == 0 || !mouseCallback)
        return false;
    mouseCallback(button.code, button.isDown, x, y, mouseContext);
    return true;
}

void InputHooks::reportButton(std::uint8_t code, bool isDown, std::int32_t x, std::int32_t y)
{
    if (code != 0 && mouseCallback)
        mouseCallback(code, isDown, x, y, mouseContext);
}

bool InputHooks::copyDataProcedure(const CopyDataRecord& record)
{
    if (!copyDataCallback)
        return false;
    copyDataCallback(record, copyDataContext);
    return true;
}
