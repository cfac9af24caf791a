#pragma once
#include <QLockFile>
#include <QString>
#include <memory>

// One running instance per executable: a lock file in the temporary folder named
// after a hash of the executable's path. No messages pass between instances.
class SingleInstance
{
public:
    explicit SingleInstance(const QString& executablePath);
    // True when another instance of the same executable holds the lock.
    bool isRunning() const { return !held; }
private:
    std::unique_ptr<QLockFile> lock;
    bool held = false;
};
