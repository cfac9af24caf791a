// The main window against the virtual mouse: the connect sequence and what it
// sends, DPI-switch notifications, removal while listening, the device-check
// timer, the tray's restore rule and the end of the run.
#include "app/run_ui_event.h"
#include "app/widget.h"
#include "device/pacing.h"
#include "device/virtual/virtual_mouse.h"
#include "device/wire_log.h"
#include "test_support.h"
#include "ui_host/ui_controler.h"
#include "view/myqquickview.h"
#include "wire_log_reader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QQuickItem>
#include <QThreadPool>
#include <QtTest>

namespace {

// --- debug lines, from any thread ---
struct Line {
    qint64 ms;
    QString text;
};
QMutex g_linesMutex;
QList<Line> g_lines;
QElapsedTimer g_clock;
QtMessageHandler g_previous = nullptr;

void captureMessages(QtMsgType type, const QMessageLogContext& ctx, const QString& msg)
{
    {
        QMutexLocker lock(&g_linesMutex);
        g_lines.append({g_clock.elapsed(), msg});
    }
    if (g_previous)
        g_previous(type, ctx, msg);
}

QList<Line> linesMatching(const QString& text)
{
    QMutexLocker lock(&g_linesMutex);
    QList<Line> out;
    for (const Line& l : std::as_const(g_lines))
        if (l.text == text)
            out.append(l);
    return out;
}

int count(const QString& text) { return linesMatching(text).size(); }

// A scene root that records what the host calls.
const char* const kRecorderScene = R"(import QtQuick
Item {
    width: 1024; height: 640
    property string calls: ""
    function initUI() { calls += "initUI;" }
    function run() { calls += "run;" }
    function setProtectUI(interval) { calls += "protect:" + interval + ";" }
    function setCurrentDPI(dpiValue) { calls += "dpi:" + dpiValue + ";" }
}
)";

struct Rig {
    ScratchInstall install;
    std::unique_ptr<VirtualMouse> mouse;
    std::unique_ptr<WireLog> log;
    QString logPath;
    std::unique_ptr<Widget> window;

    explicit Rig(VirtualMouse::Family family = VirtualMouse::Family::F553, bool isGun = false)
    {
        VirtualMouse::Config cfg;
        cfg.family = family;
        mouse = std::make_unique<VirtualMouse>(cfg);
        logPath = install.file(QStringLiteral("wire.log"));
        log = std::make_unique<WireLog>(*mouse, logPath);
        installHidBackend(log.get());
        window = std::make_unique<Widget>(nullptr, false);
        myQQuickView* v = view();
        v->icType = family == VirtualMouse::Family::F560 ? QStringLiteral("560") : QStringLiteral("553-24");
        v->isGun = isGun;
        const QString qml = install.file(QStringLiteral("recorder.qml"));
        QFile f(qml);
        if (f.open(QIODevice::WriteOnly))
            f.write(kRecorderScene);
        f.close();
        v->setSource(QUrl::fromLocalFile(qml));
    }
    ~Rig()
    {
        window.reset();
        installHidBackend(nullptr);
    }
    myQQuickView* view() const { return window->controller->view; }
    QString sceneCalls() const
    {
        QQuickItem* root = view()->rootObject();
        return root ? root->property("calls").toString() : QStringLiteral("<no scene>");
    }
    QList<WireLogEntry> wire() const { return readWireLog(logPath); }
    // The plain command blocks sent, in order.
    QList<protocol::Block> blocksSent() const
    {
        QList<protocol::Block> out;
        for (const WireLogEntry& e : entriesWithOp(wire(), "SET_FEATURE")) {
            protocol::Block b{};
            for (int i = 0; i < 8; ++i)
                b[i] = static_cast<uint8_t>(e.bytes.at(i + 1));
            protocol::unscramble(b.data(), secrecyCode().data());
            out.append(b);
        }
        return out;
    }
};

QList<int> opcodes(const QList<protocol::Block>& blocks)
{
    QList<int> out;
    for (const auto& b : blocks)
        out.append(b[0]);
    return out;
}

} // namespace

class TstWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        g_clock.start();
        g_previous = qInstallMessageHandler(captureMessages);
    }
    void cleanupTestCase() { qInstallMessageHandler(g_previous); }
    void init()
    {
        pacing::setTimeScale(0.0);
        dpi_switch_messages::reset();
        QMutexLocker lock(&g_linesMutex);
        g_lines.clear();
    }

    void connectSequence553()
    {
        Rig rig(VirtualMouse::Family::F553, true);   // recoil functions read no blocks on a 553
        const auto optionsBefore = rig.mouse->state().keyboardOptions;
        rig.window->checkDevice();
        QVERIFY(rig.window->deviceConnected);
        QVERIFY(rig.window->link.listening);
        QVERIFY(rig.view()->isEnabled());
        QCOMPARE(count("Device Connect"), 1);
        QCOMPARE(count("Info Detect Device"), 1);

        QVERIFY(rig.view()->profileBlocks == decltype(rig.view()->profileBlocks){});
        // Challenge, option read, option write-back with the notification bit, in this order.
        const QList<protocol::Block> sent = rig.blocksSent();
        QCOMPARE(opcodes(sent), (QList<int>{0x00, 0x83, 0x03}));
        QCOMPARE(sent[1], protocol::makeBlock(0x83));
        QCOMPARE(sent[2], protocol::makeBlock(0x03, {optionsBefore[0], optionsBefore[1], optionsBefore[2],
                                                      uint8_t(optionsBefore[3] | 0x40)}));
        QVERIFY(rig.mouse->state().keyboardOptions[3] & 0x40);
        // initUI is queued first, run behind it.
        QTRY_COMPARE(rig.sceneCalls(), QStringLiteral("initUI;run;"));

        // Detecting again repeats the whole sequence.
        rig.window->checkDevice();
        QCOMPARE(count("Info Detect Device"), 2);
        QCOMPARE(opcodes(rig.blocksSent()), (QList<int>{0x00, 0x83, 0x03, 0x00, 0x83, 0x03}));
        QTRY_COMPARE(rig.sceneCalls(), QStringLiteral("initUI;run;initUI;run;"));
    }

    void connectSequence560_data()
    {
        QTest::addColumn<bool>("isGun");
        QTest::addColumn<QList<int>>("blocksRead");
        QTest::newRow("plain") << false << QList<int>{0, 1};
        QTest::newRow("gun") << true << QList<int>{0, 1, 2, 3, 4};
    }

    void connectSequence560()
    {
        QFETCH(bool, isGun);
        QFETCH(QList<int>, blocksRead);
        Rig rig(VirtualMouse::Family::F560, isGun);
        const auto optionsBefore = rig.mouse->state().keyboardOptions;
        rig.window->checkDevice();
        QVERIFY(rig.window->deviceConnected);
        const QList<protocol::Block> sent = rig.blocksSent();
        QList<int> expected{0x00, 0x81, 0x01};
        for (int i = 0; i < blocksRead.size(); ++i)
            expected.append(0x8C);
        QCOMPARE(opcodes(sent), expected);
        QCOMPARE(sent[2], protocol::makeBlock(0x01, {uint8_t(optionsBefore[0] | 0x08), optionsBefore[1]}));
        for (int i = 0; i < blocksRead.size(); ++i)
            QCOMPARE(int(sent[3 + i][1]), blocksRead[i]);
        using Block = std::array<uchar, myQQuickView::kBlockSize>;
        for (int b = 0; b < myQQuickView::kBlockCount; ++b)   // unread blocks stay empty
            QCOMPARE(rig.view()->profileBlocks[b], blocksRead.contains(b) ? FirmwareState::factoryProfileBlock(b) : Block{});
    }

    void failedOptionReadSkipsTheWriteBack()
    {
        Rig rig;
        rig.mouse->failTransfers(1, 2);   // the challenge goes through, the option query fails
        const auto optionsBefore = rig.mouse->state().keyboardOptions;
        rig.window->checkDevice();
        QVERIFY(rig.window->deviceConnected);
        QCOMPARE(opcodes(rig.blocksSent()), (QList<int>{0x00, 0x83}));
        QCOMPARE(rig.mouse->state().keyboardOptions, optionsBefore);
    }

    void noDeviceHidesTheWindow()
    {
        Rig rig;
        rig.mouse->unplug();
        rig.window->show();
        rig.window->checkDevice();
        QCOMPARE(count("Device DisConnect"), 1);
        QVERIFY(!rig.window->deviceConnected);
        QVERIFY(!rig.window->isVisible());
        QVERIFY(!rig.window->link.listening);
        QCOMPARE(count("Info Detect Device"), 0);
    }

    void notifications_data()
    {
        QTest::addColumn<QList<int>>("report");
        QTest::addColumn<QString>("balloon");   // empty: ignored
        QTest::addColumn<QString>("scene");
        QTest::newRow("stage 3") << QList<int>{6, 7, 0, 3} << "Info t2 " << "dpi:3;";
        QTest::newRow("stage 1") << QList<int>{6, 7, 9, 1} << "Info t0 " << "dpi:1;";
        QTest::newRow("stage 7") << QList<int>{6, 7, 0, 7} << "Info t6 " << "dpi:7;";
        QTest::newRow("stage 0") << QList<int>{6, 7, 0, 0} << "Info t7 " << "dpi:0;";
        QTest::newRow("stage 8") << QList<int>{6, 7, 0, 8} << "Info t7 " << "dpi:8;";
        QTest::newRow("other report") << QList<int>{6, 8, 0, 3} << "" << "";
        QTest::newRow("short report") << QList<int>{6, 7, 3} << "" << "";
    }

    void notifications()
    {
        QFETCH(QList<int>, report);
        QFETCH(QString, balloon);
        QFETCH(QString, scene);
        QStringList texts;
        for (int i = 0; i < 8; ++i)
            texts << QStringLiteral("t%1").arg(i);
        dpi_switch_messages::replace(texts);

        Rig rig;
        rig.window->checkDevice();
        QVERIFY(rig.window->link.listening);
        QTRY_COMPARE(rig.sceneCalls(), QStringLiteral("initUI;run;"));

        std::vector<uint8_t> bytes;
        for (int b : report)
            bytes.push_back(static_cast<uint8_t>(b));
        rig.mouse->sendNotification(bytes);
        // A marker behind it shows the loop has read past the report.
        rig.mouse->sendNotification({6, 7, 0, 5});
        QTRY_VERIFY_WITH_TIMEOUT(count("Info t4 ") == 1, 3000);
        QCOMPARE(rig.sceneCalls(), QStringLiteral("initUI;run;") + scene + QStringLiteral("dpi:5;"));
        if (!balloon.isEmpty())
            QCOMPARE(count(balloon), 1);
        int balloons = 0;
        {
            QMutexLocker lock(&g_linesMutex);
            for (const Line& l : std::as_const(g_lines))
                balloons += l.text.startsWith(QLatin1String("Info t")) ? 1 : 0;
        }
        QCOMPARE(balloons, balloon.isEmpty() ? 1 : 2);
    }

    void unplugWhileListening()
    {
        Rig rig;
        rig.window->checkDevice();
        QVERIFY(rig.window->link.listening);
        QVERIFY(rig.view()->isEnabled());

        rig.mouse->unplug();
        QTRY_COMPARE_WITH_TIMEOUT(count("Device removed"), 1, 3000);
        QTRY_VERIFY(!rig.view()->isEnabled());
        QVERIFY(!rig.window->link.listening);
        QTRY_VERIFY(rig.window->link.deviceTable[0]->notifyPath.isEmpty());
        QVERIFY(rig.window->deviceConnected);   // until the next detection

        rig.mouse->plug();
        rig.window->handleNativeMessage(native_message::kDeviceChange, 0);
        QVERIFY(rig.window->deviceCheckTimer.isActive());
        QTRY_COMPARE_WITH_TIMEOUT(count("Device Connect"), 2, 5000);
        QVERIFY(rig.view()->isEnabled());
        QVERIFY(rig.window->link.listening);
        QCOMPARE(rig.window->link.deviceTable[0]->notifyPath, QString::fromLatin1(VirtualMouse::kNotifyPath));
    }

    void deviceChangeWhileListeningDoesNothing()
    {
        Rig rig;
        rig.window->checkDevice();
        QVERIFY(rig.window->link.listening);
        QCOMPARE(rig.window->handleNativeMessage(native_message::kDeviceChange, 0), false);
        QVERIFY(!rig.window->deviceCheckTimer.isActive());
        QTest::qWait(Widget::kDeviceCheckMs + 300);
        QCOMPARE(count("Device Connect"), 1);
    }

    void burstOfDeviceChangesGivesOneDetection()
    {
        Rig rig;
        rig.mouse->unplug();
        rig.window->checkDevice();
        QCOMPARE(count("Device DisConnect"), 1);
        QVERIFY(!rig.window->link.listening);

        qint64 last = 0;
        for (int i = 0; i < 4; ++i) {
            last = g_clock.elapsed();
            QCOMPARE(rig.window->handleNativeMessage(native_message::kDeviceChange, 0), false);
            QTest::qWait(400);
        }
        QTRY_COMPARE_WITH_TIMEOUT(count("Device DisConnect"), 2, 6000);
        const qint64 detectedAt = linesMatching("Device DisConnect").last().ms;
        QVERIFY2(detectedAt - last >= Widget::kDeviceCheckMs, qPrintable(QString::number(detectedAt - last)));
        QVERIFY2(detectedAt - last < Widget::kDeviceCheckMs + 500, qPrintable(QString::number(detectedAt - last)));
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
        QTest::newRow("context") << int(QSystemTrayIcon::Context) << true << false;
        QTest::newRow("middle click") << int(QSystemTrayIcon::MiddleClick) << true << false;
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
        // Posted, not sent.
        QVERIFY(!rig.window->isVisible());
        QTest::qWait(50);
        QCOMPARE(rig.window->isVisible(), shown);

        // The restore message itself, and a system command that is not a restore.
        rig.window->setVisible(false);
        QCOMPARE(rig.window->handleNativeMessage(native_message::kSysCommand, 0xF020), false);   // minimise
        QVERIFY(!rig.window->isVisible());
        QCOMPARE(rig.window->handleNativeMessage(native_message::kSysCommand, native_message::kScRestore), false);
        QVERIFY(rig.window->isVisible());
    }

    void onlyTheRunCodeRunsTheScene()
    {
        Rig rig;
        QCoreApplication::postEvent(rig.window.get(), new RunUiEvent(0x880));
        QCoreApplication::postEvent(rig.window.get(), new QEvent(QEvent::Type(QEvent::User + 1)));
        QTest::qWait(50);
        QCOMPARE(rig.sceneCalls(), QString());
        QCoreApplication::postEvent(rig.window.get(), new RunUiEvent(RunUiEvent::kRunUi));
        QTRY_COMPARE(rig.sceneCalls(), QStringLiteral("run;"));
    }

    void quitClearsListeningAndEndsTheLoop()
    {
        Rig rig;
        rig.window->checkDevice();
        QVERIFY(rig.window->link.listening);
        QTimer::singleShot(0, rig.window.get(), &Widget::exitSYS);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!rig.window->link.listening);
    }

    void destructionWaitsForTheNotificationTask()
    {
        Rig rig;
        rig.window->checkDevice();
        QVERIFY(rig.window->link.listening);
        QTRY_VERIFY(QThreadPool::globalInstance()->activeThreadCount() >= 1);
        rig.window.reset();
        QCOMPARE(QThreadPool::globalInstance()->activeThreadCount(), 0);
    }
};

QTEST_MAIN(TstWidget)
#include "tst_widget.moc"
