#pragma once
#include <QEvent>

// Posted by the connect sequence right after it queued the scene's initUI, so
// that the scene's run follows initUI.
class RunUiEvent : public QEvent
{
public:
    static constexpr QEvent::Type kType = QEvent::User;   // 1000
    static constexpr int kRunUi = 0x881;
    explicit RunUiEvent(int code) : QEvent(kType), code(code) {}
    const int code;
};
