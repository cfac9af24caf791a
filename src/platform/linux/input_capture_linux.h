#pragma once
// The Linux side of the hook module. Two sources feed InputHooks:
//  - the application's own windows, through an application-wide event filter
//    (X11 and Wayland give the evdev code + 8 as the native scan code);
//  - when /dev/input/event* are readable, every keyboard and mouse of the
//    desktop through EvdevCapture.
// Each kind of event comes from one source only: while the devices deliver keys
// (or buttons), the window filter reports none, so nothing is reported twice.

#include "input/hook_backend.h"

#include <memory>

class EvdevCapture;
class QObject;

class LinuxInputBackend : public HookBackend
{
public:
    enum class GlobalCapture { Auto, Off };
    static constexpr const char* kDeviceDirectory = "/dev/input";

    explicit LinuxInputBackend(GlobalCapture mode = GlobalCapture::Auto);
    ~LinuxInputBackend() override;

    bool install(InputHooks& hooks) override;
    void remove() override;
    bool installed() const override;
    bool keysFromEveryWindow() const override { return keysFromDevices(); }

    bool keysFromDevices() const;
    bool buttonsFromDevices() const;

private:
    class WindowFilter;
    void deliver(int kind, unsigned char code, bool isDown);

    GlobalCapture mode;
    InputHooks* target = nullptr;
    std::unique_ptr<WindowFilter> filter;
    std::unique_ptr<EvdevCapture> capture;
};
