#pragma once
#include <QString>

// Where the settings tree (the folder every ./modules/ path of the program means)
// lives for this run.
//
// Portable: modules/ beside the executable is a writable folder (the build tree, a
// copied folder) and is used as it is. Installed: a per-user tree
// <data home>/corvane-config/modules, seeded from and completed with the installed
// tree: modules/ beside the executable when that exists read-only, otherwise the
// tree installed under share/.
struct SettingsLocation {
    QString tree;          // absolute path of the modules/ folder in use
    QString installedTree; // what a per-user tree is completed from; empty when portable
    bool portable = false;

    // The folder to work in: its ./modules is the tree.
    QString workingDirectory() const;
};

// What the file system says about modules/ beside the executable.
struct BesideTree {
    bool exists = false;
    bool writable = false;
};

// The decision alone. dataHome is $XDG_DATA_HOME or its default (~/.local/share).
SettingsLocation chooseSettingsLocation(const QString& executableDir, BesideTree beside, const QString& dataHome);

// The decision for this process (file system and environment).
SettingsLocation locateSettings(const QString& executableDir);

// Makes the tree ready (a per-user tree is created or completed) and enters its
// working directory. On failure prints why to standard error and returns false.
bool enterSettingsTree(const SettingsLocation& location);
