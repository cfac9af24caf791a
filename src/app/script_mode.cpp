// Script mode: the settings and the device without window, tray or scene. The
// script sees the same objects the scene gets (ui_View, hid) and, on the virtual
// mouse, virtualMouse; console.log goes to standard output.
#include "app/script_mode.h"

#include "app/script_virtual_mouse.h"
#include "app/widget.h"
#include "device/virtual/virtual_mouse.h"
#include "ui_host/ui_controler.h"
#include "view/myqquickview.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QJSEngine>
#include <QTimer>
#include <cstdio>

namespace {

constexpr int kScriptError = 1;
const char* const kConsoleCategory = "js";

QtMessageHandler previousHandler = nullptr;

// The script's console.log / console.info go to standard output, everything else
// (the program's own debug lines, console.warn / console.error) where it always goes.
void scriptMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool fromScript = context.category && qstrcmp(context.category, kConsoleCategory) == 0;
    if (fromScript && (type == QtDebugMsg || type == QtInfoMsg)) {
        const QByteArray line = message.toUtf8() + '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
        std::fflush(stdout);
        return;
    }
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

void printError(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

// Helpers for scripts that do not belong to any object of the program.
class ScriptHost : public QObject
{
    Q_OBJECT
public:
    // Lets the event loop run for ms milliseconds (notifications, queued calls, flushes).
    Q_INVOKABLE void wait(int ms)
    {
        QEventLoop loop;
        QTimer::singleShot(qMax(0, ms), &loop, &QEventLoop::quit);
        loop.exec();
    }
};

QJSValue publish(QJSEngine& engine, const char* name, QObject* object)
{
    QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
    QJSValue value = engine.newQObject(object);
    engine.globalObject().setProperty(QString::fromLatin1(name), value);
    return value;
}

} // namespace

int runScriptMode(QApplication& app, const QString& scriptPath, VirtualMouse* virtualMouse)
{
    Q_UNUSED(app);
    QFile file(scriptPath);
    if (!file.open(QIODevice::ReadOnly)) {
        printError(QStringLiteral("%1: %2").arg(scriptPath, file.errorString()));
        return kScriptError;
    }
    const QString program = QString::fromUtf8(file.readAll());

    previousHandler = qInstallMessageHandler(scriptMessageHandler);

    int status = 0;
    {
        Widget window(nullptr, false);   // settings opened, no scene, no tray; never shown
        window.checkDevice();

        QJSEngine engine;
        engine.installExtensions(QJSEngine::ConsoleExtension);
        publish(engine, "ui_View", window.controller->view);
        publish(engine, "hid", &window.link);
        ScriptHost host;
        QJSValue hostValue = publish(engine, "scriptHost", &host);
        engine.globalObject().setProperty(QStringLiteral("wait"), engine.evaluate(
            QStringLiteral("(function (host) { return function (ms) { host.wait(ms); }; })")).call({hostValue}));

        std::unique_ptr<ScriptVirtualMouse> mouse;
        if (virtualMouse) {
            mouse = std::make_unique<ScriptVirtualMouse>(*virtualMouse);
            publish(engine, "virtualMouse", mouse.get());
        }

        const QJSValue result = engine.evaluate(program, scriptPath);
        if (result.isError()) {
            printError(QStringLiteral("%1:%2: %3")
                           .arg(scriptPath, result.property(QStringLiteral("lineNumber")).toString(),
                                result.toString()));
            status = kScriptError;
        }
        window.link.listening = false;
    }

    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
    return status;
}

#include "script_mode.moc"
