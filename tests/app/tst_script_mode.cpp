// Script mode end to end: the built program runs a script from a scratch
// installation and is judged by its standard output, standard error and exit status.
#include "rig.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

class TestScriptMode : public QObject
{
    Q_OBJECT
private slots:
    void printsAndExits_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<bool>("virtualMouse");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("errContains");
        QTest::newRow("prints in UTF-8")
            << QByteArray("console.log('one'); console.log(ui_View.getLangStrings('main', 'ChineseSimplified')[0], 2 + 1)")
            << false << 0 << QString::fromUtf8("one\n编辑器 3\n").toUtf8() << QByteArray();
        QTest::newRow("runtime error") << QByteArray("console.log('before');\nnoSuchFunction();\nconsole.log('after');")
                                       << false << 1 << QByteArray("before\n") << QByteArray("ReferenceError");
        QTest::newRow("virtual mouse with the option, the view reaches it")
            << QByteArray("ui_View.mouseSetReportRate(1);\n"
                          "console.log(typeof virtualMouse, virtualMouse.pluggedIn(), virtualMouse.reportRates()[0])")
            << true << 0 << QByteArray("object true 1\n") << QByteArray();
        QTest::newRow("missing script") << QByteArray() << false << 1 << QByteArray() << QByteArray("script.js");
    }

    // The program runs copied beside the scratch tree (it works in its own folder);
    // a null script is never written.
    void printsAndExits()
    {
        QFETCH(QByteArray, script);
        QFETCH(bool, virtualMouse);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, errContains);
        const QString built = QStringLiteral(CORVANE_BINARY_DIR "/corvane-config");
        QVERIFY2(QFile::exists(built), "build corvane-config first");
        ScratchInstall install;
        QVERIFY(QFile::copy(built, install.file("corvane-config")));
        const QString path = install.file("script.js");
        if (!script.isNull())
            writeFile(path, script);
        QStringList args{"--script", path};
        if (virtualMouse)
            args << "--virtual-mouse";
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("CORVANE_HID_LOG");
        p.setProcessEnvironment(env);
        p.start(install.file("corvane-config"), args);
        QVERIFY2(p.waitForFinished(60000), "the script run did not end");   // hang guard
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), status);
        QCOMPARE(p.readAllStandardOutput(), out);
        const QByteArray err = p.readAllStandardError();
        QVERIFY2(err.contains(errContains), err.constData());
    }
};

QTEST_MAIN(TestScriptMode)
#include "tst_script_mode.moc"
