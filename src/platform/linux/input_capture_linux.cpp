#include "platform/linux/input_capture_linux.h"

#include "input/evdev_keys.h"
#include "input/input_hooks.h"
#include "platform/linux/evdev_capture_linux.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDebug>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QQuickRenderControl>
#include <QQuickWindow>
#include <QWindow>

namespace {

// Button codes of the buttons the hooks report.
unsigned char buttonForQt(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return button_code::kLeft;
    case Qt::RightButton: return button_code::kRight;
    case Qt::MiddleButton: return button_code::kMiddle;
    default: return 0;
    }
}

// An input event reaches several receivers on its way (the top-level window, the
// widgets, the scene's own off-screen window); only the first, the window that
// the platform delivered it to, counts.
bool isPlatformWindow(QObject* watched)
{
    if (!watched || !watched->isWindowType())
        return false;
    if (auto* quickWindow = qobject_cast<QQuickWindow*>(watched))
        return QQuickRenderControl::renderWindowFor(quickWindow) == nullptr;
    return true;
}

} // namespace

class LinuxInputBackend::WindowFilter : public QObject
{
public:
    explicit WindowFilter(LinuxInputBackend& backend) : backend(backend) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            if (!backend.keysFromDevices() && isPlatformWindow(watched))
                handleKey(static_cast<QKeyEvent*>(event));
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            if (!backend.buttonsFromDevices() && isPlatformWindow(watched))
                handleButton(static_cast<QMouseEvent*>(event));
            break;
        default:
            break;
        }
        return false; // every event goes on
    }

private:
    void handleKey(const QKeyEvent* key)
    {
        if (key->isAutoRepeat() || !backend.target)
            return;
        const quint32 native = key->nativeScanCode();
        if (native < evdev::kNativeScanOffset)
            return;
        const unsigned char usage = evdev::usageForKey(native - evdev::kNativeScanOffset);
        if (usage)
            backend.target->reportKey(usage, key->type() == QEvent::KeyPress);
    }

    void handleButton(const QMouseEvent* mouse)
    {
        const unsigned char code = buttonForQt(mouse->button());
        if (!code || !backend.target)
            return;
        const QPoint global = mouse->globalPosition().toPoint();
        backend.target->reportButton(code, mouse->type() == QEvent::MouseButtonPress, global.x(), global.y());
    }

    LinuxInputBackend& backend;
};

LinuxInputBackend::LinuxInputBackend(GlobalCapture mode) : mode(mode) {}

LinuxInputBackend::~LinuxInputBackend() { remove(); }

bool LinuxInputBackend::install(InputHooks& hooks)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        qDebug() << "input capture: no application object";
        return false;
    }
    target = &hooks;
    filter = std::make_unique<WindowFilter>(*this);
    app->installEventFilter(filter.get());
    if (mode == GlobalCapture::Auto) {
        capture = std::make_unique<EvdevCapture>();
        const bool started = capture->start(QString::fromLatin1(kDeviceDirectory), [this](const evdev::Action& a) {
            deliver(a.kind, a.code, a.isDown);
        });
        if (!started)
            capture.reset();
    }
    return true;
}

void LinuxInputBackend::remove()
{
    capture.reset(); // stops the reader first, so no delivery follows
    if (filter) {
        if (QCoreApplication* app = QCoreApplication::instance())
            app->removeEventFilter(filter.get());
        filter.reset();
    }
    target = nullptr;
}

bool LinuxInputBackend::installed() const { return filter != nullptr; }

bool LinuxInputBackend::keysFromDevices() const { return capture && capture->keyboardCount() > 0; }

bool LinuxInputBackend::buttonsFromDevices() const { return capture && capture->mouseCount() > 0; }

void LinuxInputBackend::deliver(int kind, unsigned char code, bool isDown)
{
    if (!target)
        return;
    if (kind == evdev::Action::Key) {
        target->reportKey(code, isDown);
    } else if (kind == evdev::Action::Button) {
        const QPoint pos = QCursor::pos(); // the devices move the pointer relatively
        target->reportButton(code, isDown, pos.x(), pos.y());
    }
}

std::unique_ptr<HookBackend> createPlatformHookBackend() { return std::make_unique<LinuxInputBackend>(); }

bool installCopyDataFilter(void* /*application*/)
{
    // No other process sends WM_COPYDATA here.
    return false;
}
