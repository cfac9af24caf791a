#include "platform/device_monitor.h"

// Windows tells the main window about device changes with WM_DEVICECHANGE, so the
// monitor has nothing to do.
DeviceMonitor* createPlatformDeviceMonitor(QObject* parent) { return new DeviceMonitor(parent); }
