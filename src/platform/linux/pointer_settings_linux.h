#pragma once
// Pointer settings of a Linux desktop session. GNOME keeps them in GSettings
// (org.gnome.desktop.peripherals.mouse), KDE in its configuration files; both are
// written with the desktop's own command-line tool. A setting the session's
// desktop has no place for is reported as not taken.

#include "platform/pointer_settings.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace linux_pointer {

enum class Desktop { None, Gnome, Kde };

// From the session's XDG_CURRENT_DESKTOP value (a colon-separated list).
Desktop desktopFromSessionName(const QString& currentDesktop);

// Runs one configuration tool; true when it ran and exited with status 0.
class CommandRunner {
public:
    virtual ~CommandRunner() = default;
    // The program found on the path, or an empty text.
    virtual QString find(const QString& program) = 0;
    virtual bool run(const QString& program, const QStringList& arguments) = 0;
};

// QProcess with a short time-out.
std::unique_ptr<CommandRunner> createProcessRunner();

constexpr int kToolTimeoutMs = 2000;

class DesktopPointerSettings : public PointerSettings {
public:
    DesktopPointerSettings(Desktop desktop, std::unique_ptr<CommandRunner> runner);
    bool setPointerSpeed(int speed) override;
    bool setDoubleClickTime(int milliseconds) override;
    bool setWheelScrollLines(int lines) override;

private:
    bool gsettingsSet(const QString& key, const QString& value);
    bool kdeWrite(const QString& file, const QString& group, const QString& key, const QString& value);

    Desktop desktop;
    std::unique_ptr<CommandRunner> runner;
};

} // namespace linux_pointer
