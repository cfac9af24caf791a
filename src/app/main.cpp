#include "app/command_line.h"
#include "app/input_wiring.h"
#include "app/script_mode.h"
#include "app/settings_location.h"
#include "app/single_instance.h"
#include "app/startup_probe.h"
#include "app/virtual_mouse_ctl.h"
#include "app/widget.h"
#include "input/input_hooks.h"
#include "device/virtual/virtual_mouse.h"
#include "device/wire_log.h"

#include <QApplication>
#include <QDebug>
#include <QFileInfo>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include <memory>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

const char* const kApConfigFile = "./modules/setting/apConfig.bin";

} // namespace

int main(int argc, char* argv[])
{
#ifdef __GLIBC__
    // The app's few threads allocate little and seldom: one heap for all of them keeps
    // glibc from reserving a heap per thread (about 1.5 MB of resident memory).
    mallopt(M_ARENA_MAX, 1);
#endif
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine options = parseCommandLine(arguments);
    if (const int status = answerInformationalOptions(options, QFileInfo(arguments.value(0)).fileName()); status >= 0)
        return status;
    if (!options.virtualMouseCtl.isEmpty())
        return virtual_mouse_ctl::runClient(argc, argv, options.virtualMouseCtl);

    QApplication app(argc, argv);

    // One instance per user and settings tree, script runs included.
    const SettingsLocation settings = locateSettings(QCoreApplication::applicationDirPath());
    const SingleInstance guard(settings.tree);
    if (guard.isRunning())
        return 1;
    if (!enterSettingsTree(settings))
        return 1;

    std::unique_ptr<VirtualMouse> virtualMouse;
    if (options.virtualMouse) {
        virtualMouse = std::make_unique<VirtualMouse>(VirtualMouse::configFromSettings(QString::fromLatin1(kApConfigFile)));
        installHidBackend(virtualMouse.get());
    }
    std::unique_ptr<WireLog> wireLog = WireLog::fromEnvironment(hidBackend());
    if (wireLog)
        installHidBackend(wireLog.get());

    int status = 0;
    if (options.scriptMode) {
        status = options.scriptFile.isEmpty() ? 1 : runScriptMode(app, options.scriptFile, virtualMouse.get());
    } else {
        // Software rendering keeps start-up time and memory low for a 1024 x 640 scene.
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        auto window = std::make_unique<Widget>();
        const std::unique_ptr<virtual_mouse_ctl::Server> mouseControl = virtual_mouse_ctl::start(virtualMouse.get(), *window);
        std::unique_ptr<InputHooks> hooks = startInputCapture(*window, app);
        if (options.measureStartup)
            watchFirstFrame(window.get());
        window->showNormal();
        window->checkDevice();
        if (options.measureStartup)
            markMainLoopStarting();
        status = app.exec();
        stopInputCapture(hooks.get());
        hooks.reset();
        window.reset();
    }

    installHidBackend(nullptr);
    return status;
}
