// The Windows side of the hook module: two low-level hooks for all threads of
// the desktop. The procedures only translate the hook records into plain values
// for InputHooks and always pass the event on. Free of Qt.

#include "input/hook_backend.h"
#include "input/input_hooks.h"

#include <windows.h>

namespace {

LRESULT CALLBACK keyboardHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (InputHooks* hooks = InputHooks::current(); hooks && event)
        hooks->keyboardProcedure(code, static_cast<std::uintptr_t>(wParam), event->scanCode, event->flags);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK mouseHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    if (InputHooks* hooks = InputHooks::current(); hooks && event)
        hooks->mouseProcedure(code, static_cast<std::uintptr_t>(wParam), event->pt.x, event->pt.y);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class WinHookBackend : public HookBackend
{
public:
    ~WinHookBackend() override { remove(); }

    bool install(InputHooks& /*hooks*/) override
    {
        HMODULE module = GetModuleHandleW(nullptr);
        keyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardHookProc, module, 0);
        mouseHook = SetWindowsHookExW(WH_MOUSE_LL, mouseHookProc, module, 0);
        if (keyboardHook && mouseHook)
            return true;
        // Half a capture is no capture: drop the hook that did install.
        remove();
        return false;
    }

    void remove() override
    {
        if (keyboardHook)
            UnhookWindowsHookEx(keyboardHook);
        keyboardHook = nullptr;
        if (mouseHook)
            UnhookWindowsHookEx(mouseHook);
        mouseHook = nullptr;
    }

    bool installed() const override { return keyboardHook || mouseHook; }

private:
    HHOOK keyboardHook = nullptr;
    HHOOK mouseHook = nullptr;
};

} // namespace

std::unique_ptr<HookBackend> createPlatformHookBackend() { return std::make_unique<WinHookBackend>(); }
