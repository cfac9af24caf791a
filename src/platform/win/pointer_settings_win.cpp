// Pointer settings of the Windows session through SystemParametersInfoW: every
// change is written to the user profile and broadcast to running applications.
#include "platform/pointer_settings.h"

#include <windows.h>

#include <cstdint>

namespace {

constexpr UINT kSetMouseSpeed = 0x71;         // SPI_SETMOUSESPEED
constexpr UINT kSetDoubleClickTime = 0x20;    // SPI_SETDOUBLECLICKTIME
constexpr UINT kSetWheelScrollLines = 0x69;   // SPI_SETWHEELSCROLLLINES
constexpr UINT kUpdateAndBroadcast = 3;       // SPIF_UPDATEINIFILE | SPIF_SENDCHANGE

class WindowsPointerSettings : public PointerSettings {
public:
    bool setPointerSpeed(int speed) override
    {
        // The speed travels in the pointer argument itself.
        return SystemParametersInfoW(kSetMouseSpeed, 0,
                                     reinterpret_cast<PVOID>(static_cast<std::intptr_t>(speed)),
                                     kUpdateAndBroadcast) != FALSE;
    }

    bool setDoubleClickTime(int milliseconds) override
    {
        return SystemParametersInfoW(kSetDoubleClickTime, static_cast<UINT>(milliseconds), nullptr,
                                     kUpdateAndBroadcast) != FALSE;
    }

    bool setWheelScrollLines(int lines) override
    {
        return SystemParametersInfoW(kSetWheelScrollLines, static_cast<UINT>(lines), nullptr,
                                     kUpdateAndBroadcast) != FALSE;
    }
};

} // namespace

std::unique_ptr<PointerSettings> createPlatformPointerSettings()
{
    return std::make_unique<WindowsPointerSettings>();
}
