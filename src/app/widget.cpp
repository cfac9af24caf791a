// Not built yet: the main window.
#include "app/widget.h"
#include "ui_host/ui_controler.h"
Widget::Widget(QWidget* parent, bool loadScene) : QWidget(parent)
{
    link.owner = this;
    controller = new Ui_Controler;
    controller->init(this, &link, loadScene);
}
Widget::~Widget() { delete controller; }
bool Widget::handleNativeMessage(unsigned, quintptr) { return false; }
void Widget::showBalloon(const QString&) {}
void Widget::trayIconActivated(QSystemTrayIcon::ActivationReason) {}
void Widget::checkDevice() {}
void Widget::exitSYS() {}
void Widget::customEvent(QEvent*) {}
bool Widget::nativeEvent(const QByteArray&, void*, qintptr*) { return false; }
void Widget::connectSequence() {}
void Widget::disconnectSequence() {}
void Widget::buildTrayIcon() {}
void Widget::onDpiSwitched(int, const QString&) {}
void Widget::onDeviceRemoved() {}
