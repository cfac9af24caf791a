#include "app/widget.h"

#include "app/run_ui_event.h"
#include "device/detection.h"
#include "device/device_table.h"
#include "platform/device_monitor.h"
#include "ui_host/ui_controler.h"
#include "view/myqquickview.h"

#include <QAction>
#include <QCoreApplication>
#include <QDebug>
#include <QIcon>
#include <QMenu>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {
const char* const kProductName = "CORVANE SKARN MOUSE GX17";
const char* const kTrayIconFile = "./modules/img/logo.ico";
const char* const kBalloonTitle = "Info";
constexpr int kBalloonMs = 10000;
const char* const kTrayMenuStyle =
    "QMenu { border: 1px solid rgb(100, 100, 100); background: rgb(68, 69, 73); } "
    "QMenu::item { height: 22px; padding: 0px 25px 0px 20px; } "
    "QMenu::item:enabled { color: rgb(225, 225, 225); } "
    "QMenu::item:!enabled { color: rgb(155, 155, 155); } "
    "QMenu::item:enabled:selected { color: rgb(230, 230, 230); background: rgba(255, 255, 255, 40); } "
    "QMenu::separator { height: 1px; background: rgb(100, 100, 100); } "
    "QMenu::indicator { width: 13px; height: 13px; } "
    "QMenu::icon { padding-left: 2px; padding-right: 2px; } ";
const char* const kFirmware560 = "560";
// Profile blocks read at connect: 0 and 1 always, 2..4 on mice with recoil functions.
constexpr uint kBaseBlocks = 2;
constexpr uint kGunBlocks = 5;
// The low four bits of a system command's wParam are the system's own.
constexpr quintptr kSysCommandMask = 0xFFF0;
} // namespace

Widget::Widget(QWidget* parent, bool loadScene) : QWidget(parent)
{
    link.owner = this;

    controller = new Ui_Controler;
    controller->init(this, &link, loadScene);
    controller->view->setLink(&link);

    deviceCheckTimer.setInterval(kDeviceCheckMs);
    deviceCheckTimer.setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the detection comes 2048 ms after the last change.
    deviceCheckTimer.setTimerType(Qt::PreciseTimer);
    connect(&deviceCheckTimer, &QTimer::timeout, this, &Widget::checkDevice);

    connect(&link, &Hid_Thread::dpiSwitched, this, &Widget::onDpiSwitched, Qt::QueuedConnection);
    connect(&link, &Hid_Thread::deviceRemoved, this, &Widget::onDeviceRemoved, Qt::QueuedConnection);

    if (loadScene) {
        buildTrayIcon();
        deviceMonitor = createPlatformDeviceMonitor(this);
        connect(deviceMonitor, &DeviceMonitor::deviceChanged, this,
                [this] { handleNativeMessage(native_message::kDeviceChange, 0); });
    }
}

Widget::~Widget()
{
    link.listening = false;
    delete deviceMonitor;
    deviceMonitor = nullptr;
    deviceCheckTimer.stop();
    if (controller) {
        // The view (a child widget) outlives the link; it must not reach back into it.
        if (controller->view)
            controller->view->setLink(nullptr);
        controller->deleteLater();
        controller = nullptr;
    }
    link.view = nullptr;
    // The notification task must be over before the link goes.
    link.stopListening();
}

void Widget::buildTrayIcon()
{
    trayIcon = new QSystemTrayIcon(this);
    auto* quit = new QAction(tr("Quit (&Q)"), this);
    connect(quit, &QAction::triggered, this, &Widget::exitSYS);
    auto* menu = new QMenu(this);
    menu->addAction(quit);
    // Styled when it first opens: a style sheet brings its whole machinery into memory,
    // and most sessions never open the menu (a desktop that draws the tray's menus
    // itself never shows this one).
    connect(menu, &QMenu::aboutToShow, menu, [menu] {
        if (menu->styleSheet().isEmpty())
            menu->setStyleSheet(QString::fromLatin1(kTrayMenuStyle));
    });
    trayIcon->setContextMenu(menu);
    trayIcon->setToolTip(QString::fromLatin1(kProductName));
    trayIcon->setIcon(QIcon(QString::fromLatin1(kTrayIconFile)));
    connect(trayIcon, &QSystemTrayIcon::activated, this, &Widget::trayIconActivated);
    trayIcon->setVisible(true);
}

void Widget::showBalloon(const QString& text)
{
    if (trayIcon && QSystemTrayIcon::isSystemTrayAvailable())
        trayIcon->showMessage(QString::fromLatin1(kBalloonTitle), text, QSystemTrayIcon::Information, kBalloonMs);
    else
        qDebug().noquote().nospace() << kBalloonTitle << ' ' << text;
}

void Widget::trayIconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::DoubleClick || !deviceConnected)
        return;
#ifdef Q_OS_WIN
    PostMessageW(reinterpret_cast<HWND>(winId()), WM_SYSCOMMAND, SC_RESTORE, 0);
#else
    QMetaObject::invokeMethod(
        this, [this] { handleNativeMessage(native_message::kSysCommand, native_message::kScRestore); },
        Qt::QueuedConnection);
#endif
}

void Widget::exitSYS()
{
    link.listening = false;
    QCoreApplication::exit(0);
}

bool Widget::handleNativeMessage(unsigned message, quintptr wParam)
{
    if (message == native_message::kSysCommand) {
        if ((wParam & kSysCommandMask) == native_message::kScRestore)
            setVisible(true);
    } else if (message == native_message::kDeviceChange) {
        if (!link.listening)
            deviceCheckTimer.start();
    }
    return false;
}

bool Widget::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
#ifdef Q_OS_WIN
    if (message && eventType == "windows_generic_MSG") {
        const MSG* msg = static_cast<const MSG*>(message);
        handleNativeMessage(msg->message, static_cast<quintptr>(msg->wParam));
    }
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
#endif
    Q_UNUSED(result);
    // Never consumed: default processing goes on.
    return false;
}

void Widget::customEvent(QEvent* event)
{
    if (event->type() != RunUiEvent::kType)
        return;
    const auto* run = dynamic_cast<const RunUiEvent*>(event);
    if (run && run->code == RunUiEvent::kRunUi && controller && controller->view)
        controller->view->runUI();
}

void Widget::checkDevice()
{
    // Detection replaces the records a running command works on, and its own
    // commands would be refused: it waits until the link is free.
    if (link.busy()) {
        deferDetection();
        return;
    }
    const Hid_Thread::Sequence sequence(link);
    const int found = detection::detect(link, QString::fromLatin1(device_table::kDefaultFile));
    if (found == detection::kLinkBusy)
        deferDetection();
    else if (found >= 0)
        connectSequence();
    else
        disconnectSequence();
}

void Widget::deferDetection()
{
    qDebug("device check deferred: the link is busy");
    deviceCheckTimer.start();
}

void Widget::connectSequence()
{
    myQQuickView* view = controller->view;
    qDebug("Device Connect");
    view->clearHidBusy();
    deviceConnected = true;
    showBalloon(QStringLiteral("Detect Device"));
    const bool hasNotifyInterface = link.currentRecord() && !link.currentRecord()->notifyPath.isEmpty();
    link.startListening(link.currentDevice);
    if (view->icType == QLatin1String(kFirmware560)) {
        const uint blocks = view->isGun ? kGunBlocks : kBaseBlocks;
        for (uint b = 0; b < blocks; ++b)
            view->mouseReadProfile(b);
    }
    // The transfers above let queued events through: a removal the notification
    // loop reported meanwhile (it cleared the path and disabled the view) stands.
    const DeviceRecord* record = link.currentRecord();
    const bool removedMeanwhile = hasNotifyInterface && (!record || record->notifyPath.isEmpty());
    view->setEnabled(!removedMeanwhile);
    view->initUI();
    QCoreApplication::postEvent(this, new RunUiEvent(RunUiEvent::kRunUi));
}

void Widget::disconnectSequence()
{
    qDebug("Device DisConnect");
    deviceConnected = false;
    setVisible(false);
}

void Widget::onDpiSwitched(int stage, const QString& text)
{
    if (controller && controller->view)
        controller->view->setCurrentDPI(stage);
    showBalloon(text);
}

void Widget::onDeviceRemoved()
{
    if (controller && controller->view)
        controller->view->setEnabled(false);
}
