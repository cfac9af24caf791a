// Keys and buttons pressed in the application's window reach the scene's msg_KB
// and msg_MS once each, with the right codes.
#include "app/input_wiring.h"
#include "app/widget.h"
#include "input/input_hooks.h"
#include "platform/linux/evdev_capture_linux.h"
#include "rig.h"
#include "ui_host/ui_controler.h"
#include "view/myqquickview.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QQuickItem>
#include <QSignalSpy>
#include <QtTest>

namespace {

constexpr quint32 kNativeOffset = 8; // X11/Wayland key code = evdev code + 8

// True when the devices under /dev/input are readable: the global capture then
// reports instead of the window and the synthetic events below go unreported.
bool globalCaptureAvailable()
{
    const QDir dir(QStringLiteral("/dev/input"));
    for (const QString& name : dir.entryList({QStringLiteral("event*")}, QDir::System | QDir::Files))
        if (QFileInfo(dir.filePath(name)).isReadable())
            return true;
    return false;
}

// Always Qt's key A: only the native code may decide what is reported.
void sendKey(QWindow* window, QEvent::Type type, quint32 nativeCode, bool autoRepeat = false)
{
    QKeyEvent event(type, Qt::Key_A, Qt::NoModifier, nativeCode, 0, 0, QStringLiteral("a"), autoRepeat);
    QCoreApplication::sendEvent(window, &event);
}

void sendButton(QWindow* window, QEvent::Type type, Qt::MouseButton button, QPoint local, QPoint global)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(local), QPointF(local), QPointF(global), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
}

} // namespace

class TestInputCapture : public QObject
{
    Q_OBJECT

    std::unique_ptr<ScratchInstall> install;
    std::unique_ptr<Widget> window;
    std::unique_ptr<InputHooks> hooks;
    QObject* root = nullptr;

    // Lets queued scene calls run; extra copies would arrive in the same pass.
    void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        if (globalCaptureAvailable())
            QSKIP("input devices are readable: the global capture reports instead of the window");
        install = std::make_unique<ScratchInstall>();
        window = std::make_unique<Widget>();
        window->show();
        QVERIFY(window->controller && window->controller->view);
        root = window->controller->view->rootObject();
        QVERIFY(root);
        QVERIFY(window->windowHandle());
        hooks = startInputCapture(*window, *qApp);
        QVERIFY(hooks);
        QVERIFY(hooks->hooksInstalled());
    }

    void cleanupTestCase()
    {
        if (hooks)
            stopInputCapture(hooks.get());
        hooks.reset();
        window.reset();
        install.reset();
    }

    void keys_data()
    {
        QTest::addColumn<quint32>("nativeCode");
        QTest::addColumn<int>("usage");   // 0: not reported
        // The native code less 8 is the evdev code, mapped by the evdev table (tested whole
        // apart); a modifier is reported like any other key.
        QTest::newRow("letter A") << 30u + kNativeOffset << 0x04;
        QTest::newRow("right Ctrl") << 97u + kNativeOffset << 0xE4;
        QTest::newRow("mute, unnamed") << 113u + kNativeOffset << 0;
        QTest::newRow("no native code") << 0u << 0;
    }

    // Press, auto-repeat (as X11 sends it: release and press pairs), release: one
    // press and one release reach the scene.
    void keys()
    {
        QFETCH(quint32, nativeCode);
        QFETCH(int, usage);
        QSignalSpy spy(root, SIGNAL(msg_KB(bool, int)));
        QWindow* win = window->windowHandle();
        sendKey(win, QEvent::KeyPress, nativeCode);
        for (int i = 0; i < 3; ++i) {
            sendKey(win, QEvent::KeyRelease, nativeCode, true);
            sendKey(win, QEvent::KeyPress, nativeCode, true);
        }
        sendKey(win, QEvent::KeyRelease, nativeCode);
        const int reports = usage ? 2 : 0;
        QTRY_COMPARE(spy.count(), reports);
        settle();
        QCOMPARE(spy.count(), reports);
        for (int i = 0; i < reports; ++i)
            QCOMPARE(spy.at(i), (QList<QVariant>{i == 0, usage}));
    }

    void buttons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("code");
        QTest::newRow("left") << int(Qt::LeftButton) << 0xF0;
        QTest::newRow("right") << int(Qt::RightButton) << 0xF1;
        QTest::newRow("middle") << int(Qt::MiddleButton) << 0xF2;
        QTest::newRow("back") << int(Qt::BackButton) << 0;
        QTest::newRow("forward") << int(Qt::ForwardButton) << 0;
    }

    // Every press and release, twice over, each with its screen position.
    void buttons()
    {
        QFETCH(int, button);
        QFETCH(int, code);
        QSignalSpy spy(root, SIGNAL(msg_MS(bool, int, int, int)));
        QWindow* win = window->windowHandle();
        const auto b = Qt::MouseButton(button);
        sendButton(win, QEvent::MouseButtonPress, b, {10, 20}, {310, 220});
        sendButton(win, QEvent::MouseButtonRelease, b, {11, 21}, {311, 221});
        sendButton(win, QEvent::MouseButtonPress, b, {12, 22}, {312, 222});
        sendButton(win, QEvent::MouseButtonRelease, b, {13, 23}, {313, 223});
        const int reports = code ? 4 : 0;
        QTRY_COMPARE(spy.count(), reports);
        settle();
        QCOMPARE(spy.count(), reports);
        for (int i = 0; i < reports; ++i)
            QCOMPARE(spy.at(i), (QList<QVariant>{i % 2 == 0, code, 310 + i, 220 + i}));
    }

    // Files that are no input devices are passed over; with none left nothing runs.
    void evdevWithoutDevices()
    {
        QTemporaryDir dir;
        QFile fake(dir.filePath(QStringLiteral("event0")));
        QVERIFY(fake.open(QIODevice::WriteOnly));
        fake.write(QByteArray(64, '\x01'));
        fake.close();
        EvdevCapture capture;
        int delivered = 0;
        QVERIFY(!capture.start(dir.path(), [&delivered](const evdev::Action&) { ++delivered; }));
        QVERIFY(!capture.running());
        QCOMPARE(capture.keyboardCount(), 0);
        QCOMPARE(capture.mouseCount(), 0);
        QVERIFY(!capture.start(dir.filePath(QStringLiteral("absent")), [](const evdev::Action&) {}));
        capture.stop();
        QCOMPARE(delivered, 0);
    }

    // After the capture stops nothing reaches the scene.
    void nothingAfterStop()
    {
        stopInputCapture(hooks.get());
        QVERIFY(!hooks->hooksInstalled());
        QSignalSpy keys(root, SIGNAL(msg_KB(bool, int)));
        QSignalSpy mouse(root, SIGNAL(msg_MS(bool, int, int, int)));
        QWindow* win = window->windowHandle();
        sendKey(win, QEvent::KeyPress, 31 + kNativeOffset);
        sendButton(win, QEvent::MouseButtonPress, Qt::LeftButton, {1, 1}, {2, 2});
        settle();
        QCOMPARE(keys.count(), 0);
        QCOMPARE(mouse.count(), 0);
        // Reinstalling brings it back; the press seen while stopped left no state.
        QVERIFY(hooks->installHooks());
        sendKey(win, QEvent::KeyPress, 31 + kNativeOffset);
        QTRY_COMPARE(keys.count(), 1);
        QCOMPARE(keys.at(0), (QList<QVariant>{true, 0x16}));
        sendKey(win, QEvent::KeyRelease, 31 + kNativeOffset);
        QTRY_COMPARE(keys.count(), 2);
    }
};

QTEST_MAIN(TestInputCapture)
#include "tst_input_capture.moc"
