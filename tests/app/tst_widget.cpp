// The main window against the virtual mouse: the connect sequence and what it
// sends, DPI-switch notifications, the device-check timer, the tray and the end of
// the run.
#include "rig.h"

#include "app/widget.h"
#include "device/pacing.h"

#include <QElapsedTimer>
#include <QQuickItem>
#include <QRegularExpression>
#include <QtTest>

namespace {

// A scene root that records what the host calls.
const char* const kRecorderScene = R"(import QtQuick
Item {
    width: 1024; height: 640
    property string calls: ""
    function initUI() { calls += "initUI;" }
    function run() { calls += "run;" }
    function setCurrentDPI(dpiValue) { calls += "dpi:" + dpiValue + ";" }
}
)";

// The main window on the virtual mouse with the recorder as its scene.
struct Rig : AppRig {
    explicit Rig(const Model& model = {}) : AppRig(model)
    {
        const QString qml = install.file(QStringLiteral("../recorder.qml"));
        writeFile(qml, kRecorderScene);
        view()->setSource(QUrl::fromLocalFile(qml));
    }
    QString sceneCalls() const
    {
        QQuickItem* root = view()->rootObject();
        return root ? root->property("calls").toString() : QStringLiteral("<no scene>");
    }
};

} // namespace

class TstWidget : public QObject
{
    Q_OBJECT
    std::unique_ptr<DebugLines> debug;
    int count(const QString& line) const { return debug->count(line); }
private slots:
    void init()
    {
        pacing::setTimeScale(0.0);
        dpi_switch_messages::reset();
        debug = std::make_unique<DebugLines>();
    }
    void cleanup() { debug.reset(); }

    void connectSequence_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<bool>("isGun");
        QTest::addColumn<QByteArray>("writeBack");   // the factory options with the notification bit
        QTest::addColumn<QList<int>>("blocksRead");
        QTest::newRow("553, recoil functions read no blocks") << Family::F553 << true << blockHex("03 05 10 00 42") << QList<int>{};
        QTest::newRow("560") << Family::F560 << false << blockHex("01 0d 10") << QList<int>{0, 1};
        QTest::newRow("560 gun") << Family::F560 << true << blockHex("01 0d 10") << QList<int>{0, 1, 2, 3, 4};
    }

    // Challenge, option read, option write-back with the notification bit, the profile
    // blocks, in this order; the scene gets initUI queued first, run behind it.
    void connectSequence()
    {
        QFETCH(Family, family);
        QFETCH(bool, isGun);
        QFETCH(QByteArray, writeBack);
        QFETCH(QList<int>, blocksRead);
        Rig rig({family, isGun});
        rig.window->checkDevice();
        QVERIFY(rig.window->deviceConnected);
        QCOMPARE(count("Info Detect Device"), 1);

        const QList<QByteArray> sent = blocksOf(rig.steps(true));
        QList<int> expected{0x00, uchar(writeBack[0]) | 0x80, writeBack[0]};   // the read has the write's opcode | 0x80
        for (int i = 0; i < blocksRead.size(); ++i)
            expected.append(0x8C);
        QCOMPARE(opcodesOf(rig.steps(true)), expected);
        QCOMPARE(sent[2], writeBack);
        for (int i = 0; i < blocksRead.size(); ++i)
            QCOMPARE(int(sent[3 + i][1]), blocksRead[i]);
        QTRY_COMPARE(rig.sceneCalls(), QStringLiteral("initUI;run;"));

        rig.window->checkDevice();
        QCOMPARE(count("Info Detect Device"), 2);
        QCOMPARE(opcodesOf(rig.steps(true)), expected + expected);
        QTRY_COMPARE(rig.sceneCalls(), QStringLiteral("initUI;run;initUI;run;"));
    }

    void notifications_data()
    {
        QTest::addColumn<QList<int>>("report");
        QTest::addColumn<QStringList>("balloons");
        QTest::addColumn<QString>("scene");
        QTest::newRow("stage 3, third byte ignored") << QList<int>{6, 7, 9, 3} << QStringList{"Info t2 "} << "dpi:3;";
        QTest::newRow("other report") << QList<int>{6, 8, 0, 3} << QStringList() << "";
        QTest::newRow("short report") << QList<int>{6, 7, 3} << QStringList() << "";
    }

    void notifications()
    {
        QFETCH(QList<int>, report);
        QFETCH(QStringList, balloons);
        QFETCH(QString, scene);
        dpi_switch_messages::replace({"t0", "t1", "t2", "t3", "t4", "t5", "t6", "t7"});

        Rig rig;
        rig.window->checkDevice();
        QTRY_COMPARE(rig.sceneCalls(), QStringLiteral("initUI;run;"));

        rig.mouse->sendNotification(std::vector<uint8_t>(report.cbegin(), report.cend()));
        // A marker behind it shows the loop has read past the report.
        rig.mouse->sendNotification({6, 7, 0, 5});
        QTRY_VERIFY_WITH_TIMEOUT(count("Info t4 ") == 1, 3000);
        QCOMPARE(rig.sceneCalls(), QStringLiteral("initUI;run;") + scene + QStringLiteral("dpi:5;"));
        QCOMPARE(debug->lines().filter(QRegularExpression("^Info t")), balloons + QStringList{"Info t4 "});
    }

    void burstOfDeviceChangesGivesOneDetection()
    {
        Rig rig;
        rig.mouse->unplug();
        rig.window->show();
        rig.window->checkDevice();
        QCOMPARE(count("Device DisConnect"), 1);
        QCOMPARE(count("Info Detect Device"), 0);
        QVERIFY(!rig.window->isVisible());

        QElapsedTimer sinceLast;
        for (int i = 0; i < 4; ++i) {
            sinceLast.start();
            QCOMPARE(rig.window->handleNativeMessage(native_message::kDeviceChange, 0), false);
            QTest::qWait(400);
            QCOMPARE(count("Device DisConnect"), 1);
        }
        QTRY_COMPARE_WITH_TIMEOUT(count("Device DisConnect"), 2, Widget::kDeviceCheckMs + 5000);
        // The timer restarts with every message: never before its period after the last.
        QVERIFY2(sinceLast.elapsed() >= Widget::kDeviceCheckMs, qPrintable(QString::number(sinceLast.elapsed())));
        QTest::qWait(Widget::kDeviceCheckMs + 200);
        QCOMPARE(count("Device DisConnect"), 2);
    }

    void trayRestore_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<bool>("shown");
        QTest::newRow("double click, connected") << int(QSystemTrayIcon::DoubleClick) << true << true;
        QTest::newRow("double click, no mouse") << int(QSystemTrayIcon::DoubleClick) << false << false;
        QTest::newRow("single click") << int(QSystemTrayIcon::Trigger) << true << false;
    }

    void trayRestore()
    {
        QFETCH(int, reason);
        QFETCH(bool, connected);
        QFETCH(bool, shown);
        Rig rig;
        rig.window->setVisible(false);
        rig.window->deviceConnected = connected;
        rig.window->trayIconActivated(QSystemTrayIcon::ActivationReason(reason));
        QTest::qWait(50);
        QCOMPARE(rig.window->isVisible(), shown);
    }

    // When the window is gone its notification loop is gone with it: no further
    // read of the notification interface, however long one waits.
    void destructionEndsTheNotificationLoop()
    {
        Rig rig;
        rig.window->checkDevice();
        rig.mouse->pressDpiButton(2);
        QTRY_COMPARE_WITH_TIMEOUT(count("Info DPI Switch to "), 1, 5000);   // the loop runs
        rig.window.reset();
        rig.mark();
        rig.mouse->pressDpiButton(3);
        QTest::qWait(2 * pacing::kNotifyReadTimeoutMs + 200);
        QVERIFY(rig.entries().isEmpty());
    }
};

QTEST_MAIN(TstWidget)
#include "tst_widget.moc"
