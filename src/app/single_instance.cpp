#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString& key, const QString& lockDirectory)
{
    const QByteArray id = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    lock = std::make_unique<QLockFile>(QDir(lockDirectory).filePath(QStringLiteral("corvane-config-%1.lock").arg(QString::fromLatin1(id))));
    lock->setStaleLockTime(0);
    held = lock->tryLock(0);
}

QString SingleInstance::defaultLockDirectory()
{
#ifdef Q_OS_WIN
    return QDir::tempPath(); // per user on Windows
#else
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
#endif
}
