#include "view/myqquickview.h"

// Not built yet.
#define Q_UNUSED_ARGS
#pragma GCC diagnostic ignored "-Wunused-parameter"

QVariantList myQQuickView::getGunData(QVariant index)
{
    Q_UNUSED_ARGS
    return {};
}

QVariantList myQQuickView::getGunDataKey()
{
    Q_UNUSED_ARGS
    return {};
}

void myQQuickView::mouseSaveGundata(QVariant index, QVariantList src6)
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::modifyGundata(QVariant modifyType, QVariantList src6)
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::mouseSendGundata(int slot, QVariantList data)
{
    Q_UNUSED_ARGS
   
}

QVariant myQQuickView::getXYSensitive(QVariant index)
{
    Q_UNUSED_ARGS
    return {};
}

void myQQuickView::setXYSensitive(QVariant index, QVariant xyData)
{
    Q_UNUSED_ARGS
   
}

QVariant myQQuickView::getselectGun(QVariant index)
{
    Q_UNUSED_ARGS
    return {};
}

void myQQuickView::setSelectGun(QVariant index, QVariant value)
{
    Q_UNUSED_ARGS
   
}
