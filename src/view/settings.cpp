// Generic data access of the view: the global, factory and profile settings
// handles, and the small housekeeping operations.
#include "view/myqquickview.h"

#include "device/hid_thread.h"
#include "view/file_replacement.h"
#include "view/settings_values.h"

#include <QDebug>
#include <QJSValue>
#include <QSettings>

namespace {
const char* const kFactoryGlobalFile = "./modules/setting/apConfigD.bin";

// A list or object handed over by the scene arrives wrapped as a script value,
// which the settings file cannot hold: store the plain value it stands for.
QVariant storable(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QJSValue>())
        return value.value<QJSValue>().toVariant();
    return value;
}
}

QVariant myQQuickView::getData(QVariant key, bool isRecovery)
{
    QSettings* handle = isRecovery ? recoverySettings : currentProfileSettings();
    if (!handle)
        return {};
    return handle->value(key.toString());
}

QVariant myQQuickView::getGlobalData(QVariant key)
{
    return globalSettings->value(key.toString());
}

QVariantList myQQuickView::getDataList(QVariant key, bool isRecovery)
{
    return settingsList(getData(key, isRecovery));
}

void myQQuickView::setData(QVariant key, QVariant data)
{
    if (QSettings* handle = currentProfileSettings())
        handle->setValue(key.toString(), storable(data));
}

void myQQuickView::setGlobalData(QVariant key, QVariant tmpdata)
{
    globalSettings->setValue(key.toString(), storable(tmpdata));
}

void myQQuickView::setDataList(QVariant key, QVariantList datalist)
{
    if (QSettings* handle = currentProfileSettings())
        handle->setValue(key.toString(), datalist);
}

void myQQuickView::initUI()
{
    callScene("initUI", Qt::QueuedConnection);
}

void myQQuickView::runUI()
{
    callScene("run", Qt::QueuedConnection);
}

void myQQuickView::resetApconfig()
{
    // The model flags stay as read at construction.
    file_replacement::replaceSettingsFile(globalSettings, QString::fromLatin1(kFactoryGlobalFile));
}

void myQQuickView::clearHidBusy()
{
    if (hidLink)
        hidLink->linkFree = true;
}

void myQQuickView::openUpdateExe() {}

void myQQuickView::setBusy(int busyTime)
{
    callScene("setProtectUI", Qt::DirectConnection, {QVariant(busyTime)});
}
