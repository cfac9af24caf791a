#include "view/myqquickview.h"

// Not built yet.
#define Q_UNUSED_ARGS
#pragma GCC diagnostic ignored "-Wunused-parameter"

QVariantList myQQuickView::getLangStrings(QString typeStr, QString langCode)
{
    Q_UNUSED_ARGS
    return {};
}

QVariant myQQuickView::updataNameList(QVariant type, QStringList nameList)
{
    Q_UNUSED_ARGS
    return {};
}

QVariantList myQQuickView::getNameList(QVariant type)
{
    Q_UNUSED_ARGS
    return {};
}
