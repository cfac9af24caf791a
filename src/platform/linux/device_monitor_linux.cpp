// Not built yet.
#include "platform/device_monitor.h"
DeviceMonitor* createPlatformDeviceMonitor(QObject* parent) { return new DeviceMonitor(parent); }
