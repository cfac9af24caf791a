// Key assignment operations of the view: the stored key entries of a profile,
// and the key matrices they become on the mouse.
#include "view/myqquickview.h"

#include "device/commands/profile_block.h"
#include "device/hid_thread.h"
#include "input/hook_backend.h"
#include "input/input_hooks.h"
#include "view/firmware_family.h"
#include "view/key_translation.h"
#include "view/settings_values.h"

#include <QDebug>

using key_translation::Matrix;

namespace {

const QString kKeyGroup = QStringLiteral("mouseKeyMatrix/");
const QString kFactoryKeyGroup = QStringLiteral("mouseFwKeyMatrix/");

constexpr uchar kUserMatrix = 1;
constexpr uchar kFirstGunMatrix = 2;

// The factory matrix of a profile: the 16 entries under mouseFwKeyMatrix/<n>.
Matrix factoryMatrix(QSettings& profile)
{
    std::array<QVariantList, key_translation::kButtonCount> entries;
    for (int n = 0; n < key_translation::kButtonCount; ++n)
        entries[n] = settingsList(profile.value(kFactoryKeyGroup + QString::number(n)));
    return key_translation::matrixFromEntries(entries);
}

// The 553 and 560 commands that carry one matrix.
void sendMatrix(Hid_Thread& link, FirmwareFamily family, Matrix& m, uchar indexAddOne)
{
    if (family == FirmwareFamily::F560)
        link.hid560_0DH_SetKeyMatrix(m.data(), indexAddOne);
    else
        link.hid553_12H_SetKeyMatrix(m.data(), indexAddOne);
}

void switchMatrix(Hid_Thread& link, FirmwareFamily family, uchar index)
{
    if (family == FirmwareFamily::F560)
        link.hid560_02H_SetCurrentProfile(index);
    else
        link.hid553_02H_SetCurrentKeyMatrix(index);
}

uchar periodAt(const QVariantList& periods, int i)
{
    // A missing period counts as 0.
    bool ok = false;
    const qlonglong v = i < periods.size() ? periods[i].toLongLong(&ok) : 0;
    return ok ? static_cast<uchar>(v & 0xFF) : 0;
}

} // namespace

QVariantList myQQuickView::mouseGetKeydefine(QVariant index, bool isRecovery)
{
    QSettings* s = isRecovery ? recoverySettings : currentProfileSettings();
    if (!s)
        return {};
    return settingsList(s->value(kKeyGroup + index.toString()));
}

void myQQuickView::mouseSetKeyMatrix(QVariantList src64, bool isSendData, QVariantList otherParam)
{
    if (src64.size() < key_translation::kMatrixSize) {
        qDebug() << "mouseSetKeyMatrix:" << src64.size() << "values instead of"
                 << key_translation::kMatrixSize << "- nothing stored or sent";
        return;
    }
    QSettings* profile = currentProfileSettings();
    if (!profile)
        return;

    for (int n = 0; n < key_translation::kButtonCount; ++n) {
        const int at = n * key_translation::kEntrySize;
        profile->setValue(kKeyGroup + QString::number(n), src64.mid(at, key_translation::kEntrySize));
    }
    if (!isSendData)
        return;

    Hid_Thread* link = this->link();
    if (!link) {
        qDebug() << "mouseSetKeyMatrix without a device link: stored, not sent";
        return;
    }
    const FirmwareFamily family = firmwareFamily(icType);
    Matrix user = key_translation::translateMatrix(key_translation::matrixFromList(src64));

    if (!key_translation::hasGunButton(user)) {
        sendMatrix(*link, family, user, kUserMatrix);
        return;
    }

    if (otherParam.size() < key_translation::kGunSlots)
        qDebug() << "mouseSetKeyMatrix:" << otherParam.size() << "firing periods; the missing ones count as 0";
    const std::array<uchar, key_translation::kGunSlots> periods{
        periodAt(otherParam, 0), periodAt(otherParam, 1), periodAt(otherParam, 2)};
    key_translation::GunMatrices g =
        key_translation::buildGunMatrices(family, user, factoryMatrix(*profile), periods);

    if (family == FirmwareFamily::F560) {
        auto& block0 = profileBlocks[0];
        if (g.enableMask)
            block0[profile_block::kMatrixMask] = *g.enableMask;
        link->hid560_0CH_setProfile(block0.data(), 0);
    }
    sendMatrix(*link, family, g.user, kUserMatrix);
    sendMatrix(*link, family, g.g2, kFirstGunMatrix);
    sendMatrix(*link, family, g.g3, kFirstGunMatrix + 1);
    sendMatrix(*link, family, g.g4, kFirstGunMatrix + 2);
    switchMatrix(*link, family, kUserMatrix);
}

void myQQuickView::mouseResetKeyMatrix()
{
    QSettings* profile = currentProfileSettings();
    Hid_Thread* link = this->link();
    if (!profile || !link) {
        qDebug() << "mouseResetKeyMatrix: no profile or no device link, nothing sent";
        return;
    }
    const FirmwareFamily family = firmwareFamily(icType);
    Matrix factory = factoryMatrix(*profile);
    for (uchar m = kFirstGunMatrix; m < kFirstGunMatrix + key_translation::kGunSlots; ++m)
        sendMatrix(*link, family, factory, m);
}

void myQQuickView::mouseSwitchKeyMatrix(int indexNo)
{
    Hid_Thread* link = this->link();
    if (!link) {
        qDebug() << "mouseSwitchKeyMatrix without a device link: nothing sent";
        return;
    }
    switchMatrix(*link, firmwareFamily(icType), static_cast<uchar>(indexNo));
}

bool myQQuickView::globalKeyCapture() const
{
    const InputHooks* hooks = InputHooks::current();
    return hooks && hooks->backend() && hooks->backend()->keysFromEveryWindow();
}
