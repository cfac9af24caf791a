#pragma once
// The platform half of the hook module: installs and removes the two low-level
// hooks (or their equivalent) and feeds the events to the InputHooks procedures.
// Free of Qt: the Windows implementation is compiled without it.

#include <memory>

class InputHooks;

class HookBackend
{
public:
    virtual ~HookBackend() = default;
    // Installs the keyboard source, then the mouse source, both reporting to hooks.
    // True when both are in place; on failure nothing stays installed.
    virtual bool install(InputHooks& hooks) = 0;
    // Removes the keyboard source, then the mouse source. Harmless when absent.
    virtual void remove() = 0;
    // True while either source is installed.
    virtual bool installed() const = 0;
    // True when installed keys are seen from every window of the desktop, not only
    // from the program's own windows.
    virtual bool keysFromEveryWindow() const { return installed(); }
};

// The backend of the platform the program was built for.
std::unique_ptr<HookBackend> createPlatformHookBackend();

// Installs the platform's native message filter that routes WM_COPYDATA to
// InputHooks::current(). application is the QCoreApplication*. False where the
// platform has no such messages.
bool installCopyDataFilter(void* application);
