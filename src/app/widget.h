#pragma once
// The main window: owns the device link, the window control with the scene, the
// tray icon and the device-check timer; runs detection and the connect and
// disconnect sequences.

#include "device/hid_thread.h"

#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

class Ui_Controler;
class DeviceMonitor;

// Native messages the window reacts to (the same numbers on every platform;
// Linux feeds device changes through the same handler).
namespace native_message {
constexpr unsigned kSysCommand = 0x0112;   // WM_SYSCOMMAND
constexpr unsigned kScRestore = 0xF120;    // SC_RESTORE
constexpr unsigned kDeviceChange = 0x0219; // WM_DEVICECHANGE
}

class Widget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kDeviceCheckMs = 2048;

    // With loadScene false (script mode) no scene is loaded and no tray icon shown.
    explicit Widget(QWidget* parent = nullptr, bool loadScene = true);
    ~Widget() override;

    QTimer deviceCheckTimer;
    Ui_Controler* controller = nullptr;
    Hid_Thread link;
    QSystemTrayIcon* trayIcon = nullptr;

    bool deviceConnected = false;

    // The native-message rule shared by every platform. Returns false: the message
    // is never consumed.
    bool handleNativeMessage(unsigned message, quintptr wParam);
    // Shows a tray balloon titled "Info" (logged where there is no tray).
    void showBalloon(const QString& text);

public slots:
    void trayIconActivated(QSystemTrayIcon::ActivationReason reason);
    void checkDevice();
    void exitSYS();

protected:
    void customEvent(QEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void connectSequence();
    void disconnectSequence();
    // Runs the check again once the timer expires (the link is busy now).
    void deferDetection();
    void buildTrayIcon();
    void onDpiSwitched(int stage, const QString& text);
    void onDeviceRemoved();

    DeviceMonitor* deviceMonitor = nullptr;
};
