#include "view/myqquickview.h"

#include "device/hid_thread.h"
#include "platform/pointer_settings.h"
#include "view/file_chooser.h"

#include <QDebug>
#include <QFocusEvent>
#include <QMetaObject>
#include <QQuickItem>

namespace {
const char* const kGlobalFile = "./modules/setting/apConfig.bin";
const char* const kRecoveryFile = "./modules/setting/pD.bin";

QString profileFile(int index) { return QStringLiteral("./modules/setting/p%1.bin").arg(index + 1); }
} // namespace

myQQuickView::myQQuickView(QWidget* parent)
    : QQuickWidget(parent)
{
    globalSettings = new QSettings(QString::fromLatin1(kGlobalFile), QSettings::IniFormat);
    recoverySettings = new QSettings(QString::fromLatin1(kRecoveryFile), QSettings::IniFormat);
    for (int i = 0; i < kProfileCount; ++i)
        profileSettings.append(new QSettings(profileFile(i), QSettings::IniFormat));
    isColorful = globalSettings->value(QStringLiteral("mouse/isColorful")).toBool();
    isGun = globalSettings->value(QStringLiteral("mouse/isGun")).toBool();
    icType = globalSettings->value(QStringLiteral("mouse/icType")).toString();
}

namespace {
// The last flush of a handle: an edit that still cannot be written is lost with
// the handle, and says so.
void finalFlush(QSettings* handle)
{
    if (!handle)
        return;
    handle->sync();
    if (handle->status() != QSettings::NoError)
        qDebug() << "settings file" << handle->fileName() << "could not be written; its last changes are lost";
}
} // namespace

myQQuickView::~myQQuickView()
{
    if (hidLink && hidLink->view == this)
        hidLink->view = nullptr;
    finalFlush(globalSettings);
    finalFlush(recoverySettings);
    for (QSettings* handle : std::as_const(profileSettings))
        finalFlush(handle);
    delete globalSettings;
    delete recoverySettings;
    qDeleteAll(profileSettings);
}

void myQQuickView::setLink(Hid_Thread* link)
{
    hidLink = link;
    if (link)
        link->view = this;
}

void myQQuickView::setFileChooser(std::unique_ptr<FileChooser> c) { chooser = std::move(c); }

FileChooser& myQQuickView::fileChooser()
{
    if (!chooser)
        chooser = std::make_unique<DialogFileChooser>();
    return *chooser;
}

void myQQuickView::setPointerSettings(std::unique_ptr<PointerSettings> p) { pointer = std::move(p); }

PointerSettings& myQQuickView::pointerSettings()
{
    if (!pointer)
        pointer = createPlatformPointerSettings();
    return *pointer;
}

void myQQuickView::callScene(const char* function, Qt::ConnectionType type, const QVariantList& args)
{
    QQuickItem* root = rootObject();
    if (!root)
        return;
    const QMetaObject* mo = root->metaObject();
    QByteArray signature(function);
    signature += '(';
    for (int i = 0; i < args.size(); ++i)
        signature += i ? ",QVariant" : "QVariant";
    signature += ')';
    if (mo->indexOfMethod(QMetaObject::normalizedSignature(signature.constData())) < 0)
        return;
    QGenericArgument a[4];
    for (int i = 0; i < args.size() && i < 4; ++i)
        a[i] = Q_ARG(QVariant, args[i]);
    QMetaObject::invokeMethod(root, function, type, a[0], a[1], a[2], a[3]);
}

QSettings* myQQuickView::currentProfileSettings() const
{
    if (currentProfile < 0 || currentProfile >= profileSettings.size()) {
        qDebug() << "profile" << currentProfile << "is outside 0 ..." << profileSettings.size() - 1;
        return nullptr;
    }
    return profileSettings[currentProfile];
}

void myQQuickView::detectKeyboard(bool isDown, int usbCode)
{
    callScene("detectKeyboard", Qt::QueuedConnection, {QVariant(isDown), QVariant(usbCode)});
}

void myQQuickView::detectMouse(bool isDown, uint vornCode, uint x, uint y)
{
    callScene("detectMouse", Qt::QueuedConnection,
              {QVariant(isDown), QVariant(vornCode), QVariant(x), QVariant(y)});
}

void myQQuickView::focusInEvent(QFocusEvent* event)
{
    // The base class hands the focus on to the scene, so its text fields take keys again.
    QQuickWidget::focusInEvent(event);
    repaint();
}
