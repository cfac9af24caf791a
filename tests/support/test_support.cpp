#include "test_support.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

ScratchInstall::ScratchInstall()
{
    previous = QDir::currentPath();
    const QString src = QStringLiteral(CORVANE_SOURCE_DIR "/modules");
    QDirIterator it(src, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QDir(dir.path()).mkpath(QStringLiteral("modules"));
    while (it.hasNext()) {
        const QString p = it.next();
        const QString rel = QStringLiteral("modules/") + QDir(src).relativeFilePath(p);
        if (it.fileInfo().isDir())
            QDir(dir.path()).mkpath(rel);
        else
            QFile::copy(p, dir.filePath(rel));
    }
    QDir(dir.path()).mkpath(QStringLiteral("modules/macro"));
    QDir::setCurrent(dir.path());
}

ScratchInstall::~ScratchInstall() { QDir::setCurrent(previous); }

QByteArray readFileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}
