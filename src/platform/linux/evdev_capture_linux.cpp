#include "platform/linux/evdev_capture_linux.h"

#include <QDebug>
#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <libevdev/libevdev.h>
#include <linux/input-event-codes.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <vector>

struct EvdevCapture::Device {
    int fd = -1;
    libevdev* dev = nullptr;
    bool keyboard = false;
    bool mouse = false;
    ~Device()
    {
        if (dev)
            libevdev_free(dev);
        if (fd >= 0)
            ::close(fd);
    }
};

namespace {

bool isKeyboard(const libevdev* dev)
{
    return libevdev_has_event_code(dev, EV_KEY, KEY_A) && libevdev_has_event_code(dev, EV_KEY, KEY_Z)
        && libevdev_has_event_code(dev, EV_KEY, KEY_ENTER);
}

bool isMouse(const libevdev* dev)
{
    return libevdev_has_event_code(dev, EV_KEY, BTN_LEFT);
}

} // namespace

EvdevCapture::EvdevCapture() = default;

EvdevCapture::~EvdevCapture() { stop(); }

bool EvdevCapture::start(const QString& directory, Deliver deliver)
{
    stop();
    const QStringList names = QDir(directory).entryList({QStringLiteral("event*")}, QDir::System | QDir::Files);
    for (const QString& name : names) {
        const QByteArray path = QDir(directory).filePath(name).toLocal8Bit();
        auto device = std::make_unique<Device>();
        device->fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (device->fd < 0)
            continue; // not readable for this user
        if (libevdev_new_from_fd(device->fd, &device->dev) < 0) {
            device->dev = nullptr;
            continue;
        }
        device->keyboard = isKeyboard(device->dev);
        device->mouse = isMouse(device->dev);
        if (!device->keyboard && !device->mouse)
            continue;
        keyboards += device->keyboard ? 1 : 0;
        mice += device->mouse ? 1 : 0;
        devices.push_back(std::move(device));
    }
    if (devices.empty())
        return false;
    wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0) {
        qDebug() << "input capture: no eventfd, errno" << errno;
        stop();
        return false;
    }
    qDebug() << "input capture:" << keyboards << "keyboards," << mice << "mice";
    deliverAction = std::move(deliver);
    receiver = std::make_unique<QObject>();
    reader = std::thread([this] { readLoop(); });
    return true;
}

void EvdevCapture::stop()
{
    if (reader.joinable()) {
        const std::uint64_t one = 1;
        if (::write(wakeFd, &one, sizeof one) < 0)
            qDebug() << "input capture: cannot wake the reader, errno" << errno;
        reader.join();
    }
    receiver.reset(); // drops deliveries still queued
    if (wakeFd >= 0) {
        ::close(wakeFd);
        wakeFd = -1;
    }
    devices.clear();
    keyboards = 0;
    mice = 0;
}

void EvdevCapture::readLoop()
{
    std::vector<pollfd> fds;
    fds.push_back({wakeFd, POLLIN, 0});
    for (const auto& device : devices)
        fds.push_back({device->fd, POLLIN, 0});

    QObject* target = receiver.get();
    const Deliver deliver = deliverAction;
    auto post = [target, &deliver](const input_event& ev) {
        const evdev::Action action = evdev::actionForEvent(ev.type, ev.code, ev.value);
        if (action.kind != evdev::Action::None)
            QMetaObject::invokeMethod(target, [deliver, action] { deliver(action); }, Qt::QueuedConnection);
    };

    for (;;) {
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            qDebug() << "input capture: poll failed, errno" << errno;
            return;
        }
        if (fds[0].revents)
            return; // stop() woke us
        for (std::size_t i = 1; i < fds.size(); ++i) {
            if (!fds[i].revents)
                continue;
            libevdev* dev = devices[i - 1]->dev;
            input_event ev;
            int rc = libevdev_next_event(dev, LIBEVDEV_READ_FLAG_NORMAL, &ev);
            while (rc == LIBEVDEV_READ_STATUS_SUCCESS || rc == LIBEVDEV_READ_STATUS_SYNC) {
                if (rc == LIBEVDEV_READ_STATUS_SYNC) {
                    // Events were dropped: catch up with the device's state.
                    while (rc == LIBEVDEV_READ_STATUS_SYNC) {
                        post(ev);
                        rc = libevdev_next_event(dev, LIBEVDEV_READ_FLAG_SYNC, &ev);
                    }
                } else {
                    post(ev);
                }
                rc = libevdev_next_event(dev, LIBEVDEV_READ_FLAG_NORMAL, &ev);
            }
            if (rc != -EAGAIN || (fds[i].revents & (POLLERR | POLLHUP | POLLNVAL))) {
                qDebug() << "input capture: device gone:" << libevdev_get_name(dev);
                fds[i].fd = -1; // poll skips it from now on
            }
        }
    }
}
