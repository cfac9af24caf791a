#include "device/pacing.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cmath>

namespace pacing {
namespace {
std::atomic<double> g_scale{1.0};

int scaled(int ms) { return static_cast<int>(std::lround(ms * g_scale.load())); }

void waitInLoop(int ms, QEventLoop::ProcessEventsFlags flags)
{
    const int t = scaled(ms);
    if (t <= 0)
        return;
    if (!QCoreApplication::instance() || QThread::currentThread() != QCoreApplication::instance()->thread()) {
        QThread::msleep(static_cast<unsigned long>(t));
        return;
    }
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(t);
    loop.exec(flags);
}
} // namespace

void pause(int ms) { waitInLoop(ms, QEventLoop::ExcludeUserInputEvents); }
void pauseProcessingAll(int ms) { waitInLoop(ms, QEventLoop::AllEvents); }
void sleepThread(int ms)
{
    const int t = scaled(ms);
    if (t > 0)
        QThread::msleep(static_cast<unsigned long>(t));
}
void setTimeScale(double scale) { g_scale.store(scale < 0 ? 0 : scale); }
double timeScale() { return g_scale.load(); }

} // namespace pacing
