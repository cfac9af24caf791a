#include "view/myqquickview.h"

// Not built yet.
#define Q_UNUSED_ARGS
#pragma GCC diagnostic ignored "-Wunused-parameter"

void myQQuickView::mouseSetCursorSpeed(uint cursorSpeed)
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::mouseSetDoubleClickSpeed(uint speed)
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::mouseSetVerticalScrollLines(uint lines)
{
    Q_UNUSED_ARGS
   
}
