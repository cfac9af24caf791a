#pragma once
// Shared by the tests: a scratch copy of the shipped installation tree made the
// current directory, so every ./modules/ path of the program lands there.
#include <QString>
#include <QTemporaryDir>
#include <memory>

class ScratchInstall
{
public:
    // Copies <source>/modules into a new temporary folder and makes it the current directory.
    ScratchInstall();
    ~ScratchInstall();
    QString path() const { return dir.path(); }
    QString file(const QString& relative) const { return dir.filePath(relative); }
private:
    QTemporaryDir dir;
    QString previous;
};

// Reads a whole file (empty when absent).
QByteArray readFileBytes(const QString& path);
