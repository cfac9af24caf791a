// The main window against the virtual mouse: the connect sequence and what it
// sends, DPI-switch notifications, the device-check timer, the tray's restore rule
// and the end of the run; the window control and the host view's calls into the
// scene (initUI queued, setProtectUI direct), dragging.
#include "rig.h"

#include "app/run_ui_event.h"
#include "app/widget.h"
#include "device/pacing.h"
#include "ui_host/ui_controler.h"

#include <QElapsedTimer>
#include <QFile>
#include <QQmlContext>
#include <QQuickItem>
#include <QRegularExpression>
#include <QSettings>
#include <QtTest>

namespace {

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

// The window control on a plain window, in a scratch install; the link outlives the
// window and the view in it, as in the main window.
struct Control {
    ScratchInstall install;
    Hid_Thread link;
    QWidget window;
    Ui_Controler control;
};

void setGlobal(const QString& key, const QVariant& value)
{
    QSettings(QStringLiteral("modules/setting/apConfig.bin"), QSettings::IniFormat).setValue(key, value);
}

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
        QTest::addColumn<QList<int>>("blocksRead");
        QTest::newRow("553, recoil functions read no blocks") << Family::F553 << true << QList<int>{};
        QTest::newRow("560") << Family::F560 << false << QList<int>{0, 1};
        QTest::newRow("560 gun") << Family::F560 << true << QList<int>{0, 1, 2, 3, 4};
    }

    // Challenge, option read, option write-back with the notification bit, the profile
    // blocks, in this order; the scene gets initUI queued first, run behind it.
    void connectSequence()
    {
        QFETCH(Family, family);
        QFETCH(bool, isGun);
        QFETCH(QList<int>, blocksRead);
        const bool f553 = family == Family::F553;
        Rig rig({family, isGun});
        const auto o = rig.mouse->state().keyboardOptions;
        rig.window->checkDevice();
        QVERIFY(rig.window->deviceConnected);
        QVERIFY(rig.link().listening);
        QVERIFY(rig.view()->isEnabled());
        QCOMPARE(count("Device Connect"), 1);
        QCOMPARE(count("Info Detect Device"), 1);

        const QList<QByteArray> sent = blocksOf(rig.steps(true));
        QList<int> expected{0x00, f553 ? 0x83 : 0x81, f553 ? 0x03 : 0x01};
        for (int i = 0; i < blocksRead.size(); ++i)
            expected.append(0x8C);
        QCOMPARE(opcodesOf(rig.steps(true)), expected);
        if (f553) {
            QCOMPARE(sent[1], bytesOf(protocol::makeBlock(0x83)));
            QCOMPARE(sent[2], bytesOf(protocol::makeBlock(0x03, {o[0], o[1], o[2], uint8_t(o[3] | 0x40)})));
            QVERIFY(rig.mouse->state().keyboardOptions[3] & 0x40);
        } else {
            QCOMPARE(sent[2], bytesOf(protocol::makeBlock(0x01, {uint8_t(o[0] | 0x08), o[1]})));
        }
        for (int i = 0; i < blocksRead.size(); ++i)
            QCOMPARE(int(sent[3 + i][1]), blocksRead[i]);
        using Block = std::array<uchar, myQQuickView::kBlockSize>;
        for (int b = 0; b < myQQuickView::kBlockCount; ++b)   // unread blocks stay empty
            QCOMPARE(rig.view()->profileBlocks[b], blocksRead.contains(b) ? FirmwareState::factoryProfileBlock(b) : Block{});
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
        QStringList texts;
        for (int i = 0; i < 8; ++i)
            texts << QStringLiteral("t%1").arg(i);
        dpi_switch_messages::replace(texts);

        Rig rig;
        rig.window->checkDevice();
        QVERIFY(rig.link().listening);
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
        QVERIFY(!rig.link().listening);

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

    // While listening a device change starts no check; quitting clears listening and
    // ends the event loop.
    void listeningThenQuit()
    {
        Rig rig;
        rig.window->checkDevice();
        QVERIFY(rig.link().listening);
        QCOMPARE(rig.window->handleNativeMessage(native_message::kDeviceChange, 0), false);
        QVERIFY(!rig.window->deviceCheckTimer.isActive());
        QTest::qWait(Widget::kDeviceCheckMs + 300);
        QCOMPARE(count("Device Connect"), 1);
        QTimer::singleShot(0, rig.window.get(), &Widget::exitSYS);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!rig.link().listening);
    }

    // When the window is gone its notification loop is gone with it: no further
    // read of the notification interface, however long one waits.
    void destructionEndsTheNotificationLoop()
    {
        Rig rig;
        rig.window->checkDevice();
        QVERIFY(rig.link().listening);
        rig.mouse->pressDpiButton(2);
        QTRY_COMPARE_WITH_TIMEOUT(count("Info DPI Switch to "), 1, 5000);   // the loop runs
        rig.window.reset();
        rig.mark();
        rig.mouse->pressDpiButton(3);
        QTest::qWait(2 * pacing::kNotifyReadTimeoutMs + 200);
        QVERIFY(rig.entries().isEmpty());
    }

    // --- the window control and the host view's calls into the real scene ---

    // init sets up the window and publishes the names; busy locks the view at once,
    // zero unlocks it on the next turn; initUI is queued: the scene starts, shows and
    // reads the profile number after the call returns (a second initUI: tst_scene_host).
    void initBusyAndInitUI()
    {
        Control c;
        setGlobal("common/name", QString::fromUtf8("Title ► with, comma"));
        setGlobal("mouse/profileNo", 2);
        c.control.init(&c.window, &c.link);
        QVERIFY(c.window.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(c.window.testAttribute(Qt::WA_TranslucentBackground));
        myQQuickView* view = c.control.view;
        QVERIFY(view);
        QCOMPARE(view->parentWidget(), &c.window);
        QCOMPARE(c.window.size(), QSize(1024, 640));   // the scene's size: it loaded
        QCOMPARE(c.window.windowTitle(), QString::fromUtf8("Title ► with, comma"));
        QQmlContext* ctx = view->rootContext();
        QCOMPARE(ctx->contextProperty("ui_View").value<QObject*>(), view);
        QCOMPARE(ctx->contextProperty("hid").value<QObject*>(), &c.link);
        QCOMPARE(ctx->contextProperty("ui_Ctl").value<QObject*>(), &c.control);

        c.control.setBusy(60000);
        QVERIFY(!view->isEnabled());
        c.control.setBusy();
        QVERIFY(!view->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(view->isEnabled(), 2000);

        view->setLink(&c.link);
        QQuickItem* root = view->rootObject();
        QVERIFY(root);
        view->initUI();
        QVERIFY(!root->property("isPownOn").toBool());
        QVERIFY(!root->isVisible());
        QTRY_VERIFY(root->property("isPownOn").toBool());
        QVERIFY(root->isVisible());
        QCOMPARE(view->currentProfile, 2);
        QVERIFY(!root->property("mainLang").toStringList().isEmpty());
    }

    // Without a scene busy and initUI do nothing; dragging moves the window by the
    // offset (nothing before init), close hides it.
    void withoutSceneAndDragging()
    {
        Control c;
        c.control.onXChanged(10);
        c.control.onClose();
        c.control.init(&c.window, &c.link, false);
        QVERIFY(!c.control.view->rootObject());
        c.control.setBusy(100);
        c.control.view->initUI();
        QCoreApplication::processEvents();
        QVERIFY(c.control.view->isEnabled());
        c.window.move(100, 100);
        const QPoint start = c.window.pos();
        c.control.onXChanged(7);
        c.control.onYChanged(-3);
        QCOMPARE(c.window.pos(), start + QPoint(7, -3));
        c.window.show();
        c.control.onClose();
        QVERIFY(!c.window.isVisible());
    }
};

QTEST_MAIN(TstWidget)
#include "tst_widget.moc"
