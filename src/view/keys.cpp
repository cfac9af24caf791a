#include "view/myqquickview.h"

// Not built yet.
#define Q_UNUSED_ARGS
#pragma GCC diagnostic ignored "-Wunused-parameter"

QVariantList myQQuickView::mouseGetKeydefine(QVariant index, bool isRecovery)
{
    Q_UNUSED_ARGS
    return {};
}

void myQQuickView::mouseSetKeyMatrix(QVariantList src64, bool isSendData, QVariantList otherParam)
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::mouseResetKeyMatrix()
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::mouseSwitchKeyMatrix(int indexNo)
{
    Q_UNUSED_ARGS
   
}
