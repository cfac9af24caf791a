#include "ui_host/ui_controler.h"

#include "device/hid_thread.h"
#include "ui_host/scene_box.h"
#include "ui_host/scene_fonts.h"
#include "ui_host/scene_picture.h"
#include "view/myqquickview.h"

#include <QGuiApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSettings>
#include <QUrl>
#include <QWindow>

Ui_Controler::Ui_Controler(QObject* parent) : QObject(parent) {}

Ui_Controler::~Ui_Controler() = default;

void Ui_Controler::init(QWidget* w, Hid_Thread* link, bool loadScene)
{
    if (w->objectName().isEmpty())
        w->setObjectName(QStringLiteral("Widget"));
    window = w;
    installSceneFontSubstitutes();
    registerSceneTypes();
    w->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    w->setWindowOpacity(1.0);
    // The attribute alone keeps the window's background clear. A style sheet saying so
    // would cascade into every widget over the window, and the file choosers opened
    // from the scene would lose their background (their labels unreadable).
    w->setAttribute(Qt::WA_TranslucentBackground);

    view = new myQQuickView(w);
    view->setObjectName(QStringLiteral("ui_View"));
    view->setResizeMode(QQuickWidget::SizeViewToRootObject);
    view->setClearColor(Qt::transparent);
    // Published before the scene loads, so bindings see them from the first evaluation.
    QQmlContext* ctx = view->rootContext();
    ctx->setContextProperty(QStringLiteral("ui_View"), view);
    ctx->setContextProperty(QStringLiteral("hid"), link);
    ctx->setContextProperty(QStringLiteral("ui_Ctl"), this);
    if (loadScene)
        view->setSource(sceneUrl());

    w->resize(view->size());
    QSettings global(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
    w->setWindowTitle(global.value(QStringLiteral("common/name")).toString());
}

QUrl Ui_Controler::sceneUrl()
{
    // Scene developers point CORVANE_SCENE_DIR at a source tree (the folder holding
    // qml/ and img/) to try scene edits without rebuilding the resources.
    const QString dir = qEnvironmentVariable("CORVANE_SCENE_DIR");
    if (!dir.isEmpty())
        return QUrl::fromLocalFile(dir + QStringLiteral("/qml/main.qml"));
    return QUrl(QStringLiteral("qrc:modules/qml/main.qml"));
}

void Ui_Controler::registerSceneTypes()
{
    qmlRegisterType<ScenePicture>("Corvane.Scene", 1, 0, "ScenePicture");
    qmlRegisterType<SceneBox>("Corvane.Scene", 1, 0, "SceneBox");
}

void Ui_Controler::onMinimize()
{
    if (window)
        window->showMinimized();
}

void Ui_Controler::onClose()
{
    if (window)
        window->setVisible(false);
}

void Ui_Controler::onXChanged(int value)
{
    if (window)
        window->move(window->x() + value, window->y());
}

void Ui_Controler::onYChanged(int value)
{
    if (window)
        window->move(window->x(), window->y() + value);
}

void Ui_Controler::setBusy(int busyTime)
{
    if (view)
        view->callScene("setProtectUI", Qt::DirectConnection, {QVariant(busyTime)});
}

void Ui_Controler::setBusy() { setBusy(0); }

bool Ui_Controler::startSystemMove()
{
    if (!window || !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return false;
    QWindow* handle = window->windowHandle();
    return handle && handle->startSystemMove();
}
