// How late the program's waits end, against the time they must at least take:
// the device check after the last of a burst of device changes, and the wake of a
// notification read by a press or an unplug. The tests assert only that no wait
// ends early; this prints how far past its time each one ran.
//
//   build/bench/bench_timing

#include "app/widget.h"
#include "device/virtual/virtual_mouse.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <thread>

namespace {

QElapsedTimer detectedClock;
qint64 detectedAt = -1;

void watchLines(QtMsgType, const QMessageLogContext&, const QString& msg)
{
    if (msg == QLatin1String("Device DisConnect") || msg == QLatin1String("Device Connect"))
        detectedAt = detectedClock.elapsed();
}

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void report(const char* what, double mandatedMs, double measuredMs)
{
    std::printf("%-44s %8.1f ms %8.1f ms %+8.1f ms\n", what, mandatedMs, measuredMs, measuredMs - mandatedMs);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    VirtualMouse mouse(VirtualMouse::Config{});
    installHidBackend(&mouse);
    std::printf("%-44s %11s %11s %11s\n", "wait", "at least", "measured", "late by");

    {   // Four device changes 400 ms apart: one check, kDeviceCheckMs after the last.
        Widget window(nullptr, false);
        mouse.unplug();
        detectedClock.start();
        qInstallMessageHandler(watchLines);
        qint64 last = 0;
        for (int i = 0; i < 4; ++i) {
            last = detectedClock.elapsed();
            window.handleNativeMessage(native_message::kDeviceChange, 0);
            wait(400);
        }
        detectedAt = -1;
        wait(Widget::kDeviceCheckMs + 2000);
        qInstallMessageHandler(nullptr);
        report("device check after the last device change", Widget::kDeviceCheckMs, double(detectedAt - last));
        mouse.plug();
    }

    HidDevice* n = mouse.open(VirtualMouse::kNotifyPath);
    uint8_t r[8] = {};
    for (bool unplug : {false, true}) {   // a read woken 50 ms into its wait
        std::thread hand([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            unplug ? mouse.unplug() : mouse.sendNotification({0x06, 0x07, 0x00, 0x03});
        });
        QElapsedTimer t;
        t.start();
        mouse.readTimeout(n, r, 4, 2000);
        hand.join();
        report(unplug ? "notification read woken by an unplug" : "notification read woken by a report", 50,
               t.nsecsElapsed() / 1e6);
    }
    mouse.close(n);
    installHidBackend(nullptr);
    return 0;
}
