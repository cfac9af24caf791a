// Script mode end to end: the built program runs a script from a scratch
// installation and is judged by its standard output, standard error, exit status
// and the files it leaves.
#include "rig.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QtTest>

namespace {
const char* const kProgram = CORVANE_BINARY_DIR "/corvane-config";

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};
} // namespace

class TestScriptMode : public QObject
{
    Q_OBJECT
    std::unique_ptr<ScratchInstall> install;

    // Runs the program copied beside the scratch tree (it works in its own folder);
    // a null script is never written.
    Run run(const QByteArray& script, bool virtualMouse)
    {
        Run r;
        const QString path = install->file("script.js");
        if (!script.isNull()) {
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly))
                return r;
            f.write(script);
        }
        QStringList args{"--script", path};
        if (virtualMouse)
            args << "--virtual-mouse";
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("CORVANE_HID_LOG");
        p.setProcessEnvironment(env);
        p.start(install->file("corvane-config"), args);
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }

private slots:
    void init()
    {
        QVERIFY2(QFile::exists(kProgram), "build corvane-config first");
        install = std::make_unique<ScratchInstall>();
        QVERIFY(QFile::copy(kProgram, install->file("corvane-config")));
    }
    void cleanup() { install.reset(); }

    void printsAndExits_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<bool>("virtualMouse");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("errContains");
        QTest::newRow("prints to standard output")
            << QByteArray("console.log('one'); console.log('two', 2 + 1);") << false << 0 << QByteArray("one\ntwo 3\n")
            << QByteArray();
        QTest::newRow("texts in UTF-8") << QByteArray("console.log(ui_View.getLangStrings('main', 'ChineseSimplified')[0])")
                                        << false << 0 << QString::fromUtf8("编辑器\n").toUtf8() << QByteArray();
        QTest::newRow("runtime error") << QByteArray("console.log('before');\nnoSuchFunction();\nconsole.log('after');")
                                       << false << 1 << QByteArray("before\n") << QByteArray("ReferenceError");
        QTest::newRow("syntax error") << QByteArray("console.log('x'") << false << 1 << QByteArray()
                                      << QByteArray("script.js");
        QTest::newRow("no virtual mouse without the option") << QByteArray("console.log(typeof virtualMouse)") << false
                                                             << 0 << QByteArray("undefined\n") << QByteArray();
        QTest::newRow("virtual mouse with the option") << QByteArray("console.log(typeof virtualMouse, virtualMouse.pluggedIn())")
                                                       << true << 0 << QByteArray("object true\n") << QByteArray();
        QTest::newRow("virtual mouse readers check their range")
            << QByteArray("console.log(virtualMouse.keyMatrix(5).length, virtualMouse.profileBlock(4).length)") << true << 0
            << QByteArray("0 128\n") << QByteArray();
        QTest::newRow("missing script") << QByteArray() << false << 1 << QByteArray() << QByteArray("script.js");
    }
    void printsAndExits()
    {
        QFETCH(QByteArray, script);
        QFETCH(bool, virtualMouse);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, errContains);
        const Run r = run(script, virtualMouse);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, out);
        QVERIFY2(r.err.contains(errContains), r.err.constData());
    }

    // The scene's profile switch, reduced to the report rate: profile 3 stores 1000 Hz,
    // sent to the mouse as code 1; the settings reach their files.
    void profileSwitchReachesTheFilesAndTheMouse()
    {
        const QByteArray p1Before = readFileBytes("modules/setting/p1.bin");
        const Run r = run("ui_View.setGlobalData('mouse/profileNo', 3);\n"
                          "ui_View.setCurrentProfile(3);\n"
                          "ui_View.setData('mouse/reportRate', 3);\n"
                          "ui_View.setDataList('mouse/lightValue', [4, 2, 1]);\n"
                          "ui_View.updataNameList(2, ['Standard0']);\n"
                          "ui_View.mouseSetReportRate([8, 4, 2, 1][Number(ui_View.getData('mouse/reportRate', false))]);\n"
                          "console.log(ui_View.getData('mouse/reportRate', false), ui_View.getData('mouse/reportRate', true));\n"
                          "console.log(virtualMouse.family(), virtualMouse.reportRates()[0]);\n",
                          true);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QByteArray("3 2\n553 1\n"));
        const QSettings global("modules/setting/apConfig.bin", QSettings::IniFormat);
        QCOMPARE(global.value("mouse/profileNo").toInt(), 3);
        const QSettings p4("modules/setting/p4.bin", QSettings::IniFormat);
        QCOMPARE(p4.value("mouse/reportRate").toInt(), 3);
        QCOMPARE(p4.value("mouse/lightValue").toStringList(), QStringList({"4", "2", "1"}));
        const QSettings names("modules/setting/name.bin", QSettings::IniFormat);
        QCOMPARE(names.value("profile/profileName").toStringList(), QStringList({"Standard0", "loaderquorin"}));
        QCOMPARE(readFileBytes("modules/setting/p1.bin"), p1Before);
    }
};

QTEST_MAIN(TestScriptMode)
#include "tst_script_mode.moc"
