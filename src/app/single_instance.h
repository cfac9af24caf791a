#pragma once
#include <QLockFile>
#include <QString>
#include <memory>

// One running instance per user and settings tree: a lock file named after a hash
// of the key (the settings tree in use) in the user's runtime folder
// ($XDG_RUNTIME_DIR, or Qt's per-user fallback). Another user, with a runtime
// folder of their own, is not locked out. No messages pass between instances.
class SingleInstance
{
public:
    explicit SingleInstance(const QString& key, const QString& lockDirectory = defaultLockDirectory());
    // True when another instance holds the lock for the same key.
    bool isRunning() const { return !held; }
    static QString defaultLockDirectory();
private:
    std::unique_ptr<QLockFile> lock;
    bool held = false;
};
