// DPI, report rate, lighting and option operations of the view: the scene's
// values become the bytes of the firmware family in use.
#include "view/myqquickview.h"

#include "device/commands/profile_block.h"
#include "device/hid_thread.h"
#include "view/dpi_codes.h"
#include "view/firmware_family.h"
#include "view/light_effects.h"
#include "view/settings_values.h"

#include <QDebug>
#include <algorithm>

namespace {

constexpr int kColourBufferSize = 24;

enum ColourType : uchar { FullColourSet = 0, SingleColourSet = 1, StageColourIndices = 2 };

Hid_Thread* linkFor(const myQQuickView& view, const char* operation)
{
    Hid_Thread* link = view.link();
    if (!link)
        qDebug() << operation << "without a device link: nothing sent";
    return link;
}

// Sends block 1, then blocks 2..4 when the mouse has recoil functions (only then
// have they been read).
void sendProfileBlocks(myQQuickView& view, Hid_Thread& link)
{
    const int last = view.isGun ? profile_block::kLastProfileBlock : profile_block::kFirstProfileBlock;
    for (int b = profile_block::kFirstProfileBlock; b <= last; ++b)
        link.hid560_0CH_setProfile(view.profileBlocks[b].data(), static_cast<uchar>(b));
}

} // namespace

void myQQuickView::mouseSetReportRate(uchar rate)
{
    Hid_Thread* link = linkFor(*this, "mouseSetReportRate");
    if (!link)
        return;
    if (firmwareFamily(icType) == FirmwareFamily::F560)
        link->hid560_03H_SetReportRate(rate);
    else
        link->hid553_01H_SetReportRate(rate);
}

void myQQuickView::mouseSetCurrentDPI(uchar currentDPI)
{
    Hid_Thread* link = linkFor(*this, "mouseSetCurrentDPI");
    if (!link)
        return;
    if (firmwareFamily(icType) == FirmwareFamily::F560)
        link->hid560_04H_SetCurrentDPI(currentDPI);
    else
        link->hid553_0BH_SetCurrentDPI(currentDPI);
}

QVariant myQQuickView::mouseGetCurrentDPI()
{
    Hid_Thread* link = linkFor(*this, "mouseGetCurrentDPI");
    if (!link)
        return QVariant(0);
    if (firmwareFamily(icType) == FirmwareFamily::F560) {
        uchar which = 1;
        uchar stage = 0;
        link->hid560_84H_GetCurrentDPI(which, stage);
        return QVariant(int(stage));
    }
    uchar stage = 0;
    link->hid553_8BH_GetCurrentDPI(stage);
    return QVariant(int(stage));
}

void myQQuickView::mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray)
{
    const dpi_codes::StageCodes enc = dpi_codes::encodeStages(sensorType, dpiValueArray);
    const int count = dpi_codes::clampedStageCount(dpiCount);

    if (firmwareFamily(icType) != FirmwareFamily::F560) {
        Hid_Thread* link = linkFor(*this, "mouseSetDpi");
        if (!link)
            return;
        dpi_codes::Codes codes = dpi_codes::withStagesOff(enc.codes, count);
        link->hid553_11H_SetDPISet(static_cast<uchar>(count), codes.data());
        return;
    }

    const bool hasNinthBit = dpi_codes::sensorFromText(sensorType) == dpi_codes::Sensor::S3389;
    const uchar enable = dpi_codes::stageEnableMask(count);
    for (int b = profile_block::kFirstProfileBlock; b <= profile_block::kLastProfileBlock; ++b) {
        auto& block = profileBlocks[b];
        std::copy(enc.codes.begin(), enc.codes.end(), block.begin() + profile_block::kDpiCodes);
        std::copy(enc.codes.begin(), enc.codes.end(), block.begin() + profile_block::kDpiCodesCopy);
        block[profile_block::kStageEnableMask] = enable;
        if (hasNinthBit) {
            block[profile_block::kNinthBitMask] = enc.ninthBitMask;
            block[profile_block::kNinthBitMaskCopy] = enc.ninthBitMask;
        }
    }
    if (Hid_Thread* link = linkFor(*this, "mouseSetDpi"))
        sendProfileBlocks(*this, *link);
}

void myQQuickView::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2)
{
    const light_effects::Effect e = light_effects::encode(isColorful, effect, option1, option2);

    if (firmwareFamily(icType) != FirmwareFamily::F560) {
        if (Hid_Thread* link = linkFor(*this, "mouseSetRGBEffect"))
            link->hid553_0DH_SetRGBLedEffect(e.code, e.a, e.b);
        return;
    }

    for (int b = profile_block::kFirstProfileBlock; b <= profile_block::kLastProfileBlock; ++b) {
        auto& block = profileBlocks[b];
        block[profile_block::kEffect] = e.code;
        block[profile_block::kEffectOption1] = e.a;
        block[profile_block::kEffectOption2] = e.b;
    }
    // A single-colour mouse without recoil functions takes its own second option
    // in block 1, the only block it gets.
    if (!isColorful && !isGun)
        profileBlocks[profile_block::kFirstProfileBlock][profile_block::kEffectOption2] =
            light_effects::kSingleColourBlock1Option2;
    if (Hid_Thread* link = linkFor(*this, "mouseSetRGBEffect"))
        sendProfileBlocks(*this, *link);
}

void myQQuickView::mouseSetRGBColor(uchar type, QVariantList src24)
{
    if (src24.size() > kColourBufferSize)
        qDebug() << "mouseSetRGBColor: colour list of" << src24.size() << "values cut to" << kColourBufferSize;
    std::array<uchar, kColourBufferSize> buffer{};
    for (int i = 0; i < kColourBufferSize && i < src24.size(); ++i)
        buffer[i] = static_cast<uchar>(settingsListInt(src24, i) & 0xFF);

    Hid_Thread* link = linkFor(*this, "mouseSetRGBColor");

    if (firmwareFamily(icType) != FirmwareFamily::F560) {
        if (!link)
            return;
        // The firmware takes the colours reliably only when they come twice.
        link->hid553_10H_SetLED8StageColor(type, buffer.data());
        link->hid553_10H_SetLED8StageColor(type, buffer.data());
        return;
    }

    if (!isColorful) {
        auto& block = profileBlocks[profile_block::kSingleColorBlock];
        std::copy(buffer.begin(), buffer.end(), block.begin() + profile_block::kSingleColorSet);
        if (link)
            link->hid560_0CH_setProfile(block.data(), profile_block::kSingleColorBlock);
        return;
    }

    auto& block = profileBlocks[0];
    switch (type) {
    case SingleColourSet:
        std::copy(buffer.begin(), buffer.end(), block.begin() + profile_block::kColorSetB);
        break;
    case StageColourIndices:
        std::copy_n(buffer.begin(), profile_block::kStageColorIndexCount, block.begin() + profile_block::kStageColorIndex);
        break;
    default:
        std::copy(buffer.begin(), buffer.end(), block.begin() + profile_block::kColorSetA);
        break;
    }
    if (link)
        link->hid560_0CH_setProfile(block.data(), 0);
}

void myQQuickView::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    if (Hid_Thread* link = linkFor(*this, "mouseSetKeyboardoption"))
        link->hid553_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

QVariantList myQQuickView::GetKeyboardoption()
{
    // Without an answer the read hands back these presets: all four bytes 0.
    uchar b1 = 0, b2 = 0, b3 = 0, b4 = 0;
    if (Hid_Thread* link = linkFor(*this, "GetKeyboardoption"))
        link->hid553_83H_GetKeyboardoption(b1, b2, b3, b4);
    return {int(b1), int(b2), int(b3), int(b4)};
}

void myQQuickView::setCurrentDPI(int dpiValue)
{
    callScene("setCurrentDPI", Qt::DirectConnection, {QVariant(dpiValue)});
}
