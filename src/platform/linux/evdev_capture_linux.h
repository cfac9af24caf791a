#pragma once
// Global key and button capture from the kernel's input devices: every readable
// /dev/input/event* that is a keyboard or a mouse is read through libevdev on one
// reader thread, which blocks in poll() and hands each event to the GUI thread.
// The devices are readable for members of the "input" group.

#include "input/evdev_keys.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class EvdevCapture
{
public:
    using Deliver = std::function<void(const evdev::Action&)>;

    EvdevCapture();
    ~EvdevCapture();
    EvdevCapture(const EvdevCapture&) = delete;
    EvdevCapture& operator=(const EvdevCapture&) = delete;

    // Opens the keyboards and mice under directory and starts the reader. deliver
    // runs on the GUI thread (the thread that calls start). False when no device
    // could be opened; nothing runs then.
    bool start(const QString& directory, Deliver deliver);
    // Stops the reader, closes the devices and drops events not yet delivered.
    void stop();

    bool running() const { return reader.joinable(); }
    int keyboardCount() const { return keyboards; }
    int mouseCount() const { return mice; }

private:
    struct Device;
    void readLoop();

    std::vector<std::unique_ptr<Device>> devices;
    std::unique_ptr<QObject> receiver; // GUI-thread target of the queued deliveries
    Deliver deliverAction;
    std::thread reader;   // joined by stop(): its end is seen by thread checkers too
    int wakeFd = -1;
    int keyboards = 0;
    int mice = 0;
};
