// Imported profile files (.pf): loaded into a profile slot and then read and used
// the way the scene does it: generic data, key entries, and the device operations
// that take lists read from the profile.
#include "fuzz_support.h"
#include "scripted_backend.h"
#include "targets.h"

#include "device/hid_thread.h"
#include "view/file_chooser.h"
#include "view/myqquickview.h"

#include <QFile>
#include <QSettings>

namespace fuzz_profile_import {
namespace {
constexpr const char* kTarget = "profile_import";
constexpr const char* kImportFile = "./imported.pf";
constexpr int kSlotChoices = 12;      // the ten profiles and two beyond
constexpr int kButtons = 16;
constexpr int kEntryValues = 4;
constexpr int kMaxKeysRead = 64;
const char* const kSceneKeys[] = {"mouse/dpiCount", "mouse/currentDpiCount", "mouse/dpiValueArray",
                                  "mouse/colorValue", "mouse/dpiColorValue", "mouse/lightValue",
                                  "mouse/reportRate", "mouse/mouseRate", "mouse/doubleRate", "mouse/scrollRate"};

class FixedChooser : public FileChooser
{
public:
    QString openFile(QWidget*, const QString&, const QString&) override { return QString::fromLatin1(kImportFile); }
    QString saveFile(QWidget*, const QString&, const QString&) override { return {}; }
};

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void useProfile(myQQuickView& view, QSettings& profile)
{
    QStringList keys = profile.allKeys().mid(0, kMaxKeysRead);
    for (const char* k : kSceneKeys)
        keys.append(QString::fromLatin1(k));
    for (const QString& key : keys) {
        view.getData(key, false);
        view.getDataList(key, false);
    }

    QVariantList matrix;
    for (int n = 0; n < kButtons; ++n) {
        const QVariantList entry = view.mouseGetKeydefine(n, false);
        for (int v = 0; v < kEntryValues; ++v)
            matrix.append(v < entry.size() ? entry[v] : QVariant(0));
    }
    const QVariantList periods = view.getDataList(QStringLiteral("mouse/lightValue"), false);
    view.mouseSetKeyMatrix(matrix, true, periods);
    view.mouseResetKeyMatrix();
    view.mouseSetDpi(view.getData(QStringLiteral("mouse/dpiCount"), false).toInt(),
                     view.getGlobalData(QStringLiteral("mouse/sensorType")).toString(),
                     view.getDataList(QStringLiteral("mouse/dpiValueArray"), false));
    view.mouseSetRGBColor(0, view.getDataList(QStringLiteral("mouse/colorValue"), false));
    view.mouseSetRGBColor(1, view.getDataList(QStringLiteral("mouse/dpiColorValue"), false));
    for (int i = 0; i < 3; ++i) {
        view.getXYSensitive(i);
        view.getselectGun(i);
    }
}
} // namespace

int fuzzOne(const uint8_t* data, size_t size)
{
    fuzz::setUpProcess();
    myQQuickView& view = fuzz::view();
    fuzz::resetLink();
    static const bool chooserSet = (view.setFileChooser(std::make_unique<FixedChooser>()), true);
    (void)chooserSet;

    fuzz::Input in(data, size);
    const uint8_t config = in.byte();
    const int slot = config % kSlotChoices;
    const QString savedType = view.icType;
    const bool savedGun = view.isGun;
    view.icType = (config & 0x10) ? QStringLiteral("560") : QStringLiteral("553-24");
    view.isGun = (config & 0x20) != 0;
    const QByteArray file = in.rest();
    if (!fuzz::writeFresh(QString::fromLatin1(kImportFile), file))
        return 0;

    const bool inRange = slot < myQQuickView::kProfileCount;
    const QString target = inRange ? view.profileSettings[slot]->fileName() : QString();
    if (inRange)
        view.profileSettings[slot]->sync();
    const QByteArray before = inRange ? fileBytes(target) : QByteArray();

    fuzz::backend().script(nullptr, false);
    const bool loaded = view.loadProfile(slot);
    FUZZ_CHECK(kTarget, loaded == inRange);
    if (inRange)
        FUZZ_CHECK(kTarget, fileBytes(target) == (loaded ? file : before));

    if (loaded) {
        view.currentProfile = slot;
        useProfile(view, *view.profileSettings[slot]);
        view.currentProfile = 0;
    }
    FUZZ_CHECK(kTarget, fuzz::link().linkFree);
    FUZZ_CHECK(kTarget, fuzz::backend().openHandles() == 0);
    view.icType = savedType;
    view.isGun = savedGun;
    return 0;
}

} // namespace fuzz_profile_import
