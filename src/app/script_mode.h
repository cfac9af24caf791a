#pragma once
#include <QStringList>

class QApplication;
class VirtualMouse;

// corvane-config --script FILE.js [--virtual-mouse]: runs a script against the
// settings and the device without window, tray or scene. Returns the exit status
// (0 after the script, 1 on a script error).
// virtualMouse is the emulated mouse in use (published to the script), or nullptr.
int runScriptMode(QApplication& app, const QString& scriptPath, VirtualMouse* virtualMouse);
