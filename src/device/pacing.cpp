#include "device/pacing.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

namespace pacing {
namespace {
std::atomic<double> g_scale{1.0};

int scaled(int ms) { return static_cast<int>(std::lround(ms * g_scale.load())); }

// The last part of a wait is slept to the deadline without processing events:
// event-loop timers fire up to a millisecond late, which on an 8 ms pause is more
// than the protocol's pacing allows. A stall this short does not show on screen.
constexpr int kFinalSleepMs = 2;

void waitInLoop(int ms, QEventLoop::ProcessEventsFlags flags)
{
    const int t = scaled(ms);
    if (t <= 0)
        return;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(t);
    const bool guiThread = QCoreApplication::instance()
        && QThread::currentThread() == QCoreApplication::instance()->thread();
    if (guiThread && t > kFinalSleepMs) {
        QEventLoop loop;
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(t - kFinalSleepMs);
        loop.exec(flags);
    }
    std::this_thread::sleep_until(deadline);
}
} // namespace

void pause(int ms) { waitInLoop(ms, QEventLoop::ExcludeUserInputEvents); }
void sleepThread(int ms)
{
    const int t = scaled(ms);
    if (t > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(t));
}
void setTimeScale(double scale) { g_scale.store(scale < 0 ? 0 : scale); }
double timeScale() { return g_scale.load(); }

} // namespace pacing
