#include "app/startup_probe.h"

#include "app/widget.h"
#include "ui_host/ui_controler.h"
#include "view/myqquickview.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QQuickWindow>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

namespace {
long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Ends the run from the main event loop: an exit requested while a device pause
// runs its own nested loop would end only that loop.
bool mainLoopRunning = false;

void exitFromMainLoop()
{
    if (mainLoopRunning && QThread::currentThread()->loopLevel() == 1) {
        QCoreApplication::exit(0);
        return;
    }
    QTimer::singleShot(10, QCoreApplication::instance(), exitFromMainLoop);
}

void report()
{
    std::printf("first-frame-epoch-ms %lld peak-rss-kb %ld\n",
                static_cast<long long>(QDateTime::currentMSecsSinceEpoch()), peakRssKb());
    std::fflush(stdout);
}
} // namespace

void watchFirstFrame(QWidget* window)
{
    auto* w = qobject_cast<Widget*>(window);
    QQuickWindow* quick = (w && w->controller && w->controller->view) ? w->controller->view->quickWindow() : nullptr;
    if (!quick) {
        QTimer::singleShot(0, [] { report(); exitFromMainLoop(); });
        return;
    }
    auto* once = new QObject(quick);
    QObject::connect(quick, &QQuickWindow::afterRendering, once, [once] {
        // afterRendering runs on the render thread of threaded loops: hand over.
        QMetaObject::invokeMethod(QCoreApplication::instance(), [] { report(); exitFromMainLoop(); },
                                  Qt::QueuedConnection);
        once->deleteLater();
    }, Qt::DirectConnection);
}

void markMainLoopStarting()
{
    QTimer::singleShot(0, QCoreApplication::instance(), [] { mainLoopRunning = true; });
}
