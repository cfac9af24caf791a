// Desktop pointer settings of the view: the system page's steps become the
// desktop's pointer speed, double-click time and wheel lines.
#include "view/myqquickview.h"

#include "platform/pointer_settings.h"
#include "view/pointer_steps.h"

#include <QDebug>

void myQQuickView::mouseSetCursorSpeed(uint cursorSpeed)
{
    if (!pointerSettings().setPointerSpeed(pointer_steps::cursorSpeed(cursorSpeed)))
        qDebug() << "setCursorSpeed Failed";
}

void myQQuickView::mouseSetDoubleClickSpeed(uint speed)
{
    if (!pointerSettings().setDoubleClickTime(pointer_steps::doubleClickMs(speed)))
        qDebug() << "setDoubleClickSpeed Failed";
}

void myQQuickView::mouseSetVerticalScrollLines(uint lines)
{
    if (!pointerSettings().setWheelScrollLines(pointer_steps::scrollLines(lines)))
        qDebug() << "setVerticalScrollLines Failed";
}
