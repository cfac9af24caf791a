#include "app/command_line.h"

#include <cstdio>

#ifndef CORVANE_VERSION
#define CORVANE_VERSION "unknown"
#endif

namespace {

constexpr int kUsageStatus = 2;

const QLatin1String kHelp("--help");
const QLatin1String kHelpShort("-h");
const QLatin1String kVersion("--version");
const QLatin1String kVirtualMouse("--virtual-mouse");
const QLatin1String kScript("--script");
const QLatin1String kVirtualMouseCtl("--virtual-mouse-ctl");
const QLatin1String kMeasureStartup("--measure-startup");

// Options of QGuiApplication and QApplication, written with one dash (Qt also
// takes them with two).
const char* const kQtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger", "qwindowgeometry",
    "qwindowicon", "qwindowtitle", "session", "style", "stylesheet", "display", "geometry", "name", "title"};
const char* const kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

// The name of a Qt option without its dashes, or an empty string.
QString qtOptionName(const QString& arg)
{
    if (arg.startsWith(QLatin1String("--")))
        return arg.mid(2);
    if (arg.startsWith(QLatin1Char('-')))
        return arg.mid(1);
    return {};
}

template <size_t N>
bool listed(const char* const (&names)[N], const QString& name)
{
    for (const char* n : names) {
        if (name == QLatin1String(n))
            return true;
    }
    return false;
}

void print(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

CommandLine parseCommandLine(const QStringList& args)
{
    CommandLine line;
    auto fail = [&line](const QString& error) {
        line.action = CommandLine::Action::UsageError;
        line.error = error;
        return line;
    };
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args.at(i);
        auto value = [&]() -> const QString* { return i + 1 < args.size() ? &args.at(++i) : nullptr; };
        if (a == kHelp || a == kHelpShort) {
            line.action = CommandLine::Action::ShowHelp;
            return line;
        }
        if (a == kVersion) {
            line.action = CommandLine::Action::ShowVersion;
            return line;
        }
        if (a == kVirtualMouse) {
            line.virtualMouse = true;
        } else if (a == kMeasureStartup) {
            line.measureStartup = true;
        } else if (a == kScript || a == kVirtualMouseCtl) {
            const QString* v = value();
            if (!v)
                return fail(QStringLiteral("option %1 needs an argument").arg(a));
            if (a == kScript) {
                line.scriptMode = true;
                line.scriptFile = *v;
            } else {
                line.virtualMouseCtl = *v;
            }
        } else if (listed(kQtOptionsWithValue, qtOptionName(a))) {
            if (!value())
                return fail(QStringLiteral("option %1 needs an argument").arg(a));
        } else if (listed(kQtFlags, qtOptionName(a))) {
            continue;
        } else if (a.startsWith(QLatin1Char('-'))) {
            return fail(QStringLiteral("unknown option %1").arg(a));
        } else {
            return fail(QStringLiteral("unexpected argument %1").arg(a));
        }
    }
    return line;
}

QString usageText(const QString& program)
{
    return QStringLiteral(
               "Usage: %1 [OPTION]...\n"
               "Configures the CORVANE SKARN MOUSE GX17: DPI stages, report rate, buttons,\n"
               "macros, lighting, profiles and recoil data. Without options it starts in the\n"
               "notification area with its window open.\n"
               "\n"
               "Options:\n"
               "  --virtual-mouse              use the built-in emulated mouse instead of USB\n"
               "  --script FILE.js             run a script against the settings and the mouse,\n"
               "                               without window or tray\n"
               "  --virtual-mouse-ctl COMMAND  send COMMAND to the virtual mouse of the running\n"
               "                               program and print its answer\n"
               "  -h, --help                   show this help and exit\n"
               "  --version                    show the version and exit\n"
               "\n"
               "Settings live in modules/ beside the program when that folder exists and is\n"
               "writable (portable use); otherwise in $XDG_DATA_HOME/corvane-config/modules\n"
               "(~/.local/share/corvane-config/modules), copied from the installed settings\n"
               "on first start.\n")
        .arg(program);
}

QString versionText()
{
    return QStringLiteral("corvane-config %1\n").arg(QLatin1String(CORVANE_VERSION));
}

int answerInformationalOptions(const CommandLine& line, const QString& program)
{
    switch (line.action) {
    case CommandLine::Action::ShowHelp:
        print(stdout, usageText(program));
        return 0;
    case CommandLine::Action::ShowVersion:
        print(stdout, versionText());
        return 0;
    case CommandLine::Action::UsageError:
        print(stderr, QStringLiteral("%1: %2\n").arg(program, line.error) + usageText(program));
        return kUsageStatus;
    case CommandLine::Action::Run:
        break;
    }
    return -1;
}
