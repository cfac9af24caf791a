#include "app/startup_probe.h"

#include "app/widget.h"
#include "ui_host/ui_controler.h"
#include "view/myqquickview.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QQuickWindow>
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
        QTimer::singleShot(0, [] { report(); QCoreApplication::exit(0); });
        return;
    }
    auto* once = new QObject(quick);
    QObject::connect(quick, &QQuickWindow::afterRendering, once, [once] {
        // afterRendering runs on the render thread of threaded loops: hand over.
        QMetaObject::invokeMethod(QCoreApplication::instance(), [] { report(); QCoreApplication::exit(0); },
                                  Qt::QueuedConnection);
        once->deleteLater();
    }, Qt::DirectConnection);
}
