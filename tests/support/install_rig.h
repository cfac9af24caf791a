#pragma once
// The installation rig: this build installed with `cmake --install` into a private
// DESTDIR (prefix /usr) and made read-only, and users of their own (HOME, XDG_*
// folders) who run the installed program.
#include <QByteArray>
#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Everything under a folder: relative path -> content of a file, kFolder for a folder.
using TreeSnapshot = QMap<QString, QByteArray>;
inline constexpr char kFolder[] = "\x01folder";
TreeSnapshot snapshotTree(const QString& root);

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
    QString program() const;         // <prefix>/bin/corvane-config
    QString installedTree() const;   // <prefix>/share/corvane-config/modules
    QString installed(const QString& relative) const { return prefix() + QLatin1Char('/') + relative; }
    // What the prefix held right after installing (and after addInstalledFile).
    const TreeSnapshot& prefixAsInstalled() const { return asInstalled; }
    // A newer installation: one more file in the installed tree, read-only again after.
    bool addInstalledFile(const QString& relative, const QByteArray& bytes);

    // A user's folders: <tmp>/<user>/{home,runtime}; runtime is mode 0700.
    // runtimeOf names the user whose runtime folder this user's runs share.
    QProcessEnvironment environment(const QString& user, const QString& runtimeOf = QString()) const;
    QString home(const QString& user) const;
    // The per-user tree with the default $XDG_DATA_HOME.
    QString userTree(const QString& user) const;

    // Runs the installed program as that user (headless), up to 60 s.
    ProgramRun run(const QProcessEnvironment& env, const QStringList& args) const;
    ProgramRun runScript(const QProcessEnvironment& env, const QByteArray& script) const;

private:
    QTemporaryDir dir;
    QString failure;
    TreeSnapshot asInstalled;
};
