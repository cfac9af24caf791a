#include "app/settings_location.h"

#include "app/user_tree.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

#ifndef CORVANE_INSTALLED_TREE
// The installed tree relative to the executable's folder (bin/ -> share/).
#define CORVANE_INSTALLED_TREE "../share/corvane-config/modules"
#endif

namespace {
const QLatin1String kTreeName("modules");
const QLatin1String kUserFolder("corvane-config");
} // namespace

QString SettingsLocation::workingDirectory() const
{
    return QFileInfo(tree).absolutePath();
}

SettingsLocation chooseSettingsLocation(const QString& executableDir, BesideTree beside, const QString& dataHome)
{
    const QDir exe(executableDir);
    SettingsLocation location;
    if (beside.exists && beside.writable) {
        location.portable = true;
        location.tree = QDir::cleanPath(exe.absoluteFilePath(kTreeName));
        return location;
    }
    location.tree = QDir::cleanPath(QDir(dataHome).absoluteFilePath(kUserFolder + QLatin1Char('/') + kTreeName));
    location.installedTree = QDir::cleanPath(
        exe.absoluteFilePath(beside.exists ? QString(kTreeName) : QStringLiteral(CORVANE_INSTALLED_TREE)));
    return location;
}

SettingsLocation locateSettings(const QString& executableDir)
{
    const QFileInfo beside(QDir(executableDir).filePath(kTreeName));
    return chooseSettingsLocation(executableDir, {beside.isDir(), beside.isDir() && beside.isWritable()},
                                  QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

bool enterSettingsTree(const SettingsLocation& location)
{
    QString error;
    if (!location.portable && !completeUserTree(location.installedTree, location.tree, &error)) {
        std::fprintf(stderr, "corvane-config: settings folder %s: %s\n", qPrintable(location.tree), qPrintable(error));
        return false;
    }
    if (!QDir::setCurrent(location.workingDirectory())) {
        std::fprintf(stderr, "corvane-config: cannot enter %s\n", qPrintable(location.workingDirectory()));
        return false;
    }
    return true;
}
