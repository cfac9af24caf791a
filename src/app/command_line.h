#pragma once
#include <QString>
#include <QStringList>

// The program's options. They are read before the application object exists, so
// --help, --version and a wrong option work without a display.
struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, UsageError };
    Action action = Action::Run;
    bool virtualMouse = false;          // --virtual-mouse
    bool scriptMode = false;            // --script FILE.js
    QString scriptFile;
    QString virtualMouseCtl;            // --virtual-mouse-ctl COMMAND
    bool measureStartup = false;        // --measure-startup (bench/startup.py)
    QString error;                      // what was wrong, for UsageError
};

// args[0] is the program. The options of Qt's application object (-platform NAME,
// -style NAME, -reverse, ...) are accepted and left for it.
CommandLine parseCommandLine(const QStringList& args);

QString usageText(const QString& program);
QString versionText();

// Prints what --help, --version or a wrong option ask for (help and version on
// standard output, a wrong option with the usage on standard error) and gives the
// exit status (0, or 2 for a wrong option); -1 when the program should run.
int answerInformationalOptions(const CommandLine& line, const QString& program);
