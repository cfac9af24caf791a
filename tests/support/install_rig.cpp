#include "install_rig.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {

const char* const kPrefix = "/usr";
const int kRunTimeoutMs = 60000;

bool setTreeWritable(const QString& root, bool writable)
{
    const QString mode = writable ? QStringLiteral("u+w") : QStringLiteral("a-w");
    return QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("-R"), mode, root}) == 0;
}

} // namespace

TreeSnapshot snapshotTree(const QString& root)
{
    TreeSnapshot snapshot;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        const bool file = it.fileInfo().isFile() && f.open(QIODevice::ReadOnly);
        snapshot.insert(base.relativeFilePath(path), file ? f.readAll() : QByteArray(kFolder));
    }
    return snapshot;
}

InstallRig::InstallRig()
{
    const QString destdir = dir.filePath(QStringLiteral("root"));
    QProcess install;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DESTDIR"), destdir);
    install.setProcessEnvironment(env);
    install.start(QStringLiteral("cmake"), {QStringLiteral("--install"), QStringLiteral(CORVANE_BINARY_DIR),
                                            QStringLiteral("--prefix"), QString::fromLatin1(kPrefix)});
    if (!install.waitForFinished(120000) || install.exitCode() != 0) {
        failure = QStringLiteral("cmake --install failed: ") + QString::fromLocal8Bit(install.readAllStandardError());
        return;
    }
    if (!QFile::exists(program())) {
        failure = QStringLiteral("no program at ") + program();
        return;
    }
    if (!setTreeWritable(destdir, false))
        failure = QStringLiteral("chmod failed");
    asInstalled = snapshotTree(prefix());
}

InstallRig::~InstallRig()
{
    setTreeWritable(dir.path(), true);   // lets the temporary folder go
}

QString InstallRig::prefix() const
{
    return dir.filePath(QStringLiteral("root")) + QLatin1String(kPrefix);
}

QString InstallRig::program() const
{
    return installed(QStringLiteral("bin/corvane-config"));
}

QString InstallRig::installedTree() const
{
    return installed(QStringLiteral("share/corvane-config/modules"));
}

bool InstallRig::addInstalledFile(const QString& relative, const QByteArray& bytes)
{
    const QString path = installedTree() + QLatin1Char('/') + relative;
    bool ok = setTreeWritable(installedTree(), true) && QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ok = ok && f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    f.close();
    ok = setTreeWritable(installedTree(), false) && ok;
    asInstalled = snapshotTree(prefix());
    return ok;
}

QString InstallRig::home(const QString& user) const
{
    return dir.filePath(user + QStringLiteral("/home"));
}

QString InstallRig::userTree(const QString& user) const
{
    return home(user) + QStringLiteral("/.local/share/corvane-config/modules");
}

QProcessEnvironment InstallRig::environment(const QString& user, const QString& runtimeOf) const
{
    const QString runtime = dir.filePath((runtimeOf.isEmpty() ? user : runtimeOf) + QStringLiteral("/runtime"));
    QDir().mkpath(home(user));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& key : env.keys()) {
        if (key.startsWith(QLatin1String("XDG_")) || key.startsWith(QLatin1String("CORVANE_")))
            env.remove(key);
    }
    env.insert(QStringLiteral("HOME"), home(user));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

ProgramRun InstallRig::run(const QProcessEnvironment& env, const QStringList& args) const
{
    ProgramRun r;
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(env.value(QStringLiteral("HOME")));
    p.start(program(), args);
    if (!p.waitForFinished(kRunTimeoutMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

ProgramRun InstallRig::runScript(const QProcessEnvironment& env, const QByteArray& script) const
{
    // The script lies outside the user's home, so the home holds only what the program wrote.
    QTemporaryDir scripts;
    const QString path = scripts.filePath(QStringLiteral("script.js"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(script) != script.size())
        return {};
    f.close();
    return run(env, {QStringLiteral("--script"), path, QStringLiteral("--virtual-mouse")});
}
