#include "app/input_wiring.h"
#include "app/script_mode.h"
#include "app/single_instance.h"
#include "app/startup_probe.h"
#include "app/widget.h"
#include "input/input_hooks.h"
#include "device/virtual/virtual_mouse.h"
#include "device/wire_log.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include <memory>

namespace {

const char* const kVirtualMouseOption = "--virtual-mouse";
const char* const kScriptOption = "--script";
const char* const kMeasureStartupOption = "--measure-startup";
const char* const kApConfigFile = "./modules/setting/apConfig.bin";

struct Options {
    bool virtualMouse = false;
    QString scriptFile;
    bool scriptMode = false;
    bool measureStartup = false;
};

Options parseOptions(const QStringList& args)
{
    Options o;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String(kVirtualMouseOption)) {
            o.virtualMouse = true;
        } else if (a == QLatin1String(kMeasureStartupOption)) {
            o.measureStartup = true;
        } else if (a == QLatin1String(kScriptOption)) {
            o.scriptMode = true;
            if (i + 1 < args.size())
                o.scriptFile = args.at(++i);
            else
                qDebug() << kScriptOption << "needs a script file";
        }
    }
    return o;
}

// Every path of the program is relative to the executable's folder.
void enterExecutableDirectory()
{
    const QString exe = QCoreApplication::applicationFilePath();
    const int cut = exe.lastIndexOf(QLatin1Char('/'));
    if (cut > 0)
        QDir::setCurrent(exe.left(cut));
    else if (cut == 0)
        QDir::setCurrent(QStringLiteral("/"));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const Options options = parseOptions(QCoreApplication::arguments());

    // One instance per executable, script runs included.
    const SingleInstance guard(QCoreApplication::applicationFilePath());
    if (guard.isRunning())
        return 1;

    enterExecutableDirectory();

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
