// Recoil ("gun") data and sensitivity operations of the view: the gun data file,
// the upload of a gun slot, and two small per-profile accessors.
#include "view/myqquickview.h"

#include "device/commands/profile_block.h"
#include "device/hid_thread.h"
#include "view/firmware_family.h"
#include "view/settings_values.h"

#include <QDebug>
#include <QFileInfo>
#include <memory>

namespace {

const QString kGunFile = QStringLiteral("./modules/gun/gunData.bin");
const QString kGunGroup = QStringLiteral("gunData");
const QString kXYSensitiveGroup = QStringLiteral("XYSensitive/");
const QString kSelectGunGroup = QStringLiteral("selectGun/");

constexpr int kGunRecordSize = 6;        // name, key, period, x, y, times
constexpr int kRenameListSize = 7;       // new name, five values, old key
constexpr int kUploadValues = 3;         // times, x, y
constexpr int kFirstGunSlot = 1;
constexpr int kLastGunSlot = 3;
constexpr int kDefaultXYSensitive = 4;

enum ModifyType { RemoveGun = 0, ReplaceGun = 1 };

// The gun data file, or nullptr when it does not exist: it is never created here.
std::unique_ptr<QSettings> openGunFile()
{
    if (!QFileInfo(kGunFile).isFile())
        return nullptr;
    return std::make_unique<QSettings>(kGunFile, QSettings::IniFormat);
}

QString gunKey(const QVariant& index) { return kGunGroup + QLatin1Char('/') + index.toString(); }

uchar low8(const QVariant& v)
{
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    return ok ? static_cast<uchar>(n & 0xFF) : 0;
}

} // namespace

QVariantList myQQuickView::getGunData(QVariant index)
{
    std::unique_ptr<QSettings> file = openGunFile();
    if (!file)
        return {};
    return settingsList(file->value(gunKey(index)));
}

QVariantList myQQuickView::getGunDataKey()
{
    std::unique_ptr<QSettings> file = openGunFile();
    if (!file)
        return {};
    file->beginGroup(kGunGroup);
    QVariantList keys;
    for (const QString& k : file->childKeys())
        keys.append(k);
    return keys;
}

void myQQuickView::mouseSaveGundata(QVariant index, QVariantList src6)
{
    if (src6.size() < kGunRecordSize) {
        qDebug() << "mouseSaveGundata:" << src6.size() << "values instead of" << kGunRecordSize << "- not stored";
        return;
    }
    std::unique_ptr<QSettings> file = openGunFile();
    if (!file)
        return;
    file->setValue(gunKey(index), src6.mid(0, kGunRecordSize));
}

void myQQuickView::modifyGundata(QVariant modifyType, QVariantList src6)
{
    const int type = modifyType.toInt();
    const int needed = type == RemoveGun ? 1 : type == ReplaceGun ? kRenameListSize : 0;
    if (needed == 0)
        return;
    if (src6.size() < needed) {
        qDebug() << "modifyGundata:" << src6.size() << "values, type" << type << "needs" << needed;
        return;
    }
    std::unique_ptr<QSettings> file = openGunFile();
    if (!file)
        return;
    if (type == RemoveGun) {
        file->remove(gunKey(src6[0]));
        return;
    }
    file->remove(gunKey(src6[6]));
    file->setValue(gunKey(src6[0]), src6.mid(1, 5));
}

void myQQuickView::mouseSendGundata(int slot, QVariantList data)
{
    if (!isGun)
        return;
    if (data.size() < kUploadValues) {
        qDebug() << "mouseSendGundata:" << data.size() << "values instead of" << kUploadValues << "- nothing sent";
        return;
    }
    if (slot < kFirstGunSlot || slot > kLastGunSlot) {
        qDebug() << "mouseSendGundata: gun slot" << slot << "is outside" << kFirstGunSlot << "..." << kLastGunSlot;
        return;
    }
    Hid_Thread* link = this->link();
    if (!link) {
        qDebug() << "mouseSendGundata without a device link: nothing sent";
        return;
    }
    const uchar times = low8(data[0]);
    const uchar x = low8(data[1]);
    uchar y = low8(data[2]);

    if (firmwareFamily(icType) == FirmwareFamily::F560) {
        auto& block = profileBlocks[slot];
        block[profile_block::kRecoilData] = profile_block::kRecoilMarker;
        block[profile_block::kRecoilTimes] = times;
        block[profile_block::kRecoilX] = x;
        block[profile_block::kRecoilY] = y;
        block[profile_block::kRecoilFlags] &= static_cast<uchar>(~profile_block::kRecoilFlagBit);
        link->hid560_0CH_setProfile(block.data(), static_cast<uchar>(slot));
        return;
    }

    uchar o1 = 0, o2 = 0, o3 = 0, o4 = 0;
    link->hid553_83H_GetKeyboardoption(o1, o2, o3, o4);
    // The third option byte asks for the pull-down with the opposite sign.
    if (o3 != 0)
        y = static_cast<uchar>(-y);
    link->hid553_04H_SetGunData(times, x, y, static_cast<uchar>(slot));
}

QVariant myQQuickView::getXYSensitive(QVariant index)
{
    QSettings* profile = currentProfileSettings();
    if (!profile)
        return kDefaultXYSensitive;
    return profile->value(kXYSensitiveGroup + index.toString(), kDefaultXYSensitive);
}

void myQQuickView::setXYSensitive(QVariant index, QVariant xyData)
{
    if (QSettings* profile = currentProfileSettings())
        profile->setValue(kXYSensitiveGroup + index.toString(), xyData);
}

QVariant myQQuickView::getselectGun(QVariant index)
{
    QSettings* profile = currentProfileSettings();
    if (!profile)
        return QString();
    return profile->value(kSelectGunGroup + index.toString(), QString());
}

void myQQuickView::setSelectGun(QVariant index, QVariant value)
{
    if (QSettings* profile = currentProfileSettings())
        profile->setValue(kSelectGunGroup + index.toString(), value);
}
