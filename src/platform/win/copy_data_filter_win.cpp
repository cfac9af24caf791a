// The application's native event filter: WM_COPYDATA goes to the hook module's
// copy-data callback, and the message counts as handled with result 1.

#include "input/hook_backend.h"
#include "input/input_hooks.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>

#include <windows.h>

namespace {

class CopyDataFilter : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override
    {
        if (eventType != "windows_generic_MSG" || !message)
            return false;
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->message != WM_COPYDATA)
            return false;
        InputHooks* hooks = InputHooks::current();
        if (!hooks || !hooks->hasCopyDataCallback())
            return false;
        CopyDataRecord record;
        if (const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(msg->lParam)) {
            record.dwData = static_cast<std::uintptr_t>(data->dwData);
            record.cbData = data->cbData;
            record.lpData = data->lpData;
        }
        hooks->copyDataProcedure(record);
        if (result)
            *result = 1;
        return true;
    }
};

} // namespace

bool installCopyDataFilter(void* application)
{
    auto* app = static_cast<QCoreApplication*>(application);
    if (!app)
        return false;
    static CopyDataFilter filter;
    static QCoreApplication* installedOn = nullptr;
    if (installedOn != app) {
        app->installNativeEventFilter(&filter);
        installedOn = app;
    }
    return true;
}
