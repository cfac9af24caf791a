#include "install_rig.h"

#include <QDir>
#include <QFile>

namespace {

const char* const kPrefix = "/usr";
const int kRunTimeoutMs = 60000;

bool setTreeWritable(const QString& root, bool writable)
{
    const QString mode = writable ? QStringLiteral("u+w") : QStringLiteral("a-w");
    return QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("-R"), mode, root}) == 0;
}

} // namespace

InstallRig::InstallRig()
{
    QProcess install;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DESTDIR"), dir.filePath(QStringLiteral("root")));
    install.setProcessEnvironment(env);
    install.start(QStringLiteral("cmake"), {QStringLiteral("--install"), QStringLiteral(CORVANE_BINARY_DIR),
                                            QStringLiteral("--prefix"), QString::fromLatin1(kPrefix)});
    if (!install.waitForFinished(120000) || install.exitCode() != 0)
        failure = QStringLiteral("cmake --install failed: ") + QString::fromLocal8Bit(install.readAllStandardError());
    else if (!QFile::exists(program()))
        failure = QStringLiteral("no program at ") + program();
    else if (!setTreeWritable(dir.filePath(QStringLiteral("root")), false))
        failure = QStringLiteral("chmod failed");
    asInstalled = treeBytes(prefix());
}

InstallRig::~InstallRig()
{
    setTreeWritable(dir.path(), true);   // lets the temporary folder go
}

QString InstallRig::prefix() const
{
    return dir.filePath(QStringLiteral("root")) + QLatin1String(kPrefix);
}

bool InstallRig::addInstalledFile(const QString& relative, const QByteArray& bytes)
{
    const QString path = installedTree() + QLatin1Char('/') + relative;
    bool ok = setTreeWritable(installedTree(), true) && QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ok = ok && f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    f.close();
    ok = setTreeWritable(installedTree(), false) && ok;
    asInstalled = treeBytes(prefix());
    return ok;
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

std::unique_ptr<QProcess> InstallRig::start(const QProcessEnvironment& env, const QStringList& args) const
{
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(env);
    p->setWorkingDirectory(env.value(QStringLiteral("HOME")));
    p->start(program(), args);
    return p;
}

ProgramRun InstallRig::run(const QProcessEnvironment& env, const QStringList& args) const
{
    const std::unique_ptr<QProcess> p = start(env, args);
    if (!p->waitForFinished(kRunTimeoutMs))
        return {};   // killed as it goes
    return {p->exitStatus() == QProcess::NormalExit ? p->exitCode() : -2, p->readAllStandardOutput(),
            p->readAllStandardError()};
}

// The script lies outside the user's home, so the home holds only what the program wrote.
QStringList InstallRig::scriptArgs(const QByteArray& script) const
{
    const QString path = dir.filePath(QStringLiteral("script%1.js").arg(++scripts));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(script) != script.size())
        return {QStringLiteral("--no-such-script-file")};
    return {QStringLiteral("--script"), path, QStringLiteral("--virtual-mouse")};
}
