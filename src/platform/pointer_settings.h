#pragma once
// The desktop's pointer settings: speed, double-click time, wheel lines.
// Windows applies them with SystemParametersInfoW; Linux through the desktop's own
// settings where the session has them. Each call returns false when the desktop
// could not take the value.

#include <memory>

class PointerSettings {
public:
    virtual ~PointerSettings() = default;
    // speed 1..20 (the Windows pointer-speed scale)
    virtual bool setPointerSpeed(int speed) = 0;
    virtual bool setDoubleClickTime(int milliseconds) = 0;
    // lines per wheel notch; 1000 scrolls one screen
    virtual bool setWheelScrollLines(int lines) = 0;
};

// The implementation of the platform the program was built for.
std::unique_ptr<PointerSettings> createPlatformPointerSettings();
