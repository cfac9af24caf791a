// Keys and buttons pressed in the application's window reach the scene's msg_KB
// and msg_MS once each, with the right codes.
#include "app/input_wiring.h"
#include "app/widget.h"
#include "input/input_hooks.h"
#include "rig.h"
#include "ui_host/ui_controler.h"
#include "view/myqquickview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QQuickItem>
#include <QtTest>

namespace {

constexpr int kNativeOffset = 8; // X11/Wayland key code = evdev code + 8
using Reports = QList<QVariantList>;   // the arguments of each signal

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

} // namespace

class TestInputCapture : public QObject
{
    Q_OBJECT

    // Destroyed in reverse: the capture, the window, then the installation copy.
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
        QVERIFY(window->controller && window->controller->view && window->windowHandle());
        root = window->controller->view->rootObject();
        QVERIFY(root);
        hooks = startInputCapture(*window, *qApp);
        QVERIFY(hooks->hooksInstalled());
    }

    void reports_data()
    {
        QTest::addColumn<bool>("isKey");
        QTest::addColumn<int>("input");   // the native key code or the Qt button
        QTest::addColumn<Reports>("expected");
        const auto twoClicks = [](int code) {
            Reports r;
            for (int i = 0; i < 4; ++i)
                r << QVariantList{i % 2 == 0, code, 310 + i, 220 + i};
            return r;
        };
        // The native code less 8 is the evdev code, mapped by the evdev table (tested whole
        // apart); a modifier is reported like any other key.
        QTest::newRow("right Ctrl") << true << 97 + kNativeOffset << Reports{{true, 0xE4}, {false, 0xE4}};
        QTest::newRow("mute, unnamed") << true << 113 + kNativeOffset << Reports{};
        QTest::newRow("no native code") << true << 0 << Reports{};
        QTest::newRow("left button") << false << int(Qt::LeftButton) << twoClicks(0xF0);
        QTest::newRow("right button") << false << int(Qt::RightButton) << twoClicks(0xF1);
        QTest::newRow("back button") << false << int(Qt::BackButton) << Reports{};
    }

    // A key: press, auto-repeat (as X11 sends it: release and press pairs), release. A
    // button: two clicks. Each transition reaches the scene once, a button with its
    // screen position.
    void reports()
    {
        QFETCH(bool, isKey);
        QFETCH(int, input);
        QFETCH(Reports, expected);
        QSignalSpy spy(root, isKey ? SIGNAL(msg_KB(bool, int)) : SIGNAL(msg_MS(bool, int, int, int)));
        QWindow* win = window->windowHandle();
        if (isKey) {
            sendKey(win, QEvent::KeyPress, input);
            for (int i = 0; i < 3; ++i) {
                sendKey(win, QEvent::KeyRelease, input, true);
                sendKey(win, QEvent::KeyPress, input, true);
            }
            sendKey(win, QEvent::KeyRelease, input);
        } else {
            const auto button = Qt::MouseButton(input);
            for (int i = 0; i < 4; ++i) {
                const bool press = i % 2 == 0;
                const QPointF local(10 + i, 20 + i), global(310 + i, 220 + i);
                QMouseEvent event(press ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, local, local, global,
                                  button, press ? Qt::MouseButtons(button) : Qt::NoButton, Qt::NoModifier);
                QCoreApplication::sendEvent(win, &event);
            }
        }
        QTRY_COMPARE(spy.count(), expected.size());
        settle();
        QCOMPARE(Reports(spy), expected);
    }
};

QTEST_MAIN(TestInputCapture)
#include "tst_input_capture.moc"
