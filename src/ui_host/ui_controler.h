#pragma once
// Window control for the scene: makes the main window a frameless translucent
// surface, creates the host view inside it, loads the scene and publishes
// ui_View, hid and ui_Ctl to it; the scene calls back to move, minimise and close.

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QWidget>

class myQQuickView;
class Hid_Thread;

class Ui_Controler : public QObject
{
    Q_OBJECT
public:
    explicit Ui_Controler(QObject* parent = nullptr);
    ~Ui_Controler() override;

    QPointer<QWidget> window;
    myQQuickView* view = nullptr;

    // Sets the window up and loads the scene. link is published as "hid".
    // With loadScene false (script mode) the view is created but no scene is loaded.
    void init(QWidget* window, Hid_Thread* link, bool loadScene = true);

    // Where the scene is loaded from: the resources, or CORVANE_SCENE_DIR/qml/main.qml.
    static QUrl sceneUrl();
    // Makes the scene's own item types known to QML (module "Corvane.Scene"): done by
    // init() before the scene loads, and by anything else that loads scene files.
    static void registerSceneTypes();

public slots:
    void onMinimize();
    void onClose();
    void onXChanged(int value);
    void onYChanged(int value);
    void setBusy(int busyTime);
    void setBusy();

public:
    // On Wayland, where a client cannot place its own window, hands a drag that
    // begins now to the compositor and returns true; elsewhere returns false and
    // the scene moves the window itself with onXChanged/onYChanged.
    Q_INVOKABLE bool startSystemMove();
};
