#pragma once
// The process-wide input hook module: turns low-level keyboard events into USB HID
// Keyboard/Keypad usages through two fixed tables, suppresses auto-repeat, turns
// mouse button messages into the button codes 0xF0..0xF2, and hands copy-data
// records to whoever registered for them.
//
// The procedures take plain values (hook code, message, scan code, flags, x, y)
// so the decisions are the same on every platform; the platform backend only
// installs the hooks and feeds them. This header is free of Qt on purpose: the
// Windows hook backend is compiled against it without Qt.

#include <array>
#include <cstdint>
#include <map>
#include <memory>

class HookBackend;

// The data of one WM_COPYDATA message (the fields of its copy-data record).
struct CopyDataRecord {
    std::uintptr_t dwData = 0;
    std::uint32_t cbData = 0;
    const void* lpData = nullptr;
};

namespace hook_message {
constexpr int kHookAction = 0;                 // HC_ACTION
constexpr std::uintptr_t kKeyDown = 0x0100;    // WM_KEYDOWN
constexpr std::uintptr_t kKeyUp = 0x0101;      // WM_KEYUP
constexpr std::uintptr_t kSysKeyDown = 0x0104; // WM_SYSKEYDOWN
constexpr std::uintptr_t kSysKeyUp = 0x0105;   // WM_SYSKEYUP
constexpr std::uintptr_t kLButtonDown = 0x0201;
constexpr std::uintptr_t kLButtonUp = 0x0202;
constexpr std::uintptr_t kRButtonDown = 0x0204;
constexpr std::uintptr_t kRButtonUp = 0x0205;
constexpr std::uintptr_t kMButtonDown = 0x0207;
constexpr std::uintptr_t kMButtonUp = 0x0208;
constexpr std::uint32_t kFlagExtended = 0x01;  // LLKHF_EXTENDED
constexpr std::uint32_t kFlagAltDown = 0x20;   // LLKHF_ALTDOWN
}

namespace button_code {
constexpr std::uint8_t kLeft = 0xF0;
constexpr std::uint8_t kRight = 0xF1;
constexpr std::uint8_t kMiddle = 0xF2;
}

// One entry of the mouse button table; code 0 means "not reported".
struct MouseButtonEvent {
    std::uint8_t code = 0;
    bool isDown = false;
};

// The mouse button table, indexed by the mouse message.
MouseButtonEvent mouseButtonForMessage(std::uintptr_t message);

class InputHooks
{
public:
    using KeyboardCallback = void (*)(std::uint8_t usage, bool isDown, void* context);
    using MouseCallback = void (*)(std::uint8_t buttonCode, bool isDown, std::int32_t x, std::int32_t y,
                                   void* context);
    using CopyDataCallback = void (*)(const CopyDataRecord& record, void* context);

    static constexpr std::size_t kScanTableSize = 104;
    static constexpr std::size_t kUsageTableSize = 121;

    // Builds both tables and installs the hooks through the platform backend.
    explicit InputHooks(std::uint8_t flag);
    // The same with a backend of the caller's choice (another platform, tests).
    InputHooks(std::uint8_t flag, std::unique_ptr<HookBackend> backend);
    ~InputHooks();
    InputHooks(const InputHooks&) = delete;
    InputHooks& operator=(const InputHooks&) = delete;

    // The most recently constructed hook object, or nullptr once it is gone.
    static InputHooks* current();

    std::uint8_t flag() const { return hookFlag; }

    // Removes both hooks if either is set, then installs the keyboard and the mouse
    // hook. True when both are in place; otherwise neither is.
    bool installHooks();
    void removeHooks();
    bool hooksInstalled() const;

    void setKeyboardCallback(KeyboardCallback callback, void* context);
    void setMouseCallback(MouseCallback callback, void* context);
    // Stores the pair and installs the platform's native filter for WM_COPYDATA on
    // application (a QCoreApplication*, opaque here).
    void setCopyDataCallback(CopyDataCallback callback, void* context, void* application);
    bool hasCopyDataCallback() const { return copyDataCallback != nullptr; }

    // One low-level keyboard event. Returns true when a key transition was taken
    // (and reported when a keyboard callback is registered). The caller passes the
    // event on in every case.
    bool keyboardProcedure(int hookCode, std::uintptr_t message, std::uint32_t scanCode, std::uint32_t flags);
    // One low-level mouse event; true when a button was reported.
    bool mouseProcedure(int hookCode, std::uintptr_t message, std::int32_t x, std::int32_t y);
    // One WM_COPYDATA message; true (handled) when a copy-data callback is registered.
    bool copyDataProcedure(const CopyDataRecord& record);

    // Key and button events from sources that already speak usages and button
    // codes (the Linux capture). Keys go through the same repeat suppression.
    bool reportKey(std::uint8_t usage, bool isDown);
    void reportButton(std::uint8_t code, bool isDown, std::int32_t x, std::int32_t y);

    // Steps 2-4 of the keyboard procedure: the usage of a scan code and its flags, 0 for none.
    std::uint8_t usageForScanCode(std::uint32_t scanCode, std::uint32_t flags) const;

    const std::map<std::uint16_t, std::uint8_t>& scanToVirtualKey() const { return scanTable; }
    const std::map<std::uint8_t, std::uint8_t>& virtualKeyToUsage() const { return usageTable; }
    bool keyDownState(std::uint8_t usage) const { return keyDown[usage]; }
    HookBackend* backend() const { return hookBackend.get(); }

private:
    void buildScanToVirtualKey();
    void buildVirtualKeyToUsage();

    std::uint8_t hookFlag = 0;
    std::unique_ptr<HookBackend> hookBackend;
    KeyboardCallback keyboardCallback = nullptr;
    void* keyboardContext = nullptr;
    MouseCallback mouseCallback = nullptr;
    void* mouseContext = nullptr;
    CopyDataCallback copyDataCallback = nullptr;
    void* copyDataContext = nullptr;
    std::map<std::uint16_t, std::uint8_t> scanTable;
    std::map<std::uint8_t, std::uint8_t> usageTable;
    std::array<bool, 256> keyDown{};
};
