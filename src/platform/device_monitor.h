#pragma once
#include <QObject>

// Tells the main window that HID devices came or went. On Linux a udev monitor of
// the hidraw subsystem; on Windows the window's WM_DEVICECHANGE does this and the
// monitor stays silent.
class DeviceMonitor : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    void deviceChanged();
};

DeviceMonitor* createPlatformDeviceMonitor(QObject* parent);
