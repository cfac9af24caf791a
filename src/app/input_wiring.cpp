#include "app/input_wiring.h"

#include "app/widget.h"
#include "input/copy_data.h"
#include "input/input_hooks.h"
#include "ui_host/ui_controler.h"
#include "view/myqquickview.h"

#include <QApplication>
#include <QMessageBox>

namespace {

myQQuickView* viewOf(void* context)
{
    auto* window = static_cast<Widget*>(context);
    if (!window || !window->controller)
        return nullptr;
    return window->controller->view;
}

void onKey(std::uint8_t usage, bool isDown, void* context)
{
    if (myQQuickView* view = viewOf(context))
        view->detectKeyboard(isDown, usage);
}

void onButton(std::uint8_t buttonCode, bool isDown, std::int32_t x, std::int32_t y, void* context)
{
    if (myQQuickView* view = viewOf(context))
        view->detectMouse(isDown, buttonCode, static_cast<uint>(x), static_cast<uint>(y));
}

void onCopyData(const CopyDataRecord& record, void* context)
{
    auto* window = static_cast<Widget*>(context);
    if (!window)
        return;
    const copy_data::Decision decision = copy_data::decide(record);
    if (!decision.show)
        return;
    QMessageBox box(QMessageBox::Warning, window->windowTitle(), decision.text, QMessageBox::Ok);
    box.exec();
}

} // namespace

std::unique_ptr<InputHooks> startInputCapture(Widget& window, QApplication& app)
{
    auto hooks = std::make_unique<InputHooks>(0);
    hooks->setKeyboardCallback(onKey, &window);
    hooks->setMouseCallback(onButton, &window);
    hooks->setCopyDataCallback(onCopyData, &window, &app);
    return hooks;
}

void stopInputCapture(InputHooks* hooks)
{
    if (hooks)
        hooks->removeHooks();
}
