#include "view/myqquickview.h"

// Not built yet.
#define Q_UNUSED_ARGS
#pragma GCC diagnostic ignored "-Wunused-parameter"

QVariant myQQuickView::createMacroIni(QVariant name, QVariant macroIndex)
{
    Q_UNUSED_ARGS
    return {};
}

QVariant myQQuickView::saveMacroIni(QVariant name, QStringList macros, QVariant repeat)
{
    Q_UNUSED_ARGS
    return {};
}

QVariantList myQQuickView::loadMacroIni(QVariant name)
{
    Q_UNUSED_ARGS
    return {};
}

QVariant myQQuickView::deleteMacroIni(QVariant name)
{
    Q_UNUSED_ARGS
    return {};
}

bool myQQuickView::loadMacroFile(QVariant macroFileName)
{
    Q_UNUSED_ARGS
    return false;
}

void myQQuickView::saveMacroFile(QVariant macroFileName)
{
    Q_UNUSED_ARGS
   
}

QVariant myQQuickView::modifyMacroNameUpdateProfile(QVariant oldname, QVariant newname)
{
    Q_UNUSED_ARGS
    return {};
}

void myQQuickView::deleteMacroUpdateProfile(QVariant macroName)
{
    Q_UNUSED_ARGS
   
}

QVariant myQQuickView::mouseSendMacroData(QVariantList macroData, QVariant macroIndex)
{
    Q_UNUSED_ARGS
    return {};
}
