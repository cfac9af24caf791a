#pragma once
#include <QStringList>

class QApplication;

// corvane-config --script FILE.js [--virtual-mouse]: runs a script against the
// settings and the device without window, tray or scene. Returns the exit status
// (0 after the script, 1 on a script error).
int runScriptMode(QApplication& app, const QString& scriptPath, bool virtualMouse);
