#pragma once
// The installation rig: this build installed with `cmake --install` into a private
// DESTDIR (prefix /usr) and made read-only, and users of their own (HOME, XDG_*
// folders) who run the installed program. Trees are compared with treeBytes (rig.h).
#include "rig.h"

#include <QProcess>
#include <QTemporaryDir>
#include <memory>

struct ProgramRun {
    int status = -1;    // -1: did not finish; -2: crashed
    QByteArray out;
    QByteArray err;
};

class InstallRig
{
public:
    InstallRig();   // installs; error() says what failed
    ~InstallRig();
    QString error() const { return failure; }

    QString prefix() const;          // <DESTDIR>/usr
    QString program() const { return installed(QStringLiteral("bin/corvane-config")); }
    QString installedTree() const { return installed(QStringLiteral("share/corvane-config/modules")); }
    QString installed(const QString& relative) const { return prefix() + QLatin1Char('/') + relative; }
    // What the prefix held right after installing (and after addInstalledFile).
    const TreeSnapshot& prefixAsInstalled() const { return asInstalled; }
    // A newer installation: one more file in the installed tree, read-only again after.
    bool addInstalledFile(const QString& relative, const QByteArray& bytes);

    // A user's folders: <tmp>/<user>/{home,runtime}; runtime is mode 0700.
    // runtimeOf names the user whose runtime folder this user's runs share.
    QProcessEnvironment environment(const QString& user, const QString& runtimeOf = QString()) const;
    QString home(const QString& user) const { return dir.filePath(user + QStringLiteral("/home")); }
    // The per-user tree with the default $XDG_DATA_HOME.
    QString userTree(const QString& user) const { return home(user) + QStringLiteral("/.local/share/corvane-config/modules"); }

    // Starts the installed program as that user (headless); it is killed when it goes.
    std::unique_ptr<QProcess> start(const QProcessEnvironment& env, const QStringList& args) const;
    // Runs it to its end, up to 60 s.
    ProgramRun run(const QProcessEnvironment& env, const QStringList& args) const;
    // The arguments that run a script (written to a file of its own) on the virtual mouse.
    QStringList scriptArgs(const QByteArray& script) const;
    ProgramRun runScript(const QProcessEnvironment& env, const QByteArray& script) const { return run(env, scriptArgs(script)); }

private:
    QTemporaryDir dir;
    QString failure;
    TreeSnapshot asInstalled;
    mutable int scripts = 0;
};
