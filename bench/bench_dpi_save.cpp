// Frame gaps while the DPI page saves: the full window on the virtual mouse, the DPI
// page marked as edited, then a click on Save (DPI set, stage colours and the whole
// lighting go to the mouse while "LOADING ......" animates). Prints the longest time
// between two frames of the scene while the save runs. A frame is the scene window's
// afterRendering: a QQuickWidget renders off screen and never emits frameSwapped.
//
//   build/bench/bench_dpi_save [runs]      (needs a display; bench/startup.py gives one)

#include "app/widget.h"
#include "device/hid_backend.h"
#include "device/virtual/virtual_mouse.h"
#include "ui_host/ui_controler.h"
#include "view/myqquickview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QProcess>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int kBudgetMs = 50;
constexpr int kConnectMs = 10000;   // the mouse found and the full frame shown

void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void click(QWidget* widget, QPointF at)
{
    const QPointF global = widget->mapToGlobal(at);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, global, Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

// One save: the longest gap between frames (ms) and the frames drawn, from the click
// until the view is enabled again.
std::pair<double, int> measureSave(Widget& window)
{
    myQQuickView* view = window.controller->view;
    QQuickItem* root = view->rootObject();
    QQuickItem* dpiPage = root->findChild<QQuickItem*>(QStringLiteral("dpiSettingMain"));
    QQuickItem* save = root->findChild<QQuickItem*>(QStringLiteral("saveButton"));
    if (!dpiPage || !save)
        return {-1, 0};

    QElapsedTimer clock;
    clock.start();
    QList<qint64> frames;
    const auto connection = QObject::connect(view->quickWindow(), &QQuickWindow::afterRendering, view,
                                             [&] { frames.append(clock.nsecsElapsed()); });
    dpiPage->setProperty("isSave", true);
    const qint64 start = clock.nsecsElapsed();
    frames.append(start);
    click(view, save->mapToScene(QPointF(save->width() / 2, save->height() / 2)));
    // The click runs the whole save in nested event loops; it returns when done.
    frames.append(clock.nsecsElapsed());
    QObject::disconnect(connection);
    std::printf("save: %.1f ms, %d frames\n", (frames.last() - start) / 1e6, int(frames.size()) - 2);
    if (dpiPage->property("isSave").toBool())
        return {-1, 0};   // the click saved nothing

    double worst = 0;
    for (int i = 1; i < frames.size(); ++i)
        worst = std::max(worst, (frames[i] - frames[i - 1]) / 1e6);
    return {worst, int(frames.size()) - 2};
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    // A scratch copy of the installation tree beside the build.
    QTemporaryDir scratch;
    const QString tree = QCoreApplication::applicationDirPath() + QStringLiteral("/../modules");
    if (!scratch.isValid() || QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), tree, scratch.path()}) != 0) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(tree));
        return 1;
    }
    QDir::setCurrent(scratch.path());

    VirtualMouse mouse(VirtualMouse::configFromSettings(QStringLiteral("./modules/setting/apConfig.bin")));
    installHidBackend(&mouse);
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    const int status = [&] {
        Widget window;
        window.showNormal();
        window.checkDevice();
        QElapsedTimer waited;
        waited.start();
        auto shown = [&] {
            QQuickItem* root = window.controller->view->rootObject();
            return root && root->property("frameShown").toBool() && window.controller->view->isEnabled();
        };
        while (!shown() && waited.elapsed() < kConnectMs)
            waitMs(100);
        if (!shown()) {
            std::fprintf(stderr, "no frame: the virtual mouse was not connected within %d ms\n", kConnectMs);
            return 1;
        }
        waitMs(300);
        double worst = 0;
        int frames = 0;
        for (int i = 0; i < runs; ++i) {
            const auto [gap, count] = measureSave(window);
            if (gap < 0) {
                std::fprintf(stderr, "no save: the scene lacks the DPI page or the Save button, or the click saved nothing\n");
                return 1;
            }
            worst = std::max(worst, gap);
            frames += count;
            waitMs(300);
        }
        std::printf("frame gap while the DPI page saves: max %.1f ms over %d saves (%d frames); budget %d ms\n",
                    worst, runs, frames, kBudgetMs);
        return 0;
    }();
    installHidBackend(nullptr);
    return status;
}
