// One running instance per settings tree: the real program started twice from a foreign
// working directory, on the virtual mouse (the lock itself: tst_installation).
#include "rig.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TstSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void secondStartExitsOne()
    {
        const QString built = QStringLiteral(CORVANE_BINARY_DIR "/corvane-config");
        QVERIFY2(QFile::exists(built), "build the corvane-config target first");
        // A private copy beside its own modules/: its lock and files are its own.
        ScratchInstall install;
        const QString exe = install.file(QStringLiteral("corvane-config"));
        QVERIFY(QFile::copy(built, exe));
        QTemporaryDir elsewhere;
        // Each start logs to a file of its own: the first may still be talking to its
        // mouse while the second starts, and the second must send nothing at all.
        const auto start = [&](QProcess& p, const QString& log) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            env.insert(QStringLiteral("CORVANE_HID_LOG"), log);
            p.setProcessEnvironment(env);
            p.setWorkingDirectory(elsewhere.path());
            p.start(exe, {QStringLiteral("--virtual-mouse")});
        };
        const QString log = install.file(QStringLiteral("wire.log"));
        QProcess first;
        start(first, log);
        QVERIFY(first.waitForStarted(5000));

        // Connected (paths relative to the executable worked): challenge, option read and write-back.
        QTRY_VERIFY_WITH_TIMEOUT(entriesWithOp(readWireLog(log), "SET_FEATURE").size() >= 3, 20000);
        QCOMPARE(opcodesOf(decodeSteps(readWireLog(log), MouseRig::kCode)).mid(0, 3), (QList<int>{0x00, 0x83, 0x03}));

        const QString secondLog = install.file(QStringLiteral("wire-second.log"));
        QProcess second;
        start(second, secondLog);
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 1);
        QCOMPARE(second.readAllStandardOutput(), QByteArray());
        QCOMPARE(readWireLog(secondLog).size(), 0);

        QCOMPARE(first.state(), QProcess::Running);   // ended when its QProcess goes
    }
};

QTEST_GUILESS_MAIN(TstSingleInstance)
#include "tst_single_instance.moc"
