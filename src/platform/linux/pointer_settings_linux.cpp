#include "platform/linux/pointer_settings_linux.h"

#include "view/pointer_steps.h"

#include <QDebug>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace linux_pointer {
namespace {

const QString kGsettings = QStringLiteral("gsettings");
const QString kGnomeMouseSchema = QStringLiteral("org.gnome.desktop.peripherals.mouse");
const QString kGnomeSpeedKey = QStringLiteral("speed");
const QString kGnomeDoubleClickKey = QStringLiteral("double-click");

const QStringList kKdeWriters{QStringLiteral("kwriteconfig6"), QStringLiteral("kwriteconfig5")};
const QString kKdeInputFile = QStringLiteral("kcminputrc");
const QString kKdeMouseGroup = QStringLiteral("Mouse");
const QString kKdeAccelerationKey = QStringLiteral("XLbInptPointerAcceleration");
const QString kKdeGlobalsFile = QStringLiteral("kdeglobals");
const QString kKdeGroup = QStringLiteral("KDE");
const QString kKdeDoubleClickKey = QStringLiteral("DoubleClickInterval");
const QString kKdeWheelLinesKey = QStringLiteral("WheelScrollLines");
constexpr int kKdeMaxWheelLines = 100;   // KDE has no "one screen per notch"

class ProcessRunner : public CommandRunner {
public:
    QString find(const QString& program) override { return QStandardPaths::findExecutable(program); }

    bool run(const QString& program, const QStringList& arguments) override
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, arguments);
        if (!p.waitForStarted(kToolTimeoutMs))
            return false;
        if (!p.waitForFinished(kToolTimeoutMs)) {
            p.kill();
            p.waitForFinished(kToolTimeoutMs);
            qDebug() << program << "did not finish in time";
            return false;
        }
        return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }
};

} // namespace

Desktop desktopFromSessionName(const QString& currentDesktop)
{
    const QStringList names = currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& n : names) {
        if (n.compare(QLatin1String("GNOME"), Qt::CaseInsensitive) == 0)
            return Desktop::Gnome;
        if (n.compare(QLatin1String("KDE"), Qt::CaseInsensitive) == 0)
            return Desktop::Kde;
    }
    return Desktop::None;
}

std::unique_ptr<CommandRunner> createProcessRunner() { return std::make_unique<ProcessRunner>(); }

DesktopPointerSettings::DesktopPointerSettings(Desktop d, std::unique_ptr<CommandRunner> r)
    : desktop(d), runner(std::move(r))
{
}

bool DesktopPointerSettings::gsettingsSet(const QString& key, const QString& value)
{
    const QString tool = runner->find(kGsettings);
    if (tool.isEmpty())
        return false;
    return runner->run(tool, {QStringLiteral("set"), kGnomeMouseSchema, key, value});
}

bool DesktopPointerSettings::kdeWrite(const QString& file, const QString& group, const QString& key,
                                      const QString& value)
{
    for (const QString& writer : kKdeWriters) {
        const QString tool = runner->find(writer);
        if (tool.isEmpty())
            continue;
        return runner->run(tool, {QStringLiteral("--file"), file, QStringLiteral("--group"), group,
                                  QStringLiteral("--key"), key, value});
    }
    return false;
}

bool DesktopPointerSettings::setPointerSpeed(int speed)
{
    const QString acceleration = QString::number(pointer_steps::accelerationForSpeed(speed), 'f', 2);
    switch (desktop) {
    case Desktop::Gnome:
        return gsettingsSet(kGnomeSpeedKey, acceleration);
    case Desktop::Kde:
        return kdeWrite(kKdeInputFile, kKdeMouseGroup, kKdeAccelerationKey, acceleration);
    case Desktop::None:
        break;
    }
    return false;
}

bool DesktopPointerSettings::setDoubleClickTime(int milliseconds)
{
    if (milliseconds < 0)
        return false;
    const QString value = QString::number(milliseconds);
    switch (desktop) {
    case Desktop::Gnome:
        return gsettingsSet(kGnomeDoubleClickKey, value);
    case Desktop::Kde:
        return kdeWrite(kKdeGlobalsFile, kKdeGroup, kKdeDoubleClickKey, value);
    case Desktop::None:
        break;
    }
    return false;
}

bool DesktopPointerSettings::setWheelScrollLines(int lines)
{
    // GNOME has no setting for the lines per notch.
    if (desktop != Desktop::Kde || lines < 1 || lines > kKdeMaxWheelLines)
        return false;
    return kdeWrite(kKdeGlobalsFile, kKdeGroup, kKdeWheelLinesKey, QString::number(lines));
}

} // namespace linux_pointer

std::unique_ptr<PointerSettings> createPlatformPointerSettings()
{
    const QString session = QProcessEnvironment::systemEnvironment().value(QStringLiteral("XDG_CURRENT_DESKTOP"));
    return std::make_unique<linux_pointer::DesktopPointerSettings>(linux_pointer::desktopFromSessionName(session),
                                                                   linux_pointer::createProcessRunner());
}
