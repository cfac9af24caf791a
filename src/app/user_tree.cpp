#include "app/user_tree.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool copyWhole(const QString& from, const QString& to, QString* error)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(from, source.errorString());
        return false;
    }
    // Written beside the target under another name and renamed on commit; the new
    // file gets the usual permissions, not the read-only ones of the installed copy.
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly) || target.write(source.readAll()) != source.size() || !target.commit()) {
        *error = QStringLiteral("%1: %2").arg(to, target.errorString());
        return false;
    }
    return true;
}

} // namespace

bool completeUserTree(const QString& installedTree, const QString& userTree, QString* error)
{
    const QDir installed(installedTree);
    if (!installed.exists()) {
        if (QFileInfo(userTree).isDir())
            return true;
        *error = QStringLiteral("no installed settings in %1").arg(installedTree);
        return false;
    }
    if (!QDir().mkpath(userTree)) {
        *error = QStringLiteral("cannot create the folder");
        return false;
    }
    const QDir user(userTree);
    QDirIterator it(installedTree, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString relative = installed.relativeFilePath(from);
        const QString to = user.filePath(relative);
        const QFileInfo source = it.fileInfo();
        const QFileInfo target(to);
        if (source.isDir()) {
            if (!target.isDir() && !QDir().mkpath(to)) {
                *error = QStringLiteral("cannot create %1").arg(relative);
                return false;
            }
        } else if (!target.exists()) {
            // A parent folder may come after its files in the walk.
            if (!QDir().mkpath(target.absolutePath()) || !copyWhole(from, to, error))
                return false;
        }
    }
    return true;
}
