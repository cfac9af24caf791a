#include "platform/device_monitor.h"

#include <QDebug>
#include <QSocketNotifier>
#include <libudev.h>

namespace {

// Hears hidraw nodes come and go through a udev monitor whose socket sits on the
// event loop.
class UdevDeviceMonitor : public DeviceMonitor
{
public:
    explicit UdevDeviceMonitor(QObject* parent) : DeviceMonitor(parent)
    {
        udevContext = udev_new();
        if (!udevContext) {
            qDebug() << "device monitor: udev is not available";
            return;
        }
        monitor = udev_monitor_new_from_netlink(udevContext, "udev");
        if (!monitor) {
            qDebug() << "device monitor: no udev monitor";
            return;
        }
        if (udev_monitor_filter_add_match_subsystem_devtype(monitor, kSubsystem, nullptr) < 0
            || udev_monitor_enable_receiving(monitor) < 0) {
            qDebug() << "device monitor: cannot listen for" << kSubsystem;
            return;
        }
        const int fd = udev_monitor_get_fd(monitor);
        if (fd < 0)
            return;
        notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this] { drain(); });
    }

    ~UdevDeviceMonitor() override
    {
        delete notifier;
        if (monitor)
            udev_monitor_unref(monitor);
        if (udevContext)
            udev_unref(udevContext);
    }

private:
    static constexpr const char* kSubsystem = "hidraw";

    // Every queued event is one device change; the socket does not block.
    void drain()
    {
        while (udev_device* dev = udev_monitor_receive_device(monitor)) {
            udev_device_unref(dev);
            emit deviceChanged();
        }
    }

    udev* udevContext = nullptr;
    udev_monitor* monitor = nullptr;
    QSocketNotifier* notifier = nullptr;
};

} // namespace

DeviceMonitor* createPlatformDeviceMonitor(QObject* parent) { return new UdevDeviceMonitor(parent); }
