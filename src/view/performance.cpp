#include "view/myqquickview.h"

// Not built yet.
#define Q_UNUSED_ARGS
#pragma GCC diagnostic ignored "-Wunused-parameter"

void myQQuickView::mouseSetReportRate(uchar rate)
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::mouseSetCurrentDPI(uchar currentDPI)
{
    Q_UNUSED_ARGS
   
}

QVariant myQQuickView::mouseGetCurrentDPI()
{
    Q_UNUSED_ARGS
    return {};
}

void myQQuickView::mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray)
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2)
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::mouseSetRGBColor(uchar type, QVariantList src24)
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    Q_UNUSED_ARGS
   
}

QVariantList myQQuickView::GetKeyboardoption()
{
    Q_UNUSED_ARGS
    return {};
}

void myQQuickView::setCurrentDPI(int dpiValue)
{
    Q_UNUSED_ARGS
   
}
