#include "view/myqquickview.h"

// Not built yet.
#define Q_UNUSED_ARGS
#pragma GCC diagnostic ignored "-Wunused-parameter"

QVariant myQQuickView::getData(QVariant key, bool isRecovery)
{
    Q_UNUSED_ARGS
    return {};
}

QVariant myQQuickView::getGlobalData(QVariant key)
{
    Q_UNUSED_ARGS
    return {};
}

QVariantList myQQuickView::getDataList(QVariant key, bool isRecovery)
{
    Q_UNUSED_ARGS
    return {};
}

void myQQuickView::setData(QVariant key, QVariant data)
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::setGlobalData(QVariant key, QVariant tmpdata)
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::setDataList(QVariant key, QVariantList datalist)
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::initUI()
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::runUI()
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::resetApconfig()
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::clearHidBusy()
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::openUpdateExe()
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::setBusy(int busyTime)
{
    Q_UNUSED_ARGS
   
}
