// The control socket of an app running a virtual mouse, and the
// --virtual-mouse-ctl client that talks to it from another process.
#include "rig.h"

#include "app/virtual_mouse_ctl.h"
#include "app/widget.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QProcess>
#include <QtTest>

namespace {

const char* const kProgram = CORVANE_BINARY_DIR "/corvane-config";
constexpr int kHangGuardMs = 20000;

struct ClientRun {
    int status = -1;   // -1: did not end in time or crashed
    QString output;    // standard output and error
};

// The client in its own process, without a display, while this loop serves the app.
ClientRun runClient(const QString& runtimeDir, const QString& command)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QString::fromLatin1(kProgram), {QStringLiteral("--virtual-mouse-ctl"), command});
    const QDeadlineTimer guard(kHangGuardMs);
    while (p.state() != QProcess::NotRunning && !guard.hasExpired())
        QTest::qWait(10);
    ClientRun r;
    if (p.state() == QProcess::NotRunning && p.exitStatus() == QProcess::NormalExit)
        r.status = p.exitCode();
    else
        p.kill();
    r.output = QString::fromUtf8(p.readAll()).trimmed();
    return r;
}

QString ask(QLocalSocket& socket, const QByteArray& line)
{
    socket.write(line);
    const QDeadlineTimer guard(kHangGuardMs);
    while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState && !guard.hasExpired())
        QTest::qWait(5);
    return QString::fromUtf8(socket.readLine()).trimmed();
}

} // namespace

class TstVirtualMouseCtl : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QFile::exists(QString::fromLatin1(kProgram)), "build corvane-config first"); }

    // A line too long ends the connection. A second app cannot take the name; one
    // left behind is taken over.
    void linesAndTheSocketName()
    {
        QTemporaryDir runtime;
        AppRig rig;
        const QString name = runtime.filePath(QStringLiteral("ctl"));
        const auto server = virtual_mouse_ctl::start(rig.mouse.get(), *rig.window, name);
        QVERIFY(server);
        QLocalSocket socket;
        socket.connectToServer(name);
        QVERIFY(socket.waitForConnected(kHangGuardMs));
        QCOMPARE(ask(socket, QByteArray(300, 'a') + '\n'), QStringLiteral("error: line too long"));
        QTRY_COMPARE(socket.state(), QLocalSocket::UnconnectedState);
        // A line may arrive in pieces; what a client left unfinished is not the next one's.
        QLocalSocket partial;
        partial.connectToServer(name);
        QVERIFY(partial.waitForConnected(kHangGuardMs));
        partial.write("dpi ");
        QVERIFY(partial.waitForBytesWritten(kHangGuardMs));
        QCOMPARE(ask(partial, "3\n"), QStringLiteral("ok"));
        partial.write("dp");
        QVERIFY(partial.waitForBytesWritten(kHangGuardMs));
        partial.disconnectFromServer();
        QTest::qWait(50);   // the app sees the end before the next client comes
        socket.connectToServer(name);
        QVERIFY(socket.waitForConnected(kHangGuardMs));
        QCOMPARE(ask(socket, "state\n").left(1), QStringLiteral("{"));
        QCOMPARE(int(rig.state().dpiStage[0]), 3);
        socket.disconnectFromServer();

        VirtualMouse second{VirtualMouse::Config{}};
        virtual_mouse_ctl::Server other(second, {});
        QVERIFY(!other.listen(name));
        socket.connectToServer(name);
        QVERIFY(socket.waitForConnected(kHangGuardMs));
        QCOMPARE(ask(socket, "dpi 2\n"), QStringLiteral("ok"));
        QCOMPARE(int(rig.state().dpiStage[0]), 2);
        QVERIFY(second.state().dpiStage[0] != 2);

        const QString stale = runtime.filePath(QStringLiteral("stale"));
        writeFile(stale, "");
        QVERIFY(other.listen(stale));
        QLocalSocket again;
        again.connectToServer(stale);
        QVERIFY(again.waitForConnected(kHangGuardMs));
        QCOMPARE(ask(again, "dpi 5\n"), QStringLiteral("ok"));
        QCOMPARE(int(second.state().dpiStage[0]), 5);
    }

    // Last: the client runs in processes started with vfork semantics, after which
    // ThreadSanitizer refuses new threads in this process.
    void commandsAgainstARunningApp()
    {
        QTemporaryDir runtime;
        AppRig rig;
        const auto server = virtual_mouse_ctl::start(rig.mouse.get(), *rig.window,
                                                      runtime.filePath(QStringLiteral("corvane-config-virtual-mouse")));
        QVERIFY(server);

        ClientRun r = runClient(runtime.path(), QStringLiteral("unplug"));
        QCOMPARE(r.status, 0);
        QCOMPARE(r.output, QStringLiteral("ok"));
        QVERIFY(!rig.mouse->pluggedIn());
        QVERIFY(rig.window->deviceCheckTimer.isActive());   // the app saw a device change

        QTemporaryDir elsewhere;   // a user runtime folder where no app listens
        r = runClient(elsewhere.path(), QStringLiteral("state"));
        QCOMPARE(r.status, 1);
        QVERIFY2(r.output.contains(QLatin1String("no corvane-config with a virtual mouse is running")), qPrintable(r.output));
    }
};

QTEST_MAIN(TstVirtualMouseCtl)
#include "tst_virtual_mouse_ctl.moc"
