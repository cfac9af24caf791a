#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDir>

SingleInstance::SingleInstance(const QString& executablePath)
{
    const QByteArray id = QCryptographicHash::hash(executablePath.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    lock = std::make_unique<QLockFile>(QDir::temp().filePath(QStringLiteral("corvane-config-%1.lock").arg(QString::fromLatin1(id))));
    lock->setStaleLockTime(0);
    held = lock->tryLock(0);
}
