#include "view/myqquickview.h"

// Not built yet.
#define Q_UNUSED_ARGS
#pragma GCC diagnostic ignored "-Wunused-parameter"

void myQQuickView::setCurrentProfile(int profile)
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::saveProfile(int profile)
{
    Q_UNUSED_ARGS
   
}

bool myQQuickView::loadProfile(int profile)
{
    Q_UNUSED_ARGS
    return false;
}

void myQQuickView::resetProfile(int profile)
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::copyProfile(int destprofile, int srcprofile)
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::mouseReadProfile(uint profileNo)
{
    Q_UNUSED_ARGS
   
}

void myQQuickView::mouseSetProfile(uint profileNo)
{
    Q_UNUSED_ARGS
   
}

QVariant myQQuickView::mouseReadCurrentProfile()
{
    Q_UNUSED_ARGS
    return {};
}
